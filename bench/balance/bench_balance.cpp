// The balance statement of 1,000 accounts sharing 1,000,000 journal and 1,000,000
// statement lines, beside its floor of one grouped aggregate per side over the
// same rows; and the detailed statement of one account with 100,000 outstanding
// lines a side, beside the bare read of the same four SELECTs.
#include "balance/balance_calculator.h"
#include "balance/detail_statement.h"
#include "balance/frm_yetjb.h"
#include "balance/frm_yhdzcx1.h"
#include "balance/grouped_sums.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/split_grid.h"
#include "platform/services/message_presenter.h"
#include "shared/session.h"
#include "support/bench_database.h"
#include "support/bench_session.h"

#include <QApplication>
#include <QLabel>
#include <map>

#include <benchmark/benchmark.h>

namespace corvane::bench {
namespace {

// Nobody answers a message box in a benchmark: say it and stop (the missing
// print-format file said at log-in excepted).
// The floor: one grouped aggregate per side over every line.
void FloorGroupedAggregates(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, ManyAccounts());
  for (auto _ : state) {
    int groups = 0;
    db.ForEachRow(QStringLiteral("select ccode, sum(mmoney) from rp_bankrecp where ibegin<>0 group by ccode"), {},
                  [&](const std::vector<platform::DbValue>&) { ++groups; });
    db.ForEachRow(QStringLiteral("select ccode, sum(md-mc) from gl_accvouch where ibook=1 group by ccode"), {},
                  [&](const std::vector<platform::DbValue>&) { ++groups; });
    benchmark::DoNotOptimize(groups);
  }
}

// Every account's figures, facts read through the suite's services.
void AllAccountsFigures(benchmark::State& state, const QString& engine) {
  BenchLogIn(BenchDatabase(engine, ManyAccounts()));
  size_t accounts = 0;
  for (auto _ : state) accounts = balance::BalanceCalculator::ForAllAccounts().size();
  state.counters["accounts"] = static_cast<double>(accounts);
}

// The parts of it: the facts of the listed accounts, and the grouped sums.
void ListedFactsOnly(benchmark::State& state, const QString& engine) {
  BenchLogIn(BenchDatabase(engine, ManyAccounts()));
  for (auto _ : state) benchmark::DoNotOptimize(balance::BalanceCalculator::ListAccountFacts().size());
}

void GroupedSumsOnly(benchmark::State& state, const QString& engine) {
  BenchLogIn(BenchDatabase(engine, ManyAccounts()));
  std::vector<balance::AccountFacts> facts;
  for (const auto& f : balance::BalanceCalculator::ListAccountFacts()) facts.push_back(f.facts);
  for (auto _ : state) benchmark::DoNotOptimize(balance::GroupedSums(facts).size());
}

// The statement window loaded as the opener loads it, grid rows included.
void StatementWindowLoad(benchmark::State& state, const QString& engine) {
  BenchLogIn(BenchDatabase(engine, ManyAccounts()));
  int rows = 0;
  for (auto _ : state) {
    auto* w = new balance::frmYETJB();
    w->LoadData();
    state.PauseTiming();
    rows = w->MSGrid1()->Rows() - 1;
    delete w;
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
}

// Every line of the one account unticked, so all 100,000 a side are outstanding.
platform::DbConnection& UntickedOneAccount(const QString& engine) {
  static std::map<QString, bool> done;
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  if (!done[engine]) {
    db.Execute(QStringLiteral("update gl_accvouch set iflagbank=null where ccode=?"), {kOneAccount});
    db.Execute(QStringLiteral("update rp_bankrecp set iflag=0 where ccode=?"), {kOneAccount});
    done[engine] = true;
  }
  return db;
}

// The floor of the detailed statement: its four SELECTs read bare.
void FloorDetailRead(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = UntickedOneAccount(engine);
  BenchLogIn(db);
  const balance::DetailSections sections = balance::ReadDetailSections(kOneAccount, 1);
  const QString bank = QStringLiteral("select ddate, cn_id, mmoney from rp_bankrecp where bdelete=0 and ibegin>0 and "
                                      "ccode =? and (iflag=0 or iflag is null) and bd_c=? order by ddate,i_id");
  long long cells = 0;
  for (auto _ : state) {
    cells = 0;
    auto count = [&](const std::vector<platform::DbValue>& row) { cells += static_cast<long long>(row.size()); };
    db.ForEachRow(bank, {kOneAccount, 1}, count);
    db.ForEachRow(bank, {kOneAccount, 0}, count);
    db.ForEachRow(sections.debitSql, sections.debitParams, count);
    db.ForEachRow(sections.creditSql, sections.creditParams, count);
  }
  state.counters["cells"] = static_cast<double>(cells);
}

// The detailed statement as Detail loads it: grid built and every section filled.
void DetailStatementLoad(benchmark::State& state, const QString& engine) {
  BenchLogIn(UntickedOneAccount(engine));
  int rows = 0;
  for (auto _ : state) {
    auto* w = new balance::frmYHDZCX1();
    w->LblKm()->setText(QStringLiteral("bench(%1)").arg(kOneAccount));
    w->CurYHKM = kOneAccount;
    w->Smode = 1;
    w->InitZqgridSP();
    w->LoadData(kOneAccount);
    state.PauseTiming();
    rows = w->ZqgridSP1()->Rows();
    delete w;
    state.ResumeTiming();
  }
  state.counters["grid_rows"] = rows;
}

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
  using namespace corvane::bench;
  StartBenchSession(argc, argv);
  return RunPerEngine(argc, argv, "balance",
                     {{"floor_grouped_aggregate_per_side", FloorGroupedAggregates},
                      {"all_accounts_figures", AllAccountsFigures},
                      {"part_listed_facts", ListedFactsOnly},
                      {"part_grouped_sums", GroupedSumsOnly},
                      {"statement_window_load", StatementWindowLoad},
                      {"floor_detail_read", FloorDetailRead},
                      {"detail_statement_load", DetailStatementLoad}});
}
