#include "test_database.h"

#include "platform/db/db_error.h"
#include "suite/db/open_db_connection.h"

#include <QUuid>
#include <QUrl>

namespace corvane::testing {

namespace {

QString Env(const char* name, const char* fallback) {
  const QString v = qEnvironmentVariable(name);
  return v.isEmpty() ? QString::fromLatin1(fallback) : v;
}

// A URI to the test server whose sessions all work in the given schema.
QString PostgresUri(const QString& schema) {
  QString base = qEnvironmentVariable("CORVANE_TEST_PG");
  if (base.isEmpty()) {
    base = QStringLiteral("postgresql://%1@%2:%3/%4")
               .arg(Env("PGUSER", "postgres"), Env("PGHOST", "127.0.0.1"), Env("PGPORT", "5432"),
                    Env("PGDATABASE", "corvane_test"));
  }
  if (schema.isEmpty()) return base;
  const QString sep = base.contains(QLatin1Char('?')) ? QStringLiteral("&") : QStringLiteral("?");
  return base + sep + QStringLiteral("options=-csearch_path%3D") + schema + QStringLiteral("%2Cpublic");
}

}  // namespace

QString TestDatabase::EngineName() { return Env("CORVANE_TEST_ENGINE", "sqlite"); }

void TestDatabase::StoreDateText(const QString& table, const QString& column, const QString& where,
                                 const platform::DbParams& params, const QString& text) {
  platform::DbParams values{text};
  values.insert(values.end(), params.begin(), params.end());
  const QString sql = QStringLiteral("update %1 set %2=? where %3").arg(table, column, where);
  if (!postgres_) connection_->Execute(QStringLiteral("pragma ignore_check_constraints=1"));
  const long long stored = connection_->Execute(sql, values);
  if (!postgres_) connection_->Execute(QStringLiteral("pragma ignore_check_constraints=0"));
  if (stored != 1) throw platform::DbError(QStringLiteral("%1 rows for one: %2").arg(stored).arg(sql));
}

TestDatabase::TestDatabase() {
  postgres_ = EngineName() == QLatin1String("postgres");
  if (postgres_) {
    schema_ = QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    {
      auto admin = suite::OpenDbConnection(PostgresUri(QString()));
      admin->Execute(QStringLiteral("create schema ") + schema_);
    }
    connectionString_ = PostgresUri(schema_);
  } else {
    if (!dir_.isValid()) throw platform::DbError(QStringLiteral("No temporary folder for the test database"));
    connectionString_ = QStringLiteral("sqlite:") + dir_.filePath(QStringLiteral("test.db"));
  }
  connection_ = suite::OpenDbConnection(connectionString_);
  suite::InstallSchema(*connection_);
}

TestDatabase::~TestDatabase() {
  connection_.reset();
  if (!postgres_) return;
  try {
    auto admin = suite::OpenDbConnection(PostgresUri(QString()));
    admin->Execute(QStringLiteral("drop schema ") + schema_ + QStringLiteral(" cascade"));
  } catch (const platform::DbError&) {
    // A schema left behind is dropped with the throw-away cluster.
  }
}

std::unique_ptr<platform::DbConnection> TestDatabase::OpenAnother() const {
  return suite::OpenDbConnection(connectionString_);
}

}  // namespace corvane::testing
