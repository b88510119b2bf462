#include "services_fixture.h"

namespace corvane::suite::test {

ServicesTest::ServicesTest() { SeedCalendar(); }

Session ServicesTest::Open(platform::DbConnection& connection, const QString& userId, const QDate& loginDate,
                           TextSource* texts) {
  if (!texts) texts = &texts_;
  Session s;
  LoginValues v;
  v.userId = userId;
  v.accountSetKey = QStringLiteral("001");
  v.year = kYear;
  v.userName = QStringLiteral("用户") + userId;
  v.loginDate = loginDate;
  s.login = std::make_unique<SuiteLoginContext>(connection, v, texts);
  s.common = std::make_unique<SuiteCommonServices>(texts);
  s.common->SetLogin(s.login.get());
  s.common->Initialize(&connection, v.userId, v.accountSetKey, v.year, v.userName, v.loginDate,
                       s.login->GetSessionText3());
  s.cash = std::make_unique<SuiteCashServices>(texts);
  s.cash->SetLogin(s.login.get());
  return s;
}

void ServicesTest::SeedCalendar() {
  std::vector<platform::DbParams> rows;
  for (int p = 1; p <= 12; ++p) {
    const QDate first = QDate(kYear, p, 26).addMonths(-1);
    const QDate last = QDate(kYear, p, 25);
    rows.push_back({kYear, p, first, last});
  }
  Conn().ExecuteBatch(
      QStringLiteral("insert into corvane_calendar (iyear, iperiod, dbegin, dend) values (?, ?, ?, ?)"), rows);
}

void ServicesTest::SetOption(const QString& key, const QString& value) {
  Conn().Execute(QStringLiteral("insert into corvane_options (ckey, cvalue) values (?, ?)"), {key, value});
}

void ServicesTest::AddBook(const QString& code, const QString& currency, int lastFlowNo) {
  Conn().Execute(QStringLiteral("insert into RP_Book (cBookCode, cBookName, ccode, cBankAccount, cexch_name, "
                                "dOpenDate, dBeginDate, bd_c, iLastFlowNo) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {code, QStringLiteral("账簿") + code, QStringLiteral("100201"), QStringLiteral("6222-0001"), currency,
                  QDate(kYear, 1, 5), QDate(), 1, lastFlowNo});
}

}  // namespace corvane::suite::test
