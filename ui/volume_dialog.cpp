#include "ui/volume_dialog.h"

#include <QLineEdit>

CVolumeDialog::CVolumeDialog(QWidget* parent) : QDialog(parent)
{
  setWindowTitle("Volume");
  for (auto& f : mFields)
    f = new QLineEdit(this);
}

int CVolumeDialog::exec() { return QDialog::exec(); }
double& CVolumeDialog::Value(int index) { return index == 0 ? mLength : index == 1 ? mWidth : mHeight; }
void CVolumeDialog::Commit(int) {}
void CVolumeDialog::ShowValues() {}
bool CVolumeDialog::eventFilter(QObject* watched, QEvent* event)
{
  return QDialog::eventFilter(watched, event);
}
