#include "bodies/PreciseEphemeris.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "bodies/Vsop87.h"
#include "time/AngleConstants.h"

namespace noctavo::precise {
namespace {

constexpr double julianDayOfJ2000 = 2451545.0;
constexpr double daysPerJulianCentury = 36525.0;
constexpr double daysPerJulianYear = 365.25;
constexpr double secondsPerDay = 86400.0;
// Speed of light in AU per day (IAU 2012 au, SI c).
constexpr double speedOfLightAuPerDay = 173.14463267424034;
constexpr double equatorialRadiusKm = 6378.14;
// Hours between the samples of a day track.
constexpr double hoursPerSampleStep = 6.0;
// Altitudes are sampled every 20 minutes before a crossing is refined: two
// crossings closer than that (a grazing body near the pole) are missed.
constexpr int altitudeStepsPerDay = 72;
// The Earth's rotation angle per day of universal time (IAU 2000).
constexpr double earthRotationRadiansPerDay = 2.0 * 3.14159265358979323846 * 1.00273781191135448;
constexpr double crossingResolutionDays = 1.0 / secondsPerDay;
// Mean obliquity of J2000.0 the Pluto series is referred to (Meeus).
constexpr double obliquityJ2000Radians = 23.4392911 * 0.017453292519943295;
// The Pluto series holds from 1885 January 1 to 2099 December 31.
constexpr double plutoSeriesFirstDay = 2409543.0;
constexpr double plutoSeriesLastDay = 2488069.0;

constexpr double pi = 3.14159265358979323846;
constexpr double radiansPerDegreeExact = pi / 180.0;

double degrees(double radians) { return radians / radiansPerDegreeExact; }
double radians(double degreesValue) { return degreesValue * radiansPerDegreeExact; }
double intoTurnDegrees(double value) {
  value = std::fmod(value, 360.0);
  return value < 0.0 ? value + 360.0 : value;
}

double length(const Vector& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }
Vector unit(const Vector& v) {
  const double r = length(v);
  return {v[0] / r, v[1] / r, v[2] / r};
}
Vector times(const Matrix& m, const Vector& v) {
  Vector out{};
  for (int i = 0; i < 3; ++i) out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
  return out;
}
Vector transposeTimes(const Matrix& m, const Vector& v) {
  Vector out{};
  for (int i = 0; i < 3; ++i) out[i] = m[0][i] * v[0] + m[1][i] * v[1] + m[2][i] * v[2];
  return out;
}

// The series of the Earth and of precession-nutation are the slow part of
// every position. Both are evaluated only at whole terrestrial-time days and
// kept: the Earth is carried from its day to the moment by its velocity and
// the Sun's pull (good to 0.3" half a day away), and the frame of the
// nearest whole day is used as it stands (nutation moves it by 0.1" a day at
// most). So a result depends on its moment alone, and a year of daily
// moments costs a year of series.
constexpr double heliocentricGravityAu3PerDay2 = 2.9591220828559115e-4;  // GM of the Sun, AU^3 / day^2
constexpr std::size_t cachedDays = 1024;

template <class Value, class Make>
const Value& cachedForDay(std::unordered_map<long, Value>& cache, double gridDay, Make make) {
  const long key = static_cast<long>(gridDay);
  if (auto found = cache.find(key); found != cache.end()) return found->second;
  if (cache.size() >= cachedDays) cache.clear();
  return cache.emplace(key, make()).first->second;
}

// The whole day (Julian Day ending in .5 or .0: the nearest integer) a
// moment is referred to.
double gridDayOf(double tt) { return std::floor(tt + 0.5); }

// The Earth's heliocentric position and barycentric velocity at tt (TDB
// taken as TT: they differ by 2 ms).
struct EarthState {
  Vector heliocentric;
  Vector barycentricVelocity;  // AU per day
};
EarthState earthAt(double tt) {
  thread_local std::unordered_map<long, EarthState> cache;
  const double gridDay = gridDayOf(tt);
  const EarthState& anchor = cachedForDay(cache, gridDay, [&] {
    double pvh[2][3];
    double pvb[2][3];
    eraEpv00(gridDay, 0.0, pvh, pvb);
    return EarthState{{pvh[0][0], pvh[0][1], pvh[0][2]}, {pvb[1][0], pvb[1][1], pvb[1][2]}};
  });
  const double dt = tt - gridDay;
  const Vector& r = anchor.heliocentric;
  const double distance = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
  const double pull = -heliocentricGravityAu3PerDay2 / (distance * distance * distance);
  EarthState earth;
  for (int i = 0; i < 3; ++i) {
    const double acceleration = pull * r[i];
    earth.heliocentric[i] = r[i] + anchor.barycentricVelocity[i] * dt + 0.5 * acceleration * dt * dt;
    earth.barycentricVelocity[i] = anchor.barycentricVelocity[i] + acceleration * dt;
  }
  return earth;
}

// Heliocentric position of a planet, AU, reference-system axes.
Vector planetAt(Body body, double tt);

// Pluto from the periodic terms of Meeus, Astronomical Algorithms (2nd
// ed., ch. 37, table 37.A, after Chapront's fit to DE200): heliocentric
// ecliptic of J2000.0, good to about an arcsecond from 1885 to 2099.
struct PlutoTerm {
  int j, s, p;             // multiples of the mean longitudes of Jupiter, Saturn, Pluto
  int lonSin, lonCos;      // 1e-6 degrees
  int latSin, latCos;      // 1e-6 degrees
  int radSin, radCos;      // 1e-7 AU
};
constexpr PlutoTerm plutoTerms[] = {
    {0, 0, 1, -19799805, 19850055, -5452852, -14974862, 66865439, 68951812},
    {0, 0, 2, 897144, -4954829, 3527812, 1672790, -11827535, -332538},
    {0, 0, 3, 611149, 1211027, -1050748, 327647, 1593179, -1438890},
    {0, 0, 4, -341243, -189585, 178690, -292153, -18444, 483220},
    {0, 0, 5, 129287, -34992, 18650, 100340, -65977, -85431},
    {0, 0, 6, -38164, 30893, -30697, -25823, 31174, -6032},
    {0, 1, -1, 20442, -9987, 4878, 11248, -5794, 22161},
    {0, 1, 0, -4063, -5071, 226, -64, 4601, 4032},
    {0, 1, 1, -6016, -3336, 2030, -836, -1729, 234},
    {0, 1, 2, -3956, 3039, 69, -604, -415, 702},
    {0, 1, 3, -667, 3572, -247, -567, 239, 723},
    {0, 2, -2, 1276, 501, -57, 1, 67, -67},
    {0, 2, -1, 1152, -917, -122, 175, 1034, -451},
    {0, 2, 0, 630, -1277, -49, -164, -129, 504},
    {1, -1, 0, 2571, -459, -197, 199, 480, -231},
    {1, -1, 1, 899, -1449, -25, 217, 2, -441},
    {1, 0, -3, -1016, 1043, 589, -248, -3359, 265},
    {1, 0, -2, -2343, -1012, -269, 711, 7856, -7832},
    {1, 0, -1, 7042, 788, 185, 193, 36, 45763},
    {1, 0, 0, 1199, -338, 315, 807, 8663, 8547},
    {1, 0, 1, 418, -67, -130, -43, -809, -769},
    {1, 0, 2, 120, -274, 5, 3, 263, -144},
    {1, 0, 3, -60, -159, 2, 17, -126, 32},
    {1, 0, 4, -82, -29, 2, 5, -35, -16},
    {1, 1, -3, -36, -20, 2, 3, -19, -4},
    {1, 1, -2, -40, 7, 3, 1, -15, 8},
    {1, 1, -1, -14, 22, 2, -1, -4, 12},
    {1, 1, 0, 4, 13, 1, -1, 5, 6},
    {1, 1, 1, 5, 2, 0, -1, 3, 1},
    {1, 1, 3, -1, 0, 0, 0, 6, -2},
    {2, 0, -6, 2, 0, 0, -2, 2, 2},
    {2, 0, -5, -4, 5, 2, 2, -2, -2},
    {2, 0, -4, 4, -7, -7, 0, 14, 13},
    {2, 0, -3, 14, 24, 10, -8, -63, 13},
    {2, 0, -2, -49, -34, -3, 20, 136, -236},
    {2, 0, -1, 163, -48, 6, 5, 273, 1065},
    {2, 0, 0, 9, 24, 14, 17, 251, 149},
    {2, 0, 1, -4, 1, -2, 0, -25, -9},
    {2, 0, 2, -3, 1, 0, 0, 9, -2},
    {2, 0, 3, 1, 3, 0, 0, -8, 7},
    {3, 0, -2, -3, -1, 0, 1, 2, -10},
    {3, 0, -1, 5, -3, 0, 0, 19, 35},
    {3, 0, 0, 0, 0, 1, 0, 10, 2},
};

Vector plutoAt(double tt) {
  const double t = (tt - julianDayOfJ2000) / daysPerJulianCentury;
  const double jupiter = 34.35 + 3034.9057 * t;
  const double saturn = 50.08 + 1222.1138 * t;
  const double pluto = 238.96 + 144.96 * t;
  double longitude = 0.0, latitude = 0.0, radius = 0.0;
  for (const PlutoTerm& term : plutoTerms) {
    const double argument = radians(term.j * jupiter + term.s * saturn + term.p * pluto);
    const double s = std::sin(argument);
    const double c = std::cos(argument);
    longitude += term.lonSin * s + term.lonCos * c;
    latitude += term.latSin * s + term.latCos * c;
    radius += term.radSin * s + term.radCos * c;
  }
  const double l = radians(238.958116 + 144.96 * t + longitude * 1e-6);
  const double b = radians(-3.908239 + latitude * 1e-6);
  const double r = 40.7241346 + radius * 1e-7;
  // Ecliptic of J2000.0 to the equator of J2000.0.
  const double x = r * std::cos(b) * std::cos(l);
  const double y = r * std::cos(b) * std::sin(l);
  const double z = r * std::sin(b);
  const double ce = std::cos(obliquityJ2000Radians);
  const double se = std::sin(obliquityJ2000Radians);
  return {x, y * ce - z * se, y * se + z * ce};
}

// Jupiter to Neptune from the truncated VSOP87B series: eraPlan94 is only
// good to 71"-86" for Jupiter, Saturn and Uranus, the series to about 1"
// over 1900-2100. Their dynamical ecliptic and equinox of J2000.0 is turned
// to the equator of FK5 J2000.0 by the rotation Bretagnon and Francou give
// with the theory; FK5 and the ICRS axes differ by a few hundredths of a
// second of arc.
constexpr Matrix vsop87EclipticToEquator = {{{1.0, 0.000000440360, -0.000000190919},
                                             {-0.000000479966, 0.917482137087, -0.397776982902},
                                             {0.0, 0.397776982902, 0.917482137087}}};

Vector eclipticToEquator(const vsop87::EclipticOfJ2000& p) {
  const double cb = std::cos(p.latitudeRadians);
  const Vector ecliptic{p.radiusAu * cb * std::cos(p.longitudeRadians),
                        p.radiusAu * cb * std::sin(p.longitudeRadians),
                        p.radiusAu * std::sin(p.latitudeRadians)};
  return times(vsop87EclipticToEquator, ecliptic);
}

// The truncated series keep within 1" of the full theory over 1900-2100
// and within 40" over 1000-3000; beyond, their dropped polynomial terms grow
// fast (Saturn 6' off by the years 0 and 4000), so outside 1000-3000
// eraPlan94 is used as for the inner planets.
constexpr double outerSeriesFirstDay = julianDayOfJ2000 - 1000.0 * daysPerJulianYear;
constexpr double outerSeriesLastDay = julianDayOfJ2000 + 1000.0 * daysPerJulianYear;

std::optional<vsop87::Planet> vsop87PlanetOf(Body body, double tt) {
  if (tt < outerSeriesFirstDay || tt > outerSeriesLastDay) return std::nullopt;
  switch (body) {
    case Body::Jupiter: return vsop87::Planet::Jupiter;
    case Body::Saturn: return vsop87::Planet::Saturn;
    case Body::Uranus: return vsop87::Planet::Uranus;
    case Body::Neptune: return vsop87::Planet::Neptune;
    default: return std::nullopt;
  }
}

// Coordinates moved along their rates over dt days.
vsop87::EclipticOfJ2000 advanced(const vsop87::Motion& m, double dt) {
  return {m.at.longitudeRadians + m.perDay.longitudeRadians * dt, m.at.latitudeRadians + m.perDay.latitudeRadians * dt,
          m.at.radiusAu + m.perDay.radiusAu * dt};
}

// Like the Earth, the outer planets are summed at whole days only, with
// their rates, and carried along them to the moment: over half a day the
// curvature of Jupiter's path, the most curved of the four, adds up to
// 0.01" at most.
vsop87::Motion outerPlanetMotion(vsop87::Planet planet, double tt) {
  thread_local std::array<std::unordered_map<long, vsop87::Motion>, vsop87::planetCount> caches;
  const double gridDay = gridDayOf(tt);
  const vsop87::Motion& anchor = cachedForDay(caches[static_cast<std::size_t>(planet)], gridDay,
                                              [&] { return vsop87::motion(planet, gridDay); });
  return {advanced(anchor, tt - gridDay), anchor.perDay};
}

Vector planetAt(Body body, double tt) {
  if (body == Body::Pluto) return plutoAt(tt);
  if (const auto planet = vsop87PlanetOf(body, tt)) return eclipticToEquator(outerPlanetMotion(*planet, tt).at);
  // ERFA numbers the planets 1..8 with the Earth-Moon barycentre as 3.
  static constexpr int erfaNumber[] = {1, 2, 4, 5, 6, 7, 8};
  double pv[2][3];
  eraPlan94(tt, 0.0, erfaNumber[static_cast<int>(body)], pv);
  return {pv[0][0], pv[0][1], pv[0][2]};
}

// A planet's heliocentric position light-time days before tt. Jupiter to
// Neptune are stepped back along their rates, as they are carried from
// their whole day; the others are evaluated again for every step of the
// light-time iteration.
class PlanetPath {
 public:
  PlanetPath(Body body, double tt) : body_(body), tt_(tt) {
    if (const auto planet = vsop87PlanetOf(body, tt)) motion_ = outerPlanetMotion(*planet, tt);
  }
  Vector before(double lightTimeDays) const {
    if (!motion_) return planetAt(body_, tt_ - lightTimeDays);
    return eclipticToEquator(advanced(*motion_, -lightTimeDays));
  }

 private:
  Body body_;
  double tt_;
  std::optional<vsop87::Motion> motion_;
};

// The geometric direction aberrated by the Earth's motion.
Vector aberrated(const Vector& natural, const EarthState& earth) {
  double pnat[3] = {natural[0], natural[1], natural[2]};
  double v[3];
  for (int i = 0; i < 3; ++i) v[i] = earth.barycentricVelocity[i] / speedOfLightAuPerDay;
  const double bm1 = std::sqrt(1.0 - (v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
  double proper[3];
  eraAb(pnat, v, length(earth.heliocentric), bm1, proper);
  return {proper[0], proper[1], proper[2]};
}

double lagrangeWeight(int k, double x, int count) {
  // Nodes at 0, 1, ..., count - 1.
  double w = 1.0;
  for (int m = 0; m < count; ++m) {
    if (m != k) w *= (x - m) / (k - m);
  }
  return w;
}

}  // namespace

Body planetBody(int index) { return static_cast<Body>(std::clamp(index, 0, 7)); }

double deltaTSeconds(double y) {
  if (y >= 1860.0 && y < 1900.0) {
    const double t = y - 1860.0;
    return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t - 0.0004473624 * t * t * t * t +
           t * t * t * t * t / 233174.0;
  }
  if (y >= 1900.0 && y < 1920.0) {
    const double t = y - 1900.0;
    return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000197 * t * t * t * t;
  }
  if (y >= 1920.0 && y < 1941.0) {
    const double t = y - 1920.0;
    return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
  }
  if (y >= 1941.0 && y < 1961.0) {
    const double t = y - 1950.0;
    return 29.07 + 0.407 * t - t * t / 233.0 + t * t * t / 2547.0;
  }
  if (y >= 1961.0 && y < 1986.0) {
    const double t = y - 1975.0;
    return 45.45 + 1.067 * t - t * t / 260.0 - t * t * t / 718.0;
  }
  if (y >= 1986.0 && y < 2005.0) {
    const double t = y - 2000.0;
    return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * t * t * t * t +
           0.00002373599 * t * t * t * t * t;
  }
  if (y >= 2005.0 && y < 2050.0) {
    const double t = y - 2000.0;
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
  }
  const double u = (y - 1820.0) / 100.0;
  if (y >= 2050.0 && y < 2150.0) return -20.0 + 32.0 * u * u - 0.5628 * (2150.0 - y);
  return -20.0 + 32.0 * u * u;
}

Moment momentAtUt(double ut) {
  const double year = 2000.0 + (ut - julianDayOfJ2000) / daysPerJulianYear;
  return {ut, ut + deltaTSeconds(year) / secondsPerDay};
}

std::optional<Moment> momentOf(const Observer& observer) {
  const AstDateTime universal = observer.momentIn(TimeKind::Gmt);
  if (!universal.isValid()) return std::nullopt;
  const AstJulianDay jd = universal.toJulianDay();
  if (!jd.isValid()) return std::nullopt;
  return momentAtUt(jd.value());
}

Frame frameAt(double tt) {
  thread_local std::unordered_map<long, Frame> cache;
  const double gridDay = gridDayOf(tt);
  return cachedForDay(cache, gridDay, [&] { return frameOfDay(gridDay); });
}

Frame frameOfDay(double tt) {
  double dpsi, deps, epsa;
  double rb[3][3], rp[3][3], rbp[3][3], rn[3][3], rbpn[3][3];
  // The same bias-precession-nutation matrix eraPnm06a forms, with the
  // nutation and obliquity it is made of.
  eraPn06a(tt, 0.0, &dpsi, &deps, &epsa, rb, rp, rbp, rn, rbpn);
  Frame frame;
  frame.tt = tt;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) frame.npb[i][j] = rbpn[i][j];
  frame.trueObliquityRadians = epsa + deps;
  double x, y;
  eraBpn2xy(rbpn, &x, &y);
  frame.equationOfOriginsRadians = eraEors(rbpn, eraS06(tt, 0.0, x, y));
  return frame;
}

bool plutoSeriesCovers(double tt) { return tt >= plutoSeriesFirstDay && tt < plutoSeriesLastDay; }

std::optional<Sighting> sight(Body body, double tt, const Frame& frame) {
  Sighting seen;
  if (body == Body::Moon) {
    double pv[2][3];
    eraMoon98(tt, 0.0, pv);
    Vector geocentric{pv[0][0], pv[0][1], pv[0][2]};
    // Light time only: the Moon travels with the Earth, so the annual
    // aberration and the Earth's motion during the light time cancel.
    const double lightTime = length(geocentric) / speedOfLightAuPerDay;
    for (int i = 0; i < 3; ++i) geocentric[i] -= pv[1][i] * lightTime;
    seen.distanceAu = length(geocentric);
    seen.direction = times(frame.npb, unit(geocentric));
    return seen;
  }
  const EarthState earth = earthAt(tt);
  if (body == Body::Sun) {
    const Vector toSun{-earth.heliocentric[0], -earth.heliocentric[1], -earth.heliocentric[2]};
    seen.distanceAu = length(toSun);
    seen.heliocentric = earth.heliocentric;
    seen.direction = times(frame.npb, aberrated(unit(toSun), earth));
    return seen;
  }
  if (body == Body::Pluto && !plutoSeriesCovers(tt)) return std::nullopt;
  const PlanetPath path(body, tt);
  Vector heliocentric = path.before(0.0);
  Vector geocentric{};
  double lightTime = 0.0;
  for (int round = 0; round < 3; ++round) {
    if (round > 0) heliocentric = path.before(lightTime);
    for (int i = 0; i < 3; ++i) geocentric[i] = heliocentric[i] - earth.heliocentric[i];
    lightTime = length(geocentric) / speedOfLightAuPerDay;
  }
  seen.distanceAu = length(geocentric);
  seen.heliocentric = heliocentric;
  seen.direction = times(frame.npb, aberrated(unit(geocentric), earth));
  return seen;
}

double localSiderealRadians(const Frame& frame, double ut, double eastLongitudeRadians) {
  return eraAnp(eraEra00(ut, 0.0) - frame.equationOfOriginsRadians + eastLongitudeRadians);
}

Vector observerVector(double latitudeDegrees, double localSidereal) {
  double xyz[3];
  if (eraGd2gc(ERFA_WGS84, 0.0, radians(latitudeDegrees), 0.0, xyz) != 0) return {0.0, 0.0, 0.0};
  const double equatorDistance = std::hypot(xyz[0], xyz[1]) / ERFA_DAU;
  return {equatorDistance * std::cos(localSidereal), equatorDistance * std::sin(localSidereal), xyz[2] / ERFA_DAU};
}

AstCoord coordIn(const Vector& direction, CoordSystem system, const Frame& frame, double localSidereal,
                 double latitudeDegrees) {
  const double rightAscension = std::atan2(direction[1], direction[0]);
  const double declination = std::asin(std::clamp(direction[2], -1.0, 1.0));
  switch (system) {
    case CoordSystem::Equatorial:
      return AstCoord(intoTurnDegrees(degrees(rightAscension)), degrees(declination), system);
    case CoordSystem::Ecliptical: {
      const double ce = std::cos(frame.trueObliquityRadians);
      const double se = std::sin(frame.trueObliquityRadians);
      const double y = direction[1] * ce + direction[2] * se;
      const double z = -direction[1] * se + direction[2] * ce;
      return AstCoord(intoTurnDegrees(degrees(std::atan2(y, direction[0]))),
                      degrees(std::asin(std::clamp(z, -1.0, 1.0))), system);
    }
    case CoordSystem::Horizontal: {
      const double hourAngle = localSidereal - rightAscension;
      const double phi = radians(latitudeDegrees);
      const double sinAltitude = std::sin(phi) * std::sin(declination) +
                                 std::cos(phi) * std::cos(declination) * std::cos(hourAngle);
      const double azimuth = std::atan2(-std::cos(declination) * std::sin(hourAngle),
                                        std::sin(declination) * std::cos(phi) -
                                            std::cos(declination) * std::cos(hourAngle) * std::sin(phi));
      return AstCoord(intoTurnDegrees(degrees(azimuth)), degrees(std::asin(std::clamp(sinAltitude, -1.0, 1.0))),
                      system);
    }
    case CoordSystem::Galactic: {
      Vector reference = transposeTimes(frame.npb, direction);
      double alpha, delta, l, b;
      double p[3] = {reference[0], reference[1], reference[2]};
      eraC2s(p, &alpha, &delta);
      eraIcrs2g(alpha, delta, &l, &b);
      return AstCoord(intoTurnDegrees(degrees(l)), degrees(b), system);
    }
    case CoordSystem::None:
      break;
  }
  AstCoord invalid(system);
  invalid.invalidate();
  return invalid;
}

double separationDegrees(const Vector& a, const Vector& b) {
  const Vector cross{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
  const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  return degrees(std::atan2(length(cross), dot));
}

double moonRiseAltitude(double distanceKm) {
  const double horizontalParallax = degrees(std::asin(equatorialRadiusKm / distanceKm));
  return 0.7275 * horizontalParallax - 34.0 / 60.0;
}

DayTrack::DayTrack(double dayStartUt, const Sample& sample) : start_(dayStartUt) {
  const Moment first = momentAtUt(dayStartUt);
  const double offset = first.tt - first.ut;
  for (int k = 0; k < sampleCount; ++k) {
    const double ut = dayStartUt + k * hoursPerSampleStep / 24.0;
    if (!sample(ut + offset, directions_[k], distances_[k])) valid_ = false;
  }
}

Crossings DayTrack::crossings(const Frame& frame, double eastLongitudeRadians, double latitudeDegrees,
                              const std::function<double(double)>& altitudeFor) const {
  Crossings found;
  if (!valid_) return found;
  const double sinPhi = std::sin(radians(latitudeDegrees));
  const double cosPhi = std::cos(radians(latitudeDegrees));
  // The event's altitude changes slowly (the Moon's with its distance): its
  // sine is interpolated from the samples like the direction.
  std::array<double, sampleCount> sinThreshold{};
  for (int k = 0; k < sampleCount; ++k) sinThreshold[k] = std::sin(radians(altitudeFor(distances_[k])));
  // The Earth's rotation angle is linear in universal time.
  const double siderealAtStart = localSiderealRadians(frame, start_, eastLongitudeRadians);
  // Sine of the altitude less that of the event's altitude.
  const auto height = [&](double ut) {
    const double x = (ut - start_) * 24.0 / hoursPerSampleStep;
    Vector v{0.0, 0.0, 0.0};
    double threshold = 0.0;
    for (int k = 0; k < sampleCount; ++k) {
      const double w = lagrangeWeight(k, x, sampleCount);
      for (int i = 0; i < 3; ++i) v[i] += w * directions_[k][i];
      threshold += w * sinThreshold[k];
    }
    const double theta = siderealAtStart + earthRotationRadiansPerDay * (ut - start_);
    const double sinAltitude =
        (sinPhi * v[2] + cosPhi * (v[0] * std::cos(theta) + v[1] * std::sin(theta))) / length(v);
    return sinAltitude - threshold;
  };
  const double step = 1.0 / altitudeStepsPerDay;
  double t0 = start_;
  double h0 = height(t0);
  for (int k = 1; k <= altitudeStepsPerDay && !(found.rising && found.setting); ++k) {
    const double t1 = start_ + k * step;
    const double h1 = height(t1);
    const bool rising = h0 < 0.0 && h1 >= 0.0;
    const bool setting = h0 >= 0.0 && h1 < 0.0;
    if ((rising && !found.rising) || (setting && !found.setting)) {
      // Regula falsi with the Illinois halving: the curve is smooth, and a
      // few steps bring the bracket to a second.
      double lo = t0, hi = t1, hlo = h0, hhi = h1;
      int side = 0;
      double when = t0;
      for (int round = 0; round < 40 && hi - lo > crossingResolutionDays; ++round) {
        when = (lo * hhi - hi * hlo) / (hhi - hlo);
        const double hm = height(when);
        if ((hm < 0.0) == (hlo < 0.0)) {
          lo = when;
          hlo = hm;
          if (side == -1) hhi /= 2.0;
          side = -1;
        } else {
          hi = when;
          hhi = hm;
          if (side == 1) hlo /= 2.0;
          side = 1;
        }
        if (std::fabs(hm) < 1e-9) break;
      }
      // A crossing in the last step may fall on the next day's first second.
      if (when < start_ + 1.0) (rising ? found.rising : found.setting) = when;
    }
    t0 = t1;
    h0 = h1;
  }
  return found;
}

std::optional<double> civilDayStartUt(const Observer& observer) {
  AstDateTime civil = observer.momentIn(TimeKind::Lct);
  if (!civil.isValid()) return std::nullopt;
  civil.setHours(0.0);
  convertTime(civil, TimeKind::Gmt, observer.longitude(), observer.timeZone(), observer.daylightSaving);
  if (!civil.isValid()) return std::nullopt;
  const AstJulianDay jd = civil.toJulianDay();
  if (!jd.isValid()) return std::nullopt;
  return jd.value();
}

AstDateTime eventDateTime(const std::optional<double>& ut) {
  AstDateTime event(TimeKind::Gmt);
  if (!ut) {
    event.invalidate();
    return event;
  }
  event.setFromJulianDay(AstJulianDay(*ut));
  return event;
}

Vector catalogueDirection(const AstCoord& position) {
  if (!position.isValid()) return {0.0, 0.0, 0.0};
  const double alpha = radians(position.a());
  const double delta = radians(position.b());
  return {std::cos(delta) * std::cos(alpha), std::cos(delta) * std::sin(alpha), std::sin(delta)};
}

void catalogueToDate(const AstCoord* in, AstCoord* out, std::size_t count, const Observer& observer) {
  for (std::size_t n = 0; n < count; ++n) {
    const Vector direction = catalogueDirection(in[n]);
    catalogueDirectionsToDate(&direction, &out[n], 1, observer);
  }
}

void catalogueDirectionsToDate(const Vector* in, AstCoord* out, std::size_t count, const Observer& observer) {
  AstCoord invalid(CoordSystem::Equatorial);
  invalid.invalidate();
  const std::optional<Moment> moment = momentOf(observer);
  if (!moment) {
    std::fill(out, out + count, invalid);
    return;
  }
  // Mean equator and equinox of J2025.0 to the reference system, then to
  // the true equator and equinox of date: one matrix for the whole batch.
  constexpr double julianDayOfJ2025 = julianDayOfJ2000 + 25.0 * daysPerJulianYear;
  double rbp[3][3];
  eraPmat06(julianDayOfJ2025, 0.0, rbp);
  const Frame frame = frameAt(moment->tt);
  Matrix turn{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 3; ++k) sum += frame.npb[i][k] * rbp[j][k];
      turn[i][j] = sum;
    }
  // The annual aberration, as a displacement of date: the Earth's velocity
  // turned into the frame of date.
  const EarthState earth = earthAt(moment->tt);
  const Vector velocity = times(frame.npb, earth.barycentricVelocity);
  Vector v{};
  for (int i = 0; i < 3; ++i) v[i] = velocity[i] / speedOfLightAuPerDay;
  for (std::size_t n = 0; n < count; ++n) {
    const Vector& mean = in[n];
    if (mean[0] == 0.0 && mean[1] == 0.0 && mean[2] == 0.0) {
      out[n] = invalid;
      continue;
    }
    Vector p = times(turn, mean);
    // First order in v/c: 20" at most, its square a thousandth of an arcsecond.
    for (int i = 0; i < 3; ++i) p[i] += v[i];
    const double r = length(p);
    double rightAscension = degrees(std::atan2(p[1], p[0]));
    if (rightAscension < 0.0) rightAscension += 360.0;
    out[n] = AstCoord(rightAscension, degrees(std::asin(std::clamp(p[2] / r, -1.0, 1.0))), CoordSystem::Equatorial);
  }
}

}  // namespace noctavo::precise
