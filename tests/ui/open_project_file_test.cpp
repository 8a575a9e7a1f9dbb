// Project files handed over from outside: the command line, drops on the main
// window and the recent-projects list in the File menu.

#include "document/open_projects.h"
#include "ui/open_project_file.h"

#include "storage/recent_projects.h"
#include "tests/common/file_bytes.h"
#include "tests/ui/shell_fixture.h"
#include "ui/open_project.h"
#include "ui/recent_projects_menu.h"

#include <QAction>
#include <QMimeData>
#include <QUrl>

namespace fs = std::filesystem;

namespace
{
class OpenProjectFileTest : public CShellTest
{
protected:
  void SetUp() override
  {
    CShellTest::SetUp();
    mOutside = mRoot / "mail";
    fs::create_directory(mOutside);
  }
  bool Open(const fs::path& path) { return OpenProjectFile(mFrame.get(), path.string()); }
  void CloseAll()
  {
    mFrame->MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    ASSERT_TRUE(OpenProjects().Empty());
  }
  QStringList RecentTexts()
  {
    QStringList texts;
    for (QAction* action : mFrame->RecentProjects()->Refresh())
      texts << action->text();
    return texts;
  }
  fs::path mOutside;
};
} // namespace

TEST_F(OpenProjectFileTest, CommandLineFilesOpenOnceAndWrongOnesAreTold)
{
  SaveProject(mWork, "Plant", "", "REF-1");
  const QStringList files = ProjectFilesOnCommandLine(
      {"vantor", "Plant.ad", (mWork / "Plant.ad").c_str(),
       QString("file://%1").arg((mWork / "notes.txt").c_str()), (mWork / "Gone.ad").c_str()});
  ASSERT_EQ(files.size(), 4);
  EXPECT_EQ(files[0], files[1]); // relative to the folder the program started in
  OpenProjectFiles(mFrame.get(), files);
  ASSERT_EQ(OpenProjects().Count(), 1u); // the second naming only brings it to the front
  EXPECT_EQ(OpenProjects().Find("Plant")->mProject_Reference, "REF-1");
  EXPECT_EQ(mFrame->MdiArea()->subWindowList().size(), 1);
  ASSERT_EQ(mPrompts.mTexts.size(), 2);
  EXPECT_TRUE(mPrompts.mTexts[0].contains("is not a project file"));
  EXPECT_TRUE(mPrompts.mTexts[1].contains("cannot be found"));
}

TEST_F(OpenProjectFileTest, AFileFromAnotherFolderIsCopiedOrItsFolderBecomesTheWorkFolder)
{
  SaveProject(mOutside, "Job", "", "MAIL-1");
  const std::string original = ReadBytes(mOutside / "Job.ad");

  // Cancel opens nothing and changes nothing.
  mPrompts.mAnswers = {CPromptAnswer::Cancel};
  EXPECT_FALSE(Open(mOutside / "Job.ad"));
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].contains("is not in the work folder"));
  EXPECT_TRUE(OpenProjects().Empty());
  EXPECT_FALSE(fs::exists(mWork / "Job.ad"));

  // No: a copy in the work folder opens; the original is left as it was.
  mPrompts.mAnswers = {CPromptAnswer::No};
  ASSERT_TRUE(Open(mOutside / "Job.ad"));
  EXPECT_EQ(ReadBytes(mWork / "Job.ad"), original);
  EXPECT_EQ(ReadBytes(mOutside / "Job.ad"), original);
  EXPECT_EQ(fs::current_path(), mWork);
  // Named again while open: refused, the name is taken.
  mPrompts.mTexts.clear();
  EXPECT_FALSE(Open(mOutside / "Job.ad"));
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].contains("already open"));
  CloseAll();

  // The same attachment again opens the earlier copy; a different file of
  // that name is never copied over it.
  mPrompts.mAnswers = {CPromptAnswer::No};
  ASSERT_TRUE(Open(mOutside / "Job.ad"));
  CloseAll();
  SaveProject(mOutside, "Job", "", "MAIL-2");
  mPrompts.mTexts.clear();
  mPrompts.mAnswers = {CPromptAnswer::No};
  EXPECT_FALSE(Open(mOutside / "Job.ad"));
  EXPECT_TRUE(mPrompts.mTexts.last().contains("already holds a different project file"));
  EXPECT_EQ(ReadBytes(mWork / "Job.ad"), original);

  // With a project open the work folder stays; only a copy is offered.
  SaveProject(mOutside, "Other");
  ASSERT_TRUE(OpenProject("New one", nullptr));
  mPrompts.mAnswers = {CPromptAnswer::Ok};
  ASSERT_TRUE(Open(mOutside / "Other.ad"));
  EXPECT_TRUE(fs::exists(mWork / "Other.ad"));
  EXPECT_EQ(OpenProjects().Count(), 2u);
  CloseAll();

  // Yes: the file's folder becomes the work folder and the file opens in place.
  mPrompts.mAnswers = {CPromptAnswer::Yes};
  ASSERT_TRUE(Open(mOutside / "Job.ad"));
  EXPECT_EQ(fs::current_path(), mOutside);
  EXPECT_EQ(mSettings.Read("Settings", "Directory"), mOutside.string());
  EXPECT_EQ(OpenProjects().Find("Job")->mProject_Reference, "MAIL-2");
  EXPECT_FALSE(fs::exists(mOutside / "Job.ad.moving"));
}

TEST_F(OpenProjectFileTest, ProjectFilesDroppedOnTheMainWindowOpen)
{
  SaveProject(mWork, "Dropped");
  for (const char* file : {"notes.txt", "Dropped.ad"})
  {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile((mWork / file).c_str())});
    const QPoint at = mFrame->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mFrame.get(), &enter);
    EXPECT_EQ(enter.isAccepted(), std::string(file) == "Dropped.ad") << file;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mFrame.get(), &drop);
    QApplication::processEvents();
  }
  EXPECT_EQ(OpenProjects().Count(), 1u);
  EXPECT_NE(OpenProjects().Find("Dropped"), nullptr);
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());
}

TEST_F(OpenProjectFileTest, TheFileMenuListsRecentProjectsAndForgetsFilesThatAreGone)
{
  EXPECT_TRUE(RecentTexts().isEmpty());
  SaveProject(mWork, "A&B");
  SaveProject(mWork, "Second");
  ASSERT_TRUE(OpenProject("A&B", nullptr));
  ASSERT_TRUE(OpenProject("Second", nullptr));
  ASSERT_TRUE(OpenProject("Unsaved", nullptr)); // not on disk: not listed
  const QString folder = mWork.c_str();
  EXPECT_EQ(RecentTexts(),
            QStringList({"&1 Second  (" + folder + ")", "&2 A&&B  (" + folder + ")"}));
  CloseAll();

  // Choosing an entry opens its file; one whose file is gone leaves the list.
  mFrame->RecentProjects()->Refresh()[1]->trigger();
  EXPECT_NE(OpenProjects().Find("A&B"), nullptr);
  CloseAll();
  fs::remove(mWork / "Second.ad");
  mPrompts.mTexts.clear();
  mFrame->RecentProjects()->Refresh()[1]->trigger();
  EXPECT_TRUE(OpenProjects().Empty());
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].contains("no longer exists"));
  EXPECT_EQ(RecentTexts(), QStringList({"&1 A&&B  (" + folder + ")"}));
  EXPECT_EQ(ReadRecentProjects(mSettings).size(), 1u);
}
