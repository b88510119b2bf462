#include "balance/balance_calculator.h"
#include "balance/detail_statement.h"
#include "balance_ledger.h"
#include "query/tick_status_load.h"
#include "reconcile/balance_check.h"
#include "reconcile/frm_yhdz_fixture.h"
#include "shared/account_facts.h"
#include "support/suite_session.h"

#include <gtest/gtest.h>

namespace corvane::balance::test {
namespace {

using platform::Money;

class DirectionRuleTest : public ::testing::TestWithParam<bool> {
 protected:
  DirectionRuleTest() : ledger_(session_.Db(), GetParam()) {}

  bool Book() const { return GetParam(); }

  // The bank side's figures of the statement: carried, balance, unticked debits
  // and credits.
  static QString BankSide(const BalanceFigures& f) {
    return QStringList({f.bankCarried.ToPlainText(), f.bankBalance.ToPlainText(), f.bankUnmatchedDebit.ToPlainText(),
                        f.bankUnmatchedCredit.ToPlainText()})
        .join(QLatin1Char(' '));
  }

  // The amounts of the two bank sections, "section 0|section 1".
  static QString BankSections(const DetailSections& d) {
    QStringList sides;
    for (int s = 0; s < 2; ++s) {
      QStringList amounts;
      for (const DetailItem& item : d.items[s]) amounts << item.amount;
      sides << amounts.join(QLatin1Char(' '));
    }
    return sides.join(QLatin1Char('|'));
  }

  testing::SuiteSession session_{GetParam()};
  BalanceLedger ledger_;
};

// A statement line is a debit line when bd_c is 1 and a credit line for any other
// value, none included. Each case is a debit-direction account of its own with
// three lines of the case's direction in the period: unticked 40.00, ticked 3.00
// and cleared 7.00. The detailed statement's sections, the sums of all accounts at
// once and of the one account, the tick-status query and the reconciliation (its
// list, matching and balance check) put them on one side.
TEST_P(DirectionRuleTest, EveryReaderPutsALineOnTheSameSide) {
  const struct {
    const char* name;
    int bdc;  // negative: NULL
    bool debit;
  } cases[] = {
      {"no direction", -1, false},
      {"credit", 0, false},
      {"debit", 1, true},
      {"a value that is neither", 2, false},
  };
  std::vector<ListedAccount> listed;
  for (size_t i = 0; i < std::size(cases); ++i) {
    TestAccount a;
    a.code = QStringLiteral("D%1").arg(i);
    ledger_.AddAccount(a);
    ledger_.Bank(a.code, QDate(2026, 4, 2), cases[i].bdc, M("40"), false, false);
    ledger_.Bank(a.code, QDate(2026, 4, 3), cases[i].bdc, M("3"), true, false);
    ledger_.Bank(a.code, QDate(2026, 4, 5), cases[i].bdc, M("7"), true, true);
    listed.push_back({a.code, Book() ? a.name : QString()});
  }
  const std::vector<AccountStatement> all = BalanceCalculator::ForAccounts(listed);
  ASSERT_EQ(all.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.name);
    const QString code = listed[i].code;
    BalanceFigures want;
    want.bankCarried = c.debit ? M("7") : -M("7");
    want.bankBalance = c.debit ? M("50") : -M("50");
    (c.debit ? want.bankUnmatchedDebit : want.bankUnmatchedCredit) = M("40");
    ASSERT_FALSE(all[i].Failed()) << all[i].failure.toStdString();
    EXPECT_EQ(BankSide(all[i].figures), BankSide(want)) << "all accounts";
    EXPECT_EQ(BankSide(BalanceCalculator::ForAccount(BalanceCalculator::ReadFacts(code))), BankSide(want))
        << "one account";

    // Unticked items: section 0 the bank's debits (a debit account), 1 its credits.
    EXPECT_EQ(BankSections(ReadDetailSections(code, 1)), c.debit ? QStringLiteral("40.00|") : QStringLiteral("|40.00"));

    query::TickStatusRequest r;
    r.code = code;
    r.bookMode = Book();
    r.startDate = QDate(2026, 3, 1);
    const query::StatusRows rows = query::ReadStatementStatus(session_.Db(), r);
    ASSERT_EQ(rows.size(), 2);  // the live lines
    EXPECT_EQ(rows.cells[0][3] + QLatin1Char('|') + rows.cells[0][4],
              c.debit ? QStringLiteral("40.00|") : QStringLiteral("|40.00"));
    EXPECT_EQ(c.debit ? rows.debitTotal : rows.creditTotal, M("43"));
    EXPECT_EQ(c.debit ? rows.creditTotal : rows.debitTotal, Money());

    // The reconciliation matches a journal line of the same side (a debit account;
    // a book's matching stores its cut-off on its account), then checks the balance.
    if (Book()) session_.Db().Execute(QStringLiteral("insert into code (ccode) values (?)"), {QStringLiteral("A") + code});
    ledger_.Journal(code, QDate(2026, 4, 2), 4, c.debit ? M("40") : Money(), c.debit ? Money() : M("40"), false, false);
    session_.Modals().Then(reconcile::test::Choose(code, true));
    session_.Modals().Then(reconcile::test::MatchAll(false));
    session_.Modals().Then([](QDialog& d) { d.reject(); });
    host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
    auto* w = shared::Session::Current().windows.Find<reconcile::frmYHDZ>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->MsGrid2()->TextMatrix(1, 3), shared::Session::Current().Common().GetDirectionText(c.debit ? 1 : 0));
    for (const char* key : {"auto", "check"}) w->Toolbar1_ButtonClick(QString::fromLatin1(key));
    EXPECT_EQ(reconcile::TotalOf(c.debit ? w->ChkYhJf : w->ChkYhDf), M("43"));  // ticked 3.00, matched 40.00
    w->close();
    QApplication::processEvents();
  }
}

// The detailed statement splits the bank lines by the account's direction as the
// two-sided view and the statement read it, so its sections sit under the figures
// handed to it: an account without a direction (code.bd_c NULL; a book always has
// one) is a debit account, whose first section holds the bank's debits.
TEST_P(DirectionRuleTest, TheAccountsDirectionSplitsTheBankSectionsAsTheStatementDoes) {
  const struct {
    const char* name;
    int direction;  // 1 debit, 0 credit, negative: none
    bool receivedIsDebit;
  } cases[] = {
      {"debit account", 1, true},
      {"credit account", 0, false},
      {"account without a direction", -1, true},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    if (c.direction < 0 && Book()) continue;
    SCOPED_TRACE(c.name);
    TestAccount a;
    a.code = QStringLiteral("E%1").arg(i);
    a.debit = c.direction != 0;
    ledger_.AddAccount(a);
    if (c.direction < 0) session_.Db().Execute(QStringLiteral("update code set bd_c=null where ccode=?"), {a.code});
    ledger_.Bank(a.code, QDate(2026, 4, 2), 1, M("40"), false, false);
    ledger_.Bank(a.code, QDate(2026, 4, 3), 0, M("9"), false, false);
    EXPECT_EQ(BalanceCalculator::ReadFacts(a.code).debit, c.receivedIsDebit);
    EXPECT_EQ(BankSections(ReadDetailSections(a.code, 1)),
              c.receivedIsDebit ? QStringLiteral("40.00|9.00") : QStringLiteral("9.00|40.00"));
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, DirectionRuleTest, ::testing::Bool(), ModeName);

}  // namespace
}  // namespace corvane::balance::test
