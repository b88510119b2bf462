#include "balance/detail_statement.h"
#include "query/tick_status_load.h"
#include "support/query_ledger.h"
#include "support/suite_session.h"

#include <gtest/gtest.h>

namespace corvane::query {
namespace {

using platform::Money;
using test::JournalLine;
using test::StatementLine;

Money M(const char* text) { return *Money::Parse(QString::fromLatin1(text)); }

const QDate kStart(2026, 3, 1);

class TickStatusTest : public ::testing::TestWithParam<bool> {
 protected:
  TickStatusRequest Request(ShowMode show, bool foreign = false) {
    return {ledger_.Code(), GetParam(), show, kStart, foreign};
  }
  // The statement rows as "date|debit|credit|mark".
  std::vector<QString> Statement(ShowMode show) {
    std::vector<QString> out;
    for (const auto& c : ReadStatementStatus(session_.Db(), Request(show)).cells)
      out.push_back(c[0] + '|' + c[3] + '|' + c[4] + '|' + c[5]);
    return out;
  }
  // The journal digests, sorted.
  std::vector<QString> JournalDigests(ShowMode show) {
    std::vector<QString> out;
    for (const auto& c : ReadJournalStatus(session_.Db(), Request(show)).cells) out.push_back(c[8]);
    std::sort(out.begin(), out.end());
    return out;
  }

  testing::SuiteSession session_{GetParam()};
  test::QueryLedger ledger_{session_.Db(), GetParam()};
};

TEST_P(TickStatusTest, StatementLinesByShowMode) {
  ledger_.AddAccount(QStringLiteral("测试户"), kStart);
  const auto line = [](int day, QVariant tick, QVariant debit = 1, int bdelete = 0, int ibegin = 2) {
    return StatementLine{{2026, 5, day}, debit, Money::FromCents(100 * day), tick, bdelete, ibegin};
  };
  ledger_.Add(line(1, QVariant()));      // unticked (NULL)
  ledger_.Add(line(2, 0));               // unticked (0)
  ledger_.Add(line(3, -1));              // a negative tick counts as unticked
  ledger_.Add(line(4, 12, 0));           // automatic, credit
  ledger_.Add(line(5, 13, QVariant()));  // by hand; no direction reads as credit
  ledger_.Add(line(6, 5, 1, 1));         // cleared
  ledger_.Add(line(7, QVariant(), 1, 0, 0));  // the opening row

  EXPECT_EQ(Statement(ShowMode::Unticked), (std::vector<QString>{"2026.05.01|1.00||", "2026.05.02|2.00||"}));
  EXPECT_EQ(Statement(ShowMode::Ticked), (std::vector<QString>{"2026.05.04||4.00|○", "2026.05.05||5.00|Y"}));
  EXPECT_EQ(Statement(ShowMode::All), (std::vector<QString>{"2026.05.01|1.00||", "2026.05.02|2.00||",
                                                            "2026.05.03|3.00||", "2026.05.04||4.00|○",
                                                            "2026.05.05||5.00|Y"}));
  const StatusRows rows = ReadStatementStatus(session_.Db(), Request(ShowMode::All));
  EXPECT_EQ(rows.debitTotal, M("6.00"));
  EXPECT_EQ(rows.creditTotal, M("9.00"));
  EXPECT_EQ(rows.ticked, (std::vector<bool>{false, false, false, true, true}));
}

TEST_P(TickStatusTest, JournalLinesThatAreNeverShown) {
  ledger_.AddAccount(QStringLiteral("测试户"), kStart);
  const JournalLine lines[] = {
      {.digest = "plain"},
      {.period = 20, .digest = "opening balance"},
      {.date = kStart.addDays(-1), .period = 21, .digest = "opening item before start"},
      {.date = kStart, .period = 21, .digest = "opening item on start"},
      {.bdelete = 1, .digest = "cleared"},
      {.ibook = 0, .digest = "unposted"},
      {.currency = "美元", .digest = "revaluation"},
      {.tick = 13, .digest = "ticked"},
  };
  for (const JournalLine& l : lines) ledger_.Add(l);
  std::vector<QString> all{"opening item before start", "plain", "ticked"};
  if (!GetParam()) {  // the voucher flag exists in the account journal only
    ledger_.Add(JournalLine{.iflag = 1, .digest = "void"});
    ledger_.Add(JournalLine{.iflag = 2, .digest = "flag two"});
    all.insert(all.begin(), "flag two");
  }
  EXPECT_EQ(JournalDigests(ShowMode::All), all);
  EXPECT_EQ(JournalDigests(ShowMode::Ticked), std::vector<QString>{"ticked"});
}

TEST_P(TickStatusTest, JournalColumnsInHomeAndForeignCurrency) {
  ledger_.AddAccount(QStringLiteral("美元户"), kStart, QStringLiteral("美元"));
  ledger_.Add(JournalLine{.tick = 3, .md = Money(), .mc = M("7100"), .mcF = M("1000"), .currency = "美元",
                          .sign = QVariant()});
  const StatusRows home = ReadJournalStatus(session_.Db(), Request(ShowMode::All, false));
  ASSERT_EQ(home.size(), 1);
  // A zero debit shows empty; the voucher needs sign and number; the book shows its flow id.
  const QString voucher = GetParam() ? ledger_.Book() + QStringLiteral("000001") : QString();
  const std::vector<QString> shown(home.cells[0].begin() + 4, home.cells[0].begin() + 8);
  EXPECT_EQ(shown, (std::vector<QString>{"", "7,100.00", "○", voucher}));
  const StatusRows foreign = ReadJournalStatus(session_.Db(), Request(ShowMode::All, true));
  ASSERT_EQ(foreign.size(), 1);
  EXPECT_EQ(foreign.cells[0][5], QStringLiteral("1,000.00"));
  EXPECT_EQ(foreign.creditTotal, M("1000.00"));
}

// The tick-status query and the detailed statement list the same journal lines:
// a currency name without a foreign amount leaves a line out of both, an empty
// name too.
TEST_P(TickStatusTest, JournalLinesAsTheDetailedStatementListsThem) {
  ledger_.AddAccount(QStringLiteral("测试户"), kStart);
  const JournalLine lines[] = {{.digest = "home"},
                               {.currency = "", .digest = "empty currency name"},
                               {.mdF = M("1.00"), .currency = "", .digest = "empty currency name, foreign amount"},
                               {.currency = "美元", .digest = "revaluation"},
                               {.mdF = M("14.00"), .currency = "美元", .digest = "dollars"}};
  for (const JournalLine& l : lines) ledger_.Add(l);
  std::vector<QString> detail;
  const balance::DetailSections d = balance::ReadDetailSections(ledger_.Code(), 0);
  for (int s : {2, 3})
    for (const balance::DetailItem& item : d.items[s]) detail.push_back(item.digest);
  std::sort(detail.begin(), detail.end());
  EXPECT_EQ(JournalDigests(ShowMode::All),
            (std::vector<QString>{"dollars", "empty currency name, foreign amount", "home"}));
  EXPECT_EQ(detail, JournalDigests(ShowMode::All));
}

INSTANTIATE_TEST_SUITE_P(Modes, TickStatusTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Book" : "Account"; });

TEST(TickStatusTotals, TheTotalRowShowsUnlessBothTotalsAreZero) {
  struct Case { const char* debit; const char* credit; bool shown; };
  const Case cases[] = {{"0", "0", false},      {"0.01", "0", true},   {"0", "0.01", true},
                        {"-5.00", "-3.00", true}, {"-5.00", "0", true}, {"0.0001", "0", true}};
  for (const Case& c : cases) EXPECT_EQ(ShowsTotalRow(M(c.debit), M(c.credit)), c.shown) << c.debit << " " << c.credit;
  const std::vector<QString> row = TotalRow(6, 3, QStringLiteral("合计"), M("0.01"), Money());
  EXPECT_EQ(row, (std::vector<QString>{"合计", "", "", "0.01", "0.00", ""}));
}

TEST(TickStatusCells, MarkByTickValueAndDottedDates) {
  const std::pair<long long, const char*> cases[] = {{-1, ""}, {0, ""}, {1, "○"}, {12, "○"}, {13, "Y"}, {24, "Y"}};
  for (const auto& [tick, mark] : cases) EXPECT_EQ(TickMark(tick), QString::fromUtf8(mark)) << tick;
  EXPECT_EQ(DottedDate(QDate(2026, 12, 31)), QStringLiteral("2026.12.31"));
  EXPECT_EQ(DottedDate(QDate(987, 10, 5)), QStringLiteral("0987.10.05"));
  EXPECT_EQ(DottedDate(QDate()), QString());
}

}  // namespace
}  // namespace corvane::query
