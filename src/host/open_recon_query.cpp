#include "host/open_recon_query.h"
#include "host/opener_steps.h"

#include "query/frm_yhdzcx.h"
#include "shared/frm_yhkmxz.h"
#include "shared/function_claim.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/wait_window.h"

#include <exception>

namespace corvane::host {

using shared::GetResString;
using shared::Session;

namespace {

// No bank account and no bank book are said alike: the missing bank account
// message under the usual title, in both modes.
bool PrepareSelection(shared::frmYHKMXZ& dialog) {
  if (dialog.PrepareForQuery() > 0) return true;
  shared::ShowResMessage(0, QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03526"));
  return false;
}

}  // namespace

QString ReconQueryFunctionId() {
  return Session::Current().BookMode() ? QStringLiteral("RP0307") : QStringLiteral("GL040705");
}

void OpenReconQuery() {
  Session& s = Session::Current();
  if (BringToFront(s.windows.Find<query::frmYHDZCX>())) return;
  const QString functionId = ReconQueryFunctionId();
  QString locked;
  int showMode = 0;
  try {
    shared::frmYHKMXZ& dialog = shared::frmYHKMXZ::Instance();
    if (!PrepareSelection(dialog)) return;
    if (!dialog.ShowModal()) return;
    const platform::ParamObject& choice = s.Common().GetParamObject();
    showMode = choice.ShowMode;
    // Only book mode locks: the book's account, under the function's id.
    if (s.BookMode()) {
      const QString account = choice.Value1.trimmed();
      if (!ClaimAndLock(functionId, account)) return;
      locked = account;
    } else if (!shared::ClaimFunction(functionId, true)) {
      return;
    }
  } catch (const std::exception& e) {
    ShowFailure(e);
    return;
  }
  query::frmYHDZCX* window = nullptr;
  {
    WaitScope wait(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03547")));
    window = &s.windows.Get<query::frmYHDZCX>();
    window->SetHeld(functionId, locked);
    window->Smode = static_cast<quint8>(showMode);
    window->Form_Load();
  }
  window->show();
  window->Picture2()->setFocus();
}

}  // namespace corvane::host
