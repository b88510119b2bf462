#pragma once

#include "platform/db/db_connection.h"

#include <QHash>
#include <QString>
#include <optional>

struct pg_conn;
struct pg_result;

namespace corvane::suite {

// The server engine over libpq. "?" marks are numbered $1, $2, … before the
// statement is sent; values travel as text with their types (numeric for money,
// date for dates) so the server never has to guess a date from a literal.
class PostgresConnection : public platform::DbConnection {
 public:
  // connectionString: a "postgresql://" or "postgres://" URI, or "pg:" followed by
  // libpq's key=value form. Throws DbError when it cannot connect.
  explicit PostgresConnection(const QString& connectionString);
  ~PostgresConnection() override;

  long long Execute(const QString& sql, const platform::DbParams& params = {}) override;
  long long ExecuteBatch(const QString& sql, const std::vector<platform::DbParams>& rows) override;
  platform::ResultSet Query(const QString& sql, const platform::DbParams& params = {}) override;
  void ForEachRow(const QString& sql, const platform::DbParams& params, const RowVisitor& visit) override;
  void BeginTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  bool InTransaction() const override { return inTransaction_; }
  void SerializeOnAccount(const QString& account) override;
  QString GetConnectionString() const override { return connectionString_; }
  QString PrimaryKeyOf(const QString& table) override;
  bool IsOpen() const override;
  void Close() override;
  QString UnreadableDateSql(const QString& column) const override;

  // Runs a script of several statements with no parameters (schema scripts).
  void ExecuteScript(const QString& script);
  // The server process serving this connection (used to tell live lock owners).
  int BackendPid() const;

 private:
  pg_result* Run(const QString& sql, const platform::DbParams& params);
  // The same with the values as libpq takes them (lengths and formats may be null: all text).
  pg_result* Run(const QString& sql, int count, const unsigned int* types, const char* const* values,
                 const int* lengths, const int* formats);
  long long ExecutePipelined(const QString& sql, const std::vector<platform::DbParams>& rows);
  // Runs "update t set a=?, … where k=?" for many rows as one statement per
  // chunk over arrays; false when the statement or the rows do not suit it.
  // None when the statement is not of the one form done set-wise.
  std::optional<long long> ExecuteSetBased(const QString& sql, const std::vector<platform::DbParams>& rows);
  QString ColumnType(const QString& table, const QString& column);
  // Connects again when the connection broke (see Reconnect); throws when closed.
  void RequireOpen();
  void SetUpSession();
  void Reconnect();
  // A ConnectionLost DbError when the connection broke, with the client's text.
  void ThrowIfLost(const QString& clientText) const;
  void RequireCurrentKeyCollation();

  pg_conn* conn_ = nullptr;
  QString connectionString_;
  bool inTransaction_ = false;
  bool reconnecting_ = false;
  QHash<QString, QString> primaryKeys_;
  QHash<QString, QString> columnTypes_;  // "table.column" → SQL type
};

// "select a from t where b=? and c='?'" becomes "select a from t where b=$1 and c='?'".
QString NumberPlaceholders(const QString& sql);

}  // namespace corvane::suite
