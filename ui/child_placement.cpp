#include "ui/child_placement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>

namespace
{
// Moves the rectangle in from the right and bottom edges, then the left and top.
QRect MoveInside(QRect rect, QSize area)
{
  rect.moveLeft(std::max(0, std::min(rect.left(), area.width() - rect.width())));
  rect.moveTop(std::max(0, std::min(rect.top(), area.height() - rect.height())));
  return rect;
}

bool Inside(const QRect& rect, QSize area)
{
  return rect.left() >= 0 && rect.top() >= 0 && rect.right() < area.width() &&
         rect.bottom() < area.height();
}
} // namespace

QRect PlaceChild(QSize area, QSize preferred, QSize minimum, const std::vector<QPoint>& taken,
                 int step, QRect keep)
{
  const QSize size = preferred.boundedTo(area).expandedTo(minimum);
  step = std::max(step, 1);
  // The cascade: the first free corner along the diagonal that leaves the
  // window inside the area, else the top left.
  QPoint corner(0, 0);
  for (int k = 0; k * step + size.width() <= area.width() && k * step + size.height() <= area.height();
       ++k)
  {
    const QPoint p(k * step, k * step);
    if (std::find(taken.begin(), taken.end(), p) == taken.end())
    {
      corner = p;
      break;
    }
  }
  const QRect cascade = MoveInside(QRect(corner, size), area);
  if (keep.isEmpty() || !cascade.intersects(keep))
    return cascade;

  // Beside, below, before and above the button, as large as there is room for.
  const int gap = 1;
  const int roomRight = area.width() - (keep.right() + 1 + gap);
  const int roomBelow = area.height() - (keep.bottom() + 1 + gap);
  const int roomLeft = keep.left() - gap;
  const int roomAbove = keep.top() - gap;
  const QSize wide(std::min(size.width(), roomRight), size.height());
  const QSize tallBelow(size.width(), std::min(size.height(), roomBelow));
  const QSize wideLeft(std::min(size.width(), roomLeft), size.height());
  const QSize tallAbove(size.width(), std::min(size.height(), roomAbove));
  const QRect candidates[] = {
    MoveInside(QRect(QPoint(keep.right() + 1 + gap, cascade.top()), wide), area),
    MoveInside(QRect(QPoint(cascade.left(), keep.bottom() + 1 + gap), tallBelow), area),
    MoveInside(QRect(QPoint(roomLeft - wideLeft.width(), cascade.top()), wideLeft), area),
    MoveInside(QRect(QPoint(cascade.left(), roomAbove - tallAbove.height()), tallAbove), area),
  };
  QRect best;
  for (const QRect& rect : candidates)
  {
    if (rect.width() < minimum.width() || rect.height() < minimum.height() ||
        !Inside(rect, area) || rect.intersects(keep))
      continue;
    if (best.isNull() || rect.width() * rect.height() > best.width() * best.height())
      best = rect;
  }
  return best.isNull() ? cascade : best;
}

namespace
{
// Remembers the button the user last pressed, by mouse or keyboard. A
// button's own click may disable it and so move the focus away before the
// window it opens is placed.
class CPressedButton : public QObject
{
public:
  using QObject::QObject;
  QPointer<QAbstractButton> mButton;

  bool eventFilter(QObject* watched, QEvent* event) override
  {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress || type == QEvent::Shortcut)
      if (auto* button = qobject_cast<QAbstractButton*>(watched))
        mButton = button;
    return false;
  }
};

QPointer<CPressedButton> gPressed;
} // namespace

void TrackPressedButtons()
{
  if (gPressed || !qApp)
    return;
  gPressed = new CPressedButton(qApp);
  qApp->installEventFilter(gPressed);
}

QRect OpenerButton(QMdiArea* area)
{
  QMdiSubWindow* opener = area ? area->activeSubWindow() : nullptr;
  if (!opener || opener->isMaximized())
    return {};
  QAbstractButton* button = gPressed ? gPressed->mButton.data() : nullptr;
  if (!button || !opener->isAncestorOf(button))
    button = qobject_cast<QAbstractButton*>(opener->focusWidget());
  if (!button || !button->isVisible())
    return {};
  return QRect(button->mapTo(area->viewport(), QPoint(0, 0)), button->size());
}

void PlaceChildWindow(QMdiArea* area, QMdiSubWindow* window, QSize preferred, QSize minimum,
                      QRect keep)
{
  if (!area || !window || window->isMaximized())
    return;
  std::vector<QPoint> taken;
  for (QMdiSubWindow* other : area->subWindowList())
    if (other != window && other->isVisible() && !other->isMinimized())
      taken.push_back(other->pos());
  // One title bar down and across for each window of the cascade.
  const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
  window->setGeometry(
    PlaceChild(area->viewport()->size(), preferred, minimum, taken, step, keep));
}
