#pragma once
// The graphic layout of the report, shared by the report window and the
// printer: the same routines measure (draw off) and draw (draw on), so that
// what is measured is what is drawn. L is the font's line height, C its
// average character width and I half an inch.

#include "report/report_surface.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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
// `resume` becomes the first row not yet drawn. The column widths, measured
// once for all pages of a table, may be given; otherwise they are measured.
CReportSize DrawTablePage(CReportSurface& surface, int x, int y, const CReportTable& table,
                          int limit, std::size_t& resume, bool draw,
                          const std::vector<int>* widths = nullptr);

// The report as the window shows it: the project part, the project notes
// and every volume section one below the other. Gives the width and height
// the report covers from the page's top-left corner.
CReportSize DrawWindowReport(CReportSurface& surface, const CReportPage& page,
                             const CProject& project, bool draw);

// Where the parts of the window report lie, measured once so that a paint
// can draw only the parts it shows. Offsets are from the page's top.
struct CWindowLayout
{
  CReportSize mSize;                // as DrawWindowReport gives it
  std::vector<int> mVolumeTops;     // each volume section's top, then the end of the last
};

// Measures the window report on the surface for the page.
CWindowLayout LayoutWindowReport(CReportSurface& surface, const CReportPage& page,
                                 const CProject& project);

// Draws the parts of the window report that reach into the surface's rows
// from top to bottom, where the layout places them: what DrawWindowReport
// draws there. The layout must have been measured for the same project as
// it stands, on a surface of the same metrics, for a page of the same width.
void DrawWindowReportBand(CReportSurface& surface, const CReportPage& page,
                          const CProject& project, const CWindowLayout& layout, int top,
                          int bottom);

// A number that changes whenever anything the report shows may have changed:
// every stored and calculated field of the project, its volumes and their
// openings goes into it. A layout is reused only while it is the same.
std::uint64_t ReportContentKey(const CProject& project);

// The text broken into lines no wider than `width`: at spaces where it
// can, inside a word only when the word alone is wider.
CTextLines WrapToWidth(CReportSurface& surface, std::string_view text, int width);

// What the footer of every printed page says besides the project and the
// page: the program with its version, and the date of printing.
struct CPrintStamp
{
  std::string mProgram;
  std::string mDate;
};

// The report in pages on the printer, with half-inch margins: tables
// continue on the next page below their heading row, a volume section that
// does not fit starts a new page, notes continue at the top of the next page;
// a part that goes on to a new page repeats its heading there, marked
// " (continued)". Every page carries a footer in its bottom margin.
void PrintReport(CReportPrinter& printer, const CProject& project, const CPrintStamp& stamp = {});
