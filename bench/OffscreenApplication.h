#pragma once

// The benchmarks of windows and painting need a Qt application for fonts
// and widgets, and run without a display. It is made before main() runs
// and never deleted, so that it outlives every benchmark.
#include <QApplication>

#include <string>

namespace noctavo::bench {

inline bool makeOffscreenApplication(const char* programName) {
  if (QCoreApplication::instance() != nullptr) return true;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static std::string name = programName;  // the application keeps argv
  static char* argv[] = {name.data(), nullptr};
  new QApplication(argc, argv);
  return true;
}

}  // namespace noctavo::bench
