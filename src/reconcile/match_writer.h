#pragma once

#include "platform/db/db_connection.h"
#include "reconcile/auto_match.h"
#include "reconcile/match_line.h"

namespace corvane::reconcile {

// Writes the tick values of one pass (iflagbank of the journal lines, iflag of the
// statement lines, each line by its key) all or nothing: one transaction, one
// batch per side, no round trip per line. Throws DbError when anything fails;
// the transaction is then rolled back and no tick of the pass is stored.
// Gives the number of lines written.
int WriteTicks(platform::DbConnection& db, bool bookMode, const MatchCandidates& lines, const PassTicks& ticks);

}  // namespace corvane::reconcile
