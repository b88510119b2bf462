#include "suite/db/open_db_connection.h"

#include "platform/db/db_error.h"
#include "platform/db/text_key.h"
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

// The layout a database of this version has. SQLite files of the first layout
// kept amounts as decimals and compared keys by ASCII letter case only.
constexpr int kSqliteLayout = 2;

void RequireCurrentSqliteLayout(SqliteConnection& lite) {
  const bool hasTables =
      lite.QueryValue(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = 'code'")).ToInt() > 0;
  const long long layout = lite.QueryValue(QStringLiteral("pragma user_version")).ToInt();
  if (hasTables && layout < kSqliteLayout)
    throw platform::DbError(QStringLiteral(
        "The database %1 was written by an older version of Corvane (amounts as decimals, codes compared by "
        "ASCII letter case only). Make it again with corvane-makedb.").arg(lite.GetConnectionString()));
}

// Without ICU the server cannot compare keys as the rest of the system does;
// a schema that silently compared differently would split or merge accounts.
void RequireKeyCollation(PostgresConnection& pg) {
  const long long icu =
      pg.QueryValue(QStringLiteral("select count(*) from pg_collation where collprovider = 'i'")).ToInt();
  if (icu == 0)
    throw platform::DbError(QStringLiteral(
        "The PostgreSQL server has no ICU collations (it was built without ICU): Corvane needs ICU to compare "
        "codes by its key rule. Use a server built with ICU."));
  const platform::ResultSet r = pg.Query(QStringLiteral(
      "select * from pg_collation where collname = 'ci' and collnamespace = "
      "(select oid from pg_namespace where nspname = current_schema())"));
  if (r.rows.empty()) return;
  for (const char* column : {"colliculocale", "colllocale"}) {
    const int c = static_cast<int>(r.columns.indexOf(QLatin1String(column)));
    if (c >= 0 && r.rows[0][c].ToString() != QLatin1String(platform::TextKey::kLocale))
      throw platform::DbError(QStringLiteral(
          "The database's key collation ci is \"%1\", not \"%2\": the schema was made by an older version of "
          "Corvane. Make it again with corvane-makedb.").arg(r.rows[0][c].ToString(), QLatin1String(platform::TextKey::kLocale)));
  }
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
    pg->Execute(QStringLiteral("select pg_advisory_lock(7301305)"));
    try {
      RequireKeyCollation(*pg);
      pg->ExecuteScript(ReadResource(QStringLiteral(":/schema/postgres.sql")));
      pg->ExecuteScript(ReadResource(QStringLiteral(":/schema/postgres_suite.sql")));
    } catch (...) {
      pg->Execute(QStringLiteral("select pg_advisory_unlock(7301305)"));
      throw;
    }
    pg->Execute(QStringLiteral("select pg_advisory_unlock(7301305)"));
  } else if (auto* lite = dynamic_cast<SqliteConnection*>(&connection)) {
    RequireCurrentSqliteLayout(*lite);
    lite->ExecuteScript(ReadResource(QStringLiteral(":/schema/sqlite.sql")));
    lite->ExecuteScript(ReadResource(QStringLiteral(":/schema/sqlite_suite.sql")));
    lite->Execute(QStringLiteral("pragma user_version = %1").arg(kSqliteLayout));
  } else {
    throw platform::DbError(QStringLiteral("Unknown database engine"));
  }
}

}  // namespace corvane::suite
