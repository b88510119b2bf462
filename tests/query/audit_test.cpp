#include "query/audit_load.h"
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

const AuditTexts kTexts{QStringLiteral("借"), QStringLiteral("贷")};

class AuditTest : public ::testing::TestWithParam<bool> {
 protected:
  bool BookMode() const { return GetParam(); }
  int Lead() const { return BookMode() ? 2 : 0; }
  AuditRequest Request(std::optional<QDate> cutOff) {
    AuditRequest r;
    r.bookMode = BookMode();
    r.cutOff = cutOff;
    return r;
  }
  // The rows of the test account only (the demo accounts are audited too).
  std::vector<std::vector<QString>> Statement(std::optional<QDate> cutOff, const QString& account = "100291") {
    std::vector<std::vector<QString>> out;
    for (auto& row : ReadAuditStatement(session_.Db(), Request(cutOff), kTexts))
      if (row[Lead()] == account) out.push_back(row);
    return out;
  }
  std::vector<std::vector<QString>> Journal(std::optional<QDate> cutOff, const QString& account = "100291") {
    std::vector<std::vector<QString>> out;
    for (auto& row : ReadAuditJournal(session_.Db(), Request(cutOff), kTexts))
      if (row[Lead()] == account) out.push_back(row);
    return out;
  }

  testing::SuiteSession session_{GetParam()};
  QueryLedger ledger_{session_.Db(), GetParam()};
};

TEST_P(AuditTest, StatementLinesUpToTheCutOffInclusive) {
  ledger_.AddAccount(QStringLiteral("测试户"), QDate(2024, 1, 1));
  auto line = [](QDate date, QVariant tick = QVariant()) {
    StatementLine l;
    l.date = date;
    l.tick = tick;
    return l;
  };
  ledger_.Add(line({2024, 3, 1}));
  ledger_.Add(line({2024, 3, 2}));
  ledger_.Add(line({2024, 2, 1}, 0));
  ledger_.Add(line({2024, 2, 2}, 4));  // ticked
  StatementLine l = line({2024, 2, 3});
  l.bdelete = 1;
  ledger_.Add(l);
  l = line({2024, 1, 1});
  l.ibegin = 0;  // the opening row
  ledger_.Add(l);
  l = line({2024, 2, 4});
  l.debit = QVariant();
  l.amount = M("1234.5");
  ledger_.Add(l);

  auto dates = [this](const std::vector<std::vector<QString>>& rows) {
    std::vector<QString> out;
    for (const auto& r : rows) out.push_back(r[Lead() + 2]);
    return out;
  };
  const std::optional<QDate> cut = AuditCutOff(QDate(2024, 3, 31), 30);
  EXPECT_EQ(dates(Statement(cut)), (std::vector<QString>{"2024.02.01", "2024.02.04", "2024.03.01"}));
  EXPECT_EQ(dates(Statement(std::nullopt)), (std::vector<QString>{"2024.02.01", "2024.02.04", "2024.03.01", "2024.03.02"}));
  EXPECT_EQ(dates(Statement(AuditCutOff(QDate(2024, 3, 31), 59))), (std::vector<QString>{"2024.02.01"}));
  const auto rows = Statement(cut);
  EXPECT_EQ(rows[0][Lead() + 1], QStringLiteral("测试户"));
  EXPECT_EQ(rows[0][Lead() + 5], QStringLiteral("借"));
  EXPECT_EQ(rows[1][Lead() + 5], QStringLiteral("贷"));  // no direction reads as credit
  EXPECT_EQ(rows[1][Lead() + 6], QStringLiteral("1234.50"));
  if (BookMode()) EXPECT_EQ(rows[0][0], ledger_.Book());
}

TEST_P(AuditTest, JournalDirectionAmountAndVoucher) {
  ledger_.AddAccount(QStringLiteral("测试户"), QDate(2024, 1, 1));
  JournalLine credit;
  credit.md = Money();
  credit.mc = M("250");
  credit.digest = QStringLiteral("credit");
  ledger_.Add(credit);
  JournalLine zero;
  zero.md = Money();
  zero.digest = QStringLiteral("zero");
  ledger_.Add(zero);
  JournalLine crumb;  // below a cent: zero to the cent
  crumb.md = M("0.004");
  crumb.digest = QStringLiteral("crumb");
  ledger_.Add(crumb);
  JournalLine bare;
  bare.sign = QVariant();
  bare.voucherNo = QVariant();
  bare.date = QDate(2026, 5, 11);
  bare.digest = QStringLiteral("bare");
  ledger_.Add(bare);
  JournalLine opening;
  opening.period = 21;
  opening.date = QDate(2026, 5, 12);
  opening.digest = QStringLiteral("opening item");
  ledger_.Add(opening);
  JournalLine ticked;
  ticked.tick = 13;
  ledger_.Add(ticked);
  JournalLine openingBalance;
  openingBalance.period = 20;
  ledger_.Add(openingBalance);

  const auto rows = Journal(std::nullopt);
  ASSERT_EQ(rows.size(), 3u);
  const int d = Lead();
  EXPECT_EQ(rows[0][d + 9], QStringLiteral("credit"));
  EXPECT_EQ(rows[0][d + 6], QStringLiteral("贷"));
  EXPECT_EQ(rows[0][d + 7], QStringLiteral("250.00"));
  if (!BookMode()) {
    EXPECT_EQ(rows[0][d + 8], QStringLiteral("收-7"));
    EXPECT_EQ(rows[1][d + 8], QStringLiteral("-"));
  }
  EXPECT_EQ(rows[1][d + 9], QStringLiteral("bare"));
  EXPECT_EQ(rows[1][d + 6], QStringLiteral("借"));
  EXPECT_EQ(rows[2][d + 9], QStringLiteral("opening item"));
}

TEST_P(AuditTest, ForeignAccountsUseTheForeignAmounts) {
  ledger_.AddAccount(QStringLiteral("美元户"), QDate(2024, 1, 1), QStringLiteral("美元"));
  JournalLine dollars;
  dollars.md = M("710");
  dollars.mdF = M("100");
  dollars.currency = QStringLiteral("美元");
  ledger_.Add(dollars);
  JournalLine homeOnly;  // a revaluation: no foreign amount, not listed
  homeOnly.md = M("5");
  homeOnly.currency = QStringLiteral("美元");
  ledger_.Add(homeOnly);
  const auto rows = Journal(std::nullopt);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][Lead() + 7], QStringLiteral("100.00"));
}

TEST(AuditBookMode, LinesOfABookWhoseAccountIsNotInTheChartStay) {
  testing::SuiteSession session(true);
  QueryLedger ledger(session.Db(), true, QStringLiteral("109999"), QStringLiteral("YH099"));
  ledger.AddBookOnly(QStringLiteral("无科目账簿"), QDate(2024, 1, 1));
  ledger.Add(StatementLine{});
  ledger.Add(JournalLine{});
  AuditRequest r;
  r.bookMode = true;
  int statement = 0, journal = 0;
  for (const auto& row : ReadAuditStatement(session.Db(), r, kTexts)) {
    if (row[0] != QStringLiteral("YH099")) continue;
    ++statement;
    EXPECT_EQ(row[2], QStringLiteral("109999"));
    EXPECT_EQ(row[3], QString());
  }
  for (const auto& row : ReadAuditJournal(session.Db(), r, kTexts)) {
    if (row[0] != QStringLiteral("YH099")) continue;
    ++journal;
    EXPECT_EQ(row[3], QString());
  }
  EXPECT_EQ(statement, 1);
  EXPECT_EQ(journal, 1);
}

TEST(AuditBookMode, StatementLinesOfUnopenedBooksAreLeftOutJournalLinesNot) {
  testing::SuiteSession session(true);
  QueryLedger ledger(session.Db(), true);
  ledger.AddAccount(QStringLiteral("测试户"), QDate(2024, 1, 1));
  session.Db().Execute(QStringLiteral("update RP_Book set dOpenDate=? where cBookCode=?"),
                       {platform::DbValue(), ledger.Book()});
  ledger.Add(StatementLine{});
  ledger.Add(JournalLine{});
  AuditRequest r;
  r.bookMode = true;
  auto count = [&](const std::vector<std::vector<QString>>& rows) {
    return std::count_if(rows.begin(), rows.end(), [&](const auto& row) { return row[0] == ledger.Book(); });
  };
  EXPECT_EQ(count(ReadAuditStatement(session.Db(), r, kTexts)), 0);
  EXPECT_EQ(count(ReadAuditJournal(session.Db(), r, kTexts)), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, AuditTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Book" : "Account"; });

}  // namespace
}  // namespace corvane::query
