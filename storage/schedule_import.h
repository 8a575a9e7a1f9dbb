#pragma once
// Reads a CSV room schedule into a project: each row adds a volume, or
// updates the volume of the same name. Every row is checked before anything
// changes; a schedule with any wrong row changes nothing, and each wrong
// row is named by its line in the file and the reason.
//
// Columns, named in the header row in any case, spaces, hyphens and
// brackets read as "_" ("Length (ft)" is length_ft):
//   name, hazard_class           required: the volume's name and its class
//                                as the lists show it
//   length, width, height        required; a unit in the name (length_m,
//                                length_ft) or else the project's units,
//                                and a unit in a cell wins
//   openings (openings_m, openings_ft)   optional, see schedule_format.h
//   devices_30g .. devices_2500g optional device counts
//   notes                        optional
//   include_notes                optional: yes or no, whether the notes go
//                                into the report
// Every other column the export writes is a figure and is passed over; a
// column of any other name is an error. A column without a name must be
// empty. An empty cell of an optional column leaves that input of an updated
// volume as it is.

#include "model/device_model.h"
#include "model/vent.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CArea;
class CProject;

struct CScheduleError
{
  std::size_t mLine;
  std::string mReason;
};

// One checked row: the inputs it gives, in the model's units and characters.
struct CScheduleRow
{
  std::size_t mLine = 0;
  std::string mName;
  int mHazard = -1;
  double mLength = 0;
  double mWidth = 0;
  double mHeight = 0;
  bool mHasOpenings = false;
  std::vector<CVentValues> mOpenings;
  std::array<bool, DeviceModelCount> mHasCount{};
  CDeviceCounts mDevice{};
  bool mHasNotes = false;
  std::string mNotes;
  bool mHasIncludeNotes = false;
  bool mIncludeNotes = false;
  bool mUpdates = false; // the project holds a volume of this name
};

struct CSchedule
{
  std::vector<CScheduleRow> mRows;
  std::vector<CScheduleError> mErrors;

  bool Ok() const { return mErrors.empty(); }
  // How many lines of the file are wrong (a line may have several errors).
  std::size_t WrongLines() const;
  std::size_t Added() const;
  std::size_t Updated() const;
};

// How the text of a schedule is read: a file as it stands, or rows pasted
// from a spreadsheet, which come tab-separated, perhaps without their header,
// and are each a new volume.
struct CScheduleReading
{
  char mSeparator = ',';
  // Each row is a new volume, also one of a name the project holds (the
  // paste names it anew): names may repeat, and no row updates a volume.
  bool mAllNew = false;
  // A first line naming fewer than two known columns is a row, not a header
  // (one known name may be a volume called "Room"), and the rows are read in
  // the export's column order, its units included.
  bool mHeaderOptional = false;
};

// Reads and checks every row of the CSV text against the project, which is
// not changed.
CSchedule ReadSchedule(std::string_view csv, const CProject& project,
                       const CScheduleReading& reading = {});

// "line N: reason", or "FILE:N: reason" when the file is named, one a line
// (LF), in the order of the file. With maxLines, the errors after the first
// maxLines are counted in one last line: "... and N more".
std::string ScheduleErrorText(const CSchedule& schedule, std::size_t maxLines = 0,
                              std::string_view file = {});

// Adds and updates the volumes of a schedule without errors, then
// recalculates the project; a schedule with errors changes nothing (false).
bool ApplySchedule(const CSchedule& schedule, CProject& project);

// Gives the volume the inputs of the row (hazard class, sizes, and the
// openings, device counts, notes and include-notes flag the row gives),
// without calculating it; its name is left alone.
void ApplyScheduleRow(const CScheduleRow& row, CArea& area);
