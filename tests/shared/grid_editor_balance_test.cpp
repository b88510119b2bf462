#include "shared/grid_editor_balance.h"

#include <gtest/gtest.h>

#include <optional>

namespace corvane::shared {
namespace {

using platform::Money;

Money M(double v) { return Money::FromDouble(v); }

struct Line {
  double debit, credit;
};

struct BalanceCase {
  const char* name;
  bool debitIncreases;
  double start;
  std::vector<Line> lines;
  std::vector<double> balances;
};

class RunningBalanceCases : public ::testing::TestWithParam<BalanceCase> {};

TEST_P(RunningBalanceCases, AppendGivesEachRowItsBalance) {
  const BalanceCase& c = GetParam();
  RunningBalance b;
  b.Reset(M(c.start), c.debitIncreases);
  for (size_t i = 0; i < c.lines.size(); ++i) {
    const Line& l = c.lines[i];
    EXPECT_EQ(b.Append(M(l.debit), M(l.credit), l.debit != 0), M(c.balances[i]).ToDisplayText()) << i;
  }
  // A recompute from the top gives the same numbers.
  b.RecomputeFrom(1);
  for (size_t i = 0; i < c.balances.size(); ++i) EXPECT_EQ(b.BalanceAt(static_cast<int>(i) + 1), M(c.balances[i]));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunningBalanceCases,
    ::testing::Values(
        BalanceCase{"DebitAccount", true, 930, {{100, 0}, {0, 30}, {50, 0}}, {1030, 1000, 1050}},
        BalanceCase{"CreditAccount", false, 1070, {{100, 0}, {0, 30}, {50, 0}}, {970, 1000, 950}},
        BalanceCase{"CentsStayExact", true, 0, {{0.1, 0}, {0.2, 0}, {0, 0.3}}, {0.1, 0.3, 0}},
        BalanceCase{"BelowZero", true, 10, {{0, 25.5}}, {-15.5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RunningBalance, AChangedRowMovesOnlyItselfAndTheRowsBelow) {
  RunningBalance b;
  b.Reset(M(1000), true);
  for (int i = 0; i < 4; ++i) b.Append(M(10), Money(), true);
  b.SetAmounts(3, Money(), M(5), false);
  EXPECT_EQ(b.RecomputeFrom(3), 3);
  EXPECT_EQ(b.BalanceAt(2), M(1020));
  EXPECT_EQ(b.BalanceAt(3), M(1015));
  EXPECT_EQ(b.BalanceAt(4), M(1025));
}

TEST(RunningBalance, ABothAmountsRowCountsAsTheDirectionItIsSavedIn) {
  RunningBalance b;
  b.Reset(M(0), true);
  EXPECT_EQ(b.Append(M(7), M(3), true), "7.00");
  EXPECT_EQ(b.Append(M(7), M(3), false), "4.00");
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

TEST(RunningBalance, InsertAndRemoveKeepTheOrder) {
  RunningBalance b;
  b.Reset(M(0), true);
  b.Append(M(1), Money(), true);
  b.Append(M(2), Money(), true);
  b.InsertRow(2);
  b.SetAmounts(2, M(100), Money(), true);
  b.RecomputeFrom(2);
  EXPECT_EQ(b.BalanceAt(3), M(103));
  b.RemoveRow(1);
  b.RecomputeFrom(1);
  EXPECT_EQ(b.BalanceAt(1), M(100));
  EXPECT_EQ(b.BalanceAt(2), M(102));
  EXPECT_EQ(b.BalanceBefore(1), M(0));
  b.Append(M(5), Money(), true);
  b.RemoveRows(1, 2);
  b.RecomputeFrom(1);
  EXPECT_EQ(b.Rows(), 1);
  EXPECT_EQ(b.BalanceAt(1), M(5));
}

}  // namespace
}  // namespace corvane::shared
