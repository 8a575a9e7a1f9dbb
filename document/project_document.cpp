#include "document/project_document.h"

#include "storage/lock_file.h"

#include <algorithm>

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
  mProject->mRecalculated = [this] { Notify({CChangeKind::Recalculated, nullptr}); };
}

std::unique_ptr<CProject> CProjectDocument::TakeProject()
{
  if (mProject)
    mProject->mRecalculated = nullptr;
  mObservers.clear();
  mProjectWindow = nullptr;
  mReportWindow = nullptr;
  mVolumeWindows.clear();
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
