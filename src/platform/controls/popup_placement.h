#pragma once

#include <QPoint>

class QWidget;

namespace corvane::platform {

// Moves a pop-up window so that its top-left corner sits right under a text box
// (plus an offset in pixels), kept on the box's screen.
void PlacePopupUnder(QWidget* popup, const QWidget* box, const QPoint& offset = QPoint());

}  // namespace corvane::platform
