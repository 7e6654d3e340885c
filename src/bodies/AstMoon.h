#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "bodies/AstBody.h"

namespace noctavo {

// The one Moon (module AST_MOON): mean elements of 1980 January 0.0 with the
// largest periodic terms (evection, annual equation, the third and fourth
// corrections, the equation of the centre and the variation). Moonrise and
// moonset are found by bisecting the day on the sign of the Moon's altitude.
class AstMoon final : public AstBody {
 public:
  AstMoon();

  // Ecliptic position, distance (km), angular size, phase, elongation, the
  // nodes and moonrise and moonset for the observer's moment and place.
  void compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
               CoordSystem system) const override;
  std::span<const Quantity* const> quantities() const override { return list_; }

  // Where the Moon stands D days after 1980 January 0.0 Gmt; all degrees.
  struct Place {
    double meanLongitude;      // l, [0, 360)
    double meanAnomaly;        // Mm, [0, 360)
    double ascendingNode;      // N, [0, 360)
    double correctedAnomaly;   // Mm' after evection and the annual terms
    double equationOfCentre;   // Ec
    double trueLongitude;      // l'', in the orbit
    double sunLongitude;       // the Sun's ecliptic longitude
    double eclipticLongitude;  // lambda, [0, 360)
    double eclipticLatitude;   // beta
  };
  Place placeAt(double daysSinceEpoch) const;

  // Moonrise (flag 512) or moonset (flag 1024) between start and end,
  // both in one time kind (normally Lct) for the observer's place, zone and
  // daylight saving; the end may carry hours past 24 on the start's date.
  // Resolved to 10 seconds: result is the start of the last interval, on
  // the start's date with the start's kind. False, and result invalid, when
  // the event does not happen on the start's date within the interval. Any
  // other flag is an internal error.
  bool findMoonEvent(std::uint32_t flag, const Observer& observer, AstDateTime start, AstDateTime end,
                     AstDateTime& result) const;

  double siderealPeriod() const { return siderealPeriod_; }                        // days
  double meanLongitudeAtEpoch() const { return meanLongitudeAtEpoch_; }            // degrees
  double meanLongitudeOfPerigeeAtEpoch() const { return meanLongitudeOfPerigee_; } // degrees
  double meanLongitudeOfNodeAtEpoch() const { return meanLongitudeOfNode_; }       // degrees
  double eccentricity() const { return eccentricity_; }
  double semiMajorAxis() const { return semiMajorAxis_; }                          // km
  double inclination() const { return inclination_; }                              // degrees
  double angularSizeAtSemiMajorAxis() const { return angularSize_; }               // degrees
  double parallaxAtSemiMajorAxis() const { return parallax_; }                     // degrees
  double minimumDistance() const { return minimumDistance_; }                      // km
  double meanDistance() const { return meanDistance_; }                            // km
  double maximumDistance() const { return maximumDistance_; }                      // km
  double radius() const { return radius_; }                                        // km
  double mass() const { return mass_; }                                            // kg
  double meanDensity() const { return meanDensity_; }                              // g/cm^3
  double escapeVelocity() const { return escapeVelocity_; }                        // km/s
  double albedo() const { return albedo_; }

 private:
  static constexpr double siderealPeriod_ = 27.32166;
  static constexpr double meanLongitudeAtEpoch_ = 64.975464;
  static constexpr double meanLongitudeOfPerigee_ = 349.383063;
  static constexpr double meanLongitudeOfNode_ = 151.950429;
  static constexpr double eccentricity_ = 0.0549;
  static constexpr double semiMajorAxis_ = 384401.0;
  static constexpr double inclination_ = 5.145396;
  static constexpr double angularSize_ = 0.5181;
  static constexpr double parallax_ = 0.9507;
  static constexpr double unreadField_ = 0.0;  // kept in its place; nothing reads it
  static constexpr double minimumDistance_ = 356410.0;
  static constexpr double meanDistance_ = 384403.0;
  static constexpr double maximumDistance_ = 406740.0;
  static constexpr double radius_ = 1738.0;
  static constexpr double mass_ = 7.35e+22;
  static constexpr double meanDensity_ = 3.341;
  static constexpr double escapeVelocity_ = 2.38;
  static constexpr double albedo_ = 0.07;

  // The altitude of the Moon's centre (degrees, no parallax or refraction)
  // at `hours` of the date of `day`, in its time kind; the hours may run
  // past 24.
  double altitudeAt(const Observer& observer, const AstDateTime& day, double hours) const;

  AngularSizeQuantity angularSizeQuantity_;
  ZodiacConstellationQuantity constellation_;
  ZodiacSignQuantity zodiacSign_;
  DirectionQuantity direction_;
  DistanceQuantity distanceFromEarth_;
  PhaseQuantity phase_;
  TimeOfDayQuantity rise_;
  TimeOfDayQuantity set_;
  LongitudeQuantity longitude_;
  LatitudeQuantity latitude_;
  LongitudeQuantity ascendingNode_;
  LongitudeQuantity descendingNode_;
  std::array<const Quantity*, 12> list_;
};

const AstMoon& theMoon();

// The bisection behind moonrise and moonset, on any altitude curve: hours
// from startHours to endHours, altitudes in degrees. flag 512 finds the
// crossing upwards, 1024 downwards. The day is halved until an interval is
// shorter than 10 seconds; when the three samples of an interval lie on one
// side of the horizon, the slope one minute after the middle picks the half
// (wider probes when the altitude there is flat; a curve flat at every probe
// has no crossing). The start of the last interval, or nothing. The
// altitudes at both ends can be passed in when already known.
std::optional<double> findHorizonCrossing(std::uint32_t flag, double startHours, double endHours,
                                          const std::function<double(double)>& altitudeAt);
std::optional<double> findHorizonCrossing(std::uint32_t flag, double startHours, double endHours,
                                          double startAltitude, double endAltitude,
                                          const std::function<double(double)>& altitudeAt);

}  // namespace noctavo
