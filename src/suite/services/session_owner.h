#pragma once

#include <QString>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

// Who holds a claim or lock row, and whether that holder still runs, so that a
// session that ended without giving its rows back (a crash, a lost network)
// never blocks anyone for good.
//
// A row carries the session id, the owner's process id and the owner's start
// stamp. On PostgreSQL the owner is the server process serving the session's
// connection (pg_backend_pid) and the stamp its backend_start: the row is live
// while pg_stat_activity lists that process with that start, so closing or
// losing the connection frees it. On SQLite the owner is the program's own
// process and the stamp its start time: the row is live while that process runs
// with that start (kill(pid, 0) answers, and /proc does not show it ended and
// waiting for its parent); rows of this very process are live while the session
// that wrote them is open here. The start stamp keeps a reused process id from
// passing for the old owner.
class SessionOwner {
 public:
  // Reads the owner's identity once; the connection must stay open.
  SessionOwner(platform::DbConnection& connection, QString sessionId);
  ~SessionOwner();
  SessionOwner(const SessionOwner&) = delete;
  SessionOwner& operator=(const SessionOwner&) = delete;

  const QString& SessionId() const { return sessionId_; }
  qint64 Pid() const { return pid_; }
  const QString& Start() const { return start_; }

  // True while the holder of a row still runs. A row of this session is live.
  bool IsAlive(const QString& sessionId, qint64 pid, const QString& start) const;

  // After the connection was made again: the owner is the new server process,
  // and the session's claim and lock rows left now name it, so other sessions
  // see them live again. Rows another session took meanwhile stay theirs.
  void Renew();

 private:
  void ReadOwner();

  bool PostgresOwnerAlive(qint64 pid, const QString& start) const;

  platform::DbConnection& connection_;
  QString sessionId_;
  bool postgres_ = false;
  qint64 pid_ = 0;
  QString start_;
};

// The start stamp of a local process, empty when the system does not tell.
QString ProcessStartStamp(qint64 pid);

}  // namespace corvane::suite
