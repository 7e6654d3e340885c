#pragma once

#include <cstring>

#include "time/AstDateTime.h"
#include "time/TimeSystems.h"

namespace noctavo {

// A place on Earth, copied as a whole. The name fields are fixed arrays
// because the record is stored byte for byte in graph files.
struct LocationRecord {
  AstLatitude latitude;
  AstLongitude longitude;
  float timeZone = 0.0f;  // hours east of Greenwich
  char country[23] = {};
  char town[23] = {};

  void setCountry(const char* text) { copyName(country, text); }
  void setTown(const char* text) { copyName(town, text); }

  friend bool operator==(const LocationRecord& a, const LocationRecord& b) {
    return a.latitude == b.latitude && a.longitude == b.longitude && a.timeZone == b.timeZone &&
           std::strcmp(a.country, b.country) == 0 && std::strcmp(a.town, b.town) == 0;
  }

 private:
  static void copyName(char (&field)[23], const char* text) {
    std::strncpy(field, text ? text : "", sizeof field - 1);
    field[sizeof field - 1] = '\0';
  }
};

// The context of every computation: a moment (normally local civil time), a
// place and the daylight-saving flag.
struct Observer {
  AstDateTime dateTime{TimeKind::Lct};
  LocationRecord location;
  bool daylightSaving = false;

  double longitude() const { return location.longitude.get(); }
  double latitude() const { return location.latitude.get(); }
  float timeZone() const { return location.timeZone; }

  // A copy of the observer's moment converted to another time system.
  AstDateTime momentIn(TimeKind kind) const {
    AstDateTime copy = dateTime;
    convertTime(copy, kind, longitude(), timeZone(), daylightSaving);
    return copy;
  }

  friend bool operator==(const Observer&, const Observer&) = default;
};

}  // namespace noctavo
