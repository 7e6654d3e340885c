#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace noctavo {

// The towns of the city file "Noctavo.loc", grouped by country. Each line
// has fixed columns: the country in 0-21, the town in 22-43, and from 44 on
// latitude (degrees, north positive), longitude (degrees, WEST positive)
// and time zone (hours EAST of Greenwich), read with "%f %f %f".
struct CityTown {
  std::string name;  // columns 22-43 without the trailing blanks
  double latitude = 0.0;
  double longitude = 0.0;
  float timeZone = 0.0f;
};

struct CityCountry {
  std::string name;  // columns 0-21 without the trailing blanks
  std::vector<CityTown> towns;
};

// A town found by the search of Select Location.
struct CityMatch {
  int country;
  int town;
};

enum class CityFileStatus {
  Loaded,
  CannotOpen,  // "Error opening file"
  Unreadable,  // no first line: "Error reading city file"
};

class CityDatabase {
 public:
  static constexpr std::size_t countryColumns = 22;
  static constexpr std::size_t townColumns = 22;
  static constexpr std::size_t numberColumns = 26;
  // What one line holds: 80 characters.
  static constexpr std::size_t lineLength = 80;

  // Reads "Noctavo.loc" of the folder. A missing or unreadable file says so
  // with its message (naming the file and the folder) and leaves the
  // database empty; lines whose numbers do not read, or name no place on
  // Earth, or whose names hold control characters, are left out with one
  // message for the file.
  CityFileStatus read(const std::string& folder);
  // The same from the contents of a file.
  CityFileStatus parse(std::string_view contents);
  void clear() { countries_.clear(); }

  // Lines of one country are consecutive: a change of the country columns
  // starts the next country, so a country that comes again after another
  // one is a separate entry. Tables grow as needed: no town and no country
  // is dropped.
  const std::vector<CityCountry>& countries() const { return countries_; }

  // The first country of this name, or -1.
  int countryIndex(std::string_view name) const;
  // The town whose name is the text; failing that, the first town whose
  // name begins with it (so "Bath" finds Bath before Bathurst, and a name
  // the settings store cut short still finds its town). Null when neither.
  const CityTown* lookup(int countryIndex, std::string_view town) const;

  // Towns of every country whose name, or one of its words, begins with the
  // text, ignoring letter case and accents: the names that begin with it
  // first, each group in file order. At most `limit` matches.
  std::vector<CityMatch> search(std::string_view text, std::size_t limit) const;

 private:
  std::vector<CityCountry> countries_;
};

// Lower case without accents, for comparing names as a user types them
// (Windows-1252: "Zürich" and "zurich" agree).
std::string foldForSearch(std::string_view text);

// The program's city database, which exists while Select Location is open.
// CityDbLoad reads "Noctavo.loc" from the program folder, giving the messages
// above; false when the file could not be opened or read (the lists are then
// empty, and "User defined" still works).
bool CityDbLoad(const std::string& programFolder);
void CityDbFree();
const CityDatabase& cityDatabase();

// Cursors over the country names and over the town names of one country;
// false when there is no (further) name.
bool CityDbFirstCountry(std::string& name);
bool CityDbNextCountry(std::string& name);
bool CityDbFirstTown(int countryIndex, std::string& name);
bool CityDbNextTown(int countryIndex, std::string& name);
// The first country of this name; -1 when the database has none.
int CityDbCountryIndex(const std::string& name);
// The place of a town (see CityDatabase::lookup); false when the country
// holds no such town, and the outputs stay as they were.
bool CityDbLookup(int countryIndex, const std::string& town, double& latitude, double& longitude,
                  float& timeZone);

}  // namespace noctavo
