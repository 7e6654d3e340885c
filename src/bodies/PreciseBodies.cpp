#include "bodies/PreciseBodies.h"

#include <cmath>

#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/PositionMethod.h"
#include "bodies/PreciseEphemeris.h"
#include "bodies/QuantityBits.h"
#include "time/AngleConstants.h"

namespace noctavo {
namespace {

namespace bit = quantity_bit;
using precise::Vector;

constexpr double radiansPerDegreeExact = 3.14159265358979323846 / 180.0;
constexpr double arcsecondsPerDegree = 3600.0;
constexpr double hoursPerDay = 24.0;
constexpr double degreesPerHour = 15.0;

double intoTurn(double degrees) {
  degrees = std::fmod(degrees, 360.0);
  return degrees < 0.0 ? degrees + 360.0 : degrees;
}

Vector scaled(const Vector& v, double factor) { return {v[0] * factor, v[1] * factor, v[2] * factor}; }

// Phase angle at the body (degrees) from its distances to the Sun (r) and
// the Earth (delta) and the Sun's distance from the Earth (R), all AU.
double phaseAngle(double r, double delta, double sunDistance) {
  const double c = (r * r + delta * delta - sunDistance * sunDistance) / (2.0 * r * delta);
  return std::acos(std::fmax(-1.0, std::fmin(1.0, c))) / radiansPerDegreeExact;
}

// Percent of the disc lit for a phase angle in degrees.
float litPercent(double phaseAngleDegrees) {
  return static_cast<float>(100.0 * (1.0 + std::cos(phaseAngleDegrees * radiansPerDegreeExact)) / 2.0);
}

precise::Body bodyOf(const AstBody& body) {
  switch (body.getObjectType()) {
    case ObjectType::Sun: return precise::Body::Sun;
    case ObjectType::Moon: return precise::Body::Moon;
    default: return precise::planetBody(body.getIndex());
  }
}

void convertEvent(AstDateTime& event, TimeKind timeKind, const Observer& observer) {
  convertTime(event, timeKind, observer.longitude(), observer.timeZone(), observer.daylightSaving);
}

}  // namespace

bool computePrecisely(const AstBody& body, std::uint32_t flags, const Observer& observer, BodyState& out,
                      TimeKind timeKind, CoordSystem system) {
  if (positionMethod() != PositionMethod::Precise) return false;
  const std::optional<precise::Moment> moment = precise::momentOf(observer);
  if (!moment) return false;
  const precise::Body which = bodyOf(body);
  const precise::Frame frame = precise::frameAt(moment->tt);
  const std::optional<precise::Sighting> seen = precise::sight(which, moment->tt, frame);
  if (!seen) return false;
  if (flags == 0) return true;

  const double latitude = observer.latitude();
  const double eastLongitude = -observer.longitude() * radiansPerDegreeExact;
  const double localSidereal = precise::localSiderealRadians(frame, moment->ut, eastLongitude);

  // The Moon is seen from the observer's place: its parallax reaches a
  // degree. The Sun's and the planets' (9" at most) is left out.
  Vector direction = seen->direction;
  if (which == precise::Body::Moon) {
    const Vector site = precise::observerVector(latitude, localSidereal);
    const Vector geocentric = scaled(direction, seen->distanceAu);
    const Vector topocentric{geocentric[0] - site[0], geocentric[1] - site[1], geocentric[2] - site[2]};
    const double r = std::sqrt(topocentric[0] * topocentric[0] + topocentric[1] * topocentric[1] +
                               topocentric[2] * topocentric[2]);
    direction = scaled(topocentric, 1.0 / r);
  }
  const auto in = [&](CoordSystem target) {
    return precise::coordIn(direction, target, frame, localSidereal, latitude);
  };

  if (flags & bit::position) out.position = in(system);
  if (flags & bit::direction) out.direction = in(CoordSystem::Horizontal).a();
  if (flags & (bit::zodiacConstellation | bit::zodiacSign)) {
    const double rightAscension = in(CoordSystem::Equatorial).a();
    if (flags & bit::zodiacConstellation) out.constellationKey = rightAscension;
    if (flags & bit::zodiacSign) out.zodiacKey = rightAscension;
  }

  // The Sun as seen at the same moment, for elongations and phases.
  std::optional<precise::Sighting> sun;
  if (which != precise::Body::Sun && (flags & (bit::elongation | bit::phase | bit::magnitude))) {
    sun = precise::sight(precise::Body::Sun, moment->tt, frame);
  }
  if (sun && (flags & bit::elongation)) out.elongation = precise::separationDegrees(seen->direction, sun->direction);

  switch (which) {
    case precise::Body::Sun:
      if (flags & bit::distanceFromEarth) out.distanceFromEarth = seen->distanceAu;
      if (flags & bit::angularSize) {
        out.angularSize = static_cast<float>(theSun().angularDiameterAtSemiMajorAxis() / seen->distanceAu);
      }
      if (flags & bit::midnight) out.midnight = intoTurn(in(CoordSystem::Equatorial).a() + 180.0);
      break;
    case precise::Body::Moon: {
      const AstMoon& moon = theMoon();
      const double distanceKm = seen->distanceAu * precise::kilometresPerAu;
      if (flags & bit::distanceFromEarth) out.distanceFromEarth = distanceKm;
      if (flags & bit::angularSize) {
        out.angularSize = static_cast<float>(moon.angularSizeAtSemiMajorAxis() * moon.semiMajorAxis() / distanceKm);
      }
      if (sun && (flags & bit::phase)) {
        const double elongation = precise::separationDegrees(seen->direction, sun->direction);
        // Phase angle at the Moon from the elongation (Meeus 48.3).
        const double e = elongation * radiansPerDegreeExact;
        const double i = std::atan2(sun->distanceAu * std::sin(e), seen->distanceAu - sun->distanceAu * std::cos(e));
        out.phase = litPercent(i / radiansPerDegreeExact);
      }
      if (flags & (bit::ascendingNode | bit::descendingNode)) {
        // Mean ascending node of the lunar orbit on the ecliptic of date
        // (Meeus 47.7).
        const double t = (moment->tt - 2451545.0) / 36525.0;
        const double node = intoTurn(125.0445479 - 1934.1362891 * t + 0.0020754 * t * t);
        if (flags & bit::ascendingNode) out.ascendingNode = node;
        if (flags & bit::descendingNode) out.descendingNode = intoTurn(node + 180.0);
      }
      break;
    }
    default: {
      const AstPlanet& planet = static_cast<const AstPlanet&>(body);
      const Vector& h = seen->heliocentric;
      const double r = std::sqrt(h[0] * h[0] + h[1] * h[1] + h[2] * h[2]);
      const double delta = seen->distanceAu;
      if (flags & bit::distanceFromSun) out.distanceFromSun = r;
      if (flags & bit::distanceFromEarth) out.distanceFromEarth = delta;
      if (flags & bit::angularSize) {
        out.angularSize = static_cast<float>(planet.angularSizeAtOneAu() / delta / arcsecondsPerDegree);
      }
      if (sun && (flags & (bit::phase | bit::magnitude))) {
        const double angle = phaseAngle(r, delta, sun->distanceAu);
        if (flags & bit::phase) out.phase = litPercent(angle);
        if (flags & bit::magnitude) out.magnitude = static_cast<float>(planet.visualMagnitude(r, delta, angle, 0.0));
      }
      if (flags & (bit::heliocentricLongitude | bit::heliocentricLatitude)) {
        const Vector ofDate = [&] {
          Vector v{};
          for (int i = 0; i < 3; ++i)
            v[i] = (frame.npb[i][0] * h[0] + frame.npb[i][1] * h[1] + frame.npb[i][2] * h[2]) / r;
          return v;
        }();
        out.heliocentric = precise::coordIn(ofDate, CoordSystem::Ecliptical, frame, localSidereal, latitude);
      }
      break;
    }
  }

  if (flags & bit::events) {
    const std::optional<double> dayStart = precise::civilDayStartUt(observer);
    precise::Crossings events;
    precise::Crossings twilight;
    if (dayStart) {
      const precise::DayTrack track(*dayStart, [&](double tt, Vector& v, double& distance) {
        const std::optional<precise::Sighting> s = precise::sight(which, tt, frame);
        if (!s) return false;
        v = s->direction;
        distance = s->distanceAu;
        return true;
      });
      const auto fixedAltitude = [](double altitude) { return [altitude](double) { return altitude; }; };
      std::function<double(double)> riseAltitude = fixedAltitude(precise::starRiseAltitude);
      if (which == precise::Body::Sun) riseAltitude = fixedAltitude(precise::sunRiseAltitude);
      if (which == precise::Body::Moon) {
        riseAltitude = [](double distanceAu) {
          return precise::moonRiseAltitude(distanceAu * precise::kilometresPerAu);
        };
      }
      if (flags & (bit::rise | bit::set)) events = track.crossings(frame, eastLongitude, latitude, riseAltitude);
      if (which == precise::Body::Sun && (flags & (bit::twilightBegin | bit::twilightEnd))) {
        twilight = track.crossings(frame, eastLongitude, latitude, fixedAltitude(precise::twilightAltitude));
      }
    }
    const auto deliver = [&](std::uint32_t flag, const std::optional<double>& ut, AstDateTime& field) {
      if (!(flags & flag)) return;
      field = precise::eventDateTime(ut);
      convertEvent(field, timeKind, observer);
    };
    deliver(bit::rise, events.rising, out.rise);
    deliver(bit::set, events.setting, out.set);
    if (which == precise::Body::Sun) {
      deliver(bit::twilightBegin, twilight.rising, out.twilightBegin);
      deliver(bit::twilightEnd, twilight.setting, out.twilightEnd);
    }
  }
  return true;
}

bool riseAndSetAtAltitude(const AstCoord& equatorial, const Observer& observer, double altitude, AstDateTime& rise,
                          AstDateTime& set) {
  rise.invalidate();
  set.invalidate();
  if (!observer.dateTime.isValid() || !equatorial.isValid() || !std::isfinite(equatorial.a())) return false;
  const double phi = observer.latitude() * radiansPerDegreeExact;
  const double delta = equatorial.b() * radiansPerDegreeExact;
  const double c = (std::sin(altitude * radiansPerDegreeExact) - std::sin(phi) * std::sin(delta)) /
                   (std::cos(phi) * std::cos(delta));
  if (!(std::fabs(c) < 1.0)) return false;
  const double semiDiurnalArcHours = std::acos(c) / radiansPerDegreeExact / degreesPerHour;
  const double rightAscensionHours = equatorial.a() / degreesPerHour;
  const auto sidereal = [&](double hours) {
    hours = std::fmod(hours, hoursPerDay);
    if (hours < 0.0) hours += hoursPerDay;
    if (hours >= hoursPerDay) hours = 0.0;
    const AstDateTime& date = observer.dateTime;
    return AstDateTime(date.getDay(), date.getMonth(), date.getYear(), hours, TimeKind::Lst);
  };
  rise = sidereal(rightAscensionHours - semiDiurnalArcHours);
  set = sidereal(rightAscensionHours + semiDiurnalArcHours);
  return true;
}

}  // namespace noctavo
