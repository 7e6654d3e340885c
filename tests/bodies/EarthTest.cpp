#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "bodies/AstEarth.h"
#include "bodies/AstSun.h"
#include "bodies/QuantityBits.h"
#include "support/InternalErrorRecorder.h"

namespace {

using noctavo::AstCoord;
using noctavo::AstDateTime;
using noctavo::BodyState;
using noctavo::CoordSystem;
using noctavo::Observer;
using noctavo::TimeKind;
using noctavo::theEarth;
using noctavo::theSun;
namespace bit = noctavo::quantity_bit;

Observer observerAt(int day, int month, int year, double hours) {
  Observer observer;
  observer.dateTime = AstDateTime(day, month, year, hours, TimeKind::Lct);
  observer.location.latitude.set(48.0);
  observer.location.longitude.set(-11.0);
  observer.location.timeZone = 1.0f;
  return observer;
}

TEST(EarthHeliocentric, LongitudeIsOppositeTheSunAndLatitudeIsZero) {
  for (int month = 1; month <= 12; ++month) {
    const Observer observer = observerAt(9, month, 1995, 17.5);
    BodyState earth;
    theEarth().compute(bit::heliocentricLongitude | bit::heliocentricLatitude, observer, earth, TimeKind::Gmt,
                       CoordSystem::None);
    BodyState sun;
    theSun().compute(bit::longitude, observer, sun, TimeKind::Gmt, CoordSystem::Ecliptical);
    EXPECT_NEAR(std::fabs(std::remainder(earth.heliocentric.a() - sun.position.a(), 360.0)), 180.0, 1e-9);
    EXPECT_GE(earth.heliocentric.a(), 0.0);
    EXPECT_LT(earth.heliocentric.a(), 360.0);
    EXPECT_DOUBLE_EQ(earth.heliocentric.b(), 0.0);
  }
}

TEST(EarthDistance, DistanceFromSunIsTheSunsDistanceFromEarth) {
  const Observer observer = observerAt(4, 7, 2024, 12.0);
  BodyState earth;
  theEarth().compute(bit::distanceFromSun, observer, earth, TimeKind::Gmt, CoordSystem::None);
  BodyState sun;
  theSun().compute(bit::distanceFromEarth, observer, sun, TimeKind::Gmt, CoordSystem::None);
  EXPECT_DOUBLE_EQ(earth.distanceFromSun, sun.distanceFromEarth);
  EXPECT_NEAR(earth.distanceFromSun, 1.017, 0.001);
}

TEST(EarthRequest, TheSunsFieldsDoNotLeakIntoTheEarthsResult) {
  BodyState state;
  state.distanceFromEarth = 5.0;
  state.position = AstCoord(1.0, 2.0, CoordSystem::Galactic);
  theEarth().compute(bit::distanceFromSun | bit::heliocentricLongitude | bit::heliocentricLatitude,
                     observerAt(1, 1, 2000, 0.0), state, TimeKind::Gmt, CoordSystem::None);
  EXPECT_DOUBLE_EQ(state.distanceFromEarth, 5.0);
  EXPECT_EQ(state.position, AstCoord(1.0, 2.0, CoordSystem::Galactic));
  EXPECT_NEAR(state.distanceFromSun, 0.983, 0.001);
}

TEST(EarthIdentity, IsTheSingleEarthObjectWithItsSymbolAndConstants) {
  EXPECT_EQ(&theEarth(), &theEarth());
  EXPECT_STREQ(theEarth().getName(), "Earth");
  EXPECT_EQ(theEarth().getIndex(), 0);
  EXPECT_EQ(theEarth().getObjectType(), noctavo::ObjectType::Earth);
  EXPECT_EQ(theEarth().symbol(), 182);
  EXPECT_NEAR(theEarth().flattening(), 1.0 / 297.0, 1e-12);
  EXPECT_DOUBLE_EQ(theEarth().longitudeOfPerihelion() + 180.0, theSun().longitudeOfPerigee());
  EXPECT_DOUBLE_EQ(theEarth().longitudeAtEpoch() + 180.0, theSun().eclipticLongitudeAtEpoch());
  EXPECT_DOUBLE_EQ(theEarth().eccentricity(), theSun().eccentricity());
}

TEST(EarthQuantities, ListsDistanceFromSunAndTheHeliocentricPositionInOrder) {
  struct Expected {
    const char* name;
    std::uint32_t flag;
    int minValue;
    int maxValue;
    int labelId;
    int valueId;
  };
  const Expected expected[] = {{"Distance from Sun", 0x80, 0, 2, 187, 165},
                               {"Heliocentric longitude", 0x800000, 0, 360, 192, 170},
                               {"Heliocentric latitude", 0x1000000, -90, 90, 193, 171}};
  const noctavo::Quantity* quantity = theEarth().firstQuantity();
  for (const Expected& want : expected) {
    ASSERT_NE(quantity, nullptr) << want.name;
    EXPECT_STREQ(quantity->name(), want.name);
    EXPECT_EQ(quantity->flag(), want.flag) << want.name;
    EXPECT_EQ(quantity->minOf(), want.minValue) << want.name;
    EXPECT_EQ(quantity->maxOf(), want.maxValue) << want.name;
    EXPECT_EQ(quantity->labelId(), want.labelId) << want.name;
    EXPECT_EQ(quantity->valueId(), want.valueId) << want.name;
    quantity = theEarth().nextQuantity();
  }
  EXPECT_EQ(quantity, nullptr);
  EXPECT_TRUE(dynamic_cast<const noctavo::DistanceQuantity&>(*theEarth().findQuantity(bit::distanceFromSun))
                  .inAstronomicalUnits());
  EXPECT_FALSE(theEarth().hasQuantity(bit::rise));
}

}  // namespace
