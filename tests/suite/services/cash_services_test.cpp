#include "platform/db/transaction_guard.h"
#include "platform/services/service_error.h"
#include "services_fixture.h"

#include <QSet>
#include <thread>

namespace corvane::suite::test {
namespace {

using CashServicesTest = OneSessionTest;

TEST_F(CashServicesTest, OptionsDecidePartsAndBookMode) {
  struct Case {
    std::vector<std::pair<const char*, const char*>> options;
    const char* accountSetSetting;  // UseBankBooks of the account set, which comes first
    bool gl, rp;
    int useBankBooks;
  };
  const Case cases[] = {
      {{}, nullptr, true, true, 0},
      {{{"Subsystem.RP", "0"}}, nullptr, true, false, 0},
      {{{"Subsystem.GL", "false"}}, nullptr, false, true, 0},
      {{{"UseBankBooks", "1"}}, nullptr, true, true, 1},
      {{{"UseBankBooks", "-1"}}, nullptr, true, true, -1},
      {{{"UseBankBooks", "yes"}}, nullptr, true, true, 0},
      {{{"UseBankBooks", "1"}}, "0", true, true, 0},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(++n);
    Conn().Execute(QStringLiteral("delete from corvane_options"));
    Conn().Execute(QStringLiteral("delete from corvane_setting"));
    for (const auto& [key, value] : c.options) SetOption(QString::fromLatin1(key), QString::fromLatin1(value));
    if (c.accountSetSetting)
      Conn().Execute(QStringLiteral("insert into corvane_setting (set_key, name, value) values (?, ?, ?)"),
                     {QStringLiteral("001"), QStringLiteral("UseBankBooks"), QString::fromLatin1(c.accountSetSetting)});
    EXPECT_EQ(s_.cash->IsSubsystemOn(QStringLiteral("GL")), c.gl);
    EXPECT_EQ(s_.cash->IsSubsystemOn(QStringLiteral("rp")), c.rp);
    EXPECT_EQ(s_.cash->GetOptions().UseBankBooks, c.useBankBooks);
  }
}

class FlowIdTest : public CashServicesTest {
 protected:
  FlowIdTest() { AddBook(QStringLiteral("B01")); }
  QString Next(bool take = true) { return s_.cash->NewFlowId(QStringLiteral("b01 "), take); }
  long long Counter() {
    return Conn().QueryValue(QStringLiteral("select iLastFlowNo from RP_Book where cBookCode = ?"), {QStringLiteral("B01")}).ToInt();
  }
};

TEST_F(FlowIdTest, IdsAreTheBookCodeAndANumberNotYetUsed) {
  EXPECT_EQ(Next(false), QStringLiteral("B01000001"));  // a peek takes nothing
  EXPECT_EQ(Counter(), 0);
  EXPECT_EQ(Next(), QStringLiteral("B01000001"));
  {
    platform::TransactionGuard tx(Conn());  // rolled back: its number is taken back
    EXPECT_EQ(Next(), QStringLiteral("B01000002"));
  }
  // Numbers that flows already carry are passed over.
  Conn().Execute(QStringLiteral("insert into RP_Flow (cFlowID, cBookCode, iperiod) values (?, ?, ?)"),
                 {QStringLiteral("B01000002"), QStringLiteral("B01"), 1});
  EXPECT_EQ(Next(), QStringLiteral("B01000003"));
  Conn().Execute(QStringLiteral("update RP_Book set iLastFlowNo = ?"), {1234567});
  EXPECT_EQ(Next(), QStringLiteral("B011234568"));
  EXPECT_THROW(s_.cash->NewFlowId(QStringLiteral("NONE")), platform::ServiceError);
}

TEST_F(FlowIdTest, TwoSessionsRunningAtOnceNeverShareAnId) {
  constexpr int kEach = 30;
  std::vector<QString> got[2];
  std::string failures[2];
  auto take = [&](int i) {
    try {
      auto connection = db_.OpenAnother();
      LoginValues v;
      v.userId = QStringLiteral("t%1").arg(i);
      v.year = kYear;
      SuiteLoginContext login(*connection, v);
      SuiteCashServices cash(nullptr);
      cash.SetLogin(&login);
      for (int k = 0; k < kEach; ++k) got[i].push_back(cash.NewFlowId(QStringLiteral("B01")));
    } catch (const std::exception& e) {
      failures[i] = e.what();
    }
  };
  std::thread first(take, 0), second(take, 1);
  first.join();
  second.join();
  EXPECT_EQ(failures[0], "");
  EXPECT_EQ(failures[1], "");
  QSet<QString> ids;
  for (const auto& list : got) ids.unite(QSet<QString>(list.begin(), list.end()));
  EXPECT_EQ(ids.size(), 2 * kEach);
  EXPECT_EQ(Counter(), 2 * kEach);
}

}  // namespace
}  // namespace corvane::suite::test
