#include "host/menu_dispatcher.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "query/frm_yhcqwd.h"
#include "query/frm_yhcqwdtj.h"
#include "query/frm_yhdzcx.h"
#include "reconcile/frm_yhdz.h"
#include "shared/frm_message.h"
#include "shared/frm_yhfilter.h"
#include "shared/frm_yhkmxz.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "suite/services/suite_settings.h"
#include "support/query_ledger.h"
#include "support/query_windows.h"
#include "support/scripted_print.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace corvane::query {
namespace {

using platform::Money;
using shared::Session;

Money M(const char* text) { return *Money::Parse(QString::fromLatin1(text)); }

using testing::AuditConditions;
using testing::ChooseEntry;
using testing::FilterBy;

// What the audit conditions would hand back without their date check: the
// audit cannot load.
void HandBackNoDate(QDialog& d) {
  platform::ParamObject& param = Session::Current().Common().GetParamObject();
  param.Confirmed = true;
  param.Value1 = QStringLiteral("no date");
  param.Value2 = QStringLiteral("3");
  d.accept();
}

class QueryWindowTest : public ::testing::TestWithParam<bool>, public testing::QueryWindows {
 protected:
  QueryWindowTest() : QueryWindows(GetParam()) {}
  bool BookMode() const { return GetParam(); }
};

TEST_P(QueryWindowTest, TheQueryOpensOnTheChosenEntryAndGivesBackWhatItTook) {
  frmYHDZCX* w = OpenQuery(SecondCode());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->LoadedCode(), SecondCode());
  EXPECT_EQ(w->Combo1()->currentData().toString(), SecondCode());
  EXPECT_GT(w->MSGrid1()->Rows(), 2);
  EXPECT_GT(w->MSGrid2()->Rows(), 2);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait window is down
  // Only book mode locks, the book's account.
  EXPECT_EQ(OtherSessionCanLock(QStringLiteral("100202")), !BookMode());
  ExpectHeldOnceUntilClosed(w, "RP0307", "GL040705");
  EXPECT_TRUE(OtherSessionCanLock(QStringLiteral("100202")));
}

TEST_P(QueryWindowTest, TheAuditReloadsOnASearchAndGivesItsClaimBack) {
  frmYHCQWD* w = OpenAudit(QStringLiteral("2026.12.31"), QStringLiteral("30"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->DiffDays, 30);
  EXPECT_GT(w->MSGrid2()->Rows(), 1);
  EXPECT_TRUE(w->Label2()->text().endsWith(QStringLiteral("2026.12.31")));
  // The title is bold at 15 points, not at the header style's own size.
  EXPECT_EQ(w->Label1()->font().pointSizeF(), 15.0);
  EXPECT_TRUE(w->Label1()->font().bold());
  // Search with an earlier date reloads in place: fewer lines.
  const int rows = w->MSGrid1()->Rows();
  session_.Modals().Then(AuditConditions(QStringLiteral("2026.01.31"), QStringLiteral("0")));
  w->rSearch();
  EXPECT_LT(w->MSGrid1()->Rows(), rows);
  EXPECT_TRUE(w->Label2()->text().endsWith(QStringLiteral("2026.01.31")));
  // A reload that fails says so and leaves no line of the last load.
  session_.Modals().Then(HandBackNoDate);
  w->rSearch();
  EXPECT_EQ(session_.Messages().Count(), 1);
  EXPECT_EQ(w->MSGrid1()->Rows() + w->MSGrid2()->Rows(), 2);
  ExpectHeldOnceUntilClosed(w, "RP0309", "GL0408");
}

TEST_P(QueryWindowTest, ClosingReleasesOnlyTheLockItTook) {
  // The reconciliation of the same account holds its lock in this session.
  session_.Modals().Then(ChooseEntry(Code(), 0));
  host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  QWidget* recon = Session::Current().windows.Find<reconcile::frmYHDZ>();
  ASSERT_NE(recon, nullptr);
  ASSERT_FALSE(OtherSessionCanLock(QStringLiteral("100201")));
  frmYHDZCX* w = OpenQuery(Code());
  ASSERT_NE(w, nullptr);
  // Book mode takes the lock a second time in this session; account mode takes none.
  EXPECT_EQ(w->HeldLock(), BookMode() ? QStringLiteral("100201") : QString());
  Close(w);
  EXPECT_FALSE(OtherSessionCanLock(QStringLiteral("100201")));  // still the reconciliation's
  Close(recon);
  EXPECT_TRUE(OtherSessionCanLock(QStringLiteral("100201")));
}

// A foreign-currency account shows its foreign amounts in the journal.
TEST_P(QueryWindowTest, ShowModesListAndColourTheLines) {
  test::QueryLedger ledger(session_.Db(), BookMode());
  ledger.AddAccount(QStringLiteral("美元户"), QDate(2026, 1, 1), QStringLiteral("美元"));
  ledger.Add(test::StatementLine{.tick = 5});
  ledger.Add(test::StatementLine{});
  ledger.Add(test::JournalLine{.tick = 14, .md = M("710"), .mdF = M("100"), .currency = "美元"});
  ledger.Add(test::JournalLine{.md = M("71"), .mdF = M("10"), .currency = "美元"});
  frmYHDZCX* w = OpenQuery(ledger.Code(), 2);
  ASSERT_NE(w, nullptr);
  platform::ListGrid* g1 = w->MSGrid1();
  // Heading, the ticked line, the total row.
  ASSERT_EQ(g1->Rows(), 3);
  EXPECT_EQ(g1->TextMatrix(1, 5), QStringLiteral("○"));
  EXPECT_EQ(g1->CellBackColor(1, 0), Session::Current().gColorLightYellow);
  EXPECT_EQ(g1->CellForeColor(1, 5), QColor(255, 0, 0));
  EXPECT_EQ(g1->CellBackColor(2, 2), Session::Current().gColorLightGrey);
  EXPECT_EQ(w->MSGrid2()->Rows(), 3);
  EXPECT_EQ(w->MSGrid2()->TextMatrix(1, 4), QStringLiteral("100.00"));
  EXPECT_EQ(w->MSGrid2()->TextMatrix(1, 6), QStringLiteral("Y"));

  // Search: the same account, unticked lines only.
  session_.Modals().Then(ChooseEntry(ledger.Code(), 1));
  w->rSearch();
  EXPECT_EQ(w->Smode, 1);
  ASSERT_EQ(g1->Rows(), 3);
  EXPECT_EQ(g1->TextMatrix(1, 5), QString());
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

// The colour a grid paints at the top left corner of a cell.
QColor Painted(platform::ListGrid* grid, int row, int col) {
  QAbstractItemView* view = grid->View();
  const QRect cell = view->visualRect(grid->Model()->index(row - 1, col));
  return view->viewport()->grab().toImage().pixelColor(cell.topLeft() + QPoint(2, 2));
}

// Unticked lines are painted in the grid's own back colour, every one of them:
// the suite's alternating row shade shows through none.
TEST_P(QueryWindowTest, UntickedLinesShowTheGridsOwnBackColour) {
  test::QueryLedger ledger(session_.Db(), BookMode());
  ledger.AddAccount(QStringLiteral("对照户"), QDate(2026, 1, 1));
  for (int day = 1; day <= 6; ++day) ledger.Add(test::StatementLine{.date = QDate(2026, 5, day), .tick = day == 4 ? QVariant(13) : QVariant()});
  frmYHDZCX* w = OpenQuery(ledger.Code(), 0);
  ASSERT_NE(w, nullptr);
  w->show();
  platform::ListGrid* g = w->MSGrid1();
  ASSERT_EQ(g->Rows(), 8);  // heading, six lines, total
  ASSERT_TRUE(g->View()->alternatingRowColors());
  // Row 1 is selected; rows 2 to 6 follow one another under the selection.
  for (int row = 2; row <= 6; ++row) {
    SCOPED_TRACE(row);
    const QColor expected = row == 4 ? Session::Current().gColorLightYellow : g->BackColor();
    EXPECT_EQ(Painted(g, row, 0).name(), expected.name());
  }
  EXPECT_EQ(Painted(g, 7, 0).name(), Session::Current().gColorLightGrey.name());
}

// The account or book list keeps the order the table gives, not the codes' order:
// an entry added last is listed last, though its code sorts first.
TEST_P(QueryWindowTest, TheListKeepsTheTablesOwnOrder) {
  test::QueryLedger ledger(session_.Db(), BookMode(), QStringLiteral("100200"), QStringLiteral("YH000"));
  ledger.AddAccount(QStringLiteral("新开户"), QDate(2026, 1, 1));
  frmYHDZCX* w = OpenQuery(ledger.Code());
  ASSERT_NE(w, nullptr);
  QComboBox* list = w->Combo1();
  ASSERT_GT(list->count(), 2);
  EXPECT_EQ(list->itemData(list->count() - 1).toString(), ledger.Code());
  EXPECT_EQ(list->currentIndex(), list->count() - 1);
  EXPECT_EQ(w->LoadedCode(), ledger.Code());
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
  // Each page shows its own grid, below the page tabs.
  for (int page : {0, 1}) {
    w->TabS1()->setCurrentIndex(page);
    w->layout()->activate();
    EXPECT_EQ(w->MSGrid1()->isVisibleTo(w), page == 0);
    EXPECT_EQ(w->MSGrid2()->isVisibleTo(w), page == 1);
    EXPECT_GT((page == 0 ? w->MSGrid1() : w->MSGrid2())->y(), w->TabS1()->y());
  }
}

// No shown column of either window is narrower than its title, so every title
// can be read whole (a hidden column keeps no width); both windows' grids have the
// suite's look: the grid font of the settings, its styling, the selection colours.
TEST_P(QueryWindowTest, ShownColumnsFitTheirTitlesAndGridsShareTheLook) {
  suite::SuiteSettings(session_.Db(), QStringLiteral("001")).Set(QStringLiteral("GridBodyFontSize"), QStringLiteral("13"));
  frmYHDZCX* query = OpenQuery(Code());
  frmYHCQWD* audit = OpenAudit(QStringLiteral("2026.12.31"), QStringLiteral("30"));
  ASSERT_TRUE(query && audit);
  for (platform::ListGrid* grid : {query->MSGrid1(), query->MSGrid2(), audit->MSGrid1(), audit->MSGrid2()}) {
    SCOPED_TRACE((grid->window()->objectName() + grid->objectName()).toStdString());
    int shown = 0;
    for (int col = 0; col < grid->Cols(); ++col) {
      if (grid->ColWidth(col) == 0) continue;
      ++shown;
      const QString title = grid->TextMatrix(0, col);
      EXPECT_GE(grid->View()->columnWidth(col), QFontMetrics(grid->font()).horizontalAdvance(title)) << title.toStdString();
    }
    EXPECT_GT(shown, 4);
    EXPECT_EQ(grid->font().pointSize(), 13);
    EXPECT_TRUE(grid->View()->alternatingRowColors());
    EXPECT_EQ(grid->BackColorSel(), Session::Current().gColorLightRose);
    EXPECT_EQ(grid->ForeColorSel(), QColor(Qt::black));
  }
  // The query groups search with find and filter, and help with exit; the audit keeps them apart.
  const auto separators = [](QWidget* w) {
    const QList<QAction*> actions = w->findChild<platform::ToolbarHost*>(QStringLiteral("CTBCtrl1"))->ToolBar()->actions();
    return std::count_if(actions.begin(), actions.end(), [](QAction* a) { return a->isSeparator(); });
  };
  EXPECT_EQ(separators(query), 2);
  EXPECT_EQ(separators(audit), 4);
  // A journal wider than its window opens scrolled to its second column.
  query->resize(300, 400);
  query->TabS1()->setCurrentIndex(1);
  query->LoadData(Code());
  EXPECT_EQ(query->MSGrid2()->LeftCol(), 1);
}

// An account naming the home currency keeps its home amounts in the audit.
TEST_P(QueryWindowTest, TheAuditReadsAnAccountNamingTheHomeCurrencyAsHome) {
  test::QueryLedger ledger(session_.Db(), BookMode());
  ledger.AddAccount(QStringLiteral("本币户"), QDate(2026, 1, 1), QStringLiteral("人民币"));
  ledger.Add(test::JournalLine{});
  platform::ListGrid* g = OpenAudit(QStringLiteral("2026.12.31"), QStringLiteral("0"))->MSGrid2();
  const int last = g->Rows() - 1;  // the account (book) sorts last
  EXPECT_EQ(g->TextMatrix(last, 0) + g->TextMatrix(last, BookMode() ? 9 : 7), ledger.Code() + QStringLiteral("100.00"));
}

TEST_P(QueryWindowTest, AnAuditThatCannotLoadNeverOpensAndHoldsNothing) {
  session_.Modals().Then(HandBackNoDate);
  host::ExecuteMenu(QStringLiteral("RP0309"), {}, {}, {});
  QApplication::processEvents();
  EXPECT_EQ(Session::Current().windows.Find<frmYHCQWD>(), nullptr);
  EXPECT_EQ(Claims(), 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(shared::frmMessage::IsLoaded() && shared::frmMessage::Instance()->isVisible());
  EXPECT_EQ(session_.Messages().Count(), 1);
}

// A journal line whose date cannot be read (SQLite: no calendar day; PostgreSQL: an
// endless date) is named by its date: the audit never lists it undated.
TEST_P(QueryWindowTest, AnAuditOverALineDatedOnNoCalendarDayNamesItAndNeverOpens) {
  const QString date = session_.Database().IsPostgres() ? QStringLiteral("-infinity") : QStringLiteral("2026-02-30");
  const QString journal = BookMode() ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch");
  const QString key = BookMode() ? QStringLiteral("cFlowID") : QStringLiteral("i_id");
  session_.Database().StoreDateText(
      journal, BookMode() ? QStringLiteral("billdate") : QStringLiteral("dbill_date"),
      QStringLiteral("%2=(select min(%2) from %1 where %3=? and ibook=1 and bdelete=0 and iperiod between 2 and 11)")
          .arg(journal, key, BookMode() ? QStringLiteral("cBookCode") : QStringLiteral("ccode")),
      {Code()}, date);
  session_.Messages().Answer(1, [] { EXPECT_FALSE(shared::frmMessage::Instance()->isVisible()) << "over the message"; });
  EXPECT_EQ(OpenAudit(QStringLiteral("2026.12.31"), QStringLiteral("0")), nullptr);
  EXPECT_EQ(Claims(), 0);
  const QString said = session_.Messages().LastPrompt();
  EXPECT_TRUE(said.contains(shared::GetResString(QStringLiteral("corvane.host.unreadable"), QString())) &&
              said.contains(QLatin1Char('"') + date + QLatin1Char('"'))) << said.toStdString();
}

// The audit's journal page filters on its own columns: a line's date, style,
// number, direction and amount, all given at once, keep that line and lines
// alike only.
TEST_P(QueryWindowTest, TheAuditFiltersItsJournalPageByEveryCondition) {
  frmYHCQWD* audit = OpenAudit(QStringLiteral("2026.12.31"), QStringLiteral("0"));
  ASSERT_NE(audit, nullptr);
  audit->TabS1()->setCurrentIndex(1);
  platform::ListGrid* g = audit->MSGrid2();
  const int lead = BookMode() ? 2 : 0;
  const int date = lead + 2, style = lead + 4, number = lead + 5, direction = lead + 6, amount = lead + 7;
  int line = 0;
  for (int r = 1; r < g->Rows() && line == 0; ++r)
    if (!g->TextMatrix(r, style).isEmpty() && !g->TextMatrix(r, number).isEmpty()) line = r;
  ASSERT_GT(line, 0);
  const QString debitText = Session::Current().Common().GetDirectionText(1);
  audit->Filter.StartDate = audit->Filter.EndDate = g->TextMatrix(line, date);
  audit->Filter.CurCn_m = g->TextMatrix(line, style);
  audit->Filter.CurCn_id = g->TextMatrix(line, number);
  audit->Filter.CurBd_c = g->TextMatrix(line, direction) == debitText ? 1 : 2;
  audit->Filter.CurMmoney = g->TextMatrix(line, amount);
  session_.Modals().Then([](QDialog& d) { dynamic_cast<shared::frmYHFilter&>(d).Command1_Click(); });
  audit->rFilt();
  EXPECT_FALSE(g->IsRowHidden(line));
  for (int r = 1; r < g->Rows(); ++r) {
    if (g->IsRowHidden(r)) continue;
    SCOPED_TRACE(r);
    for (int col : {date, style, number, direction, amount}) EXPECT_EQ(g->TextMatrix(r, col), g->TextMatrix(line, col));
  }
}

// A filter totals the lines it shows, and hides the total with them; a find never lands on the total.
TEST_P(QueryWindowTest, TheTotalRowTotalsTheLinesShownAndIsNeverFound) {
  test::QueryLedger ledger(session_.Db(), BookMode());
  ledger.AddAccount(QStringLiteral("合计户"), QDate(2026, 1, 1));
  for (const char* amount : {"30000", "12000.50"}) ledger.Add(test::StatementLine{.amount = M(amount)});
  ledger.Add(test::StatementLine{.debit = 0, .amount = M("9000"), .number = "A3"});
  frmYHDZCX* w = OpenQuery(ledger.Code());
  platform::ListGrid* g = w->MSGrid1();
  const struct { const char* key; const char* number; int direction; const char* amount; QStringList total; } cases[] = {
      {"find", "", 0, "40000", {"42,000.50", "9,000.00"}}, {"filt", "", 1, "", {"42,000.50", "0.00"}},
      {"filt", "A3", 0, "", {"0.00", "9,000.00"}},          {"filt", "A3", 1, "", {}}};
  for (const auto& c : cases) {
    session_.Modals().Then([&c](QDialog& d) {
      dynamic_cast<shared::frmYHFilter&>(d).Text4()->setText(QString::fromLatin1(c.amount));
      FilterBy(QString::fromLatin1(c.number), c.direction)(d);
    });
    w->Toolbar()->Click(QString::fromLatin1(c.key));
    EXPECT_NE(g->Row(), 4) << c.key;
    EXPECT_EQ(g->IsRowHidden(4) ? QStringList() : QStringList({g->TextMatrix(4, 3), g->TextMatrix(4, 4)}), c.total);
  }
}

TEST_P(QueryWindowTest, ConditionsGoBackToTheWindowThatAsked) {
  frmYHDZCX* query = OpenQuery(Code());
  frmYHCQWD* audit = OpenAudit(QString(), QStringLiteral("0"));
  ASSERT_TRUE(query && audit);
  const auto allHidden = [audit] {
    for (int r = 1; r < audit->MSGrid1()->Rows(); ++r)
      if (!audit->MSGrid1()->IsRowHidden(r)) return false;
    return true;
  };
  session_.Modals().Then(FilterBy(QStringLiteral("nothing"), 1));
  audit->rFilt();
  EXPECT_EQ(audit->Filter.CurCn_id, QStringLiteral("nothing"));
  EXPECT_EQ(query->Filter.CurCn_id, QString());
  EXPECT_EQ(query->Filter.CurBd_c, 0);
  EXPECT_TRUE(allHidden());
  EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00045")));

  // The query's find: no such number, the message; its own conditions kept.
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
  EXPECT_TRUE(allHidden());
}

TEST_P(QueryWindowTest, GridPrintsNameTheGridOfThePageShowing) {
  frmYHDZCX* query = OpenQuery(Code());
  frmYHCQWD* audit = OpenAudit(QStringLiteral("2026.12.31"), QStringLiteral("0"));
  ASSERT_TRUE(query && audit);
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
    SCOPED_TRACE(c.title.toStdString());
    c.window->TabS1()->setCurrentIndex(c.page);
    (c.window->*c.command)();
    ASSERT_FALSE(printing.GridPrints().empty());
    const testing::GridPrintCall& call = printing.GridPrints().back();
    EXPECT_EQ(call.grid, c.grid == 1 ? static_cast<QObject*>(c.window->MSGrid1()) : c.window->MSGrid2());
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

// An invalid date or age keeps the dialog open with a message that says why; what
// it accepts goes back with the date in the boxes' form.
TEST(AuditConditions, RefusalsAndWhatGoesBack) {
  testing::SuiteSession session;
  struct Case { const char* date; const char* days; bool accepted; bool message; const char* back = "2026.06.30"; };
  const Case cases[] = {
      {"2026.13.01", "30", false, true},   {"2026.06.30", "40000", false, true}, {"2026.06.30", "-32769", false, true},
      {"2026.06.30", "-30", true, false},  {"   ", "30", true, false, ""},      {"2026-6-30", "", true, false},
      {"2026.06.30", "abc30", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.date) + " " + c.days);
    session.Messages().Clear();
    platform::ParamObject& param = Session::Current().Common().GetParamObject();
    param.Confirmed = false;
    param.Value1 = QStringLiteral("before");
    frmYHCQWDTJ dialog;
    EXPECT_TRUE(dialog.Text1()->isVisibleTo(&dialog) && dialog.Text2()->isVisibleTo(&dialog));
    QTest::keyClicks(dialog.Text1(), QString::fromUtf8(c.date));  // typed: the boxes take every key
    QTest::keyClicks(dialog.Text2(), QString::fromUtf8(c.days));
    dialog.Command1_Click();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
    EXPECT_EQ(param.Confirmed, c.accepted);
    EXPECT_EQ(session.Messages().Count() > 0, c.message);
    EXPECT_EQ(param.Value1, c.accepted ? QString::fromUtf8(c.back) : QStringLiteral("before"));
  }
}

}  // namespace
}  // namespace corvane::query
