#pragma once
// The list of a project's volumes on the Volumes page: a table model that
// formats its cells only when they are asked for, and a delegate that draws
// the rows itself with the cyan and yellow cells that flag broken limits.
// Neither keeps a copy of the volumes, so a project of thousands of volumes
// refreshes with one model reset.

#include <QAbstractTableModel>
#include <QColor>
#include <QSortFilterProxyModel>
#include <QString>
#include <cstdint>
#include <vector>

#include "model/area.h"

#include "ui/list_columns.h"

class CProject;
class QItemSelection;

enum class CVolumeColumn
{
  Name,
  Hazard,
  Height,
  Volume,
  LR,
  LP
};
constexpr int kVolumeColumnCount = 6;

enum class CCellFill
{
  None,   // the list's background
  Cyan,   // the selected row's name
  Yellow  // a broken limit
};

// Which fill a cell of the list gets for a volume's mFlags. An excessive
// volume is only flagged while the leakage is within its limits; a zero volume
// always is.
CCellFill VolumeCellFill(CVolumeColumn column, std::uint32_t flags, bool selected);
QColor CellFillColour(CCellFill fill);

// The starting widths of the six columns for a list of the given client
// width: a = (width - scroll bar width) / 7; Name a, Hazard 2a, the four
// figures a each. Columns whose texts need more then take it from the others.
void VolumeColumnWidths(int clientWidth, int scrollBarWidth, int (&widths)[kVolumeColumnCount]);

class CVolumeListModel : public QAbstractTableModel
{
  Q_OBJECT
public:
  // The volume's mFlags, for the delegate.
  static constexpr int FlagsRole = Qt::UserRole + 1;

  explicit CVolumeListModel(QObject* parent = nullptr);
  // Shows the volumes of the project (nullptr: none) from its current table.
  void SetProject(CProject* project);
  // Drops every row and takes the rows anew from the volume table.
  void Reset();

  // The identity of the volume a row showed at the last reset (0: no such
  // row), and the volume of that identity as the table holds it now.
  CVolumeId IdAt(int row) const;
  const CArea* AreaAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
  CProject* mProject = nullptr;
  int mRows = 0; // the row count as of the last reset, so the view never sees a change it was not told of
  // The identities of the rows as of the last reset: a selection is kept by
  // volume, whatever the table did before the list was told of it.
  std::vector<CVolumeId> mIds;
};

// What the Volumes list shows of the model: sorted by the column whose
// header was clicked (names and classes as a person reads them, "Room 2"
// before "Room 10"; figures by value, a figure that is not valid last; equal
// rows in the table's order), or in the table's order when no column is
// chosen; and only the volumes whose name or hazard class holds the filter
// text, in any case. Sorting and filtering are the view's: the table and the
// file keep their order.
class CVolumeListView : public QSortFilterProxyModel
{
  Q_OBJECT
public:
  explicit CVolumeListView(CVolumeListModel* source, QObject* parent = nullptr);
  CVolumeListModel* Source() const { return mSource; }
  void SetFilterText(const QString& text);
  QString FilterText() const { return mFilter; }

  // The volumes of the selected rows, in the table's order.
  std::vector<CVolumeId> IdsOf(const QModelIndexList& rows) const;
  // The rows that show these volumes, as one selection of whole rows.
  QItemSelection RowsOf(const std::vector<CVolumeId>& ids) const;

protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
  CVolumeListModel* mSource;
  QString mFilter;
};

class CVolumeCellDelegate : public CCutCellTipDelegate
{
  Q_OBJECT
public:
  using CCutCellTipDelegate::CCutCellTipDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  // The width the cell's text needs (an average character either side of
  // it); every row has the same height.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
