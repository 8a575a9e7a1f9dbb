#pragma once
// The "Customer" page: picks the project's customer from the customer book
// and adds, edits and deletes book entries.

#include "ui/project_page.h"

class CAddressBook;
class QComboBox;
class QLineEdit;
class QPushButton;

class CVTXPageCustomer : public CVTXProjectPage
{
  Q_OBJECT
public:
  explicit CVTXPageCustomer(CProjectPageHost& sheet);
  void Refresh() override;

  QComboBox* CompanyList() const { return mCompany; }
  // The read-only address lines: Address 1, Address 2, City, State, Country, Zip Code.
  QLineEdit* AddressLine(int i) const { return mLines[i]; }
  QLineEdit* ReferenceField() const { return mReference; }
  QPushButton* NewButton() const { return mNew; }
  QPushButton* EditButton() const { return mEdit; }
  QPushButton* DeleteButton() const { return mDelete; }

  void OnChosen(int index);
  void OnNew();
  void OnEdit();
  void OnDelete();
  // The book's entry of that name becomes the project's customer; for a name
  // the book does not hold the project keeps its customer and the page shows
  // it again.
  void ChooseListedCustomer(const std::string& name, const CAddressBook& book);

private:
  QComboBox* mCompany;
  QLineEdit* mLines[6];
  QLineEdit* mReference;
  QPushButton* mNew;
  QPushButton* mEdit;
  QPushButton* mDelete;
};
