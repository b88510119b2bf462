#include "platform/db/database_files.h"

#include <QFileInfo>
#include <QMutex>
#include <QStringList>
#include <map>

namespace corvane::platform {

namespace {

QMutex mutex;
std::map<QString, int> openFiles;  // canonical database path -> connections open on it

// The path with every link resolved; a file not there yet (a WAL) by its folder's.
QString Canonical(const QString& path) {
  const QFileInfo info(path);
  const QString resolved = info.canonicalFilePath();
  if (!resolved.isEmpty()) return resolved;
  const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
  return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

}  // namespace

void DatabaseFiles::Add(const QString& databaseFile) {
  if (databaseFile.isEmpty()) return;  // a database in memory has no file
  const QMutexLocker lock(&mutex);
  ++openFiles[Canonical(databaseFile)];
}

void DatabaseFiles::Remove(const QString& databaseFile) {
  if (databaseFile.isEmpty()) return;
  const QMutexLocker lock(&mutex);
  const auto it = openFiles.find(Canonical(databaseFile));
  if (it != openFiles.end() && --it->second == 0) openFiles.erase(it);
}

bool DatabaseFiles::Contains(const QString& path) {
  if (path.trimmed().isEmpty()) return false;
  const QString wanted = Canonical(path);
  const QMutexLocker lock(&mutex);
  for (const auto& [database, count] : openFiles) {
    if (wanted == database) return true;
    for (const char* companion : {"-wal", "-shm", "-journal"})
      if (wanted == database + QLatin1String(companion)) return true;
  }
  return false;
}

}  // namespace corvane::platform
