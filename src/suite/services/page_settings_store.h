#pragma once

#include <QString>
#include <QStringList>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

// The page settings of the reports, seven texts per report key and account set
// (corvane_page_setting): 0 paper size, 1 orientation "True"/"False", 2 to 5 the
// margins, 6 free. A key never saved gives the defaults: A4 (paper code 9),
// portrait ("False"), margins left to the printer ("").
class PageSettingsStore {
 public:
  static constexpr int kCount = 7;

  PageSettingsStore(platform::DbConnection& connection, QString accountSetKey)
      : connection_(connection), setKey_(std::move(accountSetKey)) {}

  static QStringList Defaults();
  QStringList Load(const QString& reportKey);
  // Keeps exactly seven texts: a shorter list is filled up with "", a longer one cut.
  void Save(const QString& reportKey, const QStringList& settings);

 private:
  platform::DbConnection& connection_;
  QString setKey_;
};

}  // namespace corvane::suite
