#pragma once

#include "platform/db/db_connection.h"
#include "reconcile/auto_match.h"
#include "reconcile/match_line.h"
#include "reconcile/match_request.h"

#include <stdexcept>

namespace corvane::reconcile {

// A tick write found a line no longer in the state the matching decided on:
// another session ticked it, cleared it or changed its amount meanwhile.
class ChangedMeanwhile : public std::runtime_error {
 public:
  ChangedMeanwhile() : std::runtime_error("lines changed by another session") {}
};

// Writes the tick values of one pass (iflagbank of the journal lines, iflag of the
// statement lines, each line by its key) all or nothing: one transaction, one
// batch per side, no round trip per line. Each line is written only while it is
// still as it was read: unticked, not cleared, with the date and the amounts
// (and, on the statement side, the direction) the pass compared. When any line fails that
// guard the transaction is rolled back and ChangedMeanwhile is thrown; any other
// failure throws DbError after the rollback. The transaction is serialised on the
// account before the first write. Gives the number of lines written.
int WriteTicks(platform::DbConnection& db, const MatchRequest& request, const MatchCandidates& lines,
               const PassTicks& ticks);

}  // namespace corvane::reconcile
