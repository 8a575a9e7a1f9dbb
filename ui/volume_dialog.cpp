#include "ui/volume_dialog.h"

#include "ui/dialog_support.h"
#include "ui/qt_text.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShowEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
const char* const kCaptions[3] = {"Length", "Width", "Height"};
} // namespace

CVolumeDialog::CVolumeDialog(QWidget* parent) : QDialog(parent)
{
  setWindowTitle("Volume");
  auto* groups = new QHBoxLayout;
  for (int i = 0; i < 3; ++i)
  {
    auto* group = new QGroupBox(kCaptions[i], this);
    mFields[i] = new QLineEdit(group);
    mFields[i]->setMinimumWidth(DialogUnitsX(this, 60));
    (new QHBoxLayout(group))->addWidget(mFields[i]);
    groups->addWidget(group);
    CFieldWatcher::Watch(mFields[i], [this, i] { Commit(i); }, true);
  }

  // Neither button is the default: Enter moves from field to field.
  auto* ok = new QPushButton("OK", this);
  auto* cancel = new QPushButton("Cancel", this);
  ok->setAutoDefault(false);
  cancel->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ok, &QPushButton::clicked, this, &CVolumeDialog::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CVolumeDialog::~CVolumeDialog() { StopFieldHooks(this); }

void CVolumeDialog::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  if (event->spontaneous()) // shown again after being minimised
    return;
  for (int i = 0; i < 3; ++i)
    mFields[i]->setText(ToQt(FormatMeasure(Value(i), mUnits, 1)));
  mFields[0]->setFocus();
}

double& CVolumeDialog::Value(int index)
{
  return index == 0 ? mLength : index == 1 ? mWidth : mHeight;
}

bool CVolumeDialog::Commit(int index)
{
  QLineEdit* field = mFields[index];
  // A field that still shows its value keeps the value exactly: reading
  // back the rounded text would change it.
  bool read = true;
  if (field->text() != ToQt(FormatMeasure(Value(index), mUnits, 1)))
  {
    double metres = 0;
    read = ReadLengthField(field, mUnits, metres);
    if (read)
    {
      // The volume would keep its old figure without a word: say so here,
      // with the typed text still in the field.
      if (!(metres > 0))
      {
        const QString name = QString(kCaptions[index]).toLower();
        RefuseEntry(field, QString("The %1 \"%2\" cannot be used: the %1 of a volume must be "
                                   "greater than 0.")
                             .arg(name, field->text().trimmed()));
        return false;
      }
      Value(index) = metres;
    }
  }
  // A refused length stays as typed, so that it can be put right.
  if (read)
    field->setText(ToQt(FormatMeasure(Value(index), mUnits, 1)));
  return read;
}

void CVolumeDialog::keyPressEvent(QKeyEvent* event)
{
  if (!EnterMovesOn(this, event))
    QDialog::keyPressEvent(event);
}

void CVolumeDialog::OnOk()
{
  RunQueued(this,
            [this]
            {
              // An edit not yet taken in had no focus change (window not active).
              // A refused text is still in its field: read again, it keeps
              // the dialog open.
              bool refused = false;
              for (int i = 0; i < 3; ++i)
                refused = !Commit(i) || refused;
              if (!refused)
                accept();
            });
}
