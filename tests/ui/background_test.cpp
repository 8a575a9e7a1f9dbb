// The picture of the empty client area: what appears at which size.

#include "ui/background.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

namespace
{
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

QImage TestLogo()
{
  QImage logo(589, 177, QImage::Format_RGB32);
  logo.fill(kBlue);
  return logo;
}

struct Census
{
  int mWhite = 0, mRed = 0, mBlue = 0, mDark = 0, mOther = 0;
  int mDarkTop = -1, mDarkBottom = -1; // rows holding text
  int mBlueLeft = -1, mBlueRight = -1;
};

Census Count(const QImage& image)
{
  Census c;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
    {
      const QRgb p = image.pixel(x, y);
      if (p == kWhite)
        ++c.mWhite;
      else if (p == kRed)
        ++c.mRed;
      else if (qBlue(p) > 200 && qRed(p) < 60 && qGreen(p) < 60)
      {
        ++c.mBlue;
        if (c.mBlueLeft < 0 || x < c.mBlueLeft)
          c.mBlueLeft = x;
        c.mBlueRight = std::max(c.mBlueRight, x);
      }
      else if (qGray(p) < 100)
      {
        ++c.mDark;
        if (c.mDarkTop < 0)
          c.mDarkTop = y;
        c.mDarkBottom = y;
      }
      else
        ++c.mOther;
    }
  return c;
}

// The smallest height at which the logo and subtitle appear.
int FirstHeightWithText(int width, int dpi)
{
  for (int h = 60; h < 2000; ++h)
    if (Count(ComposeBackground(width, h, dpi, dpi, TestLogo())).mDark > 0)
      return h;
  return -1;
}
} // namespace

TEST(Background, AtMostHalfAnInchWideIsPlainWhite)
{
  for (int dpi : {96, 192})
  {
    QImage narrow = ComposeBackground(dpi / 2, 600, dpi, dpi, TestLogo());
    EXPECT_EQ(narrow.size(), QSize(dpi / 2, 600));
    EXPECT_EQ(Count(narrow).mWhite, narrow.width() * narrow.height()) << dpi;
    // One pixel more leaves room for the bands.
    EXPECT_GT(Count(ComposeBackground(dpi / 2 + 1, 600, dpi, dpi, TestLogo())).mRed, 0) << dpi;
  }
  // Degenerate sizes never fail.
  EXPECT_FALSE(ComposeBackground(0, 0, 96, 96, TestLogo()).isNull());
}

TEST(Background, ShortAreasShowTheBandsOnly)
{
  // Below five-eighths of an inch there is no room for the bands.
  EXPECT_EQ(Count(ComposeBackground(800, 59, 96, 96, TestLogo())).mRed, 0);

  // At 60 pixels only the top band fits; the bottom one starts where it does.
  const QImage exact = ComposeBackground(800, 60, 96, 96, TestLogo());
  EXPECT_EQ(Count(exact).mRed, (800 - 48) * 12);

  // Up to about two and a quarter inches: both bands, no logo, no text.
  const QImage band = ComposeBackground(800, 200, 96, 96, TestLogo());
  const Census c = Count(band);
  EXPECT_EQ(c.mRed, 2 * (800 - 48) * 12);
  EXPECT_EQ(c.mBlue + c.mDark + c.mOther, 0);
  // Bands: quarter-inch margins, an eighth of an inch thick, a quarter inch from top and bottom.
  EXPECT_EQ(band.pixel(23, 30), kWhite);
  EXPECT_EQ(band.pixel(24, 24), kRed);
  EXPECT_EQ(band.pixel(775, 35), kRed);
  EXPECT_EQ(band.pixel(776, 35), kWhite);
  EXPECT_EQ(band.pixel(400, 36), kWhite);
  EXPECT_EQ(band.pixel(400, 200 - 36), kRed);
  EXPECT_EQ(band.pixel(400, 200 - 25), kRed);
  EXPECT_EQ(band.pixel(400, 200 - 24), kWhite);
}

TEST(Background, JustTallEnoughShowsLogoAndSubtitleWithoutTheSmallLines)
{
  const int first = FirstHeightWithText(1000, 96);
  ASSERT_GT(first, 200);
  EXPECT_LT(first, 300);
  // At that height the content area (from y0 = 60 to y1 = height - 60) holds
  // exactly the logo and the subtitle.
  const int contentEnd = 60 + (first - 120);
  for (int h : {first, first + 40})
  {
    const Census c = Count(ComposeBackground(1000, h, 96, 96, TestLogo()));
    EXPECT_GT(c.mBlue, 0) << h;
    EXPECT_GT(c.mDark, 0) << h;
    EXPECT_GE(c.mDarkTop, 60) << h;
    EXPECT_LT(c.mDarkBottom, contentEnd) << h; // nothing below the subtitle
  }
  // Too narrow for the subtitle: bands only, however tall.
  const Census thin = Count(ComposeBackground(300, 900, 96, 96, TestLogo()));
  EXPECT_GT(thin.mRed, 0);
  EXPECT_EQ(thin.mBlue + thin.mDark, 0);
}

TEST(Background, TallAreasAddVersionAndDateAboveTheBottomBand)
{
  const int height = 700;
  const QImage picture = ComposeBackground(1000, height, 96, 96, TestLogo());
  const Census c = Count(picture);
  const int first = FirstHeightWithText(1000, 96);
  // Text now reaches down into the lower part, ending at y1 = height - 60.
  EXPECT_GT(c.mDarkBottom, 60 + (first - 120) + 24);
  EXPECT_LT(c.mDarkBottom, height - 60);
  // The logo is centred between the margins.
  EXPECT_NEAR((c.mBlueLeft + c.mBlueRight) / 2.0, 500.0, 2.0);
  EXPECT_EQ(picture.pixel(c.mBlueLeft, 61), kBlue);
}

TEST(Background, AMissingLogoLeavesItsPlaceEmpty)
{
  const Census with = Count(ComposeBackground(1000, 700, 96, 96, TestLogo()));
  const Census without = Count(ComposeBackground(1000, 700, 96, 96, QImage()));
  EXPECT_EQ(without.mBlue, 0);
  EXPECT_EQ(without.mDark, with.mDark); // the texts stay where they were
  EXPECT_EQ(without.mDarkTop, with.mDarkTop);
}

TEST(Background, AHighDensityScreenGetsTheSameLayoutInMorePixels)
{
  const QImage normal = ComposeBackground(800, 200, 96, 96, TestLogo());
  const QImage dense = ComposeBackground(800, 200, 96, 96, TestLogo(), 2);
  EXPECT_EQ(dense.size(), QSize(1600, 400));
  EXPECT_EQ(dense.devicePixelRatio(), 2);
  // The bands cover the same part of the area, so four times the pixels.
  EXPECT_EQ(Count(dense).mRed, 4 * Count(normal).mRed);
  EXPECT_EQ(dense.pixel(2 * 24, 2 * 24), kRed);
  EXPECT_EQ(dense.pixel(2 * 24 - 1, 2 * 24), kWhite);
  EXPECT_EQ(dense.pixel(2 * 400, 2 * (200 - 24) - 1), kRed);
  EXPECT_EQ(dense.pixel(2 * 400, 2 * (200 - 24)), kWhite);
  // The text appears at the same heights as at ratio 1.
  const int first = FirstHeightWithText(1000, 96);
  EXPECT_GT(Count(ComposeBackground(1000, first, 96, 96, TestLogo(), 1.5)).mDark, 0);
}
