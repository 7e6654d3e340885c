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

QColor colour(unsigned rgb) { return QColor::fromRgb(rgb); }

// A dot of five pixels: the point and its four neighbours.
void drawDot(QPainter& painter, SolarPoint p, unsigned rgb) {
  painter.setPen(colour(rgb));
  const QPoint points[] = {{p.x, p.y}, {p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}};
  painter.drawPoints(points, 5);
}

// Where a body's texts go: the name's box below the dot, the symbol's above.
struct LabelBoxes {
  QRect name;
  QRect symbol;
};

QString symbolOf(const AstBody& body) {
  const char code = static_cast<char>(body.symbol());
  return symbolText(std::string_view(&code, 1));
}

QRect centredBox(const QFontMetrics& metrics, int x, int top, const QString& text) {
  const int width = metrics.horizontalAdvance(text);
  return {x - width / 2, top, width, metrics.height()};
}

LabelBoxes labelBoxes(const QPainter& painter, SolarPoint p, const AstBody& body) {
  const QFontMetrics metrics(painter.font());
  return {centredBox(metrics, p.x, p.y + nameOffset, symbolText(body.getName())),
          centredBox(metrics, p.x, p.y - symbolOffset, symbolOf(body))};
}

void drawLabels(QPainter& painter, const LabelBoxes& boxes, const AstBody& body, bool name, bool symbol) {
  painter.setPen(colour(SolarColours::planet));
  const int ascent = QFontMetrics(painter.font()).ascent();
  if (name) painter.drawText(boxes.name.left(), boxes.name.top() + ascent, symbolText(body.getName()));
  if (symbol) painter.drawText(boxes.symbol.left(), boxes.symbol.top() + ascent, symbolOf(body));
}

void drawLabels(QPainter& painter, SolarPoint p, const AstBody& body, bool name, bool symbol) {
  drawLabels(painter, labelBoxes(painter, p, body), body, name, symbol);
}

// The Moon stands only 10 pixels from the Earth: where its name or symbol
// would run into the Earth's, it moves a line further out (the name below
// the Earth's, the symbol above), so that both stay readable.
LabelBoxes clearOf(LabelBoxes moon, const LabelBoxes& earth, bool earthNamed, bool earthSigned) {
  if (earthNamed && moon.name.intersects(earth.name)) moon.name.moveTop(earth.name.bottom() + 1);
  if (earthSigned && moon.symbol.intersects(earth.symbol)) moon.symbol.moveBottom(earth.symbol.top() - 1);
  return moon;
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

  const bool innerLabelled = showsEarthAndMoon(in.zoom);
  drawOrbit(painter, (*in.orbits)[earthEntry], in.view, in.zoom);
  const SolarPoint earth = projectSolar(at.longitude[earthEntry], at.distanceAu[earthEntry], in.view, in.zoom);
  const bool earthNamed = earth.visible && in.namesOn && innerLabelled;
  const bool earthSigned = earth.visible && in.signsOn && innerLabelled;
  const LabelBoxes earthLabels = labelBoxes(painter, earth, solarBody(earthEntry));
  if (earth.visible) {
    drawDot(painter, earth, SolarColours::planet);
    drawLabels(painter, earthLabels, solarBody(earthEntry), earthNamed, earthSigned);
  }

  if (in.moonOn && innerLabelled) {
    const SolarPoint moon =
        projectMoon(at.longitude[earthEntry], at.distanceAu[earthEntry], at.moonLongitude, in.view, in.zoom);
    if (moon.visible) {
      drawDot(painter, moon, SolarColours::moon);
      LabelBoxes moonLabels = labelBoxes(painter, moon, theMoon());
      moonLabels = clearOf(moonLabels, earthLabels, earthNamed, earthSigned);
      drawLabels(painter, moonLabels, theMoon(), in.namesOn, in.signsOn);
    }
  }
}

}  // namespace noctavo
