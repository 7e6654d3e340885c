// The projection of the sky map, its inverse and the altitude steps of the
// arrows: pure functions, no window needed.
#include "sky/SkyProjection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "support/InternalErrorRecorder.h"
#include "time/AngleConstants.h"

namespace noctavo {
namespace {

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
    normalizeAngle(azimuth);
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
  EXPECT_EQ(altitudeForStep(MapType::Equatorial, -1), -45.0);
  EXPECT_EQ(altitudeForStep(MapType::Horizontal, 2), 90.0);
  EXPECT_EQ(altitudeForStep(MapType::Realistic, -2), -75.0);
  EXPECT_EQ(altitudeForStep(MapType::Realistic, -1), -30.0);
  EXPECT_EQ(altitudeForStep(MapType::Realistic, 0), 30.0);
  EXPECT_EQ(altitudeForStep(MapType::Realistic, 1), 75.0);
  for (MapType mapType : everyMapType) {
    for (int step = -3; step <= 3; ++step) {
      EXPECT_EQ(altitudeStepIndex(mapType, altitudeForStep(mapType, step)), step)
          << static_cast<int>(mapType) << " " << step;
    }
  }
}

}  // namespace
}  // namespace noctavo
