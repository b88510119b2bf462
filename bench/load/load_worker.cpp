#include "load/load_worker.h"

#include "host/open_reconciliation.h"
#include "host/opener_steps.h"
#include "load/load_work.h"
#include "platform/services/common_services.h"
#include "shared/function_claim.h"
#include "shared/session.h"
#include "suite/db/open_db_connection.h"
#include "support/bench_session.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <iostream>
#include <string>

namespace corvane::bench {

namespace {

constexpr const char* kWorkerFlag = "--load-worker";

double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace

void LogInAndLock(platform::DbConnection& db, const QString& account) {
  BenchLogIn(db);
  if (!host::ClaimAndLock(host::ReconciliationFunctionId(), account))
    throw std::runtime_error("the account's lock was refused");
}

void Unlock(const QString& account) {
  shared::Session::Current().Common().LockAccount(account, false);
  shared::ClaimFunction(host::ReconciliationFunctionId(), false);
}

QStringList LoadWorkerArguments(const QString& uri, const QString& account, double seconds) {
  return {QString::fromLatin1(kWorkerFlag), uri, account, QString::number(seconds)};
}

bool IsLoadWorker(int argc, char** argv, QString& uri, QString& account, double& seconds) {
  if (argc != 5 || std::strcmp(argv[1], kWorkerFlag) != 0) return false;
  uri = QString::fromLocal8Bit(argv[2]);
  account = QString::fromLocal8Bit(argv[3]);
  seconds = QString::fromLocal8Bit(argv[4]).toDouble();
  return true;
}

int RunLoadWorker(const QString& uri, const QString& account, double seconds) {
  using Clock = std::chrono::steady_clock;
  try {
    const auto db = suite::OpenDbConnection(uri);
    LogInAndLock(*db, account);
    AccountWork work(account);
    std::printf("ready\n");
    std::fflush(stdout);
    std::string go;
    std::getline(std::cin, go);
    long long ops = 0;
    const double cpu = ProcessCpuMs();
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    for (int op = 0; Clock::now() < end; op = (op + 1) % kLoadOps, ++ops) work.Run(static_cast<LoadOp>(op));
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("done ops=%lld seconds=%.4f cpu_ms=%.1f\n", ops, wall, ProcessCpuMs() - cpu);
    std::fflush(stdout);
    Unlock(account);
    EndBenchSession();  // before the connection the login uses goes
  } catch (const std::exception& e) {
    std::fprintf(stderr, "load worker on %s: %s\n", qPrintable(account), e.what());
    std::fflush(stderr);
    std::_Exit(1);
  }
  return 0;
}

}  // namespace corvane::bench
