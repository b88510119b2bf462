#pragma once

#include <QString>
#include <QStringList>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::bench {

// One user of the load benchmark, a process of its own. It logs in to the
// database as the host does, takes its account's lock as the reconciliation
// window does, prints "ready" and waits for a line on its input; then repeats the
// rounds of work on its account for the given seconds and prints
// "done ops=<count> seconds=<wall> cpu_ms=<its own CPU>".
// Gives main's result.
int RunLoadWorker(const QString& uri, const QString& account, double seconds);

// The arguments that start such a worker from this program.
QStringList LoadWorkerArguments(const QString& uri, const QString& account, double seconds);

// Whether the command line asks for a worker; then uri, account and seconds are
// read from it.
bool IsLoadWorker(int argc, char** argv, QString& uri, QString& account, double& seconds);

// Logs the session in to db (as BenchLogIn) and takes the account's lock.
void LogInAndLock(platform::DbConnection& db, const QString& account);
// Gives the lock back.
void Unlock(const QString& account);

}  // namespace corvane::bench
