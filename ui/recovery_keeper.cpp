#include "ui/recovery_keeper.h"

#include "document/document_observer.h"
#include "document/open_projects.h"
#include "document/project_document.h"
#include "model/project.h"
#include "storage/project_file.h"
#include "storage/recovery_store.h"

#include <QtGlobal>
#include <algorithm>
#include <ctime>
#include <filesystem>

namespace
{
CRecoveryKeeper* gKeeper = nullptr;

// Compared by address only: a closed project may be gone already.
bool IsOpen(const CProject* project)
{
  for (std::size_t i = 0; i < OpenProjects().Count(); ++i)
    if (OpenProjects().Get(i) == project)
      return true;
  return false;
}
} // namespace

CRecoveryKeeper* RecoveryKeeper()
{
  return gKeeper;
}
void SetRecoveryKeeper(CRecoveryKeeper* keeper)
{
  gKeeper = keeper;
}

class CRecoveryKeeper::CWatch : public CDocumentObserver
{
public:
  CWatch(CRecoveryKeeper& keeper, CProjectDocument& document)
      : mKeeper(keeper), mDocument(document), mProject(&document.Project())
  {
  }
  void DocumentChanged(const CDocumentChange&) override
  {
    if (mProject->IsModified())
      mDue = true;
    else
      mKeeper.Drop(*this);
  }

  CRecoveryKeeper& mKeeper;
  CProjectDocument& mDocument;
  const CProject* mProject;
  std::string mId;      // this program's copy, once written
  std::string mAdopted; // the ended program's copy it was restored from
  bool mDue = false;
};

CRecoveryKeeper::CRecoveryKeeper(CRecoveryStore& store, std::chrono::milliseconds interval)
    : mStore(store)
{
  mWorker.setMaxThreadCount(1); // one job after the other, in order
  mTimer.setInterval(interval);
  connect(&mTimer, &QTimer::timeout, this, &CRecoveryKeeper::WriteDue);
  mTimer.start();
}

CRecoveryKeeper::~CRecoveryKeeper()
{
  if (gKeeper == this)
    gKeeper = nullptr;
  // Projects still open keep their copies: the program is ending without
  // their being closed.
  for (const auto& watch : mWatches)
    if (IsOpen(watch->mProject))
      watch->mDocument.RemoveObserver(watch.get());
  mWorker.waitForDone();
}

CRecoveryKeeper::CWatch* CRecoveryKeeper::Find(const CProject* project) const
{
  for (const auto& watch : mWatches)
    if (watch->mProject == project)
      return watch.get();
  return nullptr;
}

void CRecoveryKeeper::Watch(CProjectDocument& document)
{
  if (Find(&document.Project()))
    return;
  mWatches.push_back(std::make_unique<CWatch>(*this, document));
  document.AddObserver(mWatches.back().get());
}

void CRecoveryKeeper::Adopt(const CProject* project, std::string oldCopy)
{
  CWatch* watch = Find(project);
  if (!watch)
    return;
  watch->mAdopted = std::move(oldCopy);
  watch->mDue = true;
  WriteDue();
}

void CRecoveryKeeper::Forget(const CProject* project)
{
  CWatch* watch = Find(project);
  if (!watch)
    return;
  Drop(*watch);
  if (IsOpen(project))
    watch->mDocument.RemoveObserver(watch);
  std::erase_if(mWatches, [watch](const auto& w) { return w.get() == watch; });
}

void CRecoveryKeeper::Drop(CWatch& watch)
{
  watch.mDue = false;
  for (std::string* id : {&watch.mId, &watch.mAdopted})
  {
    if (id->empty())
      continue;
    Run([this, copy = *id] { mStore.Remove(copy); });
    id->clear();
  }
}

void CRecoveryKeeper::WriteDue()
{
  // A project closed without Forget is no longer followed; its copy goes.
  for (const auto& watch : mWatches)
    if (!IsOpen(watch->mProject))
      Drop(*watch);
  std::erase_if(mWatches, [](const auto& watch) { return !IsOpen(watch->mProject); });

  for (const auto& watch : mWatches)
  {
    if (!watch->mDue)
      continue;
    watch->mDue = false;
    const CProject& project = watch->mDocument.Project();
    std::string image;
    std::string error;
    if (!EncodeProjectFile(project, image, &error))
    {
      qWarning("No recovery copy of the project \"%s\": %s", project.mName.c_str(), error.c_str());
      continue;
    }
    CRecoveryRecord record;
    record.mName = project.mName;
    std::error_code ec;
    record.mFolder = std::filesystem::absolute(project.mPath, ec).parent_path().string();
    record.mWritten = std::time(nullptr);
    record.mBase = watch->mDocument.File().mDiskStamp;
    if (watch->mId.empty())
      watch->mId = mStore.NewId();
    Run(
        [this, id = watch->mId, record = std::move(record), image = std::move(image),
         adopted = watch->mAdopted]
        {
          std::string error;
          if (!mStore.Write(id, record, image, &error))
            qWarning("The recovery copy of the project \"%s\" was not written: %s",
                     record.mName.c_str(), error.c_str());
          else if (!adopted.empty())
            mStore.Remove(adopted); // a save or close removes it again: no harm
        });
  }
}

void CRecoveryKeeper::Wait()
{
  mWorker.waitForDone();
}

std::string CRecoveryKeeper::CopyOf(const CProject* project) const
{
  const CWatch* watch = Find(project);
  return watch ? watch->mId : std::string();
}

void CRecoveryKeeper::Run(std::function<void()> job)
{
  mWorker.start(std::move(job));
}
