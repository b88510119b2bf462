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

 private:
  long postmaster_ = 0;
};

// The machine's load average over the last minute.
double LoadAverage();

// The server's write-ahead log position, and the bytes written since one.
QString WalPosition(platform::DbConnection& db);
double WalSince(platform::DbConnection& db, const QString& position);

// The checkpoints the server has begun since its statistics were reset.
long long Checkpoints(platform::DbConnection& db);

}  // namespace corvane::bench
