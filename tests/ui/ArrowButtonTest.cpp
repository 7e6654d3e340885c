#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include "ui/ArrowButton.h"

namespace noctavo {
namespace {

TEST(ArrowButtons, PressedWinsOverDisabledWhichWinsOverFocusedAndAFocusChangeShowsTheFocus) {
  using A = ArrowDrawAction;
  using S = ArrowImageState;
  struct Case {
    A action;
    bool pressed, disabled, focused;
    S expected;
  };
  const Case cases[] = {
      {A::DrawEntire, true, true, true, S::Pressed},        {A::SelectionChange, true, false, true, S::Pressed},
      {A::DrawEntire, false, true, true, S::Disabled},      {A::DrawEntire, false, false, true, S::Focus},
      {A::SelectionChange, false, false, false, S::Normal}, {A::FocusChange, true, true, false, S::Focus},
  };
  for (const Case& c : cases) {
    ArrowDrawRequest r;
    r.action = c.action;
    r.pressed = c.pressed;
    r.disabled = c.disabled;
    r.focused = c.focused;
    EXPECT_EQ(arrowImageState(r), c.expected) << static_cast<int>(c.action) << c.pressed << c.disabled << c.focused;
  }
}

TEST(ArrowButtons, TheSixteenImagesAreThirtyTwoPixelsSquareAndTakeTheButtonFace) {
  LoadArrowBitmaps();
  for (int d = 0; d < 4; ++d) {
    for (int s = 0; s < 4; ++s) {
      const QImage& image = arrowBitmap(static_cast<ArrowDirection>(d), static_cast<ArrowImageState>(s));
      EXPECT_EQ(image.size(), QSize(32, 32)) << d << " " << s;
    }
  }
  // (3, 3) lies on the face, inside the bevel and away from the arrow.
  EXPECT_EQ(QColor(arrowBitmap(ArrowDirection::Right, ArrowImageState::Normal).pixel(3, 3)),
            QApplication::palette().color(QPalette::Button));
}

TEST(ArrowButtons, DrawingCopiesTheChosenImageOneToOneIntoTheRectangle) {
  QImage canvas(40, 40, QImage::Format_RGB32);
  canvas.fill(Qt::magenta);
  {
    QPainter painter(&canvas);
    ArrowDrawRequest r;
    r.action = ArrowDrawAction::DrawEntire;
    r.disabled = true;
    r.painter = &painter;
    r.rect = QRect(4, 6, 32, 32);
    EXPECT_TRUE(DrawArrowButton(ArrowDirection::Down, r));
  }
  const QImage& image = arrowBitmap(ArrowDirection::Down, ArrowImageState::Disabled);
  EXPECT_EQ(canvas.copy(4, 6, 32, 32), image.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(QColor(canvas.pixel(3, 6)), QColor(Qt::magenta));
}

TEST(ArrowButtons, TheWidgetDrawsTheImageOfItsState) {
  const auto looksOf = [](QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  };
  ArrowButton button(ArrowDirection::Left);
  EXPECT_EQ(button.size(), QSize(32, 32));
  EXPECT_EQ(looksOf(button), arrowBitmap(ArrowDirection::Left, ArrowImageState::Normal));
  button.setDown(true);
  EXPECT_EQ(looksOf(button), arrowBitmap(ArrowDirection::Left, ArrowImageState::Pressed));
  button.setDown(false);
  button.setEnabled(false);
  EXPECT_EQ(looksOf(button), arrowBitmap(ArrowDirection::Left, ArrowImageState::Disabled));
}

}  // namespace
}  // namespace noctavo
