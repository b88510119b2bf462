#include "balance/balance_calculator.h"
#include "balance/frm_yhzhx.h"
#include "balance_ledger.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace corvane::balance::test {
namespace {

using shared::GetResString;

constexpr int kYes = 6;
constexpr int kNo = 7;

QString Res(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QString::fromLatin1(number)); }

class ClearingTest : public ::testing::TestWithParam<bool> {
 protected:
  ClearingTest() : ledger_(session_.Db(), GetParam()) {}

  bool Book() const { return GetParam(); }

  // A balanced account: the base lines of the arithmetic table, ticked pairs in
  // the period and a ticked pair dated after the end date.
  void AddBalancedAccount(const QString& code, const QString& name = QStringLiteral("测试银行")) {
    TestAccount a;
    a.code = code;
    a.name = name;
    ledger_.AddAccount(a);
    ledger_.BankOpening(code, M("500"));
    ledger_.JournalOpening(code, M("500"));
    ledger_.Journal(code, QDate(2026, 4, 1), 4, M("100"), M("0"), false, false);
    ledger_.Journal(code, QDate(2026, 5, 1), 5, M("0"), M("30"), true, false);
    ledger_.Bank(code, QDate(2026, 4, 2), 1, M("50"), false, false);
    ledger_.Bank(code, QDate(2026, 5, 2), 0, M("30"), true, false);
    ledger_.Journal(code, QDate(2026, 7, 3), 7, M("80"), M("0"), true, false);
    ledger_.Bank(code, QDate(2026, 7, 4), 1, M("80"), true, false);
  }

  std::unique_ptr<frmYHZHX> Window(const QString& code) {
    auto w = std::make_unique<frmYHZHX>();
    const int i = w->Combo1()->findData(code);
    EXPECT_GE(i, 0) << code.toStdString();
    w->Combo1()->setCurrentIndex(i);
    session_.Messages().Clear();
    return w;
  }

  BalanceFigures Figures(const QString& code) {
    return BalanceCalculator::ForAccount(BalanceCalculator::ReadFacts(code));
  }

  long long LockRows(const QString& code) {
    return session_.Db().QueryValue(QStringLiteral("select count(*) from corvane_lock where code=?"), {code}).ToInt();
  }

  // Makes every UPDATE of the statement table fail, as a lost connection or a
  // refused write would, after the journal UPDATE has already run.
  void BreakStatementUpdates() {
    const QString table = ledger_.StatementTable();
    if (session_.Database().IsPostgres()) {
      session_.Db().Execute(QStringLiteral("create function corvane_fail() returns trigger as $$ begin raise exception "
                                           "'injected failure'; end $$ language plpgsql"));
      session_.Db().Execute(QStringLiteral("create trigger corvane_fail before update on %1 for each statement "
                                           "execute function corvane_fail()").arg(table));
    } else {
      session_.Db().Execute(QStringLiteral("create trigger corvane_fail before update on %1 begin "
                                           "select raise(abort, 'injected failure'); end").arg(table));
    }
  }

  QStringList Prompts() {
    QStringList p;
    for (const auto& m : session_.Messages().Shown()) p << m.prompt;
    return p;
  }

  testing::SuiteSession session_{GetParam()};
  BalanceLedger ledger_;
};

void ExpectSameFigures(const BalanceFigures& a, const BalanceFigures& b) {
  EXPECT_EQ(a.bankBalance, b.bankBalance);
  EXPECT_EQ(a.journalBalance, b.journalBalance);
  EXPECT_EQ(a.journalUnmatchedDebit, b.journalUnmatchedDebit);
  EXPECT_EQ(a.journalUnmatchedCredit, b.journalUnmatchedCredit);
  EXPECT_EQ(a.bankUnmatchedDebit, b.bankUnmatchedDebit);
  EXPECT_EQ(a.bankUnmatchedCredit, b.bankUnmatchedCredit);
  EXPECT_EQ(a.adjustedJournalBalance, b.adjustedJournalBalance);
  EXPECT_EQ(a.adjustedBankBalance, b.adjustedBankBalance);
  EXPECT_EQ(a.balanced, b.balanced);
}

// Clearing a balanced account marks every ticked line, those after the end date
// too, and leaves every figure of its statement as it was.
TEST_P(ClearingTest, ClearingKeepsTheStatementOfABalancedAccount) {
  AddBalancedAccount(QStringLiteral("T9"));
  const BalanceFigures before = Figures(QStringLiteral("T9"));
  ASSERT_TRUE(before.balanced);
  auto w = Window(QStringLiteral("T9"));
  session_.Messages().Answer(kYes);
  w->Command2_Click();
  EXPECT_EQ(Prompts(), QStringList({Res("00901"), Res("00903")}));
  EXPECT_EQ(session_.Messages().Shown()[0].buttons, 260);
  EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), 4);
  ExpectSameFigures(before, Figures(QStringLiteral("T9")));
  EXPECT_EQ(LockRows(QStringLiteral("T9")), 0);
}

// Refusals and a declined confirmation write nothing and give the lock back.
TEST_P(ClearingTest, RefusedOrDeclinedClearingWritesNothing) {
  AddBalancedAccount(QStringLiteral("T9"));
  AddBalancedAccount(QStringLiteral("T8"));
  ledger_.Bank(QStringLiteral("T8"), QDate(2026, 4, 9), 1, M("0.01"), true, false);  // one cent apart
  {
    auto w = Window(QStringLiteral("T8"));
    w->Command2_Click();
    EXPECT_EQ(Prompts(), QStringList({Res("00905")}));
    EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T8")), 0);
    EXPECT_EQ(LockRows(QStringLiteral("T8")), 0);
  }
  {
    auto w = Window(QStringLiteral("T9"));
    session_.Messages().Answer(kNo);
    w->Command2_Click();
    EXPECT_EQ(Prompts(), QStringList({Res("00901")}));
    EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), 0);
    EXPECT_EQ(LockRows(QStringLiteral("T9")), 0);
  }
}

// A failure between the two UPDATEs leaves no line cleared, says so, and gives
// the lock back; the same for the restore.
TEST_P(ClearingTest, ClearingAndRestoreAreAllOrNothing) {
  AddBalancedAccount(QStringLiteral("T9"));
  ledger_.Journal(QStringLiteral("T9"), QDate(2026, 4, 20), 4, M("5"), M("0"), true, true);
  ledger_.Bank(QStringLiteral("T9"), QDate(2026, 4, 21), 1, M("5"), true, true);
  BreakStatementUpdates();
  auto w = Window(QStringLiteral("T9"));
  session_.Messages().Answer(kYes);
  w->Command2_Click();
  ASSERT_EQ(session_.Messages().Count(), 2);
  EXPECT_TRUE(Prompts()[1].startsWith(GetResString(QStringLiteral("corvane.balance.clearfailed"), QString()).left(6)));
  EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), 2);  // only the two cleared before
  EXPECT_EQ(LockRows(QStringLiteral("T9")), 0);

  session_.Messages().Clear();
  session_.Messages().Answer(kYes);
  session_.Messages().Answer(kYes);
  w->RestoreClearedItems();
  EXPECT_EQ(session_.Messages().Count(), 3);
  EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), 2);
  EXPECT_EQ(LockRows(QStringLiteral("T9")), 0);
}

// The restore turns back exactly what clearing marks: posted ticked lines of this
// account (or book), never an unposted line, never another table's rows.
TEST_P(ClearingTest, RestoreIsTheInverseOfClearingInTheSessionsMode) {
  AddBalancedAccount(QStringLiteral("T9"));
  auto w = Window(QStringLiteral("T9"));
  session_.Messages().Answer(kYes);
  w->Command2_Click();
  ASSERT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), 4);
  platform::DbConnection& db = session_.Db();
  // A cleared unposted line of the account, and, in book mode, an account whose
  // code equals the book code with cleared ticked lines of its own.
  if (Book()) {
    db.Execute(QStringLiteral("insert into RP_Flow (cFlowID, cBookCode, ccode, BillDate, iperiod, ibook, md, iflagbank, "
                              "bdelete) values ('T9UNPOSTED', 'T9', 'AT9', ?, 4, 0, 1, 1, 1)"), {QDate(2026, 4, 3)});
    db.Execute(QStringLiteral("insert into gl_accvouch (iperiod, dbill_date, ibook, ccode, md, iflagbank, bdelete) "
                              "values (4, ?, 1, 'T9', 7, 1, 1)"), {QDate(2026, 4, 3)});
    db.Execute(QStringLiteral("insert into rp_bankrecp (ccode, dDate, bd_c, mmoney, iflag, bdelete, ibegin) "
                              "values ('T9', ?, 1, 7, 1, 1, 2)"), {QDate(2026, 4, 3)});
  } else {
    db.Execute(QStringLiteral("insert into gl_accvouch (iperiod, dbill_date, ibook, ccode, md, iflagbank, bdelete) "
                              "values (4, ?, 0, 'T9', 1, 1, 1)"), {QDate(2026, 4, 3)});
  }
  session_.Messages().Clear();
  session_.Messages().Answer(kYes);
  session_.Messages().Answer(kYes);
  w->RestoreClearedItems();
  ASSERT_EQ(session_.Messages().Count(), 2);
  EXPECT_EQ(session_.Messages().Shown()[1].title, Res("00900"));
  EXPECT_TRUE(Prompts()[1].contains(QStringLiteral("T9")));
  EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), 1);  // the unposted line stays cleared
  if (Book()) {
    EXPECT_EQ(db.QueryValue(QStringLiteral("select count(*) from gl_accvouch where ccode='T9' and bdelete=1")).ToInt(), 1);
    EXPECT_EQ(db.QueryValue(QStringLiteral("select count(*) from rp_bankrecp where ccode='T9' and bdelete=1")).ToInt(), 1);
  }
  EXPECT_EQ(LockRows(QStringLiteral("T9")), 0);
}

// Alt+U starts the restore once per key press: a held key's repeats and the
// release start nothing; Alt+Ctrl+U counts as Alt+U.
TEST_P(ClearingTest, AltUStartsTheRestoreOncePerPress) {
  AddBalancedAccount(QStringLiteral("T9"));
  auto w = Window(QStringLiteral("T9"));
  struct Case {
    QEvent::Type type;
    Qt::KeyboardModifiers modifiers;
    bool autoRepeat;
    int boxes;  // message boxes shown (the first answered No)
  };
  const Case cases[] = {{QEvent::KeyPress, Qt::AltModifier, false, 1},
                        {QEvent::KeyPress, Qt::AltModifier, true, 0},
                        {QEvent::KeyRelease, Qt::AltModifier, false, 0},
                        {QEvent::KeyPress, Qt::AltModifier | Qt::ControlModifier, false, 1},
                        {QEvent::KeyPress, Qt::ControlModifier, false, 0},
                        {QEvent::KeyPress, Qt::NoModifier, false, 0}};
  for (const Case& c : cases) {
    session_.Messages().Clear();
    QKeyEvent e(c.type, Qt::Key_U, c.modifiers, QStringLiteral("u"), c.autoRepeat);
    QApplication::sendEvent(w->Combo1(), &e);
    EXPECT_EQ(session_.Messages().Count(), c.boxes) << int(c.modifiers) << c.autoRepeat;
  }
}

// A name with brackets of its own still clears the account it names.
TEST_P(ClearingTest, ANameWithBracketsClearsItsOwnAccount) {
  AddBalancedAccount(QStringLiteral("T7"), QStringLiteral("工行(朝阳)支行"));
  auto w = Window(QStringLiteral("T7"));
  EXPECT_EQ(w->Combo1()->currentText(), QStringLiteral("工行(朝阳)支行(T7)"));
  session_.Messages().Answer(kYes);
  w->Command2_Click();
  EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T7")), 4);
}

INSTANTIATE_TEST_SUITE_P(Modes, ClearingTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::balance::test
