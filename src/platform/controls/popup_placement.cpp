#include "platform/controls/popup_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace corvane::platform {

void PlacePopupUnder(QWidget* popup, const QWidget* box, const QPoint& offset) {
  if (!popup || !box) return;
  popup->adjustSize();
  QPoint at = box->mapToGlobal(QPoint(0, box->height())) + offset;
  if (const QScreen* screen = box->screen()) {
    const QRect area = screen->availableGeometry();
    // Near the bottom of the screen the pop-up opens above the box instead.
    if (at.y() + popup->height() > area.bottom()) at.setY(box->mapToGlobal(QPoint(0, 0)).y() - popup->height());
    at.setX(std::max(area.left(), std::min(at.x(), area.right() - popup->width())));
    at.setY(std::max(area.top(), at.y()));
  }
  popup->move(at);
}

}  // namespace corvane::platform
