#include "bodies/AstMoon.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "bodies/AstSun.h"
#include "bodies/PreciseBodies.h"
#include "bodies/QuantityBits.h"
#include "time/AngleConstants.h"
#include "time/InternalError.h"
#include "time/TimeSystems.h"

namespace noctavo {
namespace {

namespace bit = quantity_bit;

constexpr const char* moduleName = "AST_MOON";

// Symbol of the Moon in the program's symbol font.
constexpr unsigned char moonSymbol = 178;

// Daily motions, degrees per day.
constexpr double meanLongitudeMotion = 13.1763966;
constexpr double perigeeMotion = 0.1114041;  // taken off the mean longitude
constexpr double nodeRegression = 0.0529539;

// Amplitudes of the periodic terms, degrees.
constexpr double evectionAmplitude = 1.2739;
constexpr double annualEquationAmplitude = 0.1858;
constexpr double thirdCorrectionAmplitude = 0.37;
constexpr double equationOfCentreAmplitude = 6.2886;
constexpr double fourthCorrectionAmplitude = 0.214;
constexpr double variationAmplitude = 0.6583;
constexpr double nodeCorrectionAmplitude = 0.16;

// The event search covers the civil day and a little beyond it, so that an
// event in its last seconds is still bracketed.
constexpr double searchEndHours = 24.04;
// The bisection stops below this width: 10 seconds, in hours.
constexpr double searchResolutionHours = 0.002777777777777778;
// The slope probe after the middle of an interval, then wider ones while the
// altitude there is flat: one minute, ten minutes, one hour.
constexpr double slopeProbeHours[] = {1.0 / 60.0, 10.0 / 60.0, 1.0};

// The bits the Moon answers; the finishing step sees no others (the Moon has
// no twilight whose time it could convert).
constexpr std::uint32_t moonBits = bit::position | bit::distanceFromEarth | bit::elongation | bit::phase |
                                   bit::angularSize | bit::zodiacConstellation | bit::rise | bit::set |
                                   bit::direction | bit::ascendingNode | bit::descendingNode | bit::zodiacSign;

// 1 for an altitude on or above the horizon, 0 below.
int above(double altitude) {
  return altitude >= 0.0 ? 1 : 0;
}

enum class Half { First, Second, None };

// Which half of an interval holds the crossing, from the code of the
// three samples: 1 + above(end) + 2 above(middle) + 4 above(start).
Half halfForCode(std::uint32_t flag, int code) {
  if (flag == bit::rise) {
    switch (code) {
      case 3:
      case 4:
        return Half::First;
      case 2:
      case 6:
        return Half::Second;
      default:
        return Half::None;  // 5, 7: up at the start and no way back up
    }
  }
  switch (code) {
    case 5:
    case 6:
      return Half::First;
    case 3:
    case 7:
      return Half::Second;
    default:
      return Half::None;  // 2, 4: down at the start and no way back down
  }
}

}  // namespace

std::optional<double> findHorizonCrossing(std::uint32_t flag, double startHours, double endHours,
                                          const std::function<double(double)>& altitudeAt) {
  if (flag != bit::rise && flag != bit::set) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return std::nullopt;
  }
  return findHorizonCrossing(flag, startHours, endHours, altitudeAt(startHours), altitudeAt(endHours),
                             altitudeAt);
}

std::optional<double> findHorizonCrossing(std::uint32_t flag, double startHours, double endHours,
                                          double startAltitude, double endAltitude,
                                          const std::function<double(double)>& altitudeAt) {
  if (flag != bit::rise && flag != bit::set) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return std::nullopt;
  }
  double start = startHours;
  double end = endHours;
  double h0 = startAltitude;
  double h1 = endAltitude;
  for (;;) {
    // An altitude without a value (a conversion that broke down) brackets
    // nothing: no event rather than a time made of NaN.
    if (!std::isfinite(h0) || !std::isfinite(h1)) return std::nullopt;
    if (end - start < searchResolutionHours) {
      if ((h0 >= 0.0 && 0.0 >= h1) || (h0 <= 0.0 && 0.0 <= h1)) return start;
      return std::nullopt;
    }

    const double mid = start + (end - start) / 2.0;
    const double hm = altitudeAt(mid);
    if (!std::isfinite(hm)) return std::nullopt;
    const int code = 1 + above(h1) + 2 * above(hm) + 4 * above(h0);

    Half half = Half::None;
    if (code == 1 || code == 8) {
      // All three samples on one side: follow the slope at the middle
      // towards the extreme of the curve, where a crossing can hide. Below
      // the horizon a falling curve had its highest point before the
      // middle; above it a falling curve has its lowest point after it.
      double hn = hm;
      for (double probe : slopeProbeHours) {
        hn = altitudeAt(mid + probe);
        if (!std::isfinite(hn)) return std::nullopt;
        if (hn != hm) break;
      }
      // Flat at every probe: the curve does not come near the horizon here.
      if (hn == hm) return std::nullopt;
      const bool falling = hn < hm;
      if (code == 1) {
        half = falling ? Half::First : Half::Second;
      } else {
        half = falling ? Half::Second : Half::First;
      }
    } else {
      half = halfForCode(flag, code);
    }

    switch (half) {
      case Half::First:
        end = mid;
        h1 = hm;
        break;
      case Half::Second:
        start = mid;
        h0 = hm;
        break;
      case Half::None:
        return std::nullopt;
    }
  }
}

AstMoon::AstMoon()
    : AstBody("Moon", 0, ObjectType::Moon, moonSymbol),
      angularSizeQuantity_("Angular size", 0, 1, bit::angularSize, 182, 160),
      constellation_("Constellation", 0, 11, bit::zodiacConstellation, 185, 163),
      zodiacSign_("Sign of zodiac", 0, 11, bit::zodiacSign, 191, 169),
      direction_("Direction", 0, 360, bit::direction, 202, 203),
      // The value axis spans twice the longest distance that plots.
      distanceFromEarth_("Distance from Earth", 0, 820000, bit::distanceFromEarth, 186, 164, false),
      phase_("Phase", 0, 100, bit::phase, 183, 161),
      rise_("Rise", 0, 24, bit::rise, 180, 158),
      set_("Set", 0, 24, bit::set, 181, 159),
      longitude_("Longitude", 0, 360, bit::longitude, 124, 111),
      latitude_("Latitude", -90, 90, bit::latitude, 125, 112),
      ascendingNode_("Ascending node", 0, 360, bit::ascendingNode, -1, -1),
      descendingNode_("Descending node", 0, 360, bit::descendingNode, -1, -1),
      list_{&angularSizeQuantity_, &constellation_, &zodiacSign_, &direction_,
            &distanceFromEarth_,   &phase_,         &rise_,       &set_,
            &longitude_,           &latitude_,      &ascendingNode_, &descendingNode_} {}

AstMoon::Place AstMoon::placeAt(double daysSinceEpoch) const {
  const double d = daysSinceEpoch;
  const AstSun& sun = theSun();
  Place place{};
  place.sunLongitude = sun.placeAt(d).eclipticLongitude;
  const double sunMeanAnomaly =
      reducedIntoTurn(AstSun::dailyMotion * d + sun.eclipticLongitudeAtEpoch() - sun.longitudeOfPerigee());

  place.meanLongitude = reducedIntoTurn(meanLongitudeMotion * d + meanLongitudeAtEpoch_);
  place.meanAnomaly = reducedIntoTurn(place.meanLongitude - perigeeMotion * d - meanLongitudeOfPerigee_);
  place.ascendingNode = reducedIntoTurn(meanLongitudeOfNode_ - nodeRegression * d);

  const double l = place.meanLongitude;
  const double sunTerm = sinDegrees(sunMeanAnomaly);
  const double evection = evectionAmplitude * sinDegrees(2.0 * (l - place.sunLongitude) - place.meanAnomaly);
  const double annualEquation = annualEquationAmplitude * sunTerm;
  const double thirdCorrection = thirdCorrectionAmplitude * sunTerm;

  place.correctedAnomaly = place.meanAnomaly + evection - annualEquation - thirdCorrection;
  place.equationOfCentre = equationOfCentreAmplitude * sinDegrees(place.correctedAnomaly);
  const double fourthCorrection = fourthCorrectionAmplitude * sinDegrees(2.0 * place.correctedAnomaly);

  const double correctedLongitude = l + evection + place.equationOfCentre - annualEquation + fourthCorrection;
  const double variation = variationAmplitude * sinDegrees(2.0 * (correctedLongitude - place.sunLongitude));
  place.trueLongitude = correctedLongitude + variation;

  const double node = place.ascendingNode - nodeCorrectionAmplitude * sunTerm;
  const double fromNode = place.trueLongitude - node;
  place.eclipticLongitude = reducedIntoTurn(
      std::atan2(sinDegrees(fromNode) * cosDegrees(inclination_), cosDegrees(fromNode)) * degreesPerRadian + node);
  place.eclipticLatitude = std::asin(sinDegrees(fromNode) * sinDegrees(inclination_)) * degreesPerRadian;
  return place;
}

double AstMoon::altitudeAt(const Observer& observer, const AstDateTime& day, double hours) const {
  Observer probe = observer;
  probe.dateTime = AstDateTime(day.getDay(), day.getMonth(), day.getYear(), hours, day.getKind());
  BodyState state;
  compute(bit::latitude, probe, state, TimeKind::Lct, CoordSystem::Horizontal);
  // Where the moment has no sidereal time (its universal date lies outside
  // the calendar) the conversion marks the position invalid; that is no
  // altitude at all, not one far below the horizon.
  if (!state.position.isValid()) return std::numeric_limits<double>::quiet_NaN();
  return state.position.b();
}

bool AstMoon::findMoonEvent(std::uint32_t flag, const Observer& observer, AstDateTime start, AstDateTime end,
                            AstDateTime& result) const {
  result = start;
  if (flag != bit::rise && flag != bit::set) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    result.invalidate();
    return false;
  }
  if (!start.isValid() || !end.isValid()) {
    result.invalidate();
    return false;
  }

  // Both ends are counted in hours from 0h of the start's date.
  double endHours = end.getHours();
  if (end.getDay() != start.getDay() || end.getMonth() != start.getMonth() || end.getYear() != start.getYear()) {
    AstDateTime startDay(start.getDay(), start.getMonth(), start.getYear(), 0.0, TimeKind::Gmt);
    AstDateTime endDay(end.getDay(), end.getMonth(), end.getYear(), 0.0, TimeKind::Gmt);
    double days = 0.0;
    if (!julianDaysBetween(startDay, endDay, days)) {
      result.invalidate();
      return false;
    }
    endHours += 24.0 * days;
  }

  const std::optional<double> found = findHorizonCrossing(
      flag, start.getHours(), endHours, [&](double hours) { return altitudeAt(observer, start, hours); });
  // A crossing at or after 24h belongs to the next date: this date has none.
  if (!found || *found >= 24.0) {
    result.invalidate();
    return false;
  }
  result.setHours(*found);
  return true;
}

void AstMoon::compute(std::uint32_t requested, const Observer& observer, BodyState& out, TimeKind timeKind,
                      CoordSystem system) const {
  if (!checkRequest(requested, timeKind, system)) return;
  const std::uint32_t flags = requested & moonBits;
  if (computePrecisely(*this, flags, observer, out, timeKind, system)) return;

  const Place place = placeAt(AstSun::daysSinceEpoch(observer));

  if (flags & bit::ascendingNode) out.ascendingNode = place.ascendingNode;
  if (flags & bit::descendingNode) out.descendingNode = reducedIntoTurn(place.ascendingNode + 180.0);
  if (flags & bit::phase) {
    out.phase = static_cast<float>(100.0 * (1.0 - cosDegrees(place.trueLongitude - place.sunLongitude)) / 2.0);
  }

  // Distance in units of the semi-major axis.
  const double rho = (1.0 - eccentricity_ * eccentricity_) /
                     (1.0 + eccentricity_ * cosDegrees(place.correctedAnomaly + place.equationOfCentre));
  if (flags & bit::distanceFromEarth) out.distanceFromEarth = semiMajorAxis_ * rho;
  if (flags & bit::angularSize) out.angularSize = static_cast<float>(angularSize_ / rho);

  const AstCoord ecliptical(place.eclipticLongitude, place.eclipticLatitude, CoordSystem::Ecliptical);

  if (flags & bit::elongation) {
    AstCoord moon = ecliptical;
    convertCoord(moon, CoordSystem::Equatorial, observer);
    AstCoord sun(place.sunLongitude, 0.0, CoordSystem::Ecliptical);
    convertCoord(sun, CoordSystem::Equatorial, observer);
    const double cosine = cosDegrees(moon.a() - sun.a()) * cosDegrees(moon.b()) * cosDegrees(sun.b()) +
                          sinDegrees(moon.b()) * sinDegrees(sun.b());
    // Rounding can carry the cosine of a tiny angle just past 1.
    out.elongation = std::acos(std::clamp(cosine, -1.0, 1.0)) * degreesPerRadian;
  }

  if (flags & (bit::rise | bit::set)) {
    // The civil day of the observer, from 0h to a little past 24h.
    AstDateTime start = observer.momentIn(TimeKind::Lct);
    if (!start.isValid()) {
      start = observer.dateTime;
      start.setKind(TimeKind::Lct);
    }
    start.setHours(0.0);
    const auto altitude = [&](double hours) { return altitudeAt(observer, start, hours); };
    const double startAltitude = altitude(0.0);
    const double endAltitude = altitude(searchEndHours);
    for (std::uint32_t event : {bit::rise, bit::set}) {
      if (!(flags & event)) continue;
      AstDateTime found = start;
      const std::optional<double> hours =
          findHorizonCrossing(event, 0.0, searchEndHours, startAltitude, endAltitude, altitude);
      // A crossing at or after 24h belongs to the next date.
      if (hours && *hours < 24.0) {
        found.setHours(*hours);
      } else {
        found.invalidate();
      }
      (event == bit::rise ? out.rise : out.set) = found;
    }
  }

  // The finishing step turns the ecliptical position into the requested
  // system and takes the direction and the zodiac keys from it; a position
  // that was not asked for stays as it was.
  const AstCoord previousPosition = out.position;
  out.position = ecliptical;
  finish(flags, observer, out, timeKind, system);
  if (!(flags & bit::position)) out.position = previousPosition;
}

const AstMoon& theMoon() {
  static const AstMoon moon;
  return moon;
}

}  // namespace noctavo
