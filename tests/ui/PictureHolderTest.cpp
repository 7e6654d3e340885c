#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include "ui/PictureHolder.h"

namespace noctavo {
namespace {

constexpr int dotsPerMetreAt96Dpi = 3780;  // 96 / 0.0254

class PictureHolderTest : public ::testing::Test {
 protected:
  // A picture of one colour, at the given resolution.
  QString writePicture(const QString& name, QSize size, QColor colour, int dotsPerMetre = dotsPerMetreAt96Dpi) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    const QString path = folder_.filePath(name);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
  }

  // Draws into a 200 x 200 window, on an image that stands for its screen.
  QImage drawIntoWindow(bool fit, int& w, int& h, bool expectDrawn = true) {
    window_.resize(200, 200);
    QImage canvas(200, 200, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    canvas.setDotsPerMeterX(dotsPerMetreAt96Dpi);
    canvas.setDotsPerMeterY(dotsPerMetreAt96Dpi);
    QPainter painter(&canvas);
    EXPECT_EQ(holder_.Draw(&painter, &window_, false, fit, w, h), expectDrawn);
    return canvas;
  }

  QTemporaryDir folder_;
  QWidget window_;
  PictureHolder holder_;
};

TEST_F(PictureHolderTest, AWidePictureDrawnWithFitFillsTheWidthAndIsCentredVertically) {
  holder_.SetFile(writePicture("wide.png", QSize(400, 100), Qt::red));
  int w = 0;
  int h = 0;
  const QImage canvas = drawIntoWindow(true, w, h);
  EXPECT_EQ(w, 200);
  EXPECT_EQ(h, 50);
  EXPECT_EQ(canvas.pixel(0, 74), qRgb(255, 255, 255));
  EXPECT_EQ(canvas.pixel(0, 75), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.pixel(199, 124), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.pixel(199, 125), qRgb(255, 255, 255));
}

TEST_F(PictureHolderTest, ATallPictureDrawnWithFitFillsTheHeightAndIsCentredHorizontally) {
  holder_.SetFile(writePicture("tall.png", QSize(30, 120), Qt::blue));
  int w = 0;
  int h = 0;
  const QImage canvas = drawIntoWindow(true, w, h);
  EXPECT_EQ(h, 200);
  EXPECT_EQ(w, 50);
  EXPECT_EQ(canvas.pixel(74, 100), qRgb(255, 255, 255));
  EXPECT_EQ(canvas.pixel(75, 100), qRgb(0, 0, 255));
  EXPECT_EQ(canvas.pixel(124, 100), qRgb(0, 0, 255));
  EXPECT_EQ(canvas.pixel(125, 100), qRgb(255, 255, 255));
}

TEST_F(PictureHolderTest, WithoutFitThePictureHasItsNaturalSizeCentred) {
  holder_.SetFile(writePicture("small.png", QSize(40, 20), Qt::green));
  int w = 0;
  int h = 0;
  const QImage canvas = drawIntoWindow(false, w, h);
  EXPECT_EQ(w, 40);
  EXPECT_EQ(h, 20);
  EXPECT_EQ(canvas.pixel(80, 90), qRgb(0, 255, 0));
  EXPECT_EQ(canvas.pixel(79, 90), qRgb(255, 255, 255));
}

TEST_F(PictureHolderTest, APictureOfTwiceTheScreensResolutionHasHalfItsPixelSize) {
  holder_.SetFile(writePicture("fine.png", QSize(400, 100), Qt::red, 2 * dotsPerMetreAt96Dpi));
  int w = 0;
  int h = 0;
  drawIntoWindow(false, w, h);
  EXPECT_EQ(w, 200);
  EXPECT_EQ(h, 50);
}

TEST(PictureDrawSize, FitsByTheProportionsOfWindowAndPicture) {
  EXPECT_EQ(pictureDrawSize(QSize(400, 100), 200, 200, true), QSize(200, 50));
  EXPECT_EQ(pictureDrawSize(QSize(100, 400), 200, 200, true), QSize(50, 200));
  // A window wider than high and a wider picture: still the width.
  EXPECT_EQ(pictureDrawSize(QSize(300, 100), 300, 200, true), QSize(300, 100));
  // Fractions are cut off: 100 * 201 / 300 = 67.
  EXPECT_EQ(pictureDrawSize(QSize(300, 100), 201, 300, true), QSize(201, 67));
  EXPECT_EQ(pictureDrawSize(QSize(300, 100), 201, 300, false), QSize(300, 100));
}

TEST(PictureDrawSize, AnEmptyWindowGetsNothing) {
  EXPECT_EQ(pictureDrawSize(QSize(300, 100), 0, 300, true), QSize(0, 0));
}

TEST_F(PictureHolderTest, AFileThatCannotBeOpenedLeavesTheHolderEmpty) {
  holder_.SetFile(folder_.filePath("missing.jpg"));
  EXPECT_FALSE(holder_.Load());
  int w = -1;
  int h = -1;
  drawIntoWindow(true, w, h, false);
  EXPECT_FALSE(holder_.isLoaded());
}

TEST_F(PictureHolderTest, AFileThatCannotBeDecodedLeavesTheHolderEmpty) {
  const QString path = folder_.filePath("broken.jpg");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("this is no picture");
  file.close();
  holder_.SetFile(path);
  EXPECT_FALSE(holder_.Load());
  EXPECT_FALSE(holder_.isLoaded());
}

TEST_F(PictureHolderTest, WithoutAPainterOnlyTheSizesAreWorkedOut) {
  holder_.SetFile(writePicture("wide.png", QSize(400, 100), Qt::red));
  window_.resize(200, 200);
  int w = 0;
  int h = 0;
  EXPECT_TRUE(holder_.Draw(nullptr, &window_, false, true, w, h));
  EXPECT_EQ(w, 200);
  EXPECT_EQ(h, 50);
}

TEST_F(PictureHolderTest, KeepsItsPictureUntilReleasedOrReloaded) {
  const QString path = writePicture("p.png", QSize(10, 10), Qt::red);
  holder_.SetFile(path);
  ASSERT_TRUE(holder_.Load());
  writePicture("p.png", QSize(20, 10), Qt::red);
  int w = 0;
  int h = 0;
  drawIntoWindow(false, w, h);
  EXPECT_EQ(w, 10);  // no reload: the picture in memory
  window_.resize(200, 200);
  QImage canvas(200, 200, QImage::Format_RGB32);
  QPainter painter(&canvas);
  EXPECT_TRUE(holder_.Draw(&painter, &window_, true, false, w, h));
  EXPECT_EQ(w, 20);
  holder_.Release();
  EXPECT_FALSE(holder_.isLoaded());
}

}  // namespace
}  // namespace noctavo
