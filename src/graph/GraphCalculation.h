#pragma once

// The calculation of a graph: the 366 moments, the loop over the lines,
// the ruler chosen from the span, and the checks of the Calculate Graph
// dialog's OK on plain values. No Qt: the dialog reads its controls into a
// CalculationInput and shows the fault this module names.

#include <functional>
#include <string>

#include "graph/GraphDocument.h"

namespace noctavo {

// Moment i (0..365) by interpolation on the Julian Day scale between begin
// (0) and end (365), in the requested time system, with the place, time
// zone and daylight saving of the header's observer.
AstDateTime momentAt(const GraphHeader& header, int moment, TimeKind kind);

// Told the percentage done, trunc(0..100), while the loop runs.
using GraphProgress = std::function<void(int percent)>;

// Computes every used line at the 366 moments: in step mode moment i is the
// begin advanced i times by the step, in end mode it is momentAt(i). Each
// line becomes calculated. Runs to its end; there is no cancel.
void calculateGraph(GraphDocument& document, const GraphProgress& progress);

// The ruler's label interval: the finest of 100, 50, 25, 10, 5, 2, 1 years,
// 3, 2, 1 months, 2, 1 days, 3, 2, 1 hours, 15, 5, 1 minutes that gives at
// most about 13 labels over the span from begin to end.
void chooseRuler(GraphHeader& header);

// What the Calculate Graph dialog's controls say when OK is pressed.
struct CalculationInput {
  AstDateTime begin;  // date and time of the pickers
  AstDateTime end;
  bool endDefined = false;   // "End" chosen rather than "Step"
  TimeKind kind = TimeKind::Lct;  // the time system combo
  StepUnit stepUnit = StepUnit::Days;
  std::string stepText;
  std::string longitudeText;
  std::string latitudeText;
  std::string timeZoneText;
  bool daylightSaving = false;
};

// The first reason, in the order of the checks, why OK is refused.
enum class CalculationFault {
  None,
  BeginNotBeforeEnd,  // "The start date must be earlier than the end date"
  IllegalStep,        // "You entered an illegel step value"
  DateTooLarge,       // "The step value would cause the date to become too large"
  Longitude,
  Latitude,
  TimeZone,
};

// The dialog's start: a header never calculated gets the year of the
// program's observer (1 January to 31 December, local civil time, step 1
// day) and the observer's place; else the shown step or end is brought
// back to its start value.
void prepareCalculationHeader(GraphHeader& working, const Observer& programObserver);

// OK's checks and stores on the dialog's working copy of the header, in
// order. On a fault the working copy may be half changed: the dialog keeps
// it and copies nothing back.
CalculationFault applyCalculationInput(GraphHeader& working, const CalculationInput& input);

// The step text as a whole number, -32767..32767; anything else reads as 0.
int stepTextValue(const std::string& text);

// What an accepted OK does to the document after the header is in: the
// calculation, the ruler (marks as the labels), and the modified flag.
void finishCalculation(GraphDocument& document, const GraphProgress& progress);

}  // namespace noctavo
