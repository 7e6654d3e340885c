#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>

#include <cstdio>

#include "support/InternalErrorRecorder.h"

int main(int argc, char** argv) {
  // No display: Qt's offscreen platform on a screen of our own of
  // 1280 x 1024, also when the environment already asks for "offscreen"
  // (its own default of 800 x 800 is below what the program accepts). The
  // data files and help topics are those the build copied beside the
  // program; settings and the single-instance lock stay inside the build
  // tree, never the user's own.
  const QByteArray buildDir = NOCTAVO_BUILD_DIR;
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + NOCTAVO_SCREEN_CONFIG);
  qputenv("NOCTAVO_DATA_DIR", buildDir);
  qputenv("NOCTAVO_HELP_DIR", buildDir + "/help");
  qputenv("NOCTAVO_SETTINGS", buildDir + "/tests/gui-tests-settings.ini");
  qputenv("NOCTAVO_LOCK_DIR", buildDir + "/tests");

  QApplication app(argc, argv);
  if (QApplication::primaryScreen()->size() != QSize(1280, 1024)) {
    std::fprintf(stderr, "the GUI tests need their 1280 x 1024 screen (%s)\n", NOCTAVO_SCREEN_CONFIG);
    return 1;
  }
  testing::InitGoogleTest(&argc, argv);
  noctavo::testing::installFailingInternalErrorHandler();
  return RUN_ALL_TESTS();
}
