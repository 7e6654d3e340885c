#include "sky/SkyPositions.h"

#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyState.h"
#include "bodies/QuantityBits.h"
#include "catalogues/Constellation.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_SKY";

constexpr double fullTurnDegrees = 360.0;

// Where the search for the nearest object starts: farther than any two
// points of the sphere (radians), so the first candidate always wins.
constexpr double noDistanceYet = 100000.0;

AstCoord invalidPosition(CoordSystem system) {
  AstCoord coord(system);
  coord.invalidate();
  return coord;
}

// The planet, Sun or Moon in the equatorial system at the Sky window's
// moment.
AstCoord equatorialAt(const AstBody& body, const Observer& skyObserver, std::uint32_t flags, BodyState& state) {
  state.position = invalidPosition(CoordSystem::Equatorial);
  body.compute(flags, skyObserver, state, TimeKind::Lct, CoordSystem::Equatorial);
  return state.position;
}

// The horizontal positions of a catalogue's count objects, their fixed
// equatorial positions gathered into the scratch table first.
template <class EquatorialOf>
void convertCatalogue(int count, EquatorialOf equatorialOf, std::vector<AstCoord>& scratch,
                      std::vector<AstCoord>& horizontal, const Observer& conversion) {
  scratch.resize(static_cast<std::size_t>(count));
  for (int index = 0; index < count; ++index) scratch[static_cast<std::size_t>(index)] = equatorialOf(index);
  horizontal.resize(scratch.size());
  convertEquatorialToHorizontal(scratch.data(), horizontal.data(), scratch.size(), conversion);
}

const AstCoord* tableEntry(const std::vector<AstCoord>& table, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return nullptr;
  return &table[static_cast<std::size_t>(index)];
}

}  // namespace

AstCoord mirroredEquatorial(const AstCoord& equatorial) {
  if (!equatorial.isValid()) return equatorial;
  return AstCoord(fullTurnDegrees - equatorial.a(), equatorial.b(), CoordSystem::Equatorial);
}

int planetCountShown(PlanetDisplayMode mode) {
  switch (mode) {
    case PlanetDisplayMode::None:
      return 0;
    case PlanetDisplayMode::All:
      return allPlanetCount;
    case PlanetDisplayMode::Realistic:
      return nakedEyePlanetCount;
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return 0;
}

void allocateSkyPositionTables(SkyPositionTables& tables) {
  const AstCoord none = invalidPosition(CoordSystem::Horizontal);
  tables.starHorizontal.assign(static_cast<std::size_t>(starCount()), none);
  tables.ngcHorizontal.assign(static_cast<std::size_t>(ngcCount()), none);
  tables.planetHorizontal.fill(none);
  tables.planetEquatorial.fill(invalidPosition(CoordSystem::Equatorial));
  tables.planetMagnitude.fill(0.0f);
  tables.sunEquatorial = tables.moonEquatorial = invalidPosition(CoordSystem::Equatorial);
  tables.sunHorizontal = tables.moonHorizontal = none;
  tables.scratch.reserve(tables.starHorizontal.size() > tables.ngcHorizontal.size() ? tables.starHorizontal.size()
                                                                                    : tables.ngcHorizontal.size());
}

Observer skyConversionObserver(const Observer& skyObserver, const Observer& programObserver, bool starsFixed) {
  Observer conversion = skyObserver;
  if (starsFixed) {
    conversion.dateTime = programObserver.dateTime;
    conversion.daylightSaving = programObserver.daylightSaving;
  }
  return conversion;
}

void computeSkyPositions(SkyPositionTables& tables, const Observer& skyObserver, const Observer& programObserver,
                         bool starsFixed) {
  // The bodies of the solar system, where they stand at the browsed moment.
  BodyState state;
  constexpr std::uint32_t planetFlags = quantity_bit::position | quantity_bit::magnitude;
  for (int index = 0; index < allPlanetCount; ++index) {
    const AstPlanet* planet = planetByIndex(index);
    if (planet == nullptr) continue;  // reported by the lookup
    state.magnitude = 0.0f;
    tables.planetEquatorial[static_cast<std::size_t>(index)] = equatorialAt(*planet, skyObserver, planetFlags, state);
    tables.planetMagnitude[static_cast<std::size_t>(index)] = state.magnitude;
  }
  tables.sunEquatorial = equatorialAt(theSun(), skyObserver, quantity_bit::position, state);
  tables.moonEquatorial = equatorialAt(theMoon(), skyObserver, quantity_bit::position, state);

  // Everything into the horizontal system for one moment; the sidereal time
  // is found once per batch, not once per star.
  const Observer conversion = skyConversionObserver(skyObserver, programObserver, starsFixed);
  tables.conversionObserver = conversion;
  convertEquatorialToHorizontal(tables.planetEquatorial.data(), tables.planetHorizontal.data(), allPlanetCount,
                                conversion);
  convertEquatorialToHorizontal(&tables.sunEquatorial, &tables.sunHorizontal, 1, conversion);
  convertEquatorialToHorizontal(&tables.moonEquatorial, &tables.moonHorizontal, 1, conversion);

  convertCatalogue(starCount(), [](int index) { return starAt(index)->equatorialPosition(); }, tables.scratch,
                   tables.starHorizontal, conversion);
  convertCatalogue(ngcCount(), [](int index) { return ngcAt(index)->position(); }, tables.scratch,
                   tables.ngcHorizontal, conversion);
}

CoordSystem mapCoordSystem(MapType mapType) {
  switch (mapType) {
    case MapType::Horizontal:
    case MapType::Realistic:
      return CoordSystem::Horizontal;
    case MapType::Equatorial:
      return CoordSystem::Equatorial;
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return CoordSystem::None;
}

AstCoord skyPosition(const SkyPositionTables& tables, MapType mapType, const AstBody& body) {
  if (!isKnownMapType(mapType)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return invalidPosition(CoordSystem::None);
  }
  const bool equatorialMap = mapType == MapType::Equatorial;
  const CoordSystem system = mapCoordSystem(mapType);
  const int index = body.getIndex();
  switch (body.getObjectType()) {
    case ObjectType::Sun:
      return equatorialMap ? mirroredEquatorial(tables.sunEquatorial) : tables.sunHorizontal;
    case ObjectType::Moon:
      return equatorialMap ? mirroredEquatorial(tables.moonEquatorial) : tables.moonHorizontal;
    case ObjectType::Planet:
      if (index >= 0 && index < allPlanetCount) {
        const auto slot = static_cast<std::size_t>(index);
        return equatorialMap ? mirroredEquatorial(tables.planetEquatorial[slot]) : tables.planetHorizontal[slot];
      }
      break;
    case ObjectType::Star:
      if (equatorialMap) return mirroredEquatorial(static_cast<const Star&>(body).equatorialPosition());
      if (const AstCoord* entry = tableEntry(tables.starHorizontal, index)) return *entry;
      break;
    case ObjectType::NgcObject:
      if (equatorialMap) return mirroredEquatorial(static_cast<const NgcObject&>(body).position());
      if (const AstCoord* entry = tableEntry(tables.ngcHorizontal, index)) return *entry;
      break;
    case ObjectType::Constellation:
      if (const Star* star = static_cast<const Constellation&>(body).referenceStar()) {
        return skyPosition(tables, mapType, *star);
      }
      break;
    case ObjectType::Earth:
    case ObjectType::Unknown:
      break;
  }
  // The Earth, a constellation without stars, or an object the tables were
  // not made for (tables older than the catalogue).
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return invalidPosition(system);
}

const AstBody* findNearestObject(const SkyPositionTables& tables, const SkySettings& settings,
                                 const DisplayGeometry& geometry, SkyView view, int x, int y) {
  if (!isKnownMapType(settings.mapType)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return nullptr;
  }
  const AstCoord clicked = screenToSky(view.lambda, view.phi, geometry, x, y, mapCoordSystem(settings.mapType));

  const AstBody* nearest = nullptr;
  double nearestDistance = noDistanceYet;
  const auto consider = [&](const AstBody* body) {
    if (body == nullptr) return;
    const AstCoord position = skyPosition(tables, settings.mapType, *body);
    if (!position.isValid()) return;  // nowhere on the map
    const double distance = angularDistance(clicked, position);
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = body;
    }
  };

  const int stars = starCount();
  for (int index = 0; index < stars; ++index) consider(starAt(index));
  if (settings.sunOn) consider(&theSun());
  if (settings.moonOn) consider(&theMoon());
  const int planets = planetCountShown(settings.planetDisplayMode);
  for (int index = 0; index < planets; ++index) consider(planetByIndex(index));
  if (settings.ngcObjectsOn) {
    const int ngcObjects = ngcCount();
    for (int index = 0; index < ngcObjects; ++index) consider(ngcAt(index));
  }
  return nearest;
}

}  // namespace noctavo
