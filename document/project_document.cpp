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
  mReportWindow = nullptr;
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
  if (mReportWindow == observer)
    mReportWindow = nullptr;
}

void CProjectDocument::Notify(const CDocumentChange& change)
{
  // A copy: an observer may go away while the others are told.
  const std::vector<CDocumentObserver*> observers = mObservers;
  for (CDocumentObserver* observer : observers)
    if (std::find(mObservers.begin(), mObservers.end(), observer) != mObservers.end())
      observer->DocumentChanged(change);
}
