#pragma once

#include "platform/print/print_work_db.h"
#include "platform/services/common_services.h"

#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QTemporaryDir;

namespace corvane::suite {

class AccountLocks;
struct LockHolder;
class SessionOwner;
class TextSource;

// The suite's shared services over the session's connection. The session
// values that Initialize receives mean:
//   sessionText1  user id: whose rights apply and who holds locks
//   accountSetKey account set: names its settings and page settings
//   sessionNumber the account-set year: whose calendar (corvane_calendar) applies
//   sessionText2  user name: shown to other users when they are refused
//   sessionDate   login date: its period is the current period
//   sessionText3  session id: locks taken under it belong to the session
// Texts and captions come from the TextSource given at construction.
class SuiteCommonServices : public platform::CommonServices {
 public:
  // texts is not owned and may be null (every key then comes back as itself).
  explicit SuiteCommonServices(TextSource* texts);
  ~SuiteCommonServices() override;

  void SetLogin(platform::LoginContext* login) override { login_ = login; }
  void Initialize(platform::DbConnection* connection, const QString& sessionText1, const QString& accountSetKey,
                  int sessionNumber, const QString& sessionText2, const QDate& sessionDate,
                  const QVariant& sessionText3) override;
  platform::DbConnection& GetConnection() override;

  QString GetString(const QString& key, const QStringList* args = nullptr) override;
  int LocalizeControls(QWidget* window, const QString& keyPrefix, const QString& text2,
                       const QString& text3) override;
  QString GetFunctionName(const QString& functionId) override;
  QString GetLanguage() override;

  platform::ParamObject& GetParamObject() override { return param_; }
  void SetParamObject(const platform::ParamObject* object) override { param_ = object ? *object : platform::ParamObject(); }
  bool LockAccount(const QString& code, bool lock, const QString& functionId = QString()) override;
  bool LockBookAccount(const QString& account, const QString& bookCode, const QString& functionId) override;
  bool StillHoldsAccount(const QString& code) override;

  platform::AccountInfo GetAccount(const QString& code) override;
  QString GetAccountName(const QString& code) override;
  platform::AccountSetDates GetAccountSetDates() override;
  platform::AccountSetInfo GetAccountSetInfo() override;
  platform::SessionInfo GetSessionInfo() override;

  bool IsValidDate(const QString& text) override;
  QDate ParseDate(const QString& text) override;
  QString FormatDate(const QDate& date) override;
  bool CheckDateBox(QLineEdit* box) override;

  platform::PeriodInfo GetPeriodInfo() override;
  int GetDatePeriod(const QDate& date) override;
  int GetPeriodNumber(const QString& periodText) override;
  platform::AccountingCalendar GetCalendar() override;
  void FillPeriodCombo(QComboBox* list, bool fromBeginning = false) override;
  void SyncPeriodCombos(QComboBox* start, QComboBox* end) override;

  QString AmountTextToNumberText(const QString& displayAmount) override;
  int GetByteLength(const QString& text) override;
  QString LeftBytes(const QString& text, int width) override;
  QString GetDirectionText(int direction) override;
  QString GetEnumKey(const QString& enumName, const QString& displayText) override;

  bool SettleStyleExists(const QString& code) override;
  void AttachSettleStyleList(QWidget* control, bool combo) override;
  QString GetSettleStyleCode(const QString& entryText, int reserved = 0) override;
  void AttachVoucherSignList(QWidget* control, bool combo) override;
  bool GetVoucherSign(const QString& sign, platform::VoucherSignInfo& info) override;

  QStringList PrepareReportTemplate(const QString& reportKey) override;
  void SavePageSettings(const QString& reportKey, const QStringList& settings) override;
  platform::PrintWorkDb* GetPrintWorkDb() override;

  void ApplyGridSettings(QWidget* grid) override;
  platform::GridFontSettings GetGridFontSettings() override;
  platform::FolderSettings& GetFolderSettings() override { return folders_; }
  platform::HelpSettings& GetHelpSettings() override { return help_; }

 private:
  const platform::AccountingCalendar& Calendar();
  AccountLocks& Locks();
  QString HomeCurrency();
  void ShowLockRefused(const QString& code, const QString& bookCode);
  // The session's rows renewed after the connection was made again; throws a
  // DbError naming the holder when another session took a code meanwhile.
  void RenewHolds();
  QString TakenText(const QString& code, const LockHolder& holder);
  QString BookNameUnder(const QString& bookCode, const QString& account);
  static QString HoldingFunction(const LockHolder& holder, const QString& bookCode);

  TextSource* texts_;
  platform::LoginContext* login_ = nullptr;
  platform::DbConnection* connection_ = nullptr;
  QString userId_;
  QString accountSetKey_;
  int year_ = 0;
  QString userName_;
  QDate sessionDate_;
  QString sessionId_;
  std::optional<platform::AccountingCalendar> calendar_;
  std::unique_ptr<SessionOwner> owner_;
  std::unique_ptr<AccountLocks> locks_;
  std::shared_ptr<std::function<void()>> reconnected_;
  platform::ParamObject param_;
  platform::FolderSettings folders_;
  platform::HelpSettings help_;
  std::unique_ptr<QTemporaryDir> printWorkDir_;
  std::unique_ptr<platform::PrintWorkDb> printWorkDb_;
};

}  // namespace corvane::suite
