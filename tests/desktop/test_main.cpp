// The Qt test suites need one QApplication for the whole run. They never need a display:
// without a platform chosen they draw offscreen.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lotwise"));
  // The tests close windows; the application must not quit when they do.
  QApplication::setQuitOnLastWindowClosed(false);
  return RUN_ALL_TESTS();
}
