#include "catalogues/Constellation.h"

#include <deque>
#include <string_view>

#include "bodies/BodyRegistry.h"
#include "catalogues/CoreServices.h"
#include "catalogues/DataFile.h"
#include "catalogues/FixedPositionQuantities.h"
#include "catalogues/GreekLetter.h"
#include "catalogues/Star.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "astcnst";

constexpr const char* boundaryFileExtension = "cb1";
constexpr const char* figureFileExtension = "con";
constexpr std::size_t reservedBoundaries = 400;

constexpr std::int32_t alpha = 0;

// The settings value lies directly under the program's settings root.
const std::string settingsRootKey;

// The quantities of every constellation: the same rows as a star's.
const FixedPositionQuantities& constellationQuantities() {
  static const FixedPositionQuantities quantities;
  return quantities;
}

// The 88 objects are made once and live for the whole run, so a pointer to
// one never dangles; loading only empties and refills them.
std::deque<Constellation>& constellations() {
  static std::deque<Constellation> all = [] {
    std::deque<Constellation> made;
    for (int index = 0; index < constellationCount; ++index) made.emplace_back(index);
    return made;
  }();
  return all;
}

std::vector<ConstellationBoundary>& boundaries() {
  static std::vector<ConstellationBoundary> table;
  return table;
}

// The registry finds constellations by their name in either language: a
// graph or a setting may hold a name written while the other language was
// chosen, and that is no reason to stop the program.
class ConstellationCatalogue final : public BodyCatalogue {
 public:
  const AstBody* byName(const std::string& name) const override {
    for (const Constellation& constellation : constellations()) {
      if (equalIgnoringAsciiCase(name, constellation.getName())) return &constellation;
    }
    for (const Constellation& constellation : constellations()) {
      const int index = constellation.getIndex();
      if (equalIgnoringAsciiCase(name, constellationLatinName(index)) ||
          equalIgnoringAsciiCase(name, constellationEnglishName(index))) {
        return &constellation;
      }
    }
    return nullptr;
  }
  const AstBody* byIndex(int index) const override { return constellationAt(index); }
  const AstBody* next(int& cursor) const override { return nextConstellation(cursor); }
};

const ConstellationCatalogue theCatalogue;

std::string lineMessage(const char* what, int lineNumber) {
  return std::string(what) + ", line " + std::to_string(lineNumber);
}

// One line of the boundary file: " %f %f %f %s ", the rest ignored.
bool parseBoundary(std::string_view line, ConstellationBoundary& boundary) {
  const std::vector<std::string_view> words = splitWords(line);
  if (words.size() < 4) return false;
  float lowerRightAscension = 0.0f;
  float upperRightAscension = 0.0f;
  float lowerDeclination = 0.0f;
  if (!parseFloat(words[0], lowerRightAscension) || !parseFloat(words[1], upperRightAscension) ||
      !parseFloat(words[2], lowerDeclination)) {
    return false;
  }
  const int index = constellationIndexByAbbreviation(std::string(words[3]));
  if (index < 0) return false;
  boundary = {lowerRightAscension, upperRightAscension, lowerDeclination, static_cast<std::int8_t>(index)};
  return true;
}

// Reads the chains of one figure line into the constellation's segments.
void readFigureChains(Constellation& constellation, std::string_view chains, int lineNumber,
                      bool& overflowReported, ProblemReport& problems) {
  std::size_t start = 0;
  while (start <= chains.size()) {
    std::size_t end = chains.find(';', start);
    if (end == std::string_view::npos) end = chains.size();
    std::int32_t previousStar = -1;  // -1: no open segment
    for (std::string_view word : splitWords(chains.substr(start, end - start))) {
      const GreekLetter letter = GreekLetter::fromName(word, false);
      if (letter.index() == GreekLetter::none) {
        // Looking such a word up would take the first star without a
        // letter; the chain is broken here instead, so no segment is drawn
        // to a star nobody named.
        problems.add(lineMessage("Error parsing constellation figure file", lineNumber) + ": \"" +
                     std::string(word) + "\" is not the name of a Greek letter");
        previousStar = -1;
        continue;
      }
      const Star* star = constellation.findStarByLetter(letter.index());
      if (star == nullptr) {
        previousStar = -1;
        continue;
      }
      const std::int32_t starIndex = star->getIndex();
      if (previousStar >= 0 && !constellation.addLine(previousStar, starIndex) && !overflowReported) {
        problems.add(lineMessage("Error in constellation figure file", lineNumber) + ": " +
                     constellationLatinName(constellation.getIndex()) + " has more than " +
                     std::to_string(Constellation::maxLines) + " figure lines; the others are ignored");
        overflowReported = true;
      }
      previousStar = starIndex;
    }
    start = end + 1;
  }
}

void readLanguage(SettingsStore& settings) {
  const std::string text =
      settings.readString(settingsRootKey, constellationLanguageValueName, constellationLanguageLatinText);
  if (text == constellationLanguageLatinText) {
    setConstellationLanguage(constellationLanguageLatin);
  } else if (text == constellationLanguageOtherText) {
    setConstellationLanguage(constellationLanguageEnglish);
  } else {
    showUserMessage(MessageSeverity::Warning, "Error in INI file");
  }
}

}  // namespace

Constellation::Constellation(int index) : AstBody("", index, ObjectType::Constellation, noSymbol) {}

void Constellation::compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
                            CoordSystem system) const {
  if (!checkRequest(flags, timeKind, system)) return;
  const Star* star = referenceStar();
  if (star == nullptr) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  star->compute(flags, observer, out, timeKind, system);
}

const Star* Constellation::referenceStar() const {
  if (const Star* alphaStar = starWithLetter(alpha)) return alphaStar;
  // Leo Minor, Norma, Puppis and Vela have no alpha star; stopping the
  // program when one of them is shown would be no answer. The star of the
  // first letter they do have stands in, and without any letter the
  // brightest star.
  const Star* best = nullptr;
  for (const std::int32_t index : stars_) {
    const Star* star = starAt(index);
    if (star == nullptr) continue;
    if (best == nullptr) {
      best = star;
      continue;
    }
    const bool lettered = star->greekLetter() != GreekLetter::none;
    const bool bestLettered = best->greekLetter() != GreekLetter::none;
    if (lettered != bestLettered) {
      if (lettered) best = star;
    } else if (lettered ? star->greekLetter() < best->greekLetter() : star->magnitude() < best->magnitude()) {
      best = star;
    }
  }
  return best;
}

std::span<const Quantity* const> Constellation::quantities() const { return constellationQuantities().list; }

const char* Constellation::getName() const { return constellationName(getIndex()); }

const char* Constellation::abbreviation() const { return constellationAbbreviation(getIndex()); }

const Star* Constellation::firstStar(int& cursor) const {
  cursor = 0;
  return nextStar(cursor);
}

const Star* Constellation::nextStar(int& cursor) const {
  if (cursor < 0 || cursor >= starCount()) {
    cursor = -1;
    return nullptr;
  }
  return starAt(stars_[static_cast<std::size_t>(cursor++)]);
}

const Star* Constellation::starWithLetter(std::int32_t letter) const {
  for (const std::int32_t index : stars_) {
    const Star* star = starAt(index);
    if (star != nullptr && star->greekLetter() == letter) return star;
  }
  return nullptr;
}

const Star* Constellation::findStarByLetter(std::int32_t letter) const {
  const Star* star = starWithLetter(letter);
  if (star == nullptr) NOCTAVO_INTERNAL_ERROR(moduleName);
  return star;
}

FigureLine Constellation::lineAt(int line) const {
  if (line < 0 || line >= lineCount_) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return {};
  }
  return lines_[static_cast<std::size_t>(line)];
}

void Constellation::addStar(std::int32_t starIndex) { stars_.push_back(starIndex); }

bool Constellation::addLine(std::int32_t fromStar, std::int32_t toStar) {
  if (lineCount_ >= maxLines) return false;
  lines_[static_cast<std::size_t>(lineCount_++)] = {fromStar, toStar};
  return true;
}

void Constellation::clear() {
  lines_ = {};
  lineCount_ = 0;
  stars_.clear();
}

bool loadConstellations(const std::string& folder) {
  releaseConstellations();
  registerBodyCatalogue(ObjectType::Constellation, &theCatalogue);

  std::string contents;
  const FileReadResult read = readWholeFile(dataFilePath(folder, boundaryFileExtension), contents);
  if (read == FileReadResult::CannotOpen) {
    showUserMessage(MessageSeverity::Warning,
                    dataFileMessage("Error opening constellation file", folder, boundaryFileExtension));
    return false;
  }

  std::vector<ConstellationBoundary>& table = boundaries();
  table.reserve(reservedBoundaries);
  for (const TextLine& line : splitLines(contents)) {
    if (isBlankLine(line.text)) continue;
    ConstellationBoundary boundary{};
    if (!parseBoundary(line.text, boundary)) {
      // A line the reader cannot take would move every later line's place
      // in the first-fit search; the reading stops here, as the program's
      // own reader does.
      showUserMessage(MessageSeverity::Warning, lineMessage("Error parsing constellation file", line.number));
      return false;
    }
    table.push_back(boundary);
  }
  return read == FileReadResult::Complete;
}

void releaseConstellations() {
  for (Constellation& constellation : constellations()) constellation.clear();
  boundaries().clear();
  registerBodyCatalogue(ObjectType::Constellation, nullptr);
}

bool loadConstellationFigures(const std::string& folder, SettingsStore& settings) {
  std::string contents;
  const FileReadResult read = readWholeFile(dataFilePath(folder, figureFileExtension), contents);
  if (read == FileReadResult::CannotOpen) {
    showUserMessage(MessageSeverity::Warning,
                    dataFileMessage("Error opening constellation file", folder, figureFileExtension));
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return false;
  }

  std::array<bool, constellationCount> overflowReported{};
  ProblemReport problems;
  for (const TextLine& line : splitLines(contents)) {
    if (isBlankLine(line.text)) continue;
    const std::size_t colon = line.text.find(':');
    if (colon == std::string_view::npos) {
      problems.add(lineMessage("Error parsing constellation figure file", line.number) +
                   ": no \":\" after the constellation");
      continue;
    }
    const std::string_view abbreviation = trimTrailingBlanks(trimLeadingBlanks(line.text.substr(0, colon)));
    const int index = constellationIndexByAbbreviation(std::string(abbreviation));
    if (index < 0) {
      NOCTAVO_INTERNAL_ERROR(moduleName);
      continue;
    }
    readFigureChains(*editableConstellationAt(index), line.text.substr(colon + 1), line.number,
                     overflowReported[static_cast<std::size_t>(index)], problems);
  }
  problems.show();

  readLanguage(settings);
  return read == FileReadResult::Complete;
}

void saveConstellationLanguage(SettingsStore& settings, bool saveOptions) {
  if (!saveOptions) return;
  settings.writeString(settingsRootKey, constellationLanguageValueName,
                       constellationLanguage() == constellationLanguageEnglish ? constellationLanguageOtherText
                                                                                : constellationLanguageLatinText);
}

const Constellation* constellationAt(int index) { return editableConstellationAt(index); }

Constellation* editableConstellationAt(int index) {
  if (index < 0 || index >= constellationCount) return nullptr;
  return &constellations()[static_cast<std::size_t>(index)];
}

const Constellation* nextConstellation(int& cursor) {
  const Constellation* constellation = constellationAt(cursor);
  cursor = constellation == nullptr ? -1 : cursor + 1;
  return constellation;
}

const Constellation* findConstellationByAbbreviation(const std::string& text) {
  const Constellation* constellation = constellationAt(constellationIndexByAbbreviation(text));
  if (constellation == nullptr) NOCTAVO_INTERNAL_ERROR(moduleName);
  return constellation;
}

const Constellation* findConstellationByName(const std::string& text) {
  for (const Constellation& constellation : constellations()) {
    if (equalIgnoringAsciiCase(text, constellation.getName())) return &constellation;
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return nullptr;
}

int constellationIndexAt(double rightAscensionHours, double declination) {
  for (const ConstellationBoundary& boundary : boundaries()) {
    if (boundary.lowerDeclination <= declination && boundary.lowerRightAscension <= rightAscensionHours &&
        rightAscensionHours < boundary.upperRightAscension) {
      return boundary.constellation;
    }
  }
  return -1;
}

const Constellation* findConstellationAt(const AstCoord& rightAscensionHoursAndDeclination) {
  const Constellation* constellation = constellationAt(
      constellationIndexAt(rightAscensionHoursAndDeclination.a(), rightAscensionHoursAndDeclination.b()));
  if (constellation == nullptr) NOCTAVO_INTERNAL_ERROR(moduleName);
  return constellation;
}

std::span<const ConstellationBoundary> constellationBoundaries() { return boundaries(); }

}  // namespace noctavo
