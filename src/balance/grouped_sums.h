#pragma once

#include "balance/balance_figures.h"
#include "platform/db/db_connection.h"

#include <QString>
#include <map>
#include <vector>

namespace corvane::balance {

// The sums of RawSums for many accounts at once: each side is summed in one query
// over all the accounts, whose numbers, codes and dates reach it as bound values
// (on SQLite through a temporary table of the connection's own), never through the
// database's tables: the statement only reads. Accounts without lines get zero
// sums. Keyed by the code as given.
std::map<QString, RawSums> GroupedSums(platform::DbConnection& db, bool bookMode,
                                       const std::vector<AccountFacts>& accounts);
// The same over the current session's connection and mode.
std::map<QString, RawSums> GroupedSums(const std::vector<AccountFacts>& accounts);

}  // namespace corvane::balance
