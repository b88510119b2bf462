#include "platform/services/modal_runner.h"

#include <QDialog>

namespace corvane::platform {

namespace {
ModalRunner* g_installed = nullptr;
}

ModalRunner& ModalRunner::Current() {
  static ExecModalRunner execRunner;
  return g_installed ? *g_installed : execRunner;
}

void ModalRunner::Install(ModalRunner* runner) { g_installed = runner; }

int ExecModalRunner::Run(QDialog& dialog) { return dialog.exec(); }

int RunModal(QDialog& dialog) { return ModalRunner::Current().Run(dialog); }

}  // namespace corvane::platform
