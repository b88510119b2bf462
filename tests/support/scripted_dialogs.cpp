#include "scripted_dialogs.h"

#include <QDialog>

namespace corvane::testing {

ScriptedMessages::ScriptedMessages() { platform::MessagePresenter::Install(this); }

ScriptedMessages::~ScriptedMessages() { platform::MessagePresenter::Install(nullptr); }

int ScriptedMessages::Present(const platform::MessageRequest& request) {
  shown_.push_back(request);
  if (!answers_.empty()) {
    const auto [answer, meanwhile] = answers_.front();
    answers_.pop_front();
    if (meanwhile) meanwhile();
    return answer;
  }
  const bool secondDefault = (request.buttons & 256) != 0;
  switch (request.buttons & 0x7) {
    case 1: return secondDefault ? 2 : 1;
    case 3: case 4: return secondDefault ? 7 : 6;
    default: return 1;
  }
}

ScriptedModals::ScriptedModals() { platform::ModalRunner::Install(this); }

ScriptedModals::~ScriptedModals() { platform::ModalRunner::Install(nullptr); }

int ScriptedModals::Run(QDialog& dialog) {
  shown_.push_back(dialog.objectName());
  dialog.setResult(QDialog::Rejected);
  if (!steps_.empty()) {
    Step step = std::move(steps_.front());
    steps_.pop_front();
    // The dialog counts as shown while its step runs, as it would under exec().
    dialog.setAttribute(Qt::WA_DontShowOnScreen, true);
    dialog.show();
    step(dialog);
    if (dialog.isVisible()) dialog.reject();
  }
  return dialog.result();
}

}  // namespace corvane::testing
