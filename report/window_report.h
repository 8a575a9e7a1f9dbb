#pragma once
// The report as the window shows it: one long page, measured once and then
// drawn band by band as the window scrolls. After an edit only the parts the
// edit touched are measured again.

#include "report/report_page.h"
#include "report/report_surface.h"
#include "text/units.h"

#include <array>
#include <cstdint>
#include <vector>

class CArea;
class CProject;

// The report as the window shows it: the project part, the project notes
// and every volume section one below the other. Gives the width and height
// the report covers from the page's top-left corner.
CReportSize DrawWindowReport(CReportSurface& surface, const CReportPage& page,
                             const CProject& project, bool draw);

// Where the parts of the window report lie, measured once so that a paint
// can draw only the parts it shows, and kept part by part with what each
// part was measured from, so that a change re-measures only its parts.
// Offsets are from the page's top.
class CWindowLayout
{
public:
  // Measures the whole report on the surface for the page.
  void Measure(CReportSurface& surface, const CReportPage& page, const CProject& project);
  // After edits of the given volumes (none: of the project's own fields):
  // measures again the project part, which sums every volume, and the
  // sections of those volumes; the rest is moved, not measured. Measures
  // everything when the project's volumes or units are not the measured ones.
  void Remeasure(CReportSurface& surface, const CReportPage& page, const CProject& project,
                 const std::vector<const CArea*>& volumes);
  // Finds through the content keys what changed since the last measure,
  // without being told, and measures only that again.
  void Check(CReportSurface& surface, const CReportPage& page, const CProject& project);

  // The report's size, as DrawWindowReport gives it.
  CReportSize Size() const { return mSize; }
  // Each volume section's top, then the end of the last.
  const std::vector<int>& VolumeTops() const { return mVolumeTops; }
  // The column widths of the volumes table (empty without volumes).
  const std::vector<int>& VolumesColumns() const { return mColumns; }
  // Measured for this project's volumes, in this order, and units.
  bool Fits(const CProject& project) const;

private:
  // What one volume section was measured from and what it covers.
  struct CSection
  {
    const CArea* mVolume = nullptr;
    std::uint64_t mKey = 0;
    int mHeight = 0; // to the next section's top
    int mBottom = 0; // of what it draws, from its top
    int mRight = 0;  // of what it draws
  };

  void MeasureSection(CReportSurface& surface, const CReportPage& page, std::size_t i);
  void MeasureVolumesRow(CReportSurface& surface, const CProject& project, std::size_t i);
  // The volumes table's widths, the project part and notes, then the tops
  // and the size from the sections as measured.
  void MeasureHead(CReportSurface& surface, const CReportPage& page, const CProject& project);

  std::uint64_t mProjectKey = 0;
  UnitSystem mUnits = UNITS_METRIC;
  std::vector<CSection> mSections;
  // The widths of the volumes table's cells, row by row: each volume's row,
  // then the heading and the "Total" row.
  std::vector<std::array<int, 3>> mRowWidths;
  std::vector<int> mColumns;
  int mHeadHeight = 0; // where the first section starts
  int mHeadBottom = 0; // of what the project part draws
  int mHeadRight = 0;
  int mPageTop = 0;
  std::vector<int> mVolumeTops;
  CReportSize mSize;
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
