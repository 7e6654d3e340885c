#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

#include "time/AstCoord.h"
#include "time/Observer.h"

namespace noctavo::precise {

// The bodies the precise method computes. Mercury..Neptune are numbered as
// the planets are (index 0..6), Pluto 7.
enum class Body { Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto, Sun, Moon };

inline constexpr double kilometresPerAu = 149'597'870.7;  // IAU 2012 B2

// Body of a planet index 0..7 (Mercury..Pluto).
Body planetBody(int index);

using Vector = std::array<double, 3>;
using Matrix = std::array<Vector, 3>;

// Terrestrial time less universal time, seconds, for a decimal year: the
// polynomials of Espenak and Meeus (NASA, 2006) from 1860 to 2150, their
// long-term parabola outside.
double deltaTSeconds(double decimalYear);

// The observer's moment as Julian Days: universal time (the program's
// Greenwich mean time taken as UT1) and terrestrial time.
struct Moment {
  double ut;
  double tt;
};
std::optional<Moment> momentOf(const Observer& observer);
Moment momentAtUt(double ut);

// What turns a direction of the celestial reference system into one of the
// true equator and equinox of one date: the IAU 2006/2000A
// bias-precession-nutation matrix, the true obliquity of the ecliptic and
// the equation of the origins. They change by well under an arcsecond in a
// day, so one frame serves every moment of the observer's day.
struct Frame {
  double tt = 0.0;
  Matrix npb{};
  double trueObliquityRadians = 0.0;
  double equationOfOriginsRadians = 0.0;
};
// The frame of the whole day nearest tt, kept for the next moment of that
// day; frameOfDay computes it for exactly tt.
Frame frameAt(double tt);
Frame frameOfDay(double tt);

// A body as seen from the centre of the Earth at terrestrial time tt:
// unit vector of its apparent direction in the true equator and equinox of
// the frame (light time and, but for the Moon, annual aberration applied),
// its distance (AU; the light-time corrected one for the planets), and for
// the planets and the Earth's Sun their heliocentric place in the
// reference system's axes at the time the light left.
struct Sighting {
  Vector direction{};
  double distanceAu = 0.0;
  Vector heliocentric{};  // AU; the Earth's own for the Sun
};
// Pluto is known from 1885 to 2099 only; nothing outside.
std::optional<Sighting> sight(Body body, double tt, const Frame& frame);
bool plutoSeriesCovers(double tt);

// Local apparent sidereal time, radians, for universal time ut at an east
// longitude in radians.
double localSiderealRadians(const Frame& frame, double ut, double eastLongitudeRadians);

// The observer's place as a vector from the Earth's centre, AU, in the
// true equator and equinox of date (WGS 84 ellipsoid, sea level).
Vector observerVector(double latitudeDegrees, double localSiderealRadians);

// A direction of the true equator and equinox of date in one of the
// program's systems, degrees: equatorial of date, ecliptical of date,
// horizontal (azimuth from north through east, altitude without refraction)
// or galactic (IAU 1958 axes, from the reference-system direction).
AstCoord coordIn(const Vector& direction, CoordSystem system, const Frame& frame, double localSiderealRadians,
                 double latitudeDegrees);

// Angle between two directions, degrees.
double separationDegrees(const Vector& a, const Vector& b);

// Altitudes at which the almanacs count a rising or setting, degrees: the
// Sun's centre 50' below the horizon (upper limb, standard refraction),
// stars and planets 34' (refraction), the Moon's centre at 0.7275 times its
// horizontal parallax less 34' (the geocentric altitude that puts its upper
// limb on the refracted horizon).
inline constexpr double sunRiseAltitude = -50.0 / 60.0;
inline constexpr double starRiseAltitude = -34.0 / 60.0;
inline constexpr double twilightAltitude = -18.0;
double moonRiseAltitude(double distanceKm);

// The crossings of one altitude within one day, universal-time Julian Days.
struct Crossings {
  std::optional<double> rising;
  std::optional<double> setting;
};

// Where a body stands over one day, from five samples of its direction and
// distance six hours apart, interpolated: its direction changes smoothly
// enough that the interpolation is good to well under an arcsecond, and a
// day of altitudes then costs five ephemeris calls.
class DayTrack {
 public:
  // sample(tt) gives the direction and the distance in AU; false when it
  // has none.
  using Sample = std::function<bool(double tt, Vector& direction, double& distanceAu)>;
  DayTrack(double dayStartUt, const Sample& sample);
  bool isValid() const { return valid_; }

  // The first rising and setting within [dayStartUt, dayStartUt + 1) through
  // the altitude that altitudeFor(distanceAu) gives, seen from an east
  // longitude and latitude (radians, degrees), refined to a second.
  Crossings crossings(const Frame& frame, double eastLongitudeRadians, double latitudeDegrees,
                      const std::function<double(double distanceAu)>& altitudeFor) const;

 private:
  static constexpr int sampleCount = 5;
  double start_;
  std::array<Vector, sampleCount> directions_{};
  std::array<double, sampleCount> distances_{};
  bool valid_ = true;
};

// The start of the observer's civil day (0h local civil time of its date) in
// universal time, a Julian Day.
std::optional<double> civilDayStartUt(const Observer& observer);

// An event's universal-time Julian Day as a date-time of kind Gmt, or an
// invalid one.
AstDateTime eventDateTime(const std::optional<double>& ut);

// Rotates catalogue directions of the mean equator and equinox of J2025.0
// (degrees) to the apparent ones of the observer's moment: precession,
// nutation and annual aberration. in and out may be the same array. An
// invalid position stays invalid.
void catalogueToDate(const AstCoord* in, AstCoord* out, std::size_t count, const Observer& observer);

// The same in two steps for a catalogue turned again and again: the unit
// vectors of its positions, made once (zero for an invalid position), and
// their apparent positions of a moment.
Vector catalogueDirection(const AstCoord& position);
void catalogueDirectionsToDate(const Vector* in, AstCoord* out, std::size_t count, const Observer& observer);

}  // namespace noctavo::precise
