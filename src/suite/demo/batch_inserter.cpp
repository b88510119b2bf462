#include "suite/demo/batch_inserter.h"

#include "platform/db/db_error.h"

namespace corvane::suite {

BatchInserter::BatchInserter(platform::DbConnection& connection, const QString& table, const QStringList& columns,
                             const QString& tail, size_t chunkRows)
    : connection_(connection), table_(table), columnCount_(static_cast<int>(columns.size())),
      chunkRows_(chunkRows == 0 ? 1 : chunkRows) {
  QStringList marks;
  for (int i = 0; i < columnCount_; ++i) marks << QStringLiteral("?");
  sql_ = QStringLiteral("insert into %1 (%2) values (%3)%4")
             .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')), tail);
  pending_.reserve(chunkRows_);
}

void BatchInserter::Add(platform::DbParams row) {
  if (static_cast<int>(row.size()) != columnCount_)
    throw platform::DbError(QStringLiteral("A row for %1 has %2 values instead of %3")
                                .arg(table_).arg(row.size()).arg(columnCount_));
  pending_.push_back(std::move(row));
  ++added_;
  if (pending_.size() >= chunkRows_) Flush();
}

void BatchInserter::Flush() {
  if (pending_.empty()) return;
  connection_.ExecuteBatch(sql_, pending_);
  pending_.clear();
  if (onFlush_) onFlush_(added_);
}

}  // namespace corvane::suite
