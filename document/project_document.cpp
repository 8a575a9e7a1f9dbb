#include "document/project_document.h"

#include "model/hazard_class.h"
#include "model/length_range.h"
#include "storage/lock_file.h"
#include "storage/schedule_import.h"
#include "text/units.h"

#include <algorithm>
#include <filesystem>
#include <functional>

CProjectDocument::CProjectDocument() : mProject(std::make_unique<CProject>()) { Attach(); }

CProjectDocument::CProjectDocument(std::unique_ptr<CProject> project)
  : mProject(project ? std::move(project) : std::make_unique<CProject>())
{
  Attach();
}

CProjectDocument::~CProjectDocument()
{
  if (mProject)
    mProject->mRecalculated = nullptr;
}

void CProjectDocument::Attach()
{
  mProject->mRecalculated = [this]
  {
    // Taken out first: an observer told may edit again.
    const CDocumentChange change = mPending;
    mPending = {};
    Notify(change);
  };
}

namespace
{
bool HasFile(const std::string& path)
{
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}
} // namespace

bool CProjectDocument::MarkFile()
{
  auto mark = std::make_unique<CFileMark>();
  if (HasFile(mProject->mPath) && mark->Mark(mProject->mPath) == CLockFile::CState::HeldElsewhere)
    return false;
  mFile.mMark = std::move(mark);
  return true;
}

bool CProjectDocument::ReadFile(std::string* error)
{
  mFile.mDiskStamp.mKind = CFileStamp::CKind::Absent;
  return !HasFile(mProject->mPath) || Load(error);
}

bool CProjectDocument::OpenForChange(bool mayBeNew, std::string* error)
{
  const std::string& path = mProject->mPath;
  if (!MarkFile())
  {
    if (error)
      *error = path + ": it is open in the program; close it there first";
    return false;
  }
  if (!mayBeNew && !HasFile(path))
    return Load(error); // says why there is nothing to read
  return ReadFile(error);
}

std::unique_ptr<CProject> CProjectDocument::TakeProject()
{
  if (mProject)
    mProject->mRecalculated = nullptr;
  mObservers.clear();
  mProjectWindow = nullptr;
  mReportWindow = nullptr;
  mVolumeWindows.clear();
  mHistory.Clear();
  return std::move(mProject);
}

void CProjectDocument::AddObserver(CDocumentObserver* observer)
{
  if (observer && std::find(mObservers.begin(), mObservers.end(), observer) == mObservers.end())
    mObservers.push_back(observer);
}

void CProjectDocument::RemoveObserver(CDocumentObserver* observer)
{
  mObservers.erase(std::remove(mObservers.begin(), mObservers.end(), observer), mObservers.end());
  if (mProjectWindow == observer)
    mProjectWindow = nullptr;
  if (mReportWindow == observer)
    mReportWindow = nullptr;
  std::erase_if(mVolumeWindows, [observer](const auto& entry) { return entry.second == observer; });
}

void CProjectDocument::SetProjectWindow(CDocumentObserver* window)
{
  AddObserver(window);
  mProjectWindow = window;
}

void CProjectDocument::SetReportWindow(CDocumentObserver* window)
{
  AddObserver(window);
  mReportWindow = window;
}

CDocumentObserver* CProjectDocument::VolumeWindow(const CArea* volume) const
{
  for (const auto& [area, window] : mVolumeWindows)
    if (area == volume)
      return window;
  return nullptr;
}

void CProjectDocument::SetVolumeWindow(const CArea* volume, CDocumentObserver* window)
{
  std::erase_if(mVolumeWindows, [volume](const auto& entry) { return entry.first == volume; });
  if (!window)
    return;
  AddObserver(window);
  mVolumeWindows.emplace_back(volume, window);
}

void CProjectDocument::Notify(const CDocumentChange& change)
{
  // A copy: an observer may go away while the others are told.
  const std::vector<CDocumentObserver*> observers = mObservers;
  for (CDocumentObserver* observer : observers)
    if (std::find(mObservers.begin(), mObservers.end(), observer) != mObservers.end())
      observer->DocumentChanged(change);
}

bool CProjectDocument::SetVolumeSize(CArea& volume, double length, double width, double height,
                                     std::string* reason)
{
  if (reason)
  {
    reason->clear();
    const std::pair<const char*, double> sizes[] = {
        {"length", length}, {"width", width}, {"height", height}};
    for (const auto& [what, metres] : sizes)
      if (!IsUsableLength(metres))
      {
        *reason = LengthRefusalText(what, metres, volume.Units());
        break;
      }
  }
  CEdit edit{CEditKind::VolumeSize, &volume};
  edit.mLength = length;
  edit.mWidth = width;
  edit.mHeight = height;
  if (!Apply(edit))
    return false;
  // Applied in part: a refused size kept its old value.
  return volume.mLength == length && volume.mWidth == width && volume.mHeight == height;
}

namespace
{
// False, with the reason when asked for, for values an opening cannot take.
bool TakesVentValues(const CArea& volume, const CVentValues& values, std::string* reason)
{
  const std::string refusal = VentRefusalText(values, volume.Units());
  if (reason)
    *reason = refusal;
  return refusal.empty();
}
} // namespace

bool CProjectDocument::AddOpening(CArea& volume, const CVentValues& values, std::string* reason)
{
  if (!TakesVentValues(volume, values, reason))
    return false;
  CEdit edit{CEditKind::AddOpening, &volume};
  edit.mVent = values;
  return Apply(edit);
}

bool CProjectDocument::ChangeOpening(CArea& volume, std::size_t index, const CVentValues& values,
                                     std::string* reason)
{
  if (!TakesVentValues(volume, values, reason))
    return false;
  CEdit edit{CEditKind::ChangeOpening, &volume};
  edit.mIndex = index;
  edit.mVent = values;
  return Apply(edit);
}

bool CProjectDocument::DeleteOpenings(CArea& volume, std::vector<std::size_t> indices)
{
  CEdit edit{CEditKind::DeleteOpenings, &volume};
  edit.mIndices = std::move(indices);
  return Apply(edit);
}

bool CProjectDocument::DuplicateOpening(CArea& volume, std::size_t index)
{
  CEdit edit{CEditKind::DuplicateOpening, &volume};
  edit.mIndex = index;
  return Apply(edit);
}

bool CProjectDocument::SetDeviceCount(CArea& volume, int model, std::uint32_t count)
{
  CEdit edit{CEditKind::DeviceCount, &volume};
  edit.mNumber = model;
  edit.mCount = count;
  return Apply(edit);
}

void CProjectDocument::SetDeviceCounts(CArea& volume, const CDeviceCounts& counts)
{
  CEdit edit{CEditKind::DeviceCounts, &volume};
  edit.mCounts = counts;
  Apply(edit);
}

bool CProjectDocument::SetHazard(CArea& volume, int hazard)
{
  CEdit edit{CEditKind::Hazard, &volume};
  edit.mNumber = hazard;
  return Apply(edit);
}

bool CProjectDocument::SetUnits(std::uint32_t units)
{
  CEdit edit{CEditKind::Units};
  edit.mCount = units;
  return Apply(edit);
}

void CProjectDocument::SetProjectReference(std::string_view text)
{
  CEdit edit{CEditKind::ProjectReference};
  edit.mText = text;
  Apply(edit);
}

void CProjectDocument::SetDistributorReference(std::string_view text)
{
  CEdit edit{CEditKind::DistributorReference};
  edit.mText = text;
  Apply(edit);
}

void CProjectDocument::SetCustomerReference(std::string_view text)
{
  CEdit edit{CEditKind::CustomerReference};
  edit.mText = text;
  Apply(edit);
}

void CProjectDocument::SetDesigner(std::string_view name)
{
  CEdit edit{CEditKind::Designer};
  edit.mText = name;
  Apply(edit);
}

void CProjectDocument::SetDistributor(const CAddress& address)
{
  CEdit edit{CEditKind::Distributor};
  edit.mAddress = address;
  Apply(edit);
}

void CProjectDocument::SetCustomer(const CAddress& address)
{
  CEdit edit{CEditKind::Customer};
  edit.mAddress = address;
  Apply(edit);
}

bool CProjectDocument::NewVolume(std::string_view name, int hazard)
{
  CEdit edit{CEditKind::NewVolume};
  edit.mText = name;
  edit.mNumber = hazard;
  return Apply(edit);
}

bool CProjectDocument::DeleteVolume(std::string_view name)
{
  CEdit edit{CEditKind::DeleteVolume};
  edit.mText = name;
  return Apply(edit);
}

bool CProjectDocument::ImportSchedule(const CSchedule& schedule)
{
  CEdit edit{CEditKind::Schedule};
  edit.mSchedule = &schedule;
  return Apply(edit);
}

void CProjectDocument::SetVolumeNotes(CArea& volume, std::string notes)
{
  CEdit edit{CEditKind::VolumeNotes, &volume};
  edit.mText = std::move(notes);
  Apply(edit);
}

void CProjectDocument::SetIncludeVolumeNotes(CArea& volume, bool include)
{
  CEdit edit{CEditKind::IncludeVolumeNotes, &volume};
  edit.mFlag = include;
  Apply(edit);
}

void CProjectDocument::SetProjectNotes(std::string notes)
{
  CEdit edit{CEditKind::ProjectNotes};
  edit.mText = std::move(notes);
  Apply(edit);
}

void CProjectDocument::SetIncludeProjectNotes(bool include)
{
  CEdit edit{CEditKind::IncludeProjectNotes};
  edit.mFlag = include;
  Apply(edit);
}

bool CProjectDocument::Apply(const CEdit& edit)
{
  if (!mProject)
    return false;
  // Set first: a change that calculates the project itself (the schedule)
  // is told as this edit.
  mPending = {CChangeKind::Recalculated, edit.mKind,
              edit.mKind == CEditKind::DeleteVolume ? nullptr : edit.mVolume};
  CEditStep step = BeginStep(edit);
  if (!Change(edit))
  {
    mPending = {};
    return false;
  }
  Record(std::move(step));
  if (edit.mKind == CEditKind::NewVolume)
    mPending.mVolume = mProject->mAreaTable.Find(edit.mText);
  // Still pending unless the change calculated the project already.
  if (mPending.mEdit != CEditKind::None)
    mProject->RecalculateProject();
  return true;
}

namespace
{
// Runs the setter; true when it changed the text (a text edit that leaves it
// as it was is no edit).
bool Changes(const std::string& text, const std::function<void()>& set)
{
  const std::string before = text;
  set();
  return text != before;
}
} // namespace

bool CProjectDocument::Change(const CEdit& edit)
{
  CArea* volume = edit.mVolume;
  CProject& project = *mProject;
  switch (edit.mKind)
  {
  case CEditKind::None:
    return false;
  case CEditKind::VolumeSize:
  {
    // Each setter keeps the old value for one that is no usable length.
    const bool length = volume->SetLength(edit.mLength);
    const bool width = volume->SetWidth(edit.mWidth);
    const bool height = volume->SetHeight(edit.mHeight);
    return length || width || height;
  }
  case CEditKind::AddOpening:
  {
    const CVentValues& v = edit.mVent;
    volume->mVentTable.Add(v.mType, v.mShape, v.mWidth, v.mHeight, v.mUpper);
    return true;
  }
  case CEditKind::ChangeOpening:
    return volume->mVentTable.SetValues(edit.mIndex, edit.mVent);
  case CEditKind::DeleteOpenings:
  {
    std::vector<std::size_t> indices = edit.mIndices;
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    if (indices.empty() || indices.back() >= volume->mVentTable.Count())
      return false;
    // From the last to the first, so that each index still names its opening.
    for (auto index = indices.rbegin(); index != indices.rend(); ++index)
      volume->mVentTable.Remove(*index);
    return true;
  }
  case CEditKind::DuplicateOpening:
  {
    const CVent* vent = volume->mVentTable.Get(edit.mIndex);
    return vent && volume->mVentTable.AddCopy(*vent);
  }
  case CEditKind::DeviceCount:
    if (static_cast<unsigned>(edit.mNumber) >= DeviceModelCount)
      return false;
    volume->SetDeviceCount(edit.mNumber, edit.mCount);
    return true;
  case CEditKind::DeviceCounts:
    for (int model = 0; model < DeviceModelCount; ++model)
      volume->SetDeviceCount(model, edit.mCounts[static_cast<unsigned>(model)]);
    return true;
  case CEditKind::Hazard:
    if (!IsValidHazard(edit.mNumber))
      return false;
    volume->SetHazard(edit.mNumber);
    return true;
  case CEditKind::Units:
    return project.SetUnits(edit.mCount);
  case CEditKind::ProjectReference:
    return Changes(project.mProject_Reference, [&] { project.SetProjectReference(edit.mText); });
  case CEditKind::DistributorReference:
    return Changes(project.mDistributor_Reference,
                   [&] { project.SetDistributorReference(edit.mText); });
  case CEditKind::CustomerReference:
    return Changes(project.mCustomer_Reference, [&] { project.SetCustomerReference(edit.mText); });
  case CEditKind::Designer:
    project.mProject_Designer = edit.mText;
    return true;
  case CEditKind::Distributor:
    project.mDistributor = edit.mAddress;
    return true;
  case CEditKind::Customer:
    project.mCustomer = edit.mAddress;
    return true;
  case CEditKind::NewVolume:
    return project.mAreaTable.AddNew(edit.mText, edit.mNumber);
  case CEditKind::VolumeNotes:
    volume->SetNotes(edit.mText);
    return true;
  case CEditKind::IncludeVolumeNotes:
    volume->SetIncludeNotes(edit.mFlag);
    return true;
  case CEditKind::ProjectNotes:
    project.mNotes = edit.mText;
    return true;
  case CEditKind::IncludeProjectNotes:
    project.mIncludeNotes = edit.mFlag;
    return true;
  case CEditKind::Schedule:
    return ApplySchedule(*edit.mSchedule, project);
  case CEditKind::DeleteVolume:
    if (!project.mAreaTable.Find(edit.mText))
      return false;
    project.mAreaTable.RemoveByName(edit.mText);
    return true;
  }
  return false;
}

CEditStep CProjectDocument::BeginStep(const CEdit& edit) const
{
  CEditStep step;
  step.mKind = edit.mKind;
  step.mName = EditName(edit.mKind);
  std::vector<std::string> names;
  if (edit.mVolume)
    names.push_back(edit.mVolume->mName);
  else if (edit.mKind == CEditKind::NewVolume)
    names.push_back(CollapseSpaces(edit.mText));
  else if (edit.mKind == CEditKind::DeleteVolume)
    names.push_back(edit.mText);
  else if (edit.mKind == CEditKind::Schedule && edit.mSchedule)
  {
    // A schedule with faults changes nothing; one without names each volume once.
    if (edit.mSchedule->Ok())
      for (const CScheduleRow& row : edit.mSchedule->mRows)
        names.push_back(row.mName);
  }
  else
    step.mHeaderBefore = CProjectHeader::Of(*mProject);
  for (std::string& name : names)
  {
    const CArea* volume = mProject->mAreaTable.Find(name);
    step.mVolumes.push_back({std::move(name), volume ? StoredCopy(*volume) : nullptr, nullptr});
  }
  return step;
}

void CProjectDocument::Record(CEditStep step)
{
  for (CEditStep::CVolumeState& state : step.mVolumes)
    if (const CArea* volume = mProject->mAreaTable.Find(state.mName))
      state.mAfter = StoredCopy(*volume);
  if (step.mHeaderBefore)
    step.mHeaderAfter = CProjectHeader::Of(*mProject);
  if (step.ChangesNothing())
    return;
  if (step.mKind == CEditKind::DeleteOpenings && step.mVolumes.size() == 1 &&
      step.mVolumes[0].mBefore->mVentTable.Count() > step.mVolumes[0].mAfter->mVentTable.Count() + 1)
    step.mName = "Delete Openings";
  mHistory.Record(std::move(step));
}

std::vector<CArea*> CProjectDocument::VolumesRemovedBy(const CEditStep* step, bool redo) const
{
  std::vector<CArea*> volumes;
  if (!step || !mProject)
    return volumes;
  for (const CEditStep::CVolumeState& state : step->mVolumes)
    if (!(redo ? state.mAfter : state.mBefore))
      if (CArea* volume = mProject->mAreaTable.Find(state.mName))
        volumes.push_back(volume);
  return volumes;
}

std::vector<CArea*> CProjectDocument::VolumesUndoRemoves() const
{
  return VolumesRemovedBy(mHistory.UndoStep(), false);
}

std::vector<CArea*> CProjectDocument::VolumesRedoRemoves() const
{
  return VolumesRemovedBy(mHistory.RedoStep(), true);
}

std::string CProjectDocument::UndoName() const
{
  const CEditStep* step = mHistory.UndoStep();
  return step ? step->mName : std::string();
}

std::string CProjectDocument::RedoName() const
{
  const CEditStep* step = mHistory.RedoStep();
  return step ? step->mName : std::string();
}

bool CProjectDocument::Undo() { return TakeStep(false); }

bool CProjectDocument::Redo() { return TakeStep(true); }

bool CProjectDocument::TakeStep(bool redo)
{
  const CEditStep* step = redo ? mHistory.RedoStep() : mHistory.UndoStep();
  if (!mProject || !step)
    return false;
  // A window never outlives its volume: the caller closes it first.
  for (const CArea* volume : VolumesRemovedBy(step, redo))
    if (VolumeWindow(volume))
      return false;
  CAreaTable& table = mProject->mAreaTable;
  for (const CEditStep::CVolumeState& state : step->mVolumes)
  {
    const CArea* stored = (redo ? state.mAfter : state.mBefore).get();
    CArea* volume = table.Find(state.mName);
    if (!stored)
      table.RemoveByName(state.mName);
    else if (volume)
      RestoreStored(*volume, *stored); // in place: its windows keep it
    else
      table.Insert(std::make_unique<CArea>(mProject.get(), *stored));
  }
  if (const std::optional<CProjectHeader>& header = redo ? step->mHeaderAfter : step->mHeaderBefore)
    header->RestoreTo(*mProject);
  const CArea* about = step->mVolumes.size() == 1 ? table.Find(step->mVolumes[0].mName) : nullptr;
  mPending = {CChangeKind::Recalculated, step->mKind, about};
  if (redo)
    mHistory.Redone();
  else
    mHistory.Undone();
  mProject->RecalculateProject();
  return true;
}
