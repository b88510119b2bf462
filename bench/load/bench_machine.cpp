// How this machine itself scales: N copies (--copies=1,2,4,8) of a fixed job run
// at once as processes of their own, and each copy's CPU time is measured. When
// the CPU time of one job rises with the copies, the machine gives each process
// less work per CPU second (shared caches, memory bandwidth, sibling threads or
// the host of a virtual machine), whatever the program does, and a database
// server's CPU per operation can rise with its users for that reason alone.
// Two jobs: "compute" turns integers over in registers and touches no memory;
// "walk" follows a random cycle through an array of each of --mib=8,16,64 MiB,
// one dependent read after another: a database's working set of pages, which
// for a few copies may fit in the shared last-level cache and for more not.
// Reported per job and N: CPU seconds per job (mean and slowest copy), their
// ratio to one copy, and the wall time of the slowest copy.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<int> copies{1, 2, 4, 8};
std::vector<int> walkMiB{8, 16, 64};

// "1,2,4" as numbers of at least 1.
std::vector<int> Numbers(const char* text) {
  std::vector<int> numbers;
  for (const char* p = text;;) {
    char* end = nullptr;
    const long n = std::strtol(p, &end, 10);
    if (end == p) break;
    numbers.push_back(std::max(1, static_cast<int>(n)));
    if (*end != ',') break;
    p = end + 1;
  }
  return numbers;
}

void TakeOptions(int& argc, char** argv) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--copies=", 9) == 0) {
      copies = Numbers(argv[i] + 9);
    } else if (std::strncmp(argv[i], "--mib=", 6) == 0) {
      walkMiB = Numbers(argv[i] + 6);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
}

double Seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// A fixed amount of register-only work: four xorshift generators side by side,
// so that the core's arithmetic units are busy (a core shared with another
// thread gives each less).
std::uint64_t Compute() {
  std::uint64_t x[4] = {88172645463325252ULL, 1, 2, 3}, sum = 0;
  for (long i = 0; i < 200'000'000L; ++i)
    for (std::uint64_t& v : x) {
      v ^= v << 13;
      v ^= v >> 7;
      v ^= v << 17;
      sum += v * 0x9E3779B97F4A7C15ULL >> 32;
    }
  return sum;
}

// One random cycle through an array of mib MiB (Sattolo's shuffle), so that
// every read depends on the one before and the caches cannot guess the next.
std::vector<std::uint32_t> Cycle(int mib) {
  std::vector<std::uint32_t> next(static_cast<std::size_t>(mib) * 1024 * 1024 / sizeof(std::uint32_t));
  std::iota(next.begin(), next.end(), 0u);
  std::mt19937 random(42);
  for (std::size_t i = next.size() - 1; i > 0; --i)
    std::swap(next[i], next[std::uniform_int_distribution<std::size_t>(0, i - 1)(random)]);
  return next;
}

std::uint64_t Walk(const std::vector<std::uint32_t>& next) {
  std::uint32_t at = 0;
  std::uint64_t sum = 0;
  for (long i = 0; i < 10'000'000L; ++i) {
    at = next[at];
    sum += at;
  }
  return sum;
}

struct JobTimes {
  double cpu = 0, wall = 0;
};

// Runs one copy in a child: prepares, waits for the start, does the job (the
// walk over mib MiB, or with 0 the computation) and writes its times to the pipe.
[[noreturn]] void Child(int mib, int startFd, int resultFd) {
  const std::vector<std::uint32_t> next = mib > 0 ? Cycle(mib) : std::vector<std::uint32_t>();
  char go = 0;
  if (read(startFd, &go, 1) != 1) _exit(1);
  const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID), wall = Seconds(CLOCK_MONOTONIC);
  benchmark::DoNotOptimize(mib > 0 ? Walk(next) : Compute());
  const JobTimes t{Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu, Seconds(CLOCK_MONOTONIC) - wall};
  _exit(write(resultFd, &t, sizeof t) == sizeof t ? 0 : 1);
}

// N copies started together; their times, or none when one failed.
std::vector<JobTimes> RunCopies(int mib, int n) {
  int start[2], result[2];
  if (pipe(start) != 0 || pipe(result) != 0) return {};
  for (int i = 0; i < n; ++i)
    if (fork() == 0) Child(mib, start[0], result[1]);
  close(start[0]);
  close(result[1]);
  // Each copy prepares first; the start is one byte each, written at once.
  std::vector<JobTimes> times(static_cast<std::size_t>(n));
  const std::string go(static_cast<std::size_t>(n), 'g');
  bool ok = write(start[1], go.data(), go.size()) == static_cast<ssize_t>(go.size());
  for (JobTimes& t : times) ok = read(result[0], &t, sizeof t) == sizeof t && ok;
  close(start[1]);
  close(result[0]);
  for (int i = 0; i < n; ++i) {
    int status = 0;
    wait(&status);
    ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return ok ? times : std::vector<JobTimes>();
}

std::map<int, double> cpuOfOne;  // mean CPU seconds of one copy, per job

void Copies(benchmark::State& state, int mib, int n) {
  std::vector<JobTimes> times;
  for (auto _ : state) {
    times = RunCopies(mib, n);
    if (times.empty()) {
      state.SkipWithError("a copy failed");
      return;
    }
    double slowest = 0;
    for (const JobTimes& t : times) slowest = std::max(slowest, t.wall);
    state.SetIterationTime(slowest);
  }
  double sum = 0, most = 0;
  for (const JobTimes& t : times) {
    sum += t.cpu;
    most = std::max(most, t.cpu);
  }
  const double mean = sum / n;
  if (n == 1) cpuOfOne[mib] = mean;
  state.counters["cpu_s_per_job"] = mean;
  state.counters["cpu_s_slowest"] = most;
  if (cpuOfOne[mib] > 0) state.counters["x_one_copy"] = mean / cpuOfOne[mib];
}

void Register(const std::string& job, int mib) {
  for (const int n : copies)
    benchmark::RegisterBenchmark(("machine/" + job + "/copies:" + std::to_string(n)).c_str(), Copies, mib, n)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kSecond);
}

}  // namespace

int main(int argc, char** argv) {
  TakeOptions(argc, argv);
  Register("compute", 0);
  for (const int mib : walkMiB) Register("walk/mib:" + std::to_string(mib), mib);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
