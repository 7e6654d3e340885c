// The Sky window walked through as a user does: its start from the
// settings, the Sky menu and the arrows, showing and clicking objects, the
// popup menu and the highlight, browsing the window's own moment, the
// settings it writes at the end of a run, and its dialogs Sky Options and
// Find Object.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bodies/AstBody.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "catalogues/GreekLetter.h"
#include "catalogues/ObjectLookup.h"
#include "frame/WindowMessages.h"
#include "shell/FrameTestSupport.h"
#include "shell/MainFrame.h"
#include "sky/FindObjectDialog.h"
#include "sky/SkyControlPanel.h"
#include "sky/SkyDisplay.h"
#include "sky/SkyOptionsDialog.h"
#include "sky/SkyWindow.h"
#include "support/InternalErrorRecorder.h"
#include "support/ModalDialogs.h"
#include "support/ShippedData.h"
#include "support/TemporarySettings.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/HelpViewer.h"
#include "ui/Options.h"
#include "ui/SymbolFont.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace testing {

// The Sky window in a main frame, over the catalogues that come with the
// program, for an October evening in London (Saturn is up in the south).
class SkyWindowFixture : public ShippedCatalogueTest {
 protected:
  SkyWindowFixture() {
    registerWindowMessages();
    observer().dateTime = eveningInLondon();
  }
  ~SkyWindowFixture() override {
    frame.reset();
    QApplication::processEvents();
  }

  static AstDateTime eveningInLondon() { return AstDateTime(15, 10, 2024, 21.0, TimeKind::Lct); }

  // The start of a run: a frame of the test screen's size with the Sky
  // window maximised in it and laid out.
  void startSky() {
    frame = std::make_unique<MainFrame>();
    frame->resize(1280, 1000);
    frame->show();
    sky = createSkyWindow(*frame);
    QMdiSubWindow* active = nullptr;
    bool maximize = false;
    sky->initialise(active, maximize);
    frame->activateDocument(active, maximize);
    sendLayout(frame.get());
    QApplication::processEvents();
  }

  // The end of a run: the window saves as the options say, the frame goes,
  // and the next run reads the file afresh.
  void endRun() {
    sky->saveAndRelease();
    sky = nullptr;
    frame.reset();
    settings.restart();
  }

  // What a window asks when it wants the Sky window to show an object.
  void showObject(const AstBody& body, int activate = 0) {
    sendDisplayObject(sky, body, activate != 0);
  }

  std::string stored(const std::string& name, const char* subkey = "Sky") {
    return settings.store().value(settingsKey(subkey), name, "(none)");
  }
  void store(const std::string& name, const std::string& text, const char* subkey = "Sky") {
    settings.store().setValue(settingsKey(subkey), name, text);
  }

  SkyControlPanel& panel() { return *sky->controlPanel(); }
  SkyDisplay& display() { return *sky->display(); }
  SkySettings& skySettings() { return sky->state().settings; }
  SkyView view() { return viewOf(skySettings()); }
  QString shown(int controlId) { return panel().control(controlId)->property("text").toString(); }
  bool enabled(int controlId) { return panel().control(controlId)->isEnabled(); }
  void click(int controlId) { QTest::mouseClick(panel().control(controlId), Qt::LeftButton); }

  TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
  SkyWindow* sky = nullptr;
};

}  // namespace testing

namespace {

using testing::MessageRecorder;
using testing::ReceivedMessage;

namespace id = sky_control;
namespace opt = sky_options;
namespace find = find_object;

class SkyWindowTest : public testing::SkyWindowFixture {
 protected:
  HorizontalSpin& spin() { return *NOCTAVO_CONTROL(HorizontalSpin, &panel(), id::stepSpin, "test"); }
  QLineEdit& stepCount() { return *NOCTAVO_CONTROL(QLineEdit, &panel(), id::stepCount, "test"); }
  QComboBox& stepUnit() { return *NOCTAVO_CONTROL(QComboBox, &panel(), id::stepUnit, "test"); }
  void setStep(int count, StepUnit unit) {
    stepCount().setText(QString::number(count));
    stepUnit().setCurrentIndex(static_cast<int>(unit));
  }
  void stepOn() { spin().rightButton()->click(); }
  // The commands of the Sky menu (110..116) that carry a check mark.
  std::vector<int> checkedCommands() {
    std::vector<int> checked;
    for (int command = 110; command <= 116; ++command) {
      if (frame->isCommandChecked(command)) checked.push_back(command);
    }
    return checked;
  }
  // The panel and the display lie whole inside the client area, side by
  // side, the panel no narrower than it needs.
  void expectWholeLayout() {
    EXPECT_TRUE(sky->widget()->rect().contains(panel().geometry() | display().geometry()));
    EXPECT_FALSE(panel().geometry().intersects(display().geometry()));
    EXPECT_GE(panel().width(), panel().minimumSizeHint().width());
  }
  void clickTheMap(Qt::MouseButton button = Qt::LeftButton) {
    const DisplayGeometry& geometry = sky->state().geometry;
    ASSERT_GT(geometry.height, 100);
    QTest::mouseClick(&display(), button, {}, QPoint(geometry.centreX, geometry.centreY));
  }
};

// ------------------------------------------------------------- the start

TEST_F(SkyWindowTest, StoredTextsNoValueHasAndDirectionsOffTheArrowsStepsReadAsTheNearestValidValues) {
  const auto readWith = [this](std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, text] : values) store(name, text);
    return readSkySettings();
  };
  SkySettings read = readWith({{"Map type", "Equ"}, {"Step value", "1000"}, {"Step type", "4"}});
  EXPECT_EQ(read.viewPhi, 45.0);  // the default 30 is no step of the equatorial map
  EXPECT_EQ(read.stepValue, 1000);
  read = readWith({{"Map type", "Hor"}, {"Direction of view (lambda)", "100"}, {"Direction of view (phi)", "120"}});
  EXPECT_EQ((SkyView{read.viewLambda, read.viewPhi}), (SkyView{90.0, 90.0}));
  read = readWith({{"Map type", "Sideways"}, {"Grid type", "Polar"}, {"Planet display mode", "Some"},
                   {"Step value", "0"}, {"Step type", "5"}});
  const SkySettings defaults;
  EXPECT_EQ(read.mapType, defaults.mapType);
  EXPECT_EQ(read.gridType, GridType::Off);
  EXPECT_EQ(read.planetDisplayMode, defaults.planetDisplayMode);
  EXPECT_EQ(std::pair(read.stepValue, read.stepType), std::pair(defaults.stepValue, defaults.stepType));
  EXPECT_EQ(readWith({{"Step value", "1001"}}).stepValue, defaults.stepValue);
}

TEST_F(SkyWindowTest, StartsMaximisedOnTheRealisticMapAndTheSkyMenuAndArrowsTurnTheView) {
  startSky();
  EXPECT_TRUE(sky->isMaximized());
  EXPECT_EQ(view(), (SkyView{0.0, 30.0}));
  EXPECT_EQ(checkedCommands(), (std::vector<int>{112, 114, 116}));
  EXPECT_FALSE(enabled(id::highlight));
  EXPECT_EQ(shown(id::date) + " " + shown(id::time), QStringLiteral("15.10.2024 21:00:00"));
  EXPECT_EQ(stepCount().text() + " " + stepUnit().currentText(), QStringLiteral("10 Minutes"));
  click(id::arrowLeft);  // an eighth to the left, wrapping round
  EXPECT_EQ(view().lambda, 315.0);
  click(id::arrowRight);
  click(id::arrowRight);
  click(id::arrowUp);
  EXPECT_EQ(view(), (SkyView{45.0, 75.0}));
  EXPECT_FALSE(enabled(id::arrowUp));
  EXPECT_TRUE(panel().control(id::arrowDown)->hasFocus());
  frame->commandAction(112)->trigger();  // already checked: nothing changes, not even the view
  EXPECT_EQ(view(), (SkyView{45.0, 75.0}));
  EXPECT_EQ(checkedCommands(), (std::vector<int>{112, 114, 116}));
  frame->commandAction(110)->trigger();  // another map turns the view to its start
  EXPECT_EQ(view(), (SkyView{0.0, 0.0}));
  EXPECT_TRUE(enabled(id::arrowUp));
  frame->executeCommand(111);
  const SkyView equatorialStart = view();
  frame->commandAction(115)->trigger();  // one grid of three, and the ecliptic toggles
  frame->commandAction(115)->trigger();
  EXPECT_EQ(checkedCommands(), (std::vector<int>{111, 115, 116}));
  frame->executeCommand(113);
  frame->commandAction(116)->trigger();
  EXPECT_EQ(checkedCommands(), (std::vector<int>{111, 113}));
  EXPECT_EQ(std::pair(skySettings().gridType, skySettings().eclipticOn), std::pair(GridType::Off, 0));
  EXPECT_EQ(view(), equatorialStart);
  QTest::keyClick(panel().control(id::arrowLeft), Qt::Key_F1);
  ASSERT_NE(helpWindow(), nullptr);
  EXPECT_EQ(helpWindow()->currentTopic(), QStringLiteral("sky window.htm"));
  closeAllHelp();
}

TEST_F(SkyWindowTest, ShowingAnObjectTurnsTheViewToWhereTheMapDrawsItSelectsCirclesAndDescribesIt) {
  startSky();
  // Where the tables put the Sun.
  const struct { int mapCommand; double a, b; SkyView expected; } cases[] = {
      {112, 337.5, 80.0, {0.0, 75.0}},
      // The equatorial map turns towards the mirrored right ascension:
      // 160 stands at 200 on the map, 22.5 at 337.5.
      {111, 160.0, -50.0, {180.0, -45.0}}};
  SkyPositionTables& tables = sky->state().tables;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a);
    frame->executeCommand(c.mapCommand);
    panel().turnRight();
    tables.sunHorizontal = AstCoord(c.a, c.b, CoordSystem::Horizontal);
    tables.sunEquatorial = AstCoord(c.a, c.b, CoordSystem::Equatorial);
    showObject(theSun());
    EXPECT_EQ(view(), c.expected);
    EXPECT_EQ(sky->state().selected, &theSun());
    EXPECT_TRUE(display().highlightOn());
    EXPECT_FALSE(enabled(id::highlight));
  }
  int cursor = 0;
  showObject(*nextBody(ObjectType::Earth, cursor));  // no place in the sky: nothing changes
  EXPECT_EQ(sky->state().selected, &theSun());
  frame->executeCommand(112);
  showObject(*planetByName("Saturn"));
  EXPECT_EQ(shown(id::name), QStringLiteral("Saturn"));
  const AstCoord horizontal = sky->state().tables.planetHorizontal[4];
  EXPECT_EQ(shown(id::azimuth), symbolText(formatAngle(horizontal.a(), false)));
  EXPECT_EQ(shown(id::rightAscension), symbolText(formatAngle(sky->state().tables.planetEquatorial[4].a(), true)));
  EXPECT_TRUE(enabled(id::magnitudeLabel) && enabled(id::phaseLabel) && shown(id::phase).endsWith(QLatin1Char('%')));
  EXPECT_EQ(shown(id::constellation), QStringLiteral("Aquarius"));  // in the autumn of 2024
  setAngleDisplayModes({RightAscensionDisplay::Decimal, AngleDisplay::Decimal});
  sendOptionsChanged(frame.get());  // shows in the panel at once
  EXPECT_EQ(shown(id::azimuth), symbolText(formatAngle(horizontal.a(), false)));
  showObject(theSun());  // no magnitude, no phase
  EXPECT_FALSE(enabled(id::magnitudeLabel) || enabled(id::phaseLabel));
  const Star* vega = findStarByName("Vega");
  showObject(*vega);
  EXPECT_EQ(shown(id::name), symbolText(std::string(1, char(GreekLetter(0).symbol())) + " (Vega)"));
  EXPECT_EQ(shown(id::magnitude), symbolText(MagnitudeQuantity("", 0, 0, 0, 0, 0).format(vega->magnitude())));
  EXPECT_EQ(shown(id::constellation), QStringLiteral("Lyra"));
  const Constellation* orion = findConstellationByAbbreviation("Ori");
  showObject(*orion);  // shown with its alpha star
  EXPECT_EQ(shown(id::name), skyStarNameText(*orion->referenceStar()));
  EXPECT_EQ(shown(id::constellation), symbolText(orion->getName()));
  // A star without a name shows its letter, or "(none)" (numbers beyond the
  // catalogue have no entry in the name table).
  EXPECT_EQ(skyStarNameText(Star(1'000'000, 10.0, 10.0, 5.0f, GreekLetter(), '0', 0)), QStringLiteral("(none)"));
  EXPECT_EQ(skyStarNameText(Star(1'000'000, 10.0, 10.0, 5.0f, GreekLetter(1), '0', 0)),
            symbolText(std::string(1, char(GreekLetter(1).symbol()))));
  sky->close();  // closing only minimises; asked with activation, the window comes back
  ASSERT_TRUE(sky->isMinimized());
  showObject(theMoon(), 1);
  EXPECT_FALSE(sky->isMinimized());
  EXPECT_EQ(shown(id::name), QStringLiteral("Moon"));
  // Twelve hours on with the stars kept fixed, a star is drawn for the
  // observer's moment, not the browsed one: the view turns to it there.
  click(id::starsFixed);
  setStep(12, StepUnit::Hours);
  stepOn();
  showObject(*vega);
  QPoint point;
  EXPECT_TRUE(display().projectedPoint(*vega, point));
}

TEST_F(SkyWindowTest, ALeftClickSelectsTheNearestObjectAndTheHighlightCirclesItForHalfASecond) {
  startSky();
  clickTheMap();
  const DisplayGeometry& geometry = sky->state().geometry;
  const AstBody* selected = sky->state().selected;
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected, findNearestObject(sky->state().tables, skySettings(), geometry, view(), geometry.centreX,
                                        geometry.centreY));
  ASSERT_TRUE(enabled(id::highlight));
  QPoint centre;
  ASSERT_TRUE(display().projectedPoint(*selected, centre));
  const QImage plain = display().grab().toImage();
  click(id::highlight);
  EXPECT_FALSE(enabled(id::highlight));
  const QImage circled = display().grab().toImage();
  int changed = 0;
  for (int dy = -12; dy <= 12; ++dy) {
    for (int dx = -12; dx <= 12; ++dx) changed += plain.pixel(centre + QPoint(dx, dy)) != circled.pixel(centre + QPoint(dx, dy));
  }
  EXPECT_GT(changed, 20);
  QTest::qWait(200);
  EXPECT_TRUE(display().highlightOn());
  EXPECT_TRUE(QTest::qWaitFor([this] { return !display().highlightOn(); }, 2000));
  EXPECT_TRUE(enabled(id::highlight));
}

TEST_F(SkyWindowTest, ARightClickOpensThePopupWhoseTargetsGetTheObjectWhenTheyHaveSomethingToShow) {
  startSky();
  QString opened;
  QTimer::singleShot(50, [&] {
    if (QWidget* menu = QApplication::activePopupWidget()) {
      opened = menu->objectName();
      menu->close();
    }
  });
  clickTheMap(Qt::RightButton);
  EXPECT_EQ(opened, QStringLiteral("Menu_Sky"));
  EXPECT_NE(sky->state().popupObject, nullptr);
  EXPECT_EQ(sky->state().selected, nullptr);  // the selection stays as it was
  const Star* unnamed = starAt(0);
  for (int index = 1; *unnamed->getName() != '\0'; ++index) unnamed = starAt(index);
  const struct { const AstBody* object; bool solarSystem, objectInfo, picture; const char* title; } cases[] = {
      {unnamed, false, false, false, "Display \u03B12 Cen in &window"},  // by letter and constellation
      {ngcAt(0), false, true, true, nullptr},
      {planetByName("Mars"), true, true, true, "Display Mars in &window"}};
  MessageRecorder targets[3];
  const FrameWindow targetWindows[] = {FrameWindow::SolarSystem, FrameWindow::ObjectInformation, FrameWindow::Picture};
  for (int i = 0; i < 3; ++i) frame->registerWindow(targetWindows[i], &targets[i]);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.object->getName());
    display().preparePopup(*c.object);
    EXPECT_EQ(display().popupAction(sky_popup::solarSystem)->isEnabled(), c.solarSystem);
    EXPECT_EQ(display().popupAction(sky_popup::objectInfo)->isEnabled(), c.objectInfo);
    EXPECT_EQ(display().popupAction(sky_popup::picture)->isEnabled(), c.picture);
    if (c.title) {
      EXPECT_EQ(display().displayInWindowMenu()->title(), QString::fromUtf8(c.title));
    }
  }
  for (FrameWindow target : targetWindows) frame->registerWindow(target, nullptr);
  display().preparePopup(*planetByName("Mars"));  // a window that is not there is greyed
  EXPECT_FALSE(display().popupAction(sky_popup::objectInfo)->isEnabled());
  sky->state().popupObject = planetByName("Mars");
  display().popupCommand(sky_popup::objectInfo);  // no Object Information window yet: nothing happens
  MessageRecorder info;
  frame->registerWindow(FrameWindow::ObjectInformation, &info);
  display().preparePopup(*sky->state().popupObject);
  display().popupAction(sky_popup::objectInfo)->trigger();
  frame->registerWindow(FrameWindow::ObjectInformation, nullptr);
  EXPECT_EQ(info.messages, (std::vector<ReceivedMessage>{{UM_DISPLAY_OBJECT, 1, 0, sky->state().popupObject}}));
  testing::ModalWatch watch;
  display().popupAction(sky_popup::findObject)->trigger();
  ASSERT_EQ(watch.count(), 1);
  EXPECT_EQ(watch.shown[0].objectName, QStringLiteral("Dlg_SkyFindObject"));
}

TEST_F(SkyWindowTest, TheTimeBarStepsTheWindowsMomentAndTheFramesMessagesResetIt) {
  startSky();
  showObject(theMoon());
  const QString moonBefore = shown(id::azimuth);
  const SkyPositionTables before = sky->state().tables;
  stepOn();
  EXPECT_EQ(sky->state().observer.dateTime, AstDateTime(15, 10, 2024, 21.0 + 10.0 / 60.0, TimeKind::Lct));
  EXPECT_EQ(shown(id::time), QStringLiteral("21:10:00"));
  EXPECT_EQ(observer().dateTime, eveningInLondon());  // not the observer's
  EXPECT_NE(shown(id::azimuth), moonBefore);  // the selected object's data follow
  click(id::reset);
  EXPECT_EQ(sky->state().observer.dateTime, eveningInLondon());
  for (const char* count : {"0", "1001", "abc"}) {  // refused with the reason, the focus back on the count
    SCOPED_TRACE(count);
    testing::ModalWatch watch;
    stepCount().setText(QString::fromLatin1(count));
    stepOn();
    ASSERT_EQ(watch.count(), 1);
    EXPECT_EQ(watch.shown[0].text, "You entered an invalid step count: the count is a whole number from 1 to 1000");
    EXPECT_TRUE(stepCount().hasFocus());
    EXPECT_EQ(sky->state().observer.dateTime, eveningInLondon());
  }
  // With the stars fixed the stars stand where the observer's moment puts
  // them while the Moon moves on.
  setStep(3, StepUnit::Hours);
  stepOn();
  EXPECT_NE(sky->state().tables.starHorizontal, before.starHorizontal);
  QTest::mouseClick(panel().control(id::starsFixed), Qt::LeftButton);
  EXPECT_EQ(sky->state().tables.starHorizontal, before.starHorizontal);
  stepOn();
  EXPECT_EQ(shown(id::date) + " " + shown(id::time), QStringLiteral("16.10.2024 03:00:00"));
  EXPECT_EQ(sky->state().tables.starHorizontal, before.starHorizontal);
  EXPECT_NE(sky->state().tables.moonHorizontal, before.moonHorizontal);
  // The frame's time step moves the window's moment on; a new observer and
  // a change of daylight saving replace it.
  sendTimeStep(frame.get(), 1);
  EXPECT_EQ(shown(id::time), QStringLiteral("03:01:00"));
  Observer elsewhere = observer();
  elsewhere.dateTime = AstDateTime(1, 1, 2000, 6.5, TimeKind::Lct);
  elsewhere.location.latitude.set(-33.9);
  elsewhere.daylightSaving = true;
  sendObserverSet(frame.get(), elsewhere);
  EXPECT_EQ(sky->state().observer, elsewhere);
  EXPECT_EQ(shown(id::date) + " " + shown(id::time), QStringLiteral("01.01.2000 06:30:00"));
  const AstDateTime moment(2, 7, 2010, 23.25, TimeKind::Lct);
  sendDstSet(frame.get(), false, moment);
  EXPECT_FALSE(sky->state().observer.daylightSaving);
  EXPECT_EQ(shown(id::time), QStringLiteral("23:15:00"));
}

TEST_F(SkyWindowTest, ArrangedOrOnAnyScreenTheWindowShowsItsWholeLayoutAndTheDrawingInProportion) {
  store("Right", "120", "Sky\\Window");  // an older run's sliver
  store("Bottom", "28", "Sky\\Window");
  startSky();
  // Maximised on a landscape area the display is as high as the area allows.
  frame->resize(1280, 800);
  QApplication::processEvents();
  const QSize client = frame->documentArea()->viewport()->size();
  const int height = client.height() - 10;
  const int width = static_cast<int>(height * PixelAspect());
  EXPECT_EQ(display().geometry(), QRect(client.width() - width - 5, 5, width, height));
  EXPECT_EQ(panel().geometry(), QRect(5, 5, client.width() - width - 15, height));
  EXPECT_EQ(sky->state().geometry, makeDisplayGeometry(height, PixelAspect()));
  frame->executeCommand(command::skyMapEquatorial);  // the widest labels
  QWidget& drawing = *panel().control(id::observerControl);
  double firstShape = 0.0;
  const std::pair<QSize, int> screens[] = {{{1024, 768}, 1}, {{1920, 1080}, 1}, {{3840, 2160}, 1}, {{1920, 1080}, 2}};
  for (const auto& [screen, ratio] : screens) {
    SCOPED_TRACE(screen.width() * ratio);
    frame->resize(screen);
    QApplication::processEvents();
    expectWholeLayout();
    QImage image(drawing.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    drawing.render(&image);
    QRect ink;  // the lines and labels
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
      }
    }
    EXPECT_TRUE(image.rect().adjusted(1, 1, -1, -1).contains(ink));  // nothing cut off at an edge
    const double shape = double(ink.width()) / ink.height();
    if (firstShape == 0.0) firstShape = shape;
    EXPECT_NEAR(shape, firstShape, 0.05 * firstShape);  // not stretched with the panel
  }
  for (int commandId : {command::windowTile, command::windowCascade}) {
    frame->executeCommand(commandId);
    QApplication::processEvents();
    expectWholeLayout();
  }
  const QSize smallest = sky->minimumSizeHint();
  endRun();
  EXPECT_GE(std::stoi(stored("Right", "Sky\\Window")), smallest.width());  // from Left 0
  EXPECT_GE(std::stoi(stored("Bottom", "Sky\\Window")), smallest.height());
}

TEST_F(SkyWindowTest, EverySettingSurvivesARunAsTheSaveModesSayAndTheEndLetsGoOfTheCatalogues) {
  startSky();
  frame->executeCommand(110);
  frame->executeCommand(115);
  frame->executeCommand(116);
  panel().turnLeft();
  panel().lookDown();
  QTest::mouseClick(panel().control(id::starsFixed), Qt::LeftButton);
  setStep(5, StepUnit::Days);
  SkySettings& s = skySettings();
  s.sunOn = s.ngcColourOn = s.horizonOn = 0;
  s.starNamesOn = s.ngcObjectsOn = 1;
  s.planetDisplayMode = PlanetDisplayMode::All;
  sky->showNormal();
  sky->setGeometry(20, 30, 900, 650);
  SkySettings expected = s;
  expected.maximized = expected.minimized = 0;
  expected.active = 1;
  expected.left = 20, expected.top = 30, expected.right = 920, expected.bottom = 680;
  expected.stepValue = 5;
  expected.stepType = static_cast<int>(StepUnit::Days);
  endRun();
  EXPECT_EQ(stored("Map type") + stored("Grid type") + stored("Planet display mode"), "HorEquAll");
  EXPECT_EQ(stored("Direction of view (lambda)") + " " + stored("Direction of view (phi)"), "315 -45");
  EXPECT_EQ(readSkySettings(), expected);
  startSky();
  EXPECT_EQ(view(), (SkyView{315.0, -45.0}));
  EXPECT_EQ(checkedCommands(), (std::vector<int>{110, 115}));
  EXPECT_EQ(stepCount().text() + " " + stepUnit().currentText(), QStringLiteral("5 Days"));
  EXPECT_EQ(sky->geometry(), QRect(20, 30, 900, 650));
  sky->setGeometry(40, 50, 900, 640);
  sky->showMaximized();  // a maximised window keeps its normal rectangle
  endRun();
  EXPECT_EQ(stored("Maximized", "Sky\\Window") + " " + stored("Left", "Sky\\Window") + " " +
                stored("Bottom", "Sky\\Window"),
            "1 40 690");
  // Without "save window state" only the Sky values are written.
  startSky();
  frame->executeCommand(111);
  sky->showNormal();
  options().saveWindowState = false;
  endRun();
  EXPECT_EQ(stored("Map type") + " " + stored("Maximized", "Sky\\Window"), "Equ 1");
  // Factory defaults leave no Sky values behind, and the released window no
  // longer refers to the catalogues.
  startSky();
  showObject(*findStarByName("Vega"));
  options().saveOptions = false;
  options().factoryDefaults = true;
  OptionsSave();  // the options save before the Sky window at the end
  sky->saveAndRelease();
  EXPECT_EQ(sky->state().selected, nullptr);
  EXPECT_FALSE(display().highlightOn());
  EXPECT_TRUE(sky->state().tables.starHorizontal.empty());
  display().grab();  // paints without the tables
  sky = nullptr;
  frame.reset();
  settings.restart();
  EXPECT_EQ(readSkySettings(), SkySettings{});
  // A stored minimised window starts minimised and leaves the active child alone.
  store("Minimized", "1", "Sky\\Window");
  store("Active", "0", "Sky\\Window");
  startSky();
  EXPECT_TRUE(sky->isMinimized());
  QMdiSubWindow* active = nullptr;
  bool maximize = false;
  sky->initialise(active, maximize);
  EXPECT_EQ(active, nullptr);
}

QAbstractButton* button(QWidget* dialog, int id) { return qobject_cast<QAbstractButton*>(findControlOrNull(dialog, id)); }
QComboBox* comboBox(QWidget* dialog, int id) { return qobject_cast<QComboBox*>(findControlOrNull(dialog, id)); }
void pressOk(QWidget* dialog) { button(dialog, dialog_button::ok)->click(); }

// The check boxes of Sky Options with the settings they stand for.
struct Check {
  int id;
  std::int32_t SkySettings::*field;
};
constexpr Check checks[] = {
    {opt::starNames, &SkySettings::starNamesOn},   {opt::starLetters, &SkySettings::starLettersOn},
    {opt::constellationNames, &SkySettings::constellationNamesOn},
    {opt::constellationLines, &SkySettings::constellationLinesOn},
    {opt::planetNames, &SkySettings::planetNamesOn}, {opt::planetSymbols, &SkySettings::planetSymbolsOn},
    {opt::sun, &SkySettings::sunOn},               {opt::moon, &SkySettings::moonOn},
    {opt::ngcObjects, &SkySettings::ngcObjectsOn}, {opt::ngcColour, &SkySettings::ngcColourOn},
    {opt::horizon, &SkySettings::horizonOn}};
constexpr std::pair<int, PlanetDisplayMode> planetRadios[] = {{opt::planetsNone, PlanetDisplayMode::None},
                                                              {opt::planetsRealistic, PlanetDisplayMode::Realistic},
                                                              {opt::planetsAll, PlanetDisplayMode::All}};

class SkyDialogsTest : public testing::SkyWindowFixture {};

TEST_F(SkyDialogsTest, SkyOptionsShowsTheSettingsOkStoresEveryFieldAndCancelNone) {
  for (int radio = 0; radio < 3; ++radio) {
    const PlanetDisplayMode mode = planetRadios[radio].second;
    SCOPED_TRACE(static_cast<int>(mode));
    SkySettings settings;
    settings.starLettersOn = 1;
    settings.moonOn = 0;
    settings.planetDisplayMode = mode;
    SkyOptionsDialog dialog(settings, nullptr);
    for (const Check& check : checks) {
      EXPECT_EQ(button(&dialog, check.id)->isChecked(), settings.*check.field != 0) << check.id;
      button(&dialog, check.id)->toggle();
    }
    for (const auto& [id, radioMode] : planetRadios) EXPECT_EQ(button(&dialog, id)->isChecked(), radioMode == mode) << id;
    const int next = (radio + 1) % 3;
    button(&dialog, planetRadios[next].first)->setChecked(true);
    SkySettings expected = settings;
    for (const Check& check : checks) expected.*check.field = !(settings.*check.field);
    expected.planetDisplayMode = planetRadios[next].second;
    pressOk(&dialog);
    EXPECT_EQ(settings, expected);
  }
  // The picture colour is offered only while NGC objects are shown.
  SkySettings settings;
  SkyOptionsDialog dialog(settings, nullptr);
  EXPECT_FALSE(button(&dialog, opt::ngcColour)->isEnabled());
  button(&dialog, opt::ngcObjects)->setChecked(true);
  EXPECT_TRUE(button(&dialog, opt::ngcColour)->isEnabled());
  button(&dialog, opt::planetsAll)->setChecked(true);
  button(&dialog, dialog_button::cancel)->click();
  EXPECT_EQ(settings, SkySettings{});
}

TEST_F(SkyDialogsTest, NamesAreListedSortedWithoutRegardToLetterCaseAndCatalogueNumbersByValue) {
  for (ObjectType type : {ObjectType::Planet, ObjectType::Star, ObjectType::Constellation, ObjectType::NgcObject}) {
    const std::vector<FindObjectName> names = findObjectNames(type);
    ASSERT_GT(names.size(), 1u);
    for (std::size_t i = 1; i < names.size(); ++i) {
      EXPECT_TRUE(type == ObjectType::NgcObject
                      ? !catalogueNameLess(names[i].name, names[i - 1].name)
                      : QString::compare(names[i - 1].shown, names[i].shown, Qt::CaseInsensitive) <= 0)
          << names[i - 1].name << " / " << names[i].name;
    }
  }
  // Stars: only those with names.
  std::multiset<std::string> named;
  for (int index = 0; index < starCount(); ++index) {
    if (*starAt(index)->getName() != '\0') named.insert(starAt(index)->getName());
  }
  ASSERT_LT(named.size(), static_cast<std::size_t>(starCount()));
  std::multiset<std::string> listed;
  for (const FindObjectName& entry : findObjectNames(ObjectType::Star)) listed.insert(entry.name);
  EXPECT_EQ(listed, named);
  // Constellations in the current language.
  setConstellationLanguage(constellationLanguageEnglish);
  const std::vector<FindObjectName> constellations = findObjectNames(ObjectType::Constellation);
  EXPECT_EQ(constellations.size(), 88u);
  EXPECT_TRUE(std::any_of(constellations.begin(), constellations.end(),
                          [](const FindObjectName& entry) { return entry.name == "Little Dipper"; }));
}

// The user types a name into the names box, as people say it, whatever
// type is chosen; a name of nothing is said so and can be mended.
TEST_F(SkyDialogsTest, FindObjectFindsATypedNameAndSaysSoOfANameOfNothing) {
  startSky();
  const struct {
    const char* type;
    const char* typed;
    const char* found;  // null: nothing, the dialog stays open
  } cases[] = {{"Sun", "M31", "NGC 224"},
               {"Moon", "", "Moon"},
               {"NGC object", "M31", "NGC 224"},
               {"Star", "m 31", "NGC 224"},
               {"Star", "alpha Ori", "Betelgeuse"},
               {"Star", "\u03B1 Ori", "Betelgeuse"},
               {"Star", "\u03B1\u00B2 Lib", "Zubenelgenubi II"},
               {"NGC object", "Orion Nebula", "NGC 1976"},
               {"NGC object", "Andromeda Gal", nullptr},
               {"Planet", "Earth", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    FindObjectDialog dialog(sky, nullptr);
    dialog.show();
    dialog.typeBox()->setCurrentIndex(dialog.typeBox()->findText(QString::fromLatin1(c.type)));
    dialog.nameBox()->lineEdit()->clear();
    const QString typed = QString::fromUtf8(c.typed);
    // QTest types ASCII only; Greek letters come as typed text.
    if (typed.toLatin1() == c.typed) {
      QTest::keyClicks(dialog.nameBox()->lineEdit(), typed);
    } else {
      dialog.nameBox()->lineEdit()->insert(typed);
    }
    testing::ModalWatch watch;
    QTest::keyClick(dialog.nameBox()->lineEdit(), Qt::Key_Return);
    QApplication::processEvents();
    if (c.found) {
      ASSERT_NE(sky->state().selected, nullptr);
      EXPECT_STREQ(sky->state().selected->getName(), c.found);
      EXPECT_EQ(watch.count(), 0);
      EXPECT_EQ(dialog.result(), QDialog::Accepted);
    } else {
      ASSERT_EQ(watch.count(), 1);
      EXPECT_EQ(watch.shown[0].text, QStringLiteral("No object is called \"%1\".").arg(typed));
      EXPECT_TRUE(dialog.isVisible());
    }
  }
}

TEST_F(SkyDialogsTest, TheSkyMenuOpensOptionsAndFindObjectAndFindingSaturnTurnsTheViewToItAndHighlightsIt) {
  startSky();
  testing::whenModalAppears([](QWidget* dialog) {
    button(dialog, opt::starNames)->setChecked(true);
    pressOk(dialog);
  });
  frame->executeCommand(117);
  EXPECT_EQ(skySettings().starNamesOn, 1);
  testing::whenModalAppears([](QWidget* dialog) {
    comboBox(dialog, find::objectType)->setCurrentIndex(1);
    button(dialog, dialog_button::cancel)->click();
  });
  frame->executeCommand(118);
  EXPECT_EQ(sky->state().selected, nullptr);
  testing::whenModalAppears([](QWidget* dialog) {
    QComboBox* type = comboBox(dialog, find::objectType);
    type->setCurrentIndex(type->findText(QStringLiteral("Planet")));
    QComboBox* name = comboBox(dialog, find::objectName);
    name->setCurrentIndex(name->findText(QStringLiteral("Saturn")));
    pressOk(dialog);
  });
  frame->executeCommand(118);
  const AstBody* saturn = planetByName("Saturn");
  EXPECT_EQ(sky->state().selected, saturn);
  EXPECT_EQ(shown(sky_control::name), QStringLiteral("Saturn"));
  // Saturn stood low in the south-east on that evening: the view turns to
  // it and circles it.
  EXPECT_EQ(view(), viewTowards(MapType::Realistic, sky->state().tables.planetHorizontal[4]));
  EXPECT_TRUE(display().highlightOn());
}

TEST_F(SkyWindowTest, AnOptionsChangeToThePreciseMethodMovesTheMoonAndTheStarsAndBackRestoresThem) {
  startSky();
  const SkyPositionTables classical = sky->state().tables;
  const auto switchTo = [&](PositionMethod method) {
    options().positionMethod = method;
    applyPositionMethodOption();
    sendOptionsChanged(sky);
  };
  switchTo(PositionMethod::Precise);
  const SkyPositionTables& precise = sky->state().tables;
  // The Moon's parallax at London is most of a degree; a star moves by
  // the nutation and aberration of a year from 2025.
  EXPECT_GT(std::fabs(precise.moonHorizontal.b() - classical.moonHorizontal.b()), 0.2);
  EXPECT_NE(precise.starEquatorial[0], classical.starEquatorial[0]);
  EXPECT_LT(std::fabs(precise.starEquatorial[0].b() - classical.starEquatorial[0].b()), 0.05);
  switchTo(PositionMethod::Classical);
  EXPECT_EQ(sky->state().tables.moonHorizontal, classical.moonHorizontal);
  EXPECT_EQ(sky->state().tables.starHorizontal, classical.starHorizontal);
}

}  // namespace
}  // namespace noctavo
