#include "bodies/ObjectType.h"

#include <array>

#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "astobjt";

// Indexed by the type's number; the last entry names a failed lookup.
constexpr std::array<const char*, 8> objectTypeNames = {
    "Sun", "Moon", "Planet", "Earth", "Star", "Constellation", "NGC object", "Unknown",
};

constexpr int namedTypeCount = 7;  // Sun .. NGC object; "Unknown" is no type to look up

}  // namespace

const char* objectTypeName(ObjectType type) {
  const auto value = static_cast<std::int32_t>(type);
  if (value < 0 || value >= static_cast<std::int32_t>(objectTypeNames.size())) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return objectTypeNames.back();
  }
  return objectTypeNames[static_cast<std::size_t>(value)];
}

ObjectType objectTypeByName(const std::string& name) {
  for (int value = 0; value < namedTypeCount; ++value) {
    if (name == objectTypeNames[static_cast<std::size_t>(value)]) return static_cast<ObjectType>(value);
  }
  return ObjectType::Unknown;
}

}  // namespace noctavo
