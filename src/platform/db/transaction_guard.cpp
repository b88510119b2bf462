#include "platform/db/transaction_guard.h"

#include "platform/db/db_connection.h"

namespace corvane::platform {

TransactionGuard::TransactionGuard(DbConnection& connection) : connection_(connection) {
  connection_.BeginTrans();
}

TransactionGuard::~TransactionGuard() {
  if (done_) return;
  try {
    connection_.RollbackTrans();
  } catch (...) {
    // A lost connection has rolled the transaction back by itself.
  }
}

void TransactionGuard::Commit() {
  connection_.CommitTrans();
  done_ = true;
}

AccountWriteTransaction::AccountWriteTransaction(DbConnection& connection, const QString& account)
    : guard_(connection) {
  connection.SerializeOnAccount(account.trimmed());
}

}  // namespace corvane::platform
