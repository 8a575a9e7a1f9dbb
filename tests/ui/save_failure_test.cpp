// Every save the windows start, on a disk that is full: the user is told
// why, the project stays unsaved, the files on disk stay as they were and
// nothing of the failed save is left in the folder.

#include "document/open_projects.h"
#include "document/shared_lists.h"
#include "storage/project_file.h"
#include "tests/common/file_bytes.h"
#include "tests/ui/project_test_fixture.h"

#include "model/area.h"
#include "storage/safe_file.h"
#include "ui/address_dialog.h"
#include "ui/project_tab_customer.h"
#include "ui/project_tab_project.h"
#include "ui/string_dialog.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <cerrno>

namespace
{
// Every write fails as on a full disk.
class CFullDisk : public CSafeFileCalls
{
public:
  CFullDisk() : mPrevious(SetSafeFileCalls(this)) {}
  ~CFullDisk() override { SetSafeFileCalls(mPrevious); }
  ssize_t Write(int, const void*, std::size_t) override
  {
    errno = ENOSPC;
    return -1;
  }

private:
  CSafeFileCalls* mPrevious;
};

struct CSaveAction
{
  const char* what;    // how the message starts
  const char* file;    // the file the action writes
  std::function<void(ProjectWindowTest&, CProject*)> run;
  std::deque<CPromptAnswer> answers = {};
};
} // namespace

class SaveFailure : public ProjectWindowTest
{
protected:
  static CVTXPageProject* ProjectPage(CProject* project) { return Sheet(project)->ProjectPage(); }
};

TEST_F(SaveFailure, EverySaveOnAFullDiskIsReportedWithItsReasonAndLosesNothing)
{
  // The files as a previous session left them.
  {
    CProject old;
    old.SetName("Plant");
    old.mNotes = "saved notes";
    ASSERT_TRUE(::SaveProject(old));
    ASSERT_TRUE(WriteFileSafely("Plant.rtf", "old report"));
    ASSERT_TRUE(WriteFileSafely("Plant.dmp", "old dump"));
    Customers().Put(CAddress{"Old Customer", "", "", "", "", "", ""});
    ASSERT_TRUE(Customers().Save());
    Designers().Add("Old Designer");
    ASSERT_TRUE(Designers().Save());
  }
  std::vector<std::pair<std::string, std::string>> before;
  for (const char* file : {"Plant.ad", "Plant.rtf", "Plant.dmp", kCustomerFileName, kDesignerFileName})
    before.emplace_back(file, ReadBytes(file));
  const std::vector<std::string> entries = FolderNames(".");

  CProject* project = Open("Plant");
  ASSERT_NE(project, nullptr);
  AddVolume(project, "Hall", 0, 10, 10, 3);
  Settle();
  ASSERT_TRUE(project->IsModified());

  const std::vector<CSaveAction> actions = {
    {"The project \"Plant\" could not be saved.", "Plant.ad",
     [](ProjectWindowTest&, CProject* p) { QTest::mouseClick(ProjectPage(p)->SaveButton(), Qt::LeftButton); }},
    {"The text file version of the report could not be created.", "Plant.rtf",
     [](ProjectWindowTest&, CProject* p)
     { QTest::mouseClick(ProjectPage(p)->TextReportButton(), Qt::LeftButton); }},
    {"The data dump could not be written.", "Plant.dmp",
     [](ProjectWindowTest&, CProject* p) { QTest::mouseClick(ProjectPage(p)->DumpButton(), Qt::LeftButton); }},
    {"The designer list could not be saved.", kDesignerFileName,
     [](ProjectWindowTest&, CProject* p)
     {
       WhenDialogOpens<CStringDialog>(
         [](CStringDialog* dialog)
         {
           dialog->TextField()->setText("New Designer");
           QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
         });
       QTest::mouseClick(ProjectPage(p)->NewDesignerButton(), Qt::LeftButton);
     }},
    {"The customer list could not be saved.", kCustomerFileName,
     [](ProjectWindowTest&, CProject* p)
     {
       Show(Sheet(p), Sheet(p)->CustomerPage());
       WhenDialogOpens<CAddressDialog>(
         [](CAddressDialog* dialog)
         {
           dialog->Edit(CAddressDialog::Name)->setText("New Customer");
           QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
         });
       QTest::mouseClick(Sheet(p)->CustomerPage()->NewButton(), Qt::LeftButton);
       Show(Sheet(p), Sheet(p)->ProjectPage());
     }},
    {"The project \"Plant\" could not be saved.", "Plant.ad",
     [](ProjectWindowTest&, CProject* p)
     { Window(p)->close(); },
     // Closing: past the density question, Yes to saving, Yes to keeping the project open.
     {CPromptAnswer::No, CPromptAnswer::Yes, CPromptAnswer::Yes}},
  };

  for (const CSaveAction& action : actions)
  {
    mPrompts.mTexts.clear();
    mPrompts.mAnswers.assign(action.answers.begin(), action.answers.end());
    {
      CFullDisk full;
      action.run(*this, project);
      Settle();
    }
    const QString told = mPrompts.mTexts.join("\n");
    EXPECT_TRUE(told.contains(action.what)) << action.file << ": " << told.toStdString();
    EXPECT_TRUE(told.contains(QString::fromStdString(action.file))) << told.toStdString();
    EXPECT_TRUE(told.contains("No space left on device")) << told.toStdString();
    ASSERT_EQ(OpenProjects().Find("Plant"), project) << action.file;
    EXPECT_TRUE(project->IsModified()) << action.file;
    EXPECT_TRUE(ProjectPage(project)->SaveButton()->isEnabled()) << action.file;
    for (const auto& [file, bytes] : before)
      EXPECT_EQ(ReadBytes(file), bytes) << file << " after the failed save of " << action.file;
    EXPECT_EQ(FolderNames("."), entries) << action.file;
  }

  // With room on the disk again, the same save goes through.
  mPrompts.mTexts.clear();
  QTest::mouseClick(ProjectPage(project)->SaveButton(), Qt::LeftButton);
  Settle();
  EXPECT_TRUE(mPrompts.mTexts.isEmpty()) << mPrompts.mTexts.join("\n").toStdString();
  EXPECT_FALSE(project->IsModified());
  CProject reread;
  reread.SetName("Plant");
  ASSERT_TRUE(::LoadProject(reread));
  EXPECT_EQ(reread.mNotes, "saved notes");
  EXPECT_NE(reread.mAreaTable.Find("Hall"), nullptr);
}
