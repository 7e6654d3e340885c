#include "bodies/AstSun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "bodies/AstEarth.h"
#include "bodies/BodyTestSupport.h"

namespace noctavo {
namespace {

using namespace testing;
namespace bit = quantity_bit;

constexpr double minutes = 1.0 / 60.0;  // in hours

TEST(SunPosition, AtTheEpochTheMeanAnomalyIs356_237137AndTheLongitudeCloseTo278_8) {
  // The epoch 1980 January 0.0 is 31.12.1979 0h Greenwich mean time.
  const Observer epoch = observerAt(31, 12, 1979, 0.0);
  EXPECT_NEAR(theSun().placeAt(0.0).meanAnomaly, 356.237137, 1e-9);
  const BodyState state = computed(theSun(), bit::position, epoch);
  EXPECT_NEAR(state.position.a(), 278.8, 0.2);
  EXPECT_DOUBLE_EQ(state.position.a(), theSun().placeAt(0.0).eclipticLongitude);
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

TEST(SunPosition, MidnightIsTheRightAscensionOppositeTheSun) {
  forEachDay(observerAt(1, 1, 2010, 6.0, 30.0), 31, 12, [](const Observer& observer) {
    const BodyState s = computed(theSun(), bit::position | bit::midnight, observer, TimeKind::Gmt,
                                 CoordSystem::Equatorial);
    EXPECT_TRUE(s.midnight >= 0.0 && s.midnight < 360.0) << s.midnight;
    EXPECT_NEAR(std::fabs(std::remainder(s.midnight - s.position.a(), 360.0)), 180.0, 1e-9);
  });
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

}  // namespace
}  // namespace noctavo
