#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "bodies/AstBody.h"

namespace noctavo {

// The one Earth (module AST_EART). It has no geocentric position; its
// heliocentric longitude, latitude and distance from the Sun all follow from
// the Sun. The constants are shown by the Object Information window only.
class AstEarth final : public AstBody {
 public:
  AstEarth();

  void compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
               CoordSystem system) const override;
  std::span<const Quantity* const> quantities() const override { return list_; }

  double tropicalPeriod() const { return tropicalPeriod_; }                    // tropical years
  double siderealPeriod() const { return siderealPeriod_; }                    // days
  double longitudeAtEpoch() const { return longitudeAtEpoch_; }                // degrees
  double longitudeOfPerihelion() const { return longitudeOfPerihelion_; }      // degrees
  double eccentricity() const { return eccentricity_; }
  double meanRadius() const { return meanRadius_; }                            // km
  double flattening() const { return flattening_; }                            // 1/297
  double volume() const { return volume_; }                                    // km^3
  double mass() const { return mass_; }                                        // kg
  double meanDensity() const { return meanDensity_; }                          // g/cm^3
  double escapeVelocity() const { return escapeVelocity_; }                    // km/s
  double meanVelocity() const { return meanVelocity_; }                        // km/s
  double meanDistanceFromSun() const { return meanDistanceFromSun_; }          // km
  double minimumDistanceFromSun() const { return minimumDistanceFromSun_; }    // km
  double maximumDistanceFromSun() const { return maximumDistanceFromSun_; }    // km
  double circumferenceOfOrbit() const { return circumferenceOfOrbit_; }        // 10^6 km

 private:
  static constexpr double tropicalPeriod_ = 1.00004;
  static constexpr double siderealPeriod_ = 365.256;
  static constexpr double longitudeAtEpoch_ = 98.83354;
  static constexpr double longitudeOfPerihelion_ = 102.596403;
  static constexpr double eccentricity_ = 0.016718;
  static constexpr double meanRadius_ = 6371.229315;
  static constexpr double flattening_ = 0.003367003367;
  static constexpr double volume_ = 1083319780000.0;
  static constexpr double mass_ = 5.9742e+24;
  static constexpr double meanDensity_ = 5.515;
  static constexpr double escapeVelocity_ = 11.2;
  static constexpr double meanVelocity_ = 29.8;
  static constexpr double meanDistanceFromSun_ = 149600000.0;
  static constexpr double minimumDistanceFromSun_ = 147000000.0;
  static constexpr double maximumDistanceFromSun_ = 152000000.0;
  static constexpr double circumferenceOfOrbit_ = 940.0;

  DistanceQuantity distanceFromSun_;
  LongitudeQuantity heliocentricLongitude_;
  LatitudeQuantity heliocentricLatitude_;
  std::array<const Quantity*, 3> list_;
};

const AstEarth& theEarth();

}  // namespace noctavo
