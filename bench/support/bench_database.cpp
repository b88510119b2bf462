#include "support/bench_database.h"

#include "suite/db/open_db_connection.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>
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

suite::BenchDataOptions DataSet(int oneAccountLines, int manyAccounts, int manyLines) {
  suite::BenchDataOptions o;
  o.oneAccountLines = oneAccountLines;
  o.manyAccounts = manyAccounts;
  o.manyLines = manyLines;
  return o;
}

}  // namespace

suite::BenchDataOptions OneAccount() { return DataSet(100000, 0, 0); }
suite::BenchDataOptions ManyAccounts() { return DataSet(0, 1000, 1000000); }
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
    opened.connection = suite::OpenDbConnection(PostgresBase(database) + QStringLiteral("?options=-csearch_path%3D") +
                                                opened.schema + QStringLiteral("%2Cpublic"));
  } else {
    opened.connection = suite::OpenDbConnection(
        QStringLiteral("sqlite:") + TempDir().filePath(QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".db")));
  }
  suite::InstallSchema(*opened.connection);
  std::fprintf(stderr, "Generating benchmark data on %s ...\n", qPrintable(engine));
  suite::GenerateBenchData(*opened.connection, options);
  opened.connection->Execute(QStringLiteral("analyze"));

  auto& slot = Cache()[key];
  slot = std::move(opened);
  return *slot.connection;
}

void InitBenchApplication(int& argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  // The caches must outlive the exit handler that empties them: made first, destroyed last.
  Cache();
  TempDir();
  std::atexit(DropSchemas);
}

}  // namespace corvane::bench
