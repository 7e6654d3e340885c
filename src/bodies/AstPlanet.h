#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "bodies/AstBody.h"

namespace noctavo {

// Mean orbital elements for the epoch 1980 January 0.0 and the physical
// data of one planet. The computation reads only the first eight fields; the
// others are shown by the Object Information window.
struct PlanetConstants {
  double tropicalPeriod;             // tropical years
  double longitudeAtEpoch;           // degrees
  double longitudeOfPerihelion;      // degrees
  double eccentricity;
  double semiMajorAxis;              // AU
  double inclination;                // degrees
  double longitudeOfAscendingNode;   // degrees
  double angularSizeAtOneAu;         // arcseconds
  double brightnessFactor;           // kept for display only; the magnitude does not use it
  double meanOrbitalVelocity;        // km/s
  double minimumDistanceFromSun;     // AU
  double meanDistanceFromSun;        // AU
  double maximumDistanceFromSun;     // AU
  double circumferenceOfOrbit;       // 10^6 km
  double minimumDistanceFromEarth;   // AU
  double maximumDistanceFromEarth;   // AU
  double equatorialRadius;           // km
  double flattening;                 // decimal value of the fraction, e.g. 1/171 = 0.005847953216
  double mass;                       // kg
  double volume;                     // Earth = 1
  double meanDensity;                // g/cm^3
  double escapeVelocity;             // km/s
};

// Where a planet stands on its orbit, D days after 1980 January 0.0 Gmt.
// The equation of the centre is taken to first order in the eccentricity
// (no Kepler iteration); all angles in degrees.
struct PlanetOrbitPlace {
  double meanLongitudeFromEpoch;  // N, reduced into [0, 360)
  double meanAnomaly;             // M = N + epsilon - varpi (not reduced)
  double orbitalLongitude;        // l, true longitude in the orbit's plane, [0, 360]
  double trueAnomaly;             // nu = l - varpi
  double radius;                  // r, AU
  double eclipticLongitude;       // l', projected on the ecliptic (not reduced)
  double eclipticLatitude;        // psi, heliocentric latitude
  double projectedRadius;         // r' = r cos psi, AU
};

// The Earth on its orbit from the Sun's elements, D days after the epoch.
struct EarthOrbitPlace {
  double longitude;  // L, heliocentric, [0, 360]
  double radius;     // R, AU
};
EarthOrbitPlace earthOrbitPlace(double daysSinceEpoch);

// One of the eight planets Mercury..Pluto (object type Planet, index 0..7).
// The eight objects are static for the whole run and share one list of
// quantities.
class AstPlanet final : public AstBody {
 public:
  AstPlanet(const char* name, int index, unsigned char symbol, const PlanetConstants& constants);

  // Heliocentric and geocentric ecliptic position of the epoch's equinox,
  // distances, angular size, phase, magnitude, elongation and rising and
  // setting, for the observer's moment and place. Only the fields named by
  // flags change.
  void compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
               CoordSystem system) const override;
  std::span<const Quantity* const> quantities() const override;

  // Heliocentric place D days after 1980 January 0.0 Gmt.
  PlanetOrbitPlace orbitPlace(double daysSinceEpoch) const;

  // Visual magnitude for the distances from the Sun (r) and the Earth (rho)
  // in AU and the phase angle lambda - l (geocentric longitude less the
  // longitude in the orbit, both degrees within [0, 360]). The phase angle
  // is folded into [0, 180], 180 included.
  double visualMagnitude(double sunDistance, double earthDistance, double geocentricLongitude,
                         double orbitalLongitude) const;

  const PlanetConstants& constants() const { return constants_; }
  double tropicalPeriod() const { return constants_.tropicalPeriod; }
  double longitudeAtEpoch() const { return constants_.longitudeAtEpoch; }
  double longitudeOfPerihelion() const { return constants_.longitudeOfPerihelion; }
  double eccentricity() const { return constants_.eccentricity; }
  double semiMajorAxis() const { return constants_.semiMajorAxis; }
  double inclination() const { return constants_.inclination; }
  double longitudeOfAscendingNode() const { return constants_.longitudeOfAscendingNode; }
  double angularSizeAtOneAu() const { return constants_.angularSizeAtOneAu; }
  double brightnessFactor() const { return constants_.brightnessFactor; }
  double meanOrbitalVelocity() const { return constants_.meanOrbitalVelocity; }
  double minimumDistanceFromSun() const { return constants_.minimumDistanceFromSun; }
  double meanDistanceFromSun() const { return constants_.meanDistanceFromSun; }
  double maximumDistanceFromSun() const { return constants_.maximumDistanceFromSun; }
  double circumferenceOfOrbit() const { return constants_.circumferenceOfOrbit; }
  double minimumDistanceFromEarth() const { return constants_.minimumDistanceFromEarth; }
  double maximumDistanceFromEarth() const { return constants_.maximumDistanceFromEarth; }
  double equatorialRadius() const { return constants_.equatorialRadius; }
  double flattening() const { return constants_.flattening; }
  double mass() const { return constants_.mass; }
  double volume() const { return constants_.volume; }
  double meanDensity() const { return constants_.meanDensity; }
  double escapeVelocity() const { return constants_.escapeVelocity; }

 private:
  // The phase term of the magnitude for a phase angle of x = p / 100.
  double magnitudePhaseTerm(double x) const;

  PlanetConstants constants_;
};

// Planet by name in any letter case ("MARS" finds Mars); an unknown name is
// an internal error and gives null.
const AstPlanet* planetByName(const std::string& name);
// Planet 0..7; any other index is an internal error and gives null.
const AstPlanet* planetByIndex(int index);
// Walks Mercury..Pluto: the cursor starts at 0; the call that returns Pluto
// sets it to -1, and a call with -1 (or any cursor outside 0..7) gives null
// and leaves -1.
const AstPlanet* nextPlanet(int& cursor);

}  // namespace noctavo
