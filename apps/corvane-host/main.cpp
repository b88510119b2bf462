// corvane-host: the suite's shell for the bank-reconciliation component. Opens the
// database, logs in with the given user and account set, and offers the seven
// functions of the component.
#include "host/product_facade.h"
#include "host_application.h"
#include "host_options.h"
#include "host_window.h"
#include "platform/controls/file_listing_guard.h"
#include "platform/db/db_error.h"
#include "host_startup.h"
#include "print_format_file.h"
#include "shared/session.h"
#include "suite/import/suite_statement_importer.h"
#include "suite/resources/qt_language.h"
#include "suite/resources/resource_texts.h"
#include "suite/services/register_suite_objects.h"
#include "suite/services/suite_login_context.h"
#include "suite/services/suite_settings.h"
#include "suite/services/suite_ui_style.h"
#include "suite/services/text_source.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QPainter>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

namespace {

// The folder standing in for the system folder, which holds the print formats
// (ZQCOMSQL/Zqformat.db): the user's application data folder, wherever the
// program was started from and wherever the database lies.
QString SystemFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

// The folder of the bank's statement files: beside a SQLite database, or the
// user's application data folder for a server database.
QString DatabaseFolder(const QString& database) {
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

// A dialog naming what could not be opened; the same on stderr for logs.
void Refuse(const corvane::suite::ResourceTexts& texts, const QString& text) {
  std::fprintf(stderr, "%s\n", qPrintable(text));
  QMessageBox::critical(nullptr, texts.Text(QStringLiteral("corvane.host.window")), text);
}

}  // namespace

int main(int argc, char** argv) {
  // Options first, without a display: --help and option errors must answer on any terminal.
  QCoreApplication::setApplicationName(QStringLiteral("corvane-host"));
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  QString error;
  const auto options = ParseHostOptions(arguments, error);
  if (!options) {
    const bool usage = error.startsWith(QLatin1String("Usage"));
    std::fprintf(usage ? stdout : stderr, "%s\n", qPrintable(error));
    return usage ? 0 : 1;
  }
  if (const auto problem = DisplayProblem(QProcessEnvironment::systemEnvironment())) {
    std::fprintf(stderr, "%s\n", qPrintable(*problem));
    return 1;
  }
  if (options->passwordInDatabase)
    std::fprintf(stderr, "Warning: the password in --db is visible to every user in the process list; "
                         "use PGPASSWORD or ~/.pgpass instead (see --help).\n");

  HostApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("corvane"));
  using namespace corvane;
  // Before any window can list the database's folder (see FileListingGuard).
  platform::FileListingGuard::Install();
  // Without Qt's own translations its standard buttons and calendars stay English.
  if (!suite::InstallQtLanguage(options->language))
    std::fprintf(stderr, "Warning: Qt's translations for %s were not found (package qt6-translations-l10n); "
                         "standard buttons and calendars stay in English.\n",
                 qPrintable(options->language));
  suite::ResourceTexts texts(options->language);

  std::unique_ptr<platform::DbConnection> db = OpenExistingDatabase(options->database, texts, error);
  if (!db) {
    Refuse(texts, error);
    return 2;
  }
  if (!AccountSetExists(*db, options->accountSet)) {
    const QStringList args{options->accountSet};
    Refuse(texts, texts.Text(QStringLiteral("corvane.host.unknownset"), &args));
    return 2;
  }
  try {
    EnsurePrintFormatFile(SystemFolder(), options->accountSet, *db);
  } catch (const platform::DbError& e) {
    // The print formats are the session's to report; start-up says so and goes on.
    std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
  }
  if (!options->traceFile.isEmpty()) suite::SuiteUiStyle::SetTraceFile(options->traceFile);

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
  shared::Session::Current().systemFolder = SystemFolder();
  // Bank statement files delivered host-to-host arrive in one folder.
  suite::RegisterImportObjects(&textSource, qEnvironmentVariable("CORVANE_BANK_FOLDER",
                                                                 DatabaseFolder(options->database) + "/bank"));

  host::clsProductFacade facade;
  if (!facade.Login(&login)) {
    Refuse(texts, texts.Text(QStringLiteral("corvane.host.loginfailed")));
    return 3;
  }
  // --mode chooses this run's mode only; the saved choice is the window's setting.
  if (options->bookMode) shared::Session::Current().gBookMode = *options->bookMode ? 1 : 0;
  suite::SuiteSettings settings(*db, options->accountSet);
  HostSessionInfo info;
  info.subtitle = QStringLiteral("%1 · %2 · %3").arg(options->userName, options->accountSet,
                                                     options->loginDate.toString(QStringLiteral("yyyy.MM.dd")));
  info.bookMode = shared::Session::Current().BookMode();
  info.modeForThisRun = options->bookMode.has_value();
  info.savedBookMode = settings.Number(QStringLiteral("UseBankBooks"), 0, -32768, 32767) != 0;
  HostWindow window(facade, info, [&settings](bool on) {
    try {
      settings.Set(QStringLiteral("UseBankBooks"), on ? QStringLiteral("1") : QStringLiteral("0"));
      return true;
    } catch (const std::exception&) {
      return false;
    }
  });
  window.resize(460, 340);
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
