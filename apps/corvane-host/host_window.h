#pragma once

#include <QMainWindow>
#include <functional>

class QLabel;

namespace corvane::host {
class clsProductFacade;
}

// What the host window shows of the session.
struct HostSessionInfo {
  QString subtitle;           // user, account set and login date
  bool bookMode = false;      // the mode this session runs in
  bool modeForThisRun = false;  // chosen on the command line, not the saved setting
  bool savedBookMode = false;   // the account set's saved choice
};

// The suite's shell around the component: one button per function, each calling
// the component's CallFunction with its menu id; the session's mode; the account
// set's saved mode as a visible setting; help (menu and F1) at the index.
class HostWindow : public QMainWindow {
  Q_OBJECT

 public:
  // saveBookMode stores the account set's choice; false when it could not.
  HostWindow(corvane::host::clsProductFacade& facade, const HostSessionInfo& info,
             std::function<bool(bool)> saveBookMode);

  QString ModeText() const;

 private:
  void BuildMenus(const HostSessionInfo& info);

  corvane::host::clsProductFacade& facade_;
  std::function<bool(bool)> saveBookMode_;
  QLabel* mode_ = nullptr;
};
