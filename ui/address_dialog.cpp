#include "ui/address_dialog.h"

#include "text/units.h"
#include "ui/dialog_support.h"
#include "ui/qt_text.h"
#include "ui/field_helpers.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CAddressDialog::CAddressDialog(QWidget* parent, const QString& title, const CAddress& address)
  : QDialog(parent), mAddress(address)
{
  setWindowTitle(title);
  static const char* const kLabels[FieldCount] = {"Name",    "Address 1", "Address 2", "City",
                                                  "State",   "Country",   "Zip Code"};
  auto* form = new QFormLayout;
  const int width = fontMetrics().averageCharWidth() * 40;
  for (int i = 0; i < FieldCount; ++i)
  {
    const auto field = static_cast<Field>(i);
    mEdits[i] = new QLineEdit(ToQt(Value(field)), this);
    mEdits[i]->setMinimumWidth(width);
    form->addRow(kLabels[i], mEdits[i]);
    OnFocusOut(mEdits[i], [this, field] { Commit(field); });
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  mOk = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &CAddressDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CAddressDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  mEdits[Name]->setFocus();
}

CAddressDialog::~CAddressDialog() { StopFieldHooks(this); }

std::string& CAddressDialog::Value(Field field)
{
  switch (field)
  {
  case Name:
    return mAddress.mName;
  case Address1:
    return mAddress.mAddress1;
  case Address2:
    return mAddress.mAddress2;
  case City:
    return mAddress.mCity;
  case State:
    return mAddress.mState;
  case Country:
    return mAddress.mCountry;
  case Zip:
  case FieldCount:
    break;
  }
  return mAddress.mZip;
}

bool CAddressDialog::Commit(Field field)
{
  bool removed = false;
  const std::string typed = TakeFieldText(this, mEdits[field]->text(), &removed);
  std::string& value = Value(field);
  value = field == Name ? CleanFileName(typed) : CollapseSpaces(typed);
  const QString shown = ToQt(value);
  if (mEdits[field]->text() != shown)
    mEdits[field]->setText(shown);
  return removed;
}

void CAddressDialog::accept()
{
  // Enter or the OK button does not move the focus: take every field now.
  bool removed = false;
  for (int i = 0; i < FieldCount; ++i)
    removed |= Commit(static_cast<Field>(i));
  if (removed)
    return;
  if (mAddress.mName.empty())
  {
    mEdits[Name]->setFocus();
    return;
  }
  QDialog::accept();
}
