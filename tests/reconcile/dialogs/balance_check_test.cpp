#include "recon_fixture.h"

#include "platform/controls/list_grid.h"
#include "reconcile/balance_check.h"
#include "reconcile/frm_yhdz_check.h"

#include <QFrame>
#include <QLabel>
#include <functional>

namespace corvane::testing {
namespace {

using platform::Money;
using reconcile::BalanceTotals;
using reconcile::frmYHDZ;
using reconcile::frmYHDZCheck;
using reconcile::ReconLoadRequest;
using reconcile::SumTickedTotals;
using reconcile::TotalOf;
using reconcile::TotalsBalance;

std::optional<Money> Opt(const char* text) { return text ? std::optional<Money>(M(text)) : std::nullopt; }

// --- The balance test.

TEST(BalanceTest, JournalNetAgainstTheFacingStatementNetWithinACent) {
  struct Case { const char* name; const char *qyJf, *qyDf, *yhJf, *yhDf; bool bankFx, balanced; };
  const Case cases[] = {
      {"nothing ticked", nullptr, nullptr, nullptr, nullptr, false, true},
      {"debit faces credit", "1000", "0", "0", "1000", false, true},
      {"debit against debit, opposite sides", "1000", "0", "1000", "0", false, false},
      {"debit against debit, same sides", "1000", "0", "1000", "0", true, true},
      {"nets, not totals", "1000", "300", "300", "1000", false, true},
      {"a cent apart", "1000", "0", "0", "999.99", false, false},
      {"less than a cent", "1000", "0", "0", "999.996", false, true},
      {"a missing total is 0", "25", nullptr, nullptr, "25", false, true},
  };
  for (const Case& c : cases) {
    const BalanceTotals t{Opt(c.qyJf), Opt(c.qyDf), Opt(c.yhJf), Opt(c.yhDf)};
    EXPECT_EQ(TotalsBalance(t, c.bankFx), c.balanced) << c.name;
  }
}

TEST(BalanceTest, TotalsTravelThroughTheWindowsVariables) {
  EXPECT_TRUE(reconcile::TotalVariant(std::nullopt).isNull());
  EXPECT_EQ(TotalOf(reconcile::TotalVariant(M("1234.5678"))), M("1234.5678"));
  EXPECT_EQ(TotalOf(QVariant()), Money());
  EXPECT_EQ(TotalOf(QVariant(0)), Money());
  EXPECT_EQ(TotalOf(QVariant(12.5)), M("12.5"));
  EXPECT_EQ(TotalOf(QVariant(QStringLiteral("-3.25"))), M("-3.25"));
}

// --- The sums, against the database in both modes.

class TickedTotalsTest : public ReconTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    ReconTest::SetUp();
    SetBookMode(GetParam());
  }
  ReconLoadRequest Account() const {
    ReconLoadRequest r;
    r.code = QStringLiteral("A");
    r.bookCode = QStringLiteral("BK1");
    r.bookMode = GetParam();
    r.reconStart = QDate(2026, 3, 1);
    return r;
  }
  bool Applies(int modes) const { return modes == 0 || (modes == 1) != GetParam(); }

  TestDatabase db_;
  ReconData data_{db_.Connection(), GetParam()};
};

constexpr int kBothModes = 0, kAccountMode = 1, kBookMode = 2;

TEST_P(TickedTotalsTest, JournalLinesTheListsAdmit) {
  struct Case {
    const char* name;
    std::function<void(JournalLine&)> change;
    bool foreign;
    const char *debit, *credit;  // nullptr: no total
    int modes;
  };
  const Case cases[] = {
      {"automatic tick", [](JournalLine&) {}, false, "100", "0", kBothModes},
      {"manual tick", [](JournalLine& l) { l.tick = 15; }, false, "100", "0", kBothModes},
      {"credit line", [](JournalLine& l) { l.md = "0"; l.mc = "40"; }, false, "0", "40", kBothModes},
      {"foreign amounts", [](JournalLine& l) { l.mcForeign = "2"; }, true, "7", "2", kBothModes},
      {"unticked", [](JournalLine& l) { l.tick.reset(); }, false, nullptr, nullptr, kBothModes},
      {"tick 0", [](JournalLine& l) { l.tick = 0; }, false, nullptr, nullptr, kBothModes},
      {"cleared", [](JournalLine& l) { l.cleared = 1; }, false, nullptr, nullptr, kBothModes},
      {"journal opening", [](JournalLine& l) { l.period = 20; }, false, nullptr, nullptr, kBothModes},
      {"opening item on the start date", [](JournalLine& l) { l.period = 21; l.date = QDate(2026, 3, 1); }, false,
       nullptr, nullptr, kBothModes},
      {"opening item before the start", [](JournalLine& l) { l.period = 21; l.date = QDate(2026, 2, 28); }, false,
       "100", "0", kBothModes},
      {"not posted", [](JournalLine& l) { l.posted = 0; }, false, nullptr, nullptr, kBothModes},
      {"void voucher", [](JournalLine& l) { l.voucherState = 1; }, false, nullptr, nullptr, kAccountMode},
      {"voucher state 2", [](JournalLine& l) { l.voucherState = 2; }, false, "100", "0", kAccountMode},
      {"other account", [](JournalLine& l) { l.code = QStringLiteral("B"); }, false, nullptr, nullptr, kBothModes},
      {"other book of the account", [](JournalLine& l) { l.book = QStringLiteral("BK2"); }, false, nullptr, nullptr,
       kBookMode},
      {"the other mode's table", [](JournalLine& l) { l.otherModeTable = true; }, false, nullptr, nullptr,
       kBothModes},
  };
  for (const Case& c : cases) {
    if (!Applies(c.modes)) continue;
    SCOPED_TRACE(c.name);
    data_.Clear();
    JournalLine line;
    c.change(line);
    data_.Add(line);
    const BalanceTotals t = SumTickedTotals(db_.Connection(), Account(), c.foreign);
    EXPECT_EQ(t.qyJf, Opt(c.debit));
    EXPECT_EQ(t.qyDf, Opt(c.credit));
    EXPECT_EQ(t.yhJf, std::nullopt);
    EXPECT_EQ(t.yhDf, std::nullopt);
  }
}

TEST_P(TickedTotalsTest, StatementLinesTheListsAdmit) {
  struct Case {
    const char* name;
    std::function<void(StatementLine&)> change;
    const char *debit, *credit;
    int modes;
  };
  const Case cases[] = {
      {"debit", [](StatementLine&) {}, "50", "0", kBothModes},
      {"credit", [](StatementLine& l) { l.debit = 0; }, "0", "50", kBothModes},
      {"no direction is credit", [](StatementLine& l) { l.debit.reset(); }, "0", "50", kBothModes},
      {"manual tick", [](StatementLine& l) { l.tick = 20; }, "50", "0", kBothModes},
      {"unticked", [](StatementLine& l) { l.tick.reset(); }, nullptr, nullptr, kBothModes},
      {"cleared", [](StatementLine& l) { l.cleared = 1; }, nullptr, nullptr, kBothModes},
      {"opening row", [](StatementLine& l) { l.ibegin = 0; }, nullptr, nullptr, kBothModes},
      {"other account", [](StatementLine& l) { l.code = QStringLiteral("B"); }, nullptr, nullptr, kBothModes},
      {"other book of the account", [](StatementLine& l) { l.book = QStringLiteral("BK2"); }, nullptr, nullptr,
       kBookMode},
      {"the other mode's table", [](StatementLine& l) { l.otherModeTable = true; }, nullptr, nullptr, kBothModes},
  };
  for (const Case& c : cases) {
    if (!Applies(c.modes)) continue;
    SCOPED_TRACE(c.name);
    data_.Clear();
    StatementLine line;
    c.change(line);
    data_.Add(line);
    const BalanceTotals t = SumTickedTotals(db_.Connection(), Account(), false);
    EXPECT_EQ(t.yhJf, Opt(c.debit));
    EXPECT_EQ(t.yhDf, Opt(c.credit));
    EXPECT_EQ(t.qyJf, std::nullopt);
  }
}

TEST_P(TickedTotalsTest, TwoJournalDebitsAgainstOneStatementCredit) {
  JournalLine first, second;
  second.md = "50";
  second.tick = 14;
  StatementLine credit;
  credit.debit = 0;
  credit.amount = "150";
  data_.Add(first);
  data_.Add(second);
  data_.Add(credit);
  const BalanceTotals t = SumTickedTotals(db_.Connection(), Account(), false);
  EXPECT_EQ(t.qyJf, M("150"));
  EXPECT_EQ(t.qyDf, M("0"));
  EXPECT_EQ(t.yhJf, M("0"));
  EXPECT_EQ(t.yhDf, M("150"));
  EXPECT_TRUE(TotalsBalance(t, false));
}

// --- The check command on a loaded window.

class BalanceCheckWindowTest : public TickedTotalsTest {
 protected:
  void SetUp() override {
    TickedTotalsTest::SetUp();
    common->connection = &db_.Connection();
    common->param.Value4 = QStringLiteral("BK1");
    cash->bookDirection = -1;  // a credit-direction book, as account A below
    db_.Connection().Execute(QStringLiteral("insert into code (ccode, ccode_name, bd_c, be, bend) values (?,?,0,1,1)"),
                             {QStringLiteral("A"), QStringLiteral("银行存款")});
  }

  // Shows the check through the seam and reads its table.
  struct Shown { QString cells[2][2]; bool balanced = false; };
  Shown RunCheck(frmYHDZ& w) {
    Shown shown;
    modals.Then([&](QDialog& d) {
      auto& check = dynamic_cast<frmYHDZCheck&>(d);
      for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) shown.cells[r][c] = check.MSGrid1()->TextMatrix(r + 1, c + 1);
      shown.balanced = check.Balanced();
    });
    reconcile::RunBalanceCheck(w);
    return shown;
  }
};

TEST_P(BalanceCheckWindowTest, TotalsTheLoadedAccountWhateverWasSelectedSince) {
  JournalLine debit, credit, unticked, lateOpening, otherAccount;
  credit.md = "0";
  credit.mc = "30";
  credit.tick = 14;
  unticked.tick.reset();
  lateOpening.period = 21;
  lateOpening.date = QDate(2026, 3, 5);
  otherAccount.code = QStringLiteral("B");
  for (const JournalLine& l : {debit, credit, unticked, lateOpening, otherAccount}) data_.Add(l);
  StatementLine sDebit, sCredit, sOther;
  sDebit.amount = "30";
  sCredit.debit = 0;
  sCredit.amount = "100";
  sOther.code = QStringLiteral("B");
  for (const StatementLine& l : {sDebit, sCredit, sOther}) data_.Add(l);

  frmYHDZ& w = Window();
  w.LoadData(QStringLiteral("A"), true);
  ASSERT_EQ(w.CurYHKM, "A");
  // Another selection made elsewhere since the window loaded.
  common->param.Value1 = QStringLiteral("B");
  common->param.Value4 = QStringLiteral("BK2");

  const Shown shown = RunCheck(w);
  EXPECT_EQ(modals.Shown(), std::vector<QString>{QStringLiteral("frmYHDZCheck")});
  EXPECT_EQ(w.CurYHKM, "A");
  EXPECT_FALSE(w.BankFx);
  EXPECT_EQ(TotalOf(w.ChkQyJf), M("100"));
  EXPECT_EQ(TotalOf(w.ChkQyDf), M("30"));
  EXPECT_EQ(TotalOf(w.ChkYhJf), M("30"));
  EXPECT_EQ(TotalOf(w.ChkYhDf), M("100"));
  // The journal's receipts face the statement's credits on a credit-direction account.
  EXPECT_EQ(shown.cells[0][0], "100.00");
  EXPECT_EQ(shown.cells[1][0], "30.00");
  EXPECT_EQ(shown.cells[0][1], "100.00");
  EXPECT_EQ(shown.cells[1][1], "30.00");
  EXPECT_TRUE(shown.balanced);
}

TEST_P(BalanceCheckWindowTest, NothingTickedShowsZerosThatBalance) {
  frmYHDZ& w = Window();
  w.LoadData(QStringLiteral("A"), true);
  const Shown shown = RunCheck(w);
  for (const QVariant* v : {&w.ChkQyJf, &w.ChkQyDf, &w.ChkYhJf, &w.ChkYhDf}) {
    EXPECT_FALSE(v->isNull());
    EXPECT_EQ(TotalOf(*v), Money());
  }
  EXPECT_EQ(shown.cells[0][0], "0.00");
  EXPECT_EQ(shown.cells[1][1], "0.00");
  EXPECT_TRUE(shown.balanced);
}

TEST_P(BalanceCheckWindowTest, AFailingSumIsSaidAndShowsNoTotals) {
  data_.Add(JournalLine());
  frmYHDZ& w = Window();
  w.LoadData(QStringLiteral("A"), true);
  messages.Clear();
  const QString table = GetParam() ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
  db_.Connection().Execute(QStringLiteral("alter table %1 rename to statement_gone").arg(table));
  reconcile::RunBalanceCheck(w);
  EXPECT_EQ(modals.Count(), 0);
  ASSERT_EQ(messages.Count(), 1);
  EXPECT_EQ(messages.Shown()[0].buttons, 16);
}

INSTANTIATE_TEST_SUITE_P(Modes, TickedTotalsTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });
INSTANTIATE_TEST_SUITE_P(Modes, BalanceCheckWindowTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

// --- The check window.

using CheckWindowTest = ReconTest;

TEST_F(CheckWindowTest, LaysTheTotalsOutByTheAccountDirection) {
  struct Case {
    const char* name;
    QVariant qyJf, qyDf, yhJf, yhDf;
    bool bankFx;
    const char* cells[2][2];
    bool balanced;
  };
  const QVariant none;
  auto money = [](const char* t) { return QVariant::fromValue(M(t)); };
  const Case cases[] = {
      {"nothing ticked", none, none, none, none, false, {{"0.00", "0.00"}, {"0.00", "0.00"}}, true},
      {"debit against credit", money("1000"), none, money("0"), money("1000"), false,
       {{"1,000.00", "1,000.00"}, {"0.00", "0.00"}}, true},
      {"debit against debit", money("1000"), none, money("1000"), money("0"), false,
       {{"1,000.00", "0.00"}, {"0.00", "1,000.00"}}, false},
      {"same sides face", money("1000"), none, money("1000"), money("0"), true,
       {{"1,000.00", "1,000.00"}, {"0.00", "0.00"}}, true},
      {"large and negative", money("1234567.8"), money("-12.5"), QVariant(0.0), money("1234580.3"), false,
       {{"1,234,567.80", "1,234,580.30"}, {"-12.50", "0.00"}}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frmYHDZ& w = Window();
    w.ChkQyJf = c.qyJf;
    w.ChkQyDf = c.qyDf;
    w.ChkYhJf = c.yhJf;
    w.ChkYhDf = c.yhDf;
    w.BankFx = c.bankFx;
    frmYHDZCheck check(w);
    for (int r = 0; r < 2; ++r)
      for (int col = 0; col < 2; ++col)
        EXPECT_EQ(check.MSGrid1()->TextMatrix(r + 1, col + 1), QString::fromUtf8(c.cells[r][col])) << r << col;
    EXPECT_EQ(check.Balanced(), c.balanced);
    EXPECT_EQ(!Child<QFrame>(check, QStringLiteral("Shape1"))->isHidden(), c.balanced);
    EXPECT_EQ(!Child<QLabel>(check, QStringLiteral("Label1"))->isHidden(), c.balanced);
    EXPECT_EQ(!Child<QFrame>(check, QStringLiteral("Shape2"))->isHidden(), !c.balanced);
    EXPECT_EQ(!Child<QLabel>(check, QStringLiteral("Label2"))->isHidden(), !c.balanced);
    // A missing total is 0 in the window's variable afterwards.
    for (const QVariant* v : {&w.ChkQyJf, &w.ChkQyDf, &w.ChkYhJf, &w.ChkYhDf}) EXPECT_FALSE(v->isNull());
  }
}

TEST_F(CheckWindowTest, HeadingsComeFromTheTexts) {
  frmYHDZCheck check(Window());
  platform::ListGrid* grid = check.MSGrid1();
  ASSERT_EQ(grid->Rows(), 3);
  ASSERT_EQ(grid->Cols(), 3);
  EXPECT_EQ(check.windowTitle(), "对账平衡检查");
  EXPECT_EQ(grid->TextMatrix(0, 0), "Q9.GL.ZWSQL.CASHBANK.00707");
  EXPECT_EQ(grid->TextMatrix(0, 1), "Q9.GL.ZWSQL.CASHBANK.00503");
  EXPECT_EQ(grid->TextMatrix(0, 2), "Q9.GL.ZWSQL.CASHBANK.00502");
  EXPECT_EQ(grid->TextMatrix(1, 0), "Q9.GL.ZWSQL.CASHBANK.00710");
  EXPECT_EQ(grid->TextMatrix(2, 0), "Q9.GL.ZWSQL.CASHBANK.00711");
}

}  // namespace
}  // namespace corvane::testing
