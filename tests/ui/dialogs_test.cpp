// The entry dialogs on real widgets: commit on focus loss, Enter moving on,
// the queued OK, and what each dialog hands back.

#include "model/area.h"
#include "model/hazard_class.h"
#include "model/vent.h"
#include "tests/ui/fake_prompts.h"
#include "tests/ui/project_test_fixture.h"
#include "tests/ui/when_dialog_opens.h"
#include "ui/new_volume_dialog.h"
#include "ui/opening_dialog.h"
#include "ui/string_dialog.h"
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

  // Unreadable text keeps the value and stays as typed, to be put right; so
  // does a figure with a character the program cannot store (dropping it
  // would read 12).
  for (const char* typed : {"long", "1\xE2\x80\x89" "2"})
  {
    Type(dialog.LengthField(), QString::fromUtf8(typed));
    Enter(dialog.LengthField());
    QApplication::processEvents(); // the refusal is told
    EXPECT_NEAR(dialog.mLength, 3.048, 1e-12) << typed;
    EXPECT_EQ(dialog.LengthField()->text(), QString::fromUtf8(typed));
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
  EXPECT_EQ(dialog.result(), QDialog::Rejected); // still open: the user is told
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.mLength, 4);
  EXPECT_EQ(dialog.LengthField()->text(), "10 xyz"); // kept to be put right
  EXPECT_EQ(dialog.mWidth, 2.5);
  ASSERT_EQ(prompts.mTexts.size(), 1);
  EXPECT_TRUE(prompts.mTexts[0].startsWith("\"xyz\" was not understood.\r\n")) << prompts.mTexts[0].toStdString();
  ClickOk(dialog); // the text is still refused
  EXPECT_TRUE(dialog.isVisible());
  Type(dialog.LengthField(), "10");
  ClickOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mLength, 10);
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

TEST(VentDialog, UpperShareIsAPercentageFromZeroToAHundred)
{
  CFakePrompts prompts;
  const QLocale saved;
  QLocale::setDefault(QLocale::c());
  CVentDialog dialog;
  ASSERT_TRUE(ShowActive(dialog));
  struct Case
  {
    const char* typed;
    double share; // -1: refused, the share stays
    const char* shown;
  } cases[] = {{"33.3%", 0.333, "33%"}, {"150", -1, "150"},     {"-20", -1, "-20"},
               {"abc", -1, "abc"},      {"  50 %", 0.5, "50%"}, {"50 percent", -1, "50 percent"},
               {"40,5", -1, "40,5"}}; // the decimal mark is a point here
  for (const Case& c : cases)
  {
    const double before = dialog.mUpper;
    prompts.mTexts.clear();
    Type(dialog.UpperField(), c.typed);
    Enter(dialog.UpperField());
    FlushEvents();
    EXPECT_DOUBLE_EQ(dialog.mUpper, c.share >= 0 ? c.share : before) << c.typed;
    EXPECT_EQ(dialog.UpperField()->text(), c.shown) << c.typed;
    EXPECT_EQ(prompts.mTexts.size(), c.share >= 0 ? 0 : 1) << c.typed;
    if (c.share < 0)
    {
      EXPECT_TRUE(dialog.UpperField()->hasFocus()) << c.typed;
      EXPECT_EQ(dialog.UpperField()->selectedText(), c.shown) << c.typed;
    }
  }
  EXPECT_TRUE(prompts.mTexts.back().contains("the decimal mark is a point, as in 40.5"))
      << prompts.mTexts.back().toStdString();
  // With the desktop's decimal comma, it is read.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  Type(dialog.UpperField(), "40,5");
  Enter(dialog.UpperField());
  EXPECT_DOUBLE_EQ(dialog.mUpper, 0.405);
  QLocale::setDefault(QLocale::c());
  Type(dialog.UpperField(), "abc");
  Enter(dialog.UpperField());
  // OK with a refused share keeps the dialog open.
  ClickOk(dialog);
  EXPECT_TRUE(dialog.isVisible());

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
  QLocale::setDefault(saved);
}

TEST(VentDialog, AnExistingOpeningIsTakenBackUnchangedAndNoSizeOfZeroIsTaken)
{
  CFakePrompts prompts;
  // A circular ceiling opening, edited and confirmed without a change: its
  // hidden height and share are no part of it.
  for (std::int32_t type : {VENT_WALL, VENT_CEILING})
  {
    CVentDialog dialog;
    CVentValues values{type, SHAPE_CIRCULAR, 0.4, 0, 0.5};
    WhenDialogOpens<CVentDialog>([](CVentDialog* shown) { ClickOk(*shown); });
    ASSERT_TRUE(dialog.EditVent("Edit Opening", values)) << type;
    EXPECT_EQ(values.mShape, SHAPE_CIRCULAR);
    EXPECT_DOUBLE_EQ(values.mWidth, 0.4);
    EXPECT_TRUE(prompts.mTexts.isEmpty()) << prompts.mTexts.join("|").toStdString();
  }
  // A width, height or diameter of 0 is refused, kept as typed, as the
  // volume's lengths are.
  CVentDialog dialog;
  dialog.mWidth = 1;
  dialog.mHeight = 1;
  ASSERT_TRUE(ShowActive(dialog));
  for (QLineEdit* field : {dialog.WidthField(), dialog.HeightField()})
  {
    prompts.mTexts.clear();
    Type(field, "0 m");
    Enter(field);
    FlushEvents();
    ASSERT_EQ(prompts.mTexts.size(), 1);
    EXPECT_TRUE(prompts.mTexts[0].endsWith("must be greater than 0."))
        << prompts.mTexts[0].toStdString();
    EXPECT_EQ(field->text(), "0 m");
    EXPECT_DOUBLE_EQ(dialog.mWidth * dialog.mHeight, 1);
    Type(field, "1 m");
    Enter(field);
    FlushEvents();
  }
  Choose(dialog.ShapeList(), SHAPE_CIRCULAR);
  prompts.mTexts.clear();
  Type(dialog.WidthField(), "0");
  ClickOk(dialog);
  FlushEvents();
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_FALSE(prompts.mTexts.isEmpty());
  EXPECT_TRUE(prompts.mTexts[0].startsWith("The diameter \"0\" cannot be used"))
      << prompts.mTexts[0].toStdString();
}

TEST(NewAreaDialog, StaysOpenUntilItHasANameAndAHazardClass)
{
  CFakePrompts prompts;
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
  // Why OK did nothing is said, not only shown by the focus.
  ASSERT_EQ(prompts.mTexts.size(), 1);
  EXPECT_TRUE(prompts.mTexts[0].startsWith("Choose the hazard class"))
      << prompts.mTexts[0].toStdString();

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
