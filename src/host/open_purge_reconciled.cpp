#include "host/open_purge_reconciled.h"

#include "balance/frm_yhzhx.h"
#include "platform/services/modal_runner.h"
#include "shared/function_claim.h"
#include "shared/session.h"

namespace corvane::host {

void OpenPurgeReconciled() {
  const QString functionId =
      shared::Session::Current().BookMode() ? QStringLiteral("RP0308") : QStringLiteral("GL040706");
  if (!shared::ClaimFunction(functionId, true)) return;
  {
    balance::frmYHZHX window;
    platform::RunModal(window);
  }
  shared::ClaimFunction(functionId, false);
}

}  // namespace corvane::host
