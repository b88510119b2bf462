// The files of the open SQLite databases are known by any path that names them,
// and only while a connection is open on them.
#include "platform/db/database_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
