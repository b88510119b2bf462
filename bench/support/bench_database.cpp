#include "support/bench_database.h"

#include "suite/db/open_db_connection.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace corvane::bench {

namespace {

QString Env(const char* name, const char* fallback) {
  const QString v = qEnvironmentVariable(name);
  return v.isEmpty() ? QString::fromLatin1(fallback) : v;
}

QString PostgresBase(const QString& database) {
  return QStringLiteral("postgresql://%1@%2:%3/%4")
      .arg(Env("PGUSER", "postgres"), Env("PGHOST", "127.0.0.1"), Env("PGPORT", "5432"), database);
}

struct Opened {
  std::unique_ptr<platform::DbConnection> connection;
  QString schema;
  QString uri;  // what another process opens to reach the same data
};

std::map<QString, Opened>& Cache() {
  static std::map<QString, Opened> cache;
  return cache;
}

QTemporaryDir& TempDir() {
  static QTemporaryDir dir;
  return dir;
}

void DropSchemas() {
  for (auto& [engine, opened] : Cache()) {
    if (opened.schema.isEmpty()) continue;
    opened.connection.reset();
    try {
      auto admin = suite::OpenDbConnection(PostgresBase(Env("PGDATABASE", "corvane_bench")));
      admin->Execute(QStringLiteral("drop schema ") + opened.schema + QStringLiteral(" cascade"));
    } catch (...) {
    }
  }
  Cache().clear();
}

}  // namespace

namespace {

suite::BenchDataOptions DataSet(int oneAccountLines, int manyAccounts, long long manyLines) {
  suite::BenchDataOptions o;
  o.oneAccountLines = oneAccountLines;
  o.manyAccounts = manyAccounts;
  o.manyLines = manyLines;
  return o;
}

// A size option: its flag on the command line (taken out of argv, so the
// benchmark library does not see it), else its environment variable, else the default.
struct SizeOption {
  const char* flag;
  const char* variable;
  long long value;  // -1: not given
};

SizeOption sizes[] = {{"--lines=", "CORVANE_BENCH_LINES", -1},
                      {"--accounts=", "CORVANE_BENCH_ACCOUNTS", -1},
                      {"--many-lines=", "CORVANE_BENCH_MANY_LINES", -1}};

long long SizeOr(const SizeOption& o, long long fallback) { return o.value < 0 ? fallback : o.value; }

long long ParseSize(const QString& text, const char* what) {
  // "25k", "1m" and plain numbers.
  QString t = text.trimmed().toLower();
  long long scale = 1;
  if (t.endsWith(QLatin1Char('k'))) scale = 1000;
  if (t.endsWith(QLatin1Char('m'))) scale = 1000000;
  if (scale > 1) t.chop(1);
  bool ok = false;
  const long long n = t.toLongLong(&ok);
  if (!ok || n < 0) {
    std::fprintf(stderr, "%s: \"%s\" is no size\n", what, qPrintable(text));
    std::exit(2);
  }
  return n * scale;
}

}  // namespace

void TakeSizeOptions(int& argc, char** argv) {
  for (SizeOption& o : sizes)
    if (!qEnvironmentVariableIsEmpty(o.variable)) o.value = ParseSize(qEnvironmentVariable(o.variable), o.variable);
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    bool taken = false;
    for (SizeOption& o : sizes) {
      const size_t n = std::strlen(o.flag);
      if (std::strncmp(argv[i], o.flag, n) != 0) continue;
      o.value = ParseSize(QString::fromLocal8Bit(argv[i] + n), o.flag);
      taken = true;
    }
    if (!taken) argv[kept++] = argv[i];
  }
  argc = kept;
}

long long BenchLines(long long fallback) { return SizeOr(sizes[0], fallback); }

suite::BenchDataOptions OneAccount() { return DataSet(static_cast<int>(BenchLines(100000)), 0, 0); }
suite::BenchDataOptions ManyAccounts() {
  return DataSet(0, static_cast<int>(SizeOr(sizes[1], 1000)), SizeOr(sizes[2], 1000000));
}
suite::BenchDataOptions BaseOnly() { return DataSet(0, 0, 0); }

QStringList BenchEngines() {
  QStringList engines{QStringLiteral("sqlite")};
  if (!qEnvironmentVariableIsEmpty("PGHOST")) engines << QStringLiteral("postgres");
  return engines;
}

platform::DbConnection& BenchDatabase(const QString& engine, const suite::BenchDataOptions& options) {
  const QString key = QStringLiteral("%1/%2/%3/%4").arg(engine).arg(options.oneAccountLines).arg(options.manyAccounts).arg(options.manyLines);
  auto it = Cache().find(key);
  if (it != Cache().end()) return *it->second.connection;
  Opened opened;
  if (engine == QLatin1String("postgres")) {
    const QString database = Env("PGDATABASE", "corvane_bench");
    try {
      suite::OpenDbConnection(PostgresBase(database));
    } catch (...) {
      suite::OpenDbConnection(PostgresBase(QStringLiteral("postgres")))
          ->Execute(QStringLiteral("create database ") + database);
    }
    opened.schema = QStringLiteral("b_") + QUuid::createUuid().toString(QUuid::Id128).left(12);
    suite::OpenDbConnection(PostgresBase(database))->Execute(QStringLiteral("create schema ") + opened.schema);
    opened.uri = PostgresBase(database) + QStringLiteral("?options=-csearch_path%3D") + opened.schema +
                 QStringLiteral("%2Cpublic");
    opened.connection = suite::OpenDbConnection(opened.uri);
  } else {
    opened.uri = QStringLiteral("sqlite:") + TempDir().filePath(QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".db"));
    opened.connection = suite::OpenDbConnection(opened.uri);
  }
  suite::InstallSchema(*opened.connection);
  std::fprintf(stderr, "Generating benchmark data on %s ...\n", qPrintable(engine));
  suite::GenerateBenchData(*opened.connection, options);

  auto& slot = Cache()[key];
  slot = std::move(opened);
  return *slot.connection;
}

QString BenchDatabaseUri(const platform::DbConnection& db) {
  for (const auto& [key, opened] : Cache())
    if (opened.connection.get() == &db) return opened.uri;
  return {};
}

void InitBenchApplication(int& argc, char** argv) {
  TakeSizeOptions(argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  // The caches must outlive the exit handler that empties them: made first, destroyed last.
  Cache();
  TempDir();
  std::atexit(DropSchemas);
}

}  // namespace corvane::bench
