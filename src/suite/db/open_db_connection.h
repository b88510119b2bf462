#pragma once

#include "platform/db/db_connection.h"

#include <QString>
#include <memory>

namespace corvane::suite {

// Opens a connection of the engine the string names: "postgresql://…",
// "postgres://…" or "pg:key=value…" for the server, anything else ("sqlite:<path>"
// or a plain path) for the embedded file. Throws DbError when it cannot open.
std::unique_ptr<platform::DbConnection> OpenDbConnection(const QString& connectionString);

// Creates the suite's tables when they are not there yet: the DDL of the engine
// the connection runs on. Safe to run on an existing database.
void InstallSchema(platform::DbConnection& connection);

}  // namespace corvane::suite
