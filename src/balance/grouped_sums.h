#pragma once

#include "balance/balance_figures.h"

#include <QString>
#include <map>
#include <vector>

namespace corvane::balance {

// The sums of RawSums for many accounts at once: the accounts' own dates and
// currency flags go into a session table, and each side is summed in one query
// grouped by account, each sum a conditional column. Accounts without lines get
// zero sums. Keyed by the code as given.
std::map<QString, RawSums> GroupedSums(const std::vector<AccountFacts>& accounts);

}  // namespace corvane::balance
