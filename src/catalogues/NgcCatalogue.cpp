#include "catalogues/NgcCatalogue.h"

#include <array>
#include <deque>
#include <unordered_map>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "catalogues/Constellation.h"
#include "catalogues/CoreServices.h"
#include "catalogues/DataFile.h"
#include "catalogues/FixedPositionQuantities.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "astngc";

constexpr const char* ngcFileExtension = "ngc";

// Row 7 has two blanks between its words; the texts are the program's own.
constexpr std::array<const char*, ngcTypeCount> typeTexts = {
    "Galaxy",
    "Open star cluster",
    "Globular star cluster, usually in the Milky Way Galaxy",
    "Bright emission or reflection nebula",
    "Planetary nebula",
    "Cluster associated with nebulosity",
    "Asterism or group of a few stars",
    "Knot  or  nebulous  region  in  an  external galaxy",
    "Triple star",
    "Double star",
    "Single star",
    "Uncertain type or may not exist",
    "Unidentified at the place given, or type unknown",
    "Object called nonexistent in the RNGC (Sulentic and Tifft 1973)",
    "Photographic plate defect",
    "Double star (?)",
    "Star (?)",
};

constexpr int noConstellation = -1;

struct NgcQuantities {
  MagnitudeQuantity magnitude{"Magnitude", -20, 20, quantity_bit::magnitude, 184, 162};
  ConstellationQuantity constellation{"Constellation", 0, 88, quantity_bit::ngcConstellation, 185, 163};
  FixedPositionQuantities fixed;
  std::array<const Quantity*, 7> list{&magnitude, &constellation,   &fixed.direction, &fixed.rise,
                                      &fixed.set, &fixed.longitude, &fixed.latitude};
};

const NgcQuantities& ngcQuantities() {
  static const NgcQuantities quantities;
  return quantities;
}

// The objects in file order; a deque, so that an object never moves.
std::deque<NgcObject>& objects() {
  static std::deque<NgcObject> all;
  return all;
}

// Object by name, the first of a name in file order: the picture list links
// some two hundred pictures at start, and a scan of the whole catalogue for
// each would cost more than everything else it does.
std::unordered_map<std::string, const NgcObject*>& objectsByName() {
  static std::unordered_map<std::string, const NgcObject*> index;
  return index;
}

class NgcBodyCatalogue final : public BodyCatalogue {
 public:
  const AstBody* byName(const std::string& name) const override { return findNgcByName(name); }
  const AstBody* byIndex(int index) const override { return ngcAt(index); }
  const AstBody* next(int& cursor) const override { return nextNgc(cursor); }
};

const NgcBodyCatalogue theBodyCatalogue;

std::string recordMessage(int record, const std::string& what) {
  return "Error in NGC file, record " + std::to_string(record) + ": " + what;
}

enum class RecordResult { Read, EndOfFile, Damaged };

// Reads one record. A damaged record is described in `damage`, and the
// reading stops there: after a wrong length byte no later record can be
// trusted to start where the reader looks. Problems of a whole record (the
// object mended or left out) go to `problems`.
RecordResult readRecord(ByteReader& reader, int record, std::string& damage, ProblemReport& problems) {
  std::int8_t nameLength = 0;
  if (!reader.readInt8(nameLength)) return RecordResult::EndOfFile;
  const auto damaged = [&](const std::string& what) {
    damage = recordMessage(record, what);
    return RecordResult::Damaged;
  };
  const auto cutShort = [&] { return damaged("the file ends inside the record"); };
  if (nameLength < 0 || static_cast<std::size_t>(nameLength) > ngcMaxNameLength) {
    return damaged("the name length " + std::to_string(nameLength) + " is not 0..20");
  }
  std::string name;
  if (!reader.readText(static_cast<std::size_t>(nameLength), name)) return cutShort();

  std::int8_t typeClass = 0;
  if (!reader.readInt8(typeClass)) return cutShort();
  if (typeClass == ngcNoType) {
    // The catalogue gives every object a type; this one is a broken
    // invariant of the shipped file.
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return RecordResult::Damaged;
  }
  if (typeClass < 0 || typeClass >= ngcTypeCount) {
    return damaged("the type class " + std::to_string(typeClass) + " of \"" + name + "\" is not 0..16");
  }

  float rightAscension = 0.0f;
  float declination = 0.0f;
  std::uint8_t constellationByte = 0;
  float size = 0.0f;
  float magnitude = 0.0f;
  std::int8_t descriptionLength = 0;
  if (!reader.readFloat(rightAscension) || !reader.readFloat(declination) || !reader.readUint8(constellationByte) ||
      !reader.readFloat(size) || !reader.readFloat(magnitude) || !reader.readInt8(descriptionLength)) {
    return cutShort();
  }
  if (descriptionLength < 0 || static_cast<std::size_t>(descriptionLength) > ngcMaxDescriptionLength) {
    return damaged("the description length " + std::to_string(descriptionLength) + " of \"" + name +
                   "\" is not 0..50");
  }
  std::string description;
  if (!reader.readText(static_cast<std::size_t>(descriptionLength), description)) return cutShort();

  // The record is whole, so the reading goes on after it; only the object
  // is left out.
  if (!isPlaceOnTheSky(rightAscension, declination)) {
    problems.add(recordMessage(record, "the position of \"" + name + "\" (" +
                                           positionText(rightAscension, declination) +
                                           ") is no place on the sky; the object is left out"));
    return RecordResult::Read;
  }
  if (hasControlCharacter(name)) {
    problems.add(recordMessage(record, "the name holds a control character; the object is left out"));
    return RecordResult::Read;
  }

  int constellation = constellationByte;
  if (constellation >= constellationCount) {
    // The object stays, without a constellation: its constellation quantity
    // then shows no constellation rather than a wrong one.
    problems.add(recordMessage(record, "the constellation number " + std::to_string(constellation) + " of \"" +
                                           name + "\" is not 0..87; the object has no constellation"));
    constellation = noConstellation;
  }
  // An object's index is its place in the catalogue, which is its record
  // number as long as no damaged record has been left out before it.
  const int index = static_cast<int>(objects().size());
  const NgcObject& added = objects().emplace_back(index, name, typeClass, rightAscension, declination,
                                                  constellation, size, magnitude, description);
  objectsByName().emplace(added.getName(), &added);
  return RecordResult::Read;
}

}  // namespace

const char* ngcTypeText(std::int32_t typeClass) {
  if (typeClass < 0 || typeClass >= ngcTypeCount) return "";
  return typeTexts[static_cast<std::size_t>(typeClass)];
}

NgcObject::NgcObject(int index, const std::string& name, std::int32_t typeClass, double rightAscension,
                     double declination, int constellation, float size, float magnitude,
                     const std::string& description)
    : AstBody(name.c_str(), index, ObjectType::NgcObject, noSymbol),
      typeClass_(typeClass),
      position_(rightAscension, declination, CoordSystem::Equatorial),
      constellation_(constellation >= 0 && constellation < constellationCount ? constellation : noConstellation),
      size_(size),
      magnitude_(magnitude),
      description_(description.substr(0, ngcMaxDescriptionLength)) {}

void NgcObject::compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
                        CoordSystem system) const {
  namespace bit = quantity_bit;
  if (!checkRequest(flags, timeKind, system)) return;
  if ((flags & bit::magnitude) != 0) out.magnitude = magnitude_;
  if ((flags & bit::ngcConstellation) != 0) out.ngcConstellation = constellation_;
  computeFixedPosition(position_, flags, observer, out, timeKind, system);
}

std::span<const Quantity* const> NgcObject::quantities() const { return ngcQuantities().list; }

const Constellation* NgcObject::constellation() const { return constellationAt(constellation_); }

bool loadNgcCatalogue(const std::string& folder) {
  releaseNgcCatalogue();
  registerBodyCatalogue(ObjectType::NgcObject, &theBodyCatalogue);

  std::string bytes;
  const FileReadResult read = readWholeFile(dataFilePath(folder, ngcFileExtension), bytes);
  if (read == FileReadResult::CannotOpen) {
    // The start-up ends the program on this; the user learns which file.
    showUserMessage(MessageSeverity::Warning, dataFileMessage("Error opening NGC file", folder, ngcFileExtension));
    return false;
  }

  ProblemReport problems;
  std::string damage;
  ByteReader reader(bytes);
  RecordResult result = RecordResult::Read;
  for (int record = 0; result == RecordResult::Read; ++record) {
    result = readRecord(reader, record, damage, problems);
  }
  problems.show();
  if (!damage.empty()) showUserMessage(MessageSeverity::Warning, damage + "; the rest of the file is not read");
  return read == FileReadResult::Complete && result == RecordResult::EndOfFile;
}

void releaseNgcCatalogue() {
  registerBodyCatalogue(ObjectType::NgcObject, nullptr);
  objectsByName().clear();
  objects().clear();
}

int ngcCount() { return static_cast<int>(objects().size()); }

const NgcObject* ngcAt(int index) {
  if (index < 0 || index >= ngcCount()) return nullptr;
  return &objects()[static_cast<std::size_t>(index)];
}

const NgcObject* nextNgc(int& cursor) {
  const NgcObject* object = ngcAt(cursor);
  cursor = object == nullptr ? -1 : cursor + 1;
  return object;
}

const NgcObject* findNgcByName(const std::string& name) {
  const auto found = objectsByName().find(name);
  return found == objectsByName().end() ? nullptr : found->second;
}

}  // namespace noctavo
