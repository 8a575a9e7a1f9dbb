// The Device page of the volume window: its figures, the entry of device
// counts and the UL question when the page is left short of devices.

#include "tests/ui/volume_test_fixture.h"
#include "ui/volume_tab_device.h"
#include "ui/field_helpers.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace
{
class DevicePage : public CVolumeWindowTest
{
protected:
  // A 300 m3 volume of the class, its window open on the Device page.
  CVTXAreaPageDevice* Open(int hazard)
  {
    mArea = AddVolume("Room", hazard, 10, 10, 3);
    mSheet = CVolumeWindowTest::Open(mArea, 2);
    mSheet->window()->activateWindow();
    return mSheet->DevicePage();
  }

  // Types into a "Selected" field, replacing its text.
  static void Type(CVTXAreaPageDevice* page, int model, const char* text)
  {
    QLineEdit* field = page->SelectedField(model);
    field->setFocus();
    FlushEvents();
    field->selectAll();
    if (*text)
      QTest::keyClicks(field, text);
    else
      QTest::keyClick(field, Qt::Key_Delete);
  }
  // Types and moves on with the Tab key.
  static void TypeCount(CVTXAreaPageDevice* page, int model, const char* text)
  {
    Type(page, model, text);
    QTest::keyClick(page->SelectedField(model), Qt::Key_Tab);
    FlushEvents();
  }

  CArea* mArea = nullptr;
  CVTXAreaSheet* mSheet = nullptr;
};
} // namespace

TEST_F(DevicePage, ShowsTheShortfallAndHowManyOfEachModelCoverIt)
{
  CVTXAreaPageDevice* page = Open(0);
  // Figures as the calculation would leave them for a 1000 g requirement.
  mArea->mFlags |= AF_CREQ_VALID | AF_CSTD_VALID;
  mArea->mMassRequired = 1000;
  mArea->mConcentrationRequired = 100;
  mArea->mConcentrationStandard = 97;
  mArea->mVolume = 10;
  mArea->SetDeviceCount(3, 2); // two of 250 g
  page->Refresh();

  const char* required[DeviceModelCount] = {"17", "9", "5", "2", "1", "1", "1", "1"};
  for (int model = 0; model < DeviceModelCount; ++model)
    EXPECT_EQ(page->RequiredField(model)->text(), required[model]) << "model " << model;
  EXPECT_EQ(page->MassRequiredField()->text(), "1000 g");
  EXPECT_EQ(page->MassSelectedField()->text(), "500 g");
  EXPECT_EQ(page->MassRemainingField()->text(), "500 g");
  EXPECT_EQ(page->DensityRequiredField()->text(), "100 g/cu m");
  EXPECT_EQ(page->DensitySelectedField()->text(), "50 g/cu m");
  EXPECT_EQ(page->DensityRemainingField()->text(), "50 g/cu m");
  EXPECT_EQ(page->DensityBaseField()->text(), "97 g/cu m");
  EXPECT_EQ(page->SelectedField(3)->text(), "2");
  EXPECT_EQ(page->SelectedField(0)->text(), "0");

  // More than enough: nothing remains and no model is needed.
  mArea->SetDeviceCount(7, 1);
  page->Refresh();
  EXPECT_EQ(page->MassRemainingField()->text(), "0 g");
  for (int model = 0; model < DeviceModelCount; ++model)
    EXPECT_EQ(page->RequiredField(model)->text(), "0");

  // Without a required concentration only the counts, heights and base show.
  mArea->mFlags &= ~AF_CREQ_VALID;
  page->Refresh();
  for (int model = 0; model < DeviceModelCount; ++model)
    EXPECT_TRUE(page->RequiredField(model)->text().isEmpty());
  EXPECT_TRUE(page->MassRequiredField()->text().isEmpty());
  EXPECT_TRUE(page->MassSelectedField()->text().isEmpty());
  EXPECT_TRUE(page->DensitySelectedField()->text().isEmpty());
  EXPECT_TRUE(page->DensityRemainingField()->text().isEmpty());
  EXPECT_EQ(page->DensityBaseField()->text(), "97 g/cu m");
  EXPECT_EQ(page->SelectedField(7)->text(), "1");
  EXPECT_EQ(page->HeightField(7)->text(), "4.9 m");
}

TEST_F(DevicePage, RowsNamesAndKeyboardOrder)
{
  CVTXAreaPageDevice* page = Open(0);
  for (int model = 0; model < DeviceModelCount; ++model)
  {
    EXPECT_EQ(page->NameLabel(model)->text(), ToQt(DeviceName(model)));
    EXPECT_FALSE(page->SelectedField(model)->isReadOnly());
  }
  // Left block 2500 g to 500 g, right block 250 g to 30 g, top to bottom.
  EXPECT_LT(page->NameLabel(7)->mapTo(page, QPoint()).y(), page->NameLabel(4)->mapTo(page, QPoint()).y());
  EXPECT_LT(page->NameLabel(7)->mapTo(page, QPoint()).x(), page->NameLabel(3)->mapTo(page, QPoint()).x());
  EXPECT_EQ(page->NameLabel(7)->mapTo(page, QPoint()).y(), page->NameLabel(3)->mapTo(page, QPoint()).y());

  // Tab walks the "Selected" fields from 2500 g down to 30 g.
  page->SelectedField(7)->setFocus();
  FlushEvents();
  for (int model = 6; model >= 0; --model)
  {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    FlushEvents();
    EXPECT_EQ(QApplication::focusWidget(), page->SelectedField(model)) << "model " << model;
    // The whole text is selected once the focus has arrived.
    EXPECT_EQ(page->SelectedField(model)->selectedText(), page->SelectedField(model)->text());
  }
}

TEST_F(DevicePage, ACountIsStoredWhenTheFieldIsLeftAndAnythingElseIsRefusedAsTyped)
{
  CVTXAreaPageDevice* page = Open(0);
  TypeCount(page, 7, "12");
  EXPECT_EQ(mArea->DeviceCount(7), 12u);
  // 12 x 2500 g over 300 m3 reaches 100 g/m3: the warning is gone.
  EXPECT_FALSE(mArea->mWarnings & AW_BELOW_UL_DENSITY);
  EXPECT_EQ(page->MassSelectedField()->text(), "30000 g");

  // Each refusal says why, keeps the count and leaves the typing selected
  // in its field, which takes no other text until it is put right.
  const struct
  {
    const char* text;
    const char* why;
  } refused[] = {
      {"12abc", "\"12abc\" is not a number."},
      {"10.9", "\"10.9\" is not a whole number"},
      {"1.000", "\"1.000\" is not a whole number"},
      {"-3", "A count cannot be negative."},
      {"abc", "\"abc\" is not a number."},
      {" 3 devices", "\"3 devices\" is not a number."},
      {"", "No count was typed."},
      {"4294967296", "The count \"4294967296\" of 2500 g devices cannot be stored"},
  };
  for (const auto& r : refused)
  {
    mPrompts.mTexts.clear();
    TypeCount(page, 7, r.text);
    EXPECT_EQ(mArea->DeviceCount(7), 12u) << r.text;
    ASSERT_EQ(mPrompts.mTexts.size(), 1) << r.text;
    EXPECT_TRUE(mPrompts.mTexts[0].startsWith(r.why)) << mPrompts.mTexts[0].toStdString();
    EXPECT_EQ(page->SelectedField(7)->text(), QString(r.text)) << r.text;
    EXPECT_TRUE(page->SelectedField(7)->hasFocus()) << r.text;
    EXPECT_EQ(page->SelectedField(7)->selectedText(), QString(r.text)) << r.text;
  }
  TypeCount(page, 7, " 3 ");
  EXPECT_EQ(mArea->DeviceCount(7), 3u);
  EXPECT_EQ(page->SelectedField(7)->text(), "3");
  TypeCount(page, 7, "4294967295");
  EXPECT_EQ(mArea->DeviceCount(7), 4294967295u);
  TypeCount(page, 7, "0");
  EXPECT_EQ(mArea->DeviceCount(7), 0u);

  // Enter takes the count and moves on to the next lighter model.
  Type(page, 7, "5");
  QTest::keyClick(page->SelectedField(7), Qt::Key_Return);
  FlushEvents();
  EXPECT_EQ(mArea->DeviceCount(7), 5u);
  EXPECT_TRUE(page->SelectedField(6)->hasFocus());
  Type(page, 0, "4");
  QTest::keyClick(page->SelectedField(0), Qt::Key_Return);
  EXPECT_EQ(mArea->DeviceCount(0), 4u);
}

TEST_F(DevicePage, LeavingShortOfDevicesAsksAndYesStaysOnThePage)
{
  Open(0);
  ASSERT_TRUE(mArea->mWarnings & AW_BELOW_UL_DENSITY);
  // The question comes up over the Device page; the page asked for is not
  // shown behind it.
  int shownBehind = -1;
  bool volumePageVisible = true;
  mPrompts.mOnAsk = [&]
  {
    shownBehind = mSheet->currentIndex();
    volumePageVisible = mSheet->widget(0)->isVisible();
  };
  mPrompts.mAnswers = {CPromptAnswer::Yes};
  ClickTab(mSheet, 0);
  EXPECT_EQ(shownBehind, 2);
  EXPECT_FALSE(volumePageVisible);
  EXPECT_EQ(mSheet->currentIndex(), 2);
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mCaptions[0], "UL WARNING");
  EXPECT_EQ(mPrompts.mIcons[0], CPromptIcon::Exclamation);
  EXPECT_EQ(mPrompts.mTexts[0], ToQt(ULLeaveDevicePageText(97)));

  // Escape, here and when the window closes, keeps the user where they are.
  mPrompts.mAnswers = {kPressEscape, kPressEscape};
  ClickTab(mSheet, 1);
  EXPECT_EQ(mSheet->currentIndex(), 2);
  QPointer<CSheetWnd> window = VolumeWindowOf(mArea);
  ASSERT_FALSE(window.isNull());
  window->close();
  FlushEvents();
  EXPECT_FALSE(window.isNull());
  EXPECT_EQ(VolumeWindowOf(mArea), window.data());
  EXPECT_EQ(mPrompts.mTexts.size(), 3);
  EXPECT_EQ(mPrompts.mTexts[2], ToQt(ULCloseVolumeText(97)));

  mPrompts.mOnAsk = nullptr;
  mPrompts.mAnswers = {CPromptAnswer::No};
  ClickTab(mSheet, 0);
  EXPECT_EQ(mSheet->currentIndex(), 0);
  EXPECT_EQ(mPrompts.mTexts.size(), 4);
  EXPECT_TRUE(mSheet->widget(0)->isVisible());
}

TEST_F(DevicePage, ACountTooLargeForTheFileIsRefusedWithAWordAndKeptAsTyped)
{
  CVTXAreaPageDevice* page = Open(0);
  mArea->SetDeviceCount(7, 3);
  TypeCount(page, 7, "4294967296");
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].startsWith("The count \"4294967296\" of 2500 g devices"))
    << mPrompts.mTexts[0].toStdString();
  EXPECT_TRUE(mPrompts.mTexts[0].contains("4294967295"));
  EXPECT_EQ(mArea->DeviceCount(7), 3u);
  EXPECT_EQ(page->SelectedField(7)->text(), "4294967296");
  EXPECT_TRUE(page->SelectedField(7)->hasFocus());
  // It stays while the page is refreshed, and the page is not left with it.
  mArea->Owner()->RecalculateProject();
  ClickTab(mSheet, 3);
  EXPECT_EQ(mSheet->currentIndex(), 2);
  EXPECT_EQ(page->SelectedField(7)->text(), "4294967296");
  // Put right, it is taken.
  TypeCount(page, 7, "12");
  EXPECT_EQ(mArea->DeviceCount(7), 12u);
}

TEST_F(DevicePage, TheQuestionNamesTheMinimumOfTheClass)
{
  Open(6); // 62 g/m3 standard, 67 g/m3 minimum
  ClickTab(mSheet, 1); // No by default: the switch happens
  EXPECT_EQ(mSheet->currentIndex(), 1);
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mTexts[0], ToQt(ULLeaveDevicePageText(62)));
  EXPECT_TRUE(mPrompts.mTexts[0].contains("67g/m^3"));
}

TEST_F(DevicePage, ACountTypedBeforeATabClickCountsBeforeTheQuestion)
{
  CVTXAreaPageDevice* page = Open(0);
  Type(page, 7, "12");
  // The tab bar does not take the focus; the count must still be committed.
  ClickTab(mSheet, 3);
  EXPECT_EQ(mArea->DeviceCount(7), 12u);
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());
  EXPECT_EQ(mSheet->currentIndex(), 3);

  // And the other way round: too few typed, the question is asked.
  ClickTab(mSheet, 2);
  Type(page, 7, "1");
  mPrompts.mAnswers = {CPromptAnswer::Yes};
  ClickTab(mSheet, 0);
  EXPECT_EQ(mArea->DeviceCount(7), 1u);
  EXPECT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mSheet->currentIndex(), 2);
}

TEST_F(DevicePage, ADensityBelowTheULMinimumIsHighlightedAndProposeMendsIt)
{
  CVTXAreaPageDevice* page = Open(1); // 55 g/m3 standard, 67 g/m3 minimum: 19950 g
  FlushEvents();
  const char* required[DeviceModelCount] = {"665", "333", "200", "80", "40", "20", "14", "8"};
  for (int model = 0; model < DeviceModelCount; ++model)
    EXPECT_EQ(page->RequiredField(model)->text(), required[model]) << "model " << model;
  EXPECT_EQ(page->MassRemainingField()->text(), "19950 g");
  EXPECT_TRUE(page->DensitySelectedField()->Highlighted());
  EXPECT_EQ(page->DensitySelectedField()->palette().color(QPalette::Base), QColor(255, 255, 0));
  EXPECT_FALSE(page->DensityRequiredField()->Highlighted());

  QTest::mouseClick(page->ProposeButton(), Qt::LeftButton);
  FlushEvents();
  EXPECT_EQ(page->SelectedField(7)->text(), "8");
  EXPECT_EQ(TotalCount(mArea->mDevice), 8u);
  EXPECT_FALSE(page->DensitySelectedField()->Highlighted());
  EXPECT_EQ(page->MassRemainingField()->text(), "0 g");
  ClickTab(mSheet, 0); // passes the UL test: no question
  EXPECT_TRUE(mPrompts.mTexts.isEmpty());
  EXPECT_EQ(mSheet->currentIndex(), 0);
}

TEST_F(DevicePage, AMassNoCountReachesIsShownAsSuchAndNothingIsProposed)
{
  // 1e16 m3: its UL minimum lies beyond 2^53 g and beyond any count.
  mArea = AddVolume("Tunnel", 0, 1e16, 1, 1);
  mArea->SetDeviceCount(7, 3);
  mSheet = CVolumeWindowTest::Open(mArea, 2);
  mSheet->window()->activateWindow();
  CVTXAreaPageDevice* page = mSheet->DevicePage();
  FlushEvents();
  for (int model = 0; model < DeviceModelCount; ++model)
    EXPECT_EQ(page->RequiredField(model)->text(), "> 4294967295") << "model " << model;
  QTest::mouseClick(page->ProposeButton(), Qt::LeftButton);
  FlushEvents();
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mTexts[0], ToQt(kNoProposalText));
  EXPECT_EQ(mArea->DeviceCount(7), 3u);
  EXPECT_EQ(page->SelectedField(7)->text(), "3");
}
