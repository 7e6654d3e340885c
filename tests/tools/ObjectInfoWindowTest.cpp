// The Object Information window in a main frame over the shipped
// catalogues: its pages per object type, the coordinate system and time-kind
// boxes, its own moment, the objects it sends and gets, and its settings.
#include "tools/ObjectInfoWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "bodies/AstEarth.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "frame/CommandIds.h"
#include "shell/FrameTestSupport.h"
#include "shell/MainFrame.h"
#include "support/ModalDialogs.h"
#include "support/ShippedData.h"
#include "support/TemporarySettings.h"
#include "ui/Options.h"
#include "ui/SymbolFont.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace {

class ObjectInfoTest : public testing::ShippedCatalogueTest {
 protected:
  ObjectInfoTest() {
    registerWindowMessages();
    // Berlin, one hour east of Greenwich, on a March evening.
    observer().location.latitude = AstLatitude(52.5);
    observer().location.longitude = AstLongitude(-13.4);
    observer().location.timeZone = 1.0f;
    observer().daylightSaving = false;
    observer().dateTime = AstDateTime(15, 3, 2024, 21.0, TimeKind::Lct);
  }
  ~ObjectInfoTest() override {
    frame.reset();
    QApplication::processEvents();
  }
  void start() {
    frame = std::make_unique<MainFrame>();
    frame->show();
    info = createObjectInfoWindow(*frame);
    sendObserverSet(frame.get(), observer());
  }
  void show(ObjectType type, const char* name) {
    const AstBody* body = bodyByName(type, name);
    ASSERT_NE(body, nullptr) << name;
    info->showObject(*body);
  }
  void choose(int controlId, int index) {
    auto* box = static_cast<QComboBox*>(info->pageControl(controlId));
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  QString value(int controlId) { return static_cast<QLabel*>(info->pageControl(controlId))->text(); }
  double number(int controlId) { return value(controlId).toDouble(); }
  BodyState computed(std::uint32_t flag, TimeKind kind, CoordSystem system) {
    BodyState state;
    info->object()->compute(flag, observer(), state, kind, system);
    return state;
  }

  testing::TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
  ObjectInfoWindow* info = nullptr;
};

TEST_F(ObjectInfoTest, EachTypeShowsItsPagesAndTheTypesWithoutOrbitsSayTheyHaveNoSuchData) {
  start();
  const struct { ObjectType type; const char* name; const char* physical; const char* orbital; } cases[] = {
      {ObjectType::Moon, "Moon", "DLG_INFOPHYSMOON", "DLG_INFOORBMOON"},
      {ObjectType::Star, "Sirius", "DLG_INFOPHYSSTAR", "DLG_INFODUMMY"},
      {ObjectType::Constellation, "Orion", "DLG_INFOPHYSCONSTELL", "DLG_INFODUMMY"},
      {ObjectType::NgcObject, "NGC 224", "DLG_INFOPHYSNGC", "DLG_INFODUMMY"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    show(c.type, c.name);
    info->tabs()->setCurrentIndex(1);
    EXPECT_EQ(info->page()->objectName(), QString::fromLatin1(c.physical));
    info->tabs()->setCurrentIndex(2);
    EXPECT_EQ(info->page()->objectName(), QString::fromLatin1(c.orbital));
    if (c.type != ObjectType::Moon) {
      EXPECT_EQ(value(object_info::noDataText), QString::fromLatin1(noSuchDataText));
    }
    info->tabs()->setCurrentIndex(0);
  }
  // M 31 is described as what it is; Orion lists its stars under tab stops.
  show(ObjectType::NgcObject, "NGC 224");
  info->tabs()->setCurrentIndex(1);
  EXPECT_TRUE(value(222).contains(QStringLiteral("Andromeda"))) << value(222).toStdString();
  show(ObjectType::Constellation, "Orion");
  auto* stars = static_cast<QListWidget*>(info->pageControl(object_info::constellationStars));
  ASSERT_GT(stars->count(), 10);
  EXPECT_EQ(value(object_info::constellationStarCount).toInt(), stars->count());
  EXPECT_EQ(stars->currentRow(), 0);
  ASSERT_EQ(stars->item(0)->text().count(QLatin1Char('\t')), 4);
  // Rigel comes first in Orion's star order.
  const QStringList rigel = stars->item(0)->text().split(QLatin1Char('\t'));
  EXPECT_EQ(rigel.front(), QStringLiteral("β (Beta)"));
  EXPECT_EQ(rigel.back(), QStringLiteral("Rigel"));
}

TEST_F(ObjectInfoTest, TheHorizontalSystemRenamesThePositionRowsAndGmtShowsTheRiseInGreenwichTime) {
  start();
  show(ObjectType::Planet, "Mars");
  EXPECT_EQ(value(124), QStringLiteral("Right ascension:"));
  choose(object_info::coordSystemBox, static_cast<int>(CoordSystem::Horizontal));
  EXPECT_EQ(value(124), QStringLiteral("Azimuth:"));
  EXPECT_EQ(value(125), QStringLiteral("Altitude:"));
  const AstCoord horizontal = computed(quantity_bit::position, TimeKind::Lct, CoordSystem::Horizontal).position;
  EXPECT_EQ(value(111), symbolText(formatAngle(horizontal.a(), false)));
  EXPECT_EQ(value(112), symbolText(formatAngle(horizontal.b(), false)));

  const QString riseInLct = value(158);
  choose(object_info::timeKindBox, static_cast<int>(TimeKind::Gmt));
  const AstDateTime riseInGmt = computed(quantity_bit::rise, TimeKind::Gmt, CoordSystem::Horizontal).rise;
  EXPECT_EQ(value(158), symbolText(riseInGmt.formatTime()));
  EXPECT_NE(value(158), riseInLct);
  // Rows the Sun has and a planet has not stay "n.a." and greyed.
  EXPECT_EQ(value(167), QStringLiteral("n.a."));
  EXPECT_FALSE(info->pageControl(189)->isEnabled());
}

TEST_F(ObjectInfoTest, TheTimeBarStepsTheWindowsMomentAndResetBringsBackTheObservers) {
  start();
  show(ObjectType::Moon, "Moon");
  const QString phaseNow = value(161);
  info->timeBar()->setStep(2, 7);  // a week
  ASSERT_EQ(info->timeBar()->stepOnce(false), TimeStepResult::Stepped);
  EXPECT_EQ(info->windowObserver().dateTime, AstDateTime(22, 3, 2024, 21.0, TimeKind::Lct));
  EXPECT_NE(value(161), phaseNow);
  EXPECT_EQ(observer().dateTime, AstDateTime(15, 3, 2024, 21.0, TimeKind::Lct));
  QTest::mouseClick(info->timeBar()->resetButton(), Qt::LeftButton);
  EXPECT_EQ(info->windowObserver().dateTime, observer().dateTime);
  EXPECT_EQ(value(161), phaseNow);
  // The frame's clock tick moves the window's own moment on.
  sendTimeStep(frame.get(), 60);
  EXPECT_EQ(info->windowObserver().dateTime, AstDateTime(15, 3, 2024, 22.0, TimeKind::Lct));
}

TEST_F(ObjectInfoTest, MarsPhysicalAndOrbitalDataAgreeWithThePublishedValues) {
  start();
  show(ObjectType::Planet, "Mars");
  // NASA Mars Fact Sheet (NSSDCA): within half a per cent.
  const struct { InfoTab tab; int id; double published; } rows[] = {
      {InfoTab::Physical, 300, 3389.5},      // volumetric mean radius, km
      {InfoTab::Physical, 303, 64.171},      // mass, 10^22 kg
      {InfoTab::Physical, 302, 0.151},       // volume, Earth = 1
      {InfoTab::Physical, 304, 3.934},       // mean density, g/cm^3
      {InfoTab::Physical, 305, 5.03},        // escape velocity, km/s
      {InfoTab::Physical, 310, 2},           // moons
      {InfoTab::Orbital, 325, 686.980},      // orbital period, days
      {InfoTab::Orbital, 314, 1.52366},      // semi-major axis, AU
      {InfoTab::Orbital, 313, 0.0935},       // eccentricity
      {InfoTab::Orbital, 316, 1.848},        // inclination, degrees
      {InfoTab::Orbital, 319, 24.07},        // mean orbital velocity, km/s
      {InfoTab::Orbital, 306, 1.381},        // perihelion, AU
      {InfoTab::Orbital, 308, 1.666},        // aphelion, AU
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    info->tabs()->setCurrentIndex(static_cast<int>(row.tab));
    EXPECT_NEAR(number(row.id), row.published, 0.005 * row.published);
  }
  // The Earth's escape velocity is held in km/s and shown in that unit
  // (published 11.186 km/s), not as 11.2 m/s.
  const std::vector<InfoValueRow> earth = physicalInfoRows(theEarth());
  const auto escape = std::find_if(earth.begin(), earth.end(), [](const InfoValueRow& r) { return r.controlId == 305; });
  ASSERT_NE(escape, earth.end());
  EXPECT_NEAR(std::stod(escape->value), 11.186, 0.06);
  EXPECT_STREQ(escape->unit, "km/s");
}

TEST_F(ObjectInfoTest, TheDisplayButtonsFollowTheTypeAndReachOnlyWindowsThatExist) {
  testing::MessageRecorder sky, picture;
  start();
  frame->registerWindow(FrameWindow::Sky, &sky);
  frame->registerWindow(FrameWindow::Picture, &picture);
  auto button = [this](int id) { return static_cast<QPushButton*>(info->control(id)); };
  const struct { ObjectType type; const char* name; bool sky, picture; } cases[] = {
      {ObjectType::Planet, "Jupiter", true, true}, {ObjectType::Earth, "Earth", false, true},
      {ObjectType::Star, "Sirius", true, false},   {ObjectType::NgcObject, "NGC 224", true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    show(c.type, c.name);
    EXPECT_EQ(button(object_info::displaySky)->isEnabled(), c.sky);
    EXPECT_EQ(button(object_info::displayPicture)->isEnabled(), c.picture);
    // No Solar system window here.
    EXPECT_FALSE(button(object_info::displaySolarSystem)->isEnabled());
  }
  QTest::mouseClick(button(object_info::displayPicture), Qt::LeftButton);
  ASSERT_EQ(picture.messages.size(), 1u);
  EXPECT_EQ(picture.messages[0], (testing::ReceivedMessage{UM_DISPLAY_OBJECT, 1, 0, info->object()}));
  frame->registerWindow(FrameWindow::Sky, nullptr);
  frame->registerWindow(FrameWindow::Picture, nullptr);
}

TEST_F(ObjectInfoTest, ChoosingATypeListsItsNamesAndShowsTheFirst) {
  start();
  auto* type = static_cast<QComboBox*>(info->control(object_info::objectType));
  auto* name = static_cast<QComboBox*>(info->control(object_info::objectName));
  auto pick = [](QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
  };
  pick(type, static_cast<int>(ObjectType::Planet));
  EXPECT_EQ(name->count(), 8);
  EXPECT_EQ(info->object(), planetByIndex(0));
  pick(name, 3);
  EXPECT_EQ(info->object(), planetByIndex(3));
  pick(type, static_cast<int>(ObjectType::Earth));
  EXPECT_EQ(name->count(), 0);
  EXPECT_FALSE(name->isEnabled());
  EXPECT_EQ(info->object()->getObjectType(), ObjectType::Earth);
}

// A name typed the way people say it, then Enter, shows that object of
// whatever type; a name of nothing is said so and the object stays.
TEST_F(ObjectInfoTest, ANameTypedIntoTheNameBoxShowsThatObject) {
  start();
  info->show();
  auto* type = static_cast<QComboBox*>(info->control(object_info::objectType));
  auto* name = static_cast<QComboBox*>(info->control(object_info::objectName));
  type->setCurrentIndex(static_cast<int>(ObjectType::Planet));
  emit type->activated(static_cast<int>(ObjectType::Planet));
  const struct {
    const char* typed;
    const char* shown;  // the name box afterwards; null: a message, nothing changes
  } cases[] = {{"M31", "NGC 224"}, {"alpha Ori", "Betelgeuse"}, {"saturn", "Saturn"}, {"M 3 1 1", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const AstBody* before = info->object();
    name->lineEdit()->clear();
    QTest::keyClicks(name->lineEdit(), QString::fromLatin1(c.typed));
    testing::ModalWatch watch;
    QTest::keyClick(name->lineEdit(), Qt::Key_Return);
    QApplication::processEvents();
    if (c.shown) {
      EXPECT_EQ(watch.count(), 0);
      EXPECT_EQ(name->currentText(), QString::fromLatin1(c.shown));
      ASSERT_NE(info->object(), nullptr);
      EXPECT_STREQ(info->object()->getName(), c.shown);
      EXPECT_EQ(type->currentIndex(), static_cast<int>(info->object()->getObjectType()));
    } else {
      ASSERT_EQ(watch.count(), 1);
      EXPECT_EQ(info->object(), before);
    }
  }
}

TEST_F(ObjectInfoTest, AnObjectSentToTheWindowOpensItThere) {
  start();
  EXPECT_FALSE(info->isVisible());
  sendDisplayObject(info, *bodyByName(ObjectType::Constellation, "Orion"), true);
  EXPECT_TRUE(info->isVisible());
  EXPECT_TRUE(frame->isCommandChecked(command::objectInfo));
  EXPECT_EQ(static_cast<QComboBox*>(info->control(object_info::objectType))->currentText(),
            QStringLiteral("Constellation"));
  EXPECT_EQ(static_cast<QComboBox*>(info->control(object_info::objectName))->currentText(), QStringLiteral("Orion"));
}

TEST_F(ObjectInfoTest, ThePlaceAndVisibilityAreWrittenOnlyWhenWindowStateIsSaved) {
  for (bool saveWindowState : {false, true}) {
    SCOPED_TRACE(saveWindowState);
    settings.restart();
    start();
    options().saveOptions = true;
    options().saveWindowState = saveWindowState;
    frame->executeCommand(command::objectInfo);
    info->saveAndRelease();
    EXPECT_EQ(settings.store().value(settingsKey("Object Info"), "Visible", "(none)"),
              saveWindowState ? "1" : "(none)");
    frame.reset();
    settings.restart();
    start();
    EXPECT_EQ(info->isVisible(), saveWindowState);
    EXPECT_EQ(frame->isCommandChecked(command::objectInfo), saveWindowState);
    frame.reset();
  }
}

}  // namespace
}  // namespace noctavo
