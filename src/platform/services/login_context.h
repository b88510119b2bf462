#pragma once

#include <QDate>
#include <QString>

namespace corvane::platform {

class DbConnection;

// The host's login object: who is signed in to which account set, the session's
// connection, and the claiming and giving back of functions.
//
// The six session values, handed on to the services unchanged:
//   SessionText1   user id            AccountSetKey  account-set key ("001")
//   SessionNumber  account-set year   SessionText2   user name
//   SessionDate    login date         SessionText3   session id (unique per login)
class LoginContext {
 public:
  virtual ~LoginContext() = default;

  virtual DbConnection* GetConnection() = 0;
  virtual QString GetSessionText1() = 0;
  virtual QString GetAccountSetKey() = 0;
  virtual QString GetSessionNumber() = 0;
  virtual QString GetSessionText2() = 0;
  virtual QDate GetSessionDate() = 0;
  virtual QString GetSessionText3() = 0;
  virtual QString GetInstallPath() = 0;
  virtual QString GetLanguageId() = 0;

  // Claims (claim true) or gives back (false) a function. False when refused;
  // then GetErrorNumber and GetErrorText say why (number 22: already registered
  // by this session, which is no refusal).
  virtual bool ClaimTask(const QString& taskId, bool claim, int reserved) = 0;
  virtual int GetErrorNumber() = 0;
  virtual QString GetErrorText() = 0;
  virtual void AfterClaimRefused() = 0;
};

}  // namespace corvane::platform
