#pragma once

#include "platform/db/db_connection.h"

#include <QString>
#include <map>

namespace corvane::suite {

// What a generator wrote: rows per table (rows skipped because they were there
// already are not counted).
struct GeneratedCounts {
  std::map<QString, long long> rows;

  void Add(const QString& table, long long count) { rows[table.toLower()] += count; }
  long long Of(const QString& table) const {
    const auto it = rows.find(table.toLower());
    return it == rows.end() ? 0 : it->second;
  }
};

// Gives the engine's planner the sizes of what a generator wrote: ANALYZE of each
// table that got rows, after the commit (on fresh lines without statistics the
// planner picks poor plans: one matching run took several times as long). Only
// these tables: a plain ANALYZE on PostgreSQL would walk every schema of the database.
inline void AnalyzeWritten(platform::DbConnection& db, const GeneratedCounts& counts) {
  for (const auto& [table, count] : counts.rows)
    if (count > 0) db.Execute(QStringLiteral("analyze ") + table);
}

}  // namespace corvane::suite
