#pragma once

#include <QString>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

// Named settings of an account set. A value is looked up in the account set's
// own settings (corvane_setting), then among the suite-wide options of the
// same name (corvane_options), so one database can hold several account sets
// and still keep common values in one place.
class SuiteSettings {
 public:
  SuiteSettings(platform::DbConnection& connection, QString accountSetKey)
      : connection_(connection), setKey_(std::move(accountSetKey)) {}

  // The stored text, or fallback when neither table has the name (or only blanks).
  QString Text(const QString& name, const QString& fallback = QString()) const;
  // A whole number within [low, high]; anything else gives fallback.
  int Number(const QString& name, int fallback, int low, int high) const;
  // "1", "true", "yes", "on" (any case) are true, "0", "false", "no", "off" false;
  // anything else gives fallback.
  bool Flag(const QString& name, bool fallback) const;

  void Set(const QString& name, const QString& value);

 private:
  platform::DbConnection& connection_;
  QString setKey_;
};

}  // namespace corvane::suite
