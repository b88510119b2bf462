#include "shared/function_claim.h"

#include "shared/messages.h"
#include "shared/session.h"

#include <map>

namespace corvane::shared {

namespace {

constexpr int kAlreadyRegistered = 22;

// Holders per function id, for the session (its id) they were counted in.
struct ClaimCounts {
  const platform::LoginContext* login = nullptr;
  QString sessionId;
  std::map<QString, int> holders;
};

std::map<QString, int>& Holders() {
  static ClaimCounts counts;
  platform::LoginContext* login = Session::Current().gLogin;
  const QString sessionId = login ? login->GetSessionText3() : QString();
  if (counts.login != login || counts.sessionId != sessionId) {
    counts = ClaimCounts{login, sessionId, {}};
  }
  return counts.holders;
}

bool AskHost(const QString& taskId, bool claim) {
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

}  // namespace

bool ClaimFunction(const QString& taskId, bool claim) {
  std::map<QString, int>& holders = Holders();
  auto it = holders.find(taskId);
  const int held = it == holders.end() ? 0 : it->second;
  if (claim) {
    // The host is asked every time: it also checks the user's right to run it.
    if (!AskHost(taskId, true)) return false;
    holders[taskId] = held + 1;
    return true;
  }
  if (held > 1) {
    it->second = held - 1;
    return true;
  }
  if (held == 1) holders.erase(it);
  return AskHost(taskId, false);
}

int FunctionClaimCount(const QString& taskId) {
  const std::map<QString, int>& holders = Holders();
  auto it = holders.find(taskId);
  return it == holders.end() ? 0 : it->second;
}

}  // namespace corvane::shared
