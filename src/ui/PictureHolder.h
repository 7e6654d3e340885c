#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QPaintDevice;
class QPainter;
class QWidget;

namespace noctavo {

// A picture file (bitmap, JPEG, GIF, ...) and its decoded image, drawn into
// a window at its natural size or fitted to the window, centred.
class PictureHolder {
 public:
  void SetFile(const QString& fileName);
  const QString& fileName() const { return fileName_; }

  // Releases the picture and decodes the file again. A file that cannot be
  // read or decoded leaves the holder empty (false).
  bool Load();

  // Draws the picture centred in the window's client area with `painter`.
  // Without a painter nothing is painted: the sizes are worked out for the
  // window and the window is asked to repaint, so its paint handler draws.
  // Loads first when nothing is loaded or `reload` is set; false when there
  // is still no picture. w and h are the drawn size in pixels.
  bool Draw(QPainter* painter, QWidget* window, bool reload, bool fit, int& w, int& h);

  void Release();

  bool isLoaded() const { return !image_.isNull(); }
  const QImage& image() const { return image_; }

  // The picture's size in pixels on a device of the given dots per inch:
  // its own size at its own resolution (96 dots per inch when the file
  // gives none).
  QSize naturalSize(double deviceDpiX, double deviceDpiY) const;

 private:
  QString fileName_;
  QImage image_;
};

// The drawn size of a picture of natural size `natural` in a client area
// W x H: fitted, the whole window width when the window is relatively
// taller than the picture, else the whole height, keeping the proportions
// (fractions cut off); not fitted, the natural size.
QSize pictureDrawSize(QSize natural, int W, int H, bool fit);

}  // namespace noctavo
