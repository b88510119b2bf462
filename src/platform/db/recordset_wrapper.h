#pragma once

#include "platform/db/db_value.h"
#include "platform/db/result_set.h"
#include "platform/db/row_criteria.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <set>
#include <vector>

namespace corvane::platform {

class DbConnection;

// The rows of one SELECT with a current row, read and written by column name
// (without regard to letter case).
//
// How it was opened decides what it may do:
// - read-only: reading, moving, Find and Filter;
// - editable: Edit/AddNew, field writes, then Update writes that row to the
//   statement's table at once, Delete removes the current row at once;
// - batch: like editable, but Update only keeps the change on the client copy;
//   UpdateBatch writes every changed row in one go (the caller wraps it in a
//   transaction with whatever else belongs to the same change). Rows written in
//   a transaction that is then rolled back are written again by the next
//   UpdateBatch, so a retry after a failure loses nothing.
// Writes go to the first table after FROM, keyed by that table's primary key,
// which must be among the recordset's columns.
//
// EOF is a macro of the C library, so the end test is called Eof().
class RecordsetWrapper {
 public:
  enum class Mode { ReadOnly, Editable, Batch };

  RecordsetWrapper(DbConnection* connection, QString sql, ResultSet rows, Mode mode);

  bool Eof() const { return pos_ >= static_cast<int>(visible_.size()); }
  // True when there is no row at all (the "row is not there" test after a one-row query).
  bool IsEmpty() const { return visible_.empty(); }
  int RecordCount() const { return static_cast<int>(visible_.size()); }
  void MoveFirst() { pos_ = 0; }
  void MoveNext() { if (!Eof()) ++pos_; }
  // Position among the visible rows; Eof() after the last.
  int AbsolutePosition() const { return pos_; }

  const QStringList& Columns() const { return rows_.columns; }
  bool HasColumn(const QString& name) const { return ColumnIndex(name) >= 0; }
  // Field of the current row. Throws DbError at end of rows or for an unknown column.
  const DbValue& Field(const QString& name) const;
  const DbValue& Field(int column) const;
  // Writes a field of the current row; needs Edit or AddNew first (not in read-only mode).
  void SetField(const QString& name, const DbValue& value);

  // Moves to the first visible row matching the criteria (see RowCriteria); at end of rows when none.
  void Find(const QString& criteria);
  bool NoMatch() const { return noMatch_; }
  // Keeps only matching rows visible; an empty text shows every row again.
  void Filter(const QString& criteria);

  void AddNew();
  void Edit();
  void Update();
  void CancelUpdate();
  void Delete();
  void UpdateBatch();
  // Kept for callers that signal the end of a change; the write happened in Update/Delete.
  bool FinishChange(bool) { return true; }
  void Close();
  bool IsClosed() const { return closed_; }
  Mode OpenMode() const { return mode_; }

 private:
  int ColumnIndex(const QString& name) const;
  int RequireColumn(const QString& name) const;
  std::vector<DbValue>& CurrentRow();
  void RequireWritable(const char* what) const;
  void WriteRow(int rowIndex);
  void InsertRow(int rowIndex);
  QString BaseTable() const;
  QString KeyColumn() const;
  void MarkWritten(int rowIndex);
  void SettleWrittenRows();

  DbConnection* connection_;
  QString sql_;
  ResultSet rows_;
  Mode mode_;
  QHash<QString, int> columnIndex_;
  std::vector<int> visible_;  // indices into rows_.rows
  int pos_ = 0;
  bool noMatch_ = false;
  bool closed_ = false;
  enum class EditState { None, Editing, Adding } editState_ = EditState::None;
  std::set<int> changedColumns_;               // of the row being edited
  std::vector<std::set<int>> pendingChanges_;  // batch mode: changed columns per row
  std::vector<bool> pendingInsert_;            // batch mode: rows added on the client
  // Batch mode: what UpdateBatch wrote inside a transaction not known to have
  // committed yet. If that transaction rolls back, it becomes pending again.
  struct Unconfirmed {
    std::uint64_t transaction = 0;
    bool insert = false;
    std::set<int> columns;
  };
  std::vector<Unconfirmed> unconfirmed_;
  mutable QString baseTable_, keyColumn_;
};

}  // namespace corvane::platform
