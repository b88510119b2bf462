#include "failing_connection.h"
#include "match_ledger.h"
#include "reconcile/auto_match_run.h"
#include "reconcile/match_candidates.h"
#include "reconcile/manual_tick.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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

  static std::vector<QString> Keys(const std::vector<MatchLine>& lines) {
    std::vector<QString> keys;
    for (const MatchLine& l : lines) keys.push_back(l.key.ToString());
    std::sort(keys.begin(), keys.end());
    return keys;
  }
  // A line and the tick the run must leave on it.
  void J(const JournalRow& r, int tick) { journal_.emplace_back(ledger_.Add(r), tick); }
  void S(const StatementRow& r, int tick) { statement_.emplace_back(ledger_.Add(r), tick); }
  void ExpectTicks() {
    for (const auto& [key, tick] : journal_) EXPECT_EQ(ledger_.JournalTick(key), tick) << key.ToString().toStdString();
    for (const auto& [key, tick] : statement_) EXPECT_EQ(ledger_.StatementTick(key), tick) << key.ToString().toStdString();
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
  for (const JournalRow& r : {JournalRow{.tick = 5}, JournalRow{.cleared = 1}, JournalRow{.posted = 0},
                              JournalRow{.period = 20}, JournalRow{.date = QDate(2026, 2, 1), .period = 21},
                              JournalRow{.date = QDate(2025, 12, 31)}, JournalRow{.date = QDate(2026, 6, 1)},
                              JournalRow{.code = QStringLiteral("B")}, JournalRow{.book = QStringLiteral("BK2")}})
    if (BookMode() || r.book == QLatin1String("BK1")) ledger_.Add(r);
  for (const StatementRow& r : {StatementRow{.tick = 14}, StatementRow{.begin = 0}, StatementRow{.cleared = 1},
                                StatementRow{.date = QDate(2025, 12, 31)}, StatementRow{.date = QDate(2026, 6, 1)},
                                StatementRow{.code = QStringLiteral("B")}, StatementRow{.book = QStringLiteral("BK2")}})
    if (BookMode() || r.book == QLatin1String("BK1")) ledger_.Add(r);
  if (!BookMode()) {
    journal.push_back(in(JournalRow{.voucherState = 2}));
    ledger_.Add(JournalRow{.voucherState = 1});  // void
  }
  std::sort(journal.begin(), journal.end());
  std::sort(statement.begin(), statement.end());
  MatchRequest r = ledger_.Request();
  r.cutOff = QDate(2026, 5, 31);
  const MatchCandidates c = LoadMatchCandidates(Db(), r);
  EXPECT_EQ(Keys(c.journal), journal);
  EXPECT_EQ(Keys(c.statement), statement);
}

// The grids' lines as cell texts: by date whatever order they were written in,
// ticked ones only when asked for; with foreign currency the foreign amounts,
// and lines without one are left out.
TEST_P(MatchRunTest, LoadedLinesComeInDateOrder) {
  ledger_.Add(JournalRow{.date = March(12), .md = "100", .mcForeign = "2"});
  const DbValue tickedKey = ledger_.Add(JournalRow{.date = March(10), .style = nullptr, .mc = "20", .tick = 15});
  ledger_.Add(JournalRow{.date = March(11), .number = QStringLiteral("B2"), .md = "5"});
  const DbValue lastKey = ledger_.Add(JournalRow{.date = March(10), .md = "7"});
  ledger_.Add(StatementRow{.date = March(12), .amount = "100"});
  ledger_.Add(StatementRow{.date = March(10), .debit = 1, .amount = "20", .tick = 3});
  const DbValue early = ledger_.Add(StatementRow{.date = March(11), .style = QStringLiteral("301"), .amount = "5"});
  ledger_.Add(StatementRow{.date = March(11), .amount = "6"});
  // A line changed since it was written goes behind the others of its day in
  // the engine's own order; the grid keeps the order of the keys.
  for (const int day : {9, 11}) ledger_.Change(Db(), false, early, "DATE=?", March(day));
  // Within a day the journal comes in voucher order (in book mode by key), here
  // not the order the lines were written in.
  if (BookMode()) {
    Db().Execute(QStringLiteral("update RP_Flow set cFlowID='BK1000000' where cFlowID=?"), {lastKey});
  } else {
    for (const auto& [key, voucher] : {std::pair(tickedKey, 2), std::pair(lastKey, 1)})
      Db().Execute(QStringLiteral("update gl_accvouch set ino_id=? where i_id=?"), {voucher, key});
  }
  ReconLoadRequest r{.code = QStringLiteral("A"), .bookCode = QStringLiteral("BK1"), .bookMode = BookMode(),
                     .endDate = QDate(2026, 12, 31), .reconStart = QDate(2026, 2, 1)};
  const RowTexts directions{QStringLiteral("Dr"), QStringLiteral("Cr")};
  auto texts = [](const GridRows& rows) {
    std::vector<QString> out;
    for (int i = 0; i < rows.size(); ++i) {
      QStringList cells;
      for (int c = 0; c < rows.cells.ColCount(); ++c) cells << rows.cells.Text(i, c);
      out.push_back(cells.join(QLatin1Char('|')));
    }
    return out;
  };
  const QString first = QStringLiteral("2026.03.10||202|A1|Dr|7.00||-000%1|").arg(BookMode() ? 0 : 1);
  const QString ticked = QStringLiteral("2026.03.10|||A1|Cr|20.00|Y|-000%1|").arg(BookMode() ? 0 : 2);
  const QString rest[] = {"2026.03.11||202|B2|Dr|5.00||-0000|", "2026.03.12||202|A1|Dr|100.00||-0000|"};
  EXPECT_EQ(texts(JournalRows(Db(), JournalLoadQuery(r), false, directions)),
            (std::vector<QString>{first, rest[0], rest[1]}));
  const std::vector<QString> statement{"2026.03.11|301|A1|Cr|5.00|", "2026.03.11|202|A1|Cr|6.00|",
                                       "2026.03.12|202|A1|Cr|100.00|"};
  EXPECT_EQ(texts(StatementRows(Db(), StatementLoadQuery(r), directions)), statement);
  r.includeTicked = true;
  EXPECT_EQ(texts(JournalRows(Db(), JournalLoadQuery(r), false, directions)),
            (std::vector<QString>{first, ticked, rest[0], rest[1]}));
  std::vector<QString> withTicked = statement;
  withTicked.insert(withTicked.begin(), "2026.03.10|202|A1|Dr|20.00|○");
  EXPECT_EQ(texts(StatementRows(Db(), StatementLoadQuery(r), directions)), withTicked);
  EXPECT_EQ(texts(JournalRows(Db(), JournalLoadQuery(r), true, directions)),
            std::vector<QString>{"2026.03.12||202|A1|Cr|2.00||-0000|"});
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

// Numbers are one key by the codes' rule whatever characters they are written
// in: a run whose numbers are all plain ASCII or full-width, and a run with one
// number in other characters among them.
TEST_P(MatchRunTest, NumbersAreOneKeyByTheRuleWhetherPlainOrNot) {
  MatchRequest r = ledger_.Request();
  r.options.sameNumber = true;
  auto run = [&] {
    const MatchRunResult result = RunAutoMatching(Db(), r, kPeriods);
    ASSERT_TRUE(result.Ok()) << result.error.toStdString();
  };
  J({.number = QStringLiteral("Ｘ１"), .md = "10"}, 3);
  S({.number = QStringLiteral("x 1"), .amount = "10"}, 3);
  J({.number = QStringLiteral("X1"), .md = "11"}, 0);
  S({.number = QStringLiteral("X2"), .amount = "11"}, 0);
  run();
  // Other characters on the journal side only, then on the statement side only.
  J({.number = QStringLiteral("①02"), .md = "12"}, 3);
  S({.number = QStringLiteral("102"), .amount = "12"}, 3);
  J({.number = QStringLiteral("Ｙ１"), .md = "13"}, 3);
  S({.number = QStringLiteral("\u3000y1"), .amount = "13"}, 3);
  J({.number = QStringLiteral("1O2"), .md = "14"}, 0);
  S({.number = QStringLiteral("102"), .amount = "14"}, 0);
  // Both sides read at once give the same keys as the run.
  const MatchCandidates read = LoadMatchCandidates(Db(), r);
  auto numberOf = [](const std::vector<MatchLine>& lines, const char* amount) {
    for (const MatchLine& l : lines)
      if ((l.debit.IsZero() ? l.credit : l.debit) == Yuan(amount)) return l.number;
    return QStringLiteral("none");
  };
  EXPECT_EQ(numberOf(read.journal, "12"), numberOf(read.statement, "12"));
  EXPECT_NE(numberOf(read.journal, "14"), numberOf(read.statement, "14"));
  run();
  ExpectTicks();  // by this run: what it leaves unticked the next one could still take
  J({.number = QStringLiteral("103"), .md = "15"}, 3);
  S({.number = QStringLiteral("①03"), .amount = "15"}, 3);
  run();
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

// Two pairs (P1, P2) and two groups (G1, G2). A failure injected in a read or in
// the middle of a write, or another session's change after the run read a line
// and before it writes: the pass hit writes nothing at all. The one-to-one ticks
// are committed before the grouped pass begins.
TEST_P(MatchRunTest, AFailureOrAChangeMeanwhileVoidsThePass) {
  struct Case {
    const char* name;
    int failBatch;     // 0: the read fails; 1, 2: the one-to-one batches; 3, 4: the grouped ones
    MatchStage when;   // or another session acts as this stage begins ...
    bool journal;      // ... on this side's line of the pair (or the group)
    const char* assignment;
    DbValue value;
    MatchStage failedAt;
    long long ticksLeft;  // ticked lines afterwards, the other session's tick included
  };
  const MatchStage none = MatchStage::None, pair = MatchStage::OneToOne, group = MatchStage::Grouped;
  const auto money = [](int cents) { return DbValue(platform::Money::FromCents(cents)); };
  const Case cases[] = {
      {"the read fails", 0, none, true, nullptr, {}, MatchStage::Load, 0},
      {"the one-to-one journal batch fails", 1, none, true, nullptr, {}, pair, 0},
      {"the one-to-one statement batch fails", 2, none, true, nullptr, {}, pair, 0},
      {"the grouped journal batch fails", 3, none, true, nullptr, {}, group, 4},
      {"the grouped statement batch fails", 4, none, true, nullptr, {}, group, 4},
      {"journal line ticked by hand", -1, pair, true, "TICK=?", DbValue(24), pair, 1},
      {"journal amount changed", -1, pair, true, "AMOUNT=?", money(99900), pair, 0},
      {"journal line cleared", -1, pair, true, "bdelete=?", DbValue(1), pair, 0},
      {"statement line ticked", -1, pair, false, "TICK=?", DbValue(14), pair, 1},
      {"statement amount changed", -1, pair, false, "AMOUNT=?", money(5000), pair, 0},
      {"statement direction turned", -1, pair, false, "bd_c=?", DbValue(1), pair, 0},
      {"journal line moved past the cut-off", -1, pair, true, "DATE=?", DbValue(March(25)), pair, 0},
      {"statement line moved past the cut-off", -1, pair, false, "DATE=?", DbValue(March(25)), pair, 0},
      {"group line ticked by hand", -1, group, true, "TICK=?", DbValue(24), group, 5},
      {"group line amount changed", -1, group, false, "AMOUNT=?", money(7100), group, 4},
  };
  std::unique_ptr<platform::DbConnection> other = db_.OpenAnother();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ledger_.Clear();
    std::map<std::pair<bool, MatchStage>, DbValue> changed;  // (journal, stage): the line changed
    for (const char* number : {"P1", "P2"}) {  // pairs of 1.00 and 2.00
      const DbValue journal = ledger_.Add(JournalRow{.number = QString::fromLatin1(number), .md = number + 1});
      const DbValue statement = ledger_.Add(StatementRow{.number = QString::fromLatin1(number), .amount = number + 1});
      changed.try_emplace({true, pair}, journal);
      changed.try_emplace({false, pair}, statement);
    }
    for (const char* number : {"G1", "G2"}) {
      changed.try_emplace({true, group}, ledger_.Add(JournalRow{.number = QString::fromLatin1(number), .md = "30"}));
      ledger_.Add(JournalRow{.number = QString::fromLatin1(number), .md = "40"});
      changed.try_emplace({false, group}, ledger_.Add(StatementRow{.number = QString::fromLatin1(number), .amount = "70"}));
    }
    FailingConnection db(Db());
    db.failBatch = c.failBatch;
    db.failQuery = c.failBatch == 0;
    db.rowsBeforeFailure = 1;
    MatchRequest r = ledger_.Request();
    r.options.sameNumber = true;
    r.cutOff = March(20);
    const MatchRunResult result = RunAutoMatching(db, r, kPeriods, [&](MatchStage stage, long long steps) {
      if (c.assignment && stage == c.when && steps == 0)
        ledger_.Change(*other, c.journal, changed.at({c.journal, c.when}), c.assignment, c.value);
    });
    EXPECT_EQ(result.failedAt, c.failedAt);
    EXPECT_EQ(result.changedMeanwhile, c.assignment != nullptr);
    EXPECT_EQ(result.error.contains(QStringLiteral("injected")), c.assignment == nullptr);
    EXPECT_FALSE(Db().InTransaction());
    EXPECT_EQ(ledger_.TickedLines(), c.ticksLeft);
  }
}

// A read that fails names the side whose lines it could not read, and nothing is
// written.
TEST_P(MatchRunTest, AFailedReadNamesItsSide) {
  struct Case { int readsBefore; MatchSide unread; };
  for (const Case& c : {Case{0, MatchSide::Journal}, Case{1, MatchSide::Statement}}) {
    SCOPED_TRACE(c.readsBefore);
    ledger_.Clear();
    ledger_.Add(JournalRow{});
    ledger_.Add(StatementRow{});
    FailingConnection db(Db());
    db.failQuery = true;
    db.queriesBeforeFailure = c.readsBefore;
    const MatchRunResult result = RunAutoMatching(db, ledger_.Request(), kPeriods);
    EXPECT_EQ(result.failedAt, MatchStage::Load);
    EXPECT_EQ(result.unreadSide, c.unread);
    EXPECT_EQ(ledger_.TickedLines(), 0);
  }
}

// A pass of many pairs is written in one statement per side where the engine
// can, rather than line by line; the guard must hold there too: one line changed
// meanwhile voids every tick of the pass.
TEST_P(MatchRunTest, OneChangedLineVoidsALargePass) {
  struct Case { const char* name; bool journal; const char* assignment; DbValue value; long long ticksLeft; };
  const Case cases[] = {
      {"nothing changed", true, nullptr, DbValue(), 500},
      {"journal line ticked by hand", true, "TICK=?", DbValue(24), 1},
      {"journal amount changed", true, "AMOUNT=?", DbValue(platform::Money::FromCents(200)), 0},
      {"statement direction turned", false, "bd_c=?", DbValue(1), 0},
  };
  std::unique_ptr<platform::DbConnection> other = db_.OpenAnother();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ledger_.Clear();
    DbValue key;
    for (int i = 0; i < 250; ++i) {
      const DbValue journal = ledger_.Add(JournalRow{.md = "1"}), statement = ledger_.Add(StatementRow{.amount = "1"});
      if (i == 125) key = c.journal ? journal : statement;
    }
    const MatchRunResult result = RunAutoMatching(Db(), ledger_.Request(), kPeriods, [&](MatchStage stage, long long steps) {
      if (c.assignment && stage == MatchStage::OneToOne && steps == 0)
        ledger_.Change(*other, c.journal, key, c.assignment, c.value);
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
    const char* change;         // what another session did meanwhile (nullptr: nothing)
    DbValue changed;
    std::optional<int> value;   // the write: a manual tick or none
    TickWrite outcome;
    int tickAfter;
  };
  const DbValue amount(platform::Money::FromCents(99900));
  const TickWrite written = TickWrite::Written, changed = TickWrite::ChangedMeanwhile;
  const Case cases[] = {
      {"tick an unticked line", DbValue(), nullptr, DbValue(), 18, written, 18},
      {"untick an automatic tick", DbValue(3), nullptr, DbValue(), std::nullopt, written, 0},
      {"tick a line ticked meanwhile", DbValue(), "TICK=?", DbValue(24), 18, changed, 24},
      {"untick a line ticked again meanwhile", DbValue(3), "TICK=?", DbValue(5), std::nullopt, changed, 5},
      {"untick a line unticked meanwhile", DbValue(3), "TICK=?", DbValue(), std::nullopt, changed, 0},
      {"tick a line cleared meanwhile", DbValue(), "bdelete=?", DbValue(1), 18, changed, 0},
      {"tick a line deleted meanwhile", DbValue(), "delete", DbValue(), 18, TickWrite::Missing, 0},
      {"tick a line whose amount changed", DbValue(), "AMOUNT=?", amount, 18, changed, 0},
      {"untick a line whose amount changed", DbValue(3), "AMOUNT=?", amount, std::nullopt, changed, 3},
      {"tick a line turned to the other side", DbValue(), "TURN", DbValue(0), 18, changed, 0},
      {"tick a line moved to another date", DbValue(), "DATE=?", DbValue(March(20)), 18, changed, 0},
  };
  std::unique_ptr<platform::DbConnection> other = db_.OpenAnother();
  const ReconLoadRequest account{.code = QStringLiteral("A"), .bookCode = QStringLiteral("BK1"), .bookMode = BookMode()};
  for (const bool journal : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.name << (journal ? " (journal)" : " (statement)"));
      ledger_.Clear();
      const DbValue key = journal ? ledger_.Add(JournalRow{.md = "5", .tick = c.stored})
                                  : ledger_.Add(StatementRow{.amount = "5", .tick = c.stored});
      if (c.change) ledger_.Change(*other, journal, key, c.change, c.changed);
      const QVariant rowKey = MatchLedger::RowKey(key);
      // As loaded: a journal debit or a statement credit of 5.00 on March 10.
      const std::optional<int> shown = c.stored.IsNull() ? std::nullopt : std::optional<int>(c.stored.ToInt());
      const LineFacts seen{March(10), {}, {}, journal, platform::Money::FromCents(500), shown};
      const ReconSide side = journal ? ReconSide::Journal : ReconSide::Statement;
      EXPECT_EQ(WriteLineTick(Db(), account, false, side, rowKey, seen, c.value), c.outcome);
      EXPECT_EQ(journal ? ledger_.JournalTick(key) : ledger_.StatementTick(key), c.tickAfter);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, MatchRunTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::reconcile
