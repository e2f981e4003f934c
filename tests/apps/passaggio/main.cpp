// The desktop host's test program: one application object for every test, off screen, with
// settings kept in a folder of its own so that no test reads or changes the user's.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QSettings>

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QString settings = QDir::temp().filePath(QStringLiteral("passaggio_desktop_settings_%1").arg(::getpid()));
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("passaggio-test"));
  QApplication::setApplicationName(QStringLiteral("passaggio-test"));
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  QDir(settings).removeRecursively();
  return result;
}
