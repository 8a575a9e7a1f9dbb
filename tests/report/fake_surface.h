#pragma once
// A fixed-pitch drawing surface for the graphic report tests: every
// character is 10 pixels wide, lines are 20 pixels apart and an inch is 100
// pixels, so C = 10, L = 20 and I = 50. It records what is drawn, and a
// printer variant counts pages.

#include "report/report_surface.h"

#include <algorithm>
#include <string>
#include <vector>

struct CDrawnText
{
  int mPage;
  int mX;
  int mY;
  std::string mText;
  bool mRed;
  bool mNotes; // a line of notes, laid out by LayoutNotes
  bool mFooter = false; // in the small font of the page footer
};

struct CDrawnPicture
{
  int mX, mY, mWidth, mHeight;
  std::size_t mBytes;
};

class CFakeSurface : public CReportPrinter
{
public:
  static constexpr int kChar = 10;
  static constexpr int kLine = 20;
  static constexpr int kInch = 100;

  // The footer font is smaller: 6 by 12 pixels.
  int TextWidth(std::string_view text) override
  {
    return (mFooter ? 6 : kChar) * static_cast<int>(text.size());
  }
  int LineHeight() override { return mFooter ? 12 : kLine; }
  int AverageCharWidth() override { return mFooter ? 6 : kChar; }
  int PixelsPerInchX() override { return kInch; }
  int PixelsPerInchY() override { return kInch; }
  void DrawText(int x, int y, std::string_view text) override
  {
    mTexts.push_back({mPage, x, y, std::string(text), mRed, false, mFooter});
  }
  void SetTextColour(CRgb colour) override
  {
    mRed = colour.mRed == 255 && colour.mGreen == 0 && colour.mBlue == 0;
  }
  void ResetTextColour() override { mRed = false; }
  void DrawPicture(int x, int y, int width, int height, std::span<const unsigned char> png) override
  {
    mPictures.push_back({x, y, width, height, png.size()});
  }

  // Breaks at line feeds and, for a full line, after its last space.
  CNotesBand LayoutNotes(std::string_view text, std::size_t from, int x, int y, int right,
                         int bottom, bool draw) override
  {
    const std::size_t width = static_cast<std::size_t>(std::max(1, (right - x) / kChar));
    std::size_t at = from;
    while (at < text.size())
    {
      if (bottom >= 0 && y + kLine > bottom)
        break;
      std::size_t end = text.find('\n', at);
      if (end == std::string_view::npos)
        end = text.size();
      std::size_t next = end + 1;
      if (end - at > width)
      {
        const std::size_t space = text.rfind(' ', at + width);
        end = space != std::string_view::npos && space > at ? space : at + width;
        next = text[end] == ' ' ? end + 1 : end;
      }
      if (draw)
        mTexts.push_back({mPage, x, y, std::string(text.substr(at, end - at)), mRed, true});
      y += kLine;
      at = std::min(next, text.size());
    }
    return {at, y};
  }

  int PageWidth() override { return mPageWidth; }
  int PageHeight() override { return mPageHeight; }
  void UseFooterFont(bool footer) override { mFooter = footer; }
  void BeginDocument(std::string_view name) override
  {
    mDocument = std::string(name);
    ++mDocuments;
  }
  void NewPage() override { ++mPage; }
  void EndDocument() override { ++mEnded; }

  // The first text drawn that equals `text`, or nullptr.
  const CDrawnText* Find(const std::string& text) const
  {
    for (const CDrawnText& t : mTexts)
      if (t.mText == text)
        return &t;
    return nullptr;
  }
  int Count(const std::string& text) const
  {
    int n = 0;
    for (const CDrawnText& t : mTexts)
      n += t.mText == text ? 1 : 0;
    return n;
  }

  std::vector<CDrawnText> mTexts;
  std::vector<CDrawnPicture> mPictures;
  bool mRed = false;
  bool mFooter = false;
  int mPage = 0;
  int mPageWidth = 850;   // 8.5 by 11 inches
  int mPageHeight = 1100;
  std::string mDocument;
  int mDocuments = 0;
  int mEnded = 0;
};
