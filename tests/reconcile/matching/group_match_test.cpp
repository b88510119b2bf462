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

PassTicks Nothing(const MatchCandidates& c) {
  PassTicks t;
  t.journal.assign(c.journal.size(), 0);
  t.statement.assign(c.statement.size(), 0);
  return t;
}

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
      {"a cent of difference is no pair", false, false,
       {{"A1", "202", "100"}, {"A1", "202", "50"}}, {{"A1", "202", "-150.01"}}, {0, 0}, {0}},
      {"debits and credits of a group are kept apart", false, false,
       {{"A1", "202", "100"}, {"A1", "202", "-40"}}, {{"A1", "202", "-100"}, {"A1", "202", "40"}}, {3, 3}, {3, 3}},
      {"netted totals are not enough", false, false,
       {{"A1", "202", "100"}, {"A1", "202", "-40"}}, {{"A1", "202", "-60"}}, {0, 0}, {0}},
      {"numbers ignore case and blanks", false, false,
       {{"a1", "202", "100"}, {" A1 ", "202", "50"}}, {{"A1  ", "202", "-150"}}, {3, 3}, {3}},
      {"an empty number is a group", false, false,
       {{"", "202", "30"}, {"  ", "202", "20"}}, {{"", "202", "-50"}}, {3, 3}, {3}},
      {"lines without a number form no group", false, false,
       {{nullptr, "202", "30"}, {nullptr, "202", "20"}}, {{nullptr, "202", "-50"}}, {0, 0}, {0}},
      {"without the style condition styles are one group", false, false,
       {{"A1", "202", "100"}, {"A1", "301", "50"}}, {{"A1", "XX", "-150"}}, {3, 3}, {3}},
      {"with the style condition other styles split the group", false, true,
       {{"A1", "202", "100"}, {"A1", "301", "50"}}, {{"A1", "202", "-150"}}, {0, 0}, {0}},
      {"with the style condition each style pairs its own", false, true,
       {{"A1", "202", "100"}, {"A1", "301", "50"}}, {{"A1", "301", "-50"}, {"A1", "202", "-100"}}, {3, 3}, {3, 3}},
      {"no style and a blank style are one group", false, true,
       {{"A1", nullptr, "100"}, {"A1", "", "50"}}, {{"A1", "  ", "-150"}}, {3, 3}, {3}},
      {"styles ignore case and blanks", false, true,
       {{"A1", " zz", "100"}}, {{"A1", "ZZ ", "-100"}}, {3}, {3}},
      {"apostrophes are characters like any other", false, true,
       {{"O'B'7", "d'x", "100"}, {"o'b'7", "D'X", "5"}}, {{"O'B'7", "d'x", "-105"}}, {3, 3}, {3}},
      {"a group that differs lets the next ones pair", false, false,
       {{"A1", "202", "100"}, {"B2", "202", "50"}, {"C3", "202", "7"}},
       {{"A1", "202", "-99"}, {"B2", "202", "-50"}, {"C3", "202", "-7"}}, {0, 3, 3}, {0, 3, 3}},
      {"groups missing on one side are passed over", false, false,
       {{"A0", "202", "1"}, {"B2", "202", "50"}, {"Z9", "202", "2"}},
       {{"B1", "202", "-3"}, {"B2", "202", "-50"}, {"C3", "202", "-4"}}, {0, 3, 0}, {0, 3, 0}},
      // The tick is the period of the later of the two sides' first dates (days
      // of March 2026; 32 and on run into April, 0 is no date).
      {"the statement's first date is later", false, false,
       {{"A1", "202", "10", 31}, {"A1", "202", "10", 20}}, {{"A1", "202", "-20", 33}}, {4, 4}, {4}},
      {"the journal's first date is later", false, false,
       {{"A1", "202", "10", 33}, {"A1", "202", "10", 40}}, {{"A1", "202", "-20", 31}}, {4, 4}, {4}},
      {"a later line does not move the first date", false, false,
       {{"A1", "202", "10", 31}, {"A1", "202", "10", 40}}, {{"A1", "202", "-20", 30}, {"A1", "202", "0", 35}}, {3, 3},
       {3, 3}},
      {"no date on either side ticks 1", false, false,
       {{"A1", "202", "10", 0}, {"A1", "202", "10", 0}}, {{"A1", "202", "-20", 0}}, {1, 1}, {1}},
      {"a missing date gives way to the other", false, false,
       {{"A1", "202", "10", 0}, {"A1", "202", "5", 0}}, {{"A1", "202", "-15", 33}}, {4, 4}, {4}},
  };
  for (const Case& c : cases) {
    MatchOptions options;
    options.bankFx = c.bankFx;
    options.sameStyle = c.sameStyle;
    options.sameNumber = true;
    const MatchCandidates lines = Lines(c.journal, c.statement);
    const PassTicks ticks = MatchGroups(lines, Nothing(lines), options, kPeriods);
    EXPECT_EQ(ticks.journal, c.journalTicks) << c.name;
    EXPECT_EQ(ticks.statement, c.statementTicks) << c.name;
  }
}

TEST(GroupMatchTest, LinesTickedByTheOneToOnePassStayOut) {
  // The one-to-one pass took the 50.00 line of each side; the rest of the group
  // agrees by itself and pairs, and no line is ticked twice.
  const MatchCandidates lines =
      Lines({{"A1", "202", "100"}, {"A1", "202", "50"}, {"A1", "202", "25"}}, {{"A1", "202", "-50"}, {"A1", "202", "-125"}});
  PassTicks done = Nothing(lines);
  done.journal[1] = 3;
  done.statement[0] = 3;
  const PassTicks ticks = MatchGroups(lines, done, MatchOptions{}, kPeriods);
  EXPECT_EQ(ticks.journal, (std::vector<int>{3, 0, 3}));
  EXPECT_EQ(ticks.statement, (std::vector<int>{0, 3}));
}

}  // namespace
}  // namespace corvane::reconcile
