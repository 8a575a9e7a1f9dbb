// The address entry dialog: what its fields keep and when it may close.

#include "tests/ui/fake_prompts.h"
#include "ui/address_dialog.h"
#include "ui/field_helpers.h"
#include "ui/project_sheet.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace
{
CAddress Acme()
{
  CAddress a;
  a.mName = "Acme";
  a.mAddress1 = "1 Main St";
  a.mCity = "Springfield";
  a.mZip = "12345";
  return a;
}
} // namespace

TEST(AddressDialog, ShowsTheAddressAndHandsBackTheCleanedFields)
{
  CFakePrompts prompts;
  CAddressDialog dialog(nullptr, "Customer Information", Acme());
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Customer Information");
  EXPECT_EQ(dialog.Edit(CAddressDialog::City)->text(), "Springfield");
  EXPECT_EQ(dialog.Edit(CAddressDialog::Zip)->text(), "12345");

  // The name stops at the first character a file name cannot hold; the
  // other fields keep single spaces.
  dialog.Edit(CAddressDialog::Name)->setText("Smith: Plumbing");
  dialog.Edit(CAddressDialog::Address2)->setText("  Unit   4  ");
  dialog.Edit(CAddressDialog::Country)->setText(QString("Fran") + QChar(0xE7) + "e");
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mAddress.mName, "Smith");
  EXPECT_EQ(dialog.mAddress.mAddress2, "Unit 4");
  EXPECT_EQ(dialog.mAddress.mCountry, "Fran\xE7" "e");
  EXPECT_EQ(dialog.mAddress.mCity, "Springfield");
  EXPECT_EQ(dialog.Edit(CAddressDialog::Name)->text(), "Smith");
  EXPECT_TRUE(prompts.mTexts.isEmpty());
}

TEST(AddressDialog, AFieldIsCleanedWhenItLosesTheFocus)
{
  CFakePrompts prompts;
  CAddressDialog dialog(nullptr, "Customer Information", CAddress{});
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QLineEdit* name = dialog.Edit(CAddressDialog::Name);
  name->setFocus();
  QTest::keyClicks(name, "Jones  and   Sons");
  dialog.Edit(CAddressDialog::City)->setFocus();
  EXPECT_EQ(name->text(), "Jones and Sons");
  EXPECT_EQ(dialog.mAddress.mName, "Jones and Sons");
}

TEST(AddressDialog, AnEmptyNameCannotBeConfirmed)
{
  CFakePrompts prompts;
  CAddressDialog dialog(nullptr, "Distributor Information", Acme());
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  for (const char* blank : {"", "   ", ":Plumbing"})
  {
    dialog.Edit(CAddressDialog::Name)->setText(blank);
    dialog.Edit(CAddressDialog::City)->setFocus();
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible()) << blank;
    EXPECT_NE(dialog.result(), QDialog::Accepted) << blank;
    EXPECT_TRUE(dialog.Edit(CAddressDialog::Name)->hasFocus()) << blank;
  }
  EXPECT_TRUE(prompts.mTexts.isEmpty()); // refused without a message
}

TEST(AddressDialog, CharactersTheProgramCannotStoreAreRemovedAndTheUserIsTold)
{
  CFakePrompts prompts;
  CAddressDialog dialog(nullptr, "Customer Information", Acme());
  dialog.show();
  dialog.Edit(CAddressDialog::City)->setText(QString("T") + QChar(0x014D) + "ky" + QChar(0x014D));
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  for (int i = 0; i < 3; ++i)
    QApplication::processEvents();
  EXPECT_EQ(dialog.mAddress.mCity, "Tky");
  EXPECT_EQ(dialog.Edit(CAddressDialog::City)->text(), "Tky");
  ASSERT_EQ(prompts.mTexts.size(), 1);
  EXPECT_EQ(prompts.mTexts[0], kCharactersRemovedText);
  // The first OK shows what is kept; the next one confirms it.
  EXPECT_TRUE(dialog.isVisible());
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.mAddress.mCity, "Tky");
}
