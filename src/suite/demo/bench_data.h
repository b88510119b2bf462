#pragma once

#include "platform/db/db_connection.h"
#include "suite/demo/generated_counts.h"

#include <cstdint>
#include <functional>

namespace corvane::suite {

struct BenchDataOptions {
  // (a) One bank account (100299) with this many journal lines and as many
  // statement lines; 0 for none.
  int oneAccountLines = 100000;
  // (b) This many bank accounts (1002 followed by a four-digit number) sharing
  // manyLines journal lines and as many statement lines; 0 for none.
  int manyAccounts = 1000;
  long long manyLines = 1000000;
  std::uint64_t seed = 20260101;
  // Told now and then how many lines a side are written, of how many in all.
  std::function<void(long long written, long long total)> progress;
};

// Writes large account sets for the benchmarks, in one transaction with batched
// inserts. Each account's lines are a realistic mix: about 80% pairs of one
// journal and one statement line, 10% groups under one settlement number, 10%
// outstanding; plus its two opening rows (period 20 and ibegin 0), which the
// line counts leave out. The same options always give the same data.
// Throws DbError, writing nothing, when one of its account codes exists already.
GeneratedCounts GenerateBenchData(platform::DbConnection& connection, const BenchDataOptions& options = {});

}  // namespace corvane::suite
