#pragma once

#include <QFileIconProvider>

namespace corvane::platform {

// The icons and type texts of a file listing, decided by each file's name alone.
// Qt's own provider reads the first bytes of every file whose name does not tell
// its type (a database's "-wal" and "-shm" files, for one) and closes it again:
// on Linux that close drops every lock the process holds on the file, the SQLite
// connection's included (see FileListingGuard). This one never opens a file.
class NameOnlyIconProvider : public QFileIconProvider {
 public:
  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
};

}  // namespace corvane::platform
