#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "bodies/AstBody.h"

namespace noctavo {

class Constellation;

// Number of type classes; the class value ngcTypeCount itself means "no type".
constexpr std::int32_t ngcTypeCount = 17;
constexpr std::int32_t ngcNoType = 17;
// Longest name and description of an object in the NGC file.
constexpr std::size_t ngcMaxNameLength = 20;
constexpr std::size_t ngcMaxDescriptionLength = 50;

// The text of a type class 0..16 ("Galaxy", ...); "" for no type and for any
// other value.
const char* ngcTypeText(std::int32_t typeClass);

// One deep-sky object of the NGC file (module astngc): a name, a type
// class, a fixed equatorial position, its constellation, a magnitude and a
// short description. Objects belong to the catalogue below.
class NgcObject final : public AstBody {
 public:
  NgcObject(int index, const std::string& name, std::int32_t typeClass, double rightAscension,
            double declination, int constellation, float size, float magnitude, const std::string& description);

  // Position, magnitude, constellation number, rising and setting,
  // direction. An object without a constellation gives -1 for the
  // constellation bit, a value no quantity shows as a constellation.
  void compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
               CoordSystem system) const override;
  // "Magnitude", "Constellation", "Direction", "Rise", "Set", "Longitude",
  // "Latitude", shared by all objects.
  std::span<const Quantity* const> quantities() const override;

  std::int32_t typeClass() const { return typeClass_; }
  const char* typeText() const { return ngcTypeText(typeClass_); }
  // (right ascension, declination) in degrees, Equatorial.
  AstCoord position() const { return position_; }
  float magnitude() const { return magnitude_; }
  // The catalogue's size column, kept as read.
  float size() const { return size_; }
  const std::string& description() const { return description_; }
  // 0..87, or -1 when the file gave no valid constellation.
  int constellationIndex() const { return constellation_; }
  const Constellation* constellation() const;

 private:
  std::int32_t typeClass_;
  AstCoord position_;
  int constellation_;
  float size_;
  float magnitude_;
  std::string description_;
};

// Reads Noctavo.ngc of the data folder (any earlier catalogue is released
// first) and registers the catalogue with the body registry. True when the
// file was read to its end; false when it cannot be opened (the message
// names the file and the folder) or reading stopped at a damaged record
// (reported to the user; the objects before it stay). A whole record whose
// position is no place on the sky, or whose name holds a control
// character, is reported and left out, and the reading goes on.
bool loadNgcCatalogue(const std::string& folder);
void releaseNgcCatalogue();

int ngcCount();
// The object of that index; null outside 0..ngcCount()-1.
const NgcObject* ngcAt(int index);
// Enumeration from cursor 0; -1 and null after the last.
const NgcObject* nextNgc(int& cursor);
// The first object whose name equals the text exactly; null when none.
const NgcObject* findNgcByName(const std::string& name);

}  // namespace noctavo
