#include "ui/opening_dialog.h"

#include "ui/dialog_support.h"
#include "ui/qt_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShowEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{
// Hiding a group leaves its place empty rather than moving the others.
constexpr CGroupOptions kFixedPlace{.mKeepPlaceWhenHidden = true};
} // namespace

CVentDialog::CVentDialog(QWidget* parent)
  : QDialog(parent), mTypeList(new QComboBox(this)), mShapeList(new QComboBox(this)),
    mUpperEdit(new QLineEdit(this)), mWidthEdit(new QLineEdit(this)),
    mHeightEdit(new QLineEdit(this)), mAreaEdit(new QLineEdit(this)),
    mUpperGroup(Group("Upper", mUpperEdit, this, kFixedPlace)),
    mWidthGroup(Group("Width", mWidthEdit, this, kFixedPlace)),
    mHeightGroup(Group("Height", mHeightEdit, this, kFixedPlace))
{
  for (std::int32_t type : {VENT_WALL, VENT_CEILING, VENT_FLOOR})
    mTypeList->addItem(VentTypeName(type));
  for (std::int32_t shape : {SHAPE_RECTANGULAR, SHAPE_CIRCULAR})
    mShapeList->addItem(VentShapeName(shape));
  mAreaEdit->setReadOnly(true);
  mAreaEdit->setFocusPolicy(Qt::NoFocus);
  for (QLineEdit* field : {mUpperEdit, mWidthEdit, mHeightEdit})
    field->setMinimumWidth(DialogUnitsX(this, 60));

  auto* grid = new QGridLayout;
  grid->addWidget(Group("Opening Type", mTypeList, this, kFixedPlace), 0, 0);
  grid->addWidget(Group("Opening Shape", mShapeList, this, kFixedPlace), 1, 0);
  grid->addWidget(mUpperGroup, 0, 1);
  grid->addWidget(mWidthGroup, 1, 1);
  grid->addWidget(Group("Area", mAreaEdit, this, kFixedPlace), 0, 2);
  grid->addWidget(mHeightGroup, 1, 2);

  // Neither button is the default: Enter moves from field to field.
  auto* ok = new QPushButton("OK", this);
  auto* cancel = new QPushButton("Cancel", this);
  ok->setAutoDefault(false);
  cancel->setAutoDefault(false);
  ok->setMinimumWidth(DialogUnitsX(this, 90));
  cancel->setMinimumWidth(DialogUnitsX(this, 90));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok, 1);
  buttons->addWidget(cancel, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(mTypeList, mShapeList);
  setTabOrder(mShapeList, mUpperEdit);
  setTabOrder(mUpperEdit, mWidthEdit);
  setTabOrder(mWidthEdit, mHeightEdit);
  setTabOrder(mHeightEdit, ok);
  setTabOrder(ok, cancel);

  for (QLineEdit* field : {mUpperEdit, mWidthEdit, mHeightEdit})
    CFieldWatcher::Watch(field, [this, field] { CommitField(field); }, true);
  connect(mTypeList, &QComboBox::activated, this,
          [this](int index)
          {
            mType = index;
            UpdateControls();
          });
  connect(mShapeList, &QComboBox::activated, this,
          [this](int index)
          {
            mShape = index;
            UpdateControls();
          });
  connect(ok, &QPushButton::clicked, this, &CVentDialog::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CVentDialog::~CVentDialog() { StopFieldHooks(this); }

void CVentDialog::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  if (event->spontaneous()) // shown again after being minimised
    return;
  setWindowTitle(ToQt(mTitle));
  UpdateControls();
  mTypeList->setFocus();
}

bool CVentDialog::EditVent(const char* title, CVentValues& values)
{
  mTitle = title ? title : "";
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

void CVentDialog::UpdateControls()
{
  {
    const QSignalBlocker typeBlocker(mTypeList);
    const QSignalBlocker shapeBlocker(mShapeList);
    mTypeList->setCurrentIndex(mType >= 0 && mType < mTypeList->count() ? mType : -1);
    mShapeList->setCurrentIndex(mShape >= 0 && mShape < mShapeList->count() ? mShape : -1);
  }
  // A refused field keeps what was typed, so that it can be put right.
  auto show = [this](QLineEdit* field, const std::string& text)
  {
    if (!mRefusedFields.contains(field))
      field->setText(ToQt(text));
  };
  show(mWidthEdit, FormatMeasure(mWidth, mUnits, 1));
  if (mShape == SHAPE_CIRCULAR)
  {
    mHeightGroup->hide();
    mWidthGroup->setTitle("Diameter");
    const double radius = mWidth * 0.5;
    mAreaEdit->setText(ToQt(FormatMeasure(std::numbers::pi * radius * radius, mUnits, 2)));
  }
  else
  {
    mWidthGroup->setTitle("Width");
    show(mHeightEdit, FormatMeasure(mHeight, mUnits, 1));
    mHeightGroup->show();
    mAreaEdit->setText(ToQt(FormatMeasure(mWidth * mHeight, mUnits, 2)));
  }
  if (mType == VENT_WALL)
  {
    show(mUpperEdit, FormatPercent(mUpper));
    mUpperGroup->show();
  }
  else
  {
    mUpperEdit->clear();
    mUpperGroup->hide();
  }
}

void CVentDialog::CommitField(QLineEdit* field)
{
  ReadField(field);
  UpdateControls();
}

bool CVentDialog::ReadField(QLineEdit* field)
{
  mRefusedFields.removeAll(field);
  // A hidden field is no part of the opening: the height of a circular
  // opening, the upper share of a ceiling or floor opening.
  if ((field == mHeightEdit && mShape == SHAPE_CIRCULAR) ||
      (field == mUpperEdit && mType != VENT_WALL))
    return true;
  // A field that still shows its value keeps the value exactly: reading
  // back the rounded text would change it (a share of 0.333 shows as "33%").
  const QString shown = field == mUpperEdit   ? ToQt(FormatPercent(mUpper))
                        : field == mWidthEdit ? ToQt(FormatMeasure(mWidth, mUnits, 1))
                                              : ToQt(FormatMeasure(mHeight, mUnits, 1));
  if (field->text() == shown)
    return true;
  const bool read = field == mUpperEdit ? ReadUpperField() : ReadLengthOf(field);
  if (!read)
    mRefusedFields.append(field);
  return read;
}

bool CVentDialog::ReadUpperField()
{
  // A character the program's set cannot hold makes the text unreadable
  // rather than being dropped and changing the figure.
  bool lost = false;
  const std::string text = FromQt(mUpperEdit->text(), &lost);
  std::string refusal;
  double share = 0;
  if (!lost && ParsePercent(text, share, UserDecimalPoint(), &refusal))
  {
    mUpper = share;
    return true;
  }
  // A character the set cannot hold is part of no number; the message
  // quotes the text as typed.
  if (lost)
    ParsePercent("%1", share, UserDecimalPoint(), &refusal);
  QString message = ToQt(refusal);
  if (lost)
    message = message.arg(mUpperEdit->text().trimmed());
  RefuseEntry(mUpperEdit, message);
  return false;
}

bool CVentDialog::ReadLengthOf(QLineEdit* field)
{
  double metres = 0;
  if (!ReadLengthField(field, mUnits, metres))
    return false;
  // An opening of no size would be kept without a word: say so here, with
  // the typed text still in the field.
  if (!(metres > 0))
  {
    const QString name =
        field == mWidthEdit ? (mShape == SHAPE_CIRCULAR ? "diameter" : "width") : "height";
    RefuseEntry(field, QString("The %1 \"%2\" cannot be used: the %1 of an opening must be "
                               "greater than 0.")
                           .arg(name, field->text().trimmed()));
    return false;
  }
  (field == mWidthEdit ? mWidth : mHeight) = metres;
  return true;
}

void CVentDialog::keyPressEvent(QKeyEvent* event)
{
  if (!EnterMovesOn(this, event))
    QDialog::keyPressEvent(event);
}

void CVentDialog::OnOk()
{
  RunQueued(this,
            [this]
            {
              // A field still edited had no focus change (window not active).
              // A refused text is still in its field: read again, it keeps
              // the dialog open.
              bool refused = false;
              for (QLineEdit* field : {mUpperEdit, mWidthEdit, mHeightEdit})
                refused = !ReadField(field) || refused;
              UpdateControls();
              if (!refused)
                accept();
            });
}
