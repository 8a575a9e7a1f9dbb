#pragma once
// Volumes on the clipboard, for cut, copy and paste within a project, between
// projects and between copies of the program, and to and from spreadsheets.
// A selection goes on the clipboard in two forms: the program's own, a
// project file image holding only those volumes and the source project's
// units, which carries every input of each volume; and tab-separated text
// with the room schedule's columns, one row per volume under the header,
// which a spreadsheet takes as rows and gives back when its rows are copied.

#include "model/area.h"
#include "text/units.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CProject;

// The clipboard type of the program's own form.
inline constexpr char kVolumesMimeType[] = "application/x-vantor-volumes";

// Volumes read from the clipboard: complete and calculated, in no project,
// in the order they came. Names may repeat (rows of a spreadsheet) and may
// be taken in the project they are pasted into: the paste names them anew.
struct CClipboardVolumes
{
  // The unit system of the project they came from; their figures are SI.
  std::uint32_t mUnits = UNITS_METRIC;
  std::vector<std::shared_ptr<const CArea>> mVolumes;
};

// The own form of the project's volumes of those identities, in the table's
// order (identities the project does not hold are passed over). False with
// the reason when a text is too long for the format or the bytes too many.
bool VolumesClipboardBytes(const CProject& project, const std::vector<CVolumeId>& ids,
                           std::string& bytes, std::string* error = nullptr);
// Reads the own form, which comes from outside the program: false with the
// reason for bytes that are not volumes copied by this program, damaged
// ones, none, or those of a newer version of the program.
bool ReadVolumesClipboardBytes(std::string_view bytes, CClipboardVolumes& volumes,
                               std::string* error = nullptr);

// The volumes of those identities as tab-separated UTF-8 text, in the
// table's order: the room schedule's header and rows (see ScheduleCsv), CR LF
// ended.
std::string VolumesClipboardText(const CProject& project, const std::vector<CVolumeId>& ids);
// Reads tab-separated UTF-8 rows of a spreadsheet as the room schedule import reads
// a file (same columns, checks and messages; lengths without a unit in the
// project's units), each row a new volume. Rows without a header are read
// in the schedule's own columns. All or nothing: false with the errors, one
// a line, "line N: reason" (with maxErrorLines, the rest counted in a last
// line).
bool ReadVolumesClipboardText(std::string_view text, const CProject& project,
                              CClipboardVolumes& volumes, std::string* error = nullptr,
                              std::size_t maxErrorLines = 0);
