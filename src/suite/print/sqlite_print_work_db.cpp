#include "suite/print/sqlite_print_work_db.h"

#include "platform/db/db_connection.h"
#include "platform/db/db_error.h"
#include "suite/db/open_db_connection.h"

#include <QRegularExpression>

namespace corvane::suite {

namespace {

using platform::DbError;
using platform::DbValue;

// Table names cannot be bound; a work table's name is let into a statement only
// when it is a plain name.
QString CheckedTable(const QString& table) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  if (!plain.match(table).hasMatch()) throw DbError(QStringLiteral("\"%1\" is no work table name").arg(table));
  return table;
}

DbValue ToDbValue(const QVariant& v) {
  if (!v.isValid() || v.isNull()) return DbValue();
  switch (v.typeId()) {
    case QMetaType::Bool: return DbValue(v.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short: return DbValue(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float: return DbValue(v.toDouble());
    default: return DbValue(v.toString());
  }
}

QVariant ToVariant(const DbValue& v) {
  if (v.IsNull()) return {};
  if (v.IsInteger()) return QVariant::fromValue<qlonglong>(v.ToInt());
  if (v.IsDouble()) return v.ToDouble();
  return v.ToString();
}

class SqliteWorkRecordset : public platform::WorkRecordset {
 public:
  SqliteWorkRecordset(platform::DbConnection& db, QString table, platform::ResultSet rows)
      : db_(db), table_(std::move(table)), rows_(std::move(rows)) {}

  bool Eof() const override { return pos_ >= static_cast<int>(rows_.rows.size()); }
  void MoveNext() override { if (!Eof()) ++pos_; }
  int RecordCount() const override { return static_cast<int>(rows_.rows.size()); }

  QVariant Field(const QString& name) const override {
    const int c = Column(name);
    if (adding_) return added_[c];
    if (Eof()) throw DbError(QStringLiteral("No current row in %1").arg(table_));
    return ToVariant(rows_.rows[pos_][c]);
  }

  void AddNew() override {
    adding_ = true;
    added_.assign(rows_.columns.size(), QVariant());
    set_.assign(rows_.columns.size(), false);
  }

  void SetField(const QString& name, const QVariant& value) override {
    if (!adding_) throw DbError(QStringLiteral("Work rows are written after AddNew only"));
    const int c = Column(name);
    added_[c] = value;
    set_[c] = true;
  }

  void Update() override {
    if (!adding_) throw DbError(QStringLiteral("Update without AddNew on %1").arg(table_));
    QStringList names, marks;
    platform::DbParams params;
    std::vector<DbValue> stored(rows_.columns.size());
    for (int c = 0; c < static_cast<int>(rows_.columns.size()); ++c) {
      if (!set_[c]) continue;  // left out, so it stays NULL
      names.append(rows_.columns[c]);
      marks.append(QStringLiteral("?"));
      params.push_back(ToDbValue(added_[c]));
      stored[c] = params.back();
    }
    const QString sql = names.isEmpty()
                            ? QStringLiteral("insert into %1 default values").arg(table_)
                            : QStringLiteral("insert into %1 (%2) values (%3)")
                                  .arg(table_, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    db_.Execute(sql, params);
    rows_.rows.push_back(std::move(stored));
    pos_ = static_cast<int>(rows_.rows.size()) - 1;
    adding_ = false;
  }

  void Close() override { adding_ = false; }

 private:
  int Column(const QString& name) const {
    for (int c = 0; c < static_cast<int>(rows_.columns.size()); ++c)
      if (rows_.columns[c].compare(name, Qt::CaseInsensitive) == 0) return c;
    throw DbError(QStringLiteral("Work table %1 has no column %2").arg(table_, name));
  }

  platform::DbConnection& db_;
  QString table_;
  platform::ResultSet rows_;
  int pos_ = 0;
  bool adding_ = false;
  std::vector<QVariant> added_;
  std::vector<bool> set_;
};

}  // namespace

SqlitePrintWorkDb::SqlitePrintWorkDb(const QString& file)
    : file_(file), db_(OpenDbConnection(QStringLiteral("sqlite:") + file)) {}

SqlitePrintWorkDb::~SqlitePrintWorkDb() = default;

QString SqlitePrintWorkDb::ToSqlite(const QString& sql) {
  static const QRegularExpression drop(QStringLiteral("^\\s*DROP\\s+TABLE\\s+(?!IF\\s+EXISTS\\b)"),
                                       QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression create(QStringLiteral("^\\s*CREATE\\s+TABLE\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression stringType(QStringLiteral("(\\w+\\s+)String\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression longType(QStringLiteral("(\\w+\\s+)Long\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
  QString out = sql;
  if (const auto m = drop.match(out); m.hasMatch()) return out.replace(0, m.capturedLength(), QStringLiteral("DROP TABLE IF EXISTS "));
  if (!create.match(out).hasMatch()) return out;
  // A declared type "String" would give SQLite's numeric affinity and turn
  // "000042" into 42: the work tables keep texts as they were written.
  out.replace(stringType, QStringLiteral("\\1TEXT"));
  out.replace(longType, QStringLiteral("\\1INTEGER"));
  return out;
}

void SqlitePrintWorkDb::Execute(const QString& sql) { db_->Execute(ToSqlite(sql)); }

std::unique_ptr<platform::WorkRecordset> SqlitePrintWorkDb::OpenRecordset(const QString& table) {
  const QString name = CheckedTable(table);
  platform::ResultSet rows = db_->Query(QStringLiteral("select * from ") + name);
  return std::make_unique<SqliteWorkRecordset>(*db_, name, std::move(rows));
}

}  // namespace corvane::suite
