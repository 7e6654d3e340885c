#pragma once

#include <string>

#include "bodies/AstBody.h"
#include "bodies/ObjectType.h"

namespace noctavo {

// A catalogue of bodies of one type (stars, constellations, NGC objects)
// that the registry asks. Catalogues register themselves when loaded.
class BodyCatalogue {
 public:
  virtual ~BodyCatalogue() = default;
  virtual const AstBody* byName(const std::string& name) const = 0;
  virtual const AstBody* byIndex(int index) const = 0;
  // Enumeration: the cursor starts at 0 and becomes -1 after the last.
  virtual const AstBody* next(int& cursor) const = 0;
};

// Registers (or, with null, withdraws) the catalogue of a type; only Star,
// Constellation and NgcObject take one.
void registerBodyCatalogue(ObjectType type, const BodyCatalogue* catalogue);

// The Sun, the Moon and the Earth are single bodies; planets are found by
// name (any letter case) or index 0..7; catalogue types ask their catalogue
// and find nothing (null, without any report) while none is loaded. Any
// other type is an internal error and gives null.
const AstBody* bodyByName(ObjectType type, const std::string& name);
const AstBody* bodyByIndex(ObjectType type, int index);
// All bodies of a type; the cursor starts at 0 and is -1 after the last.
const AstBody* nextBody(ObjectType type, int& cursor);

}  // namespace noctavo
