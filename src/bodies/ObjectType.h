#pragma once

#include <cstdint>
#include <string>

namespace noctavo {

// The numbers are stored in settings and graph files.
enum class ObjectType : std::int32_t {
  Sun = 0,
  Moon = 1,
  Planet = 2,
  Earth = 3,
  Star = 4,
  Constellation = 5,
  NgcObject = 6,
  Unknown = 7,  // result of a failed name lookup
};

// "Sun", "Moon", "Planet", "Earth", "Star", "Constellation", "NGC object",
// "Unknown".
const char* objectTypeName(ObjectType type);
// Exact, case-sensitive match of one of the seven names; Unknown otherwise.
ObjectType objectTypeByName(const std::string& name);

}  // namespace noctavo
