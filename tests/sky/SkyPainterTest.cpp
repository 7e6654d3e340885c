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
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bodies/AstPlanet.h"
#include "support/InternalErrorRecorder.h"
#include "support/ShippedData.h"
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
constexpr QRgb untouched = 0xFF010203;  // anything but the sky's black

constexpr QRgb constellationLine = 0xFF000080;
constexpr QRgb gridLine = 0xFF303030;
constexpr QRgb eclipticLine = 0xFF404040;
constexpr QRgb sunDisc = 0xFFFFFF00;
constexpr QRgb moonDisc = 0xFFC0C0C0;
constexpr QRgb ngcPlain = 0xFF333333;
constexpr QRgb ngcWithPicture = 0xFFFF00FF;

// ---- Star dots --------------------------------------------------------

using Block = std::array<std::array<QRgb, 3>, 3>;  // [row][column] around the dot

Block blockAt(const QImage& image, QPoint centre) {
  Block block{};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) block[row][column] = image.pixel(centre + QPoint(column - 1, row - 1));
  }
  return block;
}

Block square(QRgb centre, QRgb edges, QRgb corners) {
  return {{{corners, edges, corners}, {edges, centre, edges}, {corners, edges, corners}}};
}
Block plus(QRgb centre, QRgb edges) { return {{{black, edges, black}, {edges, centre, edges}, {black, edges, black}}}; }
Block single(QRgb centre) { return {{{black, black, black}, {black, centre, black}, {black, black, black}}}; }
const Block firstMagnitude = square(white, white, white);

TEST(StarDot, HasTheShapeAndGreysOfItsMagnitudeClassAndNothingAround) {
  const std::pair<double, Block> dots[] = {
      {-1.46, firstMagnitude},       {1.0, firstMagnitude},         {1.01, square(white, g1, g2)},
      {2.0, square(white, g1, g2)},  {2.01, square(white, g2, g3)}, {2.5, square(white, g2, g3)},
      {2.51, plus(g4, g2)},          {3.5, plus(g4, g2)},           {3.51, single(g5)},
      {4.0, single(g5)},             {4.01, single(g2)},            {5.0, single(g2)},
      {5.1, single(g3)},             {9999.0, single(g3)},
  };
  QImage empty(7, 7, QImage::Format_RGB32);
  empty.fill(black);
  for (const auto& [magnitude, expected] : dots) {
    SCOPED_TRACE(magnitude);
    QImage image = empty;
    QPainter painter(&image);
    painter.setPen(QColor(1, 2, 3));
    drawStarDot(painter, 3, 3, magnitude);
    EXPECT_EQ(painter.pen().color(), QColor(1, 2, 3));  // left as it was
    painter.end();
    EXPECT_EQ(blockAt(image, QPoint(3, 3)), expected);
    for (int y = 2; y <= 4; ++y) {
      for (int x = 2; x <= 4; ++x) image.setPixel(x, y, black);
    }
    EXPECT_EQ(image, empty);  // nothing outside the 3 x 3 block
  }
}

// ---- Highlight mark ---------------------------------------------------

TEST(HighlightMark, InvertsAHollowCircleOfRadiusTenAndASecondOneRestoresEveryPixel) {
  QImage before(41, 41, QImage::Format_RGB32);
  for (int y = 0; y < 41; ++y) {
    for (int x = 0; x < 41; ++x) before.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) * 5 % 256));
  }
  QImage image = before;
  QPainter painter(&image);
  drawHighlightMark(painter, QPoint(20, 20));
  const auto inverted = [&](int x, int y) { return image.pixel(x, y) == (before.pixel(x, y) ^ 0x00FFFFFFu); };
  EXPECT_TRUE(inverted(30, 20) && inverted(10, 20) && inverted(20, 10) && inverted(20, 30));
  int changed = 0;
  for (int y = 0; y < 41; ++y) {
    for (int x = 0; x < 41; ++x) {
      if (image.pixel(x, y) == before.pixel(x, y)) continue;
      ++changed;
      EXPECT_TRUE(inverted(x, y)) << x << "," << y;
      EXPECT_NEAR(std::hypot(x - 20, y - 20), 10.0, 0.8) << x << "," << y;  // hollow, nothing beyond
    }
  }
  EXPECT_GT(changed, 50);  // a closed ring, not a few dots
  drawHighlightMark(painter, QPoint(20, 20));
  painter.end();
  EXPECT_EQ(image, before);
}

// ---- Whole maps from the shipped catalogues ---------------------------

// A winter evening in London: Orion stands in the south.
Observer londonWinterEvening(int hoursOn = 0) {
  Observer observer;
  observer.dateTime = AstDateTime(15, 1, 2025, 21.0, TimeKind::Lct);
  observer.dateTime.addStep(StepUnit::Hours, hoursOn);
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
  settings.eclipticOn = settings.starNamesOn = settings.starLettersOn = 0;
  settings.constellationNamesOn = settings.constellationLinesOn = 0;
  settings.planetDisplayMode = PlanetDisplayMode::None;
  settings.planetNamesOn = settings.planetSymbolsOn = 0;
  settings.sunOn = settings.moonOn = settings.horizonOn = settings.ngcObjectsOn = 0;
  return settings;
}

// Pixels of a colour family in an area: antialiased text mixes its colour
// with the black sky.
using Family = std::function<bool(int r, int g, int b)>;
bool teal(int r, int g, int b) { return r == 0 && g == b; }
bool darkRed(int r, int g, int b) { return r > 0 && g == 0 && b == 0; }
bool grey(int r, int g, int b) { return r == g && g == b && r <= 192 && r > 0; }
Family exactly(QRgb colour) {
  return [colour](int r, int g, int b) { return qRgb(r, g, b) == colour; };
}

int countPixels(const QImage& image, const Family& family, QRect area = {}) {
  area = (area.isNull() ? image.rect() : area) & image.rect();
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      count += pixel != black && family(qRed(pixel), qGreen(pixel), qBlue(pixel)) ? 1 : 0;
    }
  }
  return count;
}

bool nearPixel(const QImage& image, QPoint point, QRgb colour) {
  return countPixels(image, exactly(colour), QRect(point.x() - 1, point.y() - 1, 3, 3)) > 0;
}

class PaintedSky : public testing::ShippedCatalogueTest {
 protected:
  void SetUp() override {
    ShippedCatalogueTest::SetUp();
    allocateSkyPositionTables(tables_);
    computeSkyPositions(tables_, londonWinterEvening(), londonWinterEvening(), false);
  }

  // As the Sky window does: the ecliptic and the grid placed for the map.
  QImage paint(const SkySettings& settings, SkyView view, std::function<bool(const NgcObject&)> hasPicture = {},
               std::optional<QPoint> highlight = {}) {
    placeSkyLines(tables_, settings.mapType, settings.gridType);
    QImage image(geometry_.width, geometry_.height, QImage::Format_RGB32);
    image.fill(untouched);
    QPainter painter(&image);
    SkyPaintInput input;
    input.tables = &tables_;
    input.settings = &settings;
    input.view = view;
    input.geometry = geometry_;
    input.hasPicture = std::move(hasPicture);
    input.highlightDrawn = highlight.has_value();
    input.highlightCentre = highlight.value_or(QPoint());
    paintSky(painter, input);
    return image;
  }

  // Where a position of the map lands, if inside the image with a pixel to
  // spare (a point can be in the +-30 degree field and still above or below
  // a display wider than high).
  std::optional<QPoint> onImage(const AstCoord& position, SkyView view) const {
    const ProjectedPoint point = projectToScreen(view.lambda, view.phi, geometry_, position);
    if (!point.visible || point.x < 1 || point.y < 1 || point.x >= geometry_.width - 1 ||
        point.y >= geometry_.height - 1) {
      return std::nullopt;
    }
    return QPoint(point.x, point.y);
  }
  QPoint starOnMap(const char* name, SkyView view) const {
    const Star* star = findStarByName(name);
    const auto point = star ? onImage(tables_.starHorizontal[static_cast<std::size_t>(star->getIndex())], view)
                            : std::nullopt;
    EXPECT_TRUE(point.has_value()) << name << " is not on the map";
    return point.value_or(QPoint(-10, -10));
  }
  SkyView lookingAt(const AstCoord& position) const { return {position.a(), position.b()}; }
  QPoint centre() const { return {geometry_.centreX, geometry_.centreY}; }

  // Checks that a line of the map runs through every point of it that lands
  // on the image, and tells how many did.
  int expectLineThrough(const QImage& image, SkyView view, const std::vector<AstCoord>& points, QRgb colour) {
    int checked = 0;
    for (const AstCoord& point : points) {
      if (const auto pixel = onImage(point, view)) {
        EXPECT_TRUE(nearPixel(image, *pixel, colour)) << point.a() << "," << point.b();
        ++checked;
      }
    }
    return checked;
  }
  // A point of another system turned into a map for the observer; the
  // equatorial map runs right ascension backwards.
  static AstCoord onMap(AstCoord point, MapType mapType, const Observer& observer = londonWinterEvening()) {
    convertCoord(point, CoordSystem::Equatorial, observer);
    if (mapType == MapType::Equatorial) {
      point.setA(360.0 - point.a());
    } else {
      convertCoord(point, CoordSystem::Horizontal, observer);
    }
    return point;
  }

  SkyPositionTables tables_;
  DisplayGeometry geometry_ = makeDisplayGeometry(750, 4.0 / 3.0);  // 1000 x 750
  const SkyView south_{180.0, 30.0};
  const QRect ground_{0, 750 - 29, 1000, 29};
};

TEST_F(PaintedSky, WithNothingShownTheDisplayIsBlackButForTheStars) {
  const QImage image = paint(nothingShown(MapType::Horizontal), south_);
  ASSERT_EQ(image.size(), QSize(1000, 750));
  const int notBlack = countPixels(image, [](int, int, int) { return true; });
  EXPECT_GT(notBlack, 0);
  EXPECT_LT(notBlack, image.width() * image.height() / 50);
  EXPECT_EQ(countPixels(image, exactly(untouched)), 0);
}

TEST_F(PaintedSky, TheBrightStarsAreWhiteSquaresWhereTheyAreProjectedInEveryMap) {
  const QImage south = paint(nothingShown(MapType::Realistic), south_);
  EXPECT_EQ(blockAt(south, starOnMap("Rigel", south_)), firstMagnitude);
  EXPECT_EQ(blockAt(south, starOnMap("Betelgeuse", south_)), firstMagnitude);
  // Sirius stands lower, south-south-east, just left of the southern view.
  const SkyView southEast{135.0, 30.0};
  EXPECT_EQ(blockAt(paint(nothingShown(MapType::Realistic), southEast), starOnMap("Sirius", southEast)), firstMagnitude);
  // The equatorial map at right ascension 6h on the celestial equator.
  const Star& rigel = *findStarByName("Rigel");
  const SkyView equator{360.0 - 90.0, 0.0};
  const auto mirrored =
      onImage(AstCoord(360.0 - rigel.rightAscension(), rigel.declination(), CoordSystem::Equatorial), equator);
  ASSERT_TRUE(mirrored);
  EXPECT_EQ(blockAt(paint(nothingShown(MapType::Equatorial), equator), *mirrored), firstMagnitude);
}

TEST_F(PaintedSky, ConstellationFiguresJoinTheirStarsInDarkBlueUpToTheDisplaysEdge) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.constellationLinesOn = 1;
  const QImage withLines = paint(settings, south_);
  settings.constellationLinesOn = 0;
  const QImage withoutLines = paint(settings, south_);
  int segmentsSeen = 0;
  for (const FigureLine& line : findConstellationByAbbreviation("Ori")->lines()) {
    const auto from = onImage(tables_.starHorizontal[static_cast<std::size_t>(line.fromStar)], south_);
    const auto to = onImage(tables_.starHorizontal[static_cast<std::size_t>(line.toStar)], south_);
    if (!from || !to) continue;
    const QPoint middle((from->x() + to->x()) / 2, (from->y() + to->y()) / 2);
    EXPECT_TRUE(nearPixel(withLines, middle, constellationLine)) << line.fromStar << "-" << line.toStar;
    EXPECT_FALSE(nearPixel(withoutLines, middle, constellationLine));
    ++segmentsSeen;
  }
  EXPECT_GE(segmentsSeen, 5);
  // Looking straight up, many figures cross the edges of the field.
  settings.constellationLinesOn = 1;
  const QImage zenith = paint(settings, SkyView{0.0, 90.0});
  const QRect inside = zenith.rect().adjusted(1, 1, -1, -1);
  EXPECT_GT(countPixels(zenith, exactly(constellationLine)) - countPixels(zenith, exactly(constellationLine), inside), 0);
}

TEST_F(PaintedSky, TheSunAndTheMoonAreDiscsTheMoonOverTheSun) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.moonOn = 1;
  const SkyView onTheMoon = lookingAt(tables_.moonHorizontal);
  const QImage moon = paint(settings, onTheMoon);
  const QPoint c = centre();
  // A filled disc of radius six, round, not square.
  for (const QPoint offset : {QPoint(0, 0), QPoint(6, 0), QPoint(-6, 0), QPoint(0, 6), QPoint(0, -6), QPoint(4, 4)}) {
    EXPECT_EQ(moon.pixel(c + offset), moonDisc) << offset.x() << "," << offset.y();
  }
  for (const QPoint offset : {QPoint(7, 0), QPoint(-7, 0), QPoint(0, 7), QPoint(0, -7), QPoint(5, 5)}) {
    EXPECT_NE(moon.pixel(c + offset), moonDisc) << offset.x() << "," << offset.y();
  }
  settings.moonOn = 0;
  EXPECT_NE(paint(settings, onTheMoon).pixel(c), moonDisc);

  // The Sun is drawn even below the horizon of the horizontal map.
  settings.sunOn = 1;
  ASSERT_LT(tables_.sunHorizontal.b(), 0.0);  // night
  const QImage sun = paint(settings, lookingAt(tables_.sunHorizontal));
  EXPECT_EQ(sun.pixel(c), sunDisc);
  EXPECT_EQ(sun.pixel(c + QPoint(4, -3)), sunDisc);
  settings.moonOn = 1;
  tables_.sunHorizontal = tables_.moonHorizontal;  // an eclipse
  EXPECT_EQ(paint(settings, onTheMoon).pixel(c), moonDisc);
}

TEST_F(PaintedSky, ThePanoramaIsDrawnOnlyAtTheLowestRealisticViewAboveTheHorizon) {
  SkySettings settings = nothingShown(MapType::Realistic);
  const auto groundDiffers = [&](SkyView view) {
    settings.horizonOn = 1;
    const QImage with = paint(settings, view);
    settings.horizonOn = 0;
    return with.copy(ground_) != paint(settings, view).copy(ground_);
  };
  EXPECT_TRUE(groundDiffers(SkyView{180.0, 30.0}));
  EXPECT_FALSE(groundDiffers(SkyView{180.0, 75.0}));
  EXPECT_FALSE(groundDiffers(SkyView{180.0, -30.0}));
  EXPECT_FALSE(groundDiffers(SkyView{200.0, 30.0}));  // between the panoramas: sky down to the edge
  settings.mapType = MapType::Horizontal;
  EXPECT_FALSE(groundDiffers(SkyView{180.0, 30.0}));
}

TEST_F(PaintedSky, NothingIsDrawnOverThePanorama) {
  SkySettings bare = nothingShown(MapType::Realistic);
  bare.horizonOn = 1;
  SkySettings everything = bare;
  everything.gridType = GridType::Horizontal;
  everything.eclipticOn = everything.starNamesOn = everything.starLettersOn = 1;
  everything.constellationNamesOn = everything.constellationLinesOn = 1;
  everything.planetDisplayMode = PlanetDisplayMode::All;
  everything.planetNamesOn = everything.planetSymbolsOn = 1;
  everything.sunOn = everything.moonOn = everything.ngcObjectsOn = 1;
  const QRect sky(0, 0, geometry_.width, geometry_.height - 29);
  for (double azimuth = 0.0; azimuth < 360.0; azimuth += 45.0) {
    const QImage full = paint(everything, SkyView{azimuth, 30.0});
    const QImage landscape = paint(bare, SkyView{azimuth, 30.0});
    EXPECT_EQ(full.copy(ground_), landscape.copy(ground_)) << azimuth;
    // The grid's parallels and the stars reach the panorama's top edge.
    EXPECT_NE(full.copy(sky), landscape.copy(sky)) << azimuth;
  }
}

TEST_F(PaintedSky, DisplaysTooSmallForTheLandscapeStillPaintTheirOwnRectangleOnly) {
  SkySettings settings;
  settings.ngcObjectsOn = 1;
  settings.starNamesOn = 1;
  for (int height : {0, 1, 20, 29, 30}) {
    geometry_ = makeDisplayGeometry(height, 4.0 / 3.0);
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(untouched);
    QPainter painter(&image);
    SkyPaintInput input;
    input.tables = &tables_;
    input.settings = &settings;
    input.view = south_;
    input.geometry = geometry_;
    paintSky(painter, input);
    painter.end();
    EXPECT_EQ(image.pixel(49, 49), untouched) << height;
    EXPECT_EQ(image.pixel(0, 0) != untouched, height > 0) << height;
  }
}

TEST_F(PaintedSky, StarsAreDrawnOverTheGrid) {
  // Rigel put on the meridian at the centre of a horizontal grid.
  const Star& rigel = *findStarByName("Rigel");
  tables_.starHorizontal[static_cast<std::size_t>(rigel.getIndex())] = AstCoord(180.0, 20.0, CoordSystem::Horizontal);
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.gridType = GridType::Horizontal;
  const QImage image = paint(settings, south_);
  const QPoint point = starOnMap("Rigel", south_);
  ASSERT_TRUE(nearPixel(image, point + QPoint(0, -10), gridLine));  // the meridian runs through it
  ASSERT_TRUE(nearPixel(image, point + QPoint(0, 10), gridLine));
  EXPECT_EQ(blockAt(image, point), firstMagnitude);
}

TEST_F(PaintedSky, TheEclipticFollowsTheConversionMomentAndIsMirroredOnTheEquatorialMap) {
  std::vector<AstCoord> ecliptic;  // half a degree along: the middle of a drawn segment
  for (double longitude = 0.5; longitude < 360.0; longitude += 1.0) {
    ecliptic.emplace_back(longitude, 0.0, CoordSystem::Ecliptical);
  }
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.eclipticOn = 1;
  for (int hours : {0, 5}) {
    computeSkyPositions(tables_, londonWinterEvening(hours), londonWinterEvening(hours), false);
    std::vector<AstCoord> points;
    for (const AstCoord& point : ecliptic) points.push_back(onMap(point, MapType::Horizontal, londonWinterEvening(hours)));
    int checked = 0;
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 45.0) {
      const SkyView view{azimuth, 30.0};
      checked += expectLineThrough(paint(settings, view), view, points, eclipticLine);
    }
    EXPECT_GT(checked, 40) << hours;
  }
  settings.mapType = MapType::Equatorial;  // after the horizontal ecliptic of five hours on
  std::vector<AstCoord> points;
  for (const AstCoord& point : ecliptic) points.push_back(onMap(point, MapType::Equatorial, londonWinterEvening(5)));
  int checked = 0;
  for (double rightAscension = 0.0; rightAscension < 360.0; rightAscension += 45.0) {
    const SkyView view{360.0 - rightAscension, 0.0};
    checked += expectLineThrough(paint(settings, view), view, points, eclipticLine);
  }
  EXPECT_GT(checked, 200);
}

TEST_F(PaintedSky, AGridOfTheOtherSystemRunsThroughTheConvertedPoints) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.gridType = GridType::Equatorial;
  std::vector<AstCoord> parallels;  // declinations every 10 degrees
  for (int declination = -80; declination <= 80; declination += 10) {
    for (int rightAscension = 0; rightAscension < 360; rightAscension += 2) {
      parallels.push_back(onMap(AstCoord(rightAscension, declination, CoordSystem::Equatorial), MapType::Horizontal));
    }
  }
  EXPECT_GT(expectLineThrough(paint(settings, south_), south_, parallels, gridLine), 30);

  settings.mapType = MapType::Equatorial;
  settings.gridType = GridType::Horizontal;
  std::vector<AstCoord> meridians;  // azimuths every 10 degrees
  for (int azimuth = 0; azimuth < 360; azimuth += 10) {
    for (int altitude = -80; altitude <= 80; altitude += 2) {
      meridians.push_back(onMap(AstCoord(azimuth, altitude, CoordSystem::Horizontal), MapType::Equatorial));
    }
  }
  const SkyView view{360.0 - 90.0, 0.0};
  EXPECT_GT(expectLineThrough(paint(settings, view), view, meridians, gridLine), 30);
}

TEST_F(PaintedSky, NgcObjectsWithAPictureShowInTheirOwnColour) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.ngcObjectsOn = 1;
  const auto everyObject = [](const NgcObject&) { return true; };
  EXPECT_GT(countPixels(paint(settings, south_, everyObject), exactly(ngcWithPicture)), 20);
  EXPECT_EQ(countPixels(paint(settings, south_), exactly(ngcWithPicture)), 0);  // no picture collection
  settings.ngcColourOn = 0;
  const QImage plain = paint(settings, south_, everyObject);
  EXPECT_EQ(countPixels(plain, exactly(ngcWithPicture)), 0);
  settings.ngcObjectsOn = 0;
  EXPECT_LT(countPixels(paint(settings, south_), exactly(ngcPlain)), countPixels(plain, exactly(ngcPlain)));
}

TEST_F(PaintedSky, LabelsStandWhereTheyBelong) {
  const int lineHeight = QFontMetrics(SymbolFont()).height();
  const auto below = [&](QPoint p) { return QRect(p.x() - 20, p.y() + 7, 40, lineHeight); };
  const auto above = [&](QPoint p) { return QRect(p.x() - 20, p.y() - 20, 40, lineHeight); };
  struct Case {
    const char* what;
    std::function<void(SkySettings&)> switchOn;
    QPoint at;
    SkyView view;
    Family family;
    QRect where;
    QRect notThere;
    int atLeast;
  };
  const QPoint rigel = starOnMap("Rigel", south_);
  const QPoint betelgeuse = starOnMap("Betelgeuse", south_);  // Orion's alpha star
  const SkyView saturn = lookingAt(tables_.planetHorizontal[4]);
  const Case cases[] = {
      {"star name below", [](SkySettings& s) { s.starNamesOn = 1; }, rigel, south_, teal, below(rigel), above(rigel), 10},
      {"star letter above", [](SkySettings& s) { s.starLettersOn = 1; }, rigel, south_, teal, above(rigel),
       below(rigel), 5},
      {"constellation name to the right", [](SkySettings& s) { s.constellationNamesOn = 1; }, betelgeuse, south_,
       darkRed, QRect(betelgeuse.x() + 10, betelgeuse.y(), 40, lineHeight),
       QRect(betelgeuse.x() - 50, betelgeuse.y(), 40, lineHeight), 10},
      {"planet name below", [](SkySettings& s) { s.planetNamesOn = 1; }, centre(), saturn, grey, below(centre()),
       above(centre()), 10},
      {"planet symbol above", [](SkySettings& s) { s.planetSymbolsOn = 1; }, centre(), saturn, grey, above(centre()),
       below(centre()), 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SkySettings settings = nothingShown(MapType::Horizontal);
    settings.planetDisplayMode = PlanetDisplayMode::Realistic;
    EXPECT_EQ(countPixels(paint(settings, c.view), c.family, c.where), 0);
    c.switchOn(settings);
    const QImage image = paint(settings, c.view);
    EXPECT_GE(countPixels(image, c.family, c.where), c.atLeast);
    EXPECT_EQ(countPixels(image, c.family, c.notThere), 0);
  }
}

TEST_F(PaintedSky, PlanetsAreDrawnAsTheDisplayModeSays) {
  constexpr std::size_t saturn = 4;
  constexpr std::size_t uranus = 5;
  struct Case {
    PlanetDisplayMode mode;
    std::size_t planet;
    float magnitude;
    bool firstMagnitudeSquare;
    std::optional<Block> dot;
  };
  const Case cases[] = {
      {PlanetDisplayMode::Realistic, saturn, 3.0f, false, plus(g4, g2)},  // by its magnitude
      {PlanetDisplayMode::Realistic, saturn, 0.5f, true, {}},
      {PlanetDisplayMode::All, saturn, 3.0f, true, {}},  // every one as first magnitude
      {PlanetDisplayMode::None, saturn, 0.5f, false, {}},
      {PlanetDisplayMode::All, uranus, 5.7f, true, {}},
      {PlanetDisplayMode::Realistic, uranus, 0.5f, false, {}},  // none beyond Saturn
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << static_cast<int>(c.mode) << ", planet " << c.planet);
    tables_.planetMagnitude[c.planet] = c.magnitude;
    SkySettings settings = nothingShown(MapType::Horizontal);
    settings.planetDisplayMode = c.mode;
    const Block block = blockAt(paint(settings, lookingAt(tables_.planetHorizontal[c.planet])), centre());
    EXPECT_EQ(block == firstMagnitude, c.firstMagnitudeSquare);
    if (c.dot) {
      EXPECT_EQ(block, *c.dot);
    }
  }
}

TEST_F(PaintedSky, EndsWithTheHighlightMarkWhenItIsDue) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.moonOn = 1;
  const SkyView onTheMoon = lookingAt(tables_.moonHorizontal);
  const QImage plain = paint(settings, onTheMoon);
  QImage image = paint(settings, onTheMoon, {}, centre());
  EXPECT_EQ(image.pixel(centre() + QPoint(10, 0)), white);  // the inverted black sky
  EXPECT_EQ(image.pixel(centre()), moonDisc);
  // Inverted once more, the mark is gone.
  QPainter painter(&image);
  drawHighlightMark(painter, centre());
  painter.end();
  EXPECT_EQ(image, plain);
}

TEST_F(PaintedSky, AMapTypeOutsideTheEnumerationIsAnInternalErrorAndPaintsNothing) {
  testing::InternalErrorRecorder errors;
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.mapType = static_cast<MapType>(7);
  const QImage image = paint(settings, south_);
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_EQ(countPixels(image, exactly(untouched)), image.width() * image.height());
}

}  // namespace
}  // namespace noctavo
