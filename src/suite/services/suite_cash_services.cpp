#include "suite/services/suite_cash_services.h"

#include "platform/db/db_connection.h"
#include "platform/services/login_context.h"
#include "platform/services/message_presenter.h"
#include "platform/services/service_error.h"
#include "suite/services/date_codec.h"
#include "suite/services/flow_numbers.h"
#include "suite/services/service_texts.h"
#include "suite/services/suite_settings.h"
#include "suite/services/text_source.h"

#include <QHash>

namespace corvane::suite {

using platform::ServiceError;

SuiteCashServices::SuiteCashServices(TextSource* texts) : texts_(texts) {}

void SuiteCashServices::SetLogin(platform::LoginContext* login) {
  login_ = login;
  if (login_) InitSession(login_->GetSessionText1(), login_->GetAccountSetKey(), login_->GetSessionNumber(),
                          login_->GetSessionDate());
}

void SuiteCashServices::InitSession(const QString&, const QString& accountSetKey, const QString& sessionNumber,
                                    const QDate&) {
  accountSetKey_ = accountSetKey.trimmed();
  year_ = sessionNumber.trimmed().toInt();
}

platform::DbConnection& SuiteCashServices::Connection() {
  platform::DbConnection* c = login_ ? login_->GetConnection() : nullptr;
  if (!c) throw ServiceError(TextOr(texts_, QStringLiteral("corvane.suite.cash.nologin"), QStringLiteral("现金管理服务没有登录。")));
  return *c;
}

QString SuiteCashServices::HomeCurrency() {
  return SuiteSettings(Connection(), accountSetKey_).Text(QStringLiteral("HomeCurrency"), QStringLiteral("人民币"));
}

bool SuiteCashServices::IsSubsystemOn(const QString& partCode) {
  return SuiteSettings(Connection(), accountSetKey_)
      .Flag(QStringLiteral("Subsystem.") + partCode.trimmed().toUpper(), true);
}

platform::CashOptions SuiteCashServices::GetOptions() {
  platform::CashOptions options;
  options.UseBankBooks = SuiteSettings(Connection(), accountSetKey_).Number(QStringLiteral("UseBankBooks"), 0, -32768, 32767);
  return options;
}

int SuiteCashServices::ShowMessage(const QString& prompt, int buttons, const QString& title,
                                   const QString& helpFile, int context) {
  platform::MessageRequest request;
  request.prompt = prompt;
  request.buttons = buttons;
  request.title = title;
  request.helpFile = helpFile;
  request.context = context;
  return platform::MessagePresenter::Current().Show(request);
}

QString SuiteCashServices::GetMessageTitle() {
  return TextOr(texts_, QStringLiteral("corvane.suite.cash.title"), QStringLiteral("现金管理"));
}

platform::BookInfo SuiteCashServices::GetBook(const QString& bookCode) {
  const platform::ResultSet r = Connection().Query(
      QStringLiteral("select cBookCode, cBookName, ccode, cexch_name, cBankAccount, dBeginDate, dEndDate, bd_c, "
                     "dOpenDate, bCloseFlag from RP_Book where cBookCode = ?"),
      {bookCode.trimmed()});
  if (r.rows.empty()) throw BookMissingError(texts_, bookCode);
  const auto& row = r.rows[0];
  platform::BookInfo book;
  book.BookCode = row[0].ToString();
  book.BookName = row[1].ToString();
  book.AccountCode = row[2].ToString();
  // As stored, the home currency included: the callers compare it with the
  // account set's home currency, and the bank line source needs the currency.
  book.CurrencyName = row[3].ToString().trimmed();
  book.BankAccountNo = row[4].ToString();
  book.StartDate = row[5].ToDate();
  book.EndDate = row[6].ToDate();
  book.direction = row[7].ToInt() != 0 ? 1 : 0;
  book.opened = !row[8].IsNull();
  book.closed = row[9].ToInt() != 0;
  return book;
}

QString SuiteCashServices::GetBookName(const QString& bookCode) {
  return Connection()
      .QueryValue(QStringLiteral("select cBookName from RP_Book where cBookCode = ?"), {bookCode.trimmed()})
      .ToString();
}

QDate SuiteCashServices::GetBookStartDate(const QString& bookCode) {
  return Connection()
      .QueryValue(QStringLiteral("select dBeginDate from RP_Book where cBookCode = ?"), {bookCode.trimmed()})
      .ToDate();
}

// A book never set up for reconciliation starts where its bookkeeping started:
// its opening date, or else the first day of the account-set year.
QDate SuiteCashServices::GetBookDefaultStartDate(const QString&) {
  // A book without a start date of its own starts with the account set (its
  // start date, else the first day of its year), as an account does.
  const QDate accountSet = ParseDateText(SuiteSettings(Connection(), accountSetKey_).Text(QStringLiteral("StartDate")));
  if (accountSet.isValid()) return accountSet;
  const QDate yearStart =
      Connection().QueryValue(QStringLiteral("select min(dbegin) from corvane_calendar where iyear = ?"), {year_}).ToDate();
  return yearStart.isValid() ? yearStart : QDate(year_, 1, 1);
}

QDate SuiteCashServices::GetBookEndDate(const QString& bookCode) {
  return Connection()
      .QueryValue(QStringLiteral("select dEndDate from RP_Book where cBookCode = ?"), {bookCode.trimmed()})
      .ToDate();
}

int SuiteCashServices::GetBookDirectionValue(const QString& bookCode, int) {
  const platform::DbValue d =
      Connection().QueryValue(QStringLiteral("select bd_c from RP_Book where cBookCode = ?"), {bookCode.trimmed()});
  if (d.IsNull()) throw BookMissingError(texts_, bookCode);
  return d.ToInt() != 0 ? 1 : -1;
}

void SuiteCashServices::SetBookStartDate(const QString& bookCode, const QDate& start) {
  if (Connection().Execute(QStringLiteral("update RP_Book set dBeginDate = ? where cBookCode = ?"),
                           {start, bookCode.trimmed()}) != 1)
    throw BookMissingError(texts_, bookCode);
}

void SuiteCashServices::SetBookDirection(const QString& bookCode, bool debit) {
  if (Connection().Execute(QStringLiteral("update RP_Book set bd_c = ? where cBookCode = ?"),
                           {debit ? 1 : 0, bookCode.trimmed()}) != 1)
    throw BookMissingError(texts_, bookCode);
}

QVariant SuiteCashServices::GetAccountProperty(const QString& accountCode, int property) {
  if (property != kCurrencyProperty) return {};
  const QString currency =
      Connection()
          .QueryValue(QStringLiteral("select cexch_name from code where ccode = ?"), {accountCode.trimmed()})
          .ToString()
          .trimmed();
  return currency == HomeCurrency() ? QString() : currency;
}

QString SuiteCashServices::NewFlowId(const QString& bookCode, bool reserve) {
  FlowNumbers numbers(Connection(), texts_);
  return reserve ? numbers.Take(bookCode) : numbers.Peek(bookCode);
}

bool SuiteCashServices::CheckDateText(const QString& text, const QString& fieldName) {
  if (ParseDateText(text).isValid()) return true;
  ShowMessage(TextOr(texts_, QStringLiteral("corvane.suite.cash.baddate"),
                     QStringLiteral("%1日期[%2]不是有效日期，请按 2026.12.01、2026-12-01、2026/12/01 或 20261201 的形式输入。"), {fieldName, text.trimmed()}),
              48, GetMessageTitle(), QString(), 0);
  return false;
}

// The internet-banking line source takes ISO currency codes.
QString SuiteCashServices::TranslateCurrency(const QString& currencyText, int) {
  static const QHash<QString, QString> codes{
      {QStringLiteral("人民币"), QStringLiteral("CNY")}, {QStringLiteral("美元"), QStringLiteral("USD")},
      {QStringLiteral("港币"), QStringLiteral("HKD")},   {QStringLiteral("港元"), QStringLiteral("HKD")},
      {QStringLiteral("欧元"), QStringLiteral("EUR")},   {QStringLiteral("日元"), QStringLiteral("JPY")},
      {QStringLiteral("英镑"), QStringLiteral("GBP")},   {QStringLiteral("澳元"), QStringLiteral("AUD")},
      {QStringLiteral("加元"), QStringLiteral("CAD")},   {QStringLiteral("新台币"), QStringLiteral("TWD")}};
  const QString t = currencyText.trimmed();
  if (t.isEmpty()) return TranslateCurrency(HomeCurrency());
  if (auto it = codes.find(t); it != codes.end()) return *it;
  return t.toUpper();
}

}  // namespace corvane::suite
