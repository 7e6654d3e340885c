#include "bodies/BodyState.h"

#include "bodies/QuantityBits.h"
#include "bodies/Zodiac.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_RES";

// The keys are first angles of an equatorial position. A failed position
// carries the invalid-angle marker, which would otherwise fall below the
// first zodiac limit and name Pisces; -1 is a sign no quantity accepts.
double zodiacConstellationOf(double key) {
  return key == invalidAngle ? -1.0 : zodiacSignByConstellation(key);
}

double zodiacSignOf(double key) { return key == invalidAngle ? -1.0 : zodiacSignEqual(key); }

}  // namespace

double BodyState::valueOf(std::uint32_t flag) const {
  namespace bit = quantity_bit;
  switch (flag) {
    case bit::longitude: return position.a();
    case bit::latitude: return position.b();
    case bit::distanceFromEarth: return distanceFromEarth;
    case bit::elongation: return elongation;
    case bit::phase: return phase;
    case bit::magnitude: return magnitude;
    case bit::angularSize: return angularSize;
    case bit::distanceFromSun: return distanceFromSun;
    case bit::zodiacConstellation: return zodiacConstellationOf(constellationKey);
    // An event that does not happen has the hours -1.0 of an invalid record.
    case bit::rise: return rise.getHours();
    case bit::set: return set.getHours();
    case bit::twilightBegin: return twilightBegin.getHours();
    case bit::twilightEnd: return twilightEnd.getHours();
    case bit::direction: return direction;
    case bit::ascendingNode: return ascendingNode;
    case bit::descendingNode: return descendingNode;
    case bit::midnight: return midnight;
    case bit::zodiacSign: return zodiacSignOf(zodiacKey);
    case bit::heliocentricLongitude: return heliocentric.a();
    case bit::heliocentricLatitude: return heliocentric.b();
    case bit::ngcConstellation: return ngcConstellation;
    default:
      NOCTAVO_INTERNAL_ERROR(moduleName);
      return 0.0;
  }
}

}  // namespace noctavo
