#include "graph/GraphFile.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "bodies/BodyRegistry.h"

namespace noctavo {
namespace {

// Where each field lies: header offsets from the start of the file, line
// offsets from the start of the line's record.
namespace at {
constexpr std::size_t signature = 0;
constexpr std::size_t name = 30;
constexpr std::size_t begin = 64;
constexpr std::size_t end = 96;
constexpr std::size_t reserved = 128;
constexpr std::size_t lineCount = 320;
constexpr std::size_t xAxisHorizontal = 321;
constexpr std::size_t xAxisRightToLeft = 322;
constexpr std::size_t yAxisTopToBottom = 323;
constexpr std::size_t headerMarker = 324;
constexpr std::size_t stepValue = 328;
constexpr std::size_t stepUnit = 336;
constexpr std::size_t endDefined = 340;
constexpr std::size_t observer = 344;
constexpr std::size_t calculated = 456;
constexpr std::size_t markCount = 460;
constexpr std::size_t markUnit = 464;
constexpr std::size_t labelCount = 468;
constexpr std::size_t labelUnit = 472;
constexpr std::size_t modified = 476;
constexpr std::size_t timeKind = 480;
constexpr std::size_t reservedTail = 484;

// Within a stored date and time.
constexpr std::size_t day = 0;
constexpr std::size_t month = 4;
constexpr std::size_t year = 8;
constexpr std::size_t hours = 16;
constexpr std::size_t kind = 24;

// Within the stored observer.
constexpr std::size_t observerDateTime = 0;
constexpr std::size_t latitude = 32;
constexpr std::size_t longitude = 40;
constexpr std::size_t timeZone = 48;
constexpr std::size_t country = 52;
constexpr std::size_t town = 75;
constexpr std::size_t daylightSaving = 104;

// Within a line record.
constexpr std::size_t lineName = 0;
constexpr std::size_t objectType = 16;
constexpr std::size_t objectIndex = 20;
constexpr std::size_t quantityFlag = 24;
constexpr std::size_t colour = 28;
constexpr std::size_t hidden = 32;
constexpr std::size_t free = 33;
constexpr std::size_t lineCalculated = 34;
constexpr std::size_t values = 40;
constexpr std::size_t lineTimeKind = 2968;
constexpr std::size_t coordSystem = 2972;
}  // namespace at

constexpr int largestCount = 100;  // ruler marks and labels: every 1..100 units
// Time zones of the world run from 12 hours west to 14 hours east.
constexpr float westmostTimeZone = -12.0f;
constexpr float eastmostTimeZone = 14.0f;
constexpr double northmostLatitude = 90.0;
constexpr double westmostLongitude = 180.0;  // west positive, -180 <= longitude < 180

std::size_t lineRecord(int slot) { return graphHeaderSize + static_cast<std::size_t>(slot) * graphLineRecordSize; }

// ------------------------------------------------------------------ writing

class ImageWriter {
 public:
  explicit ImageWriter(std::vector<unsigned char>& bytes) : bytes_(bytes) {}

  void unsignedValue(std::size_t offset, std::uint64_t value, int size) {
    for (int k = 0; k < size; ++k) bytes_[offset + static_cast<std::size_t>(k)] = static_cast<unsigned char>(value >> (8 * k));
  }
  void int32(std::size_t offset, std::int32_t value) { unsignedValue(offset, static_cast<std::uint32_t>(value), 4); }
  void uint16(std::size_t offset, std::uint16_t value) { unsignedValue(offset, value, 2); }
  void uint32(std::size_t offset, std::uint32_t value) { unsignedValue(offset, value, 4); }
  void byte(std::size_t offset, unsigned char value) { bytes_[offset] = value; }
  void flag(std::size_t offset, bool value) { byte(offset, value ? 1 : 0); }
  void real(std::size_t offset, double value) { unsignedValue(offset, std::bit_cast<std::uint64_t>(value), 8); }
  void real32(std::size_t offset, float value) { unsignedValue(offset, std::bit_cast<std::uint32_t>(value), 4); }
  void bytes(std::size_t offset, const void* data, std::size_t size) { std::memcpy(bytes_.data() + offset, data, size); }

  void dateTime(std::size_t offset, const AstDateTime& moment) {
    // The getters answer 0 for an invalid record: its date is read from a
    // valid copy, and its -1 hours written as they are.
    AstDateTime fields = moment;
    if (!fields.isValid()) fields.setHours(0.0);
    int32(offset + at::day, fields.getDay());
    int32(offset + at::month, fields.getMonth());
    int32(offset + at::year, fields.getYear());
    real(offset + at::hours, moment.getHours());
    int32(offset + at::kind, static_cast<std::int32_t>(moment.getKind()));
  }

 private:
  std::vector<unsigned char>& bytes_;
};

// ------------------------------------------------------------------ reading

class ImageReader {
 public:
  explicit ImageReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

  std::uint64_t unsignedValue(std::size_t offset, int size) const {
    std::uint64_t value = 0;
    for (int k = 0; k < size; ++k) value |= static_cast<std::uint64_t>(bytes_[offset + static_cast<std::size_t>(k)]) << (8 * k);
    return value;
  }
  std::int32_t int32(std::size_t offset) const { return static_cast<std::int32_t>(unsignedValue(offset, 4)); }
  std::uint16_t uint16(std::size_t offset) const { return static_cast<std::uint16_t>(unsignedValue(offset, 2)); }
  std::uint32_t uint32(std::size_t offset) const { return static_cast<std::uint32_t>(unsignedValue(offset, 4)); }
  unsigned char byte(std::size_t offset) const { return bytes_[offset]; }
  bool flag(std::size_t offset) const { return bytes_[offset] != 0; }
  double real(std::size_t offset) const { return std::bit_cast<double>(unsignedValue(offset, 8)); }
  float real32(std::size_t offset) const { return std::bit_cast<float>(static_cast<std::uint32_t>(unsignedValue(offset, 4))); }
  // A text field always ends with a NUL in memory, whatever the file holds.
  template <std::size_t N>
  void text(std::size_t offset, char (&field)[N]) const {
    std::memcpy(field, bytes_.data() + offset, N);
    field[N - 1] = '\0';
  }
  template <std::size_t N>
  void bytes(std::size_t offset, std::array<unsigned char, N>& field) const {
    std::memcpy(field.data(), bytes_.data() + offset, N);
  }

  // A stored date and time, or false when it is no moment the program can
  // work with: a valid record needs a calendar date of the years 1..9999,
  // 0 <= hours < 24 and a time system 0..4; -1 hours marks it invalid.
  bool dateTime(std::size_t offset, AstDateTime& out) const {
    const std::int32_t kind = int32(offset + at::kind);
    const double hours = real(offset + at::hours);
    if (kind < static_cast<std::int32_t>(TimeKind::Gmt) || kind > static_cast<std::int32_t>(TimeKind::None)) return false;
    AstDateTime moment(int32(offset + at::day), int32(offset + at::month), int32(offset + at::year), hours,
                       static_cast<TimeKind>(kind));
    if (hours != -1.0) {
      const int day = int32(offset + at::day);
      const int month = int32(offset + at::month);
      const int year = int32(offset + at::year);
      if (!(hours >= 0.0 && hours < 24.0) || year < 1 || year > 9999 || month < 1 || month > 12) return false;
      if (day < 1 || day > moment.daysInMonth()) return false;
    }
    out = moment;
    return true;
  }

 private:
  std::span<const unsigned char> bytes_;
};

bool isStepUnit(std::int32_t unit) {
  return unit >= static_cast<std::int32_t>(StepUnit::Minutes) && unit <= static_cast<std::int32_t>(StepUnit::Years);
}

bool isCount(std::int32_t count) { return count >= 1 && count <= largestCount; }

// 0..3 with 4 for "none" where allowNone.
bool isTimeKind(std::int32_t kind, bool allowNone) {
  return kind >= static_cast<std::int32_t>(TimeKind::Gmt) &&
         kind <= static_cast<std::int32_t>(allowNone ? TimeKind::None : TimeKind::Lst);
}

bool isCoordSystem(std::int32_t system, bool allowNone) {
  return system >= static_cast<std::int32_t>(CoordSystem::Equatorial) &&
         system <= static_cast<std::int32_t>(allowNone ? CoordSystem::None : CoordSystem::Galactic);
}

// The body a line names, found without any report: null when there is none.
const AstBody* bodyOfLine(ObjectType type, int index) {
  if (type == ObjectType::Planet) {
    int cursor = 0;
    int planets = 0;
    while (cursor >= 0 && nextBody(type, cursor) != nullptr) ++planets;
    if (index >= planets) return nullptr;
  }
  return bodyByIndex(type, index);
}

bool readObserver(const ImageReader& in, std::size_t offset, Observer& out) {
  const double latitude = in.real(offset + at::latitude);
  const double longitude = in.real(offset + at::longitude);
  const float timeZone = in.real32(offset + at::timeZone);
  if (!(latitude >= -northmostLatitude && latitude <= northmostLatitude)) return false;
  if (!(longitude >= -westmostLongitude && longitude < westmostLongitude)) return false;
  if (!(timeZone >= westmostTimeZone && timeZone <= eastmostTimeZone)) return false;
  // The observer's own moment is never used by a graph: a damaged one is
  // put back to the start value instead of refusing the file.
  if (!in.dateTime(offset + at::observerDateTime, out.dateTime)) out.dateTime = AstDateTime(TimeKind::Lct);
  out.location.latitude.set(latitude);
  out.location.longitude.set(longitude);
  out.location.timeZone = timeZone;
  in.text(offset + at::country, out.location.country);
  in.text(offset + at::town, out.location.town);
  out.daylightSaving = in.flag(offset + at::daylightSaving);
  return true;
}

bool readHeader(const ImageReader& in, GraphHeader& h) {
  in.text(at::signature, h.signature);
  in.text(at::name, h.name);
  if (!in.dateTime(at::begin, h.begin) || !in.dateTime(at::end, h.end)) return false;
  in.bytes(at::reserved, h.reserved);
  h.lineCount = in.byte(at::lineCount);
  h.xAxisHorizontal = in.flag(at::xAxisHorizontal);
  h.xAxisRightToLeft = in.flag(at::xAxisRightToLeft);
  h.yAxisTopToBottom = in.flag(at::yAxisTopToBottom);
  h.headerMarker = in.byte(at::headerMarker);
  h.stepValue = in.real(at::stepValue);
  const std::int32_t stepUnit = in.int32(at::stepUnit);
  h.endDefined = in.flag(at::endDefined);
  if (!readObserver(in, at::observer, h.observer)) return false;
  h.calculated = in.flag(at::calculated);
  h.markCount = in.int32(at::markCount);
  const std::int32_t markUnit = in.int32(at::markUnit);
  h.labelCount = in.int32(at::labelCount);
  const std::int32_t labelUnit = in.int32(at::labelUnit);
  // A file on disk is saved by definition.
  h.modified = false;
  const std::int32_t timeKind = in.int32(at::timeKind);
  in.bytes(at::reservedTail, h.reservedTail);

  if (h.lineCount > graphSlotCount || !std::isfinite(h.stepValue)) return false;
  if (!isStepUnit(stepUnit) || !isStepUnit(markUnit) || !isStepUnit(labelUnit)) return false;
  if (!isCount(h.markCount) || !isCount(h.labelCount)) return false;
  // The axis shows civil or sidereal time; the dialog that calculates a
  // graph offers all four systems.
  if (!isTimeKind(timeKind, false)) return false;
  // A calculated graph interpolates between its ends.
  if (h.calculated && (!h.begin.isValid() || !h.end.isValid() || h.begin.getKind() == TimeKind::None ||
                       h.end.getKind() == TimeKind::None)) {
    return false;
  }
  h.stepUnit = static_cast<StepUnit>(stepUnit);
  h.markUnit = static_cast<StepUnit>(markUnit);
  h.labelUnit = static_cast<StepUnit>(labelUnit);
  h.timeKind = static_cast<TimeKind>(timeKind);
  return true;
}

// A free slot is taken as it stands: its bytes are stale and never used.
bool readLine(const ImageReader& in, std::size_t offset, GraphLine& line) {
  in.text(offset + at::lineName, line.name);
  const std::int32_t type = in.int32(offset + at::objectType);
  line.objectType = static_cast<ObjectType>(type);
  line.objectIndex = in.uint16(offset + at::objectIndex);
  line.quantityFlag = in.uint32(offset + at::quantityFlag);
  line.colour = in.int32(offset + at::colour);
  line.hidden = in.flag(offset + at::hidden);
  line.free = in.flag(offset + at::free);
  line.calculated = in.flag(offset + at::lineCalculated);
  for (std::size_t i = 0; i < line.values.size(); ++i) line.values[i] = in.real(offset + at::values + 8 * i);
  const std::int32_t timeKind = in.int32(offset + at::lineTimeKind);
  const std::int32_t coordSystem = in.int32(offset + at::coordSystem);
  line.timeKind = static_cast<TimeKind>(timeKind);
  line.coordSystem = static_cast<CoordSystem>(coordSystem);
  if (line.free) return true;

  if (type < static_cast<std::int32_t>(ObjectType::Sun) || type > static_cast<std::int32_t>(ObjectType::NgcObject)) {
    return false;
  }
  const AstBody* body = bodyOfLine(line.objectType, line.objectIndex);
  if (body == nullptr || !body->hasQuantity(line.quantityFlag)) return false;
  if (line.colour < 0 || line.colour >= graphColourCount) return false;
  // What the kind of quantity needs: a time system to show a time of day
  // in, a coordinate system to compute an angle in.
  const Quantity* quantity = body->findQuantity(line.quantityFlag);
  const bool timeOfDay = quantity->kindOf() == QuantityKind::TimeOfDay;
  const bool angle = quantity->kindOf() == QuantityKind::Angle;
  return isTimeKind(timeKind, !timeOfDay) && isCoordSystem(coordSystem, !angle);
}

}  // namespace

std::vector<unsigned char> encodeGraph(const GraphDocument& document) {
  std::vector<unsigned char> image(graphFileSize, 0);
  ImageWriter out(image);
  const GraphHeader& h = document.header;
  out.bytes(at::signature, h.signature, sizeof h.signature);
  out.bytes(at::name, h.name, sizeof h.name);
  out.dateTime(at::begin, h.begin);
  out.dateTime(at::end, h.end);
  out.bytes(at::reserved, h.reserved.data(), h.reserved.size());
  out.byte(at::lineCount, h.lineCount);
  out.flag(at::xAxisHorizontal, h.xAxisHorizontal);
  out.flag(at::xAxisRightToLeft, h.xAxisRightToLeft);
  out.flag(at::yAxisTopToBottom, h.yAxisTopToBottom);
  out.byte(at::headerMarker, h.headerMarker);
  out.real(at::stepValue, h.stepValue);
  out.int32(at::stepUnit, static_cast<std::int32_t>(h.stepUnit));
  out.flag(at::endDefined, h.endDefined);

  const Observer& o = h.observer;
  out.dateTime(at::observer + at::observerDateTime, o.dateTime);
  out.real(at::observer + at::latitude, o.latitude());
  out.real(at::observer + at::longitude, o.longitude());
  out.real32(at::observer + at::timeZone, o.timeZone());
  out.bytes(at::observer + at::country, o.location.country, sizeof o.location.country);
  out.bytes(at::observer + at::town, o.location.town, sizeof o.location.town);
  out.flag(at::observer + at::daylightSaving, o.daylightSaving);

  out.flag(at::calculated, h.calculated);
  out.int32(at::markCount, h.markCount);
  out.int32(at::markUnit, static_cast<std::int32_t>(h.markUnit));
  out.int32(at::labelCount, h.labelCount);
  out.int32(at::labelUnit, static_cast<std::int32_t>(h.labelUnit));
  out.flag(at::modified, false);
  out.int32(at::timeKind, static_cast<std::int32_t>(h.timeKind));
  out.bytes(at::reservedTail, h.reservedTail.data(), h.reservedTail.size());

  for (int slot = 0; slot < graphSlotCount; ++slot) {
    const GraphLine& line = document.lines[static_cast<std::size_t>(slot)];
    const std::size_t base = lineRecord(slot);
    out.bytes(base + at::lineName, line.name, sizeof line.name);
    out.int32(base + at::objectType, static_cast<std::int32_t>(line.objectType));
    out.uint16(base + at::objectIndex, line.objectIndex);
    out.uint32(base + at::quantityFlag, line.quantityFlag);
    out.int32(base + at::colour, line.colour);
    out.flag(base + at::hidden, line.hidden);
    out.flag(base + at::free, line.free);
    out.flag(base + at::lineCalculated, line.calculated);
    for (std::size_t i = 0; i < line.values.size(); ++i) out.real(base + at::values + 8 * i, line.values[i]);
    out.int32(base + at::lineTimeKind, static_cast<std::int32_t>(line.timeKind));
    out.int32(base + at::coordSystem, static_cast<std::int32_t>(line.coordSystem));
  }
  return image;
}

bool decodeGraph(std::span<const unsigned char> image, GraphDocument& document) {
  if (image.size() != graphFileSize) return false;
  const ImageReader in(image);
  // Everything goes into a document of its own first: the one in use
  // changes only when the whole image has passed.
  auto incoming = std::make_unique<GraphDocument>();
  if (!readHeader(in, incoming->header)) return false;
  int used = 0;
  for (int slot = 0; slot < graphSlotCount; ++slot) {
    GraphLine& line = incoming->lines[static_cast<std::size_t>(slot)];
    if (!readLine(in, lineRecord(slot), line)) return false;
    used += line.free ? 0 : 1;
  }
  if (used != incoming->header.lineCount) return false;
  document = *incoming;
  return true;
}

}  // namespace noctavo
