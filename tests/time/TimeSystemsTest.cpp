#include "time/TimeSystems.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/InternalErrorRecorder.h"
#include "time/AstCoord.h"

namespace noctavo {
namespace {

AstDateTime at(int day, int month, int year, double hours, TimeKind kind) {
  return AstDateTime(day, month, year, hours, kind);
}

double hms(int h, int m, double s) { return h + m / 60.0 + s / 3600.0; }

bool withinTheDay(const AstDateTime& moment) { return moment.getHours() >= 0.0 && moment.getHours() < 24.0; }

// The low-precision method gains 0.065709 h a day where the published value
// is 0.0657098 h; by late April that costs about 0.35 s.
constexpr double publishedSiderealToleranceHours = 2e-4;  // 0.72 s

// 1.002738 x 0.99727 = 1.000000525, so a trip through sidereal time and back
// stretches the hours by up to 24 h x 5.25e-7 = 1.26e-5 h.
constexpr double siderealRoundTripToleranceHours = 1.3e-5;

TEST(GreenwichSiderealTime, MatchesPublishedExamplesToUnderASecondAndComesBack) {
  // Duffett-Smith, Practical Astronomy with your Calculator (22 April 1980);
  // Meeus, Astronomical Algorithms 2nd ed., Examples 12.a and 12.b; the epoch.
  const struct { int day, month, year; double gmt, gst; } cases[] = {
      {22, 4, 1980, hms(14, 36, 51.67), hms(4, 40, 5.23)},
      {10, 4, 1987, 0.0, hms(13, 10, 46.3668)},
      {10, 4, 1987, hms(19, 21, 0), hms(8, 34, 57.0896)},
      {1, 1, 1980, 0.0, hms(6, 39, 15.0)}};
  for (const auto& c : cases) {
    AstDateTime moment = at(c.day, c.month, c.year, c.gmt, TimeKind::Gmt);
    gmtToGst(moment);
    EXPECT_EQ(moment.getKind(), TimeKind::Gst);
    EXPECT_NEAR(moment.getHours(), c.gst, publishedSiderealToleranceHours) << c.year;
    gstToGmt(moment);
    EXPECT_NEAR(moment.getHours(), c.gmt, siderealRoundTripToleranceHours) << c.year;
  }
  // Twelve sidereal hours are half a sidereal day, 23h56m04.0905s of mean time.
  AstDateTime moment = at(22, 4, 1980, 0.0, TimeKind::Gmt);
  gmtToGst(moment);
  moment.setHours(std::fmod(moment.getHours() + 12.0, 24.0));
  gstToGmt(moment);
  EXPECT_NEAR(moment.getHours(), hms(23, 56, 4.0905) / 2.0, 1e-5);
}

TEST(GreenwichSiderealTime, StaysWithinTheDayAndOnItsDateInEveryYear) {
  for (int year = 1; year <= 9999; ++year)
    for (int dayNumber : {1, 365})
      for (double hours : {0.0, 12.0, 23.9999}) {
        AstDateTime moment = at(1, 1, year, hours, TimeKind::Gmt);
        moment.setFromDayOfYear(dayNumber);
        const std::string date = moment.formatDate();
        gmtToGst(moment);
        ASSERT_TRUE(withinTheDay(moment)) << date << " " << hours;
        gstToGmt(moment);
        ASSERT_TRUE(withinTheDay(moment)) << date << " " << hours;
        ASSERT_EQ(moment.formatDate(), date);
      }
}

TEST(LocalSiderealTime, WestIsBehindGreenwichEastAheadAndAWholeDayLaterIsMidnightNot24) {
  const struct { double hours; TimeKind kind; double longitude, expected; } cases[] = {
      {3.0, TimeKind::Gst, 90.0, 21.0}, {22.0, TimeKind::Gst, -90.0, 4.0},
      {18.0, TimeKind::Gst, -90.0, 0.0}, {18.0, TimeKind::Lst, 90.0, 0.0},
      {6.0, TimeKind::Gst, 90.00000000000001, 0.0}};  // a hair below 0 h plus 24 h is 24.0 exactly
  for (const auto& c : cases) {
    AstDateTime moment = at(1, 1, 2000, c.hours, c.kind);
    c.kind == TimeKind::Gst ? gstToLst(moment, c.longitude) : lstToGst(moment, c.longitude);
    EXPECT_NEAR(moment.getHours(), c.expected, 1e-12) << c.hours;
    EXPECT_EQ(moment.formatDate(), "01.01.2000") << c.hours;
    EXPECT_EQ(moment.getKind(), c.kind == TimeKind::Gst ? TimeKind::Lst : TimeKind::Gst);
  }
}

TEST(CivilTime, EveryZoneWithAndWithoutDaylightSavingGivesTheSameInstantWithinTheDay) {
  const AstDateTime dates[] = {at(31, 12, 2000, 0.0, TimeKind::Lct), at(1, 1, 2001, 0.0, TimeKind::Lct),
                               at(28, 2, 2000, 0.0, TimeKind::Lct), at(1, 3, 2001, 0.0, TimeKind::Lct)};
  for (float zone = -12.0f; zone <= 12.0f; zone += 0.5f)
    for (bool daylightSaving : {false, true})
      for (const AstDateTime& date : dates)
        // A hair below the zone's half hour rounds to the edge of the day.
        for (double hours : {0.0, 0.25, 5.5, 11.75, 12.0, 18.5, 23.0, 23.75, std::nextafter(0.5, 0.0)}) {
          AstDateTime local = date;
          local.setHours(hours);
          AstDateTime clockReading = local;
          clockReading.setKind(TimeKind::Gmt);
          const double offsetDays = (zone + (daylightSaving ? 1.0 : 0.0)) / 24.0;
          const std::string where = std::to_string(zone) + (daylightSaving ? " DST " : " ") + local.formatDate();
          AstDateTime greenwich = local;
          lctToGmt(greenwich, zone, daylightSaving);
          ASSERT_TRUE(withinTheDay(greenwich)) << where;
          EXPECT_EQ(greenwich.getKind(), TimeKind::Gmt);
          EXPECT_NEAR(greenwich.toJulianDay().value(), clockReading.toJulianDay().value() - offsetDays, 1e-9)
              << where;
          gmtToLct(greenwich, zone, daylightSaving);
          ASSERT_TRUE(withinTheDay(greenwich)) << where;
          EXPECT_EQ(greenwich.formatDate(), local.formatDate()) << where;
          EXPECT_NEAR(greenwich.getHours(), hours, 1e-12) << where;
        }
  AstDateTime pastTheEnd = at(31, 12, 9999, 23.0, TimeKind::Gmt);
  gmtToLct(pastTheEnd, 2.0f, false);
  EXPECT_FALSE(pastTheEnd.isValid());
}

TEST(ConvertTime, LocalCivilToLocalSiderealAndBackReturnsTheSameMoment) {
  // Greenwich times stay off the last 0.1 h of their day, whose sidereal
  // times repeat those of the day's start on the same date, and off the
  // first 0.01 h, where a rounding unit below zero on the way back reaches
  // for the end of the day.
  int cases = 0;
  for (float zone = -11.5f; zone <= 12.0f; zone += 2.5f)
    for (double longitude = -180.0; longitude < 180.0; longitude += 37.5)
      for (bool daylightSaving : {false, true})
        for (double hours = 0.3; hours < 23.99; hours += 1.1) {
          const double greenwichHours = std::fmod(hours - zone - (daylightSaving ? 1.0 : 0.0) + 48.0, 24.0);
          if (greenwichHours < 0.01 || greenwichHours > 23.9) continue;
          AstDateTime moment = at(31, 12, 2000, hours, TimeKind::Lct);
          convertTime(moment, TimeKind::Lst, longitude, zone, daylightSaving);
          ASSERT_EQ(moment.getKind(), TimeKind::Lst);
          ASSERT_TRUE(withinTheDay(moment));
          convertTime(moment, TimeKind::Lct, longitude, zone, daylightSaving);
          ASSERT_EQ(moment.formatDate(), "31.12.2000") << zone << " " << longitude << " " << hours;
          EXPECT_NEAR(moment.getHours(), hours, siderealRoundTripToleranceHours)
              << zone << " " << longitude << " " << hours;
          ++cases;
        }
  EXPECT_GT(cases, 3000);
  // The same kind and an invalid record are left as they were.
  const AstDateTime gst = at(15, 6, 2000, 13.25, TimeKind::Gst);
  AstDateTime same = gst;
  convertTime(same, TimeKind::Gst, 45.0, 3.0f, true);
  EXPECT_EQ(same, gst);
  AstDateTime invalid = at(15, 6, 2000, 13.25, TimeKind::Lct);
  invalid.invalidate();
  const AstDateTime before = invalid;
  convertTime(invalid, TimeKind::Lst, 10.0, 1.0f, false);
  EXPECT_EQ(invalid, before);
}

// A latitude beyond the poles is not accepted; a longitude of 180 typed is
// a rejected text, set by the program an internal error.
TEST(ObserverPlace, LatitudesBeyondThePolesAndALongitudeOf180AreNeitherStoredNorAccepted) {
  AstLatitude latitude(51.5);
  EXPECT_FALSE(latitude.parse("91"));
  EXPECT_TRUE(latitude.parse("-0\xB0" "30'"));
  EXPECT_EQ(latitude.get(), -0.5);
  testing::InternalErrorRecorder recorder;
  AstLongitude longitude(100.0);
  longitude.set(180.0);
  EXPECT_EQ(recorder.count(), 1u);
  for (const char* text : {"180", "180\xB0", "181"}) EXPECT_FALSE(longitude.parse(text)) << text;
  EXPECT_EQ(longitude.get(), 100.0);
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_TRUE(longitude.parse("179\xB0" "59'59\""));
  EXPECT_NEAR(longitude.get(), 180.0 - 1.0 / 3600, 1e-12);
  EXPECT_TRUE(longitude.parse("-180"));
  EXPECT_EQ(longitude.get(), -180.0);
}

}  // namespace
}  // namespace noctavo
