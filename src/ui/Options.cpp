#include "ui/Options.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimeZone>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <string>

#include "time/AstCoord.h"
#include "time/InternalError.h"
#include "time/TimeSystems.h"
#include "ui/AppMessageBox.h"
#include "ui/SettingsStore.h"

namespace noctavo {

namespace {

constexpr const char* moduleName = "AST_OPT";

// Key paths below RegistryRoot() and the value names of the options.
constexpr const char* timeKey = "Time";
constexpr const char* userTimeKey = "Time\\User defined";
constexpr const char* locationKey = "Location";
constexpr const char* listLocationKey = "Location\\Selected from list";
constexpr const char* userLocationKey = "Location\\User defined";

constexpr const char* useUserTimeName = "Use user defined time";
constexpr const char* realTimeClockName = "Real time clock";
constexpr const char* useUserLocationName = "Use user defined location";
constexpr const char* alwaysMaximizeName = "Always maximize child windows";
constexpr const char* saveOptionsName = "Save options";
constexpr const char* saveWindowStateName = "Save window state";
constexpr const char* angleRaName = "Angle RA";
constexpr const char* angleOtherName = "Angle other";
constexpr const char* positionMethodSettingName = "Position method";

constexpr const char* hourMinSecText = "HourMinSec";
constexpr const char* degMinSecText = "DegMinSec";
constexpr const char* decimalText = "Decimal";

constexpr double hoursPerSecond = 0.0002777777777777778;
constexpr double hoursPerMinute = 0.016666666666666666;

constexpr int realTimeClockPeriodMs = 60000;

// The names of a place are kept shorter than 20 characters: the location
// list and the dialogs hold them in fields of that size.
constexpr std::size_t nameBufferSize = 20;

// The texts an empty store gives for a place.
struct PlaceTexts {
  const char* country;
  const char* city;
  const char* longitude;
  const char* latitude;
  const char* timeZone;
};
constexpr PlaceTexts listPlaceDefaults{"UK", "London", "0.17", "51.50", "0"};
constexpr PlaceTexts userPlaceDefaults{"(User)", "(User)", "0", "0", "0"};

// Time zones of the world run from 12 hours west to 14 hours east.
constexpr float westmostTimeZone = -12.0f;
constexpr float eastmostTimeZone = 14.0f;


PlatformClock platformClock;
bool daylightSavingMessageShown = false;

QPointer<QObject> clockHost;
int clockTimerId = 0;

// ------------------------------------------------------------------- places

// A stored number is read as the settings always wrote it, with a "%f"
// scan to a float. A text that is no number, or one no place can have,
// reads as the default: a damaged value must never become a position.
bool scanFloat(const std::string& text, float& out) {
  float value = 0.0f;
  if (std::sscanf(text.c_str(), "%f", &value) != 1 || !std::isfinite(value)) return false;
  out = value;
  return true;
}

float placeNumber(const std::string& key, const char* name, const char* defaultText, float lowest,
                  float highest, bool highestIncluded) {
  float value = 0.0f;
  const bool inRange = scanFloat(SettingsReadString(key, name, defaultText), value) && value >= lowest &&
                       (highestIncluded ? value <= highest : value < highest);
  if (inRange) return value;
  scanFloat(defaultText, value);
  return value;
}

std::string placeName(const std::string& key, const char* name, const char* defaultText) {
  std::string text = SettingsReadString(key, name, defaultText);
  if (text.size() >= nameBufferSize) text.resize(nameBufferSize - 1);
  return text;
}

LocationRecord readPlace(const std::string& key, const PlaceTexts& defaults) {
  LocationRecord place;
  place.setCountry(placeName(key, "Country", defaults.country).c_str());
  place.setTown(placeName(key, "City", defaults.city).c_str());
  place.longitude.set(placeNumber(key, "Longitude", defaults.longitude, -180.0f, 180.0f, false));
  place.latitude.set(placeNumber(key, "Latitude", defaults.latitude, -90.0f, 90.0f, true));
  place.timeZone = placeNumber(key, "Time zone", defaults.timeZone, westmostTimeZone, eastmostTimeZone, true);
  return place;
}

// A place from the texts alone, as an empty store gives it.
LocationRecord defaultPlace(const PlaceTexts& texts) {
  LocationRecord place;
  place.setCountry(texts.country);
  place.setTown(texts.city);
  float value = 0.0f;
  scanFloat(texts.longitude, value);
  place.longitude.set(value);
  scanFloat(texts.latitude, value);
  place.latitude.set(value);
  scanFloat(texts.timeZone, value);
  place.timeZone = value;
  return place;
}

std::string realText(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", value);
  return text;
}

void writePlace(const std::string& key, const LocationRecord& place) {
  SettingsWriteString(key, "Country", place.country);
  SettingsWriteString(key, "City", place.town);
  SettingsWriteString(key, "Longitude", realText(place.longitude.get()));
  SettingsWriteString(key, "Latitude", realText(place.latitude.get()));
  SettingsWriteString(key, "Time zone", realText(place.timeZone));
}

// --------------------------------------------------------------------- time

// The user's moment as stored; a damaged part (a month 13, an hour 25, a
// time system that does not exist) gives the whole default moment.
AstDateTime readUserTime(const std::string& key) {
  const int hour = SettingsReadInt(key, "Hour", 0);
  const int minute = SettingsReadInt(key, "Minute", 0);
  const int second = SettingsReadInt(key, "Second", 0);
  const int day = SettingsReadInt(key, "Day", 1);
  const int month = SettingsReadInt(key, "Month", 1);
  const int year = SettingsReadInt(key, "Year", 2000);
  const int kind = SettingsReadInt(key, "Time system", static_cast<int>(TimeKind::Lct));

  const bool timeValid = hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
  const bool kindValid = kind >= static_cast<int>(TimeKind::Gmt) && kind <= static_cast<int>(TimeKind::Lst);
  AstDateTime moment(1, month, year, 0.0, static_cast<TimeKind>(kindValid ? kind : 0));
  const bool dateValid =
      month >= 1 && month <= 12 && year >= 1 && year <= 9999 && day >= 1 && day <= moment.daysInMonth();
  if (!timeValid || !kindValid || !dateValid) return Options{}.userTime;
  moment.setDay(day);
  moment.setHours(second * hoursPerSecond + minute * hoursPerMinute + hour);
  return moment;
}

const char* angleRaText(int angleRa) {
  switch (angleRa) {
    case 0: return hourMinSecText;
    case 2: return decimalText;
    default: return degMinSecText;
  }
}

// The computer's clock and time zone, as Qt reads them.
AstDateTime systemLocalNow() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  AstDateTime moment(TimeKind::Lct);
  moment.setDateTime(date.day(), date.month(), date.year(), time.hour(), time.minute(), time.second());
  return moment;
}

PlatformClock::ZoneState systemZone(int& daylightBiasMinutes) {
  daylightBiasMinutes = 0;
  const QTimeZone zone = QTimeZone::systemTimeZone();
  if (!zone.isValid()) return PlatformClock::ZoneState::Unknown;
  const QDateTime now = QDateTime::currentDateTime();
  if (zone.isDaylightTime(now)) {
    daylightBiasMinutes = -zone.daylightTimeOffset(now) / 60;
    return PlatformClock::ZoneState::Daylight;
  }
  if (zone.hasDaylightTime()) {
    // In standard time the shift of the zone's daylight time is read from
    // the next change of the clocks.
    const QTimeZone::OffsetData next = zone.nextTransition(now);
    const QTimeZone::OffsetData previous = zone.previousTransition(now);
    const int shiftSeconds = next.daylightTimeOffset != 0 ? next.daylightTimeOffset : previous.daylightTimeOffset;
    daylightBiasMinutes = -shiftSeconds / 60;
  }
  return PlatformClock::ZoneState::Standard;
}

QWidget* messageOwner() { return qobject_cast<QWidget*>(clockHost.data()); }

// Whether daylight saving time is in force by the platform. Only daylight
// time with the usual shift of one hour is; the program knows no other
// shift. Standard time is standard time even where the zone has a daylight
// time: the zone's bias alone says nothing about today.
bool platformDaylightSaving() {
  int biasMinutes = 0;
  const PlatformClock::ZoneState state = platformClock.zone ? platformClock.zone(biasMinutes) : systemZone(biasMinutes);
  if (state == PlatformClock::ZoneState::Standard) return false;
  if (state == PlatformClock::ZoneState::Daylight) {
    if (biasMinutes == 0) return false;
    if (biasMinutes == -60) return true;
  }
  // Said once a run: every later look at the clock would only repeat it.
  if (!daylightSavingMessageShown) {
    daylightSavingMessageShown = true;
    AppMessageBox(QStringLiteral("Noctavo was unable to determine your computer's setting for daylight saving "
                                 "time. Daylight saving time is assumed to be off"),
                  messageOwner(), MsgSeverity::Information, MsgButtons::Ok);
  }
  return false;
}

void startRealTimeClock() {
  if (clockTimerId != 0 && clockHost) return;
  clockTimerId = 0;
  if (!clockHost) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  clockTimerId = clockHost->startTimer(realTimeClockPeriodMs);
  if (clockTimerId == 0) NOCTAVO_INTERNAL_ERROR(moduleName);
}

void stopRealTimeClock() {
  if (clockTimerId == 0) return;
  if (clockHost) clockHost->killTimer(clockTimerId);
  clockTimerId = 0;
}

}  // namespace

LocationRecord defaultListLocation() { return defaultPlace(listPlaceDefaults); }
LocationRecord defaultUserLocation() { return defaultPlace(userPlaceDefaults); }

Options& options() {
  static Options theOptions;
  return theOptions;
}

Observer& observer() {
  static Observer theObserver{AstDateTime(TimeKind::Lct), defaultListLocation(), false};
  return theObserver;
}

const LocationRecord& selectedLocation() {
  return options().useUserLocation ? options().userLocation : options().listLocation;
}

void applyAngleDisplayOptions() {
  AngleDisplayModes modes;
  modes.rightAscension = static_cast<RightAscensionDisplay>(options().angleRa);
  modes.other = static_cast<AngleDisplay>(options().angleOther);
  setAngleDisplayModes(modes);
}

void applyPositionMethodOption() { setPositionMethod(options().positionMethod); }

void changeObserverLocation(Observer& target, const LocationRecord& place) {
  AstDateTime universal = target.momentIn(TimeKind::Gmt);
  target.location = place;
  convertTime(universal, TimeKind::Lct, target.longitude(), target.timeZone(), target.daylightSaving);
  target.dateTime = universal;
}

void setPlatformClock(PlatformClock clock) {
  platformClock = std::move(clock);
  daylightSavingMessageShown = false;
}

void setRealTimeClockHost(QObject* frame) {
  const bool running = clockTimerId != 0 && clockHost;
  stopRealTimeClock();
  clockHost = frame;
  if (running && frame) startRealTimeClock();
}

int realTimeClockTimerId() {
  // A host that has gone took its timer with it.
  if (!clockHost) clockTimerId = 0;
  return clockTimerId;
}

void OptionsInit() {
  OptionsLoad();
  ApplyTimeSource();
}

void OptionsLoad() {
  Options& o = options();
  const std::string time = settingsKey(timeKey);
  o.useUserTime = SettingsReadBool(time, useUserTimeName, false);
  const std::string userTime = settingsKey(userTimeKey);
  o.userTime = readUserTime(userTime);
  o.userDaylightSaving = SettingsReadBool(userTime, "Daylight saving time", false);
  o.realTimeClock = SettingsReadBool(time, realTimeClockName, false);

  o.listLocation = readPlace(settingsKey(listLocationKey), listPlaceDefaults);
  o.userLocation = readPlace(settingsKey(userLocationKey), userPlaceDefaults);
  o.useUserLocation = SettingsReadBool(settingsKey(locationKey), useUserLocationName, false);
  observer().location = selectedLocation();

  const std::string& root = RegistryRoot();
  o.alwaysMaximize = SettingsReadBool(root, alwaysMaximizeName, true);
  o.saveOptions = SettingsReadBool(root, saveOptionsName, true);

  const std::string angleRa = SettingsReadString(root, angleRaName, hourMinSecText);
  o.angleRa = angleRa == hourMinSecText ? 0 : angleRa == decimalText ? 2 : 1;
  o.angleOther = SettingsReadString(root, angleOtherName, degMinSecText) == decimalText ? 1 : 0;

  o.saveWindowState = SettingsReadBool(root, saveWindowStateName, true);
  // Any text but the two names (a damaged or a future value) is the default.
  o.positionMethod = positionMethodByName(SettingsReadString(root, positionMethodSettingName,
                                                             positionMethodName(PositionMethod::Classical)))
                         .value_or(PositionMethod::Classical);
  o.factoryDefaults = false;
  applyAngleDisplayOptions();
  applyPositionMethodOption();
}

void OptionsSave() {
  const Options& o = options();
  const std::string& root = RegistryRoot();
  if (o.factoryDefaults) {
    SettingsDeleteTree(root);
    return;
  }
  SettingsWriteInt(root, saveOptionsName, o.saveOptions ? 1 : 0);
  if (!o.saveOptions) return;

  const std::string time = settingsKey(timeKey);
  const std::string userTime = settingsKey(userTimeKey);
  SettingsWriteInt(time, useUserTimeName, o.useUserTime ? 1 : 0);
  SettingsWriteInt(userTime, "Second", o.userTime.getSecond());
  SettingsWriteInt(userTime, "Minute", o.userTime.getMinute());
  SettingsWriteInt(userTime, "Hour", o.userTime.getHour());
  SettingsWriteInt(userTime, "Day", o.userTime.getDay());
  SettingsWriteInt(userTime, "Month", o.userTime.getMonth());
  SettingsWriteInt(userTime, "Year", o.userTime.getYear());
  SettingsWriteInt(userTime, "Daylight saving time", o.userDaylightSaving ? 1 : 0);
  SettingsWriteInt(userTime, "Time system", static_cast<int>(o.userTime.getKind()));
  SettingsWriteInt(time, realTimeClockName, o.realTimeClock ? 1 : 0);

  writePlace(settingsKey(listLocationKey), o.listLocation);
  writePlace(settingsKey(userLocationKey), o.userLocation);
  SettingsWriteInt(settingsKey(locationKey), useUserLocationName, o.useUserLocation ? 1 : 0);

  SettingsWriteInt(root, alwaysMaximizeName, o.alwaysMaximize ? 1 : 0);
  SettingsWriteInt(root, saveOptionsName, o.saveOptions ? 1 : 0);
  SettingsWriteString(root, angleRaName, angleRaText(o.angleRa));
  SettingsWriteString(root, angleOtherName, o.angleOther == 1 ? decimalText : degMinSecText);
  SettingsWriteInt(root, saveWindowStateName, o.saveWindowState ? 1 : 0);
  SettingsWriteString(root, positionMethodSettingName, positionMethodName(o.positionMethod));
}

void ApplyTimeSource() {
  Observer& obs = observer();
  if (options().useUserTime) {
    obs.dateTime = options().userTime;
    obs.daylightSaving = options().userDaylightSaving;
    convertTime(obs.dateTime, TimeKind::Lct, obs.longitude(), obs.timeZone(), obs.daylightSaving);
  } else {
    obs.dateTime = platformClock.localNow ? platformClock.localNow() : systemLocalNow();
    obs.dateTime.setKind(TimeKind::Lct);
    obs.daylightSaving = platformDaylightSaving();
  }

  if (options().realTimeClock) {
    startRealTimeClock();
  } else {
    stopRealTimeClock();
  }
}

}  // namespace noctavo
