#include "ui/volume_tab_device.h"

#include "document/project_document.h"
#include "model/area.h"
#include "text/units.h"
#include "ui/field_helpers.h"
#include "ui/dialog_support.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace
{
// The two blocks of the upper frame, top to bottom: the heavy models on the
// left, the light ones on the right.
constexpr int kLeftBlock[4] = {7, 6, 5, 4};
constexpr int kRightBlock[4] = {3, 2, 1, 0};

QLabel* Heading(const char* text, QWidget* parent, Qt::Alignment alignment = Qt::AlignLeft)
{
  auto* label = new QLabel(text, parent);
  label->setAlignment(alignment | Qt::AlignBottom);
  return label;
}

QFrame* Frame(QWidget* parent)
{
  auto* frame = new QFrame(parent);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setFrameShadow(QFrame::Sunken);
  return frame;
}
} // namespace

CVTXAreaPageDevice::CVTXAreaPageDevice(CVolumePageHost& sheet)
    : CVTXAreaPage(sheet), mMassRequired(new CValueField(this, Qt::AlignRight)),
      mMassSelected(new CValueField(this, Qt::AlignRight)),
      mMassRemaining(new CValueField(this, Qt::AlignRight)),
      mDensityRequired(new CValueField(this, Qt::AlignRight)),
      mDensitySelected(new CValueField(this, Qt::AlignRight)),
      mDensityRemaining(new CValueField(this, Qt::AlignRight)),
      mDensityBase(new CValueField(this, Qt::AlignRight)),
      mPropose(new QPushButton("Propose", this))
{
  connect(mPropose, &QPushButton::clicked, this, &CVTXAreaPageDevice::Propose);

  auto* devices = Frame(this);
  auto* blocks = new QHBoxLayout(devices);
  blocks->addWidget(MakeBlock(kLeftBlock), 1);
  blocks->addSpacing(fontMetrics().averageCharWidth());
  blocks->addWidget(MakeBlock(kRightBlock), 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(devices);
  layout->addWidget(MakeTotals());
  layout->addStretch(1);
  FixPageSize(310, 174);

  // The keyboard walks the "Selected" fields from the heaviest model down.
  for (int model = DeviceModelCount - 1; model > 0; --model)
    setTabOrder(mRows[model].mSelected, mRows[model - 1].mSelected);
}

QWidget* CVTXAreaPageDevice::MakeBlock(const int (&models)[4])
{
  auto* block = new QWidget(this);
  auto* grid = new QGridLayout(block);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(6);
  // Wide enough for the usual figures of each column.
  const QFontMetrics metrics(font());
  const int frame = 2 * metrics.averageCharWidth();
  const int countWidth = metrics.horizontalAdvance("00000") + frame;
  const int heightWidth = metrics.horizontalAdvance("0.00 ft") + frame;
  grid->addWidget(Heading("Device", block, Qt::AlignRight), 0, 0);
  grid->addWidget(Heading("Required", block), 0, 1);
  grid->addWidget(Heading("Selected", block), 0, 2);
  grid->addWidget(Heading("Height", block), 0, 3);
  for (int position = 0; position < 4; ++position)
  {
    const int model = models[position];
    CRow& row = mRows[model];
    // Model names never change: set once, here.
    row.mName = new QLabel(ToQt(DeviceName(model)), block);
    row.mName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.mRequired = new CValueField(block);
    row.mSelected = new QLineEdit(block);
    row.mSelected->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row.mHeight = new CValueField(block);
    row.mRequired->setMinimumWidth(countWidth);
    row.mSelected->setMinimumWidth(countWidth);
    row.mHeight->setMinimumWidth(heightWidth);
    grid->addWidget(row.mName, position + 1, 0);
    grid->addWidget(row.mRequired, position + 1, 1);
    grid->addWidget(row.mSelected, position + 1, 2);
    grid->addWidget(row.mHeight, position + 1, 3);

    // The whole count is selected once the focus change is complete (a
    // click would otherwise place the cursor over the selection).
    CFieldWatcher::Watch(row.mSelected, [this, model] { CommitCount(model); }, true);
    // Enter moves on to the next lighter model, as in the numeric dialogs;
    // in the last field it takes the count where it is.
    connect(row.mSelected, &QLineEdit::returnPressed, this,
            [this, model]
            {
              if (model > 0)
                mRows[model - 1].mSelected->setFocus(Qt::TabFocusReason);
              else
              {
                CommitCount(model);
                mRows[model].mSelected->selectAll();
              }
            });
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);
  grid->setColumnStretch(3, 1);
  return block;
}

QWidget* CVTXAreaPageDevice::MakeTotals()
{
  auto* frame = Frame(this);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(Heading("Required", frame, Qt::AlignRight), 0, 1);
  grid->addWidget(Heading("Selected", frame, Qt::AlignRight), 0, 2);
  grid->addWidget(Heading("Remaining", frame, Qt::AlignRight), 0, 3);
  grid->addWidget(Heading("Base", frame, Qt::AlignRight), 0, 4);
  auto* mass = new QLabel("Mass", frame);
  mass->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* density = new QLabel("Density", frame);
  density->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(mass, 1, 0);
  grid->addWidget(mMassRequired, 1, 1);
  grid->addWidget(mMassSelected, 1, 2);
  grid->addWidget(mMassRemaining, 1, 3);
  grid->addWidget(density, 2, 0);
  grid->addWidget(mDensityRequired, 2, 1);
  grid->addWidget(mDensitySelected, 2, 2);
  grid->addWidget(mDensityRemaining, 2, 3);
  grid->addWidget(mDensityBase, 2, 4);
  grid->addWidget(mPropose, 1, 4);
  grid->setColumnStretch(0, 2);
  for (int column = 1; column < 5; ++column)
    grid->setColumnStretch(column, 3);
  return frame;
}

void CVTXAreaPageDevice::Refresh()
{
  const CArea* area = Area();
  if (!area)
    return;
  const UnitSystem units = area->Units();
  const CDeviceFigures figures = DeviceFigures(*area);

  for (int model = 0; model < DeviceModelCount; ++model)
  {
    CRow& row = mRows[model];
    double height = 0;
    DeviceHeight(model, height);
    row.mHeight->SetValue(ToQt(FormatMeasure(height, units, 1)));
    if (!row.mSelected->isModified()) // not a count being typed or a refused one
      SetTextIfDiffers(row.mSelected, ToQt(FormatCount(area->DeviceCount(model))));
    row.mRequired->SetValue(ToQt(RequiredCountText(figures, model)));
  }

  auto shown = [&](double value, std::string (*format)(double))
  { return figures.mValid ? ToQt(format(value)) : QString(); };
  mMassRequired->SetValue(shown(figures.mRequiredMass, FormatMass));
  mMassSelected->SetValue(shown(figures.mSelectedMass, FormatMass));
  mMassRemaining->SetValue(shown(figures.mRemainingMass, FormatMass));
  mDensityRequired->SetValue(shown(figures.mRequiredDensity, FormatDensity));
  mDensitySelected->SetValue(shown(figures.mSelectedDensity, FormatDensity));
  mDensitySelected->SetHighlighted(figures.mValid && figures.mBelowUL);
  mPropose->setEnabled(figures.mValid);
  mDensityRemaining->SetValue(shown(figures.mRemainingDensity, FormatDensity));
  mDensityBase->SetValue(figures.mBaseValid ? ToQt(FormatDensity(figures.mBaseDensity)) : QString());
}

bool CVTXAreaPageDevice::CommitCount(int model)
{
  CArea* area = Area();
  if (!area)
    return true;
  QLineEdit* field = mRows[model].mSelected;
  // A field not edited since it was filled holds the stored count.
  if (!field->isModified())
    return true;
  // A refused count stays as typed (the refresh leaves an edited field
  // alone) and is explained; the stored count is kept.
  std::uint32_t count = 0;
  CountProblem problem = CountProblem::None;
  // A character the program's set cannot hold is part of no count: it is
  // never dropped to leave digits that read.
  bool lost = false;
  const std::string text = FromQt(field->text(), &lost);
  if (lost)
    problem = CountProblem::NotUnderstood;
  if (lost || !ParseCount(text, count, &problem))
  {
    const QString typed = field->text().trimmed();
    // The message quotes the text as typed, characters the set cannot hold
    // included.
    QString why = ToQt(CountRefusalText("%1", problem));
    if (why.contains("%1"))
      why = why.arg(typed);
    RefuseEntry(field, problem == CountProblem::TooLarge
                           ? QString("The count \"%1\" of %2 devices cannot be stored: a project "
                                     "file holds at most %3 devices of a model.")
                                 .arg(typed, ToQt(DeviceName(model)),
                                      ToQt(FormatCount(std::numeric_limits<std::uint32_t>::max())))
                           : why);
    return false;
  }
  field->setModified(false);
  if (CProjectDocument* document = Document())
    document->Apply(edit::SetDeviceCount{area->Id(), model, count});
  else
    PostRefresh();
  return true;
}

void CVTXAreaPageDevice::Propose()
{
  CArea* area = Area();
  if (!area)
    return;
  const CDeviceFigures figures = DeviceFigures(*area);
  if (!figures.mValid)
    return;
  const std::optional<CDeviceCounts> counts = ProposeDevices(figures.mTargetMass);
  if (!counts)
    ShowMessage(this, kAppTitle, kNoProposalText, CPromptIcon::Exclamation);
  else if (CProjectDocument* document = Document())
    document->Apply(edit::SetDeviceCounts{area->Id(), *counts});
}

bool CVTXAreaPageDevice::CommitFocusedCount()
{
  // A tab click does not take the focus: the field being typed in still has it.
  QWidget* focused = QApplication::focusWidget();
  for (int model = 0; model < DeviceModelCount; ++model)
    if (focused == mRows[model].mSelected)
      return CommitCount(model);
  return true;
}

void CVTXAreaPageDevice::CommitEdits() { CommitFocusedCount(); }

bool CVTXAreaPageDevice::QueryLeave()
{
  // A refused count keeps the page, so that it can be put right.
  if (!CommitFocusedCount())
    return false;
  const CArea* area = Area();
  if (!area || !(area->mWarnings & AW_BELOW_UL_DENSITY))
    return true;
  return !AskToStay(this, kULWarningCaption,
                    ToQt(ULLeaveDevicePageText(area->mConcentrationStandard)));
}
