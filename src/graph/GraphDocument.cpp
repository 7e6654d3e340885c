#include "graph/GraphDocument.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "bodies/BodyRegistry.h"
#include "bodies/BodyState.h"
#include "catalogues/CoreServices.h"
#include "graph/GraphCalculation.h"
#include "time/InternalError.h"
#include "time/TimeSystems.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_GPH";
constexpr const char* unnamedGraph = "Unnamed";
// Ctrl-Z ends the signature, so that a text viewer stops before the
// binary part.
constexpr char endOfText = 26;

template <std::size_t N>
void copyText(char (&field)[N], std::string_view text, std::size_t longest) {
  const std::size_t length = std::min({text.size(), longest, N - 1});
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), length);
}

}  // namespace

void GraphLine::setName(std::string_view text) { copyText(name, text, lineNameLength); }

void GraphHeader::setName(std::string_view text) { copyText(name, text, graphNameLength); }

GraphDocument& graphDocument() {
  static GraphDocument document;
  return document;
}

void resetDocument(GraphDocument& document) {
  GraphHeader& h = document.header;
  std::memset(h.signature, 0, sizeof h.signature);
  std::snprintf(h.signature, sizeof h.signature, "%s %s graph file\n%c", productName, productVersion, endOfText);
  h.setName(unnamedGraph);
  h.begin = AstDateTime();
  h.end = AstDateTime();
  h.lineCount = 0;
  h.xAxisHorizontal = true;
  h.xAxisRightToLeft = false;
  h.yAxisTopToBottom = false;
  h.headerMarker = graphHeaderMarker;
  h.stepValue = 1.0;
  h.stepUnit = StepUnit::Days;
  h.endDefined = false;
  h.calculated = false;
  h.modified = false;
  h.markCount = 1;
  h.markUnit = StepUnit::Years;
  h.labelCount = 1;
  h.labelUnit = StepUnit::Years;
  h.timeKind = TimeKind::Lct;
  for (GraphLine& line : document.lines) {
    line.free = true;
    line.calculated = false;
  }
}

int usedLineCount(const GraphDocument& document) {
  int used = 0;
  for (const GraphLine& line : document.lines) used += line.free ? 0 : 1;
  return used;
}

const AstBody* lineBody(const GraphLine& line) {
  const auto type = static_cast<std::int32_t>(line.objectType);
  if (type < static_cast<std::int32_t>(ObjectType::Sun) || type > static_cast<std::int32_t>(ObjectType::NgcObject)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return nullptr;
  }
  const AstBody* body = bodyByIndex(line.objectType, line.objectIndex);
  if (body == nullptr) NOCTAVO_INTERNAL_ERROR(moduleName);
  return body;
}

const Quantity* lineQuantity(const GraphLine& line) {
  const AstBody* body = lineBody(line);
  return body ? body->findQuantity(line.quantityFlag) : nullptr;
}

double valueAt(const GraphHeader& header, const GraphLine& line, const AstDateTime& moment) {
  const AstBody* body = lineBody(line);
  const Quantity* quantity = body ? body->findQuantity(line.quantityFlag) : nullptr;
  if (quantity == nullptr) return 0.0;
  Observer at = header.observer;
  at.dateTime = moment;
  // A time of day is kept in Gmt: displayValue turns it into the line's
  // system at display time, so computing it in that system already would
  // shift it twice.
  const TimeKind timeKind = quantity->kindOf() == QuantityKind::TimeOfDay ? TimeKind::Gmt : line.timeKind;
  BodyState state;
  body->compute(quantity->flag(), at, state, timeKind, line.coordSystem);
  return state.valueOf(quantity->flag());
}

namespace {

// A time of day stored in Gmt for a moment, in the line's time system.
double timeOfDayShown(const GraphHeader& header, const GraphLine& line, double value, AstDateTime at) {
  // An event that did not happen (-1 hours) stays invalid through the
  // conversion and is hidden by the quantity's validity test.
  at.setHours(value);
  const Observer& o = header.observer;
  convertTime(at, line.timeKind, o.longitude(), o.timeZone(), o.daylightSaving);
  return at.getHours();
}

}  // namespace

double displayValue(const GraphHeader& header, const GraphLine& line, int moment, const AstDateTime& gmtMoment) {
  const Quantity* quantity = lineQuantity(line);
  if (quantity == nullptr || moment < 0 || moment > graphLastMoment) {
    if (quantity != nullptr) NOCTAVO_INTERNAL_ERROR(moduleName);
    return 0.0;
  }
  const double value = line.values[static_cast<std::size_t>(moment)];
  if (quantity->kindOf() == QuantityKind::TimeOfDay) return timeOfDayShown(header, line, value, gmtMoment);
  return displayValue(header, line, moment);
}

double displayValue(const GraphHeader& header, const GraphLine& line, int moment) {
  const Quantity* quantity = lineQuantity(line);
  if (quantity == nullptr || moment < 0 || moment > graphLastMoment) {
    if (quantity != nullptr) NOCTAVO_INTERNAL_ERROR(moduleName);
    return 0.0;
  }
  const double value = line.values[static_cast<std::size_t>(moment)];
  switch (quantity->kindOf()) {
    case QuantityKind::Angle:
    case QuantityKind::Plain:
      return value;
    case QuantityKind::TimeOfDay:
      return timeOfDayShown(header, line, value, momentAt(header, moment, TimeKind::Gmt));
    default:
      NOCTAVO_INTERNAL_ERROR(moduleName);
      return 0.0;
  }
}

int findLine(const GraphDocument& document, std::string_view name) {
  for (int slot = 0; slot < graphSlotCount; ++slot) {
    const GraphLine& line = document.lines[static_cast<std::size_t>(slot)];
    if (!line.free && name == std::string_view(line.name, strnlen(line.name, sizeof line.name))) return slot;
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return -1;
}

int firstFreeLine(const GraphDocument& document) {
  for (int slot = 0; slot < graphSlotCount; ++slot) {
    if (document.lines[static_cast<std::size_t>(slot)].free) return slot;
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return -1;
}

bool lineNameTaken(const GraphDocument& document, std::string_view name, int exceptSlot) {
  for (int slot = 0; slot < graphSlotCount; ++slot) {
    const GraphLine& line = document.lines[static_cast<std::size_t>(slot)];
    if (slot != exceptSlot && !line.free && name == std::string_view(line.name, strnlen(line.name, sizeof line.name))) {
      return true;
    }
  }
  return false;
}

int addLine(GraphDocument& document, std::string_view name, const AstBody& body, const Quantity& quantity) {
  const int slot = firstFreeLine(document);
  if (slot < 0) return -1;
  GraphLine& line = document.lines[static_cast<std::size_t>(slot)];
  line.setName(name);
  line.objectType = body.getObjectType();
  line.objectIndex = static_cast<std::uint16_t>(body.getIndex());
  line.quantityFlag = quantity.flag();
  line.colour = 0;
  line.hidden = false;
  line.free = false;
  line.calculated = false;
  line.timeKind = TimeKind::Gmt;
  line.coordSystem = CoordSystem::Equatorial;
  ++document.header.lineCount;
  document.header.modified = true;
  return slot;
}

void deleteLine(GraphDocument& document, int slot) {
  if (slot < 0 || slot >= graphSlotCount || document.lines[static_cast<std::size_t>(slot)].free) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  document.lines[static_cast<std::size_t>(slot)].free = true;
  if (document.header.lineCount > 0) --document.header.lineCount;
  document.header.modified = true;
}

}  // namespace noctavo
