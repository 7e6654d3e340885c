#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>

#include "ui/ArrowButton.h"

namespace noctavo {

class PictureHolder;

// The "Map" window of Define User Location: a map picture fitted and
// centred on white, and a crosshair (a dotted line across and one down,
// drawn inverting what lies below) that a click moves, or the arrow buttons
// one pixel at a time. The crosshair is in the window's pixels.
class MapWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MapWindow(QWidget* parent);

  // The picture to draw, or null for none; the holder stays the caller's.
  void setPicture(PictureHolder* picture);
  // The size the picture is drawn at in this window (0 x 0 without one).
  QSize drawnSize() const;

  QPoint crosshair() const { return crosshair_; }
  void setCrosshair(QPoint position);
  // One pixel towards the direction; ignored at the window's border.
  void stepCrosshair(ArrowDirection direction);
  // Whether a step that way stays inside the window.
  bool canStep(ArrowDirection direction) const;

 signals:
  // After every paint: the dialog shows the crosshair's coordinates.
  void painted();
  void crosshairMoved();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void invalidateCrosshair();

  PictureHolder* picture_ = nullptr;
  QPoint crosshair_;
};

}  // namespace noctavo
