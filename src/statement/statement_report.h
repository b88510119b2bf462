#pragma once

#include <QString>

namespace corvane::platform {
class PrintWorkDb;
}

namespace corvane::statement {

// The head and tail rows of the statement report: "ZPDJ_Head" (P1..P7) and
// "ZPDJ_Tail" (P1..P6) are dropped, created again and given exactly one row.
// accountLine is the window's account line (its code and name); currencyName the
// account's or book's currency (empty for the home currency), which the head's
// unit names.
void WriteStatementReportTables(platform::PrintWorkDb& work, const QString& accountLine,
                                const QString& currencyName);

}  // namespace corvane::statement
