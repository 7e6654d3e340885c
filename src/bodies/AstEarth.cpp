#include "bodies/AstEarth.h"

#include "bodies/AstSun.h"
#include "bodies/QuantityBits.h"
#include "time/AngleConstants.h"

namespace noctavo {
namespace {

namespace bit = quantity_bit;

// Symbol of the Earth in the program's symbol font.
constexpr unsigned char earthSymbol = 182;

// The bits the Earth answers; the finishing step has nothing to do for any
// of them.
constexpr std::uint32_t earthBits = bit::distanceFromSun | bit::heliocentricLongitude | bit::heliocentricLatitude;

}  // namespace

AstEarth::AstEarth()
    : AstBody("Earth", 0, ObjectType::Earth, earthSymbol),
      distanceFromSun_("Distance from Sun", 0, 2, bit::distanceFromSun, 187, 165, true),
      heliocentricLongitude_("Heliocentric longitude", 0, 360, bit::heliocentricLongitude, 192, 170),
      heliocentricLatitude_("Heliocentric latitude", -90, 90, bit::heliocentricLatitude, 193, 171),
      list_{&distanceFromSun_, &heliocentricLongitude_, &heliocentricLatitude_} {}

void AstEarth::compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
                       CoordSystem system) const {
  if (!checkRequest(flags, timeKind, system)) return;

  // The Sun is computed into a record of its own so that none of the
  // Sun's fields (its distance from the Earth, its position) leak into the
  // Earth's result.
  if (flags & bit::distanceFromSun) {
    BodyState sun;
    theSun().compute(bit::distanceFromEarth, observer, sun, timeKind, system);
    out.distanceFromSun = sun.distanceFromEarth;
  }
  if (flags & bit::heliocentricLongitude) {
    BodyState sun;
    theSun().compute(bit::longitude, observer, sun, timeKind, CoordSystem::Ecliptical);
    out.heliocentric.setA(reducedIntoTurn(sun.position.a() + 180.0));
    out.heliocentric.setSystem(CoordSystem::Ecliptical);
  }
  if (flags & bit::heliocentricLatitude) {
    out.heliocentric.setB(0.0);
    out.heliocentric.setSystem(CoordSystem::Ecliptical);
  }

  // The Earth has no geocentric position: the finishing step only sees its
  // own bits.
  finish(flags & earthBits, observer, out, timeKind, system);
}

const AstEarth& theEarth() {
  static const AstEarth earth;
  return earth;
}

}  // namespace noctavo
