#include "platform/db/db_connection.h"

#include <exception>

namespace corvane::platform {

std::unique_ptr<RecordsetWrapper> DbConnection::OpenRecordset(const QString& sql, const DbParams& params,
                                                              int option) {
  const auto mode = option == kOpenEditable ? RecordsetWrapper::Mode::Editable
                    : option == kOpenBatch  ? RecordsetWrapper::Mode::Batch
                                            : RecordsetWrapper::Mode::ReadOnly;
  return std::make_unique<RecordsetWrapper>(this, sql, Query(sql, params), mode);
}

DbValue DbConnection::QueryValue(const QString& sql, const DbParams& params) {
  ResultSet r = Query(sql, params);
  if (r.rows.empty() || r.rows.front().empty()) return DbValue();
  return r.rows.front().front();
}

void DbConnection::ForEachRow(const QString& sql, const DbParams& params, const RowVisitor& visit) {
  const ResultSet r = Query(sql, params);
  for (const auto& row : r.rows) visit(row);
}

std::shared_ptr<DbConnection::ReconnectHandler> DbConnection::OnReconnected(ReconnectHandler handler) {
  auto kept = std::make_shared<ReconnectHandler>(std::move(handler));
  reconnectHandlers_.push_back(kept);
  return kept;
}

void DbConnection::NoteReconnected() {
  std::erase_if(reconnectHandlers_, [](const auto& weak) { return weak.expired(); });
  // A copy: a handler may add one of its own.
  const std::vector<std::weak_ptr<ReconnectHandler>> handlers = reconnectHandlers_;
  std::exception_ptr first;
  for (const auto& weak : handlers) {
    const std::shared_ptr<ReconnectHandler> handler = weak.lock();
    if (!handler) continue;
    try {
      (*handler)();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

}  // namespace corvane::platform
