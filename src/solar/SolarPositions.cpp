#include "solar/SolarPositions.h"

#include <algorithm>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/BodyState.h"
#include "bodies/PositionMethod.h"
#include "bodies/QuantityBits.h"

namespace noctavo {
namespace {

constexpr std::uint32_t orbitFlags = quantity_bit::heliocentricLongitude | quantity_bit::distanceFromSun;
constexpr double daysPerTropicalYear = 365.0;
constexpr double degreesPerSample = 360.0;
// A revolution never takes more samples than this (about 360 from Jupiter
// outwards, 687 for Mars); a longitude that never passes its start again
// would otherwise sample for ever.
constexpr std::size_t mostSamplesPerOrbit = 4000;

double tropicalPeriodOf(int entry) {
  if (entry == earthEntry) return theEarth().tropicalPeriod();
  return planetByIndex(entry)->tropicalPeriod();
}

}  // namespace

int orbitStepDays(double tropicalPeriodYears) {
  return std::max(1, static_cast<int>(tropicalPeriodYears * daysPerTropicalYear / degreesPerSample));
}

OrbitSamples sampleOrbit(const AstBody& body, double tropicalPeriodYears) {
  OrbitSamples orbit;
  const int step = orbitStepDays(tropicalPeriodYears);
  Observer at;
  at.dateTime = AstDateTime(1, 1, 1980, 0.0, TimeKind::Lct);
  BodyState state;
  body.compute(orbitFlags, at, state, TimeKind::None, CoordSystem::None);
  const double first = state.heliocentric.a();
  bool wrapped = false;
  while (orbit.longitude.size() < mostSamplesPerOrbit) {
    body.compute(orbitFlags, at, state, TimeKind::None, CoordSystem::None);
    const double longitude = state.heliocentric.a();
    if (!wrapped && longitude < first) wrapped = true;
    if (wrapped && longitude > first) break;
    orbit.longitude.push_back(longitude);
    orbit.distanceAu.push_back(state.distanceFromSun);
    at.dateTime.addDays(step);
  }
  return orbit;
}

namespace {

// The orbit lines are the mean orbits of the classical elements whatever
// method places the bodies: they close on themselves in the one fixed frame
// of the epoch, cost a millisecond where the precise series take a quarter
// of a second, and the precise series do not cover Pluto's whole
// revolution. The precise places lie along these lines (their differences
// run mostly along the orbit). The method in force is put back afterwards.
class ClassicalMethodWhileSampling {
 public:
  ClassicalMethodWhileSampling() : inForce_(positionMethod()) { setPositionMethod(PositionMethod::Classical); }
  ~ClassicalMethodWhileSampling() { setPositionMethod(inForce_); }
  ClassicalMethodWhileSampling(const ClassicalMethodWhileSampling&) = delete;
  ClassicalMethodWhileSampling& operator=(const ClassicalMethodWhileSampling&) = delete;

 private:
  PositionMethod inForce_;
};

}  // namespace

SolarOrbits sampleSolarOrbits() {
  const ClassicalMethodWhileSampling classical;
  SolarOrbits orbits;
  for (int entry = 0; entry < solarEntryCount; ++entry) {
    orbits[entry] = sampleOrbit(solarBody(entry), tropicalPeriodOf(entry));
  }
  return orbits;
}

SolarPositions computeSolarPositions(const Observer& observer) {
  SolarPositions positions;
  BodyState state;
  for (int entry = 0; entry < solarEntryCount; ++entry) {
    solarBody(entry).compute(orbitFlags, observer, state, TimeKind::None, CoordSystem::None);
    positions.longitude[entry] = state.heliocentric.a();
    positions.distanceAu[entry] = state.distanceFromSun;
  }
  theMoon().compute(quantity_bit::longitude, observer, state, TimeKind::None, CoordSystem::Ecliptical);
  positions.moonLongitude = state.position.a();
  return positions;
}

std::vector<std::uint32_t> solarFunctionFlags() {
  std::vector<std::uint32_t> flags;
  for (const Quantity* quantity : planetByIndex(0)->quantities()) {
    if (!quantity) break;
    flags.push_back(quantity->flag());
  }
  return flags;
}

std::uint32_t validSolarFunction(std::uint32_t flag) {
  return planetByIndex(0)->hasQuantity(flag) ? flag : quantity_bit::heliocentricLongitude;
}

SolarFunctionRows solarFunctionRows(std::uint32_t flag, const Observer& observer) {
  SolarFunctionRows rows;
  flag = validSolarFunction(flag);
  BodyState state;
  for (int entry = 0; entry < solarEntryCount; ++entry) {
    const AstBody& body = solarBody(entry);
    if (entry == earthEntry && !body.hasQuantity(flag)) {
      rows.earthHasIt = false;
      rows.values[entry] = notAvailableText;
      continue;
    }
    body.compute(flag, observer, state, TimeKind::Lct, CoordSystem::Equatorial);
    const Quantity* quantity = body.findQuantity(flag);
    if (!quantity) continue;
    if (entry == 0) rows.caption = quantity->name();
    rows.values[entry] = quantity->format(state.valueOf(flag));
  }
  return rows;
}

}  // namespace noctavo
