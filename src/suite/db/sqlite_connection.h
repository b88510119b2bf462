#pragma once

#include "platform/db/db_connection.h"

#include <QHash>
#include <QDate>
#include <QString>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace corvane::suite {

// The embedded engine: one database file (or ":memory:"). Dates are stored as
// "YYYY-MM-DD" text and come back as dates from columns declared DATE; money
// columns (declared NUMERIC/DECIMAL) come back as Money rounded to four decimals.
class SqliteConnection : public platform::DbConnection {
 public:
  // The layout of the suite's tables this version writes (pragma user_version).
  // Layout 1 kept amounts as decimals and compared codes by ASCII letter case.
  static constexpr int kLayout = 3;

  // connectionString: "sqlite:<path>" or a plain path. Throws DbError when it cannot
  // open, or when the file holds the suite's tables in an older layout.
  explicit SqliteConnection(const QString& connectionString);
  ~SqliteConnection() override;

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
  bool IsOpen() const override { return db_ != nullptr; }
  void Close() override;
  QString UnreadableDateSql(const QString& column) const override;
  // The balance statement's aggregates (RegisterBalanceSums).
  bool ProvidesFunction(const char* name) const override;

  // Runs several statements separated by ";" with no parameters (schema scripts).
  void ExecuteScript(const QString& script);

  // The stored text of a date of years 1 to 9999 in out; false for any other date.
  static bool IsoDate(const QDate& date, char (&out)[10]);

 private:
  sqlite3_stmt* Prepare(const QString& sql);
  void Bind(sqlite3_stmt* stmt, const platform::DbParams& params);
  [[noreturn]] void Fail(const QString& what);
  void RequireOpen() const;
  void RequireCurrentLayout();

  sqlite3* db_ = nullptr;
  QString connectionString_;
  QString file_;  // the database file, as SQLite resolved it
  bool inTransaction_ = false;
  std::string refusedDate_;  // the date the balance aggregates refused last
  QHash<QString, QString> primaryKeys_;
};

}  // namespace corvane::suite
