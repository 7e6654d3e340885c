#pragma once

#include <QImage>
#include <QPushButton>
#include <QRect>
#include <QString>

class QPainter;

namespace noctavo {

enum class ArrowDirection { Up, Down, Left, Right };

// The four images of every direction: "Bmp_Arrow" + direction + "" /
// "Pressed" / "Disabled" / "Focus", 32 x 32 pixels.
enum class ArrowImageState { Normal, Pressed, Disabled, Focus };

// Why a button is drawn: all of it, a change of its pressed state, or a
// change of the keyboard focus.
enum class ArrowDrawAction { DrawEntire, SelectionChange, FocusChange };

struct ArrowDrawRequest {
  QPainter* painter = nullptr;
  QRect rect;  // the button's rectangle on the painter
  ArrowDrawAction action = ArrowDrawAction::DrawEntire;
  bool pressed = false;
  bool disabled = false;
  bool focused = false;
};

// "Bmp_ArrowLeftPressed" and so on.
QString arrowBitmapName(ArrowDirection direction, ArrowImageState state);

// The image a request shows: for a full draw or a change of the pressed
// state, pressed wins over disabled, disabled over focused, focused over
// normal; a focus change always shows the focus image.
ArrowImageState arrowImageState(const ArrowDrawRequest& request);

// Draws the chosen image 1:1 at the top left of the request's rectangle and
// returns true. A missing image is an internal error.
bool DrawArrowButton(ArrowDirection direction, const ArrowDrawRequest& request);

// The sixteen images, with the classic 3-D greys replaced by the colours of
// the application's palette. Loaded once at start (and on first use when
// the start has not loaded them), freed at exit.
void LoadArrowBitmaps();
void FreeArrowBitmaps();
const QImage& arrowBitmap(ArrowDirection direction, ArrowImageState state);

// A push button that draws itself with the arrow images.
class ArrowButton : public QPushButton {
  Q_OBJECT

 public:
  explicit ArrowButton(ArrowDirection direction, QWidget* parent = nullptr);

  ArrowDirection direction() const { return direction_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ArrowDirection direction_;
};

}  // namespace noctavo
