#pragma once

#include "platform/controls/grid_base.h"
#include "platform/controls/grid_view.h"
#include "platform/controls/toolbar_host.h"

#include <QApplication>
#include <QString>
#include <QTest>
#include <QToolBar>

namespace corvane::testing {

// Types text key by key into whatever holds the focus, as a user at the keyboard
// does (on a grid the first key opens the current cell's editor). False when no
// widget holds the focus (the window is not active).
inline bool TypeKeys(const QString& text) {
  for (QChar ch : text) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return false;
    QTest::keyClick(focus, ch.toLatin1());
  }
  return true;
}

// The same, then presses `end`.
inline bool TypeAsUser(const QString& text, Qt::Key end = Qt::Key_Return,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  if (!TypeKeys(text)) return false;
  QWidget* focus = QApplication::focusWidget();
  if (!focus) return false;
  QTest::keyClick(focus, end, modifiers);
  return true;
}

// Clicks the cell of column col in the row the grid's cursor is on, or in the
// shown row that many rows below it.
inline void ClickCell(platform::GridBase& grid, int col, int rowsBelow = 0) {
  QAbstractItemView* view = grid.View();
  const QModelIndex cell = view->model()->index(view->currentIndex().row() + rowsBelow, col);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
}

// Clicks a toolbar button with the mouse, as the user does, and lets the events
// that follow the click run. False when the button is not on the toolbar.
inline bool ClickToolButton(const platform::ToolbarHost& bar, const QString& key) {
  QWidget* button = bar.ToolBar()->widgetForAction(bar.Button(key));
  if (!button || !button->isVisible()) return false;
  QTest::mouseClick(button, Qt::LeftButton);
  QCoreApplication::processEvents();
  return true;
}

// Shows the window and waits until it is the active one, so keys reach it. A
// dialog the scripted modal runner keeps off the screen is put on it.
inline bool ShowActive(QWidget& window) {
  if (window.testAttribute(Qt::WA_DontShowOnScreen)) {
    window.hide();
    window.setAttribute(Qt::WA_DontShowOnScreen, false);
  }
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

}  // namespace corvane::testing
