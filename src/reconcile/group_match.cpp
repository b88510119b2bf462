#include "reconcile/group_match.h"

#include "reconcile/match_keys.h"

#include <algorithm>
#include <cstdint>

namespace corvane::reconcile {

namespace {

// A line that may join a group: its group key, its number's place in the order
// of all texts of the pass in the high half and (with sameStyle) its style's in
// the low half, so that key order is number order, then style order. Until the
// texts are sorted the halves hold their numbers of first sight.
struct Member {
  std::uint64_t key;
  std::uint32_t index;  // the line's place among the candidates
};

struct Group {
  std::uint64_t key = 0;
  size_t begin = 0;  // the group's lines: members[begin, end)
  size_t end = 0;
  FacingAmounts totals;
  QDate firstDate;   // invalid when none of its lines has a date
};

struct SideGroups {
  std::vector<Member> members;  // grouped, in key order
  std::vector<Group> groups;    // in key order
};

std::uint64_t Key(std::uint32_t number, std::uint32_t style) { return std::uint64_t{number} << 32 | style; }

// The lines still unticked that carry a number.
std::vector<Member> Members(const std::vector<MatchLine>& lines, const std::vector<int>& done, bool sameStyle,
                            KeyNumbers& keys) {
  std::vector<Member> out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (done[i] != 0 || lines[i].numberNull) continue;
    out.push_back({Key(keys.Add(lines[i].number), sameStyle ? keys.Add(lines[i].style) : 0u),
                   static_cast<std::uint32_t>(i)});
  }
  return out;
}

SideGroups GroupsOf(const std::vector<MatchLine>& lines, std::vector<Member> members, const KeyNumbers& keys,
                    MatchSide side, const MatchOptions& o) {
  SideGroups out;
  for (Member& m : members)
    m.key = Key(keys.Rank(static_cast<std::uint32_t>(m.key >> 32)),
                o.sameStyle ? keys.Rank(static_cast<std::uint32_t>(m.key)) : 0u);
  // Within a group the lines keep the candidates' order.
  std::sort(members.begin(), members.end(), [](const Member& a, const Member& b) {
    return a.key < b.key || (a.key == b.key && a.index < b.index);
  });
  out.members = std::move(members);
  for (size_t i = 0; i < out.members.size();) {
    Group g;
    g.key = out.members[i].key;
    g.begin = i;
    for (; i < out.members.size() && out.members[i].key == g.key; ++i) {
      const MatchLine& line = lines[out.members[i].index];
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
  for (size_t m = g.begin; m < g.end; ++m) ticks[side.members[m].index] = tick;
}

}  // namespace

PassTicks MatchGroups(const MatchCandidates& lines, const PassTicks& done, const MatchOptions& options,
                      const PeriodOf& periodOf, const StepReport& step) {
  PassTicks out;
  out.journal.assign(lines.journal.size(), 0);
  out.statement.assign(lines.statement.size(), 0);
  KeyNumbers keys;
  std::vector<Member> journalMembers = Members(lines.journal, done.journal, options.sameStyle, keys);
  std::vector<Member> statementMembers = Members(lines.statement, done.statement, options.sameStyle, keys);
  keys.Sort();
  const SideGroups journal = GroupsOf(lines.journal, std::move(journalMembers), keys, MatchSide::Journal, options);
  const SideGroups statement =
      GroupsOf(lines.statement, std::move(statementMembers), keys, MatchSide::Statement, options);
  size_t a = 0, b = 0;
  long long steps = 0;
  while (a < journal.groups.size() && b < statement.groups.size()) {
    if (step && ++steps % kStepsPerReport == 0) step(steps);
    const Group& j = journal.groups[a];
    const Group& s = statement.groups[b];
    if (j.key < s.key) {
      ++a;
      continue;
    }
    if (j.key > s.key) {
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
