#include "ui/recovery_offer.h"

#include "document/open_projects.h"
#include "model/project.h"
#include "storage/catalogue.h"
#include "storage/recovery_store.h"
#include "storage/work_folder.h"
#include "ui/app.h"
#include "ui/open_project.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/recovery_keeper.h"

#include <QDateTime>
#include <QLocale>
#include <filesystem>

namespace
{
QString WrittenAt(const CRecoveryRecord& record)
{
  return QLocale().toString(QDateTime::fromSecsSinceEpoch(record.mWritten), QLocale::ShortFormat);
}

// A copy that cannot be restored: discarded when the user agrees.
void OfferDiscard(QWidget* parent, CRecoveryStore& store, const CRecoveryCopy& copy,
                  const std::string& problem)
{
  const QString which = copy.mRecord.mName.empty()
                            ? QString("A recovery copy")
                            : QString("The recovery copy of the project \"%1\", written on %2,")
                                  .arg(ToQt(copy.mRecord.mName), WrittenAt(copy.mRecord));
  if (AskYesNo(parent, kAppTitle,
               which + QString(" cannot be restored: %1.\r\n\r\nDo you want to discard it?  Click "
                               "\"No\" to keep it for the next start.")
                           .arg(ToQt(problem)),
               CPromptIcon::Exclamation))
    store.Remove(copy.mId);
}

void Keep(QWidget* parent, const CRecoveryRecord& record, const QString& why)
{
  ShowMessage(parent, kAppTitle,
              QString("The project \"%1\" cannot be restored now: %2.  Its recovery copy is kept "
                      "and offered again at the next start.")
                  .arg(ToQt(record.mName), why),
              CPromptIcon::Exclamation);
}

// Opens the project of the copy with its recovered changes; false (copy
// kept) when it cannot be opened now.
bool Restore(QWidget* parent, CRecoveryStore& store, const CRecoveryCopy& copy,
             const CProject& recovered)
{
  const CRecoveryRecord& record = copy.mRecord;
  CRecoveredProject restore{&recovered, record.mBase};
  std::error_code ec;
  if (record.mFolder != CurrentFolder())
  {
    if (!std::filesystem::is_directory(record.mFolder, ec))
      restore.mBase.mKind = CFileStamp::CKind::Absent; // its folder is gone: a new file here
    else if (!OpenProjects().Empty())
    {
      Keep(parent, record,
           QString("its work folder \"%1\" is not the one in use, which cannot change while "
                   "projects are open")
               .arg(PathToQt(record.mFolder)));
      return false;
    }
    else if (!UseWorkFolder(record.mFolder))
    {
      Keep(parent, record,
           QString("its work folder \"%1\" cannot be entered").arg(PathToQt(record.mFolder)));
      return false;
    }
    else
      LoadSharedLists(); // as if the program had started there
  }
  if (OpenProjects().Find(record.mName))
  {
    Keep(parent, record, "a project of that name is open already");
    return false;
  }
  if (!OpenProject(record.mName, nullptr, &restore))
    return false; // the user was told why, or chose not to open it
  if (CRecoveryKeeper* keeper = RecoveryKeeper())
    keeper->Adopt(OpenProjects().Find(record.mName), copy.mId);
  else
    store.Remove(copy.mId);
  return true;
}
} // namespace

void OfferRecoveryCopies(QWidget* parent, CRecoveryStore& store)
{
  for (const CRecoveryCopy& copy : store.LeftCopies())
  {
    CProject recovered;
    std::string problem = copy.mProblem;
    if (problem.empty() && !store.Read(copy, recovered, &problem) && problem.empty())
      problem = "its project file cannot be read";
    if (!problem.empty())
    {
      OfferDiscard(parent, store, copy, problem);
      continue;
    }
    const CRecoveryRecord& record = copy.mRecord;
    QString where = QString("Its file \"%1.ad\" is in the work folder \"%2\"")
                        .arg(ToQt(record.mName), PathToQt(record.mFolder));
    std::error_code ec;
    if (!std::filesystem::is_directory(record.mFolder, ec))
      where = QString("Its work folder \"%1\" no longer exists: it would be restored into the "
                      "work folder in use")
                  .arg(PathToQt(record.mFolder));
    else if (!std::filesystem::exists(
                 std::filesystem::path(record.mFolder) / ProjectFileName(record.mName), ec))
      // A project never saved has no file yet: say where Save will write it.
      where = QString("It was never saved; Save would write it to \"%1.ad\" in the work folder "
                      "\"%2\"")
                  .arg(ToQt(record.mName), PathToQt(record.mFolder));
    const CPromptAnswer answer = AskYesNoCancel(
        parent, kAppTitle,
        QString(
            "The program ended without saving the changes to the project \"%1\".  A recovery "
            "copy of them was written on %2.  %3.\r\n\r\nClick \"Yes\" to open the project with "
            "these changes, still unsaved, \"No\" to discard the copy, or \"Cancel\" to "
            "keep it for the next start.")
            .arg(ToQt(record.mName), WrittenAt(record), where));
    if (answer == CPromptAnswer::Yes)
      Restore(parent, store, copy, recovered);
    else if (answer == CPromptAnswer::No)
      store.Remove(copy.mId);
  }
  // The copies of restored projects are this program's own before their
  // old ones are let go.
  if (CRecoveryKeeper* keeper = RecoveryKeeper())
    keeper->Wait();
  store.Release();
}
