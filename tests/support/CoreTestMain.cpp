#include <gtest/gtest.h>

#include "support/InternalErrorRecorder.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // An internal error that no test expects fails the test instead of ending
  // the whole run.
  noctavo::testing::installFailingInternalErrorHandler();
  return RUN_ALL_TESTS();
}
