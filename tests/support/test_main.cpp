#include <QApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The offscreen screen is 800 x 600 unless told otherwise. Windows are kept on
// their screen, so the tests give them a desktop of the size the windows are
// designed for.
// Returns the configuration file, to be removed once the application has read it.
QString UseDesktopSizedScreen() {
  if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return QString();
  const QString path = QDir::temp().filePath(QStringLiteral("corvane-offscreen-%1.json").arg(QCoreApplication::applicationPid()));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return QString();
  file.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1600, "height": 1000}]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toLocal8Bit());
  return path;
}

}  // namespace

// Every test runs without a display: the offscreen platform is chosen before the
// application object exists, since creating it without one aborts.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QString screenFile = UseDesktopSizedScreen();
  QApplication app(argc, argv);
  if (!screenFile.isEmpty()) QFile::remove(screenFile);
  return RUN_ALL_TESTS();
}
