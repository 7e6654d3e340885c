#pragma once

#include <cstdint>

#include "bodies/PositionMethod.h"

namespace noctavo {

// A benchmark argument 0 (Classical) or 1 (Precise) in force while the
// benchmark runs, so that both methods are timed side by side.
class PositionMethodArg {
 public:
  explicit PositionMethodArg(std::int64_t arg) {
    setPositionMethod(arg != 0 ? PositionMethod::Precise : PositionMethod::Classical);
  }
  ~PositionMethodArg() { setPositionMethod(PositionMethod::Classical); }
  PositionMethodArg(const PositionMethodArg&) = delete;
  PositionMethodArg& operator=(const PositionMethodArg&) = delete;
};

}  // namespace noctavo
