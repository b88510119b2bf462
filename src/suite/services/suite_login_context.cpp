#include "suite/services/suite_login_context.h"

#include "platform/db/db_connection.h"
#include "platform/db/db_error.h"
#include "suite/services/account_locks.h"
#include "suite/services/function_claims.h"
#include "suite/services/session_owner.h"

#include <QUuid>

namespace corvane::suite {

SuiteLoginContext::SuiteLoginContext(platform::DbConnection& connection, LoginValues values, TextSource* texts)
    : connection_(connection), values_(std::move(values)) {
  if (values_.sessionId.trimmed().isEmpty()) values_.sessionId = QUuid::createUuid().toString(QUuid::WithoutBraces);
  owner_ = std::make_unique<SessionOwner>(connection_, values_.sessionId);
  claims_ = std::make_unique<FunctionClaims>(connection_, *owner_, values_.userId, values_.userName, texts);
  reconnected_ = connection_.OnReconnected([this] {
    owner_->Renew();
    claims_->Renew();
  });
}

SuiteLoginContext::~SuiteLoginContext() {
  try {
    Close();
  } catch (const platform::DbError&) {
    // A lost connection: its rows count as ended with the connection or process.
  }
}

bool SuiteLoginContext::ClaimTask(const QString& taskId, bool claim, int) {
  return claim ? claims_->Claim(taskId) : claims_->Release(taskId);
}

int SuiteLoginContext::GetErrorNumber() { return claims_->ErrorNumber(); }

QString SuiteLoginContext::GetErrorText() { return claims_->ErrorText(); }

QString SuiteLoginContext::FunctionName(const QString& functionId) { return claims_->FunctionName(functionId); }

void SuiteLoginContext::Close() {
  if (closed_ || !connection_.IsOpen()) return;
  closed_ = true;
  claims_->ReleaseAll();
  AccountLocks(connection_, *owner_, values_.userId, values_.userName).ReleaseAll();
}

}  // namespace corvane::suite
