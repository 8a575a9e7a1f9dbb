#pragma once
// A grid of report texts held as columns of cells from the top. A column
// shorter than the others is blank below its last cell; a heading is just the
// first cell of its column.

#include <cstddef>
#include <string>
#include <vector>

class CReportTable
{
public:
  void Clear() { mColumns.clear(); }
  // Appends the text at the bottom of the column, creating missing columns.
  void AddCell(std::size_t column, std::string text);
  // Puts the text at the top of the column and moves the others down.
  void InsertCell(std::size_t column, std::string text);
  // Replaces the cell, first extending the column with empty cells.
  void SetCell(std::size_t column, std::size_t row, std::string text);
  // The text of the cell; false (out emptied) below the column's end.
  bool GetCell(std::size_t column, std::size_t row, std::string& out) const;
  // The text of the cell, empty below the column's end.
  const std::string& Cell(std::size_t column, std::size_t row) const;

  // The length of the longest column.
  std::size_t RowCount() const;
  std::size_t ColumnCount() const { return mColumns.size(); }
  bool Empty() const { return RowCount() == 0; }

private:
  std::vector<std::string>& Column(std::size_t column);

  std::vector<std::vector<std::string>> mColumns;
};
