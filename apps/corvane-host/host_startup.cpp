#include "host_startup.h"

#include "platform/db/db_connection.h"
#include "platform/db/db_error.h"
#include "suite/db/open_db_connection.h"
#include "suite/resources/resource_texts.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <exception>

using corvane::platform::DbConnection;
using corvane::suite::ResourceTexts;

namespace {

bool IsPostgres(const QString& s) {
  return s.startsWith(QLatin1String("postgresql://")) || s.startsWith(QLatin1String("postgres://")) ||
         s.startsWith(QLatin1String("pg:"));
}

QString Text(const ResourceTexts& texts, const char* key, const QStringList& args) {
  return texts.Text(QString::fromLatin1(key), &args);
}

// The display form of a connection, without a password that may stand in it.
QString ShownName(const QString& database) {
  if (!IsPostgres(database)) return database.startsWith(QLatin1String("sqlite:")) ? database.mid(7) : database;
  if (database.startsWith(QLatin1String("pg:"))) {
    QString shown = database;
    shown.replace(QRegularExpression(QStringLiteral("password\\s*=\\s*('[^']*'|\\S+)")), QStringLiteral("password=***"));
    return shown;
  }
  QUrl url(database);
  if (!url.password().isEmpty()) url.setPassword(QStringLiteral("***"));
  return url.toString();
}

}  // namespace

QString ExistingSqliteUri(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  return QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(absolute, "/")) +
         QStringLiteral("?mode=rw");
}

std::unique_ptr<DbConnection> OpenExistingDatabase(const QString& database, const ResourceTexts& texts,
                                                   QString& error) {
  const QString shown = ShownName(database);
  std::unique_ptr<DbConnection> db;
  try {
    if (IsPostgres(database)) {
      db = corvane::suite::OpenDbConnection(database);
    } else {
      const QString path = shown;
      if (!QFileInfo(path).isFile()) {
        error = Text(texts, "corvane.host.nodatabase", {path});
        return nullptr;
      }
      db = corvane::suite::OpenDbConnection(QStringLiteral("sqlite:") + ExistingSqliteUri(path));
    }
  } catch (const std::exception& e) {
    error = Text(texts, "corvane.host.cannotopen", {shown, QString::fromUtf8(e.what())});
    return nullptr;
  }
  // A file or database of something else opens too: it must hold the suite's tables.
  try {
    db->QueryValue(QStringLiteral("select count(*) from corvane_options"), {});
    db->QueryValue(QStringLiteral("select count(*) from code"), {});
  } catch (const std::exception&) {
    error = Text(texts, "corvane.host.noschema", {shown});
    return nullptr;
  }
  return db;
}

bool AccountSetExists(DbConnection& db, const QString& accountSetKey) {
  const QString key = accountSetKey.trimmed();
  if (key.isEmpty()) return false;
  try {
    if (key == QLatin1String("001") &&
        db.QueryValue(QStringLiteral("select count(*) from corvane_options"), {}).ToInt() > 0)
      return true;
    return db.QueryValue(QStringLiteral("select count(*) from corvane_setting where set_key = ?"), {key}).ToInt() > 0;
  } catch (const std::exception&) {
    return false;
  }
}
