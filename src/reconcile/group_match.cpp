#include "reconcile/group_match.h"

#include <algorithm>

namespace corvane::reconcile {

namespace {

// The group key of a line: its settlement number, then (with sameStyle) its
// style. The one ordering of grouping, sorting and the merge of the groups.
int CompareKeys(const MatchLine& a, const MatchLine& b, bool sameStyle) {
  if (const int c = a.number.compare(b.number)) return c < 0 ? -1 : 1;
  if (!sameStyle) return 0;
  const int c = a.style.compare(b.style);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

struct Group {
  size_t begin = 0;  // the group's lines: members[begin, end)
  size_t end = 0;
  FacingAmounts totals;
  QDate firstDate;   // invalid when none of its lines has a date
};

struct SideGroups {
  std::vector<size_t> members;  // line indices, grouped
  std::vector<Group> groups;    // in key order
};

SideGroups GroupsOf(const std::vector<MatchLine>& lines, const std::vector<int>& done, MatchSide side,
                    const MatchOptions& o) {
  SideGroups out;
  for (size_t i = 0; i < lines.size(); ++i)
    if (done[i] == 0 && !lines[i].numberNull) out.members.push_back(i);
  std::stable_sort(out.members.begin(), out.members.end(),
                   [&](size_t a, size_t b) { return CompareKeys(lines[a], lines[b], o.sameStyle) < 0; });
  for (size_t i = 0; i < out.members.size();) {
    Group g;
    g.begin = i;
    const MatchLine& head = lines[out.members[i]];
    for (; i < out.members.size() && CompareKeys(head, lines[out.members[i]], o.sameStyle) == 0; ++i) {
      const MatchLine& line = lines[out.members[i]];
      const FacingAmounts a = FacingAmountsOf(line, side, o.bankFx);
      g.totals.first += a.first;
      g.totals.second += a.second;
      if (line.date.isValid() && (!g.firstDate.isValid() || line.date < g.firstDate)) g.firstDate = line.date;
    }
    g.end = i;
    out.groups.push_back(g);
  }
  return out;
}

void Tick(std::vector<int>& ticks, const SideGroups& side, const Group& g, int tick) {
  for (size_t m = g.begin; m < g.end; ++m) ticks[side.members[m]] = tick;
}

}  // namespace

PassTicks MatchGroups(const MatchCandidates& lines, const PassTicks& done, const MatchOptions& options,
                      const PeriodOf& periodOf, const StepReport& step) {
  PassTicks out;
  out.journal.assign(lines.journal.size(), 0);
  out.statement.assign(lines.statement.size(), 0);
  const SideGroups journal = GroupsOf(lines.journal, done.journal, MatchSide::Journal, options);
  const SideGroups statement = GroupsOf(lines.statement, done.statement, MatchSide::Statement, options);
  size_t a = 0, b = 0;
  long long steps = 0;
  while (a < journal.groups.size() && b < statement.groups.size()) {
    if (step && ++steps % kStepsPerReport == 0) step(steps);
    const Group& j = journal.groups[a];
    const Group& s = statement.groups[b];
    const int c = CompareKeys(lines.journal[journal.members[j.begin]], lines.statement[statement.members[s.begin]],
                              options.sameStyle);
    if (c < 0) {
      ++a;
      continue;
    }
    if (c > 0) {
      ++b;
      continue;
    }
    // Keys are unique on each side, so two groups of one key that do not agree
    // have no other partner: both sides move on either way.
    if (j.totals == s.totals) {
      const int tick = AutoTickValue(periodOf, j.firstDate, s.firstDate);
      Tick(out.journal, journal, j, tick);
      Tick(out.statement, statement, s, tick);
      ++out.pairs;
    }
    ++a;
    ++b;
  }
  if (step) step(steps);  // where the pass ended
  return out;
}

}  // namespace corvane::reconcile
