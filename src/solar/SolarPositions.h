#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "solar/SolarGeometry.h"
#include "time/Observer.h"

namespace noctavo {

// One revolution of a body round the Sun as the view draws it: parallel
// lists of heliocentric longitude (degrees) and distance from the Sun (AU).
struct OrbitSamples {
  std::vector<double> longitude;
  std::vector<double> distanceAu;
};

using SolarOrbits = std::array<OrbitSamples, solarEntryCount>;

// Days between two samples of an orbit: a period of Tp tropical years gives
// trunc(Tp x 365 / 360), about 360 samples a revolution, and at least one a
// day (Mercury to Mars).
int orbitStepDays(double tropicalPeriodYears);

// One revolution of the body from 1 January 1980 on, a sample every
// orbitStepDays: sampling stops at the first sample that passes the first
// one's longitude again after the longitude has wrapped through 0 degrees.
OrbitSamples sampleOrbit(const AstBody& body, double tropicalPeriodYears);

// The orbits of the eight planets and the Earth, by the classical method
// whatever the method in force; done once per window.
SolarOrbits sampleSolarOrbits();

// Heliocentric longitude and distance of the planets and the Earth, and the
// Moon's geocentric ecliptic longitude, at the observer's moment.
SolarPositions computeSolarPositions(const Observer& observer);

// The panel's rows for the quantity with this flag bit: its name, and for
// every entry (planets, then the Earth) its text at the observer's moment
// (local civil time, equatorial system). The Earth lacks some quantities
// (the phase, for one): its row is then "n.a." and greyed.
struct SolarFunctionRows {
  std::string caption;
  std::array<std::string, solarEntryCount> values;
  bool earthHasIt = true;
};
inline constexpr const char* notAvailableText = "n.a.";
SolarFunctionRows solarFunctionRows(std::uint32_t flag, const Observer& observer);

// The quantities the panel can show: those of the planets, in their order.
std::vector<std::uint32_t> solarFunctionFlags();
// A flag the planets have; anything else (a damaged setting) reads as the
// heliocentric longitude.
std::uint32_t validSolarFunction(std::uint32_t flag);

}  // namespace noctavo
