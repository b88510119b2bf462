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
  using Step = std::function<void(QDialog&)>;
  explicit ScriptedPopups(Step step);
  ~ScriptedPopups() override;
  int Run(QDialog& dialog) override;
  int Runs() const { return runs_; }

 private:
  Step step_;
  int runs_ = 0;
};

}  // namespace corvane::platform::testing
