#include "failing_connection.h"
#include "match_ledger.h"
#include "reconcile/auto_match_run.h"
#include "reconcile/match_candidates.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <algorithm>

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
  static std::vector<QString> Keys(std::vector<DbValue> values) {
    std::vector<QString> keys;
    for (const DbValue& v : values) keys.push_back(v.ToString());
    std::sort(keys.begin(), keys.end());
    return keys;
  }

  testing::TestDatabase db_;
  MatchLedger ledger_{db_.Connection(), GetParam()};
};

TEST_P(MatchRunTest, CandidatesAreTheUntickedLinesOfTheAccountInRange) {
  std::vector<DbValue> journal, statement;
  // Taken part.
  journal.push_back(ledger_.Add(JournalRow{}));
  journal.push_back(ledger_.Add(JournalRow{.tick = 0}));
  journal.push_back(ledger_.Add(JournalRow{.date = QDate(2026, 1, 20), .period = 21}));  // opening item before the start
  journal.push_back(ledger_.Add(JournalRow{.date = QDate(2026, 5, 31)}));                 // on the cut-off
  journal.push_back(ledger_.Add(JournalRow{.number = nullptr, .style = nullptr}));
  statement.push_back(ledger_.Add(StatementRow{}));
  statement.push_back(ledger_.Add(StatementRow{.tick = 0}));
  statement.push_back(ledger_.Add(StatementRow{.date = QDate(2026, 5, 31)}));
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
    journal.push_back(ledger_.Add(JournalRow{.voucherState = 2}));
    ledger_.Add(JournalRow{.voucherState = 1});  // void
  }
  MatchRequest r = ledger_.Request();
  r.cutOff = QDate(2026, 5, 31);
  const MatchCandidates c = LoadMatchCandidates(Db(), r);
  EXPECT_EQ(Keys(c.journal), Keys(journal));
  EXPECT_EQ(Keys(c.statement), Keys(statement));
}

TEST_P(MatchRunTest, CandidatesCarryTheComparedValues) {
  ledger_.Add(JournalRow{.number = QStringLiteral(" Ab7 "), .style = nullptr, .md = "12.5", .mcForeign = "3"});
  ledger_.Add(JournalRow{.date = March(11), .number = nullptr, .style = QStringLiteral("ZZ "), .mc = "4"});
  ledger_.Add(StatementRow{.debit = 1, .amount = "8.25"});
  MatchRequest r = ledger_.Request();
  MatchCandidates c = LoadMatchCandidates(Db(), r);
  ASSERT_EQ(c.journal.size(), 2u);
  EXPECT_EQ(c.journal[0].number, QStringLiteral("ab7"));
  EXPECT_FALSE(c.journal[0].numberNull);
  EXPECT_EQ(c.journal[0].style, QString());
  EXPECT_EQ(c.journal[0].debit, Yuan("12.5"));
  EXPECT_TRUE(c.journal[1].numberNull);
  EXPECT_EQ(c.journal[1].style, QStringLiteral("zz"));
  EXPECT_EQ(c.journal[1].credit, Yuan("4"));
  ASSERT_EQ(c.statement.size(), 1u);
  EXPECT_EQ(c.statement[0].debit, Yuan("8.25"));
  EXPECT_EQ(c.statement[0].credit, Yuan("0"));
  r.foreign = true;
  c = LoadMatchCandidates(Db(), r);
  EXPECT_EQ(c.journal[0].debit, Yuan("0"));
  EXPECT_EQ(c.journal[0].credit, Yuan("3"));
}

TEST_P(MatchRunTest, RunTicksPairsAndGroups) {
  // One to one, within the window of 12 days, numbers in another case.
  const DbValue j1 = ledger_.Add(JournalRow{.md = "100"});
  const DbValue s1 = ledger_.Add(StatementRow{.date = March(22), .amount = "100"});
  const DbValue j2 = ledger_.Add(JournalRow{.date = March(30), .number = QStringLiteral(" b2"), .mc = "20"});
  const DbValue s2 = ledger_.Add(StatementRow{.date = March(33), .number = QStringLiteral("B2 "), .debit = 1, .amount = "20"});
  // Outside the window and alone under its number: the grouped pass takes it.
  const DbValue j3 = ledger_.Add(JournalRow{.number = QStringLiteral("W9"), .md = "9"});
  const DbValue s3 = ledger_.Add(StatementRow{.date = March(30), .number = QStringLiteral("W9"), .amount = "9"});
  // A group whose totals agree, with apostrophes in number and style.
  const DbValue j4 = ledger_.Add(JournalRow{.date = March(5), .number = QStringLiteral("O'K"), .style = QStringLiteral("2'0"), .md = "30"});
  const DbValue j5 = ledger_.Add(JournalRow{.date = March(31), .number = QStringLiteral("o'k"), .style = QStringLiteral("2'0"), .md = "40"});
  const DbValue s4 = ledger_.Add(StatementRow{.date = March(8), .number = QStringLiteral("O'K"), .style = QStringLiteral("2'0"), .amount = "70"});
  // A group a cent off, and a line with no partner.
  const DbValue j6 = ledger_.Add(JournalRow{.number = QStringLiteral("D4"), .md = "10"});
  const DbValue j7 = ledger_.Add(JournalRow{.number = QStringLiteral("D4"), .md = "11"});
  const DbValue s5 = ledger_.Add(StatementRow{.number = QStringLiteral("D4"), .amount = "21.01"});
  const DbValue j8 = ledger_.Add(JournalRow{.number = QStringLiteral("E5"), .md = "55"});

  MatchRequest r = ledger_.Request();
  r.options.sameNumber = r.options.sameStyle = r.options.dateWindow = true;
  r.options.dayLimit = 12;
  std::vector<MatchStage> stages;
  const MatchRunResult result = RunAutoMatching(Db(), r, kPeriods, [&](MatchStage s) { stages.push_back(s); });
  ASSERT_TRUE(result.Ok()) << result.error.toStdString();
  EXPECT_EQ(stages, (std::vector<MatchStage>{MatchStage::Load, MatchStage::OneToOne, MatchStage::Grouped}));
  EXPECT_EQ(result.oneToOnePairs, 2);
  EXPECT_EQ(result.groupPairs, 2);
  EXPECT_EQ(result.journalTicked, 5);
  EXPECT_EQ(result.statementTicked, 4);
  EXPECT_EQ(ledger_.JournalTick(j1), 3);
  EXPECT_EQ(ledger_.StatementTick(s1), 3);
  EXPECT_EQ(ledger_.JournalTick(j2), 4);
  EXPECT_EQ(ledger_.StatementTick(s2), 4);
  EXPECT_EQ(ledger_.JournalTick(j3), 3);
  EXPECT_EQ(ledger_.StatementTick(s3), 3);
  EXPECT_EQ(ledger_.JournalTick(j4), 3);
  EXPECT_EQ(ledger_.JournalTick(j5), 3);  // the first dates (5th and 8th) decide, not the 31st
  EXPECT_EQ(ledger_.StatementTick(s4), 3);
  EXPECT_EQ(ledger_.JournalTick(j6), 0);
  EXPECT_EQ(ledger_.JournalTick(j7), 0);
  EXPECT_EQ(ledger_.StatementTick(s5), 0);
  EXPECT_EQ(ledger_.JournalTick(j8), 0);
}

TEST_P(MatchRunTest, WithoutTheNumberConditionNoGroupIsMatched) {
  ledger_.Add(JournalRow{.md = "30"});
  ledger_.Add(JournalRow{.md = "40"});
  ledger_.Add(StatementRow{.amount = "70"});
  const MatchRunResult result = RunAutoMatching(Db(), ledger_.Request(), kPeriods);
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ(result.groupPairs, 0);
  EXPECT_EQ(ledger_.TickedLines(), 0);
}

TEST_P(MatchRunTest, ForeignAccountsCompareTheForeignAmounts) {
  const DbValue j1 = ledger_.Add(JournalRow{.md = "700", .mdForeign = "100"});
  const DbValue j2 = ledger_.Add(JournalRow{.md = "55", .mdForeign = "8"});
  const DbValue s1 = ledger_.Add(StatementRow{.amount = "100"});
  const DbValue s2 = ledger_.Add(StatementRow{.amount = "55"});
  MatchRequest r = ledger_.Request();
  r.foreign = true;
  ASSERT_TRUE(RunAutoMatching(Db(), r, kPeriods).Ok());
  EXPECT_EQ(ledger_.JournalTick(j1), 3);
  EXPECT_EQ(ledger_.StatementTick(s1), 3);
  EXPECT_EQ(ledger_.JournalTick(j2), 0);
  EXPECT_EQ(ledger_.StatementTick(s2), 0);
}

TEST_P(MatchRunTest, OneEmptySideMatchesNothingAndWritesNothing) {
  ledger_.Add(JournalRow{.md = "100"});
  ledger_.Add(StatementRow{.amount = "100", .tick = 2});
  FailingConnection db(Db());
  MatchRequest r = ledger_.Request();
  r.options.sameNumber = true;
  const MatchRunResult result = RunAutoMatching(db, r, kPeriods);
  EXPECT_TRUE(result.Ok());
  EXPECT_TRUE(result.nothingToMatch);
  EXPECT_EQ(db.batches, 0);
}

TEST_P(MatchRunTest, TheCutOffIsStoredOnTheAccount) {
  Db().Execute(QStringLiteral("insert into code (ccode, ccode_name, be, bend) values (?,?,1,1)"),
               {QStringLiteral("A"), QStringLiteral("bank")});
  EXPECT_TRUE(StoreCutOff(Db(), QStringLiteral("a"), QDate(2026, 5, 31)));
  EXPECT_EQ(Db().QueryValue(QStringLiteral("select dend from code where ccode=?"), {QStringLiteral("A")}).ToDate(),
            QDate(2026, 5, 31));
  EXPECT_TRUE(StoreCutOff(Db(), QStringLiteral("A"), QDate()));
  EXPECT_TRUE(Db().QueryValue(QStringLiteral("select dend from code where ccode=?"), {QStringLiteral("A")}).IsNull());
  EXPECT_FALSE(StoreCutOff(Db(), QStringLiteral("NOPE"), QDate(2026, 5, 31)));
}

// A failure injected in the middle of writing leaves the pass's ticks unwritten.
TEST_P(MatchRunTest, AFailedWriteLeavesNoTickOfItsPass) {
  struct Case {
    const char* name;
    int failBatch;           // 1, 2: the one-to-one journal and statement batches; 3, 4: the grouped ones
    MatchStage stage;
    long long ticksLeft;     // ticked lines afterwards
  };
  const Case cases[] = {
      {"in the one-to-one journal batch", 1, MatchStage::OneToOne, 0},
      {"in the one-to-one statement batch", 2, MatchStage::OneToOne, 0},
      {"in the grouped journal batch", 3, MatchStage::Grouped, 4},
      {"in the grouped statement batch", 4, MatchStage::Grouped, 4},
  };
  for (const Case& c : cases) {
    Db().Execute(QStringLiteral("delete from %1").arg(BookMode() ? "RP_Flow" : "gl_accvouch"));
    Db().Execute(QStringLiteral("delete from %1").arg(BookMode() ? "rp_bankrecp_rp" : "rp_bankrecp"));
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
    db.rowsBeforeFailure = 1;
    MatchRequest r = ledger_.Request();
    r.options.sameNumber = true;
    const MatchRunResult result = RunAutoMatching(db, r, kPeriods);
    EXPECT_EQ(result.failedAt, c.stage) << c.name;
    EXPECT_TRUE(result.error.contains(QStringLiteral("injected"))) << c.name;
    EXPECT_FALSE(Db().InTransaction()) << c.name;
    EXPECT_EQ(ledger_.TickedLines(), c.ticksLeft) << c.name;
  }
}

TEST_P(MatchRunTest, AFailedReadEndsTheRunBeforeAnyWrite) {
  ledger_.Add(JournalRow{.md = "1"});
  ledger_.Add(StatementRow{.amount = "1"});
  FailingConnection db(Db());
  db.failQuery = true;
  const MatchRunResult result = RunAutoMatching(db, ledger_.Request(), kPeriods);
  EXPECT_EQ(result.failedAt, MatchStage::Load);
  EXPECT_EQ(db.batches, 0);
  EXPECT_EQ(ledger_.TickedLines(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, MatchRunTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::reconcile
