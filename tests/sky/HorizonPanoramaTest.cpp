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

// One of 600 x 29 pixels for every direction of view: ground along the
// whole lower edge, sky showing through above, dark so that the stars stay
// the brightest thing, and running on into the next picture round the
// whole horizon.
TEST(HorizonPanorama, EachFitsTheDisplaysFootAndMeetsTheNext) {
  for (int azimuth = 0; azimuth < 360; azimuth += 45) {
    SCOPED_TRACE(azimuth);
    const QImage image = panorama(azimuth);
    ASSERT_EQ(image.size(), QSize(600, 29));
    EXPECT_LE(image.colorCount(), 256);
    int lit = 0;
    for (int x = 0; x < image.width(); ++x) {
      ASSERT_EQ(qAlpha(image.pixel(x, image.height() - 1)), 255) << "column " << x;
      ASSERT_EQ(qAlpha(image.pixel(x, 0)), 0) << "column " << x;
      for (int y = 0; y < image.height(); ++y) {
        const QColor colour = image.pixelColor(x, y);
        if (colour.alpha() > 0 && colour.value() > 80) ++lit;  // the few lit windows
      }
    }
    EXPECT_LT(lit, 10);
    const int leftEdgeOfNext = silhouetteHeight(panorama((azimuth + 45) % 360), 0);
    EXPECT_LE(std::abs(silhouetteHeight(image, image.width() - 1) - leftEdgeOfNext), 2);
  }
}

}  // namespace
}  // namespace noctavo
