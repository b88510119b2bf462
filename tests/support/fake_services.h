#pragma once

#include "platform/db/db_connection.h"
#include "platform/print/print_work_db.h"
#include "platform/services/cash_services.h"
#include "platform/services/common_services.h"
#include "platform/services/login_context.h"
#include "platform/services/service_error.h"
#include "platform/services/ui_style_service.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

namespace corvane::testing {

// Fakes of the suite's services for the start-up and claim tests: they record the
// calls the component makes and answer from fields a test sets.

class FakeLoginContext : public platform::LoginContext {
 public:
  platform::DbConnection* connection = nullptr;
  QString language = QStringLiteral("zh-CN");
  QString installPath = QStringLiteral("/opt/suite");
  QString accountSetKey = QStringLiteral("001");
  bool failConnection = false;
  // Claims: the answer, then the error number and text after a refusal.
  bool claimAnswer = true;
  int errorNumber = 0;
  QString errorText;
  std::vector<QString> calls;  // "ClaimTask:<id>:<1|0>", "GetErrorNumber", …

  platform::DbConnection* GetConnection() override {
    if (failConnection) throw platform::ServiceError(QStringLiteral("no connection"));
    return connection;
  }
  QString GetSessionText1() override { return QStringLiteral("demo"); }
  QString GetAccountSetKey() override { return accountSetKey; }
  QString GetSessionNumber() override { return QStringLiteral("2026"); }
  QString GetSessionText2() override { return QStringLiteral("演示用户"); }
  QDate GetSessionDate() override { return QDate(2026, 6, 15); }
  QString GetSessionText3() override { return QStringLiteral("session-1"); }
  QString GetInstallPath() override { return installPath; }
  QString GetLanguageId() override { return language; }
  bool ClaimTask(const QString& taskId, bool claim, int) override {
    calls.push_back(QStringLiteral("ClaimTask:%1:%2").arg(taskId).arg(claim ? 1 : 0));
    return claimAnswer;
  }
  int GetErrorNumber() override { calls.push_back(QStringLiteral("GetErrorNumber")); return errorNumber; }
  QString GetErrorText() override { calls.push_back(QStringLiteral("GetErrorText")); return errorText; }
  void AfterClaimRefused() override { calls.push_back(QStringLiteral("AfterClaimRefused")); }
};

// Texts are "<key>" or "<key>|arg1|arg2", so tests see which key and arguments were used.
class FakeCommonServices : public platform::CommonServices {
 public:
  platform::DbConnection* connection = nullptr;
  platform::AccountSetInfo accountSet;
  platform::FolderSettings folders;
  platform::HelpSettings help;
  platform::ParamObject param;
  std::vector<QString> calls;
  bool failStrings = false;
  std::unique_ptr<QTemporaryDir> workDir;
  std::unique_ptr<platform::PrintWorkDb> workDb;

  void SetLogin(platform::LoginContext*) override { calls.push_back(QStringLiteral("SetLogin")); }
  void Initialize(platform::DbConnection* c, const QString&, const QString&, int number, const QString&,
                  const QDate&, const QVariant&) override {
    connection = c;
    calls.push_back(QStringLiteral("Initialize:%1").arg(number));
  }
  platform::DbConnection& GetConnection() override {
    if (!connection) throw platform::ServiceError(QStringLiteral("no connection"));
    return *connection;
  }
  QString GetString(const QString& key, const QStringList* args) override {
    if (failStrings) throw platform::ServiceError(QStringLiteral("texts unavailable"));
    return args ? key + QLatin1Char('|') + args->join(QLatin1Char('|')) : key;
  }
  int LocalizeControls(QWidget*, const QString&, const QString&, const QString&) override { return 0; }
  QString GetFunctionName(const QString& id) override { return QStringLiteral("name of ") + id; }
  QString GetLanguage() override { return QStringLiteral("zh-CN"); }
  platform::ParamObject& GetParamObject() override { return param; }
  void SetParamObject(const platform::ParamObject* object) override { param = object ? *object : platform::ParamObject(); }
  bool LockAccount(const QString&, bool, const QString&) override { return true; }
  platform::AccountInfo GetAccount(const QString& code) override { platform::AccountInfo a; a.code = code; return a; }
  QString GetAccountName(const QString& code) override { return code; }
  platform::AccountSetDates GetAccountSetDates() override { return {}; }
  platform::AccountSetInfo GetAccountSetInfo() override { return accountSet; }
  platform::SessionInfo GetSessionInfo() override { return {}; }
  bool IsValidDate(const QString& t) override { return ParseDate(t).isValid(); }
  QDate ParseDate(const QString& t) override { return QDate::fromString(t, QStringLiteral("yyyy.MM.dd")); }
  QString FormatDate(const QDate& d) override { return d.toString(QStringLiteral("yyyy.MM.dd")); }
  bool CheckDateBox(QLineEdit*) override { return true; }
  platform::PeriodInfo GetPeriodInfo() override { return {}; }
  int GetDatePeriod(const QDate& d) override { return d.month(); }
  int GetPeriodNumber(const QString& t) override { return t.right(2).toInt(); }
  platform::AccountingCalendar GetCalendar() override { return {}; }
  void FillPeriodCombo(QComboBox*, bool) override {}
  void SyncPeriodCombos(QComboBox*, QComboBox*) override {}
  QString AmountTextToNumberText(const QString& t) override { return QString(t).remove(QLatin1Char(',')); }
  int GetByteLength(const QString& t) override { return t.size(); }
  QString LeftBytes(const QString& t, int w) override { return t.left(w); }
  QString GetDirectionText(int d) override { return d == 1 ? QStringLiteral("借") : QStringLiteral("贷"); }
  QString GetEnumKey(const QString&, const QString& t) override { return t; }
  bool SettleStyleExists(const QString&) override { return true; }
  void AttachSettleStyleList(QWidget*, bool) override {}
  QString GetSettleStyleCode(const QString& t, int) override { return t; }
  void AttachVoucherSignList(QWidget*, bool) override {}
  bool GetVoucherSign(const QString&, platform::VoucherSignInfo&) override { return true; }
  QStringList PrepareReportTemplate(const QString&) override { return QStringList(7, QString()); }
  void SavePageSettings(const QString&, const QStringList&) override {}
  // A real work database in a folder of its own, made at the first use.
  platform::PrintWorkDb* GetPrintWorkDb() override;
  void ApplyGridSettings(QWidget*) override {}
  platform::GridFontSettings GetGridFontSettings() override { return {}; }
  platform::FolderSettings& GetFolderSettings() override { return folders; }
  platform::HelpSettings& GetHelpSettings() override { return help; }
};

class FakeCashServices : public platform::CashServices {
 public:
  bool glOn = true;
  bool rpOn = true;
  int useBankBooks = 0;
  int optionsAsked = 0;
  std::vector<QString> calls;

  void SetLogin(platform::LoginContext*) override { calls.push_back(QStringLiteral("SetLogin")); }
  void InitSession(const QString&, const QString&, const QString&, const QDate&) override {
    calls.push_back(QStringLiteral("InitSession"));
  }
  bool IsSubsystemOn(const QString& part) override {
    calls.push_back(QStringLiteral("IsSubsystemOn:") + part);
    return part == QLatin1String("GL") ? glOn : rpOn;
  }
  platform::CashOptions GetOptions() override { ++optionsAsked; platform::CashOptions o; o.UseBankBooks = useBankBooks; return o; }
  // Messages go to the installed presenter, as the suite's own do.
  int ShowMessage(const QString& prompt, int buttons, const QString& title, const QString& helpFile,
                  int context) override;
  QString GetMessageTitle() override { return QStringLiteral("title"); }
  platform::BookInfo GetBook(const QString& c) override { platform::BookInfo b; b.BookCode = c; return b; }
  QString GetBookName(const QString& c) override { return c; }
  QDate GetBookStartDate(const QString&) override { return {}; }
  QDate GetBookDefaultStartDate(const QString&) override { return {}; }
  QDate GetBookEndDate(const QString&) override { return {}; }
  int GetBookDirectionValue(const QString&, int) override { return 0; }
  QVariant GetAccountProperty(const QString&, int) override { return QString(); }
  QString NewFlowId(const QString& c, bool) override { return c + QStringLiteral("0001"); }
  bool CheckDateText(const QString&, const QString&) override { return true; }
  QString TranslateCurrency(const QString& t, int) override { return t; }
};

class FakeUiStyle : public platform::UiStyleService {
 public:
  std::vector<QString>* traces = nullptr;
  void WriteTrace(const QString& line) override { if (traces) traces->push_back(line); }
  void StyleForm(QWidget*, bool) override {}
  void StyleHeaderLabel(QWidget*) override {}
  void StylePanel(QWidget*) override {}
  void StyleGrid(QWidget*, bool) override {}
};

}  // namespace corvane::testing
