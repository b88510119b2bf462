#include "balance/balance_calculator.h"
#include "balance/grouped_sums.h"
#include "balance_ledger.h"
#include "shared/session.h"
#include "support/suite_session.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane::balance::test {
namespace {

using platform::Money;

// 'J' journal line (n: period), 'B' statement line (n: bd_c), 'b' statement
// opening row, 'e' journal opening row. For 'B', 'b', 'e' the amount is in md.
struct Line {
  char side;
  const char* date;
  int n;
  const char* md;
  const char* mc;
  bool ticked;
  bool cleared;
  const char* mdF = "0";
  const char* mcF = "0";
};

// Journal debit 100 the bank has not, journal credit 30 ticked against the bank's
// credit 30, and a bank debit 50 the books have not: a debit account that balances
// at 120 on both sides.
const std::vector<Line> kBase = {
    {'J', "2026-04-01", 4, "100", "0", false, false},
    {'J', "2026-05-01", 5, "0", "30", true, false},
    {'B', "2026-04-02", 1, "50", "0", false, false},
    {'B', "2026-05-02", 0, "30", "0", true, false},
};

struct Expected {
  const char *bankCarried, *journalCarried, *bankBalance, *journalBalance, *jud, *juc, *bud, *buc, *adjJ, *adjB;
  bool balanced;
};

const Expected kBaseFigures{"0", "0", "20", "70", "100", "0", "50", "0", "120", "120", true};

struct Case {
  const char* name;
  std::function<void(TestAccount&)> account;
  bool base;
  std::vector<Line> lines;
  Expected e;
};

QDate D(const char* text) { return QDate::fromString(QString::fromLatin1(text), Qt::ISODate); }

std::vector<Case> Cases() {
  auto same = [](TestAccount&) {};
  auto credit = [](TestAccount& a) { a.debit = false; };
  return {
      {"debit account", same, true, {}, kBaseFigures},
      {"credit account: bank side and bank adjustments turn round",
       credit, false,
       {{'J', "2026-04-01", 4, "100", "0", false, false}, {'J', "2026-05-01", 5, "0", "30", true, false},
        {'B', "2026-04-02", 0, "50", "0", false, false}, {'B', "2026-05-02", 1, "30", "0", true, false}},
       {"0", "0", "20", "70", "100", "0", "0", "50", "120", "120", true}},
      {"credit account carries cleared lines the other way",
       credit, false,
       {{'J', "2026-04-01", 4, "100", "0", false, false}, {'J', "2026-05-01", 5, "0", "30", true, false},
        {'B', "2026-04-02", 0, "50", "0", false, false}, {'B', "2026-05-02", 1, "30", "0", true, false},
        {'B', "2026-04-05", 1, "10", "0", true, true}, {'B', "2026-04-06", 0, "40", "0", true, true},
        {'J', "2026-04-06", 4, "40", "0", true, true}, {'J', "2026-04-05", 4, "0", "10", true, true}},
       {"30", "30", "50", "100", "100", "0", "0", "50", "150", "150", true}},
      {"opening balances are carried", same, true,
       {{'b', "", 0, "1000", "0", false, false}, {'e', "", 0, "1000", "0", false, false}},
       {"1000", "1000", "1020", "1070", "100", "0", "50", "0", "1120", "1120", true}},
      {"of two opening rows the first stored is carried", same, true,
       {{'b', "", 0, "1000", "0", false, false}, {'e', "", 0, "1000", "0", false, false},
        {'b', "", 0, "400", "0", false, false}, {'e', "", 0, "300", "0", false, false}},
       {"1000", "1000", "1020", "1070", "100", "0", "50", "0", "1120", "1120", true}},
      {"cleared lines before the start date count nowhere", same, true,
       {{'J', "2026-02-10", 2, "500", "0", true, true}, {'B', "2026-02-11", 1, "500", "0", true, true}},
       kBaseFigures},
      {"cleared lines in the period are carried", same, true,
       {{'J', "2026-04-10", 4, "40", "0", true, true}, {'B', "2026-04-11", 1, "40", "0", true, true}},
       {"40", "40", "60", "110", "100", "0", "50", "0", "160", "160", true}},
      {"a journal line cleared after the end date is not carried", same, true,
       {{'J', "2026-07-10", 7, "40", "0", true, true}}, kBaseFigures},
      {"a statement line cleared after the end date is not carried", same, true,
       {{'B', "2026-07-11", 1, "40", "0", true, true}}, kBaseFigures},
      {"opening items and early statement lines are outstanding, not in the balances", same, true,
       {{'J', "2026-02-20", 21, "0", "25", false, false}, {'B', "2026-02-25", 0, "25", "0", false, false}},
       {"0", "0", "20", "70", "100", "25", "50", "25", "95", "95", true}},
      {"an opening item dated after the start is outstanding only", same, true,
       {{'J', "2026-03-10", 21, "15", "0", false, false}},
       {"0", "0", "20", "70", "115", "0", "50", "0", "120", "135", false}},
      {"lines after the end date count nowhere", same, true,
       {{'J', "2026-08-01", 8, "10", "0", false, false}, {'B', "2026-08-02", 1, "7", "0", false, false}},
       kBaseFigures},
      {"without an end date every later line counts", [](TestAccount& a) { a.end = QDate(); }, true,
       {{'J', "2026-08-01", 8, "10", "0", false, false}, {'B', "2026-08-02", 1, "7", "0", false, false}},
       {"0", "0", "27", "80", "110", "0", "57", "0", "137", "137", true}},
      {"foreign currency: journal in md_f/mc_f, opening still md",
       [](TestAccount& a) { a.currency = QStringLiteral("美元"); }, false,
       {{'J', "2026-04-01", 4, "710", "0", false, false, "100", "0"},
        {'J', "2026-05-01", 5, "0", "213", true, false, "0", "30"},
        {'B', "2026-04-02", 1, "50", "0", false, false}, {'B', "2026-05-02", 0, "30", "0", true, false},
        {'b', "", 0, "5000", "0", false, false}, {'e', "", 0, "5000", "0", false, false}},
       {"5000", "5000", "5020", "5070", "100", "0", "50", "0", "5120", "5120", true}},
      {"exactly one cent apart does not balance", same, false,
       {{'b', "", 0, "0.03", "0", false, false}, {'e', "", 0, "0.02", "0", false, false}},
       {"0.03", "0.02", "0.03", "0.02", "0", "0", "0", "0", "0.02", "0.03", false}},
      {"a ticked cent apart does not balance", same, true, {{'B', "2026-04-03", 1, "0.01", "0", true, false}},
       {"0", "0", "20.01", "70", "100", "0", "50", "0", "120", "120.01", false}},
      {"less than a cent apart balances", same, true, {{'B', "2026-04-03", 1, "0.0099", "0", true, false}},
       {"0", "0", "20.0099", "70", "100", "0", "50", "0", "120", "120.0099", true}},
      {"lines on the start and on the end date are carried, a day outside is not", same, true,
       {{'J', "2026-03-01", 3, "40", "0", true, true}, {'B', "2026-06-30", 1, "40", "0", true, true},
        {'J', "2026-02-28", 2, "500", "0", true, true}, {'B', "2026-07-01", 1, "500", "0", true, true},
        {'J', "2026-02-28", 2, "0", "9", false, false}, {'B', "2026-07-01", 0, "9", "0", false, false}},
       {"40", "40", "60", "110", "100", "9", "50", "0", "160", "151", false}},
      {"lines without a date count nowhere up to an end date", same, true,
       {{'J', "", 4, "10", "0", false, false}, {'B', "", 1, "7", "0", false, false},
        {'J', "", 4, "0", "5", true, true}, {'B', "", 0, "5", "0", true, true}},
       kBaseFigures},
      {"without an end date, lines without a date are outstanding only", [](TestAccount& a) { a.end = QDate(); }, true,
       {{'J', "", 4, "10", "0", false, false}, {'B', "", 1, "7", "0", false, false},
        {'J', "", 4, "0", "5", true, true}, {'B', "", 0, "5", "0", true, true}},
       {"0", "0", "20", "70", "110", "0", "57", "0", "127", "130", false}},
      {"an end date before the start date leaves the lines up to the end outstanding only",
       [](TestAccount& a) { a.end = QDate(2026, 2, 15); }, true,
       {{'J', "2026-02-10", 2, "10", "0", false, false}, {'B', "2026-02-11", 1, "7", "0", false, false},
        {'J', "2026-02-20", 2, "3", "0", false, false}, {'B', "2026-02-20", 1, "3", "0", false, false}},
       {"0", "0", "0", "0", "10", "0", "7", "0", "7", "10", false}},
  };
}

void Write(BalanceLedger& ledger, const QString& code, const Line& l) {
  switch (l.side) {
    case 'J':
      ledger.Journal(code, D(l.date), l.n, M(l.md), M(l.mc), l.ticked, l.cleared, M(l.mdF), M(l.mcF));
      break;
    case 'B':
      ledger.Bank(code, D(l.date), l.n, M(l.md), l.ticked, l.cleared);
      break;
    case 'b':
      ledger.BankOpening(code, M(l.md));
      break;
    default:
      ledger.JournalOpening(code, M(l.md));
  }
}

void ExpectFigures(const BalanceFigures& f, const Expected& e, const std::string& where) {
  const BalanceFigures want{M(e.bankCarried), M(e.journalCarried), M(e.bankBalance), M(e.journalBalance),
                            M(e.jud),         M(e.juc),            M(e.bud),         M(e.buc),
                            M(e.adjJ),        M(e.adjB),           e.balanced};
  EXPECT_EQ(FiguresText(f), FiguresText(want)) << where;
}

class BalanceArithmeticTest : public ::testing::TestWithParam<bool> {
 protected:
  testing::SuiteSession session_{GetParam()};
};

// Each case is its own account; the one-account path and the grouped path of all
// of them at once must both give the hand-computed figures.
TEST_P(BalanceArithmeticTest, HandComputedAccounts) {
  BalanceLedger ledger(session_.Db(), GetParam());
  const std::vector<Case> cases = Cases();
  std::vector<ListedAccount> listed;
  for (size_t i = 0; i < cases.size(); ++i) {
    TestAccount a;
    a.code = QStringLiteral("T%1").arg(i + 10);
    cases[i].account(a);
    ledger.AddAccount(a);
    if (cases[i].base)
      for (const Line& l : kBase) Write(ledger, a.code, l);
    for (const Line& l : cases[i].lines) Write(ledger, a.code, l);
    listed.push_back({a.code, GetParam() ? a.name : QString()});
  }
  const std::vector<AccountStatement> all = BalanceCalculator::ForAccounts(listed);
  ASSERT_EQ(all.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    ASSERT_FALSE(all[i].Failed()) << cases[i].name << ": " << all[i].failure.toStdString();
    ExpectFigures(all[i].figures, cases[i].e, std::string(cases[i].name) + " (all accounts)");
    const AccountFacts facts = BalanceCalculator::ReadFacts(listed[i].code);
    ExpectFigures(BalanceCalculator::ForAccount(facts), cases[i].e, std::string(cases[i].name) + " (one account)");
  }
}

// Two lines of the largest amount in one sum: the grouped path and the
// one-account path both fail, never a wrapped or cut figure. Each row reaches
// one of the four sums of its side only, with the same line twice or, for the
// outstanding sums, with one line in the period and one before it.
TEST_P(BalanceArithmeticTest, SumsPastTheLargestAmountFail) {
  const char* const kMax = "922337203685477.5807";
  const struct {
    const char* name;
    Line line;
    Line other = {};  // no side: the same line again
  } cases[] = {
      {"cleared statement lines", {'B', "2026-04-02", 1, kMax, "0", true, true}},
      {"live statement lines", {'B', "2026-04-02", 0, kMax, "0", true, false}},
      {"unticked statement debits before the start", {'B', "2026-02-02", 1, kMax, "0", false, false}},
      {"unticked statement credits before the start", {'B', "2026-02-02", 0, kMax, "0", false, false}},
      {"cleared journal lines", {'J', "2026-04-01", 4, kMax, "0", true, true}},
      {"live journal lines", {'J', "2026-04-01", 4, "0", kMax, true, false}},
      {"unticked journal debits before the start", {'J', "2026-02-01", 2, kMax, "0", false, false}},
      {"unticked journal credits before the start", {'J', "2026-02-01", 2, "0", kMax, false, false}},
      {"unticked statement debits in the period and before it", {'B', "2026-04-02", 1, kMax, "0", false, false},
       {'B', "2026-02-02", 1, kMax, "0", false, false}},
      {"unticked statement credits in the period and before it", {'B', "2026-04-02", 0, kMax, "0", false, false},
       {'B', "2026-02-02", 0, kMax, "0", false, false}},
      {"unticked journal debits in the period and before it", {'J', "2026-04-01", 4, kMax, "0", false, false},
       {'J', "2026-02-01", 2, kMax, "0", false, false}},
      {"unticked journal credits in the period and before it", {'J', "2026-04-01", 4, "0", kMax, false, false},
       {'J', "2026-02-01", 2, "0", kMax, false, false}},
  };
  BalanceLedger ledger(session_.Db(), GetParam());
  for (size_t i = 0; i < std::size(cases); ++i) {
    TestAccount a;
    a.code = QStringLiteral("V%1").arg(i);
    ledger.AddAccount(a);
    Write(ledger, a.code, cases[i].line);
    Write(ledger, a.code, cases[i].other.side ? cases[i].other : cases[i].line);
    EXPECT_ANY_THROW(BalanceCalculator::ForAccounts({{a.code, GetParam() ? a.name : QString()}})) << cases[i].name;
    EXPECT_ANY_THROW(BalanceCalculator::ForAccount(BalanceCalculator::ReadFacts(a.code))) << cases[i].name;
  }
}

// The grouped sums take any facts. Without a start date no line is in the period,
// and the unticked live lines up to the end date are outstanding (without an end
// date every one, dated or not); each engine by its own SQL.
TEST_P(BalanceArithmeticTest, GroupedSumsWithoutAStartDateHoldOutstandingLinesOnly) {
  const struct {
    const char* name;
    QDate end;
    const char* sums;  // SumsText
  } cases[] = {
      {"up to an end date", QDate(2026, 6, 30),
       "0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 100.0000 0.0000 50.0000 0.0000"},
      {"without an end date", QDate(), "0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 110.0000 0.0000 50.0000 7.0000"},
  };
  BalanceLedger ledger(session_.Db(), GetParam());
  std::vector<AccountFacts> facts;
  for (size_t i = 0; i < std::size(cases); ++i) {
    TestAccount a;
    a.code = QStringLiteral("W%1").arg(i);
    ledger.AddAccount(a);
    for (const Line& l : kBase) Write(ledger, a.code, l);
    for (const Line& l : std::vector<Line>{{'B', "2026-04-09", 1, "40", "0", true, true},
                                           {'J', "2026-08-01", 8, "10", "0", false, false},
                                           {'B', "", 0, "7", "0", false, false}})
      Write(ledger, a.code, l);
    AccountFacts f;
    f.code = a.code;
    f.end = cases[i].end;
    facts.push_back(f);
  }
  const std::map<QString, RawSums> sums = GroupedSums(session_.Db(), GetParam(), facts);
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(SumsText(sums.at(facts[i].code)), QString::fromLatin1(cases[i].sums)) << cases[i].name;
}

// The statement row: figures "#,0.00" in their columns, the marker in place of an
// unbalanced adjusted balance, an empty end date without one.
TEST_P(BalanceArithmeticTest, RowTextsCarryTheFiguresAndTheMarker) {
  AccountFacts facts;
  facts.code = QStringLiteral("100201");
  facts.name = QStringLiteral("工行(朝阳)");
  facts.end = QDate(2026, 6, 30);
  BalanceFigures f{M("1"), M("2"), M("3"), M("1234567.5"), M("5"), M("6"), M("7"), M("8"), M("-12.34"), M("10"), true};
  EXPECT_EQ(StatementRowColumns(facts, f, QStringLiteral("不平衡")),
            QStringList({QStringLiteral("工行(朝阳)(100201)"), "2026.06.30", "1,234,567.50", "3.00", "-12.34", "5.00",
                         "6.00", "7.00", "8.00", "-12.34", "10.00"}));
  f.balanced = false;
  facts.end = QDate();
  EXPECT_EQ(StatementRowColumns(facts, f, QStringLiteral("不平衡")).mid(1, 4),
            QStringList({"", "1,234,567.50", "3.00", QStringLiteral("不平衡")}));
}

INSTANTIATE_TEST_SUITE_P(Modes, BalanceArithmeticTest, ::testing::Bool(), ModeName);

}  // namespace
}  // namespace corvane::balance::test
