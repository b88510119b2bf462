#include "recon_fixture.h"

#include "platform/controls/list_grid.h"
#include "reconcile/cancel_ticks.h"

#include <stdexcept>

namespace corvane::testing {
namespace {

using reconcile::CancelResult;
using reconcile::CancelScope;
using reconcile::CancelScopeOf;
using reconcile::CancelTicks;
using reconcile::InCancelRange;
using reconcile::ReconLoadRequest;
using reconcile::RowsToClear;

constexpr CancelScope kBoth = CancelScope::Both;
constexpr CancelScope kAuto = CancelScope::Automatic;
constexpr CancelScope kManual = CancelScope::Manual;

TEST(CancelRange, PeriodAndScopeSelectTheTickValues) {
  struct Case { int from; CancelScope scope; std::vector<int> selected; };
  // Every value a line can hold, and which of them each range takes.
  const Case cases[] = {
      {1, kBoth, {1, 2, 3, 11, 12, 13, 14, 15, 23, 24}},
      {3, kBoth, {3, 11, 12, 15, 23, 24}},
      {3, kAuto, {3, 11, 12}},
      {3, kManual, {15, 23, 24}},
      {12, kAuto, {12}},
      {12, kManual, {24}},
      {0, kBoth, {}},   // no period: nothing, not a range reaching 12 with the manual ticks
      {13, kBoth, {}},
  };
  const int values[] = {-1, 0, 1, 2, 3, 11, 12, 13, 14, 15, 23, 24, 25};
  for (const Case& c : cases) {
    std::vector<int> selected;
    for (int v : values)
      if (InCancelRange(v, c.from, c.scope)) selected.push_back(v);
    EXPECT_EQ(selected, c.selected) << "from " << c.from << " scope " << static_cast<int>(c.scope);
    EXPECT_FALSE(InCancelRange(std::nullopt, c.from, c.scope));
  }
}

TEST(CancelRange, TheDialogsKindGivesTheScope) {
  EXPECT_EQ(CancelScopeOf(1), kBoth);
  EXPECT_EQ(CancelScopeOf(2), kAuto);
  EXPECT_EQ(CancelScopeOf(3), kManual);
  EXPECT_EQ(CancelScopeOf(0), kManual);
  EXPECT_EQ(CancelScopeOf(9), kManual);
}

TEST(CancelRange, RowsToClearAreTheGridRowsOfTheValuesInRange) {
  // A "Y" row holding 14 keeps its mark when only automatic ticks from 3 go.
  const std::vector<std::optional<int>> ticks{std::nullopt, 3, 15, 2, 14, 24, 0};
  EXPECT_EQ(RowsToClear(ticks, 3, kBoth), (std::vector<int>{2, 3, 6}));
  EXPECT_EQ(RowsToClear(ticks, 3, kAuto), (std::vector<int>{2}));
  EXPECT_EQ(RowsToClear(ticks, 3, kManual), (std::vector<int>{3, 6}));
  EXPECT_TRUE(RowsToClear({}, 3, kBoth).empty());
}

class CancelTicksTest : public ReconTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    ReconTest::SetUp();
    SetBookMode(GetParam());
    Fill();
  }

  static constexpr int kKept = 5;  // the tick of lines no cancel of account A may touch
  const std::vector<std::optional<int>> values_{std::nullopt, 0, 2, 3, 12, 14, 15, 24};

  void Fill() {
    data_.Clear();
    for (const std::optional<int>& v : values_) {
      JournalLine j;
      j.tick = v;
      data_.Add(j);
      StatementLine s;
      s.tick = v;
      data_.Add(s);
    }
    for (int kind = 0; kind < 4; ++kind) {
      if (kind == 2 && !GetParam()) continue;  // another book of the account exists in book mode only
      JournalLine j;
      StatementLine s;
      j.tick = s.tick = kKept;
      if (kind == 0) j.cleared = s.cleared = 1;
      if (kind == 1) j.code = s.code = QStringLiteral("B");
      if (kind == 2) j.book = s.book = QStringLiteral("BK2");
      if (kind == 3) j.otherModeTable = s.otherModeTable = true;
      data_.Add(j);
      data_.Add(s);
    }
  }

  // The ticks of this mode's tables once the lines of account A in range went:
  // those left of A, the unticked 0 and the lines no cancel may touch.
  std::vector<int> Remaining(std::vector<int> left) const {
    left.push_back(0);
    left.push_back(kKept);  // cleared
    left.push_back(kKept);  // other account
    if (GetParam()) left.push_back(kKept);  // other book
    std::sort(left.begin(), left.end());
    return left;
  }

  ReconLoadRequest Account() const {
    ReconLoadRequest r;
    r.code = QStringLiteral("A");
    r.bookCode = QStringLiteral("BK1");
    r.bookMode = GetParam();
    return r;
  }

  void ExpectUntouched() {
    EXPECT_EQ(data_.JournalTicks(), Remaining({2, 3, 12, 14, 15, 24}));
    EXPECT_EQ(data_.StatementTicks(), Remaining({2, 3, 12, 14, 15, 24}));
  }

  TestDatabase db_;
  ReconData data_{db_.Connection(), GetParam()};
};

TEST_P(CancelTicksTest, ClearsTheRangeOnBothSidesOfTheAccountOnly) {
  struct Case { int from; CancelScope scope; std::vector<int> left; };
  const Case cases[] = {
      {3, kBoth, {2, 14}},
      {3, kAuto, {2, 14, 15, 24}},
      {3, kManual, {2, 3, 12, 14}},
      {1, kBoth, {}},
      {12, kAuto, {2, 3, 14, 15, 24}},
      {12, kManual, {2, 3, 12, 14, 15}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "from " << c.from << " scope " << static_cast<int>(c.scope));
    Fill();
    const CancelResult r = CancelTicks(db_.Connection(), Account(), c.from, c.scope);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const long long cleared = 6 - static_cast<long long>(c.left.size());
    EXPECT_EQ(r.journalCleared, cleared);
    EXPECT_EQ(r.statementCleared, cleared);
    EXPECT_EQ(data_.JournalTicks(), Remaining(c.left));
    EXPECT_EQ(data_.StatementTicks(), Remaining(c.left));
    // The other mode's tables are never read or written.
    EXPECT_EQ(data_.JournalTicks(true), std::vector<int>{kKept});
    EXPECT_EQ(data_.StatementTicks(true), std::vector<int>{kKept});
  }
}

TEST_P(CancelTicksTest, AFailureBetweenTheTwoUpdatesLeavesBothSidesAsTheyWere) {
  bool journalWasCleared = false;
  const CancelResult r = CancelTicks(db_.Connection(), Account(), 1, kBoth, [&] {
    // Inside the transaction the journal side is already cleared.
    journalWasCleared = data_.JournalTicks() == Remaining({});
    throw std::runtime_error("connection lost");
  });
  EXPECT_TRUE(journalWasCleared);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "connection lost");
  EXPECT_FALSE(db_.Connection().InTransaction());
  ExpectUntouched();
}

TEST_P(CancelTicksTest, AFailingStatementUpdateRollsTheJournalBack) {
  const QString table = GetParam() ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
  db_.Connection().Execute(QStringLiteral("alter table %1 rename to statement_gone").arg(table));
  const CancelResult r = CancelTicks(db_.Connection(), Account(), 1, kBoth);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.isEmpty());
  db_.Connection().Execute(QStringLiteral("alter table statement_gone rename to %1").arg(table));
  ExpectUntouched();
}

TEST_P(CancelTicksTest, APeriodOutsideTheYearChangesNothing) {
  for (int from : {0, 13, -1}) {
    const CancelResult r = CancelTicks(db_.Connection(), Account(), from, kBoth);
    EXPECT_FALSE(r.ok) << from;
    EXPECT_FALSE(r.error.isEmpty());
  }
  ExpectUntouched();
}

INSTANTIATE_TEST_SUITE_P(Modes, CancelTicksTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

using CancelPromptTest = ReconTest;

TEST_F(CancelPromptTest, AsksWithThePeriodTextAndNoAsDefault) {
  struct Case { std::optional<int> answer; bool confirmed; };
  const Case cases[] = {{6, true}, {7, false}, {std::nullopt, false}};
  for (const Case& c : cases) {
    messages.Clear();
    if (c.answer) messages.Answer(*c.answer);
    EXPECT_EQ(reconcile::ConfirmCancel(3), c.confirmed);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Shown()[0].prompt, "Q9.GL.ZWSQL.CASHBANK.confirmcancel|2026.03");
    EXPECT_EQ(messages.Shown()[0].buttons, 4 + 256);
    EXPECT_EQ(messages.Shown()[0].title, "Q9.GL.ZWSQL.CASHBANK.00797");
  }
}

TEST_F(CancelPromptTest, AFailureIsSaidWithItsReason) {
  CancelResult r;
  r.error = QStringLiteral("disk full");
  reconcile::ShowCancelFailure(r);
  ASSERT_EQ(messages.Count(), 1);
  EXPECT_EQ(messages.LastPrompt(), "corvane.recon.cancelfailed|disk full");
  EXPECT_EQ(messages.Shown()[0].buttons, 16);
}

TEST_F(CancelPromptTest, ClearingMarksBlanksAndWhitensOnlyTheRowsGiven) {
  platform::ListGrid grid;
  grid.SetCols(6);
  grid.SetRows(5);
  const QColor yellow(0xF7, 0xF3, 0xC6);
  for (int r = 1; r < 5; ++r) {
    grid.SetTextMatrix(r, 5, r % 2 ? QStringLiteral("○") : QStringLiteral("Y"));
    grid.SetRowBackColor(r, yellow);
  }
  reconcile::ClearGridMarks(grid, 5, {1, 4, 9});
  EXPECT_TRUE(grid.Redraw());
  const bool cleared[] = {false, true, false, false, true};
  for (int r = 1; r < 5; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(grid.TextMatrix(r, 5).isEmpty(), cleared[r]);
    EXPECT_EQ(grid.CellBackColor(r, 0), cleared[r] ? QColor(Qt::white) : yellow);
    EXPECT_EQ(grid.CellBackColor(r, 5), cleared[r] ? QColor(Qt::white) : yellow);
  }
}

}  // namespace
}  // namespace corvane::testing
