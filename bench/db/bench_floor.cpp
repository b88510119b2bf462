// The floor later work is measured against: reading both sides of one account
// with 100,000 lines each, and writing a tick on every line of both sides in one
// transaction, done bare through the database layer.
#include "platform/db/transaction_guard.h"
#include "support/bench_database.h"

#include <benchmark/benchmark.h>

namespace corvane::bench {
namespace {

const QString kJournal = QStringLiteral(
    "select i_id,dBill_date,dt_date,csettle,cn_id,md_f,mc_f,md,mc,iflagbank,cSign,iNo_id,cDigest "
    "from gl_accvouch where ccode=? and iperiod<>20 order by dbill_date,i_id");
const QString kStatement = QStringLiteral(
    "select i_id,dDate,csettle,cn_id,bd_c,mmoney,iflag from rp_bankrecp where ccode=? and ibegin<>0 order by ddate,i_id");

void ReadBothSides(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  long long rows = 0;
  for (auto _ : state) {
    auto journal = db.OpenRecordset(kJournal, {kOneAccount});
    auto statement = db.OpenRecordset(kStatement, {kOneAccount});
    rows = journal->RecordCount() + statement->RecordCount();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
}

std::vector<long long> Ids(platform::DbConnection& db, const QString& sql) {
  std::vector<long long> ids;
  auto rs = db.OpenRecordset(sql, {kOneAccount});
  for (; !rs->Eof(); rs->MoveNext()) ids.push_back(rs->Field(0).ToInt());
  return ids;
}

void WriteTicksBothSides(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  const auto journal = Ids(db, QStringLiteral("select i_id from gl_accvouch where ccode=? and iperiod<>20"));
  const auto statement = Ids(db, QStringLiteral("select i_id from rp_bankrecp where ccode=? and ibegin<>0"));
  int tick = 1;
  for (auto _ : state) {
    std::vector<platform::DbParams> j, s;
    j.reserve(journal.size());
    s.reserve(statement.size());
    for (long long id : journal) j.push_back({tick, id});
    for (long long id : statement) s.push_back({tick, id});
    platform::TransactionGuard tx(db);
    db.ExecuteBatch(QStringLiteral("update gl_accvouch set iflagbank=? where i_id=?"), j);
    db.ExecuteBatch(QStringLiteral("update rp_bankrecp set iflag=? where i_id=?"), s);
    tx.Commit();
    tick = tick % 12 + 1;
  }
  // Leave the lines unticked for the benchmarks that follow.
  db.Execute(QStringLiteral("update gl_accvouch set iflagbank=null where ccode=?"), {kOneAccount});
  db.Execute(QStringLiteral("update rp_bankrecp set iflag=null where ccode=?"), {kOneAccount});
  state.counters["rows"] = static_cast<double>(journal.size() + statement.size());
}

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
  corvane::bench::InitBenchApplication(argc, argv);
  for (const QString& engine : corvane::bench::BenchEngines()) {
    benchmark::RegisterBenchmark(qPrintable(QStringLiteral("floor/read_both_sides/") + engine),
                                 corvane::bench::ReadBothSides, engine)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(qPrintable(QStringLiteral("floor/write_ticks_both_sides/") + engine),
                                 corvane::bench::WriteTicksBothSides, engine)->Unit(benchmark::kMillisecond)->Iterations(3);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
