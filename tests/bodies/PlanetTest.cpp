#include "bodies/AstPlanet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "bodies/BodyTestSupport.h"

namespace noctavo {
namespace {

using namespace testing;
namespace bit = quantity_bit;

constexpr int mercury = 0, venus = 1, mars = 2, jupiter = 3, pluto = 7;

const AstPlanet& planet(int index) { return *planetByIndex(index); }

BodyState planetState(int index, std::uint32_t flags, const Observer& observer, TimeKind kind = TimeKind::Lst,
                      CoordSystem system = CoordSystem::Ecliptical) {
  return computed(planet(index), flags, observer, kind, system);
}

TEST(PlanetElongation, MercuryAndVenusStayNearTheSunAndNoSampleIsNaN) {
  const struct { int index; double below, reached; } cases[] = {{mercury, 28.5, 26.0}, {venus, 48.0, 45.0}};
  for (const auto& c : cases) {
    double largest = 0.0;
    forEachDay(observerAt(1, 1, 1980, 0.0), 1, 20 * 366, [&](const Observer& observer) {
      largest = std::max(largest, planetState(c.index, bit::elongation, observer).elongation);
    });
    EXPECT_TRUE(largest < c.below && largest > c.reached) << planet(c.index).getName() << " " << largest;
  }
  // At conjunction or opposition the cosine rounds to just beyond 1 in size.
  for (int index = 0; index < 8; ++index) {
    forEachDay(observerAt(1, 1, 2000, 0.0), 1, 2 * 366, [&](const Observer& observer) {
      const double elongation = planetState(index, bit::elongation, observer).elongation;
      ASSERT_TRUE(std::isfinite(elongation) && elongation >= 0.0) << planet(index).getName();
    });
  }
}

TEST(PlanetPhase, OuterPlanetsShowNearlyTheirFullDiscWhileVenusRunsFromNewToFull) {
  for (int index = mars; index <= pluto; ++index) {
    float smallest = 100.0f;
    forEachDay(observerAt(1, 1, 2000, 0.0), 3, 1000, [&](const Observer& observer) {
      smallest = std::min(smallest, planetState(index, bit::phase, observer).phase);
    });
    // Mars shows at least about 84 %; from Jupiter outwards the phase angle
    // stays below about 12 degrees.
    EXPECT_GT(smallest, index == mars ? 83.0f : 98.5f) << planet(index).getName();
  }
  float smallest = 100.0f, largest = 0.0f;
  double brightest = 99.0;
  forEachDay(observerAt(1, 1, 1980, 0.0), 1, 600, [&](const Observer& observer) {
    const BodyState s = planetState(venus, bit::phase | bit::magnitude, observer);
    smallest = std::min(smallest, s.phase);
    largest = std::max(largest, s.phase);
    brightest = std::min(brightest, double(s.magnitude));
  });
  EXPECT_LT(smallest, 2.0f);
  EXPECT_GT(largest, 98.0f);
  EXPECT_TRUE(brightest < -4.0 && brightest > -5.0) << brightest;
}

TEST(PlanetMagnitude, APhaseAngleOfExactlyHalfATurnIsComputedWithoutAnyReport) {
  // lambda - l = +-180: an inner planet exactly between the Sun and the
  // Earth. Any internal error fails the test.
  for (int index = 0; index < 8; ++index) {
    const AstPlanet& body = planet(index);
    for (double l : {0.0, 10.0, 180.0, 359.0}) {
      const double atHalfTurn = body.visualMagnitude(1.0, 1.5, l + 180.0, l);
      ASSERT_TRUE(std::isfinite(atHalfTurn)) << body.getName();
      EXPECT_NEAR(atHalfTurn, body.visualMagnitude(1.0, 1.5, l + 179.999999, l), 1e-5) << body.getName();
      EXPECT_DOUBLE_EQ(atHalfTurn, body.visualMagnitude(1.0, 1.5, l, l + 180.0)) << body.getName();
    }
  }
  // At the same distances a larger phase angle makes a planet fainter.
  EXPECT_LT(planet(venus).visualMagnitude(0.72, 1.0, 10.0, 0.0), planet(venus).visualMagnitude(0.72, 1.0, 150.0, 0.0));
}

TEST(PlanetMagnitude, APhaseAngleIsFoldedSoThatEitherSideOfTheSunGivesTheSameMagnitude) {
  // lambda - l of -20 or 340 degrees is a phase angle of 20; unfolded, Venus
  // would read about +0.1 instead of about -4.4.
  for (int index : {mercury, venus, mars}) {
    for (double angle : {20.0, 75.0, 150.0}) {
      SCOPED_TRACE(::testing::Message() << planet(index).getName() << " at " << angle);
      const double ahead = planet(index).visualMagnitude(0.72, 0.3, 100.0 + angle, 100.0);
      EXPECT_DOUBLE_EQ(planet(index).visualMagnitude(0.72, 0.3, 100.0 - angle, 100.0), ahead);
      EXPECT_DOUBLE_EQ(planet(index).visualMagnitude(0.72, 0.3, 460.0 - angle, 100.0), ahead);
    }
  }
}

TEST(PlanetDistance, PlutoBeyond50AuIsShownWhileTheGraphRangeStays0To50) {
  // Near aphelion and behind the Sun: about 50.8 AU.
  const double au = planetState(pluto, bit::distanceFromEarth, observerAt(1, 5, 2106, 0.0)).distanceFromEarth;
  const Quantity& distance = *planet(pluto).findQuantity(bit::distanceFromEarth);
  EXPECT_GT(au, 50.5);
  EXPECT_NE(distance.format(au), "Unknown");
  EXPECT_EQ(distance.maxOf(), 50);
}

// The day count at which the planet's heliocentric ecliptic longitude l'
// equals the Earth's L (inferior conjunction or opposition), by halving
// [first, last] down to the last representable step.
double daysAtHeliocentricAlignment(const AstPlanet& body, double first, double last) {
  const auto gap = [&](double days) {
    return std::remainder(body.orbitPlace(days).eclipticLongitude - earthOrbitPlace(days).longitude, 360.0);
  };
  const bool risingThroughZero = gap(first) < 0.0;
  EXPECT_NE(risingThroughZero, gap(last) < 0.0) << "no alignment in the bracket";
  for (int i = 0; i < 200; ++i) {
    const double middle = first + (last - first) / 2.0;
    if (middle == first || middle == last) break;
    ((gap(middle) < 0.0) == risingThroughZero ? first : last) = middle;
  }
  return first;
}

double latitudeAtDaysSinceEpoch(int index, double days) {
  Observer observer = observerAt(1, 1, 2000, 0.0);
  observer.dateTime.setFromJulianDay(AstJulianDay(2444238.5 + days));  // 31.12.1979 0h
  observer.dateTime.setKind(TimeKind::Lct);                             // zone 0: the same moment
  return planetState(index, bit::latitude, observer).position.b();
}

TEST(PlanetLatitude, StaysSmoothThroughTheExactMomentOfConjunctionOrOpposition) {
  // There both sines of the latitude formula vanish: 0/0 at an opposition,
  // and at an inferior conjunction a division by almost zero that would
  // throw the latitude towards +-90 degrees. Venus's inferior conjunction of
  // March 2017 (latitude about +8), Jupiter's opposition of November 2023,
  // Mars's of October 2020.
  const struct { int index; double first, last; } cases[] = {
      {venus, 13590.0, 13610.0}, {jupiter, 16000.0, 16030.0}, {mars, 14880.0, 14910.0}};
  for (const auto& c : cases) {
    const double days = daysAtHeliocentricAlignment(planet(c.index), c.first, c.last);
    const double before = latitudeAtDaysSinceEpoch(c.index, days - 1.0 / 24.0);
    const double at = latitudeAtDaysSinceEpoch(c.index, days);
    const double after = latitudeAtDaysSinceEpoch(c.index, days + 1.0 / 24.0);
    ASSERT_TRUE(std::isfinite(at)) << planet(c.index).getName();
    EXPECT_NEAR(at, (before + after) / 2.0, 0.02) << planet(c.index).getName();
    EXPECT_NE(before, 0.0);
    EXPECT_EQ(std::signbit(at), std::signbit(before)) << planet(c.index).getName();
  }
}

TEST(PlanetRiseAndSet, NoneAtThePolesAndTwelveSiderealHoursUpOnTheEquator) {
  for (int index = 0; index < 8; ++index) {
    for (double latitude : {90.0, -90.0}) {
      const BodyState s = planetState(index, bit::rise | bit::set, observerAt(21, 3, 2015, 0.0, latitude),
                                      TimeKind::Lct);
      EXPECT_FALSE(s.rise.isValid() || s.set.isValid()) << planet(index).getName() << " at " << latitude;
    }
    const BodyState s = planetState(index, bit::rise | bit::set, observerAt(1, 9, 2005, 0.0, 0.0));
    ASSERT_TRUE(s.rise.isValid() && s.set.isValid());
    EXPECT_NEAR(std::fmod(s.set.getHours() - s.rise.getHours() + 24.0, 24.0), 12.0, 1e-6) << planet(index).getName();
  }
}

}  // namespace
}  // namespace noctavo
