#include "support/bench_session.h"

#include "host/product_facade.h"
#include "shared/session.h"
#include "suite/services/register_suite_objects.h"
#include "suite/services/suite_login_context.h"
#include "support/bench_database.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace corvane::bench {
namespace {

std::unique_ptr<suite::SuiteLoginContext> login;

}  // namespace

double ResidentMiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
  return 0;
}

int BenchMessages::Present(const platform::MessageRequest& request) {
  if (quiet) return answer;
  std::fprintf(stderr, "message: %s\n", qPrintable(request.prompt));
  std::abort();
}

BenchMessages& Messages() {
  static BenchMessages messages;
  return messages;
}

void StartBenchSession(int& argc, char** argv) {
  InitBenchApplication(argc, argv);
  platform::MessagePresenter::Install(&Messages());
}

void BenchLogIn(platform::DbConnection& db) {
  static platform::DbConnection* loggedInto = nullptr;
  static host::clsProductFacade facade;
  if (loggedInto == &db) return;
  loggedInto = &db;
  shared::Session::Current().windows.UnloadAll();
  suite::LoginValues v;
  v.userId = QStringLiteral("bench");
  v.accountSetKey = QStringLiteral("001");
  v.year = 2026;
  v.userName = QStringLiteral("bench");
  v.loginDate = QDate(2026, 12, 31);
  login = std::make_unique<suite::SuiteLoginContext>(db, v, nullptr);
  suite::RegisterSuiteObjects(nullptr, login.get());
  shared::Session::Current().systemFolder = QStringLiteral("/nonexistent");
  // Whatever short date format the machine's locale has: the start-up guard is not measured.
  shared::Session::Current().dateTextFormat = QStringLiteral("yyyy-MM-dd");
  BenchMessages& messages = Messages();
  const bool wasQuiet = messages.quiet;
  const int wasAnswer = messages.answer;
  messages.quiet = true;
  messages.answer = 1;
  facade.Login(login.get());
  messages.quiet = wasQuiet;
  messages.answer = wasAnswer;
}

void EndBenchSession() {
  shared::Session& s = shared::Session::Current();
  s.windows.UnloadAll();
  s.gCommonServices.reset();
  s.gCashServices.reset();
  login.reset();
}

int RunPerEngine(int& argc, char** argv, const char* group,
                 std::initializer_list<std::pair<const char*, EngineBenchmark>> benchmarks) {
  for (const QString& engine : BenchEngines()) {
    for (const auto& [name, function] : benchmarks) {
      const QString full = QLatin1String(group) + QLatin1Char('/') + QLatin1String(name) + QLatin1Char('/') + engine;
      benchmark::RegisterBenchmark(full.toStdString().c_str(), function, engine)->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  EndBenchSession();
  return 0;
}

}  // namespace corvane::bench
