// The entry dialogs on real widgets: commit on focus loss, Enter moving on,
// the queued OK, and what each dialog hands back.

#include "model/area.h"
#include "model/hazard_class.h"
#include "model/vent.h"
#include "tests/ui/fake_prompts.h"
#include "tests/ui/project_test_fixture.h"
#include "ui/new_volume_dialog.h"
#include "ui/string_dialog.h"
#include "ui/opening_dialog.h"
#include "ui/volume_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{
void Enter(QWidget* widget) { QTest::keyClick(widget, Qt::Key_Return); }

} // namespace

TEST(VolumeDialog, EnterMovesOnAndTypedFiguresAreReadInTheProjectUnits)
{
  CFakePrompts prompts;
  CVolumeDialog dialog;
  dialog.mUnits = UNITS_IMPERIAL;
  dialog.mLength = 3.0;
  dialog.mWidth = 2.0;
  dialog.mHeight = 2.123456;
  ASSERT_TRUE(ShowActive(dialog));
  EXPECT_EQ(dialog.windowTitle(), "Volume");
  EXPECT_TRUE(dialog.LengthField()->hasFocus());

  Type(dialog.LengthField(), "10");
  Enter(dialog.LengthField());
  QApplication::processEvents();
  EXPECT_TRUE(dialog.isVisible()); // Enter does not close the dialog
  EXPECT_TRUE(dialog.WidthField()->hasFocus());
  EXPECT_NEAR(dialog.mLength, 3.048, 1e-12); // 10 without a unit: feet
  EXPECT_EQ(dialog.LengthField()->text(), "10 ft");
  // The field entered has its whole text selected once the focus change is over.
  EXPECT_EQ(dialog.WidthField()->selectedText(), dialog.WidthField()->text());

  // A unit typed with the figure wins; the field is rewritten in the project's units.
  Type(dialog.WidthField(), "3 m");
  Enter(dialog.WidthField());
  EXPECT_DOUBLE_EQ(dialog.mWidth, 3.0);
  EXPECT_TRUE(dialog.HeightField()->hasFocus());
  EXPECT_TRUE(dialog.WidthField()->text().endsWith(" ft"));

  // Passing through a field without editing it keeps its value exactly.
  Enter(dialog.HeightField());
  EXPECT_DOUBLE_EQ(dialog.mHeight, 2.123456);

  // Unreadable text keeps the value and shows it again; so does a figure
  // with a character the program cannot store (dropping it would read 12).
  for (const char* typed : {"long", "1\xE2\x80\x89" "2"})
  {
    Type(dialog.LengthField(), QString::fromUtf8(typed));
    Enter(dialog.LengthField());
    EXPECT_NEAR(dialog.mLength, 3.048, 1e-12) << typed;
    EXPECT_EQ(dialog.LengthField()->text(), "10 ft");
  }
  EXPECT_TRUE(dialog.isVisible());
  // Each refusal says what was not understood.
  QApplication::processEvents();
  ASSERT_EQ(prompts.mTexts.size(), 2);
  EXPECT_TRUE(prompts.mTexts[0].startsWith("\"long\" is not a number.\r\n"));
  EXPECT_TRUE(prompts.mTexts[1].startsWith(QString::fromUtf8("\"1\xE2\x80\x89" "2\" was not understood.")));
}

TEST(VolumeDialog, ARefusedLengthKeepsTheDialogOpenAndTheUserDecimalCommaIsRead)
{
  CFakePrompts prompts;
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  CVolumeDialog dialog;
  dialog.mLength = 4;
  ASSERT_TRUE(ShowActive(dialog));
  Type(dialog.WidthField(), "2,5");
  Type(dialog.LengthField(), "10 xyz");
  ClickOk(dialog);
  QApplication::processEvents();
  EXPECT_EQ(dialog.result(), QDialog::Rejected); // still open: the user is told and sees 4 m
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.mLength, 4);
  EXPECT_EQ(dialog.LengthField()->text(), "4 m");
  EXPECT_EQ(dialog.mWidth, 2.5);
  ASSERT_EQ(prompts.mTexts.size(), 1);
  EXPECT_TRUE(prompts.mTexts[0].startsWith("\"xyz\" was not understood.\r\n")) << prompts.mTexts[0].toStdString();
  ClickOk(dialog); // the next OK takes the values shown
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  QLocale::setDefault(saved);
}

TEST(VolumeDialog, OkTakesInTheFieldBeingLeft)
{
  CVolumeDialog dialog;
  dialog.mUnits = UNITS_METRIC;
  ASSERT_TRUE(ShowActive(dialog));
  Type(dialog.HeightField(), "4.5");
  ClickOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_DOUBLE_EQ(dialog.mHeight, 4.5);

  // Pressed without the focus moving (a programmatic click): still taken in.
  CVolumeDialog second;
  ASSERT_TRUE(ShowActive(second));
  Type(second.LengthField(), "7");
  ButtonNamed(&second, "OK")->click();
  EXPECT_EQ(second.result(), QDialog::Rejected); // queued, not inside the click
  QApplication::processEvents();
  EXPECT_EQ(second.result(), QDialog::Accepted);
  EXPECT_DOUBLE_EQ(second.mLength, 7.0);
}

TEST(VolumeDialog, ALengthNotAbove0IsRefusedWithAWordAndKeptAsTyped)
{
  CFakePrompts prompts;
  CVolumeDialog dialog;
  dialog.mUnits = UNITS_METRIC;
  dialog.mLength = 5;
  dialog.mHeight = 3;
  ASSERT_TRUE(ShowActive(dialog));
  struct
  {
    QLineEdit* field;
    const char* typed;
    bool byOk; // left with OK rather than Enter
    const char* named;
    const char* fix;
    const double* value;
    double kept;
  } const cases[] = {{dialog.HeightField(), "0", false, "The height \"0\"", "2", &dialog.mHeight, 3},
                     {dialog.LengthField(), "0 ft", true, "The length \"0 ft\"", "6", &dialog.mLength, 5}};
  for (const auto& c : cases)
  {
    prompts.mTexts.clear();
    Type(c.field, c.typed);
    if (c.byOk)
      ClickOk(dialog);
    else
      Enter(c.field);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible()) << c.typed;
    ASSERT_EQ(prompts.mTexts.size(), 1) << c.typed;
    EXPECT_TRUE(prompts.mTexts[0].startsWith(c.named)) << prompts.mTexts[0].toStdString();
    EXPECT_TRUE(prompts.mTexts[0].contains("greater than 0"));
    EXPECT_EQ(c.field->text(), c.typed);
    EXPECT_TRUE(c.field->hasFocus());
    EXPECT_EQ(*c.value, c.kept);
    Type(c.field, c.fix); // put right
  }
  ClickOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mLength, 6);
  EXPECT_EQ(dialog.mHeight, 2);
}

TEST(Dialogs, EnterOnAFocusedCancelPressesCancel)
{
  CStringDialog text;
  CNewAreaDialog volume;
  CVolumeDialog dimensions;
  for (QDialog* dialog : std::initializer_list<QDialog*>{&text, &volume, &dimensions})
  {
    ASSERT_TRUE(ShowActive(*dialog));
    QPushButton* cancel = ButtonNamed(dialog, "Cancel");
    cancel->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    Enter(cancel);
    QApplication::processEvents();
    EXPECT_FALSE(dialog->isVisible()) << dialog->metaObject()->className();
    EXPECT_EQ(dialog->result(), QDialog::Rejected) << dialog->metaObject()->className();
  }
}

TEST(Prompts, EscapeAndTheCloseButtonNeverMoveTheUserOn)
{
  struct
  {
    CPromptButtons buttons;
    int shown;
    CPromptAnswer escape;
  } const cases[] = {{CPromptButtons::YesNo, 2, CPromptAnswer::No},
                     {CPromptButtons::YesNoCancel, 3, CPromptAnswer::Cancel},
                     {CPromptButtons::YesNoEscapeYes, 2, CPromptAnswer::Yes}};
  for (const auto& c : cases)
    for (bool byKey : {true, false})
    {
      int shown = 0;
      WhenDialogOpens<QMessageBox>(
        [&shown, byKey](QMessageBox* box)
        {
          shown = static_cast<int>(box->buttons().size());
          if (byKey)
            QTest::keyClick(box, Qt::Key_Escape);
          else
            box->close();
        });
      // The message boxes themselves: no fake prompts are in place.
      EXPECT_EQ(Prompts().Ask(nullptr, kAppTitle, "Question?", CPromptIcon::Question, c.buttons),
                c.escape)
        << static_cast<int>(c.buttons) << (byKey ? " Escape" : " close button");
      EXPECT_EQ(shown, c.shown);
      EXPECT_EQ(EscapeAnswer(c.buttons), c.escape);
    }
}

TEST(VolumeDialog, LengthsOutsideTheRangeOfTheCalculationAreRefusedWithTheRange)
{
  CFakePrompts prompts;
  const struct
  {
    UnitSystem units;
    const char* typed;
    const char* told;
  } cases[] = {
    {UNITS_METRIC, "1e200",
     "The length 1e+200 m is outside the lengths the calculation takes, from 1e-50 m to 1e+50 m."},
    {UNITS_IMPERIAL, "1e-60 ft",
     "The length 1e-60 ft is outside the lengths the calculation takes, from 3.28084e-50 ft to "
     "3.28084e+50 ft."},
  };
  for (const auto& c : cases)
  {
    prompts.mTexts.clear();
    CVolumeDialog dialog;
    dialog.mUnits = c.units;
    dialog.mLength = 5;
    ASSERT_TRUE(ShowActive(dialog));
    Type(dialog.LengthField(), c.typed);
    ClickOk(dialog);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible()) << c.typed;
    EXPECT_EQ(dialog.mLength, 5) << c.typed;
    ASSERT_EQ(prompts.mTexts.size(), 1) << c.typed;
    EXPECT_EQ(prompts.mTexts[0].toStdString(), c.told);
  }
}

TEST(VentDialog, CircularShowsADiameterAndTheCircleArea)
{
  CVentDialog dialog;
  dialog.mTitle = "New Opening";
  dialog.mWidth = 2.0;
  dialog.mHeight = 0.5;
  ASSERT_TRUE(ShowActive(dialog));
  EXPECT_EQ(dialog.windowTitle(), "New Opening");
  EXPECT_EQ(dialog.WidthGroup()->title(), "Width");
  EXPECT_EQ(dialog.AreaField()->text(), "1 sq m");

  Choose(dialog.ShapeList(), SHAPE_CIRCULAR);
  EXPECT_EQ(dialog.mShape, SHAPE_CIRCULAR);
  EXPECT_EQ(dialog.WidthGroup()->title(), "Diameter");
  EXPECT_TRUE(dialog.HeightGroup()->isHidden());
  EXPECT_TRUE(dialog.AreaField()->text().startsWith("3.14")) << dialog.AreaField()->text().toStdString();
  EXPECT_TRUE(dialog.AreaField()->text().endsWith(" sq m"));

  // The hidden height is kept and comes back with the rectangle.
  Choose(dialog.ShapeList(), SHAPE_RECTANGULAR);
  EXPECT_FALSE(dialog.HeightGroup()->isHidden());
  EXPECT_EQ(dialog.HeightField()->text(), "0.5 m");
  EXPECT_DOUBLE_EQ(dialog.mHeight, 0.5);
}

TEST(VentDialog, UpperShareIsAPercentageLimitedToTheWholeOpening)
{
  CVentDialog dialog;
  ASSERT_TRUE(ShowActive(dialog));
  struct Case
  {
    const char* typed;
    double share;
    const char* shown;
  } cases[] = {{"150", 1.0, "100%"}, {"-20", 0.0, "0%"}, {"33.3%", 0.333, "33%"},
               {"  50 percent", 0.5, "50%"}};
  for (const Case& c : cases)
  {
    Type(dialog.UpperField(), c.typed);
    Enter(dialog.UpperField());
    EXPECT_DOUBLE_EQ(dialog.mUpper, c.share) << c.typed;
    EXPECT_EQ(dialog.UpperField()->text(), c.shown) << c.typed;
  }
  // Text without a number at its start changes nothing.
  Type(dialog.UpperField(), "half");
  Enter(dialog.UpperField());
  EXPECT_DOUBLE_EQ(dialog.mUpper, 0.5);

  // "33%" shown for 0.333 is not read back when the field is only passed through.
  Type(dialog.UpperField(), "33.3");
  Enter(dialog.UpperField());
  dialog.UpperField()->setFocus();
  QApplication::processEvents();
  Enter(dialog.UpperField());
  EXPECT_DOUBLE_EQ(dialog.mUpper, 0.333);

  Choose(dialog.TypeList(), VENT_CEILING);
  EXPECT_TRUE(dialog.UpperGroup()->isHidden());
  EXPECT_TRUE(dialog.UpperField()->text().isEmpty());
  Choose(dialog.TypeList(), VENT_WALL);
  EXPECT_FALSE(dialog.UpperGroup()->isHidden());
  EXPECT_EQ(dialog.UpperField()->text(), "33%");
}

TEST(NewAreaDialog, StaysOpenUntilItHasANameAndAHazardClass)
{
  CNewAreaDialog dialog;
  ASSERT_TRUE(ShowActive(dialog));
  EXPECT_EQ(dialog.windowTitle(), "Create New Volume");
  ASSERT_EQ(dialog.HazardList()->count(), HazardClassCount);
  EXPECT_EQ(dialog.HazardList()->currentIndex(), -1);

  Type(dialog.NameField(), "    ");
  ClickOk(dialog);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.NameField()->hasFocus());
  EXPECT_EQ(dialog.mName, "");

  Type(dialog.NameField(), "  Boiler   room ");
  Enter(dialog.NameField()); // Enter is OK here
  QApplication::processEvents();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.HazardList()->hasFocus());
  EXPECT_EQ(dialog.NameField()->text(), "Boiler room");

  Choose(dialog.HazardList(), 3);
  ClickOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mName, "Boiler room");
  EXPECT_EQ(dialog.mHazard, 3);
}

TEST(StringDialog, ADesignerNameComesBackAsTyped)
{
  CStringDialog dialog;
  dialog.mTitle = "Designer's Name";
  dialog.mText = "  Ann   Lee ";
  ASSERT_TRUE(ShowActive(dialog));
  EXPECT_EQ(dialog.windowTitle(), "Designer's Name");
  EXPECT_EQ(dialog.TextField()->text(), "Ann Lee");
  EXPECT_TRUE(dialog.TextField()->hasFocus());

  Type(dialog.TextField(), QString::fromUtf8("R\xC3\xA9my  a/b "));
  Enter(dialog.TextField());
  QApplication::processEvents();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mText, "R\xE9my  a/b ");
}

TEST(StringDialog, CharactersTheProgramCannotStoreAreRemovedAndTheUserTold)
{
  CFakePrompts prompts;
  CStringDialog dialog;
  dialog.mTitle = "Designer's Name";
  ASSERT_TRUE(ShowActive(dialog));
  Type(dialog.TextField(), QString::fromUtf8("Zo\xC3\xAB \xE6\x9D\x8E"));
  ClickOk(dialog);
  QApplication::processEvents();
  // Shown cleaned and explained; a second OK takes it.
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.TextField()->text(), QString::fromUtf8("Zo\xC3\xAB"));
  ASSERT_EQ(prompts.mTexts.size(), 1);
  EXPECT_TRUE(prompts.mTexts[0].contains("removed"));
  ClickOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mText, "Zo\xEB");
}

TEST(StringDialog, TheFilterRewritesAndTheValidatorCanRefuse)
{
  CFakePrompts prompts;
  CStringDialog dialog;
  dialog.mFilter = [](const std::string& text) { return text + "!"; };
  int asked = 0;
  dialog.mValidator = [&](const std::string& text)
  {
    ++asked;
    return text != "no!";
  };
  ASSERT_TRUE(ShowActive(dialog));
  Type(dialog.TextField(), "no");
  ButtonNamed(&dialog, "Cancel")->setFocus(); // focus loss runs the filter
  QApplication::processEvents();
  EXPECT_EQ(dialog.TextField()->text(), "no!");
  Type(dialog.TextField(), "no");
  ClickOk(dialog);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.TextField()->hasFocus());
  EXPECT_EQ(asked, 1);
  Type(dialog.TextField(), "yes");
  ClickOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mText, "yes!");
}
