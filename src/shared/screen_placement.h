#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace corvane::platform {
class GridBase;
}

namespace corvane::shared {

// Where a window of the given outer frame goes so that all of it is on the screen:
// no larger than the available area, centred on the anchor frame (its parent
// window) when there is one, and pulled inside the area. The frame includes the
// window manager's title bar and borders.
QRect PlacedFrame(const QRect& frame, const QRect& area, const QRect& anchor);

// Places a top-level window inside the available area of the screen its parent
// window (else the active window, else its own) is on: larger than the area it is
// made smaller; a window nobody has placed yet is centred on that parent.
void PlaceInsideScreen(QWidget* window);

// The width a grid needs to show every column at its width: the columns, the
// view's frame and its vertical scroll bar.
int GridWidthForColumns(const platform::GridBase& grid);

// A window narrower than width widens to it (a wider one keeps its size); one
// already shown is then kept inside the screen.
void WidenWindow(QWidget* window, int width);

// From now on every top-level window of the application (message boxes and the
// help window included) is placed so as its first showing; a window the user moved
// later keeps its place. Popups, menus and tool tips place themselves.
void PlaceWindowsInsideScreen();

}  // namespace corvane::shared
