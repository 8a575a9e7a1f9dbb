// The volume window: opening and closing, its caption, the UL question on
// closing, and the Volume, Notes and Errors pages.

#include "model/hazard_class.h"
#include "model/text_lines.h"
#include "tests/ui/volume_test_fixture.h"
#include "ui/field_helpers.h"
#include "ui/qt_text.h"
#include "ui/sheet_wnd.h"
#include "ui/volume_dialog.h"
#include "ui/volume_tab_errors.h"
#include "ui/volume_tab_notes.h"
#include "ui/volume_tab_openings.h"
#include "ui/volume_tab_volume.h"
#include "ui/volume_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>

using VolumeWindow = CVolumeWindowTest;

TEST_F(VolumeWindow, OpensOncePerVolumeTitledWithItsNameAndForgetsItselfWhenClosed)
{
  CArea* first = AddVolume("Room 1", 0, 0, 0, 0);
  CArea* second = AddVolume("Room 2", 0, 0, 0, 0);
  CVTXAreaSheet* sheet = Open(first);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(Window(first)->windowTitle(), "Plant \u2013 Room 1");
  EXPECT_EQ(sheet->Caption(), "Plant (Room 1)");
  ASSERT_EQ(sheet->count(), 5);
  const QStringList tabs = {"Volume", "Openings", "Device", "Notes", "Errors"};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(sheet->tabText(i), tabs[i]);

  Open(second);
  EXPECT_EQ(mFrame.MdiArea()->subWindowList().size(), 2);
  EXPECT_EQ(mFrame.MdiArea()->activeSubWindow(), Window(second));
  // Asking again brings the open window to the front instead of a second one.
  Open(first);
  EXPECT_EQ(mFrame.MdiArea()->subWindowList().size(), 2);
  EXPECT_EQ(mFrame.MdiArea()->activeSubWindow(), Window(first));

  // A refresh of the sheet keeps the window's title.
  mProject.RecalculateProject();
  FlushEvents();
  EXPECT_EQ(Window(first)->windowTitle(), "Plant \u2013 Room 1");

  // Nothing is short of devices (no volume, no required mass): no question.
  Window(first)->close();
  FlushEvents();
  EXPECT_EQ(VolumeWindowOf(first), nullptr);
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());
}

TEST_F(VolumeWindow, ClosingAVolumeShortOfDevicesAsksAndYesKeepsItOpen)
{
  CArea* classA = AddVolume("A", 0, 10, 10, 3); // 97 g/m3 minimum, no devices
  CArea* classB = AddVolume("B", 1, 10, 10, 3); // 67 g/m3 minimum
  ASSERT_TRUE(classA->mWarnings & AW_BELOW_UL_DENSITY);
  ASSERT_TRUE(classB->mWarnings & AW_BELOW_UL_DENSITY);
  Open(classA);
  Open(classB);

  mPrompts.mAnswers = {CPromptAnswer::Yes};
  Window(classA)->close();
  FlushEvents();
  ASSERT_NE(VolumeWindowOf(classA), nullptr);
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mCaptions[0], "UL WARNING");
  EXPECT_EQ(mPrompts.mIcons[0], CPromptIcon::Exclamation);
  EXPECT_EQ(mPrompts.mTexts[0], ToQt(ULCloseVolumeText(97)));
  EXPECT_TRUE(mPrompts.mTexts[0].contains("97g/m^3"));

  mPrompts.mAnswers = {CPromptAnswer::No};
  Window(classA)->close();
  FlushEvents();
  EXPECT_EQ(VolumeWindowOf(classA), nullptr);

  Window(classB)->close(); // No by default
  FlushEvents();
  ASSERT_EQ(mPrompts.mTexts.size(), 3);
  EXPECT_TRUE(mPrompts.mTexts[2].contains("67g/m^3"));
  EXPECT_TRUE(mPrompts.mTexts[2].contains("cancel closing this volume"));
  EXPECT_EQ(VolumeWindowOf(classB), nullptr);
}

TEST_F(VolumeWindow, CloseVolumeWindowAsksNothingAndLetsGoOfTheVolume)
{
  CArea* area = AddVolume("Doomed", 0, 10, 10, 3);
  CVTXAreaSheet* sheet = Open(area);
  QPointer<CSheetWnd> window = Window(area);
  // A refresh still queued when the volume goes must not reach it.
  mProject.RecalculateProject();
  CloseVolumeWindow(area);
  EXPECT_EQ(VolumeWindowOf(area), nullptr);
  EXPECT_EQ(sheet->Area(), nullptr);
  mProject.mAreaTable.RemoveByName("Doomed");
  FlushEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());
}

TEST(VolumePageHighlights, FollowTheBrokenLimits)
{
  EXPECT_TRUE(VolumeHighlights(AF_EXCESS_HEIGHT).mHeight);
  EXPECT_TRUE(VolumeHighlights(AF_ZERO_VOLUME).mVolume);
  EXPECT_TRUE(VolumeHighlights(AF_ZERO_VOLUME | AF_EXCESS_LR).mVolume);
  EXPECT_TRUE(VolumeHighlights(AF_EXCESS_VOLUME).mVolume);
  // A leakage error explains an excessive volume: only the leakage is marked.
  const CVolumeHighlights leaky = VolumeHighlights(AF_EXCESS_VOLUME | AF_EXCESS_LP | AF_EXCESS_HEIGHT);
  EXPECT_FALSE(leaky.mVolume);
  EXPECT_TRUE(leaky.mLP);
  EXPECT_FALSE(leaky.mLR);
  EXPECT_TRUE(leaky.mHeight);
  EXPECT_FALSE(VolumeHighlights(AF_EXCESS_VOLUME | AF_EXCESS_LR).mVolume);
  EXPECT_TRUE(VolumeHighlights(AF_EXCESS_LR).mLR);
  const CVolumeHighlights none = VolumeHighlights(AF_NO_OPENINGS | AF_INVALID_HAZARD);
  EXPECT_FALSE(none.mHeight || none.mVolume || none.mLR || none.mLP);
}

TEST_F(VolumeWindow, VolumePageShowsTheFiguresAndMarksBrokenLimitsYellow)
{
  CArea* tall = AddVolume("Tall", 0, 10, 10, 9); // above the 8 m of a tight volume
  CVTXAreaSheet* sheet = Open(tall);
  CVTXAreaPageHazard* page = sheet->VolumePage();
  EXPECT_EQ(page->HazardList()->count(), 10);
  EXPECT_EQ(page->HazardList()->currentIndex(), 0);
  EXPECT_EQ(page->LengthField()->text(), "10 m");
  EXPECT_EQ(page->HeightField()->text(), "9 m");
  EXPECT_EQ(page->VolumeField()->text(), "900 cu m");
  EXPECT_TRUE(page->HeightField()->Highlighted());
  EXPECT_EQ(page->HeightField()->palette().color(QPalette::Base), QColor(255, 255, 0));
  EXPECT_FALSE(page->VolumeField()->Highlighted());
  EXPECT_NE(page->VolumeField()->palette().color(QPalette::Base), QColor(255, 255, 0));
  EXPECT_FALSE(page->LRField()->Highlighted());
  // Without a valid K1 the field stays empty; the leakage figures show.
  EXPECT_TRUE(page->K1Field()->text().isEmpty());
  EXPECT_EQ(page->LRField()->text(), "0.000");
  EXPECT_EQ(page->K3Field()->text(), "1.000");

  // A field whose value did not change is left alone by a refresh.
  page->LengthField()->setSelection(0, 2);
  page->Refresh();
  EXPECT_EQ(page->LengthField()->selectedText(), "10");

  // Bringing the height within limits clears the mark; a zero volume sets one.
  tall->SetHeight(3);
  mProject.RecalculateProject();
  FlushEvents();
  EXPECT_FALSE(page->HeightField()->Highlighted());
  EXPECT_FALSE(page->K1Field()->text().isEmpty());
  tall->mWidth = 0;
  mProject.RecalculateProject();
  FlushEvents();
  EXPECT_TRUE(page->VolumeField()->Highlighted());
  EXPECT_TRUE(page->LRField()->text().isEmpty());
}

TEST_F(VolumeWindow, ChoosingAHazardClassRecalculates)
{
  CArea* area = AddVolume("Store", -1, 10, 10, 3);
  CVTXAreaSheet* sheet = Open(area);
  QComboBox* list = sheet->VolumePage()->HazardList();
  EXPECT_EQ(list->currentIndex(), -1); // an invalid class selects nothing
  ASSERT_FALSE(area->mFlags & AF_CREQ_VALID);
  list->setCurrentIndex(3);
  Q_EMIT list->activated(3);
  EXPECT_EQ(area->mHazard, 3);
  EXPECT_TRUE(area->mFlags & AF_CREQ_VALID);
  FlushEvents();
  EXPECT_EQ(list->currentIndex(), 3);
  EXPECT_EQ(list->itemText(3), ToQt(HazardName(3)));
}

TEST_F(VolumeWindow, DimensionsTypedInFeetAreStoredInMetres)
{
  mProject.SetUnits(UNITS_IMPERIAL);
  CArea* area = AddVolume("Hall", 0, 3.048, 6.096, 3.048);
  CVTXAreaSheet* sheet = Open(area);
  CVTXAreaPageHazard* page = sheet->VolumePage();
  EXPECT_EQ(page->LengthField()->text(), "10 ft");

  UnitSystem shownUnits = UNITS_METRIC;
  WhenDialogOpens<CVolumeDialog>(
    [&](CVolumeDialog* dialog)
    {
      shownUnits = dialog->mUnits;
      dialog->HeightField()->setFocus();
      dialog->HeightField()->selectAll();
      QTest::keyClicks(dialog->HeightField(), "20");
      dialog->LengthField()->setFocus(); // leaving the field takes its value
      QApplication::processEvents();
      dialog->accept();
    });
  page->DimensionsButton()->click();
  EXPECT_EQ(shownUnits, UNITS_IMPERIAL);
  EXPECT_NEAR(area->mHeight, 20 * 0.3048, 1e-9);
  EXPECT_NEAR(area->mLength, 3.048, 1e-9);
  FlushEvents();
  EXPECT_EQ(page->HeightField()->text(), "20 ft");

  // Cancel changes nothing.
  WhenDialogOpens<CVolumeDialog>([](CVolumeDialog* dialog) { dialog->reject(); });
  page->DimensionsButton()->click();
  EXPECT_NEAR(area->mHeight, 20 * 0.3048, 1e-9);
}

TEST_F(VolumeWindow, NotesAreStoredWhenTheEditorLosesTheFocus)
{
  CArea* area = AddVolume("Office", 0, 5, 5, 3);
  area->mNotes = "Kept\r\nnotes";
  area->mIncludeNotes = true;
  CVTXAreaSheet* sheet = Open(area, 3);
  CVTXAreaPageNotes* page = sheet->NotesPage();
  EXPECT_EQ(page->Editor()->toPlainText(), "Kept\nnotes");
  EXPECT_TRUE(page->IncludeBox()->isChecked());

  page->Editor()->selectAll(); // pasted over the old notes
  page->Editor()->insertPlainText(QString::fromUtf8("Line one\nprice 5 \u20ac, arrow \u2192"));
  page->CommitEdits();
  // The euro sign has a Windows-1252 code; the arrow has none and is removed.
  EXPECT_EQ(area->mNotes, FromQt(QString::fromUtf8("Line one\r\nprice 5 \u20ac, arrow ")));
  EXPECT_EQ(page->Editor()->toPlainText(), QString::fromUtf8("Line one\nprice 5 \u20ac, arrow "));
  FlushEvents();
  ASSERT_EQ(mPrompts.mTexts.size(), 1); // the user is told
  EXPECT_EQ(mPrompts.mTexts[0], kCharactersRemovedText); // as on the project's Notes page

  page->IncludeBox()->click();
  EXPECT_FALSE(area->mIncludeNotes);
  // The check box follows the switch when it is changed elsewhere.
  OpenProjects().Document(&mProject)->Apply(edit::SetIncludeVolumeNotes{area->Id(), true});
  FlushEvents();
  EXPECT_TRUE(page->IncludeBox()->isChecked());
}

TEST_F(VolumeWindow, ErrorsPageListsTheLabelsOrSaysThereAreNone)
{
  CArea* fine = AddVolume("Fine", 0, 10, 10, 3);
  fine->SetDeviceCount(7, 20); // 167 g/cu m, above the UL minimum
  CArea* lacking = AddVolume("Short", 0, 10, 10, 3);
  CArea* broken = AddVolume("Broken", -1, 10, 10, 9);
  mProject.RecalculateProject();
  CVTXAreaSheet* fineSheet = Open(fine, 4);
  CVTXAreaSheet* lackingSheet = Open(lacking, 4);
  CVTXAreaSheet* brokenSheet = Open(broken, 4);
  QListWidget* fineList = fineSheet->ErrorsPage()->List();
  ASSERT_EQ(fineList->count(), 1);
  EXPECT_EQ(fineList->item(0)->text(), "NO ERRORS PERTAINING TO THIS VOLUME");
  QListWidget* lackingList = lackingSheet->ErrorsPage()->List();
  ASSERT_EQ(lackingList->count(), 1);
  EXPECT_EQ(lackingList->item(0)->text(), "BELOW UL MINIMUM (0 g/cu m selected, minimum 97 g/cu m)");

  CTextLines labels;
  ASSERT_TRUE(ErrorLabels(broken->mFlags, labels));
  QListWidget* brokenList = brokenSheet->ErrorsPage()->List();
  ASSERT_EQ(brokenList->count(), static_cast<int>(labels.Count()));
  for (std::size_t i = 0; i < labels.Count(); ++i)
    EXPECT_EQ(brokenList->item(static_cast<int>(i))->text(), ToQt(labels[i]));
  EXPECT_EQ(brokenList->findItems("INVALID HAZARD CLASS", Qt::MatchExactly).size(), 1);
}

TEST_F(VolumeWindow, SizesOutOfRangeFromAFileShowAsInvalidAndAreListedAsAnError)
{
  // As a damaged file holds it: set directly, past the setters' refusal.
  CArea* huge = AddVolume("Huge", 0, 1e200, 1e200, 1e200);
  huge->mVentTable.Add(VENT_WALL, SHAPE_RECTANGULAR, 1e200, 1e200, 0.5);
  mProject.RecalculateProject();
  CVTXAreaSheet* sheet = Open(huge);
  CVTXAreaPageHazard* page = sheet->VolumePage();
  EXPECT_EQ(page->VolumeField()->text(), "INVALID");
  EXPECT_EQ(page->ClosedField()->text(), "INVALID");
  EXPECT_TRUE(page->VolumeField()->Highlighted());
  sheet->setCurrentWidget(sheet->OpeningsPage());
  FlushEvents();
  EXPECT_EQ(sheet->OpeningsPage()->UpperField()->text(), "INVALID");
  sheet->setCurrentWidget(sheet->ErrorsPage());
  FlushEvents();
  EXPECT_EQ(sheet->ErrorsPage()->List()->findItems("SIZE OUT OF RANGE", Qt::MatchExactly).size(), 1);
}
