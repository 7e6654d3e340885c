#include "time/AstDateTime.h"

#include <gtest/gtest.h>

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

std::string dateAndTime(const AstDateTime& moment) { return moment.formatDate() + " " + moment.formatTime(); }

// Days since 0 January of the Gregorian leap rule, written out independently
// of the class under test.
int monthLengthOf(int month, int year) {
  static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return lengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

// ------------------------------------------------------------------ record

TEST(AstDateTimeRecord, ANewRecordIsMidnightOfFirstJanuary1980WithoutAKind) {
  const AstDateTime moment;
  EXPECT_EQ(dateAndTime(moment), "01.01.1980 00:00:00");
  EXPECT_EQ(moment.getKind(), TimeKind::None);
  EXPECT_EQ(AstDateTime(TimeKind::Lct).getKind(), TimeKind::Lct);
}

TEST(AstDateTimeRecord, AnInvalidRecordReportsZeroAndShowsAsterisks) {
  AstDateTime moment = gmtMoment(29, 2, 2000, 10, 20, 30);
  moment.invalidate();
  EXPECT_FALSE(moment.isValid());
  EXPECT_EQ(moment.getDay() + moment.getMonth() + moment.getYear() + moment.getHour(), 0);
  EXPECT_EQ(moment.dayOfYear(), 0);
  EXPECT_FALSE(moment.isLeapYear());
  EXPECT_EQ(dateAndTime(moment), "**.**.**** **:**:**");
  EXPECT_FALSE(moment.addDays(1));
}

// ------------------------------------------------------------------ components

TEST(TimeComponents, EveryWholeSecondOfTheDayReadsBackExactlyFromItsParts) {
  int mismatches = 0;
  for (int h = 0; h < 24; ++h)
    for (int m = 0; m < 60; ++m)
      for (int s = 0; s < 60; ++s) {
        AstDateTime built = gmtMoment(1, 1, 2000, h, m, s);
        AstDateTime parsed = built;
        char text[16];
        std::snprintf(text, sizeof text, "%d:%d:%d", h, m, s);
        ASSERT_TRUE(parsed.parseTime(text));
        for (const AstDateTime& moment : {built, parsed})
          if (moment.getHour() != h || moment.getMinute() != m || moment.getSecond() != s) ++mismatches;
      }
  EXPECT_EQ(mismatches, 0);
}

TEST(TimeComponents, RoundedMinutesGoToTheNearestMinuteAndCanReachSixty) {
  EXPECT_EQ(gmtMoment(1, 1, 2000, 10, 29, 29).getMinuteRounded(), 29);
  EXPECT_EQ(gmtMoment(1, 1, 2000, 10, 29, 30).getMinuteRounded(), 30);
  EXPECT_EQ(gmtMoment(1, 1, 2000, 10, 59, 40).getMinuteRounded(), 60);
}

TEST(TimeComponents, SettingOnePartKeepsTheOtherWholePartsAndDropsFractionsOfASecond) {
  AstDateTime moment(1, 1, 2000, 10.0 + 20.0 / 60 + 30.75 / 3600, TimeKind::Gmt);
  moment.setMinute(45);
  EXPECT_EQ(moment.formatTime(), "10:45:30");
  EXPECT_NEAR(moment.getHours(), 10.0 + 45.0 / 60 + 30.0 / 3600, 1e-12);
  moment.setHour(3);
  moment.setSecond(7);
  EXPECT_EQ(moment.formatTime(), "03:45:07");
}

// ------------------------------------------------------------------ calendar

TEST(Calendar, LeapYearsFollowTheGregorianRule) {
  for (int year : {1600, 2000, 2004, 2400}) EXPECT_TRUE(gmtMoment(1, 1, year).isLeapYear()) << year;
  for (int year : {1700, 1900, 2001, 2100}) EXPECT_FALSE(gmtMoment(1, 1, year).isLeapYear()) << year;
  EXPECT_EQ(gmtMoment(1, 2, 2001).daysInMonth(), 28);
  EXPECT_EQ(gmtMoment(1, 2, 2000).daysInMonth(), 29);
  EXPECT_EQ(gmtMoment(1, 4, 2001).daysInMonth(), 30);
}

TEST(Calendar, DayOfYearCountsTheLastDayOfALeapYearAs366) {
  EXPECT_EQ(gmtMoment(31, 12, 2000).dayOfYear(), 366);
  EXPECT_EQ(gmtMoment(1, 3, 2001).dayOfYear(), 60);
  EXPECT_EQ(gmtMoment(29, 2, 2000).dayOfYear(), 60);
  EXPECT_EQ(gmtMoment(1, 1, 2001).dayOfYear(), 1);
}

TEST(Calendar, EveryDayNumberOfALeapAndACommonYearNamesItsDateAndBack) {
  for (int year : {2000, 2001, 1900}) {
    int number = 0;
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= monthLengthOf(month, year); ++day) {
        ++number;
        ASSERT_EQ(gmtMoment(day, month, year).dayOfYear(), number) << day << "." << month << "." << year;
        AstDateTime fromNumber = gmtMoment(15, 6, year);
        fromNumber.setFromDayOfYear(number);
        ASSERT_EQ(fromNumber.formatDate(), gmtMoment(day, month, year).formatDate());
      }
  }
}

TEST(Calendar, ADayNumberBelowOneIsAnInternalErrorAndLeavesTheDate) {
  InternalErrorRecorder recorder;
  AstDateTime moment = gmtMoment(15, 6, 2001);
  moment.setFromDayOfYear(0);
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_EQ(moment.formatDate(), "15.06.2001");
}

TEST(Calendar, EasterSundayFallsOnItsKnownDates) {
  struct Case {
    int year, month, day;
  };
  // 1818 and 2285 carry the earliest possible date, 1943 and 2038 the latest.
  for (Case c : {Case{2000, 4, 23}, Case{2001, 4, 15}, Case{2002, 3, 31}, Case{2019, 4, 21}, Case{2024, 3, 31},
                 Case{1818, 3, 22}, Case{2285, 3, 22}, Case{1943, 4, 25}, Case{2038, 4, 25}}) {
    AstDateTime moment = gmtMoment(1, 1, c.year);
    moment.setEaster();
    EXPECT_EQ(moment.getMonth(), c.month) << c.year;
    EXPECT_EQ(moment.getDay(), c.day) << c.year;
  }
}

// ------------------------------------------------------------------ steps

TEST(DateSteps, AMonthAfterTheThirtyFirstIsTheLastDayOfTheShorterMonth) {
  AstDateTime common = gmtMoment(31, 1, 2001);
  AstDateTime leap = gmtMoment(31, 1, 2000);
  ASSERT_TRUE(common.addMonths(1));
  ASSERT_TRUE(leap.addMonths(1));
  EXPECT_EQ(common.formatDate(), "28.02.2001");
  EXPECT_EQ(leap.formatDate(), "29.02.2000");
}

TEST(DateSteps, MonthStepsCrossYearBoundariesBothWays) {
  const struct {
    int day, month, year, step;
    const char* expected;
  } cases[] = {{15, 1, 2001, -1, "15.12.2000"},  {15, 3, 2001, -12, "15.03.2000"}, {15, 1, 2001, -13, "15.12.1999"},
               {15, 1, 2001, -25, "15.12.1998"}, {15, 12, 2000, 1, "15.01.2001"}, {15, 11, 2000, 26, "15.01.2003"}};
  for (const auto& c : cases) {
    AstDateTime moment = gmtMoment(c.day, c.month, c.year);
    ASSERT_TRUE(moment.addMonths(c.step));
    EXPECT_EQ(moment.formatDate(), c.expected) << c.step;
  }
}

TEST(DateSteps, AMinuteStepCarriesAcrossMidnightAndTheNewYearBothWays) {
  AstDateTime moment = gmtMoment(31, 12, 2000, 23, 59, 30);
  ASSERT_TRUE(moment.addMinutes(1));
  EXPECT_EQ(dateAndTime(moment), "01.01.2001 00:00:30");
  ASSERT_TRUE(moment.addMinutes(-1));
  EXPECT_EQ(dateAndTime(moment), "31.12.2000 23:59:30");
}

TEST(DateSteps, YearStepsLeavingOneTo9999FailAndInvalidateTheRecord) {
  AstDateTime last = gmtMoment(1, 6, 9999);
  AstDateTime first = gmtMoment(1, 6, 1);
  AstDateTime farJump = gmtMoment(1, 6, 1);
  EXPECT_FALSE(last.addYears(1));
  EXPECT_FALSE(first.addYears(-1));
  EXPECT_FALSE(farJump.addYears(9999));
  EXPECT_FALSE(last.isValid() || first.isValid() || farJump.isValid());

  AstDateTime lastDay = gmtMoment(31, 12, 9999, 12);
  EXPECT_FALSE(lastDay.addDays(1));
  EXPECT_FALSE(lastDay.isValid());

  AstDateTime wholeRange = gmtMoment(1, 6, 1);
  EXPECT_TRUE(wholeRange.addYears(9998));
  EXPECT_EQ(wholeRange.formatDate(), "01.06.9999");
}

TEST(DateSteps, AYearAfter29FebruaryIs28FebruaryOfTheCommonYear) {
  AstDateTime oneYear = gmtMoment(29, 2, 2000, 6);
  ASSERT_TRUE(oneYear.addYears(1));
  EXPECT_EQ(oneYear.formatDate(), "28.02.2001");

  AstDateTime fourYears = gmtMoment(29, 2, 2000);
  ASSERT_TRUE(fourYears.addYears(4));
  EXPECT_EQ(fourYears.formatDate(), "29.02.2004");

  // A month step passing through a year change must not clamp the day for
  // the February it does not end in.
  AstDateTime elevenMonths = gmtMoment(29, 2, 2000);
  ASSERT_TRUE(elevenMonths.addMonths(11));
  EXPECT_EQ(elevenMonths.formatDate(), "29.01.2001");
}

TEST(DateSteps, DayStepsMoveTheJulianDayByExactlyThatManyDays) {
  for (int step : {-700000, -1000, -366, -1, 1, 59, 365, 366, 1000, 700000}) {
    AstDateTime moment = gmtMoment(15, 6, 2000, 12);
    const AstJulianDay before = moment.toJulianDay();
    ASSERT_TRUE(moment.addDays(step)) << step;
    EXPECT_EQ(moment.toJulianDay().difference(before), step);
  }
}

TEST(DateSteps, HourStepsCarryWholeDaysAndKeepMinutesAndSeconds) {
  AstDateTime moment = gmtMoment(31, 12, 2000, 23, 30, 15);
  ASSERT_TRUE(moment.addHours(1));
  EXPECT_EQ(dateAndTime(moment), "01.01.2001 00:30:15");
  ASSERT_TRUE(moment.addHours(-49));
  EXPECT_EQ(dateAndTime(moment), "29.12.2000 23:30:15");
}

TEST(DateSteps, DecimalHourStepsWrapBothWays) {
  AstDateTime moment = gmtMoment(1, 3, 2000, 0, 15);
  ASSERT_TRUE(moment.addDecimalHours(-0.5));
  EXPECT_EQ(dateAndTime(moment), "29.02.2000 23:45:00");
  ASSERT_TRUE(moment.addDecimalHours(48.25));
  EXPECT_EQ(dateAndTime(moment), "03.03.2000 00:00:00");
}

TEST(DateSteps, AStepToAHairBeforeMidnightNeverLeavesTheHoursAt24) {
  AstDateTime moment = gmtMoment(1, 1, 2000);
  ASSERT_TRUE(moment.addDecimalHours(-1e-17));
  EXPECT_GE(moment.getHours(), 0.0);
  EXPECT_LT(moment.getHours(), 24.0);
  // Whatever the side of midnight it lands on, date and time must agree.
  EXPECT_NEAR(moment.toJulianDay().value(), gmtMoment(1, 1, 2000).toJulianDay().value(), 1e-9);
}

TEST(DateSteps, AStepByUnitTakesTheStepOfThatUnit) {
  const struct {
    StepUnit unit;
    const char* expected;
  } cases[] = {{StepUnit::Minutes, "31.01.2001 10:22:00"}, {StepUnit::Hours, "31.01.2001 12:20:00"},
               {StepUnit::Days, "02.02.2001 10:20:00"},    {StepUnit::Months, "31.03.2001 10:20:00"},
               {StepUnit::Years, "31.01.2003 10:20:00"}};
  for (const auto& c : cases) {
    AstDateTime moment = gmtMoment(31, 1, 2001, 10, 20);
    ASSERT_TRUE(moment.addStep(c.unit, 2));
    EXPECT_EQ(dateAndTime(moment), c.expected) << static_cast<int>(c.unit);
  }
}

// ------------------------------------------------------------------ ordering

TEST(Ordering, LaterMomentsCompareGreaterWhateverTheirKind) {
  AstDateTime early = gmtMoment(31, 12, 2000, 23, 59, 59);
  AstDateTime late(1, 1, 2001, 0.0, TimeKind::Lst);
  EXPECT_TRUE(early < late);
  EXPECT_TRUE(late > early);
  EXPECT_FALSE(early > late);
  EXPECT_TRUE(early <= late);
  EXPECT_FALSE(early >= late);
  AstDateTime same = early;
  EXPECT_TRUE(same <= early);
  EXPECT_TRUE(same >= early);
  EXPECT_FALSE(same < early);
}

TEST(Ordering, ComparingWithAnInvalidRecordInvalidatesTheLeftOperand) {
  AstDateTime left = gmtMoment(1, 1, 2000);
  AstDateTime invalid = gmtMoment(1, 1, 2001);
  invalid.invalidate();
  EXPECT_FALSE(left < invalid);
  EXPECT_FALSE(left.isValid());
  AstDateTime other = gmtMoment(1, 1, 2000);
  EXPECT_TRUE(other <= invalid);
  EXPECT_FALSE(other.isValid());
  AstDateTime third = gmtMoment(1, 1, 2000);
  EXPECT_TRUE(third >= invalid);
}

// ------------------------------------------------------------------ Julian Day

TEST(JulianDay, KnownDatesHaveTheirPublishedJulianDays) {
  // Meeus, Astronomical Algorithms 2nd ed., Example 7.a and the table of
  // chapter 7; 1980 January 1.0 is the program's own reference.
  EXPECT_EQ(gmtMoment(1, 1, 2000, 12).toJulianDay().value(), 2451545.0);
  EXPECT_EQ(gmtMoment(1, 1, 1980).toJulianDay().value(), 2444239.5);
  EXPECT_EQ(gmtMoment(27, 1, 1987).toJulianDay().value(), 2446822.5);
  EXPECT_EQ(gmtMoment(19, 6, 1988, 12).toJulianDay().value(), 2447332.0);
  EXPECT_EQ(gmtMoment(1, 1, 1900).toJulianDay().value(), 2415020.5);
  EXPECT_EQ(gmtMoment(31, 12, 1600).toJulianDay().value(), 2305812.5);
  const AstDateTime sputnik(4, 10, 1957, 0.81 * 24.0, TimeKind::Gmt);
  EXPECT_NEAR(sputnik.toJulianDay().value(), 2436116.31, 1e-6);  // days
}

TEST(JulianDay, JulianDay2451545IsNoonOfFirstJanuary2000) {
  AstDateTime moment(TimeKind::Lct);
  moment.setFromJulianDay(AstJulianDay(2451545.0));
  EXPECT_EQ(dateAndTime(moment), "01.01.2000 12:00:00");
  EXPECT_EQ(moment.getKind(), TimeKind::Gmt);
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

TEST(JulianDay, ANonGreenwichRecordHasNoJulianDayAndReportsAnInternalError) {
  InternalErrorRecorder recorder;
  const AstDateTime local(1, 1, 2000, 12.0, TimeKind::Lct);
  EXPECT_FALSE(local.toJulianDay().isValid());
  EXPECT_EQ(recorder.count(), 1u);
}

TEST(JulianDay, InvalidValuesPropagateWithoutAnyReport) {
  AstDateTime invalid = gmtMoment(1, 1, 2000);
  invalid.invalidate();
  EXPECT_FALSE(invalid.toJulianDay().isValid());

  AstDateTime untouched = gmtMoment(5, 5, 2005, 5);
  untouched.setFromJulianDay(AstJulianDay());
  EXPECT_EQ(untouched, gmtMoment(5, 5, 2005, 5));
  EXPECT_EQ(AstJulianDay(2451545.0).difference(AstJulianDay()), 0.0);
  EXPECT_EQ(AstJulianDay(2451545.0).difference(AstJulianDay(2451544.25)), 0.75);
}

TEST(JulianDay, WeekdaysFollowTheCalendar) {
  EXPECT_STREQ(weekdayName(gmtMoment(1, 1, 2000).weekday()), "Saturday");
  EXPECT_STREQ(weekdayName(gmtMoment(4, 10, 1957, 19).weekday()), "Friday");
  EXPECT_STREQ(weekdayName(gmtMoment(2, 1, 2000, 23, 59, 59).weekday()), "Sunday");
}

// ------------------------------------------------------------------ day counts

TEST(DayCounts, DaysBetweenCountsInGreenwichTimeWithoutZoneOrDaylightSaving) {
  AstDateTime later(2, 1, 2000, 0.0, TimeKind::Lct);
  EXPECT_DOUBLE_EQ(daysBetween(later, gmtMoment(1, 1, 2000, 12)), 0.5);
  EXPECT_EQ(later.getKind(), TimeKind::Lct);  // the caller's record is not converted
}

TEST(DayCounts, DaysBetweenWithAnInvalidRecordInvalidatesTheFirst) {
  AstDateTime first = gmtMoment(2, 1, 2000);
  AstDateTime invalid = gmtMoment(1, 1, 2000);
  invalid.invalidate();
  EXPECT_EQ(daysBetween(first, invalid), 0.0);
  EXPECT_FALSE(first.isValid());
}

TEST(DayCounts, JulianDaysBetweenCountsFromTheEpochToTheMoment) {
  double days = 0.0;
  ASSERT_TRUE(julianDaysBetween(gmtMoment(31, 12, 1979), gmtMoment(1, 1, 1980, 6), days));
  EXPECT_DOUBLE_EQ(days, 1.25);
  AstDateTime invalid = gmtMoment(1, 1, 1980);
  invalid.invalidate();
  EXPECT_FALSE(julianDaysBetween(gmtMoment(31, 12, 1979), invalid, days));
}

// ------------------------------------------------------------------ text out

TEST(TimeText, TimesAreRoundedToTheNearestSecond) {
  EXPECT_EQ(AstDateTime(1, 1, 2000, 12.5 + 14.6 / 3600, TimeKind::Gmt).formatTime(), "12:30:15");
  EXPECT_EQ(AstDateTime(1, 1, 2000, 12.5 + 14.4 / 3600, TimeKind::Gmt).formatTime(), "12:30:14");
}

TEST(TimeText, AlmostMidnightFollowsTheChosenOverflowPolicy) {
  const AstDateTime moment(31, 12, 2000, 23.0 + 59.0 / 60 + 59.8 / 3600, TimeKind::Gmt);
  bool carry = false;
  EXPECT_EQ(moment.formatTime(TimeOverflow::CarryDay, &carry), "00:00:00");
  EXPECT_TRUE(carry);
  EXPECT_EQ(moment.formatDateOfDateTime(TimeOverflow::CarryDay), "01.01.2001");
  EXPECT_EQ(moment.formatTime(TimeOverflow::Show24, &carry), "24:00:00");
  EXPECT_FALSE(carry);
  EXPECT_EQ(moment.formatDateOfDateTime(TimeOverflow::Show24), "31.12.2000");
  EXPECT_EQ(moment.formatTime(TimeOverflow::Unrounded), "23:59:59");
  EXPECT_EQ(moment.formatDateOfDateTime(TimeOverflow::Unrounded), "31.12.2000");
}

TEST(TimeText, DatesArePaddedAndJulianDaysHaveThreeDecimals) {
  EXPECT_EQ(gmtMoment(5, 3, 987).formatDate(), "05.03.0987");
  EXPECT_EQ(AstJulianDay(2451545.25).format(), "2451545.250");
  EXPECT_EQ(AstJulianDay().format(), "*******.***");
}

// ------------------------------------------------------------------ text in

TEST(DateText, RealDatesAreAcceptedAndImpossibleOnesRejected) {
  for (const char* text : {"29.02.2000", "1.1.2000", "31.12.9999", "1.1.1"}) {
    AstDateTime moment = gmtMoment(15, 6, 1990, 8);
    EXPECT_TRUE(moment.parseDate(text)) << text;
  }
  for (const char* text : {"29.02.2001", "1.13.2000", "1.1.2000x", "31.4.2000", "0.1.2000", "1.1.10000", "1.1"}) {
    AstDateTime moment = gmtMoment(15, 6, 1990, 8);
    EXPECT_FALSE(moment.parseDate(text)) << text;
    EXPECT_FALSE(moment.isValid()) << text;
  }
  AstDateTime moment = gmtMoment(15, 6, 1990, 8);
  ASSERT_TRUE(moment.parseDate("29.02.2000"));
  EXPECT_EQ(dateAndTime(moment), "29.02.2000 08:00:00");
}

TEST(TimeTextInput, ClockTimesAreAcceptedAndImpossibleOnesRejected) {
  AstDateTime moment = gmtMoment(15, 6, 1990);
  ASSERT_TRUE(moment.parseTime("23:59:59"));
  EXPECT_EQ(dateAndTime(moment), "15.06.1990 23:59:59");
  for (const char* text : {"24:00:00", "12:60:00", "12:00:60", "-1:00:00", "12:00", "12:00:00x"}) {
    AstDateTime rejected = gmtMoment(15, 6, 1990);
    EXPECT_FALSE(rejected.parseTime(text)) << text;
    EXPECT_FALSE(rejected.isValid()) << text;
  }
}

TEST(DayOfYearText, Day366IsAcceptedOnlyInALeapYear) {
  int dayNumber = 7;
  EXPECT_TRUE(gmtMoment(1, 1, 2000).parseDayOfYear("366", dayNumber));
  EXPECT_EQ(dayNumber, 366);
  dayNumber = 7;
  for (const char* text : {"366", "0", "abc", "-5"}) EXPECT_FALSE(gmtMoment(1, 1, 2001).parseDayOfYear(text, dayNumber));
  EXPECT_EQ(dayNumber, 7);
}

TEST(JulianDayText, OnlyDaysFrom1583UpToTheYear3000AreAccepted) {
  AstJulianDay jd;
  EXPECT_TRUE(jd.parse("2299238.5"));
  EXPECT_EQ(jd.value(), 2299238.5);
  EXPECT_TRUE(jd.parse("2816787.49"));
  for (const char* text : {"2299238.4", "2816787.5", "abc", ""}) {
    AstJulianDay rejected(2451545.0);
    EXPECT_FALSE(rejected.parse(text)) << text;
    EXPECT_FALSE(rejected.isValid()) << text;
  }
}

// ------------------------------------------------------------------ names

TEST(CalendarNames, WeekdaysMonthsAndFlagsHaveTheirTexts) {
  EXPECT_STREQ(weekdayName(0), "Sunday");
  EXPECT_STREQ(weekdayName(6), "Saturday");
  EXPECT_STREQ(monthAbbreviation(1), "Jan");
  EXPECT_STREQ(monthAbbreviation(12), "Dec");
  EXPECT_STREQ(onOffText(true), "On");
  EXPECT_STREQ(onOffText(false), "Off");
}

TEST(CalendarNames, ANumberOutsideTheTableIsAnInternalError) {
  InternalErrorRecorder recorder;
  EXPECT_STREQ(weekdayName(7), "");
  EXPECT_STREQ(monthAbbreviation(0), "");
  EXPECT_EQ(recorder.count(), 2u);
}

}  // namespace
}  // namespace noctavo
