#include "suite/db/sqlite_connection.h"

#include "platform/db/database_files.h"
#include "platform/db/db_error.h"
#include "platform/db/text_key.h"
#include "suite/db/sqlite_balance_sums.h"

#include <sqlite3.h>

#include <memory>
#include <utility>

namespace corvane::suite {

using platform::DatabaseFiles;
using platform::DbError;
using platform::DbParams;
using platform::DbValue;
using platform::Money;
using platform::ResultSet;

namespace {

struct StmtCloser {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtCloser>;

enum class DeclaredKind { Other, Computed, Date, Money };

DeclaredKind KindOf(const char* decl) {
  if (!decl) return DeclaredKind::Computed;
  const QString d = QString::fromLatin1(decl).toLower();
  if (d.startsWith(QLatin1String("date"))) return DeclaredKind::Date;
  if (d.startsWith(QLatin1String("numeric")) || d.startsWith(QLatin1String("decimal")) ||
      d.startsWith(QLatin1String("money")))
    return DeclaredKind::Money;
  return DeclaredKind::Other;
}

// A money column holding anything but a whole count of ten-thousandths was
// written by an older layout (amounts as decimals) or around the layer.
[[noreturn]] void NotTenThousandths(sqlite3_stmt* stmt, int col) {
  const QString column = QString::fromUtf8(sqlite3_column_name(stmt, col));
  const QString value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, col)));
  throw DbError(QStringLiteral("The money column %1 holds \"%2\", not a count of ten-thousandths: "
                               "the database was written by an older version").arg(column, value),
                DbError::Unread{DbError::Unread::As::Amount, column, value});
}

// A date column holding text that is no calendar day ("2026-01-32") was written
// around the layer's check: read as no date, its line would be shown undated,
// put at another date or left out of a list whose sums still count it.
[[noreturn]] void NotADay(sqlite3_stmt* stmt, int col, const QString& text) {
  throw DbError::UnreadableDate(QString::fromUtf8(sqlite3_column_name(stmt, col)), text);
}

DbValue ReadColumn(sqlite3_stmt* stmt, int col, DeclaredKind kind) {
  switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_NULL:
      return {};
    case SQLITE_INTEGER: {
      // Money columns hold ten-thousandths, and so do sums and other computed
      // values over them (a column of no declared type).
      const sqlite3_int64 v = sqlite3_column_int64(stmt, col);
      if (kind == DeclaredKind::Money) return Money::FromRaw(v);
      if (kind == DeclaredKind::Computed) return DbValue::ComputedInteger(v);
      return DbValue(static_cast<long long>(v));
    }
    case SQLITE_FLOAT: {
      const double v = sqlite3_column_double(stmt, col);
      if (kind == DeclaredKind::Money) NotTenThousandths(stmt, col);
      return v;
    }
    default: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
      QString s = QString::fromUtf8(text, sqlite3_column_bytes(stmt, col));
      if (kind == DeclaredKind::Date) {
        const QDate d = DbValue(s).ToDate();
        if (d.isValid()) return d;
        if (!s.trimmed().isEmpty()) NotADay(stmt, col, s);
      }
      if (kind == DeclaredKind::Money) NotTenThousandths(stmt, col);
      return s;
    }
  }
}

int CompareKeys(void*, int aLength, const void* a, int bLength, const void* b) {
  return platform::TextKey::CompareUtf8(static_cast<const char*>(a), aLength, static_cast<const char*>(b), bLength);
}

}  // namespace

SqliteConnection::SqliteConnection(const QString& connectionString) : connectionString_(connectionString) {
  QString path = connectionString;
  if (path.startsWith(QLatin1String("sqlite:"))) path = path.mid(7);
  const QByteArray p = path.toUtf8();
  if (sqlite3_open_v2(p.constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI,
                      nullptr) != SQLITE_OK) {
    const QString err = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
    sqlite3_close(db_);
    db_ = nullptr;
    throw DbError(QStringLiteral("Cannot open the database %1: %2").arg(path, err));
  }
  file_ = QString::fromUtf8(sqlite3_db_filename(db_, "main"));
  DatabaseFiles::Add(file_);
  sqlite3_busy_timeout(db_, 5000);
  // Text keys compare by the one rule of platform::TextKey, as PostgreSQL's "ci" does.
  sqlite3_create_collation_v2(db_, "ci", SQLITE_UTF8, nullptr, &CompareKeys, nullptr);
  RegisterBalanceSums(db_, &refusedDate_);
  sqlite3_exec(db_, "pragma foreign_keys=on", nullptr, nullptr, nullptr);
  // The suite's database takes readers beside a writer. A file named by a
  // "file:" URI is a shared file of another kind (the print formats, which other
  // programs open too): it keeps the journal it has.
  if (!path.startsWith(QLatin1String("file:")))
    sqlite3_exec(db_, "pragma journal_mode=wal", nullptr, nullptr, nullptr);
  try {
    RequireCurrentLayout();
  } catch (...) {
    Close();
    throw;
  }
}

void SqliteConnection::RequireCurrentLayout() {
  // Amounts of an older file would read 10,000 times too small: refuse it whole.
  // A file that is no database at all is said by the first statement that reads it.
  long long layout = kLayout;
  try {
    if (QueryValue(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = 'code'")).ToInt() > 0)
      layout = QueryValue(QStringLiteral("pragma user_version")).ToInt();
  } catch (const DbError&) {
  }
  if (layout >= kLayout) return;
  throw DbError(QStringLiteral("The database %1 was written by an older version of Corvane (amounts as decimals, "
                               "codes compared by ASCII letter case only). Make it again with corvane-makedb.")
                    .arg(connectionString_));
}

SqliteConnection::~SqliteConnection() { Close(); }

// Any text but "YYYY-MM-DD" of a calendar day; blank text reads as no date.
// date() alone takes any day up to 31 in any month ("2026-02-30" stays itself);
// through the day number the text becomes that of the day it stands for
// ("2026-03-02"), or none ("2026-01-32"). The index of the account's dates cannot
// place such a text, so the lookup walks the account's entries of that index
// (never its rows).
QString SqliteConnection::UnreadableDateSql(const QString& column) const {
  return QStringLiteral("(trim(%1) <> '' and %1 is not date(julianday(%1)))").arg(column);
}

bool SqliteConnection::ProvidesFunction(const char* name) const {
  return IsBalanceSumsFunction(name);
}

void SqliteConnection::Close() {
  if (inTransaction_) NoteTransactionEnded(false);
  if (db_) {
    sqlite3_close_v2(db_);
    DatabaseFiles::Remove(file_);
  }
  db_ = nullptr;
  inTransaction_ = false;
}

void SqliteConnection::RequireOpen() const {
  if (!db_) throw DbError(QStringLiteral("The database connection is closed"));
}

void SqliteConnection::Fail(const QString& what) {
  // The busy timeout ran out while another connection held the database.
  const int code = sqlite3_errcode(db_);
  // A stored value the balance aggregates cannot read: their text names it. A
  // date they refused is kept as the value (which column held it they cannot
  // tell; the query that called them can).
  if (code == SQLITE_MISMATCH) {
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    if (refusedDate_.empty()) throw DbError(message, DbError::Kind::Unreadable);
    const QString date = QString::fromStdString(std::exchange(refusedDate_, {}));
    throw DbError(message, DbError::Unread{DbError::Unread::As::Date, QString(), date});
  }
  const DbError::Kind kind = code == SQLITE_BUSY || code == SQLITE_LOCKED ? DbError::Kind::Busy : DbError::Kind::Other;
  throw DbError(QStringLiteral("%1: %2").arg(QString::fromUtf8(sqlite3_errmsg(db_)), what), kind);
}

sqlite3_stmt* SqliteConnection::Prepare(const QString& sql) {
  RequireOpen();
  sqlite3_stmt* stmt = nullptr;
  const QByteArray text = sql.toUtf8();
  if (sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &stmt, nullptr) != SQLITE_OK)
    Fail(sql);
  if (!stmt) throw DbError(QStringLiteral("Empty statement"));
  return stmt;
}

// A date of years 1 to 9999 as the text the database stores ("yyyy-MM-dd"),
// written straight into ten bytes: a matching run binds one per ticked line, and
// the way through QString and UTF-8 cost a tenth of the run. Other dates (none
// is valid in a column) keep the general way.
bool SqliteConnection::IsoDate(const QDate& date, char (&out)[10]) {
  int y = 0, m = 0, d = 0;
  date.getDate(&y, &m, &d);
  if (!date.isValid() || y < 1 || y > 9999) return false;
  const auto put = [&out](int at, int value, int digits) {
    for (int i = digits - 1; i >= 0; --i, value /= 10) out[at + i] = static_cast<char>('0' + value % 10);
  };
  put(0, y, 4);
  out[4] = '-';
  put(5, m, 2);
  out[7] = '-';
  put(8, d, 2);
  return true;
}

void SqliteConnection::Bind(sqlite3_stmt* stmt, const DbParams& params) {
  if (sqlite3_bind_parameter_count(stmt) != static_cast<int>(params.size()))
    throw DbError(QStringLiteral("The statement has %1 marks and %2 values: %3")
                      .arg(sqlite3_bind_parameter_count(stmt))
                      .arg(params.size())
                      .arg(QString::fromUtf8(sqlite3_sql(stmt))));
  sqlite3_reset(stmt);
  for (size_t i = 0; i < params.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    const DbValue& v = params[i];
    int rc = SQLITE_OK;
    if (v.IsNull()) rc = sqlite3_bind_null(stmt, n);
    else if (v.IsInteger()) rc = sqlite3_bind_int64(stmt, n, v.ToInt());
    else if (v.IsDouble()) rc = sqlite3_bind_double(stmt, n, v.ToDouble());
    else if (v.IsMoney()) rc = sqlite3_bind_int64(stmt, n, v.ToMoney().Raw());  // ten-thousandths, as stored
    else if (char iso[10]; v.IsDate() && IsoDate(v.ToDate(), iso))
      rc = sqlite3_bind_text(stmt, n, iso, sizeof iso, SQLITE_TRANSIENT);
    else {
      const QByteArray text = v.ToString().toUtf8();
      rc = sqlite3_bind_text(stmt, n, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) Fail(QStringLiteral("binding value %1").arg(n));
  }
}

long long SqliteConnection::Execute(const QString& sql, const DbParams& params) {
  StmtPtr stmt(Prepare(sql));
  Bind(stmt.get(), params);
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) Fail(sql);
  return sqlite3_changes64(db_);
}

long long SqliteConnection::ExecuteBatch(const QString& sql, const std::vector<DbParams>& rows) {
  StmtPtr stmt(Prepare(sql));
  long long changed = 0;
  for (const DbParams& params : rows) {
    Bind(stmt.get(), params);
    const int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) Fail(sql);
    changed += sqlite3_changes64(db_);
  }
  return changed;
}

ResultSet SqliteConnection::Query(const QString& sql, const DbParams& params) {
  StmtPtr stmt(Prepare(sql));
  Bind(stmt.get(), params);
  ResultSet result;
  const int n = sqlite3_column_count(stmt.get());
  std::vector<DeclaredKind> kinds(n);
  for (int c = 0; c < n; ++c) {
    result.columns << QString::fromUtf8(sqlite3_column_name(stmt.get(), c));
    kinds[c] = KindOf(sqlite3_column_decltype(stmt.get(), c));
  }
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    std::vector<DbValue> row;
    row.reserve(n);
    for (int c = 0; c < n; ++c) row.push_back(ReadColumn(stmt.get(), c, kinds[c]));
    result.rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) Fail(sql);
  return result;
}

void SqliteConnection::ForEachRow(const QString& sql, const DbParams& params, const RowVisitor& visit) {
  StmtPtr stmt(Prepare(sql));
  Bind(stmt.get(), params);
  const int n = sqlite3_column_count(stmt.get());
  std::vector<DeclaredKind> kinds(n);
  for (int c = 0; c < n; ++c) kinds[c] = KindOf(sqlite3_column_decltype(stmt.get(), c));
  std::vector<DbValue> row(n);
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    for (int c = 0; c < n; ++c) row[c] = ReadColumn(stmt.get(), c, kinds[c]);
    visit(row);
  }
  if (rc != SQLITE_DONE) Fail(sql);
}

void SqliteConnection::BeginTrans() {
  if (inTransaction_) throw DbError(QStringLiteral("A transaction is already open"));
  Execute(QStringLiteral("begin immediate"));
  NoteTransactionBegun();
  inTransaction_ = true;
}

void SqliteConnection::SerializeOnAccount(const QString&) {
  // Every transaction here begins immediate: it holds the database's write lock
  // from its start, which serialises it on every account at once.
  if (!inTransaction_) throw DbError(QStringLiteral("An account is serialised on inside a transaction only"));
}

void SqliteConnection::CommitTrans() {
  if (!inTransaction_) throw DbError(QStringLiteral("No transaction to commit"));
  Execute(QStringLiteral("commit"));
  inTransaction_ = false;
  NoteTransactionEnded(true);
}

void SqliteConnection::RollbackTrans() {
  if (!inTransaction_) return;
  inTransaction_ = false;
  NoteTransactionEnded(false);
  if (sqlite3_get_autocommit(db_) == 0) Execute(QStringLiteral("rollback"));
}

QString SqliteConnection::PrimaryKeyOf(const QString& table) {
  const QString key = table.toLower();
  if (auto it = primaryKeys_.find(key); it != primaryKeys_.end()) return *it;
  ResultSet r = Query(QStringLiteral("select name from pragma_table_info(?) where pk=1"), {table});
  const QString pk = r.rows.size() == 1 ? r.rows[0][0].ToString() : QString();
  primaryKeys_.insert(key, pk);
  return pk;
}

void SqliteConnection::ExecuteScript(const QString& script) {
  RequireOpen();
  char* err = nullptr;
  const QByteArray text = script.toUtf8();
  if (sqlite3_exec(db_, text.constData(), nullptr, nullptr, &err) != SQLITE_OK) {
    const QString msg = QString::fromUtf8(err ? err : "unknown error");
    sqlite3_free(err);
    throw DbError(QStringLiteral("Script failed: %1").arg(msg));
  }
}

}  // namespace corvane::suite
