#include "time/AstDateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "support/InternalErrorRecorder.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

AstDateTime gmtMoment(int day, int month, int year, int hour = 0, int minute = 0, int second = 0) {
  AstDateTime moment(TimeKind::Gmt);
  moment.setDateTime(day, month, year, hour, minute, second);
  return moment;
}

AstDateTime invalidMoment() {
  AstDateTime moment = gmtMoment(1, 1, 2000);
  moment.invalidate();
  return moment;
}

std::string dateAndTime(const AstDateTime& moment) { return moment.formatDate() + " " + moment.formatTime(); }

// The Gregorian leap rule written out independently of the class under test.
int monthLengthOf(int month, int year) {
  static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return lengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

TEST(AstDateTimeRecord, StartsAtFirstJanuary1980AndAnInvalidOneShowsAsterisksAndRefusesSteps) {
  EXPECT_EQ(dateAndTime(AstDateTime()), "01.01.1980 00:00:00");
  AstDateTime moment = invalidMoment();
  EXPECT_EQ(moment.getDay() + moment.getMonth() + moment.getYear() + moment.dayOfYear(), 0);
  EXPECT_EQ(dateAndTime(moment), "**.**.**** **:**:**");
  EXPECT_FALSE(moment.addDays(1));
}

TEST(TimeComponents, EveryWholeSecondOfTheDayReadsBackExactlyFromItsParts) {
  int mismatches = 0;
  for (int h = 0; h < 24; ++h)
    for (int m = 0; m < 60; ++m)
      for (int s = 0; s < 60; ++s) {
        AstDateTime parsed = gmtMoment(1, 1, 2000);
        char text[16];
        std::snprintf(text, sizeof text, "%d:%d:%d", h, m, s);
        ASSERT_TRUE(parsed.parseTime(text));
        for (const AstDateTime& moment : {gmtMoment(1, 1, 2000, h, m, s), parsed})
          if (moment.getHour() != h || moment.getMinute() != m || moment.getSecond() != s) ++mismatches;
      }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(gmtMoment(1, 1, 2000, 10, 29, 29).getMinuteRounded(), 29);
  EXPECT_EQ(gmtMoment(1, 1, 2000, 10, 59, 40).getMinuteRounded(), 60);
}

TEST(Calendar, EveryDayNumberOfLeapAndCommonYearsNamesItsDateAndBack) {
  for (int year : {2000, 2001, 1900}) {
    EXPECT_EQ(gmtMoment(1, 1, year).isLeapYear(), year == 2000) << year;
    int number = 0;
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= monthLengthOf(month, year); ++day) {
        ASSERT_EQ(gmtMoment(day, month, year).dayOfYear(), ++number) << day << "." << month << "." << year;
        AstDateTime fromNumber = gmtMoment(15, 6, year);
        fromNumber.setFromDayOfYear(number);
        ASSERT_EQ(fromNumber.formatDate(), gmtMoment(day, month, year).formatDate());
      }
  }
  InternalErrorRecorder recorder;
  AstDateTime moment = gmtMoment(15, 6, 2001);
  moment.setFromDayOfYear(0);
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_EQ(moment.formatDate(), "15.06.2001");
}

TEST(Calendar, EasterSundayFallsOnItsKnownDates) {
  // 1818 and 2285 carry the earliest possible date, 1943 and 2038 the latest.
  const struct { int year; const char* date; } cases[] = {
      {2019, "21.04.2019"}, {1818, "22.03.1818"}, {2285, "22.03.2285"}, {1943, "25.04.1943"}, {2038, "25.04.2038"}};
  for (const auto& c : cases) {
    AstDateTime moment = gmtMoment(1, 1, c.year);
    moment.setEaster();
    EXPECT_EQ(moment.formatDate(), c.date);
  }
}

TEST(DateSteps, EachUnitCarriesAcrossMonthsAndYearsAndClampsTheDay) {
  const struct {
    AstDateTime start;
    StepUnit unit;
    int count;
    const char* expected;  // null: the step fails and leaves the record invalid
  } cases[] = {
      {gmtMoment(31, 1, 2001, 10, 20), StepUnit::Months, 1, "28.02.2001 10:20:00"},
      {gmtMoment(31, 1, 2000), StepUnit::Months, 1, "29.02.2000 00:00:00"},
      {gmtMoment(31, 3, 2001, 12), StepUnit::Months, -1, "28.02.2001 12:00:00"},
      {gmtMoment(29, 1, 2001), StepUnit::Months, 1, "28.02.2001 00:00:00"},
      {gmtMoment(15, 1, 2001), StepUnit::Months, -25, "15.12.1998 00:00:00"},
      {gmtMoment(15, 11, 2000), StepUnit::Months, 26, "15.01.2003 00:00:00"},
      // A month step through a year change must not clamp for the wrong February.
      {gmtMoment(29, 2, 2000), StepUnit::Months, 11, "29.01.2001 00:00:00"},
      {gmtMoment(31, 12, 2000, 23, 59, 30), StepUnit::Minutes, 1, "01.01.2001 00:00:30"},
      {gmtMoment(1, 1, 2001, 0, 0, 30), StepUnit::Minutes, -1, "31.12.2000 23:59:30"},
      {gmtMoment(1, 1, 2001, 0, 30, 15), StepUnit::Hours, -49, "29.12.2000 23:30:15"},
      {gmtMoment(31, 1, 2001, 10, 20), StepUnit::Days, 2, "02.02.2001 10:20:00"},
      {gmtMoment(29, 2, 2000, 6), StepUnit::Years, 1, "28.02.2001 06:00:00"},
      {gmtMoment(29, 2, 2000), StepUnit::Years, 4, "29.02.2004 00:00:00"},
      {gmtMoment(1, 6, 1), StepUnit::Years, 9998, "01.06.9999 00:00:00"},
      {gmtMoment(1, 6, 9999), StepUnit::Years, 1, nullptr},
      {gmtMoment(1, 6, 1), StepUnit::Years, -1, nullptr},
      {gmtMoment(31, 12, 9999, 12), StepUnit::Days, 1, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(dateAndTime(c.start) + " " + std::to_string(c.count));
    AstDateTime moment = c.start;
    EXPECT_EQ(moment.addStep(c.unit, c.count), c.expected != nullptr);
    EXPECT_EQ(moment.isValid(), c.expected != nullptr);
    if (c.expected) {
      EXPECT_EQ(dateAndTime(moment), c.expected);
    }
  }
  for (int step : {-700000, -366, 59, 700000}) {
    AstDateTime moment = gmtMoment(15, 6, 2000, 12);
    const AstJulianDay before = moment.toJulianDay();
    ASSERT_TRUE(moment.addDays(step)) << step;
    EXPECT_EQ(moment.toJulianDay().difference(before), step);
  }
}

TEST(DateSteps, DecimalHourStepsWrapBothWaysAndNeverLeaveTheHoursAt24) {
  AstDateTime moment = gmtMoment(1, 3, 2000, 0, 15);
  ASSERT_TRUE(moment.addDecimalHours(-0.5));
  EXPECT_EQ(dateAndTime(moment), "29.02.2000 23:45:00");
  ASSERT_TRUE(moment.addDecimalHours(48.25));
  EXPECT_EQ(dateAndTime(moment), "03.03.2000 00:00:00");
  AstDateTime hair = gmtMoment(1, 1, 2000);
  ASSERT_TRUE(hair.addDecimalHours(-1e-17));
  EXPECT_TRUE(hair.getHours() >= 0.0 && hair.getHours() < 24.0) << hair.getHours();
  // Whatever side of midnight it lands on, date and time must agree.
  EXPECT_NEAR(hair.toJulianDay().value(), gmtMoment(1, 1, 2000).toJulianDay().value(), 1e-9);
}

TEST(JulianDay, KnownDatesHaveTheirPublishedJulianDaysAndWeekdays) {
  // Meeus, Astronomical Algorithms 2nd ed., chapter 7; 1980 January 1.0 is the program's own reference.
  EXPECT_EQ(gmtMoment(1, 1, 2000, 12).toJulianDay().value(), 2451545.0);
  EXPECT_EQ(gmtMoment(1, 1, 1980).toJulianDay().value(), 2444239.5);
  EXPECT_EQ(gmtMoment(31, 12, 1600).toJulianDay().value(), 2305812.5);
  EXPECT_NEAR(AstDateTime(4, 10, 1957, 0.81 * 24.0, TimeKind::Gmt).toJulianDay().value(), 2436116.31, 1e-6);
  AstDateTime moment(TimeKind::Lct);
  moment.setFromJulianDay(AstJulianDay(2451545.0));
  EXPECT_EQ(dateAndTime(moment), "01.01.2000 12:00:00");
  EXPECT_EQ(moment.getKind(), TimeKind::Gmt);
  EXPECT_STREQ(weekdayName(gmtMoment(1, 1, 2000).weekday()), "Saturday");
  EXPECT_STREQ(weekdayName(gmtMoment(2, 1, 2000, 23, 59, 59).weekday()), "Sunday");
}

TEST(JulianDay, EveryDayFrom1583To2999SurvivesTheRoundTripThroughItsJulianDay) {
  double previous = gmtMoment(31, 12, 1582).toJulianDay().value();
  for (int year = 1583; year <= 2999; ++year)
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= monthLengthOf(month, year); ++day) {
        const AstDateTime date = gmtMoment(day, month, year);
        const double jd = date.toJulianDay().value();
        ASSERT_EQ(jd - previous, 1.0) << date.formatDate();
        previous = jd;
        AstDateTime back(TimeKind::Gmt);
        back.setFromJulianDay(AstJulianDay(jd));
        ASSERT_EQ(back, date) << date.formatDate();
      }
}

TEST(JulianDay, ValuesThatAreNoNumberAreInvalidAndShowAsAsterisks) {
  // Converting them once gave a date that claimed to be valid with NaN
  // hours, and conversions of a NaN to an integer.
  for (const double noDay : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300}) {
    SCOPED_TRACE(noDay);
    EXPECT_EQ(AstJulianDay(noDay).isValid(), std::isfinite(noDay));
    AstDateTime moment = gmtMoment(5, 5, 2005, 5);
    moment.setFromJulianDay(AstJulianDay(noDay));
    EXPECT_EQ(dateAndTime(moment), "**.**.**** **:**:**");
  }
  EXPECT_EQ(AstJulianDay(std::nan("")).format(), "*******.***");
  const AstDateTime noHours(1, 1, 2000, std::nan(""), TimeKind::Gmt);
  EXPECT_FALSE(noHours.isValid());
  EXPECT_EQ(noHours.getHour() + noHours.getMinute() + noHours.getSecond(), 0);
  EXPECT_EQ(dateAndTime(noHours), "**.**.**** **:**:**");
}

TEST(TimeText, RoundsToTheSecondAndAlmostMidnightFollowsTheOverflowPolicy) {
  EXPECT_EQ(AstDateTime(1, 1, 2000, 12.5 + 14.6 / 3600, TimeKind::Gmt).formatTime(), "12:30:15");
  EXPECT_EQ(AstDateTime(1, 1, 2000, 12.5 + 14.4 / 3600, TimeKind::Gmt).formatTime(), "12:30:14");
  EXPECT_EQ(gmtMoment(5, 3, 987).formatDate(), "05.03.0987");
  EXPECT_EQ(AstJulianDay(2451545.25).format(), "2451545.250");
  EXPECT_EQ(AstJulianDay().format(), "*******.***");
  const AstDateTime moment(31, 12, 2000, 23.0 + 59.0 / 60 + 59.8 / 3600, TimeKind::Gmt);
  bool carry = false;
  EXPECT_EQ(moment.formatTime(TimeOverflow::CarryDay, &carry), "00:00:00");
  EXPECT_TRUE(carry);
  EXPECT_EQ(moment.formatDateOfDateTime(TimeOverflow::CarryDay), "01.01.2001");
  EXPECT_EQ(moment.formatTime(TimeOverflow::Show24, &carry), "24:00:00");
  EXPECT_FALSE(carry);
  EXPECT_EQ(moment.formatDateOfDateTime(TimeOverflow::Show24), "31.12.2000");
  EXPECT_EQ(moment.formatTime(TimeOverflow::Unrounded), "23:59:59");
}

TEST(TimeText, TheMomentAsShownIsWhatItsTextsParseBackTo) {
  // Every 7.3 seconds of a year's last day, and the carry into the next.
  for (double seconds = 0.0; seconds < 86400.0; seconds += 7.3) {
    const AstDateTime moment(31, 12, 2000, seconds / 3600.0, TimeKind::Lct);
    AstDateTime parsed = moment;
    ASSERT_TRUE(parsed.parseDate(moment.formatDateOfDateTime(TimeOverflow::CarryDay)));
    ASSERT_TRUE(parsed.parseTime(moment.formatTime(TimeOverflow::CarryDay)));
    ASSERT_EQ(moment.asShown(), parsed) << seconds;
  }
  EXPECT_EQ(AstDateTime(31, 12, 2000, 24.0 - 0.4 / 3600, TimeKind::Lct).asShown(),
            AstDateTime(1, 1, 2001, 0.0, TimeKind::Lct));
  EXPECT_FALSE(AstDateTime(31, 12, 9999, 24.0 - 0.4 / 3600, TimeKind::Lct).asShown().isValid());
}

TEST(DateText, RealDatesAndTimesAreAcceptedAndImpossibleOnesRejected) {
  const struct { const char* text; bool date, accepted; } cases[] = {
      {"29.02.2000", true, true},  {"1.1.2000", true, true},    {"31.12.9999", true, true},
      {"1.1.1", true, true},       {"29.02.2001", true, false}, {"1.13.2000", true, false},
      {"1.1.2000x", true, false},  {"31.4.2000", true, false},  {"0.1.2000", true, false},
      {"1.1.10000", true, false},  {"1.1", true, false},        {"23:59:59", false, true},
      {"24:00:00", false, false},  {"12:60:00", false, false},  {"12:00:60", false, false},
      {"-1:00:00", false, false},  {"12:00", false, false},     {"12:00:00x", false, false}};
  for (const auto& c : cases) {
    AstDateTime moment = gmtMoment(15, 6, 1990, 8);
    EXPECT_EQ(c.date ? moment.parseDate(c.text) : moment.parseTime(c.text), c.accepted) << c.text;
    EXPECT_EQ(moment.isValid(), c.accepted) << c.text;
  }
  AstDateTime moment = gmtMoment(15, 6, 1990, 8);
  ASSERT_TRUE(moment.parseDate("29.02.2000") && moment.parseTime("23:59:59"));
  EXPECT_EQ(dateAndTime(moment), "29.02.2000 23:59:59");
}

TEST(DateText, Day366OnlyInALeapYearAndJulianDaysFrom1583ToTheYear3000) {
  int dayNumber = 7;
  EXPECT_TRUE(gmtMoment(1, 1, 2000).parseDayOfYear("366", dayNumber));
  EXPECT_EQ(dayNumber, 366);
  dayNumber = 7;
  for (const char* text : {"366", "0", "abc", "-5"}) {
    EXPECT_FALSE(gmtMoment(1, 1, 2001).parseDayOfYear(text, dayNumber)) << text;
  }
  EXPECT_EQ(dayNumber, 7);
  AstJulianDay jd;
  EXPECT_TRUE(jd.parse("2299238.5"));
  EXPECT_EQ(jd.value(), 2299238.5);
  EXPECT_TRUE(jd.parse("2816787.49"));
  EXPECT_TRUE(jd.parse(" 2.4515455e6 days"));
  EXPECT_EQ(jd.value(), 2451545.5);
  // Only decimal numbers: strtod would read the first as 2454041.
  for (const char* text : {"0x257519", "inf", "nan", "2299238.4", "2816787.5", "abc", "", "."}) {
    AstJulianDay rejected(2451545.0);
    EXPECT_FALSE(rejected.parse(text)) << text;
    EXPECT_FALSE(rejected.isValid()) << text;
  }
}

}  // namespace
}  // namespace noctavo
