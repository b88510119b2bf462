#pragma once

#include <QString>
#include <QStringList>

namespace corvane::shared {

// The print format of a report table code (system "GL"), from the account set's
// table in the local print-format database when the account set keeps its
// formats locally, else from the server's PrintEx table. Fills, growing the list
// to three entries when it is shorter:
//   0 the title resource (ititleres), 1 and 2 the head and tail template names,
//   both "printdef" when ititleres is 1.
// A code without a row shows "Q9.GL.ZZPZ.12741" and leaves the list as it was.
// Throws DbError when the query fails, the local database is not open, the local
// table name is no plain table name, or the row's ititleres is NULL.
void LoadPrintFormat(const QString& tableCode, QStringList& result);

}  // namespace corvane::shared
