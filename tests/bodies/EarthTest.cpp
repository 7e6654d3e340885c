#include "bodies/AstEarth.h"

#include <gtest/gtest.h>

#include <cmath>

#include "bodies/AstSun.h"
#include "bodies/BodyTestSupport.h"

namespace noctavo {
namespace {

using namespace testing;
namespace bit = quantity_bit;

TEST(Earth, SeenFromTheSunItStandsOppositeTheSunAtTheSunsDistance) {
  forEachDay(observerAt(9, 1, 1995, 17.5, 48.0, -11.0, 1.0f), 30, 13, [](const Observer& observer) {
    const BodyState earth = computed(theEarth(), bit::heliocentricLongitude | bit::heliocentricLatitude |
                                                     bit::distanceFromSun, observer, TimeKind::Gmt, CoordSystem::None);
    const BodyState sun = computed(theSun(), bit::longitude | bit::distanceFromEarth, observer);
    EXPECT_NEAR(std::fabs(std::remainder(earth.heliocentric.a() - sun.position.a(), 360.0)), 180.0, 1e-9);
    EXPECT_TRUE(earth.heliocentric.a() >= 0.0 && earth.heliocentric.a() < 360.0) << earth.heliocentric.a();
    EXPECT_DOUBLE_EQ(earth.heliocentric.b(), 0.0);
    EXPECT_DOUBLE_EQ(earth.distanceFromSun, sun.distanceFromEarth);
  });
  EXPECT_NEAR(computed(theEarth(), bit::distanceFromSun, observerAt(4, 7, 2024, 12.0)).distanceFromSun, 1.017, 0.001);
}

}  // namespace
}  // namespace noctavo
