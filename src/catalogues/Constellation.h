#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bodies/AstBody.h"
#include "catalogues/ConstellationTable.h"

namespace noctavo {

class SettingsStore;
class Star;

// One segment of a constellation's stick figure, as two star indices.
struct FigureLine {
  std::int32_t fromStar = -1;
  std::int32_t toStar = -1;
  friend bool operator==(FigureLine, FigureLine) = default;
};

// One line of the boundary file: the part of the sky from lowerDeclination
// up, between two right ascensions, that belongs to a constellation (unless
// an earlier line has claimed it).
struct ConstellationBoundary {
  float lowerRightAscension;  // hours
  float upperRightAscension;  // hours
  float lowerDeclination;     // degrees
  std::int8_t constellation;  // 0..87
};

// One of the 88 constellations (module astcnst), index 0..87 in the order of
// the fixed table: its figure, the stars filed under it, and its position,
// which is that of its alpha star. The 88 objects live for the whole run.
class Constellation final : public AstBody {
 public:
  static constexpr int maxLines = 20;

  explicit Constellation(int index);

  // The computation of its reference star (below); a constellation without
  // any star is an internal error.
  void compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
               CoordSystem system) const override;
  // "Direction", "Rise", "Set", "Longitude", "Latitude", shared by all 88.
  std::span<const Quantity* const> quantities() const override;
  // The Latin or English name, by the current language.
  const char* getName() const override;

  const char* abbreviation() const;

  int starCount() const { return static_cast<int>(stars_.size()); }
  std::span<const std::int32_t> stars() const { return stars_; }
  // Walk the star list; the cursor becomes -1 after the last.
  const Star* firstStar(int& cursor) const;
  const Star* nextStar(int& cursor) const;
  // The first star of its list with this Greek letter; none is an internal
  // error and gives null.
  const Star* findStarByLetter(std::int32_t letter) const;
  // The same without the report, for readers that handle a missing star.
  const Star* starWithLetter(std::int32_t letter) const;
  // The star whose position stands for the constellation: its alpha star;
  // without one, the star of its first Greek letter; without any lettered
  // star, its brightest star; null when no star is filed under it.
  const Star* referenceStar() const;

  int lineCount() const { return lineCount_; }
  // Segment 0..lineCount()-1; anything else is an internal error and gives
  // a line of two -1 ends.
  FigureLine lineAt(int line) const;
  std::span<const FigureLine> lines() const { return {lines_.data(), static_cast<std::size_t>(lineCount_)}; }

  // Used while loading: files a star under this constellation, adds a
  // figure segment (false, and nothing added, when all 20 are in use),
  // empties figure and star list.
  void addStar(std::int32_t starIndex);
  bool addLine(std::int32_t fromStar, std::int32_t toStar);
  void clear();

 private:
  std::array<FigureLine, maxLines> lines_{};
  int lineCount_ = 0;
  std::vector<std::int32_t> stars_;
};

// Makes the 88 constellations afresh (empty figures and star lists), reads
// the boundary file Noctavo.cb1 of the data folder and registers the
// constellations with the body registry. True when the file was read to its
// end; a missing file shows "Error opening constellation file" with the
// file and the folder, a line that does not parse shows "Error parsing
// constellation file" and stops the reading.
bool loadConstellations(const std::string& folder);

// Empties figures, star lists and boundaries and withdraws the registration.
void releaseConstellations();

// Reads the figure file Noctavo.con of the data folder, then the language
// from the settings ("Language for constellation names" under the settings
// root: "Latin" or "Other"). A missing figure file shows its message and is
// an internal error. False when the file could not be read.
bool loadConstellationFigures(const std::string& folder, SettingsStore& settings);

// At program end: writes the language when the options are to be saved.
void saveConstellationLanguage(SettingsStore& settings, bool saveOptions);

// The name of the language value and its two texts.
inline constexpr const char* constellationLanguageValueName = "Language for constellation names";
inline constexpr const char* constellationLanguageLatinText = "Latin";
inline constexpr const char* constellationLanguageOtherText = "Other";

// The constellation of index 0..87, null for any other index.
const Constellation* constellationAt(int index);
// For the loaders, which fill the star lists and figures.
Constellation* editableConstellationAt(int index);
// Enumeration in index order; the cursor becomes -1 after the last.
const Constellation* nextConstellation(int& cursor);

// The first whose abbreviation equals the text regardless of case; none is
// an internal error and gives null.
const Constellation* findConstellationByAbbreviation(const std::string& text);
// The first whose name in the current language equals the text regardless
// of case; none is an internal error and gives null.
const Constellation* findConstellationByName(const std::string& text);

// The boundary search: the constellation of the first boundary line with
// lowerDeclination <= declination and lowerRightAscension <= right ascension
// < upperRightAscension. The position is taken as given: right ascension in
// hours (first angle), declination in degrees, no precession. No fitting line
// is an internal error and gives null.
const Constellation* findConstellationAt(const AstCoord& rightAscensionHoursAndDeclination);
// The same search, -1 without any report when no line fits.
int constellationIndexAt(double rightAscensionHours, double declination);

std::span<const ConstellationBoundary> constellationBoundaries();

}  // namespace noctavo
