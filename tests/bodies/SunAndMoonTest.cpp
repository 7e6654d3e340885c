#include "bodies/AstSun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/BodyTestSupport.h"
#include "support/InternalErrorRecorder.h"

namespace noctavo {
namespace {

using namespace testing;
namespace bit = quantity_bit;

constexpr double minutes = 1.0 / 60.0;  // in hours

TEST(SunPosition, AtTheEpochTheMeanAnomalyIs356_237137AndTheLongitudeCloseTo278_8) {
  // The epoch 1980 January 0.0 is 31.12.1979 0h Greenwich mean time.
  const Observer epoch = observerAt(31, 12, 1979, 0.0);
  const BodyState state = computed(theSun(), bit::position, epoch);
  EXPECT_NEAR(state.position.a(), 278.8, 0.2);
  EXPECT_DOUBLE_EQ(state.position.b(), 0.0);
  // Days are counted in universal time: 1.1.1980 1h one hour east is 0h.
  EXPECT_NEAR(AstSun::daysSinceEpoch(epoch), 0.0, 1e-9);
  EXPECT_NEAR(AstSun::daysSinceEpoch(observerAt(1, 1, 1980, 1.0, 0.0, 0.0, 1.0f)), 1.0, 1e-9);
  EXPECT_NEAR(AstSun::daysSinceEpoch(observerAt(1, 1, 1980, 2.0, 0.0, 0.0, 1.0f, true)), 1.0, 1e-9);
}

TEST(SunPosition, DistanceAndSizeAtTheStartOfJanuaryAndOfJulyAndTheEarthSeenFromTheSunOpposite) {
  const std::uint32_t flags = bit::distanceFromEarth | bit::angularSize | bit::longitude;
  const BodyState january = computed(theSun(), flags, observerAt(3, 1, 2024, 12.0));
  const BodyState july = computed(theSun(), flags, observerAt(4, 7, 2024, 12.0));
  EXPECT_NEAR(january.distanceFromEarth, 0.983, 0.001);
  EXPECT_NEAR(july.distanceFromEarth, 1.017, 0.001);
  EXPECT_NEAR(january.angularSize, 0.542, 0.001);
  EXPECT_NEAR(july.angularSize, 0.524, 0.001);
  const BodyState earth = computed(theEarth(), bit::heliocentricLongitude | bit::heliocentricLatitude |
                                                   bit::distanceFromSun, observerAt(4, 7, 2024, 12.0), TimeKind::Gmt);
  EXPECT_NEAR(std::fabs(std::remainder(earth.heliocentric.a() - july.position.a(), 360.0)), 180.0, 1e-9);
  EXPECT_DOUBLE_EQ(earth.heliocentric.b(), 0.0);
  EXPECT_DOUBLE_EQ(earth.distanceFromSun, july.distanceFromEarth);
}

TEST(SunEvents, PolarDayAndNightHaveNoneDaylightSavingShowsThemAnHourLaterAndTwilightFramesTheDay) {
  for (int month : {6, 12}) {  // at 70 north: no sunset in June, no sunrise in December
    const BodyState state = computed(theSun(), bit::events, observerAt(21, month, 2024, 12.0, 70.0));
    EXPECT_FALSE(state.rise.isValid() || state.set.isValid() || state.twilightBegin.isValid()) << month;
  }
  // At 55 north in late June the Sun rises and sets without astronomical twilight.
  const BodyState june = computed(theSun(), bit::events, observerAt(25, 6, 2024, 12.0, 55.0));
  EXPECT_TRUE(june.rise.isValid() && june.set.isValid() && !june.twilightBegin.isValid());
  // The Sun is taken at the observer's universal time, which itself moves by
  // the hour: a few seconds of difference remain.
  Observer observer = observerAt(1, 5, 2024, 12.0, 48.0, -10.0, 1.0f, false);
  const BodyState off = computed(theSun(), bit::rise | bit::set, observer);
  observer.daylightSaving = true;
  const BodyState on = computed(theSun(), bit::rise | bit::set, observer);
  EXPECT_NEAR(on.rise.getHours() - off.rise.getHours(), 1.0, 0.5 * minutes);
  EXPECT_NEAR(on.set.getHours() - off.set.getHours(), 1.0, 0.5 * minutes);
  // Twilight begins before sunrise and ends after sunset by the same duration.
  const Observer london = observerAt(21, 12, 2024, 12.0, 51.5);
  const BodyState state = computed(theSun(), bit::events, london, TimeKind::Gmt);
  const double before = state.rise.getHours() - state.twilightBegin.getHours();
  EXPECT_NEAR(before, 2.0, 0.3);  // about two hours in a London winter
  EXPECT_NEAR(before, state.twilightEnd.getHours() - state.set.getHours(), 1e-9);
  AstCoord sun(theSun().placeAt(AstSun::daysSinceEpoch(london)).eclipticLongitude, 0.0, CoordSystem::Ecliptical);
  convertCoord(sun, CoordSystem::Equatorial, london);
  double sidereal = 0.0;
  ASSERT_TRUE(theSun().twilightDuration(sun.b(), 51.5, sidereal));
  EXPECT_NEAR(before, 0.9973 * sidereal, 1e-9);
}

TEST(SunTwilight, DurationIs1_2HoursOnTheEquatorAtTheEquinoxAndNoneAtThePoles) {
  double hours = 0.0;
  ASSERT_TRUE(theSun().twilightDuration(0.0, 0.0, hours));
  EXPECT_NEAR(hours, 18.0 / 15.0, 1e-6);
  for (double latitude : {90.0, -90.0})
    for (double declination : {-23.44, 0.0, 5.0, 23.44}) {
      hours = 99.0;
      EXPECT_FALSE(theSun().twilightDuration(declination, latitude, hours)) << latitude << " " << declination;
      EXPECT_EQ(hours, 0.0);
    }
}

constexpr double tenSeconds = 10.0 / 3600.0;  // in hours

TEST(MoonElements, StartFromTheirEpochValuesAndTheNodesMoveBackwards) {
  const double first = computed(theMoon(), bit::ascendingNode, observerAt(31, 12, 1979, 0.0)).ascendingNode;
  const double second = computed(theMoon(), bit::ascendingNode, observerAt(1, 1, 1980, 0.0)).ascendingNode;
  EXPECT_NEAR(first, 151.950429, 1e-9);
  EXPECT_NEAR(second - first, -0.0529539, 1e-9);
  EXPECT_NEAR(theMoon().placeAt(360.0 / 0.0529539).ascendingNode, 151.950429, 1e-6);  // a turn in 18.6 years
  forEachDay(observerAt(1, 1, 2000, 0.0), 213, 40, [](const Observer& observer) {
    const BodyState s = computed(theMoon(), bit::ascendingNode | bit::descendingNode, observer);
    EXPECT_TRUE(s.descendingNode >= 0.0 && s.descendingNode < 360.0) << s.descendingNode;
    EXPECT_NEAR(std::fabs(std::remainder(s.descendingNode - s.ascendingNode, 360.0)), 180.0, 1e-9);
  });
}

TEST(MoonPhase, IsFullAndOppositeTheSunAtFullMoonAndNewAndCloseToItAtNewMoon) {
  // Full moon 23 April 2024 23:49 UT, new moon 8 April 2024 18:21 UT.
  const std::uint32_t flags = bit::phase | bit::elongation;
  const BodyState full = computed(theMoon(), flags, observerAt(23, 4, 2024, 23.8));
  const BodyState newMoon = computed(theMoon(), flags, observerAt(8, 4, 2024, 18.35));
  EXPECT_GT(full.phase, 99.9f);
  EXPECT_TRUE(full.elongation > 174.0 && full.elongation <= 180.0) << full.elongation;
  EXPECT_LT(newMoon.phase, 0.1f);
  EXPECT_TRUE(newMoon.elongation >= 0.0 && newMoon.elongation < 6.0) << newMoon.elongation;
}

TEST(MoonRiseAndSet, SomeDaysHaveOnlyASetOthersOnlyARiseAndEveryEventIsATimeOfThatDay) {
  // 1 July 2028 at Greenwich has its set at 24.03 h of the search, which
  // belongs to 2 July.
  for (int year : {2024, 2028}) {
    int setOnly = 0, riseOnly = 0;
    forEachDay(observerAt(1, 1, year, 12.0), 1, 366, [&](const Observer& observer) {
      const BodyState state = computed(theMoon(), bit::rise | bit::set, observer);
      setOnly += !state.rise.isValid() && state.set.isValid();
      riseOnly += state.rise.isValid() && !state.set.isValid();
      expectInvalidOrTimeOfDay(state.rise, placeAndDate(observer));
      expectInvalidOrTimeOfDay(state.set, placeAndDate(observer));
    });
    // The Moon rises about 50 minutes later every day: roughly once a month
    // the rise skips a civil day, and so does the set.
    EXPECT_GE(setOnly, 10) << year;
    EXPECT_GE(riseOnly, 10) << year;
  }
  EXPECT_FALSE(computed(theMoon(), bit::set, observerAt(1, 7, 2028, 12.0)).set.isValid());
}

TEST(MoonRiseAndSet, ARiseInTheFirstMinutesOfTheNextDateIsNotThisDatesRise) {
  // The search runs to 24.04 h. At Greenwich the Moon rises at 00:00:16 on
  // 24 November 2024; on the 23rd it does not rise at all.
  const BodyState next = computed(theMoon(), bit::rise, observerAt(24, 11, 2024, 12.0));
  ASSERT_TRUE(next.rise.isValid());
  EXPECT_LT(next.rise.getHours(), 0.01);

  const Observer observer = observerAt(23, 11, 2024, 12.0);
  const BodyState state = computed(theMoon(), bit::rise | bit::set, observer);
  EXPECT_FALSE(state.rise.isValid());
  EXPECT_TRUE(state.set.isValid());
  AstDateTime found;
  EXPECT_FALSE(theMoon().findMoonEvent(bit::rise, observer, AstDateTime(23, 11, 2024, 0.0, TimeKind::Lct),
                                       AstDateTime(23, 11, 2024, 24.04, TimeKind::Lct), found));
  EXPECT_FALSE(found.isValid());
}

TEST(MoonRiseAndSet, NoEventIsInventedBeforeTheStartOfTheCalendar) {
  // On 1 January of year 1, twelve hours east of Greenwich, the first half
  // of the civil day lies before the calendar in universal time: there is
  // no altitude there, and an event bracketed by it would be invented.
  const BodyState first = computed(theMoon(), bit::rise | bit::set, observerAt(1, 1, 1, 12.0, 45.0, -170.0, 12.0f));
  EXPECT_FALSE(first.rise.isValid() || first.set.isValid());
}

TEST(MoonEventSearch, ARiseAndASetOnASmoothCurveAreFoundToTenSeconds) {
  const auto curve = [](double hours) { return -(hours - 6.5) * (hours - 18.25); };  // up 6.5 h, down 18.25 h
  const auto rise = findHorizonCrossing(bit::rise, 0.0, 24.04, curve);
  const auto set = findHorizonCrossing(bit::set, 0.0, 24.04, curve);
  ASSERT_TRUE(rise.has_value() && set.has_value());
  EXPECT_TRUE(*rise <= 6.5 && *rise > 6.5 - tenSeconds) << *rise;
  EXPECT_TRUE(*set <= 18.25 && *set > 18.25 - tenSeconds) << *set;
  const auto broken = [](double h) { return h > 10.0 ? std::numeric_limits<double>::quiet_NaN() : h - 5.0; };
  EXPECT_FALSE(findHorizonCrossing(bit::rise, 0.0, 24.04, broken).has_value());
}

TEST(MoonEventSearch, AFlatOrLevelAltitudeIsNoEventOrIsProbedFurtherAheadButNeverAnInternalError) {
  InternalErrorRecorder recorder;
  for (double level : {-5.0, 5.0}) {
    const auto flat = [level](double) { return level; };
    EXPECT_FALSE(findHorizonCrossing(bit::rise, 0.0, 24.04, flat).has_value());
    EXPECT_FALSE(findHorizonCrossing(bit::set, 0.0, 24.04, flat).has_value());
  }
  // Below at 0 h, 12.02 h and 24.04 h and level around the middle; the curve
  // is above the horizon from 13.5 h to 22.5 h.
  const auto curve = [](double hours) {
    if (hours < 12.5) return -1.0;
    if (hours < 18.0) return -1.0 + (hours - 12.5);
    return 4.5 - (hours - 18.0);
  };
  const auto rise = findHorizonCrossing(bit::rise, 0.0, 24.04, curve);
  const auto set = findHorizonCrossing(bit::set, 0.0, 24.04, curve);
  ASSERT_TRUE(rise.has_value() && set.has_value());
  EXPECT_NEAR(*rise, 13.5, tenSeconds);
  EXPECT_NEAR(*set, 22.5, tenSeconds);
  EXPECT_EQ(recorder.count(), 0u);
}

}  // namespace
}  // namespace noctavo
