#include "shared/grid_editor_balance.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <optional>

namespace corvane::shared {
namespace {

using platform::Money;

Money M(double v) { return Money::FromDouble(v); }

struct Line {
  double debit, credit;
  bool debitSide;  // the direction the row is saved in
};

TEST(RunningBalance, AppendGivesEachRowItsBalanceAndARecomputeTheSame) {
  struct Case {
    const char* name;
    bool debitIncreases;
    double start;
    std::vector<Line> lines;
    std::vector<double> balances;
  };
  const Case cases[] = {
      {"DebitAccount", true, 930, {{100, 0, true}, {0, 30, false}, {50, 0, true}}, {1030, 1000, 1050}},
      {"CreditAccount", false, 1070, {{100, 0, true}, {0, 30, false}, {50, 0, true}}, {970, 1000, 950}},
      {"CentsStayExact", true, 0, {{0.1, 0, true}, {0.2, 0, true}, {0, 0.3, false}}, {0.1, 0.3, 0}},
      {"BelowZero", true, 10, {{0, 25.5, false}}, {-15.5}},
      {"BothAmountsCountAsTheDirectionSavedIn", true, 0, {{7, 3, true}, {7, 3, false}}, {7, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunningBalance b;
    b.Reset(M(c.start), c.debitIncreases);
    QStringList shown, expected;
    for (const Line& l : c.lines) shown << b.Append(M(l.debit), M(l.credit), l.debitSide);
    for (double v : c.balances) expected << M(v).ToDisplayText();
    EXPECT_EQ(shown, expected);
    b.RecomputeFrom(1);
    for (size_t i = 0; i < c.balances.size(); ++i) EXPECT_EQ(b.BalanceAt(static_cast<int>(i) + 1), M(c.balances[i]));
  }
}

// A changed row moves only itself and the rows below; inserted and removed rows keep the order.
TEST(RunningBalance, ChangesInsertsAndRemovesRecomputeFromTheirRowDown) {
  RunningBalance b;
  b.Reset(M(1000), true);
  for (int i = 0; i < 4; ++i) b.Append(M(10), Money(), true);
  b.SetAmounts(3, Money(), M(5), false);
  EXPECT_EQ(b.RecomputeFrom(3), 3);
  EXPECT_EQ((std::vector<Money>{b.BalanceAt(2), b.BalanceAt(3), b.BalanceAt(4)}),
            (std::vector<Money>{M(1020), M(1015), M(1025)}));
  b.InsertRow(2);
  b.SetAmounts(2, M(100), Money(), true);
  b.RecomputeFrom(2);
  EXPECT_EQ(b.BalanceAt(3), M(1120));
  b.RemoveRow(1);
  b.RecomputeFrom(1);
  EXPECT_EQ((std::vector<Money>{b.BalanceBefore(1), b.BalanceAt(1), b.BalanceAt(2)}),
            (std::vector<Money>{M(1000), M(1100), M(1110)}));
  b.RemoveRows(1, 2);
  b.RecomputeFrom(1);
  EXPECT_EQ(b.Rows(), 2);
  EXPECT_EQ(b.BalanceAt(1), M(995));
}

// Stored lines beyond what a line may carry: the balances from the first one that
// leaves the range down are unknown (shown empty), the rows above keep theirs.
TEST(RunningBalance, BalancesBeyondTheRangeAreUnknownFromTheirRowDown) {
  struct Case {
    const char* name;
    Money start;
    std::optional<Money> carried;  // a line before the first row
    std::vector<Money> debits;
    int fault;
  };
  const Case cases[] = {
      {"LargestAmountAlone", Money(), {}, {Money::Max()}, 0},
      {"LargestAmountOverAStart", M(1), {}, {Money::Max(), M(1)}, 1},
      {"SumOfTwoRows", Money(), {}, {M(1), Money::Max(), M(2)}, 2},
      {"CarriedIntoTheStart", Money::Max(), M(1), {M(1), M(2)}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunningBalance b;
    b.Reset(c.start, true);
    if (c.carried) EXPECT_EQ(b.CarryIntoStart(*c.carried, true), c.fault != 1);
    for (Money d : c.debits) b.Append(d, Money(), true);
    EXPECT_EQ(b.FaultRow(), c.fault);
    for (int row = 1; row <= b.Rows(); ++row) EXPECT_EQ(b.BalanceText(row).isEmpty(), c.fault && row >= c.fault) << row;
    if (c.fault < 2) continue;
    // The first row corrected: every balance is known again.
    b.SetAmounts(c.fault, M(3), Money(), true);
    b.RecomputeFrom(c.fault);
    EXPECT_EQ(b.FaultRow(), 0);
    EXPECT_EQ(b.BalanceText(b.Rows()), "6.00");
  }
}

}  // namespace
}  // namespace corvane::shared
