#pragma once

#include <array>
#include <span>
#include <vector>

#include "bodies/AstBody.h"
#include "bodies/PreciseEphemeris.h"
#include "sky/SkyProjection.h"
#include "sky/SkyTypes.h"
#include "time/AstCoord.h"
#include "time/Observer.h"

namespace noctavo {

// The ecliptic and the grid lines, as points one to two degrees apart.
constexpr int eclipticPointCount = 361;  // longitude 0..360, one degree apart
constexpr int gridMeridianStep = 10;     // degrees between meridians
constexpr int gridParallelStep = 10;     // degrees between parallels
constexpr int gridLimit = 80;            // the grid stops short of the poles
constexpr int gridPointStep = 2;         // degrees between the points of a grid line
constexpr int meridianCount = 360 / gridMeridianStep;                  // 36
constexpr int meridianPointCount = 2 * gridLimit / gridPointStep + 1;  // 81
constexpr int parallelCount = 2 * gridLimit / gridParallelStep + 1;    // 17
constexpr int parallelPointCount = 360 / gridPointStep + 1;            // 181

// The ecliptic and the grid in the system of one map type, turned for the
// tables' conversion moment. Only these change with the map and grid type;
// everything else of the tables serves every map.
struct SkyLinePoints {
  MapType mapType = MapType::Realistic;
  GridType gridType = GridType::Horizontal;
  std::vector<AstCoord> ecliptic;   // eclipticPointCount points
  std::vector<AstCoord> meridians;  // meridianCount lines of meridianPointCount points; none without a grid
  std::vector<AstCoord> parallels;  // parallelCount lines of parallelPointCount points; none without a grid
};

// Where every object of the sky map stands for the Sky window's moment,
// computed once per moment so that painting and hit-testing only project.
// Stars and NGC objects are indexed like their catalogues, planets 0..7
// (Mercury..Pluto).
struct SkyPositionTables {
  std::vector<AstCoord> starHorizontal;
  std::vector<AstCoord> ngcHorizontal;
  // Their equatorial positions at the conversion moment: the catalogues'
  // own under the classical method, moved to the equinox of date under the
  // precise one.
  std::vector<AstCoord> starEquatorial;
  std::vector<AstCoord> ngcEquatorial;
  // The catalogues' positions as unit vectors, made once for the precise
  // method.
  std::vector<precise::Vector> starDirections;
  std::vector<precise::Vector> ngcDirections;
  std::array<AstCoord, allPlanetCount> planetHorizontal{};
  std::array<AstCoord, allPlanetCount> planetEquatorial{};
  // Visual magnitudes of the planets at the Sky window's moment, for the
  // dots of the Realistic planet display.
  std::array<float, allPlanetCount> planetMagnitude{};
  AstCoord sunEquatorial;
  AstCoord sunHorizontal;
  AstCoord moonEquatorial;
  AstCoord moonHorizontal;
  // The observer (moment and place) the horizontal positions were turned
  // for: the ecliptic and the grid are converted with the same one.
  Observer conversionObserver;
  SkyLinePoints lines;
};

// Sizes the tables for the loaded catalogues (all positions invalid until
// the first computeSkyPositions).
void allocateSkyPositionTables(SkyPositionTables& tables);

// The moment the horizontal positions are turned for: the program
// observer's moment (and daylight-saving flag) when the stars are kept fixed
// while browsing, otherwise the Sky window's own. The place is the Sky
// window's.
Observer skyConversionObserver(const Observer& skyObserver, const Observer& programObserver, bool starsFixed);

// Refills the tables: the planets, the Sun and the Moon are computed in the
// equatorial system at the Sky window's moment (skyObserver); stars and NGC
// objects keep their fixed equatorial positions; then everything is turned
// into the horizontal system at the conversion moment above. So with the
// stars fixed they keep their places while the Sun, the Moon and the
// planets move to where they stand at the browsed moment. The ecliptic and
// the grid follow, for the map and grid type they were placed for.
void computeSkyPositions(SkyPositionTables& tables, const Observer& skyObserver, const Observer& programObserver,
                         bool starsFixed);

// Turns the ecliptic and the grid into the map's system for the tables'
// conversion moment: the Sky window calls it when the map or grid type
// changes; computeSkyPositions keeps them current from then on.
void placeSkyLines(SkyPositionTables& tables, MapType mapType, GridType gridType);

// East to the left, as the sky is seen from below: the equatorial map's
// position of an equatorial one runs its first angle backwards (360 - right
// ascension). An invalid position stays invalid.
AstCoord mirroredEquatorial(const AstCoord& equatorial);

// The planets a display mode shows: indices 0..count-1. A mode outside the
// enumeration is an internal error and shows none.
int planetCountShown(PlanetDisplayMode mode);

// The system the positions of a map are in (horizontal for the Horizontal
// and Realistic maps, equatorial for the Equatorial map).
CoordSystem mapCoordSystem(MapType mapType);

// ---- Where an object stands on the map ---------------------------------------
// The one rule of the painter, the hit test, the panel and "show object":
// the horizontal position from the tables, or in the Equatorial map the
// equatorial one with the first angle replaced by 360 - right ascension
// (east to the left, as in the sky).

// The kinds of objects the tables hold.
enum class SkyObjectKind { Star, NgcObject, Planet, Sun, Moon };

// The position of the index-th object of a kind (the index is ignored for
// the Sun and the Moon). An index outside the tables (tables older than the
// catalogue) is nowhere: an invalid position, no report. The map type must
// be one of the enumeration.
AstCoord skyPosition(const SkyPositionTables& tables, MapType mapType, SkyObjectKind kind, int index = 0);

// The same for a body; a star or an NGC object in the Equatorial map at its
// own equatorial position. A constellation stands at its alpha star (or the
// star standing in for it). The Earth has no sky position, nor has an
// object outside the tables or a map type outside the enumeration:
// internal error and an invalid position.
AstCoord skyPosition(const SkyPositionTables& tables, MapType mapType, const AstBody& body);

// The equatorial position the panel shows for a body: the tables' for the
// bodies of the solar system (at the Sky window's moment), their own for
// stars and NGC objects, a constellation's star's; invalid for anything
// else.
AstCoord skyEquatorialPosition(const SkyPositionTables& tables, const AstBody& body);

// The object under a click at pixel (x, y) of the display: the one whose
// map position lies nearest (angular distance) to the sky position under
// the pixel, searched in the order all stars (on the display or not), the
// Sun if shown, the Moon if shown, the planets of the planet display mode,
// the NGC objects if shown; a later one wins only when strictly nearer.
// There is no distance limit; null only when there is no candidate at all.
const AstBody* findNearestObject(const SkyPositionTables& tables, const SkySettings& settings,
                                 const DisplayGeometry& geometry, SkyView view, int x, int y);

}  // namespace noctavo
