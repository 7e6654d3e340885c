#include "time/AstCoord.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "time/AngleConstants.h"
#include "time/Observer.h"

namespace noctavo {
namespace {

// The degree factors stand on a pi rounded to eight digits, so a value that
// is exact in theory (a pole at latitude 90, the meridian at azimuth 180)
// comes out within about 1e-6 degrees of it.
constexpr double fixedConstantTolerance = 1e-5;  // degrees
// A round trip between systems lands within about 2e-5 degrees of its start.
constexpr double roundTripTolerance = 5e-5;  // degrees, great-circle
constexpr double obliquityDegrees = 23.441884;
const std::string degree = "\xB0";

constexpr std::array<CoordSystem, 4> everySystem = {CoordSystem::Equatorial, CoordSystem::Ecliptical,
                                                    CoordSystem::Horizontal, CoordSystem::Galactic};

constexpr AngleDisplayModes hoursAndDegrees{RightAscensionDisplay::HourMinSec, AngleDisplay::DegMinSec};
constexpr AngleDisplayModes degreesForBoth{RightAscensionDisplay::DegMinSec, AngleDisplay::DegMinSec};
constexpr AngleDisplayModes decimalForBoth{RightAscensionDisplay::Decimal, AngleDisplay::Decimal};

Observer observerAt(double latitude, double longitude, float timeZone, AstDateTime moment,
                    bool daylightSaving = false) {
  Observer observer;
  observer.dateTime = moment;
  observer.location.latitude.set(latitude);
  observer.location.longitude.set(longitude);
  observer.location.timeZone = timeZone;
  observer.daylightSaving = daylightSaving;
  return observer;
}

Observer londonEvening() { return observerAt(51.5, 0.1, 0.0f, AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct)); }

double separationDegrees(const AstCoord& first, const AstCoord& second) {
  return angularDistance(first, second) * degreesPerRadian;
}

AstCoord converted(AstCoord coord, CoordSystem target, const Observer& observer) {
  convertCoord(coord, target, observer);
  return coord;
}

bool isNumber(const AstCoord& coord) { return std::isfinite(coord.a()) && std::isfinite(coord.b()); }

bool firstAngleWithinOneTurn(const AstCoord& coord) { return coord.a() >= 0.0 && coord.a() < 360.0; }

// A position at a given hour angle (degrees) for the observer's moment.
AstCoord equatorialAtHourAngle(const Observer& observer, double hourAngle, double declination) {
  double rightAscension = 15.0 * observer.momentIn(TimeKind::Lst).getHours() - hourAngle;
  rightAscension = reducedIntoTurn(rightAscension);
  return AstCoord(rightAscension, declination, CoordSystem::Equatorial);
}

TEST(FixedSystems, KnownPointsConvertToTheirKnownPlaces) {
  const Observer observer = londonEvening();
  const struct {
    AstCoord from;
    CoordSystem to;
    double a, b;
  } cases[] = {
      {AstCoord(0.0, 0.0, CoordSystem::Equatorial), CoordSystem::Ecliptical, 0.0, 0.0},
      {AstCoord(90.0, 0.0, CoordSystem::Equatorial), CoordSystem::Ecliptical, 90.0, -obliquityDegrees},
      {AstCoord(90.0, -obliquityDegrees, CoordSystem::Ecliptical), CoordSystem::Equatorial, 90.0, 0.0},
  };
  for (const auto& c : cases) {
    const AstCoord result = converted(c.from, c.to, observer);
    EXPECT_EQ(result.system(), c.to);
    EXPECT_NEAR(std::remainder(result.a() - c.a, 360.0), 0.0, fixedConstantTolerance) << c.a;
    EXPECT_NEAR(result.b(), c.b, fixedConstantTolerance) << c.a;
  }
  // The north galactic pole of the IAU 1958 definition.
  EXPECT_NEAR(converted(AstCoord(192.25, 27.4, CoordSystem::Equatorial), CoordSystem::Galactic, observer).b(), 90.0,
              fixedConstantTolerance);
}

TEST(EquatorialHorizontal, TheHourAngleDecidesTheSideOfTheMeridian) {
  const Observer observer = londonEvening();
  // Close to the zenith the arc cosine of about -1 magnifies the rounding
  // of the fixed factors; these stay 20 degrees off it.
  for (double declination : {-40.0, 0.0, 20.0, 31.5}) {
    const AstCoord south = converted(equatorialAtHourAngle(observer, 0.0, declination), CoordSystem::Horizontal,
                                     observer);
    EXPECT_NEAR(south.a(), 180.0, fixedConstantTolerance) << declination;
    EXPECT_NEAR(south.b(), 90.0 - (observer.latitude() - declination), fixedConstantTolerance);
  }
  const AstCoord north = converted(equatorialAtHourAngle(observer, 0.0, 70.0), CoordSystem::Horizontal, observer);
  EXPECT_NEAR(std::remainder(north.a(), 360.0), 0.0, fixedConstantTolerance);
  EXPECT_TRUE(firstAngleWithinOneTurn(north));
  const double west = converted(equatorialAtHourAngle(observer, 90.0, 10.0), CoordSystem::Horizontal, observer).a();
  EXPECT_TRUE(west > 180.0 && west < 360.0) << west;
  const double east = converted(equatorialAtHourAngle(observer, 270.0, 10.0), CoordSystem::Horizontal, observer).a();
  EXPECT_TRUE(east > 0.0 && east < 180.0) << east;
}

TEST(EquatorialHorizontal, AtEitherPoleDeclinationIsAltitudeBothWaysAndEveryAngleIsANumber) {
  for (double latitude : {90.0, -90.0}) {
    const double sign = latitude > 0.0 ? 1.0 : -1.0;
    const Observer observer = observerAt(latitude, 30.0, 2.0f, AstDateTime(21, 12, 2010, 3.25, TimeKind::Lct));
    for (double angle = 0.0; angle < 360.0; angle += 15.0)
      for (double b : {-90.0, -89.0, -45.0, 0.0, 30.0, 89.0, 90.0}) {
        const AstCoord horizontal = converted(equatorialAtHourAngle(observer, angle, b), CoordSystem::Horizontal,
                                              observer);
        ASSERT_TRUE(isNumber(horizontal)) << latitude << " " << angle << " " << b;
        EXPECT_NEAR(horizontal.b(), sign * b, fixedConstantTolerance);
        EXPECT_TRUE(firstAngleWithinOneTurn(horizontal));
        const AstCoord equatorial = converted(AstCoord(angle, b, CoordSystem::Horizontal), CoordSystem::Equatorial,
                                              observer);
        ASSERT_TRUE(isNumber(equatorial)) << latitude << " " << angle << " " << b;
        EXPECT_NEAR(equatorial.b(), sign * b, fixedConstantTolerance);
        EXPECT_TRUE(firstAngleWithinOneTurn(equatorial));
      }
  }
}

TEST(EquatorialHorizontal, ObjectInTheZenithConvertsToNumbersAtEveryLatitude) {
  // In the zenith the azimuth divides by the cosine of an altitude of 90
  // degrees; near the south pole the unguarded quotient leaves [-1, 1].
  for (int step = 0; step <= 18000; ++step) {
    const double latitude = -90.0 + 0.01 * step;
    const Observer observer = observerAt(latitude, 0.0, 0.0f, AstDateTime(1, 1, 2000, 7.3, TimeKind::Lct));
    for (double hourAngle : {0.0, 1e-12, -1e-12}) {
      const AstCoord horizontal = converted(equatorialAtHourAngle(observer, hourAngle, latitude),
                                            CoordSystem::Horizontal, observer);
      ASSERT_TRUE(isNumber(horizontal)) << latitude << " " << hourAngle;
      EXPECT_NEAR(horizontal.b(), 90.0, fixedConstantTolerance) << latitude;
    }
    const AstCoord equatorial = converted(AstCoord(0.0, 90.0, CoordSystem::Horizontal), CoordSystem::Equatorial,
                                          observer);
    ASSERT_TRUE(isNumber(equatorial)) << latitude;
    EXPECT_NEAR(equatorial.b(), latitude, fixedConstantTolerance) << latitude;
  }
}

TEST(ConvertCoord, AnInvalidPositionStaysInvalidAndOnlyTheHorizontalSystemNeedsAValidMoment) {
  AstCoord invalid(CoordSystem::Equatorial);
  invalid.invalidate();
  const AstCoord result = converted(invalid, CoordSystem::Galactic, londonEvening());
  EXPECT_FALSE(result.isValid());
  EXPECT_EQ(result.system(), CoordSystem::Galactic);
  Observer noMoment = londonEvening();
  noMoment.dateTime.invalidate();
  EXPECT_EQ(converted(AstCoord(100.0, 20.0, CoordSystem::Equatorial), CoordSystem::Horizontal, noMoment).b(),
            invalidAngle);
  EXPECT_NEAR(converted(AstCoord(90.0, 0.0, CoordSystem::Equatorial), CoordSystem::Ecliptical, noMoment).a(), 90.0,
              fixedConstantTolerance);
}

// Observers spread over both hemispheres, time zones and daylight saving,
// away from the poles, where azimuth has no meaning.
std::vector<Observer> observerGrid() {
  return {observerAt(51.5, 0.1, 0.0f, AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct)),
          observerAt(-33.9, -151.2, 10.0f, AstDateTime(1, 1, 2000, 0.25, TimeKind::Lct), true),
          observerAt(0.0, 78.5, -5.0f, AstDateTime(29, 2, 1980, 12.0, TimeKind::Lct)),
          observerAt(64.1, 21.9, 0.0f, AstDateTime(21, 6, 2001, 23.9, TimeKind::Lct)),
          observerAt(-77.8, -166.7, 12.0f, AstDateTime(30, 9, 1999, 6.75, TimeKind::Lct)),
          observerAt(19.8, 155.5, -10.0f, AstDateTime(10, 11, 2035, 3.0, TimeKind::Lct))};
}

// A position near the pole of any system loses its first angle on the way.
bool awayFromEveryPole(const AstCoord& coord, const Observer& observer) {
  for (CoordSystem system : everySystem) {
    if (std::fabs(converted(coord, system, observer).b()) > 85.0) return false;
  }
  return true;
}

TEST(RoundTripBetweenSystems, EveryPairReturnsToTheStartingPosition) {
  for (CoordSystem source : everySystem)
    for (CoordSystem target : everySystem) {
      if (source == target) continue;
      SCOPED_TRACE(std::string(coordSystemLongName(source)) + " via " + coordSystemLongName(target));
      int checked = 0;
      for (const Observer& observer : observerGrid())
        for (double a = 5.0; a < 360.0; a += 25.0)
          for (double b = -75.0; b <= 75.0; b += 15.0) {
            const AstCoord start(a, b, source);
            if (!awayFromEveryPole(start, observer)) continue;
            const AstCoord there = converted(start, target, observer);
            ASSERT_EQ(there.system(), target);
            ASSERT_TRUE(isNumber(there));
            EXPECT_TRUE(firstAngleWithinOneTurn(there));
            EXPECT_LE(std::fabs(there.b()), 90.0);
            const AstCoord back = converted(there, source, observer);
            ASSERT_EQ(back.system(), source);
            EXPECT_LT(separationDegrees(start, back), roundTripTolerance)
                << "from " << a << ", " << b << " at latitude " << observer.latitude();
            EXPECT_NEAR(back.b(), b, roundTripTolerance);
            ++checked;
          }
      EXPECT_GT(checked, 500);
    }
}

TEST(AngleHelpers, ReduceIntoZeroUpTo360MeasureDistancesInRadiansAndNameCompassPoints) {
  const std::pair<double, double> cases[] = {{0.0, 0.0},    {359.5, 359.5}, {-90.0, 270.0}, {-370.0, 350.0},
                                             {-360.0, 0.0}, {-720.0, 0.0},  {360.0, 0.0},   {725.5, 5.5},
                                             {36012.3, 12.3}, {-36012.3, 347.7}, {-1000.25, 79.75}};
  for (auto [value, expected] : cases) {
    value = reducedIntoTurn(value);
    EXPECT_NEAR(value, expected, 1e-9) << expected;
  }
  for (double value : {-1e-15, 1e12, -1e12, 1e15 + 0.5, 1e300, -1e300}) {
    value = reducedIntoTurn(value);
    EXPECT_TRUE(value >= 0.0 && value < 360.0) << value;
  }
  for (double b = -90.0; b <= 90.0; b += 0.37) {
    const AstCoord position(211.3, b, CoordSystem::Equatorial);
    EXPECT_NEAR(angularDistance(position, position), 0.0, 1e-7) << b;  // NaN fails too
  }
  const auto between = [](double a1, double b1, double a2, double b2) {
    return angularDistance(AstCoord(a1, b1, CoordSystem::Galactic), AstCoord(a2, b2, CoordSystem::Galactic));
  };
  EXPECT_NEAR(between(10.0, 0.0, 100.0, 0.0), 90.0 * radiansPerDegree, 1e-9);
  EXPECT_NEAR(between(0.0, 10.0, 0.0, 40.0), 30.0 * radiansPerDegree, 1e-9);
  EXPECT_NEAR(between(0.0, 90.0, 0.0, -90.0) * degreesPerRadian, 180.0, fixedConstantTolerance);
  // Eight points with the boundaries halfway, azimuths taken modulo 360.
  const std::pair<double, const char*> points[] = {
      {0.0, "N"},   {22.4, "N"},   {22.5, "NE"},  {90.0, "E"},   {135.0, "SE"}, {180.0, "S"}, {225.0, "SW"},
      {290.0, "W"}, {337.4, "NW"}, {337.5, "N"},  {359.9, "N"},  {360.0, "N"},  {-90.0, "W"}, {450.0, "E"}};
  for (auto [azimuth, name] : points) EXPECT_STREQ(compassDirection(azimuth), name) << azimuth;
  EXPECT_STREQ(compassDirection(-1000.0), compassDirection(80.0));
}

TEST(FormatAngle, EveryDisplayModeWritesItsForm) {
  const struct {
    double value;
    bool rightAscension;
    AngleDisplayModes modes;
    std::string text;
  } cases[] = {
      {0.0, true, hoursAndDegrees, "0h00m00s"},
      {123.5, true, hoursAndDegrees, "8h14m00s"},
      {101.28875, true, hoursAndDegrees, "6h45m09s"},
      {15.0 * (12.5 + 59.9 / 3600.0), true, hoursAndDegrees, "12h30m59s"},  // truncated
      {-15.0, true, hoursAndDegrees, "23h00m00s"},
      {359.9999999999999, true, hoursAndDegrees, "0h00m00s"},  // not 24h: a direction
      {359.9999999999999, true, degreesForBoth, "0" + degree + "00'00\""},
      {-0.5, true, degreesForBoth, "359" + degree + "30'00\""},
      {123.5, true, degreesForBoth, "123" + degree + "30'00\""},
      {-15.0, true, decimalForBoth, "-15.00000" + degree},
      {-23.441884, false, hoursAndDegrees, "-23" + degree + "26'30\""},
      {-0.5, false, hoursAndDegrees, "-0" + degree + "30'00\""},
      {10.999999, false, hoursAndDegrees, "10" + degree + "59'59\""},
      {-10.999999, false, hoursAndDegrees, "-10" + degree + "59'59\""},
      {51.477928, false, decimalForBoth, "51.47793" + degree},
  };
  for (const auto& c : cases) EXPECT_EQ(formatAngle(c.value, c.rightAscension, c.modes), c.text) << c.value;
}

TEST(FormatAngle, EveryWholeTimeSecondAndArcsecondShowsExactly) {
  // Whole seconds are multiples of 1/240 or 1/3600 degree that doubles
  // cannot hold exactly; truncation must not drop to the second below.
  for (int total = 0; total < 86400; total += 7) {
    char expected[32];
    std::snprintf(expected, sizeof expected, "%dh%02dm%02ds", total / 3600, total / 60 % 60, total % 60);
    const double degrees = 15.0 * (total / 3600 + total / 60 % 60 / 60.0 + total % 60 / 3600.0);
    ASSERT_EQ(formatAngle(degrees, true, hoursAndDegrees), expected) << total;
  }
  for (int total = -90 * 3600; total <= 90 * 3600; total += 11) {
    const int size = std::abs(total);
    const double value = (total < 0 ? -1.0 : 1.0) * (size / 3600 + size / 60 % 60 / 60.0 + size % 60 / 3600.0);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%s%d\xB0%02d'%02d\"", total < 0 ? "-" : "", size / 3600,
                  size / 60 % 60, size % 60);
    ASSERT_EQ(formatAngle(value, false, hoursAndDegrees), expected) << total;
  }
}

TEST(FormatAngle, ValuesNoAngleCanHaveShowAsAsterisksAndTheProgramSettingApplies) {
  // A failed computation must not reach the integer conversion of the
  // components (undefined for infinities and huge values).
  for (const AngleDisplayModes& modes : {hoursAndDegrees, degreesForBoth, decimalForBoth})
    for (double bad : {std::nan(""), double(INFINITY), -double(INFINITY), 1e300}) {
      EXPECT_EQ(formatAngle(bad, true, modes), "*****");
      EXPECT_EQ(formatAngle(bad, false, modes), "*****");
    }
  EXPECT_EQ(angleDisplayModes(), hoursAndDegrees);
  setAngleDisplayModes(decimalForBoth);
  EXPECT_EQ(formatAngle(123.5, true), "123.50000" + degree);
  setAngleDisplayModes(hoursAndDegrees);
  const AstCoord coord(123.5, -0.5, CoordSystem::Equatorial);
  EXPECT_EQ(coord.formatFirst(true) + " " + coord.formatFirst(false) + " " + coord.formatSecond(false),
            "8h14m00s 123" + degree + "30'00\" -0" + degree + "30'00\"");
}

double parsedOrNaN(const std::string& text, int limit) {
  double degrees = std::nan("");
  return parseAngle(text, limit, degrees) ? degrees : std::nan("");
}

TEST(ParseAngle, AcceptsTheDegreeHourAndDecimalFormsUpToTheLimitAndNothingElse) {
  const struct { std::string text; int limit; double degrees; } cases[] = {
      {"90", 90, 90.0}, {"90" + degree, 90, 90.0}, {"45" + degree + "30'", 90, 45.5},
      {"45" + degree + "30'15\"", 90, 45.5 + 15.0 / 3600.0}, {"-0" + degree + "30'", 90, -0.5},
      {"-45" + degree + "30'36\"", 90, -(45.0 + 30.0 / 60.0 + 36.0 / 3600.0)}, {"-0" + degree + "00'36\"", 90, -0.01},
      {"12.5", 90, 12.5}, {"12.5" + degree, 90, 12.5}, {"12.3456789012", 90, 12.3456789012},  // double precision
      {"-179.99999999" + degree, 180, -179.99999999}, {"-180", 180, -180.0}, {"12h30m", 360, 187.5},
      {"6H45M09S", 360, 101.2875}, {"-1h30m", 360, -22.5}, {"24h00m00s", 360, 360.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(parsedOrNaN(c.text, c.limit), c.degrees) << c.text;
  // Beyond the limit, malformed, or anything after the last mark.
  const std::pair<std::string, int> rejected[] = {
      {"90" + degree + "1'", 90},     {"91", 90},          {"45" + degree + "60'", 90}, {"12.5x", 90},
      {"", 90},                       {"abc", 90},         {"10" + degree + "-5'", 90}, {"90.0001", 90},
      {"12 h", 90},                   {"180.5", 180},      {"-181" + degree, 180},      {"24h01m", 360},
      {"25h", 360},                   {"12h60m", 360},     {"12h30m60s", 360},          {"12h30m15sx", 360},
      {"12h30mx", 360},               {"12h ", 360},       {"45" + degree + "x", 90},   {"12.5" + degree + "x", 90},
      {"45" + degree + "30'x", 90},   {"45" + degree + "30'15\"x", 90}};
  for (const auto& [text, limit] : rejected) {
    double degrees = 7.0;
    EXPECT_FALSE(parseAngle(text, limit, degrees)) << text;
    EXPECT_EQ(degrees, 7.0) << text;
  }
}

TEST(ParseAngle, ReadsBackWhatTheFormatterWritesInEveryMode) {
  const struct { bool rightAscension; AngleDisplayModes modes; int limit; double from, step, tolerance; } cases[] = {
      {false, hoursAndDegrees, 90, -90.0, 0.123457, 1.0 / 3600.0},  // an arcsecond
      {true, hoursAndDegrees, 360, 0.0, 0.0731, 15.0 / 3600.0},     // a second of time
      {false, decimalForBoth, 180, -180.0, 0.7654321, 0.6e-5}};      // half the last decimal
  for (const auto& c : cases)
    for (double value = c.from; value < c.limit; value += c.step) {
      const std::string text = formatAngle(value, c.rightAscension, c.modes);
      double parsed = 1e9;
      ASSERT_TRUE(parseAngle(text, c.limit, parsed)) << text;
      EXPECT_NEAR(parsed, value, c.tolerance) << text;
    }
}

}  // namespace
}  // namespace noctavo
