#pragma once

#include "platform/db/db_connection.h"
#include "platform/services/message_presenter.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <initializer_list>
#include <utility>

namespace corvane::bench {

// The resident memory of this process in MiB; 0 where /proc cannot be read.
double ResidentMiB();

// Message boxes in a benchmark run: a measured path shows none, so one ends the
// run with its text on stderr; while quiet, each is answered with `answer`.
class BenchMessages : public platform::MessagePresenter {
 public:
  bool quiet = false;
  int answer = 1;

 protected:
  int Present(const platform::MessageRequest& request) override;
};

// The run's presenter (installed by StartBenchSession).
BenchMessages& Messages();

// Sets up the offscreen application and installs the run's message presenter;
// call first in main.
void StartBenchSession(int& argc, char** argv);

// Logs the session in to db as the benchmark user (at the end of the bench year)
// through the product facade, quietly; again only when db changes, and then the
// windows of the earlier login are unloaded first.
void BenchLogIn(platform::DbConnection& db);

// Ends the session before the suite's own statics go: windows, services, login.
void EndBenchSession();

// A benchmark measured on one engine.
using EngineBenchmark = void (*)(benchmark::State&, const QString& engine);

// Registers each benchmark once per engine as "group/name/engine" in
// milliseconds, runs those the command line selects and ends the session; the
// result is main's.
int RunPerEngine(int& argc, char** argv, const char* group,
                 std::initializer_list<std::pair<const char*, EngineBenchmark>> benchmarks);

}  // namespace corvane::bench
