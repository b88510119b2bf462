#include "recon_fixture.h"

#include "platform/db/db_error.h"

#include "reconcile/cancel_ticks.h"
#include "reconcile/match_writer.h"
#include "../matching/match_fixtures.h"
#include "support/other_writer.h"

#include <stdexcept>

namespace corvane::testing {
namespace {

using reconcile::CancelResult;
using reconcile::CancelScope;
using reconcile::CancelTicks;

constexpr CancelScope kBoth = CancelScope::Both;
constexpr CancelScope kAuto = CancelScope::Automatic;
constexpr CancelScope kManual = CancelScope::Manual;

// Automatic ticks are the periods 1 to 12, manual ones 12 more (13 to 24); the
// grid rows (from 1, under the heading) to clear are those whose tick is in range.
TEST(CancelRange, PeriodAndScopeSelectTheGridRowsOfTheirTicks) {
  const std::vector<std::optional<int>> ticks{std::nullopt, 3, 15, 2, 14, 24, 0, 12, 13, 25, -1};
  struct Case { int from; CancelScope scope; std::vector<int> rows; };
  const Case cases[] = {
      {3, kBoth, {2, 3, 6, 8}}, {3, kAuto, {2, 8}}, {3, kManual, {3, 6}}, {1, kBoth, {2, 3, 4, 5, 6, 8, 9}},
      {12, kManual, {6}},       {0, kBoth, {}},     {13, kBoth, {}},  // no period: nothing, not a range reaching 12
  };
  for (const Case& c : cases) {
    std::vector<int> rows;
    for (size_t i = 0; i < ticks.size(); ++i)
      if (reconcile::InCancelRange(ticks[i], c.from, c.scope)) rows.push_back(static_cast<int>(i) + 1);
    EXPECT_EQ(rows, c.rows) << c.from << " " << static_cast<int>(c.scope);
  }
}

// Lines of account A with every kind of tick, and lines with tick 5 that no cancel
// of A may touch: cleared, of another account, of another book (book mode), in
// the other mode's tables.
class CancelTicksTest : public ReconTest, public ::testing::WithParamInterface<bool> {
 protected:
  static constexpr int kKept = 5;

  void SetUp() override {
    ReconTest::SetUp();
    SetBookMode(GetParam());
    Fill();
  }
  void Fill() {
    data_.Clear();
    for (const platform::DbValue& tick : {platform::DbValue(), platform::DbValue(0), platform::DbValue(2),
                                          platform::DbValue(3), platform::DbValue(12), platform::DbValue(14),
                                          platform::DbValue(15), platform::DbValue(24)}) {
      data_.Add(JournalRow{.tick = tick});
      data_.Add(StatementRow{.tick = tick});
    }
    data_.Add(JournalRow{.cleared = 1, .tick = kKept});
    data_.Add(StatementRow{.cleared = 1, .tick = kKept});
    data_.Add(JournalRow{.tick = kKept, .code = QStringLiteral("B")});
    data_.Add(StatementRow{.tick = kKept, .code = QStringLiteral("B")});
    other_.Add(JournalRow{.tick = kKept});
    other_.Add(StatementRow{.tick = kKept});
    if (GetParam()) {  // another book of the account exists in book mode only
      data_.Add(JournalRow{.tick = kKept, .book = QStringLiteral("BK2")});
      data_.Add(StatementRow{.tick = kKept, .book = QStringLiteral("BK2")});
    }
  }
  // The ticks of a side once the lines of A in range went: those left of A, the
  // unticked 0 and the lines no cancel may touch.
  std::vector<int> Remaining(std::vector<int> left) const {
    left.insert(left.end(), {0, kKept, kKept});
    if (GetParam()) left.push_back(kKept);  // the other book
    std::sort(left.begin(), left.end());
    return left;
  }
  reconcile::ReconLoadRequest Account() const {
    return {.code = QStringLiteral("A"), .bookCode = QStringLiteral("BK1"), .bookMode = GetParam()};
  }
  void ExpectLeft(const std::vector<int>& left) {
    EXPECT_EQ(data_.Ticks(true), Remaining(left));
    EXPECT_EQ(data_.Ticks(false), Remaining(left));
    // The other mode's tables are never read or written.
    EXPECT_EQ(other_.Ticks(true), std::vector<int>{kKept});
    EXPECT_EQ(other_.Ticks(false), std::vector<int>{kKept});
  }

  TestDatabase db_;
  MatchLedger data_{db_.Connection(), GetParam()};
  MatchLedger other_{db_.Connection(), !GetParam()};
};

TEST_P(CancelTicksTest, ClearsTheRangeOnBothSidesOfTheAccountOnly) {
  struct Case { int from; CancelScope scope; std::vector<int> left; };
  const Case cases[] = {
      {3, kBoth, {2, 14}},
      {3, kAuto, {2, 14, 15, 24}},
      {3, kManual, {2, 3, 12, 14}},
      {1, kBoth, {}},
      {12, kManual, {2, 3, 12, 14, 15}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "from " << c.from << " scope " << static_cast<int>(c.scope));
    Fill();
    const CancelResult r = CancelTicks(db_.Connection(), Account(), c.from, c.scope);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.journalCleared, 6 - static_cast<long long>(c.left.size()));
    EXPECT_EQ(r.statementCleared, 6 - static_cast<long long>(c.left.size()));
    ExpectLeft(c.left);
  }
}

// Another session's matching pass ticks a pair while the cancel is between its
// two UPDATEs: the pass waits for the cancel to end and its pair stays whole,
// never cancelled on one side only.
TEST_P(CancelTicksTest, AMatchingPassDuringTheCancelKeepsItsPairWhole) {
  reconcile::MatchCandidates lines{{reconcile::test::JournalLine()}, {reconcile::test::StatementLine()}};
  const platform::DbValue journal = lines.journal[0].key = data_.Add(JournalRow{.md = "100"});
  const platform::DbValue statement = lines.statement[0].key = data_.Add(StatementRow{.amount = "100"});
  const reconcile::PassTicks ticks{{3}, {3}, 1};
  std::unique_ptr<OtherWriter> other;
  const CancelResult r = CancelTicks(db_.Connection(), Account(), 1, kBoth, {}, [&] {
    other = std::make_unique<OtherWriter>(
        db_, [&](platform::DbConnection& via) { reconcile::WriteTicks(via, data_.Request(), lines, ticks); });
  });
  ASSERT_TRUE(r.ok) << r.error.toStdString();
  EXPECT_EQ(other->Finish(), QString());
  EXPECT_EQ(data_.JournalTick(journal), 3);
  EXPECT_EQ(data_.StatementTick(statement), 3);
}

// The cancel reads the window's marked rows again: a row's mark goes only when
// its line is still stored, not cleared and ticked in range; a line gone
// meanwhile is named, and its mark stays.
TEST_P(CancelTicksTest, MarkedRowsAreReadAgainInsideTheCancel) {
  struct Case {
    const char* name;
    const char* change;  // another session's change before the cancel; "delete", or nullptr for none
    platform::DbValue value;
    bool markGoes;
  };
  const Case cases[] = {
      {"ticked in range", nullptr, {}, true},
      {"ticked again out of range", "TICK=?", 14, false},
      {"unticked", "TICK=?", {}, false},
      {"cleared", "bdelete=?", 1, false},
      {"deleted", "delete", {}, false},
  };
  std::unique_ptr<platform::DbConnection> other = db_.OpenAnother();
  reconcile::LoadedMarks marks;
  std::vector<int> rowsGoing;
  for (const bool journal : {true, false}) {
    for (size_t i = 0; i < std::size(cases); ++i) {
      const Case& c = cases[i];
      const platform::DbValue key = journal ? data_.Add(JournalRow{.tick = 3}) : data_.Add(StatementRow{.tick = 3});
      if (c.change) data_.Change(*other, journal, key, c.change, c.value);
      const QVariant rowKey = MatchLedger::RowKey(key);
      (journal ? marks.journal : marks.statement).push_back({static_cast<int>(i) + 1, rowKey});
      if (journal && c.markGoes) rowsGoing.push_back(static_cast<int>(i) + 1);
    }
  }
  const CancelResult r = CancelTicks(db_.Connection(), Account(), 3, kAuto, marks);
  ASSERT_TRUE(r.ok) << r.error.toStdString();
  EXPECT_EQ(r.journal.rows, rowsGoing);
  EXPECT_EQ(r.statement.rows, rowsGoing);
  // The deleted line is the last of each side.
  EXPECT_EQ(r.journal.missing, std::vector<QVariant>{marks.journal.back().key});
  EXPECT_EQ(r.statement.missing, std::vector<QVariant>{marks.statement.back().key});
}

TEST_P(CancelTicksTest, AFailureOrAPeriodOutsideTheYearLeavesBothSidesAsTheyWere) {
  const std::vector<int> untouched{2, 3, 12, 14, 15, 24};
  // A failure between the two updates, when the journal side is already cleared.
  bool journalWasCleared = false;
  CancelResult r = CancelTicks(db_.Connection(), Account(), 1, kBoth, {}, [&] {
    journalWasCleared = data_.Ticks(true) == Remaining({});
    throw std::runtime_error("connection lost");
  });
  EXPECT_TRUE(journalWasCleared);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "connection lost");
  EXPECT_FALSE(db_.Connection().InTransaction());
  ExpectLeft(untouched);
  // The statement update itself fails.
  const QString table = GetParam() ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
  db_.Connection().Execute(QStringLiteral("alter table %1 rename to statement_gone").arg(table));
  r = CancelTicks(db_.Connection(), Account(), 1, kBoth);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.isEmpty());
  db_.Connection().Execute(QStringLiteral("alter table statement_gone rename to %1").arg(table));
  ExpectLeft(untouched);
  for (int from : {0, 13, -1}) {
    r = CancelTicks(db_.Connection(), Account(), from, kBoth);
    EXPECT_FALSE(r.ok) << from;
    EXPECT_FALSE(r.error.isEmpty());
  }
  ExpectLeft(untouched);
}

INSTANTIATE_TEST_SUITE_P(Modes, CancelTicksTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::testing
