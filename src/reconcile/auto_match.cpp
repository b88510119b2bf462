#include "reconcile/auto_match.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace corvane::reconcile {

namespace {

constexpr std::int64_t kNoDay = std::numeric_limits<std::int64_t>::min();

// One line as the merge sees it: the compared columns in their order.
struct MergeEntry {
  const MatchLine* line;
  FacingAmounts amounts;
  std::int64_t day;  // kNoDay sorts first
  size_t index;
};

template <class T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// The one ordering of both the sort and the merge: settlement number (when it must
// agree), the two facing amounts, settlement style (when it must agree), date.
// Texts are match keys already (trimmed, case folded, no value as empty), so no
// engine collation and no stray blank can make the two disagree.
int Compare(const MergeEntry& a, const MergeEntry& b, const MatchOptions& o) {
  if (o.sameNumber)
    if (const int c = a.line->number.compare(b.line->number)) return c < 0 ? -1 : 1;
  if (const int c = Order(a.amounts.first, b.amounts.first)) return c;
  if (const int c = Order(a.amounts.second, b.amounts.second)) return c;
  if (o.sameStyle)
    if (const int c = a.line->style.compare(b.line->style)) return c < 0 ? -1 : 1;
  return Order(a.day, b.day);
}

bool Pairs(const MergeEntry& j, const MergeEntry& s, const MatchOptions& o) {
  if (o.sameNumber && j.line->number != s.line->number) return false;
  if (!(j.amounts == s.amounts)) return false;
  if (o.dateWindow) {
    if (j.day == kNoDay || s.day == kNoDay) return false;
    const std::int64_t limit = std::max(0, o.dayLimit);
    if (s.day < j.day - limit || s.day > j.day + limit) return false;
  }
  return !o.sameStyle || j.line->style == s.line->style;
}

std::vector<MergeEntry> SortedEntries(const std::vector<MatchLine>& lines, MatchSide side, const MatchOptions& o) {
  std::vector<MergeEntry> entries;
  entries.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const MatchLine& l = lines[i];
    entries.push_back({&l, FacingAmountsOf(l, side, o.bankFx), l.date.isValid() ? l.date.toJulianDay() : kNoDay, i});
  }
  // Stable: among lines that compare equal the first of the candidates' order wins.
  std::stable_sort(entries.begin(), entries.end(),
                   [&o](const MergeEntry& a, const MergeEntry& b) { return Compare(a, b, o) < 0; });
  return entries;
}

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
  const std::vector<MergeEntry> journal = SortedEntries(lines.journal, MatchSide::Journal, options);
  const std::vector<MergeEntry> statement = SortedEntries(lines.statement, MatchSide::Statement, options);
  size_t i = 0, k = 0;
  long long steps = 0;
  while (i < journal.size() && k < statement.size()) {
    if (step && ++steps % kStepsPerReport == 0) step(steps);
    const MergeEntry& j = journal[i];
    const MergeEntry& s = statement[k];
    if (Pairs(j, s, options)) {
      const int tick = AutoTickValue(periodOf, j.line->date, s.line->date);
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
    if (Compare(j, s, options) > 0) ++k;
    else ++i;
  }
  if (step) step(steps);  // where the pass ended
  return out;
}

}  // namespace corvane::reconcile
