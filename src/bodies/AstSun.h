#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "bodies/AstBody.h"

namespace noctavo {

// The one Sun (module AST_SUN): a Keplerian orbit with the elements of
// 1980 January 0.0, without nutation, aberration, refraction or parallax.
class AstSun final : public AstBody {
 public:
  // Daily motion of the mean Sun, degrees (360 / 365.2422).
  static constexpr double dailyMotion = 0.9856473320990837;

  AstSun();

  // Days from 1980 January 0.0 (31.12.1979 0h Gmt), the epoch of the mean
  // elements, to the observer's moment taken as Greenwich mean time.
  static double daysSinceEpoch(const Observer& observer);

  // Ecliptic position (latitude 0), distance, angular size, rising and
  // setting, astronomical twilight and the midnight point for the
  // observer's moment and place.
  void compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
               CoordSystem system) const override;
  std::span<const Quantity* const> quantities() const override { return list_; }

  // Where the Sun stands D days after the epoch, before any conversion.
  struct Place {
    double meanAnomaly;        // M, degrees, [0, 360)
    double trueAnomaly;        // nu, degrees
    double eclipticLongitude;  // lambda, degrees
  };
  Place placeAt(double daysSinceEpoch) const;

  // Eccentric anomaly E (radians) of Kepler's equation E - e sin E = M for
  // the Sun's eccentricity, by Newton's iteration from E = M.
  double solveKepler(double meanAnomalyRadians) const;

  // Duration of astronomical twilight (Sun 18 degrees below the horizon) in
  // sidereal hours, for declination and latitude in degrees. False, and 0,
  // when there is no such twilight or no sunrise at all.
  bool twilightDuration(double declination, double latitude, double& hours) const;

  double eclipticLongitudeAtEpoch() const { return eclipticLongitudeAtEpoch_; }  // degrees
  double longitudeOfPerigee() const { return longitudeOfPerigee_; }              // degrees
  double eccentricity() const { return eccentricity_; }
  double semiMajorAxis() const { return semiMajorAxis_; }                        // km
  double angularDiameterAtSemiMajorAxis() const { return angularDiameter_; }     // degrees
  double radius() const { return radius_; }                                      // metres
  double mass() const { return mass_; }                                          // kg
  double meanDensity() const { return meanDensity_; }                            // g/cm^3
  double escapeVelocity() const { return escapeVelocity_; }                      // km/s

 private:
  static constexpr double eclipticLongitudeAtEpoch_ = 278.83354;
  static constexpr double longitudeOfPerigee_ = 282.596403;
  static constexpr double eccentricity_ = 0.016718;
  static constexpr double semiMajorAxis_ = 149598500.0;
  static constexpr double angularDiameter_ = 0.533128;
  static constexpr double radius_ = 696000000.0;
  static constexpr double mass_ = 1.989e+30;
  static constexpr double meanDensity_ = 1.409;
  static constexpr double escapeVelocity_ = 617.7;

  AngularSizeQuantity angularSize_;
  ZodiacConstellationQuantity constellation_;
  ZodiacSignQuantity zodiacSign_;
  DirectionQuantity direction_;
  DistanceQuantity distanceFromEarth_;
  TimeOfDayQuantity rise_;
  TimeOfDayQuantity set_;
  TimeOfDayQuantity twilightBegin_;
  TimeOfDayQuantity twilightEnd_;
  LongitudeQuantity longitude_;
  LatitudeQuantity latitude_;
  LongitudeQuantity midnight_;
  std::array<const Quantity*, 12> list_;
};

const AstSun& theSun();

}  // namespace noctavo
