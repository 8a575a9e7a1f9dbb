#include "ui/qt_surface.h"

#include "report/graphic_report.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

#include <QDate>

#include <QImage>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

#include <map>

namespace
{
// Decoded pictures by the address of their embedded bytes, kept for the run.
const QImage& Picture(std::span<const unsigned char> png)
{
  static std::map<const unsigned char*, QImage> cache;
  auto it = cache.find(png.data());
  if (it == cache.end())
  {
    QImage image;
    image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG");
    it = cache.emplace(png.data(), std::move(image)).first;
  }
  return it->second;
}
} // namespace

QFont ReportFont(QPaintDevice* device)
{
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSize(kReportPointSize);
  return device ? QFont(font, device) : font;
}

CQtReportSurface::CQtReportSurface(QPainter& painter, QPaintDevice* device)
  : mPainter(painter), mDevice(device), mFont(ReportFont(device)), mMetrics(mFont, device)
{
}

CQtReportSurface::~CQtReportSurface() = default;

void CQtReportSurface::Prepare()
{
  mPainter.setFont(mFont);
  mPainter.setPen(mDefault);
}

void CQtReportSurface::SetPointSize(int points)
{
  QFont font = ReportFont(nullptr);
  font.setPointSize(points);
  mFont = QFont(font, mDevice);
  mMetrics = QFontMetrics(mFont, mDevice);
  if (mPainter.isActive())
    mPainter.setFont(mFont);
}

int CQtReportSurface::TextWidth(std::string_view text)
{
  if (!mWidths)
    return mMetrics.horizontalAdvance(ToQt(text));
  // A bound on the texts kept: a report shows them by the hundred thousand.
  constexpr std::size_t kMostKept = 200000;
  std::string key(text);
  auto it = mWidths->find(key);
  if (it != mWidths->end())
    return it->second;
  if (mWidths->size() >= kMostKept)
    mWidths->clear();
  const int width = mMetrics.horizontalAdvance(ToQt(text));
  mWidths->emplace(std::move(key), width);
  return width;
}

void CQtReportSurface::SetVisibleRows(int top, int bottom)
{
  mTop = top;
  mBottom = bottom;
}

int CQtReportSurface::LineHeight() { return mMetrics.height(); }
int CQtReportSurface::AverageCharWidth() { return mMetrics.averageCharWidth(); }
int CQtReportSurface::PixelsPerInchX() { return mDevice->logicalDpiX(); }
int CQtReportSurface::PixelsPerInchY() { return mDevice->logicalDpiY(); }

void CQtReportSurface::DrawText(int x, int y, std::string_view text)
{
  if (Visible(y, mMetrics.height()))
    mPainter.drawText(x, y + mMetrics.ascent(), ToQt(text));
}

void CQtReportSurface::SetTextColour(CRgb colour)
{
  mPainter.setPen(QColor(colour.mRed, colour.mGreen, colour.mBlue));
}

void CQtReportSurface::ResetTextColour() { mPainter.setPen(mDefault); }

void CQtReportSurface::DrawPicture(int x, int y, int width, int height,
                                   std::span<const unsigned char> png)
{
  const QImage& image = Picture(png);
  if (image.isNull() || !Visible(y, height))
    return;
  mPainter.save();
  mPainter.setRenderHint(QPainter::SmoothPixmapTransform);
  mPainter.drawImage(QRect(x, y, width, height), image);
  mPainter.restore();
}

CNotesBand CQtReportSurface::LayoutNotes(std::string_view text, std::size_t from, int x, int y,
                                         int right, int bottom, bool draw)
{
  // One UTF-16 unit per Windows-1252 character, so offsets carry over.
  // A carriage return counts as a space: only line feeds end paragraphs.
  QString all = ToQt(text);
  all.replace(QChar('\r'), QChar(' '));
  const qsizetype length = all.size();
  const int step = LineHeight();
  const qreal width = std::max(1, right - x);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

  qsizetype at = static_cast<qsizetype>(std::min(from, text.size()));
  while (at < length)
  {
    qsizetype end = all.indexOf(QChar('\n'), at);
    if (end < 0)
      end = length;
    QTextLayout layout(all.mid(at, end - at), mFont, mDevice);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
    {
      line.setLineWidth(width);
      line.setPosition(QPointF(0, 0));
    }
    layout.endLayout();
    const int lines = std::max(1, layout.lineCount());
    for (int i = 0; i < lines; ++i)
    {
      if (bottom >= 0 && y + step > bottom)
      {
        const qsizetype start = i < layout.lineCount() ? layout.lineAt(i).textStart() : 0;
        return {static_cast<std::size_t>(at + start), y};
      }
      if (draw && i < layout.lineCount() && Visible(y, step))
        layout.lineAt(i).draw(&mPainter, QPointF(x, y));
      y += step;
    }
    at = end + 1;
  }
  return {text.size(), y};
}

// ---- Printer

CQtReportPrinter::CQtReportPrinter(QPrinter& printer)
  : mPrinter(printer), mSurface(mPainter, &printer)
{
}

CQtReportPrinter::~CQtReportPrinter()
{
  if (mPainter.isActive())
    mPainter.end();
}

void CQtReportPrinter::DrawText(int x, int y, std::string_view text)
{
  if (mPainter.isActive())
    mSurface.DrawText(x, y, text);
}

void CQtReportPrinter::DrawPicture(int x, int y, int width, int height,
                                   std::span<const unsigned char> png)
{
  if (mPainter.isActive())
    mSurface.DrawPicture(x, y, width, height, png);
}

CNotesBand CQtReportPrinter::LayoutNotes(std::string_view text, std::size_t from, int x, int y,
                                         int right, int bottom, bool draw)
{
  return mSurface.LayoutNotes(text, from, x, y, right, bottom, draw && mPainter.isActive());
}

int CQtReportPrinter::PageWidth() { return mPrinter.width(); }
int CQtReportPrinter::PageHeight() { return mPrinter.height(); }

void CQtReportPrinter::UseFooterFont(bool footer)
{
  mSurface.SetPointSize(footer ? kFooterPointSize : kReportPointSize);
}

void CQtReportPrinter::BeginDocument(std::string_view name)
{
  mPrinter.setDocName(ToQt(name));
  if (!mPainter.begin(&mPrinter))
  {
    mFailed = true;
    return;
  }
  mSurface.Prepare();
}

void CQtReportPrinter::NewPage()
{
  if (mPainter.isActive() && !mPrinter.newPage())
    mFailed = true;
}

void CQtReportPrinter::EndDocument()
{
  if (mPainter.isActive() && !mPainter.end())
    mFailed = true;
}

bool PrintReportTo(QPrinter& printer, const CProject& project)
{
  // The PDF writer keeps default margins of its own, which would be added
  // to the report's.
  if (printer.outputFormat() == QPrinter::PdfFormat)
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
  CQtReportPrinter surface(printer);
  const CPrintStamp stamp{std::string(kAppTitle) + " Version " + VANTOR_VERSION,
                          QDate::currentDate().toString(Qt::ISODate).toStdString()};
  PrintReport(surface, project, stamp);
  return surface.Ok();
}
