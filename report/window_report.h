#pragma once
// The report as the window shows it: one long page, measured once and then
// drawn band by band as the window scrolls.

#include "report/report_page.h"
#include "report/report_surface.h"

#include <vector>

class CProject;

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
