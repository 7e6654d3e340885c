#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "bodies/AstBody.h"
#include "catalogues/GreekLetter.h"

namespace noctavo {

class Constellation;

// One star of the star file (module aststar): a fixed equatorial position,
// a visual magnitude, its Bayer letter and the constellation it is filed
// under. Its name comes from the star name file, not from the body's name
// field. Stars belong to the star catalogue below.
class Star final : public AstBody {
 public:
  static constexpr char noSuffix = '0';
  static constexpr std::uint8_t noConstellation = 0xFF;

  // Position 0/0, magnitude 0, no letter, no suffix, no constellation yet.
  explicit Star(int index);
  Star(int index, double rightAscension, double declination, float magnitude, GreekLetter letter,
       char letterSuffix, std::uint8_t constellation);

  // The fixed position (no proper motion, precession or nutation), rising
  // and setting, direction.
  void compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
               CoordSystem system) const override;
  // "Direction", "Rise", "Set", "Longitude", "Latitude", shared by all stars.
  std::span<const Quantity* const> quantities() const override;
  // The star's entry in the name table; "" when it has none.
  const char* getName() const override;

  // (rightAscension, declination) in degrees, Equatorial.
  AstCoord equatorialPosition() const;
  std::int32_t greekLetter() const { return greekLetter_; }
  float magnitude() const { return magnitude_; }
  // '0' = none, else the digit shown after the letter.
  char letterSuffix() const { return letterSuffix_; }
  double rightAscension() const { return rightAscension_; }  // degrees
  double declination() const { return declination_; }        // degrees
  // 0..87; 0xFF only while loading has not settled it.
  std::uint8_t constellationIndex() const { return constellation_; }
  const Constellation* constellation() const;

 private:
  double rightAscension_ = 0.0;
  double declination_ = 0.0;
  float magnitude_ = 0.0f;
  std::int32_t greekLetter_ = GreekLetter::none;
  char letterSuffix_ = noSuffix;
  std::uint8_t constellation_ = noConstellation;
};

// The start-up load from the program's data folder: the constellations and
// their boundaries (loadConstellations), the star file Noctavo.sta, then
// the star name file Noctavo.stn. Any earlier catalogue is released first.
// A missing star or name file, or a star file without a single star, shows
// its message naming the file and the folder and is an internal error.
// False when the star file could not be read to its end or holds no star
// (the names are then not read); damaged records are reported to the user
// and handled without ever producing a wrong star: one whose position is no
// place on the sky is left out, and a name with a control character too.
bool loadStars(const std::string& folder);

// Frees the name table and the stars and withdraws the catalogue from the
// body registry.
void releaseStars();

int starCount();
// The star of that index; null outside 0..starCount()-1.
const Star* starAt(int index);
// The star of the first name-table entry (ascending star index) whose name
// equals the text exactly; null when none does.
const Star* findStarByName(const std::string& name);
// The name of a star index, "" when it has none.
const char* starName(int index);

// Enumeration: the caller starts the cursor at 0 (firstStar does so); each
// call returns the star at the cursor and moves it on; namedOnly skips
// stars without a name (or with an empty one). At the end the cursor
// becomes -1 and null is returned.
const Star* firstStar(int& cursor, bool namedOnly);
const Star* nextStar(int& cursor, bool namedOnly);

}  // namespace noctavo
