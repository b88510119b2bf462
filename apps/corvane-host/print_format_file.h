#pragma once

#include <QString>

namespace corvane::platform {
class DbConnection;
}

// Creates the local print-format file of an account set when it is missing, as
// the suite's installer does: <folder>/ZQCOMSQL/Zqformat.db with the table
// PrintEx_<account-set key> copied from the server's PrintEx.
void EnsurePrintFormatFile(const QString& folder, const QString& accountSetKey, corvane::platform::DbConnection& server);
