#pragma once

#include "platform/db/db_connection.h"
#include "support/test_database.h"

#include <QString>
#include <functional>
#include <memory>
#include <atomic>
#include <thread>

namespace corvane::testing {

// Another session's write, run on a thread of its own over a connection of its
// own from the exact moment a test chooses (inside a message box, between two
// statements of this session). The constructor comes back once the write has
// finished or is waiting for a lock (on PostgreSQL seen in pg_locks; on SQLite,
// whose waits cannot be seen, after half a second), so this session can go on
// and end the transaction the write may be waiting for. The destructor waits for
// the write's end.
class OtherWriter {
 public:
  using Write = std::function<void(platform::DbConnection& db)>;
  OtherWriter(TestDatabase& db, Write write);
  ~OtherWriter();
  OtherWriter(const OtherWriter&) = delete;
  OtherWriter& operator=(const OtherWriter&) = delete;

  // Waits for the write's end; the error it met, empty when none.
  QString Finish();

 private:
  std::unique_ptr<platform::DbConnection> connection_;
  std::unique_ptr<platform::DbConnection> observer_;
  std::thread thread_;
  std::atomic<bool> done_{false};
  QString error_;
};

}  // namespace corvane::testing
