#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

// Every test runs without a display: the offscreen platform is chosen before the
// application object exists, since creating it without one aborts.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
