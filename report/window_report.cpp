#include "report/window_report.h"

#include "model/area.h"
#include "model/project.h"
#include "report/report_content.h"
#include "report/report_sections.h"
#include "report/report_table.h"
#include "report/table_drawing.h"

#include <algorithm>
#include <string>

namespace
{
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
