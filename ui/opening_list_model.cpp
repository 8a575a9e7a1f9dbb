#include "ui/opening_list_model.h"

#include "model/vent.h"
#include "ui/qt_text.h"

std::string VentCellText(const CVent& vent, CVentColumn column, UnitSystem units)
{
  switch (column)
  {
  case CVentColumn::Type:
    return VentTypeName(vent.mType);
  case CVentColumn::Size:
    return vent.SizeText(vent.mSize, units);
  case CVentColumn::Width:
    return FormatMeasure(vent.mWidth, units, 1);
  case CVentColumn::Height:
    return vent.mShape != SHAPE_RECTANGULAR ? std::string("CIRCULAR")
                                            : FormatMeasure(vent.mHeight, units, 1);
  case CVentColumn::Upper:
    return vent.mType == VENT_WALL ? FormatPercent(vent.mUpper) : std::string();
  }
  return {};
}

int VentColumnWidth(int clientWidth, int scrollBarWidth)
{
  const int width = (clientWidth - scrollBarWidth) / kVentColumnCount;
  return width > 0 ? width : 1;
}

CVentListModel::CVentListModel(QObject* parent) : QAbstractTableModel(parent) {}

void CVentListModel::SetSource(CTableSource source)
{
  mSource = std::move(source);
  Reset(mUnits);
}

void CVentListModel::Reset(UnitSystem units)
{
  beginResetModel();
  mUnits = units;
  const CVentTable* table = mSource ? mSource() : nullptr;
  mRows = table ? static_cast<int>(table->Count()) : 0;
  endResetModel();
}

int CVentListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : mRows; }

int CVentListModel::columnCount(const QModelIndex& parent) const
{
  return parent.isValid() ? 0 : kVentColumnCount;
}

QVariant CVentListModel::data(const QModelIndex& index, int role) const
{
  const CVentTable* table = mSource ? mSource() : nullptr;
  if (!table || !index.isValid() || index.row() >= mRows)
    return {};
  if (role == Qt::TextAlignmentRole)
    return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole)
    return {};
  const CVent* vent = table->Get(static_cast<std::size_t>(index.row()));
  if (!vent)
    return {};
  return ToQt(VentCellText(*vent, static_cast<CVentColumn>(index.column()), mUnits));
}

QVariant CVentListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
  static const char* const kHeaders[kVentColumnCount] = {"Type", "Size", "Width", "Height", "Upper"};
  if (orientation != Qt::Horizontal || section < 0 || section >= kVentColumnCount)
    return {};
  if (role == Qt::DisplayRole)
    return QString(kHeaders[section]);
  if (role == Qt::TextAlignmentRole)
    return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags CVentListModel::flags(const QModelIndex& index) const
{
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
