#include "host/menu_dispatcher.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "query/frm_yhcqwd.h"
#include "query/frm_yhcqwdtj.h"
#include "query/frm_yhdzcx.h"
#include "query_ledger.h"
#include "reconcile/frm_yhdz.h"
#include "shared/frm_message.h"
#include "shared/frm_yhfilter.h"
#include "shared/frm_yhkmxz.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "support/scripted_print.h"
#include "suite/services/suite_settings.h"
#include "support/suite_session.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QToolBar>
#include <gtest/gtest.h>

namespace corvane::query {
namespace {

using shared::Session;

// The selection dialog answered with an account (book mode: a book) and a show option.
testing::ScriptedModals::Step Choose(const QString& code, int showMode) {
  return [code, showMode](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    QComboBox* list = Session::Current().BookMode() ? dialog.cmbBook() : dialog.Combo1();
    for (int i = 0; i < list->count(); ++i)
      if (list->itemData(i).toString().compare(code, Qt::CaseInsensitive) == 0) list->setCurrentIndex(i);
    dialog.Option1(showMode)->setChecked(true);
    dialog.Command1_Click();
  };
}

// The audit conditions typed and confirmed.
testing::ScriptedModals::Step Conditions(const QString& date, const QString& days) {
  return [date, days](QDialog& d) {
    auto& dialog = dynamic_cast<frmYHCQWDTJ&>(d);
    dialog.Text1()->setText(date);
    dialog.Text2()->setText(days);
    dialog.Command1_Click();
  };
}

// The condition entry dialog with a settlement number and a direction.
testing::ScriptedModals::Step FilterBy(const QString& number, int direction = 0) {
  return [number, direction](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
    dialog.Text3()->setText(number);
    dialog.Option1(direction)->setChecked(true);
    dialog.Command1_Click();
  };
}

class QueryWindowTest : public ::testing::TestWithParam<bool> {
 protected:
  bool BookMode() const { return GetParam(); }
  QString Code() const { return BookMode() ? QStringLiteral("YH001") : QStringLiteral("100201"); }
  QString SecondCode() const { return BookMode() ? QStringLiteral("YH002") : QStringLiteral("100202"); }

  frmYHDZCX* OpenQuery(const QString& code, int showMode = 0) {
    session_.Modals().Then(Choose(code, showMode));
    host::ExecuteMenu(QStringLiteral("RP0307"), {}, {}, {});
    return Session::Current().windows.Find<frmYHDZCX>();
  }
  frmYHCQWD* OpenAudit(const QString& date, const QString& days) {
    session_.Modals().Then(Conditions(date, days));
    host::ExecuteMenu(QStringLiteral("RP0309"), {}, {}, {});
    return Session::Current().windows.Find<frmYHCQWD>();
  }
  long long Claims() { return session_.Db().QueryValue(QStringLiteral("select count(*) from corvane_claim")).ToInt(); }
  // The other session's refusal box is its own, not one of this session's.
  bool OtherSessionCanLock(const QString& code) {
    testing::ScriptedMessages quiet;
    return session_.OtherSessionCanLock(code, QStringLiteral("GL040703"));
  }
  void Close(QWidget* w) {
    w->close();
    QApplication::processEvents();
  }
  void SaveScreenshot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("CORVANE_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    w.resize(1100, 640);
    QApplication::processEvents();
    w.grab().save(QDir(dir).filePath(name));
  }

  testing::SuiteSession session_{GetParam()};
};

TEST_P(QueryWindowTest, OpensOnTheChosenEntryAndGivesBackWhatItTook) {
  frmYHDZCX* w = OpenQuery(SecondCode());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->LoadedCode(), SecondCode());
  EXPECT_EQ(w->Combo1()->currentData().toString(), SecondCode());
  EXPECT_EQ(w->HeldFunction(), BookMode() ? QStringLiteral("RP0307") : QStringLiteral("GL040705"));
  EXPECT_EQ(Claims(), 1);
  // Only book mode locks, the book's account.
  EXPECT_EQ(OtherSessionCanLock(QStringLiteral("100202")), !BookMode());
  EXPECT_GT(w->MSGrid1()->Rows(), 2);
  EXPECT_GT(w->MSGrid2()->Rows(), 2);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait window is down
  SaveScreenshot(*w, BookMode() ? QStringLiteral("query-book.png") : QStringLiteral("query-account.png"));
  // A second call brings it forward: no dialog, no second claim.
  const int shown = session_.Modals().Count();
  host::ExecuteMenu(QStringLiteral("RP0307"), {}, {}, {});
  EXPECT_EQ(session_.Modals().Count(), shown);
  EXPECT_EQ(Claims(), 1);
  Close(w);
  EXPECT_EQ(Claims(), 0);
  EXPECT_TRUE(OtherSessionCanLock(QStringLiteral("100202")));
}

TEST_P(QueryWindowTest, ClosingReleasesOnlyTheLockItTook) {
  // The reconciliation of the same account holds its lock in this session.
  session_.Modals().Then([this](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    QComboBox* list = BookMode() ? dialog.cmbBook() : dialog.Combo1();
    for (int i = 0; i < list->count(); ++i)
      if (list->itemData(i).toString() == Code()) list->setCurrentIndex(i);
    dialog.Command1_Click();
  });
  host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  QWidget* recon = Session::Current().windows.Find<reconcile::frmYHDZ>();
  ASSERT_NE(recon, nullptr);
  ASSERT_FALSE(OtherSessionCanLock(QStringLiteral("100201")));
  frmYHDZCX* w = OpenQuery(Code());
  ASSERT_NE(w, nullptr);
  // Book mode takes the lock a second time in this session; account mode takes none.
  EXPECT_EQ(w->HeldLock(), BookMode() ? QStringLiteral("100201") : QString());
  Close(w);
  // Still the reconciliation's.
  EXPECT_FALSE(OtherSessionCanLock(QStringLiteral("100201")));
  if (recon) Close(recon);
  EXPECT_TRUE(OtherSessionCanLock(QStringLiteral("100201")));
}

TEST_P(QueryWindowTest, ShowModesListAndColourTheLines) {
  // One ticked statement line and one ticked journal line on the account.
  const QString statement = BookMode() ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
  const QString key = BookMode() ? QStringLiteral("cBookCode") : QStringLiteral("ccode");
  const QString journal = BookMode() ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch");
  const QString journalKey = BookMode() ? QStringLiteral("cFlowID") : QStringLiteral("i_id");
  session_.Db().Execute(QStringLiteral("update %1 set iflag=? where i_id=(select min(i_id) from %1 where %2=? and ibegin>?)")
                            .arg(statement, key),
                        {5, Code(), 0});
  session_.Db().Execute(
      QStringLiteral("update %1 set iflagbank=? where %2=(select min(%2) from %1 where %3=? and iperiod<>? and ibook=?)")
          .arg(journal, journalKey, key),
      {14, Code(), 20, 1});
  frmYHDZCX* w = OpenQuery(Code(), 2);
  ASSERT_NE(w, nullptr);
  platform::ListGrid* g1 = w->MSGrid1();
  // Heading, the ticked line, the total row.
  ASSERT_EQ(g1->Rows(), 3);
  EXPECT_EQ(g1->TextMatrix(1, 5), QStringLiteral("○"));
  EXPECT_EQ(g1->CellBackColor(1, 0), Session::Current().gColorLightYellow);
  EXPECT_EQ(g1->CellForeColor(1, 5), QColor(255, 0, 0));
  EXPECT_EQ(g1->CellBackColor(2, 2), Session::Current().gColorLightGrey);
  EXPECT_EQ(w->MSGrid2()->Rows(), 3);
  EXPECT_EQ(w->MSGrid2()->TextMatrix(1, 6), QStringLiteral("Y"));

  // Search: the same account, unticked lines only.
  session_.Modals().Then(Choose(Code(), 1));
  w->rSearch();
  EXPECT_EQ(w->Smode, 1);
  for (int r = 1; r < g1->Rows() - 1; ++r) ASSERT_EQ(g1->TextMatrix(r, 5), QString()) << r;
  EXPECT_EQ(g1->CellBackColor(1, 0), g1->BackColor());
  // A cancelled search changes nothing, the show mode included.
  const int rows = g1->Rows();
  session_.Modals().Then([](QDialog& d) { dynamic_cast<shared::frmYHKMXZ&>(d).Command2_Click(); });
  w->rSearch();
  EXPECT_EQ(w->Smode, 1);
  EXPECT_EQ(g1->Rows(), rows);
  // Switching the list keeps the show mode and the account the opener chose.
  const QString chosen = w->CurYHKM;
  w->Combo1()->setCurrentIndex(w->Combo1()->findData(SecondCode()));
  EXPECT_EQ(w->LoadedCode(), SecondCode());
  EXPECT_EQ(w->CurYHKM, chosen);
}

TEST_P(QueryWindowTest, AnEmptyListHasOneBlankRowAndNoTotal) {
  test::QueryLedger ledger(session_.Db(), BookMode());
  ledger.AddAccount(QStringLiteral("空户(备用)"), QDate(2026, 1, 1));
  frmYHDZCX* w = OpenQuery(ledger.Code(), 2);
  ASSERT_NE(w, nullptr);
  // A name with brackets of its own still loads its own code.
  EXPECT_EQ(w->LoadedCode(), ledger.Code());
  for (platform::ListGrid* g : {w->MSGrid1(), w->MSGrid2()}) {
    ASSERT_EQ(g->Rows(), 2);
    for (int c = 0; c < g->Cols(); ++c) EXPECT_EQ(g->TextMatrix(1, c), QString());
  }
  w->TabS1()->setCurrentIndex(1);
  EXPECT_TRUE(w->MSGrid2()->isVisibleTo(w));
  EXPECT_FALSE(w->MSGrid1()->isVisibleTo(w));
}

// No shown column of either window is narrower than its title, so every title
// can be read whole (a hidden column keeps no width); both windows' grids have the
// suite's look: the grid font of the settings, its styling, the selection colours.
TEST_P(QueryWindowTest, ShownColumnsFitTheirTitlesAndGridsShareTheLook) {
  suite::SuiteSettings(session_.Db(), QStringLiteral("001")).Set(QStringLiteral("GridBodyFontSize"), QStringLiteral("13"));
  frmYHDZCX* query = OpenQuery(Code());
  frmYHCQWD* audit = OpenAudit(QStringLiteral("2026.12.31"), QStringLiteral("30"));
  ASSERT_TRUE(query && audit);
  struct Case { const char* name; platform::ListGrid* grid; };
  const Case cases[] = {{"query statement", query->MSGrid1()}, {"query journal", query->MSGrid2()},
                        {"audit statement", audit->MSGrid1()}, {"audit journal", audit->MSGrid2()}};
  for (const Case& c : cases) {
    int shown = 0;
    for (int col = 0; col < c.grid->Cols(); ++col) {
      if (c.grid->ColWidth(col) == 0) continue;
      ++shown;
      const QString title = c.grid->TextMatrix(0, col);
      EXPECT_GE(c.grid->ColWidth(col) / 15, QFontMetrics(c.grid->font()).horizontalAdvance(title))
          << c.name << " " << title.toStdString();
    }
    EXPECT_GT(shown, 4) << c.name;
    EXPECT_EQ(c.grid->font().pointSize(), 13) << c.name;
    EXPECT_TRUE(c.grid->View()->alternatingRowColors()) << c.name;
    EXPECT_EQ(c.grid->BackColorSel(), Session::Current().gColorLightRose) << c.name;
    EXPECT_EQ(c.grid->ForeColorSel(), QColor(Qt::black)) << c.name;
  }
  // The query groups search with find and filter, and help with exit; the audit keeps them apart.
  const auto separators = [](QWidget* w) {
    int n = 0;
    for (QAction* a : w->findChild<platform::ToolbarHost*>(QStringLiteral("CTBCtrl1"))->ToolBar()->actions())
      n += a->isSeparator() ? 1 : 0;
    return n;
  };
  EXPECT_EQ(separators(query), 2);
  EXPECT_EQ(separators(audit), 4);
  // A journal wider than its window opens scrolled to its second column.
  query->resize(300, 400);
  query->findChild<QTabBar*>(QStringLiteral("TabS1"))->setCurrentIndex(1);
  query->LoadData(Code());
  EXPECT_EQ(query->MSGrid2()->LeftCol(), 1);
  Close(audit);
  Close(query);
}

TEST_P(QueryWindowTest, AuditDialogRefusals) {
  struct Case { const char* date; const char* days; bool accepted; bool message; };
  const Case cases[] = {
      {"2026.13.01", "30", false, false},  // no such date: the focus goes back, no message
      {"2026.06.30", "40000", false, true},
      {"2026.06.30", "-32769", false, true},
      {"2026.06.30", "-30", true, false},
      {"   ", "30", true, false},
      {"2026-6-30", "", true, false},
  };
  for (const Case& c : cases) {
    session_.Messages().Clear();
    platform::ParamObject& param = Session::Current().Common().GetParamObject();
    param.Confirmed = false;
    param.Value1 = QStringLiteral("before");
    frmYHCQWDTJ dialog;
    dialog.Text1()->setText(QString::fromUtf8(c.date));
    dialog.Text2()->setText(QString::fromUtf8(c.days));
    dialog.Command1_Click();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.date << " " << c.days;
    EXPECT_EQ(param.Confirmed, c.accepted) << c.date;
    EXPECT_EQ(session_.Messages().Count() > 0, c.message) << c.date << " " << c.days;
    if (!c.accepted) EXPECT_EQ(param.Value1, QStringLiteral("before"));
    if (c.accepted) EXPECT_EQ(param.Value1, QString::fromUtf8(c.date).trimmed());
  }
}

TEST_P(QueryWindowTest, AuditOpensOnceLoadsAndGivesItsClaimBack) {
  frmYHCQWD* w = OpenAudit(QStringLiteral("2026.12.31"), QStringLiteral("30"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->DiffDays, 30);
  EXPECT_EQ(w->HeldFunction(), BookMode() ? QStringLiteral("RP0309") : QStringLiteral("GL0408"));
  EXPECT_EQ(Claims(), 1);
  EXPECT_EQ(w->MSGrid1()->Cols(), BookMode() ? 9 : 7);
  EXPECT_EQ(w->MSGrid2()->Cols(), BookMode() ? 12 : 10);
  EXPECT_GT(w->MSGrid1()->Rows(), 1);
  EXPECT_GT(w->MSGrid2()->Rows(), 1);
  EXPECT_TRUE(w->Label2()->text().endsWith(QStringLiteral("2026.12.31")));
  SaveScreenshot(*w, BookMode() ? QStringLiteral("audit-book.png") : QStringLiteral("audit-account.png"));
  // A second call brings it forward without asking.
  const int shown = session_.Modals().Count();
  host::ExecuteMenu(QStringLiteral("RP0309"), {}, {}, {});
  EXPECT_EQ(session_.Modals().Count(), shown);
  // Search with an earlier date reloads in place: fewer lines.
  const int rows = w->MSGrid1()->Rows();
  session_.Modals().Then(Conditions(QStringLiteral("2026.01.31"), QStringLiteral("0")));
  w->rSearch();
  EXPECT_LT(w->MSGrid1()->Rows(), rows);
  EXPECT_TRUE(w->Label2()->text().endsWith(QStringLiteral("2026.01.31")));
  Close(w);
  EXPECT_EQ(Claims(), 0);
}

TEST_P(QueryWindowTest, AnAuditThatCannotLoadNeverOpensAndHoldsNothing) {
  session_.Modals().Then([](QDialog& d) {
    // What a dialog would hand back without the date check.
    platform::ParamObject& param = Session::Current().Common().GetParamObject();
    param.Confirmed = true;
    param.Value1 = QStringLiteral("no date");
    param.Value2 = QStringLiteral("3");
    d.accept();
  });
  host::ExecuteMenu(QStringLiteral("RP0309"), {}, {}, {});
  QApplication::processEvents();
  EXPECT_EQ(Session::Current().windows.Find<frmYHCQWD>(), nullptr);
  EXPECT_EQ(Claims(), 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(shared::frmMessage::IsLoaded() && shared::frmMessage::Instance()->isVisible());
  EXPECT_EQ(session_.Messages().Count(), 1);
}

TEST_P(QueryWindowTest, ConditionsGoBackToTheWindowThatAsked) {
  frmYHDZCX* query = OpenQuery(Code());
  frmYHCQWD* audit = OpenAudit(QString(), QStringLiteral("0"));
  ASSERT_NE(query, nullptr);
  ASSERT_NE(audit, nullptr);
  session_.Modals().Then(FilterBy(QStringLiteral("nothing"), 1));
  audit->rFilt();
  EXPECT_EQ(audit->Filter.CurCn_id, QStringLiteral("nothing"));
  EXPECT_EQ(query->Filter.CurCn_id, QString());
  EXPECT_EQ(query->Filter.CurBd_c, 0);
  for (int r = 1; r < audit->MSGrid1()->Rows(); ++r) ASSERT_TRUE(audit->MSGrid1()->IsRowHidden(r));

  // The query's find: no such number, the message; its own conditions kept.
  session_.Messages().Clear();
  session_.Modals().Then(FilterBy(QStringLiteral("none either")));
  query->rFind();
  EXPECT_EQ(query->Filter.CurCn_id, QStringLiteral("none either"));
  EXPECT_EQ(audit->Filter.CurCn_id, QStringLiteral("nothing"));
  EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00045")));

  // The dialog opens again with the window's last conditions; Cancel changes nothing.
  QString offered;
  session_.Modals().Then([&offered](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
    offered = dialog.Text3()->text();
    dialog.Command2_Click();
  });
  audit->rFilt();
  EXPECT_EQ(offered, QStringLiteral("nothing"));
  for (int r = 1; r < audit->MSGrid1()->Rows(); ++r) ASSERT_TRUE(audit->MSGrid1()->IsRowHidden(r));
  Close(audit);
  Close(query);
  EXPECT_EQ(Claims(), 0);
}

TEST_P(QueryWindowTest, GridPrintsNameTheGridOfThePageShowing) {
  frmYHDZCX* query = OpenQuery(Code());
  frmYHCQWD* audit = OpenAudit(QStringLiteral("2026.12.31"), QStringLiteral("0"));
  ASSERT_NE(query, nullptr);
  ASSERT_NE(audit, nullptr);
  auto text = [](const char* key) { return shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + key); };
  struct Case {
    TwoGridWindow* window;
    int page;
    void (TwoGridWindow::*command)();
    int grid;  // 1 statement, 2 journal
    int mode;
    QString title;
  };
  const Case cases[] = {
      {query, 0, &TwoGridWindow::rPrint, 1, 0, text("00510") + text("00138")},
      {query, 1, &TwoGridWindow::rPreview, 2, 1, text("00522") + text("00139")},
      {query, 1, &TwoGridWindow::rDataOut, 2, 2, text("00522") + text("00140")},
      {query, 1, &TwoGridWindow::rSetup, 1, 3, text("00137")},
      {audit, 0, &TwoGridWindow::rPreview, 1, 1, text("00051") + text("00139")},
      {audit, 1, &TwoGridWindow::rPrint, 2, 0, text("00063") + text("00138")},
      {audit, 1, &TwoGridWindow::rSetup, 1, 3, text("00137")},
  };
  testing::ScriptedPrinting printing;
  for (const Case& c : cases) {
    c.window->TabS1()->setCurrentIndex(c.page);
    (c.window->*c.command)();
    ASSERT_FALSE(printing.GridPrints().empty());
    const testing::GridPrintCall& call = printing.GridPrints().back();
    EXPECT_EQ(call.grid, c.grid == 1 ? static_cast<QObject*>(c.window->MSGrid1()) : c.window->MSGrid2()) << c.title.toStdString();
    EXPECT_EQ(call.reportKey, c.window == query ? QStringLiteral("RPYHDZCX") : QStringLiteral("RPYHCQWD"));
    EXPECT_EQ(call.mode, c.mode);
    EXPECT_EQ(call.title, c.title);
    EXPECT_EQ(call.printControl, c.window->prnCtrl());
  }
  EXPECT_EQ(printing.GridPrints().size(), std::size(cases));

  // Help opens each function's own page.
  QStringList pages;
  shared::SetHelpPageOpener([&pages](const QString& page) { pages << page; });
  query->rHelp();
  audit->rHelp();
  shared::SetHelpPageOpener({});
  EXPECT_EQ(pages, (QStringList{"RP0307", "RP0309"}));
}

INSTANTIATE_TEST_SUITE_P(Modes, QueryWindowTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Book" : "Account"; });

}  // namespace
}  // namespace corvane::query
