#pragma once

#include "platform/print/print_work_db.h"

#include <memory>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

// The report procedures' work database as a SQLite file (see PrintWorkDb).
class SqlitePrintWorkDb : public platform::PrintWorkDb {
 public:
  // Opens the file, creating it when it is not there. Throws DbError.
  explicit SqlitePrintWorkDb(const QString& file);
  ~SqlitePrintWorkDb() override;

  void Execute(const QString& sql) override;
  std::unique_ptr<platform::WorkRecordset> OpenRecordset(const QString& table) override;
  QString Name() const override { return file_; }

  // The statement as SQLite runs it: String and Long column types as TEXT and
  // INTEGER, DROP TABLE without failing on a missing table.
  static QString ToSqlite(const QString& sql);

 private:
  QString file_;
  std::unique_ptr<platform::DbConnection> db_;
};

}  // namespace corvane::suite
