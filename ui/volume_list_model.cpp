#include "ui/volume_list_model.h"

#include "model/area.h"
#include "model/hazard_class.h"
#include "model/project.h"
#include "text/natural_order.h"
#include "text/units.h"
#include "ui/qt_text.h"

#include <QItemSelection>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <unordered_set>

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
  mIds.clear();
  mIds.reserve(static_cast<std::size_t>(mRows));
  for (int row = 0; row < mRows; ++row)
    mIds.push_back(mProject->mAreaTable.Get(static_cast<std::size_t>(row))->Id());
  endResetModel();
}

CVolumeId CVolumeListModel::IdAt(int row) const
{
  return row >= 0 && row < static_cast<int>(mIds.size()) ? mIds[static_cast<std::size_t>(row)] : 0;
}

const CArea* CVolumeListModel::AreaAt(int row) const
{
  const CVolumeId id = IdAt(row);
  return id != 0 && mProject ? mProject->mAreaTable.FindId(id) : nullptr;
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

// ---- CVolumeListView

CVolumeListView::CVolumeListView(CVolumeListModel* source, QObject* parent)
    : QSortFilterProxyModel(parent), mSource(source)
{
  setSourceModel(source);
  // Until a header is clicked the list is in the table's order.
  sort(-1);
}

void CVolumeListView::SetFilterText(const QString& text)
{
  const QString filter = text.trimmed();
  if (filter == mFilter)
    return;
  mFilter = filter;
  invalidateRowsFilter();
}

bool CVolumeListView::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
  if (mFilter.isEmpty())
    return true;
  const CArea* area = mSource->AreaAt(sourceRow);
  if (!area)
    return false;
  return ToQt(area->mName).contains(mFilter, Qt::CaseInsensitive) ||
         ToQt(HazardName(area->mHazard)).contains(mFilter, Qt::CaseInsensitive);
}

namespace
{
// The figure a column sorts by; NaN for the columns of texts.
double SortFigure(const CArea& area, CVolumeColumn column)
{
  switch (column)
  {
  case CVolumeColumn::Height:
    return area.mHeight;
  case CVolumeColumn::Volume:
    return area.mVolume;
  case CVolumeColumn::LR:
    return area.mLR;
  case CVolumeColumn::LP:
    return area.mLP;
  default:
    return std::nan("");
  }
}
} // namespace

bool CVolumeListView::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
  const CArea* a = mSource->AreaAt(left.row());
  const CArea* b = mSource->AreaAt(right.row());
  // A row whose volume has gone (a refresh is on its way) goes last.
  if (!a || !b)
    return a != nullptr;
  const auto column = static_cast<CVolumeColumn>(left.column());
  int order = 0;
  if (column == CVolumeColumn::Name || column == CVolumeColumn::Hazard)
  {
    order = column == CVolumeColumn::Name
                ? NaturalCompare(a->mName, b->mName)
                : NaturalCompare(HazardName(a->mHazard), HazardName(b->mHazard));
  }
  else
  {
    const double x = SortFigure(*a, column);
    const double y = SortFigure(*b, column);
    // A figure that is not valid goes after every valid one, whichever way
    // the list is sorted.
    const bool xValid = std::isfinite(x);
    const bool yValid = std::isfinite(y);
    if (xValid != yValid)
      return (sortOrder() == Qt::AscendingOrder) == xValid;
    order = !xValid || x == y ? 0 : (x < y ? -1 : 1);
  }
  if (order != 0)
    return order < 0;
  // Equal rows keep the table's order in both directions.
  return (sortOrder() == Qt::AscendingOrder) == (left.row() < right.row());
}

std::vector<CVolumeId> CVolumeListView::IdsOf(const QModelIndexList& rows) const
{
  std::vector<int> sourceRows;
  for (const QModelIndex& index : rows)
    if (index.isValid())
      sourceRows.push_back(mapToSource(index).row());
  std::sort(sourceRows.begin(), sourceRows.end());
  sourceRows.erase(std::unique(sourceRows.begin(), sourceRows.end()), sourceRows.end());
  std::vector<CVolumeId> ids;
  for (int row : sourceRows)
    if (const CVolumeId id = mSource->IdAt(row))
      ids.push_back(id);
  return ids;
}

QItemSelection CVolumeListView::RowsOf(const std::vector<CVolumeId>& ids) const
{
  QItemSelection selection;
  if (ids.empty())
    return selection;
  const std::unordered_set<CVolumeId> wanted(ids.begin(), ids.end());
  std::vector<int> rows;
  for (int row = 0; row < mSource->rowCount(); ++row)
    if (wanted.count(mSource->IdAt(row)))
    {
      const QModelIndex shown = mapFromSource(mSource->index(row, 0));
      if (shown.isValid())
        rows.push_back(shown.row());
    }
  std::sort(rows.begin(), rows.end());
  // Runs of neighbouring rows are one range each: a select-all of thousands
  // of volumes stays one range.
  const int lastColumn = columnCount() - 1;
  for (std::size_t i = 0; i < rows.size();)
  {
    std::size_t j = i;
    while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
      ++j;
    selection.select(index(rows[i], 0), index(rows[j], lastColumn));
    i = j + 1;
  }
  return selection;
}
