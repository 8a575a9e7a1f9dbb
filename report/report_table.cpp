#include "report/report_table.h"

std::vector<std::string>& CReportTable::Column(std::size_t column)
{
  if (column >= mColumns.size())
    mColumns.resize(column + 1);
  return mColumns[column];
}

void CReportTable::AddCell(std::size_t column, std::string text)
{
  Column(column).push_back(std::move(text));
}

void CReportTable::InsertCell(std::size_t column, std::string text)
{
  std::vector<std::string>& cells = Column(column);
  cells.insert(cells.begin(), std::move(text));
}

void CReportTable::SetCell(std::size_t column, std::size_t row, std::string text)
{
  std::vector<std::string>& cells = Column(column);
  if (row >= cells.size())
    cells.resize(row + 1);
  cells[row] = std::move(text);
}

bool CReportTable::GetCell(std::size_t column, std::size_t row, std::string& out) const
{
  if (column >= mColumns.size() || row >= mColumns[column].size())
  {
    out.clear();
    return false;
  }
  out = mColumns[column][row];
  return true;
}

const std::string& CReportTable::Cell(std::size_t column, std::size_t row) const
{
  static const std::string kEmpty;
  if (column >= mColumns.size() || row >= mColumns[column].size())
    return kEmpty;
  return mColumns[column][row];
}

std::size_t CReportTable::RowCount() const
{
  std::size_t rows = 0;
  for (const std::vector<std::string>& cells : mColumns)
    if (cells.size() > rows)
      rows = cells.size();
  return rows;
}
