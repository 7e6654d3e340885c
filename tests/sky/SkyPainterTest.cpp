// The drawing of the sky map: the star dots pixel by pixel, the highlight
// mark, and whole maps painted from the catalogues that come with the
// program, checked by their pixels.
#include "sky/SkyPainter.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <array>
#include <cstdint>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "support/InternalErrorRecorder.h"
#include "support/ShippedData.h"

namespace noctavo {
namespace {

constexpr QRgb black = 0xFF000000, white = 0xFFFFFFFF;
constexpr QRgb g1 = 0xFF808080, g2 = 0xFF4C4C4C, g3 = 0xFF333333, g4 = 0xFFB3B3B3, g5 = 0xFF999999;
constexpr QRgb untouched = 0xFF010203;  // anything but the sky's black
constexpr QRgb constellationLine = 0xFF000080, gridLine = 0xFF303030, eclipticLine = 0xFF404040;
constexpr QRgb sunDisc = 0xFFFFFF00, moonDisc = 0xFFC0C0C0, ngcPlain = 0xFF333333, ngcWithPicture = 0xFFFF00FF;

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

TEST(HighlightMark, InvertsAHollowCircleOfRadiusTenAndASecondOneRestoresEveryPixel) {
  QImage before(41, 41, QImage::Format_RGB32);
  for (int y = 0; y < 41; ++y) {
    for (int x = 0; x < 41; ++x) before.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) * 5 % 256));
  }
  QImage image = before;
  QPainter painter(&image);
  drawHighlightMark(painter, QPoint(20, 20));
  int changed = 0;
  for (int y = 0; y < 41; ++y) {
    for (int x = 0; x < 41; ++x) {
      if (image.pixel(x, y) == before.pixel(x, y)) continue;
      ++changed;
      EXPECT_EQ(image.pixel(x, y), before.pixel(x, y) ^ 0x00FFFFFFu) << x << "," << y;
      EXPECT_NEAR(std::hypot(x - 20, y - 20), 10.0, 0.8) << x << "," << y;  // hollow, nothing beyond
    }
  }
  EXPECT_GT(changed, 50);  // a closed ring, not a few dots
  EXPECT_NE(image.pixel(30, 20), before.pixel(30, 20));
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

// Pixels of a colour in an area.
using Family = std::function<bool(int r, int g, int b)>;
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
               std::optional<QPoint> highlight = {}, QSize size = {}) {
    placeSkyLines(tables_, settings.mapType, settings.gridType);
    QImage image(size.isValid() ? size : QSize(geometry_.width, geometry_.height), QImage::Format_RGB32);
    image.fill(untouched);
    QPainter painter(&image);
    SkyPaintInput input{&tables_, &settings, view, geometry_, std::move(hasPicture), highlight.has_value(),
                        highlight.value_or(QPoint())};
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
    const auto point = star ? onImage(tables_.starHorizontal[std::size_t(star->getIndex())], view) : std::nullopt;
    EXPECT_TRUE(point.has_value()) << name << " is not on the map";
    return point.value_or(QPoint(-10, -10));
  }
  static SkyView lookingAt(const AstCoord& position) { return {position.a(), position.b()}; }
  QPoint centre() const { return {geometry_.centreX, geometry_.centreY}; }

  // Checks that a line of the horizontal map runs through every point of
  // it (another system's, turned into the horizon for the observer) that
  // lands on the image, and tells how many did.
  int expectLineThrough(const QImage& image, SkyView view, const std::vector<AstCoord>& points, QRgb colour,
                        const Observer& observer = londonWinterEvening()) {
    int checked = 0;
    for (AstCoord point : points) {
      convertCoord(point, CoordSystem::Horizontal, observer);
      if (const auto pixel = onImage(point, view)) {
        EXPECT_TRUE(nearPixel(image, *pixel, colour)) << point.a() << "," << point.b();
        ++checked;
      }
    }
    return checked;
  }

  SkyPositionTables tables_;
  DisplayGeometry geometry_ = makeDisplayGeometry(750, 4.0 / 3.0);  // 1000 x 750
  const SkyView south_{180.0, 30.0};
  const QRect ground_{0, 750 - 29, 1000, 29};
};

TEST_F(PaintedSky, WithNothingShownOnlyTheStarsLightTheBlackSkyAsWhiteSquaresWhereTheyAreProjected) {
  const QImage image = paint(nothingShown(MapType::Realistic), south_);
  ASSERT_EQ(image.size(), QSize(1000, 750));
  const int notBlack = countPixels(image, [](int, int, int) { return true; });
  EXPECT_TRUE(notBlack > 0 && notBlack < image.width() * image.height() / 50) << notBlack;
  EXPECT_EQ(countPixels(image, exactly(untouched)), 0);
  EXPECT_EQ(blockAt(image, starOnMap("Rigel", south_)), firstMagnitude);
  EXPECT_EQ(blockAt(image, starOnMap("Betelgeuse", south_)), firstMagnitude);
  // The equatorial map at right ascension 6h on the celestial equator.
  const Star& rigel = *findStarByName("Rigel");
  const SkyView equator{360.0 - 90.0, 0.0};
  const auto mirrored =
      onImage(AstCoord(360.0 - rigel.rightAscension(), rigel.declination(), CoordSystem::Equatorial), equator);
  ASSERT_TRUE(mirrored);
  EXPECT_EQ(blockAt(paint(nothingShown(MapType::Equatorial), equator), *mirrored), firstMagnitude);
}

TEST_F(PaintedSky, TheSunAndTheMoonAreRoundDiscsAndTheHighlightMarkComesLast) {
  SkySettings settings = nothingShown(MapType::Horizontal);
  const SkyView onTheMoon = lookingAt(tables_.moonHorizontal);
  EXPECT_NE(paint(settings, onTheMoon).pixel(centre()), moonDisc);
  settings.moonOn = 1;
  const QImage moon = paint(settings, onTheMoon);
  // A filled disc of radius six, round, not square.
  for (const QPoint offset : {QPoint(0, 0), QPoint(6, 0), QPoint(-6, 0), QPoint(0, 6), QPoint(0, -6), QPoint(4, 4)}) {
    EXPECT_EQ(moon.pixel(centre() + offset), moonDisc) << offset.x() << "," << offset.y();
  }
  for (const QPoint offset : {QPoint(7, 0), QPoint(-7, 0), QPoint(0, 7), QPoint(0, -7), QPoint(5, 5)}) {
    EXPECT_NE(moon.pixel(centre() + offset), moonDisc) << offset.x() << "," << offset.y();
  }
  QImage highlighted = paint(settings, onTheMoon, {}, centre());
  EXPECT_EQ(highlighted.pixel(centre() + QPoint(10, 0)), white);  // the inverted black sky
  EXPECT_EQ(highlighted.pixel(centre()), moonDisc);
  QPainter painter(&highlighted);
  drawHighlightMark(painter, centre());  // inverted once more, the mark is gone
  painter.end();
  EXPECT_EQ(highlighted, moon);
  // The Sun is drawn even below the horizon of the horizontal map.
  settings.moonOn = 0;
  settings.sunOn = 1;
  ASSERT_LT(tables_.sunHorizontal.b(), 0.0);  // night
  const QImage sun = paint(settings, lookingAt(tables_.sunHorizontal));
  EXPECT_EQ(sun.pixel(centre()), sunDisc);
  EXPECT_EQ(sun.pixel(centre() + QPoint(4, -3)), sunDisc);
}

TEST_F(PaintedSky, ThePanoramaIsDrawnOnlyAtTheLowestRealisticViewAboveTheHorizonAndNothingOverIt) {
  SkySettings bare = nothingShown(MapType::Realistic);
  const auto groundDiffers = [&](SkyView view) {
    bare.horizonOn = 1;
    const QImage with = paint(bare, view);
    bare.horizonOn = 0;
    return with.copy(ground_) != paint(bare, view).copy(ground_);
  };
  EXPECT_TRUE(groundDiffers(SkyView{180.0, 30.0}));
  EXPECT_FALSE(groundDiffers(SkyView{180.0, 75.0}));
  EXPECT_FALSE(groundDiffers(SkyView{180.0, -30.0}));
  EXPECT_FALSE(groundDiffers(SkyView{200.0, 30.0}));  // between the panoramas: sky down to the edge
  bare.mapType = MapType::Horizontal;
  EXPECT_FALSE(groundDiffers(SkyView{180.0, 30.0}));
  bare.mapType = MapType::Realistic;
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
    EXPECT_NE(full.copy(sky), landscape.copy(sky)) << azimuth;  // the grid and the stars reach its top edge
  }
}

TEST_F(PaintedSky, DisplaysTooSmallForTheLandscapeStillPaintTheirOwnRectangleOnly) {
  SkySettings settings;
  settings.ngcObjectsOn = settings.starNamesOn = 1;
  for (int height : {0, 1, 20, 29, 30}) {
    geometry_ = makeDisplayGeometry(height, 4.0 / 3.0);
    const QImage image = paint(settings, south_, {}, {}, QSize(50, 50));
    EXPECT_EQ(image.pixel(49, 49), untouched) << height;
    EXPECT_EQ(image.pixel(0, 0) != untouched, height > 0) << height;
  }
}

TEST_F(PaintedSky, AGridOfTheOtherSystemAndTheEclipticOfTheConversionMomentRunThroughTheirPoints) {
  std::vector<AstCoord> parallels, ecliptic;
  for (int declination = -80; declination <= 80; declination += 10) {
    for (int rightAscension = 0; rightAscension < 360; rightAscension += 2) {
      parallels.emplace_back(rightAscension, declination, CoordSystem::Equatorial);
    }
  }
  // Half a degree along: the middle of a drawn segment.
  for (double longitude = 0.5; longitude < 360.0; longitude += 1.0) {
    ecliptic.emplace_back(longitude, 0.0, CoordSystem::Ecliptical);
  }
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.gridType = GridType::Equatorial;
  EXPECT_GT(expectLineThrough(paint(settings, south_), south_, parallels, gridLine), 30);
  settings = nothingShown(MapType::Horizontal);
  settings.gridType = GridType::Off;
  settings.eclipticOn = 1;
  for (int hours : {0, 5}) {
    computeSkyPositions(tables_, londonWinterEvening(hours), londonWinterEvening(hours), false);
    int checked = 0;
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 45.0) {
      const SkyView view{azimuth, 30.0};
      checked += expectLineThrough(paint(settings, view), view, ecliptic, eclipticLine, londonWinterEvening(hours));
    }
    EXPECT_GT(checked, 40) << hours;
  }
}

TEST_F(PaintedSky, PlanetsAreDrawnAsTheDisplayModeSaysAndAnUnknownMapTypeDrawsNothing) {
  constexpr std::size_t saturn = 4, uranus = 5;
  const struct {
    PlanetDisplayMode mode;
    std::size_t planet;
    float magnitude;
    std::optional<Block> dot;  // none: not drawn
  } cases[] = {
      {PlanetDisplayMode::Realistic, saturn, 3.0f, plus(g4, g2)},  // by its magnitude
      {PlanetDisplayMode::Realistic, saturn, 0.5f, firstMagnitude},
      {PlanetDisplayMode::All, saturn, 3.0f, firstMagnitude},      // every one as first magnitude
      {PlanetDisplayMode::All, uranus, 5.7f, firstMagnitude},
      {PlanetDisplayMode::Realistic, uranus, 0.5f, std::nullopt},  // none beyond Saturn
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << static_cast<int>(c.mode) << ", planet " << c.planet);
    tables_.planetMagnitude[c.planet] = c.magnitude;
    SkySettings settings = nothingShown(MapType::Horizontal);
    settings.planetDisplayMode = c.mode;
    const Block block = blockAt(paint(settings, lookingAt(tables_.planetHorizontal[c.planet])), centre());
    if (c.dot) {
      EXPECT_EQ(block, *c.dot);
    } else {
      EXPECT_NE(block, firstMagnitude);
    }
  }
  testing::InternalErrorRecorder errors;
  SkySettings settings = nothingShown(MapType::Horizontal);
  settings.mapType = static_cast<MapType>(7);
  const QImage image = paint(settings, south_);
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_EQ(countPixels(image, exactly(untouched)), image.width() * image.height());
}

}  // namespace
}  // namespace noctavo
