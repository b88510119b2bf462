#include "query/audit_load.h"
#include "support/query_ledger.h"
#include "support/suite_session.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace corvane::query {
namespace {

using platform::Money;
using test::JournalLine;
using test::QueryLedger;
using test::StatementLine;
using Reader = std::vector<std::vector<QString>> (*)(platform::DbConnection&, const AuditRequest&, const AuditTexts&);

Money M(const char* text) { return *Money::Parse(QString::fromLatin1(text)); }

// The audit rows of one account (book mode: one book), the columns counted after
// the book's own two, joined by "|".
std::vector<QString> Rows(platform::DbConnection& db, Reader read, bool bookMode, std::optional<QDate> cutOff,
                          const QString& code, std::initializer_list<int> columns) {
  std::vector<QString> out;
  for (const auto& row : read(db, {bookMode, cutOff}, {QStringLiteral("借"), QStringLiteral("贷")})) {
    if (row[0] != code) continue;
    QStringList cells;
    for (int c : columns) cells << row[(bookMode ? 2 : 0) + c];
    out.push_back(cells.join(QLatin1Char('|')));
  }
  return out;
}

class AuditTest : public ::testing::TestWithParam<bool> {
 protected:
  std::vector<QString> Statement(std::optional<QDate> cutOff, std::initializer_list<int> columns) {
    return Rows(session_.Db(), ReadAuditStatement, GetParam(), cutOff, ledger_.Code(), columns);
  }
  std::vector<QString> Journal(std::initializer_list<int> columns) {
    return Rows(session_.Db(), ReadAuditJournal, GetParam(), std::nullopt, ledger_.Code(), columns);
  }

  testing::SuiteSession session_{GetParam()};
  QueryLedger ledger_{session_.Db(), GetParam()};
};

TEST_P(AuditTest, StatementLinesUpToTheCutOffInclusive) {
  ledger_.AddAccount(QStringLiteral("测试户"), QDate(2024, 1, 1));
  const StatementLine lines[] = {
      {.date = {2024, 3, 1}},
      {.date = {2024, 3, 2}},
      {.date = {2024, 2, 1}, .tick = 0},
      {.date = {2024, 2, 2}, .tick = 4},     // ticked
      {.date = {2024, 2, 3}, .bdelete = 1},  // cleared
      {.date = {2024, 1, 1}, .ibegin = 0},   // the opening row
      {.date = {2024, 2, 4}, .debit = QVariant(), .amount = M("1234.5")},  // no direction reads as credit
  };
  for (const StatementLine& l : lines) ledger_.Add(l);
  const std::optional<QDate> cut = AuditCutOff(QDate(2024, 3, 31), 30);
  EXPECT_EQ(Statement(cut, {1, 2, 5, 6}), (std::vector<QString>{"测试户|2024.02.01|借|100.00",
                                                                "测试户|2024.02.04|贷|1234.50",
                                                                "测试户|2024.03.01|借|100.00"}));
  EXPECT_EQ(Statement(std::nullopt, {2}),
            (std::vector<QString>{"2024.02.01", "2024.02.04", "2024.03.01", "2024.03.02"}));
  EXPECT_EQ(Statement(AuditCutOff(QDate(2024, 3, 31), 59), {2}), (std::vector<QString>{"2024.02.01"}));
}

TEST_P(AuditTest, JournalDirectionAmountAndVoucher) {
  ledger_.AddAccount(QStringLiteral("测试户"), QDate(2024, 1, 1));
  const JournalLine lines[] = {
      {.md = Money(), .mc = M("250"), .digest = "credit"},
      {.md = Money(), .digest = "zero"},
      {.md = M("0.004"), .digest = "crumb"},  // below a cent: zero to the cent
      {.date = {2026, 5, 11}, .sign = QVariant(), .voucherNo = QVariant(), .digest = "bare"},
      {.date = {2026, 5, 12}, .period = 21, .digest = "opening item"},
      {.tick = 13},
      {.period = 20},  // the opening balance
  };
  for (const JournalLine& l : lines) ledger_.Add(l);
  // The voucher is sign and number; a book shows its flow id.
  const auto voucher = [this](const char* account, int flow) {
    return GetParam() ? ledger_.Book() + QStringLiteral("%1").arg(flow, 6, 10, QLatin1Char('0'))
                      : QString::fromUtf8(account);
  };
  EXPECT_EQ(Journal({9, 6, 7, 8}), (std::vector<QString>{"credit|贷|250.00|" + voucher("收-7", 1),
                                                         "bare|借|100.00|" + voucher("-", 4),
                                                         "opening item|借|100.00|" + voucher("收-7", 5)}));
}

TEST_P(AuditTest, ForeignAccountsUseTheForeignAmounts) {
  ledger_.AddAccount(QStringLiteral("美元户"), QDate(2024, 1, 1), QStringLiteral("美元"));
  ledger_.Add(JournalLine{.md = M("710"), .mdF = M("100"), .currency = "美元"});
  ledger_.Add(JournalLine{.md = M("5"), .currency = "美元"});  // a revaluation: no foreign amount, not listed
  EXPECT_EQ(Journal({7}), std::vector<QString>{"100.00"});
}

INSTANTIATE_TEST_SUITE_P(Modes, AuditTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Book" : "Account"; });

// A book whose account is missing from the chart keeps its lines, with no account
// name; statement lines of a book never opened are left out, its journal lines not.
TEST(AuditBookMode, LinesOfABookWhoseAccountIsNotInTheChartStay) {
  testing::SuiteSession session(true);
  QueryLedger lost(session.Db(), true, QStringLiteral("109999"), QStringLiteral("YH099"));
  lost.AddBookOnly(QStringLiteral("无科目账簿"), QDate(2024, 1, 1));
  QueryLedger unopened(session.Db(), true);
  unopened.AddAccount(QStringLiteral("测试户"), QDate(2024, 1, 1));
  session.Db().Execute(QStringLiteral("update RP_Book set dOpenDate=? where cBookCode=?"),
                       {platform::DbValue(), unopened.Book()});
  for (QueryLedger* ledger : {&lost, &unopened}) {
    ledger->Add(StatementLine{});
    ledger->Add(JournalLine{});
  }
  const auto rows = [&](Reader read, const QueryLedger& l) {
    return Rows(session.Db(), read, true, std::nullopt, l.Book(), {0, 1});
  };
  EXPECT_EQ(rows(ReadAuditStatement, lost), std::vector<QString>{"109999|"});
  EXPECT_EQ(rows(ReadAuditJournal, lost), std::vector<QString>{"109999|"});
  EXPECT_EQ(rows(ReadAuditStatement, unopened), std::vector<QString>{});
  EXPECT_EQ(rows(ReadAuditJournal, unopened), std::vector<QString>{"100291|测试户"});
}

TEST(AuditCutOff, AuditDateLessTheDays) {
  struct Case { QDate audit; int days; QDate cutOff; };
  const Case cases[] = {
      {{2024, 3, 31}, 30, {2024, 3, 1}},   // the example of the audit conditions
      {{2024, 3, 31}, 0, {2024, 3, 31}},   // no age: the audit date itself
      {{2024, 3, 31}, -5, {2024, 4, 5}},   // a negative age lies after the audit date
      {{2024, 3, 1}, 1, {2024, 2, 29}},    // across a leap day
      {{2026, 1, 1}, 32767, {1936, 4, 16}},
      {{2026, 1, 1}, -32768, {2115, 9, 20}},
  };
  for (const Case& c : cases) {
    const std::optional<QDate> cut = AuditCutOff(c.audit, c.days);
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(*cut, c.cutOff) << c.days;
  }
  EXPECT_FALSE(AuditCutOff(QDate(), 30).has_value());  // no audit date, no bound
}

TEST(AuditDays, TypedAgeAsAWholeNumberWithinSixteenBits) {
  struct Case { const char* typed; std::optional<int> days; };
  const Case cases[] = {
      {"30", 30},         {"", 0},          {"abc", std::nullopt}, {"-5", -5},        {" 45 ", 45},
      {"30天", std::nullopt}, {"2.5", 2},   {"3.5", 4},        {"-2.5", -2},      {"32767", 32767},
      {"-32768", -32768}, {"32768", std::nullopt},             {"-32769", std::nullopt},
      {"99999999999", std::nullopt},        {"+7", 7},         {"1.2.3", std::nullopt},
      {"３０", 30},       {"abc30", std::nullopt},             {"3O", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(AuditDays(QString::fromUtf8(c.typed)), c.days) << c.typed;
}

}  // namespace
}  // namespace corvane::query
