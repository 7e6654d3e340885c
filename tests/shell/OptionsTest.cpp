// The options and the observer: their stored values, the save modes, the
// time source with its daylight saving rule, the real-time clock and a
// change of place.
#include <gtest/gtest.h>

#include <QObject>

#include <functional>
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

TEST(OptionsSaving, EveryOptionComesBackAfterARestartInTheStoredFileFormat) {
  TemporarySettings settings;
  Options& o = options();
  o.useUserTime = true;
  o.userTime.setDateTime(29, 2, 2004, 23, 59, 58);
  o.userTime.setKind(TimeKind::Lst);
  o.userDaylightSaving = true;
  o.realTimeClock = true;
  o.useUserLocation = true;
  o.alwaysMaximize = false;
  // Values a float holds exactly: the store reads them back as floats. A
  // name of 19 characters is kept whole.
  o.userLocation = place("NZ", "Home", -174.75, -36.75, 12.0f);
  o.listLocation = place("United Kingdom of G", "Llanfairpwllgwyngyl", -72.875, 18.875, 5.5f);
  o.angleRa = 2;
  o.angleOther = 1;
  o.positionMethod = PositionMethod::Precise;
  const Options saved = o;
  OptionsSave();
  // A few of every kind as the file holds them: flags, numbers, texts.
  const std::tuple<std::string, const char*, const char*> values[] = {
      {root, "Angle RA", "Decimal"},         {root, "Angle other", "Decimal"},
      {userTimeKey, "Time system", "3"},     {root + "\\Time", "Real time clock", "1"},
      {listKey, "Longitude", "-72.875000"},  {listKey, "Time zone", "5.500000"},
      {root, "Always maximize child windows", "0"}, {root, "Position method", "Precise"}};
  for (const auto& [key, name, text] : values) EXPECT_EQ(stored(key, name), text) << name;
  settings.restart();
  TemporarySettings::resetProgramState();
  OptionsLoad();
  EXPECT_EQ(options().useUserTime, saved.useUserTime);
  EXPECT_EQ(options().userTime, saved.userTime);
  EXPECT_EQ(options().userDaylightSaving, saved.userDaylightSaving);
  EXPECT_EQ(options().realTimeClock, saved.realTimeClock);
  EXPECT_EQ(options().useUserLocation, saved.useUserLocation);
  EXPECT_EQ(options().alwaysMaximize, saved.alwaysMaximize);
  EXPECT_EQ(options().userLocation, saved.userLocation);
  EXPECT_EQ(options().listLocation, saved.listLocation);
  EXPECT_EQ(options().angleRa, 2);
  EXPECT_EQ(options().angleOther, 1);
  EXPECT_EQ(angleDisplayModes(), (AngleDisplayModes{RightAscensionDisplay::Decimal, AngleDisplay::Decimal}));
  EXPECT_EQ(positionMethod(), PositionMethod::Precise);
  EXPECT_EQ(observer().location, saved.userLocation);
  // A longer stored name is cut to 19 characters.
  SettingsWriteString(listKey, "City", "Llanfairpwllgwyngyllgogerychwyrndrobwll");
  OptionsLoad();
  EXPECT_STREQ(options().listLocation.town, "Llanfairpwllgwyngyl");
}


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

// A stored text that is no value the option can have reads as its default
// (a bad longitude would otherwise end the program); the extremes are kept.
TEST(StoredValues, TextsThatAreNoValueReadAsTheDefaultAndTheExtremesAreKept) {
  TemporarySettings settings;
  const auto list = [] { return options().listLocation; };
  const auto user = [] { return options().userLocation; };
  const struct {
    std::string key;
    const char* name;
    const char* text;
    std::function<double()> read;
    double expected;
  } cases[] = {
      {listKey, "Longitude", "west", [&] { return list().longitude.get(); }, 0.17},
      {listKey, "Longitude", "-179.5", [&] { return list().longitude.get(); }, -179.5},
      {listKey, "Latitude", "", [&] { return list().latitude.get(); }, 51.5},
      {listKey, "Latitude", "-90", [&] { return list().latitude.get(); }, -90.0},
      {listKey, "Time zone", "nan", [&] { return list().timeZone; }, 0.0},
      {listKey, "Time zone", "-12", [&] { return list().timeZone; }, -12.0},
      {userPlaceKey, "Longitude", "180.000000", [&] { return user().longitude.get(); }, 0.0},  // 180 is -180
      {userPlaceKey, "Latitude", "91", [&] { return user().latitude.get(); }, 0.0},
      {userPlaceKey, "Time zone", "1e30", [&] { return user().timeZone; }, 0.0},
      {root, "Angle RA", "Decimal", [] { return options().angleRa; }, 2},
      {root, "Angle RA", "HourMinSec", [] { return options().angleRa; }, 0},
      {root, "Angle RA", "HourMinSec ", [] { return options().angleRa; }, 1},  // anything else: "DegMinSec"
      {root, "Angle RA", "decimal", [] { return options().angleRa; }, 1},
      {root, "Angle other", "Decimal", [] { return options().angleOther; }, 1},
      {root, "Angle other", "Hours", [] { return options().angleOther; }, 0},
      {root, "Save options", "yes", [] { return options().saveOptions; }, 1},
      {root, "Position method", "precise", [] { return static_cast<int>(positionMethod()); }, 0},
      {root + "\\Time", "Real time clock", "on", [] { return options().realTimeClock; }, 0},
  };
  for (const auto& c : cases) {
    SettingsWriteString(c.key, c.name, c.text);
    OptionsLoad();  // no internal error for a stored value
    EXPECT_FLOAT_EQ(float(c.read()), float(c.expected)) << c.name << " \"" << c.text << "\"";
  }
  EXPECT_EQ(angleDisplayModes(), (AngleDisplayModes{RightAscensionDisplay::DegMinSec, AngleDisplay::DegMinSec}));
  // A user moment that cannot be gives the default moment.
  const char* names[] = {"Hour", "Minute", "Second", "Day", "Month", "Year", "Time system"};
  const char* wrong[] = {"24", "60", "-1", "31", "13", "0", "4"};
  for (int i = 0; i < 7; ++i) {
    TemporarySettings fresh;
    SettingsWriteString(userTimeKey, "Month", "4");  // April has 30 days
    SettingsWriteString(userTimeKey, names[i], wrong[i]);
    OptionsLoad();
    EXPECT_EQ(options().userTime, AstDateTime(1, 1, 2000, 0.0, TimeKind::Lct)) << names[i];
  }
}


// Daylight saving from the computer is on only while daylight time shifts
// the clock by an hour (the zone's bias alone says nothing about the day);
// a zone that cannot be read is told once a run and taken as standard time.
TEST(TimeSource, DaylightSavingIsOnOnlyWhileDaylightTimeShiftsTheClockByAnHour) {
  using State = PlatformClock::ZoneState;
  const struct { State state; int biasMinutes; bool daylightSaving; int messages; } cases[] = {
      {State::Daylight, -60, true, 0}, {State::Standard, -60, false, 0}, {State::Daylight, 0, false, 0},
      {State::Daylight, -30, false, 1}, {State::Unknown, 0, false, 1}};
  const AstDateTime now(3, 3, 2003, 4.25, TimeKind::Lct);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.biasMinutes);
    TemporarySettings settings;
    setPlatformClock(clockAt(now, c.state, c.biasMinutes));
    observer().daylightSaving = options().userDaylightSaving = !c.daylightSaving;
    testing::ModalWatch watch;
    ApplyTimeSource();
    ApplyTimeSource();  // a later look at the clock (the Date and Time dialog, say)
    EXPECT_EQ(observer().dateTime, now);  // the computer's clock as it is
    EXPECT_EQ(observer().daylightSaving, c.daylightSaving);
    ASSERT_EQ(watch.count(), c.messages);
    if (c.messages) {
      EXPECT_EQ(watch.shown[0].text,
                QStringLiteral("Noctavo was unable to determine your computer's setting for daylight saving time. "
                               "Daylight saving time is assumed to be off"));
    }
  }
}

}  // namespace
}  // namespace noctavo
