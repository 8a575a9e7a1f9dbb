// After a refused figure has been explained, the user is back in the field
// that held it, ready to type it again.

#include "tests/ui/fake_prompts.h"
#include "tests/ui/ui_test_support.h"
#include "tests/ui/when_dialog_opens.h"
#include "ui/opening_dialog.h"
#include "ui/volume_dialog.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace
{
// Types the text into the field, presses Enter (which moves on) and lets
// the refusal be told.
void TypeAndEnter(QLineEdit* field, const QString& text)
{
  Type(field, text);
  QTest::keyClick(field, Qt::Key_Return);
  FlushEvents();
}
} // namespace

TEST(EntryRefusal, AnUnreadableLengthTakesTheUserBackToItsField)
{
  CFakePrompts prompts;
  CVolumeDialog volume;
  volume.mHeight = 2;
  ASSERT_TRUE(ShowActive(volume));
  TypeAndEnter(volume.HeightField(), "3,,5");
  ASSERT_EQ(prompts.mTexts.size(), 1);
  EXPECT_TRUE(volume.HeightField()->hasFocus());
  // The typing stays, selected, to be put right.
  EXPECT_EQ(volume.HeightField()->selectedText(), "3,,5");
  EXPECT_EQ(volume.mHeight, 2);
  volume.reject();

  CVentDialog opening;
  ASSERT_TRUE(ShowActive(opening));
  TypeAndEnter(opening.WidthField(), "wide");
  ASSERT_EQ(prompts.mTexts.size(), 2);
  EXPECT_TRUE(opening.WidthField()->hasFocus());
  EXPECT_EQ(opening.WidthField()->selectedText(), "wide");
}
