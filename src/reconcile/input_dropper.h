#pragma once

#include <QObject>

namespace corvane::reconcile {

// For as long as it lives, user input (keys, mouse, wheel, context menus) meant
// for any window but a modal dialog is swallowed. A command that keeps the
// window alive while it runs lets every pending event run (KeepAlive): what the
// user typed or clicked meanwhile is thereby dropped at once, never queued and
// replayed on the grids the command has changed. A message box the command
// shows is modal and receives its input as usual.
class InputDropper : public QObject {
 public:
  InputDropper();
  ~InputDropper() override;

  // Lets pending window events run: repaints, timers, and input, which is dropped.
  static void KeepAlive();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace corvane::reconcile
