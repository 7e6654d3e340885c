// The Solar system window as a user meets it in the frame: zooming, showing
// a body sent from another window, the panel's rows, animation, the Solar
// system menu and its options, the popup menu, the layout of a small window
// and the settings of a run.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/QuantityBits.h"
#include "frame/CommandIds.h"
#include "frame/WindowMessages.h"
#include "shell/FrameTestSupport.h"
#include "shell/MainFrame.h"
#include "sky/SkyDisplay.h"
#include "sky/SkyWindow.h"
#include "solar/SolarControlPanel.h"
#include "solar/SolarDisplay.h"
#include "solar/SolarOptionsDialog.h"
#include "solar/SolarWindow.h"
#include "support/ModalDialogs.h"
#include "support/ShippedData.h"
#include "support/TemporarySettings.h"
#include "tools/ObjectInfoWindow.h"
#include "ui/DialogLayout.h"
#include "ui/Options.h"
#include "ui/TimeBar.h"

namespace noctavo::testing {
namespace {

namespace id = solar_control;
constexpr int pluto = 7;

class SolarWindowTest : public ShippedCatalogueTest {
 protected:
  SolarWindowTest() {
    registerWindowMessages();
    observer().dateTime = AstDateTime(1, 3, 2024, 22.0, TimeKind::Lct);
  }
  ~SolarWindowTest() override {
    frame.reset();
    QApplication::processEvents();
  }

  void start(bool maximized = true) {
    if (maximized) settings.store().setValue(settingsKey("Solar system\\Window"), "Maximized", "1");
    settings.store().setValue(settingsKey("Solar system\\Window"), "Minimized", "0");
    frame = std::make_unique<MainFrame>();
    frame->resize(1280, 1000);
    frame->show();
    solar = createSolarWindow(*frame);
    QApplication::processEvents();
  }

  SolarControlPanel& panel() { return *solar->controlPanel(); }
  QString shown(int controlId) { return panel().control(controlId)->property("text").toString(); }
  bool enabled(int controlId) { return panel().control(controlId)->isEnabled(); }
  void click(int controlId) { QTest::mouseClick(panel().control(controlId), Qt::LeftButton); }
  int zoom() { return solar->state().settings.zoom; }

  TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
  SolarWindow* solar = nullptr;
};

TEST_F(SolarWindowTest, ZoomButtonsStopAtTheEndsAndHandTheFocusOver) {
  start();
  EXPECT_EQ(zoom(), 3);
  for (int i = 0; i < 6; ++i) click(id::zoomOut);
  EXPECT_EQ(zoom(), 8);
  EXPECT_FALSE(enabled(id::zoomOut));
  EXPECT_TRUE(panel().control(id::zoomIn)->hasFocus());
  for (int i = 0; i < 9; ++i) click(id::zoomIn);  // the disabled button ignores the extra click
  EXPECT_EQ(zoom(), 0);
  EXPECT_FALSE(enabled(id::zoomIn));
  EXPECT_TRUE(enabled(id::zoomOut));
  EXPECT_TRUE(panel().control(id::zoomOut)->hasFocus());
}

TEST_F(SolarWindowTest, ABodySentFromAnotherWindowSetsTheZoomThatShowsItAndTheButtonsFollow) {
  start();
  const struct { const AstBody* body; int zoom; bool zoomOutEnabled; } cases[] = {
      {planetByName("Jupiter"), 4, true}, {planetByName("Venus"), 1, true},
      {&theMoon(), 2, true}, {planetByName("Pluto"), 8, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body->getName());
    sendDisplayObject(frame->window(FrameWindow::SolarSystem), *c.body, false);
    EXPECT_EQ(zoom(), c.zoom);
    EXPECT_EQ(enabled(id::zoomOut), c.zoomOutEnabled);
  }
  solar->showMinimized();
  sendDisplayObject(solar, theEarth(), true);
  EXPECT_FALSE(solar->isMinimized());
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), solar);
}

TEST_F(SolarWindowTest, ThePanelShowsTheChosenQuantityAndNaWhereTheEarthLacksIt) {
  start();
  EXPECT_EQ(shown(id::caption), QStringLiteral("Heliocentric longitude"));
  EXPECT_TRUE(enabled(id::earth));
  EXPECT_FALSE(shown(id::earth).isEmpty());
  ModalWatch watch([](QWidget* dialog) {
    auto* function = qobject_cast<QComboBox*>(findControlOrNull(dialog, solar_options::function));
    function->setCurrentIndex(function->findText(QStringLiteral("Phase")));
    qobject_cast<QAbstractButton*>(findControlOrNull(dialog, dialog_button::ok))->click();
  });
  frame->executeCommand(command::solarOptions);
  ASSERT_EQ(watch.count(), 1);
  EXPECT_EQ(watch.shown[0].caption, QStringLiteral("Solar System Options"));
  EXPECT_EQ(solar->state().settings.function, quantity_bit::phase);
  EXPECT_EQ(shown(id::caption), QStringLiteral("Phase"));
  EXPECT_EQ(shown(id::earth), QStringLiteral("n.a."));
  EXPECT_FALSE(enabled(id::earth));
  EXPECT_FALSE(shown(id::mars).isEmpty());
}

TEST_F(SolarWindowTest, AnimationStepsTheTimeBarEachTickAndStopsAtOnce) {
  start();
  click(id::animate);
  EXPECT_EQ(shown(id::animate), QStringLiteral("Stop"));
  solar->state().settings.refreshDuringAnimation = 0;
  const QString marsBefore = shown(id::mars);
  panel().animationTick();
  panel().animationTick();
  EXPECT_EQ(solar->state().observer.dateTime, AstDateTime(3, 3, 2024, 22.0, TimeKind::Lct));  // a day a tick
  EXPECT_EQ(shown(id::mars), marsBefore);  // the rows wait for the end
  QTest::qWait(3 * animationTickMilliseconds + 50);
  EXPECT_GE(solar->state().observer.dateTime.getDay(), 4);  // the timer ticks on its own
  click(id::animate);
  const AstDateTime stoppedAt = solar->state().observer.dateTime;
  EXPECT_EQ(shown(id::animate), QStringLiteral("Animate"));
  EXPECT_NE(shown(id::mars), marsBefore);  // refilled once on stopping
  QTest::qWait(2 * animationTickMilliseconds);
  EXPECT_EQ(solar->state().observer.dateTime, stoppedAt);
  EXPECT_EQ(observer().dateTime, AstDateTime(1, 3, 2024, 22.0, TimeKind::Lct));  // the program's is untouched
  // A tick that comes while a step is still being made (a nested event
  // loop) is dropped, not stacked.
  click(id::animate);
  const AstDateTime before = solar->state().observer.dateTime;
  const QMetaObject::Connection nested =
      QObject::connect(panel().timeBar(), &TimeBar::momentChanged, [this] { panel().animationTick(); });
  panel().animationTick();
  QObject::disconnect(nested);
  AstDateTime oneDayOn = before;
  oneDayOn.addDays(1);
  EXPECT_EQ(solar->state().observer.dateTime, oneDayOn);
  // A step the time bar refuses ends the animation instead of ticking in vain.
  panel().timeBar()->countEdit()->setText(QStringLiteral("abc"));
  panel().animationTick();
  EXPECT_FALSE(panel().animating());
  EXPECT_EQ(shown(id::animate), QStringLiteral("Animate"));
}

TEST_F(SolarWindowTest, AChangeOfThePositionMethodMovesTheBodiesAlongTheirOrbitsAndBackRestoresThem) {
  start();
  const SolarWindowState classical = solar->state();
  const auto switchTo = [&](PositionMethod method) {
    options().positionMethod = method;
    applyPositionMethodOption();
    sendOptionsChanged(frame.get());
  };
  switchTo(PositionMethod::Precise);
  EXPECT_NE(solar->state().positions.longitude, classical.positions.longitude);
  // The same Earth, within the drift of the equinox since 1980.
  EXPECT_NEAR(solar->state().positions.longitude[earthEntry], classical.positions.longitude[earthEntry], 1.0);
  // The orbit lines stay the classical ones, and sampling them anew leaves
  // the method in force.
  EXPECT_EQ(sampleSolarOrbits()[pluto].longitude, classical.orbits[pluto].longitude);
  EXPECT_EQ(positionMethod(), PositionMethod::Precise);
  switchTo(PositionMethod::Classical);
  EXPECT_EQ(solar->state().positions.longitude, classical.positions.longitude);
}

TEST_F(SolarWindowTest, TheMenuFlipsNamesSymbolsAndMoonWithTheirCheckMarks) {
  start();
  const struct { int command; std::int32_t SolarSettings::*flag; } cases[] = {
      {command::solarNames, &SolarSettings::namesOn},
      {command::solarSymbols, &SolarSettings::signsOn},
      {command::solarMoon, &SolarSettings::moonOn}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_TRUE(frame->isCommandChecked(c.command));
    frame->executeCommand(c.command);
    EXPECT_FALSE(frame->isCommandChecked(c.command));
    EXPECT_EQ(solar->state().settings.*c.flag, 0);
  }
}

TEST_F(SolarWindowTest, ThePopupOffersTheNearestBodyToTheWindowsThatExist) {
  start();
  SolarDisplay& view = *solar->display();
  view.preparePopup(theEarth());
  EXPECT_EQ(view.displayInWindowMenu()->title(), QStringLiteral("Display Earth in &window"));
  EXPECT_FALSE(view.popupAction(solar_popup::sky)->isEnabled());  // not in the sky; nor is a Sky window here
  EXPECT_FALSE(view.popupAction(solar_popup::objectInfo)->isEnabled());
  MessageRecorder info;
  frame->registerWindow(FrameWindow::ObjectInformation, &info);
  solar->state().popupBody = planetByName("Mars");
  view.preparePopup(*solar->state().popupBody);
  ASSERT_TRUE(view.popupAction(solar_popup::objectInfo)->isEnabled());
  view.popupAction(solar_popup::objectInfo)->trigger();
  frame->registerWindow(FrameWindow::ObjectInformation, nullptr);
  EXPECT_EQ(info.messages, (std::vector<ReceivedMessage>{{UM_DISPLAY_OBJECT, 1, 0, planetByName("Mars")}}));
}

TEST_F(SolarWindowTest, TheSkyWindowsPopupShowsAPlanetHereAndThisPopupShowsItThere) {
  start();
  SkyWindow* sky = createSkyWindow(*frame);
  sky->state().popupObject = planetByName("Jupiter");
  sky->display()->popupCommand(sky_popup::solarSystem);
  EXPECT_EQ(zoom(), 4);
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), solar);
  solar->state().popupBody = planetByName("Mars");
  solar->display()->preparePopup(*solar->state().popupBody);
  solar->display()->popupAction(solar_popup::sky)->trigger();
  EXPECT_EQ(sky->state().selected, planetByName("Mars"));
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), sky);
  ObjectInfoWindow* info = createObjectInfoWindow(*frame);
  solar->display()->preparePopup(*solar->state().popupBody);
  solar->display()->popupAction(solar_popup::objectInfo)->trigger();
  EXPECT_EQ(info->object(), planetByName("Mars"));
}

TEST_F(SolarWindowTest, ASmallWindowKeepsPanelAndViewInsideItsClientArea) {
  start(false);
  solar->showNormal();
  solar->resize(500, 400);
  QApplication::processEvents();
  const QRect client = solar->widget()->rect();
  for (QWidget* part : {static_cast<QWidget*>(solar->controlPanel()), static_cast<QWidget*>(solar->display())}) {
    SCOPED_TRACE(part->objectName().toStdString());
    EXPECT_TRUE(client.contains(part->geometry())) << part->geometry().x() << "," << part->geometry().width();
    EXPECT_GT(part->width(), 0);
  }
  EXPECT_FALSE(solar->controlPanel()->geometry().intersects(solar->display()->geometry()));
}

TEST_F(SolarWindowTest, BroughtUpFromAnIconBesideAMaximisedWindowItFillsTheArea) {
  // Another window is maximised, so the MDI area shows this one maximised
  // straight from its icon: no resize of the area tells it to lay out.
  settings.store().setValue(settingsKey("Solar system\\Window"), "Minimized", "1");
  frame = std::make_unique<MainFrame>();
  frame->resize(1280, 1000);
  frame->show();
  solar = createSolarWindow(*frame);
  QMdiSubWindow* other = frame->documentArea()->addSubWindow(new QWidget);
  other->showMaximized();
  QApplication::processEvents();
  ASSERT_TRUE(solar->isMinimized());

  frame->executeCommand(command::showSolarSystem);
  QApplication::processEvents();
  ASSERT_TRUE(solar->isMaximized());
  EXPECT_GT(solar->display()->height(), frame->documentArea()->viewport()->height() / 2);
}

TEST_F(SolarWindowTest, SettingsSurviveARunAndAreNotWrittenWhenOptionsAreNotSaved) {
  start();
  click(id::zoomOut);
  frame->executeCommand(command::solarMoon);
  panel().timeBar()->setStep(3, 5);
  solar->saveAndRelease();
  frame.reset();
  settings.restart();
  const SolarSettings read = readSolarSettings();
  EXPECT_EQ(read.zoom, 4);
  EXPECT_EQ(read.moonOn, 0);
  EXPECT_EQ(read.stepType, 3);
  EXPECT_EQ(read.stepValue, 5);
  EXPECT_EQ(read.maximized, 1);

  settings.store().setValue(settingsKey("Solar system"), "Zoom", "12");
  settings.store().setValue(settingsKey("Solar system"), "Function", "3");  // two bits: no quantity has them
  start();
  EXPECT_EQ(zoom(), 8);
  EXPECT_FALSE(enabled(id::zoomOut));
  EXPECT_EQ(solar->state().settings.function, quantity_bit::heliocentricLongitude);
  options().saveOptions = false;
  click(id::zoomIn);
  solar->saveAndRelease();
  EXPECT_EQ(settings.store().value(settingsKey("Solar system"), "Zoom", ""), "12");
}

}  // namespace
}  // namespace noctavo::testing
