#include "ui/PictureHolder.h"

#include <QImageReader>
#include <QPainter>
#include <QWidget>

#include <cmath>

namespace noctavo {
namespace {

constexpr double metresPerInch = 0.0254;
constexpr double defaultPictureDpi = 96.0;

double pictureDpi(int dotsPerMetre) {
  return dotsPerMetre > 0 ? dotsPerMetre * metresPerInch : defaultPictureDpi;
}

}  // namespace

void PictureHolder::SetFile(const QString& fileName) { fileName_ = fileName; }

bool PictureHolder::Load() {
  Release();
  // An unreadable or undecodable picture is a fact of the files beside the
  // program, not a broken invariant: the holder stays empty and the window
  // shows no picture.
  QImageReader reader(fileName_);
  reader.setAutoTransform(true);
  QImage image;
  if (!reader.read(&image)) return false;
  image_ = image;
  return true;
}

void PictureHolder::Release() { image_ = QImage(); }

QSize PictureHolder::naturalSize(double deviceDpiX, double deviceDpiY) const {
  if (image_.isNull()) return QSize();
  const double width = image_.width() * deviceDpiX / pictureDpi(image_.dotsPerMeterX());
  const double height = image_.height() * deviceDpiY / pictureDpi(image_.dotsPerMeterY());
  return QSize(static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)));
}

QSize pictureDrawSize(QSize natural, int W, int H, bool fit) {
  if (!fit) return natural;
  if (W <= 0 || H <= 0 || natural.width() <= 0 || natural.height() <= 0) return QSize(0, 0);
  // Compared as fractions: whole-number ratios would say 0 for every window
  // wider than high.
  const double windowRatio = static_cast<double>(H) / W;
  const double pictureRatio = static_cast<double>(natural.height()) / natural.width();
  if (windowRatio >= pictureRatio) {
    return QSize(W, static_cast<int>(static_cast<qint64>(natural.height()) * W / natural.width()));
  }
  return QSize(static_cast<int>(static_cast<qint64>(natural.width()) * H / natural.height()), H);
}

bool PictureHolder::Draw(QPainter* painter, QWidget* window, bool reload, bool fit, int& w, int& h) {
  if (image_.isNull() || reload) Load();
  if (image_.isNull() || !window) return false;

  const QPaintDevice* device = painter && painter->device() ? painter->device() : window;
  const QSize natural = naturalSize(device->logicalDpiX(), device->logicalDpiY());
  const QRect client = window->contentsRect();
  const QSize drawn = pictureDrawSize(natural, client.width(), client.height(), fit);
  w = drawn.width();
  h = drawn.height();

  if (!painter) {
    window->update();
    return true;
  }
  const QRect target(client.left() + (client.width() - w) / 2, client.top() + (client.height() - h) / 2, w, h);
  painter->save();
  painter->setRenderHint(QPainter::SmoothPixmapTransform);
  painter->drawImage(target, image_);
  painter->restore();
  return true;
}

}  // namespace noctavo
