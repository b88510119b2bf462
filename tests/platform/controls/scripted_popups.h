#pragma once

#include "platform/services/modal_runner.h"

#include <QDialog>
#include <functional>

namespace corvane::platform::testing {

// Runs the pop-ups that the controls open through the modal runner: the step gets
// the dialog while it is shown and may press its keys or pick its date. A dialog
// still open after the step is closed as Esc would.
class ScriptedPopups : public ModalRunner {
 public:
  explicit ScriptedPopups(std::function<void(QDialog&)> step) : step_(std::move(step)) { Install(this); }
  ~ScriptedPopups() override { Install(nullptr); }
  int Run(QDialog& dialog) override {
    ++runs_;
    dialog.setResult(QDialog::Rejected);
    dialog.setAttribute(Qt::WA_DontShowOnScreen, true);
    dialog.show();
    step_(dialog);
    if (dialog.isVisible()) dialog.reject();
    return dialog.result();
  }
  int Runs() const { return runs_; }

 private:
  std::function<void(QDialog&)> step_;
  int runs_ = 0;
};

}  // namespace corvane::platform::testing
