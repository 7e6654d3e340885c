#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "bodies/AstMoon.h"
#include "bodies/AstSun.h"
#include "bodies/QuantityBits.h"
#include "support/InternalErrorRecorder.h"

namespace {

using noctavo::AstCoord;
using noctavo::AstDateTime;
using noctavo::AstSun;
using noctavo::BodyState;
using noctavo::CoordSystem;
using noctavo::findHorizonCrossing;
using noctavo::Observer;
using noctavo::theMoon;
using noctavo::TimeKind;
namespace bit = noctavo::quantity_bit;

constexpr double tenSeconds = 10.0 / 3600.0;  // in hours

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

BodyState moonFor(const Observer& observer, std::uint32_t flags, TimeKind timeKind = TimeKind::Lct,
                  CoordSystem system = CoordSystem::Ecliptical) {
  BodyState state;
  theMoon().compute(flags, observer, state, timeKind, system);
  return state;
}

double altitudeOfMoon(Observer observer, double hours) {
  observer.dateTime.setHours(hours);
  return moonFor(observer, bit::latitude, TimeKind::Lct, CoordSystem::Horizontal).position.b();
}

void expectInvalidOrTimeOfDay(const AstDateTime& event, const std::string& where) {
  if (!event.isValid()) return;
  EXPECT_TRUE(std::isfinite(event.getHours())) << where;
  EXPECT_GE(event.getHours(), 0.0) << where;
  EXPECT_LT(event.getHours(), 24.0) << where;
}

TEST(MoonElements, AtTheEpochTheMeanElementsAreTheirEpochValues) {
  const auto place = theMoon().placeAt(0.0);
  EXPECT_NEAR(place.meanLongitude, 64.975464, 1e-9);
  EXPECT_NEAR(place.meanAnomaly, 75.592401, 1e-9);
  EXPECT_NEAR(place.ascendingNode, 151.950429, 1e-9);
}

TEST(MoonElements, TheAscendingNodeMovesBackwards0_0529539DegreesADay) {
  const Observer epoch = observerAt(31, 12, 1979, 0.0, 0.0);
  const Observer nextDay = observerAt(1, 1, 1980, 0.0, 0.0);
  const double first = moonFor(epoch, bit::ascendingNode).ascendingNode;
  const double second = moonFor(nextDay, bit::ascendingNode).ascendingNode;
  EXPECT_NEAR(first, 151.950429, 1e-9);
  EXPECT_NEAR(second - first, -0.0529539, 1e-9);
  // A full turn in about 18.6 years.
  EXPECT_NEAR(theMoon().placeAt(360.0 / 0.0529539).ascendingNode, 151.950429, 1e-6);
}

TEST(MoonElements, TheDescendingNodeIsTheAscendingNodePlus180Reduced) {
  Observer observer = observerAt(1, 1, 2000, 0.0, 0.0);
  for (int step = 0; step < 40; ++step) {
    const BodyState state = moonFor(observer, bit::ascendingNode | bit::descendingNode);
    EXPECT_GE(state.descendingNode, 0.0);
    EXPECT_LT(state.descendingNode, 360.0);
    EXPECT_NEAR(std::fabs(std::remainder(state.descendingNode - state.ascendingNode, 360.0)), 180.0, 1e-9);
    observer.dateTime.addMonths(7);
  }
}

TEST(MoonPhase, IsFullOnTheFullMoonOfApril2024AndNewOnTheNewMoon) {
  // Full moon 23 April 2024 23:49 UT, new moon 8 April 2024 18:21 UT.
  EXPECT_GT(moonFor(observerAt(23, 4, 2024, 23.8, 51.5), bit::phase).phase, 99.9f);
  EXPECT_GT(moonFor(observerAt(24, 4, 2024, 0.0, 51.5), bit::phase).phase, 99.9f);
  EXPECT_LT(moonFor(observerAt(8, 4, 2024, 18.35, 51.5), bit::phase).phase, 0.1f);
}

TEST(MoonPhase, ReachesOneHundredAtFullAndZeroAtNewMoon) {
  Observer observer = observerAt(1, 3, 2001, 0.0, 0.0);
  float highest = 0.0f;
  float lowest = 100.0f;
  for (int hour = 0; hour < 30 * 24; ++hour) {
    const float phase = moonFor(observer, bit::phase).phase;
    EXPECT_GE(phase, 0.0f);
    EXPECT_LE(phase, 100.0f);
    highest = std::max(highest, phase);
    lowest = std::min(lowest, phase);
    observer.dateTime.addHours(1);
  }
  EXPECT_GT(highest, 99.99f);
  EXPECT_LT(lowest, 0.01f);
}

TEST(MoonElongation, IsNearlyOppositeTheSunAtFullMoonAndCloseToItAtNewMoon) {
  const BodyState full = moonFor(observerAt(23, 4, 2024, 23.8, 51.5), bit::elongation);
  const BodyState newMoon = moonFor(observerAt(8, 4, 2024, 18.35, 51.5), bit::elongation);
  EXPECT_GT(full.elongation, 174.0);
  EXPECT_LE(full.elongation, 180.0);
  EXPECT_LT(newMoon.elongation, 6.0);
  EXPECT_GE(newMoon.elongation, 0.0);
}

TEST(MoonDistance, StaysBetween356000And407000KmAndTheSizeBetween0_49And0_56) {
  Observer observer = observerAt(1, 1, 2024, 12.0, 0.0);
  double nearest = 1e9;
  double farthest = 0.0;
  for (int day = 0; day < 366; ++day) {
    const BodyState state = moonFor(observer, bit::distanceFromEarth | bit::angularSize);
    EXPECT_GE(state.distanceFromEarth, 356000.0);
    EXPECT_LE(state.distanceFromEarth, 407000.0);
    EXPECT_GE(state.angularSize, 0.49f);
    EXPECT_LE(state.angularSize, 0.56f);
    EXPECT_NEAR(state.angularSize * state.distanceFromEarth,
                theMoon().angularSizeAtSemiMajorAxis() * theMoon().semiMajorAxis(), 0.5);  // float size
    nearest = std::min(nearest, state.distanceFromEarth);
    farthest = std::max(farthest, state.distanceFromEarth);
    observer.dateTime.addDays(1);
  }
  // The orbit's own extremes are a(1 - e) = 363297 km and a(1 + e) = 405505 km.
  EXPECT_LT(nearest, 364000.0);
  EXPECT_GT(farthest, 405000.0);
}

TEST(MoonDistance, OnlyTheFieldsAskedForChange) {
  BodyState state;
  state.distanceFromEarth = 1.0;
  state.angularSize = 2.0f;
  state.set = AstDateTime(3, 3, 2003, 3.0, TimeKind::Gmt);
  theMoon().compute(bit::rise, observerAt(1, 6, 2024, 0.0, 51.5), state, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_DOUBLE_EQ(state.distanceFromEarth, 1.0);
  EXPECT_FLOAT_EQ(state.angularSize, 2.0f);
  EXPECT_EQ(state.set, AstDateTime(3, 3, 2003, 3.0, TimeKind::Gmt));
}

TEST(MoonRiseAndSet, EventsAreHorizonCrossingsResolvedToTenSeconds) {
  const Observer observer = observerAt(15, 5, 2024, 9.0, 51.5, 0.1, 1.0f, true);
  const BodyState state = moonFor(observer, bit::rise | bit::set);
  ASSERT_TRUE(state.rise.isValid());
  ASSERT_TRUE(state.set.isValid());
  EXPECT_EQ(state.rise.getKind(), TimeKind::Lct);
  EXPECT_EQ(state.rise.formatDate(), "15.05.2024");
  EXPECT_EQ(state.set.formatDate(), "15.05.2024");
  const double rise = state.rise.getHours();
  EXPECT_LT(altitudeOfMoon(observer, rise), 0.0);
  EXPECT_GE(altitudeOfMoon(observer, rise + tenSeconds), 0.0);
  const double set = state.set.getHours();
  EXPECT_GE(altitudeOfMoon(observer, set), 0.0);
  EXPECT_LT(altitudeOfMoon(observer, set + tenSeconds), 0.0);
}

TEST(MoonRiseAndSet, FindMoonEventGivesTheTimesThatComputeGives) {
  const Observer observer = observerAt(2, 9, 2023, 20.0, -33.9, -18.4, 2.0f);
  const BodyState state = moonFor(observer, bit::rise | bit::set);
  const AstDateTime start(2, 9, 2023, 0.0, TimeKind::Lct);
  const AstDateTime end(2, 9, 2023, 24.04, TimeKind::Lct);
  AstDateTime rise;
  AstDateTime set;
  EXPECT_EQ(theMoon().findMoonEvent(bit::rise, observer, start, end, rise), state.rise.isValid());
  EXPECT_EQ(theMoon().findMoonEvent(bit::set, observer, start, end, set), state.set.isValid());
  EXPECT_EQ(rise, state.rise);
  EXPECT_EQ(set, state.set);
}

TEST(MoonRiseAndSet, SomeDaysHaveASetButNoRiseAndOthersARiseButNoSet) {
  Observer observer = observerAt(1, 1, 2024, 12.0, 51.5);
  int setOnly = 0;
  int riseOnly = 0;
  for (int day = 0; day < 366; ++day) {
    const BodyState state = moonFor(observer, bit::rise | bit::set);
    if (!state.rise.isValid() && state.set.isValid()) ++setOnly;
    if (state.rise.isValid() && !state.set.isValid()) ++riseOnly;
    observer.dateTime.addDays(1);
  }
  // The Moon rises about 50 minutes later every day, so roughly once a
  // month the rise skips a civil day, and so does the set.
  EXPECT_GE(setOnly, 10);
  EXPECT_GE(riseOnly, 10);
}

TEST(MoonRiseAndSet, ARiseInTheFirstMinutesOfTheNextDateIsNotThisDatesRise) {
  // The search runs to 24.04h. At Greenwich the Moon rises at 00:00:16 on
  // 24 November 2024; on the 23rd it does not rise at all.
  const BodyState next = moonFor(observerAt(24, 11, 2024, 12.0, 51.5), bit::rise);
  ASSERT_TRUE(next.rise.isValid());
  EXPECT_LT(next.rise.getHours(), 0.01);

  const Observer observer = observerAt(23, 11, 2024, 12.0, 51.5);
  const BodyState state = moonFor(observer, bit::rise | bit::set, TimeKind::Lct);
  EXPECT_FALSE(state.rise.isValid());
  EXPECT_TRUE(state.set.isValid());

  AstDateTime found;
  EXPECT_FALSE(theMoon().findMoonEvent(bit::rise, observer, AstDateTime(23, 11, 2024, 0.0, TimeKind::Lct),
                                       AstDateTime(23, 11, 2024, 24.04, TimeKind::Lct), found));
  EXPECT_FALSE(found.isValid());
}

TEST(MoonRiseAndSet, EventTimesStayWithinTheDayForYearsOfDays) {
  // 1 July 2028 at Greenwich has its set at 24.03h of the search, which
  // belongs to 2 July.
  for (int year : {2024, 2028}) {
    Observer observer = observerAt(1, 1, year, 12.0, 51.5);
    for (int day = 0; day < 366; ++day) {
      const BodyState state = moonFor(observer, bit::rise | bit::set, TimeKind::Lct);
      const std::string where = observer.dateTime.formatDate();
      expectInvalidOrTimeOfDay(state.rise, where);
      expectInvalidOrTimeOfDay(state.set, where);
      observer.dateTime.addDays(1);
    }
  }
  EXPECT_FALSE(moonFor(observerAt(1, 7, 2028, 12.0, 51.5), bit::set).set.isValid());
}

TEST(MoonRiseAndSet, PolesGiveInvalidOrProperTimesWithoutInternalErrors) {
  for (double latitude : {90.0, -90.0, 89.999, -89.999, 75.0}) {
    Observer observer = observerAt(1, 3, 2024, 12.0, latitude, 20.0, 2.0f);
    for (int day = 0; day < 60; ++day) {
      const BodyState state = moonFor(observer, bit::rise | bit::set | bit::direction | bit::position,
                                      TimeKind::Lct, CoordSystem::Horizontal);
      const std::string where = observer.dateTime.formatDate() + " at " + std::to_string(latitude);
      expectInvalidOrTimeOfDay(state.rise, where);
      expectInvalidOrTimeOfDay(state.set, where);
      EXPECT_TRUE(std::isfinite(state.position.b())) << where;
      EXPECT_TRUE(std::isfinite(state.direction)) << where;
      observer.dateTime.addDays(1);
    }
  }
}

TEST(MoonRiseAndSet, FirstAndLastDaysOfTheCalendarGiveNumbersOrInvalidTimes) {
  const std::vector<Observer> observers = {
      observerAt(1, 1, 1, 0.0, 45.0, -170.0, 12.0f), observerAt(1, 1, 1, 0.0, -45.0, 170.0, -11.5f),
      observerAt(31, 12, 9999, 23.9, 45.0, 170.0, -11.5f, true), observerAt(31, 12, 9999, 0.0, 10.0, 0.0, 0.0f)};
  const std::uint32_t everything = bit::position | bit::distanceFromEarth | bit::angularSize | bit::phase |
                                   bit::elongation | bit::ascendingNode | bit::descendingNode | bit::rise | bit::set;
  for (const Observer& observer : observers) {
    for (TimeKind kind : {TimeKind::Gmt, TimeKind::Lct, TimeKind::Lst}) {
      const BodyState state = moonFor(observer, everything, kind, CoordSystem::Ecliptical);
      const std::string where = observer.dateTime.formatDate() + " zone " + std::to_string(observer.timeZone());
      EXPECT_TRUE(std::isfinite(state.position.a()) && std::isfinite(state.position.b())) << where;
      EXPECT_TRUE(std::isfinite(state.elongation)) << where;
      EXPECT_GT(state.distanceFromEarth, 350000.0) << where;
      expectInvalidOrTimeOfDay(state.rise, where);
      expectInvalidOrTimeOfDay(state.set, where);
    }
  }
}

TEST(MoonRiseAndSet, ADayWhoseHoursHaveNoSiderealTimeGivesNoMadeUpEvents) {
  // On 1 January of year 1, twelve hours east of Greenwich, the first half
  // of the civil day lies before the calendar in universal time: there is
  // no altitude there, and an event bracketed by it would be invented.
  const BodyState state = moonFor(observerAt(1, 1, 1, 12.0, 45.0, -170.0, 12.0f), bit::rise | bit::set);
  EXPECT_FALSE(state.rise.isValid());
  EXPECT_FALSE(state.set.isValid());
}

TEST(MoonRiseAndSet, AskingForBitsTheMoonDoesNotHaveChangesNothingAndReportsNothing) {
  BodyState state;
  theMoon().compute(bit::twilightBegin | bit::twilightEnd | bit::midnight, observerAt(1, 1, 2000, 0.0, 0.0), state,
                    TimeKind::Gmt, CoordSystem::Equatorial);
  EXPECT_EQ(state.twilightBegin, AstDateTime());
  EXPECT_DOUBLE_EQ(state.midnight, 0.0);
}

TEST(MoonEventSearch, ARiseAndASetOnASmoothCurveAreFoundToTenSeconds) {
  // Up at 6.5h, down at 18.25h.
  const auto curve = [](double hours) { return -(hours - 6.5) * (hours - 18.25); };
  const auto rise = findHorizonCrossing(bit::rise, 0.0, 24.04, curve);
  const auto set = findHorizonCrossing(bit::set, 0.0, 24.04, curve);
  ASSERT_TRUE(rise.has_value());
  ASSERT_TRUE(set.has_value());
  EXPECT_LE(*rise, 6.5);
  EXPECT_GT(*rise, 6.5 - tenSeconds);
  EXPECT_LE(*set, 18.25);
  EXPECT_GT(*set, 18.25 - tenSeconds);
}

TEST(MoonEventSearch, AFlatAltitudeIsNoEventRatherThanAnInternalError) {
  noctavo::testing::InternalErrorRecorder recorder;
  const auto below = [](double) { return -5.0; };
  const auto above = [](double) { return 5.0; };
  EXPECT_FALSE(findHorizonCrossing(bit::rise, 0.0, 24.04, below).has_value());
  EXPECT_FALSE(findHorizonCrossing(bit::set, 0.0, 24.04, below).has_value());
  EXPECT_FALSE(findHorizonCrossing(bit::rise, 0.0, 24.04, above).has_value());
  EXPECT_FALSE(findHorizonCrossing(bit::set, 0.0, 24.04, above).has_value());
  EXPECT_EQ(recorder.count(), 0u);
}

TEST(MoonEventSearch, EqualAltitudesAtTheMiddleAndAMinuteLaterProbeFurtherAhead) {
  noctavo::testing::InternalErrorRecorder recorder;
  // Below at 0h, 12.02h and 24.04h and flat around the middle; the curve
  // climbs above the horizon from 13.5h to 22.5h.
  const auto curve = [](double hours) {
    if (hours < 12.5) return -1.0;
    if (hours < 18.0) return -1.0 + (hours - 12.5);
    return 4.5 - (hours - 18.0);
  };
  const auto rise = findHorizonCrossing(bit::rise, 0.0, 24.04, curve);
  const auto set = findHorizonCrossing(bit::set, 0.0, 24.04, curve);
  ASSERT_TRUE(rise.has_value());
  ASSERT_TRUE(set.has_value());
  EXPECT_NEAR(*rise, 13.5, tenSeconds);
  EXPECT_NEAR(*set, 22.5, tenSeconds);
  EXPECT_EQ(recorder.count(), 0u);
}

TEST(MoonEventSearch, AnAltitudeWithoutValueBracketsNothing) {
  const auto broken = [](double hours) {
    return hours > 10.0 ? std::numeric_limits<double>::quiet_NaN() : hours - 5.0;
  };
  EXPECT_FALSE(findHorizonCrossing(bit::rise, 0.0, 24.04, broken).has_value());
}

TEST(MoonEventSearch, AFlagOtherThanRiseOrSetIsAnInternalError) {
  noctavo::testing::InternalErrorRecorder recorder;
  EXPECT_FALSE(findHorizonCrossing(bit::phase, 0.0, 24.04, [](double h) { return h - 3.0; }).has_value());
  AstDateTime result(1, 1, 2000, 5.0, TimeKind::Lct);
  EXPECT_FALSE(theMoon().findMoonEvent(bit::twilightBegin, observerAt(1, 1, 2000, 0.0, 0.0),
                                       AstDateTime(1, 1, 2000, 0.0, TimeKind::Lct),
                                       AstDateTime(1, 1, 2000, 24.04, TimeKind::Lct), result));
  EXPECT_FALSE(result.isValid());
  ASSERT_EQ(recorder.count(), 2u);
  EXPECT_EQ(recorder.modules()[0], "AST_MOON");
  EXPECT_EQ(recorder.modules()[1], "AST_MOON");
}

TEST(MoonRequest, NoFlagsChangeNothing) {
  BodyState state;
  state.phase = 42.0f;
  state.distanceFromEarth = 1.0;
  state.ascendingNode = 2.0;
  state.position = AstCoord(1.0, 2.0, CoordSystem::Galactic);
  theMoon().compute(0, observerAt(1, 6, 2024, 12.0, 45.0), state, TimeKind::Gmt, CoordSystem::Equatorial);
  EXPECT_FLOAT_EQ(state.phase, 42.0f);
  EXPECT_DOUBLE_EQ(state.distanceFromEarth, 1.0);
  EXPECT_DOUBLE_EQ(state.ascendingNode, 2.0);
  EXPECT_EQ(state.position, AstCoord(1.0, 2.0, CoordSystem::Galactic));
}

TEST(MoonIdentity, IsTheSingleMoonObjectWithItsSymbol) {
  EXPECT_EQ(&theMoon(), &theMoon());
  EXPECT_STREQ(theMoon().getName(), "Moon");
  EXPECT_EQ(theMoon().getIndex(), 0);
  EXPECT_EQ(theMoon().getObjectType(), noctavo::ObjectType::Moon);
  EXPECT_EQ(theMoon().symbol(), 178);
}

TEST(MoonQuantities, ListsItsTwelveQuantitiesInOrderWithTheirRangesAndControls) {
  struct Expected {
    const char* name;
    std::uint32_t flag;
    int minValue;
    int maxValue;
    int labelId;
    int valueId;
  };
  const Expected expected[] = {
      {"Angular size", 0x40, 0, 1, 182, 160},           {"Constellation", 0x100, 0, 11, 185, 163},
      {"Sign of zodiac", 0x400000, 0, 11, 191, 169},    {"Direction", 0x2000, 0, 360, 202, 203},
      {"Distance from Earth", 0x4, 0, 820000, 186, 164}, {"Phase", 0x10, 0, 100, 183, 161},
      {"Rise", 0x200, 0, 24, 180, 158},                 {"Set", 0x400, 0, 24, 181, 159},
      {"Longitude", 0x1, 0, 360, 124, 111},             {"Latitude", 0x2, -90, 90, 125, 112},
      {"Ascending node", 0x4000, 0, 360, -1, -1},       {"Descending node", 0x8000, 0, 360, -1, -1}};
  const noctavo::Quantity* quantity = theMoon().firstQuantity();
  for (const Expected& want : expected) {
    ASSERT_NE(quantity, nullptr) << want.name;
    EXPECT_STREQ(quantity->name(), want.name);
    EXPECT_EQ(quantity->flag(), want.flag) << want.name;
    EXPECT_EQ(quantity->minOf(), want.minValue) << want.name;
    EXPECT_EQ(quantity->maxOf(), want.maxValue) << want.name;
    EXPECT_EQ(quantity->labelId(), want.labelId) << want.name;
    EXPECT_EQ(quantity->valueId(), want.valueId) << want.name;
    quantity = theMoon().nextQuantity();
  }
  EXPECT_EQ(quantity, nullptr);
}

TEST(MoonQuantities, DistanceIsInKilometres) {
  const auto& distance = dynamic_cast<const noctavo::DistanceQuantity&>(*theMoon().findQuantity("Distance from Earth"));
  EXPECT_FALSE(distance.inAstronomicalUnits());
  EXPECT_FALSE(theMoon().hasQuantity(bit::twilightBegin));
  EXPECT_FALSE(theMoon().hasQuantity(bit::elongation));
}

}  // namespace
