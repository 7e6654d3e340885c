#include "catalogues/Star.h"

#include <deque>
#include <map>
#include <string_view>

#include "bodies/BodyRegistry.h"
#include "catalogues/Constellation.h"
#include "catalogues/CoreServices.h"
#include "catalogues/DataFile.h"
#include "catalogues/FixedPositionQuantities.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "aststar";

constexpr const char* starFileExtension = "sta";
constexpr const char* nameFileExtension = "stn";

// Bytes of one record of the star file: letter, suffix, right ascension,
// declination, magnitude, constellation.
constexpr std::size_t starRecordSize = 15;

// Degrees of right ascension into hours for the boundary search (1/15).
constexpr double hoursPerDegreeOfRightAscension = 0.06666666666666667;

// The quantities of every star.
const FixedPositionQuantities& starQuantities() {
  static const FixedPositionQuantities quantities;
  return quantities;
}

// The catalogue: stars in file order (a deque, so that a star never moves
// once made), and the names by star index.
struct StarCatalogueState {
  std::deque<Star> stars;
  std::map<std::int32_t, std::string> names;
};

StarCatalogueState& catalogue() {
  static StarCatalogueState state;
  return state;
}

class StarBodyCatalogue final : public BodyCatalogue {
 public:
  const AstBody* byName(const std::string& name) const override { return findStarByName(name); }
  const AstBody* byIndex(int index) const override { return starAt(index); }
  const AstBody* next(int& cursor) const override { return nextStar(cursor, false); }
};

const StarBodyCatalogue theBodyCatalogue;

std::string recordMessage(int record, const std::string& what) {
  return "Error in star file, record " + std::to_string(record) + ": " + what;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

enum class StarFileEnd { EndOfFile, Stopped };

// Reads the records of the star file's contents into the catalogue. Every
// damaged field is reported and mended so that no wrong star comes out.
StarFileEnd readStarRecords(std::string_view bytes) {
  StarCatalogueState& state = catalogue();
  ProblemReport problems;
  ByteReader reader(bytes);
  StarFileEnd end = StarFileEnd::EndOfFile;
  for (int record = 0; !reader.atEnd(); ++record) {
    if (reader.remaining() < starRecordSize) {
      problems.add("Error in star file: the last " + std::to_string(reader.remaining()) +
                   " bytes are not a whole record and are ignored");
      break;
    }
    std::int8_t letter = 0;
    char suffix = Star::noSuffix;
    float rightAscension = 0.0f;
    float declination = 0.0f;
    float magnitude = 0.0f;
    std::uint8_t constellation = Star::noConstellation;
    reader.readInt8(letter);
    reader.readChar(suffix);
    reader.readFloat(rightAscension);
    reader.readFloat(declination);
    reader.readFloat(magnitude);
    reader.readUint8(constellation);

    if (!isPlaceOnTheSky(rightAscension, declination)) {
      problems.add(recordMessage(record, "the position (" + positionText(rightAscension, declination) +
                                             ") is no place on the sky; the star is left out"));
      continue;
    }
    // A star's index is its place in the catalogue, which is its record
    // number as long as no damaged record has been left out before it.
    const int index = static_cast<int>(state.stars.size());

    GreekLetter greekLetter(letter);
    if (letter != GreekLetter::none && !greekLetter.isValid()) {
      problems.add(recordMessage(record, "the letter number " + std::to_string(letter) +
                                             " is not -1..47; the star has no letter"));
      greekLetter = GreekLetter(GreekLetter::none);
    }
    if (!isDigit(suffix)) {
      problems.add(recordMessage(record, "the letter suffix is not a digit; the star has none"));
      suffix = Star::noSuffix;
    }
    if (constellation != Star::noConstellation && constellation >= constellationCount) {
      problems.add(recordMessage(record, "the constellation number " + std::to_string(constellation) +
                                             " is not 0..87; the constellation is found from the position"));
      constellation = Star::noConstellation;
    }
    if (constellation == Star::noConstellation) {
      // The position as the file holds it: no conversion, no precession.
      const AstCoord place(rightAscension * hoursPerDegreeOfRightAscension, declination, CoordSystem::Equatorial);
      const Constellation* found = findConstellationAt(place);
      if (found == nullptr) {
        // Reported as an internal error already; a star without a
        // constellation cannot be filed, so the reading ends here.
        end = StarFileEnd::Stopped;
        break;
      }
      constellation = static_cast<std::uint8_t>(found->getIndex());
    }

    editableConstellationAt(constellation)->addStar(index);
    state.stars.emplace_back(index, rightAscension, declination, magnitude, greekLetter, suffix, constellation);
  }
  problems.show();
  return end;
}

void readStarNames(std::string_view contents) {
  StarCatalogueState& state = catalogue();
  ProblemReport problems;
  for (const TextLine& line : splitLines(contents)) {
    if (isBlankLine(line.text)) continue;
    const std::size_t firstComma = line.text.find(',');
    const std::size_t secondComma =
        firstComma == std::string_view::npos ? std::string_view::npos : line.text.find(',', firstComma + 1);
    if (secondComma == std::string_view::npos) {
      problems.add("Error parsing star name file, line " + std::to_string(line.number));
      continue;
    }
    const std::string_view letterText = line.text.substr(0, firstComma);
    const std::string constellationText(line.text.substr(firstComma + 1, secondComma - firstComma - 1));
    const std::string_view name = trimTrailingBlanks(line.text.substr(secondComma + 1));
    if (hasControlCharacter(name)) {
      problems.add("Error parsing star name file, line " + std::to_string(line.number) +
                   ": the name holds a control character");
      continue;
    }

    const GreekLetter letter = GreekLetter::fromAbbreviation(letterText, false);
    const Constellation* constellation = constellationAt(constellationIndexByAbbreviation(constellationText));
    // A name must go to the star it was written for; a line that names no
    // star is a broken invariant of the shipped data.
    const Star* star = nullptr;
    if (letter.index() != GreekLetter::none && constellation != nullptr) {
      star = constellation->starWithLetter(letter.index());
    }
    if (star == nullptr) {
      NOCTAVO_INTERNAL_ERROR(moduleName);
      continue;
    }
    state.names[star->getIndex()] = std::string(name);
  }
  problems.show();
}

}  // namespace

Star::Star(int index) : AstBody("", index, ObjectType::Star, noSymbol) {}

Star::Star(int index, double rightAscension, double declination, float magnitude, GreekLetter letter,
           char letterSuffix, std::uint8_t constellation)
    : AstBody("", index, ObjectType::Star, noSymbol),
      rightAscension_(rightAscension),
      declination_(declination),
      magnitude_(magnitude),
      greekLetter_(letter.index()),
      letterSuffix_(letterSuffix),
      constellation_(constellation) {}

void Star::compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
                   CoordSystem system) const {
  if (!checkRequest(flags, timeKind, system)) return;
  computeFixedPosition(equatorialPosition(), flags, observer, out, timeKind, system);
}

std::span<const Quantity* const> Star::quantities() const { return starQuantities().list; }

const char* Star::getName() const { return starName(getIndex()); }

AstCoord Star::equatorialPosition() const {
  return AstCoord(rightAscension_, declination_, CoordSystem::Equatorial);
}

const Constellation* Star::constellation() const { return constellationAt(constellation_); }

bool loadStars(const std::string& folder) {
  releaseStars();
  // Every star is filed under a constellation, so they come first. A
  // missing boundary file has been reported; stars that need the search
  // then stop the program there.
  loadConstellations(folder);
  registerBodyCatalogue(ObjectType::Star, &theBodyCatalogue);

  std::string bytes;
  const FileReadResult read = readWholeFile(dataFilePath(folder, starFileExtension), bytes);
  if (read == FileReadResult::CannotOpen) {
    showUserMessage(MessageSeverity::Warning, dataFileMessage("Error opening star file", folder, starFileExtension));
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return false;
  }
  const StarFileEnd end = readStarRecords(bytes);
  // A read error keeps the stars read so far, silently, and skips the names.
  if (read != FileReadResult::Complete || end != StarFileEnd::EndOfFile) return false;
  if (starCount() == 0) {
    // Every name would then be an internal error of its own, none of them
    // saying which file is wrong; the user learns it here instead.
    showUserMessage(MessageSeverity::Warning,
                    dataFileMessage("Error in star file: it holds no stars", folder, starFileExtension));
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return false;
  }

  std::string names;
  if (readWholeFile(dataFilePath(folder, nameFileExtension), names) == FileReadResult::CannotOpen) {
    showUserMessage(MessageSeverity::Warning,
                    dataFileMessage("Error opening star name file", folder, nameFileExtension));
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return true;
  }
  readStarNames(names);
  return true;
}

void releaseStars() {
  registerBodyCatalogue(ObjectType::Star, nullptr);
  StarCatalogueState& state = catalogue();
  state.names.clear();
  state.stars.clear();
}

int starCount() { return static_cast<int>(catalogue().stars.size()); }

const Star* starAt(int index) {
  if (index < 0 || index >= starCount()) return nullptr;
  return &catalogue().stars[static_cast<std::size_t>(index)];
}

const Star* findStarByName(const std::string& name) {
  for (const auto& [index, starName] : catalogue().names) {
    if (starName == name) return starAt(index);
  }
  return nullptr;
}

const char* starName(int index) {
  const auto& names = catalogue().names;
  const auto found = names.find(index);
  return found == names.end() ? "" : found->second.c_str();
}

const Star* firstStar(int& cursor, bool namedOnly) {
  cursor = 0;
  return nextStar(cursor, namedOnly);
}

const Star* nextStar(int& cursor, bool namedOnly) {
  while (cursor >= 0 && cursor < starCount()) {
    const Star* star = starAt(cursor++);
    if (!namedOnly || starName(star->getIndex())[0] != '\0') return star;
  }
  cursor = -1;
  return nullptr;
}

}  // namespace noctavo
