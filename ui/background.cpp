#include "ui/background.h"

#include "report/resources.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace
{
// The word-mark's own size: it decides the logo's proportions even while the
// picture itself is missing.
constexpr int kLogoWidth = 589;
constexpr int kLogoHeight = 177;

QFont BackgroundFont(int pixelHeight)
{
  QFont font("Arial");
  font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
  font.setPixelSize(std::max(1, pixelHeight));
  font.setWeight(QFont::Bold);
  font.setItalic(true);
  return font;
}
} // namespace

const QImage& WordMark()
{
  static const QImage picture = []
  {
    const auto bytes = EmbeddedResource("wordmark.png");
    QImage image;
    if (!bytes.empty())
      image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
    return image;
  }();
  return picture;
}

QImage ComposeBackground(int width, int height, int dpiX, int dpiY, const QImage& logo,
                         qreal pixelRatio)
{
  const qreal ratio = pixelRatio > 0 ? pixelRatio : 1;
  QImage picture(QSize(std::max(width, 1), std::max(height, 1)) * ratio, QImage::Format_RGB32);
  // Painting and measuring on the picture stay in the client area's pixels.
  picture.setDevicePixelRatio(ratio);
  picture.fill(QColor(255, 255, 255));
  if (width <= 0 || height <= 0)
    return picture;
  // Keep the screen's resolution with the picture so text is measured for it.
  constexpr double kInchesPerMetre = 39.3700787;
  picture.setDotsPerMeterX(static_cast<int>(dpiX * kInchesPerMetre + 0.5));
  picture.setDotsPerMeterY(static_cast<int>(dpiY * kInchesPerMetre + 0.5));

  const int left = 0, top = 0, right = width, bottom = height;
  const int margin = dpiX / 2 / 2;
  const int unit = dpiY / 2 / 2;
  const int band = unit / 2;

  const int innerLeft = left + margin;
  const int innerRight = right - margin;
  if (innerRight <= innerLeft)
    return picture;

  const QRect topBand(QPoint(innerLeft, top + unit), QPoint(innerRight - 1, top + unit + band - 1));
  const QRect bottomBand(QPoint(innerLeft, bottom - unit - band),
                         QPoint(innerRight - 1, bottom - unit - 1));
  if (bottomBand.top() < topBand.top())
    return picture;

  QPainter painter(&picture);
  const QColor red(255, 0, 0);
  painter.fillRect(topBand, red);
  if (bottomBand.top() > topBand.top())
    painter.fillRect(bottomBand, red);

  const int y0 = topBand.bottom() + 1 + unit;
  const int y1 = bottomBand.top() - unit;
  const int w = innerRight - innerLeft;

  const QFont titleFont = BackgroundFont(dpiY / 2);
  const QFontMetrics title(titleFont, &picture);
  const int th = title.height(); // of "Vantor ®"
  const int logoWidth = logo.isNull() ? kLogoWidth : logo.width();
  const int logoHeight = logo.isNull() ? kLogoHeight : std::max(1, logo.height());
  const int lw = th * logoWidth / logoHeight;

  const QString subtitle = "System Calculation Program";
  const int sw = title.horizontalAdvance(subtitle);
  const int sh = title.height();
  if (w < std::max(sw, lw) || y1 - y0 < th + sh)
    return picture;

  painter.setPen(Qt::black);
  painter.setBackgroundMode(Qt::TransparentMode);
  if (!logo.isNull())
  {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(innerLeft + (w - lw) / 2, y0, lw, th), logo);
  }
  painter.setFont(titleFont);
  painter.drawText(QPoint(innerLeft + (w - sw) / 2, y0 + th + title.ascent()), subtitle);

  const QFont smallFont = BackgroundFont(dpiY / 2 / 2);
  const QFontMetrics small(smallFont, &picture);
  const QString version = "Version 2.7";
  const QString date = "September 2012";
  const int vw = small.horizontalAdvance(version), vh = small.height();
  const int dw = small.horizontalAdvance(date), dh = small.height();
  const int free = y1 - (y0 + th + sh + unit);
  if (w >= std::max(vw, dw) && free >= vh + dh)
  {
    painter.setFont(smallFont);
    painter.drawText(QPoint(innerLeft + (w - dw) / 2, y1 - dh + small.ascent()), date);
    painter.drawText(QPoint(innerLeft + (w - vw) / 2, y1 - dh - vh + small.ascent()), version);
  }
  return picture;
}
