#include "host_options.h"

#include <QCommandLineParser>

std::optional<HostOptions> ParseHostOptions(const QStringList& arguments, QString& error) {
  QCommandLineParser p;
  p.setApplicationDescription(QStringLiteral("Corvane host: bank reconciliation functions of the suite"));
  p.addHelpOption();
  const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("Database: a SQLite file (sqlite:<path>) or a postgresql:// URI."), QStringLiteral("connection"));
  const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("User id."), QStringLiteral("id"), QStringLiteral("demo"));
  const QCommandLineOption userName(QStringLiteral("user-name"), QStringLiteral("User name."), QStringLiteral("name"), QStringLiteral("演示会计"));
  const QCommandLineOption set(QStringLiteral("account-set"), QStringLiteral("Account-set key."), QStringLiteral("key"), QStringLiteral("001"));
  const QCommandLineOption date(QStringLiteral("date"), QStringLiteral("Login date, yyyy-mm-dd (default today)."), QStringLiteral("date"));
  const QCommandLineOption language(QStringLiteral("language"), QStringLiteral("zh-CN or en-US."), QStringLiteral("id"), QStringLiteral("zh-CN"));
  const QCommandLineOption mode(QStringLiteral("mode"), QStringLiteral("account or book: stored as the account set's choice."), QStringLiteral("mode"));
  const QCommandLineOption menu(QStringLiteral("menu"), QStringLiteral("Open this function at start (RP0303 to RP0309)."), QStringLiteral("id"));
  const QCommandLineOption shot(QStringLiteral("screenshot"), QStringLiteral("Save a picture of the open windows to this PNG file and quit."), QStringLiteral("file"));
  const QCommandLineOption trace(QStringLiteral("trace"), QStringLiteral("Trace log file."), QStringLiteral("file"));
  p.addOptions({db, user, userName, set, date, language, mode, menu, shot, trace});
  if (!p.parse(arguments)) {
    error = p.errorText();
    return std::nullopt;
  }
  if (p.isSet(QStringLiteral("help"))) {
    error = p.helpText();
    return std::nullopt;
  }
  HostOptions o;
  o.database = p.value(db);
  o.user = p.value(user);
  o.userName = p.value(userName);
  o.accountSet = p.value(set);
  o.language = p.value(language);
  o.loginDate = p.isSet(date) ? QDate::fromString(p.value(date), Qt::ISODate) : QDate::currentDate();
  if (!o.loginDate.isValid()) {
    error = QStringLiteral("--date wants yyyy-mm-dd");
    return std::nullopt;
  }
  if (p.isSet(mode)) {
    const QString m = p.value(mode).toLower();
    if (m != QLatin1String("book") && m != QLatin1String("account")) {
      error = QStringLiteral("--mode wants account or book");
      return std::nullopt;
    }
    o.bookMode = m == QLatin1String("book");
  }
  o.menu = p.value(menu);
  o.screenshot = p.value(shot);
  o.traceFile = p.value(trace);
  if (o.database.isEmpty()) {
    error = QStringLiteral("--db is required");
    return std::nullopt;
  }
  return o;
}
