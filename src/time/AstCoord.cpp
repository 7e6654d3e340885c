#include "time/AstCoord.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "time/AngleConstants.h"
#include "time/InternalError.h"
#include "time/Observer.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "astcrd";

// Fixed obliquity of the ecliptic (23.441884 degrees), radians; there is no
// precession, so one value serves every date.
constexpr double obliquityRadians = 0.4091380647147045;

// North galactic pole and ascending node of the galactic plane on the
// equator. The forward and the inverse conversion each keep the figure they
// have always used (radians in one, degrees in the other), so both directions
// reproduce the program's published positions to the last digit.
constexpr double galacticPoleRightAscensionRadians = 3.355395536527778;   // 192.25 degrees
constexpr double galacticPoleRightAscensionDegrees = 192.25000000000003;
constexpr double galacticPoleDeclinationRadians = 0.4782202221111111;     // 27.4 degrees
constexpr double galacticNodeLongitudeDegrees = 33.0;
constexpr double galacticNodeLongitudeRadians = 0.5759586616666666;

// Arc-cosine arguments a little outside [-1, 1] come from rounding and are
// pulled back onto the edge; larger ones are left alone (and then caught by
// clampToUnit below).
constexpr double arcCosineClampWindow = 1.01;

constexpr double degreesPerHour = 15.0;
constexpr double fullTurnDegrees = 360.0;
constexpr double halfTurnDegrees = 180.0;
// A right ascension of a hair below 360 degrees reaches 24 hours once the
// truncation guard has lifted it; as a direction that is 0h.
constexpr int hoursPerTurn = 24;

// The formatter truncates its components, but a value such as 123.5 / 15
// hours is stored as 8.23333...25 and would truncate to 8h13m59s. A guard of
// this size, in the unit of each component (degrees or hours, minutes,
// seconds), lifts such a value over the whole number it stands for while a
// genuinely smaller value (10.999999 degrees is 59.9964 seconds) still
// truncates. Each finer unit is 60 times smaller, so the guard of a finer
// component can never carry into the coarser one (no "60" minutes).
constexpr double truncationGuard = 1e-9;

// The degree sign in the program's character set (Windows-1252).
constexpr char degreeSign = '\xB0';

AngleDisplayModes& globalDisplayModes() {
  static AngleDisplayModes modes;
  return modes;
}

struct SystemNames {
  const char* shortName;
  const char* longName;
  const char* firstAngle;
  const char* secondAngle;
};

constexpr SystemNames systemNames[] = {
    {"EQU", "Equatorial", "Right ascension", "Declination"},
    {"ECL", "Ecliptical", "Longitude", "Latitude"},
    {"HOR", "Horizontal", "Azimuth", "Altitude"},
    {"GAL", "Galactic", "Longitude", "Latitude"},
};
constexpr SystemNames noSystemNames = {"", "", "", ""};

bool isKnownSystem(CoordSystem system) {
  const auto value = static_cast<std::int32_t>(system);
  return value >= 0 && value <= static_cast<std::int32_t>(CoordSystem::Galactic);
}

// None has empty names; a value outside the enumeration is a broken
// invariant.
const SystemNames& namesOf(CoordSystem system) {
  if (isKnownSystem(system)) return systemNames[static_cast<std::int32_t>(system)];
  if (system != CoordSystem::None) NOCTAVO_INTERNAL_ERROR(moduleName);
  return noSystemNames;
}

// Rounding can push a sine or cosine that must lie in [-1, 1] just outside
// it, and at the poles the horizontal formulas divide by almost nothing;
// asin and acos would then return NaN.
double clampToUnit(double x) { return std::clamp(x, -1.0, 1.0); }

// The arc-cosine argument of the horizontal conversions. The clamp window
// comes first as it always has; the final clamp keeps the result a number
// where the division has no defined value (observer at a pole, object in the
// zenith). A zero denominator points the azimuth or hour angle to zero.
double arcCosineArgument(double numerator, double denominator) {
  if (denominator == 0.0) return numerator < 0.0 ? -1.0 : 1.0;
  double c = numerator / denominator;
  if (c > 1.0 && c < arcCosineClampWindow) c = 1.0;
  if (c < -1.0 && c > -arcCosineClampWindow) c = -1.0;
  return clampToUnit(c);
}

// A first angle after a conversion lies in [0, 360). Below zero gets a turn
// added; the program's full turn of 6.2831854 rad is 360 degrees to the last
// bit, so an azimuth or hour angle can also come out as 360 exactly.
double firstAngleInTurn(double degrees) {
  if (degrees < 0.0) degrees += fullTurnDegrees;
  if (degrees >= fullTurnDegrees) degrees -= fullTurnDegrees;
  return degrees;
}

struct Equatorial {
  double rightAscension;  // degrees
  double declination;     // degrees
};

Equatorial eclipticalToEquatorial(double longitude, double latitude) {
  const double lambda = longitude * radiansPerDegree;
  const double beta = latitude * radiansPerDegree;
  const double alpha = std::atan2(std::sin(lambda) * std::cos(obliquityRadians) -
                                      std::tan(beta) * std::sin(obliquityRadians),
                                  std::cos(lambda));
  const double delta = std::asin(clampToUnit(std::sin(beta) * std::cos(obliquityRadians) +
                                             std::cos(beta) * std::sin(obliquityRadians) *
                                                 std::sin(lambda)));
  return {firstAngleInTurn(alpha * degreesPerRadian), delta * degreesPerRadian};
}

void equatorialToEcliptical(const Equatorial& eq, double& longitude, double& latitude) {
  const double alpha = eq.rightAscension * radiansPerDegree;
  const double delta = eq.declination * radiansPerDegree;
  const double lambda = std::atan2(std::sin(alpha) * std::cos(obliquityRadians) +
                                       std::tan(delta) * std::sin(obliquityRadians),
                                   std::cos(alpha));
  const double beta = std::asin(clampToUnit(std::sin(delta) * std::cos(obliquityRadians) -
                                            std::cos(delta) * std::sin(obliquityRadians) *
                                                std::sin(alpha)));
  longitude = firstAngleInTurn(lambda * degreesPerRadian);
  latitude = beta * degreesPerRadian;
}

// Azimuth from north through east; hour angle and local sidereal time as the
// observer sees them. No refraction.
Equatorial horizontalToEquatorial(double azimuth, double altitude, double latitude,
                                  double siderealHours) {
  const double a = altitude * radiansPerDegree;
  const double az = azimuth * radiansPerDegree;
  const double phi = latitude * radiansPerDegree;
  const double sinDelta =
      clampToUnit(std::sin(a) * std::sin(phi) + std::cos(a) * std::cos(phi) * std::cos(az));
  const double delta = std::asin(sinDelta);
  double hourAngle = std::acos(arcCosineArgument(std::sin(a) - std::sin(phi) * sinDelta,
                                                 std::cos(phi) * std::cos(delta)));
  if (azimuth <= halfTurnDegrees) hourAngle = fullTurnRadians - hourAngle;
  double alpha = degreesPerHour * siderealHours - hourAngle * degreesPerRadian;
  return {firstAngleInTurn(alpha), delta * degreesPerRadian};
}

// What the equatorial-to-horizontal step needs of the observer: the
// sidereal time in degrees and the latitude's sine and cosine. They are the
// same for every position of one moment, so a whole catalogue is converted
// with one computation of them; both the single and the many-position
// conversion go through this one step and so agree to the last bit.
struct HorizonFrame {
  double siderealDegrees;  // 15 times the local sidereal time in hours
  double sinLatitude;
  double cosLatitude;
};

HorizonFrame horizonFrame(double latitude, double siderealHours) {
  const double phi = latitude * radiansPerDegree;
  return {degreesPerHour * siderealHours, std::sin(phi), std::cos(phi)};
}

void equatorialToHorizontal(const Equatorial& eq, const HorizonFrame& frame, double& azimuth,
                            double& altitude) {
  double hourAngleDegrees = frame.siderealDegrees - eq.rightAscension;
  if (hourAngleDegrees < 0.0) hourAngleDegrees += fullTurnDegrees;
  const double hourAngle = hourAngleDegrees * radiansPerDegree;
  const double delta = eq.declination * radiansPerDegree;
  const double sinDelta = std::sin(delta);
  const double sinAltitude = clampToUnit(sinDelta * frame.sinLatitude +
                                         std::cos(delta) * frame.cosLatitude * std::cos(hourAngle));
  const double a = std::asin(sinAltitude);
  double az = std::acos(arcCosineArgument(sinDelta - frame.sinLatitude * sinAltitude,
                                          frame.cosLatitude * std::cos(a)));
  if (hourAngleDegrees <= halfTurnDegrees) az = fullTurnRadians - az;
  azimuth = firstAngleInTurn(az * degreesPerRadian);
  altitude = a * degreesPerRadian;
}

void equatorialToGalactic(const Equatorial& eq, double& longitude, double& latitude) {
  const double alpha = eq.rightAscension * radiansPerDegree;
  const double delta = eq.declination * radiansPerDegree;
  const double fromPole = alpha - galacticPoleRightAscensionRadians;
  const double sinB = clampToUnit(std::cos(delta) * std::cos(galacticPoleDeclinationRadians) *
                                      std::cos(fromPole) +
                                  std::sin(delta) * std::sin(galacticPoleDeclinationRadians));
  const double b = std::asin(sinB);
  const double l = std::atan2(std::sin(delta) - sinB * std::sin(galacticPoleDeclinationRadians),
                              std::cos(delta) * std::sin(fromPole) *
                                  std::cos(galacticPoleDeclinationRadians));
  longitude = firstAngleInTurn(l * degreesPerRadian + galacticNodeLongitudeDegrees);
  latitude = b * degreesPerRadian;
}

Equatorial galacticToEquatorial(double longitude, double latitude) {
  const double b = latitude * radiansPerDegree;
  const double fromNode = longitude * radiansPerDegree - galacticNodeLongitudeRadians;
  const double sinDelta =
      clampToUnit(std::cos(b) * std::cos(galacticPoleDeclinationRadians) * std::sin(fromNode) +
                  std::sin(b) * std::sin(galacticPoleDeclinationRadians));
  const double delta = std::asin(sinDelta);
  const double alpha =
      std::atan2(std::cos(b) * std::cos(fromNode),
                 std::sin(b) * std::cos(galacticPoleDeclinationRadians) -
                     std::cos(b) * std::sin(galacticPoleDeclinationRadians) * std::sin(fromNode));
  double rightAscension = alpha * degreesPerRadian + galacticPoleRightAscensionDegrees;
  normalizeAngle(rightAscension);
  return {rightAscension, delta * degreesPerRadian};
}

// Components of an angle for the truncating formats: whole units, minutes,
// seconds.
struct Sexagesimal {
  int whole;
  int minutes;
  int seconds;
};

Sexagesimal splitTruncated(double value) {
  const double whole = std::trunc(value + std::copysign(truncationGuard, value));
  const double fractionMinutes = std::fabs(value - whole) * 60.0;
  const double minutes = std::trunc(fractionMinutes + truncationGuard);
  const double seconds = std::trunc((fractionMinutes - minutes) * 60.0 + truncationGuard);
  return {static_cast<int>(whole), static_cast<int>(minutes), static_cast<int>(seconds)};
}

std::string degreeMinuteSecondText(double degrees, bool signOfZeroDegrees, bool isDirection = false) {
  Sexagesimal parts = splitTruncated(degrees);
  // A right ascension is a direction: one a hair below a full turn is lifted
  // onto the turn by the truncation guard, and a full turn is 0.
  if (isDirection) parts.whole %= static_cast<int>(fullTurnDegrees);
  char text[64];
  // Minus half a degree has 0 whole degrees; the sign would be lost without
  // writing it separately.
  const char* sign = (signOfZeroDegrees && parts.whole == 0 && degrees < 0.0) ? "-" : "";
  std::snprintf(text, sizeof text, "%s%d%c%02d'%02d\"", sign, parts.whole, degreeSign,
                parts.minutes, parts.seconds);
  return text;
}

std::string decimalText(double degrees) {
  char text[64];
  std::snprintf(text, sizeof text, "%.5f%c", degrees, degreeSign);
  return text;
}

bool isLetter(char c, char upper) { return c == upper || c == upper - 'A' + 'a'; }

// Below the limit minutes and seconds may each be 0..59; exactly at the
// limit both must be 0 (90 degrees, but not 90 degrees 1 minute).
bool withinLimit(double wholeInDegrees, int minutes, int seconds, int limit) {
  const double size = std::fabs(wholeInDegrees);
  if (size < limit) return minutes >= 0 && minutes < 60 && seconds >= 0 && seconds < 60;
  return size == limit && minutes == 0 && seconds == 0;
}

// The fields of the sexagesimal forms: a whole number and its mark, then
// optionally minutes and seconds with theirs; fields not read are 0.
//
// Nothing may follow the last accepted character. A character read by the
// final %c shows up as one item too many, but after the hours or the minutes
// mark the next directive is %d, which stops at a letter or a blank without
// counting it; the %n positions catch that text ("12h30mx", "12h ").
struct SexagesimalFields {
  int items = 0;
  int whole = 0;
  int minutes = 0;
  int seconds = 0;
  char marks[3] = {};
  bool endsAfterFirstMark = false;   // items == 2 and nothing follows
  bool endsAfterSecondMark = false;  // items == 4 and nothing follows
  // "-0h30m": the sign sits on a zero that the integer cannot carry.
  bool negativeZero = false;

  // The value in units of the whole number; its sign holds for all three.
  double value() const {
    const double sign = whole < 0 ? -1.0 : 1.0;
    const double sum = whole + sign * minutes / 60.0 + sign * seconds / 3600.0;
    return negativeZero ? -sum : sum;
  }
};

SexagesimalFields scanSexagesimal(const char* text) {
  SexagesimalFields f;
  char extra = 0;
  int afterFirstMark = 0;
  int afterSecondMark = 0;
  f.items = std::sscanf(text, "%d%c%n%d%c%n%d%c%c", &f.whole, &f.marks[0], &afterFirstMark, &f.minutes,
                        &f.marks[1], &afterSecondMark, &f.seconds, &f.marks[2], &extra);
  if (f.items < 6) f.seconds = 0;
  if (f.items < 4) f.minutes = 0;
  f.endsAfterFirstMark = f.items == 2 && text[afterFirstMark] == '\0';
  f.endsAfterSecondMark = f.items == 4 && text[afterSecondMark] == '\0';
  f.negativeZero = f.whole == 0 && std::strchr(text, '-') != nullptr;
  return f;
}

// "12h30m15s", "12h30m", "12h" (either case).
bool parseHours(const char* text, int limit, double& degrees) {
  const SexagesimalFields f = scanSexagesimal(text);
  const bool shape = (f.items == 6 && isLetter(f.marks[0], 'H') && isLetter(f.marks[1], 'M') &&
                      isLetter(f.marks[2], 'S')) ||
                     (f.endsAfterSecondMark && isLetter(f.marks[0], 'H') && isLetter(f.marks[1], 'M')) ||
                     (f.endsAfterFirstMark && isLetter(f.marks[0], 'H'));
  if (!shape) return false;
  if (!withinLimit(degreesPerHour * f.whole, f.minutes, f.seconds, limit)) return false;
  degrees = degreesPerHour * f.value();
  return true;
}

// Degrees with the degree sign, then optionally minutes with "'" and
// seconds with '"'; or a bare integer.
bool parseDegrees(const char* text, int limit, double& degrees) {
  const SexagesimalFields f = scanSexagesimal(text);
  const bool shape = f.items == 1 || (f.endsAfterFirstMark && f.marks[0] == degreeSign) ||
                     (f.endsAfterSecondMark && f.marks[0] == degreeSign && f.marks[1] == '\'') ||
                     (f.items == 6 && f.marks[0] == degreeSign && f.marks[1] == '\'' && f.marks[2] == '"');
  if (!shape) return false;
  if (!withinLimit(f.whole, f.minutes, f.seconds, limit)) return false;
  degrees = f.value();
  return true;
}

// "12.5", optionally followed by the degree sign. Read in double precision
// so that every digit a user types (or a decimal display writes) survives.
bool parseDecimal(const char* text, int limit, double& degrees) {
  double v = 0.0;
  char c1 = 0;
  char c2 = 0;
  const int items = std::sscanf(text, "%lf%c%c", &v, &c1, &c2);
  const bool shape = items == 1 || (items == 2 && c1 == degreeSign);
  if (!shape || !(std::fabs(v) <= limit)) return false;
  degrees = v;
  return true;
}

}  // namespace

const char* coordSystemShortName(CoordSystem system) { return namesOf(system).shortName; }
const char* coordSystemLongName(CoordSystem system) { return namesOf(system).longName; }
const char* coordSystemFirstAngleName(CoordSystem system) { return namesOf(system).firstAngle; }
const char* coordSystemSecondAngleName(CoordSystem system) { return namesOf(system).secondAngle; }

CoordSystem coordSystemByLongName(const std::string& name) {
  for (std::int32_t i = 0; i <= static_cast<std::int32_t>(CoordSystem::Galactic); ++i) {
    if (name == systemNames[i].longName) return static_cast<CoordSystem>(i);
  }
  return CoordSystem::None;
}

AngleDisplayModes angleDisplayModes() { return globalDisplayModes(); }

void setAngleDisplayModes(AngleDisplayModes modes) { globalDisplayModes() = modes; }

std::string AstCoord::formatFirst(bool isRightAscension) const {
  return formatAngle(a_, isRightAscension);
}

std::string AstCoord::formatSecond(bool isRightAscension) const {
  return formatAngle(b_, isRightAscension);
}

void convertCoord(AstCoord& coord, CoordSystem target, const Observer& observer) {
  const CoordSystem source = coord.system();
  if (source == target) return;
  if (!isKnownSystem(source) || !isKnownSystem(target)) {
    coord.invalidate();
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  // Nothing to compute from an invalid position, and none to compute without
  // a moment when the horizon is involved; the result stays marked invalid.
  const bool needsSiderealTime = source == CoordSystem::Horizontal || target == CoordSystem::Horizontal;
  double siderealHours = 0.0;
  if (needsSiderealTime) {
    const AstDateTime sidereal = observer.momentIn(TimeKind::Lst);
    siderealHours = sidereal.getHours();
    if (!sidereal.isValid()) coord.invalidate();
  }
  if (!coord.isValid()) {
    coord.invalidate();
    coord.setSystem(target);
    return;
  }

  const double latitude = observer.latitude();
  Equatorial eq{coord.a(), coord.b()};
  switch (source) {
    case CoordSystem::Equatorial:
      break;
    case CoordSystem::Ecliptical:
      eq = eclipticalToEquatorial(coord.a(), coord.b());
      break;
    case CoordSystem::Horizontal:
      eq = horizontalToEquatorial(coord.a(), coord.b(), latitude, siderealHours);
      break;
    case CoordSystem::Galactic:
      eq = galacticToEquatorial(coord.a(), coord.b());
      break;
    case CoordSystem::None:
      break;  // excluded above
  }

  double first = eq.rightAscension;
  double second = eq.declination;
  switch (target) {
    case CoordSystem::Equatorial:
      break;
    case CoordSystem::Ecliptical:
      equatorialToEcliptical(eq, first, second);
      break;
    case CoordSystem::Horizontal:
      equatorialToHorizontal(eq, horizonFrame(latitude, siderealHours), first, second);
      break;
    case CoordSystem::Galactic:
      equatorialToGalactic(eq, first, second);
      break;
    case CoordSystem::None:
      break;  // excluded above
  }
  coord.setA(first);
  coord.setB(second);
  coord.setSystem(target);
}

void convertEquatorialToHorizontal(const AstCoord* in, AstCoord* out, std::size_t count,
                                   const Observer& observer) {
  if (count == 0) return;
  const AstDateTime sidereal = observer.momentIn(TimeKind::Lst);
  const HorizonFrame frame = horizonFrame(observer.latitude(), sidereal.getHours());
  for (std::size_t i = 0; i < count; ++i) {
    AstCoord coord = in[i];
    if (coord.system() != CoordSystem::Equatorial) {
      convertCoord(coord, CoordSystem::Horizontal, observer);
    } else if (!sidereal.isValid() || !coord.isValid()) {
      coord.invalidate();
      coord.setSystem(CoordSystem::Horizontal);
    } else {
      double azimuth = 0.0;
      double altitude = 0.0;
      equatorialToHorizontal(Equatorial{coord.a(), coord.b()}, frame, azimuth, altitude);
      coord = AstCoord(azimuth, altitude, CoordSystem::Horizontal);
    }
    out[i] = coord;
  }
}

void normalizeAngle(double& degrees) {
  const double original = degrees;
  double turns = std::trunc(degrees / fullTurnDegrees);
  if (degrees < 0.0) turns -= 1.0;
  degrees -= fullTurnDegrees * turns;
  // An exact negative multiple of 360 (and a tiny negative value) lands on
  // 360 itself; one turn back puts it at 0.
  if (degrees >= fullTurnDegrees) degrees -= fullTurnDegrees;
  if (degrees >= 0.0 && degrees < fullTurnDegrees) return;
  // Far beyond a few million turns the quotient is rounded and the product
  // misses by more than a turn; the exact remainder settles it.
  degrees = std::fmod(original, fullTurnDegrees);
  if (degrees < 0.0) degrees += fullTurnDegrees;
  if (degrees >= fullTurnDegrees) degrees = 0.0;
}

double angularDistance(const AstCoord& first, const AstCoord& second) {
  const double a1 = first.a() * radiansPerDegree;
  const double b1 = first.b() * radiansPerDegree;
  const double a2 = second.a() * radiansPerDegree;
  const double b2 = second.b() * radiansPerDegree;
  // Two equal positions give a cosine a rounding step above 1.
  return std::acos(clampToUnit(std::cos(a1 - a2) * std::cos(b1) * std::cos(b2) +
                               std::sin(b1) * std::sin(b2)));
}

const char* compassDirection(double azimuth) {
  static constexpr const char* names[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
  if (!std::isfinite(azimuth)) return "";
  // An azimuth outside [0, 360) would index outside the table.
  normalizeAngle(azimuth);
  double s = azimuth + 22.5;
  if (s >= fullTurnDegrees) s -= fullTurnDegrees;
  const int sector = std::clamp(static_cast<int>(std::trunc(s / 45.0)), 0, 7);
  return names[sector];
}

constexpr double maximumFormattableDegrees = 1.0e7;

std::string formatAngle(double degrees, bool isRightAscension, AngleDisplayModes modes) {
  // A value no angle can have (a failed computation) would overflow the
  // integer components; it shows as asterisks like every other unknown.
  if (!std::isfinite(degrees) || std::fabs(degrees) > maximumFormattableDegrees) return "*****";
  if (isRightAscension) {
    switch (modes.rightAscension) {
      case RightAscensionDisplay::HourMinSec: {
        const double hours = (degrees < 0.0 ? degrees + fullTurnDegrees : degrees) / degreesPerHour;
        Sexagesimal parts = splitTruncated(hours);
        parts.whole %= hoursPerTurn;
        char text[64];
        std::snprintf(text, sizeof text, "%dh%02dm%02ds", parts.whole, parts.minutes, parts.seconds);
        return text;
      }
      case RightAscensionDisplay::DegMinSec:
        return degreeMinuteSecondText(degrees < 0.0 ? degrees + fullTurnDegrees : degrees, false, true);
      case RightAscensionDisplay::Decimal:
        return decimalText(degrees);
    }
  } else {
    switch (modes.other) {
      case AngleDisplay::DegMinSec:
        return degreeMinuteSecondText(degrees, true);
      case AngleDisplay::Decimal:
        return decimalText(degrees);
    }
  }
  // A display mode outside its enumeration.
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return "";
}

std::string formatAngle(double degrees, bool isRightAscension) {
  return formatAngle(degrees, isRightAscension, angleDisplayModes());
}

bool parseAngle(const std::string& text, int limit, double& degrees) {
  const char* chars = text.c_str();
  return parseHours(chars, limit, degrees) || parseDegrees(chars, limit, degrees) ||
         parseDecimal(chars, limit, degrees);
}

}  // namespace noctavo
