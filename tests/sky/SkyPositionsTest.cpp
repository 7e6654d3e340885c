// The position tables of the sky map, the map position of every kind of
// object and the object under a click, over the catalogues that come with
// the program.
#include "sky/SkyPositions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/QuantityBits.h"
#include "sky/SkyWindowState.h"
#include "support/InternalErrorRecorder.h"
#include "support/ShippedData.h"
#include "time/AngleConstants.h"

namespace noctavo {
namespace {

// An evening in London, browsed some hours on in the Sky window.
Observer londonEvening(int hoursOn = 0) {
  Observer observer;
  observer.dateTime = AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct);
  observer.dateTime.addStep(StepUnit::Hours, hoursOn);
  observer.location.latitude.set(51.5);
  observer.location.longitude.set(0.1);
  observer.location.timeZone = 0.0f;
  return observer;
}

AstCoord horizontalAt(const AstCoord& equatorial, const Observer& observer) {
  AstCoord coord = equatorial;
  convertCoord(coord, CoordSystem::Horizontal, observer);
  return coord;
}

AstCoord equatorialOf(const AstBody& body, const Observer& observer) {
  BodyState state;
  body.compute(quantity_bit::position, observer, state, TimeKind::Lct, CoordSystem::Equatorial);
  return state.position;
}

class ShippedSky : public testing::ShippedCatalogueTest {
 protected:
  void SetUp() override {
    ShippedCatalogueTest::SetUp();
    allocateSkyPositionTables(tables_);
  }

  SkyPositionTables tables_;
  DisplayGeometry geometry_ = makeDisplayGeometry(768, 1.0);
};

TEST_F(ShippedSky, TurnsEveryObjectAtTheWindowsMomentUnlessTheStarsAreFixedAtTheObserversMoment) {
  ASSERT_EQ(tables_.starHorizontal.size(), static_cast<std::size_t>(starCount()));
  ASSERT_EQ(tables_.ngcHorizontal.size(), static_cast<std::size_t>(ngcCount()));
  const Observer program = londonEvening();
  for (bool starsFixed : {false, true}) {
    SCOPED_TRACE(starsFixed);
    // A month on: the Sun has moved by 30 degrees.
    const Observer sky = londonEvening(30 * 24 + 3);
    const Observer& turning = starsFixed ? program : sky;
    computeSkyPositions(tables_, sky, program, starsFixed);
    for (int i = 0; i < starCount(); i += 37) {
      ASSERT_EQ(tables_.starHorizontal[std::size_t(i)], horizontalAt(starAt(i)->equatorialPosition(), turning)) << i;
    }
    for (int i = 0; i < ngcCount(); i += 53) {
      ASSERT_EQ(tables_.ngcHorizontal[std::size_t(i)], horizontalAt(ngcAt(i)->position(), turning)) << i;
    }
    // The Sun, the Moon and the planets stand where the browsed moment
    // puts them, turned into the horizon with the stars.
    EXPECT_EQ(tables_.sunEquatorial, equatorialOf(theSun(), sky));
    EXPECT_EQ(tables_.moonEquatorial, equatorialOf(theMoon(), sky));
    EXPECT_EQ(tables_.sunHorizontal, horizontalAt(tables_.sunEquatorial, turning));
    EXPECT_EQ(tables_.moonHorizontal, horizontalAt(tables_.moonEquatorial, turning));
    for (std::size_t slot = 0; slot < std::size_t(allPlanetCount); ++slot) {
      EXPECT_EQ(tables_.planetEquatorial[slot], equatorialOf(*planetByIndex(int(slot)), sky)) << slot;
      EXPECT_EQ(tables_.planetHorizontal[slot], horizontalAt(tables_.planetEquatorial[slot], turning)) << slot;
    }
    EXPECT_EQ(tables_.conversionObserver.dateTime, turning.dateTime);
  }
  EXPECT_LT(tables_.planetMagnitude[1], -3.0f);  // Venus
  EXPECT_GT(tables_.planetMagnitude[7], 10.0f);  // Pluto
}

// The tables are set by hand here, to put several candidates at the same
// distance from a click.
TEST_F(ShippedSky, ALaterCandidateWinsOnlyWhenStrictlyNearer) {
  computeSkyPositions(tables_, londonEvening(), londonEvening(), false);
  const Star& vega = *findStarByName("Vega");
  const AstCoord vegaPosition = tables_.starHorizontal[std::size_t(vega.getIndex())];
  const SkyView view = viewTowards(MapType::Horizontal, vegaPosition);
  const ProjectedPoint point = projectToScreen(view.lambda, view.phi, geometry_, vegaPosition);
  const AstCoord clicked = screenToSky(view.lambda, view.phi, geometry_, point.x, point.y);
  ASSERT_GT(angularDistance(clicked, vegaPosition), 0.0);
  const auto found = [&](const SkySettings& settings) {
    return findNearestObject(tables_, settings, geometry_, view, point.x, point.y);
  };

  SkySettings settings;
  settings.mapType = MapType::Horizontal;
  settings.planetDisplayMode = PlanetDisplayMode::All;
  settings.ngcObjectsOn = 1;
  // Sun, Moon, a planet and an NGC object exactly where Vega is: as near,
  // not nearer, so the star found first stays.
  tables_.sunHorizontal = tables_.moonHorizontal = tables_.planetHorizontal[3] = tables_.ngcHorizontal[0] =
      vegaPosition;
  EXPECT_EQ(found(settings), &vega);
  // The Moon exactly on the click is nearer; the NGC object there too comes
  // later and is only as near.
  tables_.moonHorizontal = tables_.ngcHorizontal[0] = clicked;
  EXPECT_EQ(found(settings), &theMoon());
  settings.moonOn = 0;
  EXPECT_EQ(found(settings), ngcAt(0));
  settings.ngcObjectsOn = 0;
  EXPECT_EQ(found(settings), &vega);
}

}  // namespace
}  // namespace noctavo
