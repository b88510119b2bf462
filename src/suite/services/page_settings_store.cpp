#include "suite/services/page_settings_store.h"

#include "platform/db/db_connection.h"

namespace corvane::suite {

QStringList PageSettingsStore::Defaults() {
  return {QStringLiteral("9"), QStringLiteral("False"), QString(), QString(), QString(), QString(), QString()};
}

QStringList PageSettingsStore::Load(const QString& reportKey) {
  const platform::ResultSet r = connection_.Query(
      QStringLiteral("select setting0, setting1, setting2, setting3, setting4, setting5, setting6 "
                     "from corvane_page_setting where set_key = ? and report_key = ?"),
      {setKey_, reportKey.trimmed()});
  if (r.rows.empty()) return Defaults();
  QStringList out;
  for (const platform::DbValue& v : r.rows[0]) out << v.ToString();
  // The readers rely on a whole number first and "True"/"False" second.
  bool ok = false;
  out[0].toInt(&ok);
  if (!ok) out[0] = Defaults()[0];
  out[1] = out[1].trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ? QStringLiteral("True")
                                                                                   : QStringLiteral("False");
  return out;
}

void PageSettingsStore::Save(const QString& reportKey, const QStringList& settings) {
  platform::DbParams params{setKey_, reportKey.trimmed()};
  for (int i = 0; i < kCount; ++i) params.emplace_back(i < settings.size() ? settings[i] : QString());
  connection_.Execute(
      QStringLiteral("insert into corvane_page_setting (set_key, report_key, setting0, setting1, setting2, "
                     "setting3, setting4, setting5, setting6) values (?, ?, ?, ?, ?, ?, ?, ?, ?) "
                     "on conflict (set_key, report_key) do update set setting0 = excluded.setting0, "
                     "setting1 = excluded.setting1, setting2 = excluded.setting2, setting3 = excluded.setting3, "
                     "setting4 = excluded.setting4, setting5 = excluded.setting5, setting6 = excluded.setting6"),
      params);
}

}  // namespace corvane::suite
