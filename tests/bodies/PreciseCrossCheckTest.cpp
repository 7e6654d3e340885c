// The Precise position method against PyEphem (VSOP87, ELP 2000-82, its own
// Pluto and Delta T): data/precise_reference.csv, written by
// tools/reference/make_precise_reference.py for the 201 moments from 1900 to
// 2100 of the classical cross-check. Apparent places of date (the Moon's
// topocentric at London) and almanac rising and setting at four places.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyTestSupport.h"
#include "bodies/PositionMethod.h"
#include "catalogues/Star.h"

namespace noctavo {
namespace {

using testing::observerAt;

constexpr double arcminute = 1.0 / 60.0;  // degrees

struct Place {
  const char* name;
  double latitude;
  double longitude;  // west positive
};
constexpr std::array<Place, 4> places = {
    {{"London", 51.5, 0.17}, {"70N", 70.0, -19.0}, {"45S", -45.0, -170.0}, {"Equator", 0.0, 78.5}}};

struct Row {
  int year = 0, month = 0, day = 0;
  double hoursUt = 0.0;
  std::string body;
  double rightAscension = 0.0, declination = 0.0, distance = 0.0;
  std::array<std::vector<double>, places.size()> rises, sets;  // minutes from 0h UT
};

std::vector<double> minutesIn(const std::string& field) {
  std::vector<double> values;
  std::istringstream in(field);
  for (std::string item; std::getline(in, item, '|');) values.push_back(std::stod(item));
  return values;
}

const std::vector<Row>& rows() {
  static const std::vector<Row> all = [] {
    std::vector<Row> result;
    std::ifstream in(std::filesystem::path(NOCTAVO_TESTS_DIR) / "bodies" / "data" / "precise_reference.csv");
    std::string line;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#' || line.starts_with("date")) continue;
      std::vector<std::string> f;
      std::istringstream fields(line);
      for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
      if (line.back() == ',') f.emplace_back();
      Row row;
      int hour = 0, minute = 0;
      std::sscanf(f[0].c_str(), "%d-%d-%d", &row.year, &row.month, &row.day);
      std::sscanf(f[1].c_str(), "%d:%d", &hour, &minute);
      row.hoursUt = hour + minute / 60.0;
      row.body = f[2];
      row.rightAscension = std::stod(f[3]);
      row.declination = std::stod(f[4]);
      row.distance = std::stod(f[5]);
      for (std::size_t p = 0; p < places.size(); ++p) {
        row.rises[p] = minutesIn(f[6 + 2 * p]);
        row.sets[p] = minutesIn(f[7 + 2 * p]);
      }
      result.push_back(std::move(row));
    }
    return result;
  }();
  return all;
}

const AstBody& bodyNamed(const std::string& name) {
  if (name == "Sun") return theSun();
  if (name == "Moon") return theMoon();
  return *planetByName(name);
}

// Sets the method for one test and puts the classical one back.
struct MethodScope {
  explicit MethodScope(PositionMethod method) { setPositionMethod(method); }
  ~MethodScope() { setPositionMethod(PositionMethod::Classical); }
};

// The Pluto series ends with 2099; the row of 2100 is the classical result.
bool covered(const Row& row) { return row.body != "Pluto" || row.year < 2100; }

struct Tolerance {
  const char* body;
  double position;  // degrees, on the sky
};
constexpr std::array<Tolerance, 10> tolerances = {{{"Sun", arcminute},
                                                   {"Moon", arcminute},
                                                   {"Mercury", arcminute},
                                                   {"Venus", arcminute},
                                                   {"Mars", arcminute},
                                                   {"Jupiter", arcminute},
                                                   {"Saturn", arcminute},
                                                   {"Uranus", arcminute},
                                                   {"Neptune", arcminute},
                                                   {"Pluto", 2 * arcminute}}};

class PreciseCrossCheck : public ::testing::TestWithParam<Tolerance> {};

TEST_P(PreciseCrossCheck, ApparentPlaceAndDistanceAgreeWithTheReference) {
  const MethodScope precise(PositionMethod::Precise);
  const Tolerance& t = GetParam();
  int count = 0;
  double worst = 0.0, worstDistance = 0.0;
  for (const Row& row : rows()) {
    if (row.body != t.body || !covered(row)) continue;
    const Observer london = observerAt(row.day, row.month, row.year, row.hoursUt, places[0].latitude,
                                       places[0].longitude);
    const BodyState state = testing::computed(bodyNamed(t.body), quantity_bit::position |
                                              quantity_bit::distanceFromEarth, london, TimeKind::Gmt,
                                              CoordSystem::Equatorial);
    const double dRa = std::remainder(state.position.a() - row.rightAscension, 360.0) *
                       std::cos(row.declination * 3.141592653589793 / 180.0);
    worst = std::max({worst, std::fabs(dRa), std::fabs(state.position.b() - row.declination)});
    worstDistance = std::max(worstDistance, std::fabs(state.distanceFromEarth / row.distance - 1.0));
    ++count;
  }
  EXPECT_GE(count, 200);
  EXPECT_LE(worst, t.position);
  EXPECT_LE(worstDistance, 3e-4);  // eraPlan94 against VSOP87; the Moon's 100 km
}

TEST_P(PreciseCrossCheck, RiseAndSetAgreeWithTheAlmanacs) {
  const MethodScope precise(PositionMethod::Precise);
  const Tolerance& t = GetParam();
  for (std::size_t p = 0; p < places.size(); ++p) {
    const bool polar = places[p].latitude >= 70.0;
    const double toleranceMinutes = polar ? 2.0 : 1.0;
    int compared = 0, disagreeing = 0;
    double worst = 0.0;
    for (const Row& row : rows()) {
      if (row.body != t.body || !covered(row)) continue;
      const Observer observer =
          observerAt(row.day, row.month, row.year, row.hoursUt, places[p].latitude, places[p].longitude);
      BodyState state = testing::computed(bodyNamed(t.body), quantity_bit::rise | quantity_bit::set, observer,
                                          TimeKind::Gmt, CoordSystem::Equatorial);
      const AstDateTime dayStart(row.day, row.month, row.year, 0.0, TimeKind::Gmt);
      for (const auto& [event, reference] : {std::pair{&state.rise, &row.rises[p]}, {&state.set, &row.sets[p]}}) {
        // Reference events inside the day, away from its edges where the
        // same crossing may belong to either date.
        const bool expected = std::any_of(reference->begin(), reference->end(),
                                          [&](double m) { return m >= toleranceMinutes && m < 1440.0 - toleranceMinutes; });
        if (!event->isValid()) {
          disagreeing += expected;
          continue;
        }
        const double minutes = (event->toJulianDay().value() - dayStart.toJulianDay().value()) * 1440.0;
        double nearest = 1e9;
        for (double m : *reference) nearest = std::min(nearest, std::fabs(minutes - m));
        worst = std::max(worst, nearest);
        ++compared;
      }
    }
    SCOPED_TRACE(places[p].name);
    EXPECT_GT(compared, 0);
    EXPECT_LE(worst, toleranceMinutes);
    // At 70 N a body grazing the horizon may cross it twice within the
    // 15 minutes between the samples of the search.
    EXPECT_LE(disagreeing, polar ? 3 : 0);
  }
}

TEST(PrecisePositionMethod, SwitchingBackGivesTheClassicalResultsBitForBit) {
  const Observer observer = observerAt(7, 12, 2026, 21.5, 51.5, 0.17);
  constexpr std::uint32_t flags = quantity_bit::position | quantity_bit::rise | quantity_bit::set |
                                  quantity_bit::distanceFromEarth | quantity_bit::phase;
  const auto all = [&] {
    std::vector<double> values;
    for (const AstBody* body : {static_cast<const AstBody*>(&theSun()), static_cast<const AstBody*>(&theMoon()),
                                static_cast<const AstBody*>(planetByIndex(3))}) {
      const BodyState s = testing::computed(*body, flags, observer, TimeKind::Lct, CoordSystem::Horizontal);
      values.insert(values.end(), {s.position.a(), s.position.b(), s.rise.getHours(), s.set.getHours(),
                                   s.distanceFromEarth, static_cast<double>(s.phase)});
    }
    return values;
  };
  const std::vector<double> classical = all();
  std::vector<double> precise;
  {
    const MethodScope scope(PositionMethod::Precise);
    precise = all();
  }
  EXPECT_NE(precise, classical);
  EXPECT_EQ(all(), classical);
}

TEST(PrecisePositionMethod, PlutoOutsideItsSeriesIsTheClassicalPluto) {
  for (int year : {1800, 2150}) {
    SCOPED_TRACE(year);
    const Observer observer = observerAt(1, 6, year, 0.0);
    const AstBody& pluto = *planetByName("Pluto");
    const BodyState classical = testing::computed(pluto, quantity_bit::position, observer);
    const MethodScope scope(PositionMethod::Precise);
    EXPECT_EQ(testing::computed(pluto, quantity_bit::position, observer).position, classical.position);
  }
}

TEST(PrecisePositionMethod, OuterPlanetsMoveSmoothlyWhereTheirSeriesHandOver) {
  // Jupiter to Neptune change series 1000 Julian years either side of
  // J2000.0 (mid-December 999 and early January 3000). Across the handover
  // the daily positions must keep bending as slowly as a planet's path
  // does (7" a day at most in other years); a jump between the two
  // theories shows as a kink (they differ by up to 80" there).
  constexpr double largestKink = 2 * arcminute;
  const MethodScope scope(PositionMethod::Precise);
  for (int year : {999, 2999}) {
    for (const char* name : {"Jupiter", "Saturn", "Uranus", "Neptune"}) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(year));
      std::vector<AstCoord> daily;
      // December 1 to January 20 of the next year.
      for (int day = 1; day <= 51; ++day) {
        const Observer noon = day <= 31 ? observerAt(day, 12, year, 12.0) : observerAt(day - 31, 1, year + 1, 12.0);
        daily.push_back(testing::computed(*planetByName(name), quantity_bit::position, noon, TimeKind::Gmt,
                                          CoordSystem::Equatorial)
                            .position);
      }
      double worst = 0.0;
      for (std::size_t k = 1; k + 1 < daily.size(); ++k) {
        const double cosDec = std::cos(daily[k].b() * 3.141592653589793 / 180.0);
        const double bendRa = std::remainder(daily[k + 1].a() - 2 * daily[k].a() + daily[k - 1].a(), 360.0);
        const double bendDec = daily[k + 1].b() - 2 * daily[k].b() + daily[k - 1].b();
        worst = std::max({worst, std::fabs(bendRa) * cosDec, std::fabs(bendDec)});
      }
      EXPECT_LE(worst, largestKink);
    }
  }
}

TEST(PrecisePositionMethod, AstronomicalTwilightIsTheSunsCentre18DegreesDown) {
  // PyEphem 4.1.4: next rising and setting of the Sun's centre through -18
  // degrees without refraction, hours after 0h UT.
  struct Case {
    int day, month, year;
    double latitude, longitude;  // west positive
    double beginHours, endHours;
  };
  const Case cases[] = {{20, 3, 2024, 51.5, 0.17, 4.149214, 20.142509},
                        {21, 12, 2024, -45.0, -170.0, 14.273902, 11.002952},
                        {1, 9, 1950, 0.0, 78.5, 10.022062, 0.451402}};
  const MethodScope scope(PositionMethod::Precise);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.latitude);
    const BodyState state = testing::computed(theSun(), quantity_bit::twilightBegin | quantity_bit::twilightEnd,
                                              observerAt(c.day, c.month, c.year, 12.0, c.latitude, c.longitude),
                                              TimeKind::Gmt);
    EXPECT_NEAR(state.twilightBegin.getHours(), c.beginHours, 1.0 / 60.0);
    EXPECT_NEAR(state.twilightEnd.getHours(), c.endHours, 1.0 / 60.0);
  }
}

TEST(PrecisePositionMethod, CatalogueStarsAreMovedToTheApparentPlaceOfDate) {
  // PyEphem 4.1.4: a fixed body of epoch J2025.0, apparent geocentric place.
  struct Case {
    double rightAscension, declination;  // J2025.0, degrees
    int day, month, year;
    double hoursUt;
    double apparentRightAscension, apparentDeclination;
  };
  const Case cases[] = {{0.0, 0.0, 1, 6, 1900, 0.0, 358.406329, -0.692634},
                        {101.2875, -16.7161, 1, 1, 2100, 12.0, 102.132205, -16.798917},
                        {279.2347, 38.7837, 1, 3, 1950, 0.0, 278.602128, 38.712046}};
  const MethodScope scope(PositionMethod::Precise);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.year);
    const Star star(0, c.rightAscension, c.declination, 1.0f, GreekLetter(0), '0', Star::noConstellation);
    const BodyState state = testing::computed(star, quantity_bit::position, observerAt(c.day, c.month, c.year, c.hoursUt),
                                              TimeKind::Gmt, CoordSystem::Equatorial);
    EXPECT_NEAR(state.position.a(), c.apparentRightAscension, 2.0 / 3600.0);
    EXPECT_NEAR(state.position.b(), c.apparentDeclination, 2.0 / 3600.0);
  }
}

INSTANTIATE_TEST_SUITE_P(EachBody, PreciseCrossCheck, ::testing::ValuesIn(tolerances),
                         [](const auto& info) { return std::string(info.param.body); });

}  // namespace
}  // namespace noctavo
