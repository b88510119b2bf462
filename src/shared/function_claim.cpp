#include "shared/function_claim.h"

#include "shared/messages.h"
#include "shared/session.h"

namespace corvane::shared {

namespace {
constexpr int kAlreadyRegistered = 22;
}

bool ClaimFunction(const QString& taskId, bool claim) {
  Session& s = Session::Current();
  platform::LoginContext& login = *s.gLogin;
  if (login.ClaimTask(taskId, claim, 0)) return true;
  bool granted = login.GetErrorNumber() == kAlreadyRegistered;
  if (!granted && claim) {
    const QString hostText = login.GetErrorText();
    const QString prompt = hostText.trimmed().isEmpty()
        ? GetResString(QStringLiteral("Q9.GL.ZZTool.00661"), s.Common().GetFunctionName(taskId))
        : hostText;
    ShowMsgBox(prompt, 16, GetResString(kTitleKey));
  }
  login.AfterClaimRefused();
  return granted;
}

}  // namespace corvane::shared
