#pragma once
// Lines and tables on a report surface, and text wrapped to a width. The same
// routines measure (draw off) and draw (draw on), so that what is measured is
// what is drawn. L is the font's line height, C its average character width.

#include "report/report_surface.h"

#include <cstddef>
#include <string_view>
#include <vector>

class CReportTable;
class CTextLines;

// Lines drawn L apart; the widest line by the number of lines times L.
CReportSize DrawLines(CReportSurface& surface, int x, int y, const CTextLines& lines, bool draw);

// The width of each column: the widest cell over all rows.
std::vector<int> ColumnWidths(CReportSurface& surface, const CReportTable& table);

// The whole table: columns 2C apart, rows L apart; 0 by 0 when empty. The
// column widths may be given (measured for a larger table of which this is
// a run of rows); otherwise they are measured.
CReportSize DrawTable(CReportSurface& surface, int x, int y, const CReportTable& table, bool draw,
                      const std::vector<int>* widths = nullptr);

// The width of a table with these column widths, columns 2C apart.
int TableWidth(CReportSurface& surface, const std::vector<int>& widths);

// One page of a table that may continue on later pages: the heading row,
// then the rows from `resume` (row 1 at the start), as long as each row ends
// above `limit`. Nothing when the top plus 2L does not lie above the limit.
// `resume` becomes the first row not yet drawn. The column widths, measured
// once for all pages of a table, may be given; otherwise they are measured.
CReportSize DrawTablePage(CReportSurface& surface, int x, int y, const CReportTable& table,
                          int limit, std::size_t& resume, bool draw,
                          const std::vector<int>* widths = nullptr);

// The text broken into lines no wider than `width`: at spaces where it
// can, inside a word only when the word alone is wider.
CTextLines WrapToWidth(CReportSurface& surface, std::string_view text, int width);
