// The drawing of the sky map: the star dots pixel by pixel, the highlight
// mark, and whole maps painted from the catalogues that come with the
// program, checked by their pixels.
#include "sky/SkyPainter.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bodies/AstPlanet.h"
#include "catalogues/Constellation.h"
#include "catalogues/CoreServices.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "support/InternalErrorRecorder.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr QRgb black = 0xFF000000;
constexpr QRgb white = 0xFFFFFFFF;
constexpr QRgb g1 = 0xFF808080;  // 128
constexpr QRgb g2 = 0xFF4C4C4C;  // 76
constexpr QRgb g3 = 0xFF333333;  // 51
constexpr QRgb g4 = 0xFFB3B3B3;  // 179
constexpr QRgb g5 = 0xFF999999;  // 153

constexpr QRgb constellationLine = 0xFF000080;
constexpr QRgb gridLine = 0xFF303030;
constexpr QRgb eclipticLine = 0xFF404040;
constexpr QRgb sunDisc = 0xFFFFFF00;
constexpr QRgb moonDisc = 0xFFC0C0C0;
constexpr QRgb ngcPlain = 0xFF333333;
constexpr QRgb ngcWithPicture = 0xFFFF00FF;

// ---- Star dots --------------------------------------------------------

using Block = std::array<std::array<QRgb, 3>, 3>;  // [row][column] around the dot

Block dotAt(double magnitude) {
  QImage image(7, 7, QImage::Format_RGB32);
  image.fill(black);
  {
    QPainter painter(&image);
    drawStarDot(painter, 3, 3, magnitude);
  }
  Block block{};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) block[row][column] = image.pixel(2 + column, 2 + row);
  }
  // Nothing outside the 3 x 3 block.
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      if (x >= 2 && x <= 4 && y >= 2 && y <= 4) continue;
      if (image.pixel(x, y) != black) ADD_FAILURE() << "pixel outside the dot at " << x << "," << y;
    }
  }
  return block;
}

Block square(QRgb centre, QRgb edges, QRgb corners) {
  return {{{corners, edges, corners}, {edges, centre, edges}, {corners, edges, corners}}};
}
Block plus(QRgb centre, QRgb edges) { return {{{black, edges, black}, {edges, centre, edges}, {black, edges, black}}}; }
Block single(QRgb centre) { return {{{black, black, black}, {black, centre, black}, {black, black, black}}}; }

TEST(StarDot, FirstMagnitudeAndBrighterIsAWhiteSquare) {
  EXPECT_EQ(dotAt(-1.46), square(white, white, white));
  EXPECT_EQ(dotAt(1.0), square(white, white, white));
}

TEST(StarDot, SecondMagnitudeHasGreyEdgesAndDarkerCorners) {
  EXPECT_EQ(dotAt(1.01), square(white, g1, g2));
  EXPECT_EQ(dotAt(2.0), square(white, g1, g2));
}

TEST(StarDot, UpToTwoAndAHalfKeepsTheSquareInDarkerGreys) {
  EXPECT_EQ(dotAt(2.01), square(white, g2, g3));
  EXPECT_EQ(dotAt(2.5), square(white, g2, g3));
}

TEST(StarDot, JustFainterThanTwoAndAHalfIsAPlusSign) {
  EXPECT_EQ(dotAt(2.51), plus(g4, g2));
  EXPECT_EQ(dotAt(3.5), plus(g4, g2));
}

TEST(StarDot, FaintStarsAreSinglePixelsInFallingGreys) {
  EXPECT_EQ(dotAt(3.51), single(g5));
  EXPECT_EQ(dotAt(4.0), single(g5));
  EXPECT_EQ(dotAt(4.01), single(g2));
  EXPECT_EQ(dotAt(5.0), single(g2));
  EXPECT_EQ(dotAt(5.1), single(g3));
  EXPECT_EQ(dotAt(9999.0), single(g3));
}

TEST(StarDot, LeavesThePaintersPenAsItWas) {
  QImage image(5, 5, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setPen(QColor(1, 2, 3));
  drawStarDot(painter, 2, 2, 0.0);
  EXPECT_EQ(painter.pen().color(), QColor(1, 2, 3));
}

// ---- Highlight mark ---------------------------------------------------

QImage patterned(int size) {
  QImage image(size, size, QImage::Format_RGB32);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) * 5 % 256));
  }
  return image;
}

TEST(HighlightMark, InvertsAHollowCircleOfRadiusTen) {
  const QImage before = patterned(41);
  QImage image = before;
  {
    QPainter painter(&image);
    drawHighlightMark(painter, QPoint(20, 20));
  }
  const auto inverted = [&](int x, int y) { return image.pixel(x, y) == (before.pixel(x, y) ^ 0x00FFFFFFu); };
  EXPECT_TRUE(inverted(30, 20));
  EXPECT_TRUE(inverted(10, 20));
  EXPECT_TRUE(inverted(20, 10));
  EXPECT_TRUE(inverted(20, 30));
  EXPECT_EQ(image.pixel(20, 20), before.pixel(20, 20));  // hollow
  EXPECT_EQ(image.pixel(31, 20), before.pixel(31, 20));
  EXPECT_EQ(image.pixel(20, 31), before.pixel(20, 31));
  int changed = 0;
  for (int y = 0; y < 41; ++y) {
    for (int x = 0; x < 41; ++x) {
      if (image.pixel(x, y) == before.pixel(x, y)) continue;
      ++changed;
      EXPECT_TRUE(inverted(x, y)) << x << "," << y;
      const int dx = x - 20;
      const int dy = y - 20;
      EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 10.0, 0.8) << x << "," << y;
    }
  }
  EXPECT_GT(changed, 50);  // a closed ring, not a few dots
}

TEST(HighlightMark, DrawnASecondTimeRestoresEveryPixel) {
  const QImage before = patterned(41);
  QImage image = before;
  {
    QPainter painter(&image);
    drawHighlightMark(painter, QPoint(20, 20));
    drawHighlightMark(painter, QPoint(20, 20));
  }
  EXPECT_EQ(image, before);
}

// ---- Whole maps from the shipped catalogues ---------------------------

std::string shippedDataFolder() {
  if (const char* dir = std::getenv("NOCTAVO_DATA_DIR")) {
    if (std::filesystem::exists(std::filesystem::path(dir) / "Noctavo.sta")) return dir;
  }
  return (std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "data").lexically_normal().string();
}

// A winter evening in London: Orion stands in the south.
Observer londonWinterEvening() {
  Observer observer;
  observer.dateTime = AstDateTime(15, 1, 2025, 21.0, TimeKind::Lct);
  observer.location.latitude.set(51.5);
  observer.location.longitude.set(0.1);
  observer.location.timeZone = 0.0f;
  return observer;
}

// Only what a test switches on.
SkySettings nothingShown(MapType mapType) {
  SkySettings settings;
  settings.mapType = mapType;
  settings.gridType = GridType::Off;
  settings.eclipticOn = 0;
  settings.starNamesOn = 0;
  settings.starLettersOn = 0;
  settings.constellationNamesOn = 0;
  settings.constellationLinesOn = 0;
  settings.planetDisplayMode = PlanetDisplayMode::None;
  settings.planetNamesOn = 0;
  settings.planetSymbolsOn = 0;
  settings.sunOn = 0;
  settings.moonOn = 0;
  settings.horizonOn = 0;
  settings.ngcObjectsOn = 0;
  return settings;
}

class PaintedSky : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing::InternalErrorRecorder errors;
    MemorySettingsStore settings;
    const std::string folder = shippedDataFolder();
    loaded_ = loadStars(folder) && loadConstellationFigures(folder, settings) && loadNgcCatalogue(folder) &&
              errors.count() == 0;
  }
  static void TearDownTestSuite() {
    releaseNgcCatalogue();
    releaseStars();
    releaseConstellations();
  }
  void SetUp() override {
    ASSERT_TRUE(loaded_) << "the shipped catalogues did not load from " << shippedDataFolder();
    allocateSkyPositionTables(tables_);
    computeSkyPositions(tables_, londonWinterEvening(), londonWinterEvening(), false);
  }

  QImage paint(const SkySettings& settings, SkyView view, std::function<bool(const NgcObject&)> hasPicture = {}) {
    QImage image(geometry_.width, geometry_.height, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));  // anything but the sky's black
    QPainter painter(&image);
    SkyPaintInput input;
    input.tables = &tables_;
    input.settings = &settings;
    input.view = view;
    input.geometry = geometry_;
    input.hasPicture = std::move(hasPicture);
    paintSky(painter, input);
    return image;
  }

  static const Star& namedStar(const char* name) {
    const Star* star = findStarByName(name);
    if (star == nullptr) throw std::runtime_error(std::string("no star named ") + name);
    return *star;
  }

  ProjectedPoint projected(const AstCoord& position, SkyView view) const {
    return projectToScreen(view.lambda, view.phi, geometry_, position);
  }
  ProjectedPoint starOnMap(const Star& star, SkyView view) const {
    return projected(tables_.starHorizontal[static_cast<std::size_t>(star.getIndex())], view);
  }

  static Block blockAt(const QImage& image, ProjectedPoint point) {
    Block block{};
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        block[row][column] = image.pixel(point.x - 1 + column, point.y - 1 + row);
      }
    }
    return block;
  }

  static int countPixels(const QImage& image, const std::function<bool(QRgb)>& test, QRect area = {}) {
    if (area.isNull()) area = image.rect();
    area &= image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) count += test(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
  }
  static std::function<bool(QRgb)> is(QRgb colour) {
    return [colour](QRgb pixel) { return pixel == colour; };
  }
  // Inside the image with a pixel to spare: a point can be in the +-30
  // degree field and still above or below a display wider than high.
  static bool onImage(const QImage& image, const ProjectedPoint& point) {
    return point.visible && point.x >= 1 && point.y >= 1 && point.x < image.width() - 1 &&
           point.y < image.height() - 1;
  }
  static bool nearPixel(const QImage& image, int x, int y, QRgb colour) {
    return countPixels(image, is(colour), QRect(x - 1, y - 1, 3, 3)) > 0;
  }

  static inline bool loaded_ = false;
  SkyPositionTables tables_;
  DisplayGeometry geometry_ = makeDisplayGeometry(750, 4.0 / 3.0);  // 1000 x 750
  const SkyView south_{180.0, 30.0};
};

TEST_F(PaintedSky, TheDisplayIsBlackWithNothingShown) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  const QImage image = paint(settings, south_);
  ASSERT_EQ(image.size(), QSize(1000, 750));
  // Only the stars are always there.
  const int notBlack = countPixels(image, [](QRgb pixel) { return pixel != black; });
  EXPECT_GT(notBlack, 0);
  EXPECT_LT(notBlack, image.width() * image.height() / 50);
  EXPECT_EQ(countPixels(image, is(qRgb(1, 2, 3))), 0);
}

TEST_F(PaintedSky, TheBrightStarsOfOrionAreWhiteSquaresWhereTheyAreProjected) {
  const QImage south = paint(nothingShown(MapType::Realistic), south_);
  // Sirius stands lower, south-south-east, just left of the southern view.
  const SkyView southEast{135.0, 30.0};
  const QImage southEastImage = paint(nothingShown(MapType::Realistic), southEast);
  struct Sighting {
    const char* name;
    const QImage& image;
    SkyView view;
  };
  for (const Sighting& sighting : {Sighting{"Rigel", south, south_}, Sighting{"Betelgeuse", south, south_},
                                   Sighting{"Sirius", southEastImage, southEast}}) {
    const Star& star = namedStar(sighting.name);
    ASSERT_LE(star.magnitude(), 1.0f) << sighting.name;
    const ProjectedPoint point = starOnMap(star, sighting.view);
    ASSERT_TRUE(onImage(sighting.image, point)) << sighting.name << " is not up on a January evening";
    EXPECT_EQ(blockAt(sighting.image, point), square(white, white, white)) << sighting.name;
  }
}

TEST_F(PaintedSky, TheEquatorialMapPutsStarsAtTheirMirroredRightAscension) {
  const Star& rigel = namedStar("Rigel");
  const SkyView view{360.0 - 90.0, 0.0};  // right ascension 6h on the celestial equator
  const QImage image = paint(nothingShown(MapType::Equatorial), view);
  const ProjectedPoint point =
      projected(AstCoord(360.0 - rigel.rightAscension(), rigel.declination(), CoordSystem::Equatorial), view);
  ASSERT_TRUE(point.visible);
  EXPECT_EQ(blockAt(image, point), square(white, white, white));
}

TEST_F(PaintedSky, ConstellationFiguresJoinTheirStarsInDarkBlue) {
  const Constellation* orion = findConstellationByAbbreviation("Ori");
  ASSERT_NE(orion, nullptr);
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.constellationLinesOn = 1;
  const QImage withLines = paint(settings, south_);
  settings.constellationLinesOn = 0;
  const QImage withoutLines = paint(settings, south_);
  int segmentsSeen = 0;
  for (const FigureLine& line : orion->lines()) {
    const ProjectedPoint from = starOnMap(*starAt(line.fromStar), south_);
    const ProjectedPoint to = starOnMap(*starAt(line.toStar), south_);
    if (!onImage(withLines, from) || !onImage(withLines, to)) continue;
    const int midX = (from.x + to.x) / 2;
    const int midY = (from.y + to.y) / 2;
    EXPECT_TRUE(nearPixel(withLines, midX, midY, constellationLine)) << line.fromStar << "-" << line.toStar;
    EXPECT_FALSE(nearPixel(withoutLines, midX, midY, constellationLine));
    ++segmentsSeen;
  }
  EXPECT_GE(segmentsSeen, 5);
}

TEST_F(PaintedSky, ConstellationLinesLeavingTheDisplayStopAtItsEdge) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.constellationLinesOn = 1;
  // Looking straight up: many figures cross the edges of the field.
  const QImage image = paint(settings, SkyView{0.0, 90.0});
  const int onEdges = countPixels(image, is(constellationLine), QRect(0, 0, image.width(), 1)) +
                      countPixels(image, is(constellationLine), QRect(0, image.height() - 1, image.width(), 1)) +
                      countPixels(image, is(constellationLine), QRect(0, 0, 1, image.height())) +
                      countPixels(image, is(constellationLine), QRect(image.width() - 1, 0, 1, image.height()));
  EXPECT_GT(onEdges, 0);
}

TEST_F(PaintedSky, TheMoonIsAFilledDiscOfRadiusSix) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.moonOn = 1;
  const SkyView onTheMoon{tables_.moonHorizontal.a(), tables_.moonHorizontal.b()};
  const QImage image = paint(settings, onTheMoon);
  const int cx = geometry_.centreX;
  const int cy = geometry_.centreY;
  EXPECT_EQ(image.pixel(cx, cy), moonDisc);
  EXPECT_EQ(image.pixel(cx + 5, cy), moonDisc);
  EXPECT_EQ(image.pixel(cx - 5, cy), moonDisc);
  EXPECT_EQ(image.pixel(cx, cy - 5), moonDisc);
  EXPECT_EQ(image.pixel(cx, cy + 5), moonDisc);
  // The bounding box reaches six pixels out on every side.
  EXPECT_EQ(image.pixel(cx + 6, cy), moonDisc);
  EXPECT_EQ(image.pixel(cx - 6, cy), moonDisc);
  EXPECT_EQ(image.pixel(cx, cy - 6), moonDisc);
  EXPECT_EQ(image.pixel(cx, cy + 6), moonDisc);
  EXPECT_NE(image.pixel(cx + 7, cy), moonDisc);
  EXPECT_NE(image.pixel(cx - 7, cy), moonDisc);
  EXPECT_NE(image.pixel(cx, cy - 7), moonDisc);
  EXPECT_NE(image.pixel(cx, cy + 7), moonDisc);
  EXPECT_NE(image.pixel(cx + 5, cy + 5), moonDisc);  // round, not square
  settings.moonOn = 0;
  EXPECT_NE(paint(settings, onTheMoon).pixel(cx, cy), moonDisc);
}

TEST_F(PaintedSky, TheSunIsAYellowDiscEvenBelowTheHorizonOfTheHorizontalMap) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.sunOn = 1;
  ASSERT_LT(tables_.sunHorizontal.b(), 0.0);  // night
  const SkyView onTheSun{tables_.sunHorizontal.a(), tables_.sunHorizontal.b()};
  const QImage image = paint(settings, onTheSun);
  EXPECT_EQ(image.pixel(geometry_.centreX, geometry_.centreY), sunDisc);
  EXPECT_EQ(image.pixel(geometry_.centreX + 4, geometry_.centreY - 3), sunDisc);
}

TEST_F(PaintedSky, TheMoonCoversTheSun) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.sunOn = 1;
  settings.moonOn = 1;
  tables_.sunHorizontal = tables_.moonHorizontal;  // an eclipse
  const QImage image = paint(settings, SkyView{tables_.moonHorizontal.a(), tables_.moonHorizontal.b()});
  EXPECT_EQ(image.pixel(geometry_.centreX, geometry_.centreY), moonDisc);
}

TEST_F(PaintedSky, ThePanoramaIsDrawnOnlyAtTheLowestRealisticViewAboveTheHorizon) {
  SkySettings settings = nothingShown(MapType::Realistic);
  const QRect ground(0, geometry_.height - 29, geometry_.width, 29);
  const auto groundDiffers = [&](SkyView view) {
    settings.horizonOn = 1;
    const QImage with = paint(settings, view);
    settings.horizonOn = 0;
    const QImage without = paint(settings, view);
    return with.copy(ground) != without.copy(ground);
  };
  EXPECT_TRUE(groundDiffers(SkyView{180.0, 30.0}));
  EXPECT_FALSE(groundDiffers(SkyView{180.0, 75.0}));
  EXPECT_FALSE(groundDiffers(SkyView{180.0, -30.0}));
  settings.mapType = MapType::Horizontal;
  EXPECT_FALSE(groundDiffers(SkyView{180.0, 30.0}));
}

TEST_F(PaintedSky, NothingIsDrawnOverThePanorama) {
  SkySettings bare = nothingShown(MapType::Realistic);
  bare.horizonOn = 1;
  SkySettings everything = bare;
  everything.gridType = GridType::Horizontal;
  everything.eclipticOn = 1;
  everything.starNamesOn = everything.starLettersOn = 1;
  everything.constellationNamesOn = everything.constellationLinesOn = 1;
  everything.planetDisplayMode = PlanetDisplayMode::All;
  everything.planetNamesOn = everything.planetSymbolsOn = 1;
  everything.sunOn = everything.moonOn = everything.ngcObjectsOn = 1;
  for (double azimuth = 0.0; azimuth < 360.0; azimuth += 45.0) {
    const SkyView view{azimuth, 30.0};
    const QRect ground(0, geometry_.height - 29, geometry_.width, 29);
    const QImage full = paint(everything, view);
    const QImage landscape = paint(bare, view);
    EXPECT_EQ(full.copy(ground), landscape.copy(ground)) << azimuth;
    SkySettings noLandscape = bare;
    noLandscape.horizonOn = 0;
    EXPECT_NE(paint(noLandscape, view).copy(ground), landscape.copy(ground)) << azimuth;
    // The grid's parallels and the stars reach the panorama's top edge.
    EXPECT_NE(full.copy(0, 0, geometry_.width, geometry_.height - 29),
              landscape.copy(0, 0, geometry_.width, geometry_.height - 29));
  }
}

TEST_F(PaintedSky, ADirectionBetweenThePanoramasShowsNoLandscapeAndTheSkyDownToTheEdge) {
  SkySettings settings = nothingShown(MapType::Realistic);
  settings.horizonOn = 1;
  const QImage between = paint(settings, SkyView{200.0, 30.0});
  settings.horizonOn = 0;
  EXPECT_EQ(between, paint(settings, SkyView{200.0, 30.0}));
}

TEST_F(PaintedSky, DisplaysTooSmallForTheLandscapeStillPaint) {
  SkySettings settings;
  settings.ngcObjectsOn = 1;
  settings.starNamesOn = 1;
  for (int height : {0, 1, 20, 29, 30}) {
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    QPainter painter(&image);
    SkyPaintInput input;
    input.tables = &tables_;
    input.settings = &settings;
    input.view = south_;
    input.geometry = makeDisplayGeometry(height, 4.0 / 3.0);
    paintSky(painter, input);
    painter.end();
    // The display's own rectangle is sky; the rest of the device is left alone.
    EXPECT_EQ(image.pixel(49, 49), qRgb(1, 2, 3)) << height;
    if (height > 0) {
      EXPECT_NE(image.pixel(0, 0), qRgb(1, 2, 3)) << height;
    }
  }
}

TEST_F(PaintedSky, StarsAreDrawnOverTheGrid) {
  // Rigel put on the meridian at the centre of a horizontal grid.
  const Star& rigel = namedStar("Rigel");
  tables_.starHorizontal[static_cast<std::size_t>(rigel.getIndex())] = AstCoord(180.0, 20.0, CoordSystem::Horizontal);
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.gridType = GridType::Horizontal;
  const QImage image = paint(settings, south_);
  const ProjectedPoint point = starOnMap(rigel, south_);
  ASSERT_TRUE(point.visible);
  ASSERT_TRUE(nearPixel(image, point.x, point.y - 10, gridLine));  // the meridian runs through it
  ASSERT_TRUE(nearPixel(image, point.x, point.y + 10, gridLine));
  EXPECT_EQ(blockAt(image, point), square(white, white, white));
}

TEST_F(PaintedSky, TheEclipticFollowsTheConversionMoment) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.eclipticOn = 1;
  for (int hours : {0, 5}) {
    Observer observer = londonWinterEvening();
    observer.dateTime.addStep(StepUnit::Hours, hours);
    computeSkyPositions(tables_, observer, observer, false);
    int checked = 0;
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 45.0) {
      const SkyView view{azimuth, 30.0};
      const QImage image = paint(settings, view);
      for (double longitude = 0.5; longitude < 360.0; longitude += 1.0) {
        // Half a degree along: the middle of a drawn segment.
        AstCoord point(longitude, 0.0, CoordSystem::Ecliptical);
        convertCoord(point, CoordSystem::Equatorial, observer);
        convertCoord(point, CoordSystem::Horizontal, observer);
        const ProjectedPoint onScreen = projected(point, view);
        if (!onImage(image, onScreen)) continue;
        EXPECT_TRUE(nearPixel(image, onScreen.x, onScreen.y, eclipticLine))
            << hours << "h, azimuth " << azimuth << ", longitude " << longitude;
        ++checked;
      }
    }
    EXPECT_GT(checked, 40) << hours;
  }
}

TEST_F(PaintedSky, TheEquatorialMapDrawsTheEclipticMirrored) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.eclipticOn = 1;
  paint(settings, south_);  // the horizontal ecliptic first
  settings.mapType = MapType::Equatorial;
  int checked = 0;
  for (double rightAscension = 0.0; rightAscension < 360.0; rightAscension += 45.0) {
    const SkyView view{360.0 - rightAscension, 0.0};
    const QImage image = paint(settings, view);
    for (double longitude = 0.5; longitude < 360.0; longitude += 1.0) {
      AstCoord point(longitude, 0.0, CoordSystem::Ecliptical);
      convertCoord(point, CoordSystem::Equatorial, tables_.conversionObserver);
      point.setA(360.0 - point.a());
      const ProjectedPoint onScreen = projected(point, view);
      if (!onImage(image, onScreen)) continue;
      EXPECT_TRUE(nearPixel(image, onScreen.x, onScreen.y, eclipticLine)) << longitude;
      ++checked;
    }
  }
  EXPECT_GT(checked, 200);
}

TEST_F(PaintedSky, AnEquatorialGridOnTheHorizontalMapRunsThroughTheConvertedPoints) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.gridType = GridType::Equatorial;
  const QImage image = paint(settings, south_);
  int checked = 0;
  for (int declination = -80; declination <= 80; declination += 10) {
    for (int rightAscension = 0; rightAscension < 360; rightAscension += 2) {
      AstCoord point(rightAscension, declination, CoordSystem::Equatorial);
      convertCoord(point, CoordSystem::Horizontal, tables_.conversionObserver);
      const ProjectedPoint onScreen = projected(point, south_);
      if (!onImage(image, onScreen)) continue;
      EXPECT_TRUE(nearPixel(image, onScreen.x, onScreen.y, gridLine)) << rightAscension << "," << declination;
      ++checked;
    }
  }
  EXPECT_GT(checked, 30);
}

TEST_F(PaintedSky, AHorizontalGridOnTheEquatorialMapIsConvertedAndMirrored) {
  SkySettings settings = nothingShown(MapType::Equatorial);
  settings.gridType = GridType::Horizontal;
  const SkyView view{360.0 - 90.0, 0.0};
  const QImage image = paint(settings, view);
  int checked = 0;
  for (int azimuth = 0; azimuth < 360; azimuth += 10) {
    for (int altitude = -80; altitude <= 80; altitude += 2) {
      AstCoord point(azimuth, altitude, CoordSystem::Horizontal);
      convertCoord(point, CoordSystem::Equatorial, tables_.conversionObserver);
      point.setA(360.0 - point.a());
      const ProjectedPoint onScreen = projected(point, view);
      if (!onImage(image, onScreen)) continue;
      EXPECT_TRUE(nearPixel(image, onScreen.x, onScreen.y, gridLine)) << azimuth << "," << altitude;
      ++checked;
    }
  }
  EXPECT_GT(checked, 30);
}

TEST_F(PaintedSky, NgcObjectsWithAPictureShowInTheirOwnColour) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.ngcObjectsOn = 1;
  const auto everyObject = [](const NgcObject&) { return true; };
  const QImage coloured = paint(settings, south_, everyObject);
  EXPECT_GT(countPixels(coloured, is(ngcWithPicture)), 20);
  EXPECT_EQ(countPixels(paint(settings, south_), is(ngcWithPicture)), 0);  // no picture collection
  settings.ngcColourOn = 0;
  const QImage plain = paint(settings, south_, everyObject);
  EXPECT_EQ(countPixels(plain, is(ngcWithPicture)), 0);
  settings.ngcObjectsOn = 0;
  EXPECT_LT(countPixels(paint(settings, south_), is(ngcPlain)), countPixels(plain, is(ngcPlain)));
}

// Pixels of a colour family in the rows of a label: antialiased text mixes
// its colour with the black sky.
int labelPixels(const QImage& image, QRect area, const std::function<bool(int r, int g, int b)>& family) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (!image.rect().contains(x, y)) continue;
      const QRgb pixel = image.pixel(x, y);
      if (pixel != black && family(qRed(pixel), qGreen(pixel), qBlue(pixel))) ++count;
    }
  }
  return count;
}

bool teal(int r, int g, int b) { return r == 0 && g == b; }
bool darkRed(int r, int g, int b) { return r > 0 && g == 0 && b == 0; }
bool grey(int r, int g, int b) { return r == g && g == b && r <= 192 && r > 0; }

TEST_F(PaintedSky, StarNamesStandBelowTheirStarAndLettersAbove) {
  const Star& rigel = namedStar("Rigel");
  const ProjectedPoint point = starOnMap(rigel, south_);
  const int lineHeight = QFontMetrics(SymbolFont()).height();
  const QRect below(point.x - 20, point.y + 7, 40, lineHeight);
  const QRect above(point.x - 20, point.y - 20, 40, lineHeight);
  SkySettings settings = nothingShown(MapType::Horizontal);
  EXPECT_EQ(labelPixels(paint(settings, south_), below, teal), 0);
  settings.starNamesOn = 1;
  const QImage named = paint(settings, south_);
  EXPECT_GT(labelPixels(named, below, teal), 10);
  EXPECT_EQ(labelPixels(named, above, teal), 0);
  settings.starNamesOn = 0;
  settings.starLettersOn = 1;
  const QImage lettered = paint(settings, south_);
  EXPECT_GT(labelPixels(lettered, above, teal), 5);
  EXPECT_EQ(labelPixels(lettered, below, teal), 0);
}

TEST_F(PaintedSky, AConstellationsNameStandsToTheRightOfItsAlphaStar) {
  const ProjectedPoint betelgeuse = starOnMap(namedStar("Betelgeuse"), south_);
  ASSERT_EQ(namedStar("Betelgeuse").greekLetter(), 0);
  const int lineHeight = QFontMetrics(SymbolFont()).height();
  const QRect right(betelgeuse.x + 10, betelgeuse.y, 40, lineHeight);
  const QRect left(betelgeuse.x - 50, betelgeuse.y, 40, lineHeight);
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.constellationNamesOn = 1;
  const QImage image = paint(settings, south_);
  EXPECT_GT(labelPixels(image, right, darkRed), 10);
  EXPECT_EQ(labelPixels(image, left, darkRed), 0);
  settings.constellationNamesOn = 0;
  EXPECT_EQ(labelPixels(paint(settings, south_), right, darkRed), 0);
}

constexpr std::size_t saturn = 4;
constexpr std::size_t uranus = 5;

class PaintedPlanets : public PaintedSky {
 protected:
  // Looking straight at Saturn, whose magnitude the test chooses.
  QImage paintSaturn(PlanetDisplayMode mode, float magnitude, bool names, bool symbols) {
    tables_.planetMagnitude[saturn] = magnitude;
    SkySettings settings = nothingShown(MapType::Horizontal);
    settings.planetDisplayMode = mode;
    settings.planetNamesOn = names ? 1 : 0;
    settings.planetSymbolsOn = symbols ? 1 : 0;
    return paint(settings, saturnView());
  }
  SkyView saturnView() const { return {tables_.planetHorizontal[saturn].a(), tables_.planetHorizontal[saturn].b()}; }
  ProjectedPoint centre() const { return {geometry_.centreX, geometry_.centreY, true}; }
};

TEST_F(PaintedPlanets, TheRealisticDisplayDrawsAPlanetByItsMagnitude) {
  EXPECT_EQ(blockAt(paintSaturn(PlanetDisplayMode::Realistic, 3.0f, false, false), centre()), plus(g4, g2));
  EXPECT_EQ(blockAt(paintSaturn(PlanetDisplayMode::Realistic, 0.5f, false, false), centre()),
            square(white, white, white));
}

TEST_F(PaintedPlanets, DisplayingAllPlanetsDrawsEveryOneAsFirstMagnitude) {
  EXPECT_EQ(blockAt(paintSaturn(PlanetDisplayMode::All, 3.0f, false, false), centre()), square(white, white, white));
}

TEST_F(PaintedPlanets, NoneLeavesThePlanetsOut) {
  EXPECT_NE(blockAt(paintSaturn(PlanetDisplayMode::None, 0.5f, false, false), centre()),
            square(white, white, white));
}

TEST_F(PaintedPlanets, TheRealisticDisplayLeavesOutThePlanetsBeyondSaturn) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  const SkyView onUranus{tables_.planetHorizontal[uranus].a(), tables_.planetHorizontal[uranus].b()};
  settings.planetDisplayMode = PlanetDisplayMode::All;
  EXPECT_EQ(blockAt(paint(settings, onUranus), centre()), square(white, white, white));
  settings.planetDisplayMode = PlanetDisplayMode::Realistic;
  EXPECT_NE(blockAt(paint(settings, onUranus), centre()), square(white, white, white));
}

TEST_F(PaintedPlanets, NamesStandBelowAndSymbolsAbove) {
  const int lineHeight = QFontMetrics(SymbolFont()).height();
  const QRect below(geometry_.centreX - 20, geometry_.centreY + 7, 40, lineHeight);
  const QRect above(geometry_.centreX - 20, geometry_.centreY - 20, 40, lineHeight);
  const QImage named = paintSaturn(PlanetDisplayMode::Realistic, 0.5f, true, false);
  EXPECT_GT(labelPixels(named, below, grey), 10);
  EXPECT_EQ(labelPixels(named, above, grey), 0);
  const QImage symbol = paintSaturn(PlanetDisplayMode::Realistic, 0.5f, false, true);
  EXPECT_GT(labelPixels(symbol, above, grey), 5);
  EXPECT_EQ(labelPixels(symbol, below, grey), 0);
}

TEST_F(PaintedSky, EndsWithTheHighlightMarkWhenItIsDue) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.moonOn = 1;
  const SkyView onTheMoon{tables_.moonHorizontal.a(), tables_.moonHorizontal.b()};
  const QImage plain = paint(settings, onTheMoon);

  QImage image(geometry_.width, geometry_.height, QImage::Format_RGB32);
  QPainter painter(&image);
  SkyPaintInput input;
  input.tables = &tables_;
  input.settings = &settings;
  input.view = onTheMoon;
  input.geometry = geometry_;
  input.highlightDrawn = true;
  input.highlightCentre = QPoint(geometry_.centreX, geometry_.centreY);
  paintSky(painter, input);
  EXPECT_EQ(image.pixel(geometry_.centreX + 10, geometry_.centreY), white);  // the inverted black sky
  EXPECT_EQ(image.pixel(geometry_.centreX, geometry_.centreY), moonDisc);
  // Inverted once more, the mark is gone.
  drawHighlightMark(painter, input.highlightCentre);
  painter.end();
  EXPECT_EQ(image, plain);
}

TEST_F(PaintedSky, AMapTypeOutsideTheEnumerationIsAnInternalErrorAndPaintsNothing) {
  testing::InternalErrorRecorder errors;
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.mapType = static_cast<MapType>(7);
  const QImage image = paint(settings, south_);
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_EQ(countPixels(image, is(qRgb(1, 2, 3))), image.width() * image.height());
}

}  // namespace
}  // namespace noctavo
