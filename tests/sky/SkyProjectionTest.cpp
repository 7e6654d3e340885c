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
DisplayGeometry squareDisplay() { return makeDisplayGeometry(768, 1.0); }

// The view altitudes the arrows can reach in a map: every step whose
// altitude lies within -90..90.
std::vector<double> reachableAltitudes(MapType mapType) {
  std::vector<double> altitudes;
  for (int step = -4; step <= 4; ++step) {
    const double phi = altitudeForStep(mapType, step);
    if (phi >= -90.0 && phi <= 90.0) altitudes.push_back(phi);
  }
  return altitudes;
}

std::vector<double> everyAzimuthStep() {
  std::vector<double> azimuths;
  for (double lambda = 0.0; lambda < 360.0; lambda += azimuthStep) azimuths.push_back(lambda);
  return azimuths;
}

TEST(DisplayGeometry, HasTheWidthOfThePixelAspectAndIntegerCentre) {
  const DisplayGeometry geometry = makeDisplayGeometry(601, 1.25);
  EXPECT_EQ(geometry.height, 601);
  EXPECT_EQ(geometry.width, 751);  // trunc(751.25)
  EXPECT_EQ(geometry.centreX, 375);
  EXPECT_EQ(geometry.centreY, 300);
  EXPECT_DOUBLE_EQ(geometry.scale, 375.0 / std::tan(0.5235987833333333));
}

TEST(DisplayGeometry, OfANegativeHeightIsEmptyAndScreenToSkyThenGivesTheCentreOfView) {
  const DisplayGeometry geometry = makeDisplayGeometry(-5, 1.0);
  EXPECT_EQ(geometry.height, 0);
  EXPECT_EQ(geometry.width, 0);
  EXPECT_EQ(geometry.scale, 0.0);
  const AstCoord sky = screenToSky(-45.0, 30.0, geometry, 3, 4);
  EXPECT_EQ(sky.a(), 315.0);
  EXPECT_EQ(sky.b(), 30.0);
}

TEST(CartesianToSpherical, PutsTheAxesOnTheProgramsRoundedQuarterTurns) {
  EXPECT_EQ(cartesianToSpherical(0.0, 1.0, 0.0).lambda, 1.57079635);
  EXPECT_EQ(cartesianToSpherical(0.0, -1.0, 0.0).lambda, 4.71238905);
  EXPECT_EQ(cartesianToSpherical(0.0, 0.0, 1.0).lambda, 0.0);
  EXPECT_EQ(cartesianToSpherical(-1.0, 0.0, 0.0).lambda, 3.1415927);
  // Turned into degrees they are exactly 90 and 270, the values the
  // projection treats on their own.
  EXPECT_EQ(cartesianToSpherical(0.0, 1.0, 0.0).lambda * degreesPerRadian, 90.0);
  EXPECT_EQ(cartesianToSpherical(0.0, -1.0, 0.0).lambda * degreesPerRadian, 270.0);
}

TEST(CartesianToSpherical, InvertsSphericalToCartesianInEveryQuadrant) {
  for (double lambda = 5.0; lambda < 360.0; lambda += 10.0) {
    for (double beta = -85.0; beta <= 85.0; beta += 17.0) {
      const Cartesian p = sphericalToCartesian(lambda * radiansPerDegree, beta * radiansPerDegree);
      const Spherical back = cartesianToSpherical(p.x, p.y, p.z);
      EXPECT_NEAR(back.lambda * degreesPerRadian, lambda, 1e-5) << lambda << " " << beta;
      EXPECT_NEAR(back.beta * degreesPerRadian, beta, 1e-5) << lambda << " " << beta;
    }
  }
}

TEST(FoldedTangent, HasTheSignOfTheSineAllRoundTheCircle) {
  for (double degrees = 1.0; degrees < 360.0; degrees += 1.0) {
    if (degrees == 180.0) continue;
    const double folded = foldedTangent(degrees * radiansPerDegree);
    const double sine = std::sin(degrees * radiansPerDegree);
    EXPECT_EQ(folded > 0.0, sine > 0.0) << degrees;
  }
}

TEST(FoldedTangent, IsTheTangentNearTheCentreAndGrowsWithoutBoundTowardsTheSides) {
  EXPECT_DOUBLE_EQ(foldedTangent(20.0 * radiansPerDegree), std::tan(20.0 * radiansPerDegree));
  // A negative angle is first put into the program's turn, which is not
  // quite 2 pi.
  EXPECT_NEAR(foldedTangent(-20.0 * radiansPerDegree), std::tan(-20.0 * radiansPerDegree), 2e-7);
  EXPECT_GT(foldedTangent(89.99 * radiansPerDegree), 1000.0);
  EXPECT_GT(foldedTangent(90.01 * radiansPerDegree), 1000.0);
  EXPECT_LT(foldedTangent(269.99 * radiansPerDegree), -1000.0);
  EXPECT_LT(foldedTangent(270.01 * radiansPerDegree), -1000.0);
  // Towards the back it falls to zero again, on the side it came from.
  EXPECT_GT(foldedTangent(170.0 * radiansPerDegree), 0.0);
  EXPECT_LT(foldedTangent(170.0 * radiansPerDegree), foldedTangent(150.0 * radiansPerDegree));
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

TEST(ProjectToScreen, PutsTheCentreOfViewOnTheCentreOfTheDisplayForEveryDirection) {
  const DisplayGeometry geometry = squareDisplay();
  for (MapType mapType : everyMapType) {
    for (double phi : reachableAltitudes(mapType)) {
      for (double lambda : everyAzimuthStep()) {
        const ProjectedPoint point =
            projectToScreen(lambda, phi, geometry, AstCoord(lambda, phi, CoordSystem::Horizontal));
        EXPECT_EQ(point, (ProjectedPoint{384, 384, true})) << lambda << " " << phi;
      }
    }
  }
}

TEST(ProjectToScreen, PutsAnObjectThirtyDegreesLeftOfTheCentreOnTheLeftEdge) {
  const DisplayGeometry geometry = squareDisplay();
  for (double lambda : everyAzimuthStep()) {
    double azimuth = lambda - 30.0;
    normalizeAngle(azimuth);
    const ProjectedPoint point = projectToScreen(lambda, 0.0, geometry, AstCoord(azimuth, 0.0, CoordSystem::Horizontal));
    EXPECT_EQ(point.x, 0) << lambda;
    EXPECT_EQ(point.y, 384) << lambda;
  }
}

TEST(ProjectToScreen, KeepsTheEdgesOfTheFieldOutside) {
  // The field is open: exactly 30 degrees off the centre is not visible.
  // (Looking north, azimuth 330 comes out a rounding step inside 30
  // degrees, so the view to the north-east shows the rule.)
  const DisplayGeometry geometry = squareDisplay();
  EXPECT_FALSE(projectToScreen(45.0, 0.0, geometry, AstCoord(15.0, 0.0, CoordSystem::Horizontal)).visible);
  EXPECT_FALSE(projectToScreen(45.0, 0.0, geometry, AstCoord(75.0, 0.0, CoordSystem::Horizontal)).visible);
  EXPECT_FALSE(projectToScreen(45.0, 0.0, geometry, AstCoord(45.0, 30.0, CoordSystem::Horizontal)).visible);
  EXPECT_FALSE(projectToScreen(45.0, 0.0, geometry, AstCoord(45.0, -30.0, CoordSystem::Horizontal)).visible);
  EXPECT_TRUE(projectToScreen(45.0, 0.0, geometry, AstCoord(15.01, 0.0, CoordSystem::Horizontal)).visible);
  EXPECT_TRUE(projectToScreen(45.0, 0.0, geometry, AstCoord(45.0, -29.99, CoordSystem::Horizontal)).visible);
}

TEST(ProjectToScreen, KeepsAnObjectBehindTheViewerOffTheDisplayThoughItLandsOnTheCentreColumn) {
  const DisplayGeometry geometry = squareDisplay();
  const ProjectedPoint point = projectToScreen(90.0, 0.0, geometry, AstCoord(270.0, 0.0, CoordSystem::Horizontal));
  EXPECT_LE(std::abs(point.x - geometry.centreX), 1);
  EXPECT_FALSE(point.visible);
}

TEST(ProjectToScreen, PutsSmallerAzimuthsToTheLeftAndHigherAltitudesAbove) {
  const DisplayGeometry geometry = squareDisplay();
  const ProjectedPoint left = projectToScreen(180.0, 30.0, geometry, AstCoord(170.0, 30.0, CoordSystem::Horizontal));
  const ProjectedPoint right = projectToScreen(180.0, 30.0, geometry, AstCoord(190.0, 30.0, CoordSystem::Horizontal));
  const ProjectedPoint above = projectToScreen(180.0, 30.0, geometry, AstCoord(180.0, 40.0, CoordSystem::Horizontal));
  EXPECT_LT(left.x, geometry.centreX);
  EXPECT_GT(right.x, geometry.centreX);
  EXPECT_LT(above.y, geometry.centreY);
  EXPECT_TRUE(left.visible && right.visible && above.visible);
}

TEST(ProjectToScreen, AcrossNorthJoinsAzimuth350AndAzimuth10) {
  const DisplayGeometry geometry = squareDisplay();
  const ProjectedPoint west = projectToScreen(0.0, 0.0, geometry, AstCoord(350.0, 0.0, CoordSystem::Horizontal));
  const ProjectedPoint east = projectToScreen(0.0, 0.0, geometry, AstCoord(10.0, 0.0, CoordSystem::Horizontal));
  EXPECT_TRUE(west.visible && east.visible);
  EXPECT_EQ(west.x + east.x, 2 * geometry.centreX - 1);  // mirror images, both truncated towards 0
}

TEST(ProjectToScreen, HoldsPointsBesideTheViewerWithinAThousandTimesTheScale) {
  const DisplayGeometry geometry = squareDisplay();
  const ProjectedPoint left = projectToScreen(0.0, 0.0, geometry, AstCoord(270.01, 0.0, CoordSystem::Horizontal));
  EXPECT_EQ(left.x, static_cast<int>(std::trunc(geometry.centreX - geometry.scale * 1000.0)));
  EXPECT_FALSE(left.visible);
  const ProjectedPoint right = projectToScreen(0.0, 0.0, geometry, AstCoord(89.99, 0.0, CoordSystem::Horizontal));
  EXPECT_EQ(right.x, static_cast<int>(std::trunc(geometry.centreX + geometry.scale * 1000.0)));
  EXPECT_FALSE(right.visible);
  const ProjectedPoint zenith = projectToScreen(0.0, 0.0, geometry, AstCoord(0.0, 89.999, CoordSystem::Horizontal));
  EXPECT_EQ(zenith.y, static_cast<int>(std::trunc(geometry.centreY - geometry.scale * 1000.0)));
}

TEST(ProjectToScreen, NeverShowsAnInvalidPosition) {
  AstCoord invalid(CoordSystem::Horizontal);
  invalid.invalidate();
  // -1000 degrees is a direction like any other (280, altitude -1000 folds
  // to 80); without the check it could land on the display.
  EXPECT_FALSE(projectToScreen(280.0, 80.0, squareDisplay(), invalid).visible);
}

// Every pixel of the display, turned into the sky and back, lands on the
// same pixel or its neighbour (the projection truncates), in every
// direction of view the arrows reach.
TEST(ScreenToSky, InvertsProjectToScreenOverTheWholeFieldInEveryDirectionOfView) {
  const DisplayGeometry geometry = makeDisplayGeometry(600, 1.2);
  int checked = 0;
  for (MapType mapType : everyMapType) {
    for (double phi : reachableAltitudes(mapType)) {
      for (double lambda : everyAzimuthStep()) {
        for (int y = 1; y < geometry.height; y += 13) {
          for (int x = 1; x < geometry.width; x += 11) {
            const AstCoord sky = screenToSky(lambda, phi, geometry, x, y);
            ASSERT_GE(sky.a(), 0.0);
            ASSERT_LT(sky.a(), 360.0);
            const ProjectedPoint back = projectToScreen(lambda, phi, geometry, sky);
            ASSERT_LE(std::abs(back.x - x), 1) << "view " << lambda << "/" << phi << " pixel " << x << "," << y;
            ASSERT_LE(std::abs(back.y - y), 1) << "view " << lambda << "/" << phi << " pixel " << x << "," << y;
            ASSERT_TRUE(back.visible) << "view " << lambda << "/" << phi << " pixel " << x << "," << y;
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 100000);
}

TEST(ScreenToSky, GivesTheCentreOfViewAtTheCentreOfTheDisplay) {
  const DisplayGeometry geometry = squareDisplay();
  const AstCoord sky = screenToSky(225.0, -45.0, geometry, geometry.centreX, geometry.centreY, CoordSystem::Equatorial);
  EXPECT_NEAR(sky.a(), 225.0, 1e-9);
  EXPECT_NEAR(sky.b(), -45.0, 1e-9);
  EXPECT_EQ(sky.system(), CoordSystem::Equatorial);
}

TEST(AltitudeSteps, OfTheHorizontalAndEquatorialMapsAreMultiplesOf45) {
  for (MapType mapType : {MapType::Horizontal, MapType::Equatorial}) {
    EXPECT_EQ(altitudeStepIndex(mapType, 0.0), 0);
    EXPECT_EQ(altitudeStepIndex(mapType, 22.4), 0);
    EXPECT_EQ(altitudeStepIndex(mapType, 22.5), 1);
    EXPECT_EQ(altitudeStepIndex(mapType, 90.0), 2);
    EXPECT_EQ(altitudeStepIndex(mapType, -22.5), 0);
    EXPECT_EQ(altitudeStepIndex(mapType, -22.6), -1);
    EXPECT_EQ(altitudeStepIndex(mapType, -90.0), -2);
    EXPECT_EQ(altitudeForStep(mapType, 2), 90.0);
    EXPECT_EQ(altitudeForStep(mapType, -1), -45.0);
  }
}

TEST(AltitudeSteps, OfTheRealisticMapLookAtMinus75Minus30Plus30AndPlus75) {
  EXPECT_EQ(altitudeForStep(MapType::Realistic, -2), -75.0);
  EXPECT_EQ(altitudeForStep(MapType::Realistic, -1), -30.0);
  EXPECT_EQ(altitudeForStep(MapType::Realistic, 0), 30.0);
  EXPECT_EQ(altitudeForStep(MapType::Realistic, 1), 75.0);
  EXPECT_EQ(altitudeStepIndex(MapType::Realistic, 29.9), 0);
  EXPECT_EQ(altitudeStepIndex(MapType::Realistic, 0.0), 0);
  EXPECT_EQ(altitudeStepIndex(MapType::Realistic, 52.4), 0);
  EXPECT_EQ(altitudeStepIndex(MapType::Realistic, 52.5), 1);
  EXPECT_EQ(altitudeStepIndex(MapType::Realistic, -0.1), -1);
  EXPECT_EQ(altitudeStepIndex(MapType::Realistic, -30.0), -1);
  EXPECT_EQ(altitudeStepIndex(MapType::Realistic, -75.0), -2);
}

TEST(AltitudeSteps, FindTheirOwnStepAgainInEveryMap) {
  for (MapType mapType : everyMapType) {
    for (int step = -3; step <= 3; ++step) {
      EXPECT_EQ(altitudeStepIndex(mapType, altitudeForStep(mapType, step)), step)
          << static_cast<int>(mapType) << " " << step;
    }
  }
}

TEST(AltitudeSteps, MoveTheArrowsAsTheWindowExpects) {
  const auto up = [](MapType mapType, double phi) {
    return altitudeForStep(mapType, altitudeStepIndex(mapType, phi) + 1);
  };
  const auto down = [](MapType mapType, double phi) {
    return altitudeForStep(mapType, altitudeStepIndex(mapType, phi) - 1);
  };
  EXPECT_EQ(up(MapType::Horizontal, 45.0), 90.0);
  EXPECT_EQ(down(MapType::Horizontal, -45.0), -90.0);
  EXPECT_EQ(down(MapType::Realistic, 30.0), -30.0);
  EXPECT_EQ(up(MapType::Realistic, 30.0), 75.0);
  EXPECT_EQ(up(MapType::Realistic, -30.0), 30.0);
}

TEST(AltitudeSteps, OfAnUnknownMapTypeAreAnInternalError) {
  testing::InternalErrorRecorder errors;
  EXPECT_EQ(altitudeStepIndex(static_cast<MapType>(3), 45.0), 0);
  EXPECT_EQ(altitudeForStep(static_cast<MapType>(-1), 1), 0.0);
  EXPECT_EQ(errors.modules(), (std::vector<std::string>{"AST_SKY", "AST_SKY"}));
}

}  // namespace
}  // namespace noctavo
