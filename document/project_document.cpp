#include "document/project_document.h"

#include "storage/lock_file.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

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
    if (mQuiet)
      return;
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

void CProjectDocument::SetReadOnly()
{
  mFile.mReadOnly = true;
  if (mFile.mMark && mFile.mMark->Held())
    return;
  auto mark = std::make_unique<CFileMark>();
  if (HasFile(mProject->mPath) && mark->MarkReading(mProject->mPath) == CLockFile::CState::Held)
    mFile.mMark = std::move(mark);
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

bool CProjectDocument::Save(std::string* error)
{
  if (!SaveProject(*mProject, mFile, error))
    return false;
  Notify(CDocumentChange{.mSaved = true});
  return true;
}

std::unique_ptr<CProject> CProjectDocument::TakeProject()
{
  if (mProject)
    mProject->mRecalculated = nullptr;
  mObservers.clear();
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
}

void CProjectDocument::Notify(const CDocumentChange& change)
{
  // A copy: an observer may go away while the others are told.
  const std::vector<CDocumentObserver*> observers = mObservers;
  for (CDocumentObserver* observer : observers)
    if (std::find(mObservers.begin(), mObservers.end(), observer) != mObservers.end())
      observer->DocumentChanged(change);
}

bool CProjectDocument::Apply(const CEditCommand& command, std::string* reason)
{
  if (!mProject)
    return false;
  const std::string refusal = EditRefusal(command, *mProject);
  if (reason)
    *reason = refusal;
  OpenStep(EditName(command), false);
  const CEditTouches touches = EditTouches(command, *mProject);
  Capture(touches);
  mQuiet = true; // a command that calculates itself (the schedule) is told below
  const bool applied = ApplyEdit(command, *mProject);
  mQuiet = false;
  if (applied)
  {
    mOpen->mApplied = true;
    CDocumentChange& change = mOpen->mStep.mChange;
    change.mHeader |= touches.mHeader && !touches.mUnits;
    change.mUnits |= touches.mUnits;
    // The volumes it added are in the step as absent before it.
    for (const std::string& name : touches.mNewNames)
      if (const CArea* volume = mProject->mAreaTable.Find(name);
          volume && !mOpen->mStep.Volume(volume->Id()))
        mOpen->mStep.mVolumes.push_back({volume->Id(), nullptr, nullptr});
  }
  CloseStep();
  return applied && refusal.empty();
}

CProjectDocument::CStepGroup::CStepGroup(CProjectDocument& document, std::string name)
    : mDocument(document)
{
  document.OpenStep(std::move(name), false);
}

CProjectDocument::CStepGroup::CStepGroup(CProjectDocument& document) : mDocument(document)
{
  document.OpenStep({}, true);
}

CProjectDocument::CStepGroup::~CStepGroup()
{
  mDocument.CloseStep();
}

void CProjectDocument::OpenStep(std::string name, bool joinLast)
{
  if (mOpen)
  {
    ++mOpen->mDepth;
    return;
  }
  mOpen.emplace();
  mOpen->mStep.mName = std::move(name);
  mOpen->mJoinLast = joinLast;
  mOpen->mDepth = 1;
}

void CProjectDocument::Capture(const CEditTouches& touches)
{
  CEditStep& step = mOpen->mStep;
  for (CVolumeId id : touches.mVolumes)
    if (!step.Volume(id))
      if (const CArea* volume = mProject->mAreaTable.FindId(id))
        step.mVolumes.push_back({id, StoredCopy(*volume), nullptr});
  if (touches.mHeader && !step.mHeaderBefore)
    step.mHeaderBefore = CProjectHeader::Of(*mProject);
}

namespace
{
// The volumes of the table by identity, for steps of many volumes.
class CVolumesById
{
public:
  explicit CVolumesById(const CAreaTable& table, std::size_t wanted) : mTable(table)
  {
    // A lookup walks the table: worth an index only for many lookups.
    if (wanted > 8)
      for (std::size_t i = 0; i < table.Count(); ++i)
        mIndex.emplace(table.Get(i)->Id(), table.Get(i));
  }
  CArea* Find(CVolumeId id) const
  {
    if (mIndex.empty())
      return mTable.FindId(id);
    const auto found = mIndex.find(id);
    return found == mIndex.end() ? nullptr : found->second;
  }

private:
  const CAreaTable& mTable;
  std::unordered_map<CVolumeId, CArea*> mIndex;
};
} // namespace

void CProjectDocument::CloseStep()
{
  if (!mOpen || --mOpen->mDepth > 0)
    return;
  COpenStep open = std::move(*mOpen);
  mOpen.reset();
  if (!open.mApplied || !mProject)
    return;
  CEditStep& step = open.mStep;
  const CVolumesById volumes(mProject->mAreaTable, step.mVolumes.size());
  for (CEditStep::CVolumeState& state : step.mVolumes)
    if (const CArea* volume = volumes.Find(state.mId))
      state.mAfter = StoredCopy(*volume);
  if (step.mHeaderBefore)
    step.mHeaderAfter = CProjectHeader::Of(*mProject);
  // A volume added, removed or renamed changes the set of names and their order.
  for (const CEditStep::CVolumeState& state : step.mVolumes)
    if (state.mBefore && state.mAfter)
    {
      step.mChange.mVolumes = true;
      if (state.mBefore->mName != state.mAfter->mName)
        step.mChange.mVolumeSet = true;
    }
    else if (state.mBefore || state.mAfter)
      step.mChange.mVolumeSet = true;
  mPending = ChangeOf(step);
  if (!step.ChangesNothing())
  {
    if (open.mJoinLast)
      mHistory.JoinLast(std::move(step));
    else
      mHistory.Record(std::move(step));
  }
  mProject->RecalculateProject();
}

CDocumentChange CProjectDocument::ChangeOf(const CEditStep& step) const
{
  CDocumentChange change = step.mChange;
  change.mVolume =
      step.mVolumes.size() == 1 ? mProject->mAreaTable.FindId(step.mVolumes[0].mId) : nullptr;
  return change;
}

std::vector<CArea*> CProjectDocument::VolumesRemovedBy(const CEditStep* step, bool redo) const
{
  std::vector<CArea*> volumes;
  if (!step || !mProject)
    return volumes;
  for (const CEditStep::CVolumeState& state : step->mVolumes)
    if (!(redo ? state.mAfter : state.mBefore))
      if (CArea* volume = mProject->mAreaTable.FindId(state.mId))
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
  if (!mProject || !step || mOpen)
    return false;
  CAreaTable& table = mProject->mAreaTable;
  const CVolumesById volumes(table, step->mVolumes.size());
  // Names go back first, all at once (a step may pass a name from one volume
  // to another), then what each volume holds.
  std::vector<std::pair<CVolumeId, std::string>> names;
  std::vector<const CArea*> returning;
  for (const CEditStep::CVolumeState& state : step->mVolumes)
  {
    const CArea* stored = (redo ? state.mAfter : state.mBefore).get();
    CArea* volume = volumes.Find(state.mId);
    if (!stored)
    {
      if (volume)
        table.RemoveByName(std::string(volume->mName));
    }
    else if (!volume)
      returning.push_back(stored);
    else if (volume)
    {
      if (volume->mName != stored->mName)
        names.emplace_back(state.mId, stored->mName);
      RestoreStored(*volume, *stored); // in place: its windows keep it
    }
  }
  table.Rename(names);
  for (const CArea* stored : returning)
    table.Insert(std::make_unique<CArea>(mProject.get(), *stored));
  if (const std::optional<CProjectHeader>& header = redo ? step->mHeaderAfter : step->mHeaderBefore)
    header->RestoreTo(*mProject);
  mPending = ChangeOf(*step);
  if (redo)
    mHistory.Redone();
  else
    mHistory.Undone();
  mProject->RecalculateProject();
  return true;
}
