#include "bodies/BodyRegistry.h"

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "astobjt";

// The catalogues of the types that have one, registered while they load.
struct CatalogueSlots {
  const BodyCatalogue* stars = nullptr;
  const BodyCatalogue* constellations = nullptr;
  const BodyCatalogue* ngcObjects = nullptr;
};

CatalogueSlots& catalogues() {
  static CatalogueSlots slots;
  return slots;
}

const BodyCatalogue** catalogueSlot(ObjectType type) {
  switch (type) {
    case ObjectType::Star: return &catalogues().stars;
    case ObjectType::Constellation: return &catalogues().constellations;
    case ObjectType::NgcObject: return &catalogues().ngcObjects;
    default: return nullptr;
  }
}

// The Sun, the Moon and the Earth are the only bodies of their type; null
// for every other type.
const AstBody* singleBody(ObjectType type) {
  switch (type) {
    case ObjectType::Sun: return &theSun();
    case ObjectType::Moon: return &theMoon();
    case ObjectType::Earth: return &theEarth();
    default: return nullptr;
  }
}

}  // namespace

void registerBodyCatalogue(ObjectType type, const BodyCatalogue* catalogue) {
  const BodyCatalogue** slot = catalogueSlot(type);
  if (slot == nullptr) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  *slot = catalogue;
}

const AstBody* bodyByName(ObjectType type, const std::string& name) {
  if (const AstBody* single = singleBody(type)) return single;
  if (type == ObjectType::Planet) return planetByName(name);
  if (const BodyCatalogue** slot = catalogueSlot(type)) return *slot ? (*slot)->byName(name) : nullptr;
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return nullptr;
}

const AstBody* bodyByIndex(ObjectType type, int index) {
  if (const AstBody* single = singleBody(type)) return single;
  if (type == ObjectType::Planet) return planetByIndex(index);
  if (const BodyCatalogue** slot = catalogueSlot(type)) return *slot ? (*slot)->byIndex(index) : nullptr;
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return nullptr;
}

const AstBody* nextBody(ObjectType type, int& cursor) {
  if (const AstBody* single = singleBody(type)) {
    if (cursor == 0) {
      cursor = 1;
      return single;
    }
    cursor = -1;
    return nullptr;
  }
  if (type == ObjectType::Planet) return nextPlanet(cursor);
  if (const BodyCatalogue** slot = catalogueSlot(type)) {
    if (*slot != nullptr) return (*slot)->next(cursor);
    // Nothing loaded: an empty enumeration.
    cursor = -1;
    return nullptr;
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return nullptr;
}

}  // namespace noctavo
