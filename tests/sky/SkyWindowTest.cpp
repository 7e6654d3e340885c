// The Sky window: its start from the settings, the Sky menu's commands and
// check marks, the direction arrows, showing an object, browsing the
// window's own moment, the selection, the popup menu and the highlight,
// and the settings it writes at the end of a run.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <list>
#include <string>
#include <vector>

#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "catalogues/GreekLetter.h"
#include "shell/FrameTestSupport.h"
#include "shell/HelpViewer.h"
#include "sky/SkyWindowTestSupport.h"
#include "support/InternalErrorRecorder.h"
#include "support/ModalDialogs.h"
#include "ui/DialogControls.h"
#include "ui/SymbolFont.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace {

using testing::MessageRecorder;
using testing::PlacedBody;
using testing::ReceivedMessage;

namespace id = sky_control;

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

TEST_F(SkyWindowTest, StoredTextsReadAsTheirValuesAndAnythingElseAsAFallback) {
  const auto readWith = [this](std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, text] : values) store(name, text);
    return readSkySettings();
  };
  EXPECT_EQ(readSkySettings(), SkySettings{});
  SkySettings expected;
  expected.mapType = MapType::Equatorial;
  expected.gridType = GridType::Off;
  expected.planetDisplayMode = PlanetDisplayMode::All;
  expected.stepValue = 1000;
  expected.stepType = 4;
  expected.viewPhi = 45.0;  // the default 30 is no step of the equatorial map
  EXPECT_EQ(readWith({{"Map type", "Equ"},
                      {"Grid type", "None"},
                      {"Planet display mode", "All"},
                      {"Step value", "1000"},
                      {"Step type", "4"}}),
            expected);
  // A direction off the arrows' steps is brought onto them.
  expected.mapType = MapType::Horizontal;
  expected.gridType = GridType::Equatorial;
  expected.planetDisplayMode = PlanetDisplayMode::None;
  expected.viewLambda = expected.viewPhi = 90.0;
  EXPECT_EQ(readWith({{"Map type", "Hor"},
                      {"Grid type", "Equ"},
                      {"Planet display mode", "None"},
                      {"Direction of view (lambda)", "100"},
                      {"Direction of view (phi)", "120"}}),
            expected);
  // Texts no value has, and a step the time bar cannot take.
  const SkySettings fallback = readWith({{"Map type", "Sideways"},
                                         {"Grid type", "Polar"},
                                         {"Planet display mode", "Some"},
                                         {"Step value", "0"},
                                         {"Step type", "7"}});
  EXPECT_EQ(fallback.mapType, MapType::Realistic);
  EXPECT_EQ(fallback.gridType, GridType::Off);
  EXPECT_EQ(fallback.planetDisplayMode, PlanetDisplayMode::Realistic);
  EXPECT_EQ(fallback.stepValue, 10);
  EXPECT_EQ(fallback.stepType, 0);
  EXPECT_EQ(readWith({{"Step value", "1001"}}).stepValue, 10);
}

TEST_F(SkyWindowTest, StartShowsTheRealisticMapWithItsCheckMarks) {
  startSky();
  EXPECT_EQ(sky->objectName(), QStringLiteral("MdiChildSky"));
  EXPECT_EQ(sky->windowTitle(), QStringLiteral("Sky"));
  EXPECT_EQ(panel().objectName(), QStringLiteral("Dlg_SkyCtrl"));
  EXPECT_EQ(display().objectName(), QStringLiteral("SkyDisp"));
  EXPECT_TRUE(sky->isMaximized());
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), sky);
  EXPECT_EQ(view(), (SkyView{0.0, 30.0}));
  EXPECT_EQ(checkedCommands(), (std::vector<int>{112, 114, 116}));
  EXPECT_EQ(sky->state().selected, nullptr);
  EXPECT_FALSE(enabled(id::highlight));
  EXPECT_EQ(shown(id::date), QStringLiteral("15.10.2024"));
  EXPECT_EQ(shown(id::time), QStringLiteral("21:00:00"));
  EXPECT_EQ(stepCount().text(), QStringLiteral("10"));
  EXPECT_EQ(stepUnit().currentText(), QStringLiteral("Minutes"));
}

TEST_F(SkyWindowTest, StoredWindowStateMinimisesAndLeavesTheActiveChildAlone) {
  store("Minimized", "1", "Sky\\Window");
  store("Active", "0", "Sky\\Window");
  startSky();
  EXPECT_TRUE(sky->isMinimized());
  QMdiSubWindow* active = nullptr;
  bool maximize = false;
  sky->initialise(active, maximize);
  EXPECT_EQ(active, nullptr);
  EXPECT_FALSE(maximize);
}

// ------------------------------------------------------------- the Sky menu

TEST_F(SkyWindowTest, MapTypeItemsCheckThemselvesAndTurnTheViewToTheirStart) {
  startSky();
  panel().turnRight();
  panel().lookUp();
  const SkyView turned = view();
  // The item already checked changes nothing, not even the view, and a
  // second click leaves it checked.
  frame->commandAction(112)->trigger();
  EXPECT_EQ(view(), turned);
  EXPECT_EQ(checkedCommands(), (std::vector<int>{112, 114, 116}));

  frame->commandAction(110)->trigger();
  EXPECT_EQ(skySettings().mapType, MapType::Horizontal);
  EXPECT_EQ(view(), (SkyView{0.0, 0.0}));
  EXPECT_EQ(checkedCommands(), (std::vector<int>{110, 114, 116}));
  frame->executeCommand(111);
  EXPECT_EQ(skySettings().mapType, MapType::Equatorial);
  EXPECT_EQ(checkedCommands(), (std::vector<int>{111, 114, 116}));
  panel().lookUp();
  frame->executeCommand(112);
  EXPECT_EQ(skySettings().mapType, MapType::Realistic);
  EXPECT_EQ(view(), (SkyView{0.0, 30.0}));
  EXPECT_TRUE(enabled(id::arrowUp));
}

TEST_F(SkyWindowTest, GridItemsCheckOneOfThreeAndTheEclipticToggles) {
  startSky();
  frame->commandAction(115)->trigger();
  EXPECT_EQ(skySettings().gridType, GridType::Equatorial);
  frame->commandAction(115)->trigger();
  EXPECT_EQ(skySettings().gridType, GridType::Equatorial);
  EXPECT_EQ(checkedCommands(), (std::vector<int>{112, 115, 116}));
  frame->executeCommand(113);
  EXPECT_EQ(skySettings().gridType, GridType::Off);
  frame->commandAction(116)->trigger();
  EXPECT_EQ(skySettings().eclipticOn, 0);
  EXPECT_EQ(checkedCommands(), (std::vector<int>{112, 113}));
  frame->executeCommand(116);
  EXPECT_EQ(skySettings().eclipticOn, 1);
  EXPECT_EQ(checkedCommands(), (std::vector<int>{112, 113, 116}));
  EXPECT_EQ(view(), (SkyView{0.0, 30.0}));  // left alone
}

// ------------------------------------------------------------- the arrows

TEST_F(SkyWindowTest, LeftAndRightTurnByAnEighthAndWrapAround) {
  startSky();
  click(id::arrowLeft);
  EXPECT_EQ(view().lambda, 315.0);
  for (int i = 0; i < 8; ++i) click(id::arrowRight);
  EXPECT_EQ(view().lambda, 315.0);
  click(id::arrowRight);
  EXPECT_EQ(view().lambda, 0.0);
}

TEST_F(SkyWindowTest, TheHorizontalMapLooksUpToTheZenithAndDownToTheNadirInSteps) {
  startSky();
  frame->executeCommand(110);
  click(id::arrowUp);
  EXPECT_EQ(view().phi, 45.0);
  EXPECT_TRUE(enabled(id::arrowUp));
  click(id::arrowUp);
  EXPECT_EQ(view().phi, 90.0);
  EXPECT_FALSE(enabled(id::arrowUp));
  EXPECT_TRUE(panel().control(id::arrowDown)->hasFocus());
  click(id::arrowUp);  // disabled: nothing happens
  EXPECT_EQ(view().phi, 90.0);
  for (int i = 0; i < 4; ++i) click(id::arrowDown);
  EXPECT_EQ(view().phi, -90.0);
  EXPECT_FALSE(enabled(id::arrowDown));
  EXPECT_TRUE(enabled(id::arrowUp));
  EXPECT_TRUE(panel().control(id::arrowUp)->hasFocus());
}

TEST_F(SkyWindowTest, TheRealisticMapLooksFrom30DownTo30BelowAndUpTo75) {
  startSky();
  click(id::arrowDown);
  EXPECT_EQ(view().phi, -30.0);
  click(id::arrowUp);
  click(id::arrowUp);
  EXPECT_EQ(view().phi, 75.0);
  EXPECT_FALSE(enabled(id::arrowUp));
  for (int i = 0; i < 3; ++i) click(id::arrowDown);
  EXPECT_EQ(view().phi, -75.0);
  EXPECT_FALSE(enabled(id::arrowDown));
}

// ------------------------------------------------------- showing an object

TEST_F(SkyWindowTest, ViewTowardsAPositionTakesTheNearestEighthAndTheAltitudeStep) {
  EXPECT_EQ(viewTowards(MapType::Horizontal, AstCoord(200.0, 10.0, CoordSystem::Horizontal)), (SkyView{180.0, 0.0}));
  EXPECT_EQ(viewTowards(MapType::Horizontal, AstCoord(337.5, 30.0, CoordSystem::Horizontal)), (SkyView{0.0, 45.0}));
  EXPECT_EQ(viewTowards(MapType::Realistic, AstCoord(22.4, 29.9, CoordSystem::Horizontal)), (SkyView{0.0, 30.0}));
  EXPECT_EQ(viewTowards(MapType::Realistic, AstCoord(22.5, -5.0, CoordSystem::Horizontal)), (SkyView{45.0, -30.0}));
}

TEST_F(SkyWindowTest, ShowingAnObjectTurnsTheViewToItSelectsAndCirclesIt) {
  struct Case {
    int mapCommand;
    double a, b;
    SkyView expected;
  };
  const Case cases[] = {
      {112, 200.0, 20.0, {180.0, 30.0}},
      {112, 337.5, 80.0, {0.0, 75.0}},
      // The equatorial map turns towards the mirrored right ascension:
      // 160 stands at 200 on the map, 22.5 at 337.5.
      {111, 160.0, -50.0, {180.0, -45.0}},
      {111, 22.5, 0.0, {0.0, 0.0}},
  };
  startSky();
  std::list<PlacedBody> objects;  // the window keeps the last one selected
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a);
    frame->executeCommand(c.mapCommand);
    panel().turnRight();
    const PlacedBody& object = objects.emplace_back(c.a, c.b);
    showObject(object);
    EXPECT_EQ(view(), c.expected);
    EXPECT_EQ(sky->state().selected, &object);
    EXPECT_TRUE(display().highlightOn());
    EXPECT_FALSE(enabled(id::highlight));
    EXPECT_EQ(enabled(id::arrowUp), c.expected.phi < 75.0);
  }
}

TEST_F(SkyWindowTest, ShowingWithActivationBringsTheMinimisedWindowBack) {
  startSky();
  sky->close();
  ASSERT_TRUE(sky->isMinimized());
  showObject(theMoon(), 1);
  EXPECT_FALSE(sky->isMinimized());
  EXPECT_EQ(sky->state().selected, &theMoon());
  EXPECT_EQ(shown(id::name), QStringLiteral("Moon"));
}

TEST_F(SkyWindowTest, TheEarthIsNotInTheSkyAndChangesNothing) {
  startSky();
  int cursor = 0;
  const AstBody* earth = nextBody(ObjectType::Earth, cursor);
  ASSERT_NE(earth, nullptr);
  showObject(*earth);
  EXPECT_EQ(sky->state().selected, nullptr);
  EXPECT_EQ(view(), (SkyView{0.0, 30.0}));
}

// ------------------------------------------------------- the object's data

TEST_F(SkyWindowTest, APlanetShowsPositionMagnitudePhaseAndItsZodiacalConstellation) {
  startSky();
  showObject(*planetByName("Saturn"));
  EXPECT_EQ(shown(id::name), QStringLiteral("Saturn"));
  const AstCoord horizontal = sky->state().tables.planetHorizontal[4];
  EXPECT_EQ(shown(id::azimuth), symbolText(formatAngle(horizontal.a(), false)));
  EXPECT_EQ(shown(id::altitude), symbolText(formatAngle(horizontal.b(), false)));
  EXPECT_EQ(shown(id::rightAscension), symbolText(formatAngle(sky->state().tables.planetEquatorial[4].a(), true)));
  EXPECT_TRUE(shown(id::magnitude).startsWith(QLatin1Char('+')) || shown(id::magnitude).startsWith(QLatin1Char('-')));
  EXPECT_TRUE(enabled(id::magnitudeLabel));
  EXPECT_TRUE(enabled(id::phaseLabel));
  EXPECT_TRUE(shown(id::phase).endsWith(QLatin1Char('%')));
  EXPECT_EQ(shown(id::constellation), QStringLiteral("Aquarius"));  // in the autumn of 2024
  EXPECT_EQ(shown(id::rise).size(), 8);
  // A change of the angle formats shows in the panel at once.
  setAngleDisplayModes({RightAscensionDisplay::Decimal, AngleDisplay::Decimal});
  sendMessage(frame.get(), UM_OPTIONS_CHANGED);
  EXPECT_EQ(shown(id::azimuth), symbolText(formatAngle(horizontal.a(), false)));
  EXPECT_TRUE(shown(id::azimuth).contains(QLatin1Char('.')));
}

TEST_F(SkyWindowTest, TheSunHasNoMagnitudeOrPhaseInThePanel) {
  startSky();
  showObject(theSun());
  EXPECT_EQ(shown(id::name), QStringLiteral("Sun"));
  EXPECT_FALSE(enabled(id::magnitudeLabel));
  EXPECT_EQ(shown(id::magnitude), QString());
  EXPECT_FALSE(enabled(id::phaseLabel));
  EXPECT_EQ(shown(id::phase), QString());
  EXPECT_EQ(shown(id::constellation), QStringLiteral("Virgo"));  // mid-October
}

TEST_F(SkyWindowTest, AStarShowsItsLetterNameMagnitudeAndConstellation) {
  startSky();
  const Star* vega = findStarByName("Vega");
  ASSERT_NE(vega, nullptr);
  showObject(*vega);
  EXPECT_EQ(shown(id::name), symbolText(std::string(1, static_cast<char>(GreekLetter(0).symbol())) + " (Vega)"));
  EXPECT_EQ(shown(id::magnitude), symbolText(MagnitudeQuantity("", 0, 0, 0, 0, 0).format(vega->magnitude())));
  EXPECT_EQ(shown(id::constellation), QStringLiteral("Lyra"));
  EXPECT_FALSE(enabled(id::phaseLabel));
  // A constellation is shown with its alpha star.
  const Constellation* orion = findConstellationByAbbreviation("Ori");
  showObject(*orion);
  EXPECT_EQ(sky->state().selected, orion);
  EXPECT_EQ(shown(id::name), skyStarNameText(*orion->referenceStar()));
  EXPECT_EQ(shown(id::constellation), symbolText(orion->getName()));
}

TEST_F(SkyWindowTest, AStarWithoutANameShowsItsLetterOrNone) {
  // Star numbers beyond the catalogue have no entry in the name table.
  constexpr int unnamedIndex = 1'000'000;
  EXPECT_EQ(skyStarNameText(Star(unnamedIndex, 10.0, 10.0, 5.0f, GreekLetter(), '0', 0)), QStringLiteral("(none)"));
  EXPECT_EQ(skyStarNameText(Star(unnamedIndex, 10.0, 10.0, 5.0f, GreekLetter(1), '0', 0)),
            symbolText(std::string(1, static_cast<char>(GreekLetter(1).symbol()))));
}

// ------------------------------------------------------- clicks on the map

TEST_F(SkyWindowTest, ALeftClickSelectsTheNearestObjectAndTheHighlightCirclesItForHalfASecond) {
  startSky();
  clickTheMap();
  const DisplayGeometry& geometry = sky->state().geometry;
  const AstBody* selected = sky->state().selected;
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected, findNearestObject(sky->state().tables, skySettings(), geometry, view(), geometry.centreX,
                                        geometry.centreY));
  EXPECT_FALSE(shown(id::name).isEmpty());
  EXPECT_FALSE(shown(id::azimuth).isEmpty());
  ASSERT_TRUE(enabled(id::highlight));

  QPoint centre;
  ASSERT_TRUE(display().projectedPoint(*selected, centre));
  const QImage plain = display().grab().toImage();
  click(id::highlight);
  EXPECT_TRUE(display().highlightOn());
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
  EXPECT_EQ(display().highlightTimerId(), 0);
}

TEST_F(SkyWindowTest, ATimerOtherThanTheHighlightsIsAnInternalError) {
  startSky();
  testing::InternalErrorRecorder errors;
  QTimerEvent stray(12345);
  QCoreApplication::sendEvent(&display(), &stray);
  EXPECT_EQ(errors.modules(), (std::vector<std::string>{"AST_SKY"}));
}

// ------------------------------------------------------- the popup menu

TEST_F(SkyWindowTest, ThePopupOffersTheTargetsThatHaveSomethingToShow) {
  startSky();
  const Star* unnamed = nullptr;
  for (int index = 0; index < starCount() && !unnamed; ++index) {
    if (*starAt(index)->getName() == '\0') unnamed = starAt(index);
  }
  ASSERT_NE(unnamed, nullptr);
  struct Case {
    const AstBody* object;
    bool solarSystem, objectInfo, picture;
    const char* title;
  };
  const Case cases[] = {{unnamed, false, false, false, "Display \u03B12 Cen in &window"},  // by letter and constellation
                        {findStarByName("Vega"), false, true, false, "Display Vega in &window"},
                        {ngcAt(0), false, true, true, nullptr},
                        {planetByName("Mars"), true, true, true, "Display Mars in &window"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.object->getName());
    display().preparePopup(*c.object);
    EXPECT_EQ(display().popupAction(sky_popup::solarSystem)->isEnabled(), c.solarSystem);
    EXPECT_EQ(display().popupAction(sky_popup::objectInfo)->isEnabled(), c.objectInfo);
    EXPECT_EQ(display().popupAction(sky_popup::picture)->isEnabled(), c.picture);
    EXPECT_TRUE(display().popupAction(sky_popup::findObject)->isEnabled());
    if (c.title) EXPECT_EQ(display().displayInWindowMenu()->title(), QString::fromUtf8(c.title));
  }
  EXPECT_EQ(display().popupMenu()->objectName(), QStringLiteral("Menu_Sky"));
}

TEST_F(SkyWindowTest, ARightClickOpensThePopupForTheNearestObjectAndKeepsTheSelection) {
  startSky();
  bool opened = false;
  QTimer::singleShot(50, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      opened = menu->objectName() == QStringLiteral("Menu_Sky");
      menu->close();
    }
  });
  clickTheMap(Qt::RightButton);
  EXPECT_TRUE(opened);
  EXPECT_NE(sky->state().popupObject, nullptr);
  EXPECT_EQ(sky->state().selected, nullptr);
}

TEST_F(SkyWindowTest, PopupTargetsGetTheObjectWithActivationWhenTheirWindowIsThere) {
  startSky();
  const AstPlanet* mars = planetByName("Mars");
  sky->state().popupObject = mars;
  display().popupCommand(sky_popup::solarSystem);  // no Solar system window yet: nothing happens
  MessageRecorder solar, info, picture;
  const std::pair<FrameWindow, MessageRecorder*> targets[] = {{FrameWindow::SolarSystem, &solar},
                                                               {FrameWindow::ObjectInformation, &info},
                                                               {FrameWindow::Picture, &picture}};
  for (const auto& [which, recorder] : targets) frame->registerWindow(which, recorder);
  for (int command : {sky_popup::solarSystem, sky_popup::objectInfo, sky_popup::picture}) {
    display().popupAction(command)->trigger();
  }
  const std::vector<ReceivedMessage> expected{{UM_DISPLAY_OBJECT, 1, pointerParam(static_cast<const AstBody*>(mars))}};
  for (const auto& [which, recorder] : targets) {
    EXPECT_EQ(recorder->messages, expected);
    frame->registerWindow(which, nullptr);
  }
  // Find Object opens its dialog.
  QString opened;
  testing::whenModalAppears([&opened](QWidget* dialog) {
    opened = dialog->objectName();
    qobject_cast<QDialog*>(dialog)->reject();
  });
  display().popupAction(sky_popup::findObject)->trigger();
  EXPECT_EQ(opened, QStringLiteral("Dlg_SkyFindObject"));
}

// ------------------------------------------------------------- browsing

TEST_F(SkyWindowTest, TheTimeBarStepsTheWindowsMomentAndNotTheObserversUntilReset) {
  startSky();
  showObject(theMoon());
  const QString moonBefore = shown(id::azimuth);
  const AstCoord starBefore = sky->state().tables.starHorizontal[0];
  stepOn();
  EXPECT_EQ(shown(id::time), QStringLiteral("21:10:00"));
  EXPECT_EQ(sky->state().observer.dateTime, AstDateTime(15, 10, 2024, 21.0 + 10.0 / 60.0, TimeKind::Lct));
  EXPECT_EQ(observer().dateTime, eveningInLondon());
  EXPECT_NE(sky->state().tables.starHorizontal[0], starBefore);
  EXPECT_NE(shown(id::azimuth), moonBefore);  // the selected object's data follow
  spin().leftButton()->click();
  EXPECT_EQ(shown(id::time), QStringLiteral("21:00:00"));
  stepOn();
  stepOn();
  click(id::reset);
  EXPECT_EQ(sky->state().observer.dateTime, eveningInLondon());
  EXPECT_EQ(shown(id::time), QStringLiteral("21:00:00"));
}

TEST_F(SkyWindowTest, ARefusedStepCountSaysWhyAndPutsTheFocusBackOnIt) {
  startSky();
  for (const char* count : {"0", "1001", "abc"}) {
    SCOPED_TRACE(count);
    testing::ModalWatch watch;
    stepCount().setText(QString::fromLatin1(count));
    stepOn();
    ASSERT_EQ(watch.count(), 1);
    EXPECT_EQ(watch.shown[0].text, "You entered an invalid step count: the count is a whole number from 1 to 1000");
    EXPECT_TRUE(stepCount().hasFocus());
    EXPECT_EQ(sky->state().observer.dateTime, eveningInLondon());
  }
}

TEST_F(SkyWindowTest, WithStarsFixedTheStarsStayWhileTheMoonMoves) {
  startSky();
  setStep(3, StepUnit::Hours);
  const SkyPositionTables before = sky->state().tables;
  stepOn();
  EXPECT_NE(sky->state().tables.starHorizontal, before.starHorizontal);
  // Switching the stars fixed brings them back to the observer's moment.
  QTest::mouseClick(panel().control(id::starsFixed), Qt::LeftButton);
  EXPECT_EQ(skySettings().starsFixed, 1);
  EXPECT_EQ(sky->state().tables.starHorizontal, before.starHorizontal);
  stepOn();
  EXPECT_EQ(shown(id::time), QStringLiteral("03:00:00"));
  EXPECT_EQ(shown(id::date), QStringLiteral("16.10.2024"));
  const SkyPositionTables& after = sky->state().tables;
  EXPECT_EQ(after.starHorizontal, before.starHorizontal);
  EXPECT_NE(after.moonEquatorial, before.moonEquatorial);
  EXPECT_NE(after.moonHorizontal, before.moonHorizontal);
}

TEST_F(SkyWindowTest, TheFramesTimeStepObserverAndDaylightSavingReachTheWindowsMoment) {
  startSky();
  sendMessage(frame.get(), UM_TIME_STEP, 1);
  EXPECT_EQ(shown(id::time), QStringLiteral("21:01:00"));
  EXPECT_EQ(sky->state().observer.dateTime.getMinute(), 1);

  stepOn();
  Observer elsewhere = observer();
  elsewhere.dateTime = AstDateTime(1, 1, 2000, 6.5, TimeKind::Lct);
  elsewhere.location.latitude.set(-33.9);
  elsewhere.daylightSaving = true;
  sendMessage(frame.get(), UM_OBSERVER_SET, 0, pointerParam(&elsewhere));
  EXPECT_EQ(sky->state().observer, elsewhere);
  EXPECT_EQ(shown(id::date), QStringLiteral("01.01.2000"));
  EXPECT_EQ(shown(id::time), QStringLiteral("06:30:00"));

  const AstDateTime moment(2, 7, 2010, 23.25, TimeKind::Lct);
  sendMessage(frame.get(), UM_DST_SET, 0, pointerParam(&moment));
  EXPECT_FALSE(sky->state().observer.daylightSaving);
  EXPECT_EQ(sky->state().observer.dateTime, moment);
  EXPECT_EQ(shown(id::time), QStringLiteral("23:15:00"));
}

// ------------------------------------------------------------- the window

TEST_F(SkyWindowTest, LayoutPutsThePanelLeftAndTheDisplayRight) {
  startSky();
  // A landscape area: the display is as high as the area allows.
  frame->resize(1280, 800);
  QApplication::processEvents();
  const QSize client = frame->documentArea()->viewport()->size();
  const int height = client.height() - 10;
  const int width = static_cast<int>(height * PixelAspect());
  EXPECT_EQ(display().geometry(), QRect(client.width() - width - 5, 5, width, height));
  EXPECT_EQ(panel().geometry(), QRect(5, 5, client.width() - width - 15, height));
  EXPECT_EQ(sky->state().geometry, makeDisplayGeometry(height, PixelAspect()));
}

TEST_F(SkyWindowTest, ArrangedOrOnAnyScreenTheWindowShowsItsWholeLayoutAndTheDrawingInProportion) {
  store("Right", "120", "Sky\\Window");  // an older run's sliver
  store("Bottom", "28", "Sky\\Window");
  startSky();
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

TEST_F(SkyWindowTest, F1InTheSkyWindowShowsItsOwnTopic) {
  if (qEnvironmentVariableIsEmpty("NOCTAVO_HELP_DIR")) {
    qputenv("NOCTAVO_HELP_DIR", QByteArray(__FILE__) + "/../../../help");  // run by hand: the source tree's
  }
  startSky();
  QTest::keyClick(panel().control(id::arrowLeft), Qt::Key_F1);
  ASSERT_NE(helpWindow(), nullptr);
  EXPECT_EQ(helpWindow()->currentTopic(), QStringLiteral("sky window.htm"));
  EXPECT_EQ(helpWindow()->currentTitle(), QStringLiteral("Sky window"));
  closeAllHelp();
}

TEST_F(SkyWindowTest, ClosingOnlyMinimisesAndRestoringMaximisesWhenTheOptionsSaySo) {
  startSky();
  EXPECT_FALSE(sky->close());
  EXPECT_TRUE(sky->isMinimized());
  EXPECT_EQ(frame->documentArea()->subWindowList().size(), 1);
  sky->showNormal();
  EXPECT_TRUE(QTest::qWaitFor([this] { return sky->isMaximized(); }, 1000));
  options().alwaysMaximize = false;
  sky->showMinimized();
  sky->showNormal();
  QTest::qWait(50);
  EXPECT_FALSE(sky->isMaximized());
}

// ------------------------------------------------------------- the settings

TEST_F(SkyWindowTest, EverySettingSurvivesARunWhenTheOptionsAreSaved) {
  startSky();
  frame->executeCommand(110);
  frame->executeCommand(115);
  frame->executeCommand(116);
  panel().turnLeft();
  panel().lookDown();
  QTest::mouseClick(panel().control(id::starsFixed), Qt::LeftButton);
  setStep(5, StepUnit::Days);
  SkySettings& s = skySettings();
  s.sunOn = 0;
  s.starNamesOn = 1;
  s.planetDisplayMode = PlanetDisplayMode::All;
  s.ngcObjectsOn = 1;
  s.ngcColourOn = 0;
  s.horizonOn = 0;
  sky->showNormal();
  sky->setGeometry(20, 30, 900, 650);
  SkySettings expected = s;
  expected.maximized = expected.minimized = 0;
  expected.active = 1;
  expected.left = 20;
  expected.top = 30;
  expected.right = 920;
  expected.bottom = 680;
  expected.stepValue = 5;
  expected.stepType = static_cast<int>(StepUnit::Days);
  endRun();
  EXPECT_EQ(stored("Map type"), "Hor");
  EXPECT_EQ(stored("Grid type"), "Equ");
  EXPECT_EQ(stored("Planet display mode"), "All");
  EXPECT_EQ(stored("Direction of view (lambda)"), "315");
  EXPECT_EQ(stored("Direction of view (phi)"), "-45");
  EXPECT_EQ(stored("Right", "Sky\\Window"), "920");
  EXPECT_EQ(readSkySettings(), expected);

  startSky();
  EXPECT_EQ(view(), (SkyView{315.0, -45.0}));
  EXPECT_EQ(checkedCommands(), (std::vector<int>{110, 115}));
  EXPECT_TRUE(NOCTAVO_CONTROL(QCheckBox, &panel(), id::starsFixed, "test")->isChecked());
  EXPECT_EQ(stepCount().text(), QStringLiteral("5"));
  EXPECT_EQ(stepUnit().currentText(), QStringLiteral("Days"));
  EXPECT_FALSE(sky->isMaximized());
  EXPECT_EQ(sky->geometry(), QRect(20, 30, 900, 650));
}

TEST_F(SkyWindowTest, AMaximisedWindowKeepsItsNormalRectangle) {
  startSky();
  sky->showNormal();
  sky->setGeometry(40, 50, 900, 640);
  sky->showMaximized();
  endRun();
  EXPECT_EQ(stored("Maximized", "Sky\\Window"), "1");
  EXPECT_EQ(stored("Left", "Sky\\Window"), "40");
  EXPECT_EQ(stored("Top", "Sky\\Window"), "50");
  EXPECT_EQ(stored("Right", "Sky\\Window"), "940");
  EXPECT_EQ(stored("Bottom", "Sky\\Window"), "690");
}

TEST_F(SkyWindowTest, TheSaveModesDecideWhatIsWritten) {
  // Without "save window state" only the Sky values are written.
  startSky();
  frame->executeCommand(111);
  options().saveWindowState = false;
  endRun();
  EXPECT_EQ(stored("Map type"), "Equ");
  EXPECT_EQ(stored("Maximized", "Sky\\Window"), "(none)");
  // Keeping the start values writes nothing.
  startSky();
  frame->executeCommand(110);
  options().saveWindowState = true;
  options().saveOptions = false;
  endRun();
  EXPECT_EQ(stored("Map type"), "Equ");
  EXPECT_EQ(stored("Active", "Sky\\Window"), "(none)");
  // Factory defaults leave no Sky values behind.
  startSky();
  options().factoryDefaults = true;
  OptionsSave();  // the options save before the Sky window at the end
  endRun();
  EXPECT_EQ(stored("Map type"), "(none)");
  EXPECT_EQ(readSkySettings(), SkySettings{});
}

TEST_F(SkyWindowTest, AfterTheEndOfTheRunTheWindowNoLongerRefersToTheCatalogues) {
  startSky();
  showObject(*findStarByName("Vega"));
  sky->saveAndRelease();
  EXPECT_EQ(sky->state().selected, nullptr);
  EXPECT_FALSE(display().highlightOn());
  EXPECT_TRUE(sky->state().tables.starHorizontal.empty());
  display().grab();  // paints without the tables
  sky = nullptr;
}

}  // namespace
}  // namespace noctavo
