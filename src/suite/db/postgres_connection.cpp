#include "suite/db/postgres_connection.h"

#include "platform/db/db_error.h"
#include "platform/db/text_key.h"
#include "suite/db/pg_array_param.h"

#include <libpq-fe.h>

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cstring>

#include <memory>

namespace corvane::suite {

using platform::DbError;
using platform::DbParams;
using platform::DbValue;
using platform::Money;
using platform::ResultSet;

namespace {

// Type numbers of the server's catalogue.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701,
              kNumeric = 1700, kDate = 1082, kTimestamp = 1114, kTimestampTz = 1184;

struct ResultCloser {
  void operator()(PGresult* r) const { PQclear(r); }
};
using ResultPtr = std::unique_ptr<PGresult, ResultCloser>;

Oid TypeOf(const DbValue& v) {
  if (v.IsInteger()) return kInt8;
  if (v.IsDouble()) return kFloat8;
  if (v.IsMoney()) return kNumeric;
  if (v.IsDate()) return kDate;
  return 0;  // text and NULL: the server takes the type the statement needs
}

// Values as text, kept alive while libpq reads them.
struct ParamBuffer {
  explicit ParamBuffer(const DbParams& params) {
    texts.reserve(params.size());
    for (const DbValue& v : params) {
      texts.push_back(v.IsMoney() ? v.ToMoney().ToPlainText().toUtf8() : v.ToString().toUtf8());
      types.push_back(TypeOf(v));
    }
    for (size_t i = 0; i < params.size(); ++i) values.push_back(params[i].IsNull() ? nullptr : texts[i].constData());
  }
  std::vector<QByteArray> texts;
  std::vector<const char*> values;
  std::vector<Oid> types;
};

DbValue ReadCell(const PGresult* r, int row, int col, Oid type, int typmod) {
  if (PQgetisnull(r, row, col)) return {};
  const char* raw = PQgetvalue(r, row, col);
  const int len = PQgetlength(r, row, col);
  switch (type) {
    case kBool: return DbValue(raw[0] == 't' ? 1 : 0);
    case kInt2: case kInt4: case kInt8: return DbValue(std::strtoll(raw, nullptr, 10));
    case kFloat4: case kFloat8: return DbValue(std::strtod(raw, nullptr));
    case kNumeric: {
      const int scale = typmod >= 4 ? ((typmod - 4) & 0xffff) : -1;
      if (scale > 4) return DbValue(std::strtod(raw, nullptr));
      const QString text = QString::fromLatin1(raw, len);
      if (const auto m = Money::Parse(text)) return *m;
      // numeric(19,4) holds more than Money does: refuse, never wrap or give 0.
      // A stored one was written by another program: its row cannot be read.
      throw DbError(platform::MoneyOutOfRangeText(text),
                    DbError::Unread{DbError::Unread::As::AmountRange, QString::fromUtf8(PQfname(r, col)), text});
    }
    case kDate: case kTimestamp: case kTimestampTz: {
      const QDate d = QDate::fromString(QString::fromLatin1(raw, std::min(len, 10)), Qt::ISODate);
      if (d.isValid()) return DbValue(d);
      // "infinity" and "-infinity", written by another program: read as no date,
      // the line would be shown undated, while every range condition places it
      // after or before all dates.
      throw DbError::UnreadableDate(QString::fromUtf8(PQfname(r, col)), QString::fromUtf8(raw, len));
    }
    default:
      return DbValue(QString::fromUtf8(raw, len));
  }
}

// Batches this large go as one set-based statement per chunk where they can.
constexpr size_t kSetBasedFrom = 200;

// One element of a text[] literal: NULL bare, anything else quoted.
QString ArrayElement(const DbValue& v) {
  if (v.IsNull()) return QStringLiteral("NULL");
  // Numbers need neither quotes nor escapes; they are most of a tick batch.
  if (v.IsInteger()) return QString::number(v.ToInt());
  if (v.IsMoney()) return v.ToMoney().ToPlainText();
  QString text = v.ToString();
  text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  text.replace(QLatin1Char('"'), QStringLiteral("\\\""));
  return QLatin1Char('"') + text + QLatin1Char('"');
}

// 55P03 lock_not_available (lock_timeout ran out), 40P01 deadlock_detected.
DbError::Kind KindOf(const PGresult* r) {
  const char* state = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
  if (state && (std::strcmp(state, "55P03") == 0 || std::strcmp(state, "40P01") == 0)) return DbError::Kind::Busy;
  return DbError::Kind::Other;
}

}  // namespace

// The endless dates: an equality each, so that an account's lookup is a probe
// of the index of its dates.
QString PostgresConnection::UnreadableDateSql(const QString& column) const {
  return QStringLiteral("%1 in ('infinity', '-infinity')").arg(column);
}

QString NumberPlaceholders(const QString& sql) {
  QString out;
  out.reserve(sql.size() + 16);
  bool quoted = false;
  int n = 0;
  for (QChar c : sql) {
    if (c == QLatin1Char('\'')) quoted = !quoted;
    if (c == QLatin1Char('?') && !quoted) out += QLatin1Char('$') + QString::number(++n);
    else out += c;
  }
  return out;
}

PostgresConnection::PostgresConnection(const QString& connectionString) : connectionString_(connectionString) {
  QString info = connectionString;
  if (info.startsWith(QLatin1String("pg:"))) info = info.mid(3);
  conn_ = PQconnectdb(info.toUtf8().constData());
  if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
    const QString err = conn_ ? QString::fromUtf8(PQerrorMessage(conn_)).trimmed() : QStringLiteral("out of memory");
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
    throw DbError(QStringLiteral("Cannot connect to the database: %1").arg(err));
  }
  try {
    SetUpSession();
  } catch (...) {
    Close();
    throw;
  }
}

void PostgresConnection::SetUpSession() {
  PQsetClientEncoding(conn_, "UTF8");
  Execute(QStringLiteral("set datestyle = 'ISO, YMD'"));
  Execute(QStringLiteral("set client_min_messages = warning"));
  // A row another session holds is waited for as long as SQLite waits for its
  // busy file, then the statement fails with a Busy DbError instead of hanging.
  Execute(QStringLiteral("set lock_timeout = '5s'"));
  RequireCurrentKeyCollation();
}

// A broken connection is made again by the next statement outside a
// transaction. Inside one it stays broken until the transaction is ended: what
// the transaction did went with the old connection, and its later statements
// must not run on their own as if it had not.
void PostgresConnection::Reconnect() {
  if (inTransaction_ || reconnecting_)
    throw DbError(QStringLiteral("The connection to the database server was lost"), DbError::Kind::ConnectionLost);
  PQreset(conn_);
  if (PQstatus(conn_) != CONNECTION_OK)
    throw DbError(QStringLiteral("Cannot connect to the database server again: %1")
                      .arg(QString::fromUtf8(PQerrorMessage(conn_)).trimmed()),
                  DbError::Kind::ConnectionLost);
  reconnecting_ = true;
  try {
    SetUpSession();
    NoteReconnected();
  } catch (...) {
    reconnecting_ = false;
    throw;
  }
  reconnecting_ = false;
}

void PostgresConnection::ThrowIfLost(const QString& clientText) const {
  if (PQstatus(conn_) == CONNECTION_BAD)
    throw DbError(QStringLiteral("The connection to the database server was lost: %1").arg(clientText),
                  DbError::Kind::ConnectionLost);
}

void PostgresConnection::RequireCurrentKeyCollation() {
  // A schema made with another key collation compares codes by another rule:
  // refuse it rather than split or merge accounts differently from the rest.
  const ResultSet r = Query(QStringLiteral(
      "select * from pg_collation where collname = 'ci' and collnamespace = "
      "(select oid from pg_namespace where nspname = current_schema())"));
  if (r.rows.empty()) return;
  for (const char* column : {"colliculocale", "colllocale"}) {
    const int c = static_cast<int>(r.columns.indexOf(QLatin1String(column)));
    if (c < 0 || r.rows[0][c].ToString() == QLatin1String(platform::TextKey::kLocale)) continue;
    const QString found = r.rows[0][c].ToString();
    throw DbError(QStringLiteral("The database's key collation ci is \"%1\", not \"%2\": its schema was made by an "
                                 "older version of Corvane. Make it again with corvane-makedb.")
                      .arg(found, QLatin1String(platform::TextKey::kLocale)));
  }
}

PostgresConnection::~PostgresConnection() { Close(); }

void PostgresConnection::Close() {
  if (inTransaction_) NoteTransactionEnded(false);
  if (conn_) PQfinish(conn_);
  conn_ = nullptr;
  inTransaction_ = false;
}

bool PostgresConnection::IsOpen() const { return conn_ && PQstatus(conn_) == CONNECTION_OK; }

int PostgresConnection::BackendPid() const { return conn_ ? PQbackendPID(conn_) : 0; }

void PostgresConnection::RequireOpen() {
  if (!conn_) throw DbError(QStringLiteral("The database connection is closed"));
  if (PQstatus(conn_) != CONNECTION_OK) Reconnect();
}

PGresult* PostgresConnection::Run(const QString& sql, const DbParams& params) {
  ParamBuffer buf(params);
  return Run(sql, static_cast<int>(params.size()), buf.types.data(), buf.values.data(), nullptr, nullptr);
}

PGresult* PostgresConnection::Run(const QString& sql, int count, const Oid* types, const char* const* values,
                                  const int* lengths, const int* formats) {
  RequireOpen();
  const QString numbered = NumberPlaceholders(sql);
  PGresult* r = PQexecParams(conn_, numbered.toUtf8().constData(), count, types, values, lengths, formats, 0);
  const ExecStatusType st = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
  if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK) {
    const QString err = QString::fromUtf8(r ? PQresultErrorMessage(r) : PQerrorMessage(conn_)).trimmed();
    const DbError::Kind kind = KindOf(r);
    PQclear(r);
    ThrowIfLost(err);
    throw DbError(QStringLiteral("%1: %2").arg(err, sql), kind);
  }
  return r;
}

long long PostgresConnection::Execute(const QString& sql, const DbParams& params) {
  ResultPtr r(Run(sql, params));
  const char* n = PQcmdTuples(r.get());
  return n && *n ? std::strtoll(n, nullptr, 10) : 0;
}

ResultSet PostgresConnection::Query(const QString& sql, const DbParams& params) {
  ResultPtr r(Run(sql, params));
  ResultSet out;
  const int cols = PQnfields(r.get());
  const int rows = PQntuples(r.get());
  std::vector<Oid> types(cols);
  std::vector<int> mods(cols);
  for (int c = 0; c < cols; ++c) {
    out.columns << QString::fromUtf8(PQfname(r.get(), c));
    types[c] = PQftype(r.get(), c);
    mods[c] = PQfmod(r.get(), c);
  }
  out.rows.reserve(rows);
  for (int i = 0; i < rows; ++i) {
    std::vector<DbValue> row;
    row.reserve(cols);
    for (int c = 0; c < cols; ++c) row.push_back(ReadCell(r.get(), i, c, types[c], mods[c]));
    out.rows.push_back(std::move(row));
  }
  return out;
}

void PostgresConnection::ForEachRow(const QString& sql, const DbParams& params, const RowVisitor& visit) {
  ResultPtr r(Run(sql, params));
  const int cols = PQnfields(r.get());
  const int rows = PQntuples(r.get());
  std::vector<Oid> types(cols);
  std::vector<int> mods(cols);
  for (int c = 0; c < cols; ++c) {
    types[c] = PQftype(r.get(), c);
    mods[c] = PQfmod(r.get(), c);
  }
  std::vector<DbValue> row(cols);
  for (int i = 0; i < rows; ++i) {
    for (int c = 0; c < cols; ++c) row[c] = ReadCell(r.get(), i, c, types[c], mods[c]);
    visit(row);
  }
}

long long PostgresConnection::ExecuteBatch(const QString& sql, const std::vector<DbParams>& rows) {
  RequireOpen();
  if (rows.empty()) return 0;
  if (rows.size() >= kSetBasedFrom) {
    if (const std::optional<long long> changed = ExecuteSetBased(sql, rows)) return *changed;
  }
  return ExecutePipelined(sql, rows);
}

QString PostgresConnection::ColumnType(const QString& table, const QString& column) {
  const QString key = table.toLower() + QLatin1Char('.') + column.toLower();
  if (auto it = columnTypes_.find(key); it != columnTypes_.end()) return *it;
  // The base type without its length or precision ("character varying", not
  // "character varying(10)"): a cast to the sized type would cut a long value
  // silently, while assigning the base value checks it as a plain UPDATE does.
  const ResultSet r = Query(QStringLiteral("select format_type(atttypid, null) from pg_attribute "
                                           "where attrelid = to_regclass(?) and attname = ? and attnum > 0 and not attisdropped"),
                            {table.toLower(), column.toLower()});
  const QString type = r.rows.size() == 1 ? r.rows[0][0].ToString() : QString();
  columnTypes_.insert(key, type);
  return type;
}

std::optional<long long> PostgresConnection::ExecuteSetBased(const QString& sql, const std::vector<DbParams>& rows) {
  // "update T set a=?, b=? where key=?", optionally followed by "and <guard>":
  // a condition on the row's current values whose own marks take the values
  // after the key (a write guarded by the state it was decided on).
  static const QRegularExpression statement(
      QStringLiteral("^\\s*update\\s+([A-Za-z_]\\w*)\\s+set\\s+(.+?)\\s+where\\s+([A-Za-z_]\\w*)\\s*=\\s*\\?"
                     "(?:\\s+and\\s+(.+?))?\\s*$"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression assignment(QStringLiteral("^\\s*([A-Za-z_]\\w*)\\s*=\\s*\\?\\s*$"));
  const auto m = statement.match(sql);
  if (!m.hasMatch()) return std::nullopt;
  const QString table = m.captured(1);
  QStringList columns;
  for (const QString& part : m.captured(2).split(QLatin1Char(','))) {
    const auto a = assignment.match(part);
    if (!a.hasMatch()) return std::nullopt;
    columns << a.captured(1);
  }
  columns << m.captured(3);  // the key, after the assignments as in the statement
  QStringList types;
  for (const QString& c : columns) {
    const QString t = ColumnType(table, c);
    if (t.isEmpty()) return std::nullopt;
    types << t;
  }
  const int keyIndex = static_cast<int>(columns.size()) - 1;
  const QString guard = m.captured(4);
  const int guardMarks = static_cast<int>(NumberPlaceholders(guard).count(QLatin1Char('$')));
  const int width = keyIndex + 1 + guardMarks;
  // UPDATE … FROM applies one source row per target row: with a key twice the
  // row-by-row order would matter, so such batches take the row-by-row road.
  // Text keys are the same key by the codes' rule ("Ｋ007 " is "k007"); which of
  // two spellings reached the row would otherwise depend on the server's plan.
  QSet<QByteArray> keys;
  for (const DbParams& row : rows) {
    if (row.size() != static_cast<size_t>(width) || row[keyIndex].IsNull()) return std::nullopt;
    const DbValue& value = row[keyIndex];
    const QByteArray key = value.IsText() ? platform::TextKey::Of(value.ToString())
                                          : QByteArrayLiteral("#") + value.ToString().toUtf8();
    if (keys.contains(key)) return std::nullopt;
    keys.insert(key);
  }
  // A guard's marks are typed by their values, the same in every row.
  for (int g = keyIndex + 1; g < width; ++g) {
    const DbValue& v = rows.front()[static_cast<size_t>(g)];
    const QString t = v.IsMoney() ? QStringLiteral("numeric") : v.IsInteger() ? QStringLiteral("bigint")
                      : v.IsDate() ? QStringLiteral("date") : QString();
    if (t.isEmpty()) return std::nullopt;
    for (const DbParams& row : rows)
      if (row[static_cast<size_t>(g)].IsNull() || TypeOf(row[static_cast<size_t>(g)]) != TypeOf(v)) return std::nullopt;
    types << t;
  }
  QString guardSql;
  for (int i = 0, mark = keyIndex + 1; i < guard.size(); ++i) {
    if (guard[i] == QLatin1Char('?')) guardSql += QStringLiteral("v.c%1").arg(mark++);
    else guardSql += guard[i];
  }
  QStringList sets, arrays, names;
  for (int c = 0; c < width; ++c) {
    // Each array arrives as its column's base type: the server reads every value
    // once, with no cast per row afterwards.
    arrays << QStringLiteral("?::%1[]").arg(types[c]);
    names << QStringLiteral("c%1").arg(c);
    if (c < keyIndex) sets << QStringLiteral("%1 = v.c%2").arg(columns[c]).arg(c);
  }
  QString setSql = QStringLiteral("update %1 set %2 from unnest(%3) as v(%4) where %1.%5 = v.c%6")
                       .arg(table, sets.join(QStringLiteral(", ")), arrays.join(QStringLiteral(", ")),
                            names.join(QStringLiteral(", ")), columns[keyIndex])
                       .arg(keyIndex);
  if (!guard.isEmpty()) setSql += QStringLiteral(" and (") + guardSql + QLatin1Char(')');
  constexpr size_t kChunk = 50000;
  long long changed = 0;
  for (size_t from = 0; from < rows.size(); from += kChunk) {
    const size_t to = std::min(rows.size(), from + kChunk);
    // Each column in the server's binary form where it has one we write, else as
    // a text[] literal that the server parses.
    std::vector<QByteArray> bytes(static_cast<size_t>(width));
    std::vector<Oid> paramTypes(static_cast<size_t>(width), 0);
    std::vector<int> formats(static_cast<size_t>(width), 0), lengths(static_cast<size_t>(width), 0);
    for (int c = 0; c < width; ++c) {
      const auto i = static_cast<size_t>(c);
      std::optional<PgArrayParam> binary = BinaryArrayOf(types[c], rows, from, to, i);
      if (binary) {
        bytes[i] = std::move(binary->bytes);
        paramTypes[i] = binary->arrayType;
        formats[i] = 1;
      } else {
        QString literal = QStringLiteral("{");
        for (size_t r = from; r < to; ++r) {
          if (r > from) literal += QLatin1Char(',');
          literal += ArrayElement(rows[r][i]);
        }
        literal += QLatin1Char('}');
        bytes[i] = literal.toUtf8();
      }
      lengths[i] = static_cast<int>(bytes[i].size());
    }
    std::vector<const char*> values;
    for (const QByteArray& b : bytes) values.push_back(b.constData());
    ResultPtr r(Run(setSql, width, paramTypes.data(), values.data(), lengths.data(), formats.data()));
    const char* n = PQcmdTuples(r.get());
    changed += n && *n ? std::strtoll(n, nullptr, 10) : 0;
  }
  return changed;
}

long long PostgresConnection::ExecutePipelined(const QString& sql, const std::vector<DbParams>& rows) {
  // One prepared statement, sent in pipeline mode with a sync every thousand rows:
  // no network round trip per row. The first failure is reported after its sync.
  const size_t nParams = rows.front().size();
  std::vector<Oid> types(nParams, 0);
  for (const DbParams& row : rows)
    for (size_t i = 0; i < nParams && i < row.size(); ++i)
      if (types[i] == 0) types[i] = TypeOf(row[i]);
  if (!PQenterPipelineMode(conn_)) throw DbError(QStringLiteral("Cannot start a batch: %1").arg(PQerrorMessage(conn_)));
  QString firstError;
  long long changed = 0;
  DbError::Kind firstKind = DbError::Kind::Other;
  auto drain = [&]() {
    for (;;) {
      PGresult* r = PQgetResult(conn_);
      if (!r) {  // end of one statement's results, or a lost connection
        if (PQstatus(conn_) != CONNECTION_OK) {
          if (firstError.isEmpty()) firstError = QString::fromUtf8(PQerrorMessage(conn_)).trimmed();
          return;
        }
        continue;
      }
      const ExecStatusType st = PQresultStatus(r);
      if ((st == PGRES_FATAL_ERROR) && firstError.isEmpty()) {
        firstError = QString::fromUtf8(PQresultErrorMessage(r)).trimmed();
        firstKind = KindOf(r);
      }
      if (st == PGRES_COMMAND_OK) {
        const char* n = PQcmdTuples(r);
        if (n && *n) changed += std::strtoll(n, nullptr, 10);
      }
      PQclear(r);
      if (st == PGRES_PIPELINE_SYNC) return;
    }
  };
  const QByteArray text = NumberPlaceholders(sql).toUtf8();
  bool sent = PQsendPrepare(conn_, "", text.constData(), static_cast<int>(nParams), types.data()) == 1;
  size_t pending = 0;
  for (size_t i = 0; sent && i < rows.size(); ++i) {
    if (rows[i].size() != nParams) { firstError = QStringLiteral("Batch rows differ in their number of values"); break; }
    ParamBuffer buf(rows[i]);
    sent = PQsendQueryPrepared(conn_, "", static_cast<int>(nParams), buf.values.data(), nullptr, nullptr, 0) == 1;
    if (++pending == 1000) {
      sent = sent && PQpipelineSync(conn_) == 1;
      if (sent) drain();
      pending = 0;
    }
    if (!firstError.isEmpty()) break;
  }
  if (sent && PQpipelineSync(conn_) == 1) drain();
  else if (firstError.isEmpty()) firstError = QString::fromUtf8(PQerrorMessage(conn_)).trimmed();
  PQexitPipelineMode(conn_);
  if (!firstError.isEmpty()) ThrowIfLost(firstError);
  if (!firstError.isEmpty()) throw DbError(QStringLiteral("%1: %2").arg(firstError, sql), firstKind);
  return changed;
}

void PostgresConnection::BeginTrans() {
  if (inTransaction_) throw DbError(QStringLiteral("A transaction is already open"));
  Execute(QStringLiteral("begin"));
  NoteTransactionBegun();
  inTransaction_ = true;
}

void PostgresConnection::SerializeOnAccount(const QString& account) {
  if (!inTransaction_) throw DbError(QStringLiteral("An account is serialised on inside a transaction only"));
  // A transaction-level advisory lock in a key space of its own (the two-key
  // form), keyed by the schema too: two account sets in one database share
  // account codes, not their locks.
  Execute(QStringLiteral("select pg_advisory_xact_lock(7301306, hashtext(current_schema() || '/' || ?))"), {account});
}

void PostgresConnection::CommitTrans() {
  if (!inTransaction_) throw DbError(QStringLiteral("No transaction to commit"));
  inTransaction_ = false;
  // The transaction went with a broken connection: a COMMIT on a new one would
  // find nothing to commit and say it committed.
  if (conn_ && PQstatus(conn_) != CONNECTION_OK) {
    NoteTransactionEnded(false);
    ThrowIfLost(QString::fromUtf8(PQerrorMessage(conn_)).trimmed());
  }
  // COMMIT of a failed transaction rolls back and says so only in its tag.
  ResultPtr r;
  try {
    r.reset(Run(QStringLiteral("commit"), {}));
  } catch (...) {
    NoteTransactionEnded(false);
    throw;
  }
  const bool committed = QByteArray(PQcmdStatus(r.get())) != "ROLLBACK";
  NoteTransactionEnded(committed);
  if (!committed) throw DbError(QStringLiteral("The transaction failed and was rolled back"));
}

void PostgresConnection::RollbackTrans() {
  if (!inTransaction_) return;
  inTransaction_ = false;
  NoteTransactionEnded(false);
  // A broken connection took its transaction with it; the next statement connects again.
  if (conn_ && PQstatus(conn_) != CONNECTION_OK) return;
  Execute(QStringLiteral("rollback"));
}

QString PostgresConnection::PrimaryKeyOf(const QString& table) {
  const QString key = table.toLower();
  if (auto it = primaryKeys_.find(key); it != primaryKeys_.end()) return *it;
  ResultSet r = Query(QStringLiteral(
      "select a.attname from pg_index i join pg_attribute a on a.attrelid = i.indrelid "
      "and a.attnum = any(i.indkey) where i.indisprimary and i.indrelid = to_regclass(?)"), {key});
  const QString pk = r.rows.size() == 1 ? r.rows[0][0].ToString() : QString();
  primaryKeys_.insert(key, pk);
  return pk;
}

void PostgresConnection::ExecuteScript(const QString& script) {
  RequireOpen();
  ResultPtr r(PQexec(conn_, script.toUtf8().constData()));
  const ExecStatusType st = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
  if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK && st != PGRES_EMPTY_QUERY) {
    const QString err = QString::fromUtf8(r ? PQresultErrorMessage(r.get()) : PQerrorMessage(conn_)).trimmed();
    ThrowIfLost(err);
    throw DbError(QStringLiteral("Script failed: %1").arg(err));
  }
}

}  // namespace corvane::suite
