#include "balance/balance_calculator.h"
#include "balance/frm_yetjb.h"
#include "balance/frm_yetjb1.h"
#include "balance/frm_yhdzcx1.h"
#include "balance/frm_yhzhx.h"
#include "balance_ledger.h"
#include "host/menu_dispatcher.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/split_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/db/transaction_guard.h"
#include "platform/print/grid_print_service.h"
#include "platform/services/object_factory.h"
#include "platform/services/service_error.h"
#include "platform/services/voucher_viewer.h"
#include "shared/frm_message.h"
#include "shared/function_claim.h"
#include "shared/messages.h"
#include "shared/right_menu.h"
#include "shared/right_menu_host.h"
#include "shared/session.h"
#include "suite/services/suite_settings.h"
#include "support/scripted_print.h"
#include "support/suite_session.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QPointer>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <gtest/gtest.h>

namespace corvane::balance::test {
namespace {

using shared::GetResString;
using shared::Session;

QString Res(const char* n) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QString::fromLatin1(n)); }

QStringList Fields(const QVariantMap& row, std::initializer_list<const char*> keys) {
  QStringList values;
  for (const char* key : keys) values << row.value(QString::fromLatin1(key)).toString();
  return values;
}

// The vouchers the drill-down asked for.
std::vector<QStringList> gVouchersShown;

class RecordingViewer : public platform::VoucherViewer {
 public:
  void SetServices(platform::CommonServices*) override {}
  void SetLogin(platform::LoginContext*) override {}
  void SetListSql(const QString& sql, const platform::DbParams&) override { sql_ = sql; }
  bool ShowVoucher(const QString& sys, const QString& fn, int mode, const QString& kind, const QString& book,
                   const QString& period, const QString& sign, const QString& number) override {
    gVouchersShown.push_back({sys, fn, QString::number(mode), kind, book, period, sign, number, sql_});
    return true;
  }

 private:
  QString sql_;
};

// A grid print service whose every run fails, as a printer that is gone would.
class FailingGridPrint : public platform::GridPrintService {
 public:
  void PrintGrid(QObject*, const QString&, platform::PrintControl*, int, const platform::GridPrintHead&, int&) override {
    throw platform::ServiceError(QStringLiteral("打印机不可用"));
  }
};

// Whether a window shows an icon: one with a visible pixel.
bool ShowsAnIcon(const QWidget& w) {
  const QImage image = w.windowIcon().pixmap(32, 32).toImage();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) return true;
  return false;
}

class StatementWindowsTest : public ::testing::TestWithParam<bool> {
 protected:
  StatementWindowsTest() : ledger_(session_.Db(), GetParam()) {}

  bool Book() const { return GetParam(); }
  QString StatementId() const { return Book() ? QStringLiteral("RP0306") : QStringLiteral("GL040704"); }
  QString DetailId() const { return Book() ? QStringLiteral("RP0307") : QStringLiteral("GL040705"); }

  long long ClaimRows(const QString& id) {
    return session_.Db().QueryValue(QStringLiteral("select count(*) from corvane_claim where function_id=?"), {id}).ToInt();
  }

  // A credit-direction account with outstanding items on every side: two bank
  // lines each way, three journal debits (one an opening item before the start)
  // and one journal credit.
  void AddCreditAccount(const QString& code) {
    TestAccount a;
    a.code = code;
    a.name = QStringLiteral("贷方(测试)户");
    a.debit = false;
    ledger_.AddAccount(a);
    ledger_.BankOpening(code, M("1000"));
    ledger_.JournalOpening(code, M("900"));
    ledger_.Bank(code, QDate(2026, 4, 2), 0, M("50"), false, false);
    ledger_.Bank(code, QDate(2026, 4, 3), 0, M("5"), false, false);
    ledger_.Bank(code, QDate(2026, 4, 4), 1, M("20"), false, false);
    ledger_.Bank(code, QDate(2026, 4, 6), 1, M("7"), true, false);
    ledger_.Journal(code, QDate(2026, 2, 20), 21, M("11"), M("0"), false, false);
    ledger_.Journal(code, QDate(2026, 4, 1), 4, M("100"), M("0"), false, false);
    ledger_.Journal(code, QDate(2026, 4, 8), 4, M("60"), M("0"), false, false);
    ledger_.Journal(code, QDate(2026, 5, 1), 5, M("0"), M("30"), false, false);
    ledger_.Journal(code, QDate(2026, 5, 2), 5, M("0"), M("7"), true, false);
    ledger_.Journal(code, QDate(2026, 8, 2), 8, M("0"), M("9"), false, false);  // after the end date
  }

  frmYETJB& OpenStatement() {
    host::ExecuteMenu(QStringLiteral("RP0306"), {}, {}, {});
    frmYETJB* w = Session::Current().windows.Find<frmYETJB>();
    EXPECT_NE(w, nullptr);
    return *w;
  }

  // The detailed statement of an account, opened from its two-sided view.
  frmYHDZCX1* OpenDetail(frmYETJB& w, const QString& code) {
    w.MSGrid1()->SetCurrentCell(RowOf(w, code), 0);
    frmYETJB1 view(w);
    view.ShowDetailStatement();
    return Session::Current().windows.Find<frmYHDZCX1>();
  }

  int RowOf(frmYETJB& w, const QString& code) {
    for (int r = 1; r < w.MSGrid1()->Rows(); ++r)
      if (w.MSGrid1()->RowData(r).toString() == code) return r;
    return -1;
  }

  testing::SuiteSession session_{GetParam()};
  BalanceLedger ledger_;
};

// The statement lists every account or book, marks the unbalanced ones, hides the
// wait window and gives its function back exactly once when it closes.
TEST_P(StatementWindowsTest, StatementListsEveryAccountAndGivesItsFunctionBack) {
  AddCreditAccount(QStringLiteral("T5"));
  frmYETJB& w = OpenStatement();
  const size_t accounts = BalanceCalculator::ListAccounts().size();
  EXPECT_EQ(w.MSGrid1()->Rows(), static_cast<int>(accounts) + 1);
  EXPECT_FALSE(shared::frmMessage::Instance()->isVisible());
  EXPECT_EQ(ClaimRows(StatementId()), 1);
  for (const AccountStatement& st : w.Statements()) {
    const int r = RowOf(w, st.facts.code);
    ASSERT_GT(r, 0);
    EXPECT_EQ(w.MSGrid1()->TextMatrix(r, 4),
              st.figures.balanced ? st.figures.adjustedJournalBalance.ToDisplayText() : Res("00912"));
  }
  host::ExecuteMenu(QStringLiteral("RP0306"), {}, {}, {});  // brought to the front, nothing claimed again
  EXPECT_EQ(shared::FunctionClaimCount(StatementId()), 1);
  w.close();
  QApplication::processEvents();
  EXPECT_EQ(ClaimRows(StatementId()), 0);
  EXPECT_EQ(shared::FunctionClaimCount(StatementId()), 0);
}

// A load that fails as a whole says why, takes the wait window down and gives
// the function back; an account that cannot be read marks its own row only.
TEST_P(StatementWindowsTest, FailedLoadsLeaveNothingBehind) {
  std::vector<ListedAccount> listed = BalanceCalculator::ListAccounts();
  listed.insert(listed.begin(), {QStringLiteral("NOSUCH"), QStringLiteral("?")});
  session_.Messages().Clear();
  const std::vector<AccountStatement> all = BalanceCalculator::ForAccounts(listed);
  ASSERT_EQ(all.size(), listed.size());
  EXPECT_TRUE(all[0].Failed());
  for (size_t i = 1; i < all.size(); ++i) EXPECT_FALSE(all[i].Failed()) << i;

  session_.Db().Execute(Book() ? QStringLiteral("drop table RP_Book") : QStringLiteral("drop table code"));
  session_.Messages().Clear();
  host::ExecuteMenu(QStringLiteral("RP0306"), {}, {}, {});
  QApplication::processEvents();
  EXPECT_EQ(Session::Current().windows.Find<frmYETJB>(), nullptr);
  EXPECT_FALSE(shared::frmMessage::Instance()->isVisible());
  EXPECT_EQ(ClaimRows(StatementId()), 0);
  ASSERT_EQ(session_.Messages().Count(), 1);
  EXPECT_EQ(session_.Messages().Shown()[0].buttons, 16);
}

// A line whose date cannot be read (SQLite: no calendar day; PostgreSQL: an endless date) is
// in no figure, its text within the account's dates or, in T7, sorting after them: its account's
// row names it in the session's language, the others are computed.
TEST_P(StatementWindowsTest, ALineDatedOnNoCalendarDayMarksItsAccountsRowOnly) {
  AddCreditAccount(QStringLiteral("T5"));
  AddCreditAccount(QStringLiteral("T7"));
  const QString line7 = ledger_.NamedStatementLine(QStringLiteral("T7"), QDate(2026, 4, 3));
  const QString after = session_.Database().IsPostgres() ? QStringLiteral("infinity") : QStringLiteral("2026-13-05");
  session_.Database().StoreDateText(ledger_.StatementTable(), QStringLiteral("ddate"),
                                    ledger_.Key() + QStringLiteral("=? and ddate=?"), {QStringLiteral("T7"), QDate(2026, 4, 3)}, after);
  const QString date = session_.Database().IsPostgres() ? QStringLiteral("infinity") : QStringLiteral("2026-04-31");
  const QString line = ledger_.NamedStatementLine(QStringLiteral("T5"), QDate(2026, 4, 3));
  session_.Database().StoreDateText(ledger_.StatementTable(), QStringLiteral("ddate"),
                                    ledger_.Key() + QStringLiteral("=? and ddate=?"),
                                    {QStringLiteral("T5"), QDate(2026, 4, 3)}, date);
  frmYETJB& w = OpenStatement();
  const QString said = w.MSGrid1()->TextMatrix(RowOf(w, QStringLiteral("T5")), 4);
  const QString named = shared::GetResString(QStringLiteral("corvane.host.unreadable.date"), QStringLiteral("ddate"), date) + line;
  EXPECT_TRUE(said.endsWith(shared::GetResString(QStringLiteral("corvane.host.unreadable"), named))) << said.toStdString();
  EXPECT_TRUE(w.MSGrid1()->TextMatrix(RowOf(w, QStringLiteral("T7")), 4).endsWith(shared::GetResString(
      QStringLiteral("corvane.host.unreadable"),
      shared::GetResString(QStringLiteral("corvane.host.unreadable.date"), QStringLiteral("ddate"), after) + line7)));
  // The column cuts the reason; the row's tooltip gives it whole, over every cell.
  const QAbstractItemModel* model = w.MSGrid1()->View()->model();
  for (int r = 1; r < w.MSGrid1()->Rows(); ++r)
    for (int c = 0; c < 5; ++c)
      EXPECT_EQ(model->index(r - 1, c).data(Qt::ToolTipRole).toString(),
                r == RowOf(w, QStringLiteral("T5")) || r == RowOf(w, QStringLiteral("T7")) ? w.MSGrid1()->TextMatrix(r, 4)
                                                                                           : QString());
  for (const AccountStatement& st : w.Statements())
    EXPECT_EQ(st.Failed(), st.facts.code == QStringLiteral("T5") || st.facts.code == QStringLiteral("T7"));
}

// The two-sided view of a credit-direction account: the bank's adjustments
// change places, so the enterprise side still adds up. Its detail: the four
// sections with the credit account's bank lines the other way round, the
// handed-in totals and balances, the key column, and the claim of the detailed
// statement given back once.
TEST_P(StatementWindowsTest, TwoSidedAndDetailedStatementOfACreditAccount) {
  AddCreditAccount(QStringLiteral("T5"));
  TestAccount quiet;
  quiet.code = QStringLiteral("T6");
  ledger_.AddAccount(quiet);
  ledger_.Journal(QStringLiteral("T6"), QDate(2026, 4, 1), 4, M("0"), M("3"), false, false);
  frmYETJB& w = OpenStatement();
  const int r = RowOf(w, QStringLiteral("T5"));
  ASSERT_GT(r, 0);
  w.MSGrid1()->SetCurrentCell(r, 0);
  frmYETJB1 view(w);
  QStringList labels;
  for (int n : {12, 14, 15, 16, 17, 18, 19, 20, 21, 22}) labels << view.Label(QStringLiteral("Label%1").arg(n))->text();
  // Hand-computed: journal 900+100+60-30-7 = 1023; bank 1000-(20+7-50-5) = 1028;
  // enterprise side 1023+55-20 = 1058, bank side 1028+171-30 = 1169.
  EXPECT_EQ(labels, QStringList({QStringLiteral("贷方(测试)户(T5)"), "1,058.00", "1,169.00", "55.00", "20.00", "171.00",
                                 "30.00", "2026.06.30", "1,023.00", "1,028.00"}));
  QStringList cells;
  for (int c = 5; c <= 8; ++c) cells << w.MSGrid1()->TextMatrix(r, c);
  EXPECT_EQ(cells, QStringList({"171.00", "30.00", "20.00", "55.00"}));

  view.ShowDetailStatement();
  frmYHDZCX1* d = Session::Current().windows.Find<frmYHDZCX1>();
  ASSERT_NE(d, nullptr);
  const platform::SplitGrid& g = *d->ZqgridSP1();
  // Sections: bank received (bd_c 0 for a credit account) 2, bank paid 1,
  // journal debits 3 (the opening item before the start included), credits 1;
  // then the totals and balances of the two-sided view.
  ASSERT_EQ(g.Rows(), 3 + 3 + 2);
  auto amounts = [&g](int r) {
    QStringList t;
    for (int c : {1, 2, 5, 10, 14}) t << g.TextMatrix(r, c);
    return t.join(QLatin1Char('|'));
  };
  EXPECT_EQ(amounts(3), "N2|50.00|20.00|11.00|30.00");
  EXPECT_EQ(amounts(4), "N3|5.00||100.00|");
  EXPECT_EQ(amounts(5), "|||60.00|");
  EXPECT_EQ(amounts(6), Res("00182") + "|55.00|20.00|171.00|30.00");
  EXPECT_EQ(g.TextMatrix(7, 5) + '|' + g.TextMatrix(7, 14), "1,058.00|1,169.00");
  EXPECT_EQ(g.TextMatrix(0, 0), Res("00598") + QStringLiteral("1,023.00"));
  // The totals row and the balances row have colours of their own, which the
  // cells show; item rows keep the grid's.
  const QAbstractItemModel* model = g.Body()->model();
  std::vector<QColor> colours;
  for (int r : {3, 6, 7}) colours.push_back(model->data(model->index(r, 1), Qt::BackgroundRole).value<QColor>());
  EXPECT_EQ(colours, std::vector<QColor>({QColor(), QColor(0xD4, 0xD0, 0xC8), QColor(0xFF, 0xFF, 0xF0)}));
  // Amounts are right-aligned, and their columns wider than a date's.
  for (int c : {1, 2, 5, 8, 10, 14}) EXPECT_EQ(g.IsAmountColumn(c), c != 1 && c != 8) << c;
  EXPECT_GT(g.PrintColumnWidth(2), g.PrintColumnWidth(1));
  EXPECT_GT(g.PrintColumnWidth(9), g.PrintColumnWidth(2));  // digests wider still
  EXPECT_EQ(g.TextMatrix(3, 9) + '|' + g.TextMatrix(3, 13), QStringLiteral("摘要6|摘要9"));
  if (!Book()) {
    // Row 3 holds an item of both journal sections, row 4 of the debits only.
    EXPECT_TRUE(g.TextMatrix(3, 15).startsWith(QStringLiteral("1,21,")));
    EXPECT_TRUE(g.TextMatrix(3, 15).contains(QStringLiteral(";1,5,")));
    EXPECT_TRUE(g.TextMatrix(4, 15).startsWith(QStringLiteral("1,4,")));
    EXPECT_TRUE(g.TextMatrix(4, 15).endsWith(QLatin1Char(';')));
  }
  EXPECT_EQ(shared::FunctionClaimCount(DetailId()), 1);
  for (const char* key : {"search", "find", "filt"}) EXPECT_FALSE(d->Toolbar()->IsButtonEnabled(QString::fromLatin1(key))) << key;
  EXPECT_EQ(d->Toolbar()->IsButtonVisible(QStringLiteral("vouch")), !Book());
  EXPECT_EQ(d->Toolbar()->IsButtonVisible(QStringLiteral("sepvouch")), !Book());
  EXPECT_TRUE(d->findChild<QWidget*>(QStringLiteral("Picture2"))->autoFillBackground());

  // A second Detail on an account with fewer items shows none of the first one's.
  d = OpenDetail(w, QStringLiteral("T6"));
  ASSERT_EQ(d->ZqgridSP1()->Rows(), 3 + 1 + 2);
  for (int c = 0; c <= 10; ++c) EXPECT_EQ(d->ZqgridSP1()->TextMatrix(3, c), QString()) << c;
  if (!Book()) {
    EXPECT_TRUE(d->ZqgridSP1()->TextMatrix(3, 15).startsWith(QLatin1Char(';')));
  }
  EXPECT_EQ(shared::FunctionClaimCount(DetailId()), 1);

  // Another holder of the same function (the tick-status query) keeps it claimed
  // when the detailed statement closes.
  ASSERT_TRUE(shared::ClaimFunction(DetailId(), true));
  d->close();
  QApplication::processEvents();
  EXPECT_EQ(ClaimRows(DetailId()), 1);
  EXPECT_TRUE(shared::ClaimFunction(DetailId(), false));
  EXPECT_EQ(ClaimRows(DetailId()), 0);
}

// A double click shows the voucher of a journal item, and nothing anywhere else;
// book flows are no vouchers, so in book mode nothing shows at all.
TEST_P(StatementWindowsTest, VoucherDrillDown) {
  AddCreditAccount(QStringLiteral("T5"));
  frmYHDZCX1* d = OpenDetail(OpenStatement(), QStringLiteral("T5"));
  ASSERT_NE(d, nullptr);
  platform::VoucherViewer::SetMaker([] { return std::make_unique<RecordingViewer>(); });
  struct Case { int row, col; bool shows; };
  const bool v = !Book();
  const Case cases[] = {{4, 8, v},      {3, 12, v},     {3, 8, false},  // row 3's debit is an opening item
                        {4, 2, false},  {2, 8, false},  {6, 10, false}, {7, 14, false}, {5, 13, false}};
  for (const Case& c : cases) {
    gVouchersShown.clear();
    d->ZqgridSP1_DblClick(c.row, c.col);
    EXPECT_EQ(gVouchersShown.size(), c.shows ? 1u : 0u) << c.row << "," << c.col;
  }
  gVouchersShown.clear();
  d->ZqgridSP1_DblClick(4, 9);
  platform::VoucherViewer::SetMaker({});
  ASSERT_EQ(gVouchersShown.size(), Book() ? 0u : 1u);
  if (Book()) return;
  EXPECT_EQ(gVouchersShown[0].mid(0, 7), QStringList({"GL", "GL0205", "3", "CN", "1", "4", "记"}));
  EXPECT_TRUE(gVouchersShown[0][8].contains(QStringLiteral("mc=0")));
}

// Opened from the menu, the window shows its toolbar above the title and the grid:
// the first layout runs before the window is on screen.
TEST_P(StatementWindowsTest, OpensWithItsToolbarAboveTheGrid) {
  frmYETJB& w = OpenStatement();
  QCoreApplication::processEvents();
  ASSERT_TRUE(w.isVisible());
  EXPECT_GT(w.Toolbar()->height(), 0);
  EXPECT_GE(w.MSGrid1()->y(), w.Toolbar()->height());
  // The name column takes the room the window has, never less than its own width.
  for (int width : {1500, 400}) {
    w.resize(width, 500);
    QCoreApplication::processEvents();
    int shown = 0;
    for (int c = 0; c < w.MSGrid1()->Cols(); ++c) shown += w.MSGrid1()->View()->columnWidth(c);
    EXPECT_GE(shown, w.MSGrid1()->View()->viewport()->width() - 1) << width;
    EXPECT_GE(w.MSGrid1()->ColWidth(0), 2500) << width;
    // The title stays centred over the grid.
    EXPECT_NEAR(w.findChild<QLabel*>(QStringLiteral("lblHeader"))->geometry().center().x(), w.width() / 2, 1) << width;
  }
}

// The grid print under "RPYETJB" from toolbar and right-click menu, and the work
// rows of the three reports.
TEST_P(StatementWindowsTest, PrintsAndReports) {
  AddCreditAccount(QStringLiteral("T5"));
  testing::ScriptedPrinting printing;
  // The print formats of the demo account set are kept on the server.
  suite::SuiteSettings(session_.Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
  frmYETJB& w = OpenStatement();
  // The right-click items run the window's procedures by name.
  for (const char* key : {"setup", "preview", "dataout"}) {
    const QString item = QStringLiteral("r") + QString::fromLatin1(key);
    shared::RightMenuHost::InstallChooser([item](QMenu& menu, const QPoint&) -> QAction* {
      for (QAction* a : menu.actions())
        if (a->objectName().compare(item, Qt::CaseInsensitive) == 0) return a;
      return nullptr;
    });
    shared::ShowRightMenu(&w, {QStringLiteral("setup"), QStringLiteral("print"), QStringLiteral("preview"),
                               QStringLiteral("dataout"), QStringLiteral("view3")});
  }
  shared::RightMenuHost::InstallChooser({});
  w.Toolbar1_ButtonClick(QStringLiteral("print"));
  ASSERT_EQ(printing.GridPrints().size(), 4u);
  const int modes[] = {3, 1, 2, 0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(printing.GridPrints()[i].mode, modes[i]);
    EXPECT_EQ(printing.GridPrints()[i].reportKey, QStringLiteral("RPYETJB"));
    EXPECT_EQ(printing.GridPrints()[i].grid, w.MSGrid1());
  }
  EXPECT_EQ(printing.GridPrints()[3].title, Res("00913") + Res("00138"));

  session_.Messages().Clear();
  w.rPrint();
  for (const auto& m : session_.Messages().Shown()) ADD_FAILURE() << m.prompt.toStdString();
  ASSERT_EQ(printing.Runs().size(), 1u);
  const testing::ReportRunRecord& grid = printing.Runs()[0];
  // The demo lists accounts in yuan and in dollars.
  EXPECT_EQ(Fields(grid.headRow, {"P1", "P7"}),
            QStringList({Res("00913"), GetResString(QStringLiteral("corvane.print.amountunitmixed"))}));
  EXPECT_TRUE(grid.tailRow.value("P6").toString().startsWith(Res("00055")));
  // The unit is the account set's name, the preparer the signed-in user.
  EXPECT_EQ(Fields(grid.tailRow, {"P4", "P5"}), QStringList({Res("00053") + "演示账套", Res("00054") + "测试"}));
  EXPECT_EQ(grid.job.reportKind, platform::kReportKindGrid);
  EXPECT_EQ(grid.body.size(), static_cast<size_t>(w.MSGrid1()->Rows() - 1));

  const int r = RowOf(w, QStringLiteral("T5"));
  w.MSGrid1()->SetCurrentCell(r, 0);
  frmYETJB1 view(w);
  view.Toolbar1_ButtonClick(QStringLiteral("preview"));
  ASSERT_EQ(printing.Runs().size(), 2u);
  EXPECT_EQ(printing.Runs()[1].verb, testing::ReportRunRecord::Verb::Preview);
  const QVariantMap& two = printing.Runs()[1].headRow;
  EXPECT_EQ(printing.Runs()[1].job.reportKind, platform::kReportKindForm);
  const QString name = Book() ? GetResString(QStringLiteral("corvane.balance.bookname")) : Res("00511");
  const QString journal = Book() ? GetResString(QStringLiteral("corvane.balance.bookjournal")) : Res("00503");
  EXPECT_EQ(Fields(two, {"P2", "P6", "P9", "P13", "P30"}),
            QStringList({name + "贷方(测试)户(T5)", journal, "1,023.00", "55.00", "1"}));
  EXPECT_TRUE(two.value("P20").toString().startsWith(Res("00053") + QStringLiteral("演示账套")));
  EXPECT_TRUE(two.value("P20").toString().endsWith(Res("00054") + QStringLiteral("测试")));
  EXPECT_TRUE(two.value("P28").isNull());
  EXPECT_EQ(two.value("P4").toString(), Res("00052"));  // the unit, as the screen shows it

  // Data output: the four lines of both sides, caption beside figure.
  view.Toolbar1_ButtonClick(QStringLiteral("dout"));
  ASSERT_EQ(printing.Runs().size(), 3u);
  const testing::ReportRunRecord& out = printing.Runs()[2];
  EXPECT_EQ(out.verb, testing::ReportRunRecord::Verb::DataOut);
  ASSERT_EQ(out.body.size(), 4u);
  EXPECT_EQ(out.body[0], QStringList({Res("00087"), QStringLiteral("1,023.00"), Res("00087"), QStringLiteral("1,028.00")}));
  EXPECT_EQ(out.body[3][0], Res("00726"));
  EXPECT_EQ(out.body[1][1], "55.00");  // credit account: the bank's receipts
  EXPECT_EQ(out.job.fields.at(3).caption, GetResString(QStringLiteral("corvane.balance.amountcolumn"), Res("00755"), Res("00052")));

  view.ShowDetailStatement();
  frmYHDZCX1* d = Session::Current().windows.Find<frmYHDZCX1>();
  ASSERT_NE(d, nullptr);
  d->Toolbar1_ButtonClick(QStringLiteral("preview"));
  ASSERT_EQ(printing.Runs().size(), 4u);
  EXPECT_EQ(printing.Runs()[3].verb, testing::ReportRunRecord::Verb::Preview);
  EXPECT_EQ(Fields(printing.Runs()[3].headRow, {"P4", "P5"}),
            QStringList({Res("00571") + "2026.06.30", Res("00511") + "贷方(测试)户(T5)"}));
  EXPECT_EQ(printing.Runs()[3].body.size(), 3u + 2u);
  EXPECT_EQ(printing.Runs()[3].bodyHeader.size(), 15);  // the hidden key column is not printed
}

// The statement only reads: it loads while another session is matching an
// account (its ticks written, not yet committed; on SQLite that session holds the
// database's write lock), shows the figures of the moment without a word, and
// the pass's ticks once they are committed.
TEST_P(StatementWindowsTest, LoadsWhileAnotherSessionIsMatching) {
  TestAccount a;
  a.code = QStringLiteral("T4");
  ledger_.AddAccount(a);
  ledger_.Journal(a.code, QDate(2026, 4, 10), 4, M("8"), M("0"), false, false);
  ledger_.Bank(a.code, QDate(2026, 4, 11), 1, M("8"), false, false);
  ledger_.Journal(a.code, QDate(2026, 4, 12), 4, M("5"), M("0"), false, false);
  auto load = [this, &a](QStringList& row) {
    session_.Messages().Clear();
    QPointer<frmYETJB> w = new frmYETJB();
    w->LoadData();
    EXPECT_EQ(session_.Messages().Count(), 0);
    ASSERT_FALSE(w.isNull());
    row.clear();
    const int r = RowOf(*w, a.code);
    for (int c = 0; r > 0 && c < w->MSGrid1()->Cols(); ++c) row << w->MSGrid1()->TextMatrix(r, c);
    delete w;
  };
  QStringList before, during, after;
  load(before);
  ASSERT_EQ(before.size(), 11);
  EXPECT_EQ(before.mid(5, 3), QStringList({"13.00", "0.00", "8.00"}));
  std::unique_ptr<platform::DbConnection> other = session_.Database().OpenAnother();
  {
    platform::AccountWriteTransaction matching(*other, Book() ? QStringLiteral("AT4") : a.code);
    other->Execute(QStringLiteral("update %1 set iflagbank=4 where %2=? and md=?").arg(ledger_.JournalTable(), ledger_.Key()),
                   {a.code, M("8")});
    other->Execute(QStringLiteral("update %1 set iflag=4 where %2=? and mmoney=?").arg(ledger_.StatementTable(), ledger_.Key()),
                   {a.code, M("8")});
    load(during);
    EXPECT_EQ(during, before);
    matching.Commit();
  }
  load(after);
  ASSERT_EQ(after.size(), 11);
  EXPECT_EQ(after.mid(5, 3), QStringList({"5.00", "0.00", "0.00"}));
}

// The detailed statement's header rows take the configured second font's size,
// 12 points unless set (none is too large to be kept), and are tall enough for it.
TEST_P(StatementWindowsTest, DetailHeaderTakesTheConfiguredFontSize) {
  AddCreditAccount(QStringLiteral("T5"));
  frmYETJB& w = OpenStatement();
  const struct {
    const char* setting;
    int points;
  } cases[] = {{nullptr, 12}, {"16", 16}, {"9", 9}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.points);
    if (c.setting)
      suite::SuiteSettings(session_.Db(), QStringLiteral("001"))
          .Set(QStringLiteral("GridTitleFontSize"), QString::fromLatin1(c.setting));
    frmYHDZCX1* d = OpenDetail(w, QStringLiteral("T5"));
    ASSERT_NE(d, nullptr);
    const platform::SplitGrid& g = *d->ZqgridSP1();
    const QAbstractItemModel* model = g.Header()->model();
    for (int row = 0; row < 3; ++row) {
      const QFont f = model->data(model->index(row, 0), Qt::FontRole).value<QFont>();
      EXPECT_EQ(f.pointSize(), c.points) << row;
      EXPECT_GE(g.HeaderRowHeight(), QFontMetrics(f).height()) << row;
    }
    EXPECT_EQ(model->data(model->index(3, 0), Qt::FontRole), QVariant());  // the items keep the body's font
  }
}

// The two-sided view and clearing show no window icon, not even the one of the
// window under them or of the application; the statement and the detailed
// statement show the component's.
TEST_P(StatementWindowsTest, WindowIcons) {
  AddCreditAccount(QStringLiteral("T5"));
  QPixmap appIcon(32, 32);
  appIcon.fill(Qt::red);
  QApplication::setWindowIcon(QIcon(appIcon));
  frmYETJB& w = OpenStatement();
  w.MSGrid1()->SetCurrentCell(RowOf(w, QStringLiteral("T5")), 0);
  frmYETJB1 view(w);
  frmYHZHX clearing;
  frmYHDZCX1* d = OpenDetail(w, QStringLiteral("T5"));
  ASSERT_NE(d, nullptr);
  const struct {
    const char* name;
    const QWidget* window;
    bool icon;
  } cases[] = {{"statement", &w, true}, {"two-sided view", &view, false}, {"clearing", &clearing, false},
               {"detailed statement", d, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(ShowsAnIcon(*c.window), c.icon) << c.name;
    if (c.icon) {
      EXPECT_NE(c.window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey()) << c.name;
    }
  }
  QApplication::setWindowIcon(QIcon());
}

// The detailed statement: the header strip and the empty panel under the grid
// are the suite's panels; the title has two rules under it, as wide as it.
TEST_P(StatementWindowsTest, DetailedStatementPanelsAndRules) {
  AddCreditAccount(QStringLiteral("T5"));
  frmYHDZCX1* d = OpenDetail(OpenStatement(), QStringLiteral("T5"));
  ASSERT_NE(d, nullptr);
  d->resize(1000, 500);
  QApplication::processEvents();
  for (const char* name : {"Picture2", "Picture3"}) {
    const QWidget* panel = d->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(panel, nullptr) << name;
    EXPECT_TRUE(panel->autoFillBackground()) << name;
    EXPECT_EQ(panel->palette().color(QPalette::Window), panel->palette().color(QPalette::Base)) << name;
  }
  const QWidget* picture2 = d->findChild<QWidget*>(QStringLiteral("Picture2"));
  const QWidget* picture3 = d->findChild<QWidget*>(QStringLiteral("Picture3"));
  const QWidget* grid = d->ZqgridSP1();
  EXPECT_GE(picture3->y(), grid->y() + grid->height());
  EXPECT_EQ(picture3->width(), d->width());
  const QLabel* title = d->findChild<QLabel*>(QStringLiteral("Label1"));
  const QList<QFrame*> rules = d->findChildren<QFrame*>(QStringLiteral("Shape1"));
  ASSERT_EQ(rules.size(), 2);
  int lastY = title->mapTo(picture2, QPoint(0, title->height())).y();
  for (const QFrame* rule : rules) {
    EXPECT_TRUE(picture2->isAncestorOf(rule));
    EXPECT_EQ(rule->frameShape(), QFrame::HLine);
    const QRect r(rule->mapTo(picture2, QPoint(0, 0)), rule->size());
    EXPECT_GE(r.top(), lastY);
    EXPECT_EQ(r.width(), title->width());
    lastY = r.bottom();
  }
}

// A grid print that fails says why, for each of the four grid commands, and the
// statement stays open.
TEST_P(StatementWindowsTest, AGridPrintFailureIsSaid) {
  auto& factory = platform::ObjectFactory::Instance();
  const auto kept = factory.makeGridPrintService;
  factory.makeGridPrintService = [](platform::CommonServices&) { return std::make_unique<FailingGridPrint>(); };
  frmYETJB& w = OpenStatement();
  for (const char* key : {"setup", "print", "preview", "dout"}) {
    session_.Messages().Clear();
    w.Toolbar1_ButtonClick(QString::fromLatin1(key));
    ASSERT_EQ(session_.Messages().Count(), 1) << key;
    EXPECT_EQ(session_.Messages().Shown()[0].prompt,
              GetResString(QStringLiteral("corvane.balance.printfailed"), QStringLiteral("打印机不可用")))
        << key;
    EXPECT_EQ(session_.Messages().Shown()[0].buttons, 16) << key;
  }
  factory.makeGridPrintService = kept;
  EXPECT_EQ(Session::Current().windows.Find<frmYETJB>(), &w);
}

INSTANTIATE_TEST_SUITE_P(Modes, StatementWindowsTest, ::testing::Bool(), ModeName);

}  // namespace
}  // namespace corvane::balance::test
