#include "document/edit_commands.h"

#include "model/hazard_class.h"
#include "model/length_range.h"
#include "model/project.h"
#include "storage/byte_writer.h"
#include "storage/schedule_import.h"
#include "text/text_cleaners.h"

#include <algorithm>
#include <type_traits>
#include <unordered_set>
#include <utility>

namespace
{
template <typename C>
concept Named = requires
{
  C::kName;
};
template <typename C>
concept Refusing = requires(const C& c, const CProject& p)
{
  c.Refusal(p);
};

// Sets the text and tells whether it changed: a text edit that leaves it as
// it was is no edit.
template <typename Set> bool Changes(const std::string& text, Set&& set)
{
  const std::string before = text;
  set();
  return text != before;
}

// The name without a trailing " (n)", then " (2)", or the first higher
// number that is not taken.
template <typename Taken> std::string CopyName(const std::string& name, Taken&& taken)
{
  std::string base = name;
  // "Hall (2)" copies as "Hall (3)", not "Hall (2) (2)".
  if (const std::size_t open = base.rfind(" (");
      open != std::string::npos && base.back() == ')' && open + 3 < base.size())
  {
    const std::string digits = base.substr(open + 2, base.size() - open - 3);
    if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      base.erase(open);
  }
  for (unsigned long long n = 2;; ++n)
  {
    std::string candidate = base + " (" + std::to_string(n) + ")";
    if (!taken(candidate))
      return candidate;
  }
}

std::string VentRefusal(const CProject& project, CVolumeId id, const CVentValues& values)
{
  const CArea* volume = project.mAreaTable.FindId(id);
  return volume ? VentRefusalText(values, volume->Units()) : std::string();
}
} // namespace

namespace edit
{
std::string SetVolumeSize::Refusal(const CProject& project) const
{
  const CArea* volume = project.mAreaTable.FindId(mVolume);
  if (!volume)
    return {};
  const std::pair<const char*, double> sizes[] = {
      {"length", mLength}, {"width", mWidth}, {"height", mHeight}};
  for (const auto& [what, metres] : sizes)
    if (!IsUsableLength(metres))
      return LengthRefusalText(what, metres, volume->Units());
  return {};
}

bool SetVolumeSize::Apply(CProject& project) const
{
  CArea* volume = project.mAreaTable.FindId(mVolume);
  if (!volume)
    return false;
  // Each setter keeps the old value for one that is no usable length.
  const bool length = volume->SetLength(mLength);
  const bool width = volume->SetWidth(mWidth);
  const bool height = volume->SetHeight(mHeight);
  return length || width || height;
}

std::string AddOpening::Refusal(const CProject& project) const
{
  return VentRefusal(project, mVolume, mValues);
}

bool AddOpening::Apply(CProject& project) const
{
  CArea* volume = project.mAreaTable.FindId(mVolume);
  if (!volume || !Refusal(project).empty())
    return false;
  const CVentValues& v = mValues;
  volume->mVentTable.Add(v.mType, v.mShape, v.mWidth, v.mHeight, v.mUpper);
  return true;
}

std::string ChangeOpening::Refusal(const CProject& project) const
{
  return VentRefusal(project, mVolume, mValues);
}

bool ChangeOpening::Apply(CProject& project) const
{
  CArea* volume = project.mAreaTable.FindId(mVolume);
  return volume && Refusal(project).empty() && volume->mVentTable.SetValues(mIndex, mValues);
}

std::string DeleteOpenings::Name() const
{
  std::vector<std::size_t> indices = mIndices;
  std::sort(indices.begin(), indices.end());
  return std::unique(indices.begin(), indices.end()) - indices.begin() > 1 ? "Delete Openings"
                                                                           : "Delete Opening";
}

bool DeleteOpenings::Apply(CProject& project) const
{
  CArea* volume = project.mAreaTable.FindId(mVolume);
  if (!volume)
    return false;
  std::vector<std::size_t> indices = mIndices;
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  if (indices.empty() || indices.back() >= volume->mVentTable.Count())
    return false;
  // From the last to the first, so that each index still names its opening.
  for (auto index = indices.rbegin(); index != indices.rend(); ++index)
    volume->mVentTable.Remove(*index);
  return true;
}

bool DuplicateOpening::Apply(CProject& project) const
{
  CArea* volume = project.mAreaTable.FindId(mVolume);
  const CVent* vent = volume ? volume->mVentTable.Get(mIndex) : nullptr;
  return vent && volume->mVentTable.AddCopy(*vent);
}

bool SetDeviceCount::Apply(CProject& project) const
{
  CArea* volume = project.mAreaTable.FindId(mVolume);
  if (!volume || static_cast<unsigned>(mModel) >= DeviceModelCount)
    return false;
  volume->SetDeviceCount(mModel, mCount);
  return true;
}

bool SetDeviceCounts::Apply(CProject& project) const
{
  CArea* volume = project.mAreaTable.FindId(mVolume);
  if (!volume)
    return false;
  for (int model = 0; model < DeviceModelCount; ++model)
    volume->SetDeviceCount(model, mCounts[static_cast<unsigned>(model)]);
  return true;
}

bool SetHazard::Apply(CProject& project) const
{
  CArea* volume = project.mAreaTable.FindId(mVolume);
  if (!volume || !IsValidHazard(mHazard))
    return false;
  volume->SetHazard(mHazard);
  return true;
}

bool SetVolumeNotes::Apply(CProject& project) const
{
  CArea* volume = project.mAreaTable.FindId(mVolume);
  if (!volume)
    return false;
  volume->SetNotes(mNotes);
  return true;
}

bool SetIncludeVolumeNotes::Apply(CProject& project) const
{
  CArea* volume = project.mAreaTable.FindId(mVolume);
  if (!volume)
    return false;
  volume->SetIncludeNotes(mInclude);
  return true;
}

bool SetUnits::Apply(CProject& project) const
{
  return project.SetUnits(mUnits);
}

bool SetProjectReference::Apply(CProject& project) const
{
  return Changes(project.mProject_Reference, [&] { project.SetProjectReference(mText); });
}

bool SetDistributorReference::Apply(CProject& project) const
{
  return Changes(project.mDistributor_Reference, [&] { project.SetDistributorReference(mText); });
}

bool SetCustomerReference::Apply(CProject& project) const
{
  return Changes(project.mCustomer_Reference, [&] { project.SetCustomerReference(mText); });
}

bool SetDesigner::Apply(CProject& project) const
{
  project.mProject_Designer = mName;
  return true;
}

bool SetDistributor::Apply(CProject& project) const
{
  project.mDistributor = mAddress;
  return true;
}

bool SetCustomer::Apply(CProject& project) const
{
  project.mCustomer = mAddress;
  return true;
}

bool SetProjectNotes::Apply(CProject& project) const
{
  project.mNotes = mNotes;
  return true;
}

bool SetIncludeProjectNotes::Apply(CProject& project) const
{
  project.mIncludeNotes = mInclude;
  return true;
}

CEditTouches NewVolume::Touches(const CProject&) const
{
  CEditTouches touches;
  touches.mNewNames.push_back(CollapseSpaces(mName));
  return touches;
}

bool NewVolume::Apply(CProject& project) const
{
  return project.mAreaTable.AddNew(mName, mHazard);
}

bool DeleteVolumes::Apply(CProject& project) const
{
  bool removed = false;
  for (CVolumeId id : mVolumes)
    if (const CArea* volume = project.mAreaTable.FindId(id))
    {
      project.mAreaTable.RemoveByName(std::string(volume->mName));
      removed = true;
    }
  return removed;
}

std::string RenameVolume::Refusal(const CProject& project) const
{
  const std::string name = CollapseSpaces(mName);
  const CArea* volume = project.mAreaTable.FindId(mVolume);
  if (!volume)
    return {};
  if (name.empty())
    return "A volume needs a name.";
  if (name != volume->mName && project.mAreaTable.Find(name))
    return "The name \"" + name +
           "\" is already used by a volume of this project.  Each volume needs a name of its own.";
  return {};
}

bool RenameVolume::Apply(CProject& project) const
{
  return Refusal(project).empty() && project.mAreaTable.Rename(mVolume, mName);
}

CEditTouches DuplicateVolume::Touches(const CProject& project) const
{
  CEditTouches touches;
  if (const CArea* volume = project.mAreaTable.FindId(mVolume))
    touches.mNewNames.push_back(DuplicateName(project, volume->mName));
  return touches;
}

bool DuplicateVolume::Apply(CProject& project) const
{
  const CArea* volume = project.mAreaTable.FindId(mVolume);
  return volume && project.mAreaTable.AddCopy(*volume, DuplicateName(project, volume->mName));
}

std::string PasteVolumes::Refusal(const CProject& project) const
{
  if (mVolumes.empty() || std::find(mVolumes.begin(), mVolumes.end(), nullptr) != mVolumes.end())
    return "There are no volumes to paste.";
  for (const std::string& name : PastedNames(project, mVolumes))
  {
    if (name.empty())
      return "A volume needs a name.";
    if (name.size() > kMaxStoredChars)
      return "The name of a pasted volume would be longer than the " +
             std::to_string(kMaxStoredChars) + " characters a name can have.";
  }
  for (const auto& volume : mVolumes)
    if (volume->mNotes.size() > kMaxStoredChars)
      return "The notes of the volume \"" + volume->mName + "\" are longer than the " +
             std::to_string(kMaxStoredChars) + " characters notes can have.";
  return {};
}

CEditTouches PasteVolumes::Touches(const CProject& project) const
{
  CEditTouches touches;
  touches.mNewNames = PastedNames(project, mVolumes);
  return touches;
}

bool PasteVolumes::Apply(CProject& project) const
{
  if (!Refusal(project).empty())
    return false;
  const std::vector<std::string> names = PastedNames(project, mVolumes);
  bool added = true;
  for (std::size_t i = 0; i < mVolumes.size(); ++i)
    added = project.mAreaTable.AddCopy(*mVolumes[i], names[i]) && added;
  return added;
}

CEditTouches ImportSchedule::Touches(const CProject& project) const
{
  CEditTouches touches;
  // A schedule with faults changes nothing; one without names each volume once.
  if (!mSchedule || !mSchedule->Ok())
    return touches;
  for (const CScheduleRow& row : mSchedule->mRows)
    if (const CArea* volume = project.mAreaTable.Find(row.mName))
      touches.mVolumes.push_back(volume->Id());
    else
      touches.mNewNames.push_back(row.mName);
  return touches;
}

bool ImportSchedule::Apply(CProject& project) const
{
  return mSchedule && ApplySchedule(*mSchedule, project);
}
} // namespace edit

std::string DuplicateName(const CProject& project, const std::string& name)
{
  return CopyName(name, [&](const std::string& candidate)
                  { return project.mAreaTable.Find(candidate) != nullptr; });
}

std::vector<std::string> PastedNames(const CProject& project,
                                     const std::vector<std::shared_ptr<const CArea>>& volumes)
{
  std::vector<std::string> names;
  names.reserve(volumes.size());
  std::unordered_set<std::string> pasted;
  const auto taken = [&](const std::string& name)
  { return project.mAreaTable.Find(name) != nullptr || pasted.count(name) > 0; };
  for (const auto& volume : volumes)
  {
    std::string name = volume ? CollapseSpaces(volume->mName) : std::string();
    if (!name.empty() && taken(name))
      name = CopyName(name, taken);
    pasted.insert(name);
    names.push_back(std::move(name));
  }
  return names;
}

CVolumeId VolumeIdOf(const CProject& project, std::string_view name)
{
  const CArea* volume = project.mAreaTable.Find(name);
  return volume ? volume->Id() : 0;
}

std::string EditName(const CEditCommand& command)
{
  return std::visit(
      [](const auto& c) -> std::string
      {
        if constexpr (Named<std::decay_t<decltype(c)>>)
          return std::decay_t<decltype(c)>::kName;
        else
          return c.Name();
      },
      command);
}

std::string EditRefusal(const CEditCommand& command, const CProject& project)
{
  return std::visit(
      [&](const auto& c) -> std::string
      {
        if constexpr (Refusing<std::decay_t<decltype(c)>>)
          return c.Refusal(project);
        else
          return {};
      },
      command);
}

CEditTouches EditTouches(const CEditCommand& command, const CProject& project)
{
  return std::visit([&](const auto& c) { return c.Touches(project); }, command);
}

bool ApplyEdit(const CEditCommand& command, CProject& project)
{
  return std::visit([&](const auto& c) { return c.Apply(project); }, command);
}
