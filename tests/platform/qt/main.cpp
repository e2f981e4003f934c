// The test program of the Qt layer: one application object for every test, off screen
// unless the environment asks for a real display.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Passaggio di stato"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
