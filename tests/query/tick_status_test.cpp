#include "balance/detail_statement.h"
#include "query/tick_status_load.h"
#include "query_ledger.h"
#include "support/suite_session.h"

#include <gtest/gtest.h>

namespace corvane::query {
namespace {

using platform::Money;
using test::JournalLine;
using test::QueryLedger;
using test::StatementLine;

Money M(const char* text) { return *Money::Parse(QString::fromLatin1(text)); }

const QDate kStart(2026, 3, 1);

class TickStatusTest : public ::testing::TestWithParam<bool> {
 protected:
  bool BookMode() const { return GetParam(); }
  TickStatusRequest Request(ShowMode show, bool foreign = false) {
    TickStatusRequest r;
    r.code = ledger_.Code();
    r.bookMode = BookMode();
    r.show = show;
    r.startDate = kStart;
    r.foreign = foreign;
    return r;
  }
  // The statement rows as "date|debit|credit|mark".
  std::vector<QString> Statement(ShowMode show) {
    std::vector<QString> out;
    for (const auto& c : ReadStatementStatus(session_.Db(), Request(show)).cells)
      out.push_back(c[0] + '|' + c[3] + '|' + c[4] + '|' + c[5]);
    return out;
  }
  std::vector<QString> JournalDigests(ShowMode show, bool foreign = false) {
    std::vector<QString> out;
    for (const auto& c : ReadJournalStatus(session_.Db(), Request(show, foreign)).cells) out.push_back(c[8]);
    return out;
  }

  testing::SuiteSession session_{GetParam()};
  QueryLedger ledger_{session_.Db(), GetParam()};
};

TEST_P(TickStatusTest, StatementLinesByShowMode) {
  ledger_.AddAccount(QStringLiteral("测试户"), kStart);
  auto line = [](int day, QVariant tick, QVariant debit = 1) {
    StatementLine l;
    l.date = QDate(2026, 5, day);
    l.tick = tick;
    l.debit = debit;
    l.amount = Money::FromCents(100 * day);
    return l;
  };
  ledger_.Add(line(1, QVariant()));        // unticked (NULL)
  ledger_.Add(line(2, 0));                 // unticked (0)
  ledger_.Add(line(3, -1));                // a negative tick counts as unticked
  ledger_.Add(line(4, 12, 0));             // automatic, credit
  ledger_.Add(line(5, 13, QVariant()));    // by hand; no direction reads as credit
  StatementLine cleared = line(6, 5);
  cleared.bdelete = 1;
  ledger_.Add(cleared);
  StatementLine opening = line(7, QVariant());
  opening.ibegin = 0;
  ledger_.Add(opening);

  const std::vector<QString> unticked{"2026.05.01|1.00||", "2026.05.02|2.00||"};
  EXPECT_EQ(Statement(ShowMode::Unticked), unticked);
  const std::vector<QString> ticked{"2026.05.04||4.00|○", "2026.05.05||5.00|Y"};
  EXPECT_EQ(Statement(ShowMode::Ticked), ticked);
  const std::vector<QString> all{"2026.05.01|1.00||", "2026.05.02|2.00||", "2026.05.03|3.00||",
                                 "2026.05.04||4.00|○", "2026.05.05||5.00|Y"};
  EXPECT_EQ(Statement(ShowMode::All), all);
  const StatusRows rows = ReadStatementStatus(session_.Db(), Request(ShowMode::All));
  EXPECT_EQ(rows.debitTotal, M("6.00"));
  EXPECT_EQ(rows.creditTotal, M("9.00"));
  EXPECT_EQ(rows.ticked, (std::vector<bool>{false, false, false, true, true}));
}

TEST_P(TickStatusTest, JournalLinesThatAreNeverShown) {
  ledger_.AddAccount(QStringLiteral("测试户"), kStart);
  auto line = [](const char* digest) {
    JournalLine l;
    l.digest = QString::fromUtf8(digest);
    return l;
  };
  ledger_.Add(line("plain"));
  JournalLine l = line("opening balance");
  l.period = 20;
  ledger_.Add(l);
  l = line("opening item before start");
  l.period = 21;
  l.date = kStart.addDays(-1);
  ledger_.Add(l);
  l = line("opening item on start");
  l.period = 21;
  l.date = kStart;
  ledger_.Add(l);
  l = line("cleared");
  l.bdelete = 1;
  ledger_.Add(l);
  l = line("unposted");
  l.ibook = 0;
  ledger_.Add(l);
  l = line("revaluation");
  l.currency = QStringLiteral("美元");
  ledger_.Add(l);
  l = line("ticked");
  l.tick = 13;
  ledger_.Add(l);
  if (!BookMode()) {
    l = line("void");
    l.iflag = 1;
    ledger_.Add(l);
    l = line("flag two");
    l.iflag = 2;
    ledger_.Add(l);
  }
  std::vector<QString> all{"opening item before start", "plain", "ticked"};
  if (!BookMode()) all.push_back("flag two");
  std::vector<QString> shown = JournalDigests(ShowMode::All);
  std::sort(shown.begin(), shown.end());
  std::sort(all.begin(), all.end());
  EXPECT_EQ(shown, all);
  EXPECT_EQ(JournalDigests(ShowMode::Ticked), std::vector<QString>{"ticked"});
}

TEST_P(TickStatusTest, JournalColumnsInHomeAndForeignCurrency) {
  ledger_.AddAccount(QStringLiteral("美元户"), kStart, QStringLiteral("美元"));
  JournalLine credit;
  credit.md = Money();
  credit.mc = M("7100.00");
  credit.mcF = M("1000.00");
  credit.currency = QStringLiteral("美元");
  credit.tick = 3;
  credit.sign = QVariant();
  ledger_.Add(credit);
  const StatusRows home = ReadJournalStatus(session_.Db(), Request(ShowMode::All, false));
  ASSERT_EQ(home.size(), 1);
  EXPECT_EQ(home.cells[0][4], QString());  // a zero debit shows empty
  EXPECT_EQ(home.cells[0][5], QStringLiteral("7,100.00"));
  EXPECT_EQ(home.cells[0][6], QStringLiteral("○"));
  // The voucher needs sign and number; the book shows its flow id.
  EXPECT_EQ(home.cells[0][7], BookMode() ? ledger_.Book() + QStringLiteral("000001") : QString());
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
  struct Case { const char* digest; QVariant currency; Money mdF; };
  const Case cases[] = {{"home", QVariant(), Money()},
                        {"empty currency name", QStringLiteral(""), Money()},
                        {"empty currency name, foreign amount", QStringLiteral(""), M("1.00")},
                        {"revaluation", QStringLiteral("美元"), Money()},
                        {"dollars", QStringLiteral("美元"), M("14.00")}};
  for (const Case& c : cases) {
    JournalLine l;
    l.digest = QString::fromUtf8(c.digest);
    l.currency = c.currency;
    l.mdF = c.mdF;
    ledger_.Add(l);
  }
  std::vector<QString> status = JournalDigests(ShowMode::All);
  std::vector<QString> detail;
  const balance::DetailSections d = balance::ReadDetailSections(ledger_.Code(), 0);
  for (int s : {2, 3})
    for (const balance::DetailItem& item : d.items[s]) detail.push_back(item.digest);
  std::sort(status.begin(), status.end());
  std::sort(detail.begin(), detail.end());
  EXPECT_EQ(status, (std::vector<QString>{"dollars", "empty currency name, foreign amount", "home"}));
  EXPECT_EQ(detail, status);
}

INSTANTIATE_TEST_SUITE_P(Modes, TickStatusTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Book" : "Account"; });

TEST(TickStatusTotals, TheTotalRowShowsUnlessBothTotalsAreZero) {
  struct Case { const char* debit; const char* credit; bool shown; };
  const Case cases[] = {{"0", "0", false},      {"0.01", "0", true},   {"0", "0.01", true},
                        {"-5.00", "-3.00", true}, {"-5.00", "0", true}, {"0.0001", "0", true}};
  for (const Case& c : cases) {
    EXPECT_EQ(ShowsTotalRow(M(c.debit), M(c.credit)), c.shown) << c.debit << " " << c.credit;
  }
  const std::vector<QString> row = TotalRow(6, 3, QStringLiteral("合计"), M("0.01"), Money());
  EXPECT_EQ(row, (std::vector<QString>{"合计", "", "", "0.01", "0.00", ""}));
}

TEST(TickStatusMarks, MarkByTickValue) {
  const std::pair<long long, const char*> cases[] = {{-1, ""}, {0, ""}, {1, "○"}, {12, "○"}, {13, "Y"}, {24, "Y"}};
  for (const auto& [tick, mark] : cases) EXPECT_EQ(TickMark(tick), QString::fromUtf8(mark)) << tick;
}

}  // namespace
}  // namespace corvane::query
