#include "bodies/AstBody.h"

#include <cmath>
#include <cstring>

#include "bodies/PositionMethod.h"
#include "bodies/PreciseBodies.h"
#include "bodies/PreciseEphemeris.h"
#include "bodies/QuantityBits.h"
#include "time/AngleConstants.h"
#include "time/InternalError.h"
#include "time/TimeSystems.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "astbody";

constexpr double hoursPerDay = 24.0;
constexpr double degreesPerHour = 15.0;

bool isKnownSystem(CoordSystem system) {
  const auto value = static_cast<std::int32_t>(system);
  return value >= static_cast<std::int32_t>(CoordSystem::Equatorial) &&
         value <= static_cast<std::int32_t>(CoordSystem::Galactic);
}

bool isKnownTimeKind(TimeKind kind) {
  const auto value = static_cast<std::int32_t>(kind);
  return value >= static_cast<std::int32_t>(TimeKind::Gmt) && value <= static_cast<std::int32_t>(TimeKind::Lst);
}

void copyName(char (&field)[21], const char* text) {
  std::strncpy(field, text ? text : "", sizeof field - 1);
  field[sizeof field - 1] = '\0';
}

// The first angle of a copy of the position in another system.
double firstAngleIn(const AstCoord& position, CoordSystem system, const Observer& observer) {
  AstCoord copy = position;
  convertCoord(copy, system, observer);
  return copy.a();
}

// The sidereal hours of an event brought into [0, 24) by a true modulo: a
// right ascension outside [0, 360) (a position nobody checked) would leave
// one subtraction far outside the day, and the conversions after it would
// then step the date by thousands of years.
AstDateTime siderealEvent(const AstDateTime& date, double hours) {
  hours = std::fmod(hours, hoursPerDay);
  if (hours < 0.0) hours += hoursPerDay;
  // A tiny negative remainder rounds up to exactly 24 when 24 is added.
  if (hours >= hoursPerDay) hours = 0.0;
  return AstDateTime(date.getDay(), date.getMonth(), date.getYear(), hours, TimeKind::Lst);
}

}  // namespace

AstBody::AstBody(const char* name, int index, ObjectType type, unsigned char symbol)
    : index_(index), objectType_(type), symbol_(symbol) {
  copyName(name_, name);
}

void AstBody::setName(const char* name) { copyName(name_, name); }

const Quantity* AstBody::findQuantity(const char* label) const {
  if (label != nullptr) {
    for (const Quantity* quantity : quantities()) {
      if (quantity == nullptr) break;
      if (std::strcmp(quantity->name(), label) == 0) return quantity;
    }
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return nullptr;
}

const Quantity* AstBody::findQuantity(std::uint32_t flag) const {
  for (const Quantity* quantity : quantities()) {
    if (quantity == nullptr) break;
    if (quantity->flag() == flag) return quantity;
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return nullptr;
}

const Quantity* AstBody::firstQuantity() const {
  cursor_ = 0;
  return nextQuantity();
}

const Quantity* AstBody::nextQuantity() const {
  const std::span<const Quantity* const> list = quantities();
  // A list may end early with a null entry, like the program's own lists.
  if (cursor_ >= list.size() || list[cursor_] == nullptr) return nullptr;
  return list[cursor_++];
}

bool AstBody::hasQuantity(std::uint32_t flag) const {
  for (const Quantity* quantity : quantities()) {
    if (quantity == nullptr) break;
    if (quantity->flag() == flag) return true;
  }
  return false;
}

bool AstBody::checkRequest(std::uint32_t flags, TimeKind timeKind, CoordSystem system) const {
  if ((flags & quantity_bit::position) != 0 && !isKnownSystem(system)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return false;
  }
  if ((flags & quantity_bit::events) != 0 && !isKnownTimeKind(timeKind)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return false;
  }
  return true;
}

void AstBody::finish(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
                     CoordSystem system) const {
  // Bodies check before they compute; checking again here keeps a bad
  // request from reaching the conversions even if one forgot.
  if (!checkRequest(flags, timeKind, system)) return;

  namespace bit = quantity_bit;
  if ((flags & bit::position) != 0) convertCoord(out.position, system, observer);
  // Direction and the zodiac keys come from copies, so the position stays in
  // the requested system.
  if ((flags & bit::direction) != 0) out.direction = firstAngleIn(out.position, CoordSystem::Horizontal, observer);
  if ((flags & bit::zodiacConstellation) != 0) {
    out.constellationKey = firstAngleIn(out.position, CoordSystem::Equatorial, observer);
  }
  if ((flags & bit::zodiacSign) != 0) out.zodiacKey = firstAngleIn(out.position, CoordSystem::Equatorial, observer);

  const double longitude = observer.longitude();
  const float timeZone = observer.timeZone();
  const bool daylightSaving = observer.daylightSaving;
  if ((flags & bit::rise) != 0) convertTime(out.rise, timeKind, longitude, timeZone, daylightSaving);
  if ((flags & bit::set) != 0) convertTime(out.set, timeKind, longitude, timeZone, daylightSaving);
  if ((flags & bit::twilightBegin) != 0) {
    convertTime(out.twilightBegin, timeKind, longitude, timeZone, daylightSaving);
  }
  if ((flags & bit::twilightEnd) != 0) convertTime(out.twilightEnd, timeKind, longitude, timeZone, daylightSaving);
}

void AstBody::computeFixedPosition(const AstCoord& equatorial, std::uint32_t flags, const Observer& observer,
                                   BodyState& out, TimeKind timeKind, CoordSystem system) const {
  namespace bit = quantity_bit;
  // The precise method moves the catalogue position (mean equinox J2025.0)
  // to the apparent one of the moment, and rises and sets it with the
  // standard refraction.
  const bool precisely = positionMethod() == PositionMethod::Precise;
  AstCoord ofDate = equatorial;
  if (precisely) precise::catalogueToDate(&equatorial, &ofDate, 1, observer);
  if ((flags & (bit::rise | bit::set)) != 0) {
    AstDateTime rise(TimeKind::Lst);
    AstDateTime set(TimeKind::Lst);
    if (precisely) {
      riseAndSetAtAltitude(ofDate, observer, precise::starRiseAltitude, rise, set);
    } else {
      riseAndSetOfFixedPosition(equatorial, observer, rise, set);
    }
    if ((flags & bit::rise) != 0) out.rise = rise;
    if ((flags & bit::set) != 0) out.set = set;
  }
  const AstCoord previousPosition = out.position;
  out.position = ofDate;
  finish(flags, observer, out, timeKind, system);
  if ((flags & bit::position) == 0) out.position = previousPosition;
}

bool sameBody(const AstBody* a, const AstBody* b) {
  if (a == nullptr || b == nullptr) return false;
  return std::strcmp(a->getName(), b->getName()) == 0;
}

bool riseAndSetOfFixedPosition(const AstCoord& equatorial, const Observer& observer, AstDateTime& rise,
                               AstDateTime& set) {
  rise.invalidate();
  set.invalidate();
  const double rightAscension = equatorial.a();
  if (!observer.dateTime.isValid() || !equatorial.isValid() || !std::isfinite(rightAscension)) return false;

  const double c =
      -std::tan(observer.latitude() * radiansPerDegree) * std::tan(equatorial.b() * radiansPerDegree);
  // |c| >= 1: circumpolar or never above the horizon. Written so that a NaN
  // (a declination that is no number) lands here too.
  if (!(std::fabs(c) < 1.0)) return false;

  const double semiDiurnalArcHours = std::acos(c) * degreesPerRadian / degreesPerHour;
  const double rightAscensionHours = rightAscension / degreesPerHour;
  const AstDateTime& date = observer.dateTime;
  rise = siderealEvent(date, hoursPerDay - semiDiurnalArcHours + rightAscensionHours);
  set = siderealEvent(date, semiDiurnalArcHours + rightAscensionHours);
  return true;
}

}  // namespace noctavo
