#include "suite/db/open_db_connection.h"

#include "platform/db/db_error.h"
#include "suite/db/postgres_connection.h"
#include "suite/db/sqlite_connection.h"

#include <QFile>

static void InitSchemaResources() { Q_INIT_RESOURCE(schema); }

namespace corvane::suite {

namespace {

bool IsPostgres(const QString& s) {
  return s.startsWith(QLatin1String("postgresql://")) || s.startsWith(QLatin1String("postgres://")) ||
         s.startsWith(QLatin1String("pg:"));
}

QString ReadResource(const QString& path) {
  InitSchemaResources();
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw platform::DbError(QStringLiteral("Missing schema %1").arg(path));
  return QString::fromUtf8(f.readAll());
}

// Without ICU the server cannot compare keys as the rest of the system does;
// a schema that silently compared differently would split or merge accounts.
void RequireIcu(PostgresConnection& pg) {
  const long long icu =
      pg.QueryValue(QStringLiteral("select count(*) from pg_collation where collprovider = 'i'")).ToInt();
  if (icu == 0)
    throw platform::DbError(QStringLiteral(
        "The PostgreSQL server has no ICU collations (it was built without ICU): Corvane needs ICU to compare "
        "codes by its key rule. Use a server built with ICU."));
}

}  // namespace

std::unique_ptr<platform::DbConnection> OpenDbConnection(const QString& connectionString) {
  if (IsPostgres(connectionString)) return std::make_unique<PostgresConnection>(connectionString);
  return std::make_unique<SqliteConnection>(connectionString);
}

void InstallSchema(platform::DbConnection& connection) {
  if (auto* pg = dynamic_cast<PostgresConnection*>(&connection)) {
    // Two sessions creating the schema at once would trip over each other's
    // collation and tables: the first takes an advisory lock, the second waits.
    // Installing waits for that lock and for the tables' locks (an index
    // statement takes one even when the index exists): no user's row lock, so
    // the 5 s lock timeout of the connection does not apply meanwhile.
    pg->Execute(QStringLiteral("set lock_timeout = 0"));
    pg->Execute(QStringLiteral("select pg_advisory_lock(7301305)"));
    try {
      RequireIcu(*pg);
      pg->ExecuteScript(ReadResource(QStringLiteral(":/schema/postgres.sql")));
      pg->ExecuteScript(ReadResource(QStringLiteral(":/schema/postgres_suite.sql")));
    } catch (...) {
      pg->Execute(QStringLiteral("select pg_advisory_unlock(7301305)"));
      pg->Execute(QStringLiteral("set lock_timeout = '5s'"));
      throw;
    }
    pg->Execute(QStringLiteral("select pg_advisory_unlock(7301305)"));
    pg->Execute(QStringLiteral("set lock_timeout = '5s'"));
  } else if (auto* lite = dynamic_cast<SqliteConnection*>(&connection)) {
    lite->ExecuteScript(ReadResource(QStringLiteral(":/schema/sqlite.sql")));
    lite->ExecuteScript(ReadResource(QStringLiteral(":/schema/sqlite_suite.sql")));
    lite->Execute(QStringLiteral("pragma user_version = %1").arg(SqliteConnection::kLayout));
  } else {
    throw platform::DbError(QStringLiteral("Unknown database engine"));
  }
}

}  // namespace corvane::suite
