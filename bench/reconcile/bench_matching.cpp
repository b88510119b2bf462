// Automatic matching (one-to-one, then grouped by settlement number) of the
// one-account data set (100,000 lines a side unless --lines says otherwise):
// load, merge and write, beside the floor it is measured against in the same run —
// reading both sides and writing the same ticks in one transaction, done bare
// through the database layer. Wall and process CPU time are both kept: on a
// shared machine the CPU ratio is the steadier one (for SQLite, whose work is all
// in this process).
#include "platform/db/transaction_guard.h"
#include "reconcile/auto_match.h"
#include "reconcile/auto_match_run.h"
#include "reconcile/group_match.h"
#include "reconcile/match_candidates.h"
#include "suite/demo/ledger_plan.h"
#include "support/bench_database.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <algorithm>
#include <ctime>

namespace corvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// CPU time of this process so far, in milliseconds.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// What the window hands over: the account, the whole year, the account's own
// direction, and the usual conditions: same number and style, a 12-day window.
reconcile::MatchRequest Request(platform::DbConnection& db) {
  reconcile::MatchRequest r;
  r.code = kOneAccount;
  r.reconStart = db.QueryValue(QStringLiteral("select dbegin from code where ccode=?"), {kOneAccount}).ToDate();
  r.startDate = QDate(suite::kDemoYear, 1, 1);
  r.endDate = QDate(suite::kDemoYear, 12, 31);
  r.options.bankFx = db.QueryValue(QStringLiteral("select bd_c from code where ccode=?"), {kOneAccount}).ToInt() != 0;
  r.options.sameNumber = r.options.sameStyle = r.options.dateWindow = true;
  r.options.dayLimit = 12;
  return r;
}

const reconcile::PeriodOf kPeriods = [](const QDate& d) { return suite::DemoPeriodOf(d); };

void ResetTicks(platform::DbConnection& db) {
  db.Execute(QStringLiteral("update gl_accvouch set iflagbank=null where ccode=?"), {kOneAccount});
  db.Execute(QStringLiteral("update rp_bankrecp set iflag=null where ccode=?"), {kOneAccount});
}

std::vector<platform::DbParams> StoredTicks(platform::DbConnection& db, const QString& table, const QString& column) {
  std::vector<platform::DbParams> rows;
  const auto r = db.Query(QStringLiteral("select %1,i_id from %2 where ccode=? and %1>0").arg(column, table), {kOneAccount});
  for (const auto& row : r.rows) rows.push_back({row[0], row[1]});
  return rows;
}

// The server's write-ahead log position (PostgreSQL), and the bytes written since
// one: what a stretch of work costs the log. Every session's writes count, so
// measure on a server of its own.
QString WalPosition(platform::DbConnection& db) {
  return db.QueryValue(QStringLiteral("select pg_current_wal_lsn()::text")).ToString();
}
double WalSince(platform::DbConnection& db, const QString& position) {
  return db.QueryValue(QStringLiteral("select pg_wal_lsn_diff(pg_current_wal_lsn(), cast(? as pg_lsn))"), {position})
      .ToDouble();
}

// Wall and CPU time of one stretch of work.
struct Spent {
  Clock::duration wall{};
  double cpuMs = 0;
};

// The floor: the bench_floor reads of both sides, then the given ticks written
// in one transaction with one batch per side.
Spent Floor(platform::DbConnection& db, const std::vector<platform::DbParams>& journal,
            const std::vector<platform::DbParams>& statement) {
  const auto start = Clock::now();
  const double cpu = CpuMs();
  auto j = db.OpenRecordset(QStringLiteral("select i_id,dBill_date,dt_date,csettle,cn_id,md_f,mc_f,md,mc,iflagbank,cSign,"
                                           "iNo_id,cDigest from gl_accvouch where ccode=? and iperiod<>20 order by dbill_date,i_id"),
                            {kOneAccount});
  auto s = db.OpenRecordset(QStringLiteral("select i_id,dDate,csettle,cn_id,bd_c,mmoney,iflag from rp_bankrecp "
                                           "where ccode=? and ibegin<>0 order by ddate,i_id"),
                            {kOneAccount});
  benchmark::DoNotOptimize(j->RecordCount() + s->RecordCount());
  platform::TransactionGuard tx(db);
  db.ExecuteBatch(QStringLiteral("update gl_accvouch set iflagbank=? where i_id=?"), journal);
  db.ExecuteBatch(QStringLiteral("update rp_bankrecp set iflag=? where i_id=?"), statement);
  tx.Commit();
  // The run frees the lines it read before its clock stops; so does the floor.
  j.reset();
  s.reset();
  return {Clock::now() - start, CpuMs() - cpu};
}

void AutoMatching(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  const reconcile::MatchRequest request = Request(db);
  Clock::duration run{}, floor{};
  double runCpu = 0, floorCpu = 0;
  double bestRunCpu = 0, bestFloorCpu = 0;  // the fastest of the iterations, each
  auto best = [](double& b, double v) { b = b == 0 ? v : std::min(b, v); };
  const bool postgres = engine == QLatin1String("postgres");
  double runWal = 0, floorWal = 0;
  reconcile::MatchRunResult result;
  for (auto _ : state) {
    state.PauseTiming();
    ResetTicks(db);
    state.ResumeTiming();
    const QString wal = postgres ? WalPosition(db) : QString();
    const auto start = Clock::now();
    const double cpu = CpuMs();
    reconcile::StoreCutOff(db, request.code, request.cutOff);
    result = reconcile::RunAutoMatching(db, request, kPeriods);
    run += Clock::now() - start;
    const double spent = CpuMs() - cpu;
    runCpu += spent;
    best(bestRunCpu, spent);
    state.PauseTiming();
    if (postgres) runWal += WalSince(db, wal);
    if (!result.Ok()) {
      state.SkipWithError(qPrintable(result.error));
      break;
    }
    const auto journal = StoredTicks(db, QStringLiteral("gl_accvouch"), QStringLiteral("iflagbank"));
    const auto statement = StoredTicks(db, QStringLiteral("rp_bankrecp"), QStringLiteral("iflag"));
    ResetTicks(db);
    const QString floorStart = postgres ? WalPosition(db) : QString();
    const Spent f = Floor(db, journal, statement);
    if (postgres) floorWal += WalSince(db, floorStart);
    floor += f.wall;
    floorCpu += f.cpuMs;
    best(bestFloorCpu, f.cpuMs);
    state.ResumeTiming();
  }
  ResetTicks(db);
  const double n = static_cast<double>(state.iterations());
  state.counters["pairs"] = result.oneToOnePairs;
  state.counters["group_pairs"] = result.groupPairs;
  state.counters["ticked"] = result.journalTicked + result.statementTicked;
  state.counters["floor_ms"] = n > 0 ? Ms(floor) / n : 0;
  state.counters["x_floor"] = Ms(floor) > 0 ? Ms(run) / Ms(floor) : 0;
  state.counters["cpu_ms"] = n > 0 ? runCpu / n : 0;
  state.counters["floor_cpu_ms"] = n > 0 ? floorCpu / n : 0;
  state.counters["x_floor_cpu"] = floorCpu > 0 ? runCpu / floorCpu : 0;
  if (postgres && n > 0) {
    // Log bytes per ticked line, of the run and of the floor's bare writes of the same ticks.
    const double ticked = std::max(1, result.journalTicked + result.statementTicked);
    state.counters["wal_b_per_tick"] = runWal / n / ticked;
    state.counters["floor_wal_b_per_tick"] = floorWal / n / ticked;
  }
  state.counters["best_cpu_ms"] = bestRunCpu;
  state.counters["best_floor_cpu_ms"] = bestFloorCpu;
  state.counters["x_best_cpu"] = bestFloorCpu > 0 ? bestRunCpu / bestFloorCpu : 0;
}

// The two merges alone, on candidates loaded once: the in-memory share of a run.
void MergesOnly(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  const reconcile::MatchRequest request = Request(db);
  ResetTicks(db);
  const reconcile::MatchCandidates lines = reconcile::LoadMatchCandidates(db, request);
  int pairs = 0;
  for (auto _ : state) {
    const reconcile::PassTicks one = reconcile::MatchOneToOne(lines, request.options, kPeriods);
    const reconcile::PassTicks groups = reconcile::MatchGroups(lines, one, request.options, kPeriods);
    pairs = one.pairs + groups.pairs;
    benchmark::DoNotOptimize(pairs);
  }
  const double lineCount = static_cast<double>(lines.journal.size() + lines.statement.size());
  state.counters["lines"] = lineCount;
  state.counters["pairs"] = pairs;
  // CPU time per line of both sides: flat from 25k to 1M lines a side when the merges stay linear.
  state.counters["cpu_per_line"] =
      benchmark::Counter(lineCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
  corvane::bench::InitBenchApplication(argc, argv);
  const QStringList engines = corvane::bench::BenchEngines();
  benchmark::RegisterBenchmark("matching/merges_only", corvane::bench::MergesOnly, engines.front())
      ->Unit(benchmark::kMillisecond);
  for (const QString& engine : engines) {
    benchmark::RegisterBenchmark(qPrintable(QStringLiteral("matching/auto_matching/") + engine),
                                 corvane::bench::AutoMatching, engine)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
