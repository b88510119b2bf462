#include "balance/balance_calculator.h"
#include "balance_ledger.h"
#include "support/suite_session.h"

#include <gtest/gtest.h>

#include <random>

namespace corvane::balance::test {
namespace {

using platform::Money;

class AgreementTest : public ::testing::TestWithParam<bool> {
 protected:
  testing::SuiteSession session_{GetParam()};
};

// Random accounts of every kind (both directions, foreign or not, with and without
// an end date) with random lines: the grouped sums of all accounts must give each
// account exactly the figures its own queries give.
TEST_P(AgreementTest, AllAccountsAgreeWithOneAccount) {
  BalanceLedger ledger(session_.Db(), GetParam());
  std::mt19937 rng(20261206);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<ListedAccount> listed;
  for (int a = 0; a < 12; ++a) {
    TestAccount acc;
    acc.code = QStringLiteral("R%1").arg(a, 2, 10, QLatin1Char('0'));
    acc.debit = pick(0, 1) == 1;
    acc.currency = pick(0, 3) == 0 ? QStringLiteral("美元") : QString();
    acc.start = QDate(2026, pick(1, 4), 1);
    acc.end = pick(0, 2) == 0 ? QDate() : QDate(2026, pick(5, 11), pick(1, 28));
    ledger.AddAccount(acc);
    if (pick(0, 3) > 0) ledger.BankOpening(acc.code, Money::FromCents(pick(0, 900000)));
    if (pick(0, 3) > 0) ledger.JournalOpening(acc.code, Money::FromCents(pick(0, 900000)));
    for (int i = 0; i < 60; ++i) {
      const QDate date(2026, pick(1, 12), pick(1, 28));
      const bool ticked = pick(0, 1) == 1;
      const bool cleared = ticked && pick(0, 2) == 0;
      const Money amount = Money::FromCents(pick(1, 500000));
      if (pick(0, 1) == 0) {
        // Now and then a line without a direction, which both paths read as a credit line.
        const int direction = pick(0, 5) == 0 ? -1 : pick(0, 1);
        ledger.Bank(acc.code, date.addYears(pick(0, 5) == 0 ? -1 : 0), direction, amount, ticked, cleared);
      } else {
        const int period = pick(0, 6) == 0 ? 21 : date.month();
        const bool debit = pick(0, 1) == 1;
        const Money foreign = Money::FromCents(pick(0, 80000));
        ledger.Journal(acc.code, date, period, debit ? amount : Money(), debit ? Money() : amount, ticked, cleared,
                       debit ? foreign : Money(), debit ? Money() : foreign);
      }
    }
    listed.push_back({acc.code, GetParam() ? acc.name : QString()});
  }
  const std::vector<AccountStatement> all = BalanceCalculator::ForAccounts(listed);
  ASSERT_EQ(all.size(), listed.size());
  int balanced = 0;
  for (const AccountStatement& st : all) {
    ASSERT_FALSE(st.Failed()) << st.failure.toStdString();
    const BalanceFigures one = BalanceCalculator::ForAccount(BalanceCalculator::ReadFacts(st.facts.code));
    const BalanceFigures& f = st.figures;
    const std::string code = st.facts.code.toStdString();
    EXPECT_EQ(f.bankCarried, one.bankCarried) << code;
    EXPECT_EQ(f.journalCarried, one.journalCarried) << code;
    EXPECT_EQ(f.bankBalance, one.bankBalance) << code;
    EXPECT_EQ(f.journalBalance, one.journalBalance) << code;
    EXPECT_EQ(f.journalUnmatchedDebit, one.journalUnmatchedDebit) << code;
    EXPECT_EQ(f.journalUnmatchedCredit, one.journalUnmatchedCredit) << code;
    EXPECT_EQ(f.bankUnmatchedDebit, one.bankUnmatchedDebit) << code;
    EXPECT_EQ(f.bankUnmatchedCredit, one.bankUnmatchedCredit) << code;
    EXPECT_EQ(f.adjustedJournalBalance, one.adjustedJournalBalance) << code;
    EXPECT_EQ(f.adjustedBankBalance, one.adjustedBankBalance) << code;
    balanced += one.balanced;
    // Random lines must reach every sum, or the comparison proves little.
    EXPECT_FALSE(one.journalUnmatchedDebit.IsZero() && one.bankUnmatchedCredit.IsZero()) << code;
  }
}

void ExpectSameFacts(const AccountFacts& listed, const AccountFacts& read) {
  const std::string code = read.code.toStdString();
  EXPECT_EQ(listed.code, read.code) << code;
  EXPECT_EQ(listed.name, read.name) << code;
  EXPECT_EQ(listed.start, read.start) << code;
  EXPECT_EQ(listed.end, read.end) << code;
  EXPECT_EQ(listed.debit, read.debit) << code;
  EXPECT_EQ(listed.foreign, read.foreign) << code;
}

// The facts the list rows give equal those the account procedures give, for the
// demo accounts and for accounts without a start date, direction or currency.
TEST_P(AgreementTest, ListedFactsAreTheAccountsFacts) {
  BalanceLedger ledger(session_.Db(), GetParam());
  TestAccount bare;
  bare.code = QStringLiteral("R90");
  bare.start = QDate();
  bare.end = QDate();
  ledger.AddAccount(bare);
  TestAccount dollars;
  dollars.code = QStringLiteral("R91");
  dollars.currency = QStringLiteral("美元");
  dollars.debit = false;
  ledger.AddAccount(dollars);
  if (!GetParam()) session_.Db().Execute(QStringLiteral("update code set bd_c=null where ccode='R90'"));
  const std::vector<ListedFacts> listed = BalanceCalculator::ListAccountFacts();
  ASSERT_GE(listed.size(), 5u);
  for (const ListedFacts& f : listed) {
    ASSERT_TRUE(f.failure.isEmpty()) << f.failure.toStdString();
    ExpectSameFacts(f.facts, BalanceCalculator::ReadFacts(f.facts.code, GetParam() ? f.facts.name : QString()));
  }
}

// The demo account set, read through the suite's own services: the statement of
// every account equals its one-account statement too.
TEST_P(AgreementTest, DemoAccountsAgree) {
  const std::vector<AccountStatement> all = BalanceCalculator::ForAllAccounts();
  ASSERT_GE(all.size(), 3u);
  for (const AccountStatement& st : all) {
    ASSERT_FALSE(st.Failed()) << st.failure.toStdString();
    const BalanceFigures one = BalanceCalculator::ForAccount(BalanceCalculator::ReadFacts(st.facts.code, st.facts.name));
    EXPECT_EQ(st.figures.adjustedJournalBalance, one.adjustedJournalBalance) << st.facts.code.toStdString();
    EXPECT_EQ(st.figures.adjustedBankBalance, one.adjustedBankBalance) << st.facts.code.toStdString();
    EXPECT_EQ(st.figures.bankCarried, one.bankCarried) << st.facts.code.toStdString();
    EXPECT_EQ(st.figures.journalCarried, one.journalCarried) << st.facts.code.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, AgreementTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::balance::test
