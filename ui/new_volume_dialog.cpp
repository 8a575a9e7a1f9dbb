#include "ui/new_volume_dialog.h"

#include "model/hazard_class.h"
#include "text/units.h"
#include "ui/dialog_support.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/selection_list.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QShowEvent>
#include <QPushButton>
#include <QVBoxLayout>

CNewAreaDialog::CNewAreaDialog(QWidget* parent)
  : QDialog(parent), mNameEdit(new QLineEdit(this)), mHazardList(new QComboBox(this))
{
  setWindowTitle("Create New Volume");

  auto* nameGroup = new QGroupBox("Name", this);
  (new QHBoxLayout(nameGroup))->addWidget(mNameEdit);
  auto* hazardGroup = new QGroupBox("Hazard Class", this);
  (new QHBoxLayout(hazardGroup))->addWidget(mHazardList);

  auto* ok = new QPushButton("OK", this);
  auto* cancel = new QPushButton("Cancel", this);
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(nameGroup);
  layout->addWidget(hazardGroup);
  layout->addLayout(buttons);
  setMinimumWidth(DialogUnitsX(this, 200));
  layout->setSizeConstraint(QLayout::SetFixedSize);
  nameGroup->setMinimumWidth(DialogUnitsX(this, 186));

  CPlainSelectionList names;
  FillHazardList(names, -1);
  for (const std::string& name : names.Items())
    mHazardList->addItem(ToQt(name));
  mHazardList->setCurrentIndex(-1);

  CFieldWatcher::Watch(mNameEdit, [this] { CommitName(); }, false);
  connect(ok, &QPushButton::clicked, this, &CNewAreaDialog::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  EnterPressesFocusedButton(this);
}

CNewAreaDialog::~CNewAreaDialog() { StopFieldHooks(this); }

void CNewAreaDialog::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  if (event->spontaneous()) // shown again after being minimised
    return;
  mNameEdit->setText(ToQt(mName));
  mHazardList->setCurrentIndex(IsValidHazard(mHazard) ? mHazard : -1);
  mNameEdit->setFocus();
}

void CNewAreaDialog::CommitName()
{
  bool lost = false;
  mName = CollapseSpaces(TakeFieldText(this, mNameEdit->text(), &lost));
  mNameEdit->setText(ToQt(mName));
  if (lost)
    mCharactersRemoved = true;
}

void CNewAreaDialog::OnOk()
{
  // Enter reaches OK without moving the focus: move it, so that the name is
  // taken in, and decide once that has been handled.
  if (auto* ok = qobject_cast<QPushButton*>(sender()))
    ok->setFocus(Qt::OtherFocusReason);
  RunQueued(this, [this] { CheckAndAccept(); });
}

void CNewAreaDialog::CheckAndAccept()
{
  // A name not yet taken in had no focus change (the window was not active).
  if (mNameEdit->text() != ToQt(mName))
    CommitName();
  if (mName.empty() || mCharactersRemoved)
  {
    mCharactersRemoved = false;
    mNameEdit->setFocus();
    return;
  }
  if (mNameUsed && mNameUsed(mName))
  {
    RefuseEntry(mNameEdit, QString("The name \"%1\" is already used by a volume of this project.  "
                                   "Each volume needs a name of its own.")
                             .arg(ToQt(mName)));
    return;
  }
  if (mHazardList->currentIndex() < 0)
  {
    // The focus alone would leave the user wondering why OK did nothing.
    ShowMessage(this, kAppTitle,
                "Choose the hazard class of the volume: the agent it needs depends on it.",
                CPromptIcon::Exclamation);
    mHazardList->setFocus();
    return;
  }
  mHazard = mHazardList->currentIndex();
  accept();
}
