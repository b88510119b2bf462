#pragma once

#include "platform/db/db_connection.h"
#include "platform/db/db_error.h"

namespace corvane::reconcile::test {

// A connection that passes everything to a real one, except for one injected
// failure: the failBatch-th ExecuteBatch (counting from 1) writes its first
// rowsBeforeFailure rows for real and then fails, as a lost connection would in
// the middle of a write; failQuery makes every SELECT after the first
// queriesBeforeFailure fail.
class FailingConnection : public platform::DbConnection {
 public:
  explicit FailingConnection(platform::DbConnection& inner) : inner_(inner) {}

  int failBatch = 0;
  size_t rowsBeforeFailure = 0;
  bool failQuery = false;
  int queriesBeforeFailure = 0;
  int batches = 0;  // ExecuteBatch calls seen
  int queries = 0;  // Query calls seen

  long long Execute(const QString& sql, const platform::DbParams& params) override {
    return inner_.Execute(sql, params);
  }
  long long ExecuteBatch(const QString& sql, const std::vector<platform::DbParams>& rows) override {
    if (++batches != failBatch) return inner_.ExecuteBatch(sql, rows);
    const size_t n = std::min(rowsBeforeFailure, rows.size());
    inner_.ExecuteBatch(sql, std::vector<platform::DbParams>(rows.begin(), rows.begin() + static_cast<long>(n)));
    throw platform::DbError(QStringLiteral("injected failure"));
  }
  platform::ResultSet Query(const QString& sql, const platform::DbParams& params) override {
    if (failQuery && queries++ >= queriesBeforeFailure) throw platform::DbError(QStringLiteral("injected read failure"));
    return inner_.Query(sql, params);
  }
  void BeginTrans() override { inner_.BeginTrans(); }
  void CommitTrans() override { inner_.CommitTrans(); }
  void RollbackTrans() override { inner_.RollbackTrans(); }
  bool InTransaction() const override { return inner_.InTransaction(); }
  void SerializeOnAccount(const QString& account) override { inner_.SerializeOnAccount(account); }
  QString GetConnectionString() const override { return inner_.GetConnectionString(); }
  QString PrimaryKeyOf(const QString& table) override { return inner_.PrimaryKeyOf(table); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  void Close() override { inner_.Close(); }
  QString UnreadableDateSql(const QString& column) const override { return inner_.UnreadableDateSql(column); }

 private:
  platform::DbConnection& inner_;
};

}  // namespace corvane::reconcile::test
