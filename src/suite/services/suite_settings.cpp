#include "suite/services/suite_settings.h"

#include "platform/db/db_connection.h"

namespace corvane::suite {

QString SuiteSettings::Text(const QString& name, const QString& fallback) const {
  platform::DbValue v = connection_.QueryValue(
      QStringLiteral("select value from corvane_setting where set_key = ? and name = ?"), {setKey_, name});
  if (v.IsNullOrBlank())
    v = connection_.QueryValue(QStringLiteral("select cvalue from corvane_options where ckey = ?"), {name});
  return v.IsNullOrBlank() ? fallback : v.ToString().trimmed();
}

int SuiteSettings::Number(const QString& name, int fallback, int low, int high) const {
  bool ok = false;
  const int n = Text(name).toInt(&ok);
  return ok && n >= low && n <= high ? n : fallback;
}

bool SuiteSettings::Flag(const QString& name, bool fallback) const {
  const QString t = Text(name).toLower();
  if (t == QLatin1String("1") || t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("on"))
    return true;
  if (t == QLatin1String("0") || t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("off"))
    return false;
  return fallback;
}

void SuiteSettings::Set(const QString& name, const QString& value) {
  connection_.Execute(QStringLiteral("insert into corvane_setting (set_key, name, value) values (?, ?, ?) "
                                     "on conflict (set_key, name) do update set value = excluded.value"),
                      {setKey_, name, value});
}

}  // namespace corvane::suite
