#include "report/window_report.h"

#include "model/area.h"
#include "model/project.h"
#include "report/report_content.h"
#include "report/report_content_key.h"
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

// The volumes table of the project part. With the column widths measured
// for the whole table, its size follows from them and only the rows that
// reach into the rows from top to bottom are made and drawn; without them
// the whole table is made, measured and drawn.
CReportSize DrawVolumesTable(CReportSurface& surface, int x, int y, const CProject& project,
                             bool draw, const std::vector<int>* columns, int top, int bottom)
{
  const CAreaTable& areas = project.mAreaTable;
  CReportTable table;
  if (!columns || columns->empty() || areas.Count() == 0)
  {
    BuildVolumesTable(areas, table);
    return DrawTable(surface, x, y, table, draw);
  }
  const int step = surface.LineHeight();
  // The heading, a row per volume and the "Total" row.
  const std::size_t rows = areas.Count() + 2;
  const CReportSize size{TableWidth(surface, *columns), step * static_cast<int>(rows)};
  if (!draw || y >= bottom || y + size.mHeight <= top)
    return size;
  const std::size_t first = top > y ? static_cast<std::size_t>((top - y) / step) : 0;
  const std::size_t last = std::min(rows, static_cast<std::size_t>((bottom - y + step - 1) / step));
  for (std::size_t r = first; r < last; ++r)
  {
    const CVolumesRow row = r == 0          ? VolumesTableHeading()
                            : r == rows - 1 ? VolumesTableTotal(areas)
                                            : VolumesTableRow(areas, r - 1);
    for (std::size_t c = 0; c < row.size(); ++c)
      table.AddCell(c, row[c]);
  }
  if (first < last)
    DrawTable(surface, x, y + step * static_cast<int>(first), table, true, columns);
  return size;
}

// The project part and the project notes of the window report; gives where
// the first volume section starts. The volumes table as DrawVolumesTable
// draws it.
int DrawWindowHead(CReportSurface& surface, const CReportPage& page, const CProject& project,
                   bool draw, CExtent& extent, const std::vector<int>* columns = nullptr,
                   int top = 0, int bottom = 0)
{
  const CMetrics m = Metrics(surface);
  const CProjectPart part = DrawProjectPart(surface, page, project, draw, extent);
  const CReportSize volumes = DrawVolumesTable(surface, part.mVolumesX, part.mTablesTop, project,
                                               draw, columns, top, bottom);
  extent.Add(part.mVolumesX, part.mTablesTop, volumes);
  int y = std::max(part.mDevicesBottom + m.mLine, part.mTablesTop + volumes.mHeight);

  std::string notes;
  if (ShowsNotes(project.mIncludeNotes, project.mNotes, notes))
  {
    extent.Add(page.mLeft, y, DrawTextLine(surface, page.mLeft, y, "Project Notes:", draw));
    const int x = page.mLeft + m.mIndent;
    const int notesTop = y + m.mLine;
    const CNotesBand band = surface.LayoutNotes(notes, 0, x, notesTop, page.mRight, -1, draw);
    extent.Add(x, notesTop, {page.mRight - x, band.mBottom - notesTop});
    y = std::max(band.mBottom, notesTop);
  }
  return y;
}

int CellWidth(CReportSurface& surface, const std::string& text)
{
  return text.empty() ? 0 : surface.TextWidth(text);
}

std::array<int, 3> RowWidths(CReportSurface& surface, const CVolumesRow& row)
{
  return {CellWidth(surface, row[0]), CellWidth(surface, row[1]), CellWidth(surface, row[2])};
}
} // namespace

CReportSize DrawWindowReport(CReportSurface& surface, const CReportPage& page,
                             const CProject& project, bool draw)
{
  CExtent extent;
  int y = DrawWindowHead(surface, page, project, draw, extent);
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
    y = DrawWindowVolume(surface, page, y, *project.mAreaTable.Get(i), draw, extent);
  return {std::max(0, extent.mRight - page.mLeft),
          std::max(0, std::max(extent.mBottom, y) - page.mTop)};
}

bool CWindowLayout::Fits(const CProject& project) const
{
  const CAreaTable& areas = project.mAreaTable;
  if (project.mUnits != mUnits || areas.Count() != mSections.size())
    return false;
  for (std::size_t i = 0; i < mSections.size(); ++i)
    if (areas.Get(i) != mSections[i].mVolume)
      return false;
  return true;
}

void CWindowLayout::MeasureSection(CReportSurface& surface, const CReportPage& page, std::size_t i)
{
  // A section measures alike wherever it starts: measured at 0.
  CSection& section = mSections[i];
  CExtent extent;
  section.mKey = VolumeContentKey(*section.mVolume);
  section.mHeight =
      DrawWindowVolume(surface, {page.mLeft, 0, page.mRight}, 0, *section.mVolume, false, extent);
  section.mBottom = extent.mBottom;
  section.mRight = extent.mRight;
}

void CWindowLayout::MeasureVolumesRow(CReportSurface& surface, const CProject& project,
                                      std::size_t i)
{
  mRowWidths[i] = RowWidths(surface, VolumesTableRow(project.mAreaTable, i));
}

void CWindowLayout::MeasureHead(CReportSurface& surface, const CReportPage& page,
                                const CProject& project)
{
  const std::size_t count = mSections.size();
  mProjectKey = ProjectContentKey(project);
  mPageTop = page.mTop;
  // The "Total" row changes with any volume; the heading never does.
  mRowWidths.resize(count + 2);
  mRowWidths[count] = RowWidths(surface, VolumesTableHeading());
  mRowWidths[count + 1] = RowWidths(surface, VolumesTableTotal(project.mAreaTable));
  mColumns.clear();
  if (count > 0)
  {
    mColumns.assign(3, 0);
    for (const std::array<int, 3>& row : mRowWidths)
      for (std::size_t c = 0; c < 3; ++c)
        mColumns[c] = std::max(mColumns[c], row[c]);
  }

  CExtent extent;
  const int y = DrawWindowHead(surface, page, project, false, extent, &mColumns);
  mHeadHeight = y - page.mTop;
  mHeadBottom = extent.mBottom - page.mTop;
  mHeadRight = extent.mRight;

  // The sections one below the other, and what they all cover.
  mVolumeTops.resize(count + 1);
  int top = mHeadHeight;
  int right = mHeadRight;
  int bottom = std::max(-page.mTop, mHeadBottom);
  for (std::size_t i = 0; i < count; ++i)
  {
    mVolumeTops[i] = top;
    right = std::max(right, mSections[i].mRight);
    bottom = std::max(bottom, top + mSections[i].mBottom);
    top += mSections[i].mHeight;
  }
  mVolumeTops[count] = top;
  mSize = {std::max(0, right - page.mLeft), std::max(0, std::max(bottom, top))};
}

void CWindowLayout::Measure(CReportSurface& surface, const CReportPage& page,
                            const CProject& project)
{
  const CAreaTable& areas = project.mAreaTable;
  mUnits = project.mUnits;
  mSections.assign(areas.Count(), {});
  mRowWidths.assign(areas.Count(), {});
  for (std::size_t i = 0; i < mSections.size(); ++i)
  {
    mSections[i].mVolume = areas.Get(i);
    MeasureSection(surface, page, i);
    MeasureVolumesRow(surface, project, i);
  }
  MeasureHead(surface, page, project);
}

void CWindowLayout::Remeasure(CReportSurface& surface, const CReportPage& page,
                              const CProject& project, const std::vector<const CArea*>& volumes)
{
  if (!Fits(project) || page.mTop != mPageTop)
  {
    Measure(surface, page, project);
    return;
  }
  for (std::size_t i = 0; i < mSections.size(); ++i)
    if (std::find(volumes.begin(), volumes.end(), mSections[i].mVolume) != volumes.end())
    {
      MeasureSection(surface, page, i);
      MeasureVolumesRow(surface, project, i);
    }
  MeasureHead(surface, page, project);
}

void CWindowLayout::Check(CReportSurface& surface, const CReportPage& page, const CProject& project)
{
  if (!Fits(project) || page.mTop != mPageTop)
  {
    Measure(surface, page, project);
    return;
  }
  bool changed = ProjectContentKey(project) != mProjectKey;
  for (std::size_t i = 0; i < mSections.size(); ++i)
    if (VolumeContentKey(*mSections[i].mVolume) != mSections[i].mKey)
    {
      MeasureSection(surface, page, i);
      MeasureVolumesRow(surface, project, i);
      changed = true;
    }
  if (changed)
    MeasureHead(surface, page, project);
}

CWindowLayout LayoutWindowReport(CReportSurface& surface, const CReportPage& page,
                                 const CProject& project)
{
  CWindowLayout layout;
  layout.Measure(surface, page, project);
  return layout;
}

void DrawWindowReportBand(CReportSurface& surface, const CReportPage& page,
                          const CProject& project, const CWindowLayout& layout, int top,
                          int bottom)
{
  const std::size_t count = project.mAreaTable.Count();
  const std::vector<int>& tops = layout.VolumeTops();
  if (tops.size() != count + 1)
  {
    // Not this project's layout: everything, measured afresh.
    DrawWindowReport(surface, page, project, true);
    return;
  }
  CExtent unused;
  // The head ends where the first volume section starts.
  if (page.mTop < bottom && page.mTop + tops.front() > top)
    DrawWindowHead(surface, page, project, true, unused, &layout.VolumesColumns(), top, bottom);
  // The first section that reaches below the band's top, then each one that
  // starts above its bottom.
  const auto first = std::upper_bound(tops.begin() + 1, tops.end(), top - page.mTop);
  for (std::size_t i = static_cast<std::size_t>(first - tops.begin()) - 1;
       i < count && page.mTop + tops[i] < bottom; ++i)
    DrawWindowVolume(surface, page, page.mTop + tops[i], *project.mAreaTable.Get(i), true, unused);
}
