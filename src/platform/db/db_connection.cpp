#include "platform/db/db_connection.h"

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

}  // namespace corvane::platform
