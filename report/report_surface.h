#pragma once
// What the graphic report needs from a drawing surface (a window, an
// off-screen picture, a printer): text metrics and output in the report's
// fixed-pitch font, a text colour, scaled pictures and a notes formatter.
// Coordinates are device pixels; texts are Windows-1252.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

struct CReportSize
{
  int mWidth = 0;
  int mHeight = 0;
  bool Empty() const { return mWidth == 0 && mHeight == 0; }
};

struct CRgb
{
  std::uint8_t mRed = 0;
  std::uint8_t mGreen = 0;
  std::uint8_t mBlue = 0;
};

// How far a notes formatter got in its rectangle.
struct CNotesBand
{
  std::size_t mNext = 0; // first character not laid out; the text's length when all fit
  int mBottom = 0;       // bottom of the laid-out text (its top when nothing fitted)
};

class CReportSurface
{
public:
  virtual ~CReportSurface() = default;

  virtual int TextWidth(std::string_view text) = 0;
  virtual int LineHeight() = 0;
  virtual int AverageCharWidth() = 0;
  virtual int PixelsPerInchX() = 0;
  virtual int PixelsPerInchY() = 0;

  // Text with its top-left corner at (x, y), in the current text colour.
  virtual void DrawText(int x, int y, std::string_view text) = 0;
  virtual void SetTextColour(CRgb colour) = 0;
  // Back to the surface's default text colour.
  virtual void ResetTextColour() = 0;
  // A PNG picture scaled into the rectangle.
  virtual void DrawPicture(int x, int y, int width, int height,
                           std::span<const unsigned char> png) = 0;

  // Lays out the notes from character `from` on, wrapped at word boundaries
  // between x and right, from y down to bottom (no limit when bottom < 0).
  // Whole lines only: a line that would pass the bottom is left for the
  // next band. Draws what fits when `draw` is set, else only measures.
  virtual CNotesBand LayoutNotes(std::string_view text, std::size_t from, int x, int y,
                                 int right, int bottom, bool draw) = 0;
};

// A printer: a surface with pages.
class CReportPrinter : public CReportSurface
{
public:
  // The printable area of a page.
  virtual int PageWidth() = 0;
  virtual int PageHeight() = 0;
  // Switches text metrics and output between the report font and the small
  // font of the page footer.
  virtual void UseFooterFont(bool footer) = 0;
  virtual void BeginDocument(std::string_view name) = 0;
  virtual void NewPage() = 0;
  virtual void EndDocument() = 0;
};
