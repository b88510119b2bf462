#pragma once

#include "platform/db/db_connection.h"
#include "platform/db/sql_builder.h"
#include "reconcile/match_line.h"
#include "reconcile/match_request.h"

namespace corvane::reconcile {

// The unticked lines of both sides that a matching run may tick: the account's
// (book's) posted, not cleared journal lines of the period range without the
// journal opening (period 20) and without opening items dated from the
// reconciliation start on, and its statement lines of the range without the
// opening-balance row; on both sides nothing after the cut-off.
platform::SqlBuilder JournalCandidateQuery(const MatchRequest& r);
platform::SqlBuilder StatementCandidateQuery(const MatchRequest& r);

// Reads both sides. A statement line's direction is read by shared::IsDebitLine,
// as the window shows it. Throws DbError when a SELECT fails.
MatchCandidates LoadMatchCandidates(platform::DbConnection& db, const MatchRequest& r);
// The two halves of it, one side each.
std::vector<MatchLine> LoadJournalCandidates(platform::DbConnection& db, const MatchRequest& r);
std::vector<MatchLine> LoadStatementCandidates(platform::DbConnection& db, const MatchRequest& r);

}  // namespace corvane::reconcile
