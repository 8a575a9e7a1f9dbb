// The File menu's project commands: greyed per active window, the exit
// that asks every project first, and the save key.

#include "ui/file_menu.h"

#include "document/project_document.h"
#include "tests/ui/project_test_fixture.h"
#include "ui/report_window.h"
#include "ui/report_wnd.h"

#include <QAction>
#include <QTest>

namespace
{
using FileMenu = ProjectWindowTest;

QString SaveQuestion(const char* name)
{
  return QString("The project \"%1\" is not saved.  Do you want to save it?").arg(name);
}
} // namespace

TEST_F(FileMenu, CommandsAreGreyedWhereTheyCannotActOnTheActiveProject)
{
  CFileMenu* menu = mFrame.FileMenu();
  CProject* plant = nullptr;
  CProject* yard = nullptr;
  struct
  {
    const char* window;
    std::function<QMdiSubWindow*()> activate;
    bool project, save, saveAll;
  } const rows[] = {
      {"none", [] { return nullptr; }, false, false, false},
      {"unchanged project", [&] { return Window(plant); }, true, false, true},
      {"modified project", [&] { return Window(yard); }, true, true, true},
      {"volume window", [&] { return VolumeWindowOf(yard->mAreaTable.Find("Hall")); }, true, true,
       true},
      {"report window", [&] { return ReportWindowOf(yard); }, true, true, true},
      {"read-only project",
       [&]
       {
         OpenProjects().Document(plant)->SetReadOnly();
         plant->SetProjectReference("R-2");
         return Window(plant);
       },
       true, false, true},
  };
  for (const auto& row : rows)
  {
    SCOPED_TRACE(row.window);
    if (QMdiSubWindow* window = row.activate())
      mFrame.MdiArea()->setActiveSubWindow(window);
    menu->Update();
    EXPECT_EQ(menu->CloseAction()->isEnabled(), row.project);
    EXPECT_EQ(menu->SaveAsAction()->isEnabled(), row.project);
    EXPECT_EQ(menu->PrintAction()->isEnabled(), row.project);
    EXPECT_EQ(menu->ExportPdfAction()->isEnabled(), row.project);
    EXPECT_EQ(menu->SaveAction()->isEnabled(), row.save);
    EXPECT_EQ(menu->SaveAllAction()->isEnabled(), row.saveAll);
    if (!plant)
    {
      plant = Open("Plant");
      ASSERT_TRUE(SaveOpenProject(*plant));
      yard = Open("Yard");
      AddVolume(yard, "Hall", 1, 10, 8, 4);
      ASSERT_NE(OpenVolumeSheet(yard->mAreaTable.Find("Hall")), nullptr);
      OpenReportWindow(yard);
      Settle();
    }
  }
}

TEST_F(FileMenu, CancelOnTheSecondProjectStopsTheExitAndLosesNothing)
{
  CProject* plant = Open("Plant");
  CProject* yard = Open("Yard");
  plant->SetProjectReference("P-1");
  yard->SetProjectReference("Y-1");
  mPrompts.mAnswers = {CPromptAnswer::No, CPromptAnswer::Cancel};
  mFrame.close();
  Settle();
  EXPECT_TRUE(mFrame.isVisible());
  EXPECT_EQ(mPrompts.mTexts, QStringList({SaveQuestion("Plant"), SaveQuestion("Yard")}));
  EXPECT_EQ(OpenProjects().Find("Plant"), plant);
  EXPECT_EQ(OpenProjects().Find("Yard"), yard);
  EXPECT_NE(Window(plant), nullptr);
  EXPECT_NE(Window(yard), nullptr);
  EXPECT_TRUE(plant->IsModified());
  EXPECT_EQ(plant->mProject_Reference, "P-1");

  // The answer given before the Cancel is asked again; then all close.
  mPrompts.mTexts.clear();
  mPrompts.mAnswers = {CPromptAnswer::No, CPromptAnswer::Yes};
  mFrame.ExitAction()->trigger();
  Settle();
  EXPECT_EQ(mPrompts.mTexts, QStringList({SaveQuestion("Plant"), SaveQuestion("Yard")}));
  EXPECT_TRUE(OpenProjects().Empty());
  EXPECT_FALSE(mFrame.isVisible());
  EXPECT_FALSE(std::filesystem::exists("Plant.ad"));
  EXPECT_TRUE(std::filesystem::exists("Yard.ad"));
}

TEST_F(FileMenu, CtrlSSavesAndCtrlWClosesTheProjectOfTheActiveWindow)
{
  Open("Plant");
  CProject* yard = Open("Yard");
  AddVolume(yard, "Hall", 1, 10, 8, 4);
  CVTXAreaSheet* volume = OpenVolumeSheet(yard->mAreaTable.Find("Hall"));
  ASSERT_NE(volume, nullptr);
  ASSERT_TRUE(ShowActive(mFrame));
  volume->setFocus();
  QTest::keyClick(volume, Qt::Key_S, Qt::ControlModifier);
  Settle();
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());
  EXPECT_TRUE(std::filesystem::exists("Yard.ad"));
  EXPECT_FALSE(yard->IsModified());
  EXPECT_FALSE(std::filesystem::exists("Plant.ad"));

  QTest::keyClick(volume, Qt::Key_W, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(OpenProjects().Find("Yard"), nullptr);
  EXPECT_NE(OpenProjects().Find("Plant"), nullptr);
}
