#include "report/graphic_report.h"

#include "model/area.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "report/address_block.h"
#include "report/report_content.h"
#include "report/report_table.h"
#include "report/resources.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace
{
struct CMetrics
{
  int mLine;   // L
  int mChar;   // C
  int mIndent; // I
};

CMetrics Metrics(CReportSurface& surface)
{
  return {surface.LineHeight(), surface.AverageCharWidth(), surface.PixelsPerInchX() / 2};
}

// The right and bottom edges of everything laid out so far.
struct CExtent
{
  int mRight = 0;
  int mBottom = 0;
  void Add(int x, int y, CReportSize size)
  {
    if (size.Empty())
      return;
    mRight = std::max(mRight, x + size.mWidth);
    mBottom = std::max(mBottom, y + size.mHeight);
  }
};

CReportSize DrawTextLine(CReportSurface& surface, int x, int y, std::string_view text, bool draw)
{
  if (draw)
    surface.DrawText(x, y, text);
  return {surface.TextWidth(text), surface.LineHeight()};
}

CReportSize DrawErrorLines(CReportSurface& surface, int x, int y, const CTextLines& lines,
                           bool draw)
{
  if (lines.Empty())
    return {};
  if (draw)
    surface.SetTextColour(kErrorColour);
  const CReportSize size = DrawLines(surface, x, y, lines, draw);
  if (draw)
    surface.ResetTextColour();
  return size;
}

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

// Each line of the list wrapped to the width.
CTextLines WrapLinesToWidth(CReportSurface& surface, const CTextLines& lines, int width)
{
  CTextLines wrapped;
  for (const std::string& line : lines)
    wrapped.Append(WrapToWidth(surface, line, width));
  return wrapped;
}

// The identity table with each value wrapped to what is left of the page
// beside the labels; a value's further lines leave the label column empty.
void WrapIdentityTable(CReportSurface& surface, const CReportPage& page, CReportTable& table)
{
  const std::vector<int> widths = ColumnWidths(surface, table);
  if (widths.size() < 2)
    return;
  const int valueWidth = page.mRight - page.mLeft - widths[0] - 2 * surface.AverageCharWidth();
  CReportTable wrapped;
  for (std::size_t r = 0; r < table.RowCount(); ++r)
  {
    const CTextLines lines = WrapToWidth(surface, table.Cell(1, r), valueWidth);
    for (std::size_t k = 0; k < lines.Count(); ++k)
    {
      wrapped.AddCell(0, k == 0 ? table.Cell(0, r) : std::string());
      wrapped.AddCell(1, lines[k]);
    }
  }
  table = std::move(wrapped);
}

// A title, wrapped within the page.
CTextLines TitleLines(CReportSurface& surface, const CReportPage& page, const std::string& title)
{
  return WrapToWidth(surface, title, page.mRight - page.mLeft);
}

// ---- The project part: picture, identity, addresses, totals.

struct CProjectPart
{
  int mTablesTop = 0;     // the devices and volumes tables stand here
  int mDevicesBottom = 0; // bottom of the devices table
  int mVolumesX = 0;      // left edge of the volumes table
  int mVolumesBottom = 0; // bottom of the volumes table when drawn whole
};

CProjectPart DrawProjectPart(CReportSurface& surface, const CReportPage& page,
                             const CProject& project, bool draw, bool withVolumes,
                             CExtent& extent)
{
  const CMetrics m = Metrics(surface);
  CProjectPart part;
  CReportTable table;
  CTextLines lines;

  // The word-mark, 2L high, against the right edge.
  const int pictureHeight = 2 * m.mLine;
  const int pictureWidth = pictureHeight * kWordmarkWidth / kWordmarkHeight;
  if (draw)
    surface.DrawPicture(page.mRight - pictureWidth, page.mTop, pictureWidth, pictureHeight,
                        EmbeddedResource("wordmark.png"));
  extent.Add(page.mRight - pictureWidth, page.mTop, {pictureWidth, pictureHeight});
  int y = page.mTop + 3 * m.mLine;

  BuildIdentityTable(project, table);
  WrapIdentityTable(surface, page, table);
  const CReportSize identity = DrawTable(surface, page.mLeft, y, table, draw);
  extent.Add(page.mLeft, y, identity);
  y += identity.mHeight + m.mLine;

  FormatAddressBlock(project.mDistributor, project.mDistributor_Reference, lines);
  const CTextLines distributor = WrapLinesToWidth(surface, lines, page.mRight - page.mLeft);
  FormatAddressBlock(project.mCustomer, project.mCustomer_Reference, lines);
  const CTextLines customer = WrapLinesToWidth(surface, lines, page.mRight - page.mLeft);
  const CReportSize left = DrawLines(surface, page.mLeft, y, distributor, draw);
  extent.Add(page.mLeft, y, left);
  const CReportSize right = DrawLines(surface, 0, 0, customer, false);
  const int customerX = std::max(page.mLeft, page.mRight - right.mWidth);
  // Side by side unless the two blocks come closer than 2C on some line;
  // then the customer block stands below the distributor block.
  bool sideBySide = true;
  for (std::size_t i = 0; i < std::min(distributor.Count(), customer.Count()); ++i)
    if (!distributor[i].empty() && !customer[i].empty() &&
        page.mLeft + surface.TextWidth(distributor[i]) + 2 * m.mChar > customerX)
      sideBySide = false;
  const int customerY = sideBySide ? y : y + left.mHeight;
  DrawLines(surface, customerX, customerY, customer, draw);
  extent.Add(customerX, customerY, right);
  const int leftAdvance = left.Empty() ? 0 : left.mHeight + m.mLine;
  const int rightAdvance = right.Empty() ? 0 : right.mHeight + m.mLine;
  y += sideBySide ? std::max(leftAdvance, rightAdvance) : left.mHeight + rightAdvance;

  extent.Add(page.mLeft, y, DrawTextLine(surface, page.mLeft, y, "Totals:", draw));
  y += 2 * m.mLine;

  const int x = page.mLeft + m.mIndent;
  ProjectErrorLines(project, lines);
  const CReportSize errors = DrawErrorLines(surface, x, y, lines, draw);
  extent.Add(x, y, errors);
  if (!errors.Empty())
    y += errors.mHeight + m.mLine;

  BuildDevicesTable(ProjectDeviceTotals(project), table);
  const CReportSize devices = DrawTable(surface, x, y, table, draw);
  extent.Add(x, y, devices);
  part.mTablesTop = y;
  part.mDevicesBottom = y + devices.mHeight;
  part.mVolumesX = x + devices.mWidth + 2 * m.mChar;
  part.mVolumesBottom = y;
  if (withVolumes)
  {
    BuildVolumesTable(project.mAreaTable, table);
    const CReportSize volumes = DrawTable(surface, part.mVolumesX, y, table, draw);
    extent.Add(part.mVolumesX, y, volumes);
    part.mVolumesBottom = y + volumes.mHeight;
  }
  return part;
}

// ---- A volume section up to its factors table.

struct CVolumeHead
{
  int mRightX = 0;        // the right-hand column
  int mDevicesBottom = 0; // bottom of the devices table
  int mOpeningsY = 0;     // where the openings table starts
  int mBottom = 0;        // bottom of everything drawn so far
};

CVolumeHead DrawVolumeHead(CReportSurface& surface, const CReportPage& page, int y,
                           const CArea& area, bool draw, CExtent& extent)
{
  const CMetrics m = Metrics(surface);
  CVolumeHead head;
  CReportTable table;
  CTextLines lines;

  const CReportSize title =
    DrawLines(surface, page.mLeft, y, TitleLines(surface, page, VolumeTitle(area)), draw);
  extent.Add(page.mLeft, y, title);
  head.mBottom = y + title.mHeight;
  y += title.mHeight + m.mLine;

  const int x = page.mLeft + m.mIndent;
  AreaErrorLines(area, lines);
  const CReportSize errors = DrawErrorLines(surface, x, y, lines, draw);
  extent.Add(x, y, errors);
  if (!errors.Empty())
  {
    head.mBottom = y + errors.mHeight;
    y += errors.mHeight + m.mLine;
  }

  BuildDevicesTable(DeviceTotals(area.mDevice), table);
  const CReportSize devices = DrawTable(surface, x, y, table, draw);
  extent.Add(x, y, devices);
  head.mDevicesBottom = y + devices.mHeight;
  head.mBottom = std::max(head.mBottom, head.mDevicesBottom);
  head.mRightX = x + devices.mWidth + 2 * m.mChar;

  void (*const builders[])(const CArea&, CReportTable&) = {BuildSummaryTable, BuildDimensionsTable,
                                                           BuildFactorsTable};
  for (auto build : builders)
  {
    build(area, table);
    const CReportSize size = DrawTable(surface, head.mRightX, y, table, draw);
    extent.Add(head.mRightX, y, size);
    if (!size.Empty())
    {
      head.mBottom = std::max(head.mBottom, y + size.mHeight);
      y += size.mHeight + m.mLine;
    }
  }
  head.mOpeningsY = y;
  return head;
}

// Volume notes start in the right-hand column, or further right when the
// caption is wider than the devices table, so that the two never overlap.
int VolumeNotesX(const CVolumeHead& head, int captionRight, const CMetrics& m)
{
  return std::max(head.mRightX, captionRight + 2 * m.mChar);
}

bool ShowsNotes(bool include, const std::string& notes, std::string& cleaned)
{
  cleaned = include ? CleanNotes(notes) : std::string();
  return !cleaned.empty();
}

// ---- The window: one long page.

int DrawWindowVolume(CReportSurface& surface, const CReportPage& page, int y, const CArea& area,
                     bool draw, CExtent& extent)
{
  const CMetrics m = Metrics(surface);
  const CVolumeHead head = DrawVolumeHead(surface, page, y, area, draw, extent);
  CReportTable table;
  BuildOpeningsTable(area.mVentTable, table);
  const CReportSize openings = DrawTable(surface, head.mRightX, head.mOpeningsY, table, draw);
  extent.Add(head.mRightX, head.mOpeningsY, openings);
  const int openingsBottom = head.mOpeningsY + openings.mHeight;
  int bottom = std::max(head.mDevicesBottom + m.mLine, openingsBottom);

  std::string notes;
  if (ShowsNotes(area.mIncludeNotes, area.mNotes, notes))
  {
    // Below the openings and, when it is the taller one, the devices table,
    // which stands in the caption's column.
    const int yn = std::max(openingsBottom, head.mDevicesBottom) + m.mLine;
    const int captionX = page.mLeft + m.mIndent;
    const CReportSize caption = DrawTextLine(surface, captionX, yn, "Volume Notes:", draw);
    extent.Add(captionX, yn, caption);
    const int notesX = VolumeNotesX(head, captionX + caption.mWidth, m);
    const CNotesBand band = surface.LayoutNotes(notes, 0, notesX, yn, page.mRight, -1, draw);
    extent.Add(notesX, yn, {page.mRight - notesX, band.mBottom - yn});
    bottom = std::max({bottom, band.mBottom, yn + m.mLine});
  }
  return bottom;
}

// ---- The printer: pages with margins.

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

CReportSize DrawTable(CReportSurface& surface, int x, int y, const CReportTable& table, bool draw)
{
  const std::size_t rows = table.RowCount();
  if (rows == 0)
    return {};
  const int step = surface.LineHeight();
  const int gap = 2 * surface.AverageCharWidth();
  const std::vector<int> widths = ColumnWidths(surface, table);
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

namespace
{
// The project part and the project notes of the window report; gives where
// the first volume section starts.
int DrawWindowHead(CReportSurface& surface, const CReportPage& page, const CProject& project,
                   bool draw, CExtent& extent)
{
  const CMetrics m = Metrics(surface);
  const CProjectPart part = DrawProjectPart(surface, page, project, draw, true, extent);
  int y = std::max(part.mDevicesBottom + m.mLine, part.mVolumesBottom);

  std::string notes;
  if (ShowsNotes(project.mIncludeNotes, project.mNotes, notes))
  {
    extent.Add(page.mLeft, y, DrawTextLine(surface, page.mLeft, y, "Project Notes:", draw));
    const int x = page.mLeft + m.mIndent;
    const int top = y + m.mLine;
    const CNotesBand band = surface.LayoutNotes(notes, 0, x, top, page.mRight, -1, draw);
    extent.Add(x, top, {page.mRight - x, band.mBottom - top});
    y = std::max(band.mBottom, top);
  }
  return y;
}

// The whole window report; with a layout, also where each part starts.
CReportSize WindowReport(CReportSurface& surface, const CReportPage& page, const CProject& project,
                         bool draw, CWindowLayout* layout)
{
  CExtent extent;
  int y = DrawWindowHead(surface, page, project, draw, extent);
  if (layout)
  {
    layout->mVolumeTops.clear();
    layout->mVolumeTops.reserve(project.mAreaTable.Count() + 1);
  }
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
  {
    if (layout)
      layout->mVolumeTops.push_back(y - page.mTop);
    y = DrawWindowVolume(surface, page, y, *project.mAreaTable.Get(i), draw, extent);
  }
  if (layout)
    layout->mVolumeTops.push_back(y - page.mTop);

  const CReportSize size{std::max(0, extent.mRight - page.mLeft),
                         std::max(0, std::max(extent.mBottom, y) - page.mTop)};
  if (layout)
    layout->mSize = size;
  return size;
}
} // namespace

CReportSize DrawWindowReport(CReportSurface& surface, const CReportPage& page,
                             const CProject& project, bool draw)
{
  return WindowReport(surface, page, project, draw, nullptr);
}

CWindowLayout LayoutWindowReport(CReportSurface& surface, const CReportPage& page,
                                 const CProject& project)
{
  CWindowLayout layout;
  WindowReport(surface, page, project, false, &layout);
  return layout;
}

void DrawWindowReportBand(CReportSurface& surface, const CReportPage& page,
                          const CProject& project, const CWindowLayout& layout, int top,
                          int bottom)
{
  const std::size_t count = project.mAreaTable.Count();
  if (layout.mVolumeTops.size() != count + 1)
  {
    // Not this project's layout: everything, measured afresh.
    DrawWindowReport(surface, page, project, true);
    return;
  }
  CExtent unused;
  // The head ends where the first volume section starts.
  if (page.mTop < bottom && page.mTop + layout.mVolumeTops.front() > top)
    DrawWindowHead(surface, page, project, true, unused);
  // The first section that reaches below the band's top, then each one that
  // starts above its bottom.
  const auto first =
    std::upper_bound(layout.mVolumeTops.begin() + 1, layout.mVolumeTops.end(), top - page.mTop);
  for (std::size_t i = static_cast<std::size_t>(first - layout.mVolumeTops.begin()) - 1;
       i < count && page.mTop + layout.mVolumeTops[i] < bottom; ++i)
    DrawWindowVolume(surface, page, page.mTop + layout.mVolumeTops[i], *project.mAreaTable.Get(i),
                     true, unused);
}

namespace
{
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
  const CProjectPart part = DrawProjectPart(printer, layout, project, true, false, unused);
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

namespace
{
// Mixes words into a 64-bit key (the finaliser of a well-known 64-bit
// hash after each word), so that any changed field changes the key.
class CKey
{
public:
  void Add(std::uint64_t word)
  {
    std::uint64_t x = mValue ^ (word + 0x9E3779B97F4A7C15ull + (mValue << 6) + (mValue >> 2));
    x ^= x >> 33;
    x *= 0xFF51AFD7ED558CCDull;
    x ^= x >> 33;
    x *= 0xC4CEB9FE1A85EC53ull;
    x ^= x >> 33;
    mValue = x;
  }
  void Add(double value)
  {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    Add(bits);
  }
  void Add(const std::string& text)
  {
    Add(static_cast<std::uint64_t>(text.size()));
    for (std::size_t i = 0; i < text.size(); i += 8)
    {
      std::uint64_t word = 0;
      std::memcpy(&word, text.data() + i, std::min<std::size_t>(8, text.size() - i));
      Add(word);
    }
  }
  void Add(const CAddress& a)
  {
    for (const std::string* s : {&a.mName, &a.mAddress1, &a.mAddress2, &a.mCity, &a.mState,
                                 &a.mCountry, &a.mZip})
      Add(*s);
  }
  std::uint64_t Value() const { return mValue; }

private:
  std::uint64_t mValue = 0;
};
} // namespace

std::uint64_t ReportContentKey(const CProject& p)
{
  CKey key;
  for (const std::string* s : {&p.mName, &p.mPath, &p.mProject_Date, &p.mProject_Reference,
                               &p.mProject_Designer, &p.mDistributor_Reference,
                               &p.mCustomer_Reference, &p.mNotes})
    key.Add(*s);
  key.Add(p.mDistributor);
  key.Add(p.mCustomer);
  key.Add(static_cast<std::uint64_t>(p.mUnits) << 1 | (p.mIncludeNotes ? 1 : 0));
  key.Add(static_cast<std::uint64_t>(p.mAreaTable.Count()));
  for (std::size_t i = 0; i < p.mAreaTable.Count(); ++i)
  {
    const CArea& a = *p.mAreaTable.Get(i);
    key.Add(a.mName);
    key.Add(a.mNotes);
    key.Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(a.mHazard)) << 32 |
            (a.mIncludeNotes ? 1 : 0));
    key.Add(static_cast<std::uint64_t>(a.mFlags) << 32 | a.mWarnings);
    for (std::uint32_t count : a.mDevice)
      key.Add(static_cast<std::uint64_t>(count));
    for (double v : {a.mLength, a.mWidth, a.mHeight, a.mVolume, a.mSizeVentWallUpper,
                     a.mSizeVentWallLower, a.mSizeVentCeiling, a.mSizeVentFloor, a.mSizeClosed,
                     a.mSizeOpen, a.mSizeVentUpper, a.mSizeVentLower, a.mLR, a.mLP, a.mLH, a.mK1,
                     a.mK2, a.mK3, a.mConcentrationStandard, a.mConcentrationRequired,
                     a.mMassRequired})
      key.Add(v);
    key.Add(static_cast<std::uint64_t>(a.mVentTable.Count()));
    for (std::size_t v = 0; v < a.mVentTable.Count(); ++v)
    {
      const CVent& vent = *a.mVentTable.Get(v);
      key.Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(vent.mType)) << 32 |
              static_cast<std::uint32_t>(vent.mShape));
      for (double f : {vent.mWidth, vent.mHeight, vent.mUpper, vent.mSize, vent.mLower,
                       vent.mSizeUpper, vent.mSizeLower})
        key.Add(f);
    }
  }
  return key.Value();
}
