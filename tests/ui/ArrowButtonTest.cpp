#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include "support/InternalErrorRecorder.h"
#include "ui/ArrowButton.h"

namespace noctavo {
namespace {

ArrowDrawRequest request(ArrowDrawAction action, bool pressed, bool disabled, bool focused) {
  ArrowDrawRequest r;
  r.action = action;
  r.pressed = pressed;
  r.disabled = disabled;
  r.focused = focused;
  return r;
}

TEST(ArrowImageChoice, PressedWinsOverDisabledAndFocused) {
  EXPECT_EQ(arrowImageState(request(ArrowDrawAction::DrawEntire, true, true, true)), ArrowImageState::Pressed);
  EXPECT_EQ(arrowImageState(request(ArrowDrawAction::SelectionChange, true, false, true)),
            ArrowImageState::Pressed);
}

TEST(ArrowImageChoice, DisabledWinsOverFocused) {
  EXPECT_EQ(arrowImageState(request(ArrowDrawAction::DrawEntire, false, true, true)), ArrowImageState::Disabled);
}

TEST(ArrowImageChoice, FocusedShowsTheFocusImageAndNothingShowsTheNormalOne) {
  EXPECT_EQ(arrowImageState(request(ArrowDrawAction::DrawEntire, false, false, true)), ArrowImageState::Focus);
  EXPECT_EQ(arrowImageState(request(ArrowDrawAction::SelectionChange, false, false, false)),
            ArrowImageState::Normal);
}

TEST(ArrowImageChoice, AFocusChangeAlwaysShowsTheFocusImage) {
  EXPECT_EQ(arrowImageState(request(ArrowDrawAction::FocusChange, true, true, false)), ArrowImageState::Focus);
}

TEST(ArrowImages, AreNamedAfterDirectionAndState) {
  EXPECT_EQ(arrowBitmapName(ArrowDirection::Left, ArrowImageState::Pressed), QStringLiteral("Bmp_ArrowLeftPressed"));
  EXPECT_EQ(arrowBitmapName(ArrowDirection::Up, ArrowImageState::Normal), QStringLiteral("Bmp_ArrowUp"));
  EXPECT_EQ(arrowBitmapName(ArrowDirection::Down, ArrowImageState::Focus), QStringLiteral("Bmp_ArrowDownFocus"));
}

TEST(ArrowImages, AllSixteenAreThirtyTwoPixelsSquare) {
  LoadArrowBitmaps();
  for (int d = 0; d < 4; ++d) {
    for (int s = 0; s < 4; ++s) {
      const QImage& image = arrowBitmap(static_cast<ArrowDirection>(d), static_cast<ArrowImageState>(s));
      EXPECT_EQ(image.size(), QSize(32, 32)) << d << " " << s;
    }
  }
}

TEST(ArrowImages, TakeTheButtonFaceColourOfThePalette) {
  LoadArrowBitmaps();
  // (3, 3) lies on the face, inside the bevel and away from the arrow.
  const QImage& image = arrowBitmap(ArrowDirection::Right, ArrowImageState::Normal);
  EXPECT_EQ(QColor(image.pixel(3, 3)), QApplication::palette().color(QPalette::Button));
}

TEST(DrawArrowButton, CopiesTheChosenImageOneToOneIntoTheRectangle) {
  QImage canvas(40, 40, QImage::Format_RGB32);
  canvas.fill(Qt::magenta);
  {
    QPainter painter(&canvas);
    ArrowDrawRequest r = request(ArrowDrawAction::DrawEntire, false, true, false);
    r.painter = &painter;
    r.rect = QRect(4, 6, 32, 32);
    EXPECT_TRUE(DrawArrowButton(ArrowDirection::Down, r));
  }
  const QImage& image = arrowBitmap(ArrowDirection::Down, ArrowImageState::Disabled);
  EXPECT_EQ(canvas.copy(4, 6, 32, 32), image.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(QColor(canvas.pixel(3, 6)), QColor(Qt::magenta));
}

QImage looksOf(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST(ArrowButtonWidget, DrawsTheImageOfItsState) {
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
