// The eight horizon panoramas of the Realistic map, as the program's
// resources hold them.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdlib>

// The resources live in the program's library; a static library only links
// them when they are named.
static void initSkyResources() { Q_INIT_RESOURCE(sky); }

namespace noctavo {
namespace {

constexpr int panoramaWidth = 600;
constexpr int panoramaHeight = 29;

QImage panorama(int azimuth) {
  initSkyResources();
  return QImage(QString(":/horizons/Bmp_Horizon%1.png").arg(azimuth, 3, 10, QLatin1Char('0')));
}

// Rows from the lower edge up to the highest pixel of the landscape in a
// column.
int silhouetteHeight(const QImage& image, int x) {
  for (int y = 0; y < image.height(); ++y) {
    if (qAlpha(image.pixel(x, y)) > 0) return image.height() - y;
  }
  return 0;
}

TEST(HorizonPanorama, ThereIsOneOf600By29PixelsForEveryDirectionOfView) {
  for (int azimuth = 0; azimuth < 360; azimuth += 45) {
    const QImage image = panorama(azimuth);
    ASSERT_FALSE(image.isNull()) << azimuth;
    EXPECT_EQ(image.width(), panoramaWidth) << azimuth;
    EXPECT_EQ(image.height(), panoramaHeight) << azimuth;
    EXPECT_LE(image.colorCount(), 256) << azimuth;
  }
}

TEST(HorizonPanorama, HasGroundAlongTheWholeLowerEdgeAndSkyShowingThroughAbove) {
  for (int azimuth = 0; azimuth < 360; azimuth += 45) {
    const QImage image = panorama(azimuth);
    for (int x = 0; x < image.width(); ++x) {
      ASSERT_EQ(qAlpha(image.pixel(x, image.height() - 1)), 255) << azimuth << " column " << x;
      ASSERT_EQ(qAlpha(image.pixel(x, 0)), 0) << azimuth << " column " << x;
    }
  }
}

TEST(HorizonPanorama, IsDarkSoThatTheStarsAboveStayTheBrightestThing) {
  for (int azimuth = 0; azimuth < 360; azimuth += 45) {
    const QImage image = panorama(azimuth);
    int lit = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor colour = image.pixelColor(x, y);
        if (colour.alpha() == 0) continue;
        if (colour.value() > 80) ++lit;  // the few lit windows
      }
    }
    EXPECT_LT(lit, 10) << azimuth;
  }
}

TEST(HorizonPanorama, RunsOnFromEachPictureIntoTheNextRoundTheWholeHorizon) {
  for (int azimuth = 0; azimuth < 360; azimuth += 45) {
    const QImage image = panorama(azimuth);
    const QImage next = panorama((azimuth + 45) % 360);
    const int rightEdge = silhouetteHeight(image, image.width() - 1);
    const int leftEdge = silhouetteHeight(next, 0);
    EXPECT_LE(std::abs(rightEdge - leftEdge), 2) << azimuth << " meets " << (azimuth + 45) % 360;
  }
}

}  // namespace
}  // namespace noctavo
