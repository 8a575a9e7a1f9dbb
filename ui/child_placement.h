#pragma once
// Where a new child window of the main window's client area goes: wholly
// inside the area, cascading from its top left, and never over the button of
// the window that opened it.

#include <QRect>
#include <QSize>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

// The rectangle for a new window in an area of the given size. `preferred` is
// the size it would like, `minimum` the smallest it may be made. The first
// cascade position (steps of `step` from the top left) that no open window's
// corner takes is used, moved in from the right and bottom edges. When that
// would cover `keep` (the opener's button; empty for none), the window goes
// beside, below, before or above it instead, made smaller down to `minimum`
// where needed, taking the largest such place; when none fits it stays at the
// cascade position.
QRect PlaceChild(QSize area, QSize preferred, QSize minimum, const std::vector<QPoint>& taken,
                 int step, QRect keep);

// What must stay visible of the window a new child is opened from: the button
// just clicked or pressed, in the area's coordinates; empty when the active
// child has none.
QRect OpenerButton(QMdiArea* area);

// Starts remembering which button the user pressed last (once per run).
void TrackPressedButtons();

// Puts the window, already added to the area and shown, where PlaceChild says.
void PlaceChildWindow(QMdiArea* area, QMdiSubWindow* window, QSize preferred, QSize minimum,
                      QRect keep);
