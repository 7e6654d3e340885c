#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "time/InternalError.h"

namespace noctavo::testing {

// Every test run starts with this handler: an unexpected internal error is a
// test failure, not the end of the run.
inline void installFailingInternalErrorHandler() {
  setInternalErrorHandler([](const char* module, int line) {
    ADD_FAILURE() << "unexpected " << internalErrorText(module, line);
  });
}

// Collects the reports made while it lives, for tests that expect one.
class InternalErrorRecorder {
 public:
  InternalErrorRecorder() {
    previous_ = setInternalErrorHandler([this](const char* module, int) { modules_.push_back(module); });
  }
  ~InternalErrorRecorder() { setInternalErrorHandler(previous_); }
  InternalErrorRecorder(const InternalErrorRecorder&) = delete;
  InternalErrorRecorder& operator=(const InternalErrorRecorder&) = delete;

  std::size_t count() const { return modules_.size(); }
  const std::vector<std::string>& modules() const { return modules_; }

 private:
  InternalErrorHandler previous_;
  std::vector<std::string> modules_;
};

}  // namespace noctavo::testing
