#include "recon_fixture.h"

#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "reconcile/balance_check.h"
#include "reconcile/frm_yhdz_check.h"

#include <QLabel>
#include <functional>

namespace corvane::testing {
namespace {

using platform::Money;
using reconcile::BalanceTotals;
using reconcile::frmYHDZ;
using reconcile::frmYHDZCheck;
using reconcile::SumTickedTotals;
using reconcile::TotalOf;

std::optional<Money> Opt(const char* text) { return text ? std::optional<Money>(M(text)) : std::nullopt; }

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
    EXPECT_EQ(reconcile::TotalsBalance(t, c.bankFx), c.balanced) << c.name;
  }
}

// The sums of the ticked lines, against the database in account and book mode.
class TickedTotalsTest : public ReconTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    ReconTest::SetUp();
    SetBookMode(GetParam());
  }
  BalanceTotals Sum(bool foreign = false) {
    const reconcile::ReconLoadRequest r{.code = QStringLiteral("A"), .bookCode = QStringLiteral("BK1"),
                                        .bookMode = GetParam(), .reconStart = QDate(2026, 3, 1)};
    return SumTickedTotals(db_.Connection(), r, foreign);
  }
  bool Applies(int modes) const { return modes == 0 || (modes == 1) != GetParam(); }

  TestDatabase db_;
  MatchLedger data_{db_.Connection(), GetParam()};
  MatchLedger other_{db_.Connection(), !GetParam()};
};

constexpr int kBothModes = 0, kAccountMode = 1, kBookMode = 2;

TEST_P(TickedTotalsTest, CountTheLinesTheListsAdmit) {
  struct Case {
    const char* name;
    std::function<void(JournalRow&)> change;
    const char *debit, *credit;  // nullptr: no total
    int modes = kBothModes;
    bool foreign = false;
    bool otherModeTable = false;
  };
  const Case journal[] = {
      {"automatic tick", [](JournalRow&) {}, "100", "0"},
      {"manual tick, credit", [](JournalRow& l) { l.tick = 15; l.md = "0"; l.mc = "40"; }, "0", "40"},
      {"foreign amounts", [](JournalRow& l) { l.mcForeign = "2"; }, "7", "2", kBothModes, true},
      {"unticked", [](JournalRow& l) { l.tick = nullptr; }, nullptr, nullptr},
      {"tick 0", [](JournalRow& l) { l.tick = 0; }, nullptr, nullptr},
      {"cleared", [](JournalRow& l) { l.cleared = 1; }, nullptr, nullptr},
      {"journal opening", [](JournalRow& l) { l.period = 20; }, nullptr, nullptr},
      {"opening item on the start date", [](JournalRow& l) { l.period = 21; l.date = QDate(2026, 3, 1); }, nullptr, nullptr},
      {"opening item before the start", [](JournalRow& l) { l.period = 21; l.date = QDate(2026, 2, 28); }, "100", "0"},
      {"not posted", [](JournalRow& l) { l.posted = 0; }, nullptr, nullptr},
      {"void voucher", [](JournalRow& l) { l.voucherState = 1; }, nullptr, nullptr, kAccountMode},
      {"other account", [](JournalRow& l) { l.code = QStringLiteral("B"); }, nullptr, nullptr},
      {"other book", [](JournalRow& l) { l.book = QStringLiteral("BK2"); }, nullptr, nullptr, kBookMode},
      {"the other mode's table", [](JournalRow&) {}, nullptr, nullptr, kBothModes, false, true},
  };
  for (const Case& c : journal) {
    if (!Applies(c.modes)) continue;
    SCOPED_TRACE(c.name);
    data_.Clear();
    JournalRow line{.md = "100", .mdForeign = "7", .tick = 3};
    c.change(line);
    (c.otherModeTable ? other_ : data_).Add(line);
    const BalanceTotals t = Sum(c.foreign);
    EXPECT_EQ(t.qyJf, Opt(c.debit));
    EXPECT_EQ(t.qyDf, Opt(c.credit));
    EXPECT_EQ(t.yhJf, std::nullopt);
  }
  const std::tuple<const char*, std::function<void(StatementRow&)>, const char*, const char*, int> statement[] = {
      {"debit", [](StatementRow&) {}, "50", "0", kBothModes},
      {"credit, manual tick", [](StatementRow& l) { l.debit = 0; l.tick = 20; }, "0", "50", kBothModes},
      {"no direction is credit", [](StatementRow& l) { l.debit = nullptr; }, "0", "50", kBothModes},
      {"unticked", [](StatementRow& l) { l.tick = nullptr; }, nullptr, nullptr, kBothModes},
      {"cleared", [](StatementRow& l) { l.cleared = 1; }, nullptr, nullptr, kBothModes},
      {"opening row", [](StatementRow& l) { l.begin = 0; }, nullptr, nullptr, kBothModes},
      {"other account", [](StatementRow& l) { l.code = QStringLiteral("B"); }, nullptr, nullptr, kBothModes},
      {"other book", [](StatementRow& l) { l.book = QStringLiteral("BK2"); }, nullptr, nullptr, kBookMode},
  };
  for (const auto& [name, change, debit, credit, modes] : statement) {
    if (!Applies(modes)) continue;
    SCOPED_TRACE(name);
    data_.Clear();
    StatementRow line{.debit = 1, .amount = "50", .tick = 3};
    change(line);
    data_.Add(line);
    const BalanceTotals t = Sum();
    EXPECT_EQ(t.yhJf, Opt(debit));
    EXPECT_EQ(t.yhDf, Opt(credit));
    EXPECT_EQ(t.qyJf, std::nullopt);
  }
  data_.Clear();
  other_.Add(StatementRow{.debit = 1, .amount = "50", .tick = 3});  // the other mode's table
  EXPECT_EQ(Sum().yhJf, std::nullopt);
}

// The check command on a loaded window of a credit-direction account (and book).
class BalanceCheckWindowTest : public TickedTotalsTest {
 protected:
  void SetUp() override {
    TickedTotalsTest::SetUp();
    common->connection = &db_.Connection();
    common->param.Value4 = QStringLiteral("BK1");
    cash->bookDirection = -1;
    db_.Connection().Execute(QStringLiteral("insert into code (ccode, ccode_name, bd_c, be, bend) values (?,?,0,1,1)"),
                             {QStringLiteral("A"), QStringLiteral("银行存款")});
  }
};

TEST_P(BalanceCheckWindowTest, TotalsTheLoadedAccountWhateverWasSelectedSince) {
  for (const JournalRow& l : {JournalRow{.md = "100", .tick = 3}, JournalRow{.mc = "30", .tick = 14},
                              JournalRow{.md = "100"},  // unticked
                              JournalRow{.date = QDate(2026, 3, 5), .md = "100", .period = 21, .tick = 3},
                              JournalRow{.md = "100", .tick = 3, .code = QStringLiteral("B")}})
    data_.Add(l);
  for (const StatementRow& l : {StatementRow{.debit = 1, .amount = "30", .tick = 3},
                                StatementRow{.amount = "100", .tick = 3},
                                StatementRow{.debit = 1, .amount = "50", .tick = 3, .code = QStringLiteral("B")}})
    data_.Add(l);
  frmYHDZ& w = Window();
  w.LoadData(QStringLiteral("A"), true);
  ASSERT_EQ(w.CurYHKM, "A");
  // Another selection made elsewhere since the window loaded.
  common->param.Value1 = QStringLiteral("B");
  common->param.Value4 = QStringLiteral("BK2");

  std::vector<QString> cells;  // debit row, then credit row; journal column, then statement column
  bool balanced = false, saysBalanced = false;
  modals.Then([&](QDialog& d) {
    auto& check = dynamic_cast<frmYHDZCheck&>(d);
    for (int r = 1; r <= 2; ++r)
      for (int c = 1; c <= 2; ++c) cells.push_back(check.MSGrid1()->TextMatrix(r, c));
    balanced = check.Balanced();
    saysBalanced = !Child<QLabel>(d, "Label1")->isHidden() && Child<QLabel>(d, "Label2")->isHidden();
  });
  reconcile::RunBalanceCheck(w);
  EXPECT_EQ(modals.Shown(), std::vector<QString>{QStringLiteral("frmYHDZCheck")});
  EXPECT_EQ(w.CurYHKM, "A");
  EXPECT_EQ(std::vector<Money>({TotalOf(w.ChkQyJf), TotalOf(w.ChkQyDf), TotalOf(w.ChkYhJf), TotalOf(w.ChkYhDf)}),
            std::vector<Money>({M("100"), M("30"), M("30"), M("100")}));
  // The journal's receipts face the statement's credits on a credit-direction account.
  EXPECT_EQ(cells, std::vector<QString>({"100.00", "100.00", "30.00", "30.00"}));
  EXPECT_TRUE(balanced);
  EXPECT_TRUE(saysBalanced);
}

TEST_P(BalanceCheckWindowTest, AFailingSumIsSaidAndShowsNoTotals) {
  data_.Add(JournalRow{.md = "100", .tick = 3});
  frmYHDZ& w = Window();
  w.LoadData(QStringLiteral("A"), true);
  messages.Clear();
  db_.Connection().Execute(
      QStringLiteral("alter table %1 rename to statement_gone").arg(GetParam() ? "rp_bankrecp_rp" : "rp_bankrecp"));
  reconcile::RunBalanceCheck(w);
  EXPECT_EQ(modals.Count(), 0);
  ASSERT_EQ(messages.Count(), 1);
  EXPECT_EQ(messages.Shown()[0].buttons, 16);
}

// A first load whose account facts cannot be read leaves no start date: until a
// load succeeds, matching, cancelling and the balance check are refused, with
// nothing asked and nothing written.
TEST_P(BalanceCheckWindowTest, NoCommandRunsUntilALoadHasSucceeded) {
  data_.Add(JournalRow{.md = "100", .tick = 3});
  data_.Add(StatementRow{.amount = "100", .tick = 3});
  common->accountFails = cash->bookFails = true;
  frmYHDZ& w = Window();
  w.LoadData(QStringLiteral("A"), true);
  ASSERT_EQ(messages.Count(), 1);  // the failed load itself
  const long long ticked = data_.TickedLines();
  for (const char* key : {"auto", "unauto", "check"}) {
    SCOPED_TRACE(key);
    messages.Clear();
    w.Toolbar1_ButtonClick(QString::fromLatin1(key));
    EXPECT_EQ(modals.Count(), 0);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.LastPrompt(), QStringLiteral("corvane.recon.notloaded"));
    EXPECT_TRUE(w.Toolbar()->isEnabled());
  }
  EXPECT_EQ(data_.TickedLines(), ticked);
  // Once the facts can be read, a reload lets the commands run again.
  common->accountFails = cash->bookFails = false;
  w.Reload();
  w.Toolbar1_ButtonClick(QStringLiteral("check"));
  EXPECT_EQ(modals.Shown(), std::vector<QString>{QStringLiteral("frmYHDZCheck")});
}

INSTANTIATE_TEST_SUITE_P(Modes, TickedTotalsTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });
INSTANTIATE_TEST_SUITE_P(Modes, BalanceCheckWindowTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::testing
