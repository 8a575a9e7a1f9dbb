#include "report/printed_report.h"

#include "model/area.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "report/report_content.h"
#include "report/report_sections.h"
#include "report/report_table.h"
#include "report/table_drawing.h"

#include <algorithm>
#include <string>
#include <utility>

namespace
{
struct CPrintPage
{
  int mLeft;
  int mTop;
  int mRight;
  int mBottom;
};

struct CPlacedTable
{
  int mTop = 0;
  int mHeight = 0;
  bool mContinued = false; // it went on to later pages
};

// A new page for a part that goes on from the page before: its heading,
// marked " (continued)", at the top; gives where the part goes on.
int ContinueOnNewPage(CReportPrinter& printer, const CPrintPage& page, const std::string& heading)
{
  printer.NewPage();
  const CReportPage layout{page.mLeft, page.mTop, page.mRight};
  const CReportSize size = DrawLines(printer, page.mLeft, page.mTop,
                                     TitleLines(printer, layout, heading + " (continued)"), true);
  return page.mTop + size.mHeight + printer.LineHeight();
}

CPlacedTable PrintTable(CReportPrinter& printer, const CPrintPage& page, int x, int y,
                        const CReportTable& table, const std::string& heading)
{
  CPlacedTable placed{y, 0, false};
  const std::size_t rows = table.RowCount();
  std::size_t resume = 0;
  bool freshPage = false;
  // Measured once: the volumes table of a large project runs over many pages.
  const std::vector<int> widths = ColumnWidths(printer, table);
  while (rows > 0)
  {
    const std::size_t before = resume;
    const CReportSize size =
      DrawTablePage(printer, x, y, table, page.mBottom, resume, true, &widths);
    placed.mTop = y;
    placed.mHeight = size.mHeight;
    if (resume >= rows)
      break;
    // A page too small for one row would otherwise never end.
    if (freshPage && resume == before)
      break;
    y = ContinueOnNewPage(printer, page, heading);
    freshPage = true;
    placed.mContinued = true;
  }
  return placed;
}

// Renders the notes from (x, y), continuing at the top of new pages; gives
// where the text ended on the last page.
int PrintNotes(CReportPrinter& printer, const CPrintPage& page, const std::string& notes, int x,
               int y, const std::string& heading)
{
  std::size_t from = 0;
  bool freshPage = false;
  for (;;)
  {
    const CNotesBand band = printer.LayoutNotes(notes, from, x, y, page.mRight, page.mBottom, true);
    // At least one line below the top on the last page: notes that are
    // only white space still take their line.
    if (band.mNext >= notes.size() || (freshPage && band.mNext == from))
      return std::max(band.mBottom, y + printer.LineHeight());
    from = band.mNext;
    y = ContinueOnNewPage(printer, page, heading);
    freshPage = true;
  }
}

// The pages of the report, without footers.
void PrintPages(CReportPrinter& printer, const CProject& project)
{
  const CMetrics m = Metrics(printer);
  const int marginX = printer.PixelsPerInchX() / 2;
  const int marginY = printer.PixelsPerInchY() / 2;
  const CPrintPage page{marginX, marginY, printer.PageWidth() - marginX,
                        printer.PageHeight() - marginY};
  const CReportPage layout{page.mLeft, page.mTop, page.mRight};
  CExtent unused;
  CReportTable table;

  printer.BeginDocument(project.mName);
  const CProjectPart part = DrawProjectPart(printer, layout, project, true, unused);
  BuildVolumesTable(project.mAreaTable, table);
  const CPlacedTable volumes =
    PrintTable(printer, page, part.mVolumesX, part.mTablesTop, table, "Totals:");
  int y = volumes.mTop + volumes.mHeight;
  if (!volumes.mContinued)
    y = std::max(y, part.mDevicesBottom);
  y += m.mLine;

  std::string notes;
  if (ShowsNotes(project.mIncludeNotes, project.mNotes, notes))
  {
    if (y + 4 * m.mLine > page.mBottom && y > page.mTop)
    {
      printer.NewPage();
      y = page.mTop;
    }
    printer.DrawText(page.mLeft, y, "Project Notes:");
    y = PrintNotes(printer, page, notes, page.mLeft + m.mIndent, y + 2 * m.mLine,
                   "Project Notes:") +
        m.mLine;
  }

  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
  {
    const CArea& area = *project.mAreaTable.Get(i);
    // A section whose head does not fit above the bottom margin with two
    // lines to spare starts a new page; so does one whose openings table
    // could not start below it on the same page.
    const CVolumeHead measured = DrawVolumeHead(printer, layout, y, area, false, unused);
    const bool fits = measured.mBottom + 2 * m.mLine <= page.mBottom &&
                      measured.mOpeningsY + 2 * m.mLine < page.mBottom;
    if (!fits && y > page.mTop)
    {
      printer.NewPage();
      y = page.mTop;
    }
    const CVolumeHead head = DrawVolumeHead(printer, layout, y, area, true, unused);
    const std::string title = VolumeTitle(area);
    BuildOpeningsTable(area.mVentTable, table);
    const CPlacedTable openings =
      PrintTable(printer, page, head.mRightX, head.mOpeningsY, table, title);
    int end = openings.mTop + openings.mHeight;
    // The devices table may be the taller one while both share the page.
    if (!openings.mContinued)
      end = std::max(end, head.mDevicesBottom);

    if (ShowsNotes(area.mIncludeNotes, area.mNotes, notes))
    {
      int yn = end + m.mLine;
      // Notes that start a page follow their volume's title.
      if (yn + 4 * m.mLine > page.mBottom)
        yn = ContinueOnNewPage(printer, page, title);
      const int captionX = page.mLeft + m.mIndent;
      printer.DrawText(captionX, yn, "Volume Notes:");
      const int notesX = VolumeNotesX(head, captionX + printer.TextWidth("Volume Notes:"), m);
      y = PrintNotes(printer, page, notes, notesX, yn, title);
    }
    else
    {
      y = end;
    }
    y += m.mLine;
  }
  printer.EndDocument();
}

// Hands everything on to another printer; the two below change a little.
class CPrinterRelay : public CReportPrinter
{
public:
  explicit CPrinterRelay(CReportPrinter& target) : mTarget(target) {}
  int TextWidth(std::string_view text) override { return mTarget.TextWidth(text); }
  int LineHeight() override { return mTarget.LineHeight(); }
  int AverageCharWidth() override { return mTarget.AverageCharWidth(); }
  int PixelsPerInchX() override { return mTarget.PixelsPerInchX(); }
  int PixelsPerInchY() override { return mTarget.PixelsPerInchY(); }
  void DrawText(int x, int y, std::string_view text) override { mTarget.DrawText(x, y, text); }
  void SetTextColour(CRgb colour) override { mTarget.SetTextColour(colour); }
  void ResetTextColour() override { mTarget.ResetTextColour(); }
  void DrawPicture(int x, int y, int width, int height,
                   std::span<const unsigned char> png) override
  {
    mTarget.DrawPicture(x, y, width, height, png);
  }
  CNotesBand LayoutNotes(std::string_view text, std::size_t from, int x, int y, int right,
                         int bottom, bool draw) override
  {
    return mTarget.LayoutNotes(text, from, x, y, right, bottom, draw);
  }
  int PageWidth() override { return mTarget.PageWidth(); }
  int PageHeight() override { return mTarget.PageHeight(); }
  void UseFooterFont(bool footer) override { mTarget.UseFooterFont(footer); }
  void BeginDocument(std::string_view name) override { mTarget.BeginDocument(name); }
  void NewPage() override { mTarget.NewPage(); }
  void EndDocument() override { mTarget.EndDocument(); }

protected:
  CReportPrinter& mTarget;
};

// Lays the report out on the printer's metrics to count its pages, and
// draws nothing.
class CPageCounter : public CPrinterRelay
{
public:
  using CPrinterRelay::CPrinterRelay;
  void DrawText(int, int, std::string_view) override {}
  void SetTextColour(CRgb) override {}
  void ResetTextColour() override {}
  void DrawPicture(int, int, int, int, std::span<const unsigned char>) override {}
  CNotesBand LayoutNotes(std::string_view text, std::size_t from, int x, int y, int right,
                         int bottom, bool) override
  {
    return mTarget.LayoutNotes(text, from, x, y, right, bottom, false);
  }
  void UseFooterFont(bool) override {}
  void BeginDocument(std::string_view) override {}
  void NewPage() override { ++mPages; }
  void EndDocument() override {}
  int Pages() const { return mPages; }

private:
  int mPages = 1;
};

// The text cut at its end, with "...", so that it is no wider than `width`.
std::string Shortened(CReportSurface& surface, const std::string& text, int width)
{
  if (surface.TextWidth(text) <= width)
    return text;
  std::string cut = text;
  while (!cut.empty() && surface.TextWidth(cut + "...") > width)
    cut.pop_back();
  return cut + "...";
}

// Puts a footer in the bottom margin of each page as the page is finished:
// the project at the left and "Page n of m" at the right, below them the
// program and the date of printing.
class CFooterPrinter : public CPrinterRelay
{
public:
  CFooterPrinter(CReportPrinter& target, const CProject& project, const CPrintStamp& stamp,
                 int pages)
    : CPrinterRelay(target), mProject(project), mStamp(stamp), mPages(pages)
  {
  }
  void NewPage() override
  {
    DrawFooter();
    mTarget.NewPage();
    ++mPage;
  }
  void EndDocument() override
  {
    DrawFooter();
    mTarget.EndDocument();
  }

private:
  void DrawFooter()
  {
    const int marginX = mTarget.PixelsPerInchX() / 2;
    const int marginY = mTarget.PixelsPerInchY() / 2;
    const int left = marginX;
    const int right = mTarget.PageWidth() - marginX;
    mTarget.ResetTextColour();
    mTarget.UseFooterFont(true);
    const int line = mTarget.LineHeight();
    const int gap = 2 * mTarget.AverageCharWidth();
    // Centred in the bottom margin, clear of the body above it.
    const int top = mTarget.PageHeight() - marginY + std::max(0, (marginY - 2 * line) / 2);
    std::string project = mProject.mName;
    if (!mProject.mProject_Reference.empty())
      project += "  Reference: " + mProject.mProject_Reference;
    const std::string page =
      "Page " + std::to_string(mPage) + " of " + std::to_string(std::max(mPage, mPages));
    const std::string date = mStamp.mDate.empty() ? std::string() : "Printed " + mStamp.mDate;
    const std::pair<std::string, std::string> rows[] = {{project, page}, {mStamp.mProgram, date}};
    int y = top;
    for (const auto& [leftText, rightText] : rows)
    {
      const int rightWidth = mTarget.TextWidth(rightText);
      const std::string shown =
        Shortened(mTarget, leftText, right - left - rightWidth - (rightText.empty() ? 0 : gap));
      if (!shown.empty())
        mTarget.DrawText(left, y, shown);
      if (!rightText.empty())
        mTarget.DrawText(right - rightWidth, y, rightText);
      y += line;
    }
    mTarget.UseFooterFont(false);
  }

  const CProject& mProject;
  const CPrintStamp& mStamp;
  int mPages;
  int mPage = 1;
};
} // namespace

void PrintReport(CReportPrinter& printer, const CProject& project, const CPrintStamp& stamp)
{
  // Laid out twice: once to count the pages, which every footer names.
  CPageCounter counter(printer);
  PrintPages(counter, project);
  CFooterPrinter footed(printer, project, stamp, counter.Pages());
  PrintPages(footed, project);
}
