#include "statement_fixture.h"
#include "host/open_bank_statement.h"
#include "shared/function_claim.h"

#include "platform/services/common_services.h"
#include "platform/services/object_factory.h"
#include "shared/frm_yhfilter.h"
#include "suite/services/suite_login_context.h"
#include "suite/services/suite_settings.h"
#include "support/scripted_print.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace corvane::statement {
namespace {

using platform::Money;

class DeleteTest : public StatementTest {
 protected:
  long long Lines() { return Count("select count(*) from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()}); }
};

TEST_P(DeleteTest, OneLineAfterYes) {
  AddLine(QDate(2026, 7, 5), true, 50);
  const qint64 id = AddLine(QDate(2026, 7, 6), true, 10);
  AddLine(QDate(2026, 7, 7), false, 5);
  frmYHDZD* w = Open();
  w->MsGrid1()->SetCurrentCell(2, 1);
  session_.Messages().Answer(7);
  w->Toolbar1_ButtonClick(QStringLiteral("del"));
  EXPECT_EQ(Lines(), 3);
  session_.Messages().Answer(6);
  w->Toolbar1_ButtonClick(QStringLiteral("del"));
  EXPECT_EQ(Count("select count(*) from " + Table() + " where i_id=?", {id}), 0);
  EXPECT_EQ(Column(w, 6), QStringList({"1,050.00", "1,045.00"}));
}

TEST_P(DeleteTest, ARangeInOneGoAndNothingWhenOneIsTicked) {
  for (int d = 1; d <= 5; ++d) AddLine(QDate(2026, 7, d), true, d);
  frmYHDZD* w = Open();
  w->MsGrid1()->SetCurrentCell(4, 1);
  w->MsGrid1()->SetRowSel(2);
  session_.Messages().Answer(6);
  w->DeleteRow();
  EXPECT_EQ(Lines(), 2);
  EXPECT_EQ(Column(w, 6), QStringList({"1,001.00", "1,006.00"}));
  EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00680")));
}

struct RefusalCase {
  const char* name;
  int tick;
  QDate date;
  QString key;
};

TEST_P(DeleteTest, RefusalsStopTheWholeRange) {
  const RefusalCase cases[] = {
      {"Ticked", 5, QDate(2026, 7, 3), "Q9.GL.ZWSQL.CASHBANK.00112"},
      {"BeforeStart", 0, QDate(2026, 6, 3), "Q9.GL.ZWSQL.CASHBANK.00667"},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
    AddLine(c.date, true, 1, c.tick);
    AddLine(QDate(2026, 7, 4), true, 2);
    frmYHDZD* w = Open();
    session_.Messages().Clear();
    w->MsGrid1()->SetCurrentCell(1, 1);
    w->MsGrid1()->SetRowSel(2);
    w->DeleteRow();
    EXPECT_EQ(session_.Messages().Count(), 1);
    EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(c.key));
    EXPECT_EQ(Lines(), 2);
    CloseWindow(w);
  }
}

TEST_P(DeleteTest, AnUnsavedRowGoesWithoutAQuestion) {
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  w->AddRow();
  w->MsGrid1()->SetCurrentCell(2, 3);
  session_.Messages().Clear();
  w->Toolbar1_ButtonClick(QStringLiteral("del"));
  EXPECT_EQ(w->MsGrid1()->Rows(), 2);
  EXPECT_EQ(session_.Messages().Count(), 0);
}

TEST_P(DeleteTest, ALineTickedMeanwhileIsNotDeleted) {
  const qint64 id = AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  Exec("update " + Table() + " set iflag=3 where i_id=?", {id});
  session_.Messages().Answer(6);
  w->DeleteRow();
  EXPECT_EQ(Lines(), 1);
  EXPECT_EQ(w->MsGrid1()->Rows(), 2);
}

TEST_P(DeleteTest, ALineGoneMeanwhileIsReportedAndItsRowRemoved) {
  const qint64 gone = AddLine(QDate(2026, 7, 5), true, 50);
  AddLine(QDate(2026, 7, 6), true, 10);
  frmYHDZD* w = Open();
  Exec("delete from " + Table() + " where i_id=?", {gone});
  w->MsGrid1()->SetCurrentCell(1, 1);
  w->MsGrid1()->SetRowSel(2);
  session_.Messages().Answer(6);
  w->DeleteRow();
  EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.notfind"), gone));
  EXPECT_EQ(Lines(), 0);
  EXPECT_EQ(w->MsGrid1()->Rows(), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, DeleteTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

// --- Filter ------------------------------------------------------------------------

class FilterTest : public StatementTest {};

TEST_P(FilterTest, DatesAreComparedAsDatesWhateverTheirForm) {
  AddLine(QDate(2026, 7, 5), true, 50, 0, "A");
  AddLine(QDate(2026, 8, 15), false, 20, 0, "B");
  AddLine(QDate(2026, 10, 1), true, 20, 0, "C");
  frmYHDZD* w = Open();
  struct Case {
    const char* name;
    QString start, end, number, amount;
    int direction;
    std::vector<bool> hidden;
  };
  const Case cases[] = {
      {"AllBlank", "", "", "", "", 0, {false, false, false}},
      {"DashedDates", "2026-8-1", "2026-9-30", "", "", 0, {true, false, true}},
      {"Number", "", "", "C", "", 0, {true, true, false}},
      {"NumberInOtherCase", "", "", "c", "", 0, {true, true, true}},
      {"NumberWithATrailingBlank", "", "", "C ", "", 0, {true, true, true}},
      {"CreditSide", "", "", "", "", 2, {true, false, true}},
      {"AmountEitherSide", "", "", "", "20", 0, {true, false, false}},
      {"AmountOnDebit", "", "", "", "20.00", 1, {true, true, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    w->Filter = shared::FilterConditions{true, true, c.start, c.end, QString(), c.number,
                                         static_cast<quint8>(c.direction), c.amount};
    w->ApplyFilter();
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(w->MsGrid1()->IsRowHidden(r), c.hidden[r - 1]) << r;
  }
}

TEST_P(FilterTest, TheDialogHandsItsConditionsBack) {
  AddLine(QDate(2026, 7, 5), true, 50, 0, "A");
  AddLine(QDate(2026, 8, 15), false, 20, 0, "B");
  frmYHDZD* w = Open();
  session_.Modals().Then([](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
    dialog.Text3()->setText(QStringLiteral("B"));
    dialog.Command1_Click();
  });
  w->Toolbar1_ButtonClick(QStringLiteral("filt"));
  EXPECT_TRUE(w->Filter.ExecCom);
  EXPECT_TRUE(w->MsGrid1()->IsRowHidden(1));
  EXPECT_FALSE(w->MsGrid1()->IsRowHidden(2));
}

INSTANTIATE_TEST_SUITE_P(Modes, FilterTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

// --- Report ------------------------------------------------------------------------

// The print formats come from the account set's own table here.
class ReportTest : public StatementTest {
 protected:
  ReportTest() { suite::SuiteSettings(Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0")); }
};

TEST_P(ReportTest, WorkTablesHoldOneRowAndTheGridIsTheBody) {
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  testing::ScriptedPrinting printing;
  w->rPrint();
  w->rPreview();
  ASSERT_EQ(printing.Runs().size(), 2u);
  const auto& run = printing.Runs().back();
  EXPECT_EQ(run.headRow.value("P1").toString(), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00502")));
  EXPECT_EQ(run.headRow.value("P5").toString(), w->Label1()->text());
  EXPECT_TRUE(run.tailRow.value("P6").toString().endsWith(QDate::currentDate().toString("yyyy.MM.dd")));
  // The unit is the account set's name, the preparer the signed-in user.
  EXPECT_EQ(run.tailRow.value("P4").toString(), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00053")) + "演示账套");
  EXPECT_EQ(run.tailRow.value("P5").toString(), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00054")) + "测试");
  ASSERT_EQ(run.body.size(), 1u);
  EXPECT_EQ(run.body[0].last(), "1,050.00");
  EXPECT_EQ(testing::ScriptedPrinting::ReadWorkTable(run.job.dataFile, "ZPDJ_Head").size(), 1u);
}

TEST_P(ReportTest, DataOutputHasTheSixColumns) {
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  testing::ScriptedPrinting printing;
  w->rDataOut();
  ASSERT_EQ(printing.Runs().size(), 1u);
  EXPECT_EQ(printing.Runs()[0].verb, testing::ReportRunRecord::Verb::DataOut);
  EXPECT_EQ(printing.Runs()[0].job.fields.size(), 6u);
}

INSTANTIATE_TEST_SUITE_P(Modes, ReportTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

// --- Opener ------------------------------------------------------------------------

class OpenerTest : public StatementTest {};

TEST_P(OpenerTest, NoSettlementStylesNoWindow) {
  Exec("delete from settlestyle");
  host::ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
  EXPECT_EQ(shared::Session::Current().windows.Find<frmYHDZD>(), nullptr);
  EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03529")));
  EXPECT_EQ(session_.Modals().Count(), 0);
}

TEST_P(OpenerTest, CancelOpensNothing) {
  host::ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
  EXPECT_EQ(shared::Session::Current().windows.Find<frmYHDZD>(), nullptr);
  EXPECT_TRUE(OtherSessionCanLock("100204", "GL040702"));
}

TEST_P(OpenerTest, HoldsTheAccountUntilClosedAndOpensOnce) {
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  const QString function = host::BankStatementFunctionId();
  EXPECT_FALSE(OtherSessionCanLock("100204", "GL040702"));
  EXPECT_EQ(shared::FunctionClaimCount(function), 1);
  host::ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
  EXPECT_EQ(session_.Modals().Count(), 1);  // the second click only raised the window
  EXPECT_EQ(shared::FunctionClaimCount(function), 1);
  CloseWindow(w);
  EXPECT_TRUE(OtherSessionCanLock("100204", "GL040702"));
  EXPECT_EQ(shared::FunctionClaimCount(function), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, OpenerTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::statement
