#include "graph/DefaultGraph.h"

#include <string_view>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "graph/GraphCalculation.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_GPH";
constexpr const char* graphName = "Ziduzovuzizo Zeveviza 2001";
constexpr int graphYear = 2001;

// The program's default place: London, at 0.17 degrees west and 51.50
// degrees north, on Greenwich time all year (the graph keeps one
// daylight-saving flag for the whole year).
constexpr const char* longitudeText = "0.17";
constexpr const char* latitudeText = "51.50";
constexpr const char* timeZoneText = "0";

// Colour table indexes that stand out on the plot's light grey.
namespace colour {
constexpr int black = 0;
constexpr int red = 2;
constexpr int green = 3;
constexpr int blue = 5;
constexpr int magenta = 6;
constexpr int darkRed = 8;
constexpr int darkGreen = 9;
constexpr int brown = 10;
constexpr int darkBlue = 11;
constexpr int darkMagenta = 12;
constexpr int darkCyan = 13;
constexpr int grey = 14;
}  // namespace colour

struct LineDefinition {
  const char* name;
  ObjectType type;
  const char* body;  // planet name; ignored for the Sun and the Moon
  std::uint32_t flag;
  int colour;
};

constexpr LineDefinition lineDefinitions[] = {
    {"Sunrise", ObjectType::Sun, "", quantity_bit::rise, colour::red},
    {"Sunset", ObjectType::Sun, "", quantity_bit::set, colour::darkRed},
    {"Twilight begins", ObjectType::Sun, "", quantity_bit::twilightBegin, colour::darkBlue},
    {"Twilight ends", ObjectType::Sun, "", quantity_bit::twilightEnd, colour::blue},
    {"Sun declination", ObjectType::Sun, "", quantity_bit::latitude, colour::grey},
    {"Moon phase", ObjectType::Moon, "", quantity_bit::phase, colour::black},
    {"Moonrise", ObjectType::Moon, "", quantity_bit::rise, colour::darkCyan},
    {"Venus magnitude", ObjectType::Planet, "Venus", quantity_bit::magnitude, colour::magenta},
    {"Venus elong.", ObjectType::Planet, "Venus", quantity_bit::elongation, colour::darkMagenta},
    {"Mercury elong.", ObjectType::Planet, "Mercury", quantity_bit::elongation, colour::brown},
    {"Mars magnitude", ObjectType::Planet, "Mars", quantity_bit::magnitude, colour::green},
    {"Jupiter dist.", ObjectType::Planet, "Jupiter", quantity_bit::distanceFromEarth, colour::darkGreen},
};

// A line as the Edit Line dialog leaves it: times of day shown in local
// civil time, angles in equatorial coordinates, no system for the rest.
void defineLine(GraphDocument& document, const LineDefinition& definition) {
  const AstBody* body = bodyByName(definition.type, definition.body);
  const Quantity* quantity = body ? body->findQuantity(definition.flag) : nullptr;
  const int slot = firstFreeLine(document);
  if (quantity == nullptr || slot < 0) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  GraphLine& line = document.lines[static_cast<std::size_t>(slot)];
  line.setName(definition.name);
  line.objectType = body->getObjectType();
  line.objectIndex = static_cast<std::uint16_t>(body->getIndex());
  line.quantityFlag = quantity->flag();
  line.colour = definition.colour;
  line.hidden = false;
  line.free = false;
  line.calculated = false;
  line.values.fill(0.0);
  line.timeKind = quantity->kindOf() == QuantityKind::TimeOfDay ? TimeKind::Lct : TimeKind::None;
  line.coordSystem = quantity->kindOf() == QuantityKind::Angle ? CoordSystem::Equatorial : CoordSystem::None;
  ++document.header.lineCount;
}

}  // namespace

void makeDefaultGraph(GraphDocument& document) {
  document.header.observer = Observer{};
  document.header.reserved.fill(0);
  document.header.reservedTail.fill(0);
  for (GraphLine& line : document.lines) line = GraphLine{};
  resetDocument(document);
  document.header.setName(graphName);
  document.header.observer.location.setCountry("UK");
  document.header.observer.location.setTown("London");
  for (const LineDefinition& definition : lineDefinitions) defineLine(document, definition);

  // The Calculate Graph dialog's OK with its start values for 2001.
  Observer programObserver;
  programObserver.dateTime = AstDateTime(1, 1, graphYear, 0.0, TimeKind::Lct);
  GraphHeader working = document.header;
  prepareCalculationHeader(working, programObserver);
  CalculationInput input;
  input.begin = working.begin;
  input.end = working.end;
  input.endDefined = false;
  input.kind = TimeKind::Lct;
  input.stepUnit = StepUnit::Days;
  input.stepText = "1";
  input.longitudeText = longitudeText;
  input.latitudeText = latitudeText;
  input.timeZoneText = timeZoneText;
  input.daylightSaving = false;
  if (applyCalculationInput(working, input) != CalculationFault::None) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  document.header = working;
  finishCalculation(document, {});
  // As saved: a file holds no unsaved changes.
  document.header.modified = false;
}

}  // namespace noctavo
