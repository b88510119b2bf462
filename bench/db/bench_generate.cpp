// Planning the benchmark data must grow linearly with the lines: the time per
// line (the counter "ns_per_line") stays the same from 100,000 to 1,000,000
// lines a side. Writing them is the engines' bulk insert, measured by corvane-makedb.
#include "suite/demo/ledger_planner.h"

#include <benchmark/benchmark.h>

namespace corvane::bench {
namespace {

void PlanOneAccount(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  size_t planned = 0;
  for (auto _ : state) {
    suite::LedgerPlanner planner({20260101, QDate(2026, 1, 1), QDate(2026, 12, 31), 100, false});
    planner.AddMix(lines, QDate(2026, 1, 1), QDate(2026, 12, 31));
    const suite::LedgerPlan plan = planner.Finish(platform::Money::FromCents(100000000));
    planned = plan.journal.size() + plan.bank.size();
    benchmark::DoNotOptimize(planned);
  }
  state.counters["lines"] = static_cast<double>(planned);
  state.counters["ns_per_line"] = benchmark::Counter(static_cast<double>(planned) * static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(PlanOneAccount)->Name("generate/plan_one_account")->Arg(100000)->Arg(300000)->Arg(1000000)
    ->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace corvane::bench

BENCHMARK_MAIN();
