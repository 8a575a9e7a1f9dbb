#pragma once
// The parts of the graphic report that the window and the printer lay out
// alike: the project part up to its tables, and a volume section up to its
// openings table. L is the font's line height, C its average character width
// and I half an inch.

#include "report/report_page.h"
#include "report/report_surface.h"

#include <algorithm>
#include <string>
#include <string_view>

class CArea;
class CProject;
class CReportTable;
class CTextLines;

inline constexpr CRgb kErrorColour{255, 0, 0};
// The word-mark at the top of the report.
inline constexpr int kWordmarkWidth = 589;
inline constexpr int kWordmarkHeight = 177;

struct CMetrics
{
  int mLine;   // L
  int mChar;   // C
  int mIndent; // I
};

CMetrics Metrics(CReportSurface& surface);

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

CReportSize DrawTextLine(CReportSurface& surface, int x, int y, std::string_view text, bool draw);

// The lines in the error colour.
CReportSize DrawErrorLines(CReportSurface& surface, int x, int y, const CTextLines& lines,
                           bool draw);

// Each line of the list wrapped to the width.
CTextLines WrapLinesToWidth(CReportSurface& surface, const CTextLines& lines, int width);

// The identity table with each value wrapped to what is left of the page
// beside the labels; a value's further lines leave the label column empty.
void WrapIdentityTable(CReportSurface& surface, const CReportPage& page, CReportTable& table);

// A title, wrapped within the page.
CTextLines TitleLines(CReportSurface& surface, const CReportPage& page, const std::string& title);

// ---- The project part: picture, identity, addresses, totals.

struct CProjectPart
{
  int mTablesTop = 0;     // the devices and volumes tables stand here
  int mDevicesBottom = 0; // bottom of the devices table
  int mVolumesX = 0;      // left edge of the volumes table
};

// Draws (or measures) the project part up to the volumes table, which each
// layout places itself: whole in the window, continued over pages in print.
CProjectPart DrawProjectPart(CReportSurface& surface, const CReportPage& page,
                             const CProject& project, bool draw, CExtent& extent);

// ---- A volume section up to its factors table.

struct CVolumeHead
{
  int mRightX = 0;        // the right-hand column
  int mDevicesBottom = 0; // bottom of the devices table
  int mOpeningsY = 0;     // where the openings table starts
  int mBottom = 0;        // bottom of everything drawn so far
};

CVolumeHead DrawVolumeHead(CReportSurface& surface, const CReportPage& page, int y,
                           const CArea& area, bool draw, CExtent& extent);

// Volume notes start in the right-hand column, or further right when the
// caption is wider than the devices table, so that the two never overlap.
int VolumeNotesX(const CVolumeHead& head, int captionRight, const CMetrics& m);

// The notes as shown, when they are included and not blank.
bool ShowsNotes(bool include, const std::string& notes, std::string& cleaned);
