#include "fake_services.h"

#include "platform/services/message_presenter.h"
#include "suite/print/sqlite_print_work_db.h"

namespace corvane::testing {

platform::PrintWorkDb* FakeCommonServices::GetPrintWorkDb() {
  if (!workDb) {
    workDir = std::make_unique<QTemporaryDir>();
    workDb = std::make_unique<suite::SqlitePrintWorkDb>(workDir->filePath(QStringLiteral("printwork.db")));
  }
  return workDb.get();
}

int FakeCashServices::ShowMessage(const QString& prompt, int buttons, const QString& title, const QString& helpFile,
                                  int context) {
  return platform::MessagePresenter::Current().Show({prompt, buttons, title, helpFile, context});
}

}  // namespace corvane::testing
