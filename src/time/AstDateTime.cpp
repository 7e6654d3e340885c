#include "time/AstDateTime.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "time/InternalError.h"
#include "time/TimeSystems.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_DTE";

constexpr long long firstYear = 1;
constexpr long long lastYear = 9999;
// No step of more years than this can stay inside 1..9999, whatever the start.
constexpr long long largestYearStep = 9998;

constexpr int monthsPerYear = 12;
constexpr double hoursPerDay = 24.0;
constexpr double secondsPerHour = 3600.0;
constexpr double secondsPerDay = 86400.0;
constexpr double minutesPerHour = 60.0;
// The time text rounds to the nearest second by adding half of one, in hours.
constexpr double halfSecondHours = 1.0 / 7200.0;

// Times put together from whole hours, minutes and seconds (h + m/60 +
// s/3600), or shifted by a longitude / 15, often land one or two units in
// the last place below the second they stand for; truncating would then
// show 20:59:59 for 21:00:00. A time this close below a whole second counts
// as that second. A microsecond lies far below anything shown and far above
// the rounding error of a day's hours (about 1e-11 s).
constexpr double wholeSecondSnapSeconds = 1e-6;

// February is stored with 29 days; a common year takes one off.
constexpr int monthLengthTable[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

constexpr const char* weekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};
constexpr const char* monthAbbreviations[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Julian Day limits of typed text: 1 January 1583 0h up to, not including,
// 1 January 3000 0h.
constexpr double firstTypedJulianDay = 2299238.5;
constexpr double endTypedJulianDay = 2816787.5;
// About 270 million years either way: the year of any Julian Day within it
// fits the record's 32-bit year.
constexpr double farthestConvertibleJulianDay = 1e11;

bool isGregorianLeapYear(long long year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool isYearInRange(long long year) { return year >= firstYear && year <= lastYear; }

int monthLength(int month, long long year) {
  return monthLengthTable[month] - (month == 2 && !isGregorianLeapYear(year) ? 1 : 0);
}

// Whole seconds since midnight, truncated, but immune to the representation
// error described at wholeSecondSnapSeconds. It never snaps up to 24:00:00:
// a time below 24 h stays on its own day.
long long wholeSecondsOfDay(double hours) {
  double seconds = hours * secondsPerHour;
  const double nearest = std::round(seconds);
  if (nearest > seconds && nearest - seconds < wholeSecondSnapSeconds && nearest < secondsPerDay) {
    seconds = nearest;
  }
  const auto whole = static_cast<long long>(std::trunc(seconds));
  // The product itself can round up to 86400 for a time a few units in the
  // last place below 24 h.
  if (hours < hoursPerDay && whole >= static_cast<long long>(secondsPerDay)) {
    return static_cast<long long>(secondsPerDay) - 1;
  }
  return whole;
}

std::string formatClock(long long totalSeconds) {
  char text[40];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", totalSeconds / 3600, (totalSeconds / 60) % 60,
                totalSeconds % 60);
  return text;
}

// The leading decimal number of a text, as a person types one: blanks, an
// optional sign, digits with an optional point, an optional exponent.
// strtod would also take hexadecimal ("0x257319"), "inf" and "nan", and
// would follow the C locale's decimal point; none of that is a Julian Day.
bool leadingDecimalNumber(const std::string& text, double& value) {
  std::size_t i = 0;
  const auto isDigit = [&](std::size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
  const auto skipDigits = [&](std::size_t at) {
    while (isDigit(at)) ++at;
    return at;
  };
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t begin = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t integerEnd = skipDigits(i);
  std::size_t end = integerEnd;
  bool anyDigit = integerEnd > i;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fractionEnd = skipDigits(end + 1);
    anyDigit = anyDigit || fractionEnd > end + 1;
    end = fractionEnd;
  }
  if (!anyDigit) return false;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    if (isDigit(exponent)) end = skipDigits(exponent);
  }
  // from_chars takes no leading '+'.
  const std::size_t first = text[begin] == '+' ? begin + 1 : begin;
  const auto [stop, error] = std::from_chars(text.data() + first, text.data() + end, value);
  return error == std::errc() && stop == text.data() + end;
}

// Floor division for the hour carry of addHours.
long long floorDivide(long long value, long long divisor) {
  long long quotient = value / divisor;
  if (value % divisor != 0 && (value < 0) != (divisor < 0)) --quotient;
  return quotient;
}

}  // namespace

// ---------------------------------------------------------------- AstJulianDay

double AstJulianDay::difference(AstJulianDay other) const {
  if (!isValid() || !other.isValid()) return 0.0;
  return day_ - other.day_;
}

std::string AstJulianDay::format() const {
  if (!isValid()) return "*******.***";
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", day_);
  return text;
}

bool AstJulianDay::parse(const std::string& text) {
  double value = 0.0;
  if (!leadingDecimalNumber(text, value) || !(value >= firstTypedJulianDay && value < endTypedJulianDay)) {
    invalidate();
    return false;
  }
  day_ = value;
  return true;
}

// ---------------------------------------------------------------- components

int AstDateTime::getHour() const {
  if (!isValid()) return 0;
  return static_cast<int>(wholeSecondsOfDay(hours_) / 3600);
}

int AstDateTime::getMinute() const {
  if (!isValid()) return 0;
  return static_cast<int>((wholeSecondsOfDay(hours_) / 60) % 60);
}

int AstDateTime::getSecond() const {
  if (!isValid()) return 0;
  return static_cast<int>(wholeSecondsOfDay(hours_) % 60);
}

int AstDateTime::getMinuteRounded() const {
  if (!isValid()) return 0;
  double whole = 0.0;
  const double fraction = std::modf(hours_, &whole);
  return static_cast<int>(std::trunc(fraction * minutesPerHour + 0.5));
}

void AstDateTime::setDateTime(int day, int month, int year, int hour, int minute, int second) {
  day_ = day;
  month_ = month;
  year_ = year;
  hours_ = second / secondsPerHour + minute / minutesPerHour + hour;
}

void AstDateTime::setHour(int hour) {
  if (!isValid()) return;
  hours_ = getSecond() / secondsPerHour + getMinute() / minutesPerHour + hour;
}

void AstDateTime::setMinute(int minute) {
  if (!isValid()) return;
  hours_ = getSecond() / secondsPerHour + minute / minutesPerHour + getHour();
}

void AstDateTime::setSecond(int second) {
  if (!isValid()) return;
  hours_ = second / secondsPerHour + getMinute() / minutesPerHour + getHour();
}

// ---------------------------------------------------------------- calendar

bool AstDateTime::isLeapYear() const { return isValid() && isGregorianLeapYear(year_); }

int AstDateTime::daysInMonth() const {
  if (!isValid()) return 0;
  if (month_ < 1 || month_ > monthsPerYear) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return 0;
  }
  return monthLength(month_, year_);
}

int AstDateTime::dayOfYear() const {
  if (!isValid()) return 0;
  const int l = isLeapYear() ? 62 : 63;
  if (month_ < 3) return l * (month_ - 1) / 2 + day_;
  return day_ + static_cast<int>(std::trunc(30.6 * (month_ + 1))) - l;
}

void AstDateTime::setFromDayOfYear(int dayNumber) {
  if (!isValid()) return;
  if (dayNumber < 1) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  int remainder = dayNumber;
  for (int month = 1; month <= monthsPerYear; ++month) {
    const int length = monthLength(month, year_);
    remainder -= length;
    if (remainder <= 0) {
      month_ = month;
      day_ = length + remainder;
      return;
    }
  }
  // A day number beyond the end of the year names no date at all.
  NOCTAVO_INTERNAL_ERROR(moduleName);
}

void AstDateTime::setEaster() {
  if (!isValid()) return;
  const int y = year_;
  const int a = y % 19;
  const int b = y / 100;
  const int c = y % 100;
  const int d = b / 4;
  const int e = b % 4;
  const int f = (b + 8) / 25;
  const int g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4;
  const int k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int t = h + l - 7 * m + 114;
  month_ = t / 31;
  day_ = t % 31 + 1;
}

// ---------------------------------------------------------------- steps

bool AstDateTime::addYears(int years) {
  if (!isValid()) return false;
  const long long step = years;
  if (std::llabs(step) > largestYearStep || !isYearInRange(year_ + step)) {
    invalidate();
    return false;
  }
  year_ = static_cast<std::int32_t>(year_ + step);
  // 29 February has no counterpart in a common year; the last day of that
  // February stands in for it rather than a date that does not exist.
  if (month_ == 2 && day_ > monthLength(2, year_)) day_ = monthLength(2, year_);
  return true;
}

bool AstDateTime::addMonths(int months) {
  if (!isValid()) return false;
  const long long s = month_ + static_cast<long long>(months);
  long long k = 0;
  if (s >= 13) {
    k = (s - 1) / 12;
  } else if (s < 1) {
    k = s / 12 - 1;
  }
  // The year moves without the February clamp of addYears: the month is
  // about to change, and only the day of the new month may need clamping.
  if (!isYearInRange(year_ + k)) {
    invalidate();
    return false;
  }
  year_ = static_cast<std::int32_t>(year_ + k);
  month_ = static_cast<std::int32_t>(s - 12 * k);
  const int length = daysInMonth();
  if (day_ > length) day_ = length;
  return true;
}

bool AstDateTime::addDays(int days) {
  if (!isValid()) return false;
  // A month outside 1..12 has no length and would never end the walk below.
  if (daysInMonth() == 0) return false;
  long long s = day_ + static_cast<long long>(days);
  while (s > daysInMonth()) {
    s -= daysInMonth();
    if (!addMonths(1)) return false;
  }
  while (s < 1) {
    if (!addMonths(-1)) return false;
    s += daysInMonth();
  }
  day_ = static_cast<std::int32_t>(s);
  return true;
}

bool AstDateTime::addHours(int hours) {
  if (!isValid()) return false;
  const long long s = getHour() + static_cast<long long>(hours);
  const long long carry = floorDivide(s, 24);
  if (carry != 0 && !addDays(static_cast<int>(carry))) return false;
  setHour(static_cast<int>(s - 24 * carry));
  return true;
}

bool AstDateTime::addMinutes(int minutes) {
  if (!isValid()) return false;
  return carryDays(hours_ + minutes / minutesPerHour);
}

bool AstDateTime::addDecimalHours(double hours) {
  if (!isValid()) return false;
  return carryDays(hours_ + hours);
}

bool AstDateTime::carryDays(double hours) {
  if (!std::isfinite(hours)) {
    invalidate();
    return false;
  }
  double carry = std::floor(hours / hoursPerDay);
  hours -= hoursPerDay * carry;
  // Rounding can leave the result just outside [0, 24): a value a hair below
  // midnight becomes exactly 24.0 when a day is added to it. Such a time is
  // midnight of the following day.
  if (hours < 0.0) {
    hours += hoursPerDay;
    carry -= 1.0;
  }
  if (hours >= hoursPerDay) {
    hours -= hoursPerDay;
    carry += 1.0;
  }
  // More days than 1..9999 holds end outside the calendar whatever the date.
  constexpr double mostDays = 366.0 * 10000.0;
  if (std::fabs(carry) > mostDays) {
    invalidate();
    return false;
  }
  hours_ = hours;
  if (carry != 0.0) return addDays(static_cast<int>(carry));
  return true;
}

bool AstDateTime::addStep(StepUnit unit, int count) {
  switch (unit) {
    case StepUnit::Minutes:
      return addMinutes(count);
    case StepUnit::Hours:
      return addHours(count);
    case StepUnit::Days:
      return addDays(count);
    case StepUnit::Months:
      return addMonths(count);
    case StepUnit::Years:
      return addYears(count);
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return false;
}

// ---------------------------------------------------------------- ordering

namespace {

double orderingKey(const AstDateTime& moment) {
  return ((static_cast<double>(moment.getYear()) * 100.0 + moment.getMonth()) * 100.0 + moment.getDay()) *
             100.0 +
         moment.getHours();
}

}  // namespace

bool AstDateTime::operator<(const AstDateTime& other) {
  if (!isValid() || !other.isValid()) {
    invalidate();
    return false;
  }
  return orderingKey(*this) < orderingKey(other);
}

bool AstDateTime::operator>(const AstDateTime& other) {
  if (!isValid() || !other.isValid()) {
    invalidate();
    return false;
  }
  return orderingKey(*this) > orderingKey(other);
}

// ---------------------------------------------------------------- Julian Day

AstJulianDay AstDateTime::toJulianDay() const {
  if (!isValid()) return AstJulianDay();
  if (kind_ != TimeKind::Gmt) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return AstJulianDay();
  }
  double y = year_;
  double m = month_;
  if (month_ == 1 || month_ == 2) {
    y -= 1.0;
    m += 12.0;
  }
  // The Gregorian term b is applied to every date: the calendar has no
  // Julian-calendar branch.
  const double a = std::trunc(y / 100.0);
  const double b = 2.0 - a + std::trunc(a / 4.0);
  const double c = std::trunc(365.25 * y);
  const double d = std::trunc(30.6001 * (m + 1.0));
  return AstJulianDay(b + c + d + day_ + hours_ / 24.0 + 1720994.5);
}

void AstDateTime::setFromJulianDay(AstJulianDay jd) {
  // The invalid marker changes nothing. A day that is no number would turn
  // every field into NaN, and one beyond the reach of a 32-bit year into
  // integer conversions that are undefined: no date comes of either.
  if (jd.value() == -1.0) return;
  if (!jd.isValid() || std::fabs(jd.value()) > farthestConvertibleJulianDay) {
    invalidate();
    return;
  }
  const double j = jd.value() + 0.5;
  const double i = std::floor(j);
  const double f = j - i;
  double b = i;
  if (i > 2299160.0) {
    // 2.7379070069885075e-5 is 1 / 36524.25.
    const double a = std::floor((i - 1867216.25) * 2.7379070069885075e-5);
    b = i + 1.0 + a - std::trunc(a / 4.0);
  }
  const double c = b + 1524.0;
  // 1 / 365.25 and 1 / 30.6001.
  const double d = std::floor((c - 122.1) * 0.0027378507871321013);
  const double e = std::floor(365.25 * d);
  const double g = std::floor((c - e) * 0.03267963176590926);
  const double dayWithFraction = c - e + f - std::floor(30.6001 * g);
  const double day = std::trunc(dayWithFraction);
  day_ = static_cast<std::int32_t>(day);
  hours_ = (dayWithFraction - day) * 24.0;
  month_ = static_cast<std::int32_t>(g > 13.0 ? g - 13.0 : g - 1.0);
  year_ = static_cast<std::int32_t>(month_ < 3 ? d - 4715.0 : d - 4716.0);
  kind_ = TimeKind::Gmt;
}

int AstDateTime::weekday() const {
  if (!isValid()) return 0;
  AstDateTime asGmt = *this;
  asGmt.setKind(TimeKind::Gmt);
  return static_cast<int>(std::trunc(std::fmod(asGmt.toJulianDay().value() + 1.5, 7.0)));
}

// ---------------------------------------------------------------- text

std::string AstDateTime::formatDate() const {
  if (!isValid()) return "**.**.****";
  char text[48];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", day_, month_, year_);
  return text;
}

std::string AstDateTime::formatTime(TimeOverflow overflow, bool* carry) const {
  if (carry) *carry = false;
  if (!isValid()) return "**:**:**";
  const double rounded = hours_ + halfSecondHours;
  if (rounded < hoursPerDay) return formatClock(wholeSecondsOfDay(rounded));
  switch (overflow) {
    case TimeOverflow::CarryDay:
      if (carry) *carry = true;
      return "00:00:00";
    case TimeOverflow::Show24:
      return "24:00:00";
    case TimeOverflow::Unrounded:
      return formatClock(wholeSecondsOfDay(hours_));
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return "**:**:**";
}

std::string AstDateTime::formatDateOfDateTime(TimeOverflow overflow) const {
  bool carry = false;
  formatTime(overflow, &carry);
  if (!carry) return formatDate();
  AstDateTime nextDay = *this;
  nextDay.addDays(1);
  return nextDay.formatDate();
}

bool AstDateTime::parseDate(const std::string& text) {
  int day = 0;
  int month = 0;
  int year = 0;
  char trailing = 0;
  const int items = std::sscanf(text.c_str(), "%d.%d.%d%c", &day, &month, &year, &trailing);
  const bool valid = items == 3 && month >= 1 && month <= monthsPerYear && isYearInRange(year) &&
                     day >= 1 && day <= monthLength(month, year);
  if (!valid) {
    invalidate();
    return false;
  }
  day_ = day;
  month_ = month;
  year_ = year;
  return true;
}

bool AstDateTime::parseTime(const std::string& text) {
  int hour = 0;
  int minute = 0;
  int second = 0;
  char trailing = 0;
  const int items = std::sscanf(text.c_str(), "%d:%d:%d%c", &hour, &minute, &second, &trailing);
  const bool valid = items == 3 && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 &&
                     second >= 0 && second <= 59;
  if (!valid) {
    invalidate();
    return false;
  }
  hours_ = hour + minute / minutesPerHour + second / secondsPerHour;
  return true;
}

bool AstDateTime::parseDayOfYear(const std::string& text, int& dayNumber) const {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  const long lastDay = isLeapYear() ? 366 : 365;
  if (value < 1 || value > lastDay) return false;
  dayNumber = static_cast<int>(value);
  return true;
}

// ---------------------------------------------------------------- free functions

double daysBetween(AstDateTime& a, AstDateTime b) {
  if (!a.isValid() || !b.isValid()) {
    a.invalidate();
    return 0.0;
  }
  AstDateTime first = a;
  convertTime(first, TimeKind::Gmt, 0.0, 0.0f, false);
  convertTime(b, TimeKind::Gmt, 0.0, 0.0f, false);
  return first.toJulianDay().difference(b.toJulianDay());
}

bool julianDaysBetween(const AstDateTime& a, const AstDateTime& b, double& out) {
  if (!a.isValid() || !b.isValid()) return false;
  const AstJulianDay first = a.toJulianDay();
  const AstJulianDay second = b.toJulianDay();
  if (!first.isValid() || !second.isValid()) return false;
  out = second.value() - first.value();
  return true;
}

const char* weekdayName(int weekday) {
  if (weekday < 0 || weekday > 6) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return "";
  }
  return weekdayNames[weekday];
}

const char* monthAbbreviation(int month) {
  if (month < 1 || month > monthsPerYear) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return "";
  }
  return monthAbbreviations[month];
}

const char* onOffText(bool on) { return on ? "On" : "Off"; }

}  // namespace noctavo
