#pragma once

#include <QString>

namespace corvane::platform {

// The files of the SQLite databases this process has open: each database file and
// the "-wal", "-shm" and "-journal" files beside it. The database layer adds a file
// when it opens a connection and removes it when the connection closes. Nothing
// else in the process may open these files: SQLite's locks are POSIX locks, which
// the close of any descriptor of the file drops for the whole process (see
// FileListingGuard). A place that opens a file the user named asks Contains first.
class DatabaseFiles {
 public:
  static void Add(const QString& databaseFile);
  static void Remove(const QString& databaseFile);
  // Whether path names one of the files, through any symbolic link (dangling
  // ones too), relative path, "..", or hard link. Looks at names, links and file
  // numbers only: the file is never opened.
  static bool Contains(const QString& path);
};

}  // namespace corvane::platform
