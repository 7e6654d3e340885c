#include "graph/GraphCalculation.h"

#include <array>
#include <cctype>
#include <cmath>

#include "time/InternalError.h"
#include "time/TimeSystems.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_GPH";

// Moments are evenly spread: 365 intervals from begin to end.
constexpr double intervalsPerSpan = 1.0 / 365.0;
constexpr double millisecondsPerHour = 3'600'000.0;
constexpr double millisecondsPerDay = 24.0 * millisecondsPerHour;
// In end mode the shown step is the span over 366 moments.
constexpr double stepPerSpanDay = 1.0 / 366.0;
// A step runs 1..100 units; the end lies 365 steps after the begin.
constexpr double smallestStep = 1.0;
constexpr double largestStep = 100.0;
constexpr int stepsPerSpan = 365;
// The step text is read as the dialog's whole numbers are.
constexpr long largestStepText = 32767;
// Progress is told every 20 moments.
constexpr int progressEveryMoments = 20;
// The ruler labels the span about 13 times at most.
constexpr double labelsPerSpan = 1.0 / 13.0;

struct RulerRow {
  std::int32_t count;
  StepUnit unit;
  float unitDays;
};

constexpr float daysPerYear = 365.0f;
constexpr float daysPerMonth = 30.0f;
constexpr float daysPerHour = 1.0f / 24.0f;
constexpr float daysPerMinute = 1.0f / 1440.0f;

constexpr std::array<RulerRow, 18> rulerRows = {{
    {100, StepUnit::Years, daysPerYear},
    {50, StepUnit::Years, daysPerYear},
    {25, StepUnit::Years, daysPerYear},
    {10, StepUnit::Years, daysPerYear},
    {5, StepUnit::Years, daysPerYear},
    {2, StepUnit::Years, daysPerYear},
    {1, StepUnit::Years, daysPerYear},
    {3, StepUnit::Months, daysPerMonth},
    {2, StepUnit::Months, daysPerMonth},
    {1, StepUnit::Months, daysPerMonth},
    {2, StepUnit::Days, 1.0f},
    {1, StepUnit::Days, 1.0f},
    {3, StepUnit::Hours, daysPerHour},
    {2, StepUnit::Hours, daysPerHour},
    {1, StepUnit::Hours, daysPerHour},
    {15, StepUnit::Minutes, daysPerMinute},
    {5, StepUnit::Minutes, daysPerMinute},
    {1, StepUnit::Minutes, daysPerMinute},
}};

bool isStepUnit(StepUnit unit) {
  const auto value = static_cast<std::int32_t>(unit);
  return value >= static_cast<std::int32_t>(StepUnit::Minutes) && value <= static_cast<std::int32_t>(StepUnit::Years);
}

AstDateTime invalidMoment(TimeKind kind) {
  AstDateTime moment(kind);
  moment.invalidate();
  return moment;
}

// A copy of a moment of the header in Gmt; invalid when it names no time
// system.
AstDateTime inGmt(AstDateTime moment, const Observer& place) {
  if (!moment.isValid() || moment.getKind() == TimeKind::None) return invalidMoment(TimeKind::Gmt);
  convertTime(moment, TimeKind::Gmt, place.longitude(), place.timeZone(), place.daylightSaving);
  return moment;
}

}  // namespace

AstDateTime momentAt(const GraphHeader& header, int moment, TimeKind kind) {
  const Observer& place = header.observer;
  const AstJulianDay first = inGmt(header.begin, place).toJulianDay();
  const AstJulianDay last = inGmt(header.end, place).toJulianDay();
  if (!first.isValid() || !last.isValid()) return invalidMoment(kind);
  const double day = first.value() + (last.value() - first.value()) * moment * intervalsPerSpan;
  AstDateTime result;
  result.setFromJulianDay(AstJulianDay(day));
  // A Julian Day of our era holds its fraction to about 20 microseconds, so
  // a moment meant to fall on midnight can come back a hair before it, on
  // the day before, and a rise or set of that day would be computed. The
  // moments are kept to whole milliseconds.
  const double milliseconds = std::round(result.getHours() * millisecondsPerHour);
  if (milliseconds >= millisecondsPerDay) {
    result.setHours(0.0);
    result.addDays(1);
  } else {
    result.setHours(milliseconds / millisecondsPerHour);
  }
  convertTime(result, kind, place.longitude(), place.timeZone(), place.daylightSaving);
  return result;
}

void calculateGraph(GraphDocument& document, const GraphProgress& progress) {
  const GraphHeader& header = document.header;
  if (!header.endDefined && !isStepUnit(header.stepUnit)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  // Progress counts the lines in use, whichever slots they occupy.
  const int used = usedLineCount(document);
  const int step = static_cast<int>(header.stepValue);
  int done = 0;
  for (GraphLine& line : document.lines) {
    if (line.free) continue;
    AstDateTime running = header.begin;
    for (int i = 0; i < graphMomentCount; ++i) {
      if (header.endDefined) running = momentAt(header, i, header.timeKind);
      line.values[static_cast<std::size_t>(i)] = valueAt(header, line, running);
      if (!header.endDefined) running.addStep(header.stepUnit, step);
      if (progress && i % progressEveryMoments == 0) {
        progress(static_cast<int>((done + i * intervalsPerSpan) / used * 100.0));
      }
    }
    line.calculated = true;
    ++done;
  }
}

void chooseRuler(GraphHeader& header) {
  AstDateTime end = header.end;
  const double span = daysBetween(end, header.begin);
  std::size_t chosen = rulerRows.size() - 1;
  for (std::size_t k = 1; k < rulerRows.size(); ++k) {
    const RulerRow& row = rulerRows[k];
    if (static_cast<float>(row.count) * row.unitDays < span * labelsPerSpan) {
      chosen = k - 1;
      break;
    }
  }
  header.labelCount = rulerRows[chosen].count;
  header.labelUnit = rulerRows[chosen].unit;
}

void prepareCalculationHeader(GraphHeader& working, const Observer& programObserver) {
  if (!working.calculated) {
    const int year = programObserver.dateTime.getYear();
    working.begin = AstDateTime(1, 1, year, 0.0, TimeKind::Lct);
    working.end = AstDateTime(31, 12, year, 0.0, TimeKind::Lct);
    working.endDefined = false;
    working.stepValue = 1.0;
    working.stepUnit = StepUnit::Days;
    working.headerMarker = graphHeaderMarker;
    LocationRecord& place = working.observer.location;
    place.latitude = programObserver.location.latitude;
    place.longitude = programObserver.location.longitude;
    place.timeZone = programObserver.location.timeZone;
    working.observer.daylightSaving = programObserver.daylightSaving;
  } else if (working.endDefined) {
    // Only the shown step starts again; the end stays the user's.
    working.stepUnit = StepUnit::Days;
    working.stepValue = 1.0;
  } else {
    working.end = AstDateTime(31, 12, working.begin.getYear(), 0.0, working.begin.getKind());
  }
}

int stepTextValue(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  long value = 0;
  std::size_t digits = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at, ++digits) {
    value = value * 10 + (text[at] - '0');
    if (value > largestStepText) return 0;
  }
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  if (digits == 0 || at != text.size()) return 0;
  return static_cast<int>(negative ? -value : value);
}

CalculationFault applyCalculationInput(GraphHeader& working, const CalculationInput& input) {
  // 1. and 2. The span, checked as the pickers show it.
  working.begin = input.begin;
  working.end = input.end;
  working.endDefined = input.endDefined;
  AstDateTime begin = working.begin;
  if (working.endDefined && !(begin < working.end)) return CalculationFault::BeginNotBeforeEnd;

  // 3. The time system of both ends, the step.
  working.begin.setKind(input.kind);
  working.end.setKind(input.kind);
  working.stepUnit = input.stepUnit;
  working.stepValue = stepTextValue(input.stepText);

  // 4. The end from the step, or the shown step from the end.
  if (working.endDefined) {
    working.stepUnit = StepUnit::Days;
    AstDateTime end = working.end;
    working.stepValue = daysBetween(end, working.begin) * stepPerSpanDay;
  } else {
    if (working.stepValue < smallestStep || working.stepValue > largestStep) return CalculationFault::IllegalStep;
    working.end = working.begin;
    const int units = static_cast<int>(working.stepValue * stepsPerSpan);
    if (!working.end.addStep(working.stepUnit, units) || !working.end.isValid()) return CalculationFault::DateTooLarge;
  }

  // 5. and 6. The marker, the place.
  working.headerMarker = graphHeaderMarker;
  LocationRecord& place = working.observer.location;
  if (!place.longitude.parse(input.longitudeText)) return CalculationFault::Longitude;
  if (!place.latitude.parse(input.latitudeText)) return CalculationFault::Latitude;
  if (!parseTimeZone(input.timeZoneText, place.timeZone)) return CalculationFault::TimeZone;
  working.observer.daylightSaving = input.daylightSaving;

  // 7. The header is now a calculated one, shown in the begin's system.
  working.calculated = true;
  working.timeKind = input.kind;
  return CalculationFault::None;
}

void finishCalculation(GraphDocument& document, const GraphProgress& progress) {
  calculateGraph(document, progress);
  GraphHeader& header = document.header;
  header.modified = true;
  chooseRuler(header);
  header.markCount = header.labelCount;
  header.markUnit = header.labelUnit;
}

}  // namespace noctavo
