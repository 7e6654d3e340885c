#pragma once

#include <cmath>
#include <cstdint>
#include <string>

namespace noctavo {

// The time system a moment is expressed in. The numbers are stored in
// settings and graph files.
enum class TimeKind : std::int32_t { Gmt = 0, Gst = 1, Lct = 2, Lst = 3, None = 4 };

// The unit of every date step (time bar, graph range, animation).
enum class StepUnit : std::int32_t { Minutes = 0, Hours = 1, Days = 2, Months = 3, Years = 4 };

// What the time text shows when rounding to the nearest second reaches 24 h.
enum class TimeOverflow : std::int32_t {
  CarryDay = 0,   // show 00:00:00; the date beside it moves to the next day
  Show24 = 1,     // show 24:00:00
  Unrounded = 2,  // show the time truncated, not rounded
};

// A Julian Day number; -1.0 marks it invalid, and so does a value that is
// no number at all (NaN or an infinity).
class AstJulianDay {
 public:
  AstJulianDay() = default;
  explicit AstJulianDay(double day) : day_(day) {}

  double value() const { return day_; }
  bool isValid() const { return day_ != -1.0 && std::isfinite(day_); }
  void invalidate() { day_ = -1.0; }
  // this - other in days; 0.0 when either is invalid.
  double difference(AstJulianDay other) const;

  // "%.3f"; "*******.***" when invalid.
  std::string format() const;
  // Leading decimal number (digits with an optional sign, point and
  // exponent; no hexadecimal, no "inf" or "nan"), accepted from 1 January
  // 1583 0h up to, not including, 1 January 3000 0h. On failure the value
  // becomes invalid.
  bool parse(const std::string& text);

  friend bool operator==(AstJulianDay, AstJulianDay) = default;

 private:
  double day_ = -1.0;
};

// The one date-and-time value of the program: a Gregorian date (years 1 to
// 9999) and the time of day in decimal hours, tagged with its time system.
// hours == -1.0 marks the whole record invalid, and so do hours that are no
// number (NaN or an infinity, stored without a check); every operation on an
// invalid record does nothing, returns false or 0, or formats as asterisks.
// A valid record always keeps 0 <= hours < 24.
class AstDateTime {
 public:
  AstDateTime() = default;  // 01.01.1980 00:00:00, kind None
  explicit AstDateTime(TimeKind kind) : kind_(kind) {}
  AstDateTime(int day, int month, int year, double hours, TimeKind kind)
      : day_(day), month_(month), year_(year), hours_(hours), kind_(kind) {}

  bool isValid() const { return hours_ != -1.0 && std::isfinite(hours_); }
  void invalidate() { hours_ = -1.0; }

  int getDay() const { return isValid() ? day_ : 0; }
  int getMonth() const { return isValid() ? month_ : 0; }
  int getYear() const { return isValid() ? year_ : 0; }
  TimeKind getKind() const { return kind_; }
  double getHours() const { return hours_; }
  int getHour() const;
  int getMinute() const;
  int getSecond() const;
  // Minutes of the hour rounded to the nearest minute (can be 60).
  int getMinuteRounded() const;

  // Plain stores, without any check.
  void setDay(int day) { day_ = day; }
  void setMonth(int month) { month_ = month; }
  void setYear(int year) { year_ = year; }
  void setKind(TimeKind kind) { kind_ = kind; }
  void setHours(double hours) { hours_ = hours; }
  void setDateTime(int day, int month, int year, int hour, int minute, int second);
  // Rebuild hours from one new component and the other two current whole
  // components; fractions of a second are dropped.
  void setHour(int hour);
  void setMinute(int minute);
  void setSecond(int second);

  bool isLeapYear() const;
  int daysInMonth() const;
  int dayOfYear() const;
  // Month and day of the record's year from a day number 1..days of year.
  void setFromDayOfYear(int dayNumber);
  // Day and month of Easter Sunday of the record's year.
  void setEaster();

  // Steps; each keeps 0 <= hours < 24 and fails (making the record invalid)
  // when the year would leave 1..9999.
  bool addMinutes(int minutes);
  bool addHours(int hours);
  bool addDays(int days);
  bool addMonths(int months);
  bool addYears(int years);
  bool addDecimalHours(double hours);
  bool addStep(StepUnit unit, int count);

  // Ordering by date and time, the kind not looked at. Comparing with an
  // invalid record makes the left operand invalid; then < and > are false
  // and <= and >= are true.
  bool operator<(const AstDateTime& other);
  bool operator>(const AstDateTime& other);
  bool operator<=(const AstDateTime& other) { return !(*this > other); }
  bool operator>=(const AstDateTime& other) { return !(*this < other); }

  // Julian Day of a Gmt record (any other kind is an internal error).
  AstJulianDay toJulianDay() const;
  // Date and time of a Julian Day; the kind becomes Gmt. The invalid marker
  // changes nothing; a value that is no number, or so far away that its year
  // does not fit the record, leaves the record invalid.
  void setFromJulianDay(AstJulianDay jd);
  // 0 = Sunday .. 6 = Saturday, of the record taken as Gmt.
  int weekday() const;

  // "%02d.%02d.%04d" / "**.**.****".
  std::string formatDate() const;
  // "%02d:%02d:%02d" rounded to the second / "**:**:**". carry, when given,
  // is set when the rounded time reached 24 h under TimeOverflow::CarryDay.
  std::string formatTime(TimeOverflow overflow = TimeOverflow::CarryDay, bool* carry = nullptr) const;
  // The date that belongs beside formatTime(overflow).
  std::string formatDateOfDateTime(TimeOverflow overflow) const;

  // "d.m.yyyy"; on failure the record becomes invalid.
  bool parseDate(const std::string& text);
  // "h:m:s"; sets the hours and leaves the date; on failure invalid.
  bool parseTime(const std::string& text);
  // Day number 1..366 (366 only in a leap year of the record). Does not
  // change the record.
  bool parseDayOfYear(const std::string& text, int& dayNumber) const;

  // Whole-field equality (for tests and change detection).
  friend bool operator==(const AstDateTime&, const AstDateTime&) = default;

 private:
  bool carryDays(double hours);

  std::int32_t day_ = 1;
  std::int32_t month_ = 1;
  std::int32_t year_ = 1980;
  double hours_ = 0.0;
  TimeKind kind_ = TimeKind::None;
};

// JD(a) - JD(b) after converting copies of both to Gmt at longitude 0, time
// zone 0, no daylight saving. If either is invalid, a is made invalid and the
// result is 0.0.
double daysBetween(AstDateTime& a, AstDateTime b);

// out = JD(b) - JD(a) for two Gmt records; the body computations count days
// from their epoch with it.
bool julianDaysBetween(const AstDateTime& a, const AstDateTime& b, double& out);

// "Sunday" .. "Saturday" for 0..6.
const char* weekdayName(int weekday);
// "Jan" .. "Dec" for 1..12.
const char* monthAbbreviation(int month);
// "On" / "Off".
const char* onOffText(bool on);

}  // namespace noctavo
