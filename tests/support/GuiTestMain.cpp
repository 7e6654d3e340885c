#include <gtest/gtest.h>

#include <QApplication>

#include "support/InternalErrorRecorder.h"

namespace {

void setIfUnset(const char* name, const QByteArray& value) {
  if (qEnvironmentVariableIsEmpty(name)) qputenv(name, value);
}

}  // namespace

int main(int argc, char** argv) {
  // No display: Qt's offscreen platform on a 1280 x 1024 screen (its own
  // default of 800 x 800 is below what the program accepts). The data files
  // and help topics are those the build copied beside the program; settings
  // and the single-instance lock stay inside the build tree, never the
  // user's own.
  const QByteArray buildDir = NOCTAVO_BUILD_DIR;
  setIfUnset("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + NOCTAVO_SCREEN_CONFIG);
  setIfUnset("NOCTAVO_DATA_DIR", buildDir);
  setIfUnset("NOCTAVO_HELP_DIR", buildDir + "/help");
  setIfUnset("NOCTAVO_SETTINGS", buildDir + "/tests/gui-tests-settings.ini");
  setIfUnset("NOCTAVO_LOCK_DIR", buildDir + "/tests");

  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  noctavo::testing::installFailingInternalErrorHandler();
  return RUN_ALL_TESTS();
}
