#pragma once

#include <QString>
#include <memory>

namespace corvane::platform {
class DbConnection;
}
namespace corvane::suite {
class ResourceTexts;
}

// What the host checks before it logs in. The host never creates a database: that
// is corvane-makedb's work. A database that cannot be opened, or that is not one of
// ours, and an account set the database does not hold are refused with a text
// naming what could not be opened, in the session's language.

// Opens an existing database ("sqlite:<path>", a plain path, or a PostgreSQL
// connection); nullptr and the reason in error when it is missing, cannot be opened
// or lacks the suite's tables.
std::unique_ptr<corvane::platform::DbConnection> OpenExistingDatabase(const QString& database,
                                                                       const corvane::suite::ResourceTexts& texts,
                                                                       QString& error);

// Whether the database holds the account set: its own account set "001" (whose
// settings are the database's options) or a key with settings of its own.
bool AccountSetExists(corvane::platform::DbConnection& db, const QString& accountSetKey);

// The SQLite URI that opens an existing file read-write without ever creating it;
// the path is escaped, so "#", "?" and "%" in folder names stay part of the path.
QString ExistingSqliteUri(const QString& path);
