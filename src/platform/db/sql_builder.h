#pragma once

#include "platform/db/db_value.h"

#include <QString>
#include <QStringList>

namespace corvane::platform {

// Builds one statement piece by piece, keeping each "?" and its value together so
// that conditions added on the way (an optional end date, a list of codes) never
// tempt anyone to paste a value into the text.
//
//   SqlBuilder q("select sum(md) from gl_accvouch where ccode=?", code);
//   if (end.isValid()) q.Add(" and dbill_date<=?", end);
//   q.Add(" and ").AddIn("ccode", codes);
//   conn.QueryValue(q.Sql(), q.Params());
class SqlBuilder {
 public:
  SqlBuilder() = default;
  template <class... Values>
  explicit SqlBuilder(const QString& text, const Values&... values) { Add(text, values...); }

  // Appends text whose "?" marks take the given values, in order. Throws DbError
  // when the number of marks and values differ.
  template <class... Values>
  SqlBuilder& Add(const QString& text, const Values&... values) {
    DbParams v{DbValue(values)...};
    return AddWith(text, v);
  }
  SqlBuilder& AddWith(const QString& text, const DbParams& values);
  // "column in (?,?,…)" with one mark per value; an empty list gives a condition
  // that holds for no row.
  SqlBuilder& AddIn(const QString& column, const DbParams& values);
  SqlBuilder& AddIn(const QString& column, const QStringList& values);

  const QString& Sql() const { return sql_; }
  const DbParams& Params() const { return params_; }

 private:
  QString sql_;
  DbParams params_;
};

// Counts the "?" marks of a statement outside quoted text.
int CountPlaceholders(const QString& sql);

}  // namespace corvane::platform
