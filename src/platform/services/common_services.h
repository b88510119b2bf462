#pragma once

#include "platform/services/accounting_calendar.h"
#include "platform/services/folder_settings.h"
#include "platform/services/param_object.h"
#include "platform/services/records.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

class QComboBox;
class QLineEdit;
class QWidget;

namespace corvane::platform {

class DbConnection;
class LoginContext;
class PrintWorkDb;

// The suite's shared services: the connection, resource texts and captions,
// dates and the accounting calendar, account records and locks, the shared
// ParamObject, and the report settings. Failures throw ServiceError (or DbError
// from the database underneath).
class CommonServices {
 public:
  virtual ~CommonServices() = default;

  virtual void SetLogin(LoginContext* login) = 0;
  virtual void Initialize(DbConnection* connection, const QString& sessionText1, const QString& accountSetKey,
                          int sessionNumber, const QString& sessionText2, const QDate& sessionDate,
                          const QVariant& sessionText3) = 0;
  virtual DbConnection& GetConnection() = 0;

  // Resource text of a key with its arguments filled in order; args null is the
  // "no arguments" marker. A key the texts lack comes back as the key itself.
  virtual QString GetString(const QString& key, const QStringList* args = nullptr) = 0;
  // Sets the captions of a window's controls from the texts under the key prefix.
  virtual int LocalizeControls(QWidget* window, const QString& keyPrefix, const QString& text2,
                               const QString& text3) = 0;
  virtual QString GetFunctionName(const QString& functionId) = 0;
  virtual QString GetLanguage() = 0;

  virtual ParamObject& GetParamObject() = 0;
  // Hands the shared ParamObject the values of `object`; nullptr releases it, so
  // that the next GetParamObject gives one without values. The object stays the
  // same one, so a reference taken earlier remains valid.
  virtual void SetParamObject(const ParamObject* object) = 0;
  // Holds an account or book for a function (lock true; the result says whether
  // it was granted) or gives it back (lock false).
  virtual bool LockAccount(const QString& code, bool lock, const QString& functionId = QString()) = 0;
  // Holds the account of a book that a window chose itself (not through the
  // selection dialog) for a function; a refusal names that book. Given back with
  // LockAccount(account, false).
  virtual bool LockBookAccount(const QString& account, const QString& bookCode, const QString& functionId) {
    (void)bookCode;
    return LockAccount(account, true, functionId);
  }
  // Whether the session still holds a code it locked. False, after telling the
  // user who holds it now, when another session took it while this session's
  // connection to the server was lost: the window then writes nothing more.
  virtual bool StillHoldsAccount(const QString& code) {
    (void)code;
    return true;
  }

  virtual AccountInfo GetAccount(const QString& code) = 0;
  virtual QString GetAccountName(const QString& code) = 0;
  virtual AccountSetDates GetAccountSetDates() = 0;
  virtual AccountSetInfo GetAccountSetInfo() = 0;
  virtual SessionInfo GetSessionInfo() = 0;

  virtual bool IsValidDate(const QString& text) = 0;
  virtual QDate ParseDate(const QString& text) = 0;
  // "yyyy.mm.dd"; no date gives "0100.01.01".
  virtual QString FormatDate(const QDate& date) = 0;
  virtual bool CheckDateBox(QLineEdit* box) = 0;

  virtual PeriodInfo GetPeriodInfo() = 0;
  // The period (1..12) of a date; 0 outside the account-set year.
  virtual int GetDatePeriod(const QDate& date) = 0;
  int GetPeriodOfDate(const QDate& date) { return GetDatePeriod(date); }
  // The period number a period text of the period lists names ("2026.03" → 3).
  virtual int GetPeriodNumber(const QString& periodText) = 0;
  int GetPeriodOfDate(const QString& periodText) { return GetPeriodNumber(periodText); }
  virtual AccountingCalendar GetCalendar() = 0;
  // Fills a list with the periods of the year and chooses its first entry.
  // Without fromBeginning, position k holds period k + 1; with it, one entry
  // that bounds nothing comes first (see PeriodList) and period k stands at
  // position k.
  virtual void FillPeriodCombo(QComboBox* list, bool fromBeginning = false) = 0;
  void ListPeriods(QComboBox* list) { FillPeriodCombo(list, false); }
  // Refills an end-period list with the periods from the start list's period
  // on, keeping the end period it had while that still lies at or after the start.
  virtual void SyncPeriodCombos(QComboBox* start, QComboBox* end) = 0;

  virtual QString AmountTextToNumberText(const QString& displayAmount) = 0;
  virtual int GetByteLength(const QString& text) = 0;
  virtual QString LeftBytes(const QString& text, int width) = 0;
  // direction 1 debit, 0 (or 2) credit.
  virtual QString GetDirectionText(int direction) = 0;
  virtual QString GetEnumKey(const QString& enumName, const QString& displayText) = 0;

  virtual bool SettleStyleExists(const QString& code) = 0;
  // Gives a combo box (combo true) or a list widget the entries "code name" of the settlement styles.
  virtual void AttachSettleStyleList(QWidget* control, bool combo) = 0;
  virtual QString GetSettleStyleCode(const QString& entryText, int reserved = 0) = 0;
  virtual void AttachVoucherSignList(QWidget* control, bool combo) = 0;
  virtual bool GetVoucherSign(const QString& sign, VoucherSignInfo& info) = 0;

  // The seven page settings of a report key (stored ones, or defaults).
  virtual QStringList PrepareReportTemplate(const QString& reportKey) = 0;
  QStringList LoadPageSettings(const QString& reportKey) { return PrepareReportTemplate(reportKey); }
  virtual void SavePageSettings(const QString& reportKey, const QStringList& settings) = 0;
  // The session's work database of the report procedures (platform/print/print_work_db.h).
  virtual PrintWorkDb* GetPrintWorkDb() = 0;

  virtual void ApplyGridSettings(QWidget* grid) = 0;
  virtual GridFontSettings GetGridFontSettings() = 0;
  virtual FolderSettings& GetFolderSettings() = 0;
  virtual HelpSettings& GetHelpSettings() = 0;
};

}  // namespace corvane::platform
