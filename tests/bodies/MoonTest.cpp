#include "bodies/AstMoon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "bodies/BodyTestSupport.h"
#include "support/InternalErrorRecorder.h"

namespace noctavo {
namespace {

using namespace testing;
namespace bit = quantity_bit;

constexpr double tenSeconds = 10.0 / 3600.0;  // in hours

TEST(MoonElements, StartFromTheirEpochValuesAndTheNodesMoveBackwards) {
  const auto place = theMoon().placeAt(0.0);
  EXPECT_NEAR(place.meanLongitude, 64.975464, 1e-9);
  EXPECT_NEAR(place.meanAnomaly, 75.592401, 1e-9);
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
