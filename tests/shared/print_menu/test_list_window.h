#pragma once

#include "shared/right_menu.h"

#include <QStringList>
#include <QWidget>

namespace corvane::shared {

// A list window with some of the commands a right-click menu reaches by name,
// declared both ways a window may declare them. It has no rLock.
class TestListWindow : public QWidget {
  Q_OBJECT

 public:
  QStringList calls;
  bool unloadOnExit = false;

  Q_INVOKABLE void rFilt() { calls << QStringLiteral("rFilt"); }
  Q_INVOKABLE void rRef() { calls << QStringLiteral("rRef"); }
  Q_INVOKABLE void rCheck() { calls << QStringLiteral("rCheck"); }

 public slots:
  void rBankCheck() { calls << QStringLiteral("rBankCheck"); }
  void rBankUnCheck() { calls << QStringLiteral("rBankUnCheck"); }
  void rHelp() { calls << QStringLiteral("rHelp"); }
  void rExit() {
    calls << QStringLiteral("rExit");
    gUnloadAfterMenu = unloadOnExit;
  }
};

}  // namespace corvane::shared
