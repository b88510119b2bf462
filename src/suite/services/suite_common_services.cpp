#include "suite/services/suite_common_services.h"

#include "platform/db/db_connection.h"
#include "platform/db/db_error.h"
#include "platform/services/login_context.h"
#include "platform/services/message_presenter.h"
#include "platform/services/service_error.h"
#include "suite/services/account_locks.h"
#include "suite/services/calendar_store.h"
#include "suite/services/date_codec.h"
#include "suite/services/function_claims.h"
#include "suite/services/session_owner.h"
#include "suite/services/suite_settings.h"
#include "suite/services/text_source.h"
#include "suite/services/text_width.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QUuid>

namespace corvane::suite {

using platform::ServiceError;

namespace {

const QString kHomeCurrencyFallback = QStringLiteral("人民币");

}  // namespace

SuiteCommonServices::SuiteCommonServices(TextSource* texts) : texts_(texts) {}

SuiteCommonServices::~SuiteCommonServices() = default;

void SuiteCommonServices::Initialize(platform::DbConnection* connection, const QString& sessionText1,
                                     const QString& accountSetKey, int sessionNumber, const QString& sessionText2,
                                     const QDate& sessionDate, const QVariant& sessionText3) {
  if (!connection)
    throw ServiceError(TextOr(texts_, QStringLiteral("corvane.suite.noconnection"), QStringLiteral("没有数据库连接。")));
  reconnected_.reset();
  locks_.reset();
  owner_.reset();
  calendar_.reset();
  connection_ = connection;
  userId_ = sessionText1.trimmed();
  accountSetKey_ = accountSetKey.trimmed();
  year_ = sessionNumber;
  userName_ = sessionText2;
  sessionDate_ = sessionDate;
  sessionId_ = sessionText3.toString().trimmed();
  // Without a session id from the host the locks still need an owner of their own.
  if (sessionId_.isEmpty()) sessionId_ = QUuid::createUuid().toString(QUuid::WithoutBraces);
  owner_ = std::make_unique<SessionOwner>(*connection_, sessionId_);
  reconnected_ = connection_->OnReconnected([this] { RenewHolds(); });
}

void SuiteCommonServices::RenewHolds() {
  owner_->Renew();
  if (!locks_) return;
  const std::map<QString, LockHolder> lost = locks_->Renew();
  if (!lost.empty()) throw platform::DbError(TakenText(lost.begin()->first, lost.begin()->second));
}

platform::DbConnection& SuiteCommonServices::GetConnection() {
  if (!connection_)
    throw ServiceError(TextOr(texts_, QStringLiteral("corvane.suite.notready"), QStringLiteral("公共服务尚未初始化。")));
  return *connection_;
}

QString SuiteCommonServices::GetString(const QString& key, const QStringList* args) {
  return texts_ ? texts_->Text(key, args) : key;
}

int SuiteCommonServices::LocalizeControls(QWidget* window, const QString& keyPrefix, const QString&,
                                          const QString&) {
  return texts_ && window ? texts_->LocalizeControls(window, keyPrefix) : 0;
}

QString SuiteCommonServices::GetFunctionName(const QString& functionId) {
  return FunctionClaims::FunctionName(GetConnection(), functionId, texts_);
}

QString SuiteCommonServices::GetLanguage() {
  const QString language = login_ ? login_->GetLanguageId().trimmed() : QString();
  return language.isEmpty() ? QStringLiteral("zh-CN") : language;
}

AccountLocks& SuiteCommonServices::Locks() {
  if (!locks_) {
    GetConnection();
    locks_ = std::make_unique<AccountLocks>(*connection_, *owner_, userId_, userName_);
  }
  return *locks_;
}

bool SuiteCommonServices::LockAccount(const QString& code, bool lock, const QString& functionId) {
  if (!lock) return Locks().Release(code);
  if (Locks().Lock(code, functionId)) return true;
  // The openers lock the account of the book chosen in the selection dialog
  // (ParamObject.Value4, written only by a book choice).
  if (!code.trimmed().isEmpty()) ShowLockRefused(code.trimmed(), param_.Value4.trimmed());
  return false;
}

bool SuiteCommonServices::LockBookAccount(const QString& account, const QString& bookCode, const QString& functionId) {
  if (Locks().Lock(account, functionId)) return true;
  if (!account.trimmed().isEmpty()) ShowLockRefused(account.trimmed(), bookCode.trimmed());
  return false;
}

bool SuiteCommonServices::StillHoldsAccount(const QString& code) {
  const std::optional<LockHolder> holder = locks_ ? locks_->TakenFrom(code) : std::nullopt;
  if (!holder) return true;
  platform::MessageRequest request;
  request.prompt = TakenText(code.trimmed(), *holder);
  request.buttons = 48;
  request.title = TextOr(texts_, QStringLiteral("corvane.suite.title"), QStringLiteral("提示"));
  platform::MessagePresenter::Current().Show(request);
  return false;
}

QString SuiteCommonServices::TakenText(const QString& code, const LockHolder& holder) {
  const QString who = holder.userName.isEmpty() ? holder.userId : holder.userName;
  const QString function = holder.functionId.isEmpty() ? QString() : GetFunctionName(holder.functionId);
  return TextOr(texts_, QStringLiteral("corvane.suite.lock.taken"),
                QStringLiteral("与服务器的连接断开期间，用户[%2]在[%3]中占用了[%1]，本窗口不再写入它。"), {code, who, function});
}

// The callers stop without a word when a lock is refused; the user learns here
// who works on the account, instead of seeing the function simply not open.
void SuiteCommonServices::ShowLockRefused(const QString& code, const QString& bookCode) {
  const LockHolder& holder = Locks().Holder();
  const QString who = holder.userName.isEmpty() ? holder.userId : holder.userName;
  const QString function = holder.functionId.isEmpty() ? QString() : GetFunctionName(HoldingFunction(holder, bookCode));
  platform::MessageRequest request;
  const QString book = BookNameUnder(bookCode, code);
  request.prompt = book.isEmpty()
                       ? TextOr(texts_, QStringLiteral("corvane.suite.lock.refused"),
                                QStringLiteral("[%1]正被用户[%2]在[%3]中使用，请稍后再试。"), {code, who, function})
                       : TextOr(texts_, QStringLiteral("corvane.suite.lock.refusedbook"),
                                QStringLiteral("账簿[%1]正被用户[%2]在[%3]中使用，请稍后再试。"), {book, who, function});
  request.buttons = 48;
  request.title = TextOr(texts_, QStringLiteral("corvane.suite.title"), QStringLiteral("提示"));
  platform::MessagePresenter::Current().Show(request);
}

// The function whose name tells the refused user which window holds the code.
// Book mode runs each function under its menu id, except the bank statement:
// it holds its book under "GL040701", the id the opening set-up runs under in
// account mode. A session choosing a book is taken to be refused by another
// that works on books too, so there that id names the bank statement.
QString SuiteCommonServices::HoldingFunction(const LockHolder& holder, const QString& bookCode) {
  const bool statementOfABook = !bookCode.isEmpty() && holder.functionId.trimmed().compare(
                                                           QLatin1String("GL040701"), Qt::CaseInsensitive) == 0;
  return statementOfABook ? QStringLiteral("RP0304") : holder.functionId;
}

// A book's account is what gets locked, and every book of the account is held
// with it. The refusal names the book being locked, as "name(code)" the way the
// lists show it, when it is kept under the refused account; otherwise (no book,
// or one left from another account's choice) it names the account.
QString SuiteCommonServices::BookNameUnder(const QString& bookCode, const QString& account) {
  if (bookCode.isEmpty()) return {};
  const platform::ResultSet r = GetConnection().Query(
      QStringLiteral("select cBookCode, cBookName from RP_Book where cBookCode = ? and ccode = ?"), {bookCode, account});
  if (r.rows.empty()) return {};
  return r.rows[0][1].ToString().trimmed() + QLatin1Char('(') + r.rows[0][0].ToString().trimmed() + QLatin1Char(')');
}

QString SuiteCommonServices::HomeCurrency() {
  return SuiteSettings(GetConnection(), accountSetKey_).Text(QStringLiteral("HomeCurrency"), kHomeCurrencyFallback);
}

platform::AccountInfo SuiteCommonServices::GetAccount(const QString& code) {
  const platform::ResultSet r = GetConnection().Query(
      QStringLiteral("select ccode, ccode_name, dbegin, dend, cexch_name, bd_c from code where ccode = ?"),
      {code.trimmed()});
  if (r.rows.empty())
    throw ServiceError(
        TextOr(texts_, QStringLiteral("corvane.suite.account.missing"), QStringLiteral("科目[%1]不存在。"), {code.trimmed()}));
  const auto& row = r.rows[0];
  platform::AccountInfo info;
  info.code = row[0].ToString();
  info.name = row[1].ToString();
  info.StartDate = row[2].ToDate();
  info.EndDate = row[3].ToDate();
  // Some charts name the home currency on its accounts: it still counts as none.
  const QString currency = row[4].ToString().trimmed();
  info.CurrencyName = currency == HomeCurrency() ? QString() : currency;
  info.direction = row[5].ToInt() != 0 ? 1 : 0;
  return info;
}

QString SuiteCommonServices::GetAccountName(const QString& code) {
  return GetConnection()
      .QueryValue(QStringLiteral("select ccode_name from code where ccode = ?"), {code.trimmed()})
      .ToString();
}

platform::AccountSetDates SuiteCommonServices::GetAccountSetDates() {
  platform::AccountSetDates dates;
  dates.StartDate = ParseDateText(SuiteSettings(GetConnection(), accountSetKey_).Text(QStringLiteral("StartDate")));
  if (!dates.StartDate.isValid()) dates.StartDate = Calendar().GetPeriodDate(0, 0);
  return dates;
}

platform::AccountSetInfo SuiteCommonServices::GetAccountSetInfo() {
  const SuiteSettings settings(GetConnection(), accountSetKey_);
  platform::AccountSetInfo info;
  info.HomeCurrencyName = settings.Text(QStringLiteral("HomeCurrency"), kHomeCurrencyFallback);
  // Byte values, as the suite's field-length settings are.
  info.DigestLength = settings.Number(QStringLiteral("DigestLength"), info.DigestLength, 1, 255);
  info.AmountLength = settings.Number(QStringLiteral("AmountLength"), info.AmountLength, 1, 255);
  info.LocalPrintFormats = settings.Flag(QStringLiteral("LocalPrintFormats"), info.LocalPrintFormats);
  info.ReportHeadText = settings.Text(QStringLiteral("AccountSetName"), QStringLiteral("[%1]").arg(accountSetKey_));
  return info;
}

platform::SessionInfo SuiteCommonServices::GetSessionInfo() {
  platform::SessionInfo info;
  info.ReportText = userName_;
  return info;
}

bool SuiteCommonServices::IsValidDate(const QString& text) { return ParseDateText(text).isValid(); }

QDate SuiteCommonServices::ParseDate(const QString& text) { return ParseDateText(text); }

QString SuiteCommonServices::FormatDate(const QDate& date) { return FormatDateText(date); }

bool SuiteCommonServices::CheckDateBox(QLineEdit* box) {
  if (!box) return false;
  const QDate d = ParseDateText(box->text());
  if (!d.isValid()) return false;
  // One display form in the box, whatever form was typed.
  box->setText(FormatDateText(d));
  return true;
}

const platform::AccountingCalendar& SuiteCommonServices::Calendar() {
  if (!calendar_) calendar_ = LoadCalendar(GetConnection(), year_, texts_);
  return *calendar_;
}

platform::PeriodInfo SuiteCommonServices::GetPeriodInfo() {
  platform::PeriodInfo info;
  info.CurrentPeriod = PeriodOfDateClamped(Calendar(), sessionDate_);
  return info;
}

int SuiteCommonServices::GetDatePeriod(const QDate& date) { return Calendar().PeriodOfDate(date); }

int SuiteCommonServices::GetPeriodNumber(const QString& periodText) {
  return PeriodNumberOfText(Calendar(), periodText);
}

platform::AccountingCalendar SuiteCommonServices::GetCalendar() { return Calendar(); }

QString SuiteCommonServices::AmountTextToNumberText(const QString& displayAmount) {
  return suite::AmountTextToNumberText(displayAmount);
}

int SuiteCommonServices::GetByteLength(const QString& text) { return ByteLength(text); }

QString SuiteCommonServices::LeftBytes(const QString& text, int width) { return suite::LeftBytes(text, width); }

QString SuiteCommonServices::GetDirectionText(int direction) {
  return direction == 1 ? TextOr(texts_, QStringLiteral("corvane.suite.direction.debit"), QStringLiteral("借"))
                        : TextOr(texts_, QStringLiteral("corvane.suite.direction.credit"), QStringLiteral("贷"));
}

QString SuiteCommonServices::GetEnumKey(const QString& enumName, const QString& displayText) {
  if (enumName.trimmed().compare(QLatin1String("EnumDC"), Qt::CaseInsensitive) != 0) return {};
  const QString t = displayText.trimmed();
  if (t == QStringLiteral("借") || t == GetDirectionText(1)) return QStringLiteral("借");
  if (t == QStringLiteral("贷") || t == GetDirectionText(0)) return QStringLiteral("贷");
  return {};
}

}  // namespace corvane::suite
