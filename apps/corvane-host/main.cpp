// corvane-host: the suite's shell for the bank-reconciliation component. Opens the
// database, logs in with the given user and account set, and offers the seven
// functions of the component.
#include "host/product_facade.h"
#include "host_options.h"
#include "host_window.h"
#include "platform/db/db_error.h"
#include "print_format_file.h"
#include "shared/session.h"
#include "suite/import/suite_statement_importer.h"
#include "suite/db/open_db_connection.h"
#include "suite/resources/resource_texts.h"
#include "suite/services/register_suite_objects.h"
#include "suite/services/suite_login_context.h"
#include "suite/services/suite_settings.h"
#include "suite/services/suite_ui_style.h"
#include "suite/services/text_source.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

namespace {

// The folder standing in for the system folder: beside a SQLite database, or the
// user's application data folder for a server database.
QString SystemFolder(const QString& database) {
  if (!database.startsWith(QLatin1String("postgres")) && !database.startsWith(QLatin1String("pg:"))) {
    QString path = database;
    if (path.startsWith(QLatin1String("sqlite:"))) path = path.mid(7);
    return QFileInfo(path).absolutePath();
  }
  return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

// Every visible top-level window drawn into one picture, the host's first.
void SaveScreenshot(const QString& file) {
  QList<QWidget*> windows;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->width() > 50) windows << w;
  int width = 0, height = 0;
  for (QWidget* w : windows) {
    width = std::max(width, w->width());
    height += w->height() + 8;
  }
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
  image.fill(Qt::darkGray);
  QPainter painter(&image);
  int y = 0;
  for (QWidget* w : windows) {
    painter.drawPixmap(0, y, w->grab());
    y += w->height() + 8;
  }
  painter.end();
  image.save(file);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("corvane"));
  QString error;
  const auto options = ParseHostOptions(QApplication::arguments(), error);
  if (!options) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return error.contains(QLatin1String("Usage")) ? 0 : 1;
  }
  using namespace corvane;
  std::unique_ptr<platform::DbConnection> db;
  try {
    db = suite::OpenDbConnection(options->database);
    suite::InstallSchema(*db);
    if (options->bookMode)
      suite::SuiteSettings(*db, options->accountSet).Set(QStringLiteral("UseBankBooks"), *options->bookMode ? QStringLiteral("1") : QStringLiteral("0"));
    EnsurePrintFormatFile(SystemFolder(options->database), options->accountSet, *db);
  } catch (const platform::DbError& e) {
    std::fprintf(stderr, "Cannot open the database: %s\n", qPrintable(e.Message()));
    return 2;
  }
  if (!options->traceFile.isEmpty()) suite::SuiteUiStyle::SetTraceFile(options->traceFile);

  suite::ResourceTexts texts(options->language);
  suite::TextSourceAdapter<suite::ResourceTexts> textSource(texts);
  suite::LoginValues values;
  values.userId = options->user;
  values.accountSetKey = options->accountSet;
  values.year = options->loginDate.year();
  values.userName = options->userName;
  values.loginDate = options->loginDate;
  values.installPath = QCoreApplication::applicationDirPath();
  values.languageId = options->language;
  suite::SuiteLoginContext login(*db, values, &textSource);
  suite::RegisterSuiteObjects(&textSource, &login);
  shared::Session::Current().systemFolder = SystemFolder(options->database);
  // Bank statement files delivered host-to-host arrive in one folder.
  suite::RegisterImportObjects(&textSource, qEnvironmentVariable("CORVANE_BANK_FOLDER",
                                                                 shared::Session::Current().systemFolder + "/bank"));

  host::clsProductFacade facade;
  if (!facade.Login(&login)) {
    std::fprintf(stderr, "The session could not start.\n");
    return 3;
  }
  HostWindow window(facade, QStringLiteral("%1 · %2 · %3").arg(options->userName, options->accountSet,
                                                              options->loginDate.toString(QStringLiteral("yyyy.MM.dd"))));
  window.resize(460, 320);
  window.show();
  if (!options->menu.isEmpty())
    QTimer::singleShot(0, &window, [&facade, &options] { facade.CallFunction(options->menu, {}, {}, {}); });
  if (!options->screenshot.isEmpty()) {
    QTimer::singleShot(1500, &window, [&options] {
      SaveScreenshot(options->screenshot);
      QApplication::exit(0);
    });
  }
  const int result = app.exec();
  shared::Session::Current().windows.UnloadAll();
  login.Close();
  return result;
}
