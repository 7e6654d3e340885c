// The Sky window as a user handles it: arranged by the Window menu, on
// screens from 1024 x 768 to 3840 x 2160 at 1x and 2x, a mistyped step
// count, the popup of an unnamed star.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QToolButton>

#include <string>

#include "catalogues/Constellation.h"
#include "catalogues/GreekLetter.h"
#include "sky/SkyWindowTestSupport.h"
#include "support/ModalDialogs.h"
#include "ui/ArrowButton.h"
#include "ui/DialogControls.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace {

namespace id = sky_control;

class SkyWindowHandlingTest : public testing::SkyWindowFixture {
 protected:
  // The panel and the display lie whole inside the client area, side by
  // side, the panel no narrower than it needs.
  void expectWholeLayout() {
    const QRect client = sky->widget()->rect();
    EXPECT_TRUE(client.contains(panel().geometry())) << "panel " << panel().geometry().width();
    EXPECT_TRUE(client.contains(display().geometry()));
    EXPECT_FALSE(panel().geometry().intersects(display().geometry()));
    EXPECT_GE(panel().width(), panel().minimumSizeHint().width());
    EXPECT_GE(display().height(), panel().minimumSizeHint().height());
  }
};

TEST_F(SkyWindowHandlingTest, CascadeAndTileKeepTheWholeLayoutAndNoSmallerSizeIsSaved) {
  // An older run left a sliver of a window.
  store("Left", "0", "Sky\\Window");
  store("Top", "0", "Sky\\Window");
  store("Right", "120", "Sky\\Window");
  store("Bottom", "28", "Sky\\Window");
  startSky();
  for (int commandId : {command::windowCascade, command::windowTile}) {
    SCOPED_TRACE(commandId);
    frame->executeCommand(commandId);
    QApplication::processEvents();
    EXPECT_FALSE(sky->isMaximized());
    EXPECT_GE(sky->width(), sky->minimumSizeHint().width());
    EXPECT_GE(sky->height(), sky->minimumSizeHint().height());
    expectWholeLayout();
  }
  const QSize smallest = sky->minimumSizeHint();
  frame->executeCommand(command::windowCascade);
  endRun();
  EXPECT_GE(std::stoi(stored("Right", "Sky\\Window")) - std::stoi(stored("Left", "Sky\\Window")), smallest.width());
  EXPECT_GE(std::stoi(stored("Bottom", "Sky\\Window")) - std::stoi(stored("Top", "Sky\\Window")), smallest.height());
}

// The dark pixels of the direction drawing (lines and labels), in the
// control's own pixels.
QRect inkOf(QWidget& control, qreal pixelRatio) {
  QImage image(control.size() * pixelRatio, QImage::Format_RGB32);
  image.setDevicePixelRatio(pixelRatio);
  image.fill(Qt::white);
  control.render(&image);
  QRect ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

TEST_F(SkyWindowHandlingTest, TheDirectionDrawingStaysWholeAndInProportionOnEveryScreen) {
  struct Screen {
    QSize size;
    qreal pixelRatio;
  };
  const Screen screens[] = {{{1024, 768}, 1}, {{1920, 1080}, 1}, {{3840, 2160}, 1}, {{1920, 1080}, 2}};
  startSky();
  for (int mapCommand : {command::skyMapRealistic, command::skyMapEquatorial}) {
    frame->executeCommand(mapCommand);
    double firstProportion = 0.0;
    for (const Screen& screen : screens) {
      SCOPED_TRACE(QStringLiteral("map %1, %2 x %3 at %4x")
                       .arg(mapCommand)
                       .arg(screen.size.width())
                       .arg(screen.size.height())
                       .arg(screen.pixelRatio)
                       .toStdString());
      frame->resize(screen.size);
      QApplication::processEvents();
      ASSERT_TRUE(sky->isMaximized());
      QWidget& drawing = *panel().control(id::observerControl);
      const QRect ink = inkOf(drawing, screen.pixelRatio);
      // Nothing cut off at an edge.
      const QRect image(QPoint(0, 0), drawing.size() * screen.pixelRatio);
      EXPECT_TRUE(image.adjusted(1, 1, -1, -1).contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width()
                                                               << "x" << ink.height();
      // The same shape everywhere, not stretched with the panel.
      const double proportion = double(ink.width()) / ink.height();
      if (firstProportion == 0.0) firstProportion = proportion;
      EXPECT_NEAR(proportion, firstProportion, 0.05 * firstProportion);
      // No arrow over it.
      for (int arrow : {id::arrowUp, id::arrowDown, id::arrowLeft, id::arrowRight}) {
        EXPECT_FALSE(panel().control(arrow)->geometry().intersects(drawing.geometry())) << arrow;
      }
      expectWholeLayout();
    }
  }
}

TEST_F(SkyWindowHandlingTest, ARefusedStepCountSaysWhyAndPutsTheFocusBackOnTheCount) {
  startSky();
  auto* count = NOCTAVO_CONTROL(QLineEdit, &panel(), id::stepCount, "test");
  auto* spin = NOCTAVO_CONTROL(HorizontalSpin, &panel(), id::stepSpin, "test");
  const AstDateTime before = sky->state().observer.dateTime;
  for (const char* text : {"0", "1001", "abc"}) {
    SCOPED_TRACE(text);
    testing::ModalWatch watch;
    count->setText(QString::fromLatin1(text));
    spin->rightButton()->click();
    ASSERT_EQ(watch.count(), 1);
    EXPECT_EQ(watch.shown[0].text,
              QStringLiteral("You entered an invalid step count: the count is a whole number from 1 to 1000"));
    EXPECT_TRUE(count->hasFocus());
    EXPECT_EQ(count->text(), QString::fromLatin1(text));
    EXPECT_EQ(sky->state().observer.dateTime, before);
  }
}

TEST_F(SkyWindowHandlingTest, APopupCallsAStarWithoutANameByItsLetterAndConstellation) {
  startSky();
  // The unnamed stars of Orion: θ2, η, and the first without a letter.
  const Star* theta2 = nullptr;
  const Star* eta = nullptr;
  const Star* noLetter = nullptr;
  for (int index = 0; index < starCount(); ++index) {
    const Star& star = *starAt(index);
    if (*star.getName() != '\0' || std::string(star.constellation()->abbreviation()) != "Ori") continue;
    const GreekLetter letter(star.greekLetter());
    if (letter == GreekLetter::fromName("Theta", false) && star.letterSuffix() == '2') theta2 = &star;
    if (letter == GreekLetter::fromName("Eta", false)) eta = &star;
    if (!letter.isValid() && !noLetter) noLetter = &star;
  }
  const std::pair<const Star*, QString> cases[] = {{theta2, QStringLiteral("Display \u03B82 Ori in &window")},
                                                   {eta, QStringLiteral("Display \u03B7 Ori in &window")},
                                                   {noLetter, QStringLiteral("Display a star in Ori in &window")}};
  for (const auto& [star, title] : cases) {
    SCOPED_TRACE(title.toStdString());
    ASSERT_NE(star, nullptr);
    display().preparePopup(*star);
    EXPECT_EQ(display().displayInWindowMenu()->title(), title);
  }
}

}  // namespace
}  // namespace noctavo
