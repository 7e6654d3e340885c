// The Sky window: its start from the settings, the Sky menu's commands and
// check marks, the direction arrows, showing an object, browsing the
// window's own moment, the selection, the popup menu and the highlight,
// and the settings it writes at the end of a run.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <string>
#include <vector>

#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyRegistry.h"
#include "catalogues/GreekLetter.h"
#include "bodies/QuantityBits.h"
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
  void setStep(int count, StepUnit unit) {
    NOCTAVO_CONTROL(QLineEdit, &panel(), id::stepCount, "test")->setText(QString::number(count));
    NOCTAVO_CONTROL(QComboBox, &panel(), id::stepUnit, "test")->setCurrentIndex(static_cast<int>(unit));
  }
  const Star* namedStar() {
    int cursor = 0;
    return firstStar(cursor, true);
  }
  const Star* unnamedStar() {
    for (int index = 0; index < starCount(); ++index) {
      if (*starAt(index)->getName() == '\0') return starAt(index);
    }
    return nullptr;
  }
};

// ------------------------------------------------------------- the start

TEST_F(SkyWindowTest, EmptyStoreGivesTheDefaultsOfAFirstStart) {
  EXPECT_EQ(readSkySettings(), SkySettings{});
}

TEST_F(SkyWindowTest, UnknownTextsReadAsTheirFallbacks) {
  store("Map type", "Sideways");
  store("Grid type", "Polar");
  store("Planet display mode", "Some");
  const SkySettings read = readSkySettings();
  EXPECT_EQ(read.mapType, MapType::Realistic);
  EXPECT_EQ(read.gridType, GridType::Off);
  EXPECT_EQ(read.planetDisplayMode, PlanetDisplayMode::Realistic);
}

TEST_F(SkyWindowTest, StoredTextsNameTheirValues) {
  store("Map type", "Equ");
  store("Grid type", "None");
  store("Planet display mode", "All");
  const SkySettings read = readSkySettings();
  EXPECT_EQ(read.mapType, MapType::Equatorial);
  EXPECT_EQ(read.gridType, GridType::Off);
  EXPECT_EQ(read.planetDisplayMode, PlanetDisplayMode::All);
  store("Map type", "Hor");
  store("Grid type", "Equ");
  store("Planet display mode", "None");
  EXPECT_EQ(readSkySettings().mapType, MapType::Horizontal);
  EXPECT_EQ(readSkySettings().gridType, GridType::Equatorial);
  EXPECT_EQ(readSkySettings().planetDisplayMode, PlanetDisplayMode::None);
}

TEST_F(SkyWindowTest, AStepTheTimeBarCannotTakeReadsAsTheDefault) {
  store("Step value", "0");
  store("Step type", "7");
  EXPECT_EQ(readSkySettings().stepValue, 10);
  EXPECT_EQ(readSkySettings().stepType, 0);
  store("Step value", "1000");
  store("Step type", "4");
  EXPECT_EQ(readSkySettings().stepValue, 1000);
  EXPECT_EQ(readSkySettings().stepType, 4);
}

TEST_F(SkyWindowTest, ADirectionOffTheArrowsStepsIsBroughtOntoThem) {
  store("Map type", "Hor");
  store("Direction of view (lambda)", "100");
  store("Direction of view (phi)", "120");
  const SkySettings read = readSkySettings();
  EXPECT_EQ(read.viewLambda, 90.0);
  EXPECT_EQ(read.viewPhi, 90.0);
}

TEST_F(SkyWindowTest, StartShowsTheRealisticMapWithItsCheckMarks) {
  startSky();
  EXPECT_EQ(sky->objectName(), QStringLiteral("MdiChildSky"));
  EXPECT_EQ(sky->windowTitle(), QStringLiteral("Sky"));
  EXPECT_EQ(panel().objectName(), QStringLiteral("Dlg_SkyCtrl"));
  EXPECT_EQ(display().objectName(), QStringLiteral("SkyDisp"));
  EXPECT_TRUE(sky->isMaximized());
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), sky);
  EXPECT_EQ(skySettings().mapType, MapType::Realistic);
  EXPECT_EQ(view(), (SkyView{0.0, 30.0}));
  EXPECT_FALSE(frame->isCommandChecked(110));
  EXPECT_FALSE(frame->isCommandChecked(111));
  EXPECT_TRUE(frame->isCommandChecked(112));
  EXPECT_FALSE(frame->isCommandChecked(113));
  EXPECT_TRUE(frame->isCommandChecked(114));
  EXPECT_FALSE(frame->isCommandChecked(115));
  EXPECT_TRUE(frame->isCommandChecked(116));
  EXPECT_EQ(sky->state().selected, nullptr);
  EXPECT_FALSE(enabled(id::highlight));
  EXPECT_EQ(shown(id::date), QStringLiteral("15.10.2024"));
  EXPECT_EQ(shown(id::time), QStringLiteral("21:00:00"));
  EXPECT_EQ(NOCTAVO_CONTROL(QLineEdit, &panel(), id::stepCount, "test")->text(), QStringLiteral("10"));
  EXPECT_EQ(NOCTAVO_CONTROL(QComboBox, &panel(), id::stepUnit, "test")->currentText(), QStringLiteral("Minutes"));
}

TEST_F(SkyWindowTest, StoredMapTypeIsCheckedAndTheStoredViewKept) {
  store("Map type", "Hor");
  store("Grid type", "None");
  store("Ecliptic on", "0");
  store("Direction of view (lambda)", "90");
  store("Direction of view (phi)", "45");
  store("Stars fixed", "1");
  startSky();
  EXPECT_EQ(skySettings().mapType, MapType::Horizontal);
  EXPECT_EQ(view(), (SkyView{90.0, 45.0}));
  EXPECT_TRUE(frame->isCommandChecked(110));
  EXPECT_FALSE(frame->isCommandChecked(112));
  EXPECT_TRUE(frame->isCommandChecked(113));
  EXPECT_FALSE(frame->isCommandChecked(114));
  EXPECT_FALSE(frame->isCommandChecked(116));
  EXPECT_TRUE(NOCTAVO_CONTROL(QCheckBox, &panel(), id::starsFixed, "test")->isChecked());
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

TEST_F(SkyWindowTest, MapTypeCommandChecksItselfAndTurnsTheViewToItsStart) {
  startSky();
  panel().turnRight();
  panel().lookUp();
  frame->executeCommand(110);
  EXPECT_TRUE(frame->isCommandChecked(110));
  EXPECT_FALSE(frame->isCommandChecked(111));
  EXPECT_FALSE(frame->isCommandChecked(112));
  EXPECT_EQ(skySettings().mapType, MapType::Horizontal);
  EXPECT_EQ(view(), (SkyView{0.0, 0.0}));

  frame->executeCommand(111);
  EXPECT_EQ(skySettings().mapType, MapType::Equatorial);
  EXPECT_TRUE(frame->isCommandChecked(111));
  EXPECT_FALSE(frame->isCommandChecked(110));

  panel().lookUp();
  frame->executeCommand(112);
  EXPECT_EQ(skySettings().mapType, MapType::Realistic);
  EXPECT_EQ(view(), (SkyView{0.0, 30.0}));
  EXPECT_TRUE(enabled(id::arrowUp));
}

TEST_F(SkyWindowTest, ChoosingTheMapTypeAlreadyCheckedChangesNothingNotEvenTheView) {
  startSky();
  panel().turnRight();
  panel().lookUp();
  const SkyView before = view();
  frame->executeCommand(112);
  EXPECT_EQ(view(), before);
  EXPECT_TRUE(frame->isCommandChecked(112));
  EXPECT_EQ(skySettings().mapType, MapType::Realistic);
}

TEST_F(SkyWindowTest, GridCommandsCheckOneOfThreeAndTheCheckedOneChangesNothing) {
  startSky();
  frame->executeCommand(115);
  EXPECT_EQ(skySettings().gridType, GridType::Equatorial);
  EXPECT_TRUE(frame->isCommandChecked(115));
  EXPECT_FALSE(frame->isCommandChecked(114));
  EXPECT_FALSE(frame->isCommandChecked(113));
  frame->executeCommand(115);
  EXPECT_TRUE(frame->isCommandChecked(115));
  EXPECT_EQ(skySettings().gridType, GridType::Equatorial);
  frame->executeCommand(113);
  EXPECT_EQ(skySettings().gridType, GridType::Off);
  EXPECT_TRUE(frame->isCommandChecked(113));
  EXPECT_FALSE(frame->isCommandChecked(115));
  // A grid leaves the view alone.
  EXPECT_EQ(view(), (SkyView{0.0, 30.0}));
}

TEST_F(SkyWindowTest, EclipticCommandTogglesTheLineAndItsCheckMark) {
  startSky();
  frame->executeCommand(116);
  EXPECT_EQ(skySettings().eclipticOn, 0);
  EXPECT_FALSE(frame->isCommandChecked(116));
  frame->executeCommand(116);
  EXPECT_EQ(skySettings().eclipticOn, 1);
  EXPECT_TRUE(frame->isCommandChecked(116));
}

TEST_F(SkyWindowTest, MenuItemsTriggeredByTheUserDoWhatTheCommandsDo) {
  startSky();
  frame->commandAction(110)->trigger();
  EXPECT_EQ(skySettings().mapType, MapType::Horizontal);
  EXPECT_TRUE(frame->commandAction(110)->isChecked());
  EXPECT_FALSE(frame->commandAction(112)->isChecked());
  // A second click on the checked item leaves it checked.
  frame->commandAction(110)->trigger();
  EXPECT_TRUE(frame->commandAction(110)->isChecked());
}

// ------------------------------------------------------------- the arrows

TEST_F(SkyWindowTest, LeftAndRightTurnByAnEighthAndWrapAround) {
  startSky();
  click(id::arrowLeft);
  EXPECT_EQ(view().lambda, 315.0);
  click(id::arrowRight);
  EXPECT_EQ(view().lambda, 0.0);
  for (int i = 0; i < 7; ++i) click(id::arrowRight);
  EXPECT_EQ(view().lambda, 315.0);
  click(id::arrowRight);
  EXPECT_EQ(view().lambda, 0.0);
}

TEST_F(SkyWindowTest, UpFrom45InTheHorizontalMapReachesTheZenithAndIsThenDisabled) {
  startSky();
  frame->executeCommand(110);
  click(id::arrowUp);
  EXPECT_EQ(view().phi, 45.0);
  EXPECT_TRUE(enabled(id::arrowUp));
  click(id::arrowUp);
  EXPECT_EQ(view().phi, 90.0);
  EXPECT_FALSE(enabled(id::arrowUp));
  EXPECT_TRUE(panel().control(id::arrowDown)->hasFocus());
  // A click on the disabled arrow does nothing.
  click(id::arrowUp);
  EXPECT_EQ(view().phi, 90.0);
}

TEST_F(SkyWindowTest, DownFromMinus45ReachesTheNadirAndIsThenDisabled) {
  startSky();
  frame->executeCommand(110);
  click(id::arrowDown);
  EXPECT_EQ(view().phi, -45.0);
  EXPECT_TRUE(enabled(id::arrowDown));
  click(id::arrowDown);
  EXPECT_EQ(view().phi, -90.0);
  EXPECT_FALSE(enabled(id::arrowDown));
  EXPECT_TRUE(enabled(id::arrowUp));
  EXPECT_TRUE(panel().control(id::arrowUp)->hasFocus());
}

TEST_F(SkyWindowTest, RealisticMapLooksFrom30DownTo30BelowAndUpTo75) {
  startSky();
  click(id::arrowDown);
  EXPECT_EQ(view().phi, -30.0);
  click(id::arrowUp);
  EXPECT_EQ(view().phi, 30.0);
  click(id::arrowUp);
  EXPECT_EQ(view().phi, 75.0);
  EXPECT_FALSE(enabled(id::arrowUp));
  click(id::arrowDown);
  click(id::arrowDown);
  click(id::arrowDown);
  EXPECT_EQ(view().phi, -75.0);
  EXPECT_FALSE(enabled(id::arrowDown));
}

TEST_F(SkyWindowTest, ArrowStepHelpersFollowTheMapsSteps) {
  EXPECT_EQ(turnedLeft(0.0), 315.0);
  EXPECT_EQ(turnedRight(315.0), 0.0);
  EXPECT_EQ(steppedAltitude(MapType::Equatorial, 0.0, 1), 45.0);
  EXPECT_EQ(steppedAltitude(MapType::Realistic, 30.0, -1), -30.0);
  EXPECT_TRUE(upArrowEnabled(45.0));
  EXPECT_FALSE(upArrowEnabled(45.1));
  EXPECT_TRUE(downArrowEnabled(-45.0));
  EXPECT_FALSE(downArrowEnabled(-45.1));
}

// ------------------------------------------------------- showing an object

TEST_F(SkyWindowTest, ViewTowardsAPositionTakesTheNearestEighthAndTheAltitudeStep) {
  EXPECT_EQ(viewTowards(MapType::Horizontal, AstCoord(200.0, 10.0, CoordSystem::Horizontal)),
            (SkyView{180.0, 0.0}));
  EXPECT_EQ(viewTowards(MapType::Horizontal, AstCoord(337.5, 30.0, CoordSystem::Horizontal)),
            (SkyView{0.0, 45.0}));
  EXPECT_EQ(viewTowards(MapType::Realistic, AstCoord(22.4, 29.9, CoordSystem::Horizontal)),
            (SkyView{0.0, 30.0}));
  EXPECT_EQ(viewTowards(MapType::Realistic, AstCoord(22.5, -5.0, CoordSystem::Horizontal)),
            (SkyView{45.0, -30.0}));
}

TEST_F(SkyWindowTest, DisplayingAnObjectAtAzimuth200TurnsTheViewTo180) {
  startSky();
  const PlacedBody object(200.0, 20.0);
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(&object)));
  EXPECT_EQ(view(), (SkyView{180.0, 30.0}));
  EXPECT_EQ(sky->state().selected, &object);
  EXPECT_TRUE(display().highlightOn());
  EXPECT_FALSE(enabled(id::highlight));
}

TEST_F(SkyWindowTest, DisplayingAnObjectAtAzimuth337AndAHalfTurnsTheViewToNorth) {
  startSky();
  panel().turnRight();
  const PlacedBody object(337.5, 80.0);
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(&object)));
  EXPECT_EQ(view(), (SkyView{0.0, 75.0}));
  EXPECT_FALSE(enabled(id::arrowUp));
}

TEST_F(SkyWindowTest, TheEquatorialMapTurnsTowardsTheMirroredRightAscension) {
  startSky();
  frame->executeCommand(111);
  // Right ascension 160 stands at 200 on the mirrored map, 337.5 at 22.5.
  const PlacedBody west(160.0, -50.0);
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(&west)));
  EXPECT_EQ(view(), (SkyView{180.0, -45.0}));
  const PlacedBody east(22.5, 0.0);
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(&east)));
  EXPECT_EQ(view(), (SkyView{0.0, 0.0}));
}

TEST_F(SkyWindowTest, DisplayingWithActivationBringsTheMinimisedWindowBack) {
  startSky();
  sky->close();
  ASSERT_TRUE(sky->isMinimized());
  sendMessage(sky, UM_DISPLAY_OBJECT, 1, pointerParam(static_cast<const AstBody*>(&theMoon())));
  EXPECT_FALSE(sky->isMinimized());
  EXPECT_EQ(sky->state().selected, &theMoon());
  EXPECT_EQ(shown(id::name), QStringLiteral("Moon"));
}

TEST_F(SkyWindowTest, TheEarthIsNotInTheSkyAndChangesNothing) {
  startSky();
  int cursor = 0;
  const AstBody* earth = nextBody(ObjectType::Earth, cursor);
  ASSERT_NE(earth, nullptr);
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(earth));
  EXPECT_EQ(sky->state().selected, nullptr);
  EXPECT_EQ(view(), (SkyView{0.0, 30.0}));
}

TEST_F(SkyWindowTest, AConstellationIsShownWithItsAlphaStar) {
  startSky();
  const Constellation* orion = findConstellationByAbbreviation("Ori");
  ASSERT_NE(orion, nullptr);
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(orion)));
  EXPECT_EQ(sky->state().selected, orion);
  EXPECT_EQ(shown(id::name), skyStarNameText(*orion->referenceStar()));
  EXPECT_EQ(shown(id::constellation), symbolText(orion->getName()));
}

// ------------------------------------------------------- the object's data

TEST_F(SkyWindowTest, APlanetShowsMagnitudePhaseAndItsZodiacalConstellation) {
  startSky();
  const AstPlanet* saturn = planetByName("Saturn");
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(saturn)));
  EXPECT_EQ(shown(id::name), QStringLiteral("Saturn"));
  const AstCoord horizontal = sky->state().tables.planetHorizontal[4];
  EXPECT_EQ(shown(id::azimuth), symbolText(formatAngle(horizontal.a(), false)));
  EXPECT_EQ(shown(id::altitude), symbolText(formatAngle(horizontal.b(), false)));
  const AstCoord equatorial = sky->state().tables.planetEquatorial[4];
  EXPECT_EQ(shown(id::rightAscension), symbolText(formatAngle(equatorial.a(), true)));
  EXPECT_TRUE(shown(id::magnitude).startsWith(QLatin1Char('+')) || shown(id::magnitude).startsWith(QLatin1Char('-')));
  EXPECT_TRUE(enabled(id::magnitudeLabel));
  EXPECT_TRUE(enabled(id::phaseLabel));
  EXPECT_TRUE(shown(id::phase).endsWith(QLatin1Char('%')));
  // Saturn stood in Aquarius in the autumn of 2024.
  EXPECT_EQ(shown(id::constellation), QStringLiteral("Aquarius"));
  EXPECT_EQ(shown(id::rise).size(), 8);
}

TEST_F(SkyWindowTest, TheSunHasNoMagnitudeOrPhaseInThePanel) {
  startSky();
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(&theSun())));
  EXPECT_EQ(shown(id::name), QStringLiteral("Sun"));
  EXPECT_FALSE(enabled(id::magnitudeLabel));
  EXPECT_EQ(shown(id::magnitude), QString());
  EXPECT_FALSE(enabled(id::phaseLabel));
  EXPECT_EQ(shown(id::phase), QString());
  // Mid-October the Sun is in Virgo.
  EXPECT_EQ(shown(id::constellation), QStringLiteral("Virgo"));
}

TEST_F(SkyWindowTest, AStarShowsItsLetterNameMagnitudeAndConstellation) {
  startSky();
  const Star* vega = findStarByName("Vega");
  ASSERT_NE(vega, nullptr);
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(vega)));
  EXPECT_EQ(shown(id::name), symbolText(std::string(1, static_cast<char>(GreekLetter(0).symbol())) + " (Vega)"));
  EXPECT_EQ(shown(id::magnitude), symbolText(MagnitudeQuantity("", 0, 0, 0, 0, 0).format(vega->magnitude())));
  EXPECT_EQ(shown(id::constellation), QStringLiteral("Lyra"));
  EXPECT_FALSE(enabled(id::phaseLabel));
}

TEST_F(SkyWindowTest, StarNamesLineCoversLetterAndNameAlone) {
  // Star numbers beyond the catalogue have no entry in the name table.
  constexpr int unnamedIndex = 1'000'000;
  const Star plain(unnamedIndex, 10.0, 10.0, 5.0f, GreekLetter(), '0', 0);
  EXPECT_EQ(skyStarNameText(plain), QStringLiteral("(none)"));
  const Star lettered(unnamedIndex, 10.0, 10.0, 5.0f, GreekLetter(1), '0', 0);
  EXPECT_EQ(skyStarNameText(lettered), symbolText(std::string(1, static_cast<char>(GreekLetter(1).symbol()))));
}

TEST_F(SkyWindowTest, OptionsChangedShowsTheAnglesInTheNewFormat) {
  startSky();
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(planetByName("Saturn"))));
  const QString before = shown(id::azimuth);
  setAngleDisplayModes({RightAscensionDisplay::Decimal, AngleDisplay::Decimal});
  sendMessage(frame.get(), UM_OPTIONS_CHANGED);
  EXPECT_NE(shown(id::azimuth), before);
  EXPECT_TRUE(shown(id::azimuth).contains(QLatin1Char('.')));
}

// ------------------------------------------------------- clicks on the map

TEST_F(SkyWindowTest, ALeftClickSelectsTheNearestObjectAndShowsIt) {
  startSky();
  const DisplayGeometry& geometry = sky->state().geometry;
  ASSERT_GT(geometry.height, 100);
  QTest::mouseClick(&display(), Qt::LeftButton, {}, QPoint(geometry.centreX, geometry.centreY));
  const AstBody* selected = sky->state().selected;
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected, findNearestObject(sky->state().tables, skySettings(), geometry, view(), geometry.centreX,
                                        geometry.centreY));
  EXPECT_TRUE(enabled(id::highlight));
  EXPECT_FALSE(shown(id::name).isEmpty());
  EXPECT_FALSE(shown(id::azimuth).isEmpty());
}

TEST_F(SkyWindowTest, TheHighlightButtonCirclesTheObjectForHalfASecond) {
  startSky();
  const DisplayGeometry& geometry = sky->state().geometry;
  QTest::mouseClick(&display(), Qt::LeftButton, {}, QPoint(geometry.centreX, geometry.centreY));
  click(id::highlight);
  EXPECT_TRUE(display().highlightOn());
  EXPECT_FALSE(enabled(id::highlight));
  QTest::qWait(200);
  EXPECT_TRUE(display().highlightOn());
  EXPECT_TRUE(QTest::qWaitFor([this] { return !display().highlightOn(); }, 2000));
  EXPECT_TRUE(enabled(id::highlight));
  EXPECT_EQ(display().highlightTimerId(), 0);
}

TEST_F(SkyWindowTest, TheHighlightIsDrawnAroundTheSelectedObject) {
  startSky();
  const DisplayGeometry& geometry = sky->state().geometry;
  QTest::mouseClick(&display(), Qt::LeftButton, {}, QPoint(geometry.centreX, geometry.centreY));
  QPoint centre;
  ASSERT_TRUE(display().projectedPoint(*sky->state().selected, centre));
  const QImage plain = display().grab().toImage();
  sendMessage(&display(), UM_SHOW);
  const QImage circled = display().grab().toImage();
  int changed = 0;
  for (int dy = -12; dy <= 12; ++dy) {
    for (int dx = -12; dx <= 12; ++dx) {
      if (plain.pixel(centre + QPoint(dx, dy)) != circled.pixel(centre + QPoint(dx, dy))) ++changed;
    }
  }
  EXPECT_GT(changed, 20);
}

TEST_F(SkyWindowTest, ATimerOtherThanTheHighlightsIsAnInternalError) {
  startSky();
  testing::InternalErrorRecorder errors;
  QTimerEvent stray(12345);
  QCoreApplication::sendEvent(&display(), &stray);
  EXPECT_EQ(errors.modules(), (std::vector<std::string>{"AST_SKY"}));
}

// ------------------------------------------------------- the popup menu

TEST_F(SkyWindowTest, APopupForAStarWithoutANameGreysAllThreeTargets) {
  startSky();
  const Star* star = unnamedStar();
  ASSERT_NE(star, nullptr);
  display().preparePopup(*star);
  EXPECT_FALSE(display().popupAction(sky_popup::solarSystem)->isEnabled());
  EXPECT_FALSE(display().popupAction(sky_popup::objectInfo)->isEnabled());
  EXPECT_FALSE(display().popupAction(sky_popup::picture)->isEnabled());
  EXPECT_TRUE(display().popupAction(sky_popup::findObject)->isEnabled());
}

TEST_F(SkyWindowTest, APopupForANamedStarOffersOnlyObjectInfo) {
  startSky();
  display().preparePopup(*findStarByName("Vega"));
  EXPECT_FALSE(display().popupAction(sky_popup::solarSystem)->isEnabled());
  EXPECT_TRUE(display().popupAction(sky_popup::objectInfo)->isEnabled());
  EXPECT_FALSE(display().popupAction(sky_popup::picture)->isEnabled());
  EXPECT_EQ(display().displayInWindowMenu()->title(), QStringLiteral("Display Vega in &window"));
}

TEST_F(SkyWindowTest, APopupForAnNgcObjectGreysTheSolarSystemAndForAPlanetNothing) {
  startSky();
  display().preparePopup(*ngcAt(0));
  EXPECT_FALSE(display().popupAction(sky_popup::solarSystem)->isEnabled());
  EXPECT_TRUE(display().popupAction(sky_popup::objectInfo)->isEnabled());
  EXPECT_TRUE(display().popupAction(sky_popup::picture)->isEnabled());
  display().preparePopup(*planetByName("Mars"));
  EXPECT_TRUE(display().popupAction(sky_popup::solarSystem)->isEnabled());
  EXPECT_TRUE(display().popupAction(sky_popup::objectInfo)->isEnabled());
  EXPECT_TRUE(display().popupAction(sky_popup::picture)->isEnabled());
  EXPECT_EQ(display().displayInWindowMenu()->title(), QStringLiteral("Display Mars in &window"));
  EXPECT_EQ(display().popupMenu()->objectName(), QStringLiteral("Menu_Sky"));
}

TEST_F(SkyWindowTest, ARightClickOpensThePopupForTheNearestObjectAndKeepsTheSelection) {
  startSky();
  const DisplayGeometry& geometry = sky->state().geometry;
  bool opened = false;
  QTimer::singleShot(50, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      opened = menu->objectName() == QStringLiteral("Menu_Sky");
      menu->close();
    }
  });
  QTest::mouseClick(&display(), Qt::RightButton, {}, QPoint(geometry.centreX, geometry.centreY));
  EXPECT_TRUE(opened);
  EXPECT_NE(sky->state().popupObject, nullptr);
  EXPECT_EQ(sky->state().selected, nullptr);
}

TEST_F(SkyWindowTest, PopupTargetsGetTheObjectWithActivationWhenTheirWindowIsThere) {
  startSky();
  const AstPlanet* mars = planetByName("Mars");
  sky->state().popupObject = mars;
  // No Solar system window yet: nothing happens, nothing fails.
  display().popupCommand(sky_popup::solarSystem);
  MessageRecorder solar;
  MessageRecorder info;
  MessageRecorder picture;
  frame->registerWindow(FrameWindow::SolarSystem, &solar);
  frame->registerWindow(FrameWindow::ObjectInformation, &info);
  frame->registerWindow(FrameWindow::Picture, &picture);
  display().popupAction(sky_popup::solarSystem)->trigger();
  display().popupAction(sky_popup::objectInfo)->trigger();
  display().popupAction(sky_popup::picture)->trigger();
  const ReceivedMessage expected{UM_DISPLAY_OBJECT, 1, pointerParam(static_cast<const AstBody*>(mars))};
  EXPECT_EQ(solar.messages, std::vector<ReceivedMessage>{expected});
  EXPECT_EQ(info.messages, std::vector<ReceivedMessage>{expected});
  EXPECT_EQ(picture.messages, std::vector<ReceivedMessage>{expected});
  frame->registerWindow(FrameWindow::SolarSystem, nullptr);
  frame->registerWindow(FrameWindow::ObjectInformation, nullptr);
  frame->registerWindow(FrameWindow::Picture, nullptr);
}

TEST_F(SkyWindowTest, FindObjectOfThePopupOpensTheDialog) {
  startSky();
  QString opened;
  testing::whenModalAppears([&opened](QWidget* dialog) {
    opened = dialog->objectName();
    qobject_cast<QDialog*>(dialog)->reject();
  });
  display().popupAction(sky_popup::findObject)->trigger();
  EXPECT_EQ(opened, QStringLiteral("Dlg_SkyFindObject"));
}

// ------------------------------------------------------------- browsing

TEST_F(SkyWindowTest, TheTimeBarStepsTheWindowsMomentAndNotTheObservers) {
  startSky();
  const AstCoord starBefore = sky->state().tables.starHorizontal[0];
  spin().rightButton()->click();
  EXPECT_EQ(shown(id::time), QStringLiteral("21:10:00"));
  EXPECT_EQ(sky->state().observer.dateTime, AstDateTime(15, 10, 2024, 21.0 + 10.0 / 60.0, TimeKind::Lct));
  EXPECT_EQ(observer().dateTime, eveningInLondon());
  EXPECT_NE(sky->state().tables.starHorizontal[0], starBefore);
  spin().leftButton()->click();
  EXPECT_EQ(shown(id::time), QStringLiteral("21:00:00"));
}

TEST_F(SkyWindowTest, WithStarsFixedTheStarsStayWhileTheMoonMoves) {
  startSky();
  QTest::mouseClick(panel().control(id::starsFixed), Qt::LeftButton);
  EXPECT_EQ(skySettings().starsFixed, 1);
  const SkyPositionTables before = sky->state().tables;
  setStep(3, StepUnit::Hours);
  spin().rightButton()->click();
  EXPECT_EQ(shown(id::time), QStringLiteral("00:00:00"));
  EXPECT_EQ(shown(id::date), QStringLiteral("16.10.2024"));
  const SkyPositionTables& after = sky->state().tables;
  EXPECT_EQ(after.starHorizontal, before.starHorizontal);
  EXPECT_NE(after.moonEquatorial, before.moonEquatorial);
  EXPECT_NE(after.moonHorizontal, before.moonHorizontal);
}

TEST_F(SkyWindowTest, WithoutStarsFixedTheStarsTurnWithTheBrowsedMoment) {
  startSky();
  setStep(3, StepUnit::Hours);
  const SkyPositionTables before = sky->state().tables;
  spin().rightButton()->click();
  EXPECT_NE(sky->state().tables.starHorizontal, before.starHorizontal);
  // Switching the stars fixed brings them back to the observer's moment.
  QTest::mouseClick(panel().control(id::starsFixed), Qt::LeftButton);
  EXPECT_EQ(sky->state().tables.starHorizontal, before.starHorizontal);
}

TEST_F(SkyWindowTest, ResetReturnsToTheObserversMoment) {
  startSky();
  spin().rightButton()->click();
  spin().rightButton()->click();
  click(id::reset);
  EXPECT_EQ(sky->state().observer.dateTime, eveningInLondon());
  EXPECT_EQ(shown(id::time), QStringLiteral("21:00:00"));
}

TEST_F(SkyWindowTest, TheFramesTimeStepMovesTheWindowsMomentOn) {
  startSky();
  sendMessage(frame.get(), UM_TIME_STEP, 1);
  EXPECT_EQ(shown(id::time), QStringLiteral("21:01:00"));
  EXPECT_EQ(sky->state().observer.dateTime.getMinute(), 1);
}

TEST_F(SkyWindowTest, ANewObserverReplacesTheWindowsMomentAndPlace) {
  startSky();
  spin().rightButton()->click();
  Observer elsewhere = observer();
  elsewhere.dateTime = AstDateTime(1, 1, 2000, 6.5, TimeKind::Lct);
  elsewhere.location.latitude.set(-33.9);
  elsewhere.daylightSaving = true;
  sendMessage(frame.get(), UM_OBSERVER_SET, 0, pointerParam(&elsewhere));
  EXPECT_EQ(sky->state().observer, elsewhere);
  EXPECT_EQ(shown(id::date), QStringLiteral("01.01.2000"));
  EXPECT_EQ(shown(id::time), QStringLiteral("06:30:00"));
}

TEST_F(SkyWindowTest, ADaylightSavingChangeSetsFlagAndMoment) {
  startSky();
  const AstDateTime moment(2, 7, 2010, 23.25, TimeKind::Lct);
  sendMessage(frame.get(), UM_DST_SET, 1, pointerParam(&moment));
  EXPECT_TRUE(sky->state().observer.daylightSaving);
  EXPECT_EQ(sky->state().observer.dateTime, moment);
  EXPECT_EQ(shown(id::time), QStringLiteral("23:15:00"));
}

TEST_F(SkyWindowTest, ABrowsedMomentRefreshesTheSelectedObjectsData) {
  startSky();
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(&theMoon())));
  const QString before = shown(id::azimuth);
  setStep(1, StepUnit::Hours);
  spin().rightButton()->click();
  EXPECT_NE(shown(id::azimuth), before);
}

// ------------------------------------------------------------- the window

TEST_F(SkyWindowTest, LayoutPutsThePanelLeftAndTheDisplayRight) {
  startSky();
  const QSize client = frame->documentArea()->viewport()->size();
  const int height = client.height() - 10;
  const int width = static_cast<int>(height * PixelAspect());
  EXPECT_EQ(display().geometry(), QRect(client.width() - width - 5, 5, width, height));
  EXPECT_EQ(panel().geometry(), QRect(5, 5, client.width() - width - 15, height));
  EXPECT_EQ(sky->state().geometry, makeDisplayGeometry(height, PixelAspect()));
}

TEST_F(SkyWindowTest, F1InTheSkyWindowShowsItsOwnTopic) {
  if (qEnvironmentVariableIsEmpty("NOCTAVO_HELP_DIR")) {
    // Run by hand: the topics of the source tree.
    qputenv("NOCTAVO_HELP_DIR", QByteArray(__FILE__) + "/../../../help");
  }
  startSky();
  QTest::keyClick(panel().control(id::arrowLeft), Qt::Key_F1);
  ASSERT_NE(helpWindow(), nullptr);
  EXPECT_EQ(helpWindow()->currentTopic(), QStringLiteral("sky window.htm"));
  EXPECT_EQ(helpWindow()->currentTitle(), QStringLiteral("Sky window"));
  closeAllHelp();
}

TEST_F(SkyWindowTest, ClosingTheWindowOnlyMinimisesIt) {
  startSky();
  EXPECT_FALSE(sky->close());
  EXPECT_TRUE(sky->isMinimized());
  EXPECT_EQ(frame->documentArea()->subWindowList().size(), 1);
}

TEST_F(SkyWindowTest, RestoringFromTheIconMaximisesWhenTheOptionsSaySo) {
  startSky();
  sky->showMinimized();
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
  sky->setGeometry(20, 30, 600, 450);
  const SkySettings expected = [&] {
    SkySettings e = s;
    e.maximized = 0;
    e.minimized = 0;
    e.active = 1;
    e.left = 20;
    e.top = 30;
    e.right = 620;
    e.bottom = 480;
    e.stepValue = 5;
    e.stepType = static_cast<int>(StepUnit::Days);
    return e;
  }();
  endRun();
  EXPECT_EQ(stored("Map type"), "Hor");
  EXPECT_EQ(stored("Grid type"), "Equ");
  EXPECT_EQ(stored("Planet display mode"), "All");
  EXPECT_EQ(stored("Direction of view (lambda)"), "315");
  EXPECT_EQ(stored("Direction of view (phi)"), "-45");
  EXPECT_EQ(stored("Right", "Sky\\Window"), "620");
  EXPECT_EQ(readSkySettings(), expected);

  startSky();
  EXPECT_EQ(skySettings().mapType, MapType::Horizontal);
  EXPECT_EQ(view(), (SkyView{315.0, -45.0}));
  EXPECT_TRUE(frame->isCommandChecked(115));
  EXPECT_FALSE(frame->isCommandChecked(116));
  EXPECT_EQ(NOCTAVO_CONTROL(QLineEdit, &panel(), id::stepCount, "test")->text(), QStringLiteral("5"));
  EXPECT_EQ(NOCTAVO_CONTROL(QComboBox, &panel(), id::stepUnit, "test")->currentText(), QStringLiteral("Days"));
  EXPECT_FALSE(sky->isMaximized());
  EXPECT_EQ(sky->geometry(), QRect(20, 30, 600, 450));
}

TEST_F(SkyWindowTest, AMaximisedWindowKeepsItsNormalRectangle) {
  startSky();
  sky->showNormal();
  sky->setGeometry(40, 50, 500, 400);
  sky->showMaximized();
  endRun();
  EXPECT_EQ(stored("Maximized", "Sky\\Window"), "1");
  EXPECT_EQ(stored("Left", "Sky\\Window"), "40");
  EXPECT_EQ(stored("Top", "Sky\\Window"), "50");
  EXPECT_EQ(stored("Right", "Sky\\Window"), "540");
  EXPECT_EQ(stored("Bottom", "Sky\\Window"), "450");
}

TEST_F(SkyWindowTest, WithoutSaveWindowStateOnlyTheSkyValuesAreWritten) {
  startSky();
  frame->executeCommand(111);
  options().saveWindowState = false;
  endRun();
  EXPECT_EQ(stored("Map type"), "Equ");
  EXPECT_EQ(stored("Maximized", "Sky\\Window"), "(none)");
  EXPECT_EQ(stored("Left", "Sky\\Window"), "(none)");
}

TEST_F(SkyWindowTest, KeepingTheStartValuesWritesNothing) {
  store("Map type", "Equ");
  startSky();
  frame->executeCommand(110);
  options().saveOptions = false;
  endRun();
  EXPECT_EQ(stored("Map type"), "Equ");
  EXPECT_EQ(stored("Grid type"), "(none)");
  EXPECT_EQ(stored("Active", "Sky\\Window"), "(none)");
}

TEST_F(SkyWindowTest, FactoryDefaultsLeaveNoSkyValuesBehind) {
  store("Map type", "Equ");
  startSky();
  options().saveOptions = false;
  options().factoryDefaults = true;
  OptionsSave();  // the options save before the Sky window at the end
  endRun();
  EXPECT_EQ(stored("Map type"), "(none)");
  EXPECT_EQ(readSkySettings(), SkySettings{});
}

TEST_F(SkyWindowTest, AfterTheEndOfTheRunTheWindowNoLongerRefersToTheCatalogues) {
  startSky();
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(static_cast<const AstBody*>(findStarByName("Vega"))));
  sky->saveAndRelease();
  EXPECT_EQ(sky->state().selected, nullptr);
  EXPECT_FALSE(display().highlightOn());
  EXPECT_TRUE(sky->state().tables.starHorizontal.empty());
  display().grab();  // paints without the tables
  sky = nullptr;
}

}  // namespace
}  // namespace noctavo
