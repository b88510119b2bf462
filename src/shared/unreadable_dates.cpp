#include "shared/unreadable_dates.h"

#include "platform/db/db_error.h"

namespace corvane::shared {

using platform::DbError;

namespace {

// A date as its own text, whatever the engine would make of it as a date.
QString DateText(const QString& column) { return QStringLiteral("cast(%1 as varchar(40))").arg(column); }

}  // namespace

QString UnreadableDateColumn(const platform::DbConnection& db, const QString& column) {
  return QStringLiteral("max(case when %1 then %2 end)").arg(db.UnreadableDateSql(column), DateText(column));
}

void RefuseUnreadableDate(const QString& column, const platform::DbValue& value) {
  if (value.IsNull()) return;
  const QString name = column.section(QLatin1Char('.'), -1);
  const QString text = value.ToString();
  throw DbError::UnreadableDate(name, text);
}

QString UnreadableDateProbe(const platform::DbConnection& db, const QString& table, const QString& column,
                            const QString& where) {
  return QStringLiteral("(select %1 from %2 where %3 and %4 limit 1)")
      .arg(DateText(column), table, where, db.UnreadableDateSql(column));
}

void RefuseUnreadableDates(platform::DbConnection& db, const QString& table, const QString& column,
                           const QString& where, const platform::DbParams& params) {
  RefuseUnreadableDate(column, db.QueryValue(QStringLiteral("select ") + UnreadableDateProbe(db, table, column, where),
                                             params));
}

}  // namespace corvane::shared
