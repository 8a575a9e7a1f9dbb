#include "report/table_drawing.h"

#include "model/text_lines.h"
#include "report/report_table.h"

#include <algorithm>
#include <string>

namespace
{
int TableWidth(const std::vector<int>& widths, int gap)
{
  int width = 0;
  for (int w : widths)
    width += w;
  if (!widths.empty())
    width += gap * static_cast<int>(widths.size() - 1);
  return width;
}

void DrawRow(CReportSurface& surface, int x, int y, const CReportTable& table,
             const std::vector<int>& widths, int gap, std::size_t row)
{
  for (std::size_t c = 0; c < widths.size(); ++c)
  {
    const std::string& cell = table.Cell(c, row);
    if (!cell.empty())
      surface.DrawText(x, y, cell);
    x += widths[c] + gap;
  }
}

} // namespace

CReportSize DrawLines(CReportSurface& surface, int x, int y, const CTextLines& lines, bool draw)
{
  if (lines.Empty())
    return {};
  const int step = surface.LineHeight();
  CReportSize size{0, step * static_cast<int>(lines.Count())};
  for (const std::string& line : lines)
  {
    size.mWidth = std::max(size.mWidth, surface.TextWidth(line));
    if (draw && !line.empty())
      surface.DrawText(x, y, line);
    y += step;
  }
  return size;
}

std::vector<int> ColumnWidths(CReportSurface& surface, const CReportTable& table)
{
  std::vector<int> widths(table.ColumnCount(), 0);
  const std::size_t rows = table.RowCount();
  for (std::size_t c = 0; c < widths.size(); ++c)
    for (std::size_t r = 0; r < rows; ++r)
      if (!table.Cell(c, r).empty())
        widths[c] = std::max(widths[c], surface.TextWidth(table.Cell(c, r)));
  return widths;
}

int TableWidth(CReportSurface& surface, const std::vector<int>& widths)
{
  return TableWidth(widths, 2 * surface.AverageCharWidth());
}

CReportSize DrawTable(CReportSurface& surface, int x, int y, const CReportTable& table, bool draw,
                      const std::vector<int>* measured)
{
  const std::size_t rows = table.RowCount();
  if (rows == 0)
    return {};
  const int step = surface.LineHeight();
  const int gap = 2 * surface.AverageCharWidth();
  const std::vector<int> widths = measured ? *measured : ColumnWidths(surface, table);
  if (draw)
    for (std::size_t r = 0; r < rows; ++r)
      DrawRow(surface, x, y + step * static_cast<int>(r), table, widths, gap, r);
  return {TableWidth(widths, gap), step * static_cast<int>(rows)};
}

CReportSize DrawTablePage(CReportSurface& surface, int x, int y, const CReportTable& table,
                          int limit, std::size_t& resume, bool draw,
                          const std::vector<int>* measured)
{
  const std::size_t rows = table.RowCount();
  const int step = surface.LineHeight();
  if (rows == 0 || y + 2 * step >= limit)
    return {};
  const int gap = 2 * surface.AverageCharWidth();
  const std::vector<int> widths = measured ? *measured : ColumnWidths(surface, table);
  int rowY = y;
  auto place = [&](std::size_t r) {
    if (rowY + step >= limit)
      return false;
    if (draw)
      DrawRow(surface, x, rowY, table, widths, gap, r);
    rowY += step;
    resume = std::max(resume, r + 1);
    return true;
  };
  if (place(0))
    for (std::size_t r = resume > 0 ? resume : 1; r < rows && place(r); ++r)
    {
    }
  return {TableWidth(widths, gap), rowY - y};
}

CTextLines WrapToWidth(CReportSurface& surface, std::string_view text, int width)
{
  CTextLines lines;
  if (surface.TextWidth(text) <= width)
  {
    lines.Add(std::string(text));
    return lines;
  }
  std::string line;
  std::size_t at = 0;
  while (at < text.size())
  {
    const std::size_t space = text.find(' ', at);
    const std::size_t end = space == std::string_view::npos ? text.size() : space;
    std::string word(text.substr(at, end - at));
    at = end == text.size() ? end : end + 1;
    if (word.empty())
      continue;
    const std::string joined = line.empty() ? word : line + " " + word;
    if (surface.TextWidth(joined) <= width)
    {
      line = joined;
      continue;
    }
    if (!line.empty())
      lines.Add(std::move(line));
    line.clear();
    // A word wider than the line is cut where it must be, one character at least.
    while (surface.TextWidth(word) > width && word.size() > 1)
    {
      std::size_t fits = 1;
      while (fits < word.size() && surface.TextWidth(std::string_view(word).substr(0, fits + 1)) <= width)
        ++fits;
      lines.Add(word.substr(0, fits));
      word.erase(0, fits);
    }
    line = std::move(word);
  }
  if (!line.empty() || lines.Empty())
    lines.Add(std::move(line));
  return lines;
}
