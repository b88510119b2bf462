#pragma once

#include <QObject>

namespace corvane::platform {

// Keeps the process's file listings out of the files they list.
//
// A SQLite connection holds POSIX locks on its database file and on the "-wal"
// and "-shm" files beside it. On Linux such a lock belongs to the process, and
// closing ANY descriptor of the file drops all of them. Qt's file dialog, its
// name completer and the print dialog's output-file field list folders through
// QFileSystemModel, whose default icon provider opens each file whose name does
// not tell its type to read its first bytes, then closes it: listing the
// database's folder silently takes the connection's locks away, and another
// process may then checkpoint, truncate or delete the WAL under it. Nothing in the
// process but the database layer may open those files (see DatabaseFiles).
class FileListingGuard : public QObject {
  Q_OBJECT

 public:
  // From now on every file dialog of the process is Qt's widget dialog (a
  // platform dialog reads contents for types and thumbnails out of our reach),
  // and every window is protected as it is polished, before its models take in
  // their first listing: so the dialogs Qt opens by itself, such as the print
  // dialog's "…" for its output file, are covered too. Once per application.
  static void Install();
  // Install(), then gives every folder model of the window (a file dialog's own,
  // a completer's) an icon provider that decides by file name only. Called right
  // after a dialog is built, before the event loop runs.
  static void Protect(QObject& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using QObject::QObject;
};

}  // namespace corvane::platform
