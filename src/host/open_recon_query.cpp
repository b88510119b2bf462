#include "host/open_recon_query.h"

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

// The wait window comes down however the opening ends.
class WaitScope {
 public:
  explicit WaitScope(const QString& text) { shared::ShowWait(text); }
  ~WaitScope() { shared::HideWait(); }
};

bool PrepareSelection(shared::frmYHKMXZ& dialog) {
  Session& s = Session::Current();
  if (dialog.PrepareForQuery() > 0) return true;
  if (s.BookMode()) {
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.query.nobook")), 0, s.Cash().GetMessageTitle());
  } else {
    shared::ShowMsgBox(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03526")), 0, GetResString(shared::kTitleKey));
  }
  return false;
}

}  // namespace

QString ReconQueryFunctionId() {
  return Session::Current().BookMode() ? QStringLiteral("RP0307") : QStringLiteral("GL040705");
}

void OpenReconQuery() {
  Session& s = Session::Current();
  if (auto* open = s.windows.Find<query::frmYHDZCX>()) {
    open->show();
    open->raise();
    open->activateWindow();
    return;
  }
  const QString functionId = ReconQueryFunctionId();
  QString locked;
  int showMode = 0;
  try {
    shared::frmYHKMXZ& dialog = shared::frmYHKMXZ::Instance();
    if (!PrepareSelection(dialog)) return;
    if (!dialog.ShowModal()) return;
    const platform::ParamObject& choice = s.Common().GetParamObject();
    showMode = choice.ShowMode;
    if (!shared::ClaimFunction(functionId, true)) return;
    // Only book mode locks: the book's account, under the function's id.
    if (s.BookMode()) {
      const QString account = choice.Value1.trimmed();
      if (!s.Common().LockAccount(account, true, functionId)) {
        shared::ClaimFunction(functionId, false);
        return;
      }
      locked = account;
    }
  } catch (const std::exception& e) {
    shared::ShowMsgBox(QString::fromUtf8(e.what()), 16, GetResString(shared::kTitleKey));
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
