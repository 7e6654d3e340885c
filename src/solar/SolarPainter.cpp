#include "solar/SolarPainter.h"

#include <QFontMetrics>
#include <QPainter>

#include <string>

#include "bodies/AstMoon.h"
#include "bodies/AstSun.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

// Where a body's texts stand, pixels from its dot: the name's top below it,
// the symbol's top above it.
constexpr int nameOffset = 7;
constexpr int symbolOffset = 20;
// The step from which the Earth, the Moon and the Sun have no labels.
constexpr int innerLabelLimit = 2;

QColor colour(unsigned rgb) { return QColor::fromRgb(rgb); }

// A dot of five pixels: the point and its four neighbours.
void drawDot(QPainter& painter, SolarPoint p, unsigned rgb) {
  painter.setPen(colour(rgb));
  const QPoint points[] = {{p.x, p.y}, {p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}};
  painter.drawPoints(points, 5);
}

void drawCentred(QPainter& painter, int x, int top, const QString& text) {
  const QFontMetrics metrics(painter.font());
  painter.drawText(x - metrics.horizontalAdvance(text) / 2, top + metrics.ascent(), text);
}

void drawLabels(QPainter& painter, SolarPoint p, const AstBody& body, bool name, bool symbol) {
  painter.setPen(colour(SolarColours::planet));
  if (name) drawCentred(painter, p.x, p.y + nameOffset, symbolText(body.getName()));
  if (symbol) {
    const char code = static_cast<char>(body.symbol());
    drawCentred(painter, p.x, p.y - symbolOffset, symbolText(std::string_view(&code, 1)));
  }
}

// The orbit through its samples and back to the first: a line to a sample
// on the view, only a move to one off it.
void drawOrbit(QPainter& painter, const OrbitSamples& orbit, SolarViewSize view, int zoom) {
  const std::size_t count = orbit.longitude.size();
  if (count == 0) return;
  painter.setPen(colour(SolarColours::orbit));
  const SolarPoint first = projectSolar(orbit.longitude[0], orbit.distanceAu[0], view, zoom);
  QPoint pen(first.x, first.y);
  for (std::size_t i = 1; i <= count; ++i) {
    const std::size_t k = i % count;
    const SolarPoint p = projectSolar(orbit.longitude[k], orbit.distanceAu[k], view, zoom);
    if (p.visible) painter.drawLine(pen, QPoint(p.x, p.y));
    pen = QPoint(p.x, p.y);
  }
}

}  // namespace

void paintSolar(QPainter& painter, const SolarPaintInput& in) {
  painter.fillRect(0, 0, in.view.width, in.view.height, Qt::black);
  if (!in.orbits || !in.positions) return;
  painter.setFont(SymbolFont());
  const ZoomStep step = zoomStep(in.zoom);
  const SolarPositions& at = *in.positions;

  const SolarPoint sun = projectSolar(0.0, 0.0, in.view, in.zoom);
  drawDot(painter, sun, SolarColours::sun);
  const bool sunLabelled = step.firstLabelledPlanet == 0;
  drawLabels(painter, sun, theSun(), in.namesOn && sunLabelled, in.signsOn && sunLabelled);

  for (int i = 0; i < solarPlanetCount; ++i) {
    drawOrbit(painter, (*in.orbits)[i], in.view, in.zoom);
    const SolarPoint p = projectSolar(at.longitude[i], at.distanceAu[i], in.view, in.zoom);
    if (!p.visible) continue;
    drawDot(painter, p, SolarColours::planet);
    const bool labelled = i >= step.firstLabelledPlanet;
    drawLabels(painter, p, solarBody(i), in.namesOn && labelled, in.signsOn && labelled);
  }

  const bool innerLabelled = step.firstLabelledPlanet < innerLabelLimit;
  drawOrbit(painter, (*in.orbits)[earthEntry], in.view, in.zoom);
  const SolarPoint earth = projectSolar(at.longitude[earthEntry], at.distanceAu[earthEntry], in.view, in.zoom);
  if (earth.visible) {
    drawDot(painter, earth, SolarColours::planet);
    drawLabels(painter, earth, solarBody(earthEntry), in.namesOn && innerLabelled, in.signsOn && innerLabelled);
  }

  if (in.moonOn && innerLabelled) {
    const SolarPoint moon =
        projectMoon(at.longitude[earthEntry], at.distanceAu[earthEntry], at.moonLongitude, in.view, in.zoom);
    if (moon.visible) {
      drawDot(painter, moon, SolarColours::moon);
      drawLabels(painter, moon, theMoon(), in.namesOn, in.signsOn);
    }
  }
}

}  // namespace noctavo
