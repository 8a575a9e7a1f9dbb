#pragma once
// The address entry dialog: edits a copy of one address. The caller reads
// mAddress back after OK.

#include "model/address.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

class CAddressDialog : public QDialog
{
  Q_OBJECT
public:
  enum Field
  {
    Name,
    Address1,
    Address2,
    City,
    State,
    Country,
    Zip,
    FieldCount
  };

  CAddressDialog(QWidget* parent, const QString& title, const CAddress& address);
  ~CAddressDialog() override;
  QLineEdit* Edit(Field field) const { return mEdits[field]; }
  QPushButton* OkButton() const { return mOk; }
  // OK takes the field being edited first; an empty name keeps the dialog
  // open with the focus in "Name", and so does a text from which characters
  // had to be removed, so that the user sees what will be kept.
  void accept() override;

  CAddress mAddress;

private:
  // Takes one field's text into mAddress and shows back what was stored: the
  // name as a clean file name (it names the customer), the others with their
  // spaces collapsed.
  // True when characters had to be removed.
  bool Commit(Field field);
  std::string& Value(Field field);

  QLineEdit* mEdits[FieldCount];
  QPushButton* mOk;
};
