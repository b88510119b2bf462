#include "balance/balance_calculator.h"
#include "balance/clearing.h"
#include "balance/frm_yhzhx.h"
#include "balance_ledger.h"
#include "host/menu_dispatcher.h"
#include "platform/db/transaction_guard.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "reconcile/auto_match_run.h"
#include "reconcile/cancel_ticks.h"
#include "reconcile/match_writer.h"
#include "support/other_writer.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <tuple>

namespace corvane::balance::test {
namespace {

using shared::GetResString;

constexpr int kYes = 6;
constexpr int kNo = 7;

QString Res(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QString::fromLatin1(number)); }
QString Said(const char* n, const char* bookKey) {  // in book mode the book's text
  return shared::Session::Current().BookMode() ? GetResString(QStringLiteral("corvane.balance.book.") + QLatin1String(bookKey)) : Res(n);
}

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

  // A balanced account T9 with an open pair of 7.00 (journal and statement debits,
  // April 20 and 21); gives back the pair's journal and statement keys.
  std::pair<platform::DbValue, platform::DbValue> AddOpenPair() {
    AddBalancedAccount(QStringLiteral("T9"));
    ledger_.Journal(QStringLiteral("T9"), QDate(2026, 4, 20), 4, M("7"), M("0"), false, false);
    ledger_.Bank(QStringLiteral("T9"), QDate(2026, 4, 21), 1, M("7"), false, false);
    const QString journal = QStringLiteral("select %1 from %2 where md=?")
                                .arg(Book() ? QStringLiteral("cFlowID") : QStringLiteral("i_id"), ledger_.JournalTable());
    const QString statement = QStringLiteral("select i_id from %1 where mmoney=?").arg(ledger_.StatementTable());
    return {session_.Db().QueryValue(journal, {M("7")}), session_.Db().QueryValue(statement, {M("7")})};
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

  // The figures the statement shows: all but the carried sums, into which
  // clearing moves the cleared lines.
  QString Statement(const QString& code) {
    BalanceFigures f = Figures(code);
    f.bankCarried = f.journalCarried = platform::Money();
    return FiguresText(f);
  }

  // Lock rows of the account (in book mode the book's account).
  long long LockRows(const QString& code) {
    const QString account = Book() ? QStringLiteral("A") + code : code;
    return session_.Db().QueryValue(QStringLiteral("select count(*) from corvane_lock where code=?"), {account}).ToInt();
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

// Clearing a balanced account marks every ticked line, those after the end date
// too, and leaves every figure of its statement as it was. A refusal or a
// declined question writes nothing. Either way the lock is given back. The name's
// own brackets do not hide the code.
TEST_P(ClearingTest, ClearsOnlyABalancedAccountOnceConfirmed) {
  AddBalancedAccount(QStringLiteral("T7"), QStringLiteral("工行(朝阳)支行"));
  AddBalancedAccount(QStringLiteral("T8"));
  ledger_.Bank(QStringLiteral("T8"), QDate(2026, 4, 9), 1, M("0.01"), true, false);  // one cent apart
  const struct {
    const char* name;
    QString code;
    int answer;  // to the question, 0: none asked
    QStringList prompts;
    long long cleared;
  } cases[] = {
      {"unbalanced", QStringLiteral("T8"), 0, {Said("00905", "unbalanced")}, 0},
      {"declined", QStringLiteral("T7"), kNo, {Said("00901", "clear")}, 0},
      {"confirmed", QStringLiteral("T7"), kYes, {Said("00901", "clear"), Res("00903")}, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString before = Statement(c.code);
    auto w = Window(c.code);
    if (c.answer) session_.Messages().Answer(c.answer);
    w->Command2_Click();
    EXPECT_EQ(Prompts(), c.prompts);
    if (c.answer) {
      EXPECT_EQ(session_.Messages().Shown()[0].buttons, 260);
    }
    EXPECT_EQ(ledger_.ClearedCount(c.code), c.cleared);
    EXPECT_EQ(Statement(c.code), before);
    EXPECT_EQ(LockRows(c.code), 0);
  }
  EXPECT_EQ(Window(QStringLiteral("T7"))->Combo1()->currentText(), QStringLiteral("工行(朝阳)支行(T7)"));
}

// A ticked line whose date cannot be read (another program's) leaves no figure to
// trust: clearing names it in the session's language and clears nothing.
TEST_P(ClearingTest, ALineWhoseDateCannotBeReadIsNamedAndNothingCleared) {
  AddBalancedAccount(QStringLiteral("T7"));
  const QString date = session_.Database().IsPostgres() ? QStringLiteral("infinity") : QStringLiteral("2026-05-32");
  const QString line = ledger_.NamedStatementLine(QStringLiteral("T7"), QDate(2026, 5, 2));
  session_.Database().StoreDateText(ledger_.StatementTable(), QStringLiteral("ddate"),
                                    ledger_.Key() + QStringLiteral("=? and ddate=?"),
                                    {QStringLiteral("T7"), QDate(2026, 5, 2)}, date);
  session_.Messages().Clear();
  session_.Messages().Answer(kYes);
  session_.Modals().Then([](QDialog& d) {
    auto& w = dynamic_cast<frmYHZHX&>(d);
    w.Combo1()->setCurrentIndex(w.Combo1()->findData(QStringLiteral("T7")));
    w.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    w.reject();
  });
  host::ExecuteMenu(QStringLiteral("RP0308"), {}, {}, {});
  const QString named = GetResString(QStringLiteral("corvane.host.unreadable.date"), QStringLiteral("ddate"), date) + line;
  EXPECT_EQ(Prompts(), QStringList{GetResString(QStringLiteral("corvane.balance.clearfailed"),
                                                GetResString(QStringLiteral("corvane.host.unreadable"), named))});
  EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T7")), 0);
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

// The restore turns back the cleared ticked lines of this account, posted or not
// (in book mode the book's posted lines, the inverse of its clearing), never
// another table's rows.
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
  EXPECT_TRUE(Prompts()[1].startsWith(Said("00897", "restore") + "\r\n\r\n" + Said("00898", "restorecode") + "T9"));
  EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), Book() ? 1 : 0);  // the book's unposted line stays cleared
  if (Book()) {
    EXPECT_EQ(db.QueryValue(QStringLiteral("select count(*) from gl_accvouch where ccode='T9' and bdelete=1")).ToInt(), 1);
    EXPECT_EQ(db.QueryValue(QStringLiteral("select count(*) from rp_bankrecp where ccode='T9' and bdelete=1")).ToInt(), 1);
  }
  EXPECT_EQ(LockRows(QStringLiteral("T9")), 0);
}

// Another session's matching pass of the open pair of 7.00 (journal debit,
// statement debit, April 20 and 21) on its own connection.
void TickOpenPair(platform::DbConnection& via, const platform::DbValue& journal, const platform::DbValue& statement,
                  bool book) {
  reconcile::MatchRequest r;
  r.code = book ? QStringLiteral("AT9") : QStringLiteral("T9");
  r.bookCode = QStringLiteral("T9");
  r.bookMode = book;
  reconcile::MatchCandidates lines;
  lines.journal.resize(1);
  lines.statement.resize(1);
  lines.journal[0].key = journal;
  lines.journal[0].date = QDate(2026, 4, 20);
  lines.statement[0].key = statement;
  lines.statement[0].date = QDate(2026, 4, 21);
  lines.journal[0].debit = lines.statement[0].debit = M("7");
  lines.statement[0].debitSide = true;
  reconcile::WriteTicks(via, r, lines, reconcile::PassTicks{{4}, {4}, 1});
}

// Clearing holds the account the reconciliation windows lock (in book mode the
// book's account) from before its balance test to its writes, and reads the
// account again before writing: a pair ticked by another session while the
// question is open stops it, with a message, and nothing is cleared.
TEST_P(ClearingTest, APairTickedWhileTheQuestionIsOpenStopsTheClearing) {
  platform::DbValue journal, statement;
  std::tie(journal, statement) = AddOpenPair();
  const QString account = Book() ? QStringLiteral("AT9") : QStringLiteral("T9");
  struct Case {
    const char* name;
    bool tickMeanwhile;
    QString prompt;
    long long cleared;
  };
  const Case cases[] = {
      {"a pair ticked meanwhile", true, GetResString(QStringLiteral("corvane.balance.changedmeanwhile")), 0},
      {"nothing meanwhile", false, Res("00903"), 6},
  };
  auto w = Window(QStringLiteral("T9"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool held = false;
    session_.Messages().Answer(kYes, [&] {
      held = !session_.OtherSessionCanLock(account, QStringLiteral("GL040703"));
      if (c.tickMeanwhile) {
        std::unique_ptr<platform::DbConnection> other = session_.Database().OpenAnother();
        TickOpenPair(*other, journal, statement, Book());
      }
    });
    w->Command2_Click();
    EXPECT_TRUE(held);
    EXPECT_EQ(session_.Messages().LastPrompt(), c.prompt);
    EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), c.cleared);
    EXPECT_EQ(LockRows(QStringLiteral("T9")), 0);
  }
}

// Another session's matching pass that comes between the two UPDATEs waits for
// the clearing to end: its pair is then ticked and live on both sides, never
// cleared on one side only.
TEST_P(ClearingTest, APairTickedBetweenTheTwoUpdatesStaysWhole) {
  platform::DbValue journal, statement;
  std::tie(journal, statement) = AddOpenPair();
  std::unique_ptr<testing::OtherWriter> other;
  const Clearing::Changed changed = Clearing::ClearReconciled(QStringLiteral("T9"), Figures(QStringLiteral("T9")), [&] {
    other = std::make_unique<testing::OtherWriter>(session_.Database(), [&](platform::DbConnection& via) {
      TickOpenPair(via, journal, statement, Book());
    });
  });
  EXPECT_FALSE(changed.changedMeanwhile);
  EXPECT_EQ(other->Finish(), QString());
  EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), 4);
  const QString journalKey = Book() ? QStringLiteral("cFlowID") : QStringLiteral("i_id");
  for (const auto& [table, key, line, tick] :
       {std::tuple{ledger_.JournalTable(), journalKey, journal, QStringLiteral("iflagbank")},
        std::tuple{ledger_.StatementTable(), QStringLiteral("i_id"), statement, QStringLiteral("iflag")}}) {
    const platform::ResultSet r =
        session_.Db().Query(QStringLiteral("select %1, bdelete from %2 where %3=?").arg(tick, table, key), {line});
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][0].ToInt(), 4) << table.toStdString();
    EXPECT_EQ(r.rows[0][1].ToInt(), 0) << table.toStdString();
  }
}

// Tick groups (lines of one tick value, cleared or live) of the account whose two
// sides do not sum to the same amount, counted in one statement: one snapshot.
long long OneSidedGroups(platform::DbConnection& db, const BalanceLedger& ledger, bool book) {
  const QString key = book ? QStringLiteral("cBookCode") : QStringLiteral("ccode");
  return db.QueryValue(
               QStringLiteral("select count(*) from (select 1 from ("
                              "select bdelete, iflagbank as t, coalesce(md,0)-coalesce(mc,0) as a from %1 "
                              "where %3=? and iflagbank<>0 and iperiod<>20 union all "
                              "select bdelete, iflag as t, case when bd_c<>0 then -mmoney else mmoney end as a from %2 "
                              "where %3=? and iflag<>0 and ibegin<>0) x group by bdelete, t having sum(a)<>0) g")
                   .arg(ledger.JournalTable(), ledger.StatementTable(), key),
               {QStringLiteral("T9"), QStringLiteral("T9")})
      .ToInt();
}

// Four sessions write one account at once, each on its own connection: matching,
// cancel, clearing and restore. After each of its steps each one checks in one
// snapshot that no tick group is one-sided. No step fails, waits out the
// database's limit or deadlocks; a step that finds the account changed writes
// nothing.
TEST_P(ClearingTest, FourWritersAtOnceNeverLeaveATickGroupOneSided) {
  constexpr int kSteps = 12;
  ledger_.AddAccount(TestAccount{});
  ledger_.BankOpening(QStringLiteral("T9"), M("500"));
  ledger_.JournalOpening(QStringLiteral("T9"), M("500"));
  for (int i = 1; i <= 6; ++i) {
    const platform::Money amount = platform::Money::FromCents(100 * i);
    ledger_.Journal(QStringLiteral("T9"), QDate(2026, 4, i), 4, amount, platform::Money(), false, false);
    ledger_.Bank(QStringLiteral("T9"), QDate(2026, 4, i + 1), 1, amount, false, false);
  }
  const QString account = Book() ? QStringLiteral("AT9") : QStringLiteral("T9");
  std::mutex mutex;
  QStringList failures;
  auto note = [&](const QString& failure) {
    std::lock_guard<std::mutex> hold(mutex);
    failures << failure;
  };
  auto afterStep = [&](platform::DbConnection& db) {
    if (OneSidedGroups(db, ledger_, Book()) > 0) note(QStringLiteral("a one-sided tick group"));
  };
  auto writer = [&](std::function<void(platform::DbConnection&)> step) {
    return std::thread([&, step] {
      try {
        std::unique_ptr<platform::DbConnection> db = session_.Database().OpenAnother();
        for (int i = 0; i < kSteps; ++i) {
          step(*db);
          afterStep(*db);
        }
      } catch (const std::exception& e) {
        note(QString::fromUtf8(e.what()));
      }
    });
  };
  reconcile::MatchRequest match;
  match.code = account;
  match.bookCode = QStringLiteral("T9");
  match.bookMode = Book();
  match.options.bankFx = true;  // a debit account: debits face debits
  reconcile::ReconLoadRequest loaded;
  loaded.code = account;
  loaded.bookCode = QStringLiteral("T9");
  loaded.bookMode = Book();
  const Clearing::Scope scope{QStringLiteral("T9"), account, Book()};
  std::vector<std::thread> writers;
  writers.push_back(writer([&](platform::DbConnection& db) {
    const reconcile::MatchRunResult r = reconcile::RunAutoMatching(db, match, [](const QDate& d) { return d.month(); });
    if (!r.Ok() && !r.changedMeanwhile) note(QStringLiteral("matching: ") + r.error);
  }));
  writers.push_back(writer([&](platform::DbConnection& db) {
    const reconcile::CancelResult r = reconcile::CancelTicks(db, loaded, 1, reconcile::CancelScope::Both);
    if (!r.ok && !r.changedMeanwhile) note(QStringLiteral("cancel: ") + r.error);
  }));
  writers.push_back(writer([&](platform::DbConnection& db) { Clearing::Restore(db, scope); }));
  try {
    for (int i = 0; i < kSteps; ++i) {
      Clearing::ClearReconciled(QStringLiteral("T9"), Figures(QStringLiteral("T9")));
      afterStep(session_.Db());
    }
  } catch (const std::exception& e) {
    note(QStringLiteral("clearing: ") + QString::fromUtf8(e.what()));
  }
  for (std::thread& t : writers) t.join();
  EXPECT_EQ(failures, QStringList());
  EXPECT_EQ(OneSidedGroups(session_.Db(), ledger_, Book()), 0);
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

// A clearing whose write waits out the engine's limit behind another session's
// write of the account says that the account is busy (not the database's words)
// and clears nothing.
TEST_P(ClearingTest, AWriteWaitedOutIsSaidAsBusy) {
  AddBalancedAccount(QStringLiteral("T9"));
  auto w = Window(QStringLiteral("T9"));
  std::unique_ptr<platform::DbConnection> other;
  std::unique_ptr<platform::AccountWriteTransaction> writing;
  session_.Messages().Answer(kYes, [&] {
    other = session_.Database().OpenAnother();
    writing = std::make_unique<platform::AccountWriteTransaction>(*other, Book() ? QStringLiteral("AT9")
                                                                                 : QStringLiteral("T9"));
  });
  w->Command2_Click();
  writing.reset();
  ASSERT_EQ(Prompts(), QStringList({Said("00901", "clear"), GetResString(QStringLiteral("corvane.recon.locktimeout"))}));
  EXPECT_EQ(session_.Messages().Shown()[1].buttons, 16);
  EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), 0);
}

// While another session holds the account (in book mode the book's account),
// clearing and its restore are refused with the lock's message before any
// question, write nothing, and leave the other session's lock as it was.
TEST_P(ClearingTest, ARefusedLockWritesNothing) {
  AddBalancedAccount(QStringLiteral("T9"));
  const QString account = Book() ? QStringLiteral("AT9") : QStringLiteral("T9");
  auto w = Window(QStringLiteral("T9"));
  struct Case {
    const char* name;
    bool clearedBefore;  // the account's ticked lines cleared before the other session locks it
    std::function<void()> run;
    long long cleared;
  };
  const Case cases[] = {
      {"clearing", false, [&] { w->Command2_Click(); }, 0},
      {"restore", true,
       [&] {
         session_.Messages().Answer(kYes);
         session_.Messages().Answer(kYes);
         w->RestoreClearedItems();
       },
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.clearedBefore) {
      session_.Messages().Answer(kYes);
      w->Command2_Click();
      ASSERT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), 4);
    }
    testing::OtherSession other(session_);
    ASSERT_TRUE(other.Common().LockAccount(account, true, Clearing::LockFunctionId()));
    session_.Messages().Clear();
    c.run();
    const QStringList prompts = Prompts();
    ASSERT_FALSE(prompts.isEmpty());
    EXPECT_FALSE(prompts.contains(Res("00901")));
    EXPECT_FALSE(prompts.contains(Res("00903")));
    EXPECT_TRUE(prompts.last().contains(QStringLiteral("T9"))) << prompts.last().toStdString();
    EXPECT_EQ(ledger_.ClearedCount(QStringLiteral("T9")), c.cleared);
    EXPECT_EQ(LockRows(QStringLiteral("T9")), 1);  // the other session's, still held
    other.Common().LockAccount(account, false, Clearing::LockFunctionId());
  }
}

// Clearing writes only while the account's figures are the ones the user
// confirmed: a change of any one figure, and of the balance test, counts.
TEST(ClearingFiguresTest, AnyOneFigureChangedIsAnotherStatement) {
  BalanceFigures confirmed{M("1"), M("2"), M("3"), M("4"), M("5"), M("6"), M("7"), M("8"), M("9"), M("9"), true};
  EXPECT_TRUE(SameFigures(confirmed, confirmed));
  platform::Money BalanceFigures::*const figures[] = {
      &BalanceFigures::bankCarried,           &BalanceFigures::journalCarried,
      &BalanceFigures::bankBalance,           &BalanceFigures::journalBalance,
      &BalanceFigures::journalUnmatchedDebit, &BalanceFigures::journalUnmatchedCredit,
      &BalanceFigures::bankUnmatchedDebit,    &BalanceFigures::bankUnmatchedCredit,
      &BalanceFigures::adjustedJournalBalance, &BalanceFigures::adjustedBankBalance};
  for (size_t i = 0; i < std::size(figures); ++i) {
    BalanceFigures now = confirmed;
    now.*figures[i] += M("0.0001");
    EXPECT_FALSE(SameFigures(now, confirmed)) << "figure " << i;
  }
  BalanceFigures unbalanced = confirmed;
  unbalanced.balanced = false;
  EXPECT_FALSE(SameFigures(unbalanced, confirmed));
}

// F1 opens clearing's help page wherever the focus is in the window.
TEST_P(ClearingTest, F1OpensItsHelpPage) {
  AddBalancedAccount(QStringLiteral("T9"));
  auto w = Window(QStringLiteral("T9"));
  QStringList pages;
  shared::SetHelpPageOpener([&pages](const QString& page) { pages << page; });
  const QList<QWidget*> targets{w->Combo1(), w->findChild<QPushButton*>(QStringLiteral("Command2")), w.get()};
  for (QWidget* target : targets) QTest::keyClick(target, Qt::Key_F1);
  shared::SetHelpPageOpener({});
  EXPECT_EQ(pages, QStringList({"RP0308", "RP0308", "RP0308"}));
  EXPECT_EQ(session_.Messages().Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, ClearingTest, ::testing::Bool(), ModeName);

}  // namespace
}  // namespace corvane::balance::test
