#include "platform/db/sql_builder.h"

#include "platform/db/db_error.h"

namespace corvane::platform {

int CountPlaceholders(const QString& sql) {
  int n = 0;
  bool quoted = false;
  for (QChar c : sql) {
    if (c == QLatin1Char('\'')) quoted = !quoted;
    else if (c == QLatin1Char('?') && !quoted) ++n;
  }
  return n;
}

SqlBuilder& SqlBuilder::AddWith(const QString& text, const DbParams& values) {
  if (CountPlaceholders(text) != static_cast<int>(values.size()))
    throw DbError(QStringLiteral("%1 values for the marks of: %2").arg(values.size()).arg(text));
  sql_ += text;
  params_.insert(params_.end(), values.begin(), values.end());
  return *this;
}

SqlBuilder& SqlBuilder::AddIn(const QString& column, const DbParams& values) {
  if (values.empty()) {
    sql_ += QStringLiteral("1=0");
    return *this;
  }
  QStringList marks;
  for (size_t i = 0; i < values.size(); ++i) marks << QStringLiteral("?");
  sql_ += column + QStringLiteral(" in (") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
  params_.insert(params_.end(), values.begin(), values.end());
  return *this;
}

SqlBuilder& SqlBuilder::AddIn(const QString& column, const QStringList& values) {
  DbParams v;
  for (const QString& s : values) v.emplace_back(s);
  return AddIn(column, v);
}

}  // namespace corvane::platform
