// The reconciliation window over a whole session on the demo data: opening,
// holding and giving back the account, loading, ticking, filtering, matching.
#include "frm_yhdz_fixture.h"
#include "suite/services/session_owner.h"

#include <sys/wait.h>
#include <unistd.h>

namespace corvane::reconcile {
namespace {

using shared::GetResString;
using shared::Session;
using test::FrmYhdzTest;

TEST_P(FrmYhdzTest, HoldsTheChosenAccountThroughReloadsUntilClosed) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(session_.Modals().Shown(), (std::vector<QString>{QStringLiteral("frmYHKMXZ")}));
  EXPECT_EQ(w->CurYHKM, QStringLiteral("100201"));
  EXPECT_FALSE(OtherSessionCanLock(w->CurYHKM));
  EXPECT_GT(w->MSGrid1()->Rows(), 1);
  EXPECT_GT(w->MsGrid2()->Rows(), 1);
  EXPECT_EQ(ShownMarks(w->MSGrid1(), 6), std::vector<QString>(w->MSGrid1()->Rows() - 1));
  EXPECT_TRUE(w->Label5()->text().contains(Code())) << session_.Messages().LastPrompt().toStdString();
  SaveScreenshot(*w, BookMode() ? QStringLiteral("reconcile-book.png") : QStringLiteral("reconcile-account.png"));
  // A second call brings the open window forward, without a second selection or lock.
  host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  EXPECT_EQ(session_.Modals().Count(), 1);
  EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), w);
  // Another window's selection meanwhile must not move this window's reloads.
  const int journalRows = w->MSGrid1()->Rows();
  platform::ParamObject& param = Session::Current().Common().GetParamObject();
  param.Value1 = QStringLiteral("100202");
  param.Value4 = QStringLiteral("YH002");
  param.Value3 = QStringLiteral("2026.01");
  w->Reload();
  EXPECT_EQ(w->CurYHKM, QStringLiteral("100201"));
  EXPECT_EQ(w->MSGrid1()->Rows(), journalRows);
  Close(w);
  EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), nullptr);
  EXPECT_TRUE(OtherSessionCanLock(QStringLiteral("100201")));
  EXPECT_EQ(Count(QStringLiteral("select count(*) from corvane_claim")), 0);
}

TEST_P(FrmYhdzTest, RefusalsLeaveNothingHeld) {
  // Cancelled selection: no claim, no window.
  session_.Modals().Then([](QDialog& d) { dynamic_cast<shared::frmYHKMXZ&>(d).Command2_Click(); });
  host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), nullptr);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from corvane_claim")), 0);
  // The account held by another session: the claim is given back.
  testing::OtherSession other(session_);
  ASSERT_TRUE(other.Common().LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040703")));
  EXPECT_EQ(Open(), nullptr);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from corvane_claim")), 0);
}

// A program that took the account and ended without giving it back holds it no
// longer, even while its parent has not collected it (a launcher that never waits
// for its children leaves it a zombie for as long as the launcher lives). On
// PostgreSQL a lock belongs to a server process, never to a program's own.
TEST_P(FrmYhdzTest, AnEndedHolderHoldsNothingEvenBeforeItIsCollected) {
  enum class Holder { Running, EndedNotCollected, EndedAndCollected };
  const struct {
    const char* name;
    Holder holder;
  } cases[] = {{"running", Holder::Running},
               {"ended, not collected", Holder::EndedNotCollected},
               {"ended and collected", Holder::EndedAndCollected}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int release[2];
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    if (child == 0) {  // the other program: waits for its end, or ends at once
      char go = 0;
      if (c.holder == Holder::Running && read(release[0], &go, 1) < 0) _exit(1);
      _exit(0);
    }
    ASSERT_GT(child, 0);
    const QString stamp = suite::ProcessStartStamp(child);
    if (c.holder != Holder::Running) {
      // Wait for the end without collecting the child: it stays a zombie.
      siginfo_t info{};
      ASSERT_EQ(waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
      if (c.holder == Holder::EndedAndCollected) ASSERT_EQ(waitpid(child, nullptr, 0), child);
    }
    session_.Db().Execute(QStringLiteral("insert into corvane_lock (code, session_id, function_id, user_id, user_name, "
                                         "owner_pid, owner_start, hold_count, locked_at) values (?, ?, ?, ?, ?, ?, ?, 1, ?)"),
                          {QStringLiteral("100201"), QStringLiteral("ended-host"), QStringLiteral("GL040703"),
                           QStringLiteral("uz"), QStringLiteral("用户uz"), static_cast<long long>(child), stamp,
                           QStringLiteral("2026-12-15T09:00:00")});
    session_.Messages().Clear();
    frmYHDZ* w = Open();
    const bool held = c.holder == Holder::Running && !session_.Database().IsPostgres();
    EXPECT_EQ(w == nullptr, held);
    EXPECT_EQ(session_.Messages().Count(), held ? 1 : 0) << session_.Messages().LastPrompt().toStdString();
    if (w) Close(w);
    session_.Db().Execute(QStringLiteral("delete from corvane_lock where session_id = ?"), {QStringLiteral("ended-host")});
    ASSERT_EQ(write(release[1], "x", 1), 1);
    if (c.holder != Holder::EndedAndCollected) waitpid(child, nullptr, 0);
    for (int fd : release) close(fd);
  }
}

TEST_P(FrmYhdzTest, AFailedLoadIsSaidAndLeavesTheWindowUsable) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  session_.Db().Execute(QStringLiteral("drop table %1").arg(StatementTable()));
  session_.Messages().Clear();
  w->Reload();
  EXPECT_EQ(session_.Messages().Count(), 1);
  EXPECT_EQ(w->MSGrid1()->Rows(), 1);
  EXPECT_EQ(w->MsGrid2()->Rows(), 1);
  EXPECT_TRUE(w->Toolbar()->isEnabled());
  EXPECT_FALSE(w->IsBusy());
  EXPECT_TRUE(w->Label5()->text().contains(Code()));
}

// A statement line dated on no calendar day (an SQLite file written by another
// program) is named by its date; the load shows no line rather than one undated.
TEST_P(FrmYhdzTest, ALineDatedOnNoCalendarDayIsNamedAndNothingShown) {
  if (session_.Database().IsPostgres()) GTEST_SKIP() << "SQLite only: PostgreSQL's date type refuses the text";
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  session_.Database().StoreDateText(StatementTable(), QStringLiteral("ddate"),
                                    QStringLiteral("i_id=(select min(i_id) from %1 where %2=? and ddate>='2026-03-01')")
                                        .arg(StatementTable(), BookMode() ? QStringLiteral("cBookCode") : QStringLiteral("ccode")),
                                    {Code()}, QStringLiteral("2026-03-32"));
  session_.Messages().Clear();
  w->Reload();
  const QString said = session_.Messages().LastPrompt();
  EXPECT_TRUE(said.contains(shared::GetResString(QStringLiteral("corvane.host.unreadable"), QString())) &&
              said.contains(QStringLiteral("\"2026-03-32\""))) << said.toStdString();
  EXPECT_EQ(w->MsGrid2()->Rows(), 1);
}

// A ticked line whose date turns unreadable while the window is open: the check names it, shows no totals.
TEST_P(FrmYhdzTest, TheBalanceCheckNamesALineWhoseDateCannotBeReadAndShowsNoTotals) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  const QString date = session_.Database().IsPostgres() ? QStringLiteral("-infinity") : QStringLiteral("2026-01-32");
  const struct { QString table, id, tick, date, lines; } sides[] = {
      {StatementTable(), QStringLiteral("i_id"), QStringLiteral("iflag"), QStringLiteral("ddate"), QStringLiteral("ibegin<>0")},
      {JournalTable(), JournalKey(), QStringLiteral("iflagbank"), BookMode() ? QStringLiteral("billdate") : QStringLiteral("dbill_date"),
       BookMode() ? QStringLiteral("iperiod between 1 and 12") : QStringLiteral("iperiod between 1 and 12 and iflag is null")},
  };
  for (const auto& s : sides) {
    const platform::DbValue line = session_.Db().QueryValue(
        QStringLiteral("select min(%1) from %2 where %3=? and bdelete=0 and %4")
            .arg(s.id, s.table, BookMode() ? QStringLiteral("cBookCode") : QStringLiteral("ccode"), s.lines), {Code()});
    session_.Db().Execute(QStringLiteral("update %1 set %2=3 where %3=?").arg(s.table, s.tick, s.id), {line});
    session_.Database().StoreDateText(s.table, s.date, s.id + QStringLiteral("=?"), {line}, date);
    w->Toolbar()->Click(QStringLiteral("check"));
    EXPECT_EQ(session_.Modals().Count(), 1) << s.table.toStdString();  // the selection only
    EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("corvane.host.unreadable"),
        shared::GetResString(QStringLiteral("corvane.host.unreadable.date"), s.date, date) +
            NamedLine(s.table == StatementTable(), line))) << s.table.toStdString();
  }
}

// A journal line dated outside every range the window loads (its partner would
// show ticked alone) is named by its line whatever its date; nothing is shown.
TEST_P(FrmYhdzTest, ALineWhoseDateCannotBeReadIsNamedWhateverItsDate) {
  const QString date = session_.Database().IsPostgres() ? QStringLiteral("infinity") : QStringLiteral("2026-13-05");
  const QString column = BookMode() ? QStringLiteral("billdate") : QStringLiteral("dbill_date");
  const platform::DbValue line = session_.Db().QueryValue(QStringLiteral("select min(%1) from %2 where %3=? and iperiod "
      "between 1 and 12").arg(JournalKey(), JournalTable(), BookMode() ? QStringLiteral("cBookCode") : QStringLiteral("ccode")), {Code()});
  session_.Database().StoreDateText(JournalTable(), column, JournalKey() + QStringLiteral("=?"), {line}, date);
  frmYHDZ* w = Open(true);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(session_.Messages().LastPrompt(), GetResString(QStringLiteral("corvane.recon.loadfailed"),
      GetResString(QStringLiteral("corvane.host.unreadable"),
                   GetResString(QStringLiteral("corvane.host.unreadable.date"), column, date) + NamedLine(false, line))));
  EXPECT_EQ(w->MSGrid1()->Rows() + w->MsGrid2()->Rows(), 2);
}

// Lines dated before the first period chosen stay out of both grids.
TEST_P(FrmYhdzTest, OpensOnTheChosenPeriodsOnly) {
  session_.Modals().Then(test::Choose(Code(), true, 3));
  host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  frmYHDZ* w = Session::Current().windows.Find<frmYHDZ>();
  ASSERT_NE(w, nullptr);
  for (platform::ListGrid* grid : {w->MSGrid1(), w->MsGrid2()}) {
    ASSERT_GT(grid->Rows(), 1);
    for (int r = 1; r < grid->Rows(); ++r) EXPECT_GE(grid->TextMatrix(r, 0), QStringLiteral("2026.03.01")) << r;
  }
}

TEST_P(FrmYhdzTest, TicksAreMarkedAndIncludedOnlyWhenAsked) {
  // One journal line ticked automatically, one by hand.
  const QString tick = QStringLiteral("update %1 set iflagbank=? where %2 in (select %2 from %1 where ccode='100201' "
                                      "and iperiod between 1 and 12 and ibook=1 and iflagbank is null order by %2 limit 1)");
  for (int value : {3, 15}) session_.Db().Execute(tick.arg(JournalTable(), JournalKey()), {value});
  frmYHDZ* w = Open(/*includeTicked=*/true);
  ASSERT_NE(w, nullptr);
  std::vector<QString> marks;
  for (int r = 1; r < w->MSGrid1()->Rows(); ++r) {
    if (w->MSGrid1()->TextMatrix(r, 6).isEmpty()) continue;
    marks.push_back(w->MSGrid1()->TextMatrix(r, 6));
    EXPECT_EQ(w->MSGrid1()->CellBackColor(r, 0), Session::Current().gColorLightYellow);
  }
  std::sort(marks.begin(), marks.end());
  EXPECT_EQ(marks, (std::vector<QString>{kManualMark, kAutoMark}));
  const int withTicked = w->MSGrid1()->Rows();
  Close(w);
  w = Open(false);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->MSGrid1()->Rows(), withTicked - 2);
}

TEST_P(FrmYhdzTest, ManualTickIsStoredThenShownAndUntickStoresNull) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  platform::ListGrid* grid = w->MsGrid2();
  grid->SetCurrentCell(1, 5);
  const long long key = grid->RowData(1).toLongLong();
  const QString stored = QStringLiteral("select iflag from %1 where i_id=?").arg(StatementTable());
  w->ToggleStatementTick();
  // The login date 2026-12-15 lies in period 12: a manual tick stores 24.
  EXPECT_EQ(Count(stored, {key}), 24);
  EXPECT_EQ(grid->TextMatrix(1, 5), kManualMark);
  EXPECT_EQ(grid->CellBackColor(1, 0), Session::Current().gColorLightYellow);
  w->ToggleStatementTick();
  EXPECT_TRUE(session_.Db().QueryValue(stored, {key}).IsNull());
  EXPECT_EQ(grid->TextMatrix(1, 5), QString());
  // A journal line removed meanwhile: said, nothing changes on screen.
  platform::ListGrid* journal = w->MSGrid1();
  journal->SetCurrentCell(1, 6);
  const QVariant journalKey = journal->RowData(1);
  session_.Db().Execute(QStringLiteral("delete from %1 where %2=?").arg(JournalTable(), JournalKey()),
                        {BookMode() ? platform::DbValue(journalKey.toString()) : platform::DbValue(journalKey.toLongLong())});
  session_.Messages().Clear();
  w->ToggleJournalTick();
  ASSERT_EQ(session_.Messages().Count(), 1);
  EXPECT_TRUE(session_.Messages().LastPrompt().contains(journalKey.toString()));
  EXPECT_EQ(journal->TextMatrix(1, 6), QString());
}

// Dates typed in any of the accepted forms filter the focused grid as dates.
TEST_P(FrmYhdzTest, FilterByDateRangeOnTheFocusedGridOnly) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  platform::ListGrid* grid = w->MsGrid2();
  emit grid->GotFocus();
  session_.Modals().Then(test::FilterKind(0, false, QStringLiteral("2026-2-1"), QStringLiteral("2026.2.28")));
  w->rFilt();
  int shown = 0;
  for (int r = 1; r < grid->Rows(); ++r) {
    const bool february = grid->TextMatrix(r, 0).startsWith(QLatin1String("2026.02."));
    EXPECT_EQ(!grid->IsRowHidden(r), february) << grid->TextMatrix(r, 0).toStdString();
    shown += february;
  }
  EXPECT_GT(shown, 0);
  EXPECT_EQ(ShownMarks(w->MSGrid1(), 6).size(), static_cast<size_t>(w->MSGrid1()->Rows() - 1));
}

TEST_P(FrmYhdzTest, AutomaticMatchingTicksBothSidesAndReloads) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  const int journalBefore = w->MSGrid1()->Rows();
  const int statementBefore = w->MsGrid2()->Rows();
  session_.Modals().Then([](QDialog& d) {
    d.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("2026.12.31"));
    d.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("12"));
    d.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
    d.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(false);
    d.findChild<QCheckBox*>(QStringLiteral("Check3"))->setChecked(true);
    dynamic_cast<frmYHDZAuto&>(d).Command1_Click();
  });
  w->Toolbar1_ButtonClick(QStringLiteral("auto"));
  // Ticked lines leave a window that shows unticked lines only.
  const QString ticked = QStringLiteral("select count(*) from %1 where ccode='100201' and %2 between 1 and 12");
  const long long journalTicked = Count(ticked.arg(JournalTable(), QStringLiteral("iflagbank")));
  EXPECT_GT(journalTicked, 50);
  EXPECT_EQ(journalBefore - w->MSGrid1()->Rows(), journalTicked);
  EXPECT_EQ(statementBefore - w->MsGrid2()->Rows(), Count(ticked.arg(StatementTable(), QStringLiteral("iflag"))));
  EXPECT_EQ(Count(QStringLiteral("select count(*) from code where ccode='100201' and dend=?"), {QDate(2026, 12, 31)}), 1);
  EXPECT_EQ(session_.Messages().Count(), 0);
  // Opened again with ticked lines: the automatic ticks show their mark.
  Close(w);
  w = Open(/*includeTicked=*/true);
  ASSERT_NE(w, nullptr);
  const std::vector<QString> marks = ShownMarks(w->MSGrid1(), 6);
  EXPECT_EQ(std::count(marks.begin(), marks.end(), kAutoMark), journalTicked);
  SaveScreenshot(*w, BookMode() ? QStringLiteral("reconcile-book-matched.png") : QStringLiteral("reconcile-account-matched.png"));
}

// A foreign-currency account (in book mode a foreign-currency book, whose
// account's own currency is not asked) shows its journal in that currency: the
// foreign amounts, and no line without one.
TEST_P(FrmYhdzTest, AForeignCurrencyAccountShowsItsForeignAmounts) {
  const QString table = JournalTable(), key = JournalKey();
  const QString anyLine = QStringLiteral("select min(%1) from %2 where ccode='100203' and iperiod between 1 and 12 "
                                         "and ibook=1 and bdelete=0%3")
                              .arg(key, table, BookMode() ? QStringLiteral(" and cBookCode='YH003'") : QString());
  const platform::DbValue noForeign = session_.Db().QueryValue(anyLine);
  session_.Db().Execute(QStringLiteral("update %1 set md_f=0, mc_f=0 where %2=?").arg(table, key), {noForeign});
  session_.Modals().Then(test::Choose(BookMode() ? QStringLiteral("YH003") : QStringLiteral("100203"), true));
  host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  frmYHDZ* w = Session::Current().windows.Find<frmYHDZ>();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->IsForeign());
  platform::ListGrid* journal = w->MSGrid1();
  ASSERT_GT(journal->Rows(), 1);
  for (int r = 1; r < journal->Rows(); ++r) {
    const QVariant rowKey = journal->RowData(r);
    ASSERT_TRUE(rowKey.isValid()) << r;
    EXPECT_NE(rowKey.toString(), noForeign.ToString());
    const platform::DbValue dbKey = rowKey.typeId() == QMetaType::QString ? platform::DbValue(rowKey.toString())
                                                                           : platform::DbValue(rowKey.toLongLong());
    const platform::ResultSet line =
        session_.Db().Query(QStringLiteral("select md_f, mc_f from %1 where %2=?").arg(table, key), {dbKey});
    ASSERT_EQ(line.rows.size(), 1u);
    const platform::Money debit = line.rows[0][0].ToMoney(), credit = line.rows[0][1].ToMoney();
    EXPECT_EQ(journal->TextMatrix(r, 5), (debit.IsZero() ? credit : debit).ToDisplayText()) << r;
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, FrmYhdzTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BookMode" : "AccountMode"; });

}  // namespace
}  // namespace corvane::reconcile
