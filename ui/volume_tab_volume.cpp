#include "ui/volume_tab_volume.h"

#include "document/project_document.h"
#include "model/area.h"
#include "model/hazard_class.h"
#include "text/units.h"
#include "ui/dialog_support.h"
#include "ui/field_helpers.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/volume_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
constexpr CGroupOptions kFigure{.mColumn = true};

QString Factor(const CArea& area, std::uint32_t validBit, double value)
{
  return (area.mFlags & validBit) ? ToQt(FormatFactor(value)) : QString();
}
} // namespace

CVolumeHighlights VolumeHighlights(std::uint32_t flags)
{
  CVolumeHighlights h;
  h.mHeight = (flags & AF_EXCESS_HEIGHT) != 0;
  h.mVolume = (flags & (AF_ZERO_VOLUME | AF_SIZE_OUT_OF_RANGE)) != 0 ||
              ((flags & AF_EXCESS_VOLUME) && !(flags & (AF_EXCESS_LR | AF_EXCESS_LP)));
  h.mLR = (flags & AF_EXCESS_LR) != 0;
  h.mLP = (flags & AF_EXCESS_LP) != 0;
  return h;
}

CVTXAreaPageHazard::CVTXAreaPageHazard(CVolumePageHost& sheet)
    : CVTXAreaPage(sheet), mHazard(new QComboBox(this)),
      mChange(new QPushButton("Change Volume Dimensions", this)), mLength(new CValueField(this)),
      mWidth(new CValueField(this)), mHeight(new CValueField(this)), mVolume(new CValueField(this)),
      mClosed(new CValueField(this)), mK1(new CValueField(this)), mK2(new CValueField(this)),
      mK3(new CValueField(this)), mOpen(new CValueField(this)), mLR(new CValueField(this)),
      mLP(new CValueField(this)), mLH(new CValueField(this))
{

  CComboSelectionList list(mHazard);
  FillHazardList(list, Area() ? Area()->mHazard : -1);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Group("Hazard Class", mHazard, this, kFigure), 0, 0, 1, 4);
  grid->addWidget(Group("Length", mLength, this, kFigure), 1, 0);
  grid->addWidget(Group("Width", mWidth, this, kFigure), 1, 1);
  grid->addWidget(Group("Height", mHeight, this, kFigure), 1, 2);
  grid->addWidget(Group("Volume", mVolume, this, kFigure), 1, 3);
  grid->addWidget(mChange, 2, 0, 1, 4);
  grid->addWidget(Group("Closed", mClosed, this, kFigure), 3, 0);
  grid->addWidget(Group("K1", mK1, this, kFigure), 3, 1);
  grid->addWidget(Group("K2", mK2, this, kFigure), 3, 2);
  grid->addWidget(Group("K3", mK3, this, kFigure), 3, 3);
  grid->addWidget(Group("Open", mOpen, this, kFigure), 4, 0);
  grid->addWidget(Group("LR", mLR, this, kFigure), 4, 1);
  grid->addWidget(Group("LP", mLP, this, kFigure), 4, 2);
  grid->addWidget(Group("LH", mLH, this, kFigure), 4, 3);
  for (int column = 0; column < 4; ++column)
    grid->setColumnStretch(column, 1);
  grid->setRowStretch(5, 1);
  FixPageSize(307, 175);

  // activated: the user's choice only, never a refresh selecting the entry.
  connect(mHazard, &QComboBox::activated, this, &CVTXAreaPageHazard::OnHazardChosen);
  connect(mChange, &QPushButton::clicked, this, &CVTXAreaPageHazard::OnChangeDimensions);
}

void CVTXAreaPageHazard::Refresh()
{
  const CArea* area = Area();
  if (!area)
    return;
  const UnitSystem units = area->Units();

  CComboSelectionList list(mHazard);
  FillHazardList(list, area->mHazard);

  mLength->SetValue(ToQt(FormatMeasure(area->mLength, units, 1)));
  mWidth->SetValue(ToQt(FormatMeasure(area->mWidth, units, 1)));
  mHeight->SetValue(ToQt(FormatMeasure(area->mHeight, units, 1)));
  mVolume->SetValue(ToQt(SizeText(*area, area->mVolume, units, 3)));
  mClosed->SetValue(ToQt(SizeText(*area, area->mSizeClosed, units, 2)));
  mOpen->SetValue(ToQt(SizeText(*area, area->mSizeOpen, units, 2)));
  mK1->SetValue(Factor(*area, AF_K1_VALID, area->mK1));
  mK2->SetValue(Factor(*area, AF_K2_VALID, area->mK2));
  mK3->SetValue(Factor(*area, AF_K3_VALID, area->mK3));
  mLR->SetValue(Factor(*area, AF_LR_VALID, area->mLR));
  mLP->SetValue(Factor(*area, AF_LP_VALID, area->mLP));
  mLH->SetValue(Factor(*area, AF_LH_VALID, area->mLH));

  const CVolumeHighlights highlights = VolumeHighlights(area->mFlags);
  mHeight->SetHighlighted(highlights.mHeight);
  mVolume->SetHighlighted(highlights.mVolume);
  mLR->SetHighlighted(highlights.mLR);
  mLP->SetHighlighted(highlights.mLP);
}

void CVTXAreaPageHazard::OnHazardChosen(int index)
{
  CArea* area = Area();
  if (!area || !IsValidHazard(index))
    return;
  if (CProjectDocument* document = Document())
    document->Apply(edit::SetHazard{area->Id(), index});
}

void CVTXAreaPageHazard::OnChangeDimensions()
{
  CArea* area = Area();
  if (!area)
    return;
  CVolumeDialog dialog(this);
  dialog.mUnits = area->Units();
  dialog.mLength = area->mLength;
  dialog.mWidth = area->mWidth;
  dialog.mHeight = area->mHeight;
  if (dialog.exec() != QDialog::Accepted)
    return;
  // A size the document refuses keeps its old value, and the reason is told.
  std::string reason;
  CProjectDocument* document = Document();
  if (document &&
      !document->Apply(
          edit::SetVolumeSize{area->Id(), dialog.mLength, dialog.mWidth, dialog.mHeight},
          &reason) &&
      !reason.empty())
    ShowMessage(this, kAppTitle, ToQt(reason), CPromptIcon::Exclamation);
}
