#pragma once

#include <QString>
#include <QVariant>
#include <memory>

namespace corvane::platform {

// A recordset on one work table: the rows in table order, a current row, and a
// new row written by AddNew, field writes and Update.
class WorkRecordset {
 public:
  virtual ~WorkRecordset() = default;
  virtual bool Eof() const = 0;
  virtual void MoveNext() = 0;
  virtual int RecordCount() const = 0;
  // Field of the current row (or of the row being added); a null QVariant for NULL.
  virtual QVariant Field(const QString& name) const = 0;
  virtual void AddNew() = 0;
  // Throws DbError for a column the table does not have.
  virtual void SetField(const QString& name, const QVariant& value) = 0;
  // Writes the added row.
  virtual void Update() = 0;
  virtual void Close() = 0;
};

// The local work database of the report procedures: a SQLite file per session,
// in the session's temporary folder, removed at log-out. The procedures write
// their head and tail texts into one-row work tables; the report engine reads
// them by file name.
//
// Execute takes the report procedures' table statements as they are written:
// column type String is stored as TEXT (so "000042" stays a text), Long as
// INTEGER; DROP TABLE of a table that is not there is no error. Failures throw
// DbError.
class PrintWorkDb {
 public:
  virtual ~PrintWorkDb() = default;
  virtual void Execute(const QString& sql) = 0;
  virtual std::unique_ptr<WorkRecordset> OpenRecordset(const QString& table) = 0;
  // The database file.
  virtual QString Name() const = 0;
};

}  // namespace corvane::platform
