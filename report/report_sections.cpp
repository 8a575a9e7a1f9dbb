#include "report/report_sections.h"

#include "model/area.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "report/address_block.h"
#include "report/report_content.h"
#include "report/report_table.h"
#include "report/resources.h"
#include "report/table_drawing.h"

#include <algorithm>
#include <string>

CMetrics Metrics(CReportSurface& surface)
{
  return {surface.LineHeight(), surface.AverageCharWidth(), surface.PixelsPerInchX() / 2};
}

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

CProjectPart DrawProjectPart(CReportSurface& surface, const CReportPage& page,
                             const CProject& project, bool draw, CExtent& extent)
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
  return part;
}

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
