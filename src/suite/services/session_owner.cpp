#include "suite/services/session_owner.h"

#include "platform/db/db_connection.h"
#include "suite/db/postgres_connection.h"

#include <QFile>
#include <QMutex>
#include <QMultiHash>

#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace corvane::suite {

namespace {

// Sessions open in this process. Several may share one process (a host with two
// logins, the tests), so the process id alone cannot tell whether one of them ended.
QMutex g_openMutex;
QMultiHash<QString, const SessionOwner*>& OpenSessions() {
  static QMultiHash<QString, const SessionOwner*> open;
  return open;
}

bool SessionOpenHere(const QString& sessionId) {
  QMutexLocker lock(&g_openMutex);
  return OpenSessions().contains(sessionId);
}

// The fields of /proc/<pid>/stat after the command name, which may itself hold
// blanks and parentheses: everything after the last ')'. Empty when the system
// does not tell.
QList<QByteArray> StatFieldsAfterName(qint64 pid) {
  QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray stat = f.readAll();
  const qsizetype close = stat.lastIndexOf(')');
  if (close < 0) return {};
  return stat.mid(close + 2).split(' ');
}

// A process that has ended but whose parent has not collected it yet (a zombie,
// state Z; X while it goes) still answers kill(pid, 0), and may do so for as long
// as its parent lives: it holds nothing any more.
bool ProcessEnded(qint64 pid) {
  const QList<QByteArray> fields = StatFieldsAfterName(pid);
  if (fields.isEmpty() || fields[0].isEmpty()) return false;
  const char state = fields[0][0];
  return state == 'Z' || state == 'X' || state == 'x';
}

bool ProcessRuns(qint64 pid) {
  if (pid <= 0) return false;
  // EPERM: the process runs under another user; it exists all the same.
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
  return !ProcessEnded(pid);
}

}  // namespace

QString ProcessStartStamp(qint64 pid) {
  const QList<QByteArray> fields = StatFieldsAfterName(pid);
  constexpr int kStartTimeAfterName = 19;  // field 22 minus the first three
  return fields.size() > kStartTimeAfterName ? QString::fromLatin1(fields[kStartTimeAfterName]) : QString();
}

SessionOwner::SessionOwner(platform::DbConnection& connection, QString sessionId)
    : connection_(connection), sessionId_(std::move(sessionId)) {
  postgres_ = dynamic_cast<PostgresConnection*>(&connection) != nullptr;
  ReadOwner();
  QMutexLocker lock(&g_openMutex);
  OpenSessions().insert(sessionId_, this);
}

void SessionOwner::ReadOwner() {
  if (postgres_) {
    const platform::ResultSet r = connection_.Query(QStringLiteral(
        "select pid, backend_start::text from pg_stat_activity where pid = pg_backend_pid()"));
    if (!r.rows.empty()) {
      pid_ = r.rows[0][0].ToInt();
      start_ = r.rows[0][1].ToString();
    }
  } else {
    pid_ = ::getpid();
    start_ = ProcessStartStamp(pid_);
  }
}

void SessionOwner::Renew() {
  ReadOwner();
  for (const char* table : {"corvane_claim", "corvane_lock"})
    connection_.Execute(QStringLiteral("update %1 set owner_pid = ?, owner_start = ? where session_id = ?")
                            .arg(QLatin1String(table)),
                        {pid_, start_, sessionId_});
}

SessionOwner::~SessionOwner() {
  QMutexLocker lock(&g_openMutex);
  OpenSessions().remove(sessionId_, this);
}

bool SessionOwner::IsAlive(const QString& sessionId, qint64 pid, const QString& start) const {
  if (sessionId == sessionId_) return true;
  if (postgres_) return PostgresOwnerAlive(pid, start);
  if (pid == pid_ && start == start_) return SessionOpenHere(sessionId);
  if (!ProcessRuns(pid)) return false;
  const QString now = ProcessStartStamp(pid);
  // Without a stamp on either side, a running process counts as the owner.
  return now.isEmpty() || start.isEmpty() || now == start;
}

bool SessionOwner::PostgresOwnerAlive(qint64 pid, const QString& start) const {
  // Statistics are read once per transaction; inside one, a fresh look is asked for.
  if (connection_.InTransaction()) connection_.Query(QStringLiteral("select pg_stat_clear_snapshot()"));
  const platform::ResultSet r = connection_.Query(
      QStringLiteral("select backend_start::text from pg_stat_activity where pid = ?"), {pid});
  if (r.rows.empty()) return false;
  // A role without the right to read other sessions' details sees no start: the
  // process id alone then decides.
  const platform::DbValue& now = r.rows[0][0];
  return now.IsNull() || start.isEmpty() || now.ToString() == start;
}

}  // namespace corvane::suite
