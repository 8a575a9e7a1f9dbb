// Closing a project window: the UL question, the save question, the volume
// windows going first, and nothing touching the project once it is gone.

#include "document/open_projects.h"
#include "storage/project_file.h"
#include "tests/ui/project_test_fixture.h"
#include "ui/sheet_wnd.h"

#include "model/device_model.h"
#include "storage/recent_projects.h"
#include "ui/project_tab_errors.h"
#include "ui/project_tab_project.h"
#include "ui/project_tab_volumes.h"
#include "ui/qt_text.h"
#include "ui/volume_window.h"

#include <QLineEdit>
#include <QTest>

namespace
{
class ProjectClose : public ProjectWindowTest
{
protected:
  // A volume with a required mass and no devices is below its UL minimum.
  CArea* AddUnprotectedVolume(CProject* project)
  {
    CArea* area = AddVolume(project, "Hall", 0, 10, 10, 3);
    EXPECT_TRUE(area->mWarnings & AW_BELOW_UL_DENSITY);
    return area;
  }
  static QString SaveQuestion(const char* name)
  {
    return QString("The project \"%1\" is not saved.  Do you want to save it?").arg(name);
  }
  bool CloseWindow(CProject* project)
  {
    QPointer<CSheetWnd> window = Window(project);
    window->close();
    Settle();
    return window.isNull();
  }
};
} // namespace

TEST_F(ProjectClose, YesToTheULQuestionKeepsTheProjectOpen)
{
  CProject* project = Open("Plant");
  AddUnprotectedVolume(project);
  mPrompts.mAnswers = {CPromptAnswer::Yes};
  EXPECT_FALSE(CloseWindow(project));
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mCaptions[0], "UL WARNING");
  EXPECT_EQ(mPrompts.mTexts[0], ToQt(ULCloseProjectText({"Hall"})));
  EXPECT_EQ(mPrompts.mIcons[0], CPromptIcon::Exclamation);
  EXPECT_EQ(OpenProjects().Find("Plant"), project);
  EXPECT_NE(ProjectWindowOf(project), nullptr);
}

TEST_F(ProjectClose, NoToBothQuestionsClosesEverythingAndDiscardsTheChanges)
{
  CProject* project = Open("Plant");
  CArea* hall = AddUnprotectedVolume(project);
  OpenVolumeWindow(hall);
  Settle();
  QPointer<CSheetWnd> volumeWindow = VolumeWindowOf(hall);
  ASSERT_FALSE(volumeWindow.isNull());

  mPrompts.mAnswers = {CPromptAnswer::No, CPromptAnswer::No};
  EXPECT_TRUE(CloseWindow(project));
  ASSERT_EQ(mPrompts.mTexts.size(), 2);
  EXPECT_EQ(mPrompts.mCaptions[1], kAppTitle);
  EXPECT_EQ(mPrompts.mTexts[1], SaveQuestion("Plant"));
  EXPECT_EQ(mPrompts.mIcons[1], CPromptIcon::Question);
  EXPECT_TRUE(volumeWindow.isNull()); // closed without its own UL question
  EXPECT_TRUE(OpenProjects().Empty());
  EXPECT_EQ(SubWindowCount(), 0);
  EXPECT_FALSE(std::filesystem::exists("Plant.ad"));
}

TEST_F(ProjectClose, YesToTheSaveQuestionWritesTheProjectWithTheTextStillBeingTyped)
{
  CProject* project = Open("Plant");
  // Set in the model while the Customer page was never shown: its stale
  // field must not overwrite the reference.
  project->SetCustomerReference("C-9");
  CVTXPageProject* page = Sheet(project)->ProjectPage();
  page->ReferenceField()->setFocus();
  QTest::keyClicks(page->ReferenceField(), "P-42"); // the focus never leaves the field
  mPrompts.mAnswers = {CPromptAnswer::Yes};
  EXPECT_TRUE(CloseWindow(project));
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mTexts[0], SaveQuestion("Plant"));

  CProject reread;
  reread.SetName("Plant");
  ASSERT_TRUE(::LoadProject(reread));
  EXPECT_EQ(reread.mProject_Reference, "P-42");
  EXPECT_EQ(reread.mCustomer_Reference, "C-9");
  EXPECT_EQ(ReadRecentProjects(mSettings).size(), 1u);
}

TEST_F(ProjectClose, AFailedSaveIsReportedAndTheUserMayKeepTheWork)
{
  CProject* project = Open("Plant");
  std::filesystem::create_directory("Plant.ad"); // the project file cannot be written
  mPrompts.mAnswers = {CPromptAnswer::Yes, CPromptAnswer::Yes};
  EXPECT_FALSE(CloseWindow(project));
  ASSERT_EQ(mPrompts.mTexts.size(), 2);
  EXPECT_TRUE(mPrompts.mTexts[1].startsWith("The project \"Plant\" could not be saved."));
  EXPECT_TRUE(mPrompts.mTexts[1].contains("keep the project open"));
  EXPECT_EQ(OpenProjects().Find("Plant"), project);
  EXPECT_TRUE(project->IsModified());

  // The next close asks again; this time the user lets it go.
  mPrompts.mAnswers = {CPromptAnswer::Yes, CPromptAnswer::No};
  EXPECT_TRUE(CloseWindow(project));
  EXPECT_EQ(mPrompts.mTexts.size(), 4);
  EXPECT_TRUE(OpenProjects().Empty());
}

TEST_F(ProjectClose, EscapeOnAnyQuestionKeepsTheWindowAndTheWork)
{
  CProject* project = Open("Plant");
  AddUnprotectedVolume(project);
  struct
  {
    const char* step;
    std::deque<std::optional<CPromptAnswer>> answers;
    CPromptButtons escaped; // the buttons of the box Escape was pressed on
  } const steps[] = {
    {"the UL question", {kPressEscape}, CPromptButtons::YesNoEscapeYes},
    {"the save question", {CPromptAnswer::No, kPressEscape}, CPromptButtons::YesNoCancel},
    {"keeping a project that failed to save",
     {CPromptAnswer::No, CPromptAnswer::Yes, kPressEscape},
     CPromptButtons::YesNoEscapeYes},
  };
  std::filesystem::create_directory("Plant.ad"); // only the last step saves
  for (const auto& step : steps)
  {
    mPrompts.mButtons.clear();
    mPrompts.mAnswers = step.answers;
    EXPECT_FALSE(CloseWindow(project)) << step.step;
    ASSERT_EQ(mPrompts.mButtons.size(), step.answers.size()) << step.step;
    EXPECT_EQ(mPrompts.mButtons.back(), step.escaped) << step.step;
    EXPECT_EQ(OpenProjects().Find("Plant"), project) << step.step;
    EXPECT_TRUE(project->IsModified()) << step.step;
  }
  EXPECT_EQ(mPrompts.mTexts[2], SaveQuestion("Plant")); // the text is unchanged
}

TEST_F(ProjectClose, ASavedProjectClosesWithoutAQuestionAndNothingLateReachesIt)
{
  CProject* project = Open("Plant");
  AddVolume(project, "Hall", 0, 10, 10, 3);
  project->mAreaTable.Find("Hall")->SetDeviceCount(7, 12); // enough agent
  project->RecalculateProject();
  ASSERT_TRUE(SaveOpenProject(*project));
  CVTXSheet* sheet = Sheet(project);
  // Refreshes still queued for the window and a page when it closes.
  project->RecalculateProject();
  sheet->VolumesPage()->PostRefresh();
  sheet->ErrorsPage()->PostRefresh();
  QPointer<CSheetWnd> window = Window(project);
  window->close();
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());
  EXPECT_TRUE(OpenProjects().Empty());
  Settle();
  EXPECT_TRUE(window.isNull());
}
