#include "host/session_startup.h"

#include "host/help_viewer.h"

#include "platform/db/db_error.h"
#include "platform/print/template_path.h"
#include "platform/services/object_factory.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/popups.h"
#include "shared/session.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QUrl>
#include <exception>

namespace corvane::host {

using shared::Session;

namespace {

void Trace(const QString& line) { Session::Current().UiStyle().WriteTrace(line); }

// Number and description of a failure to open the print formats, shown together.
QString OpenFailureText(const QString& path, const QString& reason) {
  const int number = QFileInfo::exists(path) ? 2 : 1;
  return QString::number(number) + reason;
}

}  // namespace

DateLocaleVariable DecidingDateLocaleVariable() {
  static const char kDashedLocale[] = "en_CA.UTF-8";
  for (const char* name : {"LC_ALL", "LC_TIME"}) {
    if (qEnvironmentVariableIsEmpty(name)) continue;
    return {QString::fromLatin1(name), QString::fromLatin1(name) + QLatin1Char('=') + QLatin1String(kDashedLocale)};
  }
  // LANG decides (or, unset too, the C locale); LC_TIME overrides it for dates alone.
  return {QStringLiteral("LANG"), QStringLiteral("LC_TIME=") + QLatin1String(kDashedLocale)};
}

QString HelpName(const QString& sysCode, const QString& language) {
  static const QStringList kLanguages{QStringLiteral("zh-CN"), QStringLiteral("zh-TW"), QStringLiteral("en-US")};
  if (!kLanguages.contains(language)) return QString();
  return (sysCode == QLatin1String("GF") ? QStringLiteral("GF_") : QStringLiteral("GL_")) + language;
}

void AddBackslash(QString& path) {
  path = path.trimmed();
  if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
}

void InitColumnWidths() {
  Session& s = Session::Current();
  // 32-bit arithmetic: a digest length of 200 bytes is 36,000 twips, which the
  // 16-bit product of old overflowed.
  s.gColWidthB = s.Common().GetAccountSetInfo().GetAmountLength() * 90;
  s.gColWidthA = s.Common().GetAccountSetInfo().GetDigestLength() * 180;
}

QString PrintFormatConnectionString(const QString& path, bool create) {
  return QStringLiteral("sqlite:file:") + QString::fromLatin1(QUrl::toPercentEncoding(path, "/")) +
         (create ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw"));
}

void InitPrintTables() {
  Session& s = Session::Current();
  // The print formats live in the user's application data, never in whatever
  // folder the program happens to run in.
  QString folder =
      s.systemFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : s.systemFolder;
  AddBackslash(folder);
  s.gPrintFormatPath = folder + QStringLiteral("ZQCOMSQL/Zqformat.db");
  s.gPrintExTable = QStringLiteral("PrintEx_") + s.gLogin->GetAccountSetKey();
  s.gPrintFormatDb.reset();
  try {
    if (!QFileInfo::exists(s.gPrintFormatPath))
      throw platform::DbError(QStringLiteral("The print-format database %1 is missing").arg(s.gPrintFormatPath));
    // Opened read-write but never created: a missing file is reported, not made empty.
    s.gPrintFormatDb =
        platform::ObjectFactory::Instance().OpenConnection(PrintFormatConnectionString(s.gPrintFormatPath, false));
  } catch (const std::exception& e) {
    shared::ShowMsgBox(OpenFailureText(s.gPrintFormatPath, QString::fromUtf8(e.what())), 0);
  }
}

void InitPaths() {
  Session& s = Session::Current();
  QString appFolder = s.applicationFolder.isEmpty() ? QCoreApplication::applicationDirPath() : s.applicationFolder;
  AddBackslash(appFolder);
  const QString language = s.gLogin->GetLanguageId();
  platform::FolderSettings& folders = s.Common().GetFolderSettings();
  folders.SetPathA(appFolder);
  folders.SetPathB(appFolder);
  folders.SetPathC(appFolder);
  folders.SetReportPath(platform::ReportTemplateFolder(appFolder, language) + QLatin1Char('/'));
  folders.SetPathD(appFolder);
  s.Common().GetHelpSettings().SetHelpFile(s.gLogin->GetInstallPath() + QStringLiteral("/Help/") +
                                           HelpName(s.gSysCode, language) + QStringLiteral(".chm"));
  Trace(QStringLiteral("YSYFMain开始"));
  Trace(QStringLiteral("YSYFMain结束"));
  InitPrintTables();
  Trace(QStringLiteral("CurPrint结束"));
}

bool InitSession() {
  Session& s = Session::Current();
  try {
    Trace(QStringLiteral("main开始:"));
    platform::LoginContext& login = *s.gLogin;
    platform::DbConnection* connection = login.GetConnection();
    s.gCommonServices = platform::ObjectFactory::Instance().CreateCommonServices();
    s.gCommonServices->SetLogin(&login);
    const QString text1 = login.GetSessionText1();
    const QString setKey = login.GetAccountSetKey();
    const QString number = login.GetSessionNumber();
    const QString text2 = login.GetSessionText2();
    const QDate date = login.GetSessionDate();
    const QString text3 = login.GetSessionText3();
    s.gCommonServices->Initialize(connection, text1, setKey, static_cast<qint16>(number.toInt()), text2, date,
                                  QVariant(text3));
    Trace(QStringLiteral("initpubs结束:"));

    s.Cash().SetLogin(&login);
    s.Cash().InitSession(login.GetSessionText1(), login.GetAccountSetKey(), login.GetSessionNumber(),
                         login.GetSessionDate());
    s.Cash().IsSubsystemOn(QStringLiteral("GL"));
    const bool cashOn = s.Cash().IsSubsystemOn(QStringLiteral("RP"));
    s.gBookMode = cashOn ? s.Cash().GetOptions().UseBankBooks : 0;
    s.gProduct = QStringLiteral("ZZ");
    s.gSysCode = QStringLiteral("GL");

    const DateLocaleVariable dateLocale = DecidingDateLocaleVariable();
    const QString toolText = shared::GetResString(QStringLiteral("Q9.GL.ZZTool.00662"), dateLocale.name, dateLocale.example);
    const QString shortDate =
        s.dateTextFormat.isEmpty() ? QLocale::system().dateFormat(QLocale::ShortFormat) : s.dateTextFormat;
    if (!QDate::currentDate().toString(shortDate).contains(QLatin1Char('-'))) {
      shared::ShowMsgBox(shared::GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03838"), toolText), 64,
                         shared::GetResString(shared::kTitleKey));
      return false;
    }
    s.gColorLightGrey = QColor(232, 232, 232);
    s.gColorLightRose = QColor(247, 237, 236);
    s.gColorLightYellow = QColor(247, 243, 198);
    InitColumnWidths();
    InitPaths();
    shared::InstallSessionHooks();
    // Help of every window opens the host's own pages in the session's language.
    const QString language = login.GetLanguageId();
    shared::SetHelpPageOpener([language](const QString& pageId) { HelpViewer::Open(pageId, language); });
    s.gHelpFile = login.GetInstallPath() + QStringLiteral("/Help/") + HelpName(s.gSysCode, login.GetLanguageId()) +
                  QStringLiteral(".chm");
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace corvane::host
