#include "host/open_bank_statement.h"
#include "host/opener_steps.h"

#include "platform/db/db_connection.h"
#include "shared/account_facts.h"
#include "shared/frm_yhkmxz.h"
#include "shared/function_claim.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "statement/frm_yhdzd.h"

#include <exception>

namespace corvane::host {

using shared::GetResString;
using shared::Session;

namespace {

// Settlement styles must exist before lines can be keyed; then something to choose.
bool PrepareSelection(shared::frmYHKMXZ& dialog) {
  Session& s = Session::Current();
  if (s.Db().QueryValue(QStringLiteral("select count(*) from settlestyle")).ToInt() == 0) {
    shared::ShowResMessage(0, QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03529"));
    return false;
  }
  if (dialog.PrepareForStatement() > 0) return true;
  shared::ShowResMessage(0, s.BookMode() ? QStringLiteral("corvane.statement.nobooks") : QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03526"));
  return false;
}

}  // namespace

QString BankStatementFunctionId() {
  return Session::Current().BookMode() ? QStringLiteral("GL040701") : QStringLiteral("GL040702");
}

void OpenBankStatement() {
  Session& s = Session::Current();
  if (BringToFront(s.windows.Find<statement::frmYHDZD>())) return;
  const QString functionId = BankStatementFunctionId();
  QString code;
  QDate start;
  try {
    shared::frmYHKMXZ& dialog = shared::frmYHKMXZ::Instance();
    if (!PrepareSelection(dialog)) return;
    if (!dialog.ShowModal()) return;
    const platform::ParamObject& choice = s.Common().GetParamObject();
    code = choice.Value1.trimmed();
    // The start date belongs to the book in book mode, to the account otherwise.
    start = shared::GetStartDate(s.BookMode() ? choice.Value4.trimmed() : code);
    if (!ClaimAndLock(functionId, code)) return;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return;
  }
  statement::frmYHDZD& window = s.windows.Get<statement::frmYHDZD>();
  window.SetHeld(functionId, code);
  window.show();
  window.LoadData(code, start);
}

}  // namespace corvane::host
