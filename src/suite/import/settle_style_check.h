#pragma once

#include "suite/import/statement_file.h"

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

// The reason keying gives for a settlement style the suite does not know.
inline constexpr const char* kUnknownSettleStyleKey = "Q9.GL.ZWSQL.CASHBANK.baltypeerr";

// Looks each line's settlement style up among the suite's settlement styles, its
// code whole (a list entry "code name" keeps the code before its first blank).
// A line keeps the code; a line whose code the suite does not know moves to the
// refused lines with keying's reason. A line without a style stays as it is.
// Each code is looked up once; a failing database throws.
void RefuseUnknownSettleStyles(platform::DbConnection& db, ParsedStatement& parsed);

}  // namespace corvane::suite
