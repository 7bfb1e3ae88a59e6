#include <gtest/gtest.h>

#include <QApplication>

// The desktop tests share one application object for the whole run.
// They never open windows on the developer's screen, and test discovery runs
// them without the environment ctest gives the tests.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
