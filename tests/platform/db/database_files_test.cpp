// The files of the open SQLite databases are known by any path that names them,
// and only while a connection is open on them.
#include "platform/db/database_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace corvane::platform {
namespace {

TEST(DatabaseFilesTest, ADatabasesFilesByAnyPathWhileOpen) {
  QTemporaryDir dir;
  const QString db = dir.filePath(QStringLiteral("data/corvane.db"));
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data")));
  QFile(db).open(QIODevice::WriteOnly);
  QFile(db + QStringLiteral("-wal")).open(QIODevice::WriteOnly);
  ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("data")), dir.filePath(QStringLiteral("linked"))));
  ASSERT_TRUE(QFile::link(db + QStringLiteral("-wal"), dir.filePath(QStringLiteral("wal-link"))));
  // A link to a journal not there yet, to a folder inside the database's, and a second name of the file.
  ASSERT_TRUE(QFile::link(db + QStringLiteral("-journal"), dir.filePath(QStringLiteral("journal-link"))));
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data/inner")));
  ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("data/inner")), dir.filePath(QStringLiteral("inner-link"))));
  ASSERT_EQ(::link(QFile::encodeName(db).constData(), QFile::encodeName(dir.filePath(QStringLiteral("report.pdf"))).constData()), 0);
  ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("data/other.db")), dir.filePath(QStringLiteral("other-link"))));
  const QString cwd = QDir::currentPath();
  QDir::setCurrent(dir.path());
  const struct {
    QString path;
    bool contained;
  } cases[] = {
      {db, true},
      {db + QStringLiteral("-wal"), true},
      {db + QStringLiteral("-shm"), true},  // not there yet: by its folder
      {db + QStringLiteral("-journal"), true},
      {QStringLiteral("data/corvane.db"), true},  // relative
      {QStringLiteral("data/../data/corvane.db-shm"), true},
      {dir.filePath(QStringLiteral("linked/corvane.db")), true},
      {dir.filePath(QStringLiteral("wal-link")), true},
      {dir.filePath(QStringLiteral("journal-link")), true},  // dangling: opening it makes the journal
      {QStringLiteral("inner-link/../corvane.db-shm"), true},  // ".." after the link, as the kernel takes it
      {QStringLiteral("./data//corvane.db"), true},
      {dir.filePath(QStringLiteral("report.pdf")), true},  // a hard link: the same file by another name
      {dir.filePath(QStringLiteral("other-link")), false},
      {dir.filePath(QStringLiteral("corvane.db-shm")), false},
      {db + QStringLiteral(".bak"), false},
      {db + QStringLiteral("-walx"), false},
      {dir.filePath(QStringLiteral("data/corvane.dbx")), false},
      {dir.filePath(QStringLiteral("data/other.db")), false},
      {dir.filePath(QStringLiteral("corvane.db")), false},
      {QStringLiteral(" "), false},
  };
  DatabaseFiles::Add(db);
  DatabaseFiles::Add(dir.filePath(QStringLiteral("linked/corvane.db")));  // a second connection
  for (const auto& c : cases) EXPECT_EQ(DatabaseFiles::Contains(c.path), c.contained) << c.path.toStdString();
  DatabaseFiles::Remove(db);
  EXPECT_TRUE(DatabaseFiles::Contains(db)) << "the second connection is still open";
  DatabaseFiles::Remove(db);
  for (const auto& c : cases) EXPECT_FALSE(DatabaseFiles::Contains(c.path)) << c.path.toStdString();
  QDir::setCurrent(cwd);
}

}  // namespace
}  // namespace corvane::platform
