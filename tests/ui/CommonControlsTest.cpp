// The common controls and helpers of the dialogs and windows: arrow
// buttons, the date picker binding, the child-window helpers and the
// picture holder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWidget>

#include <optional>
#include <string>

#include "shell/FrameTestSupport.h"
#include "support/InternalErrorRecorder.h"
#include "ui/ArrowButton.h"
#include "ui/DatePickerBinding.h"
#include "ui/DialogControls.h"
#include "ui/DialogUtils.h"
#include "ui/PictureHolder.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

TEST(ArrowButtons, PressedWinsOverDisabledWhichWinsOverFocusedAndAFocusChangeShowsTheFocus) {
  using A = ArrowDrawAction;
  using S = ArrowImageState;
  const struct { A action; bool pressed, disabled, focused; S expected; } cases[] = {
      {A::DrawEntire, true, true, true, S::Pressed},        {A::SelectionChange, true, false, true, S::Pressed},
      {A::DrawEntire, false, true, true, S::Disabled},      {A::DrawEntire, false, false, true, S::Focus},
      {A::SelectionChange, false, false, false, S::Normal}, {A::FocusChange, true, true, false, S::Focus},
  };
  for (const auto& c : cases) {
    ArrowDrawRequest r;
    r.action = c.action;
    r.pressed = c.pressed;
    r.disabled = c.disabled;
    r.focused = c.focused;
    EXPECT_EQ(arrowImageState(r), c.expected) << static_cast<int>(c.action) << c.pressed << c.disabled << c.focused;
  }
}

TEST(DatePickerBinding, ShowsAMomentWithinItsRangeAndGivesDateAndTimeBackSeparately) {
  QDialog dialog;
  auto* edit = new QDateTimeEdit(&dialog);
  setControlId(edit, 101);
  std::optional<DatePickerBinding> binding(std::in_place);
  ASSERT_TRUE(binding->Bind(&dialog, 101));
  binding->SetFrom(AstDateTime(15, 6, 2001, 13.0 + 45.0 / 60.0 + 30.0 / 3600.0, TimeKind::Gmt));
  AstDateTime read(1, 1, 1980, 7.25, TimeKind::Lct);
  binding->GetDate(read);
  EXPECT_EQ(read, AstDateTime(15, 6, 2001, 7.25, TimeKind::Lct));  // the date alone, the caller's kind
  binding->GetTime(read);
  EXPECT_EQ(read.formatDate() + " " + read.formatTime(), "15.06.2001 13:45:30");
  // 02:30 does not exist in many zones on the last Sunday of March; the
  // program's times are not the computer's.
  binding->SetFrom(AstDateTime(25, 3, 2001, 2.5, TimeKind::Lct));
  binding->GetTime(read);
  EXPECT_EQ(read.formatTime(), "02:30:00");
  // Outside the range the nearest end; an invalid moment changes nothing.
  binding->SetFrom(AstDateTime(1, 1, 1600, 6.0, TimeKind::Lct));
  EXPECT_EQ(edit->date(), QDate(1753, 1, 1));
  binding->SetFrom(AstDateTime(1, 1, 5000, 6.0, TimeKind::Lct));
  EXPECT_EQ(edit->date(), QDate(3000, 12, 31));
  AstDateTime invalid;
  invalid.invalidate();
  binding->SetFrom(invalid);
  EXPECT_EQ(edit->date(), QDate(3000, 12, 31));
  // A second binding or a missing control is an internal error; an ended
  // binding frees its control.
  testing::InternalErrorRecorder recorder;
  {
    DatePickerBinding second;
    EXPECT_FALSE(second.Bind(&dialog, 101));
    EXPECT_FALSE(second.Bind(&dialog, 226));
    EXPECT_EQ(recorder.modules(), (std::vector<std::string>{"astdted", "astdted"}));
  }
  EXPECT_EQ(DatePickerBinding::of(edit), &*binding);
  binding.reset();
  EXPECT_EQ(DatePickerBinding::of(edit), nullptr);
  EXPECT_TRUE(binding.emplace().Bind(&dialog, 101));
}

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
