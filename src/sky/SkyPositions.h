#pragma once

#include <array>
#include <vector>

#include "bodies/AstBody.h"
#include "sky/SkyProjection.h"
#include "sky/SkyTypes.h"
#include "time/AstCoord.h"
#include "time/Observer.h"

namespace noctavo {

// Where every object of the sky map stands for the Sky window's moment,
// computed once per moment so that painting and hit-testing only project.
// Stars and NGC objects are indexed like their catalogues, planets 0..7
// (Mercury..Pluto).
struct SkyPositionTables {
  std::vector<AstCoord> starHorizontal;
  std::vector<AstCoord> ngcHorizontal;
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

  // Room for the equatorial positions while they are converted; kept so
  // that a new moment allocates nothing.
  std::vector<AstCoord> scratch;
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
// planets move to where they stand at the browsed moment.
void computeSkyPositions(SkyPositionTables& tables, const Observer& skyObserver, const Observer& programObserver,
                         bool starsFixed);

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

// The object's position on a map: the horizontal position from the tables,
// or in the Equatorial map the equatorial one with the first angle replaced
// by 360 - right ascension (east to the left, as in the sky). A
// constellation stands at its alpha star (or the star standing in for it).
// The Earth has no sky position, nor has an object outside the tables or a
// map type outside the enumeration: internal error and an invalid position.
AstCoord skyPosition(const SkyPositionTables& tables, MapType mapType, const AstBody& body);

// The object under a click at pixel (x, y) of the display: the one whose
// map position lies nearest (angular distance) to the sky position under
// the pixel, searched in the order all stars (on the display or not), the
// Sun if shown, the Moon if shown, the planets of the planet display mode,
// the NGC objects if shown; a later one wins only when strictly nearer.
// There is no distance limit; null only when there is no candidate at all.
const AstBody* findNearestObject(const SkyPositionTables& tables, const SkySettings& settings,
                                 const DisplayGeometry& geometry, SkyView view, int x, int y);

}  // namespace noctavo
