#pragma once

#include "platform/db/db_connection.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace corvane::testing {

// A fresh, empty suite database for one test, on the engine CORVANE_TEST_ENGINE
// names ("sqlite", the default, or "postgres"). SQLite gets a file in a temporary
// folder; PostgreSQL a schema of its own in the database that PGHOST, PGPORT,
// PGUSER and PGDATABASE (or CORVANE_TEST_PG) point at, dropped afterwards. The
// suite's tables are installed in both.
class TestDatabase {
 public:
  TestDatabase();
  ~TestDatabase();
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  platform::DbConnection& Connection() { return *connection_; }
  // Opens another connection to the same database, as a second session would.
  std::unique_ptr<platform::DbConnection> OpenAnother() const;
  const QString& ConnectionString() const { return connectionString_; }
  bool IsPostgres() const { return postgres_; }
  static QString EngineName();
  // Sets a date column in the one row `where` picks to a value the layer cannot
  // read, as another program could write it: on SQLite a text of no calendar day
  // ("2026-01-32", around the column's check), on PostgreSQL an endless date
  // ("infinity"; its date type refuses the text).
  void StoreDateText(const QString& table, const QString& column, const QString& where,
                     const platform::DbParams& params, const QString& text);

 private:
  bool postgres_ = false;
  QTemporaryDir dir_;
  QString schema_;
  QString connectionString_;
  std::unique_ptr<platform::DbConnection> connection_;
};

}  // namespace corvane::testing
