#include "ui/MapGeometry.h"

#include <algorithm>
#include <cmath>

#include "catalogues/MapDescription.h"

namespace noctavo {

namespace {

constexpr double fullTurnDegrees = 360.0;
constexpr double halfTurnDegrees = 180.0;
constexpr double poleLatitude = 90.0;

// Fraction of the way across n pixels; a window one pixel wide (or less)
// has only its first pixel.
double across(int position, int pixels) { return pixels > 1 ? static_cast<double>(position) / (pixels - 1) : 0.0; }

}  // namespace

double wrapLongitude(double longitude) {
  double wrapped = std::fmod(longitude + halfTurnDegrees, fullTurnDegrees);
  if (wrapped < 0.0) wrapped += fullTurnDegrees;
  return wrapped - halfTurnDegrees;
}

MapWindowEdges mapWindowEdges(const MapRecord& map, int drawnWidth, int drawnHeight, int windowWidth,
                              int windowHeight) {
  MapWindowEdges edges;
  if (drawnWidth <= 0 || drawnHeight <= 0) return edges;
  const double centreLongitude = (map.leftLongitude + map.rightLongitude) / 2.0;
  const double stepX = (map.leftLongitude - map.rightLongitude) / drawnWidth;
  edges.leftLongitude = centreLongitude + 0.5 * windowWidth * stepX;
  edges.rightLongitude = centreLongitude - 0.5 * windowWidth * stepX;
  const double centreLatitude = (map.topLatitude + map.bottomLatitude) / 2.0;
  const double stepY = (map.topLatitude - map.bottomLatitude) / drawnHeight;
  edges.topLatitude = centreLatitude + 0.5 * windowHeight * stepY;
  edges.bottomLatitude = centreLatitude - 0.5 * windowHeight * stepY;
  return edges;
}

MapPoint mapPointAt(const MapWindowEdges& edges, int x, int y, int windowWidth, int windowHeight) {
  const double longitude =
      edges.leftLongitude + (edges.rightLongitude - edges.leftLongitude) * across(x, windowWidth);
  const double latitude = edges.topLatitude + (edges.bottomLatitude - edges.topLatitude) * across(y, windowHeight);
  return {wrapLongitude(longitude), std::clamp(latitude, -poleLatitude, poleLatitude)};
}

}  // namespace noctavo
