// The Project page: saving, Save As, the designer list, the reference field
// and the report and dump buttons.

#include "document/open_projects.h"
#include "document/shared_lists.h"
#include "model/today_date.h"
#include "storage/project_file.h"
#include "tests/ui/project_test_fixture.h"
#include "ui/sheet_wnd.h"

#include "storage/catalogue.h"
#include "storage/lock_file.h"
#include "storage/recent_projects.h"
#include "text/units.h"
#include "ui/field_helpers.h"
#include "ui/open_project.h"
#include "ui/project_tab_project.h"
#include "ui/project_tab_volumes.h"
#include "ui/qt_text.h"
#include "ui/string_dialog.h"
#include "ui/volume_list_model.h"
#include "ui/volume_sheet.h"
#include "ui/volume_tab_volume.h"
#include "ui/volume_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QTest>
#include <fstream>

namespace
{
class ProjectPage : public ProjectWindowTest
{
protected:
  CVTXPageProject* Page(CProject* project) { return Sheet(project)->ProjectPage(); }

  // Writes a project file so that opening it gives a saved project.
  void WriteSavedProject(const std::string& name)
  {
    CProject project;
    project.SetName(name);
    std::string error;
    ASSERT_TRUE(::SaveProject(project, &error)) << error;
  }
};

// Types as the user does (one key event per character, any character).
void TypeAndLeave(QLineEdit* field, const QString& text, QWidget* next)
{
  field->setFocus();
  field->selectAll();
  for (QChar c : text)
  {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &press);
  }
  next->setFocus();
  Settle();
}
} // namespace

TEST_F(ProjectPage, SaveIsEnabledOnlyWhileTheProjectHasUnsavedChanges)
{
  WriteSavedProject("Plant");
  CProject* project = Open("Plant");
  ASSERT_NE(project, nullptr);
  CVTXPageProject* page = Page(project);
  EXPECT_FALSE(project->IsModified());
  EXPECT_FALSE(page->SaveButton()->isEnabled());
  EXPECT_TRUE(page->SaveAsButton()->isEnabled());

  // Choosing "FOOT" is an edit.
  page->UnitList()->setFocus();
  QTest::keyClick(page->UnitList(), Qt::Key_Down);
  Settle();
  EXPECT_EQ(project->mUnits, UNITS_IMPERIAL);
  EXPECT_TRUE(page->SaveButton()->isEnabled());

  QTest::mouseClick(page->SaveButton(), Qt::LeftButton);
  Settle();
  EXPECT_FALSE(project->IsModified());
  EXPECT_FALSE(page->SaveButton()->isEnabled());
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());

  // An edit and its undoing: the project is as saved again.
  QTest::keyClick(page->UnitList(), Qt::Key_Up);
  Settle();
  EXPECT_TRUE(page->SaveButton()->isEnabled());
  QTest::keyClick(page->UnitList(), Qt::Key_Down);
  Settle();
  EXPECT_FALSE(project->IsModified());
  EXPECT_FALSE(page->SaveButton()->isEnabled());

  // A new project has never been written: it counts as changed at once.
  CProject* fresh = Open("Fresh");
  EXPECT_TRUE(Page(fresh)->SaveButton()->isEnabled());
  // Saved, it heads the recent projects; the read one follows.
  EXPECT_EQ(ReadRecentProjects(mSettings).size(), 1u);
  QTest::mouseClick(Page(fresh)->SaveButton(), Qt::LeftButton);
  Settle();
  const std::vector<std::string> recent = ReadRecentProjects(mSettings);
  ASSERT_EQ(recent.size(), 2u);
  EXPECT_EQ(recent[0], (std::filesystem::current_path() / "Fresh.ad").string());
  EXPECT_EQ(recent[1], (std::filesystem::current_path() / "Plant.ad").string());
}

TEST_F(ProjectPage, ChoosingFeetReshowsTheLengthsOfTheOpenPages)
{
  CProject* project = Open("Plant");
  CArea* hall = AddVolume(project, "Hall", 0, 3.048, 6.096, 3.048);
  OpenVolumeWindow(hall);
  Settle();
  auto* volume = VolumeWindowOf(hall);
  ASSERT_NE(volume, nullptr);
  auto* volumeSheet = qobject_cast<CVTXAreaSheet*>(volume->Sheet());
  ASSERT_NE(volumeSheet, nullptr);
  EXPECT_EQ(volumeSheet->VolumePage()->LengthField()->text(), "3.048 m");

  CVTXPageProject* page = Page(project);
  Show(Sheet(project), page);
  page->UnitList()->setFocus();
  QTest::keyClick(page->UnitList(), Qt::Key_Down);
  Settle();
  // The volume window's active page shows feet at once, the Volumes page
  // as soon as it is shown.
  EXPECT_EQ(volumeSheet->VolumePage()->LengthField()->text(), "10 ft");
  EXPECT_EQ(volumeSheet->VolumePage()->VolumeField()->text(), "2000 cu ft");
  CVTXPageArea* volumes = Sheet(project)->VolumesPage();
  Show(Sheet(project), volumes);
  EXPECT_EQ(volumes->Model()->index(0, 2).data().toString(), "10 ft");
}

TEST_F(ProjectPage, AFailedSaveIsReportedAndTheProjectStaysChanged)
{
  CProject* project = Open("Plant");
  // A folder in the way of the project file makes the write fail.
  std::filesystem::create_directory("Plant.ad");
  QTest::mouseClick(Page(project)->SaveButton(), Qt::LeftButton);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].startsWith("The project \"Plant\" could not be saved."));
  EXPECT_TRUE(project->IsModified());
  EXPECT_TRUE(Page(project)->SaveButton()->isEnabled());
}

TEST_F(ProjectPage, SaveAsOpensAndWritesACopyDatedTodayAndLeavesTheFirstWindowAsItWas)
{
  CProject* project = Open("Plant");
  project->mProject_Date = "01/02/99";
  project->SetProjectReference("R-7");
  AddVolume(project, "Boiler room", 0, 10, 8, 3);
  WhenDialogOpens<CStringDialog>(
    [](CStringDialog* dialog)
    {
      EXPECT_EQ(dialog->windowTitle(), "Project Name");
      EXPECT_TRUE(dialog->TextField()->text().isEmpty());
      dialog->TextField()->setText("Plant copy");
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
  QTest::mouseClick(Page(project)->SaveAsButton(), Qt::LeftButton);
  Settle();

  EXPECT_EQ(OpenProjects().Count(), 2u);
  EXPECT_EQ(SubWindowCount(), 2);
  CProject* copy = OpenProjects().Find("Plant copy");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->mProject_Date, TodayDate());
  EXPECT_EQ(copy->mProject_Reference, "R-7");
  EXPECT_EQ(copy->mAreaTable.Count(), 1u);
  EXPECT_FALSE(copy->IsModified());
  EXPECT_TRUE(std::filesystem::exists("Plant copy.ad")); // written at once
  EXPECT_EQ(Window(copy)->windowTitle(), "Plant copy");
  EXPECT_EQ(project->mProject_Date, "01/02/99");
  EXPECT_EQ(Window(project)->windowTitle(), "Plant");
}

TEST_F(ProjectPage, DesignersAreAddedSavedChosenAndDeleted)
{
  CProject* project = Open("Plant");
  CVTXPageProject* page = Page(project);
  EXPECT_FALSE(page->DesignerList()->isEnabled()); // an empty list
  EXPECT_FALSE(page->DeleteDesignerButton()->isEnabled());

  Designers().Add("bob");
  WhenDialogOpens<CStringDialog>(
    [](CStringDialog* dialog)
    {
      EXPECT_EQ(dialog->windowTitle(), "Designer's Name");
      dialog->TextField()->setText("Ann   Lee");
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
  QTest::mouseClick(page->NewDesignerButton(), Qt::LeftButton);
  Settle();
  // The list holds the name with single spaces, and so does the project.
  EXPECT_EQ(Designers().Names(), (std::vector<std::string>{"Ann Lee", "bob"}));
  EXPECT_EQ(project->mProject_Designer, "Ann Lee");
  EXPECT_TRUE(std::filesystem::exists(kDesignerFileName));
  ASSERT_EQ(page->DesignerList()->count(), 2);
  EXPECT_EQ(page->DesignerList()->currentText(), "Ann Lee");
  EXPECT_TRUE(page->DeleteDesignerButton()->isEnabled());

  // No keeps the designer.
  QTest::mouseClick(page->DeleteDesignerButton(), Qt::LeftButton);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mCaptions[0], "Warning");
  EXPECT_EQ(mPrompts.mTexts[0],
            "This action will remove \"Ann Lee\" from your list.  Are you sure you want to do this?");
  EXPECT_EQ(project->mProject_Designer, "Ann Lee");

  mPrompts.mAnswers.push_back(CPromptAnswer::Yes);
  QTest::mouseClick(page->DeleteDesignerButton(), Qt::LeftButton);
  Settle();
  EXPECT_EQ(Designers().Names(), std::vector<std::string>{"bob"});
  EXPECT_TRUE(project->mProject_Designer.empty());
  EXPECT_EQ(page->DesignerList()->currentIndex(), -1);
  EXPECT_FALSE(page->DeleteDesignerButton()->isEnabled());
  CNameList reread;
  ASSERT_TRUE(reread.Load(kDesignerFileName));
  EXPECT_EQ(reread.Names(), std::vector<std::string>{"bob"});
}

TEST_F(ProjectPage, TheReferenceIsTakenWhenTheFieldLosesTheFocus)
{
  CProject* project = Open("Plant");
  CVTXPageProject* page = Page(project);
  TypeAndLeave(page->ReferenceField(), "  A   12 ", page->UnitList());
  EXPECT_EQ(project->mProject_Reference, "A 12");
  EXPECT_EQ(page->ReferenceField()->text(), "A 12");

  // A character the program cannot store is removed, and the user is told.
  TypeAndLeave(page->ReferenceField(), QString("B") + QChar(0x2603) + "7", page->UnitList());
  EXPECT_EQ(project->mProject_Reference, "B7");
  EXPECT_EQ(page->ReferenceField()->text(), "B7");
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mTexts[0], kCharactersRemovedText);
}

TEST_F(ProjectPage, TheTextFileReportIsWrittenAndItsPlaceIsTold)
{
  CProject* project = Open("Plant");
  QTest::mouseClick(Page(project)->TextReportButton(), Qt::LeftButton);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mCaptions[0], "Information");
  const std::string path = (std::filesystem::current_path() / "Plant.rtf").string();
  EXPECT_EQ(mPrompts.mTexts[0],
            ToQt("The text file version of the report was created and saved as " + path + "."));
  std::ifstream file(path, std::ios::binary);
  std::string head(5, '\0');
  file.read(head.data(), 5);
  EXPECT_EQ(head, "{\\rtf");

  // A report that cannot be written says so instead of claiming success.
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  QTest::mouseClick(Page(project)->TextReportButton(), Qt::LeftButton);
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 2);
  EXPECT_TRUE(mPrompts.mTexts[1].startsWith("The text file version of the report could not be created."));
}

TEST_F(ProjectPage, TheDumpButtonIsShownOnlyInDiagnosticMode)
{
  CProject* project = Open("Plant");
  EXPECT_TRUE(Page(project)->DumpButton()->isHidden());
  mSettings.Write("Settings", "Diagnostics", "1");
  CProject* other = Open("Other");
  CVTXPageProject* page = Page(other);
  EXPECT_FALSE(page->DumpButton()->isHidden());
  QTest::mouseClick(page->DumpButton(), Qt::LeftButton);
  Settle();
  EXPECT_TRUE(std::filesystem::exists("Other.dmp"));
}

TEST_F(ProjectPage, ASecondCopyOpensAMarkedProjectReadOnlyAndASaveAsksBeforeReplacingAChangedFile)
{
  WriteSavedProject("Plant");
  auto reference = []
  {
    CProject read;
    read.mPath = "Plant.ad";
    EXPECT_TRUE(::LoadProject(read));
    return read.mProject_Reference;
  };
  {
    CFileMark otherCopy;
    ASSERT_EQ(otherCopy.Mark("Plant.ad"), CLockFile::CState::Held);
    EXPECT_FALSE(OpenProject("Plant", nullptr)); // answered No
    ASSERT_EQ(mPrompts.mTexts.size(), 1);
    EXPECT_TRUE(mPrompts.mTexts[0].contains("is open in another copy of the program")) << mPrompts.mTexts[0].toStdString();
    EXPECT_TRUE(OpenProjects().Empty());

    mPrompts.mAnswers = {CPromptAnswer::Yes};
    CProject* project = Open("Plant");
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(Window(project)->windowTitle(), "Plant (read-only)");
    project->SetProjectReference("lost");
    project->RecalculateProject();
    Settle();
    mPrompts.mTexts.clear();
    QTest::mouseClick(Page(project)->SaveButton(), Qt::LeftButton);
    ASSERT_EQ(mPrompts.mTexts.size(), 1);
    EXPECT_TRUE(mPrompts.mTexts[0].contains("read-only")) << mPrompts.mTexts[0].toStdString();
    EXPECT_EQ(reference(), "");
    // Open read-only here, the file stays where it is for the other copies.
    otherCopy.Release();
    std::string error;
    EXPECT_FALSE(DeleteProjectFile(".", "Plant", &error));
    EXPECT_NE(error.find("is open read-only in another copy"), std::string::npos) << error;
    Window(project)->close(); // the save question answered No
    Settle();
  }

  // Open here alone: marked; another program writes the file meanwhile.
  CProject* project = Open("Plant");
  ASSERT_NE(project, nullptr);
  EXPECT_TRUE(MarkedElsewhere("Plant.ad"));
  CProject other;
  other.SetName("Plant");
  other.mProject_Reference = "theirs";
  ASSERT_TRUE(::SaveProject(other));
  project->SetProjectReference("mine");
  project->RecalculateProject();
  Settle();
  for (CPromptAnswer answer : {CPromptAnswer::No, CPromptAnswer::Yes})
  {
    mPrompts.mTexts.clear();
    mPrompts.mAnswers = {answer};
    QTest::mouseClick(Page(project)->SaveButton(), Qt::LeftButton);
    Settle();
    ASSERT_FALSE(mPrompts.mTexts.isEmpty());
    EXPECT_TRUE(mPrompts.mTexts[0].contains("was changed by another program")) << mPrompts.mTexts[0].toStdString();
    EXPECT_EQ(reference(), answer == CPromptAnswer::Yes ? "mine" : "theirs");
    EXPECT_EQ(project->IsModified(), answer == CPromptAnswer::No);
    // No is the user's choice, not a failure: said calmly, with the way out.
    if (answer == CPromptAnswer::No)
    {
      ASSERT_EQ(mPrompts.mTexts.size(), 2);
      EXPECT_EQ(mPrompts.mTexts[1],
                "The project \"Plant\" was not saved: its file was kept as the other program left "
                "it.\r\nYour changes are still here; Save As keeps them under another name.");
      EXPECT_EQ(mPrompts.mIcons.back(), CPromptIcon::Information);
    }
  }
  EXPECT_TRUE(MarkedElsewhere("Plant.ad")); // the new file is marked too
}
