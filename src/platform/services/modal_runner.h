#pragma once

class QDialog;

namespace corvane::platform {

// Shows a window modally. Every modal window of the component is shown through
// the current runner, so tests can fill and confirm dialogs without a person.
class ModalRunner {
 public:
  virtual ~ModalRunner() = default;
  // Shows the dialog and returns when it has closed; gives QDialog's result code.
  virtual int Run(QDialog& dialog) = 0;

  static ModalRunner& Current();
  // Installs a runner (not owned); nullptr restores the plain exec().
  static void Install(ModalRunner* runner);
};

// QDialog::exec().
class ExecModalRunner : public ModalRunner {
 public:
  int Run(QDialog& dialog) override;
};

// Shows a dialog through the current runner.
int RunModal(QDialog& dialog);

}  // namespace corvane::platform
