#include "bodies/AstSun.h"

#include <cmath>

#include "bodies/PreciseBodies.h"
#include "bodies/QuantityBits.h"
#include "time/AngleConstants.h"
#include "time/TimeSystems.h"

namespace noctavo {
namespace {

namespace bit = quantity_bit;

// Symbol of the Sun in the program's symbol font.
constexpr unsigned char sunSymbol = 177;

// 108 degrees (the Sun 18 degrees below the horizon, seen from the zenith)
// as the program has always stored it.
constexpr double astronomicalTwilightZenithRadians = 1.8849556199999997;

// The Sun's longitude one day later, for the interpolation of rise and set.
constexpr double longitudeStepPerDay = 0.985647;
// The interpolation counts the day as this many sidereal hours.
constexpr double interpolationDayHours = 24.07;
// Sidereal hours of the twilight are turned into civil hours with this.
constexpr double siderealToCivilHours = 0.9973;

constexpr int keplerMaximumRounds = 1000;
constexpr double keplerTolerance = 1e-6;

// Local sidereal time of the event of the day from the event's sidereal
// time for the Sun of now (first) and of one day later (second), both in
// hours. A pair that straddles 0h is brought together first.
double interpolateEventHours(double first, double second) {
  if (first > 23.0 && second < 1.0) second += 24.0;
  double hours = interpolationDayHours * first / (interpolationDayHours + first - second);
  // The Sun of late in the sidereal day can carry the event past 24h; the
  // same sidereal time is then the one after 0h of this date.
  if (hours >= 24.0) hours -= 24.0;
  return hours;
}

}  // namespace

AstSun::AstSun()
    : AstBody("Sun", 0, ObjectType::Sun, sunSymbol),
      angularSize_("Angular size", 0, 1, bit::angularSize, 182, 160),
      constellation_("Constellation", 0, 11, bit::zodiacConstellation, 185, 163),
      zodiacSign_("Sign of zodiac", 0, 11, bit::zodiacSign, 191, 169),
      direction_("Direction", 0, 360, bit::direction, 202, 203),
      distanceFromEarth_("Distance from Earth", 0, 2, bit::distanceFromEarth, 186, 164, true),
      rise_("Rise", 0, 24, bit::rise, 180, 158),
      set_("Set", 0, 24, bit::set, 181, 159),
      twilightBegin_("Twilight - begin", 0, 24, bit::twilightBegin, 189, 167),
      twilightEnd_("Twilight - end", 0, 24, bit::twilightEnd, 190, 168),
      longitude_("Longitude", 0, 360, bit::longitude, 124, 111),
      latitude_("Latitude", -90, 90, bit::latitude, 125, 112),
      midnight_("Midnight", 0, 360, bit::midnight, -1, -1),
      list_{&angularSize_, &constellation_, &zodiacSign_, &direction_, &distanceFromEarth_, &rise_,
            &set_,         &twilightBegin_, &twilightEnd_, &longitude_, &latitude_, &midnight_} {}

double AstSun::daysSinceEpoch(const Observer& observer) {
  static const AstDateTime epoch(31, 12, 1979, 0.0, TimeKind::Gmt);
  double days = 0.0;
  const AstDateTime universal = observer.momentIn(TimeKind::Gmt);
  if (universal.isValid() && julianDaysBetween(epoch, universal, days)) return days;
  // On 1 January of year 1 east of Greenwich (and on 31 December 9999 west
  // of it) the universal date lies outside the calendar and the civil step
  // fails, yet the moment is well defined: count it from the civil date
  // with the hours shifted by the zone, which the Julian Day takes as is.
  AstDateTime shifted = observer.dateTime;
  if (!shifted.isValid()) return 0.0;
  double hours = shifted.getHours();
  if (shifted.getKind() == TimeKind::Lct) {
    hours -= observer.timeZone();
    if (observer.daylightSaving) hours -= 1.0;
  }
  shifted.setHours(hours);
  shifted.setKind(TimeKind::Gmt);
  if (!julianDaysBetween(epoch, shifted, days)) return 0.0;
  return days;
}

double AstSun::solveKepler(double meanAnomalyRadians) const {
  double eccentricAnomaly = meanAnomalyRadians;
  for (int round = 0; round < keplerMaximumRounds; ++round) {
    const double residual =
        eccentricAnomaly - eccentricity_ * std::sin(eccentricAnomaly) - meanAnomalyRadians;
    eccentricAnomaly -= residual / (1.0 - eccentricity_ * std::cos(eccentricAnomaly));
    // The residual is the one measured before this update; the update is
    // kept all the same.
    if (std::fabs(residual) <= keplerTolerance) break;
  }
  return eccentricAnomaly;
}

AstSun::Place AstSun::placeAt(double daysSinceEpoch) const {
  Place place{};
  const double meanLongitude = reducedIntoTurn(dailyMotion * daysSinceEpoch);
  place.meanAnomaly = meanLongitude + eclipticLongitudeAtEpoch_ - longitudeOfPerigee_;
  if (place.meanAnomaly < 0.0) place.meanAnomaly += 360.0;

  const double eccentricAnomaly = solveKepler(place.meanAnomaly * radiansPerDegree);
  place.trueAnomaly = 2.0 *
                      std::atan(std::sqrt((1.0 + eccentricity_) / (1.0 - eccentricity_)) *
                                std::tan(eccentricAnomaly / 2.0)) *
                      degreesPerRadian;

  place.eclipticLongitude = place.trueAnomaly + longitudeOfPerigee_;
  if (place.eclipticLongitude > 360.0) place.eclipticLongitude -= 360.0;
  return place;
}

bool AstSun::twilightDuration(double declination, double latitude, double& hours) const {
  const double phi = latitude * radiansPerDegree;
  const double delta = declination * radiansPerDegree;
  const double c1 = (std::cos(astronomicalTwilightZenithRadians) - std::sin(phi) * std::sin(delta)) /
                    (std::cos(phi) * std::cos(delta));
  const double c2 = -std::tan(phi) * std::tan(delta);
  // The comparisons are false for NaN as well: at the poles the division
  // above has no value and there is no twilight to report.
  if (std::fabs(c1) <= 1.0 && std::fabs(c2) <= 1.0) {
    const double duration = (std::acos(c1) - std::acos(c2)) * degreesPerRadian / 15.0;
    if (std::isfinite(duration)) {
      hours = duration;
      return true;
    }
  }
  hours = 0.0;
  return false;
}

void AstSun::compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
                     CoordSystem system) const {
  if (!checkRequest(flags, timeKind, system)) return;
  if (computePrecisely(*this, flags, observer, out, timeKind, system)) return;

  const double days = daysSinceEpoch(observer);
  const Place place = placeAt(days);
  const double lambda = place.eclipticLongitude;
  const double cosNu = std::cos(place.trueAnomaly * radiansPerDegree);
  const double e = eccentricity_;

  // The direction and a horizontal position are those of the observer's own
  // moment even when rise or set are asked in the same call: the Object
  // Information window asks for everything at once, and a direction taken at
  // 0h would show where the Sun stood at midnight. The rise and set depend on
  // the date only.
  const Observer& local = observer;

  const AstCoord ecliptical(lambda, 0.0, CoordSystem::Ecliptical);

  if (flags & bit::midnight) {
    AstCoord equatorial = ecliptical;
    convertCoord(equatorial, CoordSystem::Equatorial, local);
    out.midnight = reducedIntoTurn(equatorial.a() + 180.0);
  }
  if (flags & bit::distanceFromEarth) out.distanceFromEarth = (1.0 - e * e) / (1.0 + e * cosNu);
  if (flags & bit::angularSize) {
    out.angularSize = static_cast<float>(angularDiameter_ * (1.0 + e * cosNu) / (1.0 - e * e));
  }

  if (flags & bit::events) {
    AstCoord now = ecliptical;
    convertCoord(now, CoordSystem::Equatorial, local);
    AstCoord tomorrow(lambda + longitudeStepPerDay, 0.0, CoordSystem::Ecliptical);
    convertCoord(tomorrow, CoordSystem::Equatorial, local);

    AstDateTime rise(TimeKind::Lst);
    AstDateTime set(TimeKind::Lst);
    AstDateTime riseTomorrow(TimeKind::Lst);
    AstDateTime setTomorrow(TimeKind::Lst);
    const bool rises = riseAndSetOfFixedPosition(now, local, rise, set);
    const bool risesTomorrow = riseAndSetOfFixedPosition(tomorrow, local, riseTomorrow, setTomorrow);
    const AstDateTime& date = observer.dateTime;
    if (rises && risesTomorrow) {
      rise = AstDateTime(date.getDay(), date.getMonth(), date.getYear(),
                         interpolateEventHours(rise.getHours(), riseTomorrow.getHours()), TimeKind::Lst);
      set = AstDateTime(date.getDay(), date.getMonth(), date.getYear(),
                        interpolateEventHours(set.getHours(), setTomorrow.getHours()), TimeKind::Lst);
    } else {
      rise.invalidate();
      set.invalidate();
    }
    if (flags & bit::rise) out.rise = rise;
    if (flags & bit::set) out.set = set;

    if (flags & (bit::twilightBegin | bit::twilightEnd)) {
      double duration = 0.0;
      const bool hasTwilight = twilightDuration(now.b(), local.latitude(), duration);
      // The twilight is counted from the sunrise or sunset in universal time.
      auto twilightFrom = [&](AstDateTime event, double signedHours) {
        if (!hasTwilight) {
          event.invalidate();
          return event;
        }
        convertTime(event, TimeKind::Gmt, local.longitude(), local.timeZone(), local.daylightSaving);
        event.addDecimalHours(signedHours);
        return event;
      };
      if (flags & bit::twilightBegin) out.twilightBegin = twilightFrom(rise, -siderealToCivilHours * duration);
      if (flags & bit::twilightEnd) out.twilightEnd = twilightFrom(set, siderealToCivilHours * duration);
    }
  }

  // The finishing step turns the ecliptical position into the requested
  // system and takes the direction and the zodiac keys from it; a position
  // that was not asked for stays as it was.
  const AstCoord previousPosition = out.position;
  out.position = ecliptical;
  finish(flags, local, out, timeKind, system);
  if (!(flags & bit::position)) out.position = previousPosition;
}

const AstSun& theSun() {
  static const AstSun sun;
  return sun;
}

}  // namespace noctavo
