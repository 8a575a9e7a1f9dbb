#include "ui/volume_list_model.h"

#include "model/area.h"
#include "model/hazard_class.h"
#include "model/project.h"
#include "text/units.h"
#include "ui/qt_text.h"

#include <QPainter>

CCellFill VolumeCellFill(CVolumeColumn column, std::uint32_t flags, bool selected)
{
  bool yellow = false;
  switch (column)
  {
  case CVolumeColumn::Name:
    return selected ? CCellFill::Cyan : CCellFill::None;
  case CVolumeColumn::Hazard:
    yellow = flags & AF_INVALID_HAZARD;
    break;
  case CVolumeColumn::Height:
    yellow = flags & AF_EXCESS_HEIGHT;
    break;
  case CVolumeColumn::Volume:
    // While the leakage is excessive the volume limit is not the one to fix.
    yellow = (flags & (AF_ZERO_VOLUME | AF_SIZE_OUT_OF_RANGE)) ||
             ((flags & AF_EXCESS_VOLUME) && !(flags & (AF_EXCESS_LR | AF_EXCESS_LP)));
    break;
  case CVolumeColumn::LR:
    yellow = flags & AF_EXCESS_LR;
    break;
  case CVolumeColumn::LP:
    yellow = flags & AF_EXCESS_LP;
    break;
  }
  return yellow ? CCellFill::Yellow : CCellFill::None;
}

QColor CellFillColour(CCellFill fill)
{
  switch (fill)
  {
  case CCellFill::Cyan:
    return QColor(0, 255, 255);
  case CCellFill::Yellow:
    return QColor(255, 255, 0);
  case CCellFill::None:
    break;
  }
  return {};
}

void VolumeColumnWidths(int clientWidth, int scrollBarWidth, int (&widths)[kVolumeColumnCount])
{
  int a = (clientWidth - scrollBarWidth) / 7;
  if (a < 0)
    a = 0;
  for (int& w : widths)
    w = a;
  widths[static_cast<int>(CVolumeColumn::Hazard)] = 2 * a;
}

// ---- CVolumeListModel

CVolumeListModel::CVolumeListModel(QObject* parent) : QAbstractTableModel(parent) {}

void CVolumeListModel::SetProject(CProject* project)
{
  mProject = project;
  Reset();
}

void CVolumeListModel::Reset()
{
  beginResetModel();
  mRows = mProject ? static_cast<int>(mProject->mAreaTable.Count()) : 0;
  endResetModel();
}

int CVolumeListModel::rowCount(const QModelIndex& parent) const
{
  return parent.isValid() ? 0 : mRows;
}

int CVolumeListModel::columnCount(const QModelIndex& parent) const
{
  return parent.isValid() ? 0 : kVolumeColumnCount;
}

QVariant CVolumeListModel::data(const QModelIndex& index, int role) const
{
  if (!mProject || !index.isValid())
    return {};
  // The table may have changed since the last reset (a refresh is on its
  // way); a row past its end shows nothing.
  const CArea* area = mProject->mAreaTable.Get(static_cast<std::size_t>(index.row()));
  if (!area)
    return {};
  if (role == FlagsRole)
    return static_cast<uint>(area->mFlags);
  if (role != Qt::DisplayRole)
    return {};
  const UnitSystem units = mProject->mUnits;
  switch (static_cast<CVolumeColumn>(index.column()))
  {
  case CVolumeColumn::Name:
    return ToQt(area->mName);
  case CVolumeColumn::Hazard:
    return ToQt(HazardName(area->mHazard));
  case CVolumeColumn::Height:
    return ToQt(FormatMeasure(area->mHeight, units, 1));
  case CVolumeColumn::Volume:
    return ToQt(SizeText(*area, area->mVolume, units, 3));
  case CVolumeColumn::LR:
    return ToQt(FormatFactor(area->mLR));
  case CVolumeColumn::LP:
    return ToQt(FormatFactor(area->mLP));
  }
  return {};
}

QVariant CVolumeListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
  if (orientation != Qt::Horizontal)
    return {};
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole)
    return {};
  static const char* const kHeaders[kVolumeColumnCount] = {"Name", "Hazard", "Height",
                                                           "Volume", "LR",     "LP"};
  return section >= 0 && section < kVolumeColumnCount ? QString(kHeaders[section]) : QVariant();
}

Qt::ItemFlags CVolumeListModel::flags(const QModelIndex& index) const
{
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// ---- CVolumeCellDelegate

void CVolumeCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
  const QRect cell = option.rect;
  painter->save();
  painter->setClipRect(cell);
  painter->fillRect(cell, option.palette.color(QPalette::Base));

  const auto column = static_cast<CVolumeColumn>(index.column());
  const std::uint32_t flags = index.data(CVolumeListModel::FlagsRole).toUInt();
  const bool selected = option.state & QStyle::State_Selected;
  const CCellFill fill = VolumeCellFill(column, flags, selected);
  QColor text = option.palette.color(QPalette::Text);
  if (fill != CCellFill::None)
  {
    painter->fillRect(cell, CellFillColour(fill));
    text = Qt::black; // readable on the bright fills whatever the colour scheme
  }

  const QFontMetrics metrics(option.font, painter->device());
  painter->setFont(option.font);
  painter->setPen(text);
  const int x = cell.left() + metrics.averageCharWidth();
  const int y = cell.top() + (cell.height() - metrics.height()) / 2;
  painter->drawText(QPoint(x, y + metrics.ascent()), index.data().toString());
  painter->restore();
}

QSize CVolumeCellDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
  const QFontMetrics metrics(option.font);
  const int text = metrics.horizontalAdvance(index.data().toString());
  return {text + 2 * metrics.averageCharWidth(), metrics.height() + 2};
}
