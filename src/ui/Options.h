#pragma once

#include <functional>

#include "bodies/PositionMethod.h"
#include "time/AstDateTime.h"
#include "time/Observer.h"

class QObject;

namespace noctavo {

// The places an empty settings store gives: London from the list, and the
// user's own place "(User)" at 0, 0, time zone 0.
LocationRecord defaultListLocation();
LocationRecord defaultUserLocation();

// The program's options, kept under RegistryRoot(). One record for the run.
struct Options {
  bool useUserTime = false;
  AstDateTime userTime{1, 1, 2000, 0.0, TimeKind::Lct};
  bool userDaylightSaving = false;
  bool realTimeClock = false;
  bool useUserLocation = false;
  LocationRecord listLocation = defaultListLocation();  // "Selected from list"
  LocationRecord userLocation = defaultUserLocation();  // "User defined"
  int angleRa = 0;              // 0 HourMinSec, 1 DegMinSec, 2 Decimal
  int angleOther = 0;           // 0 DegMinSec, 1 Decimal
  bool alwaysMaximize = true;
  bool saveOptions = true;
  bool saveWindowState = true;
  // "Position method": how every window computes its positions.
  PositionMethod positionMethod = PositionMethod::Classical;
  bool factoryDefaults = false;  // not stored: chosen for this run only
};

// The one options record and the one observer of the program, owned here.
Options& options();
Observer& observer();

// Hands angleRa and angleOther to the core's angle formatters; done
// whenever the options are loaded or changed.
void applyAngleDisplayOptions();

// Hands the position method to the core's bodies and catalogues; done
// whenever the options are loaded or changed.
void applyPositionMethodOption();

// The place in use: userLocation or listLocation, as useUserLocation says.
const LocationRecord& selectedLocation();

// Moves the observer to another place keeping the absolute moment: the local
// civil time follows the new time zone (the Location command).
void changeObserverLocation(Observer& observer, const LocationRecord& place);

// What the platform says of its clock and time zone. The program asks for
// the local civil date and time and whether daylight saving time is in
// force; tests replace it.
struct PlatformClock {
  enum class ZoneState { Standard, Daylight, Unknown };
  std::function<AstDateTime()> localNow;                  // kind Lct
  // Standard or daylight time now, and the zone's daylight bias in minutes
  // (-60 where the clocks go forward by an hour, 0 where they never move).
  std::function<ZoneState(int& daylightBiasMinutes)> zone;
};
// Empty members: the system's clock and time zone. Installing a clock also
// allows the message about an unreadable time zone to be shown once again.
void setPlatformClock(PlatformClock clock);

// The window whose timer drives the real-time clock (the main frame): a tick
// reaches it as a QTimerEvent whose id realTimeClockTimerId() names.
void setRealTimeClockHost(QObject* frame);
int realTimeClockTimerId();  // 0 while the clock is off

void OptionsInit();  // OptionsLoad(), then ApplyTimeSource()
void OptionsLoad();
void OptionsSave();
// Sets the observer's moment from the user-defined time or the computer's
// clock, and starts or stops the real-time clock.
void ApplyTimeSource();

}  // namespace noctavo
