#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "catalogues/CityDatabase.h"
#include "catalogues/MapDescription.h"
#include "catalogues/CatalogueTestFiles.h"
#include "support/ShippedData.h"

namespace noctavo::testing {
namespace {

std::string cityLine(const std::string& country, const std::string& town, double latitude = 10.0,
                     double longitude = 20.0, double zone = 1.0) {
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, "%9.4f %9.4f %6.2f", latitude, longitude, zone);
  std::string line = country;
  line.resize(22, ' ');
  line += town;
  line.resize(44, ' ');
  return line + numbers + "\n";
}

TEST(CityDatabase, GroupsConsecutiveLinesAndKeepsLargeCountriesWhole) {
  std::string file;
  for (int i = 0; i < 150; ++i) file += cityLine("Big", "Town " + std::to_string(i));
  file += cityLine("Small", "One") + cityLine("Small", "Two") + cityLine("Big", "Again");
  for (int i = 0; i < 210; ++i) file += cityLine("Country " + std::to_string(i), "Capital");
  UserMessageRecorder messages;
  CityDatabase db;
  ASSERT_EQ(db.parse(file), CityFileStatus::Loaded);
  EXPECT_EQ(messages.count(), 0u);
  ASSERT_EQ(db.countries().size(), 213u);
  EXPECT_EQ(db.countries()[0].towns.size(), 150u);
  EXPECT_EQ(db.countries()[1].towns.size(), 2u);
  // The same country after another one is an entry of its own; the name
  // finds the first.
  EXPECT_EQ(db.countries()[2].name, "Big");
  EXPECT_EQ(db.countryIndex("Big"), 0);
  EXPECT_EQ(db.countryIndex("Country 209"), 212);
  EXPECT_EQ(db.countryIndex("Nowhere"), -1);
}

TEST(CityDatabase, LookupPrefersTheEqualNameToTheFirstPrefix) {
  CityDatabase db;
  db.parse(cityLine("UK", "Bathurst", 1.0) + cityLine("UK", "Bath", 2.0) + cityLine("UK", "Sydenham", 3.0));
  struct Case {
    const char* town;
    double latitude;  // 0: not found
  };
  for (const Case& c : {Case{"Bath", 2.0}, Case{"Bathu", 1.0}, Case{"Syd", 3.0}, Case{"Leeds", 0.0}}) {
    SCOPED_TRACE(c.town);
    const CityTown* town = db.lookup(0, c.town);
    if (c.latitude == 0.0) {
      EXPECT_EQ(town, nullptr);
    } else {
      ASSERT_NE(town, nullptr);
      EXPECT_EQ(town->latitude, c.latitude);
    }
  }
  EXPECT_EQ(db.lookup(1, "Bath"), nullptr);
}

TEST(CityDatabase, DamagedFilesGiveOneMessageAndKeepTheRest) {
  struct Case {
    const char* what;
    std::string contents;
    CityFileStatus status;
    std::size_t towns;
    const char* message;
  };
  const std::string good = cityLine("UK", "London", 51.5, 0.12, 0.0);
  const Case cases[] = {
      {"empty file", "", CityFileStatus::Unreadable, 0, "Error reading city file"},
      {"numbers missing, longitude 180, a control character",
       good + "UK                    Leeds   \n" + cityLine("UK", "Nowhere", 0.0, 180.0) + cityLine("UK", "Bell\a"),
       CityFileStatus::Loaded, 1, "line 2 (3 problems"},
      {"longer line cut at 80 characters", good.substr(0, 70) + std::string(20, 'x') + "\n", CityFileStatus::Loaded,
       1, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UserMessageRecorder messages;
    CityDatabase db;
    EXPECT_EQ(db.parse(c.contents), c.status);
    std::size_t towns = 0;
    for (const CityCountry& country : db.countries()) towns += country.towns.size();
    EXPECT_EQ(towns, c.towns);
    ASSERT_EQ(messages.count(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_NE(messages.text().find(c.message), std::string::npos) << messages.text();
    }
  }
  UserMessageRecorder messages;
  TempDataFolder empty;
  EXPECT_FALSE(CityDbLoad(empty.path()));
  EXPECT_TRUE(messages.text().starts_with("Error opening file\nFile: Noctavo.loc\nFolder: ")) << messages.text();
  std::string name;
  EXPECT_FALSE(CityDbFirstCountry(name));
}

TEST(CityDatabase, SearchFindsTownsOfEveryCountryByTheirWords) {
  CityDatabase db;
  db.parse(cityLine("Australia", "Sydney") + cityLine("Canada", "North Sydney") + cityLine("Canada", "Sydney") +
           cityLine("Switzerland", "Z\xFCrich"));
  const auto names = [&db](const char* text) {
    std::string found;
    for (const CityMatch& m : db.search(text, 10)) {
      found += db.countries()[m.country].towns[m.town].name + "/" + db.countries()[m.country].name + ";";
    }
    return found;
  };
  EXPECT_EQ(names(" syd"), "Sydney/Australia;Sydney/Canada;North Sydney/Canada;");
  EXPECT_EQ(names("ZURI"), "Z\xFCrich/Switzerland;");
  EXPECT_EQ(names("ydney"), "");
  EXPECT_EQ(db.search("s", 2).size(), 2u);
}

TEST(ShippedCityFile, HoldsTheWorldWithWestPositiveLongitudes) {
  UserMessageRecorder messages;
  ASSERT_TRUE(CityDbLoad(shippedDataFolder()));
  EXPECT_EQ(messages.count(), 0u);
  const CityDatabase& db = cityDatabase();
  std::size_t towns = 0;
  std::set<std::string> countries;
  for (const CityCountry& country : db.countries()) {
    towns += country.towns.size();
    // Every country in one piece, every name short enough for the settings
    // store (19 characters) and unique in its country.
    EXPECT_TRUE(countries.insert(country.name).second) << country.name;
    EXPECT_LE(country.name.size(), 19u) << country.name;
    std::set<std::string> names;
    for (const CityTown& town : country.towns) {
      EXPECT_LE(town.name.size(), 19u) << town.name;
      EXPECT_TRUE(names.insert(town.name).second) << town.name << ", " << country.name;
    }
  }
  EXPECT_GE(towns, 3000u);
  EXPECT_GE(countries.size(), 150u);

  struct Place {
    const char* country;
    const char* town;
    double latitude;
    double longitude;  // west positive
    float timeZone;    // standard time, hours east
  };
  for (const Place& p : {Place{"UK", "London", 51.51, 0.13, 0.0f}, Place{"USA", "New York", 40.71, 74.01, -5.0f},
                         Place{"Australia", "Sydney", -33.87, -151.21, 10.0f},
                         Place{"Japan", "Tokyo", 35.68, -139.69, 9.0f}}) {
    SCOPED_TRACE(p.town);
    double latitude = 0.0;
    double longitude = 0.0;
    float timeZone = 99.0f;
    ASSERT_TRUE(CityDbLookup(CityDbCountryIndex(p.country), p.town, latitude, longitude, timeZone));
    EXPECT_NEAR(latitude, p.latitude, 0.1);
    EXPECT_NEAR(longitude, p.longitude, 0.1);
    EXPECT_EQ(timeZone, p.timeZone);
  }
  CityDbFree();
  EXPECT_TRUE(cityDatabase().countries().empty());
}

TEST(MapDescription, SkipsMalformedLinesWithOneMessage) {
  UserMessageRecorder messages;
  const MapDescription read = parseMapDescription(
      "world.jpg:World:180:-83.5:-180:83.5\n"
      "short.jpg:Too:few:fields\n"
      "bad.jpg:Bad number:1x:0:-1:1\n"
      "colon.jpg:Name: with colon:+10:-5.5:-10:5.5\r\n"
      "last.jpg:Last:1:2:3:45");
  ASSERT_EQ(read.maps.size(), 3u);
  EXPECT_EQ(read.maps[0].leftLongitude, 180.0);
  EXPECT_EQ(read.maps[0].topLatitude, 83.5);
  EXPECT_EQ(read.maps[1].displayName, "Name: with colon");
  EXPECT_EQ(read.maps[1].bottomLatitude, -5.5);
  // No line end after the last line: its last character stays.
  EXPECT_EQ(read.maps[2].topLatitude, 45.0);
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("line 2 (2 problems"), std::string::npos) << messages.text();

  TempDataFolder empty;
  EXPECT_EQ(readMapDescription(empty.path()).status, MapFileStatus::CannotOpen);
  EXPECT_EQ(messages.count(), 2u);
}

TEST(ShippedMaps, ListTheWorldAndNineRegionsWithTheirPictures) {
  UserMessageRecorder messages;
  const std::string folder = shippedDataFolder();
  const MapDescription description = readMapDescription(folder);
  EXPECT_EQ(messages.count(), 0u);
  EXPECT_EQ(listedMaps(folder, description).size(), 10u);
  EXPECT_EQ(description.maps.size(), 10u);
  EXPECT_EQ(description.maps.front().displayName, "World");
}

}  // namespace
}  // namespace noctavo::testing
