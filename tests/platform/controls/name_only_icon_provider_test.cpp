// A file listing's types and icons come from the files' names: the files
// themselves are never opened, whatever they hold.
#include "platform/controls/name_only_icon_provider.h"
#include "support/open_watch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

TEST(NameOnlyIconProviderTest, TypeByNameOnlyAndNoFileOpened) {
  const struct {
    const char* name;
    QByteArray bytes;  // what a reader of the contents would go by instead
    const char* type;  // by the name
  } cases[] = {
      {"corvane.db", QByteArray("SQLite format 3\0", 16), "application/octet-stream"},
      {"corvane.db-wal", QByteArray::fromHex("377f0682002de218"), "application/octet-stream"},
      {"corvane.db-shm", QByteArray("%PDF-1.4\n"), "application/octet-stream"},
      {"corvane.db-journal", QByteArray("%PDF-1.4\n"), "application/octet-stream"},
      {"statement", QByteArray("%PDF-1.4\n"), "application/octet-stream"},
      {"statement.csv", QByteArray("%PDF-1.4\n"), "text/csv"},
      {"report.pdf", QByteArray("date,amount\n"), "application/pdf"},
  };
  QTemporaryDir dir;
  for (const auto& c : cases) {
    QFile f(dir.filePath(QString::fromLatin1(c.name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(c.bytes);
  }
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("exports")));
  testing::OpenWatch watch(dir.path());
  const NameOnlyIconProvider provider;
  const QMimeDatabase types;
  for (const auto& c : cases) {
    const QFileInfo info(dir.filePath(QString::fromLatin1(c.name)));
    EXPECT_EQ(provider.type(info).toStdString(), types.mimeTypeForName(QString::fromLatin1(c.type)).comment().toStdString())
        << c.name;
    EXPECT_FALSE(provider.icon(info).isNull()) << c.name;
  }
  const QFileInfo folder(dir.filePath(QStringLiteral("exports")));
  EXPECT_EQ(provider.type(folder), QFileIconProvider().type(folder));
  EXPECT_EQ(watch.Opened(), QSet<QString>()) << "a file was opened";
}

}  // namespace
}  // namespace corvane::platform
