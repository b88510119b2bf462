#include "platform/services/common_services.h"
#include "shared/account_facts.h"
#include "shared/frm_yhkmxz.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "statement/frm_yhdzd.h"

namespace corvane::statement {

using shared::GetResString;
using shared::Session;

void frmYHDZD::KeepSelectionDialog() {
  // The dialog hides on Cancel rather than unloading while this window lives, so
  // that F7 can show it again as the user left it.
  shared::frmYHKMXZ::Instance().MeUsedFlag = true;
}

void frmYHDZD::ChooseAgain() {
  Session& s = Session::Current();
  const bool book = s.BookMode();
  shared::frmYHKMXZ& dialog = shared::frmYHKMXZ::Instance();
  // A close box unloads the dialog whatever the flag says; a fresh one is kept again.
  dialog.MeUsedFlag = true;
  if (dialog.PrepareForStatement() == 0) {
    shared::ShowMsgBox(GetResString(book ? QStringLiteral("corvane.statement.nobooks")
                                         : QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03526")),
                       0, GetResString(shared::kTitleKey));
    return;
  }
  if (!dialog.ShowModal()) return;
  const platform::ParamObject& choice = s.Common().GetParamObject();
  const QString code = choice.Value1.trimmed();
  const QDate start = shared::GetStartDate(book ? choice.Value4.trimmed() : code);
  // The row being keyed belongs to what is shown now: it is kept (or dropped)
  // by the usual leave-row rule before anything else is loaded.
  if (!SettleCurrentRow()) return;
  // The account lock follows the window onto another account; refused, the
  // window stays on the one it holds.
  if (!heldCode_.isEmpty() && code.compare(heldCode_, Qt::CaseInsensitive) != 0) {
    if (!s.Common().LockAccount(code, true, heldFunction_)) return;
    s.Common().LockAccount(heldCode_, false);
    heldCode_ = code;
  }
  LoadData(code, start);
}

}  // namespace corvane::statement
