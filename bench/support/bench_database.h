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

// The connection string that opens the database BenchDatabase gave (for
// PostgreSQL with its schema first on the search path), for benchmarks that run
// other processes on the same data; empty for any other connection.
QString BenchDatabaseUri(const platform::DbConnection& db);

// The two data sets of the benchmarks: one account with 100,000 lines a side,
// and 1,000 accounts sharing 1,000,000 lines a side. Their sizes come from the
// command line (--lines=N for the one account, --accounts=N and --many-lines=N
// for the many; 25k, 100k, 400k, 1M and so on) or else from the environment
// (CORVANE_BENCH_LINES, CORVANE_BENCH_ACCOUNTS, CORVANE_BENCH_MANY_LINES).
suite::BenchDataOptions OneAccount();
suite::BenchDataOptions ManyAccounts();
// The demo base data without either, for benchmarks that write their own lines.
suite::BenchDataOptions BaseOnly();

// The account that holds the one-account data set.
inline const QString kOneAccount = QStringLiteral("100299");

// Takes the size options above out of the command line (InitBenchApplication
// does; programs without it call this first in main).
void TakeSizeOptions(int& argc, char** argv);
// The line count --lines (or CORVANE_BENCH_LINES) asked for, else `fallback`: the
// size of the benchmarks that make their own rows.
long long BenchLines(long long fallback);

// Sets up the offscreen Qt application a benchmark program needs and takes the
// size options above out of the command line; call first in main.
void InitBenchApplication(int& argc, char** argv);

}  // namespace corvane::bench
