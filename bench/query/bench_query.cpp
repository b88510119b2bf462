// The tick-status query of one account with 100,000 journal and 100,000
// statement lines, and the long-outstanding audit over 1,000 accounts sharing
// 1,000,000 lines a side, each beside the floor of reading the same rows bare;
// the memory the process holds with the tick-status window loaded; filter and
// find over the 100,000 statement rows of the loaded window.
#include "platform/controls/list_grid.h"
#include "platform/services/message_presenter.h"
#include "query/audit_load.h"
#include "query/frm_yhcqwd.h"
#include "query/frm_yhdzcx.h"
#include "query/tick_status_load.h"
#include "shared/grid_filter.h"
#include "shared/session.h"
#include "support/bench_database.h"
#include "support/bench_session.h"

#include <benchmark/benchmark.h>

namespace corvane::bench {
namespace {

// The audit date of the runs: lines up to the end of February are long outstanding.
const QString kAuditDate = QStringLiteral("2026.02.28");
constexpr int kAuditDays = 0;

query::TickStatusRequest OneAccountRequest() {
  query::TickStatusRequest r;
  r.code = kOneAccount;
  r.startDate = QDate(2026, 1, 1);
  return r;
}

// The two SELECTs of the query, every value read and nothing kept.
void FloorTickStatus(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  const auto sq = query::StatementStatusQuery(OneAccountRequest());
  const auto jq = query::JournalStatusQuery(OneAccountRequest());
  for (auto _ : state) {
    long long n = 0;
    db.ForEachRow(sq.Sql(), sq.Params(), [&n](const std::vector<platform::DbValue>& row) { n += row.size(); });
    db.ForEachRow(jq.Sql(), jq.Params(), [&n](const std::vector<platform::DbValue>& row) { n += row.size(); });
    benchmark::DoNotOptimize(n);
  }
}

query::frmYHDZCX& TickStatusWindow(const QString& engine) {
  BenchLogIn(BenchDatabase(engine, OneAccount()));
  return shared::Session::Current().windows.Get<query::frmYHDZCX>();
}

// The window's load of both grids: rows, texts, colours, totals.
void TickStatusLoad(benchmark::State& state, const QString& engine) {
  query::frmYHDZCX& w = TickStatusWindow(engine);
  for (auto _ : state) {
    // The previous load's rows go untimed, as a closed window's would.
    state.PauseTiming();
    w.MSGrid1()->SetRows(1);
    w.MSGrid2()->SetRows(1);
    state.ResumeTiming();
    w.LoadData(kOneAccount);
  }
  state.counters["statement_rows"] = w.MSGrid1()->Rows() - 1;
  state.counters["journal_rows"] = w.MSGrid2()->Rows() - 1;
  state.counters["rss_MiB"] = ResidentMiB();
}

shared::FilterConditions AmountCondition(const QString& amount) {
  shared::FilterConditions c;
  c.ExecCom = c.ExecFilter = true;
  c.CurMmoney = amount;
  return c;
}

// Filter and find over the statement grid of the loaded window (100,000 rows),
// by an amount only the last rows have, so that every row is tested.
void FilterRows(benchmark::State& state, const QString& engine) {
  query::frmYHDZCX& w = TickStatusWindow(engine);
  if (w.MSGrid1()->Rows() < 3) w.LoadData(kOneAccount);
  platform::ListGrid& grid = *w.MSGrid1();
  const QString last = grid.TextMatrix(grid.Rows() - 2, 3) + grid.TextMatrix(grid.Rows() - 2, 4);
  const shared::FilterColumns columns{0, 1, 2, 3, 4, -1, -1};
  const shared::GridRowTest test(AmountCondition(last), columns, shared::AmountMatch::Equal);
  int shown = 0;
  for (auto _ : state) {
    grid.SetRedraw(false);
    shown = shared::ApplyGridFilter(grid, test);
    grid.SetRedraw(true);
  }
  state.counters["first_shown"] = shown;
  state.counters["rows"] = grid.Rows() - 1;
}

void FindRow(benchmark::State& state, const QString& engine) {
  query::frmYHDZCX& w = TickStatusWindow(engine);
  if (w.MSGrid1()->Rows() < 3) w.LoadData(kOneAccount);
  platform::ListGrid& grid = *w.MSGrid1();
  shared::FilterConditions c = AmountCondition(QString());
  c.CurCn_id = QStringLiteral("no such number");
  const shared::GridRowTest test(c, {0, 1, 2, 3, 4, -1, -1}, shared::AmountMatch::AtLeast);
  for (auto _ : state) benchmark::DoNotOptimize(shared::FindGridRow(grid, test));
  state.counters["rows"] = grid.Rows() - 1;
}

query::AuditRequest AuditRun() {
  query::AuditRequest r;
  r.cutOff = query::AuditCutOff(QDate(2026, 2, 28), kAuditDays);
  return r;
}

// The audit's two SELECTs (filters, joins and order in SQL), every value read.
void FloorAudit(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, ManyAccounts());
  const auto sq = query::AuditStatementQuery(AuditRun());
  const auto jq = query::AuditJournalQuery(AuditRun());
  long long rows = 0;
  for (auto _ : state) {
    rows = 0;
    db.ForEachRow(sq.Sql(), sq.Params(), [&rows](const std::vector<platform::DbValue>&) { ++rows; });
    db.ForEachRow(jq.Sql(), jq.Params(), [&rows](const std::vector<platform::DbValue>&) { ++rows; });
  }
  state.counters["rows"] = static_cast<double>(rows);
}

// The audit window's load: both SELECTs, the row texts, both grids.
void AuditLoad(benchmark::State& state, const QString& engine) {
  BenchLogIn(BenchDatabase(engine, ManyAccounts()));
  query::frmYHCQWD& w = shared::Session::Current().windows.Get<query::frmYHCQWD>();
  for (auto _ : state) {
    state.PauseTiming();
    w.MSGrid1()->SetRows(1);
    w.MSGrid2()->SetRows(1);
    state.ResumeTiming();
    if (!w.LoadData(kAuditDate, kAuditDays)) state.SkipWithError("audit load failed");
  }
  state.counters["statement_rows"] = w.MSGrid1()->Rows() - 1;
  state.counters["journal_rows"] = w.MSGrid2()->Rows() - 1;
  state.counters["rss_MiB"] = ResidentMiB();
}

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
  using namespace corvane::bench;
  StartBenchSession(argc, argv);
  return RunPerEngine(argc, argv, "query",
                     {{"floor_read_tick_status", FloorTickStatus},
                      {"tick_status_load", TickStatusLoad},
                      {"filter_100k_rows", FilterRows},
                      {"find_100k_rows", FindRow},
                      {"floor_read_audit", FloorAudit},
                      {"audit_load", AuditLoad}});
}
