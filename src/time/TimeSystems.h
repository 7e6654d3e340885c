#pragma once

#include <string>

#include "time/AstDateTime.h"

namespace noctavo {

// "Greenwich mean time", "Greenwich siderial time", "Local civil time",
// "Local siderial time" (the program's spelling); "" for None.
const char* timeKindLongName(TimeKind kind);
// "GMT", "GST", "LCT", "LST"; "" for None.
const char* timeKindShortName(TimeKind kind);

// Converts a record in place to another time system, one rung of the ladder
// Lct - Gmt - Gst - Lst at a time, and sets its kind. Longitude in degrees,
// west positive; time zone in hours east of Greenwich. An unknown kind is an
// internal error and leaves the record as it was. Nothing happens to an
// invalid record.
void convertTime(AstDateTime& moment, TimeKind target, double longitude, float timeZone,
                 bool daylightSaving);

// The single rungs. The civil steps wrap the hours both ways and move the
// date; the sidereal ones never move the date.
void lctToGmt(AstDateTime& moment, float timeZone, bool daylightSaving);
void gmtToLct(AstDateTime& moment, float timeZone, bool daylightSaving);
void gmtToGst(AstDateTime& moment);
void gstToGmt(AstDateTime& moment);
void gstToLst(AstDateTime& moment, double longitude);
void lstToGst(AstDateTime& moment, double longitude);

// "%+.1f hours" with the unit, else "%+.1f".
std::string formatTimeZone(float timeZone, bool withUnit);
// Accepts a number with optional trailing text ("+5.5 hours") in
// -12 < z <= 12.
bool parseTimeZone(const std::string& text, float& timeZone);
// "On" / "Off".
std::string formatDaylightSaving(bool daylightSaving);

// Observer's latitude, degrees, north positive, -90..90. Setting a value
// outside is ignored.
class AstLatitude {
 public:
  AstLatitude() = default;
  explicit AstLatitude(double degrees) { set(degrees); }
  void set(double degrees);
  double get() const { return degrees_; }
  // Angle text with limit 90; false and unchanged on failure.
  bool parse(const std::string& text);
  std::string format() const;
  friend bool operator==(AstLatitude, AstLatitude) = default;

 private:
  double degrees_ = 0.0;
};

// Observer's longitude, degrees, west positive, -180 <= lambda < 180.
// Setting a value outside is an internal error and keeps the old value.
class AstLongitude {
 public:
  AstLongitude() = default;
  explicit AstLongitude(double degrees) { set(degrees); }
  void set(double degrees);
  double get() const { return degrees_; }
  // Angle text with limit 180; a value outside [-180, 180) (the text "180")
  // is a rejected text, never an internal error. False and unchanged on
  // failure.
  bool parse(const std::string& text);
  std::string format() const;
  friend bool operator==(AstLongitude, AstLongitude) = default;

 private:
  double degrees_ = 0.0;
};

}  // namespace noctavo
