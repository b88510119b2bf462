// The four sums every balance is built from, over 1,000 bank accounts sharing
// 1,000,000 journal and 1,000,000 statement lines: each should be one indexed
// aggregate well under a millisecond. The floor is the same aggregate run bare.
#include "platform/db/db_connection.h"
#include "shared/balance_sums.h"
#include "shared/session.h"
#include "suite/services/suite_common_services.h"
#include "support/bench_database.h"

#include <benchmark/benchmark.h>

namespace corvane::bench {
namespace {

// A session whose services run on the benchmark database.
void UseDatabase(platform::DbConnection& db) {
  auto common = std::make_unique<suite::SuiteCommonServices>(nullptr);
  common->Initialize(&db, QStringLiteral("bench"), QStringLiteral("001"), 2026, QStringLiteral("bench"),
                     QDate(2026, 12, 31), QStringLiteral("bench"));
  shared::Session::Current().gCommonServices = std::move(common);
  shared::Session::Current().gBookMode = 0;
}

// Walks the accounts so that every iteration asks for another one.
QString NextAccount(int& i) {
  i = (i + 37) % 1000;
  return QStringLiteral("1002%1").arg(i + 1, 4, 10, QLatin1Char('0'));
}

const QDate kStart(2026, 7, 1);

void SumBankStatementBench(benchmark::State& state, const QString& engine) {
  UseDatabase(BenchDatabase(engine, ManyAccounts()));
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(shared::SumBankStatement(NextAccount(i), kStart, true, false, 2, false));
}

void SumJournalBench(benchmark::State& state, const QString& engine) {
  UseDatabase(BenchDatabase(engine, ManyAccounts()));
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(shared::SumJournal(NextAccount(i), kStart, true, false, false, 2, false));
}

void SumBankSignedBench(benchmark::State& state, const QString& engine) {
  UseDatabase(BenchDatabase(engine, ManyAccounts()));
  int i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(shared::SumBankSigned(NextAccount(i), kStart, QStringLiteral("2026.12.31"), false, 2));
}

void SumJournalSignedBench(benchmark::State& state, const QString& engine) {
  UseDatabase(BenchDatabase(engine, ManyAccounts()));
  int i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(shared::SumJournalSigned(NextAccount(i), kStart, QStringLiteral("2026.12.31"), false, false, 2));
}

// The floor: one aggregate of the same shape, bare.
void BareAggregate(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, ManyAccounts());
  int i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(db.QueryValue(
        QStringLiteral("select sum(mmoney) from rp_bankrecp where ccode=? and ibegin<>0 and bd_c=1 and ddate>=?"),
        {NextAccount(i), kStart}));
}

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
  using namespace corvane::bench;
  InitBenchApplication(argc, argv);
  for (const QString& engine : BenchEngines()) {
    const auto name = [&engine](const char* what) { return (QStringLiteral("sums/") + QLatin1String(what) + QLatin1Char('/') + engine).toStdString(); };
    benchmark::RegisterBenchmark(name("floor_bare_aggregate").c_str(), BareAggregate, engine)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(name("SumBankStatement").c_str(), SumBankStatementBench, engine)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(name("SumJournal").c_str(), SumJournalBench, engine)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(name("SumBankSigned").c_str(), SumBankSignedBench, engine)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(name("SumJournalSigned").c_str(), SumJournalSignedBench, engine)->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  corvane::shared::Session::Current().gCommonServices.reset();
  return 0;
}
