#pragma once

#include "platform/db/db_connection.h"
#include "reconcile/match_line.h"
#include "reconcile/match_request.h"

#include <QString>
#include <functional>

namespace corvane::reconcile {

// Where a matching run stopped.
enum class MatchStage {
  None,      // it did not: the run is complete
  Load,      // reading the candidates; nothing was written
  OneToOne,  // merging or writing the one-to-one ticks; nothing was written
  Grouped,   // the grouped pass; the one-to-one ticks are stored, no group tick is
};

struct MatchRunResult {
  MatchStage failedAt = MatchStage::None;
  QString error;  // what went wrong, in the database's (or the service's) own words
  // The pass that failed found a line another session had ticked, cleared or
  // changed since it was read; that pass wrote nothing.
  bool changedMeanwhile = false;
  // Another session held lines the run had to write for longer than the
  // database waits; that pass wrote nothing.
  bool busy = false;
  // One side had no unticked line: nothing was matched or written, and the
  // grids need no reload.
  bool nothingToMatch = false;
  // Stopped at Load: the side whose lines could not be read.
  MatchSide unreadSide = MatchSide::Journal;
  int oneToOnePairs = 0;
  int groupPairs = 0;  // pairs of groups
  int journalTicked = 0;
  int statementTicked = 0;

  bool Ok() const { return failedAt == MatchStage::None; }
};

// Told as each stage begins (Load, OneToOne, Grouped; steps 0), and during the
// two merges every few thousand comparisons with the count made so far, so the
// window can show where the run stands.
using MatchProgress = std::function<void(MatchStage stage, long long steps)>;

// One automatic matching run: reads the unticked lines of both sides, pairs them
// one to one and writes those ticks in one transaction; then, with sameNumber,
// matches what is left by settlement-number groups and writes those ticks in a
// second transaction. periodOf gives the accounting period of a date
// (CommonServices.GetDatePeriod).
//
// Every tick write is guarded by the state it was decided on (WriteTicks): a
// line changed by another session meanwhile voids its pass (changedMeanwhile).
//
// Nothing is thrown. A failure ends the run at once with the stage it stopped in:
// before the one-to-one commit nothing is stored, the caller shows the error and
// does not reload; in the grouped pass the one-to-one ticks stay stored, the
// caller shows the error and reloads. The cut-off (StoreCutOff) is the caller's
// to write beforehand.
MatchRunResult RunAutoMatching(platform::DbConnection& db, const MatchRequest& request, const PeriodOf& periodOf,
                               const MatchProgress& progress = {});

}  // namespace corvane::reconcile
