#include "host/open_balance_statement.h"
#include "host/opener_steps.h"

#include "balance/frm_yetjb.h"
#include "shared/function_claim.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/wait_window.h"

#include <exception>

namespace corvane::host {

using shared::Session;

void OpenBalanceStatement() {
  Session& s = Session::Current();
  if (BringToFront(s.windows.Find<balance::frmYETJB>())) return;
  const QString functionId = s.BookMode() ? QStringLiteral("RP0306") : QStringLiteral("GL040704");
  // A claim that waited out another session's write holds nothing: said, and no window.
  try {
    if (!shared::ClaimFunction(functionId, true)) return;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return;
  }
  shared::ShowWait(shared::GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03549")));
  balance::frmYETJB& window = s.windows.Get<balance::frmYETJB>();
  window.SetHeldFunction(functionId);
  window.show();
  // The load hides the wait window, and a load that fails closes the window,
  // which gives the function back.
  window.LoadData();
}

}  // namespace corvane::host
