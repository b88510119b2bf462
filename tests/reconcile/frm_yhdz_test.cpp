#include "frm_yhdz_fixture.h"
#include "host/menu_dispatcher.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/services/object_factory.h"
#include "reconcile/frm_yh_un_auto.h"
#include "reconcile/frm_yhdz_auto.h"
#include "reconcile/frm_yhdz.h"
#include "reconcile/tick_mark.h"
#include "shared/frm_yhfilter.h"
#include "shared/frm_yhkmxz.h"
#include "shared/session.h"
#include "suite/services/suite_login_context.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QComboBox>
#include <QDir>
#include <gtest/gtest.h>

namespace corvane::reconcile {
namespace {

using test::FrmYhdzTest;
using shared::Session;

TEST_P(FrmYhdzTest, OpensOnTheChosenAccountAndHoldsItUntilClosed) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(session_.Modals().Shown(), (std::vector<QString>{QStringLiteral("frmYHKMXZ")}));
  const QString account = w->CurYHKM;
  EXPECT_EQ(account, QStringLiteral("100201"));
  EXPECT_FALSE(OtherSessionCanLock(account));
  // Every unticked, posted, uncleared journal line of the year shows, opening rows never.
  const long long journal = Count(QStringLiteral("select count(*) from %1 where ccode=? and ibook=1 and bdelete=0 "
                                                 "and iperiod not in (20, 21) and coalesce(iflagbank,0)=0 %2")
                                      .arg(JournalTable(), BookMode() ? QStringLiteral("and cBookCode='YH001'")
                                                                      : QStringLiteral("and (iflag is null or iflag=2)")),
                                  {account});
  EXPECT_GE(w->MSGrid1()->Rows() - 1, journal);  // period-21 items before the start date come on top
  EXPECT_GT(w->MsGrid2()->Rows() - 1, 0);
  for (int r = 1; r < w->MSGrid1()->Rows(); ++r) ASSERT_EQ(w->MSGrid1()->TextMatrix(r, 6), QString()) << r;
  EXPECT_TRUE(w->Label5()->text().contains(account)) << session_.Messages().LastPrompt().toStdString();
  SaveScreenshot(*w, BookMode() ? QStringLiteral("reconcile-book.png") : QStringLiteral("reconcile-account.png"));

  w->close();
  QApplication::processEvents();
  EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), nullptr);
  EXPECT_TRUE(OtherSessionCanLock(account));
  EXPECT_EQ(Count(QStringLiteral("select count(*) from corvane_claim")), 0);
}

TEST_P(FrmYhdzTest, ASecondCallBringsTheOpenWindowForwardWithoutASecondLock) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  EXPECT_EQ(session_.Modals().Count(), 1);
  EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), w);
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

TEST_P(FrmYhdzTest, TicksAreMarkedAndIncludedOnlyWhenAsked) {
  // One journal line ticked automatically, one by hand.
  session_.Db().Execute(QStringLiteral("update %1 set iflagbank=3 where %2 in (select %2 from %1 where ccode='100201' "
                                       "and iperiod between 1 and 12 and ibook=1 order by %2 limit 1)")
                            .arg(JournalTable(), JournalKey()));
  session_.Db().Execute(QStringLiteral("update %1 set iflagbank=15 where %2 in (select %2 from %1 where ccode='100201' "
                                       "and iperiod between 1 and 12 and ibook=1 and iflagbank is null order by %2 limit 1)")
                            .arg(JournalTable(), JournalKey()));
  frmYHDZ* w = Open(/*includeTicked=*/true);
  ASSERT_NE(w, nullptr);
  int automatic = 0, manual = 0;
  const QColor yellow = Session::Current().gColorLightYellow;
  for (int r = 1; r < w->MSGrid1()->Rows(); ++r) {
    const QString mark = w->MSGrid1()->TextMatrix(r, 6);
    automatic += mark == kAutoMark;
    manual += mark == kManualMark;
    if (!mark.isEmpty()) EXPECT_EQ(w->MSGrid1()->CellBackColor(r, 0), yellow);
  }
  EXPECT_EQ(automatic, 1);
  EXPECT_EQ(manual, 1);
  const int withTicked = w->MSGrid1()->Rows();
  w->close();
  QApplication::processEvents();
  w = Open(false);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->MSGrid1()->Rows(), withTicked - 2);
}

TEST_P(FrmYhdzTest, ManualTickIsStoredThenShownAndUntickStoresNull) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  platform::ListGrid* grid = w->MsGrid2();
  ASSERT_GT(grid->Rows(), 1);
  grid->SetCurrentCell(1, 5);
  const QVariant key = grid->RowData(1);
  w->ToggleStatementTick();
  // The login date 2026-12-15 lies in period 12: a manual tick stores 24.
  EXPECT_EQ(Count(QStringLiteral("select iflag from %1 where i_id=?").arg(StatementTable()), {key.toLongLong()}), 24);
  EXPECT_EQ(grid->TextMatrix(1, 5), kManualMark);
  EXPECT_EQ(grid->CellBackColor(1, 0), Session::Current().gColorLightYellow);
  w->ToggleStatementTick();
  EXPECT_TRUE(session_.Db().QueryValue(QStringLiteral("select iflag from %1 where i_id=?").arg(StatementTable()),
                                       {key.toLongLong()}).IsNull());
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

TEST_P(FrmYhdzTest, ReferenceShowsThePairingLinesOfTheOtherSide) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  platform::ListGrid* journal = w->MSGrid1();
  platform::ListGrid* statement = w->MsGrid2();
  emit journal->GotFocus();
  w->Toolbar()->SetChecked(QStringLiteral("ref"), true);
  int linesWithAPair = 0;
  for (int j = 1; j < std::min(journal->Rows(), 15); ++j) {
    journal->SetCurrentCell(j, 5);
    w->SetRefMode();
    const QString amount = journal->TextMatrix(j, 5);
    const bool debit = journal->TextMatrix(j, 4) == Session::Current().Common().GetDirectionText(1);
    const QString paired = Session::Current().Common().GetDirectionText(PairedDirection(debit, w->BankFx) == 1 ? 1 : 0);
    int shown = 0;
    for (int r = 1; r < statement->Rows(); ++r) {
      const bool matches = statement->TextMatrix(r, 4) == amount && statement->TextMatrix(r, 3) == paired;
      EXPECT_EQ(!statement->IsRowHidden(r), matches) << j << " " << r;
      shown += matches;
    }
    linesWithAPair += shown > 0;
  }
  EXPECT_GE(linesWithAPair, 1);
  // Released: every row shows again.
  w->rRef();
  for (int r = 1; r < statement->Rows(); ++r) EXPECT_FALSE(statement->IsRowHidden(r)) << r;
}

TEST_P(FrmYhdzTest, WhileBusyCommandsAreRefusedAndClosingWaits) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  {
    BusyScope busy(*w);
    w->Toolbar1_ButtonClick(QStringLiteral("filt"));
    w->rFilt();
    EXPECT_EQ(session_.Modals().Count(), 1);  // only the selection dialog ever showed
    w->close();
    QApplication::processEvents();
    EXPECT_NE(Session::Current().windows.Find<frmYHDZ>(), nullptr);
  }
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), nullptr);
}


TEST_P(FrmYhdzTest, ReloadsKeepTheAccountAndRangeTheOpenerChose) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  const int journalRows = w->MSGrid1()->Rows();
  // Another window's selection meanwhile must not move this window.
  platform::ParamObject& param = Session::Current().Common().GetParamObject();
  param.Value1 = QStringLiteral("100202");
  param.Value4 = QStringLiteral("YH002");
  param.Value3 = QStringLiteral("2026.01");
  w->Reload();
  EXPECT_EQ(w->CurYHKM, QStringLiteral("100201"));
  EXPECT_EQ(w->MSGrid1()->Rows(), journalRows);
  w->close();
  QApplication::processEvents();
  EXPECT_TRUE(OtherSessionCanLock(QStringLiteral("100201")));
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
}

// The filter dialog in the reconciliation window's mode, filled as a user would.
testing::ScriptedModals::Step FilterBy(const QString& start, const QString& end, const QString& number, int markKind) {
  return [=](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
    dialog.SetFilterOff(false);
    dialog.Text1()->setText(start);
    dialog.Text2()->setText(end);
    dialog.Text3()->setText(number);
    dialog.Text4()->clear();
    dialog.Option1(0)->setChecked(true);
    dialog.cboType()->setCurrentIndex(markKind);
    dialog.Command1_Click();
  };
}

TEST_P(FrmYhdzTest, FilterByDateRangeAndNumber) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  platform::ListGrid* grid = w->MsGrid2();
  emit grid->GotFocus();
  struct Case { const char* start; const char* end; const char* number; };
  // Dates typed in any of the accepted forms compare as dates, not as text.
  const Case cases[] = {{"2026-2-1", "2026.2.28", ""}, {"2026.03.01", "", ""}, {"", "", ""}};
  for (const Case& c : cases) {
    session_.Modals().Then(FilterBy(QString::fromUtf8(c.start), QString::fromUtf8(c.end), QString::fromUtf8(c.number), 0));
    w->rFilt();
    const QDate start = QDate::fromString(QString::fromUtf8(c.start).replace(QLatin1Char('-'), QLatin1Char('.')), QStringLiteral("yyyy.M.d"));
    const QDate end = QDate::fromString(QString::fromUtf8(c.end), QStringLiteral("yyyy.M.d"));
    int shown = 0;
    for (int r = 1; r < grid->Rows(); ++r) {
      const QDate date = QDate::fromString(grid->TextMatrix(r, 0), QStringLiteral("yyyy.MM.dd"));
      const bool wanted = (!start.isValid() || date >= start) && (!end.isValid() || date <= end);
      EXPECT_EQ(!grid->IsRowHidden(r), wanted) << c.start << ".." << c.end << " row " << r;
      shown += wanted;
    }
    EXPECT_GT(shown, 0) << c.start;
  }
  // The journal grid was not the focused one: untouched.
  for (int r = 1; r < w->MSGrid1()->Rows(); ++r) ASSERT_FALSE(w->MSGrid1()->IsRowHidden(r));
}

TEST_P(FrmYhdzTest, CancellingManualTicksFromAPeriodClearsDatabaseAndMarks) {
  frmYHDZ* w = Open(/*includeTicked=*/true);
  ASSERT_NE(w, nullptr);
  platform::ListGrid* grid = w->MsGrid2();
  ASSERT_GT(grid->Rows(), 3);
  for (int r : {1, 2}) {
    grid->SetCurrentCell(r, 5);
    w->ToggleStatementTick();  // period 12: value 24
  }
  // An automatic tick of period 3 written behind the window's back stays: only manual ticks go.
  const QVariant autoKey = grid->RowData(3);
  session_.Db().Execute(QStringLiteral("update %1 set iflag=3 where i_id=?").arg(StatementTable()), {autoKey.toLongLong()});
  session_.Modals().Then([](QDialog& d) {
    auto* periods = d.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* kinds = d.findChild<QComboBox*>(QStringLiteral("Combo2"));
    periods->setCurrentIndex(11);  // period 12
    kinds->setCurrentIndex(2);     // manual ticks
    dynamic_cast<frmYhUnAuto&>(d).Command1_Click();
  });
  session_.Messages().Answer(6);  // Yes, cancel
  w->Toolbar1_ButtonClick(QStringLiteral("unauto"));
  EXPECT_EQ(Count(QStringLiteral("select count(*) from %1 where iflag>=13").arg(StatementTable())), 0);
  EXPECT_EQ(Count(QStringLiteral("select iflag from %1 where i_id=?").arg(StatementTable()), {autoKey.toLongLong()}), 3);
  EXPECT_EQ(grid->TextMatrix(1, 5), QString());
  EXPECT_EQ(grid->TextMatrix(2, 5), QString());
  EXPECT_TRUE(w->Toolbar()->isEnabled());
}

TEST_P(FrmYhdzTest, TheBalanceCheckShowsItsWindowWithoutMovingTheAccount) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  Session::Current().Common().GetParamObject().Value1 = QStringLiteral("100202");
  session_.Modals().Then([](QDialog& d) { d.accept(); });
  w->rCheck();
  EXPECT_EQ(session_.Modals().Shown().back().toStdString(), "frmYHDZCheck") << session_.Messages().LastPrompt().toStdString();
  EXPECT_EQ(w->CurYHKM, QStringLiteral("100201"));
  EXPECT_TRUE(w->ChkYhJf.isValid());
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
  EXPECT_LT(w->MSGrid1()->Rows(), journalBefore);
  EXPECT_LT(w->MsGrid2()->Rows(), statementBefore);
  const long long journalTicked = Count(QStringLiteral("select count(*) from %1 where ccode='100201' and iflagbank between 1 and 12").arg(JournalTable()));
  const long long statementTicked = Count(QStringLiteral("select count(*) from %1 where ccode='100201' and iflag between 1 and 12").arg(StatementTable()));
  EXPECT_GT(journalTicked, 50);
  EXPECT_GT(statementTicked, 50);
  EXPECT_EQ(journalBefore - w->MSGrid1()->Rows(), journalTicked);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from code where ccode='100201' and dend=?"), {QDate(2026, 12, 31)}), 1);
  EXPECT_EQ(session_.Messages().Count(), 0);
  // Opened again with ticked lines: the automatic ticks show their mark.
  w->close();
  QApplication::processEvents();
  w = Open(/*includeTicked=*/true);
  ASSERT_NE(w, nullptr);
  int marked = 0;
  for (int r = 1; r < w->MSGrid1()->Rows(); ++r) marked += w->MSGrid1()->TextMatrix(r, 6) == kAutoMark;
  EXPECT_EQ(marked, journalTicked);
  SaveScreenshot(*w, BookMode() ? QStringLiteral("reconcile-book-matched.png") : QStringLiteral("reconcile-account-matched.png"));
}

// The account line under the toolbar and the grids' titles never share a line, side
// by side or one above the other, at any width, so a long account name stays readable.
TEST_P(FrmYhdzTest, GridTitlesSitBelowTheAccountLine) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  const QWidget* toolbar = w->findChild<QWidget*>(QStringLiteral("CTBCtrl1"));
  const QWidget* accountLine = w->findChild<QWidget*>(QStringLiteral("Picture4"));
  const QWidget* journalTitle = w->findChild<QWidget*>(QStringLiteral("Picture2"));
  const QWidget* statementTitle = w->findChild<QWidget*>(QStringLiteral("Picture3"));
  ASSERT_TRUE(toolbar && accountLine && journalTitle && statementTitle);
  struct Case { int width; bool vertical; };
  const Case cases[] = {{1000, false}, {700, false}, {1400, false}, {1000, true}, {700, true}};
  bool vertical = false;  // the window opens side by side
  for (const Case& c : cases) {
    if (vertical != c.vertical) w->Command1_Click();
    vertical = c.vertical;
    w->resize(c.width, 640);
    QApplication::processEvents();
    const int lineBottom = accountLine->y() + w->Label5()->sizeHint().height();
    EXPECT_GE(accountLine->y(), toolbar->y() + toolbar->height()) << c.width << c.vertical;
    EXPECT_GE(journalTitle->y(), lineBottom) << c.width << c.vertical;
    EXPECT_GE(statementTitle->y(), lineBottom) << c.width << c.vertical;
    EXPECT_GE(w->MSGrid1()->y(), journalTitle->y() + journalTitle->height()) << c.width << c.vertical;
    EXPECT_GE(w->MsGrid2()->y(), statementTitle->y() + statementTitle->height()) << c.width << c.vertical;
    EXPECT_GT(w->MsGrid2()->height(), 100) << c.width << c.vertical;
  }
  w->close();
  QApplication::processEvents();
}

INSTANTIATE_TEST_SUITE_P(Modes, FrmYhdzTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BookMode" : "AccountMode"; });

}  // namespace
}  // namespace corvane::reconcile
