#include "ui/string_dialog.h"

#include "ui/qt_text.h"

#include <QLineEdit>
#include <QPushButton>

CStringDialog::CStringDialog(QWidget* parent)
  : QDialog(parent), mEdit(new QLineEdit(this)), mOk(new QPushButton("OK", this))
{
}

int CStringDialog::exec()
{
  setWindowTitle(ToQt(mTitle));
  mEdit->setText(ToQt(mText));
  int result = QDialog::exec();
  if (result == QDialog::Accepted)
    mText = FromQt(mEdit->text());
  return result;
}

void CStringDialog::Commit() {}
void CStringDialog::OnOk() {}
void CStringDialog::CheckAndAccept() {}
bool CStringDialog::eventFilter(QObject* watched, QEvent* event)
{
  return QDialog::eventFilter(watched, event);
}
