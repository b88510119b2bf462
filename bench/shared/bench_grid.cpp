// How the list grid copes with the sizes the reconciliation windows meet: 100,000
// lines of 9 columns loaded, half of them hidden by a filter and shown again, and the
// view scrolled to the last line. Each figure stands beside its floor: the same
// strings built, or the same flags flipped, without any grid. CORVANE_BENCH_LINES
// (or --lines) gives another line count; the fill reports the heap bytes the grid keeps per line.
#include "platform/controls/list_grid.h"
#include "support/bench_database.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <memory>

namespace {

using corvane::platform::ListGrid;

// Bytes of heap in use, the large blocks malloc maps on their own included.
double HeapBytes() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd);
}

int rowCount = 100000;  // --lines
constexpr int kCols = 9;

std::vector<std::vector<QString>> MakeRows() {
  std::vector<std::vector<QString>> rows;
  rows.reserve(rowCount);
  for (int r = 0; r < rowCount; ++r) {
    rows.push_back({QStringLiteral("2024.%1.%2").arg(r % 12 + 1, 2, 10, QLatin1Char('0')).arg(r % 28 + 1, 2, 10, QLatin1Char('0')),
                    QString(), QStringLiteral("201"), QStringLiteral("A%1").arg(r), QStringLiteral("借"),
                    QStringLiteral("%1.00").arg(r), r % 3 ? QString() : QStringLiteral("○"),
                    QStringLiteral("记-%1").arg(r % 10000, 4, 10, QLatin1Char('0')), QStringLiteral("摘要")});
  }
  return rows;
}

std::vector<QVariant> MakeKeys() {
  std::vector<QVariant> keys;
  keys.reserve(rowCount);
  for (int r = 0; r < rowCount; ++r) keys.emplace_back(r + 1);
  return keys;
}

std::unique_ptr<ListGrid> ShownGrid() {
  auto grid = std::make_unique<ListGrid>();
  grid->SetCols(kCols);
  grid->SetRowHeight(0, 480);
  for (int c = 0; c < kCols; ++c) grid->SetColWidth(c, 1000);
  grid->resize(1000, 700);
  grid->show();
  QApplication::processEvents();
  return grid;
}

void Paint(ListGrid& grid) {
  QApplication::processEvents();
  grid.View()->viewport()->repaint();
}

void BM_BuildRowsFloor(benchmark::State& state) {
  for (auto _ : state) {
    auto rows = MakeRows();
    benchmark::DoNotOptimize(rows.data());
  }
}

void BM_FillRows(benchmark::State& state) {
  auto grid = ShownGrid();
  double held = 0;
  for (auto _ : state) {
    state.PauseTiming();
    grid->SetRows(1);
    const double before = HeapBytes();
    state.ResumeTiming();
    grid->FillRows(MakeRows(), MakeKeys());
    Paint(*grid);
    state.PauseTiming();
    held = HeapBytes() - before;
    state.ResumeTiming();
  }
  state.counters["rows"] = grid->Rows() - 1;
  state.counters["heap_B_per_line"] = held / rowCount;
}

// The loading loop of the list windows: rows sized first, then every cell written
// with redraw off and the grid shown again every 250 rows.
void BM_FillCellByCell(benchmark::State& state) {
  auto grid = ShownGrid();
  const auto rows = MakeRows();
  for (auto _ : state) {
    grid->SetRows(1);
    grid->SetRows(rowCount + 1);
    for (int r = 1; r <= rowCount; ++r) {
      grid->SetRedraw(false);
      for (int c = 0; c < kCols; ++c) grid->SetTextMatrix(r, c, rows[static_cast<size_t>(r - 1)][static_cast<size_t>(c)]);
      grid->SetRowData(r, r);
      grid->SetRow(r);
      if (r % 250 == 0) grid->SetRedraw(true);
    }
    grid->SetRedraw(true);
    Paint(*grid);
  }
}

void BM_HideHalfThenShowAll(benchmark::State& state) {
  auto grid = ShownGrid();
  grid->FillRows(MakeRows(), MakeKeys());
  Paint(*grid);
  for (auto _ : state) {
    grid->SetRedraw(false);
    for (int r = 1; r <= rowCount; ++r) grid->SetRowHeight(r, r % 2 ? 300 : 0);
    grid->SetRedraw(true);
    Paint(*grid);
    if (grid->VisibleRowCount() != rowCount / 2) state.SkipWithError("half the rows should show");
    grid->SetRedraw(false);
    for (int r = 1; r <= rowCount; ++r) grid->SetRowHeight(r, 300);
    grid->SetRedraw(true);
    Paint(*grid);
  }
}

// The floor of a filter pass: the same flags flipped and the list of shown rows
// rebuilt twice, with no model and no view.
void BM_HideFloor(benchmark::State& state) {
  std::vector<char> hidden(rowCount, 0);
  std::vector<int> visible;
  for (auto _ : state) {
    for (int pass = 0; pass < 2; ++pass) {
      for (int r = 0; r < rowCount; ++r) hidden[static_cast<size_t>(r)] = pass == 0 && r % 2;
      visible.clear();
      for (int r = 0; r < rowCount; ++r) {
        if (!hidden[static_cast<size_t>(r)]) visible.push_back(r);
      }
    }
    benchmark::DoNotOptimize(visible.data());
  }
}

// A filter that hides rows one by one while redraw stays on (each a small change
// of the view), for comparison with the batched pass above.
void BM_HideThousandWithRedrawOn(benchmark::State& state) {
  auto grid = ShownGrid();
  grid->FillRows(MakeRows(), MakeKeys());
  Paint(*grid);
  for (auto _ : state) {
    for (int r = 1; r <= 1000; ++r) grid->SetRowHeight(r * 50, 0);
    for (int r = 1; r <= 1000; ++r) grid->SetRowHeight(r * 50, 300);
  }
}

void BM_ScrollToEnd(benchmark::State& state) {
  auto grid = ShownGrid();
  grid->FillRows(MakeRows(), MakeKeys());
  Paint(*grid);
  for (auto _ : state) {
    grid->SetTopRow(1);
    Paint(*grid);
    grid->SetTopRow(rowCount);
    grid->SetRow(rowCount);
    Paint(*grid);
  }
  if (grid->View()->verticalScrollBar()->value() != grid->View()->verticalScrollBar()->maximum()) {
    state.SkipWithError("not at the end");
  }
}

BENCHMARK(BM_BuildRowsFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillCellByCell)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HideFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HideHalfThenShowAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HideThousandWithRedrawOn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToEnd)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  corvane::bench::TakeSizeOptions(argc, argv);
  rowCount = static_cast<int>(corvane::bench::BenchLines(rowCount));
  // No display on build machines: the offscreen platform must be chosen before the
  // application object exists.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
