#include "support/busy_database.h"

namespace corvane::testing {

void WaitBriefly(TestDatabase& db) {
  if (db.IsPostgres())
    db.Connection().Execute(QStringLiteral("set lock_timeout = '300ms'"));
  else
    db.Connection().QueryValue(QStringLiteral("pragma busy_timeout = 300"));
}

OtherSessionWriting::OtherSessionWriting(TestDatabase& db, const QString& pgLock, const platform::DbParams& params)
    : other_(db.OpenAnother()) {
  other_->BeginTrans();
  if (!db.IsPostgres()) return;
  if (pgLock.startsWith(QLatin1String("select"), Qt::CaseInsensitive))
    other_->Query(pgLock, params);
  else
    other_->Execute(pgLock, params);
}

OtherSessionWriting::~OtherSessionWriting() { other_->RollbackTrans(); }

}  // namespace corvane::testing
