#include "sky/SkyPositions.h"

#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyState.h"
#include "bodies/PositionMethod.h"
#include "bodies/PreciseEphemeris.h"
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
// equatorial positions gathered into the equatorial table first (or, by the
// precise method, moved there to the equinox of date from their unit
// vectors, which are made the first time).
template <class EquatorialOf>
void convertCatalogue(int count, EquatorialOf equatorialOf, std::vector<AstCoord>& equatorial,
                      std::vector<precise::Vector>& directions, std::vector<AstCoord>& horizontal,
                      const Observer& conversion) {
  const auto size = static_cast<std::size_t>(count);
  equatorial.resize(size);
  if (positionMethod() == PositionMethod::Precise) {
    if (directions.size() != size) {
      directions.resize(size);
      for (std::size_t index = 0; index < size; ++index) {
        directions[index] = precise::catalogueDirection(equatorialOf(static_cast<int>(index)));
      }
    }
    precise::catalogueDirectionsToDate(directions.data(), equatorial.data(), size, conversion);
  } else {
    for (std::size_t index = 0; index < size; ++index) equatorial[index] = equatorialOf(static_cast<int>(index));
  }
  horizontal.resize(equatorial.size());
  convertEquatorialToHorizontal(equatorial.data(), horizontal.data(), equatorial.size(), conversion);
}

template <class Table>
const AstCoord* tableEntry(const Table& table, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return nullptr;
  return &table[static_cast<std::size_t>(index)];
}

// ---- The ecliptic and the grid -------------------------------------------------

// Ecliptic longitude 0..360 at latitude 0 in the equatorial system. The
// obliquity is fixed, so these never change.
const std::vector<AstCoord>& eclipticEquatorial() {
  static const std::vector<AstCoord> points = [] {
    std::vector<AstCoord> result;
    result.reserve(eclipticPointCount);
    const Observer anyObserver;
    for (int longitude = 0; longitude < eclipticPointCount; ++longitude) {
      AstCoord coord(longitude, 0.0, CoordSystem::Ecliptical);
      convertCoord(coord, CoordSystem::Equatorial, anyObserver);
      result.push_back(coord);
    }
    return result;
  }();
  return points;
}

// Equatorial positions into the map's system: turned into the horizon at
// the conversion moment, or mirrored for the equatorial map.
void equatorialIntoMap(std::vector<AstCoord>& points, MapType mapType, const Observer& observer) {
  if (mapType == MapType::Equatorial) {
    for (AstCoord& point : points) point = mirroredEquatorial(point);
  } else {
    convertEquatorialToHorizontal(points.data(), points.data(), points.size(), observer);
  }
}

// Grid points of the grid's own system into the map's system.
void gridIntoMap(std::vector<AstCoord>& points, GridType gridType, MapType mapType, const Observer& observer) {
  const bool equatorialMap = mapType == MapType::Equatorial;
  if (gridType == GridType::Equatorial && !equatorialMap) {
    convertEquatorialToHorizontal(points.data(), points.data(), points.size(), observer);
  } else if (gridType == GridType::Horizontal && equatorialMap) {
    for (AstCoord& point : points) {
      convertCoord(point, CoordSystem::Equatorial, observer);
      point = mirroredEquatorial(point);
    }
  }
  // A grid in the map's own system is drawn as it stands.
}

// The positions of the kind's objects in the horizontal tables and their
// equatorial ones for the equatorial map.
AstCoord horizontalEntry(const SkyPositionTables& tables, SkyObjectKind kind, int index) {
  const AstCoord* entry = nullptr;
  switch (kind) {
    case SkyObjectKind::Star:
      entry = tableEntry(tables.starHorizontal, index);
      break;
    case SkyObjectKind::NgcObject:
      entry = tableEntry(tables.ngcHorizontal, index);
      break;
    case SkyObjectKind::Planet:
      entry = tableEntry(tables.planetHorizontal, index);
      break;
    case SkyObjectKind::Sun:
      return tables.sunHorizontal;
    case SkyObjectKind::Moon:
      return tables.moonHorizontal;
  }
  return entry ? *entry : invalidPosition(CoordSystem::Horizontal);
}

// Whether the index-th object of a kind has a place on the map: the
// equatorial map takes stars and NGC objects from their catalogues, the
// others from the tables they were made for.
bool isHeld(const SkyPositionTables& tables, MapType mapType, SkyObjectKind kind, int index) {
  const bool equatorialMap = mapType == MapType::Equatorial;
  switch (kind) {
    case SkyObjectKind::Star:
      return equatorialMap ? index >= 0 && index < starCount() : tableEntry(tables.starHorizontal, index) != nullptr;
    case SkyObjectKind::NgcObject:
      return equatorialMap ? index >= 0 && index < ngcCount() : tableEntry(tables.ngcHorizontal, index) != nullptr;
    case SkyObjectKind::Planet:
      return index >= 0 && index < allPlanetCount;
    case SkyObjectKind::Sun:
    case SkyObjectKind::Moon:
      return true;
  }
  return false;
}

AstCoord equatorialEntry(const SkyPositionTables& tables, SkyObjectKind kind, int index) {
  if (!isHeld(tables, MapType::Equatorial, kind, index)) return invalidPosition(CoordSystem::Equatorial);
  switch (kind) {
    case SkyObjectKind::Star:
      if (const AstCoord* entry = tableEntry(tables.starEquatorial, index)) return *entry;
      return starAt(index)->equatorialPosition();
    case SkyObjectKind::NgcObject:
      if (const AstCoord* entry = tableEntry(tables.ngcEquatorial, index)) return *entry;
      return ngcAt(index)->position();
    case SkyObjectKind::Planet:
      return tables.planetEquatorial[static_cast<std::size_t>(index)];
    case SkyObjectKind::Sun:
      return tables.sunEquatorial;
    case SkyObjectKind::Moon:
      return tables.moonEquatorial;
  }
  return invalidPosition(CoordSystem::Equatorial);
}

// The body that stands on the map for a body: a constellation stands at
// its alpha star (or the star standing in for it); null when it has none.
const AstBody* standIn(const AstBody& body) {
  if (body.getObjectType() != ObjectType::Constellation) return &body;
  return static_cast<const Constellation&>(body).referenceStar();
}

// The table a body's position is kept in and its index there; false for a
// body the tables do not hold.
bool kindOf(const AstBody& body, SkyObjectKind& kind, int& index) {
  index = body.getIndex();
  switch (body.getObjectType()) {
    case ObjectType::Sun:
      kind = SkyObjectKind::Sun;
      return true;
    case ObjectType::Moon:
      kind = SkyObjectKind::Moon;
      return true;
    case ObjectType::Planet:
      kind = SkyObjectKind::Planet;
      return index >= 0 && index < allPlanetCount;
    case ObjectType::Star:
      kind = SkyObjectKind::Star;
      return true;
    case ObjectType::NgcObject:
      kind = SkyObjectKind::NgcObject;
      return true;
    case ObjectType::Constellation:
    case ObjectType::Earth:
    case ObjectType::Unknown:
      break;
  }
  return false;
}

// The equatorial position of a body the tables hold: a star or an NGC
// object of the catalogues has its row in the tables (its own position
// until the tables are filled), the others are the tables'.
AstCoord equatorialOfBody(const SkyPositionTables& tables, const AstBody& body, SkyObjectKind kind, int index) {
  switch (kind) {
    case SkyObjectKind::Star:
      if (starAt(index) != &body) return static_cast<const Star&>(body).equatorialPosition();
      return equatorialEntry(tables, kind, index);
    case SkyObjectKind::NgcObject:
      if (ngcAt(index) != &body) return static_cast<const NgcObject&>(body).position();
      return equatorialEntry(tables, kind, index);
    default:
      return equatorialEntry(tables, kind, index);
  }
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
  tables.starDirections.clear();
  tables.ngcDirections.clear();
  // The equatorial map shows the catalogues' own positions until the first
  // computation.
  tables.starEquatorial.resize(tables.starHorizontal.size());
  for (int index = 0; index < starCount(); ++index) {
    tables.starEquatorial[static_cast<std::size_t>(index)] = starAt(index)->equatorialPosition();
  }
  tables.ngcEquatorial.resize(tables.ngcHorizontal.size());
  for (int index = 0; index < ngcCount(); ++index) {
    tables.ngcEquatorial[static_cast<std::size_t>(index)] = ngcAt(index)->position();
  }
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

  convertCatalogue(starCount(), [](int index) { return starAt(index)->equatorialPosition(); }, tables.starEquatorial,
                   tables.starDirections, tables.starHorizontal, conversion);
  convertCatalogue(ngcCount(), [](int index) { return ngcAt(index)->position(); }, tables.ngcEquatorial,
                   tables.ngcDirections, tables.ngcHorizontal, conversion);

  placeSkyLines(tables, tables.lines.mapType, tables.lines.gridType);
}

void placeSkyLines(SkyPositionTables& tables, MapType mapType, GridType gridType) {
  SkyLinePoints& lines = tables.lines;
  const Observer& conversion = tables.conversionObserver;
  lines.mapType = mapType;
  lines.gridType = gridType;

  lines.ecliptic = eclipticEquatorial();
  equatorialIntoMap(lines.ecliptic, mapType, conversion);

  lines.meridians.clear();
  lines.parallels.clear();
  if (gridType != GridType::Horizontal && gridType != GridType::Equatorial) return;
  const CoordSystem gridSystem = gridType == GridType::Horizontal ? CoordSystem::Horizontal : CoordSystem::Equatorial;
  lines.meridians.reserve(meridianCount * meridianPointCount);
  for (int meridian = 0; meridian < meridianCount; ++meridian) {
    for (int point = 0; point < meridianPointCount; ++point) {
      lines.meridians.emplace_back(meridian * gridMeridianStep, -gridLimit + point * gridPointStep, gridSystem);
    }
  }
  lines.parallels.reserve(parallelCount * parallelPointCount);
  for (int parallel = 0; parallel < parallelCount; ++parallel) {
    for (int point = 0; point < parallelPointCount; ++point) {
      lines.parallels.emplace_back(point * gridPointStep, -gridLimit + parallel * gridParallelStep, gridSystem);
    }
  }
  gridIntoMap(lines.meridians, gridType, mapType, conversion);
  gridIntoMap(lines.parallels, gridType, mapType, conversion);
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

AstCoord skyPosition(const SkyPositionTables& tables, MapType mapType, SkyObjectKind kind, int index) {
  if (mapType == MapType::Equatorial) return mirroredEquatorial(equatorialEntry(tables, kind, index));
  return horizontalEntry(tables, kind, index);
}

AstCoord skyPosition(const SkyPositionTables& tables, MapType mapType, const AstBody& body) {
  if (!isKnownMapType(mapType)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return invalidPosition(CoordSystem::None);
  }
  const AstBody* shown = standIn(body);
  SkyObjectKind kind = SkyObjectKind::Sun;
  int index = 0;
  const bool known = shown && kindOf(*shown, kind, index);
  const bool equatorialMap = mapType == MapType::Equatorial;
  // A star or an NGC object keeps its own equatorial position; in the other
  // maps every object must be in the tables.
  const bool ownPosition = equatorialMap && (kind == SkyObjectKind::Star || kind == SkyObjectKind::NgcObject);
  if (!known || !(ownPosition || isHeld(tables, mapType, kind, index))) {
    // The Earth, a constellation without stars, or an object the tables
    // were not made for (tables older than the catalogue).
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return invalidPosition(mapCoordSystem(mapType));
  }
  if (equatorialMap) return mirroredEquatorial(equatorialOfBody(tables, *shown, kind, index));
  return skyPosition(tables, mapType, kind, index);
}

AstCoord skyEquatorialPosition(const SkyPositionTables& tables, const AstBody& body) {
  const AstBody* shown = standIn(body);
  SkyObjectKind kind = SkyObjectKind::Sun;
  int index = 0;
  if (!shown || !kindOf(*shown, kind, index)) return invalidPosition(CoordSystem::Equatorial);
  return equatorialOfBody(tables, *shown, kind, index);
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
  const auto consider = [&](const AstBody* body, SkyObjectKind kind, int index) {
    if (body == nullptr) return;
    const AstCoord position = skyPosition(tables, settings.mapType, kind, index);
    if (!position.isValid()) return;  // nowhere on the map
    const double distance = angularDistance(clicked, position);
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = body;
    }
  };

  const int stars = starCount();
  for (int index = 0; index < stars; ++index) consider(starAt(index), SkyObjectKind::Star, index);
  if (settings.sunOn) consider(&theSun(), SkyObjectKind::Sun, 0);
  if (settings.moonOn) consider(&theMoon(), SkyObjectKind::Moon, 0);
  const int planets = planetCountShown(settings.planetDisplayMode);
  for (int index = 0; index < planets; ++index) consider(planetByIndex(index), SkyObjectKind::Planet, index);
  if (settings.ngcObjectsOn) {
    const int ngcObjects = ngcCount();
    for (int index = 0; index < ngcObjects; ++index) consider(ngcAt(index), SkyObjectKind::NgcObject, index);
  }
  return nearest;
}

}  // namespace noctavo
