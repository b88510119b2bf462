#include "host/open_purge_reconciled.h"
#include "host/opener_steps.h"

#include "balance/frm_yhzhx.h"
#include "platform/services/modal_runner.h"
#include "shared/function_claim.h"
#include "shared/session.h"

#include <exception>

namespace corvane::host {

void OpenPurgeReconciled() {
  const QString functionId =
      shared::Session::Current().BookMode() ? QStringLiteral("RP0308") : QStringLiteral("GL040706");
  // A claim or release that waited out another session's write is said and the
  // session goes on. A release that failed leaves the host's record until this
  // session claims the function again (granted as its own) or ends.
  try {
    if (!shared::ClaimFunction(functionId, true)) return;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return;
  }
  {
    balance::frmYHZHX window;
    platform::RunModal(window);
  }
  try {
    shared::ClaimFunction(functionId, false);
  } catch (const std::exception& e) {
    ShowFailure(e);
  }
}

}  // namespace corvane::host
