#include "host/open_reconciliation.h"
#include "host/opener_steps.h"

#include "platform/services/object_factory.h"
#include "platform/services/ui_style_service.h"
#include "reconcile/frm_yhdz.h"
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

// The accounts the user may read: a comma-separated list, empty for all. The
// rights service is made anew for every opening, so rights changed since the
// last one apply.
QString AllowedAccounts() {
  Session& s = Session::Current();
  auto rights = platform::ObjectFactory::Instance().CreateRightsService();
  int initResult = 0;
  rights->Init(s.Db().GetConnectionString(), s.gLogin->GetSessionText2(), 0, 0, initResult);
  QString list;
  rights->GetAllowedList(QStringLiteral("code"), 0, QStringLiteral("R"), list);
  return list;
}

// Fills the selection dialog; false (after the message) when there is nothing to choose.
bool PrepareSelection(shared::frmYHKMXZ& dialog) {
  const bool found = Session::Current().BookMode() ? dialog.PrepareForReconciliation() > 0
                                                   : dialog.PrepareForReconciliation(AllowedAccounts()) > 0;
  if (!found) RefuseNothingToChoose(QStringLiteral("corvane.reconcile.nobook"));
  return found;
}

}  // namespace

QString ReconciliationFunctionId() {
  return Session::Current().BookMode() ? QStringLiteral("RP0305") : QStringLiteral("GL040703");
}

void OpenReconciliation() {
  Session& s = Session::Current();
  if (BringToFront(s.windows.Find<reconcile::frmYHDZ>())) return;
  const QString functionId = ReconciliationFunctionId();
  QString code;
  bool includeTicked = false;
  try {
    shared::frmYHKMXZ& dialog = shared::frmYHKMXZ::Instance();
    if (!PrepareSelection(dialog)) return;
    if (!dialog.ShowModal()) return;
    const platform::ParamObject& choice = s.Common().GetParamObject();
    code = choice.Value1.trimmed();
    includeTicked = choice.ShowMode == 1;
    if (!ClaimAndLock(functionId, code)) return;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return;
  }
  reconcile::frmYHDZ& window = s.windows.Get<reconcile::frmYHDZ>();
  window.SetHeld(functionId, code);
  window.show();
  shared::ShowWait(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03543")));
  window.LoadData(code, includeTicked);
  shared::HideWait();
  window.Picture2()->setFocus();
}

}  // namespace corvane::host
