#include "balance/balance_calculator.h"
#include "balance_ledger.h"
#include "support/suite_session.h"

#include <gtest/gtest.h>

#include <tuple>

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
  std::vector<ListedAccount> listed;
  for (const TestAccount& a : AddRandomAccounts(ledger, QStringLiteral("R"), 12, 60, 20261206))
    listed.push_back({a.code, GetParam() ? a.name : QString()});
  const std::vector<AccountStatement> all = BalanceCalculator::ForAccounts(listed);
  ASSERT_EQ(all.size(), listed.size());
  for (const AccountStatement& st : all) {
    ASSERT_FALSE(st.Failed()) << st.failure.toStdString();
    const BalanceFigures one = BalanceCalculator::ForAccount(BalanceCalculator::ReadFacts(st.facts.code));
    const std::string code = st.facts.code.toStdString();
    EXPECT_EQ(FiguresText(st.figures), FiguresText(one)) << code;
    // Random lines must reach every sum, or the comparison proves little.
    EXPECT_FALSE(one.journalUnmatchedDebit.IsZero() && one.bankUnmatchedCredit.IsZero()) << code;
  }
}

std::tuple<QString, QString, QDate, QDate, bool, bool> Facts(const AccountFacts& f) {
  return {f.code, f.name, f.start, f.end, f.debit, f.foreign};
}

// The facts the list rows give equal those the account procedures give, for the
// demo accounts and for accounts without a start date, direction or currency;
// and read through the suite's own services, the statement of every account
// equals its one-account statement too.
TEST_P(AgreementTest, ListedFactsAndDemoAccountsAgree) {
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
    const AccountFacts read = BalanceCalculator::ReadFacts(f.facts.code, GetParam() ? f.facts.name : QString());
    EXPECT_EQ(Facts(f.facts), Facts(read));
  }
  for (const AccountStatement& st : BalanceCalculator::ForAllAccounts()) {
    ASSERT_FALSE(st.Failed()) << st.failure.toStdString();
    const BalanceFigures one = BalanceCalculator::ForAccount(BalanceCalculator::ReadFacts(st.facts.code, st.facts.name));
    EXPECT_EQ(FiguresText(st.figures), FiguresText(one)) << st.facts.code.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, AgreementTest, ::testing::Bool(), ModeName);

}  // namespace
}  // namespace corvane::balance::test
