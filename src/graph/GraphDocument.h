#pragma once

// The graph document: one header and 20 line slots, each line one quantity
// of one object at 366 moments. Plain C++ on the core, no Qt: the file
// image, the calculation, the generator of the default graph and the
// benchmarks all use it without a window.

#include <array>
#include <cstdint>
#include <string_view>

#include "bodies/AstBody.h"
#include "bodies/ObjectType.h"
#include "bodies/Quantity.h"
#include "time/AstCoord.h"
#include "time/AstDateTime.h"
#include "time/Observer.h"

namespace noctavo {

inline constexpr int graphSlotCount = 20;
inline constexpr int graphMomentCount = 366;
inline constexpr int graphLastMoment = graphMomentCount - 1;
// The marker every reset and every accepted calculation leaves in the header.
inline constexpr unsigned char graphHeaderMarker = 240;
// Longest texts the user may type: graph name, line name.
inline constexpr int graphNameLength = 30;
inline constexpr int lineNameLength = 15;
// Lines are drawn in one of the 16 colours of the program's colour table.
inline constexpr int graphColourCount = 16;

struct GraphLine {
  char name[16] = {};
  ObjectType objectType = ObjectType::Sun;
  std::uint16_t objectIndex = 0;  // within its type; 0 for the Sun, the Moon and the Earth
  std::uint32_t quantityFlag = 0;  // the flag bit of the body's quantity
  std::int32_t colour = 0;         // colour table index
  bool hidden = false;
  bool free = true;                // slot not in use; its other fields are stale
  bool calculated = false;
  std::array<double, graphMomentCount> values{};
  TimeKind timeKind = TimeKind::Gmt;                    // shown time system of a time of day
  CoordSystem coordSystem = CoordSystem::Equatorial;   // system of an angle

  void setName(std::string_view text);
};

// Everything but the lines: what the Calculate Graph dialog edits on a copy.
struct GraphHeader {
  char signature[30] = {};
  char name[34] = {};
  AstDateTime begin;  // moment 0
  AstDateTime end;    // moment 365
  std::array<unsigned char, 192> reserved{};  // carried along, never interpreted
  std::uint8_t lineCount = 0;
  bool xAxisHorizontal = true;
  bool xAxisRightToLeft = false;
  bool yAxisTopToBottom = false;
  unsigned char headerMarker = graphHeaderMarker;
  double stepValue = 1.0;  // in end mode the derived span / 366, shown only
  StepUnit stepUnit = StepUnit::Days;
  bool endDefined = false;  // the user gave the end; otherwise the step
  // Place, time zone and daylight saving of the calculation; its moment is
  // not used.
  Observer observer;
  bool calculated = false;
  std::int32_t markCount = 1;
  StepUnit markUnit = StepUnit::Years;
  std::int32_t labelCount = 1;
  StepUnit labelUnit = StepUnit::Years;
  bool modified = false;  // unsaved changes; a file always holds 0
  TimeKind timeKind = TimeKind::Lct;  // of the x axis and the shown dates
  std::array<unsigned char, 52> reservedTail{};

  void setName(std::string_view text);
};

struct GraphDocument {
  GraphHeader header;
  std::array<GraphLine, graphSlotCount> lines;
};

// The program's one graph document.
GraphDocument& graphDocument();

// The empty graph "Unnamed"; observer and reserved bytes keep what they held.
void resetDocument(GraphDocument& document);

// The number of slots in use.
int usedLineCount(const GraphDocument& document);

// The body and the quantity of a line. A type, index or flag that names
// nothing is an internal error and gives null.
const AstBody* lineBody(const GraphLine& line);
const Quantity* lineQuantity(const GraphLine& line);

// The value of a line at one moment (any time system), as the body computes
// it. Times of day are computed in Gmt whatever the line shows: the stored
// values of a line are always Gmt hours, and displayValue re-expresses them.
double valueAt(const GraphHeader& header, const GraphLine& line, const AstDateTime& moment);

// The value of moment i of a line as shown and plotted: angles and plain
// numbers as stored, times of day in the line's time system.
double displayValue(const GraphHeader& header, const GraphLine& line, int moment);
// The same, given moment i in Gmt (momentAt): the plot computes the 366
// moments once for all its lines. Both forms share one step and agree.
double displayValue(const GraphHeader& header, const GraphLine& line, int moment, const AstDateTime& gmtMoment);

// The first used slot whose name equals the text byte for byte; none is an
// internal error and gives -1.
int findLine(const GraphDocument& document, std::string_view name);
// The first free slot; none is an internal error and gives -1.
int firstFreeLine(const GraphDocument& document);

// Whether a used slot other than `exceptSlot` (-1: none) has this name.
bool lineNameTaken(const GraphDocument& document, std::string_view name, int exceptSlot = -1);
// A new line of a quantity of a body in the first free slot: colour 0,
// shown, not calculated, Gmt and equatorial. The graph is modified. The
// slot, or -1 (internal error) when all 20 are in use.
int addLine(GraphDocument& document, std::string_view name, const AstBody& body, const Quantity& quantity);
// The slot becomes free (its other fields stay as they were) and the graph
// is modified.
void deleteLine(GraphDocument& document, int slot);

}  // namespace noctavo
