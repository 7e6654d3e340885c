#include "catalogues/CityDatabase.h"

#include <algorithm>

#include "catalogues/CoreServices.h"
#include "catalogues/DataFile.h"

namespace noctavo {

namespace {

// Where a place can be: longitudes run half-open, 180 degrees west being
// 180 east; time zones as the program takes them typed, more than 12 hours
// west and at most 12 hours east.
constexpr const char* cityFileExtension = "loc";

constexpr double latitudeLimit = 90.0;
constexpr double longitudeLimit = 180.0;
constexpr float westmostTimeZoneExclusive = -12.0f;
constexpr float eastmostTimeZone = 12.0f;

bool isPlace(float latitude, float longitude, float timeZone) {
  return latitude >= -latitudeLimit && latitude <= latitudeLimit && longitude >= -longitudeLimit &&
         longitude < longitudeLimit && timeZone > westmostTimeZoneExclusive && timeZone <= eastmostTimeZone;
}

std::string_view column(std::string_view line, std::size_t first, std::size_t width) {
  if (line.size() <= first) return {};
  return line.substr(first, width);
}

std::string lineMessage(int lineNumber) {
  return "Error parsing city file, line " + std::to_string(lineNumber);
}

// One line of the file as a town, or false when its numbers do not read or
// name no place.
bool readTown(std::string_view line, CityTown& town) {
  constexpr std::size_t townFirst = CityDatabase::countryColumns;
  constexpr std::size_t numbersFirst = townFirst + CityDatabase::townColumns;
  town.name = std::string(trimTrailingBlanks(column(line, townFirst, CityDatabase::townColumns)));
  const std::vector<std::string_view> words = splitWords(column(line, numbersFirst, CityDatabase::numberColumns));
  float latitude = 0.0f;
  float longitude = 0.0f;
  float timeZone = 0.0f;
  if (town.name.empty() || hasControlCharacter(line) || words.size() < 3 || !parseFloat(words[0], latitude) || !parseFloat(words[1], longitude) ||
      !parseFloat(words[2], timeZone) || !isPlace(latitude, longitude, timeZone)) {
    return false;
  }
  town.latitude = latitude;
  town.longitude = longitude;
  town.timeZone = timeZone;
  return true;
}

char foldByte(unsigned char c, std::string& out) {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  // The Latin letters of Windows-1252, capital (0xC0..0xDE) and small.
  const unsigned char small = (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? static_cast<unsigned char>(c + 0x20) : c;
  switch (small) {
    case 0xE0: case 0xE1: case 0xE2: case 0xE3: case 0xE4: case 0xE5: return 'a';
    case 0xE6: out += 'a'; return 'e';
    case 0xE7: return 'c';
    case 0xE8: case 0xE9: case 0xEA: case 0xEB: return 'e';
    case 0xEC: case 0xED: case 0xEE: case 0xEF: return 'i';
    case 0xF1: return 'n';
    case 0xF2: case 0xF3: case 0xF4: case 0xF5: case 0xF6: case 0xF8: return 'o';
    case 0xF9: case 0xFA: case 0xFB: case 0xFC: return 'u';
    case 0xFD: case 0xFF: return 'y';
    case 0xDF: out += 's'; return 's';
    default: return static_cast<char>(small);
  }
}

bool startsWordAt(std::string_view folded, std::size_t at) {
  if (at == 0) return true;
  const char before = folded[at - 1];
  return before == ' ' || before == '-' || before == '/' || before == '(' || before == '.' || before == '\'';
}

// The one database of the program and the positions of its cursors.
CityDatabase theDatabase;
std::size_t countryCursor = 0;
std::size_t townCursor = 0;

bool countryName(std::size_t index, std::string& name) {
  if (index >= theDatabase.countries().size()) return false;
  name = theDatabase.countries()[index].name;
  return true;
}

bool townName(int countryIndex, std::size_t index, std::string& name) {
  const auto& countries = theDatabase.countries();
  if (countryIndex < 0 || static_cast<std::size_t>(countryIndex) >= countries.size()) return false;
  const auto& towns = countries[static_cast<std::size_t>(countryIndex)].towns;
  if (index >= towns.size()) return false;
  name = towns[index].name;
  return true;
}

}  // namespace

std::string foldForSearch(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (char c : text) {
    const char last = foldByte(static_cast<unsigned char>(c), folded);
    folded += last;
  }
  return folded;
}

CityFileStatus CityDatabase::read(const std::string& folder) {
  clear();
  std::string contents;
  if (readWholeFile(dataFilePath(folder, cityFileExtension), contents) == FileReadResult::CannotOpen) {
    showUserMessage(MessageSeverity::Information, dataFileMessage("Error opening file", folder, cityFileExtension));
    return CityFileStatus::CannotOpen;
  }
  return parse(contents);
}

CityFileStatus CityDatabase::parse(std::string_view contents) {
  clear();
  const std::vector<TextLine> lines = splitLines(contents);
  if (lines.empty()) {
    showUserMessage(MessageSeverity::Error, "Error reading city file");
    return CityFileStatus::Unreadable;
  }
  ProblemReport problems;
  for (const TextLine& line : lines) {
    // A line holds 80 characters; what a longer one has beyond them is not
    // part of the record.
    const std::string_view text = line.text.substr(0, std::min(line.text.size(), lineLength));
    if (isBlankLine(text)) continue;
    CityTown town;
    if (!readTown(text, town)) {
      problems.add(lineMessage(line.number));
      continue;
    }
    const std::string_view country = trimTrailingBlanks(column(text, 0, countryColumns));
    if (countries_.empty() || countries_.back().name != country) {
      countries_.push_back(CityCountry{std::string(country), {}});
    }
    countries_.back().towns.push_back(std::move(town));
  }
  problems.show();
  return CityFileStatus::Loaded;
}

int CityDatabase::countryIndex(std::string_view name) const {
  for (std::size_t i = 0; i < countries_.size(); ++i) {
    if (countries_[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

const CityTown* CityDatabase::lookup(int countryIndex, std::string_view town) const {
  if (countryIndex < 0 || static_cast<std::size_t>(countryIndex) >= countries_.size()) return nullptr;
  const std::vector<CityTown>& towns = countries_[static_cast<std::size_t>(countryIndex)].towns;
  for (const CityTown& candidate : towns) {
    if (candidate.name == town) return &candidate;
  }
  for (const CityTown& candidate : towns) {
    if (candidate.name.starts_with(town)) return &candidate;
  }
  return nullptr;
}

std::vector<CityMatch> CityDatabase::search(std::string_view text, std::size_t limit) const {
  const std::string wanted = foldForSearch(trimLeadingBlanks(trimTrailingBlanks(text)));
  std::vector<CityMatch> beginning;
  std::vector<CityMatch> inside;
  if (wanted.empty() || limit == 0) return beginning;
  for (std::size_t c = 0; c < countries_.size(); ++c) {
    const std::vector<CityTown>& towns = countries_[c].towns;
    for (std::size_t t = 0; t < towns.size(); ++t) {
      const std::string name = foldForSearch(towns[t].name);
      const CityMatch match{static_cast<int>(c), static_cast<int>(t)};
      if (name.starts_with(wanted)) {
        beginning.push_back(match);
        if (beginning.size() == limit) return beginning;
        continue;
      }
      for (std::size_t at = name.find(wanted); at != std::string::npos; at = name.find(wanted, at + 1)) {
        if (startsWordAt(name, at)) {
          inside.push_back(match);
          break;
        }
      }
    }
  }
  for (const CityMatch& match : inside) {
    if (beginning.size() == limit) break;
    beginning.push_back(match);
  }
  return beginning;
}

bool CityDbLoad(const std::string& programFolder) {
  countryCursor = 0;
  townCursor = 0;
  return theDatabase.read(programFolder) == CityFileStatus::Loaded;
}

void CityDbFree() {
  theDatabase.clear();
  countryCursor = 0;
  townCursor = 0;
}

const CityDatabase& cityDatabase() { return theDatabase; }

bool CityDbFirstCountry(std::string& name) {
  countryCursor = 0;
  return countryName(countryCursor, name);
}

bool CityDbNextCountry(std::string& name) { return countryName(++countryCursor, name); }

bool CityDbFirstTown(int countryIndex, std::string& name) {
  townCursor = 0;
  return townName(countryIndex, townCursor, name);
}

bool CityDbNextTown(int countryIndex, std::string& name) { return townName(countryIndex, ++townCursor, name); }

int CityDbCountryIndex(const std::string& name) { return theDatabase.countryIndex(name); }

bool CityDbLookup(int countryIndex, const std::string& town, double& latitude, double& longitude,
                  float& timeZone) {
  const CityTown* found = theDatabase.lookup(countryIndex, town);
  if (!found) return false;
  latitude = found->latitude;
  longitude = found->longitude;
  timeZone = found->timeZone;
  return true;
}

}  // namespace noctavo
