#pragma once

#include "platform/services/login_context.h"

#include <QDate>
#include <QString>
#include <functional>
#include <memory>

namespace corvane::suite {

class AccountLocks;
class FunctionClaims;
class SessionOwner;
class TextSource;

// The values of one login, as the host program collects them.
struct LoginValues {
  QString userId;        // SessionText1: the key of rights, claims and locks
  QString accountSetKey; // "001": names the account set's settings and print formats
  int year = 0;          // SessionNumber: the account-set year, whose calendar applies
  QString userName;      // SessionText2: shown in refusals and report headings
  QDate loginDate;       // SessionDate: its period is the current period
  QString sessionId;     // SessionText3: one per login; empty gets a new unique id
  QString installPath;   // folder that holds Help/
  QString languageId = QStringLiteral("zh-CN");
};

// The login object of our host program: the session's values and connection,
// and the register of the functions the session runs (FunctionClaims). Closing
// the login (or destroying it) gives back every function and account lock of
// the session, so nothing of it stays behind after a normal end.
class SuiteLoginContext : public platform::LoginContext {
 public:
  // connection and texts are not owned and must outlive the login; texts may be null.
  SuiteLoginContext(platform::DbConnection& connection, LoginValues values, TextSource* texts = nullptr);
  ~SuiteLoginContext() override;

  platform::DbConnection* GetConnection() override { return &connection_; }
  QString GetSessionText1() override { return values_.userId; }
  QString GetAccountSetKey() override { return values_.accountSetKey; }
  QString GetSessionNumber() override { return QString::number(values_.year); }
  QString GetSessionText2() override { return values_.userName; }
  QDate GetSessionDate() override { return values_.loginDate; }
  QString GetSessionText3() override { return values_.sessionId; }
  QString GetInstallPath() override { return values_.installPath; }
  QString GetLanguageId() override { return values_.languageId; }

  bool ClaimTask(const QString& taskId, bool claim, int reserved) override;
  int GetErrorNumber() override;
  QString GetErrorText() override;
  // Nothing to tidy after a refusal: a refused claim has registered nothing.
  void AfterClaimRefused() override {}

  // The display name of a function id (the id itself when unknown).
  QString FunctionName(const QString& functionId);
  // Ends the session: gives back its functions and account locks. Safe to call twice.
  void Close();

  const LoginValues& Values() const { return values_; }

 private:
  platform::DbConnection& connection_;
  LoginValues values_;
  std::unique_ptr<SessionOwner> owner_;
  std::unique_ptr<FunctionClaims> claims_;
  std::shared_ptr<std::function<void()>> reconnected_;
  bool closed_ = false;
};

}  // namespace corvane::suite
