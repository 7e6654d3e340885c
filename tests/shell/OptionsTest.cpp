#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QTimerEvent>

#include <cstring>
#include <memory>
#include <string>

#include "shell/MainFrame.h"
#include "shell/Options.h"
#include "shell/SettingsStore.h"
#include "shell/WindowMessages.h"
#include "support/InternalErrorRecorder.h"
#include "support/TemporarySettings.h"
#include "time/AstCoord.h"
#include "time/TimeSystems.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

using testing::TemporarySettings;

const std::string root = "Software\\Noctavo Software\\Noctavo\\1.00";
const std::string listKey = root + "\\Location\\Selected from list";
const std::string userPlaceKey = root + "\\Location\\User defined";
const std::string userTimeKey = root + "\\Time\\User defined";

LocationRecord place(const char* country, const char* town, double longitude, double latitude, float timeZone) {
  LocationRecord record;
  record.setCountry(country);
  record.setTown(town);
  record.longitude.set(longitude);
  record.latitude.set(latitude);
  record.timeZone = timeZone;
  return record;
}

// Closes every modal dialog that appears while it lives and remembers the
// caption and text of each (the message box shows its text in control 135).
class ModalAnswerer {
 public:
  ModalAnswerer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      auto* dialog = qobject_cast<QDialog*>(modal);
      if (!dialog || !dialog->isVisible()) return;
      captions_.push_back(dialog->windowTitle());
      auto* text = qobject_cast<QLabel*>(findControlOrNull(dialog, 135));
      texts_.push_back(text ? text->text() : QString());
      dialog->done(0);
    });
    timer_.start(10);
  }
  int count() const { return static_cast<int>(texts_.size()); }
  const QStringList& texts() const { return texts_; }
  const QStringList& captions() const { return captions_; }

 private:
  QTimer timer_;
  QStringList texts_;
  QStringList captions_;
};

PlatformClock clockAt(AstDateTime now, PlatformClock::ZoneState state, int biasMinutes) {
  PlatformClock clock;
  clock.localNow = [now] { return now; };
  clock.zone = [state, biasMinutes](int& bias) {
    bias = biasMinutes;
    return state;
  };
  return clock;
}

// ---------------------------------------------------------------- defaults

TEST(OptionsDefaults, AnEmptyStoreGivesLondonSystemTimeAndTheUsualFormats) {
  TemporarySettings settings;
  options().listLocation = place("FR", "Paris", -2.33, 48.83, 1.0f);  // must be replaced
  OptionsLoad();
  const Options& o = options();
  EXPECT_STREQ(o.listLocation.country, "UK");
  EXPECT_STREQ(o.listLocation.town, "London");
  EXPECT_FLOAT_EQ(static_cast<float>(o.listLocation.longitude.get()), 0.17f);  // west
  EXPECT_FLOAT_EQ(static_cast<float>(o.listLocation.latitude.get()), 51.50f);  // north
  EXPECT_EQ(o.listLocation.timeZone, 0.0f);
  EXPECT_STREQ(o.userLocation.country, "(User)");
  EXPECT_STREQ(o.userLocation.town, "(User)");
  EXPECT_EQ(o.userLocation.longitude.get(), 0.0);
  EXPECT_FALSE(o.useUserLocation);
  EXPECT_FALSE(o.useUserTime);
  EXPECT_FALSE(o.realTimeClock);
  EXPECT_EQ(o.userTime, AstDateTime(1, 1, 2000, 0.0, TimeKind::Lct));
  EXPECT_FALSE(o.userDaylightSaving);
  EXPECT_EQ(o.angleRa, 0);
  EXPECT_EQ(o.angleOther, 0);
  EXPECT_TRUE(o.alwaysMaximize);
  EXPECT_TRUE(o.saveOptions);  // "What they are when I leave the program"
  EXPECT_FALSE(o.factoryDefaults);
  EXPECT_TRUE(o.saveWindowState);
  EXPECT_EQ(observer().location, o.listLocation);
}

TEST(OptionsDefaults, TheRecordsDefaultsAreThoseOfAnEmptyStore) {
  TemporarySettings settings;
  const Options before;
  OptionsLoad();
  EXPECT_EQ(options().listLocation, before.listLocation);
  EXPECT_EQ(options().userLocation, before.userLocation);
  EXPECT_EQ(options().userTime, before.userTime);
}

// ---------------------------------------------------------- angle formats

struct AngleCase {
  const char* stored;
  int angleRa;
  int angleOther;
};

class AngleTexts : public ::testing::TestWithParam<AngleCase> {};

TEST_P(AngleTexts, ReadAsTheirFormatAndReachTheFormatters) {
  TemporarySettings settings;
  SettingsWriteString(root, "Angle RA", GetParam().stored);
  SettingsWriteString(root, "Angle other", GetParam().stored);
  OptionsLoad();
  EXPECT_EQ(options().angleRa, GetParam().angleRa);
  EXPECT_EQ(options().angleOther, GetParam().angleOther);
  EXPECT_EQ(static_cast<int>(angleDisplayModes().rightAscension), GetParam().angleRa);
  EXPECT_EQ(static_cast<int>(angleDisplayModes().other), GetParam().angleOther);
}

INSTANTIATE_TEST_SUITE_P(StoredTexts, AngleTexts,
                         ::testing::Values(AngleCase{"HourMinSec", 0, 0}, AngleCase{"DegMinSec", 1, 0},
                                           AngleCase{"Decimal", 2, 1},
                                           // anything else: "DegMinSec" for both
                                           AngleCase{"Hours", 1, 0}, AngleCase{"decimal", 1, 0},
                                           AngleCase{"", 1, 0}, AngleCase{"HourMinSec ", 1, 0}));

TEST(AngleFormats, AreWrittenAsTheirNames) {
  TemporarySettings settings;
  const char* raNames[] = {"HourMinSec", "DegMinSec", "Decimal"};
  for (int ra = 0; ra < 3; ++ra) {
    options().angleRa = ra;
    options().angleOther = ra % 2;
    OptionsSave();
    EXPECT_EQ(SettingsReadString(root, "Angle RA", ""), raNames[ra]);
    EXPECT_EQ(SettingsReadString(root, "Angle other", ""), ra % 2 ? "Decimal" : "DegMinSec");
  }
}

// --------------------------------------------------------------- writing

TEST(OptionsSaving, WritesEveryOptionUnderItsKeyAsText) {
  TemporarySettings settings;
  Options& o = options();
  o.useUserTime = true;
  o.userTime = AstDateTime(24, 12, 2001, 0.0, TimeKind::Gmt);
  o.userTime.setDateTime(24, 12, 2001, 18, 30, 15);
  o.userDaylightSaving = true;
  o.realTimeClock = true;
  o.useUserLocation = true;
  o.listLocation = place("DE", "Berlin", -13.4, 52.5, 1.0f);
  o.alwaysMaximize = false;
  o.saveWindowState = false;
  OptionsSave();

  EXPECT_EQ(SettingsReadString(root + "\\Time", "Use user defined time", ""), "1");
  EXPECT_EQ(SettingsReadString(root + "\\Time", "Real time clock", ""), "1");
  EXPECT_EQ(SettingsReadString(userTimeKey, "Hour", ""), "18");
  EXPECT_EQ(SettingsReadString(userTimeKey, "Minute", ""), "30");
  EXPECT_EQ(SettingsReadString(userTimeKey, "Second", ""), "15");
  EXPECT_EQ(SettingsReadString(userTimeKey, "Day", ""), "24");
  EXPECT_EQ(SettingsReadString(userTimeKey, "Month", ""), "12");
  EXPECT_EQ(SettingsReadString(userTimeKey, "Year", ""), "2001");
  EXPECT_EQ(SettingsReadString(userTimeKey, "Daylight saving time", ""), "1");
  EXPECT_EQ(SettingsReadString(userTimeKey, "Time system", ""), "0");
  EXPECT_EQ(SettingsReadString(listKey, "Country", ""), "DE");
  EXPECT_EQ(SettingsReadString(listKey, "City", ""), "Berlin");
  EXPECT_EQ(SettingsReadString(listKey, "Longitude", ""), "-13.400000");
  EXPECT_EQ(SettingsReadString(listKey, "Latitude", ""), "52.500000");
  EXPECT_EQ(SettingsReadString(listKey, "Time zone", ""), "1.000000");
  EXPECT_EQ(SettingsReadString(userPlaceKey, "City", ""), "(User)");
  EXPECT_EQ(SettingsReadString(userPlaceKey, "Longitude", ""), "0.000000");
  EXPECT_EQ(SettingsReadString(root + "\\Location", "Use user defined location", ""), "1");
  EXPECT_EQ(SettingsReadString(root, "Always maximize child windows", ""), "0");
  EXPECT_EQ(SettingsReadString(root, "Save options", ""), "1");
  EXPECT_EQ(SettingsReadString(root, "Save window state", ""), "0");
}

TEST(OptionsSaving, EveryOptionComesBackAfterARestart) {
  TemporarySettings settings;
  Options& o = options();
  o.useUserTime = true;
  o.userTime.setDateTime(29, 2, 2004, 23, 59, 58);
  o.userTime.setKind(TimeKind::Lst);
  o.userDaylightSaving = true;
  o.useUserLocation = true;
  // Values a float holds exactly: the store reads them back as floats.
  o.userLocation = place("NZ", "Home", -174.75, -36.75, 12.0f);
  o.listLocation = place("IN", "Bombay", -72.875, 18.875, 5.5f);
  o.angleRa = 2;
  o.angleOther = 1;
  const Options saved = o;
  OptionsSave();
  settings.restart();
  TemporarySettings::resetProgramState();
  OptionsLoad();

  EXPECT_EQ(options().useUserTime, saved.useUserTime);
  EXPECT_EQ(options().userTime, saved.userTime);
  EXPECT_EQ(options().userDaylightSaving, saved.userDaylightSaving);
  EXPECT_EQ(options().useUserLocation, saved.useUserLocation);
  EXPECT_EQ(options().userLocation, saved.userLocation);
  EXPECT_EQ(options().listLocation, saved.listLocation);
  EXPECT_EQ(options().angleRa, 2);
  EXPECT_EQ(options().angleOther, 1);
  EXPECT_EQ(observer().location, saved.userLocation);
}

TEST(OptionsSaving, ANineteenCharacterNameSurvivesAndLongerOnesAreCut) {
  TemporarySettings settings;
  const char* nineteen = "Llanfairpwllgwyngyl";  // 19 characters
  ASSERT_EQ(std::strlen(nineteen), 19u);
  options().listLocation.setTown(nineteen);
  options().listLocation.setCountry("United Kingdom of G");
  OptionsSave();
  settings.restart();
  OptionsLoad();
  EXPECT_STREQ(options().listLocation.town, nineteen);
  EXPECT_STREQ(options().listLocation.country, "United Kingdom of G");

  SettingsWriteString(listKey, "City", "Llanfairpwllgwyngyllgogerychwyrndrobwll");
  OptionsLoad();
  EXPECT_STREQ(options().listLocation.town, nineteen);
  EXPECT_EQ(std::strlen(options().listLocation.town), 19u);
}

// ------------------------------------------------------------ save modes

// Start 1 stores Paris, start 2 changes to Berlin and leaves in the given
// mode; start 3 is what the user sees next time.
void runTwoStarts(bool saveOptions, bool factoryDefaults, TemporarySettings& settings) {
  OptionsLoad();
  options().listLocation = place("FR", "Paris", -2.33, 48.83, 1.0f);
  OptionsSave();
  settings.restart();
  TemporarySettings::resetProgramState();

  OptionsLoad();
  options().listLocation = place("DE", "Berlin", -13.4, 52.5, 1.0f);
  options().angleRa = 2;
  options().saveOptions = saveOptions;
  options().factoryDefaults = factoryDefaults;
  OptionsSave();
  settings.restart();
  TemporarySettings::resetProgramState();
  OptionsLoad();
}

TEST(SaveModes, WhatTheyAreWhenILeaveKeepsTheChanges) {
  TemporarySettings settings;
  runTwoStarts(true, false, settings);
  EXPECT_STREQ(options().listLocation.town, "Berlin");
  EXPECT_EQ(options().angleRa, 2);
  EXPECT_TRUE(options().saveOptions);
  EXPECT_FALSE(options().factoryDefaults);
}

TEST(SaveModes, WhatTheyWereWhenIStartedKeepsTheOldOptionsAndTheMode) {
  TemporarySettings settings;
  runTwoStarts(false, false, settings);
  EXPECT_STREQ(options().listLocation.town, "Paris");
  EXPECT_EQ(options().angleRa, 0);
  EXPECT_FALSE(options().saveOptions);  // the dialog offers the same mode again
  EXPECT_FALSE(options().factoryDefaults);
  EXPECT_EQ(SettingsReadString(root, "Save options", ""), "0");
}

TEST(SaveModes, FactoryDefaultsLeavesNothingUnderTheRoot) {
  TemporarySettings settings;
  SettingsWriteInt(root + "\\Main window", "Toolbar visible", 0);
  runTwoStarts(false, true, settings);
  EXPECT_FALSE(settings.store().hasValue(root, "Save options"));
  EXPECT_FALSE(settings.store().hasValue(root + "\\Main window", "Toolbar visible"));
  EXPECT_FALSE(settings.store().hasValue(listKey, "City"));
  EXPECT_STREQ(options().listLocation.town, "London");
  EXPECT_TRUE(options().saveOptions);  // "What they are when I leave the program"
  EXPECT_FALSE(options().factoryDefaults);
}

TEST(SaveModes, TheFactoryChoiceIsNotRemembered) {
  TemporarySettings settings;
  options().factoryDefaults = true;
  OptionsLoad();
  EXPECT_FALSE(options().factoryDefaults);
}

// --------------------------------------------------- damaged stored values

TEST(DamagedValues, APlaceNumberThatIsNoNumberReadsAsItsDefault) {
  TemporarySettings settings;
  SettingsWriteString(listKey, "Longitude", "west");
  SettingsWriteString(listKey, "Latitude", "");
  SettingsWriteString(listKey, "Time zone", "nan");
  OptionsLoad();
  EXPECT_FLOAT_EQ(static_cast<float>(options().listLocation.longitude.get()), 0.17f);
  EXPECT_FLOAT_EQ(static_cast<float>(options().listLocation.latitude.get()), 51.5f);
  EXPECT_EQ(options().listLocation.timeZone, 0.0f);
}

TEST(DamagedValues, APlaceNumberNoPlaceCanHaveReadsAsItsDefault) {
  TemporarySettings settings;
  SettingsWriteString(userPlaceKey, "Longitude", "180.000000");  // 180 is -180
  SettingsWriteString(userPlaceKey, "Latitude", "91");
  SettingsWriteString(userPlaceKey, "Time zone", "1e30");
  SettingsWriteString(listKey, "Longitude", "-179.5");
  SettingsWriteString(listKey, "Latitude", "-90");
  SettingsWriteString(listKey, "Time zone", "-12");
  OptionsLoad();  // no internal error for a stored value
  EXPECT_EQ(options().userLocation.longitude.get(), 0.0);
  EXPECT_EQ(options().userLocation.latitude.get(), 0.0);
  EXPECT_EQ(options().userLocation.timeZone, 0.0f);
  EXPECT_EQ(options().listLocation.longitude.get(), -179.5);
  EXPECT_EQ(options().listLocation.latitude.get(), -90.0);
  EXPECT_EQ(options().listLocation.timeZone, -12.0f);
}

TEST(DamagedValues, AUserMomentThatCannotBeGivesTheDefaultMoment) {
  const char* names[] = {"Hour", "Minute", "Second", "Day", "Month", "Year", "Time system"};
  const char* wrong[] = {"24", "60", "-1", "31", "13", "0", "4"};
  for (int i = 0; i < 7; ++i) {
    TemporarySettings settings;
    SettingsWriteString(userTimeKey, "Month", "4");  // April has 30 days
    SettingsWriteString(userTimeKey, names[i], wrong[i]);
    OptionsLoad();
    EXPECT_EQ(options().userTime, AstDateTime(1, 1, 2000, 0.0, TimeKind::Lct)) << names[i];
  }
}

TEST(DamagedValues, AFlagThatIsNoNumberReadsAsItsDefault) {
  TemporarySettings settings;
  SettingsWriteString(root, "Save options", "yes");
  SettingsWriteString(root + "\\Time", "Real time clock", "on");
  OptionsLoad();
  EXPECT_TRUE(options().saveOptions);
  EXPECT_FALSE(options().realTimeClock);
}

// ------------------------------------------------------------ time source

TEST(TimeSource, TheUserMomentIsTakenAsLocalCivilTime) {
  TemporarySettings settings;
  Options& o = options();
  o.useUserTime = true;
  o.userTime = AstDateTime(31, 12, 2001, 23.5, TimeKind::Gmt);
  o.userDaylightSaving = true;
  observer().location = place("DE", "Berlin", -13.4, 52.5, 1.0f);
  ApplyTimeSource();
  // 23:30 GMT + 1 h zone + 1 h daylight saving = 01:30 next day.
  EXPECT_EQ(observer().dateTime, AstDateTime(1, 1, 2002, 1.5, TimeKind::Lct));
  EXPECT_TRUE(observer().daylightSaving);
}

TEST(TimeSource, TheComputersClockIsTakenAsItIs) {
  TemporarySettings settings;
  const AstDateTime now(3, 3, 2003, 4.25, TimeKind::Lct);
  setPlatformClock(clockAt(now, PlatformClock::ZoneState::Daylight, -60));
  options().userDaylightSaving = false;
  ApplyTimeSource();
  EXPECT_EQ(observer().dateTime, now);
  EXPECT_TRUE(observer().daylightSaving);
}

TEST(TimeSource, TheSystemClockGivesTheMomentOfToday) {
  TemporarySettings settings;
  setPlatformClock({});
  ModalAnswerer answerer;  // in case this machine's time zone cannot be read
  ApplyTimeSource();
  const QDate today = QDate::currentDate();
  const AstDateTime& now = observer().dateTime;
  EXPECT_EQ(now.getKind(), TimeKind::Lct);
  EXPECT_TRUE(now.isValid());
  // The day may change during the test; it is today or yesterday.
  const bool isToday = now.getDay() == today.day() && now.getMonth() == today.month() && now.getYear() == today.year();
  const QDate yesterday = today.addDays(-1);
  const bool isYesterday =
      now.getDay() == yesterday.day() && now.getMonth() == yesterday.month() && now.getYear() == yesterday.year();
  EXPECT_TRUE(isToday || isYesterday);
}

TEST(TimeSource, StandardTimeIsNotDaylightSavingTimeEvenWhereTheZoneHasOne) {
  TemporarySettings settings;
  setPlatformClock(clockAt(TemporarySettings::fixedNow(), PlatformClock::ZoneState::Standard, -60));
  observer().daylightSaving = true;
  ModalAnswerer answerer;
  ApplyTimeSource();
  EXPECT_FALSE(observer().daylightSaving);
  EXPECT_EQ(answerer.count(), 0);
}

TEST(TimeSource, DaylightTimeWithoutAShiftIsNoDaylightSaving) {
  TemporarySettings settings;
  setPlatformClock(clockAt(TemporarySettings::fixedNow(), PlatformClock::ZoneState::Daylight, 0));
  ModalAnswerer answerer;
  ApplyTimeSource();
  EXPECT_FALSE(observer().daylightSaving);
  EXPECT_EQ(answerer.count(), 0);
}

TEST(TimeSource, AnUnreadableTimeZoneIsToldOnceARunAndTakenAsStandardTime) {
  TemporarySettings settings;
  setPlatformClock(clockAt(TemporarySettings::fixedNow(), PlatformClock::ZoneState::Unknown, 0));
  ModalAnswerer answerer;
  observer().daylightSaving = true;
  ApplyTimeSource();
  EXPECT_FALSE(observer().daylightSaving);
  ApplyTimeSource();  // a later look at the clock (the Date and Time dialog, say)
  ApplyTimeSource();
  ASSERT_EQ(answerer.count(), 1);
  EXPECT_EQ(answerer.texts().front(),
            QStringLiteral("Noctavo was unable to determine your computer's setting for daylight saving time. "
                           "Daylight saving time is assumed to be off"));
  EXPECT_EQ(answerer.captions().front(), QStringLiteral("Noctavo information"));
}

TEST(TimeSource, AShiftOtherThanOneHourIsToldAsUnreadable) {
  TemporarySettings settings;
  setPlatformClock(clockAt(TemporarySettings::fixedNow(), PlatformClock::ZoneState::Daylight, -30));
  ModalAnswerer answerer;
  ApplyTimeSource();
  EXPECT_FALSE(observer().daylightSaving);
  EXPECT_EQ(answerer.count(), 1);
}

TEST(TimeSource, TheUserMomentNeverAsksThePlatform) {
  TemporarySettings settings;
  setPlatformClock(clockAt(TemporarySettings::fixedNow(), PlatformClock::ZoneState::Unknown, 0));
  ModalAnswerer answerer;
  options().useUserTime = true;
  ApplyTimeSource();
  EXPECT_EQ(answerer.count(), 0);
}

// ------------------------------------------------------- real-time clock

// Stands in for the main frame: a tick of the real-time clock becomes
// UM_TIME_STEP with one minute, which moves the observer on.
class TickingFrame : public QObject {
 public:
  int steps = 0;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::Timer && static_cast<QTimerEvent*>(e)->timerId() == realTimeClockTimerId()) {
      sendMessage(this, UM_TIME_STEP, 1);
      return true;
    }
    if (e->type() == static_cast<QEvent::Type>(UM_TIME_STEP)) {
      observer().dateTime.addMinutes(static_cast<int>(static_cast<WindowMessage*>(e)->wParam()));
      ++steps;
      return true;
    }
    return QObject::event(e);
  }
};

QList<QAbstractEventDispatcher::TimerInfo> timersOf(QObject* object) {
  return QAbstractEventDispatcher::instance()->registeredTimers(object);
}

TEST(RealTimeClock, RunsEveryMinuteOnTheFrameWhileTheOptionIsOn) {
  TemporarySettings settings;
  TickingFrame frame;
  setRealTimeClockHost(&frame);
  EXPECT_EQ(realTimeClockTimerId(), 0);

  options().realTimeClock = true;
  ApplyTimeSource();
  ASSERT_NE(realTimeClockTimerId(), 0);
  const auto timers = timersOf(&frame);
  ASSERT_EQ(timers.size(), 1);
  EXPECT_EQ(timers.front().timerId, realTimeClockTimerId());
  EXPECT_EQ(timers.front().interval, 60000);

  ApplyTimeSource();  // a second apply keeps the one timer
  EXPECT_EQ(timersOf(&frame).size(), 1);

  options().realTimeClock = false;
  ApplyTimeSource();
  EXPECT_EQ(realTimeClockTimerId(), 0);
  EXPECT_TRUE(timersOf(&frame).isEmpty());
}

TEST(RealTimeClock, EachTickAdvancesTheObserverByOneMinute) {
  TemporarySettings settings;
  TickingFrame frame;
  setRealTimeClockHost(&frame);
  options().realTimeClock = true;
  ApplyTimeSource();
  const AstDateTime start = observer().dateTime;
  for (int tick = 0; tick < 3; ++tick) {
    QTimerEvent event(realTimeClockTimerId());
    QCoreApplication::sendEvent(&frame, &event);
  }
  AstDateTime expected = start;
  expected.addMinutes(3);
  EXPECT_EQ(observer().dateTime.formatDate(), expected.formatDate());
  EXPECT_EQ(observer().dateTime.formatTime(), "12:03:00");
  EXPECT_EQ(frame.steps, 3);
}

TEST(RealTimeClock, TheMainFrameMovesTheObserverOnAMinuteAtEachTick) {
  TemporarySettings settings;
  MainFrame frame;
  setRealTimeClockHost(&frame);
  options().realTimeClock = true;
  ApplyTimeSource();
  ASSERT_EQ(timersOf(&frame).size(), 1);
  for (int tick = 0; tick < 2; ++tick) {
    QTimerEvent event(realTimeClockTimerId());
    QCoreApplication::sendEvent(&frame, &event);
  }
  EXPECT_EQ(observer().dateTime.formatDate(), "15.06.2001");
  EXPECT_EQ(observer().dateTime.formatTime(), "12:02:00");
  setRealTimeClockHost(nullptr);
}

TEST(RealTimeClock, IsSwitchedOnByTheStoredOptionAtStart) {
  TemporarySettings settings;
  SettingsWriteInt(root + "\\Time", "Real time clock", 1);
  TickingFrame frame;
  setRealTimeClockHost(&frame);
  OptionsInit();
  EXPECT_NE(realTimeClockTimerId(), 0);
  EXPECT_EQ(timersOf(&frame).size(), 1);
}

TEST(RealTimeClock, FollowsItsHostAndEndsWithIt) {
  TemporarySettings settings;
  TickingFrame first;
  auto second = std::make_unique<TickingFrame>();
  setRealTimeClockHost(&first);
  options().realTimeClock = true;
  ApplyTimeSource();
  setRealTimeClockHost(second.get());
  EXPECT_TRUE(timersOf(&first).isEmpty());
  EXPECT_EQ(timersOf(second.get()).size(), 1);
  second.reset();
  EXPECT_EQ(realTimeClockTimerId(), 0);
}

TEST(RealTimeClock, WithoutAFrameToRunOnItIsAnInternalError) {
  TemporarySettings settings;
  testing::InternalErrorRecorder recorder;
  options().realTimeClock = true;
  ApplyTimeSource();
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_EQ(realTimeClockTimerId(), 0);
}

// --------------------------------------------------------------- location

TEST(LocationChange, KeepsTheUniversalMomentAndMovesTheLocalTime) {
  TemporarySettings settings;
  Observer& obs = observer();
  obs.location = place("UK", "London", 0.17, 51.5, 0.0f);
  obs.daylightSaving = true;
  obs.dateTime = AstDateTime(30, 6, 2001, 23.0, TimeKind::Lct);
  const AstDateTime universal = obs.momentIn(TimeKind::Gmt);

  changeObserverLocation(obs, place("IN", "Bombay", -72.83, 18.93, 5.5f));
  EXPECT_EQ(obs.momentIn(TimeKind::Gmt), universal);
  EXPECT_EQ(obs.dateTime, AstDateTime(1, 7, 2001, 4.5, TimeKind::Lct));  // 23:00 + 5.5 h
  EXPECT_STREQ(obs.location.town, "Bombay");
  EXPECT_TRUE(obs.daylightSaving);
}

TEST(LocationChange, TheSelectedPlaceFollowsTheChoice) {
  TemporarySettings settings;
  options().userLocation = place("X", "Home", 10.0, 20.0, -1.0f);
  EXPECT_STREQ(selectedLocation().town, "London");
  options().useUserLocation = true;
  EXPECT_STREQ(selectedLocation().town, "Home");
}

}  // namespace
}  // namespace noctavo
