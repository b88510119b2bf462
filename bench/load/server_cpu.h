#pragma once

#include "platform/db/db_connection.h"

namespace corvane::bench {

// CPU time of a PostgreSQL server on this machine, in milliseconds: the
// postmaster and every process it started, those that ended included (their
// time is in the postmaster's children's time once it has reaped them). Found
// from the backend of db; 0 when /proc cannot be read.
class ServerCpu {
 public:
  explicit ServerCpu(platform::DbConnection& db);
  double TotalMs() const;
  // TotalMs once every other client's backend has ended: a backend reaped
  // while the total is read is counted neither among the postmaster's children
  // nor in its children's time, so a read while the users' sessions close
  // missed whole sessions (a one-user run once showed 16 ms an operation for 65).
  double TotalMsWhenOthersEnded() const;

 private:
  platform::DbConnection& db_;
  long postmaster_ = 0;
};

// The machine's load average over the last minute.
double LoadAverage();

// The server's write-ahead log position, and the bytes written since one.
QString WalPosition(platform::DbConnection& db);
double WalSince(platform::DbConnection& db, const QString& position);

// Updates of the two tables of lines so far in the current schema, and how many
// of them were heap-only (no index entry written); this session's own figures
// are flushed first.
struct LineUpdates {
  double all = 0, heapOnly = 0;
};
LineUpdates LineTableUpdates(platform::DbConnection& db);

// Samples of the server's busy backends (other than the sampling one): how
// many there were, and how many of them waited on the log (WALInsert, WALWrite,
// WALSync and the like) or on a lock.
struct WaitSamples {
  double samples = 0, busy = 0, onLog = 0, onLock = 0;
  void Add(platform::DbConnection& db);
};

// The checkpoints the server has begun since its statistics were reset.
long long Checkpoints(platform::DbConnection& db);

}  // namespace corvane::bench
