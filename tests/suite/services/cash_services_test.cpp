#include "platform/db/transaction_guard.h"
#include "platform/services/service_error.h"
#include "services_fixture.h"
#include "support/scripted_dialogs.h"

#include <QSet>
#include <thread>

namespace corvane::suite::test {
namespace {

using platform::ServiceError;

class CashServicesTest : public ServicesTest {
 protected:
  CashServicesTest() : s_(Open(Conn())) {}
  Session s_;
};

TEST_F(CashServicesTest, OptionsDecidePartsAndBookMode) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> options;
    bool gl, rp;
    int useBankBooks;
  };
  const Case cases[] = {
      {"nothing set", {}, true, true, 0},
      {"cash management off", {{"Subsystem.RP", "0"}}, true, false, 0},
      {"ledger off", {{"Subsystem.GL", "false"}}, false, true, 0},
      {"bank books", {{"UseBankBooks", "1"}}, true, true, 1},
      {"odd value kept", {{"UseBankBooks", "-1"}}, true, true, -1},
      {"not a number", {{"UseBankBooks", "yes"}}, true, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Conn().Execute(QStringLiteral("delete from corvane_options"));
    for (const auto& [key, value] : c.options) SetOption(QString::fromLatin1(key), QString::fromLatin1(value));
    EXPECT_EQ(s_.cash->IsSubsystemOn(QStringLiteral("GL")), c.gl);
    EXPECT_EQ(s_.cash->IsSubsystemOn(QStringLiteral("rp")), c.rp);
    EXPECT_EQ(s_.cash->GetOptions().UseBankBooks, c.useBankBooks);
  }
}

TEST_F(CashServicesTest, AccountSetSettingComesBeforeTheSuiteOption) {
  SetOption(QStringLiteral("UseBankBooks"), QStringLiteral("1"));
  Conn().Execute(QStringLiteral("insert into corvane_setting (set_key, name, value) values (?, ?, ?)"),
                 {QStringLiteral("001"), QStringLiteral("UseBankBooks"), QStringLiteral("0")});
  EXPECT_EQ(s_.cash->GetOptions().UseBankBooks, 0);
}

TEST_F(CashServicesTest, MessagesGoThroughTheInstalledPresenter) {
  corvane::testing::ScriptedMessages messages;
  messages.Answer(7);
  EXPECT_EQ(s_.cash->ShowMessage(QStringLiteral("删除吗？"), 4 + 32 + 256, QStringLiteral("标题"), QStringLiteral("h.chm"), 9), 7);
  ASSERT_EQ(messages.Count(), 1);
  const platform::MessageRequest& shown = messages.Shown()[0];
  EXPECT_EQ(shown.prompt, QStringLiteral("删除吗？"));
  EXPECT_EQ(shown.buttons, 4 + 32 + 256);
  EXPECT_EQ(shown.title, QStringLiteral("标题"));
  EXPECT_EQ(shown.helpFile, QStringLiteral("h.chm"));
  EXPECT_EQ(shown.context, 9);
}

TEST_F(CashServicesTest, BadDateTextIsReportedOnceWithTheFieldName) {
  corvane::testing::ScriptedMessages messages;
  EXPECT_TRUE(s_.cash->CheckDateText(QStringLiteral("2026-03-05"), QStringLiteral("开始")));
  EXPECT_EQ(messages.Count(), 0);
  EXPECT_FALSE(s_.cash->CheckDateText(QStringLiteral("2026-02-30"), QStringLiteral("结束")));
  ASSERT_EQ(messages.Count(), 1);
  EXPECT_TRUE(messages.LastPrompt().contains(QStringLiteral("结束")));
  EXPECT_EQ(messages.Shown()[0].title, s_.cash->GetMessageTitle());
  texts_.texts.insert(QStringLiteral("corvane.suite.cash.title"), QStringLiteral("资金"));
  EXPECT_EQ(s_.cash->GetMessageTitle(), QStringLiteral("资金"));
}

TEST_F(CashServicesTest, BookRecordAndItsDates) {
  AddBook(QStringLiteral("B01"), QStringLiteral("美元"));
  const platform::BookInfo book = s_.cash->GetBook(QStringLiteral("b01 "));
  EXPECT_EQ(book.BookCode, QStringLiteral("B01"));
  EXPECT_EQ(book.BookName, QStringLiteral("账簿B01"));
  EXPECT_EQ(book.AccountCode, QStringLiteral("100201"));
  EXPECT_EQ(book.CurrencyText(), QStringLiteral("美元"));
  EXPECT_EQ(book.BankAccountNo, QStringLiteral("6222-0001"));
  EXPECT_TRUE(book.opened);
  EXPECT_EQ(s_.cash->GetBookName(QStringLiteral("B01")), QStringLiteral("账簿B01"));
  EXPECT_FALSE(s_.cash->GetBookStartDate(QStringLiteral("B01")).isValid());
  EXPECT_EQ(s_.cash->GetBookDefaultStartDate(QStringLiteral("B01")), QDate(kYear, 1, 5));
  Conn().Execute(QStringLiteral("update RP_Book set dOpenDate = null, dBeginDate = ?, bd_c = 0"), {QDate(kYear, 2, 1)});
  EXPECT_EQ(s_.cash->GetBookStartDate(QStringLiteral("B01")), QDate(kYear, 2, 1));
  EXPECT_EQ(s_.cash->GetBookDefaultStartDate(QStringLiteral("B01")), QDate(2025, 12, 26));  // the year's first day
  EXPECT_LT(s_.cash->GetBookDirectionValue(QStringLiteral("B01")), 0);
  EXPECT_THROW(s_.cash->GetBook(QStringLiteral("NONE")), ServiceError);
  EXPECT_EQ(s_.cash->GetBookName(QStringLiteral("NONE")), QString());
}

TEST_F(CashServicesTest, CurrencyPropertyIsEmptyForTheHomeCurrency) {
  const std::pair<QVariant, QString> cases[] = {
      {QStringLiteral("美元"), QStringLiteral("美元")}, {QStringLiteral("人民币"), QString()}, {QVariant(), QString()},
  };
  int n = 0;
  for (const auto& [stored, shown] : cases) {
    const QString code = QStringLiteral("1002%1").arg(++n);
    Conn().Execute(QStringLiteral("insert into code (ccode, ccode_name, cexch_name) values (?, ?, ?)"),
                   {code, QStringLiteral("银行"), stored.isNull() ? platform::DbValue() : platform::DbValue(stored.toString())});
    EXPECT_EQ(s_.cash->GetAccountProperty(code, 10).toString(), shown) << code.toStdString();
  }
  EXPECT_FALSE(s_.cash->GetAccountProperty(QStringLiteral("10021"), 3).isValid());
}

TEST_F(CashServicesTest, CurrencyTextsBecomeIsoCodes) {
  const std::pair<const char*, const char*> cases[] = {
      {"人民币", "CNY"}, {"美元", "USD"}, {" 港币 ", "HKD"}, {"usd", "USD"}, {"", "CNY"},
  };
  for (const auto& [in, out] : cases) {
    SCOPED_TRACE(in);
    EXPECT_EQ(s_.cash->TranslateCurrency(QString::fromUtf8(in)), QString::fromUtf8(out));
  }
}

class FlowIdTest : public CashServicesTest {
 protected:
  FlowIdTest() { AddBook(QStringLiteral("B01")); }
  long long Counter() {
    return Conn().QueryValue(QStringLiteral("select iLastFlowNo from RP_Book where cBookCode = ?"), {QStringLiteral("B01")}).ToInt();
  }
};

TEST_F(FlowIdTest, IdsAreTheBookCodeAndAtLeastSixDigits) {
  EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("B01")), QStringLiteral("B01000001"));
  EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("b01 ")), QStringLiteral("B01000002"));
  Conn().Execute(QStringLiteral("update RP_Book set iLastFlowNo = ?"), {1234567});
  EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("B01")), QStringLiteral("B011234568"));
  EXPECT_THROW(s_.cash->NewFlowId(QStringLiteral("NONE")), ServiceError);
}

TEST_F(FlowIdTest, PeekDoesNotTakeTheNumber) {
  EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("B01"), false), QStringLiteral("B01000001"));
  EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("B01"), false), QStringLiteral("B01000001"));
  EXPECT_EQ(Counter(), 0);
  EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("B01"), true), QStringLiteral("B01000001"));
}

TEST_F(FlowIdTest, NumbersAlreadyUsedByFlowsAreSkipped) {
  for (const char* id : {"B01000001", "B01000007"})
    Conn().Execute(QStringLiteral("insert into RP_Flow (cFlowID, cBookCode, iperiod) values (?, ?, ?)"),
                   {QString::fromLatin1(id), QStringLiteral("B01"), 1});
  EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("B01"), false), QStringLiteral("B01000008"));
  EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("B01")), QStringLiteral("B01000008"));
  EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("B01")), QStringLiteral("B01000009"));
}

TEST_F(FlowIdTest, NumberTakenInARolledBackSaveIsTakenBack) {
  {
    platform::TransactionGuard tx(Conn());
    EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("B01")), QStringLiteral("B01000001"));
  }
  EXPECT_EQ(s_.cash->NewFlowId(QStringLiteral("B01")), QStringLiteral("B01000001"));
}

TEST_F(FlowIdTest, TwoSessionsInterleavedNeverShareAnId) {
  auto otherConn = db_.OpenAnother();
  Session other = Open(*otherConn, QStringLiteral("u2"));
  QSet<QString> ids;
  for (int i = 0; i < 20; ++i) {
    ids.insert(s_.cash->NewFlowId(QStringLiteral("B01")));
    ids.insert(other.cash->NewFlowId(QStringLiteral("B01")));
  }
  EXPECT_EQ(ids.size(), 40);
  EXPECT_TRUE(ids.contains(QStringLiteral("B01000040")));
  EXPECT_EQ(Counter(), 40);
}

TEST_F(FlowIdTest, TwoProgramsRunningAtOnceNeverShareAnId) {
  constexpr int kEach = 30;
  std::vector<QString> got[2];
  std::string failures[2];
  auto take = [this](std::vector<QString>* out, std::string* failure) {
    try {
      auto connection = db_.OpenAnother();
      LoginValues v;
      v.userId = QStringLiteral("t");
      v.year = kYear;
      SuiteLoginContext login(*connection, v);
      SuiteCashServices cash(nullptr);
      cash.SetLogin(&login);
      for (int i = 0; i < kEach; ++i) out->push_back(cash.NewFlowId(QStringLiteral("B01")));
    } catch (const std::exception& e) {
      *failure = e.what();
    }
  };
  std::thread first(take, &got[0], &failures[0]);
  std::thread second(take, &got[1], &failures[1]);
  first.join();
  second.join();
  EXPECT_EQ(failures[0], "");
  EXPECT_EQ(failures[1], "");
  QSet<QString> ids;
  for (const auto& list : got)
    for (const QString& id : list) ids.insert(id);
  EXPECT_EQ(ids.size(), 2 * kEach);
  EXPECT_EQ(Counter(), 2 * kEach);
}

}  // namespace
}  // namespace corvane::suite::test
