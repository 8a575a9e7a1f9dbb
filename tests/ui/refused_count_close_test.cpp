// Closing a volume window while its Device page holds a count too large to
// store: the window stays, and only the refusal is told.

#include "tests/ui/volume_test_fixture.h"
#include "ui/volume_tab_device.h"

#include <QLineEdit>

using RefusedCountClose = CVolumeWindowTest;

TEST_F(RefusedCountClose, KeepsTheWindowOpenWithoutTheULQuestion)
{
  CArea* area = AddVolume("Room", 0, 10, 10, 3); // no devices: below the UL minimum
  CVTXAreaSheet* sheet = Open(area, 2);
  ASSERT_NE(sheet, nullptr);
  QLineEdit* field = sheet->DevicePage()->SelectedField(7);
  field->setFocus();
  FlushEvents();
  QTest::keyClicks(field, "4294967296");

  Window(area)->close();
  FlushEvents();
  EXPECT_NE(Window(area), nullptr);
  ASSERT_EQ(mPrompts.mCaptions.size(), 1);
  EXPECT_TRUE(mPrompts.mTexts[0].startsWith("The count \"4294967296\""));
  EXPECT_EQ(field->text(), "4294967296");

  // Put right, the close asks the UL question as ever.
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "1");
  Window(area)->close(); // No by default: it closes
  FlushEvents();
  EXPECT_EQ(mPrompts.mCaptions.last(), "UL WARNING");
  EXPECT_EQ(area->DeviceCount(7), 1u);
}
