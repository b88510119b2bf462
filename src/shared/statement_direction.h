#pragma once

#include "platform/db/db_value.h"

#include <QString>

namespace corvane::shared {

// The direction of a statement line as stored in bd_c: 1 is a debit line, any
// other value a credit line (0, none, or another number a foreign program wrote).
// Every reader of statement lines takes this one rule, so that a line stands on
// the same side in every window, sum and write guard.
bool IsDebitLine(const platform::DbValue& bdc);

// The same rule in SQL over the bd_c column (qualified when the query joins):
// 1 for a debit line, 0 for any other, never NULL, so that it compares with a
// bound 1 or 0.
QString DebitLineSql(const QString& column = QStringLiteral("bd_c"));

}  // namespace corvane::shared
