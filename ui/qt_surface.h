#pragma once
// The report's drawing surface over a QPainter: widgets, off-screen pictures
// and printers. Text is set in the report font, "Courier New" at 10 points
// for the paint device's resolution; notes are laid out with QTextLayout in
// the same font, wrapped at word boundaries.

#include "report/report_surface.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <limits>
#include <string>
#include <unordered_map>

class CProject;
class QPaintDevice;
class QPrinter;

// The report font for a paint device.
QFont ReportFont(QPaintDevice* device);

class CQtReportSurface : public CReportSurface
{
public:
  // Metrics come from the device; drawing goes through the painter, which
  // must be active on that device whenever something is drawn.
  CQtReportSurface(QPainter& painter, QPaintDevice* device);
  ~CQtReportSurface() override;

  int TextWidth(std::string_view text) override;
  int LineHeight() override;
  int AverageCharWidth() override;
  int PixelsPerInchX() override;
  int PixelsPerInchY() override;
  void DrawText(int x, int y, std::string_view text) override;
  void SetTextColour(CRgb colour) override;
  void ResetTextColour() override;
  void DrawPicture(int x, int y, int width, int height,
                   std::span<const unsigned char> png) override;
  CNotesBand LayoutNotes(std::string_view text, std::size_t from, int x, int y, int right,
                         int bottom, bool draw) override;

  // Selects the report font and the default colour into the painter.
  void Prepare();
  // The report font at another size (the page footer's); metrics follow.
  // Not for a surface with a width cache.
  void SetPointSize(int points);

  // Only what reaches into the rows from top to bottom is drawn; the rest
  // would fall outside the picture anyway.
  void SetVisibleRows(int top, int bottom);
  // Widths of texts already measured on a surface of the same font and
  // device, kept by the caller from one surface to the next.
  using CWidthCache = std::unordered_map<std::string, int>;
  void UseWidthCache(CWidthCache* cache) { mWidths = cache; }

private:
  // True when a line of text with its top at y can be seen.
  bool Visible(int y, int height) const { return y + height > mTop && y < mBottom; }

  QPainter& mPainter;
  QPaintDevice* mDevice;
  QFont mFont;
  QFontMetrics mMetrics;
  QColor mDefault = Qt::black;
  int mTop = std::numeric_limits<int>::min();
  int mBottom = std::numeric_limits<int>::max();
  CWidthCache* mWidths = nullptr;
};

// A QPrinter as the report's printer: the document starts when the layout
// asks for it (naming the print job) and every page break is a new page.
class CQtReportPrinter : public CReportPrinter
{
public:
  explicit CQtReportPrinter(QPrinter& printer);
  ~CQtReportPrinter() override;

  // False when the printer (or the PDF file) could not be opened.
  bool Ok() const { return !mFailed; }

  int TextWidth(std::string_view text) override { return mSurface.TextWidth(text); }
  int LineHeight() override { return mSurface.LineHeight(); }
  int AverageCharWidth() override { return mSurface.AverageCharWidth(); }
  int PixelsPerInchX() override { return mSurface.PixelsPerInchX(); }
  int PixelsPerInchY() override { return mSurface.PixelsPerInchY(); }
  void DrawText(int x, int y, std::string_view text) override;
  void SetTextColour(CRgb colour) override { mSurface.SetTextColour(colour); }
  void ResetTextColour() override { mSurface.ResetTextColour(); }
  void DrawPicture(int x, int y, int width, int height,
                   std::span<const unsigned char> png) override;
  CNotesBand LayoutNotes(std::string_view text, std::size_t from, int x, int y, int right,
                         int bottom, bool draw) override;
  int PageWidth() override;
  int PageHeight() override;
  void UseFooterFont(bool footer) override;
  void BeginDocument(std::string_view name) override;
  void NewPage() override;
  void EndDocument() override;

private:
  QPrinter& mPrinter;
  QPainter mPainter;
  CQtReportSurface mSurface;
  bool mFailed = false;
};

// The point sizes of the report font and of the page footer's font.
inline constexpr int kReportPointSize = 10;
inline constexpr int kFooterPointSize = 7;

// Prints the whole report of the project as one job on the printer, which
// may be set to write a PDF file; false when the printer could not be opened.
// A PDF file's page has no margins of its own: the report's half inch is
// measured from the paper's edge.
bool PrintReportTo(QPrinter& printer, const CProject& project);
