#include "platform/controls/resource_pictures.h"

#include <QSet>
#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

// Every number the windows use has a picture installed at toolbar size, and no two
// commands share one, so a picture always means the same command.
TEST(ResourcePictures, EveryNumberHasItsOwnInstalledPicture) {
  const QList<int> used = {100, 107, 109, 110, 114, 118, 120, 122, 125, 140, 141, 145,
                           146, 151, 157, 166, 167, 175, 204, 205, 212, 235, 237, 263};
  EXPECT_EQ(ResourcePictureIds(), used);
  QSet<QString> names;
  for (int id : used) {
    const QString name = ResourcePictureName(id);
    ASSERT_FALSE(name.isEmpty()) << id;
    EXPECT_FALSE(names.contains(name)) << id << " repeats " << name.toStdString();
    names.insert(name);
    const QIcon icon = ResourcePicture(id);
    ASSERT_FALSE(icon.isNull()) << id << " " << name.toStdString();
    EXPECT_EQ(icon.pixmap(16, 16).size(), QSize(16, 16)) << id;
  }
}

TEST(ResourcePictures, UnknownNumbersAndNamesHaveNone) {
  for (int id : {0, 105, 999}) EXPECT_TRUE(ResourcePicture(id).isNull()) << id;
  EXPECT_TRUE(ThemePicture(QStringLiteral("no-such-icon")).isNull());
  EXPECT_TRUE(ThemePicture(QString()).isNull());
}

}  // namespace
}  // namespace corvane::platform
