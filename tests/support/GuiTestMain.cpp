#include <gtest/gtest.h>

#include <QApplication>

#include "support/InternalErrorRecorder.h"

int main(int argc, char** argv) {
  // The tests run without a display; CTest passes a 1280 x 1024 offscreen
  // screen, this default covers a run by hand.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  noctavo::testing::installFailingInternalErrorHandler();
  return RUN_ALL_TESTS();
}
