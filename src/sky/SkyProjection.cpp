#include "sky/SkyProjection.h"

#include <cmath>

#include "time/AngleConstants.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_SKY";

// 30 degrees in the program's rounded radians: the half width of the field.
constexpr double halfFieldRadians = 0.5235987833333333;

// The program's rounded half and quarter turns (the same 3.1415927 as the
// degree factor), used where a direction is put into its quadrant.
constexpr double quarterTurnPositive = 1.57079635;   // 90 degrees
constexpr double quarterTurnNegative = 4.71238905;   // 270 degrees
constexpr double halfTurnRadians = 3.1415927;

// Half width of the windows around 90, 180 and 270 degrees in which the
// folded tangent takes the sign of the sine: 50 degrees.
constexpr double foldWindow = 0.8726646388888889;

// Screen tangents beyond this are held here, so that a point far outside
// the field stays a finite pixel, whatever the size of the display.
constexpr double tangentLimit = 1000.0;

constexpr double fullTurnDegrees = 360.0;

double limitTangent(double t) {
  if (t > tangentLimit) return tangentLimit;
  if (t < -tangentLimit) return -tangentLimit;
  return t;
}

// Pixel coordinates are truncated towards zero, as the program always has.
int truncatedPixel(double value) { return static_cast<int>(std::trunc(value)); }

}  // namespace

DisplayGeometry makeDisplayGeometry(int height, double pixelAspect) {
  DisplayGeometry geometry;
  geometry.height = height < 0 ? 0 : height;
  geometry.width = static_cast<int>(std::trunc(geometry.height * pixelAspect));
  if (geometry.width < 0) geometry.width = 0;
  geometry.centreX = geometry.width / 2;
  geometry.centreY = geometry.height / 2;
  geometry.scale = geometry.centreX / std::tan(halfFieldRadians);
  return geometry;
}

Cartesian sphericalToCartesian(double lambda, double beta) {
  return {std::cos(lambda) * std::cos(beta), std::sin(lambda) * std::cos(beta), std::sin(beta)};
}

Spherical cartesianToSpherical(double x, double y, double z) {
  double lambda = 0.0;
  if (x == 0.0) {
    if (y > 0.0) lambda = quarterTurnPositive;
    else if (y < 0.0) lambda = quarterTurnNegative;
  } else {
    lambda = std::atan(y / x);
    if (x < 0.0) lambda += halfTurnRadians;
    else if (y < 0.0) lambda += fullTurnRadians;
  }
  return {lambda, std::atan2(z, std::sqrt(x * x + y * y))};
}

double foldedTangent(double a) {
  a = std::fmod(a, fullTurnRadians);
  if (a < 0.0) a += fullTurnRadians;
  const double t = std::tan(a);
  const double quarter = fullTurnRadians * 0.25;
  const double half = fullTurnRadians * 0.5;
  const double threeQuarters = fullTurnRadians * 0.75;
  if (a > quarter - foldWindow && a < quarter + foldWindow) return std::fabs(t);
  if (a > half - foldWindow && a < half + foldWindow) return -t;
  if (a > threeQuarters - foldWindow && a < threeQuarters + foldWindow) return -std::fabs(t);
  return t;
}

double screenTangentX(double l) {
  if (l == 90.0 || l == 270.0) return tangentLimit;
  return limitTangent(foldedTangent(l * radiansPerDegree));
}

double screenTangentY(double b) {
  if (b == 90.0 || b == 270.0 || b == -90.0) return tangentLimit;
  return limitTangent(std::tan(b * radiansPerDegree));
}

ProjectedPoint projectToScreen(double viewLambda, double viewPhi, const DisplayGeometry& geometry,
                               const AstCoord& position) {
  // A position whose conversion failed (or that was never computed) has no
  // place on the map; its -1000 degrees would otherwise land on some
  // perfectly ordinary direction.
  if (!position.isValid() || !std::isfinite(position.a()) || !std::isfinite(position.b())) {
    return {geometry.centreX, geometry.centreY, false};
  }
  // Turn the sphere so that the centre of view lies on the x axis.
  const double deltaLambda = (viewLambda - position.a()) * radiansPerDegree;
  const double beta = position.b() * radiansPerDegree;
  const Cartesian p = sphericalToCartesian(deltaLambda, beta);
  const double phi = viewPhi * radiansPerDegree;
  const double x1 = p.x * std::cos(phi) + p.z * std::sin(phi);
  const double z1 = p.z * std::cos(phi) - p.x * std::sin(phi);
  const Spherical turned = cartesianToSpherical(x1, p.y, z1);
  double l = turned.lambda * degreesPerRadian;
  if (l >= fullTurnDegrees) l -= fullTurnDegrees;
  if (l < 0.0) l += fullTurnDegrees;
  const double b = turned.beta * degreesPerRadian;

  ProjectedPoint point;
  point.x = truncatedPixel(geometry.centreX - geometry.scale * screenTangentX(l));
  point.y = truncatedPixel(geometry.centreY - geometry.scale * screenTangentY(b));
  point.visible = (l < halfField || l > fullTurnDegrees - halfField) && -halfField < b && b < halfField;
  return point;
}

AstCoord screenToSky(double viewLambda, double viewPhi, const DisplayGeometry& geometry, int x, int y,
                     CoordSystem system) {
  // A display without size has no pixels to ask about; its centre is the
  // only answer that means anything.
  if (geometry.scale == 0.0) {
    double lambda = viewLambda;
    lambda = reducedIntoTurn(lambda);
    return AstCoord(lambda, viewPhi, system);
  }
  const double betaOnScreen = std::atan((geometry.centreY - y) / geometry.scale);
  const double lambdaOnScreen = std::atan((geometry.centreX - x) / geometry.scale);
  const Cartesian p = sphericalToCartesian(lambdaOnScreen, betaOnScreen);
  const double phi = -viewPhi * radiansPerDegree;
  const double x1 = p.x * std::cos(phi) + p.z * std::sin(phi);
  const double z1 = p.z * std::cos(phi) - p.x * std::sin(phi);
  const Spherical sky = cartesianToSpherical(x1, p.y, z1);
  double lambda = viewLambda - sky.lambda * degreesPerRadian;
  lambda = reducedIntoTurn(lambda);
  return AstCoord(lambda, sky.beta * degreesPerRadian, system);
}

int altitudeStepIndex(MapType mapType, double phi) {
  if (!isKnownMapType(mapType)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return 0;
  }
  if (mapType != MapType::Realistic) return static_cast<int>(std::floor(phi / altitudeStep + 0.5));
  // The Realistic map's steps are 30 degrees off the others, with no step
  // at 0: the views at 30 and -30 lie on either side of the horizon.
  if (phi >= 0.0 && phi < halfField) return 0;
  if (phi >= halfField) return static_cast<int>(std::floor((phi - halfField) / altitudeStep + 0.5));
  if (phi > -halfField) return -1;
  return static_cast<int>(std::floor((halfField + phi) / altitudeStep - 1.0 + 0.5));
}

double altitudeForStep(MapType mapType, int step) {
  if (!isKnownMapType(mapType)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return 0.0;
  }
  if (mapType != MapType::Realistic) return altitudeStep * step;
  if (step >= 0) return altitudeStep * step + halfField;
  return altitudeStep * (step + 1) - halfField;
}

}  // namespace noctavo
