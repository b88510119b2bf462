// The locale run.sh gives the host (scripts/date_locale.sh): a date category that
// writes "-", every other category as the user had it, and the host starting
// for a user whose LC_ALL would otherwise hide the date category.
#include "suite/db/open_db_connection.h"
#include "suite/demo/demo_data.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

namespace {

const QString kScript = QStringLiteral(CORVANE_SOURCE_DIR "/scripts/date_locale.sh");

// The environment with only the given locale variables set (nullptr: unset).
QProcessEnvironment LocaleEnvironment(std::initializer_list<std::pair<const char*, const char*>> variables) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString& name : env.keys())
    if (name == QLatin1String("LANG") || name.startsWith(QLatin1String("LC_"))) env.remove(name);
  for (const auto& [name, value] : variables) env.insert(QString::fromLatin1(name), QString::fromUtf8(value));
  return env;
}

// Runs a program through run.sh's last step in that environment.
void RunWithDateLocale(QProcess& process, const QProcessEnvironment& env, const QStringList& command) {
  process.setProcessEnvironment(env);
  process.start(QStringLiteral("bash"),
                QStringList{QStringLiteral("-c"),
                            QStringLiteral("source \"$0\" && run_with_date_locale \"$@\""), kScript} + command);
}

// The locale variables the program sees; absent ones are left out.
std::map<std::string, std::string> SeenLocale(const QProcessEnvironment& env) {
  QProcess process;
  RunWithDateLocale(process, env, {QStringLiteral("env")});
  EXPECT_TRUE(process.waitForFinished(20000));
  std::map<std::string, std::string> seen;
  for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
    const qsizetype eq = line.indexOf('=');
    const QByteArray name = line.left(eq);
    if (eq > 0 && (name == "LANG" || name.startsWith("LC_"))) seen[name.toStdString()] = line.mid(eq + 1).toStdString();
  }
  return seen;
}

TEST(RunScriptLocale, TheDateCategoryWritesADashAndTheOthersStay) {
  using Seen = std::map<std::string, std::string>;
  const std::string us = "en_US.UTF-8", ca = "en_CA.UTF-8";
  const auto allAs = [&](const std::string& value) {
    Seen seen{{"LANG", value}, {"LC_TIME", ca}};
    for (const char* c : {"LC_CTYPE", "LC_NUMERIC", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES", "LC_PAPER", "LC_NAME",
                          "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"})
      seen[c] = value;
    return seen;
  };
  const struct {
    const char* name;
    QProcessEnvironment env;
    Seen seen;
  } cases[] = {
      {"LC_ALL over other categories",
       LocaleEnvironment({{"LC_ALL", "en_US.UTF-8"}, {"LC_CTYPE", "zh_CN.UTF-8"}, {"LANG", "de_DE.UTF-8"}}), allAs(us)},
      {"LC_ALL alone", LocaleEnvironment({{"LC_ALL", "C.UTF-8"}}), allAs("C.UTF-8")},
      {"LC_ALL over a chosen LC_TIME", LocaleEnvironment({{"LC_ALL", "zh_CN.UTF-8"}, {"LC_TIME", "zh_CN.UTF-8"}}),
       allAs("zh_CN.UTF-8")},
      {"LC_TIME chosen", LocaleEnvironment({{"LC_TIME", "sv_SE.UTF-8"}, {"LANG", "en_US.UTF-8"}}),
       {{"LANG", us}, {"LC_TIME", "sv_SE.UTF-8"}}},
      {"LANG alone", LocaleEnvironment({{"LANG", "zh_CN.UTF-8"}}), {{"LANG", "zh_CN.UTF-8"}, {"LC_TIME", ca}}},
      {"nothing", LocaleEnvironment({}), {{"LC_TIME", ca}}},
      {"empty ones count as unset", LocaleEnvironment({{"LC_ALL", ""}, {"LC_TIME", ""}, {"LANG", "en_US.UTF-8"}}),
       {{"LC_ALL", ""}, {"LANG", us}, {"LC_TIME", ca}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SeenLocale(c.env), c.seen);
  }
}

// The host itself, started as run.sh starts it for a user whose LC_ALL writes
// dates without "-", opens its session (it saves its screenshot and ends).
TEST(RunScriptLocale, TheHostStartsForAUserWithLcAll) {
  QTemporaryDir dir;
  const QString database = dir.filePath(QStringLiteral("demo.db"));
  {
    auto connection = corvane::suite::OpenDbConnection(QStringLiteral("sqlite:") + database);
    corvane::suite::InstallSchema(*connection);
    corvane::suite::GenerateDemoData(*connection);
  }
  for (const char* lcAll : {"en_US.UTF-8", "C.UTF-8"}) {
    SCOPED_TRACE(lcAll);
    const QString shot = dir.filePath(QStringLiteral("host-%1.png").arg(QString::fromLatin1(lcAll)));
    QProcessEnvironment env = LocaleEnvironment({{"LC_ALL", lcAll}});
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
    QProcess host;
    RunWithDateLocale(host, env,
                      {QStringLiteral(CORVANE_HOST_PROGRAM), QStringLiteral("--db"), QStringLiteral("sqlite:") + database,
                       QStringLiteral("--screenshot"), shot});
    // A refused start waits in its message box: the wait ends it.
    if (!host.waitForFinished(30000)) {
      host.kill();
      host.waitForFinished(5000);
    }
    EXPECT_TRUE(QFile::exists(shot)) << host.readAllStandardError().toStdString();
  }
}

}  // namespace
