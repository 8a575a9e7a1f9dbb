#pragma once
// The texts of the cells of a room schedule: what the export writes and the
// import reads back, so that a schedule written by the program reads back
// to the same volumes.
//
// The openings of a volume stand in one cell, separated by ";":
//   wall 2 x 1.5 upper 0.5; ceiling round 0.5; floor 0.3 x 0.3
// Each opening is its kind (wall, ceiling, floor), then optionally its shape
// (rect, the default, or round), then its size: width x height, or for a
// round one its diameter (a height after "x" is kept but not used), then
// for a wall optionally "upper" and the share of the opening that lies in
// the upper part of the enclosure, as a fraction (0.5) or a percentage
// (50%), 1 when not given. Words are read in any case. "none" is a volume
// without openings.

#include "model/vent.h"
#include "text/units.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The figure as a plain number in the C locale: the shortest text that
// reads back as the same double. Empty for an infinite or undefined figure.
std::string ScheduleNumber(double value);

// Reads a length as a typed length is read, in the default unit system
// unless the text names its unit; CSV files are read with the decimal point
// whatever the user's locale, and a decimal comma is refused, never read as
// the whole number before it. False with the reason when the text is not a
// length above 0 (or, when zero is allowed, 0 or more: openings may be 0).
bool ReadScheduleLength(std::string_view text, UnitSystem defaultUnits, double& metres,
                        std::string& reason, bool zeroAllowed = false);

// A device count: decimal digits only, at most 32 bits.
bool ReadScheduleCount(std::string_view text, std::uint32_t& count, std::string& reason);

// The openings cell of a table: "none" when it holds none.
std::string OpeningsCell(const CVentTable& table);
// Reads an openings cell; lengths without a unit are in the default unit
// system. False with the reason (naming the opening by its place) when any
// opening cannot be read; an empty cell or "none" gives no openings.
bool ReadOpeningsCell(std::string_view text, UnitSystem defaultUnits,
                      std::vector<CVentValues>& openings, std::string& reason);

// A text cell as the export writes it. A spreadsheet takes a cell that
// starts with "=", "+", "-", "@", a tab or a carriage return as a formula
// and runs it; such a text gets a leading "'", which spreadsheets read as
// "this is text". So does a text that is a run of "'" before such a
// character, so that the import can tell the mark from the text's own.
std::string SpreadsheetText(std::string_view text);
// The text of a cell as the import reads it: the "'" the export put before
// a run of "'" and such a character taken off again, every other text as
// it stands.
std::string_view PlainCellText(std::string_view cell);

// The text without white space at either end.
std::string_view TrimSpaces(std::string_view text);
