#include "scripted_popups.h"

namespace corvane::platform::testing {

ScriptedPopups::ScriptedPopups(Step step) : step_(std::move(step)) { ModalRunner::Install(this); }

ScriptedPopups::~ScriptedPopups() { ModalRunner::Install(nullptr); }

int ScriptedPopups::Run(QDialog& dialog) {
  ++runs_;
  dialog.setResult(QDialog::Rejected);
  dialog.setAttribute(Qt::WA_DontShowOnScreen, true);
  dialog.show();
  if (step_) step_(dialog);
  if (dialog.isVisible()) dialog.reject();
  return dialog.result();
}

}  // namespace corvane::platform::testing
