#pragma once

namespace noctavo {

struct MapRecord;

// The coordinates at the edges of the map window: the picture's own edges
// keep their coordinates, and the strips beside a picture that does not
// fill the window continue its scale. Degrees, longitudes west positive.
struct MapWindowEdges {
  double leftLongitude = 0.0;   // at x = 0
  double rightLongitude = 0.0;  // at x = W
  double topLatitude = 0.0;     // at y = 0
  double bottomLatitude = 0.0;  // at y = H
};

struct MapPoint {
  double longitude;  // degrees, west positive, -180 <= longitude < 180
  double latitude;   // degrees, -90..90
};

// The edges of a window W x H pixels into which the picture was drawn
// w x h pixels, centred: with the centre longitude c = (left + right) / 2
// and the step sx = (left - right) / w, longitude c + W sx / 2 at x = 0 and
// c - W sx / 2 at x = W; latitudes alike with sy = (top - bottom) / h.
MapWindowEdges mapWindowEdges(const MapRecord& map, int drawnWidth, int drawnHeight, int windowWidth,
                              int windowHeight);

// The coordinates under pixel (x, y) of the window: longitude
// L0 + (L1 - L0) x / (W - 1) and latitude B0 + (B1 - B0) y / (H - 1). A
// pixel beyond the picture's poles reads as the pole, and one beyond the
// date line as the longitude on its other side, so that every pixel names a
// place on Earth.
MapPoint mapPointAt(const MapWindowEdges& edges, int x, int y, int windowWidth, int windowHeight);

// Longitudes into [-180, 180).
double wrapLongitude(double longitude);

}  // namespace noctavo
