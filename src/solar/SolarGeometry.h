#pragma once

#include <array>

namespace noctavo {

class AstBody;

// The bodies the Solar system window places: the eight planets in their
// order (entries 0..7) and the Earth (entry 8).
inline constexpr int solarPlanetCount = 8;
inline constexpr int earthEntry = 8;
inline constexpr int solarEntryCount = 9;

// The zoom steps: 0 shows the inner planets, 8 the whole system.
inline constexpr int smallestZoom = 0;
inline constexpr int largestZoom = 8;

struct ZoomStep {
  double radiusAu;          // the view's half-width and half-height
  int firstLabelledPlanet;  // planets from this index on get names and symbols
};

// The step of a zoom index; an index outside 0..8 reads as the nearest step.
ZoomStep zoomStep(int zoom);
int clampedZoom(int zoom);
// Whether the step still draws the Earth's name and symbol and the Moon:
// only while its labels begin inside the Earth's orbit (steps 0..4).
bool showsEarthAndMoon(int zoom);

// The size of the view in pixels.
struct SolarViewSize {
  int width = 0;
  int height = 0;
};

// A projected point: the pixel, and whether it lies inside the view (the
// pixel is given also when it does not).
struct SolarPoint {
  int x = 0;
  int y = 0;
  bool visible = false;
  friend bool operator==(SolarPoint, SolarPoint) = default;
};

// Heliocentric ecliptic longitude (degrees) and distance (AU) onto the view
// seen from the north of the ecliptic, the Sun at the centre. The horizontal
// and vertical scales are whole pixels per AU, each from its own half of the
// view, so that a view wider than high draws circles as ellipses.
SolarPoint projectSolar(double longitude, double distanceAu, SolarViewSize view, int zoom);

// How far the Moon is drawn from the Earth, pixels.
inline constexpr double moonOffsetPixels = 10.0;

// The Moon: beside the Earth's point, moonOffsetPixels away in the direction
// of its geocentric ecliptic longitude (degrees).
SolarPoint projectMoon(double earthLongitude, double earthDistanceAu, double moonLongitude, SolarViewSize view,
                       int zoom);

// Where the window stands for each entry at its moment.
struct SolarPositions {
  std::array<double, solarEntryCount> longitude{};   // heliocentric, degrees
  std::array<double, solarEntryCount> distanceAu{};  // from the Sun
  double moonLongitude = 0.0;                         // geocentric ecliptic, degrees
};

// The body a right click at (x, y) means: the nearest by squared pixel
// distance among the planets on the view, then the Sun, the Earth and (with
// moonOn, at the steps that draw it) the Moon, which are candidates even off
// the view; a later one wins only when strictly nearer.
const AstBody* nearestSolarBody(const SolarPositions& positions, SolarViewSize view, int zoom, bool moonOn, int x,
                                int y);

// The zoom that shows a body: the Moon and the Earth 2, planet i the step i,
// one further out from Mars on (they skip the Earth's step); the Sun and any
// other object keep the current zoom.
int zoomForBody(const AstBody& body, int currentZoom);

// The body of an entry: planet 0..7, the Earth for 8.
const AstBody& solarBody(int entry);

}  // namespace noctavo
