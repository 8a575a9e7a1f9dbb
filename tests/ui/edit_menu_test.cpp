// The Edit menu: its captions for the active project, and Ctrl+Z and Ctrl+Y
// after the edits a user most wants back.

#include "tests/ui/project_test_fixture.h"

#include "document/project_document.h"
#include "model/area.h"
#include "ui/edit_menu.h"
#include "ui/field_helpers.h"
#include "ui/project_tab_notes.h"
#include "ui/project_tab_project.h"
#include "ui/project_tab_volumes.h"
#include "ui/report_window.h"
#include "ui/volume_list_model.h"
#include "ui/volume_sheet.h"
#include "ui/volume_tab_notes.h"
#include "ui/volume_tab_openings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace
{
class EditMenu : public ProjectWindowTest
{
protected:
  void SetUp() override
  {
    ProjectWindowTest::SetUp();
    QApplication::setActiveWindow(&mFrame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mFrame));
  }
  // The captions and states of Undo and Redo as the open menu shows them.
  QStringList Menu() const
  {
    CEditMenu* menu = mFrame.EditMenu();
    menu->Update();
    QStringList shown;
    for (QAction* action : {menu->UndoAction(), menu->RedoAction()})
      shown << action->text().section('\t', 0, 0).remove('&') +
                   (action->isEnabled() ? "" : " (greyed)");
    return shown;
  }
  // The keys as pressed in the focused widget.
  static void Press(QWidget* widget, QKeyCombination keys)
  {
    QTest::keyClick(widget, keys.key(), keys.keyboardModifiers());
    Settle();
  }
  // Deletes the volume in the row through the project window's Volumes
  // page, as the user does; the page is left shown.
  CVTXPageArea* DeleteOnVolumesPage(CProject* project, int row)
  {
    CVTXPageArea* volumes = Sheet(project)->VolumesPage();
    mFrame.MdiArea()->setActiveSubWindow(Window(project));
    Show(Sheet(project), volumes);
    volumes->List()->selectRow(row);
    QTest::mouseClick(volumes->DeleteButton(), Qt::LeftButton);
    Settle();
    return volumes;
  }
  static constexpr QKeyCombination kUndo = Qt::CTRL | Qt::Key_Z;
  static constexpr QKeyCombination kRedo = Qt::CTRL | Qt::Key_Y;
};
} // namespace

TEST_F(EditMenu, ShowsTheActiveProjectsStepsAndUndoesTypingOrTheProject)
{
  EXPECT_EQ(mFrame.menuBar()->actions().at(1)->text(), "&Edit"); // between File and Help
  EXPECT_EQ(Menu(), QStringList({"Undo (greyed)", "Redo (greyed)"}));
  CProject* plant = Open("Plant");
  CVTXPageProject* page = Sheet(plant)->ProjectPage();
  QTest::mouseClick(page->SaveButton(), Qt::LeftButton);
  Settle();
  EXPECT_EQ(Menu(), QStringList({"Undo (greyed)", "Redo (greyed)"}));

  QLineEdit* reference = page->ReferenceField();
  reference->setFocus();
  QTest::keyClicks(reference, "R-1");
  page->UnitList()->setFocus(); // taken on leaving the field
  Settle();
  EXPECT_EQ(plant->mProject_Reference, "R-1");
  EXPECT_TRUE(page->SaveButton()->isEnabled());
  EXPECT_EQ(Menu(), QStringList({"Undo Project Reference", "Redo (greyed)"}));

  // Typing still in the field is the field's to undo; the project keeps its value.
  reference->setFocus();
  QTest::keyClicks(reference, "9");
  Press(reference, kUndo);
  EXPECT_EQ(reference->text(), "R-1");
  EXPECT_EQ(plant->mProject_Reference, "R-1");
  reference->setModified(false); // nothing typed any more
  // Otherwise the keys act on the project, in the focused field too, which
  // shows the value undone; back at the saved state Save greys out.
  Press(reference, kUndo);
  EXPECT_EQ(plant->mProject_Reference, "");
  EXPECT_EQ(reference->text(), "");
  EXPECT_FALSE(page->SaveButton()->isEnabled());
  EXPECT_EQ(Menu(), QStringList({"Undo (greyed)", "Redo Project Reference"}));
  Press(reference, kRedo);
  EXPECT_EQ(reference->text(), "R-1");
  EXPECT_TRUE(page->SaveButton()->isEnabled());
  Press(reference, Qt::CTRL | Qt::SHIFT | Qt::Key_Z); // nothing left to redo
  EXPECT_EQ(plant->mProject_Reference, "R-1");

  // Another project's window is active: its own (empty) history is offered.
  Open("Other");
  EXPECT_EQ(Menu(), QStringList({"Undo (greyed)", "Redo (greyed)"}));
  mFrame.MdiArea()->setActiveSubWindow(Window(plant));
  EXPECT_EQ(Menu(), QStringList({"Undo Project Reference", "Redo (greyed)"}));
  mFrame.MdiArea()->setActiveSubWindow(Window(OpenProjects().Find("Other")));
  OpenReportWindow(plant); // a report window stands for its project too
  Settle();
  EXPECT_EQ(Menu(), QStringList({"Undo Project Reference", "Redo (greyed)"}));
}

TEST_F(EditMenu, CtrlZBringsBackDeletedOpeningsAndVolumesWhole)
{
  CProject* project = Open("Plant");
  CArea* hall = AddVolume(project, "Hall", 0, 10, 10, 3);
  AddVolume(project, "Store", 1, 5, 5, 3);
  for (int width = 1; width <= 3; ++width)
    hall->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, width, 1, 0.5);
  hall->SetDeviceCount(2, 7);
  project->RecalculateProject();

  // The Openings page: two deleted, one Ctrl+Z.
  auto* sheet = OpenVolumeSheet(hall);
  sheet->setCurrentWidget(sheet->OpeningsPage());
  Settle();
  CVTXAreaPageDimension* openings = sheet->OpeningsPage();
  for (int row : {0, 2})
    openings->List()->selectionModel()->select(openings->List()->model()->index(row, 0),
                                               QItemSelectionModel::Select |
                                                   QItemSelectionModel::Rows);
  openings->DeleteButton()->click();
  Settle();
  ASSERT_EQ(hall->mVentTable.Count(), 1u);
  EXPECT_EQ(Menu().at(0), "Undo Delete Openings");
  Press(openings->List(), kUndo);
  EXPECT_EQ(hall->mVentTable.Count(), 3u);
  EXPECT_EQ(openings->List()->model()->rowCount(), 3);
  EXPECT_EQ(openings->TotalField()->text(), "6 sq m");

  // The Volumes page: the deleted volume returns with its openings and devices.
  CVTXPageArea* volumes = DeleteOnVolumesPage(project, 0);
  ASSERT_EQ(project->mAreaTable.Find("Hall"), nullptr);
  Press(volumes->List(), kUndo);
  const CArea* back = project->mAreaTable.Find("Hall");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->mVentTable.Count(), 3u);
  EXPECT_EQ(back->DeviceCount(2), 7u);
  EXPECT_EQ(volumes->Model()->rowCount(), 2);

  // Undoing a new volume closes its window first.
  CProjectDocument* document = OpenProjects().Document(project);
  ASSERT_TRUE(document->Apply(edit::NewVolume{"Yard", 0}));
  OpenVolumeWindow(project->mAreaTable.Find("Yard"));
  Settle();
  QPointer<CSheetWnd> yard = VolumeWindowOf(project->mAreaTable.Find("Yard"));
  ASSERT_FALSE(yard.isNull());
  Press(mFrame.MdiArea()->activeSubWindow(), kUndo);
  EXPECT_TRUE(yard.isNull());
  EXPECT_EQ(project->mAreaTable.Find("Yard"), nullptr);
  EXPECT_EQ(volumes->Model()->rowCount(), 2);
}

TEST_F(EditMenu, NotesUndoneAreShownAndNeverWrittenBackByTheEditor)
{
  CProject* project = Open("Plant");
  CArea* hall = AddVolume(project, "Hall", 0, 10, 10, 3);
  auto* sheet = OpenVolumeSheet(hall);
  sheet->setCurrentWidget(sheet->NotesPage());
  Settle();
  QPlainTextEdit* editor = sheet->NotesPage()->Editor();
  editor->setFocus();
  QTest::keyClicks(editor, "Dry");
  sheet->NotesPage()->IncludeBox()->setFocus(); // taken on leaving the editor
  Settle();
  ASSERT_EQ(hall->mNotes, "Dry");

  Press(sheet->NotesPage()->IncludeBox(), kUndo);
  EXPECT_EQ(editor->toPlainText(), "");
  // Passing through the editor leaves the notes as undone.
  editor->setFocus();
  sheet->NotesPage()->IncludeBox()->setFocus();
  Settle();
  EXPECT_EQ(hall->mNotes, "");
  EXPECT_EQ(Menu(), QStringList({"Undo (greyed)", "Redo Volume Notes"}));
}

TEST_F(EditMenu, UndoingANewVolumeWhoseWindowHoldsTypingUndoesBothAndRedoBringsBothBack)
{
  CProject* project = Open("Plant");
  CProjectDocument* document = OpenProjects().Document(project);
  ASSERT_TRUE(document->Apply(edit::NewVolume{"Yard", 0}));
  auto* sheet = OpenVolumeSheet(project->mAreaTable.Find("Yard"));
  sheet->setCurrentWidget(sheet->NotesPage());
  Settle();
  sheet->NotesPage()->Editor()->setFocus();
  QTest::keyClicks(sheet->NotesPage()->Editor(), "Gravel");
  EXPECT_EQ(Menu().at(0), "Undo New Volume");

  mFrame.EditMenu()->UndoAction()->trigger(); // from the menu, typing still in the editor
  Settle();
  EXPECT_EQ(project->mAreaTable.Find("Yard"), nullptr);
  EXPECT_EQ(Menu(), QStringList({"Undo (greyed)", "Redo New Volume"}));
  mFrame.EditMenu()->RedoAction()->trigger();
  mFrame.EditMenu()->RedoAction()->trigger();
  ASSERT_NE(project->mAreaTable.Find("Yard"), nullptr);
  EXPECT_EQ(project->mAreaTable.Find("Yard")->mNotes, "Gravel");
}

TEST_F(EditMenu, NotesUndoneAndRedoneFromAnotherTabAreNeverWrittenBackStaleOnSave)
{
  CProject* project = Open("Plant");
  CVTXSheet* sheet = Sheet(project);
  CProjectDocument* document = OpenProjects().Document(project);
  Show(sheet, sheet->NotesPage());
  QPlainTextEdit* editor = sheet->NotesPage()->Editor();
  editor->setFocus();
  QTest::keyClicks(editor, "Sprinklers off");
  Show(sheet, sheet->ProjectPage()); // taken on leaving the page
  ASSERT_EQ(project->mNotes, "Sprinklers off");

  // Undone from the Project page, looked at, then redone from there: the
  // Notes page, not shown meanwhile, still holds the undone text.
  Press(sheet->ProjectPage(), kUndo);
  Show(sheet, sheet->NotesPage());
  EXPECT_EQ(editor->toPlainText(), "");
  Show(sheet, sheet->ProjectPage());
  Press(sheet->ProjectPage(), kRedo);
  ASSERT_EQ(project->mNotes, "Sprinklers off");
  const std::uint64_t recorded = document->History().Recorded();
  sheet->CommitEdits(); // as Save does
  EXPECT_EQ(project->mNotes, "Sprinklers off");
  EXPECT_EQ(document->History().Recorded(), recorded);
  EXPECT_EQ(Menu(), QStringList({"Undo Project Notes", "Redo (greyed)"}));
  Show(sheet, sheet->NotesPage());
  EXPECT_EQ(editor->toPlainText(), "Sprinklers off");
}

TEST_F(EditMenu, RedoDeletesAVolumeAgainWhileItsWindowHoldsTyping)
{
  CProject* project = Open("Plant");
  AddVolume(project, "Hall", 0, 10, 10, 3);
  AddVolume(project, "Store", 1, 5, 5, 3);
  CProjectDocument* document = OpenProjects().Document(project);
  ASSERT_TRUE(document->Apply(edit::DeleteVolumes{{VolumeIdOf(document->Project(), "Hall")}}));
  ASSERT_TRUE(document->Undo());
  auto* sheet = OpenVolumeSheet(project->mAreaTable.Find("Hall"));
  sheet->setCurrentWidget(sheet->NotesPage());
  Settle();
  sheet->NotesPage()->Editor()->setFocus();
  QTest::keyClicks(sheet->NotesPage()->Editor(), "Half done");
  EXPECT_EQ(Menu().at(1), "Redo Delete Volume");

  mFrame.EditMenu()->RedoAction()->trigger();
  Settle();
  EXPECT_EQ(project->mAreaTable.Find("Hall"), nullptr);
  EXPECT_EQ(Menu(), QStringList({"Undo Delete Volume", "Redo (greyed)"}));
  mFrame.EditMenu()->UndoAction()->trigger();
  Settle();
  ASSERT_NE(project->mAreaTable.Find("Hall"), nullptr);
  EXPECT_EQ(project->mAreaTable.Find("Hall")->mNotes, "");
}

TEST_F(EditMenu, UndoingTheDeleteOfAVolumeWhoseWindowHeldTypingBringsTheTypingBack)
{
  CProject* project = Open("Plant");
  AddVolume(project, "Hall", 0, 10, 10, 3);
  AddVolume(project, "Store", 1, 5, 5, 3);
  auto* sheet = OpenVolumeSheet(project->mAreaTable.Find("Hall"));
  sheet->setCurrentWidget(sheet->NotesPage());
  Settle();
  sheet->NotesPage()->Editor()->setFocus();
  QTest::keyClicks(sheet->NotesPage()->Editor(), "Half done");

  // Deleted from the Volumes page: the typing was taken when the focus left
  // the notes for the project window, a step of its own before the delete.
  CVTXPageArea* volumes = DeleteOnVolumesPage(project, 0);
  ASSERT_EQ(project->mAreaTable.Find("Hall"), nullptr);
  EXPECT_EQ(Menu(), QStringList({"Undo Delete Volume", "Redo (greyed)"}));
  Press(volumes->List(), kUndo);
  ASSERT_NE(project->mAreaTable.Find("Hall"), nullptr);
  EXPECT_EQ(project->mAreaTable.Find("Hall")->mNotes, "Half done");
  EXPECT_EQ(Menu(), QStringList({"Undo Volume Notes", "Redo Delete Volume"}));
}

TEST_F(EditMenu, AStepThatRemovesAVolumeClosesItsWindowFirstAndKeepsTheRest)
{
  CProject* project = Open("Plant");
  AddVolume(project, "Hall", 0, 10, 10, 3);
  CProjectDocument* document = OpenProjects().Document(project);
  ASSERT_TRUE(document->Apply(edit::NewVolume{"Yard", 0}));
  CArea* yard = project->mAreaTable.Find("Yard");
  OpenVolumeWindow(yard);
  Settle();
  const QPointer<CSheetWnd> window = VolumeWindowOf(yard);
  ASSERT_TRUE(window);
  EXPECT_EQ(document->VolumesUndoRemoves(), std::vector<CArea*>{yard});

  mFrame.EditMenu()->UndoAction()->trigger();
  Settle();
  EXPECT_FALSE(window); // closed and destroyed
  EXPECT_EQ(project->mAreaTable.Find("Yard"), nullptr);
  ASSERT_NE(project->mAreaTable.Find("Hall"), nullptr);
  EXPECT_EQ(project->mAreaTable.Count(), 1u);
  EXPECT_EQ(project->mAreaTable.Find("Hall")->mVolume, 300); // 10 x 10 x 3 m
  EXPECT_NE(ProjectWindowOf(project), nullptr);
  EXPECT_TRUE(document->VolumesRedoRemoves().empty());

  mFrame.EditMenu()->RedoAction()->trigger();
  Settle();
  ASSERT_NE(project->mAreaTable.Find("Yard"), nullptr);
  ASSERT_TRUE(document->Apply(edit::DeleteVolumes{{VolumeIdOf(document->Project(), "Yard")}}));
  mFrame.EditMenu()->UndoAction()->trigger();
  Settle();
  ASSERT_NE(project->mAreaTable.Find("Yard"), nullptr);
  EXPECT_EQ(document->VolumesRedoRemoves().size(), 1u);
}
