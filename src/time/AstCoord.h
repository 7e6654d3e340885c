#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace noctavo {

struct Observer;

// The numbers are stored in settings and graph files.
enum class CoordSystem : std::int32_t {
  Equatorial = 0,
  Ecliptical = 1,
  Horizontal = 2,
  Galactic = 3,
  None = 4,
};

// "EQU", "ECL", "HOR", "GAL"; "" for None.
const char* coordSystemShortName(CoordSystem system);
// "Equatorial", "Ecliptical", "Horizontal", "Galactic"; "" for None.
const char* coordSystemLongName(CoordSystem system);
// "Right ascension", "Longitude", "Azimuth", "Longitude".
const char* coordSystemFirstAngleName(CoordSystem system);
// "Declination", "Latitude", "Altitude", "Latitude".
const char* coordSystemSecondAngleName(CoordSystem system);
// Exact, case-sensitive match of a long name; None when nothing matches.
CoordSystem coordSystemByLongName(const std::string& name);

// How angles are shown. The numbers are the "Angle RA" and "Angle other"
// options.
enum class RightAscensionDisplay : std::int32_t { HourMinSec = 0, DegMinSec = 1, Decimal = 2 };
enum class AngleDisplay : std::int32_t { DegMinSec = 0, Decimal = 1 };

struct AngleDisplayModes {
  RightAscensionDisplay rightAscension = RightAscensionDisplay::HourMinSec;
  AngleDisplay other = AngleDisplay::DegMinSec;
  friend bool operator==(AngleDisplayModes, AngleDisplayModes) = default;
};

// The display modes in force for the whole program. The options own them
// and set them when they are loaded or changed; every formatter that takes
// no explicit modes reads them.
AngleDisplayModes angleDisplayModes();
void setAngleDisplayModes(AngleDisplayModes modes);

// Invalid marker of both angles.
constexpr double invalidAngle = -1000.0;

// Two angles in degrees (right ascension too) and the system they belong to.
class AstCoord {
 public:
  AstCoord() = default;
  explicit AstCoord(CoordSystem system) : system_(system) {}
  AstCoord(double a, double b, CoordSystem system) : a_(a), b_(b), system_(system) {}

  double a() const { return a_; }
  double b() const { return b_; }
  CoordSystem system() const { return system_; }
  void setA(double degrees) { a_ = degrees; }
  void setB(double degrees) { b_ = degrees; }
  void setSystem(CoordSystem system) { system_ = system; }
  bool isValid() const { return a_ != invalidAngle; }
  void invalidate() { a_ = b_ = invalidAngle; }

  // Text of the first or second angle in the current display modes.
  std::string formatFirst(bool isRightAscension) const;
  std::string formatSecond(bool isRightAscension) const;

  friend bool operator==(const AstCoord&, const AstCoord&) = default;

 private:
  double a_ = 0.0;
  double b_ = 0.0;
  CoordSystem system_ = CoordSystem::None;
};

// Converts in place to the target system with the classical spherical
// formulas, a fixed obliquity and a fixed galactic pole (no precession,
// nutation, aberration or refraction). The horizontal system uses the
// observer's latitude and local sidereal time. An unknown system makes both
// angles invalid and is an internal error.
void convertCoord(AstCoord& coord, CoordSystem target, const Observer& observer);

// Converts count equatorial positions to the horizontal system for one
// observer, with the same formulas, constants and results, to the last bit,
// as convertCoord on each, but finding the local sidereal time only once:
// the sky map turns its whole catalogue with every moment. A position in
// any other system goes through convertCoord. in and out may be the same
// array.
void convertEquatorialToHorizontal(const AstCoord* in, AstCoord* out, std::size_t count,
                                   const Observer& observer);

// Great-circle distance of two positions in the same system, radians.
double angularDistance(const AstCoord& first, const AstCoord& second);

// "N", "NE", ... "NW": eight sectors of 45 degrees centred on the points.
const char* compassDirection(double azimuth);

// Angle text: right ascension "%dh%02dm%02ds", degree-minute-second
// "%d\xB0%02d'%02d\"" or decimal "%.5f\xB0" (0xB0 is the degree sign).
// Components are truncated, not rounded.
std::string formatAngle(double degrees, bool isRightAscension, AngleDisplayModes modes);
std::string formatAngle(double degrees, bool isRightAscension);

// Accepts "12h30m15s" / "12h30m" / "12h", "45\xB0" "30'" "15\"" forms and
// bare integers, and a decimal number with an optional degree sign; the
// result must be within the limit (90 for latitudes and declinations, 180
// for longitudes, 360 for right ascension). False and out unchanged when no
// form matches.
bool parseAngle(const std::string& text, int limit, double& degrees);

}  // namespace noctavo
