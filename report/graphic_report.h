#pragma once
// The graphic layout of the report, shared by the report window and the
// printer: the same routines measure (draw off) and draw (draw on), so that
// what is measured is what is drawn. L is the font's line height, C its
// average character width and I half an inch.

#include "report/report_surface.h"

#include <cstddef>
#include <vector>

class CArea;
class CProject;
class CReportTable;
class CTextLines;

inline constexpr CRgb kErrorColour{255, 0, 0};
// The word-mark at the top of the report.
inline constexpr int kWordmarkWidth = 589;
inline constexpr int kWordmarkHeight = 177;

// Where a report is laid out: left and top edge, and the right edge at
// which the customer block ends and notes wrap.
struct CReportPage
{
  int mLeft = 0;
  int mTop = 0;
  int mRight = 0;
};

// Lines drawn L apart; the widest line by the number of lines times L.
CReportSize DrawLines(CReportSurface& surface, int x, int y, const CTextLines& lines, bool draw);

// The width of each column: the widest cell over all rows.
std::vector<int> ColumnWidths(CReportSurface& surface, const CReportTable& table);

// The whole table: columns 2C apart, rows L apart; 0 by 0 when empty.
CReportSize DrawTable(CReportSurface& surface, int x, int y, const CReportTable& table, bool draw);

// One page of a table that may continue on later pages: the heading row,
// then the rows from `resume` (row 1 at the start), as long as each row ends
// above `limit`. Nothing when the top plus 2L does not lie above the limit.
// `resume` becomes the first row not yet drawn.
CReportSize DrawTablePage(CReportSurface& surface, int x, int y, const CReportTable& table,
                          int limit, std::size_t& resume, bool draw);

// The report as the window shows it: the project part, the project notes
// and every volume section one below the other. Gives the width and height
// the report covers from the page's top-left corner.
CReportSize DrawWindowReport(CReportSurface& surface, const CReportPage& page,
                             const CProject& project, bool draw);

// The report in pages on the printer, with half-inch margins: tables
// continue on the next page below their heading row, a volume section that
// does not fit starts a new page, notes continue at the top of the next page.
void PrintReport(CReportPrinter& printer, const CProject& project);
