#include "reconcile/auto_match.h"

#include "reconcile/match_keys.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>

namespace corvane::reconcile {

namespace {

constexpr std::int64_t kNoDay = std::numeric_limits<std::int64_t>::min();

// One line as the merge sees it: the compared columns in their order, texts as
// their places in the order of all texts of the pass (KeyNumbers), so sorting and
// the merge compare integers in one compact array and never reach the lines.
// A text that need not agree is 0 on every line.
struct MergeEntry {
  std::uint32_t number;
  std::uint32_t style;
  std::int64_t first;   // facing amounts, raw
  std::int64_t second;
  std::int64_t day;     // kNoDay sorts first
  std::uint32_t index;  // the line's place among the candidates
};

template <class T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// The one ordering of both the sort and the merge: settlement number (when it must
// agree), the two facing amounts, settlement style (when it must agree), date.
// Texts are match keys (trimmed, case folded, no value as empty), so no engine
// collation and no stray blank can make the two disagree.
int Compare(const MergeEntry& a, const MergeEntry& b) {
  if (const int c = Order(a.number, b.number)) return c;
  if (const int c = Order(a.first, b.first)) return c;
  if (const int c = Order(a.second, b.second)) return c;
  if (const int c = Order(a.style, b.style)) return c;
  return Order(a.day, b.day);
}

bool Pairs(const MergeEntry& j, const MergeEntry& s, const MatchOptions& o) {
  if (j.number != s.number || j.first != s.first || j.second != s.second || j.style != s.style) return false;
  if (o.dateWindow) {
    if (j.day == kNoDay || s.day == kNoDay) return false;
    const std::int64_t limit = std::max(0, o.dayLimit);
    if (s.day < j.day - limit || s.day > j.day + limit) return false;
  }
  return true;
}

// The entries of one side, texts numbered by first sight (ranked later).
void AddEntries(std::vector<MergeEntry>& entries, const std::vector<MatchLine>& lines, MatchSide side,
                const MatchOptions& o, KeyNumbers& keys) {
  entries.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const MatchLine& l = lines[i];
    const FacingAmounts a = FacingAmountsOf(l, side, o.bankFx);
    entries.push_back({o.sameNumber ? keys.Add(l.number) : 0u, o.sameStyle ? keys.Add(l.style) : 0u,
                       a.first.Raw(), a.second.Raw(), l.date.isValid() ? l.date.toJulianDay() : kNoDay,
                       static_cast<std::uint32_t>(i)});
  }
}

void RankAndSort(std::vector<MergeEntry>& entries, const KeyNumbers& keys, const MatchOptions& o) {
  for (MergeEntry& e : entries) {
    if (o.sameNumber) e.number = keys.Rank(e.number);
    if (o.sameStyle) e.style = keys.Rank(e.style);
  }
  // Among lines that compare equal the first of the candidates' order wins.
  std::sort(entries.begin(), entries.end(), [](const MergeEntry& a, const MergeEntry& b) {
    const int c = Compare(a, b);
    return c < 0 || (c == 0 && a.index < b.index);
  });
}

// AutoTickValue of a pair from its days: the later day counts (a missing day,
// the smallest, gives way to the other). Remembered per day, as many pairs share one.
class PairTicks {
 public:
  explicit PairTicks(const PeriodOf& periodOf) : periodOf_(periodOf) {}
  int Of(std::int64_t journalDay, std::int64_t statementDay) {
    const std::int64_t later = std::max(journalDay, statementDay);
    const auto [it, added] = ticks_.try_emplace(later, 0);
    if (added) it->second = AutoTickValue(periodOf_, later == kNoDay ? QDate() : QDate::fromJulianDay(later), QDate());
    return it->second;
  }

 private:
  const PeriodOf& periodOf_;
  std::unordered_map<std::int64_t, int> ticks_;
};

int Count(const std::vector<int>& ticks) {
  return static_cast<int>(std::count_if(ticks.begin(), ticks.end(), [](int t) { return t > 0; }));
}

}  // namespace

int PassTicks::JournalTicked() const { return Count(journal); }
int PassTicks::StatementTicked() const { return Count(statement); }

PassTicks MatchOneToOne(const MatchCandidates& lines, const MatchOptions& options, const PeriodOf& periodOf,
                        const StepReport& step) {
  PassTicks out;
  out.journal.assign(lines.journal.size(), 0);
  out.statement.assign(lines.statement.size(), 0);
  KeyNumbers keys(lines.journal.size() + lines.statement.size());
  std::vector<MergeEntry> journal, statement;
  AddEntries(journal, lines.journal, MatchSide::Journal, options, keys);
  AddEntries(statement, lines.statement, MatchSide::Statement, options, keys);
  keys.Sort();
  RankAndSort(journal, keys, options);
  RankAndSort(statement, keys, options);
  PairTicks ticks(periodOf);
  size_t i = 0, k = 0;
  long long steps = 0;
  while (i < journal.size() && k < statement.size()) {
    if (step && ++steps % kStepsPerReport == 0) step(steps);
    const MergeEntry& j = journal[i];
    const MergeEntry& s = statement[k];
    if (Pairs(j, s, options)) {
      const int tick = ticks.Of(j.day, s.day);
      out.journal[j.index] = tick;
      out.statement[s.index] = tick;
      ++out.pairs;
      ++i;
      ++k;
      continue;
    }
    // The side that sorts first cannot pair with anything later on the other
    // side. When no column decides (two lines without a date under a date
    // window) the journal side moves on, so every step makes progress.
    if (Compare(j, s) > 0) ++k;
    else ++i;
  }
  if (step) step(steps);  // where the pass ended
  return out;
}

}  // namespace corvane::reconcile
