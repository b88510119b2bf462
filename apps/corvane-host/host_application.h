#pragma once

#include <QApplication>

// The host's application object. It is the last guard of the session: an
// exception thrown inside a window's command or event (a click, a key, a timer)
// and not handled by the window itself ends that one event only. The user is
// told what failed, and every window stays open with what was typed in it.
class HostApplication : public QApplication {
  Q_OBJECT

 public:
  HostApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};
