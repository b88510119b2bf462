#include "failing_connection.h"
#include "match_ledger.h"
#include "reconcile/auto_match_run.h"
#include "reconcile/match_candidates.h"
#include "reconcile/manual_tick.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace corvane::reconcile {
namespace {

using namespace test;
using platform::DbValue;

// The same cases in account mode (false) and book mode (true), on the engine the
// test run names.
class MatchRunTest : public ::testing::TestWithParam<bool> {
 protected:
  bool BookMode() const { return GetParam(); }

  platform::DbConnection& Db() { return db_.Connection(); }

  static std::vector<QString> Sorted(std::vector<QString> keys) {
    std::sort(keys.begin(), keys.end());
    return keys;
  }
  static std::vector<QString> Keys(const std::vector<MatchLine>& lines) {
    std::vector<QString> keys;
    for (const MatchLine& l : lines) keys.push_back(l.key.ToString());
    return Sorted(keys);
  }
  // A line and the tick the run must leave on it.
  void J(const JournalRow& r, int tick) { journal_.emplace_back(ledger_.Add(r), tick); }
  void S(const StatementRow& r, int tick) { statement_.emplace_back(ledger_.Add(r), tick); }
  void ExpectTicks() {
    for (const auto& [key, tick] : journal_) EXPECT_EQ(ledger_.JournalTick(key), tick) << "journal " << key.ToString().toStdString();
    for (const auto& [key, tick] : statement_) EXPECT_EQ(ledger_.StatementTick(key), tick) << "statement " << key.ToString().toStdString();
  }

  testing::TestDatabase db_;
  MatchLedger ledger_{db_.Connection(), GetParam()};
  std::vector<std::pair<DbValue, int>> journal_, statement_;
};

TEST_P(MatchRunTest, CandidatesAreTheUntickedLinesOfTheAccountInRange) {
  std::vector<QString> journal, statement;
  auto in = [&](const auto& row) { return ledger_.Add(row).ToString(); };
  // Taken part.
  journal.push_back(in(JournalRow{}));
  journal.push_back(in(JournalRow{.tick = 0}));
  journal.push_back(in(JournalRow{.date = QDate(2026, 1, 20), .period = 21}));  // opening item before the start
  journal.push_back(in(JournalRow{.date = QDate(2026, 5, 31)}));                 // on the cut-off
  journal.push_back(in(JournalRow{.number = nullptr, .style = nullptr}));
  statement.push_back(in(StatementRow{}));
  statement.push_back(in(StatementRow{.tick = 0}));
  statement.push_back(in(StatementRow{.date = QDate(2026, 5, 31)}));
  // Left out.
  ledger_.Add(JournalRow{.tick = 5});
  ledger_.Add(JournalRow{.cleared = 1});
  ledger_.Add(JournalRow{.posted = 0});
  ledger_.Add(JournalRow{.period = 20});
  ledger_.Add(JournalRow{.date = QDate(2026, 2, 1), .period = 21});  // opening item from the start on
  ledger_.Add(JournalRow{.date = QDate(2025, 12, 31)});              // before the range
  ledger_.Add(JournalRow{.date = QDate(2026, 6, 1)});                // after the cut-off
  ledger_.Add(JournalRow{.code = QStringLiteral("B")});
  ledger_.Add(StatementRow{.tick = 14});
  ledger_.Add(StatementRow{.begin = 0});
  ledger_.Add(StatementRow{.cleared = 1});
  ledger_.Add(StatementRow{.date = QDate(2025, 12, 31)});
  ledger_.Add(StatementRow{.date = QDate(2026, 6, 1)});
  ledger_.Add(StatementRow{.code = QStringLiteral("B")});
  if (BookMode()) {
    ledger_.Add(JournalRow{.book = QStringLiteral("BK2")});
    ledger_.Add(StatementRow{.book = QStringLiteral("BK2")});
  } else {
    journal.push_back(in(JournalRow{.voucherState = 2}));
    ledger_.Add(JournalRow{.voucherState = 1});  // void
  }
  MatchRequest r = ledger_.Request();
  r.cutOff = QDate(2026, 5, 31);
  const MatchCandidates c = LoadMatchCandidates(Db(), r);
  EXPECT_EQ(Keys(c.journal), Sorted(journal));
  EXPECT_EQ(Keys(c.statement), Sorted(statement));
}

TEST_P(MatchRunTest, RunTicksPairsAndGroups) {
  // One to one, within the window of 12 days, numbers in another case.
  J({.md = "100"}, 3);
  S({.date = March(22), .amount = "100"}, 3);
  J({.date = March(30), .number = QStringLiteral(" b2"), .mc = "20"}, 4);
  S({.date = March(33), .number = QStringLiteral("B2 "), .debit = 1, .amount = "20"}, 4);
  // Outside the window and alone under its number: the grouped pass takes it.
  J({.number = QStringLiteral("W9"), .md = "9"}, 3);
  S({.date = March(30), .number = QStringLiteral("W9"), .amount = "9"}, 3);
  // A group whose totals agree, with apostrophes in number and style; the first
  // dates (5th and 8th) decide its period, not the 31st.
  J({.date = March(5), .number = QStringLiteral("O'K"), .style = QStringLiteral("2'0"), .md = "30"}, 3);
  J({.date = March(31), .number = QStringLiteral("o'k"), .style = QStringLiteral("2'0"), .md = "40"}, 3);
  S({.date = March(8), .number = QStringLiteral("O'K"), .style = QStringLiteral("2'0"), .amount = "70"}, 3);
  // A group a cent off, and a line with no partner.
  J({.number = QStringLiteral("D4"), .md = "10"}, 0);
  J({.number = QStringLiteral("D4"), .md = "11"}, 0);
  S({.number = QStringLiteral("D4"), .amount = "21.01"}, 0);
  J({.number = QStringLiteral("E5"), .md = "55"}, 0);

  MatchRequest r = ledger_.Request();
  r.options.sameNumber = r.options.sameStyle = r.options.dateWindow = true;
  r.options.dayLimit = 12;
  std::vector<MatchStage> stages;
  const MatchRunResult result = RunAutoMatching(Db(), r, kPeriods, [&](MatchStage s, long long steps) {
    if (steps == 0) stages.push_back(s);
  });
  ASSERT_TRUE(result.Ok()) << result.error.toStdString();
  EXPECT_EQ(stages, (std::vector<MatchStage>{MatchStage::Load, MatchStage::OneToOne, MatchStage::Grouped}));
  EXPECT_EQ(result.oneToOnePairs, 2);
  EXPECT_EQ(result.groupPairs, 2);
  EXPECT_EQ(result.journalTicked, 5);
  EXPECT_EQ(result.statementTicked, 4);
  ExpectTicks();
}

TEST_P(MatchRunTest, ForeignAccountsCompareForeignAmountsAndGroupOnlyByNumber) {
  J({.md = "700", .mdForeign = "100"}, 3);
  S({.amount = "100"}, 3);
  J({.md = "55", .mdForeign = "8"}, 0);
  S({.amount = "55"}, 0);
  // Totals that agree, but without the number condition there are no groups.
  J({.number = QStringLiteral("G"), .mdForeign = "30"}, 0);
  J({.number = QStringLiteral("G"), .mdForeign = "40"}, 0);
  S({.number = QStringLiteral("G"), .amount = "70"}, 0);
  MatchRequest r = ledger_.Request();
  r.foreign = true;
  const MatchRunResult result = RunAutoMatching(Db(), r, kPeriods);
  ASSERT_TRUE(result.Ok()) << result.error.toStdString();
  EXPECT_EQ(result.groupPairs, 0);
  ExpectTicks();
}

// A failure injected in the middle of writing leaves the pass's ticks unwritten;
// a failed read ends the run before any write.
TEST_P(MatchRunTest, AFailureLeavesNoTickOfItsPass) {
  struct Case {
    const char* name;
    int failBatch;           // 1, 2: the one-to-one journal and statement batches; 3, 4: the grouped ones
    MatchStage stage;
    long long ticksLeft;     // ticked lines afterwards
  };
  const Case cases[] = {
      {"in the reading", 0, MatchStage::Load, 0},
      {"in the one-to-one journal batch", 1, MatchStage::OneToOne, 0},
      {"in the one-to-one statement batch", 2, MatchStage::OneToOne, 0},
      {"in the grouped journal batch", 3, MatchStage::Grouped, 4},
      {"in the grouped statement batch", 4, MatchStage::Grouped, 4},
  };
  for (const Case& c : cases) {
    ledger_.Clear();
    for (const char* number : {"P1", "P2"}) {
      ledger_.Add(JournalRow{.number = QString::fromLatin1(number), .md = number[1] == '1' ? "1" : "2"});
      ledger_.Add(StatementRow{.number = QString::fromLatin1(number), .amount = number[1] == '1' ? "1" : "2"});
    }
    for (const char* number : {"G1", "G2"}) {
      ledger_.Add(JournalRow{.number = QString::fromLatin1(number), .md = "30"});
      ledger_.Add(JournalRow{.number = QString::fromLatin1(number), .md = "40"});
      ledger_.Add(StatementRow{.number = QString::fromLatin1(number), .amount = "70"});
    }
    FailingConnection db(Db());
    db.failBatch = c.failBatch;
    db.failQuery = c.failBatch == 0;
    db.rowsBeforeFailure = 1;
    MatchRequest r = ledger_.Request();
    r.options.sameNumber = true;
    const MatchRunResult result = RunAutoMatching(db, r, kPeriods);
    EXPECT_EQ(result.failedAt, c.stage) << c.name;
    EXPECT_TRUE(result.error.contains(QStringLiteral("injected"))) << c.name;
    EXPECT_FALSE(Db().InTransaction()) << c.name;
    EXPECT_EQ(ledger_.TickedLines(), c.ticksLeft) << c.name;
    if (c.failBatch == 0) {
      EXPECT_EQ(db.batches, 0);
    }
  }
}

// Another session changes a line after the run read it and before the run
// writes: the pass that decided on the old state writes nothing at all.
TEST_P(MatchRunTest, AnotherSessionsChangeMeanwhileVoidsThePass) {
  struct Case {
    const char* name;
    MatchStage when;     // the other session acts as this stage begins
    bool journal;        // which line of the pair (or the group) it changes
    const char* assignment;
    DbValue value;
    MatchStage failedAt;
    long long ticksLeft;  // ticked lines afterwards, the other session's tick included
  };
  const Case cases[] = {
      {"journal line ticked by hand", MatchStage::OneToOne, true, "iflagbank=?", DbValue(24), MatchStage::OneToOne, 1},
      {"journal amount changed", MatchStage::OneToOne, true, "md=?", DbValue(platform::Money::FromCents(99900)),
       MatchStage::OneToOne, 0},
      {"journal line cleared", MatchStage::OneToOne, true, "bdelete=?", DbValue(1), MatchStage::OneToOne, 0},
      {"statement line ticked", MatchStage::OneToOne, false, "iflag=?", DbValue(14), MatchStage::OneToOne, 1},
      {"statement amount changed", MatchStage::OneToOne, false, "mmoney=?", DbValue(platform::Money::FromCents(5000)),
       MatchStage::OneToOne, 0},
      {"statement direction turned", MatchStage::OneToOne, false, "bd_c=?", DbValue(1), MatchStage::OneToOne, 0},
      {"journal line moved past the cut-off", MatchStage::OneToOne, true, "DATE=?", DbValue(March(25)),
       MatchStage::OneToOne, 0},
      {"statement line moved past the cut-off", MatchStage::OneToOne, false, "ddate=?", DbValue(March(25)),
       MatchStage::OneToOne, 0},
      // The one-to-one ticks are committed before the grouped pass begins.
      {"group line ticked by hand", MatchStage::Grouped, true, "iflagbank=?", DbValue(24), MatchStage::Grouped, 5},
      {"group line amount changed", MatchStage::Grouped, false, "mmoney=?", DbValue(platform::Money::FromCents(7100)),
       MatchStage::Grouped, 4},
  };
  std::unique_ptr<platform::DbConnection> other = db_.OpenAnother();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ledger_.Clear();
    const DbValue pairJournal = ledger_.Add(JournalRow{.number = QStringLiteral("P1"), .md = "1"});
    const DbValue pairStatement = ledger_.Add(StatementRow{.number = QStringLiteral("P1"), .amount = "1"});
    ledger_.Add(JournalRow{.number = QStringLiteral("P2"), .md = "2"});
    ledger_.Add(StatementRow{.number = QStringLiteral("P2"), .amount = "2"});
    const DbValue groupJournal = ledger_.Add(JournalRow{.number = QStringLiteral("G1"), .md = "30"});
    ledger_.Add(JournalRow{.number = QStringLiteral("G1"), .md = "40"});
    const DbValue groupStatement = ledger_.Add(StatementRow{.number = QStringLiteral("G1"), .amount = "70"});
    const DbValue key = c.when == MatchStage::Grouped ? (c.journal ? groupJournal : groupStatement)
                                                      : (c.journal ? pairJournal : pairStatement);
    MatchRequest r = ledger_.Request();
    r.options.sameNumber = true;
    r.cutOff = March(20);
    const QString assignment = QString::fromLatin1(c.assignment)
                                   .replace(QLatin1String("DATE"), BookMode() ? QLatin1String("BillDate") : QLatin1String("dbill_date"));
    const MatchRunResult result = RunAutoMatching(Db(), r, kPeriods, [&](MatchStage stage, long long steps) {
      if (stage == c.when && steps == 0) ledger_.Change(*other, c.journal, key, assignment, c.value);
    });
    EXPECT_EQ(result.failedAt, c.failedAt);
    EXPECT_TRUE(result.changedMeanwhile);
    EXPECT_FALSE(Db().InTransaction());
    EXPECT_EQ(ledger_.TickedLines(), c.ticksLeft);
  }
}

// A pass of many pairs is written in one statement per side where the engine
// can, rather than line by line; the guard must hold there too: one line changed
// meanwhile voids every tick of the pass.
TEST_P(MatchRunTest, OneChangedLineVoidsALargePass) {
  struct Case {
    const char* name;
    bool journal;
    const char* assignment;  // nullptr: nothing changes and every pair is ticked
    DbValue value;
    long long ticksLeft;  // ticked lines afterwards, the other session's tick included
  };
  const Case cases[] = {
      {"nothing changed", true, nullptr, DbValue(), 500},
      {"journal line ticked by hand", true, "iflagbank=?", DbValue(24), 1},
      {"journal amount changed", true, "md=?", DbValue(platform::Money::FromCents(200)), 0},
      {"statement direction turned", false, "bd_c=?", DbValue(1), 0},
  };
  constexpr int kPairs = 250;
  std::unique_ptr<platform::DbConnection> other = db_.OpenAnother();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ledger_.Clear();
    std::vector<DbValue> journal, statement;
    for (int i = 0; i < kPairs; ++i) {
      journal.push_back(ledger_.Add(JournalRow{.md = "1"}));
      statement.push_back(ledger_.Add(StatementRow{.amount = "1"}));
    }
    const DbValue key = c.journal ? journal[kPairs / 2] : statement[kPairs / 2];
    const MatchRunResult result = RunAutoMatching(Db(), ledger_.Request(), kPeriods, [&](MatchStage stage, long long steps) {
      if (c.assignment && stage == MatchStage::OneToOne && steps == 0)
        ledger_.Change(*other, c.journal, key, QString::fromLatin1(c.assignment), c.value);
    });
    EXPECT_FALSE(Db().InTransaction());
    EXPECT_EQ(result.failedAt, c.assignment ? MatchStage::OneToOne : MatchStage::None) << result.error.toStdString();
    EXPECT_EQ(result.changedMeanwhile, c.assignment != nullptr);
    EXPECT_EQ(ledger_.TickedLines(), c.ticksLeft);
  }
}

// A manual tick or untick is written only while the line is still as the user
// saw it (its tick, date, direction and amount, not cleared); otherwise nothing
// is written and the caller hears why.
TEST_P(MatchRunTest, AManualTickWritesOnlyOverTheStateTheUserSaw) {
  struct Case {
    const char* name;
    DbValue stored;             // the line's tick when loaded
    std::optional<int> shown;   // what the window holds for it
    const char* change;         // what another session did meanwhile (nullptr: nothing)
    DbValue changed;
    std::optional<int> value;   // the write: a manual tick or none
    TickWrite outcome;
    int tickAfter;
  };
  const DbValue amount(platform::Money::FromCents(99900));
  const Case cases[] = {
      {"tick an unticked line", DbValue(), std::nullopt, nullptr, DbValue(), 18, TickWrite::Written, 18},
      {"untick an automatic tick", DbValue(3), 3, nullptr, DbValue(), std::nullopt, TickWrite::Written, 0},
      {"tick a line ticked meanwhile", DbValue(), std::nullopt, "%1=?", DbValue(24), 18, TickWrite::ChangedMeanwhile, 24},
      {"untick a line ticked again meanwhile", DbValue(3), 3, "%1=?", DbValue(5), std::nullopt,
       TickWrite::ChangedMeanwhile, 5},
      {"untick a line unticked meanwhile", DbValue(3), 3, "%1=?", DbValue(), std::nullopt, TickWrite::ChangedMeanwhile, 0},
      {"tick a line cleared meanwhile", DbValue(), std::nullopt, "bdelete=?", DbValue(1), 18,
       TickWrite::ChangedMeanwhile, 0},
      {"tick a line deleted meanwhile", DbValue(), std::nullopt, "delete", DbValue(), 18, TickWrite::Missing, 0},
      {"tick a line whose amount changed", DbValue(), std::nullopt, "AMOUNT=?", amount, 18, TickWrite::ChangedMeanwhile, 0},
      {"untick a line whose amount changed", DbValue(3), 3, "AMOUNT=?", amount, std::nullopt,
       TickWrite::ChangedMeanwhile, 3},
      {"tick a line turned to the other side", DbValue(), std::nullopt, "TURN", DbValue(0), 18,
       TickWrite::ChangedMeanwhile, 0},
      {"tick a line moved to another date", DbValue(), std::nullopt, "DATE=?", DbValue(March(20)), 18,
       TickWrite::ChangedMeanwhile, 0},
  };
  std::unique_ptr<platform::DbConnection> other = db_.OpenAnother();
  ReconLoadRequest account;
  account.code = QStringLiteral("A");
  account.bookCode = QStringLiteral("BK1");
  account.bookMode = BookMode();
  for (const bool journal : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.name << (journal ? " (journal)" : " (statement)"));
      ledger_.Clear();
      const DbValue key = journal ? ledger_.Add(JournalRow{.md = "5", .tick = c.stored})
                                  : ledger_.Add(StatementRow{.amount = "5", .tick = c.stored});
      const QString change = QString::fromLatin1(c.change ? c.change : "")
                                 .replace(QLatin1String("%1"), journal ? QLatin1String("iflagbank") : QLatin1String("iflag"))
                                 .replace(QLatin1String("AMOUNT"), journal ? QLatin1String("md") : QLatin1String("mmoney"))
                                 .replace(QLatin1String("DATE"), !journal ? QLatin1String("ddate")
                                                                 : BookMode() ? QLatin1String("BillDate")
                                                                              : QLatin1String("dbill_date"))
                                 .replace(QLatin1String("TURN"), journal ? QLatin1String("mc=md, md=?") : QLatin1String("bd_c=1-?"));
      if (change == QLatin1String("delete")) ledger_.Delete(*other, journal, key);
      else if (c.change) ledger_.Change(*other, journal, key, change, c.changed);
      const QVariant rowKey = key.IsInteger() ? QVariant(static_cast<qlonglong>(key.ToInt())) : QVariant(key.ToString());
      // As loaded: a journal debit or a statement credit of 5.00 on March 10.
      const LineFacts seen{March(10), {}, {}, journal, platform::Money::FromCents(500), c.shown};
      EXPECT_EQ(WriteLineTick(Db(), account, false, journal ? ReconSide::Journal : ReconSide::Statement, rowKey, seen,
                              c.value),
                c.outcome);
      EXPECT_EQ(journal ? ledger_.JournalTick(key) : ledger_.StatementTick(key), c.tickAfter);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, MatchRunTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::reconcile
