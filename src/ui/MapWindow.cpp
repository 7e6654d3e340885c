#include "ui/MapWindow.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/PictureHolder.h"

namespace noctavo {

MapWindow::MapWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Map"));
  setCursor(Qt::CrossCursor);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

void MapWindow::setPicture(PictureHolder* picture) {
  picture_ = picture;
  update();
}

QSize MapWindow::drawnSize() const {
  if (!picture_ || !picture_->isLoaded()) return QSize(0, 0);
  return pictureDrawSize(picture_->naturalSize(logicalDpiX(), logicalDpiY()), width(), height(), true);
}

void MapWindow::invalidateCrosshair() {
  update(QRect(0, crosshair_.y(), width(), 1));
  update(QRect(crosshair_.x(), 0, 1, height()));
}

void MapWindow::setCrosshair(QPoint position) {
  invalidateCrosshair();
  crosshair_ = position;
  invalidateCrosshair();
  emit crosshairMoved();
}

bool MapWindow::canStep(ArrowDirection direction) const {
  switch (direction) {
    case ArrowDirection::Left:
      return crosshair_.x() >= 1;
    case ArrowDirection::Right:
      return crosshair_.x() < width() - 1;
    case ArrowDirection::Up:
      return crosshair_.y() >= 1;
    case ArrowDirection::Down:
      return crosshair_.y() < height() - 1;
  }
  return false;
}

void MapWindow::stepCrosshair(ArrowDirection direction) {
  if (!canStep(direction)) return;
  QPoint next = crosshair_;
  switch (direction) {
    case ArrowDirection::Left: next.rx() -= 1; break;
    case ArrowDirection::Right: next.rx() += 1; break;
    case ArrowDirection::Up: next.ry() -= 1; break;
    case ArrowDirection::Down: next.ry() += 1; break;
  }
  setCrosshair(next);
}

void MapWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  int w = 0;
  int h = 0;
  if (picture_ && picture_->isLoaded()) {
    picture_->Draw(&painter, this, false, true, w, h);
  } else {
    painter.setPen(Qt::darkGray);
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("No map"));
  }
  // Black mixed with "not xor" inverts what lies below, so the lines show
  // on the dark sea and the white ice alike.
  QPen dotted(Qt::black, 0, Qt::DotLine);
  painter.setPen(dotted);
  painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  painter.drawLine(0, crosshair_.y(), width() - 1, crosshair_.y());
  painter.drawLine(crosshair_.x(), 0, crosshair_.x(), height() - 1);
  painter.end();
  emit painted();
}

void MapWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint at = event->position().toPoint();
  setCrosshair(QPoint(std::clamp(at.x(), 0, width() - 1), std::clamp(at.y(), 0, height() - 1)));
}

}  // namespace noctavo
