#include "bodies/Quantity.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "bodies/Zodiac.h"
#include "catalogues/ConstellationTable.h"
#include "time/AstDateTime.h"

namespace noctavo {
namespace {

// What a value shows as when it cannot be shown: an unknown magnitude, a
// failed position, an index beyond its table or a value that is no number at
// all. Time values use the time text's own asterisks instead.
constexpr const char* unknownText = "Unknown";

// Marks a magnitude nobody knows; it is never plotted.
constexpr double unknownMagnitude = 9999.0;

// The Moon's distance is given in kilometres; nothing beyond this plots.
constexpr double largestDistanceKilometres = 410000.0;
// Pluto's distance from the Earth passes 50 AU near aphelion (about 50.5
// AU after 2100); a distance up to this is real and shown. The graph's value
// range of 0..50 AU is the quantity's own and is not this limit.
constexpr double largestDistanceAu = 100.0;
constexpr double largestPhasePercent = 100.0;

// The invalid marker of an event time's hours.
constexpr double invalidHours = -1.0;

std::string printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// No test of the table accepts NaN or an infinity: such a value can be
// neither plotted nor shown.
bool isNumber(double value) { return std::isfinite(value); }

// The angle quantities accept what a coordinate accepts: anything but the
// invalid-angle marker.
bool isAngle(double value) { return isNumber(value) && value != invalidAngle; }

bool isZodiacIndex(double value) { return value >= 0.0 && value < zodiacSignCount; }

}  // namespace

Quantity::Quantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelControlId,
                   int valueControlId)
    : minValue_(minValue),
      maxValue_(maxValue),
      flagBit_(flagBit),
      labelControlId_(labelControlId),
      valueControlId_(valueControlId) {
  std::strncpy(name_, name ? name : "", sizeof name_ - 1);
  name_[sizeof name_ - 1] = '\0';
}

// --- Magnitude ---------------------------------------------------------

MagnitudeQuantity::MagnitudeQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit,
                                     int labelId, int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::Plain;
}

bool MagnitudeQuantity::isValid(double value) const {
  return isNumber(value) && value != unknownMagnitude;
}

std::string MagnitudeQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  return printed("%+.2f", value);
}

// --- Zodiacal constellation ----------------------------------------------

ZodiacConstellationQuantity::ZodiacConstellationQuantity(const char* name, int minValue, int maxValue,
                                                         std::uint32_t flagBit, int labelId, int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::Plain;
}

// Every value that truncates to a sign index is valid: 11.9 still names
// Pisces, while 12.0 would index past the table.
bool ZodiacConstellationQuantity::isValid(double value) const { return isZodiacIndex(value); }

std::string ZodiacConstellationQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  return zodiacSignName(static_cast<int>(value));
}

// --- Constellation (of an NGC object) ------------------------------------

ConstellationQuantity::ConstellationQuantity(const char* name, int minValue, int maxValue,
                                             std::uint32_t flagBit, int labelId, int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::Plain;
}

bool ConstellationQuantity::isValid(double value) const {
  return value >= 0.0 && value < constellationCount;
}

std::string ConstellationQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  return constellationName(static_cast<int>(value));
}

// --- Direction -----------------------------------------------------------

DirectionQuantity::DirectionQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit,
                                     int labelId, int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::Plain;
}

bool DirectionQuantity::isValid(double value) const { return isAngle(value); }

std::string DirectionQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  // The compass sectors are laid out on 0..360; an azimuth outside (which a
  // valid coordinate may hold) names the same point once brought into range.
  double azimuth = value;
  normalizeAngle(azimuth);
  return compassDirection(azimuth);
}

// --- Distance ------------------------------------------------------------

DistanceQuantity::DistanceQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit,
                                   int labelId, int valueId, bool inAstronomicalUnits)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId), inAstronomicalUnits_(inAstronomicalUnits) {
  kind_ = QuantityKind::Plain;
}

bool DistanceQuantity::isValid(double value) const {
  const double largest = inAstronomicalUnits_ ? largestDistanceAu : largestDistanceKilometres;
  return value >= 0.0 && value <= largest;
}

std::string DistanceQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  if (inAstronomicalUnits_) return printed("%.3f AU", value);
  // Whole kilometres, truncated: 405000.6 km shows as 405000 km.
  char text[32];
  std::snprintf(text, sizeof text, "%ld km", static_cast<long>(value));
  return text;
}

// --- Elongation ----------------------------------------------------------

ElongationQuantity::ElongationQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit,
                                       int labelId, int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::Plain;
}

bool ElongationQuantity::isValid(double value) const { return isAngle(value); }

std::string ElongationQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  return formatAngle(value, false);
}

// --- Longitude-like angles -----------------------------------------------

LongitudeQuantity::LongitudeQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit,
                                     int labelId, int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::Angle;
}

bool LongitudeQuantity::isValid(double value) const { return isAngle(value); }

std::string LongitudeQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  return formatAngle(value, system_ == CoordSystem::Equatorial);
}

// --- Latitude-like angles ------------------------------------------------

LatitudeQuantity::LatitudeQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit,
                                   int labelId, int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::Angle;
}

// A failed position holds the marker in both angles, so the second angle
// alone must reject it too.
bool LatitudeQuantity::isValid(double value) const { return isAngle(value); }

std::string LatitudeQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  return formatAngle(value, false);
}

// --- Phase ---------------------------------------------------------------

PhaseQuantity::PhaseQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                             int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::Plain;
}

bool PhaseQuantity::isValid(double value) const { return value >= 0.0 && value <= largestPhasePercent; }

std::string PhaseQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  return printed("%.0f%%", value);
}

// --- Sign of the zodiac --------------------------------------------------

ZodiacSignQuantity::ZodiacSignQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit,
                                       int labelId, int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::Plain;
}

bool ZodiacSignQuantity::isValid(double value) const { return isZodiacIndex(value); }

std::string ZodiacSignQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  return zodiacSignName(static_cast<int>(value));
}

// --- Angular size --------------------------------------------------------

AngularSizeQuantity::AngularSizeQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit,
                                         int labelId, int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::Plain;
}

bool AngularSizeQuantity::isValid(double value) const { return isAngle(value); }

std::string AngularSizeQuantity::format(double value) const {
  if (!isValid(value)) return unknownText;
  return formatAngle(value, false);
}

// --- Time of day ---------------------------------------------------------

TimeOfDayQuantity::TimeOfDayQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit,
                                     int labelId, int valueId)
    : Quantity(name, minValue, maxValue, flagBit, labelId, valueId) {
  kind_ = QuantityKind::TimeOfDay;
}

bool TimeOfDayQuantity::isValid(double value) const { return isNumber(value) && value != invalidHours; }

std::string TimeOfDayQuantity::format(double value) const {
  // The time text of an event that does not happen is the record's own
  // invalid text.
  AstDateTime moment(TimeKind::Lct);
  if (isValid(value)) {
    moment.setHours(value);
  } else {
    moment.invalidate();
  }
  return moment.formatTime();
}

}  // namespace noctavo
