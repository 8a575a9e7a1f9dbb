#include "ui/project_tab_customer.h"

#include "document/project_document.h"
#include "document/shared_lists.h"
#include "model/project.h"
#include "storage/address_book.h"
#include "ui/address_dialog.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/field_helpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CVTXPageCustomer::CVTXPageCustomer(CProjectPageHost& sheet)
    : CVTXProjectPage(sheet), mCompany(new QComboBox(this)), mReference(new QLineEdit(this)),
      mNew(new QPushButton("&New", this)), mEdit(new QPushButton("&Edit", this)),
      mDelete(new QPushButton("&Delete", this))
{
  mCompany->setEditable(false);
  auto* form = new QFormLayout;
  form->addRow("Company", mCompany);
  AddAddressRows(form, mLines, 1, this);
  form->addRow("Reference #", mReference);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(mNew);
  buttons->addWidget(mEdit);
  buttons->addWidget(mDelete);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch(1);
  layout->addLayout(buttons);

  mEdit->setEnabled(false);
  mDelete->setEnabled(false);
  connect(mCompany, &QComboBox::activated, this, &CVTXPageCustomer::OnChosen);
  connect(mNew, &QPushButton::clicked, this, &CVTXPageCustomer::OnNew);
  connect(mEdit, &QPushButton::clicked, this, &CVTXPageCustomer::OnEdit);
  connect(mDelete, &QPushButton::clicked, this, &CVTXPageCustomer::OnDelete);
  WatchReference(mReference, &CProject::mCustomer_Reference,
                 [](std::string text) -> CEditCommand
                 { return edit::SetCustomerReference{std::move(text)}; });
}

void CVTXPageCustomer::Refresh()
{
  CProject* project = Project();
  if (!project)
    return;
  const CAddressBook& book = Customers();
  // Selected only while the book still holds the project's customer.
  CAddress entry;
  const bool inBook = book.Get(project->mCustomer.mName, entry);
  const int selected = FillSortedNames(mCompany, book.Names(), inBook ? entry.mName : std::string());
  mCompany->setEnabled(mCompany->count() > 0);
  // A customer missing from the book is still the project's: its name is
  // shown greyed above its address, not selected.
  mCompany->setPlaceholderText(selected < 0 ? ToQt(project->mCustomer.mName) : QString());
  mEdit->setEnabled(selected >= 0);
  mDelete->setEnabled(selected >= 0);
  ShowAddressRows(mLines, project->mCustomer, 1);
  ShowReference();
}

void CVTXPageCustomer::ChooseListedCustomer(const std::string& name, const CAddressBook& book)
{
  CAddress entry;
  CProjectDocument* document = Document();
  if (document && book.Get(name, entry))
    document->Apply(edit::SetCustomer{entry});
  else
    PostRefresh();
}

void CVTXPageCustomer::OnChosen(int index)
{
  CProject* project = Project();
  if (!project || index < 0)
    return;
  ChooseListedCustomer(ListedName(mCompany, index), Customers());
}

void CVTXPageCustomer::OnNew()
{
  CAddressDialog dialog(this, "Customer Information", CAddress{});
  if (dialog.exec() != QDialog::Accepted)
    return;
  CProject* project = Project();
  if (!project)
    return;
  CAddressBook& book = Customers();
  // An entry of the same name is replaced.
  book.Put(dialog.mAddress);
  std::string error;
  if (!book.Save(kCustomerFileName, &error))
    ReportListNotSaved("customer", error);
  ChooseListedCustomer(dialog.mAddress.mName, book);
}

void CVTXPageCustomer::OnEdit()
{
  CProject* project = Project();
  const std::string name = ListedName(mCompany, mCompany->currentIndex());
  CAddressBook& book = Customers();
  CAddress entry;
  if (!project || name.empty() || !book.Get(name, entry))
    return;
  CAddressDialog dialog(this, "Customer Information", entry);
  if (dialog.exec() != QDialog::Accepted || !Project())
    return;
  // Renaming replaces the old entry: out with the old, in with the edited.
  book.Remove(name);
  book.Put(dialog.mAddress);
  std::string error;
  if (!book.Save(kCustomerFileName, &error))
    ReportListNotSaved("customer", error);
  ChooseListedCustomer(dialog.mAddress.mName, book);
}

void CVTXPageCustomer::OnDelete()
{
  const std::string name = ListedName(mCompany, mCompany->currentIndex());
  DeleteFromSharedList(
      name, "customer",
      [&name](std::string& error)
      {
        CAddressBook& book = Customers();
        book.Remove(name);
        return book.Save(kCustomerFileName, &error);
      },
      [](CProjectDocument& document) { document.Apply(edit::SetCustomer{}); });
}
