#include "match_fixtures.h"
#include "reconcile/group_match.h"

#include <gtest/gtest.h>

namespace corvane::reconcile {
namespace {

using namespace test;

// A line of a group: number and style (nullptr for none), signed amount (positive
// a debit, negative a credit) and day of March 2026 (0 for no date).
struct L {
  const char* number;
  const char* style;
  const char* amount;
  int day = 10;
};

MatchLine Make(const L& l, long long key) {
  MatchLine m;
  m.key = key;
  SetNumber(m, l.number ? platform::DbValue(QString::fromUtf8(l.number)) : platform::DbValue());
  m.style = MatchText(l.style ? platform::DbValue(QString::fromUtf8(l.style)) : platform::DbValue());
  const platform::Money a = Yuan(l.amount[0] == '-' ? l.amount + 1 : l.amount);
  (l.amount[0] == '-' ? m.credit : m.debit) = a;
  if (l.day) m.date = QDate(2026, 3, 1).addDays(l.day - 1);
  return m;
}

MatchCandidates Lines(const std::vector<L>& journal, const std::vector<L>& statement) {
  MatchCandidates c;
  for (const L& l : journal) c.journal.push_back(Make(l, static_cast<long long>(c.journal.size()) + 1));
  for (const L& l : statement) c.statement.push_back(Make(l, static_cast<long long>(c.statement.size()) + 1));
  return c;
}

// Which groups pair, and the tick they get. How groups form and meet (totals per
// side, styles as a condition, groups missing on one side, lines the one-to-one
// pass took) is checked against a plain reference on random lines; these are the
// rules that reference takes from the code.
TEST(GroupMatchTest, Groups) {
  struct Case {
    const char* name;
    bool bankFx;
    bool sameStyle;
    std::vector<L> journal;
    std::vector<L> statement;
    std::vector<int> journalTicks;
    std::vector<int> statementTicks;
  };
  const Case cases[] = {
      {"two debits against one credit of their total", false, false,
       {{"A1", "202", "100"}, {"A1", "202", "50"}}, {{"A1", "202", "-150"}}, {3, 3}, {3}},
      {"debit direction: the same lines are no pair", true, false,
       {{"A1", "202", "100"}, {"A1", "202", "50"}}, {{"A1", "202", "-150"}}, {0, 0}, {0}},
      {"debit direction: debits face debits", true, false,
       {{"A1", "202", "100"}, {"A1", "202", "50"}}, {{"A1", "202", "150"}}, {3, 3}, {3}},
      {"numbers ignore case and blanks", false, false,
       {{"a1", "202", "100"}, {" A1 ", "202", "50"}}, {{"A1  ", "202", "-150"}}, {3, 3}, {3}},
      {"an empty number is a group", false, false,
       {{"", "202", "30"}, {"  ", "202", "20"}}, {{"", "202", "-50"}}, {3, 3}, {3}},
      {"no style and a blank style are one group", false, true,
       {{"A1", nullptr, "100"}, {"A1", "", "50"}}, {{"A1", "  ", "-150"}}, {3, 3}, {3}},
      {"styles ignore case and blanks", false, true,
       {{"A1", " zz", "100"}}, {{"A1", "ZZ ", "-100"}}, {3}, {3}},
      // The tick is the period of the later of the two sides' first dates (days
      // of March 2026; 32 and on run into April, 0 is no date).
      {"the statement's first date is later", false, false,
       {{"A1", "202", "10", 31}, {"A1", "202", "10", 20}}, {{"A1", "202", "-20", 33}}, {4, 4}, {4}},
      {"the journal's first date is later", false, false,
       {{"A1", "202", "10", 33}, {"A1", "202", "10", 40}}, {{"A1", "202", "-20", 31}}, {4, 4}, {4}},
      {"no date on either side ticks 1", false, false,
       {{"A1", "202", "10", 0}, {"A1", "202", "10", 0}}, {{"A1", "202", "-20", 0}}, {1, 1}, {1}},
  };
  for (const Case& c : cases) {
    MatchOptions options;
    options.bankFx = c.bankFx;
    options.sameStyle = c.sameStyle;
    options.sameNumber = true;
    const MatchCandidates lines = Lines(c.journal, c.statement);
    PassTicks none;
    none.journal.assign(lines.journal.size(), 0);
    none.statement.assign(lines.statement.size(), 0);
    const PassTicks ticks = MatchGroups(lines, none, options, kPeriods);
    EXPECT_EQ(ticks.journal, c.journalTicks) << c.name;
    EXPECT_EQ(ticks.statement, c.statementTicks) << c.name;
  }
}

}  // namespace
}  // namespace corvane::reconcile
