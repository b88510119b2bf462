#pragma once

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

}  // namespace corvane::suite
