#include "ui/new_area_dialog.h"

#include <QComboBox>
#include <QLineEdit>

CNewAreaDialog::CNewAreaDialog(QWidget* parent)
  : QDialog(parent), mNameEdit(new QLineEdit(this)), mHazardList(new QComboBox(this))
{
  setWindowTitle("Create New Volume");
}

int CNewAreaDialog::exec() { return QDialog::exec(); }
void CNewAreaDialog::CommitName() {}
void CNewAreaDialog::OnOk() {}
void CNewAreaDialog::CheckAndAccept() {}
bool CNewAreaDialog::eventFilter(QObject* watched, QEvent* event)
{
  return QDialog::eventFilter(watched, event);
}
