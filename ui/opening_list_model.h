#pragma once
// The list of a volume's openings on the Openings page: a table model that
// formats its cells when they are asked for and keeps no copy of the
// openings. It is reset as a whole when the page refreshes.

#include "text/units.h"

#include <QAbstractTableModel>
#include <functional>
#include <string>

class CVent;
class CVentTable;

enum class CVentColumn
{
  Type,
  Size,
  Width,
  Height,
  Upper
};
constexpr int kVentColumnCount = 5;

// The text of one cell: the kind name; the area; the width (the diameter of
// a circular opening); "CIRCULAR" or the height; the upper share of a wall
// opening, empty for ceiling and floor openings.
std::string VentCellText(const CVent& vent, CVentColumn column, UnitSystem units);

// Width of each of the five equal columns of a list of the given client width.
int VentColumnWidth(int clientWidth, int scrollBarWidth);

class CVentListModel : public QAbstractTableModel
{
  Q_OBJECT
public:
  explicit CVentListModel(QObject* parent = nullptr);
  // Where the openings come from, asked at every use: nullptr (no rows) once
  // the volume has gone, so a late repaint never reaches a deleted table.
  using CTableSource = std::function<const CVentTable*()>;
  void SetSource(CTableSource source);
  // Drops every row and takes the rows anew from the table, shown in the unit system.
  void Reset(UnitSystem units);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
  CTableSource mSource;
  UnitSystem mUnits = UNITS_METRIC;
  int mRows = 0; // the row count as of the last reset: the view is told of every change
};
