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

const SetOptions kNumber = [](MatchOptions& o) { o.sameNumber = true; };
const SetOptions kStyle = [](MatchOptions& o) { o.sameStyle = true; };
const SetOptions kBankFx = [](MatchOptions& o) { o.bankFx = true; };

// One journal line against one statement line: the tick both get (0: no pair).
// The merge itself (windows, amounts, order, which line wins) is checked against
// a plain reference merge on random lines; these are the rules that reference
// takes from the code: facing directions, the tick's period, the texts' spellings.
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
      {"without the window any distance pairs", kDefaults, kSame, Date(2026, 8, 1), 8},
      {"without the window a missing date gives way to the other", kDefaults, Date(0, 0, 0), Date(2026, 5, 2), 5},
      {"the later statement date gives the period", kDefaults, Date(2026, 3, 31), Date(2026, 4, 2), 4},
      {"a later date without a period ticks 1", kDefaults, Date(2025, 12, 31), Date(2027, 1, 3), 1},
      {"a pair outside the calendar ticks 1", kDefaults, Date(2025, 12, 20), Date(2025, 12, 31), 1},
      {"numbers ignore letter case", kNumber, Number("a1"), Number("A1"), 3},
      {"numbers ignore letter case beyond ASCII", kNumber, Number(QStringLiteral("ä5")), Number(QStringLiteral("Ä5")), 3},
      {"numbers ignore blanks on both sides", kNumber, Number(" A1 "), Number("A1  "), 3},
      {"no number pairs a blank number", kNumber, Number(nullptr), Number("   "), 3},
      {"no number against a number is no pair", kNumber, Number(nullptr), Number("A1"), 0},
      {"styles ignore case and blanks", kStyle, Style(" zz "), Style("ZZ"), 3},
      {"no style pairs a blank style", kStyle, Style(nullptr), Style("  "), 3},
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
