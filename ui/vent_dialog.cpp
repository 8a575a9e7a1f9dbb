#include "ui/vent_dialog.h"

#include "ui/qt_text.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

CVentDialog::CVentDialog(QWidget* parent)
  : QDialog(parent), mTypeList(new QComboBox(this)), mShapeList(new QComboBox(this)),
    mUpperEdit(new QLineEdit(this)), mWidthEdit(new QLineEdit(this)),
    mHeightEdit(new QLineEdit(this)), mAreaEdit(new QLineEdit(this)),
    mUpperGroup(new QGroupBox(this)), mWidthGroup(new QGroupBox(this)),
    mHeightGroup(new QGroupBox(this))
{
}

int CVentDialog::exec()
{
  setWindowTitle(ToQt(mTitle));
  return QDialog::exec();
}

bool CVentDialog::EditVent(const char* title, CVentValues& values)
{
  mTitle = title;
  mType = values.mType;
  mShape = values.mShape;
  mWidth = values.mWidth;
  mHeight = values.mHeight;
  mUpper = values.mUpper;
  if (exec() != QDialog::Accepted)
    return false;
  values = {mType, mShape, mWidth, mHeight, mUpper};
  return true;
}

void CVentDialog::UpdateControls() {}
void CVentDialog::CommitField(QLineEdit*) {}
bool CVentDialog::eventFilter(QObject* watched, QEvent* event)
{
  return QDialog::eventFilter(watched, event);
}
