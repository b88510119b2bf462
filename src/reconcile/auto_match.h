#pragma once

#include "reconcile/match_line.h"
#include "reconcile/match_request.h"

#include <functional>
#include <vector>

namespace corvane::reconcile {

// Told the count of steps (comparisons, groups) a pass has made; called once
// every kStepsPerReport steps and once at the end of the pass, never per step,
// so reporting costs nothing measurable.
using StepReport = std::function<void(long long steps)>;
constexpr long long kStepsPerReport = 4096;

// Tick values chosen by one matching pass, one per line of the candidates in
// their order; 0 leaves the line as it is.
struct PassTicks {
  std::vector<int> journal;
  std::vector<int> statement;
  int pairs = 0;  // pairs of lines (one-to-one) or of groups (grouped pass)

  int JournalTicked() const;
  int StatementTicked() const;
};

// The one-to-one pass: both sides sorted by one comparator, then walked in one
// merge that pairs each journal line with at most one statement line. Two lines
// pair when their settlement numbers agree (with sameNumber), their facing
// amounts are exactly equal, their dates lie within the window (with dateWindow;
// a missing date fails it) and their styles agree (with sameStyle). Both lines of
// a pair get AutoTickValue of their dates. O(n log n); every step moves at least
// one side on, so the walk always ends.
// step, when given, hears the number of comparisons made so far every
// kStepsPerReport comparisons, so a window can show where the merge stands.
PassTicks MatchOneToOne(const MatchCandidates& lines, const MatchOptions& options, const PeriodOf& periodOf,
                        const StepReport& step = {});

}  // namespace corvane::reconcile
