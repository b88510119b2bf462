// Many users on one PostgreSQL server: N processes (--users=1,2,4,8), each
// logged in as the host logs in, holding its own account's lock and repeating a
// round of work on that account for --seconds (default 10): an automatic
// matching run, a manual tick and its untick, a keyed statement line, the cancel
// of the last period's ticks, clearing and its restore. Each account has
// --lines lines a side (default 20k). Reported per N: operations per second,
// their ratio to N times the one-user figure, the server's CPU per operation
// (all its processes, from /proc), the log bytes per operation and the
// checkpoints begun, how many backends were busy and which share of them waited
// on the log or on a lock (sampled ten times a second), the users' own CPU share
// and the load average of the machine before and after (the ratios mean little
// on a busy machine).
// Before that, load/wal/<work> gives the log bytes each kind of work writes and
// the rows it changes, measured alone on the server with pg_current_wal_lsn().
// --fillfactor=N rewrites the two tables of lines with that much of each page
// filled before the rounds. PostgreSQL only (PGHOST); run it on a server of its own.
#include "load/load_work.h"
#include "load/load_worker.h"
#include "load/server_cpu.h"
#include "support/bench_database.h"
#include "support/bench_session.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace corvane::bench {
namespace {

std::vector<int> users{1, 2, 4, 8};
double seconds = 10;
int walRounds = 6;
constexpr int kSettlingRounds = 4;
int fillFactor = 0;  // 0: the schema's own

// Takes --users=a,b,c and --seconds=s out of the command line.
void TakeLoadOptions(int& argc, char** argv) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const QString a = QString::fromLocal8Bit(argv[i]);
    if (a.startsWith(QLatin1String("--users="))) {
      users.clear();
      for (const QString& n : a.mid(8).split(QLatin1Char(','), Qt::SkipEmptyParts)) users.push_back(std::max(1, n.toInt()));
    } else if (a.startsWith(QLatin1String("--fillfactor="))) {
      fillFactor = std::clamp(a.mid(13).toInt(), 10, 100);
    } else if (a.startsWith(QLatin1String("--seconds="))) {
      seconds = std::max(1.0, a.mid(10).toDouble());
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
}

struct Setup {
  platform::DbConnection* db = nullptr;
  QString uri;
  QStringList accounts;
  std::unique_ptr<ServerCpu> cpu;
};

// The accounts, generated and analysed once, each brought to the state the
// rounds leave it in (the first matching run ticks the whole year), then vacuumed.
Setup& Prepared() {
  static Setup s = [] {
    Setup p;
    suite::BenchDataOptions o;
    o.oneAccountLines = 0;
    o.manyAccounts = *std::max_element(users.begin(), users.end());
    o.manyLines = o.manyAccounts * BenchLines(20000);
    p.db = &BenchDatabase(QStringLiteral("postgres"), o);
    p.uri = BenchDatabaseUri(*p.db);
    p.cpu = std::make_unique<ServerCpu>(*p.db);
    if (fillFactor > 0) {
      // Room left in each page of the lines, as a site may set it. The figure
      // travels bound, as a setting the statement reads.
      p.db->QueryValue(QStringLiteral("select set_config('corvane.fillfactor', ?, false)"), {QString::number(fillFactor)});
      p.db->Execute(QStringLiteral(
          "do $$ begin "
          "execute format('alter table gl_accvouch set (fillfactor=%s)', current_setting('corvane.fillfactor')::int); "
          "execute format('alter table rp_bankrecp set (fillfactor=%s)', current_setting('corvane.fillfactor')::int); "
          "end $$"));
      for (const QString& sql : {QStringLiteral("vacuum full gl_accvouch"), QStringLiteral("vacuum full rp_bankrecp"),
                                 QStringLiteral("analyze gl_accvouch"), QStringLiteral("analyze rp_bankrecp")})
        p.db->Execute(sql);
    }
    const auto rows = p.db->Query(QStringLiteral("select ccode from rp_bankrecp where ibegin<>0 group by ccode "
                                                 "having count(*)>=? order by ccode"),
                                  {BenchLines(20000) * 9 / 10});
    for (const auto& row : rows.rows) p.accounts << row[0].ToString();
    // Until the pages of the lines hold the row versions a round leaves, the
    // first rounds of an account cost more than the later ones.
    for (const QString& account : p.accounts) {
      LogInAndLock(*p.db, account);
      AccountWork work(account);
      for (int round = 0; round < kSettlingRounds; ++round)
        for (int op = 0; op < kLoadOps; ++op) work.Run(static_cast<LoadOp>(op));
      Unlock(account);
    }
    p.db->Execute(QStringLiteral("vacuum analyze gl_accvouch"));
    p.db->Execute(QStringLiteral("vacuum analyze rp_bankrecp"));
    return p;
  }();
  return s;
}

// Rounds of work on the first account, each kind measured alone. The first
// round follows a checkpoint, so it pays a full page image for every page it
// touches first; the others show the steady cost.
struct WalFigures {
  OpTally steady;
  double firstRoundWal = 0;
  double heapOnlyShare = 0;  // of the rounds' row updates
};

const WalFigures& Wal() {
  static const WalFigures figures = [] {
    Setup& s = Prepared();
    WalFigures f;
    const QString account = s.accounts.front();
    LogInAndLock(*s.db, account);
    AccountWork work(account);
    s.db->Execute(QStringLiteral("checkpoint"));
    const LineUpdates updatesBefore = LineTableUpdates(*s.db);
    for (int round = 0; round < walRounds; ++round) {
      const QString roundStart = WalPosition(*s.db);
      for (int i = 0; i < kLoadOps; ++i) {
        const QString before = WalPosition(*s.db);
        const long long rows = work.Run(static_cast<LoadOp>(i));
        const double bytes = WalSince(*s.db, before);
        if (round == 0) continue;
        ++f.steady.runs[i];
        f.steady.rows[i] += rows;
        f.steady.walBytes[i] += bytes;
      }
      if (round == 0) f.firstRoundWal = WalSince(*s.db, roundStart);
    }
    // The other sessions' figures reach the statistics within a second or so.
    QThread::msleep(1500);
    const LineUpdates updatesAfter = LineTableUpdates(*s.db);
    const double all = updatesAfter.all - updatesBefore.all;
    f.heapOnlyShare = all > 0 ? (updatesAfter.heapOnly - updatesBefore.heapOnly) / all : 0;
    Unlock(account);
    return f;
  }();
  return figures;
}

void WalPerOp(benchmark::State& state, LoadOp op) {
  const WalFigures& f = Wal();
  const int i = static_cast<int>(op);
  for (auto _ : state) benchmark::DoNotOptimize(f.steady.runs[i]);
  const double runs = static_cast<double>(std::max(1LL, f.steady.runs[i]));
  state.counters["wal_b_per_op"] = f.steady.walBytes[i] / runs;
  state.counters["rows_per_op"] = static_cast<double>(f.steady.rows[i]) / runs;
  state.counters["wal_b_per_row"] = f.steady.rows[i] > 0 ? f.steady.walBytes[i] / static_cast<double>(f.steady.rows[i]) : 0;
  if (op == LoadOp::Match) {
    state.counters["round_wal_b_after_checkpoint"] = f.firstRoundWal;
    state.counters["heap_only_update_share"] = f.heapOnlyShare;
  }
  state.counters["load_avg"] = LoadAverage();
}

double opsOfOneSum = 0;  // the one-user runs so far, for the ratio to linear
int opsOfOneRuns = 0;

struct WorkerResult {
  long long ops = 0;
  double seconds = 0, cpuMs = 0;
};

void Users(benchmark::State& state, int n) {
  Setup& s = Prepared();
  if (s.accounts.size() < static_cast<qsizetype>(n)) {
    state.SkipWithError("fewer accounts than users");
    return;
  }
  double opsPerSecond = 0, serverMs = 0, clientShare = 0, loadBefore = 0, loadAfter = 0, walBytes = 0;
  double busyBackends = 0, walWaitShare = 0, lockWaitShare = 0;
  long long ops = 0, checkpoints = 0;
  for (auto _ : state) {
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int i = 0; i < n; ++i) {
      auto p = std::make_unique<QProcess>();
      p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
      p->start(QCoreApplication::applicationFilePath(), LoadWorkerArguments(s.uri, s.accounts[i], seconds));
      workers.push_back(std::move(p));
    }
    for (auto& p : workers)
      while (!p->canReadLine())
        if (!p->waitForReadyRead(120000)) {
          state.SkipWithError("a worker did not get ready");
          return;
        }
    for (auto& p : workers) p->readLine();
    loadBefore = LoadAverage();
    const QString walBefore = WalPosition(*s.db);
    const long long checkpointsBefore = Checkpoints(*s.db);
    const double cpuBefore = s.cpu->TotalMs();
    const auto start = std::chrono::steady_clock::now();
    for (auto& p : workers) {
      p->write("go\n");
      p->waitForBytesWritten();
    }
    // What the busy backends wait for, sampled while the users work.
    WaitSamples waits;
    const auto deadline = start + std::chrono::duration<double>(seconds + 600);
    for (auto& p : workers)
      while (p->state() != QProcess::NotRunning && std::chrono::steady_clock::now() < deadline)
        if (!p->waitForFinished(100)) waits.Add(*s.db);
    std::vector<WorkerResult> results;
    for (auto& p : workers) {
      WorkerResult r;
      const QByteArray line = p->readAll();
      if (p->exitCode() != 0 ||
          std::sscanf(line.constData(), "done ops=%lld seconds=%lf cpu_ms=%lf", &r.ops, &r.seconds, &r.cpuMs) != 3) {
        state.SkipWithError("a worker failed");
        return;
      }
      results.push_back(r);
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(wall);
    serverMs = s.cpu->TotalMsWhenOthersEnded() - cpuBefore;
    loadAfter = LoadAverage();
    walBytes = WalSince(*s.db, walBefore);
    checkpoints = Checkpoints(*s.db) - checkpointsBefore;
    busyBackends = waits.samples > 0 ? waits.busy / waits.samples : 0;
    walWaitShare = waits.busy > 0 ? waits.onLog / waits.busy : 0;
    lockWaitShare = waits.busy > 0 ? waits.onLock / waits.busy : 0;
    opsPerSecond = clientShare = 0;
    ops = 0;
    for (const WorkerResult& r : results) {
      opsPerSecond += static_cast<double>(r.ops) / r.seconds;
      clientShare += r.cpuMs / 1000.0 / r.seconds / n;
      ops += r.ops;
    }
  }
  if (n == 1) {
    opsOfOneSum += opsPerSecond;
    ++opsOfOneRuns;
  }
  state.counters["ops_per_s"] = opsPerSecond;
  if (opsOfOneRuns > 0) state.counters["x_linear"] = opsPerSecond / (n * opsOfOneSum / opsOfOneRuns);
  state.counters["server_cpu_ms_per_op"] = ops > 0 ? serverMs / static_cast<double>(ops) : 0;
  state.counters["client_cpu_share"] = clientShare;
  state.counters["wal_b_per_op"] = ops > 0 ? walBytes / static_cast<double>(ops) : 0;
  state.counters["checkpoints"] = static_cast<double>(checkpoints);
  state.counters["busy_backends"] = busyBackends;
  state.counters["wal_wait_share"] = walWaitShare;
  state.counters["lock_wait_share"] = lockWaitShare;
  state.counters["load_before"] = loadBefore;
  state.counters["load_after"] = loadAfter;
}

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
  using namespace corvane::bench;
  QString uri, account;
  double workerSeconds = 0;
  if (IsLoadWorker(argc, argv, uri, account, workerSeconds)) {
    StartBenchSession(argc, argv);
    return RunLoadWorker(uri, account, workerSeconds);
  }
  TakeLoadOptions(argc, argv);
  StartBenchSession(argc, argv);
  if (qEnvironmentVariableIsEmpty("PGHOST")) {
    std::fprintf(stderr, "bench_load measures a PostgreSQL server: set PGHOST (and PGPORT, PGUSER)\n");
    return 2;
  }
  for (int op = 0; op < kLoadOps; ++op)
    benchmark::RegisterBenchmark((std::string("load/wal/") + LoadOpName(static_cast<LoadOp>(op))).c_str(), WalPerOp,
                                 static_cast<LoadOp>(op))
        ->Iterations(1);
  for (int n : users)
    benchmark::RegisterBenchmark(("load/users:" + std::to_string(n)).c_str(), Users, n)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kSecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  EndBenchSession();
  return 0;
}
