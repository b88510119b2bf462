#include "platform/db/db_connection.h"
#include "platform/services/common_services.h"
#include "platform/services/folder_settings.h"
#include "platform/services/modal_runner.h"
#include "platform/services/statement_import.h"
#include "shared/account_facts.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "statement/frm_nb_import_cond.h"
#include "statement/frm_yhdzd.h"

namespace corvane::statement {

using shared::Session;

// The importer writes with its own connection; the window then loads again what
// it showed (its own snapshot, not whatever the shared parameters hold now).
void frmYHDZD::ImportStatement() {
  if (!SettleCurrentRow()) return;
  Session& s = Session::Current();
  auto importer = platform::StatementImportFactory::Instance().CreateImporter();
  importer->SetConnectionString(s.Db().GetConnectionString());
  importer->SetAccountCode(context_.accountCode);
  importer->SetBookCode(context_.bookMode ? context_.bookCode : QString());
  const QString code = context_.bookMode ? context_.bookCode : context_.accountCode;
  importer->SetAccountFacts(context_.bookMode ? s.Cash().GetBook(code).BankAccountNo : QString(),
                            s.Cash().TranslateCurrency(shared::GetCurrencyName(code), 0));
  importer->SetDateLimits(context_.DateLimits());
  importer->SetSessionText(s.Common().GetSessionInfo().ReportText);
  importer->SetHelpFile(s.Common().GetHelpSettings().HelpFile());
  if (importer->Run()) Reload();
}

void frmYHDZD::ImportNetBankStatement() {
  if (!context_.bookMode) return;
  if (!SettleCurrentRow()) return;
  frmNBImportCond dialog(context_.bookCode, context_.DateLimits(), this);
  platform::RunModal(dialog);
  if (dialog.bolConfirm) Reload();
}

}  // namespace corvane::statement
