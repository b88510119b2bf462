#pragma once

#include "platform/db/db_connection.h"
#include "suite/demo/bench_data.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace corvane::bench {

// The engines a benchmark run measures: SQLite always; PostgreSQL when PGHOST is
// set (the database PGDATABASE, default corvane_bench, is created when missing).
QStringList BenchEngines();

// A database of one engine filled with the benchmark data of the given options,
// made once per process and engine and kept for every benchmark of the run.
// SQLite lives in a temporary file; PostgreSQL in a schema of its own, dropped
// at the end.
platform::DbConnection& BenchDatabase(const QString& engine, const suite::BenchDataOptions& options);

// The two data sets of the benchmarks: one account with 100,000 lines a side,
// and 1,000 accounts sharing 1,000,000 lines a side.
suite::BenchDataOptions OneAccount();
suite::BenchDataOptions ManyAccounts();
// The demo base data without either, for benchmarks that write their own lines.
suite::BenchDataOptions BaseOnly();

// The account that holds the one-account data set.
inline const QString kOneAccount = QStringLiteral("100299");

// Sets up the offscreen Qt application a benchmark program needs; call first in main.
void InitBenchApplication(int& argc, char** argv);

}  // namespace corvane::bench
