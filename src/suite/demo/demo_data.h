#pragma once

#include "platform/db/db_connection.h"
#include "suite/demo/generated_counts.h"

namespace corvane::suite {

// Writes the demo account set of the year 2026 into a database whose schema is
// installed: the calendar and base data, four bank accounts under 1002 (one kept
// in US dollars, one reconciled from July on) with their journals and statements,
// and six books of the cash-management part (three bank books with flows and
// statements, a closed one, one never opened, a cash book). docs/schema.md says
// what each account shows. Always the same data; one transaction.
// Throws DbError, writing nothing, when the database already has accounts.
GeneratedCounts GenerateDemoData(platform::DbConnection& connection);

}  // namespace corvane::suite
