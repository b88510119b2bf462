#include "host/open_bank_recon_opening.h"
#include "host/opener_steps.h"

#include "opening/frm_yhdzqc.h"
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

bool TableHasRows(const QString& table) {
  return !Session::Current().Db().QueryValue(QStringLiteral("select 1 from %1 limit 1").arg(table)).IsNull();
}

// The base data the set-up needs and the list to choose from; false after the message.
bool PrepareSelection(shared::frmYHKMXZ& dialog) {
  Session& s = Session::Current();
  if (!TableHasRows(QStringLiteral("settlestyle"))) {
    shared::ShowResMessage(0, QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03529"));
    return false;
  }
  if (!s.BookMode() && !TableHasRows(QStringLiteral("dsign"))) {
    shared::ShowResMessage(0, QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03531"));
    return false;
  }
  if (dialog.PrepareForOpening() > 0) return true;
  shared::ShowResMessage(0, s.BookMode() ? QStringLiteral("corvane.opening.nobook") : QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03526"));
  return false;
}

}  // namespace

QString OpeningFunctionId() {
  return Session::Current().BookMode() ? QStringLiteral("RP0303") : QStringLiteral("GL040701");
}

void OpenBankReconOpening() {
  Session& s = Session::Current();
  const QString functionId = OpeningFunctionId();
  opening::OpeningTarget target;
  try {
    shared::frmYHKMXZ& dialog = shared::frmYHKMXZ::Instance();
    if (!PrepareSelection(dialog)) return;
    if (!dialog.ShowModal()) return;
    const platform::ParamObject& choice = s.Common().GetParamObject();
    target.accountCode = choice.Value1.trimmed();
    target.bookMode = s.BookMode();
    if (target.bookMode) target.bookCode = choice.Value4.trimmed();
    if (!ClaimAndLock(functionId, target.accountCode)) return;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return;
  }
  opening::frmYHDZQC& window = s.windows.Get<opening::frmYHDZQC>();
  window.SetHeld(functionId);
  shared::ShowWait(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03535")));
  const bool loaded = window.LoadData(target);
  shared::HideWait();
  // A load that failed has said why; the window does not open, and closing it
  // gives back the account and the function.
  if (!loaded) {
    window.reject();
    return;
  }
  window.ShowModal();
}

}  // namespace corvane::host
