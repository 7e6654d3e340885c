// The picture holder of the Picture window and the pictures of NGC objects.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <string>

#include "ui/DialogControls.h"
#include "ui/PictureHolder.h"

namespace noctavo {
namespace {

constexpr int dotsPerMetreAt96Dpi = 3780;  // 96 / 0.0254
constexpr QRgb white = qRgb(255, 255, 255);

class PictureHolderTest : public ::testing::Test {
 protected:
  void SetUp() override { window_.resize(200, 200); }

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

  // Draws into the 200 x 200 window, on an image that stands for its screen.
  QImage draw(bool fit, bool expectDrawn = true, bool reload = false) {
    QImage canvas(200, 200, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    canvas.setDotsPerMeterX(dotsPerMetreAt96Dpi);
    canvas.setDotsPerMeterY(dotsPerMetreAt96Dpi);
    QPainter painter(&canvas);
    EXPECT_EQ(holder_.Draw(&painter, &window_, reload, fit, w_, h_), expectDrawn);
    return canvas;
  }

  QTemporaryDir folder_;
  QWidget window_;
  PictureHolder holder_;
  int w_ = -1;
  int h_ = -1;
};

TEST_F(PictureHolderTest, FittedAPictureFillsOneSideCentredOnTheOtherAndUnfittedHasItsSizeAtTheScreensResolution) {
  holder_.SetFile(writePicture("wide.png", QSize(400, 100), Qt::red));
  QImage canvas = draw(true);
  EXPECT_EQ(QSize(w_, h_), QSize(200, 50));
  EXPECT_EQ(canvas.pixel(0, 74), white);
  EXPECT_EQ(canvas.pixel(0, 75), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.pixel(199, 124), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.pixel(199, 125), white);
  holder_.SetFile(writePicture("tall.png", QSize(30, 120), Qt::blue));
  canvas = draw(true, true, true);
  EXPECT_EQ(QSize(w_, h_), QSize(50, 200));
  EXPECT_EQ(canvas.pixel(74, 100), white);
  EXPECT_EQ(canvas.pixel(75, 100), qRgb(0, 0, 255));
  EXPECT_EQ(pictureDrawSize(QSize(300, 100), 201, 300, true), QSize(201, 67));  // fractions cut off
  holder_.SetFile(writePicture("small.png", QSize(40, 20), Qt::green));
  canvas = draw(false, true, true);
  EXPECT_EQ(QSize(w_, h_), QSize(40, 20));
  EXPECT_EQ(canvas.pixel(80, 90), qRgb(0, 255, 0));
  EXPECT_EQ(canvas.pixel(79, 90), white);
  holder_.SetFile(writePicture("fine.png", QSize(400, 100), Qt::red, 2 * dotsPerMetreAt96Dpi));
  draw(false, true, true);
  EXPECT_EQ(QSize(w_, h_), QSize(200, 50));  // twice the resolution: half the size
}

TEST_F(PictureHolderTest, KeepsItsPictureUntilReloadedAndAFileThatCannotBeOpenedOrDecodedLeavesItEmpty) {
  holder_.SetFile(writePicture("p.png", QSize(10, 10), Qt::red));
  ASSERT_TRUE(holder_.Load());
  writePicture("p.png", QSize(400, 100), Qt::red);
  draw(false);
  EXPECT_EQ(w_, 10);  // no reload: the picture in memory
  EXPECT_TRUE(holder_.Draw(nullptr, &window_, true, true, w_, h_));  // sizes without a painter
  EXPECT_EQ(QSize(w_, h_), QSize(200, 50));
  holder_.Release();
  EXPECT_FALSE(holder_.isLoaded());
  QFile file(folder_.filePath("broken.jpg"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("this is no picture");
  file.close();
  for (const QString& path : {folder_.filePath("missing.jpg"), file.fileName()}) {
    holder_.SetFile(path);
    EXPECT_FALSE(holder_.Load());
    draw(true, false);
    EXPECT_FALSE(holder_.isLoaded());
  }
}


}  // namespace
}  // namespace noctavo
