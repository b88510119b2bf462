#include "open_watch.h"

#include <QFile>
#include <sys/inotify.h>
#include <unistd.h>

namespace corvane::testing {

OpenWatch::OpenWatch(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN);
}

OpenWatch::~OpenWatch() { close(fd_); }

QSet<QString> OpenWatch::Opened() {
  QSet<QString> names;
  alignas(inotify_event) char buffer[8192];
  ssize_t n;
  while ((n = read(fd_, buffer, sizeof buffer)) > 0) {
    for (char* p = buffer; p < buffer + n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(p);
      if (e->len > 0 && !(e->mask & IN_ISDIR)) names.insert(QFile::decodeName(e->name));
      p += sizeof(inotify_event) + e->len;
    }
  }
  return names;
}

}  // namespace corvane::testing
