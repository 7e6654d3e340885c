// The geometry of the sky map, pure functions without a window: the
// projection, its inverse and the altitude steps of the arrows, and the
// position tables with the object under a click over the shipped catalogues.
#include "sky/SkyPositions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/QuantityBits.h"
#include "sky/SkyProjection.h"
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
  Observer program = londonEvening();
  program.daylightSaving = true;  // the browsed moments are on standard time
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

TEST_F(ShippedSky, APositionMarkedInvalidIsNeverFound) {
  // -1000 degrees is 80 degrees to the trigonometry: a click at azimuth and
  // altitude 80 would find an invalid entry first if it were looked at.
  computeSkyPositions(tables_, londonEvening(), londonEvening(), false);
  tables_.sunHorizontal = tables_.starHorizontal[0] = AstCoord(-1000.0, -1000.0, CoordSystem::Horizontal);
  SkySettings settings;
  settings.mapType = MapType::Horizontal;
  settings.moonOn = 0;
  settings.planetDisplayMode = PlanetDisplayMode::None;
  const AstCoord clicked(80.0, 80.0, CoordSystem::Horizontal);
  const SkyView view = viewTowards(MapType::Horizontal, clicked);
  const ProjectedPoint point = projectToScreen(view.lambda, view.phi, geometry_, clicked);
  const AstBody* found = findNearestObject(tables_, settings, geometry_, view, point.x, point.y);
  ASSERT_NE(found, nullptr);
  EXPECT_TRUE(skyPosition(tables_, MapType::Horizontal, *found).isValid()) << found->getName();
}

constexpr MapType everyMapType[] = {MapType::Horizontal, MapType::Equatorial, MapType::Realistic};

// A display of 768 pixels with square pixels: 768 x 768, centre (384, 384).
const DisplayGeometry square = makeDisplayGeometry(768, 1.0);

ProjectedPoint onSquare(double lambda, double phi, double azimuth, double altitude) {
  return projectToScreen(lambda, phi, square, AstCoord(azimuth, altitude, CoordSystem::Horizontal));
}

// Every direction of view the arrows reach in a map: each azimuth step with
// each altitude step within -90..90.
std::vector<SkyView> reachableViews(MapType mapType) {
  std::vector<SkyView> views;
  for (int step = -4; step <= 4; ++step) {
    const double phi = altitudeForStep(mapType, step);
    if (phi < -90.0 || phi > 90.0) continue;
    for (double lambda = 0.0; lambda < 360.0; lambda += azimuthStep) views.push_back({lambda, phi});
  }
  return views;
}

TEST(DisplayGeometry, OfANegativeHeightIsEmptyAndScreenToSkyThenGivesTheCentreOfView) {
  const DisplayGeometry geometry = makeDisplayGeometry(-5, 1.0);
  EXPECT_EQ(geometry.height, 0);
  EXPECT_EQ(geometry.width, 0);
  EXPECT_EQ(geometry.scale, 0.0);
  EXPECT_EQ(screenToSky(-45.0, 30.0, geometry, 3, 4), AstCoord(315.0, 30.0, CoordSystem::Horizontal));
}

TEST(ScreenTangent, IsHeldAtAThousandAndExactlyNinetyAndTwoSeventyCountAsTheLimit) {
  EXPECT_EQ(screenTangentX(90.0), 1000.0);
  EXPECT_EQ(screenTangentX(270.0), 1000.0);
  EXPECT_EQ(screenTangentX(89.99999), 1000.0);
  EXPECT_EQ(screenTangentX(270.00001), -1000.0);  // held on the negative side too
  EXPECT_DOUBLE_EQ(screenTangentX(10.0), std::tan(10.0 * radiansPerDegree));
  EXPECT_EQ(screenTangentY(90.0), 1000.0);
  EXPECT_EQ(screenTangentY(-90.0), 1000.0);
  EXPECT_EQ(screenTangentY(-89.99999), -1000.0);
  EXPECT_DOUBLE_EQ(screenTangentY(-10.0), std::tan(-10.0 * radiansPerDegree));
}

TEST(ProjectToScreen, PutsSmallerAzimuthsToTheLeftAndHigherAltitudesAbove) {
  for (double lambda = 0.0; lambda < 360.0; lambda += azimuthStep) {
    double azimuth = lambda - 30.0;
    azimuth = reducedIntoTurn(azimuth);
    const ProjectedPoint leftEdge = onSquare(lambda, 0.0, azimuth, 0.0);
    EXPECT_EQ(leftEdge.x, 0) << lambda;
    EXPECT_EQ(leftEdge.y, 384) << lambda;
  }
  EXPECT_LT(onSquare(180.0, 30.0, 170.0, 30.0).x, 384);
  EXPECT_GT(onSquare(180.0, 30.0, 190.0, 30.0).x, 384);
  EXPECT_LT(onSquare(180.0, 30.0, 180.0, 40.0).y, 384);
  // Across north, azimuths 350 and 10 are mirror images, both truncated towards 0.
  const ProjectedPoint west = onSquare(0.0, 0.0, 350.0, 0.0);
  const ProjectedPoint east = onSquare(0.0, 0.0, 10.0, 0.0);
  EXPECT_TRUE(west.visible && east.visible);
  EXPECT_EQ(west.x + east.x, 2 * 384 - 1);
}

TEST(ProjectToScreen, KeepsTheEdgesOfTheFieldAndWhatIsBehindTheViewerOutside) {
  // The field is open: exactly 30 degrees off the centre is not visible.
  // (Looking north, azimuth 330 comes out a rounding step inside 30
  // degrees, so the view to the north-east shows the rule.)
  EXPECT_FALSE(onSquare(45.0, 0.0, 15.0, 0.0).visible);
  EXPECT_FALSE(onSquare(45.0, 0.0, 75.0, 0.0).visible);
  EXPECT_FALSE(onSquare(45.0, 0.0, 45.0, 30.0).visible);
  EXPECT_FALSE(onSquare(45.0, 0.0, 45.0, -30.0).visible);
  EXPECT_TRUE(onSquare(45.0, 0.0, 15.01, 0.0).visible);
  EXPECT_TRUE(onSquare(45.0, 0.0, 45.0, -29.99).visible);
  // Behind the viewer it lands on the centre column, but is not shown.
  const ProjectedPoint behind = onSquare(90.0, 0.0, 270.0, 0.0);
  EXPECT_LE(std::abs(behind.x - 384), 1);
  EXPECT_FALSE(behind.visible);
}

TEST(ProjectToScreen, NeverShowsAnInvalidPosition) {
  AstCoord invalid(CoordSystem::Horizontal);
  invalid.invalidate();
  // -1000 degrees is a direction like any other (280, altitude -1000 folds
  // to 80); without the check it could land on the display.
  EXPECT_FALSE(projectToScreen(280.0, 80.0, square, invalid).visible);
}

// Every pixel of the display, turned into the sky and back, lands on the
// same pixel or its neighbour (the projection truncates), in every
// direction of view the arrows reach.
TEST(ScreenToSky, InvertsProjectToScreenOverTheWholeFieldInEveryDirectionOfView) {
  const DisplayGeometry geometry = makeDisplayGeometry(600, 1.2);
  int checked = 0;
  for (MapType mapType : everyMapType) {
    for (const SkyView& view : reachableViews(mapType)) {
      for (int y = 1; y < geometry.height; y += 13) {
        for (int x = 1; x < geometry.width; x += 11) {
          SCOPED_TRACE(::testing::Message() << "view " << view.lambda << "/" << view.phi << " pixel " << x << "," << y);
          const AstCoord sky = screenToSky(view.lambda, view.phi, geometry, x, y);
          ASSERT_GE(sky.a(), 0.0);
          ASSERT_LT(sky.a(), 360.0);
          const ProjectedPoint back = projectToScreen(view.lambda, view.phi, geometry, sky);
          ASSERT_LE(std::abs(back.x - x), 1);
          ASSERT_LE(std::abs(back.y - y), 1);
          ASSERT_TRUE(back.visible);
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 100000);
  const AstCoord centre = screenToSky(225.0, -45.0, square, 384, 384, CoordSystem::Equatorial);
  EXPECT_NEAR(centre.a(), 225.0, 1e-9);
  EXPECT_NEAR(centre.b(), -45.0, 1e-9);
  EXPECT_EQ(centre.system(), CoordSystem::Equatorial);
}

TEST(AltitudeSteps, AreMultiplesOf45ExceptInTheRealisticMap) {
  struct Case {
    MapType mapType;
    double phi;
    int step;
  };
  const Case cases[] = {
      {MapType::Horizontal, 0.0, 0},   {MapType::Horizontal, 22.4, 0},  {MapType::Horizontal, 22.5, 1},
      {MapType::Equatorial, 90.0, 2},  {MapType::Equatorial, -22.5, 0}, {MapType::Equatorial, -22.6, -1},
      {MapType::Horizontal, -90.0, -2}, {MapType::Realistic, 29.9, 0},  {MapType::Realistic, 0.0, 0},
      {MapType::Realistic, 52.4, 0},   {MapType::Realistic, 52.5, 1},   {MapType::Realistic, -0.1, -1},
      {MapType::Realistic, -30.0, -1}, {MapType::Realistic, -75.0, -2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(altitudeStepIndex(c.mapType, c.phi), c.step) << static_cast<int>(c.mapType) << " " << c.phi;
  }
  EXPECT_EQ(altitudeForStep(MapType::Realistic, -2), -75.0);
  for (MapType mapType : everyMapType) {
    for (int step = -3; step <= 3; ++step) {
      EXPECT_EQ(altitudeStepIndex(mapType, altitudeForStep(mapType, step)), step)
          << static_cast<int>(mapType) << " " << step;
    }
  }
}

}  // namespace
}  // namespace noctavo
