#include "match_fixtures.h"
#include "reconcile/auto_match.h"

#include <gtest/gtest.h>

namespace corvane::reconcile {
namespace {

using namespace test;

using Change = std::function<void(MatchLine&)>;
using SetOptions = std::function<void(MatchOptions&)>;

const Change kSame = [](MatchLine&) {};
const SetOptions kDefaults = [](MatchOptions&) {};

Change Date(int y, int m, int d) { return [=](MatchLine& l) { l.date = QDate(y, m, d); }; }
Change Number(const platform::DbValue& n) { return [=](MatchLine& l) { SetNumber(l, n); }; }
Change Style(const platform::DbValue& s) { return [=](MatchLine& l) { l.style = MatchText(s); }; }
Change Debit(const char* a) { return [=](MatchLine& l) { l.debit = Yuan(a); l.credit = {}; }; }
Change Credit(const char* a) { return [=](MatchLine& l) { l.credit = Yuan(a); l.debit = {}; }; }

SetOptions Window(int days) { return [=](MatchOptions& o) { o.dateWindow = true; o.dayLimit = days; }; }
const SetOptions kNumber = [](MatchOptions& o) { o.sameNumber = true; };
const SetOptions kStyle = [](MatchOptions& o) { o.sameStyle = true; };
const SetOptions kBankFx = [](MatchOptions& o) { o.bankFx = true; };

// One journal line against one statement line: the tick both get (0: no pair).
TEST(AutoMatchTest, OneLineAgainstOneLine) {
  struct Case {
    const char* name;
    SetOptions options;
    Change journal;
    Change statement;
    int tick;
  };
  const Case cases[] = {
      {"journal debit faces statement credit", kDefaults, kSame, kSame, 3},
      {"journal credit faces statement debit", kDefaults, Credit("100"), Debit("100"), 3},
      {"debit against debit is no pair", kDefaults, kSame, Debit("100"), 0},
      {"debit direction: debit faces debit", kBankFx, kSame, Debit("100"), 3},
      {"debit direction: debit against credit is no pair", kBankFx, kSame, kSame, 0},
      {"amounts must be exactly equal", kDefaults, kSame, Credit("100.005"), 0},
      {"12 days after is inside a window of 12", Window(12), kSame, Date(2026, 3, 22), 3},
      {"12 days before is inside a window of 12", Window(12), kSame, Date(2026, 2, 26), 3},
      {"13 days after is outside a window of 12", Window(12), kSame, Date(2026, 3, 23), 0},
      {"13 days before is outside a window of 12", Window(12), kSame, Date(2026, 2, 25), 0},
      {"a negative window admits no day apart", Window(-3), kSame, Date(2026, 3, 11), 0},
      {"without the window any distance pairs", kDefaults, kSame, Date(2026, 8, 1), 8},
      {"a journal line without a date fails the window", Window(30), Date(0, 0, 0), kSame, 0},
      {"without the window a missing date gives way to the other", kDefaults, Date(0, 0, 0), Date(2026, 5, 2), 5},
      {"the later statement date gives the period", kDefaults, Date(2026, 3, 31), Date(2026, 4, 2), 4},
      {"a later date without a period ticks 1", kDefaults, Date(2025, 12, 31), Date(2027, 1, 3), 1},
      {"a pair outside the calendar ticks 1", kDefaults, Date(2025, 12, 20), Date(2025, 12, 31), 1},
      {"numbers ignore letter case", kNumber, Number("a1"), Number("A1"), 3},
      {"numbers ignore blanks on both sides", kNumber, Number(" A1 "), Number("A1  "), 3},
      {"no number pairs a blank number", kNumber, Number(nullptr), Number("   "), 3},
      {"no number against a number is no pair", kNumber, Number(nullptr), Number("A1"), 0},
      {"other numbers are no pair", kNumber, kSame, Number("A2"), 0},
      {"numbers are ignored unless asked for", kDefaults, kSame, Number("A2"), 3},
      {"styles ignore case and blanks", kStyle, Style(" zz "), Style("ZZ"), 3},
      {"no style pairs a blank style", kStyle, Style(nullptr), Style("  "), 3},
      {"other styles are no pair", kStyle, kSame, Style("201"), 0},
      {"an apostrophe is just a character", kNumber, Number("O'B-7"), Number("o'b-7"), 3},
  };
  for (const Case& c : cases) {
    MatchOptions options;
    c.options(options);
    const MatchCandidates lines{{With(JournalLine(), c.journal)}, {With(StatementLine(), c.statement)}};
    const PassTicks ticks = MatchOneToOne(lines, options, kPeriods);
    EXPECT_EQ(ticks.journal.at(0), c.tick) << c.name;
    EXPECT_EQ(ticks.statement.at(0), c.tick) << c.name;
    EXPECT_EQ(ticks.pairs, c.tick ? 1 : 0) << c.name;
  }
}

TEST(AutoMatchTest, EachLinePairsOnceAndTheFirstCandidateInOrderWins) {
  MatchOptions options;
  options.sameNumber = true;
  // Three equal journal lines and two equal statement lines: two pairs, in order.
  MatchCandidates lines{{JournalLine(1), JournalLine(2), JournalLine(3)}, {StatementLine(1), StatementLine(2)}};
  PassTicks ticks = MatchOneToOne(lines, options, kPeriods);
  EXPECT_EQ(ticks.pairs, 2);
  EXPECT_EQ(ticks.journal, (std::vector<int>{3, 3, 0}));
  EXPECT_EQ(ticks.statement, (std::vector<int>{3, 3}));
  // An earlier date sorts first wherever it stands among the candidates.
  lines.journal[2].date = QDate(2026, 2, 1);
  ticks = MatchOneToOne(lines, options, kPeriods);
  EXPECT_EQ(ticks.journal, (std::vector<int>{3, 0, 3}));
}

TEST(AutoMatchTest, NumbersInMixedCaseStillMeetInTheMerge) {
  // A binary or case-sensitive order would put "B1" before "a2" on one side and
  // after it on the other, and the merge would walk past partners.
  MatchOptions options;
  options.sameNumber = true;
  MatchCandidates lines;
  const char* journal[] = {"a2", "B1", "A3", "c0", "Ä5"};
  const char* statement[] = {"A2", "b1", "a3", "C0", "ä5"};
  for (int i = 0; i < 5; ++i) {
    lines.journal.push_back(With(JournalLine(i), Number(QString::fromUtf8(journal[i]))));
    lines.statement.push_back(With(StatementLine(i), Number(QString::fromUtf8(statement[i]))));
  }
  EXPECT_EQ(MatchOneToOne(lines, options, kPeriods).pairs, 5);
}

TEST(AutoMatchTest, EndsWhenNoColumnDecides) {
  // Lines equal in every column that fail the pair test (no dates under a date
  // window, blanks around every number): the walk must still end, with no pair.
  MatchOptions options;
  options.sameNumber = options.sameStyle = options.dateWindow = true;
  options.dayLimit = -5;
  MatchCandidates lines;
  for (int i = 0; i < 50; ++i) {
    lines.journal.push_back(With(JournalLine(i), [](MatchLine& l) { l.date = {}; SetNumber(l, QStringLiteral(" N ")); }));
    lines.statement.push_back(With(StatementLine(i), [](MatchLine& l) { l.date = {}; SetNumber(l, QStringLiteral("n  ")); }));
  }
  EXPECT_EQ(MatchOneToOne(lines, options, kPeriods).pairs, 0);
}

}  // namespace
}  // namespace corvane::reconcile
