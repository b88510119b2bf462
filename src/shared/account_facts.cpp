#include "shared/account_facts.h"

#include "shared/messages.h"
#include "shared/session.h"

namespace corvane::shared {

namespace {

void ShowAccountMissing(const QString& code) {
  ShowMsgBox(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03556"), code), 0, GetResString(kTitleKey));
}

// Changes one column of an account's row in code; reports a missing account.
void WriteAccountColumn(const QString& ccode, const QString& column, const platform::DbValue& value) {
  auto rs = Session::Current().Db().OpenRecordset(QStringLiteral("select * from code where ccode=? order by ccode"),
                                                  {ccode}, platform::DbConnection::kOpenEditable);
  if (rs->Eof()) {
    rs->Close();
    ShowAccountMissing(ccode);
    return;
  }
  rs->Edit();
  rs->SetField(column, value);
  rs->Update();
  rs->Close();
}

}  // namespace

QDate GetStartDate(const QString& code) {
  Session& s = Session::Current();
  if (s.BookMode()) {
    const QDate start = s.Cash().GetBookStartDate(code);
    return start.isValid() ? start : s.Cash().GetBookDefaultStartDate(code);
  }
  const platform::AccountInfo account = s.Common().GetAccount(code);
  return account.StartDate.isValid() ? account.StartDate : s.Common().GetAccountSetDates().StartDate;
}

QDate GetEndDate(const QString& code) {
  Session& s = Session::Current();
  if (s.BookMode()) return s.Cash().GetBookEndDate(code);
  return s.Common().GetAccount(code).EndDate;
}

bool GetAccountDirection(const QString& code) {
  Session& s = Session::Current();
  if (s.BookMode()) return s.Cash().GetBookDirectionValue(code, 0) >= 0;
  auto rs = s.Db().OpenRecordset(QStringLiteral("select bd_c from code where ccode=? order by ccode"), {code},
                                 platform::DbConnection::kOpenReadOnly);
  if (rs->Eof()) {
    rs->Close();
    ShowAccountMissing(code);
    return false;
  }
  const platform::DbValue direction = rs->Field(QStringLiteral("bd_c"));
  rs->Close();
  return direction.IsNull() || direction.ToBool();
}

void SetAccountDirection(const QString& ccode, bool bDebit) {
  WriteAccountColumn(ccode, QStringLiteral("bd_c"), bDebit ? 1 : 0);
}

void SetAccountStartDate(const QString& ccode, const QDate& dStart) {
  WriteAccountColumn(ccode, QStringLiteral("dbegin"), dStart);
}

QString GetCurrencyName(const QString& code) {
  Session& s = Session::Current();
  if (s.BookMode()) {
    const QString currency = s.Cash().GetBook(code).CurrencyName;
    return IsForeignCurrency(currency, s.Common().GetAccountSetInfo().HomeCurrencyName) ? currency : QString();
  }
  return s.Cash().GetAccountProperty(code, 10).toString();
}

bool IsForeignCurrency(const QString& storedName, const QString& home) {
  const QString name = storedName.trimmed();
  return !name.isEmpty() && name != home;
}

}  // namespace corvane::shared
