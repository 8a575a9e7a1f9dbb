// The Openings page of the volume window: the sorted list, its cells, the
// sums, and the New, Edit, Duplicate and Delete commands.

#include "tests/ui/volume_test_fixture.h"
#include "ui/volume_tab_openings.h"
#include "ui/field_helpers.h"
#include "ui/opening_dialog.h"
#include "ui/opening_list_model.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

namespace
{
class OpeningsPage : public CVolumeWindowTest
{
protected:
  void SetUp() override
  {
    CVolumeWindowTest::SetUp();
    mArea = AddVolume("Room", 0, 10, 10, 3);
  }

  CVTXAreaPageDimension* Open() { return CVolumeWindowTest::Open(mArea, 1)->OpeningsPage(); }

  // Six wall openings of distinct areas, 6 m2 down to 1 m2 once sorted.
  void AddSixWalls()
  {
    for (int i = 1; i <= 6; ++i)
      mArea->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, i, 1, 0.5);
  }

  static QString Cell(const CVTXAreaPageDimension* page, int row, CVentColumn column)
  {
    return page->List()->model()->index(row, static_cast<int>(column)).data().toString();
  }

  static void SelectRows(CVTXAreaPageDimension* page, std::initializer_list<int> rows)
  {
    QItemSelectionModel* selection = page->List()->selectionModel();
    selection->clearSelection();
    for (int row : rows)
      selection->select(page->List()->model()->index(row, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }

  CArea* mArea = nullptr;
};
} // namespace

TEST_F(OpeningsPage, ListsTheOpeningsSortedWithTheirCellsAndSums)
{
  mArea->mVentTable.Add(VENT_FLOOR, SHAPE_RECTANGULAR, 1, 1, 0.5);
  mArea->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 0.5, 1, 0.25);
  mArea->mVentTable.Add(VENT_CEILING, SHAPE_CIRCULAR, 2, 7, 1);
  mArea->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 2, 1, 0.5);
  CVTXAreaPageDimension* page = Open();

  // The table itself is put in order: walls by size, then ceiling, then floor.
  ASSERT_EQ(page->List()->model()->rowCount(), 4);
  EXPECT_EQ(mArea->mVentTable.Get(0)->mWidth, 2);
  EXPECT_EQ(Cell(page, 0, CVentColumn::Type), "WALL");
  EXPECT_EQ(Cell(page, 0, CVentColumn::Size), "2 sq m");
  EXPECT_EQ(Cell(page, 0, CVentColumn::Upper), "50%");
  EXPECT_EQ(Cell(page, 1, CVentColumn::Width), "0.5 m");
  EXPECT_EQ(Cell(page, 1, CVentColumn::Upper), "25%");
  // A circular opening shows its diameter and no height.
  EXPECT_EQ(Cell(page, 2, CVentColumn::Type), "CEILING");
  EXPECT_EQ(Cell(page, 2, CVentColumn::Width), "2 m");
  EXPECT_EQ(Cell(page, 2, CVentColumn::Height), "CIRCULAR");
  EXPECT_EQ(Cell(page, 2, CVentColumn::Size), "3.142 sq m");
  EXPECT_EQ(Cell(page, 2, CVentColumn::Upper), ""); // ceiling and floor have no share
  EXPECT_EQ(Cell(page, 3, CVentColumn::Type), "FLOOR");
  EXPECT_EQ(Cell(page, 3, CVentColumn::Height), "1 m");

  EXPECT_EQ(page->CeilingField()->text(), "3.142 sq m");
  EXPECT_EQ(page->WallUpperField()->text(), "1.125 sq m");
  EXPECT_EQ(page->WallLowerField()->text(), "1.375 sq m");
  EXPECT_EQ(page->FloorField()->text(), "1 sq m");
  EXPECT_EQ(page->UpperField()->text(), "4.267 sq m");
  EXPECT_EQ(page->LowerField()->text(), "2.375 sq m");
  EXPECT_EQ(page->TotalField()->text(), "6.642 sq m");

  // Five equal columns over the list less a scroll bar.
  const int width = page->List()->columnWidth(0);
  for (int column = 1; column < kVentColumnCount; ++column)
    EXPECT_EQ(page->List()->columnWidth(column), width);
  EXPECT_EQ(VentColumnWidth(520, 20), 100);
}

TEST_F(OpeningsPage, ButtonsFollowTheSelection)
{
  AddSixWalls();
  CVTXAreaPageDimension* page = Open();
  EXPECT_TRUE(page->NewButton()->isEnabled());
  EXPECT_FALSE(page->EditButton()->isEnabled());
  EXPECT_FALSE(page->DuplicateButton()->isEnabled());
  EXPECT_FALSE(page->DeleteButton()->isEnabled());
  SelectRows(page, {2});
  EXPECT_TRUE(page->EditButton()->isEnabled());
  EXPECT_TRUE(page->DuplicateButton()->isEnabled());
  EXPECT_TRUE(page->DeleteButton()->isEnabled());
  SelectRows(page, {2, 4});
  EXPECT_FALSE(page->EditButton()->isEnabled());
  EXPECT_FALSE(page->DuplicateButton()->isEnabled());
  EXPECT_TRUE(page->DeleteButton()->isEnabled());
}

TEST_F(OpeningsPage, DuplicateOnTheThirdOfSixSelectsTheThirdRowAgain)
{
  AddSixWalls();
  CVTXAreaPageDimension* page = Open();
  SelectRows(page, {2});
  page->DuplicateButton()->click();
  FlushEvents();
  ASSERT_EQ(mArea->mVentTable.Count(), 7u);
  EXPECT_EQ(page->List()->model()->rowCount(), 7);
  EXPECT_EQ(page->SelectedRows(), std::vector<int>{2});
  // The copy sits right behind its source.
  EXPECT_EQ(mArea->mVentTable.Get(2)->mWidth, 4);
  EXPECT_EQ(mArea->mVentTable.Get(3)->mWidth, 4);
  EXPECT_TRUE(page->EditButton()->isEnabled());
  // Only that refresh selects: the next one does not again.
  SelectRows(page, {});
  mProject.RecalculateProject();
  FlushEvents();
  EXPECT_TRUE(page->SelectedRows().empty());
}

TEST_F(OpeningsPage, DeleteRemovesExactlyTheSelectedOpenings)
{
  AddSixWalls();
  CVTXAreaPageDimension* page = Open();
  // Rows 0, 2 and 5 hold the 6, 4 and 1 m wide openings.
  SelectRows(page, {5, 0, 2});
  page->DeleteButton()->click();
  FlushEvents();
  ASSERT_EQ(mArea->mVentTable.Count(), 3u);
  EXPECT_EQ(mArea->mVentTable.Get(0)->mWidth, 5);
  EXPECT_EQ(mArea->mVentTable.Get(1)->mWidth, 3);
  EXPECT_EQ(mArea->mVentTable.Get(2)->mWidth, 2);
  EXPECT_EQ(page->List()->model()->rowCount(), 3);
  EXPECT_EQ(page->TotalField()->text(), "10 sq m");
  EXPECT_FALSE(page->DeleteButton()->isEnabled());
  EXPECT_TRUE(mPrompts.mTexts.isEmpty()); // no confirmation
}

TEST_F(OpeningsPage, NewAddsTheDialogsOpeningAndCancelAddsNothing)
{
  mProject.SetUnits(UNITS_IMPERIAL);
  CVTXAreaPageDimension* page = Open();
  QString title;
  CVentValues defaults{VENT_FLOOR, SHAPE_CIRCULAR, -1, -1, -1};
  WhenDialogOpens<CVentDialog>(
    [&](CVentDialog* dialog)
    {
      title = dialog->windowTitle();
      defaults = {dialog->mType, dialog->mShape, dialog->mWidth, dialog->mHeight, dialog->mUpper};
      EXPECT_EQ(dialog->mUnits, UNITS_IMPERIAL);
      dialog->mType = VENT_CEILING;
      dialog->mShape = SHAPE_CIRCULAR;
      dialog->mWidth = 0.6096;
      dialog->accept();
    });
  page->NewButton()->click();
  EXPECT_EQ(title, "New Opening");
  EXPECT_EQ(defaults.mType, VENT_WALL);
  EXPECT_EQ(defaults.mShape, SHAPE_RECTANGULAR);
  EXPECT_EQ(defaults.mWidth, 0);
  EXPECT_EQ(defaults.mHeight, 0);
  EXPECT_EQ(defaults.mUpper, 1);
  ASSERT_EQ(mArea->mVentTable.Count(), 1u);
  FlushEvents();
  EXPECT_EQ(Cell(page, 0, CVentColumn::Type), "CEILING");
  EXPECT_EQ(Cell(page, 0, CVentColumn::Width), "2 ft");
  EXPECT_EQ(Cell(page, 0, CVentColumn::Height), "CIRCULAR");
  EXPECT_TRUE(mArea->mFlags & AF_LH_VALID); // recalculated

  WhenDialogOpens<CVentDialog>([](CVentDialog* dialog) { dialog->reject(); });
  page->NewButton()->click();
  EXPECT_EQ(mArea->mVentTable.Count(), 1u);
}

TEST_F(OpeningsPage, EditAndDoubleClickEditTheSelectedOpening)
{
  mArea->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 2, 1, 0.5);
  mArea->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 1, 1, 0.5);
  CVTXAreaPageDimension* page = Open();
  SelectRows(page, {1});
  QString title;
  WhenDialogOpens<CVentDialog>(
    [&](CVentDialog* dialog)
    {
      title = dialog->windowTitle();
      EXPECT_EQ(dialog->mWidth, 1);
      dialog->mShape = SHAPE_CIRCULAR;
      dialog->mWidth = 3;
      dialog->accept();
    });
  page->EditButton()->click();
  EXPECT_EQ(title, "Edit Opening");
  FlushEvents();
  // The edited opening is now the larger one and sorts first.
  EXPECT_EQ(Cell(page, 0, CVentColumn::Height), "CIRCULAR");
  EXPECT_EQ(Cell(page, 0, CVentColumn::Width), "3 m");

  // A double click edits the row clicked; Cancel keeps the opening as it was.
  const QRect second = page->List()->visualRect(page->List()->model()->index(1, 0));
  bool opened = false;
  WhenDialogOpens<CVentDialog>(
    [&](CVentDialog* dialog)
    {
      opened = true;
      EXPECT_EQ(dialog->mWidth, 2);
      dialog->mWidth = 9;
      dialog->reject();
    });
  QTest::mouseClick(page->List()->viewport(), Qt::LeftButton, {}, second.center());
  QTest::mouseDClick(page->List()->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_TRUE(opened);
  EXPECT_EQ(mArea->mVentTable.Get(1)->mWidth, 2);
}

TEST_F(OpeningsPage, EditTakesWhatIsTypedInTheDialogAndCancelKeepsTheOpening)
{
  mArea->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 1.0, 2.0, 0.25);
  CVTXAreaPageDimension* page = Open();
  SelectRows(page, {0});
  QString title;
  double upperHandedBack = -1;
  WhenDialogOpens<CVentDialog>(
    [&](CVentDialog* dialog)
    {
      title = dialog->windowTitle();
      Choose(dialog->TypeList(), VENT_FLOOR);
      Type(dialog->WidthField(), "1.5");
      ClickOk(*dialog);
      upperHandedBack = dialog->mUpper;
      if (dialog->isVisible())
        dialog->reject();
    });
  page->EditButton()->click();
  FlushEvents();
  EXPECT_EQ(title, "Edit Opening");
  const CVent* vent = mArea->mVentTable.Get(0);
  ASSERT_NE(vent, nullptr);
  EXPECT_EQ(vent->mType, VENT_FLOOR);
  EXPECT_DOUBLE_EQ(vent->mWidth, 1.5);
  EXPECT_DOUBLE_EQ(vent->mHeight, 2.0);
  // Hidden for a floor opening, handed back as it was (the calculation then
  // counts a floor opening as lower).
  EXPECT_DOUBLE_EQ(upperHandedBack, 0.25);

  mArea->mVentTable.Get(0)->mWidth = 9;
  SelectRows(page, {0});
  WhenDialogOpens<CVentDialog>([](CVentDialog* dialog) { dialog->reject(); });
  page->EditButton()->click();
  EXPECT_DOUBLE_EQ(mArea->mVentTable.Get(0)->mWidth, 9.0);
}
