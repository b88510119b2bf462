#pragma once

#include "platform/db/db_connection.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace corvane::suite {

// Collects rows for one table and writes them with one prepared statement per
// chunk (DbConnection::ExecuteBatch: a single statement stepped in a loop on
// SQLite, a pipeline on PostgreSQL), so a million lines never cost a million
// round trips nor a million rows held in memory. The caller owns the transaction.
class BatchInserter {
 public:
  // tail is appended to the INSERT, for example " on conflict do nothing".
  BatchInserter(platform::DbConnection& connection, const QString& table, const QStringList& columns,
                const QString& tail = QString(), size_t chunkRows = 5000);
  ~BatchInserter() = default;
  BatchInserter(const BatchInserter&) = delete;
  BatchInserter& operator=(const BatchInserter&) = delete;

  // Throws DbError when the row does not have one value per column.
  void Add(platform::DbParams row);
  // Writes what is collected; Add flushes by itself when a chunk is full. Call it
  // before anything reads the table or commits.
  void Flush();
  long long RowsAdded() const { return added_; }
  // Called after every chunk written, with RowsAdded(): how a long run reports progress.
  void OnFlush(std::function<void(long long rowsAdded)> f) { onFlush_ = std::move(f); }
  const QString& Table() const { return table_; }

 private:
  platform::DbConnection& connection_;
  QString table_;
  QString sql_;
  int columnCount_;
  size_t chunkRows_;
  std::vector<platform::DbParams> pending_;
  long long added_ = 0;
  std::function<void(long long)> onFlush_;
};

}  // namespace corvane::suite
