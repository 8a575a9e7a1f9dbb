#pragma once
// The content of a report, shared by the character and the graphic layouts:
// the tables with their captions and cell texts, and the error lines. Every
// builder clears its target first and only reads the model.

#include "model/device_model.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CArea;
class CAreaTable;
class CProject;
class CReportTable;
class CTextLines;
class CVentTable;

// Device counts summed over volumes; 64 bits, so that large counts in many
// volumes never wrap around to a small total.
using CDeviceTotals = std::array<std::uint64_t, DeviceModelCount>;

CDeviceTotals DeviceTotals(const CDeviceCounts& counts);
CDeviceTotals ProjectDeviceTotals(const CProject& project);

// "Project:", "Project Reference:", "Designer:", "Date:" with their values;
// rows with an empty value are left out.
void BuildIdentityTable(const CProject& project, CReportTable& table);

// "Volume" / "Hazard Class" / "Volume", one row "#n" per volume, then
// "Total"; "NO VOLUMES" alone when the table is empty.
void BuildVolumesTable(const CAreaTable& areas, CReportTable& table);

// The volumes table row by row, for a layout that measures and draws only
// the rows it must: the heading, row "#n" of volume i, and the "Total" row.
using CVolumesRow = std::array<std::string, 3>;
inline CVolumesRow VolumesTableHeading()
{
  return {"Volume", "Hazard Class", "Volume"};
}
CVolumesRow VolumesTableRow(const CAreaTable& areas, std::size_t i);
CVolumesRow VolumesTableTotal(const CAreaTable& areas);

// "Device" / "Count", one row per model counted, then "Total"; "NO DEVICES"
// alone when nothing is counted.
void BuildDevicesTable(const CDeviceTotals& counts, CReportTable& table);

// "Hazard Class:" and, when the calculation is valid, the required and
// actual densities and masses.
void BuildSummaryTable(const CArea& area, CReportTable& table);

// Length, width, height, volume and open area of the volume.
void BuildDimensionsTable(const CArea& area, CReportTable& table);

// One column per valid factor, in the order LR, LP, LH, K1, K2, K3; empty
// when none is valid.
void BuildFactorsTable(const CArea& area, CReportTable& table);

// "Opening", "Type", "Width", "Height", "Area", "Upper" and one row per
// opening; "NO OPENINGS" alone when there is none.
void BuildOpeningsTable(const CVentTable& vents, CReportTable& table);

// Every error label that some volume carries, each once, in a volume's
// order, then "BELOW UL MINIMUM" when some volume is below it; true when any.
bool ProjectErrorLines(const CProject& project, CTextLines& lines);

// Notes for the graphic layout: characters that are neither white space nor
// visible are dropped, and so is white space before the first and after the
// last visible character; white space in between stays as it is.
std::string CleanNotes(std::string_view notes);
