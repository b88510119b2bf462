#pragma once

#include "platform/services/cash_services.h"

#include <QDate>
#include <QString>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

class TextSource;

// The cash-management services over the login's connection. Options come from
// corvane_options (and the account set's own settings before them):
//   "Subsystem.GL", "Subsystem.RP"  "0" switches a part off; a part without a
//                                   row is on
//   "UseBankBooks"                  non-zero: the session works on bank books
// Books are the rows of RP_Book; flow numbers count in RP_Book.iLastFlowNo.
class SuiteCashServices : public platform::CashServices {
 public:
  // texts is not owned and may be null.
  explicit SuiteCashServices(TextSource* texts);

  void SetLogin(platform::LoginContext* login) override;
  void InitSession(const QString& sessionText1, const QString& accountSetKey, const QString& sessionNumber,
                   const QDate& sessionDate) override;
  bool IsSubsystemOn(const QString& partCode) override;
  platform::CashOptions GetOptions() override;

  int ShowMessage(const QString& prompt, int buttons, const QString& title, const QString& helpFile,
                  int context) override;
  QString GetMessageTitle() override;

  platform::BookInfo GetBook(const QString& bookCode) override;
  QString GetBookName(const QString& bookCode) override;
  QDate GetBookStartDate(const QString& bookCode) override;
  QDate GetBookDefaultStartDate(const QString& bookCode) override;
  QDate GetBookEndDate(const QString& bookCode) override;
  int GetBookDirectionValue(const QString& bookCode, int reserved = 0) override;
  void SetBookStartDate(const QString& bookCode, const QDate& start) override;
  void SetBookDirection(const QString& bookCode, bool debit) override;
  QVariant GetAccountProperty(const QString& accountCode, int property) override;
  QString NewFlowId(const QString& bookCode, bool reserve = true) override;
  bool CheckDateText(const QString& text, const QString& fieldName) override;
  QString TranslateCurrency(const QString& currencyText, int reserved = 0) override;

  // The property number of GetAccountProperty that gives the currency name.
  static constexpr int kCurrencyProperty = 10;

 private:
  platform::DbConnection& Connection();
  QString HomeCurrency();

  TextSource* texts_;
  platform::LoginContext* login_ = nullptr;
  QString accountSetKey_;
  int year_ = 0;
};

}  // namespace corvane::suite
