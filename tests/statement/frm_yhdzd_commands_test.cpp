#include "statement_fixture.h"

#include "platform/controls/grid_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace corvane::statement {
namespace {

class DeleteTest : public StatementTest {};

// The lines: one before the start date, 07-01 to 07-03 open, 07-04 ticked. The
// range chosen goes in one go after one question, and the balances below are
// recomputed; a ticked line or one before the start in it refuses it all. A line
// ticked meanwhile stays; one gone meanwhile is reported and its row removed. An
// unsaved row goes without a question.
TEST_P(DeleteTest, TheRangeChosenGoesInOneGoOrNotAtAll) {
  enum Meanwhile { kNothing, kTicked, kGone, kUnsaved, kHidden };
  const QString one = QStringLiteral("00114"), range = QStringLiteral("00680");  // the questions
  const QStringList all = {"1,000.00", "1,002.00", "1,005.00", "1,009.00", "1,014.00"};
  const struct {
    const char* name;
    int from, to;         // grid rows chosen
    Meanwhile meanwhile;  // to the line of row `from`, after the window opened
    int answer;           // to the question, 0: none asked
    QStringList shown;    // message keys
    QStringList balances;
  } cases[] = {
      {"declined", 2, 2, kNothing, 7, {one}, all},
      {"one line", 3, 3, kNothing, 6, {one}, {"1,000.00", "1,002.00", "1,006.00", "1,011.00"}},
      {"a range", 2, 4, kNothing, 6, {range}, {"1,000.00", "1,005.00"}},
      {"a ticked line in it", 4, 5, kNothing, 0, {"00112"}, all},
      {"a line before the start in it", 1, 2, kNothing, 0, {"00667"}, all},
      {"ticked meanwhile", 2, 2, kTicked, 6, {one, "00112"}, all},
      {"gone meanwhile", 2, 3, kGone, 6, {range, "notfind"}, {"1,000.00", "1,004.00", "1,009.00"}},
      {"unsaved row", 6, 6, kUnsaved, 0, {}, all},
      {"a hidden line in it", 2, 4, kHidden, 0, {"corvane.grid.deletehidden"}, all},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
    std::vector<qint64> ids{AddLine(QDate(2026, 6, 3), true, 1)};
    for (int d = 1; d <= 4; ++d) ids.push_back(AddLine(QDate(2026, 7, d), true, d + 1, d == 4 ? 5 : 0));
    frmYHDZD* w = Open();
    const qint64 first = c.from <= 5 ? ids[c.from - 1] : 0;
    if (c.meanwhile == kTicked) Exec("update " + Table() + " set iflag=3 where i_id=?", {first});
    if (c.meanwhile == kGone) Exec("delete from " + Table() + " where i_id=?", {first});
    if (c.meanwhile == kUnsaved) w->AddRow();
    if (c.meanwhile == kHidden) w->MsGrid1()->SetRowHeight(3, 0);
    w->MsGrid1()->SetCurrentCell(c.to, 1);
    w->MsGrid1()->SetRowSel(c.from);
    session_.Messages().Clear();
    if (c.answer) session_.Messages().Answer(c.answer);
    w->Toolbar1_ButtonClick(QStringLiteral("del"));
    QStringList want, prompts;
    for (const QString& key : c.shown) {
      const QString full = key.contains('.') ? key : "Q9.GL.ZWSQL.CASHBANK." + key;
      want << (key == "notfind" ? shared::GetResString(full, first) : shared::GetResString(full));
    }
    for (const auto& m : session_.Messages().Shown()) prompts << m.prompt;
    EXPECT_EQ(prompts, want);
    EXPECT_EQ(Column(w, 6), c.balances);
    EXPECT_EQ(Lines(), static_cast<long long>(c.balances.size()));
    CloseWindow(w);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, DeleteTest, ::testing::Bool(), ModeName);

// --- Filter ------------------------------------------------------------------------

class FilterTest : public StatementTest {};

// Dates compare as dates whatever their form; a style exactly, a number as a key.
TEST_P(FilterTest, DatesAreComparedAsDatesWhateverTheirForm) {
  Exec("update " + Table() + " set csettle='201' where i_id=?", {AddLine(QDate(2026, 7, 5), true, 50, 0, "A")});
  AddLine(QDate(2026, 8, 15), false, 20, 0, "B");
  AddLine(QDate(2026, 10, 1), true, 20, 0, "C");
  frmYHDZD* w = Open();
  const struct {
    const char* name;
    QString start, end, style, number, amount;
    int direction;
    std::vector<bool> hidden;
  } cases[] = {
      {"AllBlank", "", "", "", "", "", 0, {false, false, false}},
      {"DashedDates", "2026-8-1", "2026-9-30", "", "", "", 0, {true, false, true}},
      {"Style", "", "", "201", "", "", 0, {false, true, true}},
      {"Number", "", "", "", "C", "", 0, {true, true, false}},
      {"NumberInOtherCase", "", "", "", "c", "", 0, {true, true, false}},
      {"NumberWithATrailingBlank", "", "", "", "C ", "", 0, {true, true, false}},
      {"CreditSide", "", "", "", "", "", 2, {true, false, true}},
      {"AmountEitherSide", "", "", "", "", "20", 0, {true, false, false}},
      {"AmountOnDebit", "", "", "", "", "20.00", 1, {true, true, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    w->Filter = shared::FilterConditions{true, true, c.start, c.end, c.style, c.number,
                                         static_cast<quint8>(c.direction), c.amount};
    w->ApplyFilter();
    std::vector<bool> hidden;
    for (int r = 1; r <= 3; ++r) hidden.push_back(w->MsGrid1()->IsRowHidden(r));
    EXPECT_EQ(hidden, c.hidden);
  }
}

// One window, the filter command run again and again: each OK filters from all
// the lines, "取消过滤" shows them all, and a Cancel (or the dialog's close box)
// leaves the rows as the last command left them.
TEST_P(FilterTest, TheDialogHandsItsConditionsBack) {
  AddLine(QDate(2026, 7, 5), true, 50, 0, "A");
  AddLine(QDate(2026, 8, 15), false, 20, 0, "B");
  AddLine(QDate(2026, 8, 16), false, 30, 0, "C");
  frmYHDZD* w = Open();
  enum Close { kOk, kCancel, kCloseBox };
  const struct {
    const char* name;
    QString number;
    int direction;
    bool off;  // "取消过滤" ticked
    Close close;
    std::vector<bool> hidden;
  } steps[] = {
      {"Number", "b", 0, false, kOk, {true, false, true}},
      {"NothingFound", "Z", 0, false, kOk, {true, true, true}},
      {"Credit", "", 2, false, kOk, {true, false, false}},
      {"SwitchedOff", "", 2, true, kOk, {false, false, false}},
      {"CancelAfterSwitchingOff", "", 2, false, kCancel, {false, false, false}},
      {"CreditAgain", "", 2, false, kOk, {true, false, false}},
      {"CancelKeepsTheFilter", "", 0, false, kCancel, {true, false, false}},
      {"SwitchedOffAgain", "", 2, true, kOk, {false, false, false}},
      {"CloseBox", "", 2, false, kCloseBox, {false, false, false}},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    session_.Modals().Then([&s](QDialog& d) {
      auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
      dialog.Text3()->setText(s.number);
      dialog.Option1(s.direction)->setChecked(true);
      dialog.Check1()->setChecked(s.off);
      if (s.close == kOk) dialog.Command1()->click();
      else if (s.close == kCancel) dialog.Command2()->click();
      else dialog.close();
    });
    w->Toolbar()->Click(QStringLiteral("filt"));
    std::vector<bool> hidden;
    for (int r = 1; r <= 3; ++r) hidden.push_back(w->MsGrid1()->IsRowHidden(r));
    EXPECT_EQ(hidden, s.hidden);
    if (s.close == kOk) { EXPECT_TRUE(w->Filter.ExecCom); }
  }
  EXPECT_EQ(Prompts(), QStringList{shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00045"))});
}

INSTANTIATE_TEST_SUITE_P(Modes, FilterTest, ::testing::Bool(), ModeName);

// --- Report ------------------------------------------------------------------------

// The print formats come from the account set's own table here.
class ReportTest : public StatementTest {
 protected:
  ReportTest() { suite::SuiteSettings(Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0")); }
};

// Print and preview fill one head and tail row; the grid is the body. Data
// output has the six columns.
TEST_P(ReportTest, WorkTablesHoldOneRowAndTheGridIsTheBody) {
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  testing::ScriptedPrinting printing;
  w->rPrint();
  w->rPreview();
  w->rDataOut();
  ASSERT_EQ(printing.Runs().size(), 3u);
  const auto& run = printing.Runs()[1];
  EXPECT_EQ(run.headRow.value("P5").toString(), w->Label1()->text());
  EXPECT_TRUE(run.tailRow.value("P6").toString().endsWith(QDate::currentDate().toString("yyyy.MM.dd")));
  // The unit is the account set's name, the preparer the signed-in user.
  EXPECT_EQ(run.tailRow.value("P4").toString(), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00053")) + "演示账套");
  EXPECT_EQ(run.tailRow.value("P5").toString(), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00054")) + "测试");
  ASSERT_EQ(run.body.size(), 1u);
  EXPECT_EQ(run.body[0].last(), "1,050.00");
  EXPECT_EQ(testing::ScriptedPrinting::ReadWorkTable(run.job.dataFile, "ZPDJ_Head").size(), 1u);
  EXPECT_EQ(printing.Runs()[2].verb, testing::ReportRunRecord::Verb::DataOut);
  EXPECT_EQ(printing.Runs()[2].job.fields.size(), 6u);
}

INSTANTIATE_TEST_SUITE_P(Modes, ReportTest, ::testing::Bool(), ModeName);

// --- Opener ------------------------------------------------------------------------

class OpenerTest : public StatementTest {};

// A cancelled selection opens nothing and locks nothing; without settlement
// styles there is no selection and the user is told why.
TEST_P(OpenerTest, NothingOpensWithoutAChoiceOrSettlementStyles) {
  host::ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
  EXPECT_EQ(shared::Session::Current().windows.Find<frmYHDZD>(), nullptr);
  EXPECT_TRUE(OtherSessionCanLock("100204"));
  EXPECT_EQ(session_.Modals().Count(), 1);
  Exec("delete from settlestyle");
  host::ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
  EXPECT_EQ(shared::Session::Current().windows.Find<frmYHDZD>(), nullptr);
  EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03529")));
  EXPECT_EQ(session_.Modals().Count(), 1);
}

TEST_P(OpenerTest, HoldsTheAccountUntilClosedAndOpensOnce) {
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  const QString function = host::BankStatementFunctionId();
  EXPECT_FALSE(OtherSessionCanLock("100204"));
  EXPECT_EQ(shared::FunctionClaimCount(function), 1);
  host::ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
  EXPECT_EQ(session_.Modals().Count(), 1);  // the second click only raised the window
  EXPECT_EQ(shared::FunctionClaimCount(function), 1);
  CloseWindow(w);
  EXPECT_TRUE(OtherSessionCanLock("100204"));
  EXPECT_EQ(shared::FunctionClaimCount(function), 0);
}

// Closing gives the function back even when the account's lock cannot be
// released (here its table is gone while the window is open); that lock stays
// until the session ends.
TEST_P(OpenerTest, ClosingGivesTheFunctionBackWhateverTheLockRelease) {
  const QString function = host::BankStatementFunctionId();
  const struct {
    const char* name;
    bool releaseFails;
  } cases[] = {{"Released", false}, {"ReleaseFails", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    frmYHDZD* w = Open();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(shared::FunctionClaimCount(function), 1);
    if (c.releaseFails) Exec("alter table corvane_lock rename to corvane_lock_gone");
    CloseWindow(w);
    if (c.releaseFails) Exec("alter table corvane_lock_gone rename to corvane_lock");
    EXPECT_EQ(shared::FunctionClaimCount(function), 0);
    EXPECT_EQ(Count("select count(*) from corvane_claim where function_id=?", {function}), 0);
    EXPECT_EQ(OtherSessionCanLock("100204"), !c.releaseFails);
  }
}

// The window opens wide enough for every column: the balance, the last, ends
// inside the grid's view, clear of the scroll bar a long statement brings.
TEST_P(OpenerTest, OpensWithEveryColumnInSight) {
  for (int day = 1; day <= 40; ++day) AddLine(QDate(2026, 7, 1).addDays(day), true, day);
  session_.Modals().Then(Choose());
  host::ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
  QCoreApplication::processEvents();
  QTableView* view = shared::Session::Current().windows.Find<frmYHDZD>()->MsGrid1()->View();
  ASSERT_TRUE(view->verticalScrollBar()->isVisible());
  EXPECT_LE(view->columnViewportPosition(6) + view->columnWidth(6), view->viewport()->width());
}

class HotKeyTest : public StatementTest {};

// The grid's hot keys run their command with their own modifier only: Ctrl+I
// adds a row, Delete or Ctrl+D asks to delete the saved row; the same letters
// with another modifier or none do nothing.
TEST_P(HotKeyTest, EachRunsItsCommandWithItsOwnModifierOnly) {
  AddLine(QDate(2026, 7, 5), true, 10);
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  const QString deleteQuestion = shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00114"));
  const struct {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    int rowsAdded;
    bool asksToDelete;
  } cases[] = {
      {"Ctrl+I", Qt::Key_I, Qt::ControlModifier, 1, false},
      {"I", Qt::Key_I, Qt::NoModifier, 0, false},
      {"Ctrl+Shift+I", Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier, 0, false},
      {"Alt+I", Qt::Key_I, Qt::AltModifier, 0, false},
      {"Ctrl+J", Qt::Key_J, Qt::ControlModifier, 0, false},
      {"Delete", Qt::Key_Delete, Qt::NoModifier, 0, true},
      {"Ctrl+D", Qt::Key_D, Qt::ControlModifier, 0, true},
      {"D", Qt::Key_D, Qt::NoModifier, 0, false},
      {"Alt+D", Qt::Key_D, Qt::AltModifier, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    w->MsGrid1()->SetCurrentCell(1, 1);  // the saved line
    const int rows = w->MsGrid1()->Rows();
    session_.Messages().Clear();
    session_.Messages().Answer(7);  // No to a delete question
    QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
    QApplication::sendEvent(w->MsGrid1()->View(), &press);
    EXPECT_EQ(w->MsGrid1()->Rows(), rows + c.rowsAdded);
    EXPECT_EQ(Prompts().contains(deleteQuestion), c.asksToDelete) << Prompts().join(' ').toStdString();
    if (c.rowsAdded) {
      w->MsGrid1()->SetCurrentCell(1, 1);  // leaves the new empty row, which goes without a question
      QApplication::processEvents();
    }
    session_.Messages().Clear();
  }
  EXPECT_EQ(Lines(), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, HotKeyTest, ::testing::Bool(), ModeName);

INSTANTIATE_TEST_SUITE_P(Modes, OpenerTest, ::testing::Bool(), ModeName);

}  // namespace
}  // namespace corvane::statement
