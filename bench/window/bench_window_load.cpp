// Loading the reconciliation window on an account with 100,000 journal and
// 100,000 statement lines (CORVANE_BENCH_LINES gives another count a side),
// beside the floor of reading the same rows bare, and the memory the window holds
// once both grids are full: the process's resident size and the heap bytes the
// loaded window keeps per line. Filters and the reference over the loaded rows
// are measured too.
#include "platform/controls/list_grid.h"
#include "platform/services/message_presenter.h"
#include "reconcile/cancel_ticks.h"
#include "reconcile/frm_yhdz.h"
#include "shared/session.h"
#include "support/bench_database.h"
#include "support/bench_session.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdlib>

namespace corvane::bench {
namespace {

// The one-account data set, with the line count a side from CORVANE_BENCH_LINES.
suite::BenchDataOptions Data() {
  suite::BenchDataOptions o = OneAccount();
  if (const int lines = qEnvironmentVariableIntValue("CORVANE_BENCH_LINES"); lines > 0) o.oneAccountLines = lines;
  return o;
}

// Bytes of heap in use, the large blocks malloc maps on their own included.
double HeapBytes() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd);
}

// A logged-in session on the benchmark database, kept for the run.
reconcile::frmYHDZ& LoadedWindow(const QString& engine) {
  static std::map<QString, reconcile::frmYHDZ*> windows;
  platform::DbConnection& db = BenchDatabase(engine, Data());
  BenchLogIn(db);
  auto it = windows.find(engine);
  if (it != windows.end()) return *it->second;
  // One window at a time, so the resident memory is that of one loaded window.
  for (auto& [other, window] : windows) delete window;
  windows.clear();
  auto* w = new reconcile::frmYHDZ();
  platform::ParamObject& param = shared::Session::Current().Common().GetParamObject();
  param.Value2 = QStringLiteral("2026.01");
  param.Value3 = QStringLiteral("2026.12");
  w->LoadData(kOneAccount, true);
  windows[engine] = w;
  return *w;
}

void FloorRead(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, Data());
  reconcile::ReconLoadRequest r;
  r.code = kOneAccount;
  r.includeTicked = true;
  r.endDate = QDate(2026, 12, 31);
  r.reconStart = QDate(9999, 12, 31);
  const auto jq = reconcile::JournalLoadQuery(r);
  const auto sq = reconcile::StatementLoadQuery(r);
  for (auto _ : state) {
    auto j = db.OpenRecordset(jq.Sql(), jq.Params());
    auto s = db.OpenRecordset(sq.Sql(), sq.Params());
    benchmark::DoNotOptimize(j->RecordCount() + s->RecordCount());
  }
}

// A new window loaded each time, as the opener does; closing it is not timed.
void WindowLoad(benchmark::State& state, const QString& engine) {
  BenchLogIn(BenchDatabase(engine, Data()));
  platform::ParamObject& param = shared::Session::Current().Common().GetParamObject();
  param.Value2 = QStringLiteral("2026.01");
  param.Value3 = QStringLiteral("2026.12");
  int journalRows = 0, statementRows = 0;
  double rss = 0, held = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const double before = HeapBytes();
    state.ResumeTiming();
    auto* w = new reconcile::frmYHDZ();
    w->LoadData(kOneAccount, true);
    state.PauseTiming();
    journalRows = w->MSGrid1()->Rows() - 1;
    statementRows = w->MsGrid2()->Rows() - 1;
    rss = ResidentMiB();
    held = HeapBytes() - before;
    delete w;
    state.ResumeTiming();
  }
  state.counters["journal_rows"] = journalRows;
  state.counters["statement_rows"] = statementRows;
  state.counters["rss_MiB"] = rss;
  state.counters["heap_B_per_line"] = held / std::max(1, journalRows + statementRows);
}

void FilterByAmount(benchmark::State& state, const QString& engine) {
  reconcile::frmYHDZ& w = LoadedWindow(engine);
  w.Filter.ExecFilter = true;
  w.Filter.CurMmoney = w.MsGrid2()->TextMatrix(1, 4);
  for (auto _ : state) w.FilterStatementRows();
  w.Filter = shared::FilterConditions();
  w.FilterStatementRows();
}

void ReferenceMode(benchmark::State& state, const QString& engine) {
  reconcile::frmYHDZ& w = LoadedWindow(engine);
  emit w.MSGrid1()->GotFocus();
  w.MSGrid1()->SetCurrentCell(1, 5);
  for (auto _ : state) w.ShowCurrentLine();
}

// Every line of both sides ticked automatically in period 6, untimed.
void TickEverything(platform::DbConnection& db) {
  db.Execute(QStringLiteral("update gl_accvouch set iflagbank=6 where ccode=? and iperiod<>20"), {kOneAccount});
  db.Execute(QStringLiteral("update rp_bankrecp set iflag=6 where ccode=? and ibegin<>0"), {kOneAccount});
}

// The floor of the cancel: its two UPDATEs, bare, in one transaction.
void FloorCancelUpdates(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, Data());
  for (auto _ : state) {
    state.PauseTiming();
    TickEverything(db);
    state.ResumeTiming();
    db.BeginTrans();
    db.Execute(QStringLiteral("update gl_accvouch set iflagbank=null where ccode=? and iflagbank>=1 and iflagbank<=12 and bdelete=0"), {kOneAccount});
    db.Execute(QStringLiteral("update rp_bankrecp set iflag=null where ccode=? and iflag>=1 and iflag<=12 and bdelete=0"), {kOneAccount});
    db.CommitTrans();
  }
}

// The cancel as the window runs it: every loaded row marked and read again
// inside the cancel, both UPDATEs, then the marks of every loaded row.
void CancelTicksAndMarks(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, Data());
  reconcile::frmYHDZ& w = LoadedWindow(engine);
  reconcile::LoadedMarks marks;
  for (int r = 1; r < w.MSGrid1()->Rows(); ++r) marks.journal.push_back({r, w.MSGrid1()->RowData(r)});
  for (int r = 1; r < w.MsGrid2()->Rows(); ++r) marks.statement.push_back({r, w.MsGrid2()->RowData(r)});
  for (auto _ : state) {
    state.PauseTiming();
    TickEverything(db);
    state.ResumeTiming();
    const auto result = reconcile::CancelTicks(db, w.Loaded(), 1, reconcile::CancelScope::Automatic, marks);
    if (!result.ok) state.SkipWithError(qPrintable(result.error));
    reconcile::ClearGridMarks(*w.MSGrid1(), 6, result.journal.rows);
    reconcile::ClearGridMarks(*w.MsGrid2(), 5, result.statement.rows);
  }
}

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
  using namespace corvane::bench;
  StartBenchSession(argc, argv);
  return RunPerEngine(argc, argv, "window",
                     {{"floor_read_both_sides", FloorRead},
                      {"load_both_grids", WindowLoad},
                      {"filter_by_amount", FilterByAmount},
                      {"reference_line", ReferenceMode},
                      {"floor_cancel_updates", FloorCancelUpdates},
                      {"cancel_ticks_and_marks", CancelTicksAndMarks}});
}
