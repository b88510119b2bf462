#pragma once

#include <QSet>
#include <QString>

namespace corvane::testing {

// Sees which files of a folder are opened, by anyone in the process or outside
// it (inotify), from its construction on.
class OpenWatch {
 public:
  explicit OpenWatch(const QString& folder);
  ~OpenWatch();
  OpenWatch(const OpenWatch&) = delete;
  OpenWatch& operator=(const OpenWatch&) = delete;

  // The names of the files opened since the last call (folders left out).
  QSet<QString> Opened();

 private:
  int fd_;
};

}  // namespace corvane::testing
