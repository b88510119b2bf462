#pragma once

#include "platform/db/db_connection.h"
#include "support/test_database.h"

#include <QString>
#include <memory>

namespace corvane::testing {

// The session waits a third of a second instead of five: the same wait, run
// out sooner, through each engine's own setting.
void WaitBriefly(TestDatabase& db);

// Another session in the middle of a write that this session has to wait for.
// SQLite: its transaction holds the database's write lock (every transaction
// there begins immediate), so this session's writes wait and its reads go on.
// PostgreSQL: inside its transaction it takes the lock `pgLock` names (a row
// locked for update, or a table locked in a mode that stops writes, or reads
// too). Rolled back when it goes.
class OtherSessionWriting {
 public:
  OtherSessionWriting(TestDatabase& db, const QString& pgLock, const platform::DbParams& params = {});
  ~OtherSessionWriting();
  OtherSessionWriting(const OtherSessionWriting&) = delete;
  OtherSessionWriting& operator=(const OtherSessionWriting&) = delete;

 private:
  std::unique_ptr<platform::DbConnection> other_;
};

}  // namespace corvane::testing
