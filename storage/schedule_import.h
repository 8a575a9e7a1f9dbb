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

// Reads and checks every row of the CSV text against the project, which is
// not changed.
CSchedule ReadSchedule(std::string_view csv, const CProject& project);

// "line N: reason", or "FILE:N: reason" when the file is named, one a line
// (LF), in the order of the file. With maxLines, the errors after the first
// maxLines are counted in one last line: "... and N more".
std::string ScheduleErrorText(const CSchedule& schedule, std::size_t maxLines = 0,
                              std::string_view file = {});

// Adds and updates the volumes of a schedule without errors, then
// recalculates the project; a schedule with errors changes nothing (false).
bool ApplySchedule(const CSchedule& schedule, CProject& project);
