#include "host/opener_steps.h"

#include "platform/services/common_services.h"
#include "shared/function_claim.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/wait_window.h"

#include <QWidget>

namespace corvane::host {

using shared::GetResString;
using shared::Session;

bool BringToFront(QWidget* open) {
  if (!open) return false;
  open->show();
  open->raise();
  open->activateWindow();
  return true;
}

bool ClaimAndLock(const QString& functionId, const QString& account) {
  if (!shared::ClaimFunction(functionId, true)) return false;
  if (Session::Current().Common().LockAccount(account, true, functionId)) return true;
  shared::ClaimFunction(functionId, false);
  return false;
}

void RefuseNothingToChoose(const QString& bookKey) {
  Session& s = Session::Current();
  if (s.BookMode()) {
    shared::ShowMsgBox(GetResString(bookKey), 0, s.Cash().GetMessageTitle());
  } else {
    shared::ShowResMessage(0, QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03526"));
  }
}

void ShowFailure(const std::exception& e) {
  shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kTitleKey));
}

WaitScope::WaitScope(const QString& text) { shared::ShowWait(text); }
WaitScope::~WaitScope() { shared::HideWait(); }

}  // namespace corvane::host
