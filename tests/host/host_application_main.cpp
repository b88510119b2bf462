// The test main of the host's application object: the same offscreen start as
// every test's, with the host's own application in place of a plain one.
#include "host_application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen")) qputenv("QT_QPA_PLATFORM", "offscreen");
  HostApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
