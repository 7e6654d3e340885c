#include "sky/SkyPainter.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "bodies/AstPlanet.h"
#include "catalogues/Constellation.h"
#include "catalogues/GreekLetter.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "time/InternalError.h"
#include "ui/SymbolFont.h"

// The panoramas live in the program's static library; this names them to
// the linker.
static void initialiseSkyResources() { Q_INIT_RESOURCE(sky); }

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_SKY";

// Colours of the map.
const QColor skyColour(0, 0, 0);
const QColor eclipticColour(64, 64, 64);
const QColor gridColour(48, 48, 48);
const QColor constellationLineColour(0, 0, 128);
const QColor constellationNameColour(128, 0, 0);
const QColor starLabelColour(0, 128, 128);
const QColor ngcColour(51, 51, 51);
const QColor ngcWithPictureColour(255, 0, 255);
const QColor planetLabelColour(192, 192, 192);
const QColor sunColour(255, 255, 0);
const QColor moonColour(192, 192, 192);

// The greys of the star dots.
const QColor dotWhite(255, 255, 255);
const QColor dotGrey1(128, 128, 128);
const QColor dotGrey2(76, 76, 76);
const QColor dotGrey3(51, 51, 51);
const QColor dotGrey4(179, 179, 179);
const QColor dotGrey5(153, 153, 153);

// Where labels stand relative to their object, pixels: names below, Greek
// letters and planet symbols above, constellation names to the right.
constexpr int nameOffsetY = 7;
constexpr int symbolOffsetY = -20;
constexpr int constellationNameOffsetX = 10;

constexpr int discRadius = 6;        // the Sun and the Moon
constexpr int highlightRadius = 10;  // the circle around the selected object

// The panoramas: one per 45 degrees of azimuth, drawn at their own height.
constexpr int panoramaCount = 8;
constexpr int panoramaStep = 45;  // degrees of azimuth from one to the next
constexpr int panoramaHeight = 29;

constexpr unsigned char alphaLetter = 0;

// ---- Pixels -----------------------------------------------------------

// Sets single pixels, changing the pen only when the colour changes.
class PixelWriter {
 public:
  explicit PixelWriter(QPainter& painter) : painter_(painter) {}
  void set(int x, int y, const QColor& colour) {
    if (colour != current_) {
      painter_.setPen(QPen(colour, 1));
      current_ = colour;
    }
    painter_.drawPoint(x, y);
  }

 private:
  QPainter& painter_;
  QColor current_;
};

// A 3 x 3 block with its centre, the four edge neighbours and the corners in
// their own colours.
void setBlock(PixelWriter& pixels, int x, int y, const QColor& centre, const QColor& edges, const QColor& corners) {
  pixels.set(x, y, centre);
  pixels.set(x - 1, y, edges);
  pixels.set(x + 1, y, edges);
  pixels.set(x, y - 1, edges);
  pixels.set(x, y + 1, edges);
  pixels.set(x - 1, y - 1, corners);
  pixels.set(x + 1, y - 1, corners);
  pixels.set(x - 1, y + 1, corners);
  pixels.set(x + 1, y + 1, corners);
}

void drawDot(PixelWriter& pixels, int x, int y, double magnitude) {
  if (magnitude <= 1.0) {
    setBlock(pixels, x, y, dotWhite, dotWhite, dotWhite);
  } else if (magnitude <= 2.0) {
    setBlock(pixels, x, y, dotWhite, dotGrey1, dotGrey2);
  } else if (magnitude <= 2.5) {
    setBlock(pixels, x, y, dotWhite, dotGrey2, dotGrey3);
  } else if (magnitude <= 3.5) {
    pixels.set(x, y, dotGrey4);
    pixels.set(x - 1, y, dotGrey2);
    pixels.set(x + 1, y, dotGrey2);
    pixels.set(x, y - 1, dotGrey2);
    pixels.set(x, y + 1, dotGrey2);
  } else if (magnitude <= 4.0) {
    pixels.set(x, y, dotGrey5);
  } else if (magnitude <= 5.0) {
    pixels.set(x, y, dotGrey2);
  } else {
    pixels.set(x, y, dotGrey3);
  }
}

// The pixels of the highlight's hollow circle around its centre, each
// once: an inverting pen that touched a pixel twice would undo itself there.
const std::vector<QPoint>& highlightCircleOffsets() {
  static const std::vector<QPoint> offsets = [] {
    constexpr int radius = highlightRadius;
    std::vector<QPoint> points;
    // Midpoint circle: one octant, mirrored eight ways, duplicates (on the
    // axes and the diagonals) left out.
    int x = radius;
    int y = 0;
    int error = 1 - radius;
    const auto add = [&points](int px, int py) {
      const QPoint point(px, py);
      for (const QPoint& known : points) {
        if (known == point) return;
      }
      points.push_back(point);
    };
    while (x >= y) {
      add(x, y), add(y, x), add(-y, x), add(-x, y);
      add(-x, -y), add(-y, -x), add(y, -x), add(x, -y);
      ++y;
      if (error < 0) {
        error += 2 * y + 1;
      } else {
        --x;
        error += 2 * (y - x) + 1;
      }
    }
    return points;
  }();
  return offsets;
}

// ---- Text -------------------------------------------------------------

// Text in the symbol font with a transparent background, its top at the
// given row.
class TextWriter {
 public:
  explicit TextWriter(QPainter& painter) : painter_(painter), metrics_(SymbolFont()) {
    painter_.setFont(SymbolFont());
    painter_.setBackgroundMode(Qt::TransparentMode);
  }
  void centred(int x, int top, const QString& text, const QColor& colour) {
    leftAligned(x - metrics_.horizontalAdvance(text) / 2, top, text, colour);
  }
  void leftAligned(int x, int top, const QString& text, const QColor& colour) {
    painter_.setPen(QPen(colour, 1));
    painter_.drawText(x, top + metrics_.ascent(), text);
  }

 private:
  QPainter& painter_;
  QFontMetrics metrics_;
};

QString textOf(const char* bytes) { return bytes == nullptr ? QString() : symbolText(bytes); }

// ---- Panorama ---------------------------------------------------------

// The panorama of a direction of view (degrees, truncated); a null image for
// a direction between the eight panoramas.
const QImage& panoramaImage(int azimuth) {
  static std::array<QImage, panoramaCount> images;
  static std::array<bool, panoramaCount> loaded{};
  static const QImage none;
  if (azimuth < 0 || azimuth % panoramaStep != 0 || azimuth / panoramaStep >= panoramaCount) return none;
  const auto slot = static_cast<std::size_t>(azimuth / panoramaStep);
  if (!loaded[slot]) {
    initialiseSkyResources();
    images[slot] = QImage(QString::asprintf(":/horizons/Bmp_Horizon%03d.png", azimuth));
    loaded[slot] = true;
  }
  return images[slot];
}

bool panoramaShown(const SkySettings& settings, SkyView view) {
  return settings.mapType == MapType::Realistic && settings.horizonOn &&
         altitudeStepIndex(MapType::Realistic, view.phi) == 0;
}

// ---- The layers -------------------------------------------------------

class SkyPaint {
 public:
  SkyPaint(QPainter& painter, const SkyPaintInput& input)
      : painter_(painter),
        input_(input),
        tables_(*input.tables),
        settings_(*input.settings),
        geometry_(input.geometry) {}

  void run() {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setBrush(Qt::NoBrush);
    painter_.fillRect(QRect(0, 0, geometry_.width, geometry_.height), skyColour);

    horizonPanorama();
    if (settings_.eclipticOn) ecliptic();
    if (settings_.gridType != GridType::Off) grid();
    projectStars();
    if (settings_.constellationLinesOn) constellationFigures();
    if (settings_.ngcObjectsOn) ngcObjects();
    stars();
    planets();
    if (settings_.sunOn) disc(onMap(SkyObjectKind::Sun), sunColour);
    if (settings_.moonOn) disc(onMap(SkyObjectKind::Moon), moonColour);
    painter_.setClipping(false);
    if (input_.highlightDrawn) drawHighlightMark(painter_, input_.highlightCentre);
    painter_.restore();
  }

 private:
  ProjectedPoint project(const AstCoord& position) const {
    return projectToScreen(input_.view.lambda, input_.view.phi, geometry_, position);
  }

  AstCoord onMap(SkyObjectKind kind, int index = 0) const {
    return skyPosition(tables_, settings_.mapType, kind, index);
  }

  // Layer 1: the landscape along the lower edge; nothing else may cover it.
  void horizonPanorama() {
    if (!panoramaShown(settings_, input_.view)) return;
    const int azimuth = static_cast<int>(std::trunc(input_.view.lambda));
    const QImage& image = panoramaImage(azimuth);
    // The view turns in steps of 45 degrees; a direction between them (a
    // hand-edited setting) has no landscape, and the sky is drawn down to
    // the lower edge.
    if (image.isNull()) return;
    const int top = geometry_.height - panoramaHeight;
    painter_.drawImage(QRect(0, top, geometry_.width, panoramaHeight), image);
    painter_.setClipRect(QRect(0, 0, geometry_.width, top > 0 ? top : 0));
  }

  // A line from one point of a polyline to the next when either end lies
  // in the field.
  void drawSegment(const ProjectedPoint& previous, const ProjectedPoint& point) {
    if (previous.visible || point.visible) painter_.drawLine(previous.x, previous.y, point.x, point.y);
  }

  void polyline(const AstCoord* points, int count) {
    if (count <= 0) return;
    ProjectedPoint previous = project(points[0]);
    bool previousValid = points[0].isValid();
    for (int index = 1; index < count; ++index) {
      const ProjectedPoint point = project(points[index]);
      const bool valid = points[index].isValid();
      if (previousValid && valid) drawSegment(previous, point);
      previous = point;
      previousValid = valid;
    }
  }

  // The ecliptic and the grid come turned for the map the tables were told
  // of; lines of another map would be drawn in the wrong place.
  bool linesFitTheMap(bool withGrid) const {
    const SkyLinePoints& lines = tables_.lines;
    if (lines.mapType == settings_.mapType && (!withGrid || lines.gridType == settings_.gridType)) return true;
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return false;
  }

  // Layer 2.
  void ecliptic() {
    if (!linesFitTheMap(false)) return;
    const std::vector<AstCoord>& points = tables_.lines.ecliptic;
    painter_.setPen(QPen(eclipticColour, 1));
    polyline(points.data(), static_cast<int>(points.size()));
  }

  // Layer 3.
  void grid() {
    if (settings_.gridType != GridType::Horizontal && settings_.gridType != GridType::Equatorial) {
      NOCTAVO_INTERNAL_ERROR(moduleName);
      return;
    }
    if (!linesFitTheMap(true)) return;
    const SkyLinePoints& points = tables_.lines;
    painter_.setPen(QPen(gridColour, 1));
    for (std::size_t start = 0; start + meridianPointCount <= points.meridians.size(); start += meridianPointCount) {
      polyline(&points.meridians[start], meridianPointCount);
    }
    for (std::size_t start = 0; start + parallelPointCount <= points.parallels.size(); start += parallelPointCount) {
      polyline(&points.parallels[start], parallelPointCount);
    }
  }

  // Every star once, for the figures and the dots.
  void projectStars() {
    const int count = starCount();
    starPoints_.resize(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
      starPoints_[static_cast<std::size_t>(index)] = project(onMap(SkyObjectKind::Star, index));
    }
  }

  const ProjectedPoint* starPoint(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= starPoints_.size()) return nullptr;
    return &starPoints_[static_cast<std::size_t>(index)];
  }

  // Layer 4: each segment from its visible end towards the other, kept
  // inside the display.
  void constellationFigures() {
    painter_.setPen(QPen(constellationLineColour, 1));
    int cursor = 0;
    while (const Constellation* constellation = nextConstellation(cursor)) {
      for (const FigureLine& line : constellation->lines()) {
        const ProjectedPoint* from = starPoint(line.fromStar);
        const ProjectedPoint* to = starPoint(line.toStar);
        if (from == nullptr || to == nullptr) continue;
        if (from->visible) {
          QPoint current(from->x, from->y);
          LineToClipped(painter_, current, to->x, to->y, geometry_.width, geometry_.height);
        } else if (to->visible) {
          QPoint current(to->x, to->y);
          LineToClipped(painter_, current, from->x, from->y, geometry_.width, geometry_.height);
        }
      }
    }
  }

  // Layer 5.
  void ngcObjects() {
    PixelWriter pixels(painter_);
    const bool colourByPicture = settings_.ngcColourOn && static_cast<bool>(input_.hasPicture);
    const int count = ngcCount();
    for (int index = 0; index < count; ++index) {
      const ProjectedPoint point = project(onMap(SkyObjectKind::NgcObject, index));
      if (!point.visible) continue;
      const NgcObject* object = ngcAt(index);
      const bool withPicture = colourByPicture && input_.hasPicture(*object);
      pixels.set(point.x, point.y, withPicture ? ngcWithPictureColour : ngcColour);
    }
  }

  // Layer 6.
  void stars() {
    TextWriter text(painter_);
    const int count = starCount();
    for (int index = 0; index < count; ++index) {
      const ProjectedPoint& point = starPoints_[static_cast<std::size_t>(index)];
      if (!point.visible) continue;
      const Star& star = *starAt(index);
      {
        PixelWriter pixels(painter_);
        drawDot(pixels, point.x, point.y, star.magnitude());
      }
      if (settings_.starNamesOn) {
        const char* name = starName(index);
        if (name != nullptr && name[0] != '\0') {
          text.centred(point.x, point.y + nameOffsetY, textOf(name), starLabelColour);
        }
      }
      const GreekLetter letter(star.greekLetter());
      if (settings_.starLettersOn && letter.isValid()) {
        std::string label(1, static_cast<char>(letter.symbol()));
        if (star.letterSuffix() != Star::noSuffix) label.push_back(star.letterSuffix());
        text.centred(point.x, point.y + symbolOffsetY, symbolText(label), starLabelColour);
      }
      if (settings_.constellationNamesOn && letter.index() == alphaLetter &&
          (star.letterSuffix() == '0' || star.letterSuffix() == '1')) {
        if (const Constellation* constellation = star.constellation()) {
          text.leftAligned(point.x + constellationNameOffsetX, point.y, textOf(constellation->getName()),
                           constellationNameColour);
        }
      }
    }
  }

  // Layer 7.
  void planets() {
    const int shown = planetCountShown(settings_.planetDisplayMode);
    if (shown == 0) return;
    TextWriter text(painter_);
    for (int index = 0; index < shown; ++index) {
      const auto slot = static_cast<std::size_t>(index);
      const ProjectedPoint point = project(onMap(SkyObjectKind::Planet, index));
      if (!point.visible) continue;
      const double magnitude =
          settings_.planetDisplayMode == PlanetDisplayMode::Realistic ? tables_.planetMagnitude[slot] : 1.0;
      {
        PixelWriter pixels(painter_);
        drawDot(pixels, point.x, point.y, magnitude);
      }
      const AstPlanet* planet = planetByIndex(index);
      if (planet == nullptr) continue;  // reported by the lookup
      if (settings_.planetNamesOn) {
        text.centred(point.x, point.y + nameOffsetY, textOf(planet->getName()), planetLabelColour);
      }
      if (settings_.planetSymbolsOn) {
        const std::string symbol(1, static_cast<char>(planet->symbol()));
        text.centred(point.x, point.y + symbolOffsetY, symbolText(symbol), planetLabelColour);
      }
    }
  }

  // Layers 8 and 9.
  void disc(const AstCoord& position, const QColor& colour) {
    const ProjectedPoint point = project(position);
    if (!point.visible) return;
    painter_.setPen(QPen(colour, 1));
    painter_.setBrush(colour);
    painter_.drawEllipse(QRect(point.x - discRadius, point.y - discRadius, 2 * discRadius, 2 * discRadius));
    painter_.setBrush(Qt::NoBrush);
  }

  QPainter& painter_;
  const SkyPaintInput& input_;
  const SkyPositionTables& tables_;
  const SkySettings& settings_;
  const DisplayGeometry& geometry_;
  std::vector<ProjectedPoint> starPoints_;
};

}  // namespace

void paintSky(QPainter& painter, const SkyPaintInput& input) {
  if (input.tables == nullptr || input.settings == nullptr || !isKnownMapType(input.settings->mapType)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  SkyPaint(painter, input).run();
}

void drawStarDot(QPainter& painter, int x, int y, double magnitude) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  PixelWriter pixels(painter);
  drawDot(pixels, x, y, magnitude);
  painter.restore();
}

void drawHighlightMark(QPainter& painter, QPoint centre) {
  // Exclusive-or with white turns every colour into its inverse, and a
  // second time back: the mark comes and goes without a copy of what lay
  // beneath it.
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setPen(QPen(QColor(255, 255, 255), 1));
  const std::vector<QPoint>& offsets = highlightCircleOffsets();
  std::vector<QPoint> points;
  points.reserve(offsets.size());
  for (const QPoint& offset : offsets) points.push_back(centre + offset);
  painter.drawPoints(points.data(), static_cast<int>(points.size()));
  painter.restore();
}

}  // namespace noctavo
