#pragma once

#include "reconcile/auto_match.h"
#include "reconcile/match_line.h"
#include "reconcile/match_request.h"

namespace corvane::reconcile {

// The grouped pass by settlement number, for what the one-to-one pass left: one
// cheque booked as several lines on one side and as one line (or another split)
// on the other.
//
// The lines still unticked after `done` that carry a settlement number form
// groups by number (and by style with sameStyle), on each side by the same match
// keys the one-to-one pass uses, so a style of NULL, '' or blanks is one group.
// A journal group and the statement group of the same key pair when their facing
// totals are exactly equal (a cent of difference counts); every line of both
// groups then gets AutoTickValue of the two groups' first dates, each the earliest
// date among exactly the lines being ticked. The date window does not apply here.
// step hears the number of group comparisons made, as MatchOneToOne's does.
PassTicks MatchGroups(const MatchCandidates& lines, const PassTicks& done, const MatchOptions& options,
                      const PeriodOf& periodOf, const StepReport& step = {});

}  // namespace corvane::reconcile
