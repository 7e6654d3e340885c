#include "time/TimeSystems.h"

#include <cmath>
#include <cstdio>

#include "time/AstCoord.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_TME";

constexpr const char* timeKindLongNames[4] = {"Greenwich mean time", "Greenwich siderial time",
                                              "Local civil time", "Local siderial time"};
constexpr const char* timeKindShortNames[4] = {"GMT", "GST", "LCT", "LST"};

constexpr double hoursPerDay = 24.0;

// Low-precision sidereal time, counted in days from 0 January of the year;
// universal time and Greenwich mean time are the same here (no delta T).
constexpr double julianDayOf1900January0Noon = 2415020.0;
constexpr double julianCenturiesPerDay = 2.7378507871321012e-5;  // 1 / 36525
constexpr double siderealGainHoursPerDay = 0.065709;
constexpr double siderealHoursPerSolarHour = 1.002738;
constexpr double solarHoursPerSiderealHour = 0.99727;
// Longitude, degrees west, to hours. The step from Greenwich multiplies,
// the step back divides; both forms are kept as the program has always
// computed them.
constexpr double hoursPerDegreeOfLongitude = 0.06666666666666667;
constexpr double degreesOfLongitudePerHour = 15.0;

constexpr float lowestTimeZoneExclusive = -12.0f;
constexpr float highestTimeZone = 12.0f;

constexpr double latitudeLimit = 90.0;
constexpr double longitudeLimit = 180.0;

// The rungs of the ladder Lct - Gmt - Gst - Lst; 0 for a kind that is not on it.
int ladderLevel(TimeKind kind) {
  switch (kind) {
    case TimeKind::Lct:
      return 1;
    case TimeKind::Gmt:
      return 2;
    case TimeKind::Gst:
      return 3;
    case TimeKind::Lst:
      return 4;
    case TimeKind::None:
      break;
  }
  return 0;
}

// Index into the name tables; -1 (and an internal error) for a number that
// is no kind at all; None has no name.
int nameIndex(TimeKind kind) {
  const auto value = static_cast<int>(kind);
  if (value >= 0 && value <= 3) return value;
  if (kind != TimeKind::None) NOCTAVO_INTERNAL_ERROR(moduleName);
  return -1;
}

// B of the year: the sidereal time of 0 January, 0h, expressed so that
// d * 0.065709 - B is the sidereal time at 0h of day d. R is left
// unreduced; the year term takes its growth out again.
double yearConstant(int year) {
  const AstDateTime januaryZero(31, 12, year - 1, 0.0, TimeKind::Gmt);
  const double jd0 = januaryZero.toJulianDay().value();
  const double t = (jd0 - julianDayOf1900January0Noon) * julianCenturiesPerDay;
  const double r = 6.6460656 + 2400.051262 * t + 0.00002581 * (t * t);
  return 24.0 - (r - 24.0 * (year - 1900));
}

// One wrap into [0, 24) for the sidereal steps, which never move the date.
// 24.0 itself is the 0h of the same sidereal day; a value a hair below 0
// becomes exactly 24.0 when 24 is added, and is 0h too.
double wrapSiderealHours(double hours) {
  if (hours >= hoursPerDay) hours -= hoursPerDay;
  if (hours < 0.0) hours += hoursPerDay;
  if (hours >= hoursPerDay) hours -= hoursPerDay;
  return hours;
}

// Stores a civil time that a zone shift has pushed past either end of the
// day, moving the date as many days as it crossed. West of Greenwich local
// midnight falls on the next Greenwich day, east of it on the previous one,
// so both directions occur in both civil steps.
void storeCivilHours(AstDateTime& moment, double hours) {
  double dayStep = std::floor(hours / hoursPerDay);
  hours -= hoursPerDay * dayStep;
  // Rounding can leave the result just outside [0, 24): a value a hair
  // below midnight becomes exactly 24.0 when a day is added to it.
  if (hours < 0.0) {
    hours += hoursPerDay;
    dayStep -= 1.0;
  }
  if (hours >= hoursPerDay) {
    hours -= hoursPerDay;
    dayStep += 1.0;
  }
  moment.setHours(hours);
  if (dayStep != 0.0) moment.addDays(static_cast<int>(dayStep));
}

}  // namespace

const char* timeKindLongName(TimeKind kind) {
  const int index = nameIndex(kind);
  return index < 0 ? "" : timeKindLongNames[index];
}

const char* timeKindShortName(TimeKind kind) {
  const int index = nameIndex(kind);
  return index < 0 ? "" : timeKindShortNames[index];
}

void convertTime(AstDateTime& moment, TimeKind target, double longitude, float timeZone,
                 bool daylightSaving) {
  if (!moment.isValid()) return;
  int level = ladderLevel(moment.getKind());
  const int targetLevel = ladderLevel(target);
  if (level == 0 || targetLevel == 0) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  for (; level < targetLevel; ++level) {
    switch (level) {
      case 1:
        lctToGmt(moment, timeZone, daylightSaving);
        break;
      case 2:
        gmtToGst(moment);
        break;
      case 3:
        gstToLst(moment, longitude);
        break;
    }
  }
  for (; level > targetLevel; --level) {
    switch (level) {
      case 4:
        lstToGst(moment, longitude);
        break;
      case 3:
        gstToGmt(moment);
        break;
      case 2:
        gmtToLct(moment, timeZone, daylightSaving);
        break;
    }
  }
  moment.setKind(target);
}

void lctToGmt(AstDateTime& moment, float timeZone, bool daylightSaving) {
  if (!moment.isValid()) return;
  double hours = moment.getHours() - timeZone;
  if (daylightSaving) hours -= 1.0;
  moment.setKind(TimeKind::Gmt);
  storeCivilHours(moment, hours);
}

void gmtToLct(AstDateTime& moment, float timeZone, bool daylightSaving) {
  if (!moment.isValid()) return;
  double hours = moment.getHours() + timeZone;
  if (daylightSaving) hours += 1.0;
  moment.setKind(TimeKind::Lct);
  storeCivilHours(moment, hours);
}

void gmtToGst(AstDateTime& moment) {
  if (!moment.isValid()) return;
  const double d = moment.dayOfYear();
  const double gst =
      d * siderealGainHoursPerDay - yearConstant(moment.getYear()) + moment.getHours() * siderealHoursPerSolarHour;
  moment.setHours(wrapSiderealHours(gst));
  moment.setKind(TimeKind::Gst);
}

void gstToGmt(AstDateTime& moment) {
  if (!moment.isValid()) return;
  const double d = moment.dayOfYear();
  double t0 = d * siderealGainHoursPerDay - yearConstant(moment.getYear());
  if (t0 < 0.0) t0 += hoursPerDay;
  double t = moment.getHours() - t0;
  if (t < 0.0) t += hoursPerDay;
  moment.setHours(t * solarHoursPerSiderealHour);
  moment.setKind(TimeKind::Gmt);
}

void gstToLst(AstDateTime& moment, double longitude) {
  if (!moment.isValid()) return;
  moment.setHours(wrapSiderealHours(moment.getHours() - longitude * hoursPerDegreeOfLongitude));
  moment.setKind(TimeKind::Lst);
}

void lstToGst(AstDateTime& moment, double longitude) {
  if (!moment.isValid()) return;
  moment.setHours(wrapSiderealHours(moment.getHours() + longitude / degreesOfLongitudePerHour));
  moment.setKind(TimeKind::Gst);
}

std::string formatTimeZone(float timeZone, bool withUnit) {
  char text[64];
  std::snprintf(text, sizeof text, withUnit ? "%+.1f hours" : "%+.1f", static_cast<double>(timeZone));
  return text;
}

bool parseTimeZone(const std::string& text, float& timeZone) {
  float value = 0.0f;
  char trailing = 0;
  // One character after the number is tolerated: the start of the unit of
  // "+5.5 hours" as the formatter writes it.
  const int items = std::sscanf(text.c_str(), "%f%c", &value, &trailing);
  if (items != 1 && items != 2) return false;
  if (!(value > lowestTimeZoneExclusive && value <= highestTimeZone)) return false;
  timeZone = value;
  return true;
}

std::string formatDaylightSaving(bool daylightSaving) { return onOffText(daylightSaving); }

// ---------------------------------------------------------------- AstLatitude

void AstLatitude::set(double degrees) {
  if (degrees >= -latitudeLimit && degrees <= latitudeLimit) degrees_ = degrees;
}

bool AstLatitude::parse(const std::string& text) {
  double degrees = degrees_;
  if (!parseAngle(text, static_cast<int>(latitudeLimit), degrees)) return false;
  if (!(degrees >= -latitudeLimit && degrees <= latitudeLimit)) return false;
  degrees_ = degrees;
  return true;
}

std::string AstLatitude::format() const { return formatAngle(degrees_, false); }

// ---------------------------------------------------------------- AstLongitude

namespace {

// Half-open: 180 degrees west is the same meridian as -180 (180 east).
bool isLongitudeInRange(double degrees) { return degrees >= -longitudeLimit && degrees < longitudeLimit; }

}  // namespace

void AstLongitude::set(double degrees) {
  if (!isLongitudeInRange(degrees)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  degrees_ = degrees;
}

bool AstLongitude::parse(const std::string& text) {
  double degrees = degrees_;
  if (!parseAngle(text, static_cast<int>(longitudeLimit), degrees)) return false;
  // The angle parser lets the limit itself through; a typed "180" is a
  // mistyped field for the user to correct, not a broken invariant.
  if (!isLongitudeInRange(degrees)) return false;
  degrees_ = degrees;
  return true;
}

std::string AstLongitude::format() const { return formatAngle(degrees_, false); }

}  // namespace noctavo
