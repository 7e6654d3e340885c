#pragma once

#include <functional>

#include <QPoint>

#include "sky/SkyPositions.h"
#include "sky/SkyProjection.h"
#include "sky/SkyTypes.h"

class QPainter;

namespace noctavo {

class NgcObject;

// Everything one paint of the sky map reads. Painting projects the
// positions, the ecliptic and the grid of the tables (placed for the map and
// grid type of the settings) and draws; it computes no astronomy of its own.
struct SkyPaintInput {
  const SkyPositionTables* tables = nullptr;
  const SkySettings* settings = nullptr;
  SkyView view;
  DisplayGeometry geometry;
  // Whether the picture collection holds a picture of the object; empty
  // means no object has one.
  std::function<bool(const NgcObject&)> hasPicture;
  // The highlight mark: an inverting hollow circle (+-10 pixels) around
  // highlightCentre, drawn as the last layer. Drawing it again on the same
  // picture removes it.
  bool highlightDrawn = false;
  QPoint highlightCentre;
};

// The whole display in its fixed layer order: black sky, horizon panorama,
// ecliptic, grid, constellation figures, NGC objects, stars, planets, the
// Sun, the Moon and the highlight mark.
void paintSky(QPainter& painter, const SkyPaintInput& input);

// The dot of a star or planet of this magnitude around (x, y), set pixel by
// pixel.
void drawStarDot(QPainter& painter, int x, int y, double magnitude);

// The inverting circle of the highlight on its own, for a repaint that
// only takes the mark away again.
void drawHighlightMark(QPainter& painter, QPoint centre);

}  // namespace noctavo
