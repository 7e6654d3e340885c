#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "bodies/AstSun.h"
#include "bodies/QuantityBits.h"
#include "support/InternalErrorRecorder.h"
#include "time/TimeSystems.h"

namespace {

using noctavo::AstCoord;
using noctavo::AstDateTime;
using noctavo::AstSun;
using noctavo::BodyState;
using noctavo::CoordSystem;
using noctavo::Observer;
using noctavo::TimeKind;
using noctavo::theSun;
namespace bit = noctavo::quantity_bit;

constexpr double minutes = 1.0 / 60.0;  // in hours

Observer observerAt(int day, int month, int year, double hours, double latitude, double longitude = 0.0,
                    float timeZone = 0.0f, bool daylightSaving = false) {
  Observer observer;
  observer.dateTime = AstDateTime(day, month, year, hours, TimeKind::Lct);
  observer.location.latitude.set(latitude);
  observer.location.longitude.set(longitude);
  observer.location.timeZone = timeZone;
  observer.daylightSaving = daylightSaving;
  return observer;
}

BodyState sunFor(const Observer& observer, std::uint32_t flags, TimeKind timeKind = TimeKind::Gmt,
                 CoordSystem system = CoordSystem::Ecliptical) {
  BodyState state;
  theSun().compute(flags, observer, state, timeKind, system);
  return state;
}

// An event is either invalid or a time of day; never NaN, never 24h or more.
void expectInvalidOrTimeOfDay(const AstDateTime& event, const std::string& where) {
  if (!event.isValid()) return;
  EXPECT_TRUE(std::isfinite(event.getHours())) << where;
  EXPECT_GE(event.getHours(), 0.0) << where;
  EXPECT_LT(event.getHours(), 24.0) << where;
}

// The epoch 1980 January 0.0 is 31.12.1979 0h Gmt; at Greenwich without a
// zone the civil time is that universal time.
const Observer epochAtGreenwich = observerAt(31, 12, 1979, 0.0, 51.5);

TEST(SunPosition, MeanAnomalyAtTheEpochIsLongitudeAtEpochMinusPerigeePlus360) {
  EXPECT_NEAR(theSun().placeAt(0.0).meanAnomaly, 356.237137, 1e-9);
}

TEST(SunPosition, EclipticLongitudeAtTheEpochIsCloseTo278_8) {
  const BodyState state = sunFor(epochAtGreenwich, bit::position);
  EXPECT_NEAR(state.position.a(), 278.8, 0.2);
  EXPECT_DOUBLE_EQ(state.position.b(), 0.0);
  EXPECT_EQ(state.position.system(), CoordSystem::Ecliptical);
  EXPECT_DOUBLE_EQ(state.position.a(), theSun().placeAt(0.0).eclipticLongitude);
}

TEST(SunPosition, DaysAreCountedFromTheEpochInUniversalTime) {
  EXPECT_NEAR(AstSun::daysSinceEpoch(epochAtGreenwich), 0.0, 1e-9);
  // 1.1.1980 1h in a zone one hour east is 0h Gmt: one day after the epoch.
  EXPECT_NEAR(AstSun::daysSinceEpoch(observerAt(1, 1, 1980, 1.0, 0.0, 0.0, 1.0f)), 1.0, 1e-9);
  EXPECT_NEAR(AstSun::daysSinceEpoch(observerAt(1, 1, 1980, 2.0, 0.0, 0.0, 1.0f, true)), 1.0, 1e-9);
}

TEST(SunPosition, StandsNearTheEquinoxPointsAtTheEquinoxes) {
  // Equinoxes of 2024: 20 March 03:06 UT and 22 September 12:44 UT.
  const double march = sunFor(observerAt(20, 3, 2024, 3.1, 0.0), bit::longitude).position.a();
  EXPECT_LT(std::fabs(std::remainder(march, 360.0)), 0.1);
  const double september = sunFor(observerAt(22, 9, 2024, 12.73, 0.0), bit::longitude).position.a();
  EXPECT_NEAR(september, 180.0, 0.1);
}

TEST(SunKepler, SolvesKeplersEquationForEveryMeanAnomaly) {
  const double e = theSun().eccentricity();
  for (double m = 0.0; m < 6.3; m += 0.1) {
    const double eccentricAnomaly = theSun().solveKepler(m);
    EXPECT_NEAR(eccentricAnomaly - e * std::sin(eccentricAnomaly), m, 1e-9) << "M = " << m;
  }
}

TEST(SunDistance, IsAbout0_983AuAtTheStartOfJanuaryAnd1_017AtTheStartOfJuly) {
  const BodyState january = sunFor(observerAt(3, 1, 2024, 12.0, 0.0), bit::distanceFromEarth | bit::angularSize);
  const BodyState july = sunFor(observerAt(4, 7, 2024, 12.0, 0.0), bit::distanceFromEarth | bit::angularSize);
  EXPECT_NEAR(january.distanceFromEarth, 0.983, 0.001);
  EXPECT_NEAR(july.distanceFromEarth, 1.017, 0.001);
  EXPECT_NEAR(january.angularSize, 0.542, 0.001);
  EXPECT_NEAR(july.angularSize, 0.524, 0.001);
}

TEST(SunMidnight, IsTheRightAscensionOppositeTheSun) {
  for (int month = 1; month <= 12; ++month) {
    const Observer observer = observerAt(1, month, 2010, 6.0, 30.0);
    const BodyState state = sunFor(observer, bit::position | bit::midnight, TimeKind::Gmt, CoordSystem::Equatorial);
    EXPECT_GE(state.midnight, 0.0);
    EXPECT_LT(state.midnight, 360.0);
    EXPECT_NEAR(std::fabs(std::remainder(state.midnight - state.position.a(), 360.0)), 180.0, 1e-9);
  }
}

TEST(SunRiseAndSet, At70NorthNoSunsetInJuneAndNoSunriseInDecember) {
  for (int month : {6, 12}) {
    const BodyState state = sunFor(observerAt(21, month, 2024, 12.0, 70.0), bit::events);
    EXPECT_FALSE(state.rise.isValid()) << month;
    EXPECT_FALSE(state.set.isValid()) << month;
    EXPECT_FALSE(state.twilightBegin.isValid()) << month;
    EXPECT_FALSE(state.twilightEnd.isValid()) << month;
  }
}

TEST(SunRiseAndSet, SunriseInLondonOnMidsummerDay2024MatchesTheSky) {
  // The almanac gives 03:43 UT for the upper limb with refraction; the
  // program takes the Sun's centre without refraction, which in London in
  // June comes about 7 minutes later.
  const Observer london = observerAt(21, 6, 2024, 12.0, 51.5074, 0.1278);
  const BodyState state = sunFor(london, bit::rise | bit::set);
  ASSERT_TRUE(state.rise.isValid());
  ASSERT_TRUE(state.set.isValid());
  EXPECT_EQ(state.rise.getKind(), TimeKind::Gmt);
  EXPECT_NEAR(state.rise.getHours(), 3.0 + 50.0 * minutes, 6.0 * minutes);
  // Almanac sunset 20:21 UT, the centre about 7 minutes earlier.
  EXPECT_NEAR(state.set.getHours(), 20.0 + 14.0 * minutes, 6.0 * minutes);
}

TEST(SunRiseAndSet, DaylightSavingShowsTheRiseOneHourLaterInCivilTime) {
  const Observer winterTime = observerAt(1, 5, 2024, 12.0, 48.0, -10.0, 1.0f, false);
  Observer summerTime = winterTime;
  summerTime.daylightSaving = true;
  const BodyState off = sunFor(winterTime, bit::rise | bit::set, TimeKind::Lct);
  const BodyState on = sunFor(summerTime, bit::rise | bit::set, TimeKind::Lct);
  ASSERT_TRUE(off.rise.isValid());
  ASSERT_TRUE(on.rise.isValid());
  EXPECT_EQ(on.rise.getKind(), TimeKind::Lct);
  // The Sun is taken at the observer's universal time, which itself moves
  // by the hour: a few seconds of difference remain.
  EXPECT_NEAR(on.rise.getHours() - off.rise.getHours(), 1.0, 0.5 * minutes);
  EXPECT_NEAR(on.set.getHours() - off.set.getHours(), 1.0, 0.5 * minutes);
}

TEST(SunRiseAndSet, SiderealEventTimesStayWithinTheDay) {
  // The interpolation between today's and tomorrow's Sun can carry a
  // sidereal time past 24h (for instance at 32 degrees south in early
  // June); it must come back as a time of the same day.
  for (double latitude : {-60.0, -32.0, -12.0, 0.0, 25.0, 51.5, 60.0}) {
    Observer observer = observerAt(1, 1, 2024, 12.0, latitude);
    for (int day = 0; day < 366; ++day) {
      const BodyState state = sunFor(observer, bit::events, TimeKind::Lst);
      const std::string where = observer.dateTime.formatDate() + " at " + std::to_string(latitude);
      expectInvalidOrTimeOfDay(state.rise, where);
      expectInvalidOrTimeOfDay(state.set, where);
      expectInvalidOrTimeOfDay(state.twilightBegin, where);
      expectInvalidOrTimeOfDay(state.twilightEnd, where);
      observer.dateTime.addDays(1);
    }
  }
}

TEST(SunRiseAndSet, OnlyTheEventsAskedForChange) {
  BodyState state;
  state.rise = AstDateTime(2, 2, 2002, 2.0, TimeKind::Gmt);
  state.set = AstDateTime(3, 3, 2003, 3.0, TimeKind::Gmt);
  const BodyState before = state;
  theSun().compute(bit::twilightBegin, observerAt(21, 12, 2024, 12.0, 51.5), state, TimeKind::Gmt,
                   CoordSystem::Ecliptical);
  EXPECT_EQ(state.rise, before.rise);
  EXPECT_EQ(state.set, before.set);
  EXPECT_TRUE(state.twilightBegin.isValid());
}

TEST(SunRiseAndSet, DirectionAskedWithTheRiseIsThatOfTheObserversMoment) {
  // Asking for the rise in the same call must not move the direction to
  // another time of day.
  const Observer afternoon = observerAt(5, 8, 2015, 15.0, 45.0, -7.0, 1.0f);
  const BodyState combined = sunFor(afternoon, bit::direction | bit::rise | bit::set);
  const BodyState alone = sunFor(afternoon, bit::direction);
  EXPECT_DOUBLE_EQ(combined.direction, alone.direction);
  const BodyState riseOnly = sunFor(afternoon, bit::rise);
  EXPECT_EQ(combined.rise, riseOnly.rise);
}

TEST(SunTwilight, NoAstronomicalTwilightAt55NorthInLateJuneWhileTheSunRisesAndSets) {
  const BodyState state = sunFor(observerAt(25, 6, 2024, 12.0, 55.0), bit::events);
  EXPECT_TRUE(state.rise.isValid());
  EXPECT_TRUE(state.set.isValid());
  EXPECT_FALSE(state.twilightBegin.isValid());
  EXPECT_FALSE(state.twilightEnd.isValid());
}

TEST(SunTwilight, BeginsBeforeSunriseAndEndsAfterSunsetByTheSameDuration) {
  const Observer london = observerAt(21, 12, 2024, 12.0, 51.5);
  const BodyState state = sunFor(london, bit::events);
  ASSERT_TRUE(state.twilightBegin.isValid());
  ASSERT_TRUE(state.twilightEnd.isValid());
  const double before = state.rise.getHours() - state.twilightBegin.getHours();
  const double after = state.twilightEnd.getHours() - state.set.getHours();
  // About two hours in a London winter.
  EXPECT_NEAR(before, 2.0, 0.3);
  EXPECT_NEAR(before, after, 1e-9);

  AstCoord sun(theSun().placeAt(AstSun::daysSinceEpoch(london)).eclipticLongitude, 0.0, CoordSystem::Ecliptical);
  noctavo::convertCoord(sun, CoordSystem::Equatorial, london);
  double sidereal = 0.0;
  ASSERT_TRUE(theSun().twilightDuration(sun.b(), 51.5, sidereal));
  EXPECT_NEAR(before, 0.9973 * sidereal, 1e-9);
}

TEST(SunTwilight, DurationAtTheEquinoxOnTheEquatorIsAboutAnHourAndTwelveMinutes) {
  double hours = 0.0;
  ASSERT_TRUE(theSun().twilightDuration(0.0, 0.0, hours));
  EXPECT_NEAR(hours, 18.0 / 15.0, 1e-6);
}

TEST(SunTwilight, PolesHaveNoDurationAndNoNaN) {
  for (double latitude : {90.0, -90.0}) {
    for (double declination : {-23.44, -5.0, 0.0, 5.0, 23.44}) {
      double hours = 99.0;
      EXPECT_FALSE(theSun().twilightDuration(declination, latitude, hours)) << latitude << " " << declination;
      EXPECT_DOUBLE_EQ(hours, 0.0);
    }
  }
}

TEST(SunAtThePoles, EveryDayOfTheYearGivesNumbersOrInvalidTimes) {
  const std::uint32_t everything = bit::position | bit::distanceFromEarth | bit::angularSize | bit::direction |
                                   bit::zodiacConstellation | bit::zodiacSign | bit::midnight | bit::events;
  for (double latitude : {90.0, -90.0, 89.99, -89.99}) {
    Observer observer = observerAt(1, 1, 2024, 12.0, latitude, 15.0, 1.0f);
    for (int day = 0; day < 366; ++day) {
      const BodyState state = sunFor(observer, everything, TimeKind::Lct, CoordSystem::Horizontal);
      const std::string where = observer.dateTime.formatDate() + " at " + std::to_string(latitude);
      EXPECT_TRUE(std::isfinite(state.position.a()) && std::isfinite(state.position.b())) << where;
      EXPECT_TRUE(std::isfinite(state.direction)) << where;
      EXPECT_TRUE(std::isfinite(state.midnight)) << where;
      expectInvalidOrTimeOfDay(state.rise, where);
      expectInvalidOrTimeOfDay(state.set, where);
      expectInvalidOrTimeOfDay(state.twilightBegin, where);
      expectInvalidOrTimeOfDay(state.twilightEnd, where);
      observer.dateTime.addDays(1);
    }
  }
}

TEST(SunAtTheEndsOfTheCalendar, FirstAndLastDaysGiveNumbersInEveryTimeZone) {
  const std::uint32_t everything = bit::position | bit::distanceFromEarth | bit::angularSize | bit::midnight |
                                   bit::events;
  const std::vector<Observer> observers = {
      observerAt(1, 1, 1, 0.0, 45.0, -170.0, 12.0f),     observerAt(1, 1, 1, 0.0, -45.0, 170.0, -11.5f),
      observerAt(31, 12, 9999, 23.9, 45.0, 170.0, -11.5f, true), observerAt(31, 12, 9999, 23.9, -45.0, 0.0, 12.0f)};
  for (const Observer& observer : observers) {
    for (TimeKind kind : {TimeKind::Gmt, TimeKind::Lct, TimeKind::Lst}) {
      const BodyState state = sunFor(observer, everything, kind, CoordSystem::Ecliptical);
      const std::string where = observer.dateTime.formatDate() + " zone " + std::to_string(observer.timeZone());
      EXPECT_TRUE(std::isfinite(state.position.a())) << where;
      EXPECT_NEAR(state.distanceFromEarth, 1.0, 0.02) << where;
      expectInvalidOrTimeOfDay(state.rise, where);
      expectInvalidOrTimeOfDay(state.set, where);
    }
  }
}

TEST(SunRequest, NoFlagsChangeNothing) {
  BodyState state;
  state.distanceFromEarth = 7.0;
  state.angularSize = 3.0f;
  state.midnight = 11.0;
  state.direction = 12.0;
  state.position = AstCoord(1.0, 2.0, CoordSystem::Galactic);
  state.rise = AstDateTime(4, 4, 2004, 4.0, TimeKind::Gmt);
  theSun().compute(0, observerAt(1, 6, 2024, 12.0, 45.0), state, TimeKind::Gmt, CoordSystem::Equatorial);
  EXPECT_DOUBLE_EQ(state.distanceFromEarth, 7.0);
  EXPECT_FLOAT_EQ(state.angularSize, 3.0f);
  EXPECT_DOUBLE_EQ(state.midnight, 11.0);
  EXPECT_DOUBLE_EQ(state.direction, 12.0);
  EXPECT_EQ(state.position, AstCoord(1.0, 2.0, CoordSystem::Galactic));
  EXPECT_EQ(state.rise, AstDateTime(4, 4, 2004, 4.0, TimeKind::Gmt));
}

TEST(SunRequest, DirectionAloneLeavesThePositionAsItWas) {
  BodyState state;
  state.position = AstCoord(1.0, 2.0, CoordSystem::Galactic);
  theSun().compute(bit::direction, observerAt(1, 6, 2024, 12.0, 45.0), state, TimeKind::Gmt, CoordSystem::Equatorial);
  EXPECT_EQ(state.position, AstCoord(1.0, 2.0, CoordSystem::Galactic));
  // Noon in June at 45 degrees north: the Sun stands to the south.
  EXPECT_NEAR(state.direction, 180.0, 10.0);
}

TEST(SunRequest, PositionWithoutACoordinateSystemIsAnInternalError) {
  noctavo::testing::InternalErrorRecorder recorder;
  BodyState state;
  state.position = AstCoord(1.0, 2.0, CoordSystem::Galactic);
  theSun().compute(bit::longitude, observerAt(1, 6, 2024, 12.0, 45.0), state, TimeKind::Gmt, CoordSystem::None);
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_EQ(state.position, AstCoord(1.0, 2.0, CoordSystem::Galactic));
}

TEST(SunIdentity, IsTheSingleSunObjectWithItsSymbol) {
  EXPECT_EQ(&theSun(), &theSun());
  EXPECT_STREQ(theSun().getName(), "Sun");
  EXPECT_EQ(theSun().getIndex(), 0);
  EXPECT_EQ(theSun().getObjectType(), noctavo::ObjectType::Sun);
  EXPECT_EQ(theSun().symbol(), 177);
}

struct ExpectedQuantity {
  const char* name;
  std::uint32_t flag;
  int minValue;
  int maxValue;
  int labelId;
  int valueId;
};

TEST(SunQuantities, ListsItsTwelveQuantitiesInOrderWithTheirRangesAndControls) {
  const ExpectedQuantity expected[] = {
      {"Angular size", 0x40, 0, 1, 182, 160},          {"Constellation", 0x100, 0, 11, 185, 163},
      {"Sign of zodiac", 0x400000, 0, 11, 191, 169},   {"Direction", 0x2000, 0, 360, 202, 203},
      {"Distance from Earth", 0x4, 0, 2, 186, 164},    {"Rise", 0x200, 0, 24, 180, 158},
      {"Set", 0x400, 0, 24, 181, 159},                 {"Twilight - begin", 0x800, 0, 24, 189, 167},
      {"Twilight - end", 0x1000, 0, 24, 190, 168},     {"Longitude", 0x1, 0, 360, 124, 111},
      {"Latitude", 0x2, -90, 90, 125, 112},            {"Midnight", 0x10000, 0, 360, -1, -1}};
  const noctavo::Quantity* quantity = theSun().firstQuantity();
  for (const ExpectedQuantity& want : expected) {
    ASSERT_NE(quantity, nullptr) << want.name;
    EXPECT_STREQ(quantity->name(), want.name);
    EXPECT_EQ(quantity->flag(), want.flag) << want.name;
    EXPECT_EQ(quantity->minOf(), want.minValue) << want.name;
    EXPECT_EQ(quantity->maxOf(), want.maxValue) << want.name;
    EXPECT_EQ(quantity->labelId(), want.labelId) << want.name;
    EXPECT_EQ(quantity->valueId(), want.valueId) << want.name;
    quantity = theSun().nextQuantity();
  }
  EXPECT_EQ(quantity, nullptr);
}

TEST(SunQuantities, DistanceIsInAstronomicalUnitsAndTimesAreTimesOfDay) {
  const auto* distance = dynamic_cast<const noctavo::DistanceQuantity*>(theSun().findQuantity(bit::distanceFromEarth));
  ASSERT_NE(distance, nullptr);
  EXPECT_TRUE(distance->inAstronomicalUnits());
  EXPECT_EQ(theSun().findQuantity("Twilight - end")->kindOf(), noctavo::QuantityKind::TimeOfDay);
  EXPECT_EQ(theSun().findQuantity("Midnight")->kindOf(), noctavo::QuantityKind::Angle);
  EXPECT_FALSE(theSun().hasQuantity(bit::phase));
}

}  // namespace
