#include "document/edit_history.h"

#include "model/area.h"
#include "model/project.h"

#include <algorithm>

CProjectHeader CProjectHeader::Of(const CProject& p)
{
  return {p.mNotes,       p.mIncludeNotes,          p.mProject_Reference, p.mProject_Designer,
          p.mDistributor, p.mDistributor_Reference, p.mCustomer,          p.mCustomer_Reference,
          p.mUnits};
}

void CProjectHeader::RestoreTo(CProject& p) const
{
  p.mNotes = mNotes;
  p.mIncludeNotes = mIncludeNotes;
  p.mProject_Reference = mProject_Reference;
  p.mProject_Designer = mProject_Designer;
  p.mDistributor = mDistributor;
  p.mDistributor_Reference = mDistributor_Reference;
  p.mCustomer = mCustomer;
  p.mCustomer_Reference = mCustomer_Reference;
  p.mUnits = mUnits;
}

CEditStep::CEditStep() = default;
CEditStep::CEditStep(CEditStep&&) noexcept = default;
CEditStep& CEditStep::operator=(CEditStep&&) noexcept = default;
CEditStep::~CEditStep() = default;

bool CEditStep::ChangesNothing() const
{
  if (mHeaderBefore != mHeaderAfter)
    return false;
  return std::all_of(mVolumes.begin(), mVolumes.end(),
                     [](const CVolumeState& v)
                     {
                       if (!v.mBefore || !v.mAfter)
                         return !v.mBefore && !v.mAfter;
                       return !v.mBefore->Differs(*v.mAfter);
                     });
}

namespace
{
std::size_t VolumeBytes(const CArea* volume)
{
  if (!volume)
    return 0;
  return sizeof(CArea) + volume->mName.capacity() + volume->mNotes.capacity() +
         volume->mVentTable.Count() * sizeof(CVent);
}

std::size_t HeaderBytes(const std::optional<CProjectHeader>& header)
{
  if (!header)
    return 0;
  const CAddress* addresses[] = {&header->mDistributor, &header->mCustomer};
  std::size_t bytes = sizeof(CProjectHeader) + header->mNotes.capacity() +
                      header->mProject_Reference.capacity() + header->mProject_Designer.capacity() +
                      header->mDistributor_Reference.capacity() +
                      header->mCustomer_Reference.capacity();
  for (const CAddress* address : addresses)
    for (const std::string* text :
         {&address->mName, &address->mAddress1, &address->mAddress2, &address->mCity,
          &address->mState, &address->mCountry, &address->mZip})
      bytes += text->capacity();
  return bytes;
}
} // namespace

std::size_t CEditStep::Bytes() const
{
  std::size_t bytes =
      sizeof(CEditStep) + mName.capacity() + HeaderBytes(mHeaderBefore) + HeaderBytes(mHeaderAfter);
  for (const CVolumeState& v : mVolumes)
    bytes += sizeof(CVolumeState) + VolumeBytes(v.mBefore.get()) + VolumeBytes(v.mAfter.get());
  return bytes;
}

CEditStep::CVolumeState* CEditStep::Volume(CVolumeId id)
{
  for (CVolumeState& state : mVolumes)
    if (state.mId == id)
      return &state;
  return nullptr;
}

void CEditStep::Join(CEditStep&& later)
{
  for (CVolumeState& state : later.mVolumes)
    if (CVolumeState* mine = Volume(state.mId))
      mine->mAfter = std::move(state.mAfter);
    else
      mVolumes.push_back(std::move(state));
  if (later.mHeaderBefore)
  {
    if (!mHeaderBefore)
      mHeaderBefore = std::move(later.mHeaderBefore);
    mHeaderAfter = std::move(later.mHeaderAfter);
  }
  const CDocumentChange& c = later.mChange;
  mChange.mHeader |= c.mHeader;
  mChange.mVolumes |= c.mVolumes;
  mChange.mVolumeSet |= c.mVolumeSet;
  mChange.mUnits |= c.mUnits;
}

std::unique_ptr<CArea> StoredCopy(const CArea& volume)
{
  return std::make_unique<CArea>(nullptr, volume);
}

void RestoreStored(CArea& volume, const CArea& copy)
{
  volume.mNotes = copy.mNotes;
  volume.mIncludeNotes = copy.mIncludeNotes;
  volume.mVentTable.Assign(copy.mVentTable);
  volume.mDevice = copy.mDevice;
  volume.mHazard = copy.mHazard;
  volume.mLength = copy.mLength;
  volume.mWidth = copy.mWidth;
  volume.mHeight = copy.mHeight;
}

CEditHistory::CEditHistory(std::size_t maxSteps, std::size_t maxBytes)
    : mMaxSteps(std::max<std::size_t>(maxSteps, 1)), mMaxBytes(maxBytes)
{
}

void CEditHistory::Record(CEditStep step)
{
  while (mSteps.size() > mNext)
  {
    mBytes -= mSteps.back().Bytes();
    mSteps.pop_back();
  }
  mBytes += step.Bytes();
  mSteps.push_back(std::move(step));
  mNext = mSteps.size();
  ++mRecorded;
  Trim();
}

void CEditHistory::JoinLast(CEditStep step)
{
  if (mNext == 0)
  {
    Record(std::move(step));
    return;
  }
  while (mSteps.size() > mNext)
  {
    mBytes -= mSteps.back().Bytes();
    mSteps.pop_back();
  }
  CEditStep& last = mSteps.back();
  mBytes -= last.Bytes();
  last.Join(std::move(step));
  mBytes += last.Bytes();
  Trim();
}

void CEditHistory::Trim()
{
  while (mSteps.size() > 1 && (mSteps.size() > mMaxSteps || mBytes > mMaxBytes))
  {
    mBytes -= mSteps.front().Bytes();
    mSteps.pop_front();
    if (mNext > 0)
      --mNext;
  }
}

const CEditStep* CEditHistory::UndoStep() const
{
  return mNext > 0 ? &mSteps[mNext - 1] : nullptr;
}

const CEditStep* CEditHistory::RedoStep() const
{
  return mNext < mSteps.size() ? &mSteps[mNext] : nullptr;
}

void CEditHistory::Undone()
{
  if (mNext > 0)
    --mNext;
}

void CEditHistory::Redone()
{
  if (mNext < mSteps.size())
    ++mNext;
}

void CEditHistory::Clear()
{
  mSteps.clear();
  mNext = 0;
  mBytes = 0;
}

void CEditHistory::SetBounds(std::size_t maxSteps, std::size_t maxBytes)
{
  mMaxSteps = std::max<std::size_t>(maxSteps, 1);
  mMaxBytes = maxBytes;
  Trim();
}
