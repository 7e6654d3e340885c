// The options and the observer: their stored values, the save modes, the
// time source with its daylight saving rule, the real-time clock and a
// change of place.
#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QDate>
#include <QObject>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>

#include "shell/MainFrame.h"
#include "support/InternalErrorRecorder.h"
#include "support/ModalDialogs.h"
#include "support/TemporarySettings.h"
#include "time/AstCoord.h"
#include "ui/Options.h"
#include "ui/SettingsStore.h"

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

PlatformClock clockAt(AstDateTime now, PlatformClock::ZoneState state, int biasMinutes) {
  PlatformClock clock;
  clock.localNow = [now] { return now; };
  clock.zone = [state, biasMinutes](int& bias) {
    bias = biasMinutes;
    return state;
  };
  return clock;
}

std::string stored(const std::string& key, const char* name) { return SettingsReadString(key, name, "(none)"); }

// ---------------------------------------------------------------- defaults

TEST(OptionsDefaults, AnEmptyStoreGivesLondonSystemTimeAndTheUsualFormats) {
  TemporarySettings settings;
  const Options defaults;
  options().listLocation = place("FR", "Paris", -2.33, 48.83, 1.0f);  // must be replaced
  OptionsLoad();
  const Options& o = options();
  EXPECT_EQ(o.listLocation, defaults.listLocation);
  EXPECT_EQ(o.userLocation, defaults.userLocation);
  EXPECT_EQ(o.userTime, defaults.userTime);
  EXPECT_STREQ(o.listLocation.country, "UK");
  EXPECT_STREQ(o.listLocation.town, "London");
  EXPECT_FLOAT_EQ(static_cast<float>(o.listLocation.longitude.get()), 0.17f);  // west
  EXPECT_FLOAT_EQ(static_cast<float>(o.listLocation.latitude.get()), 51.50f);  // north
  EXPECT_EQ(o.listLocation.timeZone, 0.0f);
  EXPECT_STREQ(o.userLocation.town, "(User)");
  EXPECT_EQ(o.userLocation.longitude.get(), 0.0);
  EXPECT_FALSE(o.useUserLocation || o.useUserTime || o.realTimeClock || o.userDaylightSaving || o.factoryDefaults);
  EXPECT_EQ(o.userTime, AstDateTime(1, 1, 2000, 0.0, TimeKind::Lct));
  EXPECT_EQ(o.angleRa, 0);
  EXPECT_EQ(o.angleOther, 0);
  EXPECT_TRUE(o.alwaysMaximize && o.saveWindowState);
  EXPECT_TRUE(o.saveOptions);  // "What they are when I leave the program"
  EXPECT_EQ(observer().location, o.listLocation);
}

// ---------------------------------------------------------- angle formats

TEST(AngleFormats, StoredTextsReadAsTheirFormatAndReachTheFormatters) {
  TemporarySettings settings;
  const std::tuple<const char*, int, int> cases[] = {
      {"HourMinSec", 0, 0}, {"DegMinSec", 1, 0}, {"Decimal", 2, 1},
      // anything else: "DegMinSec" for both
      {"Hours", 1, 0},      {"decimal", 1, 0},   {"", 1, 0},        {"HourMinSec ", 1, 0},
  };
  for (const auto& [text, angleRa, angleOther] : cases) {
    SettingsWriteString(root, "Angle RA", text);
    SettingsWriteString(root, "Angle other", text);
    OptionsLoad();
    EXPECT_EQ(options().angleRa, angleRa) << text;
    EXPECT_EQ(options().angleOther, angleOther) << text;
    EXPECT_EQ(static_cast<int>(angleDisplayModes().rightAscension), angleRa) << text;
    EXPECT_EQ(static_cast<int>(angleDisplayModes().other), angleOther) << text;
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
  const char* angleNames[] = {"HourMinSec", "DegMinSec", "Decimal"};
  for (int ra = 0; ra < 3; ++ra) {
    o.angleRa = ra;
    o.angleOther = ra % 2;
    OptionsSave();
    EXPECT_EQ(stored(root, "Angle RA"), angleNames[ra]);
    EXPECT_EQ(stored(root, "Angle other"), ra % 2 ? "Decimal" : "DegMinSec");
  }
  // A few of every kind: flags, integers, texts and numbers with six decimals.
  const std::tuple<std::string, const char*, const char*> values[] = {
      {root + "\\Time", "Use user defined time", "1"},
      {root + "\\Time", "Real time clock", "1"},
      {userTimeKey, "Hour", "18"},
      {userTimeKey, "Year", "2001"},
      {userTimeKey, "Daylight saving time", "1"},
      {userTimeKey, "Time system", "0"},
      {listKey, "City", "Berlin"},
      {listKey, "Longitude", "-13.400000"},
      {listKey, "Time zone", "1.000000"},
      {userPlaceKey, "City", "(User)"},
      {root + "\\Location", "Use user defined location", "1"},
      {root, "Always maximize child windows", "0"},
      {root, "Save options", "1"},
      {root, "Save window state", "0"},
  };
  for (const auto& [key, name, text] : values) EXPECT_EQ(stored(key, name), text) << name;
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
  const char* nineteen = "Llanfairpwllgwyngyl";
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
}

// ------------------------------------------------------------ save modes

// Start 1 stores Paris, start 2 changes to Berlin and leaves in the given
// mode; start 3 is what the user sees next time.
TEST(SaveModes, DecideWhatTheNextStartSees) {
  struct Case {
    bool saveOptions, factoryDefaults;
    const char* town;
    int angleRa;
    bool saveOptionsNextTime;
  };
  const Case cases[] = {
      {true, false, "Berlin", 2, true},   // what they are when I leave
      {false, false, "Paris", 0, false},  // what they were when I started; the mode is offered again
      {false, true, "London", 0, true},   // factory defaults: nothing left under the root
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.town);
    TemporarySettings settings;
    SettingsWriteInt(root + "\\Main window", "Toolbar visible", 0);
    OptionsLoad();
    options().listLocation = place("FR", "Paris", -2.33, 48.83, 1.0f);
    OptionsSave();
    for (int start = 2; start <= 3; ++start) {
      settings.restart();
      TemporarySettings::resetProgramState();
      OptionsLoad();
      if (start == 3) break;
      options().listLocation = place("DE", "Berlin", -13.4, 52.5, 1.0f);
      options().angleRa = 2;
      options().saveOptions = c.saveOptions;
      options().factoryDefaults = c.factoryDefaults;
      OptionsSave();
    }
    EXPECT_STREQ(options().listLocation.town, c.town);
    EXPECT_EQ(options().angleRa, c.angleRa);
    EXPECT_EQ(options().saveOptions, c.saveOptionsNextTime);
    EXPECT_FALSE(options().factoryDefaults);  // never remembered
    EXPECT_EQ(settings.store().hasValue(root + "\\Main window", "Toolbar visible"), !c.factoryDefaults);
    EXPECT_EQ(settings.store().hasValue(root, "Save options"), !c.factoryDefaults);
  }
}

// --------------------------------------------------- damaged stored values

TEST(DamagedValues, APlaceNumberThatIsNoNumberOrNoPlaceCanHaveReadsAsItsDefault) {
  TemporarySettings settings;
  SettingsWriteString(listKey, "Longitude", "west");
  SettingsWriteString(listKey, "Latitude", "");
  SettingsWriteString(listKey, "Time zone", "nan");
  SettingsWriteString(userPlaceKey, "Longitude", "180.000000");  // 180 is -180
  SettingsWriteString(userPlaceKey, "Latitude", "91");
  SettingsWriteString(userPlaceKey, "Time zone", "1e30");
  OptionsLoad();  // no internal error for a stored value
  EXPECT_FLOAT_EQ(static_cast<float>(options().listLocation.longitude.get()), 0.17f);
  EXPECT_FLOAT_EQ(static_cast<float>(options().listLocation.latitude.get()), 51.5f);
  EXPECT_EQ(options().listLocation.timeZone, 0.0f);
  EXPECT_EQ(options().userLocation.longitude.get(), 0.0);
  EXPECT_EQ(options().userLocation.latitude.get(), 0.0);
  EXPECT_EQ(options().userLocation.timeZone, 0.0f);
  // The extremes a place can have are kept.
  SettingsWriteString(listKey, "Longitude", "-179.5");
  SettingsWriteString(listKey, "Latitude", "-90");
  SettingsWriteString(listKey, "Time zone", "-12");
  OptionsLoad();
  EXPECT_EQ(options().listLocation.longitude.get(), -179.5);
  EXPECT_EQ(options().listLocation.latitude.get(), -90.0);
  EXPECT_EQ(options().listLocation.timeZone, -12.0f);
}

TEST(DamagedValues, AUserMomentThatCannotBeGivesTheDefaultMomentAndABadFlagItsDefault) {
  const char* names[] = {"Hour", "Minute", "Second", "Day", "Month", "Year", "Time system"};
  const char* wrong[] = {"24", "60", "-1", "31", "13", "0", "4"};
  for (int i = 0; i < 7; ++i) {
    TemporarySettings settings;
    SettingsWriteString(userTimeKey, "Month", "4");  // April has 30 days
    SettingsWriteString(userTimeKey, names[i], wrong[i]);
    OptionsLoad();
    EXPECT_EQ(options().userTime, AstDateTime(1, 1, 2000, 0.0, TimeKind::Lct)) << names[i];
  }
  TemporarySettings settings;
  SettingsWriteString(root, "Save options", "yes");
  SettingsWriteString(root + "\\Time", "Real time clock", "on");
  OptionsLoad();
  EXPECT_TRUE(options().saveOptions);
  EXPECT_FALSE(options().realTimeClock);
}

// ------------------------------------------------------------ time source

TEST(TimeSource, TheUserMomentIsTakenAsLocalCivilTimeWithoutAskingThePlatform) {
  TemporarySettings settings;
  setPlatformClock(clockAt(TemporarySettings::fixedNow(), PlatformClock::ZoneState::Unknown, 0));
  testing::ModalWatch watch;
  Options& o = options();
  o.useUserTime = true;
  o.userTime = AstDateTime(31, 12, 2001, 23.5, TimeKind::Gmt);
  o.userDaylightSaving = true;
  observer().location = place("DE", "Berlin", -13.4, 52.5, 1.0f);
  ApplyTimeSource();
  // 23:30 GMT + 1 h zone + 1 h daylight saving = 01:30 next day.
  EXPECT_EQ(observer().dateTime, AstDateTime(1, 1, 2002, 1.5, TimeKind::Lct));
  EXPECT_TRUE(observer().daylightSaving);
  EXPECT_EQ(watch.count(), 0);
}

TEST(TimeSource, DaylightSavingIsOnOnlyWhileDaylightTimeShiftsTheClockByAnHour) {
  struct Case {
    PlatformClock::ZoneState state;
    int biasMinutes;
    bool daylightSaving;
    int messages;
  };
  const Case cases[] = {
      {PlatformClock::ZoneState::Daylight, -60, true, 0},
      // Standard time, even where the zone has daylight saving time.
      {PlatformClock::ZoneState::Standard, -60, false, 0},
      {PlatformClock::ZoneState::Daylight, 0, false, 0},
      {PlatformClock::ZoneState::Daylight, -30, false, 1},  // told as unreadable
  };
  const AstDateTime now(3, 3, 2003, 4.25, TimeKind::Lct);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.biasMinutes);
    TemporarySettings settings;
    setPlatformClock(clockAt(now, c.state, c.biasMinutes));
    observer().daylightSaving = !c.daylightSaving;
    options().userDaylightSaving = !c.daylightSaving;
    testing::ModalWatch watch;
    ApplyTimeSource();
    EXPECT_EQ(observer().dateTime, now);  // the computer's clock as it is
    EXPECT_EQ(observer().daylightSaving, c.daylightSaving);
    EXPECT_EQ(watch.count(), c.messages);
  }
}

TEST(TimeSource, AnUnreadableTimeZoneIsToldOnceARunAndTakenAsStandardTime) {
  TemporarySettings settings;
  setPlatformClock(clockAt(TemporarySettings::fixedNow(), PlatformClock::ZoneState::Unknown, 0));
  testing::ModalWatch watch;
  observer().daylightSaving = true;
  ApplyTimeSource();
  EXPECT_FALSE(observer().daylightSaving);
  ApplyTimeSource();  // a later look at the clock (the Date and Time dialog, say)
  ApplyTimeSource();
  ASSERT_EQ(watch.count(), 1);
  EXPECT_EQ(watch.shown[0].text,
            QStringLiteral("Noctavo was unable to determine your computer's setting for daylight saving time. "
                           "Daylight saving time is assumed to be off"));
  EXPECT_EQ(watch.shown[0].caption, QStringLiteral("Noctavo information"));
}

TEST(TimeSource, TheSystemClockGivesTheMomentOfToday) {
  TemporarySettings settings;
  setPlatformClock({});
  testing::ModalWatch watch;  // in case this machine's time zone cannot be read
  ApplyTimeSource();
  const AstDateTime& now = observer().dateTime;
  EXPECT_EQ(now.getKind(), TimeKind::Lct);
  // The day may change during the test; it is today or yesterday.
  const QDate day(now.getYear(), now.getMonth(), now.getDay());
  EXPECT_TRUE(day == QDate::currentDate() || day == QDate::currentDate().addDays(-1));
}

// ------------------------------------------------------- real-time clock

QList<QAbstractEventDispatcher::TimerInfo> timersOf(QObject* object) {
  return QAbstractEventDispatcher::instance()->registeredTimers(object);
}

TEST(RealTimeClock, RunsEveryMinuteOnItsHostWhileTheOptionIsOn) {
  TemporarySettings settings;
  QObject host;
  setRealTimeClockHost(&host);
  EXPECT_EQ(realTimeClockTimerId(), 0);
  options().realTimeClock = true;
  ApplyTimeSource();
  ApplyTimeSource();  // a second apply keeps the one timer
  const auto timers = timersOf(&host);
  ASSERT_EQ(timers.size(), 1);
  EXPECT_EQ(timers.front().timerId, realTimeClockTimerId());
  EXPECT_EQ(timers.front().interval, 60000);
  options().realTimeClock = false;
  ApplyTimeSource();
  EXPECT_EQ(realTimeClockTimerId(), 0);
  EXPECT_TRUE(timersOf(&host).isEmpty());
}

TEST(RealTimeClock, FollowsItsHostAndEndsWithIt) {
  TemporarySettings settings;
  QObject first;
  auto second = std::make_unique<QObject>();
  setRealTimeClockHost(&first);
  options().realTimeClock = true;
  ApplyTimeSource();
  setRealTimeClockHost(second.get());
  EXPECT_TRUE(timersOf(&first).isEmpty());
  EXPECT_EQ(timersOf(second.get()).size(), 1);
  second.reset();
  EXPECT_EQ(realTimeClockTimerId(), 0);
}

TEST(RealTimeClock, WithoutAHostToRunOnItIsAnInternalError) {
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
  // The selected place follows the choice.
  options().userLocation = place("X", "Home", 10.0, 20.0, -1.0f);
  EXPECT_STREQ(selectedLocation().town, "London");
  options().useUserLocation = true;
  EXPECT_STREQ(selectedLocation().town, "Home");
}

}  // namespace
}  // namespace noctavo
