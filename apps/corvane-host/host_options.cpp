#include "host_options.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QUrl>

namespace {

bool HasPassword(const QString& database) {
  if (database.startsWith(QLatin1String("pg:")))
    return database.contains(QRegularExpression(QStringLiteral("(^|[\\s:])password\\s*=")));
  if (database.startsWith(QLatin1String("postgres"))) return !QUrl(database).password().isEmpty() ||
                                                            database.contains(QLatin1String("password="));
  return false;
}

}  // namespace

std::optional<QString> DisplayProblem(const QProcessEnvironment& env) {
  if (!env.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty() || !env.value(QStringLiteral("DISPLAY")).isEmpty() ||
      !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty())
    return std::nullopt;
  return QStringLiteral(
      "corvane-host needs a graphical session, and none was found (DISPLAY and WAYLAND_DISPLAY are empty).\n"
      "Start it from a desktop session, or run it without a screen: QT_QPA_PLATFORM=offscreen corvane-host ...");
}

std::optional<HostOptions> ParseHostOptions(const QStringList& arguments, QString& error) {
  QCommandLineParser p;
  p.setApplicationDescription(QStringLiteral(
      "Corvane host: bank reconciliation functions of the suite.\n"
      "It needs a graphical session; without one, run it offscreen with QT_QPA_PLATFORM=offscreen.\n"
      "The database must exist: corvane-makedb creates it, the host never does.\n"
      "A PostgreSQL password does not belong in --db, where every user sees it in the process list:\n"
      "the host takes it, like every libpq program, from PGPASSWORD or from the password file\n"
      "~/.pgpass (or the file PGPASSFILE names); PGHOST, PGPORT, PGUSER and PGDATABASE fill in\n"
      "what the connection leaves out."));
  p.addHelpOption();
  const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("Database: an existing SQLite file (sqlite:<path>) or a postgresql:// URI (no password: see above)."), QStringLiteral("connection"));
  const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("User id."), QStringLiteral("id"), QStringLiteral("demo"));
  const QCommandLineOption userName(QStringLiteral("user-name"), QStringLiteral("User name."), QStringLiteral("name"), QStringLiteral("演示会计"));
  const QCommandLineOption set(QStringLiteral("account-set"), QStringLiteral("Account-set key."), QStringLiteral("key"), QStringLiteral("001"));
  const QCommandLineOption date(QStringLiteral("date"), QStringLiteral("Login date, yyyy-mm-dd (default today)."), QStringLiteral("date"));
  const QCommandLineOption language(QStringLiteral("language"), QStringLiteral("zh-CN or en-US."), QStringLiteral("id"), QStringLiteral("zh-CN"));
  const QCommandLineOption mode(QStringLiteral("mode"), QStringLiteral("account or book, for this run only (the account set's saved choice is a setting in the host window)."), QStringLiteral("mode"));
  const QCommandLineOption menu(QStringLiteral("menu"), QStringLiteral("Open this function at start (RP0303 to RP0309)."), QStringLiteral("id"));
  const QCommandLineOption shot(QStringLiteral("screenshot"), QStringLiteral("Save a picture of the open windows to this PNG file and quit."), QStringLiteral("file"));
  const QCommandLineOption trace(QStringLiteral("trace"), QStringLiteral("Trace log file."), QStringLiteral("file"));
  p.addOptions({db, user, userName, set, date, language, mode, menu, shot, trace});
  if (!p.parse(arguments)) {
    error = p.errorText();
    return std::nullopt;
  }
  if (p.isSet(QStringLiteral("help"))) {
    // Parsed before any application object exists, Qt cannot know the program's name.
    error = p.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("corvane-host"));
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
  o.passwordInDatabase = HasPassword(o.database);
  if (o.database.isEmpty()) {
    error = QStringLiteral("--db is required");
    return std::nullopt;
  }
  return o;
}
