// Test entry for the Qt layers: runs without a display by default, because
// the tests are also listed by running this binary outside a desktop. The
// desktop's settings go to a folder of the run's own, never the user's.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
