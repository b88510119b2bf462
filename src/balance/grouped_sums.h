#pragma once

#include "balance/balance_figures.h"
#include "platform/db/db_connection.h"

#include <QString>
#include <map>
#include <vector>

namespace corvane::balance {

// The sums of RawSums for many accounts at once: the accounts' own dates and
// currency flags go into the work table corvane_balance_work under the run's
// session id, and each side is summed in one query grouped by account, each sum
// a conditional column. Accounts without lines get zero sums. Keyed by the code
// as given. The run's rows are removed when it ends, whichever way it ends.
std::map<QString, RawSums> GroupedSums(platform::DbConnection& db, const QString& sessionId, bool bookMode,
                                       const std::vector<AccountFacts>& accounts);
// The same over the current session's connection, mode and id.
std::map<QString, RawSums> GroupedSums(const std::vector<AccountFacts>& accounts);

}  // namespace corvane::balance
