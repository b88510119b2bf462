#include "platform/db/database_files.h"

#include <QFile>
#include <QMutex>
#include <climits>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::platform {

namespace {

QMutex mutex;
std::map<std::string, int> openFiles;  // resolved database path -> connections open on it

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path the kernel reaches when it opens path: every link followed, "." and
// ".." taken as the kernel takes them (after the link before them). A file not
// there yet (a WAL, a journal, the target of a dangling link) by its folder's
// resolved path and its own name. Reads names and links only, never opens.
std::string Resolved(std::string path) {
  char buffer[PATH_MAX];
  for (int hops = 0; hops < 40; ++hops) {
    if (char* real = ::realpath(path.c_str(), buffer)) return real;
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
    if (n <= 0) break;  // no link: a file not there yet
    const std::string target(buffer, static_cast<size_t>(n));
    path = target.front() == '/' ? target : FolderOf(path) + '/' + target;
  }
  const std::string folder = FolderOf(path);
  const char* real = ::realpath(folder.c_str(), buffer);
  return (real ? std::string(real) : folder) + '/' + NameOf(path);
}

std::string Resolved(const QString& path) { return Resolved(QFile::encodeName(path).toStdString()); }

// Whether two names lead to one file that is there: a hard link or another mount
// of the folder is the same file under a name of its own.
bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {}, second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

}  // namespace

void DatabaseFiles::Add(const QString& databaseFile) {
  if (databaseFile.isEmpty()) return;  // a database in memory has no file
  const QMutexLocker lock(&mutex);
  ++openFiles[Resolved(databaseFile)];
}

void DatabaseFiles::Remove(const QString& databaseFile) {
  if (databaseFile.isEmpty()) return;
  const QMutexLocker lock(&mutex);
  const auto it = openFiles.find(Resolved(databaseFile));
  if (it != openFiles.end() && --it->second == 0) openFiles.erase(it);
}

bool DatabaseFiles::Contains(const QString& path) {
  if (path.trimmed().isEmpty()) return false;
  const std::string wanted = Resolved(path);
  const QMutexLocker lock(&mutex);
  for (const auto& [database, count] : openFiles) {
    for (const char* companion : {"", "-wal", "-shm", "-journal"}) {
      const std::string file = database + companion;
      if (wanted == file || SameFile(wanted, file)) return true;
    }
  }
  return false;
}

}  // namespace corvane::platform
