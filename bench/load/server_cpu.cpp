#include "load/server_cpu.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <chrono>
#include <unistd.h>

namespace corvane::bench {

namespace {

// The fields of /proc/<pid>/stat after the command name: state first, so the
// parent is [1], utime [11], stime [12], cutime [13], cstime [14].
QList<QByteArray> StatFields(long pid) {
  QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray text = f.readAll();
  const int end = text.lastIndexOf(')');
  return end < 0 ? QList<QByteArray>() : text.mid(end + 2).split(' ');
}

double TicksMs(long long ticks) { return static_cast<double>(ticks) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK)); }

}  // namespace

ServerCpu::ServerCpu(platform::DbConnection& db) : db_(db) {
  const long backend = static_cast<long>(db.QueryValue(QStringLiteral("select pg_backend_pid()")).ToInt());
  const QList<QByteArray> f = StatFields(backend);
  if (f.size() > 1) postmaster_ = f[1].toLong();
}

double ServerCpu::TotalMs() const {
  if (postmaster_ == 0) return 0;
  long long ticks = 0;
  const QList<QByteArray> own = StatFields(postmaster_);
  if (own.size() > 14) ticks += own[11].toLongLong() + own[12].toLongLong() + own[13].toLongLong() + own[14].toLongLong();
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool number = false;
    const long pid = entry.toLong(&number);
    if (!number) continue;
    const QList<QByteArray> f = StatFields(pid);
    if (f.size() > 14 && f[1].toLong() == postmaster_)
      ticks += f[11].toLongLong() + f[12].toLongLong() + f[13].toLongLong() + f[14].toLongLong();
  }
  return TicksMs(ticks);
}

double ServerCpu::TotalMsWhenOthersEnded() const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (db_.QueryValue(QStringLiteral("select count(*) from pg_stat_activity where backend_type = 'client backend' "
                                       "and pid <> pg_backend_pid() and datname = current_database()"))
                 .ToInt() > 0 &&
         std::chrono::steady_clock::now() < deadline)
    QThread::msleep(20);
  // A backend leaves the list before its process has ended and been reaped.
  QThread::msleep(200);
  return TotalMs();
}

double LoadAverage() {
  QFile f(QStringLiteral("/proc/loadavg"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  return f.readAll().split(' ').front().toDouble();
}

QString WalPosition(platform::DbConnection& db) {
  return db.QueryValue(QStringLiteral("select pg_current_wal_lsn()::text")).ToString();
}

double WalSince(platform::DbConnection& db, const QString& position) {
  return db.QueryValue(QStringLiteral("select pg_wal_lsn_diff(pg_current_wal_lsn(), cast(? as pg_lsn))"), {position})
      .ToDouble();
}

LineUpdates LineTableUpdates(platform::DbConnection& db) {
  db.QueryValue(QStringLiteral("select pg_stat_force_next_flush()"));
  const auto r = db.Query(QStringLiteral("select coalesce(sum(n_tup_upd),0), coalesce(sum(n_tup_hot_upd),0) "
                                         "from pg_stat_user_tables where schemaname=current_schema() "
                                         "and relname in ('gl_accvouch', 'rp_bankrecp')"));
  return {r.rows[0][0].ToDouble(), r.rows[0][1].ToDouble()};
}

void WaitSamples::Add(platform::DbConnection& db) {
  const auto r = db.Query(QStringLiteral(
      "select count(*), count(*) filter (where wait_event like 'WAL%'), count(*) filter (where wait_event_type = 'Lock') "
      "from pg_stat_activity where state = 'active' and backend_type = 'client backend' and pid <> pg_backend_pid()"));
  ++samples;
  busy += r.rows[0][0].ToDouble();
  onLog += r.rows[0][1].ToDouble();
  onLock += r.rows[0][2].ToDouble();
}

long long Checkpoints(platform::DbConnection& db) {
  return db.QueryValue(QStringLiteral("select checkpoints_timed + checkpoints_req from pg_stat_bgwriter")).ToInt();
}

}  // namespace corvane::bench
