#include "shared/unreadable_dates.h"

#include "platform/db/db_error.h"

namespace corvane::shared {

using platform::DbError;

namespace {

// A date as its own text, whatever the engine would make of it as a date.
QString DateText(const QString& column) { return QStringLiteral("cast(%1 as varchar(40))").arg(column); }

// What names a line of a statement or journal table to the clerk, as the
// windows show it: the statement window's line key, the voucher's sign and
// number, the flow id; the amount on the side it is booked.
struct LineColumns {
  bool book = false;
  bool statement = false;
  QString select;  // key, sign, number, amount
};

LineColumns ColumnsOf(const QString& table) {
  const QStringList words = table.simplified().split(QLatin1Char(' '));
  const QString name = words.first().toLower();
  const QString p = words.size() > 1 ? words.last() + QLatin1Char('.') : QString();
  LineColumns c;
  c.statement = name.startsWith(QLatin1String("rp_bankrecp"));
  c.book = name == QLatin1String("rp_bankrecp_rp") || name == QLatin1String("rp_flow");
  const QString key = p + (c.book ? QStringLiteral("cBookCode") : QStringLiteral("ccode"));
  if (c.statement)
    c.select = QStringLiteral("%1, '', %2i_id, %2mmoney").arg(key, p);
  else
    c.select = QStringLiteral("%1, %3, %4, case when %2md <> 0 then %2md else %2mc end")
                   .arg(key, p, c.book ? QStringLiteral("''") : p + QStringLiteral("cSign"),
                        p + (c.book ? QStringLiteral("cflowid") : QStringLiteral("iNo_id")));
  return c;
}

QString NumberText(const LineColumns& c, const platform::DbValue& sign, const platform::DbValue& number) {
  if (number.IsNull()) return QString();
  if (c.statement) return QString::number(number.ToInt()).rightJustified(6, QLatin1Char('0'));
  if (c.book) return number.ToString().trimmed();
  // As the reconciliation window and the detailed statement show a voucher, so the clerk finds it there.
  return sign.ToString().trimmed() + QStringLiteral(" - ") + QString::number(number.ToInt()).rightJustified(4, QLatin1Char('0'));
}

QString ColumnName(const QString& column) { return column.section(QLatin1Char('.'), -1); }

}  // namespace

QString UnreadableDateColumn(const platform::DbConnection& db, const QString& column) {
  return QStringLiteral("max(case when %1 then %2 end)").arg(db.UnreadableDateSql(column), DateText(column));
}

void RefuseUnreadableDate(const QString& column, const platform::DbValue& value) {
  if (value.IsNull()) return;
  throw DbError::UnreadableDate(ColumnName(column), value.ToString());
}

QString UnreadableDateProbe(const platform::DbConnection& db, const QString& table, const QString& column,
                            const QString& where) {
  return QStringLiteral("(select %1 from %2 where %3 and %4 limit 1)")
      .arg(DateText(column), table, where, db.UnreadableDateSql(column));
}

void RefuseUnreadableDates(platform::DbConnection& db, const QString& table, const QString& column,
                           const QString& where, const platform::DbParams& params) {
  const LineColumns c = ColumnsOf(table);
  const platform::ResultSet found =
      db.Query(QStringLiteral("select %1, %2 from %3 where (%4) and %5 limit 1")
                   .arg(DateText(column), c.select, table, where, db.UnreadableDateSql(column)),
               params);
  if (found.rows.empty()) return;
  const std::vector<platform::DbValue>& row = found.rows.front();
  throw DbError::UnreadableDate(ColumnName(column), row[0].ToString(),
                                DbError::Unread::Line{c.book, row[1].ToString().trimmed(), c.statement,
                                                      NumberText(c, row[2], row[3]), row[4].ToMoney()});
}

void RefuseUnreadableDate(platform::DbConnection& db, const platform::DbValue& value, const QString& table,
                          const QString& column, const QString& where, const platform::DbParams& params) {
  if (value.IsNull()) return;
  RefuseUnreadableDates(db, table, column, where, params);
  RefuseUnreadableDate(column, value);
}

}  // namespace corvane::shared
