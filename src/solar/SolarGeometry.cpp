#include "solar/SolarGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "time/AngleConstants.h"

namespace noctavo {
namespace {

constexpr ZoomStep zoomTable[] = {{0.5, 0}, {0.8, 0}, {1.1, 0},  {1.8, 0}, {5.6, 1},
                                  {11.0, 2}, {21.0, 3}, {32.0, 3}, {50.0, 3}};

// The step that shows the Earth and the Moon; the planets from Mars on zoom
// one step further out than their index.
constexpr int earthZoom = 2;
// Labels from Mars (index 2) outwards leave the Earth and the Moon out.
constexpr int firstPlanetBeyondEarth = 2;

// Truncation towards zero, as the pixel arithmetic has always done it.
int truncated(double value) { return static_cast<int>(value); }

SolarPoint finish(double x, double y, SolarViewSize view) {
  const bool visible = x >= 0.0 && x <= view.width && y >= 0.0 && y <= view.height;
  return {truncated(x + 0.5), truncated(y + 0.5), visible};
}

struct ExactPoint {
  double x;
  double y;
};

ExactPoint place(double longitude, double distanceAu, SolarViewSize view, int zoom) {
  const int halfWidth = view.width / 2;
  const int halfHeight = view.height / 2;
  const double radiusAu = zoomStep(zoom).radiusAu;
  // Whole pixels per AU on each axis.
  const int xScale = truncated(halfWidth / radiusAu);
  const int yScale = truncated(halfHeight / radiusAu);
  const double a = longitude * radiansPerDegree;
  return {halfWidth + std::cos(a) * distanceAu * xScale, halfHeight - std::sin(a) * distanceAu * yScale};
}

long long squaredDistance(SolarPoint point, int x, int y) {
  const long long dx = point.x - x;
  const long long dy = point.y - y;
  return dx * dx + dy * dy;
}

}  // namespace

int clampedZoom(int zoom) { return std::clamp(zoom, smallestZoom, largestZoom); }

ZoomStep zoomStep(int zoom) { return zoomTable[clampedZoom(zoom)]; }

bool showsEarthAndMoon(int zoom) { return zoomStep(zoom).firstLabelledPlanet < firstPlanetBeyondEarth; }

SolarPoint projectSolar(double longitude, double distanceAu, SolarViewSize view, int zoom) {
  const ExactPoint p = place(longitude, distanceAu, view, zoom);
  return finish(p.x, p.y, view);
}

SolarPoint projectMoon(double earthLongitude, double earthDistanceAu, double moonLongitude, SolarViewSize view,
                       int zoom) {
  ExactPoint p = place(earthLongitude, earthDistanceAu, view, zoom);
  const double m = moonLongitude * radiansPerDegree;
  p.x += std::cos(m) * moonOffsetPixels;
  p.y -= std::sin(m) * moonOffsetPixels;
  return finish(p.x, p.y, view);
}

const AstBody& solarBody(int entry) {
  if (entry >= 0 && entry < solarPlanetCount) return *planetByIndex(entry);
  return theEarth();
}

const AstBody* nearestSolarBody(const SolarPositions& positions, SolarViewSize view, int zoom, bool moonOn, int x,
                                int y) {
  const AstBody* nearest = nullptr;
  long long best = std::numeric_limits<long long>::max();
  const auto consider = [&](const AstBody& body, SolarPoint point) {
    const long long d = squaredDistance(point, x, y);
    if (d < best) {
      best = d;
      nearest = &body;
    }
  };
  for (int i = 0; i < solarPlanetCount; ++i) {
    const SolarPoint point = projectSolar(positions.longitude[i], positions.distanceAu[i], view, zoom);
    if (point.visible) consider(solarBody(i), point);
  }
  consider(theSun(), projectSolar(0.0, 0.0, view, zoom));
  const double earthLongitude = positions.longitude[earthEntry];
  const double earthDistance = positions.distanceAu[earthEntry];
  consider(theEarth(), projectSolar(earthLongitude, earthDistance, view, zoom));
  // The Moon is a candidate only where the view draws it: from the step
  // whose labels begin beyond the Earth it is left out of the picture.
  if (moonOn && showsEarthAndMoon(zoom)) {
    consider(theMoon(), projectMoon(earthLongitude, earthDistance, positions.moonLongitude, view, zoom));
  }
  return nearest;
}

int zoomForBody(const AstBody& body, int currentZoom) {
  switch (body.getObjectType()) {
    case ObjectType::Moon:
    case ObjectType::Earth:
      return earthZoom;
    case ObjectType::Planet: {
      const int index = body.getIndex();
      return clampedZoom(index >= firstPlanetBeyondEarth ? index + 1 : index);
    }
    default:
      return currentZoom;
  }
}

}  // namespace noctavo
