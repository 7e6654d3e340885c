// The Calculate Graph dialog's checks on plain values, the moments, the
// ruler, the progress and the time system of a time-of-day line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "bodies/AstSun.h"
#include "bodies/BodyState.h"
#include "bodies/QuantityBits.h"
#include "graph/GraphCalculation.h"

namespace noctavo {
namespace {

CalculationInput stepInput(const char* step, StepUnit unit, const AstDateTime& begin) {
  CalculationInput in;
  in.begin = begin;
  in.end = begin;
  in.kind = TimeKind::Lct;
  in.stepUnit = unit;
  in.stepText = step;
  in.longitudeText = "0.17";
  in.latitudeText = "51.50";
  in.timeZoneText = "1";
  in.daylightSaving = true;
  return in;
}

const AstDateTime newYear2001(1, 1, 2001, 0.0, TimeKind::Lct);

TEST(CalculateGraph, OneDayStepsFromNewYearEndOnTheNextNewYear) {
  GraphHeader header;
  ASSERT_EQ(applyCalculationInput(header, stepInput("1", StepUnit::Days, newYear2001)), CalculationFault::None);
  EXPECT_EQ(header.end, AstDateTime(1, 1, 2002, 0.0, TimeKind::Lct));
  EXPECT_EQ(header.stepValue, 1.0);
  EXPECT_TRUE(header.calculated);
  EXPECT_EQ(header.observer.timeZone(), 1.0f);
  // Interpolated moments land on the step's midnights, never a hair before
  // them on the day before.
  AstDateTime stepped = newYear2001;
  for (int i = 0; i < 366; ++i, stepped.addDays(1)) EXPECT_EQ(momentAt(header, i, TimeKind::Lct), stepped) << i;

  // Given the end instead, the shown step is the span over 366 days.
  CalculationInput byEnd = stepInput("7", StepUnit::Months, newYear2001);
  byEnd.endDefined = true;
  byEnd.end = header.end;
  ASSERT_EQ(applyCalculationInput(header, byEnd), CalculationFault::None);
  EXPECT_EQ(header.stepUnit, StepUnit::Days);
  EXPECT_NEAR(header.stepValue, 365.0 / 366.0, 1e-12);
}

TEST(CalculateGraph, RefusesTheFirstFaultyEntryInOrder) {
  struct Case {
    const char* step;
    StepUnit unit;
    AstDateTime begin;
    bool endDefined;
    const char* longitude;
    CalculationFault fault;
  };
  const AstDateTime y2000(1, 1, 2000, 0.0, TimeKind::Lct);
  const Case cases[] = {
      {"0", StepUnit::Days, newYear2001, false, "0.17", CalculationFault::IllegalStep},
      {"101", StepUnit::Days, newYear2001, false, "0.17", CalculationFault::IllegalStep},
      {"abc", StepUnit::Days, newYear2001, false, "0.17", CalculationFault::IllegalStep},
      {"5x", StepUnit::Days, newYear2001, false, "0.17", CalculationFault::IllegalStep},
      {"100", StepUnit::Years, y2000, false, "0.17", CalculationFault::DateTooLarge},
      {"100", StepUnit::Months, y2000, false, "0.17", CalculationFault::None},
      {"1", StepUnit::Days, newYear2001, true, "0.17", CalculationFault::BeginNotBeforeEnd},
      {"1", StepUnit::Days, newYear2001, false, "east", CalculationFault::Longitude},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    GraphHeader header;
    CalculationInput in = stepInput(c.step, c.unit, c.begin);
    in.endDefined = c.endDefined;  // begin = end
    in.longitudeText = c.longitude;
    EXPECT_EQ(applyCalculationInput(header, in), c.fault);
    EXPECT_EQ(header.calculated, c.fault == CalculationFault::None);
  }
}

TEST(CalculateGraph, TheRulerLabelsTheSpanAtMostAboutThirteenTimes) {
  struct Case {
    AstDateTime end;
    int count;
    StepUnit unit;
  };
  const Case cases[] = {
      {AstDateTime(1, 1, 2002, 0.0, TimeKind::Lct), 1, StepUnit::Months},
      {AstDateTime(2, 1, 2001, 0.0, TimeKind::Lct), 2, StepUnit::Hours},
      {AstDateTime(1, 1, 2101, 0.0, TimeKind::Lct), 10, StepUnit::Years},
      {AstDateTime(1, 1, 4001, 0.0, TimeKind::Lct), 100, StepUnit::Years},
      {AstDateTime(1, 1, 2001, 0.1, TimeKind::Lct), 1, StepUnit::Minutes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.end.formatDate());
    GraphHeader header;
    header.begin = newYear2001;
    header.end = c.end;
    chooseRuler(header);
    EXPECT_EQ(header.labelCount, c.count);
    EXPECT_EQ(header.labelUnit, c.unit);
  }
}

GraphLine sunLine(std::uint32_t flag, TimeKind kind) {
  GraphLine line;
  line.free = false;
  line.objectType = ObjectType::Sun;
  line.quantityFlag = flag;
  line.timeKind = kind;
  return line;
}

TEST(CalculateGraph, ProgressCountsLinesNotSlots) {
  auto document = std::make_unique<GraphDocument>();
  ASSERT_EQ(applyCalculationInput(document->header, stepInput("1", StepUnit::Days, newYear2001)),
            CalculationFault::None);
  document->lines[0] = sunLine(quantity_bit::distanceFromEarth, TimeKind::None);
  document->lines[5] = sunLine(quantity_bit::distanceFromEarth, TimeKind::None);
  document->header.lineCount = 2;
  std::vector<int> told;
  calculateGraph(*document, [&told](int percent) { told.push_back(percent); });
  ASSERT_EQ(told.size(), 38u);  // every 20 moments of two lines
  EXPECT_EQ(told.front(), 0);
  EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
  EXPECT_LE(told.back(), 100);
  EXPECT_GE(told.back(), 95);
  EXPECT_TRUE(document->lines[5].calculated);
  EXPECT_FALSE(document->lines[1].calculated);
}

// The rise is kept in Gmt and shown in the line's system: local civil time
// differs by the zone and daylight saving, without a new calculation.
TEST(CalculateGraph, ATimeOfDayFollowsTheLinesTimeSystemWithoutRecalculation) {
  auto document = std::make_unique<GraphDocument>();
  GraphHeader& header = document->header;
  ASSERT_EQ(applyCalculationInput(header, stepInput("1", StepUnit::Days, newYear2001)), CalculationFault::None);
  GraphLine& line = document->lines[0] = sunLine(quantity_bit::rise, TimeKind::Lct);
  header.lineCount = 1;
  calculateGraph(*document, {});
  for (int i : {0, 100, 183, 365}) {
    SCOPED_TRACE(i);
    Observer at = header.observer;
    at.dateTime = momentAt(header, i, TimeKind::Lct);
    BodyState direct;
    theSun().compute(quantity_bit::rise, at, direct, TimeKind::Lct, CoordSystem::Equatorial);
    line.timeKind = TimeKind::Lct;
    const double local = displayValue(header, line, i);
    EXPECT_NEAR(local, direct.rise.getHours(), 1e-9);
    line.timeKind = TimeKind::Gmt;
    EXPECT_NEAR(std::fmod(local - displayValue(header, line, i) + 24.0, 24.0), 2.0, 1e-9);
  }
}

}  // namespace
}  // namespace noctavo
