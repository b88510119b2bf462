#include "shared/screen_placement.h"

#include "platform/controls/grid_base.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace corvane::shared {

namespace {

// The room a window manager's decoration takes before the window has one of its own.
constexpr QMargins kUnknownFrame(4, 30, 4, 4);
const char* const kPlacedProperty = "corvanePlacedOnScreen";

QWidget* AnchorOf(QWidget* window) {
  if (QWidget* parent = window->parentWidget()) return parent->window();
  QWidget* active = QApplication::activeWindow();
  return active != window ? active : nullptr;
}

QMargins FrameMargins(const QWidget* w) {
  if (!w || !w->isVisible()) return kUnknownFrame;
  const QRect outer = w->frameGeometry();
  const QRect inner = w->geometry();
  return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                  outer.bottom() - inner.bottom());
}

bool IsPlacedWindow(const QWidget* w) {
  if (!w->isWindow()) return false;
  switch (w->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Tool:
      return true;
    default:
      return false;  // popups, tool tips, splash screens and desktop widgets place themselves
  }
}

class PlacementFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
      auto* w = static_cast<QWidget*>(watched);
      if (IsPlacedWindow(w) && !w->property(kPlacedProperty).toBool()) {
        w->setProperty(kPlacedProperty, true);
        PlaceInsideScreen(w);
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

QRect PlacedFrame(const QRect& frame, const QRect& area, const QRect& anchor) {
  if (!area.isValid()) return frame;
  QRect placed(frame.topLeft(), frame.size().boundedTo(area.size()));
  if (anchor.isValid()) placed.moveCenter(anchor.center());
  placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() + 1 - placed.width()));
  placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() + 1 - placed.height()));
  return placed;
}

int GridWidthForColumns(const platform::GridBase& grid) {
  int columns = 0;
  for (int c = 0; c < grid.Cols(); ++c) columns += grid.ColumnPixels(grid.ColWidth(c));
  return columns + grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
}

void WidenWindow(QWidget* window, int width) {
  if (width <= window->width()) return;
  window->resize(width, window->height());
  if (window->isVisible()) PlaceInsideScreen(window);
}

void PlaceInsideScreen(QWidget* window) {
  if (!window || !window->isWindow()) return;
  if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) return;
  QWidget* anchor = AnchorOf(window);
  QScreen* screen = anchor ? anchor->screen() : window->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  // Before its first mapping a window has no frame yet: its parent's tells the size.
  QMargins margins = FrameMargins(window);
  if (margins.isNull() || !window->isVisible()) margins = FrameMargins(anchor);
  const QRect frame = window->geometry().marginsAdded(margins);
  // A window that placed itself (or was placed by Qt over its parent) stays
  // where it is as far as the screen allows; the others go over their parent.
  const bool placed = window->testAttribute(Qt::WA_Moved);
  QRect anchorFrame;
  if (!placed) anchorFrame = anchor ? anchor->frameGeometry() : screen->availableGeometry();
  const QRect target = PlacedFrame(frame, screen->availableGeometry(), anchorFrame);
  const QSize inner = target.marginsRemoved(margins).size();
  if (inner != window->size()) window->resize(inner.expandedTo(window->minimumSize()));
  window->move(target.topLeft());
}

void PlaceWindowsInsideScreen() {
  static PlacementFilter* filter = nullptr;
  if (filter || !qApp) return;
  filter = new PlacementFilter(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace corvane::shared
