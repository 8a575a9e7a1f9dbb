#pragma once
// The "Distributor" page: the project's distributor, and the editing of the
// default distributor that new projects start with.

#include "ui/project_page.h"

class QLineEdit;
class QPushButton;

class CVTXPageDistributor : public CVTXProjectPage
{
  Q_OBJECT
public:
  explicit CVTXPageDistributor(CProjectPageHost& sheet);
  void Refresh() override;

  // The read-only lines: Company, Address 1, Address 2, City, State, Country, Zip Code.
  QLineEdit* AddressLine(int i) const { return mLines[i]; }
  QLineEdit* ReferenceField() const { return mReference; }
  QPushButton* EditButton() const { return mEdit; }

  void OnEdit();

private:
  QLineEdit* mLines[7];
  QLineEdit* mReference;
  QPushButton* mEdit;
};
