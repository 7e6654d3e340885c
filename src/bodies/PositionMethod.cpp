#include "bodies/PositionMethod.h"

namespace noctavo {
namespace {

PositionMethod& currentMethod() {
  static PositionMethod method = PositionMethod::Classical;
  return method;
}

}  // namespace

PositionMethod positionMethod() { return currentMethod(); }

void setPositionMethod(PositionMethod method) { currentMethod() = method; }

const char* positionMethodName(PositionMethod method) {
  return method == PositionMethod::Precise ? "Precise" : "Classical";
}

std::optional<PositionMethod> positionMethodByName(const std::string& name) {
  for (PositionMethod method : {PositionMethod::Classical, PositionMethod::Precise}) {
    if (name == positionMethodName(method)) return method;
  }
  return std::nullopt;
}

}  // namespace noctavo
