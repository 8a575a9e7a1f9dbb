// The Customer and Distributor pages: the customer book, the project's
// customer and distributor, and the default distributor.

#include "document/shared_lists.h"
#include "tests/ui/project_test_fixture.h"

#include "ui/address_dialog.h"
#include "ui/project_tab_customer.h"
#include "ui/project_tab_distributor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace
{
CAddress Address(const char* name, const char* city)
{
  CAddress a;
  a.mName = name;
  a.mAddress1 = "1 Main St";
  a.mCity = city;
  return a;
}

// Fills the address dialog when it opens and confirms it.
void AnswerAddress(const QString& name, const QString& city, QString* title = nullptr,
                   QString* shownName = nullptr)
{
  WhenDialogOpens<CAddressDialog>(
    [=](CAddressDialog* dialog)
    {
      if (title)
        *title = dialog->windowTitle();
      if (shownName)
        *shownName = dialog->Edit(CAddressDialog::Name)->text();
      dialog->Edit(CAddressDialog::Name)->setText(name);
      dialog->Edit(CAddressDialog::City)->setText(city);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
}

class CustomerPage : public ProjectWindowTest
{
protected:
  CVTXPageCustomer* ShowPage(CProject* project)
  {
    CVTXSheet* sheet = Sheet(project);
    Show(sheet, sheet->CustomerPage());
    return sheet->CustomerPage();
  }
  void Choose(CVTXPageCustomer* page, const QString& name)
  {
    QComboBox* list = page->CompanyList();
    const int index = list->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
    Settle();
  }
};
} // namespace

TEST_F(CustomerPage, AnEmptyBookLeavesOnlyNewAvailable)
{
  CProject* project = Open("Plant");
  CVTXPageCustomer* page = ShowPage(project);
  EXPECT_FALSE(page->CompanyList()->isEnabled());
  EXPECT_FALSE(page->EditButton()->isEnabled());
  EXPECT_FALSE(page->DeleteButton()->isEnabled());
  EXPECT_TRUE(page->NewButton()->isEnabled());
}

TEST_F(CustomerPage, ChoosingANameCopiesTheEntryAndTheListIgnoresLetterCase)
{
  Customers().Put(Address("beta", "Bern"));
  Customers().Put(Address("Alpha", "Athens"));
  Customers().Put(Address("Zeta", "Zagreb"));
  CProject* project = Open("Plant");
  CVTXPageCustomer* page = ShowPage(project);
  QComboBox* list = page->CompanyList();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->itemText(0), "Alpha");
  EXPECT_EQ(list->itemText(1), "beta");
  EXPECT_EQ(list->itemText(2), "Zeta");
  EXPECT_EQ(list->currentIndex(), -1);
  EXPECT_FALSE(page->EditButton()->isEnabled());

  Choose(page, "beta");
  EXPECT_EQ(project->mCustomer, Address("beta", "Bern"));
  EXPECT_EQ(list->currentText(), "beta");
  EXPECT_EQ(page->AddressLine(2)->text(), "Bern");
  EXPECT_TRUE(page->EditButton()->isEnabled());
  EXPECT_TRUE(page->DeleteButton()->isEnabled());

  // A customer no longer in the book still shows its address, unselected.
  Customers().Remove("beta");
  project->RecalculateProject();
  Settle();
  EXPECT_EQ(list->currentIndex(), -1);
  EXPECT_EQ(page->AddressLine(0)->text(), "1 Main St");
  EXPECT_FALSE(page->EditButton()->isEnabled());
  EXPECT_FALSE(page->DeleteButton()->isEnabled());
}

TEST_F(CustomerPage, NewWithTheNameOfAnExistingCustomerReplacesIt)
{
  Customers().Put(Address("Acme", "Old Town"));
  CProject* project = Open("Plant");
  CVTXPageCustomer* page = ShowPage(project);
  QString title;
  QString shownName;
  AnswerAddress("Acme", "New Town", &title, &shownName);
  QTest::mouseClick(page->NewButton(), Qt::LeftButton);
  Settle();
  EXPECT_EQ(title, "Customer Information");
  EXPECT_TRUE(shownName.isEmpty()); // a new address starts empty
  ASSERT_EQ(Customers().Count(), 1u);
  CAddress stored;
  ASSERT_TRUE(Customers().Get("Acme", stored));
  EXPECT_EQ(stored.mCity, "New Town");
  EXPECT_TRUE(stored.mAddress1.empty());
  EXPECT_EQ(project->mCustomer, stored);
  EXPECT_EQ(page->CompanyList()->currentText(), "Acme");
  // The book is on disk at once.
  CAddressBook reread;
  ASSERT_TRUE(reread.Load(kCustomerFileName));
  ASSERT_TRUE(reread.Get("Acme", stored));
  EXPECT_EQ(stored.mCity, "New Town");
}

TEST_F(CustomerPage, EditingUnderANewNameReplacesTheOldEntry)
{
  Customers().Put(Address("Acme", "Old Town"));
  CProject* project = Open("Plant");
  CVTXPageCustomer* page = ShowPage(project);
  Choose(page, "Acme");
  QString shownName;
  AnswerAddress("Acme Ltd", "Old Town", nullptr, &shownName);
  QTest::mouseClick(page->EditButton(), Qt::LeftButton);
  Settle();
  EXPECT_EQ(shownName, "Acme"); // filled from the book
  EXPECT_EQ(Customers().Names(), std::vector<std::string>{"Acme Ltd"});
  EXPECT_EQ(project->mCustomer.mName, "Acme Ltd");
  EXPECT_EQ(project->mCustomer.mAddress1, "1 Main St");
}

TEST_F(CustomerPage, DeleteAsksThenEmptiesTheProjectsCustomer)
{
  Customers().Put(Address("Acme", "Old Town"));
  CProject* project = Open("Plant");
  CVTXPageCustomer* page = ShowPage(project);
  Choose(page, "Acme");
  QTest::mouseClick(page->DeleteButton(), Qt::LeftButton); // answered No
  Settle();
  ASSERT_EQ(mPrompts.mTexts.size(), 1);
  EXPECT_EQ(mPrompts.mCaptions[0], "Warning");
  EXPECT_EQ(mPrompts.mTexts[0],
            "This action will remove \"Acme\" from your list.  Are you sure you want to do this?");
  EXPECT_EQ(Customers().Count(), 1u);

  mPrompts.mAnswers = {CPromptAnswer::Yes};
  QTest::mouseClick(page->DeleteButton(), Qt::LeftButton);
  Settle();
  EXPECT_EQ(Customers().Count(), 0u);
  EXPECT_EQ(project->mCustomer, CAddress{});
  EXPECT_FALSE(page->CompanyList()->isEnabled());
  EXPECT_TRUE(page->AddressLine(2)->text().isEmpty());
}

TEST_F(CustomerPage, TheReferenceKeepsSingleSpaces)
{
  CProject* project = Open("Plant");
  CVTXPageCustomer* page = ShowPage(project);
  QLineEdit* field = page->ReferenceField();
  field->setFocus();
  QTest::keyClicks(field, " PO   1138 ");
  page->NewButton()->setFocus();
  Settle();
  EXPECT_EQ(project->mCustomer_Reference, "PO 1138");
  EXPECT_EQ(field->text(), "PO 1138");
}

TEST_F(CustomerPage, EditingTheDistributorChangesTheDefaultButNoOtherOpenProject)
{
  CAddress old = Address("Old Dist", "Oslo");
  SaveDistributor(mSettings, old);
  CProject* first = Open("First");
  CProject* second = Open("Second");
  EXPECT_EQ(first->mDistributor, old);

  CVTXSheet* sheet = Sheet(first);
  Show(sheet, sheet->DistributorPage());
  CVTXPageDistributor* page = sheet->DistributorPage();
  EXPECT_EQ(page->AddressLine(0)->text(), "Old Dist");
  QString title;
  QString shownName;
  AnswerAddress("New Dist", "Nice", &title, &shownName);
  QTest::mouseClick(page->EditButton(), Qt::LeftButton);
  Settle();
  EXPECT_EQ(title, "Distributor Information");
  EXPECT_EQ(shownName, "Old Dist"); // filled from the default
  EXPECT_EQ(LoadDistributor(mSettings).mName, "New Dist");
  EXPECT_EQ(mSettings.Read("Distributor", "Name"), "New Dist");
  EXPECT_EQ(mSettings.Read("Distributor", "City"), "Nice");
  EXPECT_EQ(first->mDistributor.mName, "New Dist");
  EXPECT_EQ(page->AddressLine(0)->text(), "New Dist");
  EXPECT_EQ(second->mDistributor, old);
  // Projects created afterwards start with the new default.
  CProject* third = Open("Third");
  EXPECT_EQ(third->mDistributor.mName, "New Dist");
}

TEST_F(CustomerPage, TheDistributorReferenceIsTakenOnFocusLoss)
{
  CProject* project = Open("Plant");
  CVTXSheet* sheet = Sheet(project);
  Show(sheet, sheet->DistributorPage());
  QLineEdit* field = sheet->DistributorPage()->ReferenceField();
  field->setFocus();
  QTest::keyClicks(field, "D  7");
  sheet->DistributorPage()->EditButton()->setFocus();
  Settle();
  EXPECT_EQ(project->mDistributor_Reference, "D 7");
}
