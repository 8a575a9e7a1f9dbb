#include "ui/string_dialog.h"

#include "text/units.h"
#include "ui/dialog_support.h"
#include "ui/qt_text.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QShowEvent>
#include <QPushButton>
#include <QVBoxLayout>

CStringDialog::CStringDialog(QWidget* parent)
  : QDialog(parent), mEdit(new QLineEdit(this)), mOk(new QPushButton("OK", this))
{
  auto* cancel = new QPushButton("Cancel", this);
  mOk->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(mOk);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mEdit);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  mEdit->setMinimumWidth(DialogUnitsX(this, 180));

  CFieldWatcher::Watch(mEdit, [this] { Commit(); }, false);
  connect(mOk, &QPushButton::clicked, this, &CStringDialog::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  EnterPressesFocusedButton(this);
}

CStringDialog::~CStringDialog() { StopFieldHooks(this); }

void CStringDialog::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  if (event->spontaneous()) // shown again after being minimised
    return;
  setWindowTitle(ToQt(mTitle));
  mText = CollapseSpaces(mText);
  mEdit->setText(ToQt(mText));
  mEdit->setFocus();
}

void CStringDialog::Commit()
{
  bool lost = false;
  mText = TakeFieldText(this, mEdit->text(), &lost);
  // Removed characters would leave their blanks behind: a name typed as a
  // word in another script, a blank and "Cafe" would start with a blank.
  if (lost)
    mText = CollapseSpaces(mText);
  if (mFilter)
    mText = mFilter(mText);
  mEdit->setText(ToQt(mText));
  if (lost)
    mCharactersRemoved = true;
}

void CStringDialog::OnOk()
{
  // Moving the focus to OK takes the text in (Enter reaches OK without it).
  mOk->setFocus(Qt::OtherFocusReason);
  RunQueued(this, [this] { CheckAndAccept(); });
}

void CStringDialog::CheckAndAccept()
{
  // Text not yet taken in had no focus change (the window was not active).
  if (mEdit->text() != ToQt(mText))
    Commit();
  // Text from which characters had to be removed is shown once more before
  // it can be accepted.
  const bool removed = mCharactersRemoved;
  mCharactersRemoved = false;
  if (!removed && (!mValidator || mValidator(mText)))
  {
    accept();
    return;
  }
  mEdit->setFocus();
}
