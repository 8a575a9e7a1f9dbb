#pragma once
// The picture painted on the empty client area of the main window: white,
// two red bands, and in between the word-mark, the subtitle, and the
// version and date lines, each drawn only when there is room for it.

#include <QImage>

// The word-mark as compiled into the program (589 x 177 pixels); a null
// image when the program has none.
const QImage& WordMark();

// Builds the picture for a client area of width x height pixels on a screen
// of dpiX x dpiY pixels per inch. A null logo leaves its place empty.
// `pixelRatio` is the screen's device pixels per pixel: the picture holds
// that many more pixels each way, so that it stays sharp on a high-density
// screen, and is laid out exactly as at ratio 1.
QImage ComposeBackground(int width, int height, int dpiX, int dpiY, const QImage& logo,
                         qreal pixelRatio = 1);
