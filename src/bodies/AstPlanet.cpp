#include "bodies/AstPlanet.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "bodies/AstSun.h"
#include "bodies/PreciseBodies.h"
#include "bodies/QuantityBits.h"
#include "time/AngleConstants.h"
#include "time/InternalError.h"
#include "time/TimeSystems.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_PLNT";

// 360/365.2422: the mean Sun's daily motion, degrees per day.
constexpr double meanDailyMotion = 0.9856473320990837;
// The Earth's daily motion: the mean Sun's divided by a tropical period of
// 1.00004 years, degrees per day.
constexpr double earthDailyMotion = 0.9856079077827723;
constexpr double earthLongitudeAtEpoch = 98.83354;       // degrees
constexpr double earthLongitudeOfPerihelion = 102.596403; // degrees
// 360/pi with the program's pi: turns the first-order equation of the
// centre, 2 e sin M radians, into degrees.
constexpr double equationOfCentreFactor = 114.59155733332332;
constexpr double arcsecondsPerDegree = 3600.0;

// Below this |sin(l' - L)| the planet is within a fraction of an arcsecond
// of conjunction or opposition as seen from the Sun, and the quotient of two
// vanishing sines in the latitude formula loses its meaning (0/0 exactly at
// opposition, a division by zero at inferior conjunction).
constexpr double nearConjunctionSine = 1e-5;

// One pass into [0, 360]: the angles this is used on are at most one turn
// outside it.
double foldedOnceIntoTurn(double degrees) {
  if (degrees > 360.0) degrees -= 360.0;
  if (degrees < 0.0) degrees += 360.0;
  return degrees;
}

// 1980 January 0.0, the epoch of every element of the program.
const AstDateTime& epoch() {
  static const AstDateTime moment(31, 12, 1979, 0.0, TimeKind::Gmt);
  return moment;
}

std::span<const Quantity* const> planetQuantities() {
  // Label / value ids are the controls of the Object Information window's
  // current-data page.
  static const AngularSizeQuantity angularSize("Angular size", 0, 1, quantity_bit::angularSize, 182, 160);
  static const MagnitudeQuantity magnitude("Magnitude", -10, 10, quantity_bit::magnitude, 184, 162);
  static const ZodiacConstellationQuantity constellation("Constellation", 0, 11,
                                                         quantity_bit::zodiacConstellation, 185, 163);
  static const ZodiacSignQuantity zodiacSign("Sign of zodiac", 0, 11, quantity_bit::zodiacSign, 191, 169);
  static const DirectionQuantity direction("Direction", 0, 360, quantity_bit::direction, 202, 203);
  static const DistanceQuantity distanceFromEarth("Distance from Earth", 0, 50, quantity_bit::distanceFromEarth,
                                                  186, 164, true);
  static const DistanceQuantity distanceFromSun("Distance from Sun", 0, 50, quantity_bit::distanceFromSun, 187,
                                                165, true);
  static const ElongationQuantity elongation("Elongation", 0, 180, quantity_bit::elongation, 188, 166);
  static const PhaseQuantity phase("Phase", 0, 100, quantity_bit::phase, 183, 161);
  static const TimeOfDayQuantity rise("Rise", 0, 24, quantity_bit::rise, 180, 158);
  static const TimeOfDayQuantity set("Set", 0, 24, quantity_bit::set, 181, 159);
  static const LongitudeQuantity longitude("Longitude", 0, 360, quantity_bit::longitude, 124, 111);
  static const LatitudeQuantity latitude("Latitude", -90, 90, quantity_bit::latitude, 125, 112);
  static const LongitudeQuantity heliocentricLongitude("Heliocentric longitude", 0, 360,
                                                       quantity_bit::heliocentricLongitude, 192, 170);
  static const LatitudeQuantity heliocentricLatitude("Heliocentric latitude", -90, 90,
                                                     quantity_bit::heliocentricLatitude, 193, 171);
  static const Quantity* const list[] = {
      &angularSize, &magnitude, &constellation, &zodiacSign, &direction,
      &distanceFromEarth, &distanceFromSun, &elongation, &phase, &rise,
      &set, &longitude, &latitude, &heliocentricLongitude, &heliocentricLatitude,
  };
  return list;
}

constexpr int planetCount = 8;

const std::array<AstPlanet, planetCount>& allPlanets() {
  // Fields: Tp, epsilon, varpi, e, a, i, Omega, theta0 ("), A, orbital velocity,
  // min/mean/max distance from the Sun, orbit circumference, min/max distance
  // from the Earth, equatorial radius, flattening, mass, volume, density,
  // escape velocity.
  static const std::array<AstPlanet, planetCount> planets{{
      AstPlanet("Mercury", 0, 179,
                {0.24085, 231.2973, 77.1442128, 0.2056306, 0.3870986, 7.0043579, 48.0941733, 6.74, 1.918e-06,
                 47.9, 0.31, 0.387, 0.47, 360.0, 0.53, 1.47, 2439.0, 0.0, 3.302e+23, 0.056, 5.43, 4.25}),
      AstPlanet("Venus", 1, 181,
                {0.61521, 355.73352, 131.2895792, 0.0067826, 0.7233316, 3.394435, 76.4997524, 16.92, 1.721e-05,
                 35.0, 0.72, 0.723, 0.73, 680.0, 0.26, 1.74, 6052.0, 0.0, 4.869e+24, 0.857, 5.24, 10.4}),
      AstPlanet("Mars", 2, 183,
                {1.88089, 126.30783, 335.6908166, 0.0933865, 1.5236883, 1.8498011, 49.4032001, 9.36, 4.539e-06,
                 24.1, 1.38, 1.524, 1.67, 1400.0, 0.37, 2.67, 3390.0, 0.005847953216, 6.419e+23, 0.151, 3.93,
                 5.02}),
      AstPlanet("Jupiter", 3, 184,
                {11.86224, 146.966365, 14.0095493, 0.0484658, 5.202561, 1.3041819, 100.2520175, 196.74, 0.0001994,
                 13.1, 4.95, 5.205, 5.45, 4900.0, 3.93, 6.46, 69898.0, 0.062893081761, 1.8988e+27, 1320.6, 1.33,
                 57.6}),
      AstPlanet("Saturn", 4, 185,
                {29.45771, 165.322242, 92.6653974, 0.0556155, 9.554747, 2.4893741, 113.4888341, 165.6, 0.000174,
                 9.6, 8.98, 9.576, 10.09, 9000.0, 7.97, 11.08, 57815.0, 0.108695652174, 5.684e+26, 747.3, 0.7,
                 33.4}),
      AstPlanet("Uranus", 5, 186,
                {84.01247, 228.0708551, 172.7363288, 0.0463232, 19.21814, 0.7729895, 73.8768642, 65.8, 7.768e-05,
                 6.8, 18.28, 19.281, 20.09, 18000.0, 17.31, 21.12, 50841.0, 0.02, 8.698e+25, 63.4, 1.27, 20.6}),
      AstPlanet("Neptune", 6, 187,
                {164.79558, 260.3578998, 47.8672148, 0.0090021, 30.10957, 1.7716017, 131.5606494, 62.2, 7.597e-05,
                 5.4, 29.79, 30.142, 30.33, 28000.0, 28.77, 31.34, 48547.0, 0.023255813953, 1.028e+26, 55.5, 1.71,
                 23.7}),
      AstPlanet("Pluto", 7, 188,
                {250.9, 209.439, 222.972, 0.25387, 39.78459, 17.137, 109.941, 8.2, 4.073e-06, 4.7, 29.58, 39.88,
                 49.3, 37000.0, 28.58, 50.3, 3500.0, 0.0, 1.5e+22, 0.021, 0.7, 0.0}),
  }};
  return planets;
}

// Days from the epoch to the observer's moment in universal time; false for
// an invalid moment.
bool daysSinceEpoch(const Observer& observer, double& days) {
  const AstDateTime universal = observer.momentIn(TimeKind::Gmt);
  if (!universal.isValid()) return false;
  return julianDaysBetween(epoch(), universal, days);
}

// Geocentric ecliptic longitude, degrees, with the one-argument arc tangent:
// the denominators stay positive because an inner planet is always nearer
// the Sun than the Earth and an outer one always farther.
double geocentricLongitude(bool isInnerPlanet, const PlanetOrbitPlace& planet, const EarthOrbitPlace& earth) {
  const double rp = planet.projectedRadius;
  const double lp = planet.eclipticLongitude;
  const double R = earth.radius;
  const double L = earth.longitude;
  double lambda;
  if (isInnerPlanet) {
    lambda = std::atan(rp * sinDegrees(L - lp) / (R - rp * cosDegrees(L - lp))) * degreesPerRadian + L + 180.0;
  } else {
    lambda = std::atan(R * sinDegrees(lp - L) / (rp - R * cosDegrees(lp - L))) * degreesPerRadian + lp;
  }
  return foldedOnceIntoTurn(lambda);
}

// Geocentric ecliptic latitude, degrees: atan(r' tan psi sin(lambda - l') /
// (R sin(l' - L))). The quotient of the two sines is R / rho' by the law of
// sines in the Sun-Earth-planet triangle (rho' the distance projected on the
// ecliptic); near conjunction and opposition, where both sines vanish, that
// limit is used instead, so that the latitude keeps its sign and size there.
double geocentricLatitude(const PlanetOrbitPlace& planet, const EarthOrbitPlace& earth, double lambda) {
  const double rp = planet.projectedRadius;
  const double lp = planet.eclipticLongitude;
  const double R = earth.radius;
  const double L = earth.longitude;
  const double sunAngleSine = sinDegrees(lp - L);
  if (std::abs(sunAngleSine) >= nearConjunctionSine) {
    return std::atan(rp * tanDegrees(planet.eclipticLatitude) * sinDegrees(lambda - lp) / (R * sunAngleSine)) *
           degreesPerRadian;
  }
  const double projectedDistance = std::sqrt(R * R + rp * rp - 2.0 * R * rp * cosDegrees(lp - L));
  return std::atan(rp * tanDegrees(planet.eclipticLatitude) / projectedDistance) * degreesPerRadian;
}

// The Sun seen from the Earth: the Earth's heliocentric longitude turned
// half a turn, below 360.
double foldedSunLongitude(double earthLongitude) {
  double longitude = earthLongitude + 180.0;
  if (longitude >= 360.0) longitude -= 360.0;
  return longitude;
}

char foldedLetter(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(const std::string& text, const char* name) {
  std::size_t i = 0;
  for (; i < text.size() && name[i] != '\0'; ++i) {
    if (foldedLetter(text[i]) != foldedLetter(name[i])) return false;
  }
  return i == text.size() && name[i] == '\0';
}

}  // namespace

EarthOrbitPlace earthOrbitPlace(double daysSinceEpoch) {
  static const double e = theSun().eccentricity();
  const double N = reducedIntoTurn(earthDailyMotion * daysSinceEpoch);
  const double M = N + earthLongitudeAtEpoch - earthLongitudeOfPerihelion;
  const double L = foldedOnceIntoTurn(N + equationOfCentreFactor * e * sinDegrees(M) + earthLongitudeAtEpoch);
  const double R = (1.0 - e * e) / (1.0 + e * cosDegrees(L - earthLongitudeOfPerihelion));
  return {L, R};
}

AstPlanet::AstPlanet(const char* name, int index, unsigned char symbol, const PlanetConstants& constants)
    : AstBody(name, index, ObjectType::Planet, symbol), constants_(constants) {}

std::span<const Quantity* const> AstPlanet::quantities() const { return planetQuantities(); }

PlanetOrbitPlace AstPlanet::orbitPlace(double daysSinceEpoch) const {
  const PlanetConstants& c = constants_;
  PlanetOrbitPlace place{};
  place.meanLongitudeFromEpoch = reducedIntoTurn(meanDailyMotion * daysSinceEpoch / c.tropicalPeriod);
  place.meanAnomaly = place.meanLongitudeFromEpoch + c.longitudeAtEpoch - c.longitudeOfPerihelion;
  place.orbitalLongitude = foldedOnceIntoTurn(place.meanLongitudeFromEpoch +
                                              equationOfCentreFactor * c.eccentricity * sinDegrees(place.meanAnomaly) +
                                              c.longitudeAtEpoch);
  place.trueAnomaly = place.orbitalLongitude - c.longitudeOfPerihelion;
  place.radius = c.semiMajorAxis * (1.0 - c.eccentricity * c.eccentricity) /
                 (1.0 + c.eccentricity * cosDegrees(place.trueAnomaly));

  const double fromNode = place.orbitalLongitude - c.longitudeOfAscendingNode;
  place.eclipticLatitude = std::asin(sinDegrees(fromNode) * sinDegrees(c.inclination)) * degreesPerRadian;
  place.eclipticLongitude =
      std::atan2(sinDegrees(fromNode) * cosDegrees(c.inclination), cosDegrees(fromNode)) * degreesPerRadian +
      c.longitudeOfAscendingNode;
  place.projectedRadius = place.radius * cosDegrees(place.eclipticLatitude);
  return place;
}

double AstPlanet::magnitudePhaseTerm(double x) const {
  switch (getIndex()) {
    case 0: return 1.815 * x + 1.023 * x * x - 0.003;      // Mercury
    case 1: return 1.322 * x + 0.4247 * x * x * x - 4.0;  // Venus
    case 2: return 1.486 * x - 1.3;                       // Mars
    case 3: return -8.93;                                 // Jupiter
    case 4: return -8.68;                                 // Saturn
    case 5: return -6.85;                                 // Uranus
    case 6: return -7.05;                                 // Neptune
    default: return -1.0;                                 // Pluto
  }
}

double AstPlanet::visualMagnitude(double sunDistance, double earthDistance, double geocentricLongitude,
                                  double orbitalLongitude) const {
  // Phase angle folded into [0, 180]. Exactly 180 (an inner planet exactly
  // between the Sun and the Earth, or a rounding at the edge) is a real
  // geometry and is kept as it is rather than reported.
  double p = geocentricLongitude - orbitalLongitude;
  if (p < 0.0) p += 360.0;
  if (p > 180.0) p = 360.0 - p;
  p = std::clamp(p, 0.0, 180.0);
  return 5.0 * std::log10(sunDistance * earthDistance) + magnitudePhaseTerm(p / 100.0);
}

void AstPlanet::compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
                        CoordSystem system) const {
  namespace bit = quantity_bit;
  if (!checkRequest(flags, timeKind, system)) return;
  if (flags == 0) return;
  // Pluto outside the years of its series falls through to the classical
  // method.
  if (computePrecisely(*this, flags, observer, out, timeKind, system)) return;
  double days = 0.0;
  if (!daysSinceEpoch(observer, days)) return;

  const PlanetOrbitPlace planet = orbitPlace(days);
  const EarthOrbitPlace earth = earthOrbitPlace(days);
  const double r = planet.radius;
  const double l = planet.orbitalLongitude;
  const double R = earth.radius;
  const double L = earth.longitude;

  if (flags & (bit::heliocentricLongitude | bit::heliocentricLatitude)) {
    out.heliocentric =
        AstCoord(reducedIntoTurn(planet.eclipticLongitude), planet.eclipticLatitude, CoordSystem::Ecliptical);
  }

  const double lambda = geocentricLongitude(getIndex() < 2, planet, earth);
  const double beta = geocentricLatitude(planet, earth, lambda);
  const AstCoord ecliptic(lambda, beta, CoordSystem::Ecliptical);

  if (flags & bit::distanceFromSun) out.distanceFromSun = r;

  double rho = 0.0;
  if (flags & (bit::distanceFromEarth | bit::magnitude | bit::angularSize)) {
    rho = std::sqrt(R * R + r * r - 2.0 * R * r * cosDegrees(l - L));
    out.distanceFromEarth = rho;
  }
  if (flags & bit::angularSize) {
    out.angularSize = static_cast<float>(constants_.angularSizeAtOneAu / rho / arcsecondsPerDegree);
  }
  if (flags & (bit::phase | bit::magnitude)) {
    out.phase = static_cast<float>(100.0 * (1.0 + cosDegrees(lambda - l)) / 2.0);
  }
  if (flags & bit::magnitude) {
    out.magnitude = static_cast<float>(visualMagnitude(r, rho, lambda, l));
  }

  if (flags & (bit::rise | bit::set)) {
    AstCoord equatorial = ecliptic;
    convertCoord(equatorial, CoordSystem::Equatorial, observer);
    AstDateTime rise;
    AstDateTime set;
    if (!riseAndSetOfFixedPosition(equatorial, observer, rise, set) || !std::isfinite(rise.getHours()) ||
        !std::isfinite(set.getHours())) {
      rise.invalidate();
      set.invalidate();
    }
    // Only the events asked for change: the finishing step converts just
    // those into the requested time kind.
    if (flags & bit::rise) out.rise = rise;
    if (flags & bit::set) out.set = set;
  }

  if (flags & bit::elongation) {
    AstCoord sun(foldedSunLongitude(L), 0.0, CoordSystem::Ecliptical);
    AstCoord body = ecliptic;
    convertCoord(sun, CoordSystem::Equatorial, observer);
    convertCoord(body, CoordSystem::Equatorial, observer);
    const double cosine = cosDegrees(body.a() - sun.a()) * cosDegrees(body.b()) * cosDegrees(sun.b()) +
                          sinDegrees(body.b()) * sinDegrees(sun.b());
    // Rounding can carry the cosine just past +-1 at conjunction and
    // opposition.
    out.elongation = std::acos(std::clamp(cosine, -1.0, 1.0)) * degreesPerRadian;
  }

  // The finishing step reads the position for the direction and the zodiac
  // keys; a position not asked for is put back afterwards.
  const bool positionAsked = (flags & bit::position) != 0;
  const bool positionNeeded =
      positionAsked || (flags & (bit::direction | bit::zodiacConstellation | bit::zodiacSign)) != 0;
  const AstCoord previousPosition = out.position;
  if (positionNeeded) out.position = ecliptic;
  finish(flags, observer, out, timeKind, system);
  if (!positionAsked) out.position = previousPosition;
}

const AstPlanet* planetByName(const std::string& name) {
  for (const AstPlanet& planet : allPlanets()) {
    if (equalIgnoringCase(name, planet.getName())) return &planet;
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return nullptr;
}

const AstPlanet* planetByIndex(int index) {
  if (index < 0 || index >= planetCount) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return nullptr;
  }
  return &allPlanets()[static_cast<std::size_t>(index)];
}

const AstPlanet* nextPlanet(int& cursor) {
  if (cursor < 0 || cursor >= planetCount) {
    cursor = -1;
    return nullptr;
  }
  const AstPlanet* planet = &allPlanets()[static_cast<std::size_t>(cursor)];
  cursor = cursor + 1 < planetCount ? cursor + 1 : -1;
  return planet;
}

}  // namespace noctavo
