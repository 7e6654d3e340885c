#include "time/AstCoord.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "support/InternalErrorRecorder.h"
#include "time/AngleConstants.h"
#include "time/Observer.h"

namespace noctavo {
namespace {

// The program's degree factors stand on a pi rounded to eight digits, so a
// value that is exact in theory (a pole at latitude 90, the meridian at
// azimuth 180) comes out within about 1e-6 degrees of it.
constexpr double fixedConstantTolerance = 1e-5;  // degrees

// Forward and inverse formulas mix figures in degrees and in radians made
// with that factor; a round trip measured along the sky lands within about
// 2e-5 degrees (0.07 arcseconds) of where it started.
constexpr double roundTripTolerance = 5e-5;  // degrees, great-circle

// Obliquity of the ecliptic of the program, 0.4091380647147045 rad.
constexpr double obliquityDegrees = 23.441884;

constexpr double arcsecond = 1.0 / 3600.0;        // degrees
constexpr double timeSecond = 15.0 / 3600.0;      // degrees of right ascension
const std::string degree = "\xB0";                 // Windows-1252 degree sign

constexpr std::array<CoordSystem, 4> everySystem = {CoordSystem::Equatorial, CoordSystem::Ecliptical,
                                                    CoordSystem::Horizontal, CoordSystem::Galactic};

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

Observer londonEvening() {
  return observerAt(51.5, 0.1, 0.0f, AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct));
}

double localSiderealHours(const Observer& observer) {
  return observer.momentIn(TimeKind::Lst).getHours();
}

// Great-circle separation in degrees, insensitive to a first angle that
// wrapped from 359.99999 to 0.
double separationDegrees(const AstCoord& first, const AstCoord& second) {
  return angularDistance(first, second) * degreesPerRadian;
}

AstCoord converted(AstCoord coord, CoordSystem target, const Observer& observer) {
  convertCoord(coord, target, observer);
  return coord;
}

bool isNumber(const AstCoord& coord) { return std::isfinite(coord.a()) && std::isfinite(coord.b()); }

// Restores the program-wide display modes a test changes.
class DisplayModesGuard {
 public:
  DisplayModesGuard() : saved_(angleDisplayModes()) {}
  ~DisplayModesGuard() { setAngleDisplayModes(saved_); }
  DisplayModesGuard(const DisplayModesGuard&) = delete;
  DisplayModesGuard& operator=(const DisplayModesGuard&) = delete;

 private:
  AngleDisplayModes saved_;
};

constexpr AngleDisplayModes hoursAndDegrees{RightAscensionDisplay::HourMinSec, AngleDisplay::DegMinSec};
constexpr AngleDisplayModes degreesForBoth{RightAscensionDisplay::DegMinSec, AngleDisplay::DegMinSec};
constexpr AngleDisplayModes decimalForBoth{RightAscensionDisplay::Decimal, AngleDisplay::Decimal};

// ---------------------------------------------------------------------------
// Names of the coordinate systems

TEST(CoordSystemNames, ShortAndLongNamesFollowTheSystemNumbers) {
  const std::array<std::pair<const char*, const char*>, 4> expected = {
      {{"EQU", "Equatorial"}, {"ECL", "Ecliptical"}, {"HOR", "Horizontal"}, {"GAL", "Galactic"}}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_STREQ(coordSystemShortName(everySystem[i]), expected[i].first);
    EXPECT_STREQ(coordSystemLongName(everySystem[i]), expected[i].second);
  }
}

TEST(CoordSystemNames, EverySystemNamesItsTwoAngles) {
  EXPECT_STREQ(coordSystemFirstAngleName(CoordSystem::Equatorial), "Right ascension");
  EXPECT_STREQ(coordSystemSecondAngleName(CoordSystem::Equatorial), "Declination");
  EXPECT_STREQ(coordSystemFirstAngleName(CoordSystem::Ecliptical), "Longitude");
  EXPECT_STREQ(coordSystemSecondAngleName(CoordSystem::Ecliptical), "Latitude");
  EXPECT_STREQ(coordSystemFirstAngleName(CoordSystem::Horizontal), "Azimuth");
  EXPECT_STREQ(coordSystemSecondAngleName(CoordSystem::Horizontal), "Altitude");
  EXPECT_STREQ(coordSystemFirstAngleName(CoordSystem::Galactic), "Longitude");
  EXPECT_STREQ(coordSystemSecondAngleName(CoordSystem::Galactic), "Latitude");
}

TEST(CoordSystemNames, NoSystemHasEmptyNames) {
  EXPECT_STREQ(coordSystemShortName(CoordSystem::None), "");
  EXPECT_STREQ(coordSystemLongName(CoordSystem::None), "");
  EXPECT_STREQ(coordSystemFirstAngleName(CoordSystem::None), "");
  EXPECT_STREQ(coordSystemSecondAngleName(CoordSystem::None), "");
}

TEST(CoordSystemNames, ValueOutsideTheEnumerationIsAnInternalError) {
  testing::InternalErrorRecorder recorder;
  EXPECT_STREQ(coordSystemLongName(static_cast<CoordSystem>(9)), "");
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "astcrd");
}

TEST(CoordSystemNames, LookupOfALongNameFindsItsSystem) {
  for (CoordSystem system : everySystem)
    EXPECT_EQ(coordSystemByLongName(coordSystemLongName(system)), system);
}

TEST(CoordSystemNames, LookupIsExactAndCaseSensitive) {
  EXPECT_EQ(coordSystemByLongName("equatorial"), CoordSystem::None);
  EXPECT_EQ(coordSystemByLongName("Equatorial "), CoordSystem::None);
  EXPECT_EQ(coordSystemByLongName("EQU"), CoordSystem::None);
  EXPECT_EQ(coordSystemByLongName(""), CoordSystem::None);
}

// ---------------------------------------------------------------------------
// The coordinate value

TEST(AstCoordValue, NewCoordinateOfASystemHasZeroAngles) {
  const AstCoord coord(CoordSystem::Galactic);
  EXPECT_EQ(coord.a(), 0.0);
  EXPECT_EQ(coord.b(), 0.0);
  EXPECT_EQ(coord.system(), CoordSystem::Galactic);
  EXPECT_TRUE(coord.isValid());
}

TEST(AstCoordValue, DefaultCoordinateBelongsToNoSystem) {
  EXPECT_EQ(AstCoord().system(), CoordSystem::None);
}

TEST(AstCoordValue, SettersStoreEachField) {
  AstCoord coord;
  coord.setA(12.5);
  coord.setB(-33.25);
  coord.setSystem(CoordSystem::Horizontal);
  EXPECT_EQ(coord, AstCoord(12.5, -33.25, CoordSystem::Horizontal));
}

TEST(AstCoordValue, ValidityLooksOnlyAtTheFirstAngle) {
  AstCoord coord(10.0, 20.0, CoordSystem::Equatorial);
  coord.invalidate();
  EXPECT_FALSE(coord.isValid());
  EXPECT_EQ(coord.a(), invalidAngle);
  EXPECT_EQ(coord.b(), invalidAngle);
  EXPECT_TRUE(AstCoord(0.0, invalidAngle, CoordSystem::Equatorial).isValid());
}

// ---------------------------------------------------------------------------
// Equatorial and ecliptical

TEST(EquatorialEcliptical, VernalEquinoxLiesAtZeroInBothSystems) {
  const AstCoord ecliptical =
      converted(AstCoord(0.0, 0.0, CoordSystem::Equatorial), CoordSystem::Ecliptical, londonEvening());
  EXPECT_NEAR(ecliptical.a(), 0.0, fixedConstantTolerance);
  EXPECT_NEAR(ecliptical.b(), 0.0, fixedConstantTolerance);
  EXPECT_EQ(ecliptical.system(), CoordSystem::Ecliptical);
}

TEST(EquatorialEcliptical, RightAscension90GivesLongitude90AndLatitudeMinusObliquity) {
  const AstCoord ecliptical =
      converted(AstCoord(90.0, 0.0, CoordSystem::Equatorial), CoordSystem::Ecliptical, londonEvening());
  EXPECT_NEAR(ecliptical.a(), 90.0, fixedConstantTolerance);
  EXPECT_NEAR(ecliptical.b(), -obliquityDegrees, fixedConstantTolerance);
}

TEST(EquatorialEcliptical, SolsticeConvertedBackGivesRightAscension90Declination0) {
  const Observer observer = londonEvening();
  const AstCoord ecliptical =
      converted(AstCoord(90.0, 0.0, CoordSystem::Equatorial), CoordSystem::Ecliptical, observer);
  const AstCoord equatorial = converted(ecliptical, CoordSystem::Equatorial, observer);
  EXPECT_NEAR(equatorial.a(), 90.0, fixedConstantTolerance);
  EXPECT_NEAR(equatorial.b(), 0.0, fixedConstantTolerance);
  EXPECT_EQ(equatorial.system(), CoordSystem::Equatorial);
}

TEST(EquatorialEcliptical, CelestialPoleConvertsToNumbers) {
  for (double declination : {90.0, -90.0}) {
    const AstCoord ecliptical = converted(AstCoord(45.0, declination, CoordSystem::Equatorial),
                                          CoordSystem::Ecliptical, londonEvening());
    EXPECT_TRUE(isNumber(ecliptical)) << declination;
    EXPECT_NEAR(std::fabs(ecliptical.b()), 90.0 - obliquityDegrees, fixedConstantTolerance);
  }
}

// ---------------------------------------------------------------------------
// Equatorial and galactic

TEST(EquatorialGalactic, NorthGalacticPoleHasGalacticLatitude90) {
  const AstCoord galactic = converted(AstCoord(192.25, 27.4, CoordSystem::Equatorial),
                                      CoordSystem::Galactic, londonEvening());
  EXPECT_NEAR(galactic.b(), 90.0, fixedConstantTolerance);
  EXPECT_TRUE(isNumber(galactic));
}

TEST(EquatorialGalactic, GalacticToEquatorialAlwaysGivesRightAscensionWithinOneTurn) {
  const Observer observer = londonEvening();
  for (double longitude = 0.0; longitude < 360.0; longitude += 2.5) {
    for (double latitude = -89.0; latitude <= 89.0; latitude += 8.9) {
      const AstCoord equatorial =
          converted(AstCoord(longitude, latitude, CoordSystem::Galactic), CoordSystem::Equatorial, observer);
      EXPECT_GE(equatorial.a(), 0.0) << longitude << " " << latitude;
      EXPECT_LT(equatorial.a(), 360.0) << longitude << " " << latitude;
    }
  }
}

TEST(EquatorialGalactic, GalacticCentreLiesAtLongitudeAndLatitudeZero) {
  // The fixed pole (192.25, 27.4) is that of equinox B1950, where the
  // galactic centre stands at 17h42.4m -28 deg 55' (IAU 1958 definition).
  const AstCoord galactic = converted(AstCoord(265.6, -28.92, CoordSystem::Equatorial),
                                      CoordSystem::Galactic, londonEvening());
  const double longitudeFromZero = std::remainder(galactic.a(), 360.0);
  EXPECT_NEAR(longitudeFromZero, 0.0, 0.1);
  EXPECT_NEAR(galactic.b(), 0.0, 0.1);
}

// ---------------------------------------------------------------------------
// Equatorial and horizontal

// A position at a given hour angle for the observer's moment.
AstCoord equatorialAtHourAngle(const Observer& observer, double hourAngle, double declination) {
  double rightAscension = 15.0 * localSiderealHours(observer) - hourAngle;
  normalizeAngle(rightAscension);
  return AstCoord(rightAscension, declination, CoordSystem::Equatorial);
}

TEST(EquatorialHorizontal, StarOnTheMeridianSouthOfTheZenithHasAzimuth180) {
  const Observer observer = londonEvening();
  // Close to the zenith the arc cosine of about -1 magnifies the rounding of
  // the fixed factors beyond the tolerance; these stay 20 degrees off it.
  for (double declination : {-40.0, 0.0, 20.0, 31.5}) {
    const AstCoord horizontal =
        converted(equatorialAtHourAngle(observer, 0.0, declination), CoordSystem::Horizontal, observer);
    EXPECT_NEAR(horizontal.a(), 180.0, fixedConstantTolerance) << declination;
    EXPECT_NEAR(horizontal.b(), 90.0 - (observer.latitude() - declination), fixedConstantTolerance);
  }
}

TEST(EquatorialHorizontal, StarOnTheMeridianNorthOfTheZenithHasAzimuthZero) {
  const Observer observer = londonEvening();
  const AstCoord horizontal =
      converted(equatorialAtHourAngle(observer, 0.0, 70.0), CoordSystem::Horizontal, observer);
  EXPECT_NEAR(std::remainder(horizontal.a(), 360.0), 0.0, fixedConstantTolerance);
  EXPECT_LT(horizontal.a(), 360.0);
}

TEST(EquatorialHorizontal, StarWestOfTheMeridianHasAzimuthAbove180) {
  const Observer observer = londonEvening();
  const AstCoord horizontal =
      converted(equatorialAtHourAngle(observer, 90.0, 10.0), CoordSystem::Horizontal, observer);
  EXPECT_GT(horizontal.a(), 180.0);
  EXPECT_LT(horizontal.a(), 360.0);
}

TEST(EquatorialHorizontal, StarEastOfTheMeridianHasAzimuthBelow180) {
  const Observer observer = londonEvening();
  const AstCoord horizontal =
      converted(equatorialAtHourAngle(observer, 270.0, 10.0), CoordSystem::Horizontal, observer);
  EXPECT_GT(horizontal.a(), 0.0);
  EXPECT_LT(horizontal.a(), 180.0);
}

TEST(EquatorialHorizontal, CelestialPoleStandsAtTheObserversLatitude) {
  for (double latitude : {-60.0, -10.0, 0.0, 35.0, 51.5, 80.0}) {
    const Observer observer = observerAt(latitude, -15.0, 1.0f, AstDateTime(1, 7, 2000, 1.5, TimeKind::Lct));
    const double pole = latitude >= 0.0 ? 90.0 : -90.0;
    const AstCoord horizontal =
        converted(AstCoord(123.0, pole, CoordSystem::Equatorial), CoordSystem::Horizontal, observer);
    EXPECT_NEAR(horizontal.b(), std::fabs(latitude), fixedConstantTolerance) << latitude;
  }
}

TEST(EquatorialHorizontal, ObserverAtTheNorthPoleSeesDeclinationAsAltitude) {
  const Observer observer = observerAt(90.0, 0.0, 0.0f, AstDateTime(21, 12, 2010, 3.25, TimeKind::Lct));
  for (double hourAngle = 0.0; hourAngle < 360.0; hourAngle += 15.0) {
    for (double declination : {-89.0, -45.0, 0.0, 30.0, 89.0}) {
      const AstCoord horizontal = converted(equatorialAtHourAngle(observer, hourAngle, declination),
                                            CoordSystem::Horizontal, observer);
      ASSERT_TRUE(isNumber(horizontal)) << hourAngle << " " << declination;
      EXPECT_NEAR(horizontal.b(), declination, fixedConstantTolerance);
      EXPECT_GE(horizontal.a(), 0.0);
      EXPECT_LT(horizontal.a(), 360.0);
    }
  }
}

TEST(EquatorialHorizontal, ObserverAtTheSouthPoleSeesMinusDeclinationAsAltitude) {
  const Observer observer = observerAt(-90.0, 0.0, 0.0f, AstDateTime(21, 6, 2010, 13.0, TimeKind::Lct));
  for (double hourAngle = 0.0; hourAngle < 360.0; hourAngle += 15.0) {
    for (double declination : {-89.0, -45.0, 0.0, 30.0, 89.0}) {
      const AstCoord horizontal = converted(equatorialAtHourAngle(observer, hourAngle, declination),
                                            CoordSystem::Horizontal, observer);
      ASSERT_TRUE(isNumber(horizontal)) << hourAngle << " " << declination;
      EXPECT_NEAR(horizontal.b(), -declination, fixedConstantTolerance);
      EXPECT_GE(horizontal.a(), 0.0);
      EXPECT_LT(horizontal.a(), 360.0);
    }
  }
}

TEST(EquatorialHorizontal, ZenithAtEitherPoleHasAltitude90AndAnAzimuthThatIsANumber) {
  for (double latitude : {90.0, -90.0}) {
    const Observer observer = observerAt(latitude, 0.0, 0.0f, AstDateTime(1, 1, 2001, 0.0, TimeKind::Lct));
    for (double rightAscension : {0.0, 90.0, 180.0, 270.0}) {
      const AstCoord horizontal = converted(AstCoord(rightAscension, latitude, CoordSystem::Equatorial),
                                            CoordSystem::Horizontal, observer);
      ASSERT_TRUE(isNumber(horizontal)) << latitude << " " << rightAscension;
      EXPECT_NEAR(horizontal.b(), 90.0, fixedConstantTolerance);
      EXPECT_GE(horizontal.a(), 0.0);
      EXPECT_LT(horizontal.a(), 360.0);
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
      const AstCoord equatorial = converted(AstCoord(0.0, 90.0, CoordSystem::Horizontal),
                                            CoordSystem::Equatorial, observer);
      ASSERT_TRUE(isNumber(equatorial)) << latitude;
      EXPECT_NEAR(equatorial.b(), latitude, fixedConstantTolerance) << latitude;
    }
  }
}

TEST(EquatorialHorizontal, HorizontalToEquatorialAtEitherPoleGivesNumbers) {
  for (double latitude : {90.0, -90.0}) {
    const Observer observer = observerAt(latitude, 30.0, 2.0f, AstDateTime(5, 5, 1995, 22.0, TimeKind::Lct));
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 45.0) {
      for (double altitude : {-90.0, -30.0, 0.0, 45.0, 90.0}) {
        const AstCoord equatorial = converted(AstCoord(azimuth, altitude, CoordSystem::Horizontal),
                                              CoordSystem::Equatorial, observer);
        ASSERT_TRUE(isNumber(equatorial)) << latitude << " " << azimuth << " " << altitude;
        const double expectedDeclination = latitude > 0.0 ? altitude : -altitude;
        EXPECT_NEAR(equatorial.b(), expectedDeclination, fixedConstantTolerance);
        EXPECT_GE(equatorial.a(), 0.0);
        EXPECT_LT(equatorial.a(), 360.0);
      }
    }
  }
}

TEST(EquatorialHorizontal, ObserverWithoutAValidMomentLeavesThePositionInvalid) {
  Observer observer = londonEvening();
  observer.dateTime.invalidate();
  AstCoord coord(100.0, 20.0, CoordSystem::Equatorial);
  convertCoord(coord, CoordSystem::Horizontal, observer);
  EXPECT_FALSE(coord.isValid());
  EXPECT_EQ(coord.b(), invalidAngle);
}

TEST(EquatorialHorizontal, OtherConversionsDoNotNeedTheMoment) {
  Observer observer = londonEvening();
  observer.dateTime.invalidate();
  const AstCoord ecliptical =
      converted(AstCoord(90.0, 0.0, CoordSystem::Equatorial), CoordSystem::Ecliptical, observer);
  EXPECT_NEAR(ecliptical.a(), 90.0, fixedConstantTolerance);
}

TEST(EquatorialHorizontal, DaylightSavingShiftsTheSkyByOneHourOfSiderealTime) {
  const AstDateTime moment(1, 7, 2000, 23.0, TimeKind::Lct);
  const Observer summer = observerAt(48.0, -11.0, 1.0f, moment, true);
  AstDateTime anHourLater = moment;
  anHourLater.setHours(moment.getHours() - 1.0);
  const Observer winter = observerAt(48.0, -11.0, 1.0f, anHourLater, false);
  const AstCoord star(250.0, 35.0, CoordSystem::Equatorial);
  EXPECT_LT(separationDegrees(converted(star, CoordSystem::Horizontal, summer),
                              converted(star, CoordSystem::Horizontal, winter)),
            roundTripTolerance);
}

// ---------------------------------------------------------------------------
// convertCoord in general

TEST(ConvertCoord, SameSystemLeavesTheCoordinateUntouched) {
  AstCoord coord(400.0, -95.0, CoordSystem::Ecliptical);
  convertCoord(coord, CoordSystem::Ecliptical, londonEvening());
  EXPECT_EQ(coord, AstCoord(400.0, -95.0, CoordSystem::Ecliptical));
}

TEST(ConvertCoord, NoSystemToNoSystemIsNotAnError) {
  AstCoord coord(1.0, 2.0, CoordSystem::None);
  convertCoord(coord, CoordSystem::None, londonEvening());
  EXPECT_EQ(coord, AstCoord(1.0, 2.0, CoordSystem::None));
}

TEST(ConvertCoord, UnknownTargetSystemInvalidatesTheAnglesAndReportsAnInternalError) {
  for (CoordSystem unknown : {CoordSystem::None, static_cast<CoordSystem>(7)}) {
    testing::InternalErrorRecorder recorder;
    AstCoord coord(10.0, 20.0, CoordSystem::Equatorial);
    convertCoord(coord, unknown, londonEvening());
    EXPECT_EQ(coord.a(), invalidAngle);
    EXPECT_EQ(coord.b(), invalidAngle);
    EXPECT_EQ(coord.system(), CoordSystem::Equatorial);
    ASSERT_EQ(recorder.count(), 1u);
    EXPECT_EQ(recorder.modules()[0], "astcrd");
  }
}

TEST(ConvertCoord, UnknownSourceSystemInvalidatesTheAnglesAndReportsAnInternalError) {
  for (CoordSystem unknown : {CoordSystem::None, static_cast<CoordSystem>(-1)}) {
    testing::InternalErrorRecorder recorder;
    AstCoord coord(10.0, 20.0, unknown);
    convertCoord(coord, CoordSystem::Horizontal, londonEvening());
    EXPECT_EQ(coord.a(), invalidAngle);
    EXPECT_EQ(coord.b(), invalidAngle);
    EXPECT_EQ(coord.system(), unknown);
    ASSERT_EQ(recorder.count(), 1u);
    EXPECT_EQ(recorder.modules()[0], "astcrd");
  }
}

TEST(ConvertCoord, InvalidPositionStaysInvalidInTheTargetSystem) {
  AstCoord coord(CoordSystem::Equatorial);
  coord.invalidate();
  convertCoord(coord, CoordSystem::Galactic, londonEvening());
  EXPECT_FALSE(coord.isValid());
  EXPECT_EQ(coord.b(), invalidAngle);
  EXPECT_EQ(coord.system(), CoordSystem::Galactic);
}

// Observers spread over both hemispheres, time zones and daylight saving;
// their latitudes stay away from the poles, where azimuth has no meaning.
std::vector<Observer> observerGrid() {
  return {
      observerAt(51.5, 0.1, 0.0f, AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct)),
      observerAt(-33.9, -151.2, 10.0f, AstDateTime(1, 1, 2000, 0.25, TimeKind::Lct), true),
      observerAt(0.0, 78.5, -5.0f, AstDateTime(29, 2, 1980, 12.0, TimeKind::Lct)),
      observerAt(64.1, 21.9, 0.0f, AstDateTime(21, 6, 2001, 23.9, TimeKind::Lct)),
      observerAt(-77.8, -166.7, 12.0f, AstDateTime(30, 9, 1999, 6.75, TimeKind::Lct)),
      observerAt(19.8, 155.5, -10.0f, AstDateTime(10, 11, 2035, 3.0, TimeKind::Lct)),
  };
}

// The conversions all pass through the equatorial system; a position at
// or near the pole of any system loses its first angle there.
bool awayFromEveryPole(const AstCoord& coord, const Observer& observer) {
  for (CoordSystem system : everySystem) {
    if (std::fabs(converted(coord, system, observer).b()) > 85.0) return false;
  }
  return true;
}

class RoundTripBetweenSystems : public ::testing::TestWithParam<std::pair<CoordSystem, CoordSystem>> {};

TEST_P(RoundTripBetweenSystems, ReturnsToTheStartingPosition) {
  const auto [source, target] = GetParam();
  int checked = 0;
  for (const Observer& observer : observerGrid()) {
    for (double a = 5.0; a < 360.0; a += 25.0) {
      for (double b = -75.0; b <= 75.0; b += 15.0) {
        const AstCoord start(a, b, source);
        if (!awayFromEveryPole(start, observer)) continue;
        const AstCoord there = converted(start, target, observer);
        ASSERT_EQ(there.system(), target);
        ASSERT_TRUE(isNumber(there));
        EXPECT_GE(there.a(), 0.0);
        EXPECT_LT(there.a(), 360.0);
        EXPECT_LE(std::fabs(there.b()), 90.0);
        const AstCoord back = converted(there, source, observer);
        ASSERT_EQ(back.system(), source);
        EXPECT_LT(separationDegrees(start, back), roundTripTolerance)
            << "from " << a << ", " << b << " at latitude " << observer.latitude() << " via ("
            << there.a() << ", " << there.b() << ") back at (" << back.a() << ", " << back.b() << ")";
        EXPECT_NEAR(back.b(), b, roundTripTolerance);
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 500);
}

std::vector<std::pair<CoordSystem, CoordSystem>> everyPairOfSystems() {
  std::vector<std::pair<CoordSystem, CoordSystem>> pairs;
  for (CoordSystem source : everySystem)
    for (CoordSystem target : everySystem)
      if (source != target) pairs.emplace_back(source, target);
  return pairs;
}

std::string pairName(const ::testing::TestParamInfo<std::pair<CoordSystem, CoordSystem>>& info) {
  return std::string(coordSystemLongName(info.param.first)) + "Via" + coordSystemLongName(info.param.second);
}

INSTANTIATE_TEST_SUITE_P(EveryPair, RoundTripBetweenSystems, ::testing::ValuesIn(everyPairOfSystems()),
                         pairName);

// ---------------------------------------------------------------------------
// normalizeAngle

double normalized(double degrees) {
  normalizeAngle(degrees);
  return degrees;
}

TEST(NormalizeAngle, AngleWithinOneTurnIsUnchanged) {
  EXPECT_EQ(normalized(0.0), 0.0);
  EXPECT_EQ(normalized(123.25), 123.25);
  EXPECT_EQ(normalized(359.5), 359.5);
}

TEST(NormalizeAngle, NegativeAnglesGainWholeTurns) {
  EXPECT_DOUBLE_EQ(normalized(-90.0), 270.0);
  EXPECT_DOUBLE_EQ(normalized(-0.5), 359.5);
  EXPECT_DOUBLE_EQ(normalized(-370.0), 350.0);
  EXPECT_DOUBLE_EQ(normalized(-1000.25), 79.75);
}

TEST(NormalizeAngle, NegativeWholeTurnsBecomeZeroNot360) {
  EXPECT_EQ(normalized(-360.0), 0.0);
  EXPECT_EQ(normalized(-720.0), 0.0);
}

TEST(NormalizeAngle, TinyNegativeAngleStaysBelow360) {
  const double result = normalized(-1e-15);
  EXPECT_GE(result, 0.0);
  EXPECT_LT(result, 360.0);
}

TEST(NormalizeAngle, LargeAnglesLoseWholeTurns) {
  EXPECT_EQ(normalized(360.0), 0.0);
  EXPECT_EQ(normalized(720.0), 0.0);
  EXPECT_DOUBLE_EQ(normalized(725.5), 5.5);
  EXPECT_NEAR(normalized(36000.0 + 12.3), 12.3, 1e-9);
  EXPECT_NEAR(normalized(-36000.0 - 12.3), 347.7, 1e-9);
}

TEST(NormalizeAngle, HugeAnglesStayWithinOneTurn) {
  for (double value : {1e12, -1e12, 1e15 + 0.5, -1e15 - 0.5, 1e300, -1e300}) {
    const double result = normalized(value);
    EXPECT_GE(result, 0.0) << value;
    EXPECT_LT(result, 360.0) << value;
  }
}

// ---------------------------------------------------------------------------
// angularDistance

TEST(AngularDistance, SamePositionIsZeroNotNaN) {
  for (double b = -90.0; b <= 90.0; b += 0.37) {
    const AstCoord position(211.3, b, CoordSystem::Equatorial);
    const double distance = angularDistance(position, position);
    EXPECT_FALSE(std::isnan(distance)) << b;
    EXPECT_NEAR(distance, 0.0, 1e-7) << b;
  }
}

TEST(AngularDistance, QuarterTurnAlongTheEquatorIsHalfPi) {
  const AstCoord first(10.0, 0.0, CoordSystem::Galactic);
  const AstCoord second(100.0, 0.0, CoordSystem::Galactic);
  EXPECT_NEAR(angularDistance(first, second), 90.0 * radiansPerDegree, 1e-9);
}

TEST(AngularDistance, OppositePolesArePiApart) {
  const AstCoord north(0.0, 90.0, CoordSystem::Equatorial);
  const AstCoord south(0.0, -90.0, CoordSystem::Equatorial);
  EXPECT_FALSE(std::isnan(angularDistance(north, south)));
  EXPECT_NEAR(angularDistance(north, south) * degreesPerRadian, 180.0, fixedConstantTolerance);
}

TEST(AngularDistance, IsMeasuredInRadians) {
  const AstCoord first(0.0, 10.0, CoordSystem::Ecliptical);
  const AstCoord second(0.0, 40.0, CoordSystem::Ecliptical);
  EXPECT_NEAR(angularDistance(first, second), 30.0 * radiansPerDegree, 1e-9);
}

// ---------------------------------------------------------------------------
// compassDirection

TEST(CompassDirection, SectorBoundariesFallHalfwayBetweenThePoints) {
  EXPECT_STREQ(compassDirection(0.0), "N");
  EXPECT_STREQ(compassDirection(22.4), "N");
  EXPECT_STREQ(compassDirection(22.5), "NE");
  EXPECT_STREQ(compassDirection(337.4), "NW");
  EXPECT_STREQ(compassDirection(337.5), "N");
  EXPECT_STREQ(compassDirection(359.9), "N");
}

TEST(CompassDirection, EightPointsClockwiseFromNorth) {
  const std::array<const char*, 8> names = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_STREQ(compassDirection(45.0 * i), names[i]) << i;
    EXPECT_STREQ(compassDirection(45.0 * i + 20.0), names[i]) << i;
  }
}

TEST(CompassDirection, AzimuthOutsideOneTurnIsTakenModulo360) {
  EXPECT_STREQ(compassDirection(360.0), "N");
  EXPECT_STREQ(compassDirection(-90.0), "W");
  EXPECT_STREQ(compassDirection(450.0), "E");
  EXPECT_STREQ(compassDirection(-1000.0), compassDirection(80.0));
}

// ---------------------------------------------------------------------------
// formatAngle

TEST(FormatRightAscension, HourMinSecWritesHoursMinutesAndSeconds) {
  EXPECT_EQ(formatAngle(0.0, true, hoursAndDegrees), "0h00m00s");
  EXPECT_EQ(formatAngle(187.5, true, hoursAndDegrees), "12h30m00s");
  EXPECT_EQ(formatAngle(101.28875, true, hoursAndDegrees), "6h45m09s");
}

TEST(FormatRightAscension, HourMinSecShows123Point5DegreesAs8h14m00s) {
  EXPECT_EQ(formatAngle(123.5, true, hoursAndDegrees), "8h14m00s");
}

TEST(FormatRightAscension, HourMinSecShowsEveryWholeTimeSecondExactly) {
  // Each whole second of right ascension is a multiple of 1/240 degree that
  // doubles cannot hold exactly; truncation must not drop to the second below.
  for (int total = 0; total < 86400; total += 7) {
    const int hours = total / 3600;
    const int minutes = total / 60 % 60;
    const int seconds = total % 60;
    char expected[32];
    std::snprintf(expected, sizeof expected, "%dh%02dm%02ds", hours, minutes, seconds);
    const double degrees = 15.0 * (hours + minutes / 60.0 + seconds / 3600.0);
    ASSERT_EQ(formatAngle(degrees, true, hoursAndDegrees), expected) << total;
  }
}

TEST(FormatRightAscension, HourMinSecTruncatesInsteadOfRounding) {
  // 12h30m59.9s
  EXPECT_EQ(formatAngle(15.0 * (12.5 + 59.9 / 3600.0), true, hoursAndDegrees), "12h30m59s");
}

TEST(FormatRightAscension, NegativeValueGainsATurnBeforeFormatting) {
  EXPECT_EQ(formatAngle(-15.0, true, hoursAndDegrees), "23h00m00s");
  EXPECT_EQ(formatAngle(-0.5, true, degreesForBoth), "359" + degree + "30'00\"");
}

TEST(FormatRightAscension, DegMinSecWritesDegrees) {
  EXPECT_EQ(formatAngle(123.5, true, degreesForBoth), "123" + degree + "30'00\"");
}

TEST(FormatRightAscension, DecimalWritesTheUnchangedValueWithFiveDecimals) {
  EXPECT_EQ(formatAngle(123.5, true, decimalForBoth), "123.50000" + degree);
  EXPECT_EQ(formatAngle(-15.0, true, decimalForBoth), "-15.00000" + degree);
}

TEST(FormatOtherAngle, DegMinSecWritesDegreesMinutesAndSeconds) {
  EXPECT_EQ(formatAngle(45.5, false, hoursAndDegrees), "45" + degree + "30'00\"");
  EXPECT_EQ(formatAngle(-23.441884, false, hoursAndDegrees), "-23" + degree + "26'30\"");
  EXPECT_EQ(formatAngle(90.0, false, hoursAndDegrees), "90" + degree + "00'00\"");
}

TEST(FormatOtherAngle, MinusHalfADegreeKeepsItsSign) {
  EXPECT_EQ(formatAngle(-0.5, false, hoursAndDegrees), "-0" + degree + "30'00\"");
}

TEST(FormatOtherAngle, DegMinSecTruncatesInsteadOfRounding) {
  EXPECT_EQ(formatAngle(10.999999, false, hoursAndDegrees), "10" + degree + "59'59\"");
  EXPECT_EQ(formatAngle(-10.999999, false, hoursAndDegrees), "-10" + degree + "59'59\"");
}

TEST(FormatOtherAngle, DegMinSecShowsEveryWholeArcsecondExactly) {
  for (int total = -90 * 3600; total <= 90 * 3600; total += 11) {
    const int size = std::abs(total);
    const int degrees = size / 3600;
    const int minutes = size / 60 % 60;
    const int seconds = size % 60;
    const double sign = total < 0 ? -1.0 : 1.0;
    const double value = sign * (degrees + minutes / 60.0 + seconds / 3600.0);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%s%d\xB0%02d'%02d\"", total < 0 ? "-" : "", degrees, minutes,
                  seconds);
    ASSERT_EQ(formatAngle(value, false, hoursAndDegrees), expected) << total;
  }
}

TEST(FormatOtherAngle, DecimalWritesFiveDecimals) {
  EXPECT_EQ(formatAngle(-0.5, false, decimalForBoth), "-0.50000" + degree);
  EXPECT_EQ(formatAngle(51.477928, false, decimalForBoth), "51.47793" + degree);
}

TEST(FormatAngle, DisplayModeOutsideItsEnumerationIsAnInternalError) {
  testing::InternalErrorRecorder recorder;
  const AngleDisplayModes broken{static_cast<RightAscensionDisplay>(3), static_cast<AngleDisplay>(2)};
  EXPECT_EQ(formatAngle(1.0, true, broken), "");
  EXPECT_EQ(formatAngle(1.0, false, broken), "");
  EXPECT_EQ(recorder.count(), 2u);
}

TEST(AngleDisplayModesSetting, DefaultsAreHourMinSecAndDegMinSec) {
  const AngleDisplayModes defaults;
  EXPECT_EQ(defaults.rightAscension, RightAscensionDisplay::HourMinSec);
  EXPECT_EQ(defaults.other, AngleDisplay::DegMinSec);
  EXPECT_EQ(angleDisplayModes(), defaults);
}

TEST(AngleDisplayModesSetting, FormatterWithoutModesFollowsTheProgramSetting) {
  DisplayModesGuard guard;
  setAngleDisplayModes(decimalForBoth);
  EXPECT_EQ(angleDisplayModes(), decimalForBoth);
  EXPECT_EQ(formatAngle(123.5, true), "123.50000" + degree);
  EXPECT_EQ(formatAngle(-0.5, false), "-0.50000" + degree);
  setAngleDisplayModes(hoursAndDegrees);
  EXPECT_EQ(formatAngle(123.5, true), "8h14m00s");
  EXPECT_EQ(formatAngle(-0.5, false), "-0" + degree + "30'00\"");
}

TEST(AngleDisplayModesSetting, ExplicitModesOverrideTheProgramSetting) {
  DisplayModesGuard guard;
  setAngleDisplayModes(decimalForBoth);
  EXPECT_EQ(formatAngle(123.5, true, hoursAndDegrees), "8h14m00s");
}

TEST(AngleDisplayModesSetting, CoordinateFormatsBothAnglesInTheProgramSetting) {
  DisplayModesGuard guard;
  setAngleDisplayModes(hoursAndDegrees);
  const AstCoord coord(123.5, -0.5, CoordSystem::Equatorial);
  EXPECT_EQ(coord.formatFirst(true), "8h14m00s");
  EXPECT_EQ(coord.formatSecond(false), "-0" + degree + "30'00\"");
  EXPECT_EQ(coord.formatFirst(false), "123" + degree + "30'00\"");
  setAngleDisplayModes({RightAscensionDisplay::Decimal, AngleDisplay::DegMinSec});
  EXPECT_EQ(coord.formatFirst(true), "123.50000" + degree);
}

// ---------------------------------------------------------------------------
// parseAngle

double parsedOrNaN(const std::string& text, int limit) {
  double degrees = std::nan("");
  return parseAngle(text, limit, degrees) ? degrees : std::nan("");
}

TEST(ParseAngle, AcceptsEveryDegreeFormWithinLimit90) {
  EXPECT_DOUBLE_EQ(parsedOrNaN("90", 90), 90.0);
  EXPECT_DOUBLE_EQ(parsedOrNaN("90" + degree, 90), 90.0);
  EXPECT_DOUBLE_EQ(parsedOrNaN("45" + degree + "30'", 90), 45.5);
  EXPECT_DOUBLE_EQ(parsedOrNaN("45" + degree + "30'15\"", 90), 45.5 + 15.0 / 3600.0);
  EXPECT_DOUBLE_EQ(parsedOrNaN("-0" + degree + "30'", 90), -0.5);
  EXPECT_DOUBLE_EQ(parsedOrNaN("12.5", 90), 12.5);
  EXPECT_DOUBLE_EQ(parsedOrNaN("12.5" + degree, 90), 12.5);
}

TEST(ParseAngle, RejectsValuesBeyondTheLimitAndMalformedText) {
  for (const std::string& text :
       {"90" + degree + "1'", std::string("91"), "45" + degree + "60'", std::string("12.5x"),
        std::string(""), std::string("abc"), "45" + degree + "30'15\"x", "10" + degree + "-5'",
        std::string("90.0001"), std::string("12 h")}) {
    double degrees = 7.0;
    EXPECT_FALSE(parseAngle(text, 90, degrees)) << text;
    EXPECT_EQ(degrees, 7.0) << text;
  }
}

TEST(ParseAngle, NegativeDegreesCarryTheirSignIntoMinutesAndSeconds) {
  EXPECT_DOUBLE_EQ(parsedOrNaN("-45" + degree + "30'36\"", 90), -(45.0 + 30.0 / 60.0 + 36.0 / 3600.0));
  EXPECT_DOUBLE_EQ(parsedOrNaN("-0" + degree + "00'36\"", 90), -0.01);
  EXPECT_DOUBLE_EQ(parsedOrNaN("-0" + degree, 90), 0.0);
}

TEST(ParseAngle, HoursFormGivesDegreesOfRightAscension) {
  EXPECT_DOUBLE_EQ(parsedOrNaN("12h30m", 360), 187.5);
  EXPECT_DOUBLE_EQ(parsedOrNaN("12h", 360), 180.0);
  EXPECT_DOUBLE_EQ(parsedOrNaN("6h45m09s", 360), 101.2875);
  EXPECT_DOUBLE_EQ(parsedOrNaN("6H45M09S", 360), 101.2875);
  EXPECT_DOUBLE_EQ(parsedOrNaN("-0h30m", 360), -7.5);
  EXPECT_DOUBLE_EQ(parsedOrNaN("-1h30m", 360), -22.5);
}

TEST(ParseAngle, HoursFormReachesTheLimitOnlyWithoutMinutesOrSeconds) {
  EXPECT_DOUBLE_EQ(parsedOrNaN("24h", 360), 360.0);
  EXPECT_DOUBLE_EQ(parsedOrNaN("24h00m00s", 360), 360.0);
  EXPECT_TRUE(std::isnan(parsedOrNaN("24h01m", 360)));
  EXPECT_TRUE(std::isnan(parsedOrNaN("25h", 360)));
  EXPECT_TRUE(std::isnan(parsedOrNaN("12h60m", 360)));
  EXPECT_TRUE(std::isnan(parsedOrNaN("12h30m60s", 360)));
}

TEST(ParseAngle, NothingMayFollowTheLastAcceptedCharacter) {
  EXPECT_TRUE(std::isnan(parsedOrNaN("12h30m15sx", 360)));
  EXPECT_TRUE(std::isnan(parsedOrNaN("12h30mx", 360)));
  EXPECT_TRUE(std::isnan(parsedOrNaN("45" + degree + "x", 90)));
  EXPECT_TRUE(std::isnan(parsedOrNaN("12.5" + degree + "x", 90)));
  EXPECT_TRUE(std::isnan(parsedOrNaN("45" + degree + "30'x", 90)));
  EXPECT_TRUE(std::isnan(parsedOrNaN("12h ", 360)));
}

TEST(ParseAngle, DecimalFormKeepsDoublePrecision) {
  EXPECT_DOUBLE_EQ(parsedOrNaN("12.3456789012", 90), 12.3456789012);
  EXPECT_DOUBLE_EQ(parsedOrNaN("-179.99999999" + degree, 180), -179.99999999);
}

TEST(ParseAngle, LimitIsInclusiveForEveryForm) {
  EXPECT_DOUBLE_EQ(parsedOrNaN("-180", 180), -180.0);
  EXPECT_DOUBLE_EQ(parsedOrNaN("180.0", 180), 180.0);
  EXPECT_TRUE(std::isnan(parsedOrNaN("180.5", 180)));
  EXPECT_TRUE(std::isnan(parsedOrNaN("-181" + degree, 180)));
}

TEST(ParseAngle, ReadsBackWhatTheDegreeFormatterWrites) {
  for (double value = -90.0; value <= 90.0; value += 0.123457) {
    const std::string text = formatAngle(value, false, hoursAndDegrees);
    double parsed = 1e9;
    ASSERT_TRUE(parseAngle(text, 90, parsed)) << text;
    EXPECT_NEAR(parsed, value, arcsecond) << text;
  }
}

TEST(ParseAngle, ReadsBackWhatTheHourFormatterWrites) {
  for (double value = 0.0; value < 360.0; value += 0.0731) {
    const std::string text = formatAngle(value, true, hoursAndDegrees);
    double parsed = 1e9;
    ASSERT_TRUE(parseAngle(text, 360, parsed)) << text;
    EXPECT_NEAR(parsed, value, timeSecond) << text;
  }
}

TEST(ParseAngle, ReadsBackWhatTheDecimalFormatterWrites) {
  for (double value = -180.0; value < 180.0; value += 0.7654321) {
    const std::string text = formatAngle(value, false, decimalForBoth);
    double parsed = 1e9;
    ASSERT_TRUE(parseAngle(text, 180, parsed)) << text;
    EXPECT_NEAR(parsed, value, 0.6e-5) << text;  // half the last decimal
  }
}

}  // namespace
}  // namespace noctavo

namespace noctavo {
namespace {

TEST(FormatAngle, ValuesNoAngleCanHaveShowAsAsterisksInEveryMode) {
  // A failed computation must not reach the integer conversion of the
  // components (undefined for infinities and huge values).
  const AngleDisplayModes modes[] = {{RightAscensionDisplay::HourMinSec, AngleDisplay::DegMinSec},
                                     {RightAscensionDisplay::DegMinSec, AngleDisplay::Decimal},
                                     {RightAscensionDisplay::Decimal, AngleDisplay::DegMinSec}};
  for (const AngleDisplayModes& m : modes) {
    for (double bad : {std::nan(""), double(INFINITY), -double(INFINITY), 1e300}) {
      EXPECT_EQ(formatAngle(bad, true, m), "*****");
      EXPECT_EQ(formatAngle(bad, false, m), "*****");
    }
  }
  EXPECT_NE(formatAngle(359.5, true, modes[0]), "*****");
}

}  // namespace
}  // namespace noctavo
