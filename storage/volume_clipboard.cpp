#include "storage/volume_clipboard.h"

#include "model/project.h"
#include "storage/byte_reader.h"
#include "storage/project_file.h"
#include "storage/schedule_export.h"
#include "storage/schedule_import.h"

#include <algorithm>
#include <new>
#include <unordered_set>

namespace
{
// The head of the own form: tells volumes of this program from other bytes
// of the same clipboard type, and from a project file pasted as such.
constexpr std::string_view kTag = "vantor volumes\n";

// The project's volumes of those identities, in the table's order.
std::vector<const CArea*> Selected(const CProject& project, const std::vector<CVolumeId>& ids)
{
  const std::unordered_set<CVolumeId> wanted(ids.begin(), ids.end());
  std::vector<const CArea*> volumes;
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
    if (const CArea* volume = project.mAreaTable.Get(i); wanted.count(volume->Id()))
      volumes.push_back(volume);
  return volumes;
}

bool Fail(std::string* error, std::string reason)
{
  if (error)
    *error = std::move(reason);
  return false;
}

// A volume of its own, in no project, with its figures.
std::shared_ptr<const CArea> Detached(const CArea& volume)
{
  return std::make_shared<const CArea>(nullptr, volume);
}
} // namespace

bool VolumesClipboardBytes(const CProject& project, const std::vector<CVolumeId>& ids,
                           std::string& bytes, std::string* error)
{
  CProject copied;
  copied.mUnits = project.mUnits;
  for (const CArea* volume : Selected(project, ids))
    copied.mAreaTable.Insert(std::make_unique<CArea>(&copied, *volume));
  std::string image;
  std::string reason;
  if (!EncodeProjectFile(copied, image, &reason))
    return Fail(error, "the volumes cannot be copied: " + reason);
  bytes.assign(kTag);
  bytes += image;
  return true;
}

bool ReadVolumesClipboardBytes(std::string_view bytes, CClipboardVolumes& volumes,
                               std::string* error)
{
  volumes = {};
  if (bytes.substr(0, kTag.size()) != kTag)
    return Fail(error, "the clipboard holds no volumes copied by this program");
  if (!FitsReadLimit(bytes.size()))
    return Fail(error, "the clipboard's volumes are too many to be read (" +
                           ReadLimitText(bytes.size()) + ")");
  bytes.remove_prefix(kTag.size());
  CProject copied;
  std::string reason;
  try
  {
    if (!ReadProjectFile(bytes, copied, &reason))
      return Fail(error, "the clipboard's volumes cannot be read: " + reason);
    if (copied.mUnits >= UnitSystemCount)
      return Fail(error, "the clipboard's volumes cannot be read: unknown unit system " +
                             std::to_string(copied.mUnits));
    if (copied.mAreaTable.Count() == 0)
      return Fail(error, "the clipboard holds no volumes");
    CClipboardVolumes read;
    read.mUnits = copied.mUnits;
    read.mVolumes.reserve(copied.mAreaTable.Count());
    for (std::size_t i = 0; i < copied.mAreaTable.Count(); ++i)
      read.mVolumes.push_back(Detached(*copied.mAreaTable.Get(i)));
    volumes = std::move(read);
  }
  catch (const std::bad_alloc&)
  {
    return Fail(error, "there is not enough memory to read the clipboard's volumes");
  }
  return true;
}

std::string VolumesClipboardText(const CProject& project, const std::vector<CVolumeId>& ids)
{
  return ScheduleText(Selected(project, ids), '\t');
}

bool ReadVolumesClipboardText(std::string_view text, const CProject& project,
                              CClipboardVolumes& volumes, std::string* error,
                              std::size_t maxErrorLines)
{
  volumes = {};
  // Read against an empty project of the same units: no row updates a volume.
  CProject units;
  units.mUnits = project.mUnits < UnitSystemCount ? project.mUnits : UNITS_METRIC;
  const CSchedule schedule =
      ReadSchedule(text, units, {.mSeparator = '\t', .mAllNew = true, .mHeaderOptional = true});
  if (!schedule.Ok())
    return Fail(error, ScheduleErrorText(schedule, maxErrorLines));
  CClipboardVolumes read;
  read.mUnits = units.mUnits;
  read.mVolumes.reserve(schedule.mRows.size());
  for (const CScheduleRow& row : schedule.mRows)
  {
    CArea volume(nullptr, row.mName, row.mHazard);
    ApplyScheduleRow(row, volume);
    read.mVolumes.push_back(Detached(volume)); // calculated as it is copied
  }
  volumes = std::move(read);
  return true;
}
