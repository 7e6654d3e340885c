#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "catalogues/CatalogueTestFiles.h"
#include "catalogues/Constellation.h"
#include "catalogues/Star.h"

namespace noctavo {
namespace {

using testing::andromeda;
using testing::CatalogueTest;
using testing::InternalErrorRecorder;
using testing::orion;
using testing::starRecord;
using testing::UserMessageRecorder;
using testing::ursaMinor;

constexpr int alpha = 0;
constexpr int beta = 1;
constexpr int gamma = 2;
constexpr int noLetter = -1;
constexpr int findFromPosition = 0xFF;

// Betelgeuse, Rigel, Bellatrix, Polaris (constellation to be found) and an
// unlettered star of Andromeda.
std::string fiveStars() {
  return starRecord(alpha, '0', 88.7929f, 7.4071f, 0.50f, orion) + starRecord(beta, '0', 78.6345f, -8.2016f, 0.13f, orion) +
         starRecord(gamma, '0', 81.2828f, 6.3497f, 1.64f, orion) +
         starRecord(alpha, '0', 37.9529f, 89.2641f, 1.98f, findFromPosition) +
         starRecord(noLetter, '0', 10.0f, 20.0f, 5.5f, andromeda);
}

class StarCatalogue : public CatalogueTest {
 protected:
  bool load(const std::string& stars, const std::string& names,
            const std::string& boundaries = testing::smallBoundaryFile()) {
    folder_.write("cb1", boundaries);
    folder_.write("sta", stars);
    folder_.write("stn", names);
    return loadStars(folder_.path());
  }
};

// --- the star file ------------------------------------------------------

TEST_F(StarCatalogue, StarsKeepRecordNumberAndFieldsAndAreFiledUnderTheirConstellationInFileOrder) {
  ASSERT_TRUE(load(fiveStars(), ""));
  ASSERT_EQ(starCount(), 5);
  const Star* rigel = starAt(1);
  EXPECT_EQ(rigel->getIndex(), 1);
  EXPECT_EQ(rigel->rightAscension(), static_cast<double>(78.6345f));  // widened, not rounded
  EXPECT_EQ(rigel->declination(), static_cast<double>(-8.2016f));
  EXPECT_FLOAT_EQ(rigel->magnitude(), 0.13f);
  EXPECT_EQ(rigel->greekLetter(), beta);
  EXPECT_EQ(rigel->constellation(), constellationAt(orion));
  EXPECT_EQ(starAt(3)->constellationIndex(), ursaMinor);  // 0xFF: found from the position
  const std::span<const std::int32_t> orionStars = constellationAt(orion)->stars();
  EXPECT_EQ(std::vector<std::int32_t>(orionStars.begin(), orionStars.end()), (std::vector<std::int32_t>{0, 1, 2}));
  EXPECT_EQ(constellationAt(andromeda)->starCount(), 1);
}

TEST_F(StarCatalogue, RightAscensionIsTurnedIntoHoursForTheBoundarySearch) {
  // 359.9 degrees is 23.9933 hours, inside a box from 23.993 h; 359.85 is not.
  ASSERT_TRUE(load(starRecord(noLetter, '0', 359.9f, 0.0f, 6.0f, findFromPosition) +
                       starRecord(noLetter, '0', 359.85f, 0.0f, 6.0f, findFromPosition),
                   "", "23.993 24.0 -90.0 Psc\n0.0 24.0 -90.0 And\n"));
  EXPECT_EQ(starAt(0)->constellationIndex(), 65);  // Pisces
  EXPECT_EQ(starAt(1)->constellationIndex(), andromeda);
}

TEST_F(StarCatalogue, LoadingAgainReplacesTheEarlierCatalogue) {
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,Betelgeuse\n"));
  ASSERT_TRUE(load(starRecord(alpha, '0', 88.0f, 7.0f, 0.5f, orion), ""));
  EXPECT_EQ(starCount(), 1);
  EXPECT_EQ(constellationAt(orion)->starCount(), 1);
  EXPECT_EQ(findStarByName("Betelgeuse"), nullptr);
}

// Before the program ends the user learns which file is wrong and where it
// was looked for; an empty star file is no catalogue either (its names
// would each be an internal error naming nothing).
TEST_F(StarCatalogue, AMissingOrEmptyStarFileOrAMissingNameFileNamesItsFileAndFolderAndIsAnInternalError) {
  folder_.write("cb1", testing::smallBoundaryFile());
  const struct {
    bool starFile;
    std::string stars;
    const char* words;
    const char* extension;
  } cases[] = {{false, "", "Error opening star file", "sta"},
               {true, "", "Error in star file: it holds no stars", "sta"},
               {true, fiveStars(), "Error opening star name file", "stn"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    if (c.starFile) folder_.write("sta", c.stars);
    UserMessageRecorder messages;
    InternalErrorRecorder errors;
    EXPECT_EQ(loadStars(folder_.path()), !c.stars.empty());  // false: the names are not read
    ASSERT_EQ(messages.count(), 1u);
    EXPECT_EQ(messages.text(), testing::wholeFileMessage(c.words, folder_, c.extension));
    EXPECT_EQ(messages.messages()[0].severity, MessageSeverity::Warning);
    EXPECT_EQ(errors.modules(), std::vector<std::string>{"aststar"});
  }
}

// A damaged file gives one message naming the first problem, never a star
// outside the rules; the names are still read.
TEST_F(StarCatalogue, DamagedRecordsAreReportedOnceAndMended) {
  struct Case {
    const char* what;
    std::string stars;
    std::vector<std::string> messageParts;
    int count;
    int letter;
    char suffix;
  };
  const Case cases[] = {
      {"partial last record", fiveStars() + starRecord(beta, '0', 1.0f, 2.0f, 3.0f, orion).substr(0, 9),
       {"Error in star file", "9 bytes"}, 5, alpha, '0'},
      {"constellation above 87: found from the position",
       starRecord(alpha, '0', 82.5f, 0.0f, 2.0f, 88) + starRecord(beta, '0', 82.5f, 0.0f, 2.0f, 200),
       {"record 0", "88", "2 problems"}, 2, alpha, '0'},
      {"letter outside the table", starRecord(48, '0', 82.5f, 0.0f, 2.0f, orion), {"48"}, 1, noLetter, '0'},
      {"positions that are no place on the sky: left out",
       starRecord(beta, '0', 1e9f, 0.0f, 2.0f, orion) + starRecord(alpha, '0', 82.5f, 0.0f, 2.0f, orion) +
           starRecord(beta, '0', 82.5f, std::nanf(""), 2.0f, orion) + starRecord(beta, '0', -0.5f, 0.0f, 2.0f, orion) +
           starRecord(beta, '0', 82.5f, 90.5f, 2.0f, findFromPosition),
       {"record 0", "left out", "4 problems"}, 1, alpha, '0'},
      {"suffix that is no digit",
       starRecord(alpha, 'x', 82.5f, 0.0f, 2.0f, orion) + starRecord(alpha, '2', 82.6f, 0.0f, 2.0f, orion), {}, 2,
       alpha, '0'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UserMessageRecorder messages;
    InternalErrorRecorder errors;
    EXPECT_TRUE(load(c.stars, c.letter == alpha ? "Alp,Ori,Betelgeuse\n" : ""));
    ASSERT_EQ(starCount(), c.count);
    ASSERT_EQ(messages.count(), 1u);
    for (const std::string& part : c.messageParts) EXPECT_NE(messages.text().find(part), std::string::npos) << messages.text();
    EXPECT_EQ(errors.count(), 0u);
    for (int i = 0; i < starCount(); ++i) EXPECT_EQ(starAt(i)->getIndex(), i);
    EXPECT_EQ(starAt(0)->greekLetter(), c.letter);
    EXPECT_EQ(starAt(0)->letterSuffix(), c.suffix);
    EXPECT_EQ(starAt(0)->constellationIndex(), orion);
    if (c.count > 1) {
      EXPECT_EQ(starAt(1)->constellationIndex(), orion);
    }
    if (c.letter == alpha) {
      EXPECT_EQ(findStarByName("Betelgeuse"), starAt(0));
    }
  }
  EXPECT_EQ(starAt(1)->letterSuffix(), '2');  // a good suffix stays
}

TEST_F(StarCatalogue, WithoutBoundariesAStarToBeFoundFromItsPositionEndsTheReading) {
  // The boundary message, then the internal error of the failed search; the
  // stars before stay and the names are not read.
  folder_.write("sta", starRecord(alpha, '0', 88.79f, 7.41f, 0.5f, orion) +
                           starRecord(alpha, '0', 37.95f, 89.26f, 2.0f, findFromPosition) +
                           starRecord(beta, '0', 78.63f, -8.2f, 0.1f, orion));
  folder_.write("stn", "Alp,Ori,Betelgeuse\n");
  UserMessageRecorder messages;
  InternalErrorRecorder errors;
  EXPECT_FALSE(loadStars(folder_.path()));
  EXPECT_EQ(messages.text(), testing::wholeFileMessage("Error opening constellation file", folder_, "cb1"));
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_EQ(starCount(), 1);
  EXPECT_STREQ(starAt(0)->getName(), "");
}

TEST_F(StarCatalogue, RandomBytesNeverGiveAStarOutsideTheRules) {
  std::mt19937 random(1980);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 400);
  for (int round = 0; round < 100; ++round) {
    std::string bytes(static_cast<std::size_t>(length(random)), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    UserMessageRecorder messages;
    InternalErrorRecorder errors;  // a position that is no number fits no boundary
    load(bytes, "");
    for (int i = 0; i < starCount(); ++i) {
      const Star* star = starAt(i);
      ASSERT_GE(star->greekLetter(), -1);
      ASSERT_LE(star->greekLetter(), 47);
      ASSERT_TRUE(star->letterSuffix() >= '0' && star->letterSuffix() <= '9');
      ASSERT_NE(star->constellation(), nullptr);
      ASSERT_TRUE(star->rightAscension() >= 0.0 && star->rightAscension() <= 360.0 &&
                  std::fabs(star->declination()) <= 90.0);
      const std::span<const std::int32_t> filed = star->constellation()->stars();
      ASSERT_NE(std::find(filed.begin(), filed.end(), i), filed.end());
    }
  }
}

// --- the star name file ---------------------------------------------------

TEST_F(StarCatalogue, ANameLineNamesTheLetteredStarOfItsConstellation) {
  // Constellation without regard to case, trailing blanks removed, leading
  // ones kept, everything after the second comma, a later line replaces.
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,Betelgeuze\nAlp,ori,Betelgeuse \t\r\nBet,Ori,  Rigel, Beta Orionis\n"
                                "Alp,UMi,Polaris\n"));
  EXPECT_STREQ(starAt(0)->getName(), "Betelgeuse");
  EXPECT_STREQ(starAt(1)->getName(), "  Rigel, Beta Orionis");
  EXPECT_STREQ(starAt(2)->getName(), "");
  EXPECT_STREQ(starAt(3)->getName(), "Polaris");
  EXPECT_EQ(findStarByName("Betelgeuze"), nullptr);
}

TEST_F(StarCatalogue, ANameGoesToTheFirstStarOfTheLetterWhateverItsSuffix) {
  ASSERT_TRUE(load(starRecord(alpha, '2', 30.0f, 20.0f, 4.0f, andromeda) +
                       starRecord(alpha, '1', 29.9f, 20.0f, 4.0f, andromeda),
                   "Alp,And,Alpha Two First\n"));
  EXPECT_STREQ(starAt(0)->getName(), "Alpha Two First");
  EXPECT_STREQ(starAt(1)->getName(), "");
}

TEST_F(StarCatalogue, ALowerCaseLetterAnUnknownConstellationOrAMissingStarIsAnInternalError) {
  InternalErrorRecorder errors;
  ASSERT_TRUE(load(fiveStars(), "alp,Ori,Betelgeuse\nAlp,Xyz,Nowhere\nGam,UMi,Nobody\nBet,Ori,Rigel\n"));
  EXPECT_EQ(errors.count(), 3u);
  EXPECT_STREQ(starAt(0)->getName(), "");
  EXPECT_STREQ(starAt(1)->getName(), "Rigel");  // the reading goes on after a reported line
}

// Fewer than two commas, or a name with a control character (shown cut at
// a NUL, and then not found by what it shows).
TEST_F(StarCatalogue, DamagedLinesAreReportedOnceAndBlankLinesSkippedQuietly) {
  UserMessageRecorder messages;
  InternalErrorRecorder errors;
  ASSERT_TRUE(load(fiveStars(), "\nAlp,Ori,Betelgeuse\nBet Ori Rigel\n   \nAlp,UMi\nAlp,UMi,Polaris\nGam,Ori,Bella" +
                                    std::string(1, '\0') + "trix\nBet,Ori,Ri\x01gel\n"));
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_EQ(messages.text(), "Error parsing star name file, line 3 (4 problems in this file)");
  EXPECT_STREQ(starAt(2)->getName(), "");
  EXPECT_EQ(errors.count(), 0u);
  EXPECT_STREQ(starAt(0)->getName(), "Betelgeuse");
  EXPECT_STREQ(starAt(1)->getName(), "");
  EXPECT_STREQ(starAt(3)->getName(), "Polaris");
}

// --- finding and enumerating ------------------------------------------------

TEST_F(StarCatalogue, FindByNameIsExactAndTakesTheLowestIndexOfTwoEqualNames) {
  ASSERT_TRUE(load(fiveStars(), "Gam,Ori,Rigel\nBet,Ori,Rigel\nAlp,Ori,Rigel\n"));
  EXPECT_EQ(findStarByName("Rigel"), starAt(0));
  for (const char* name : {"rigel", "Rigel ", ""}) EXPECT_EQ(findStarByName(name), nullptr) << name;
}

TEST_F(StarCatalogue, EnumerationWalksAllOrOnlyNonEmptyNamesThenEndsWithMinusOne) {
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,Betelgeuse\nGam,Ori,   \nAlp,UMi,Polaris\n"));
  EXPECT_EQ(starAt(-1), nullptr);
  EXPECT_EQ(starAt(5), nullptr);
  int cursor = 0;
  int seen = 0;
  while (const Star* star = nextStar(cursor, false)) EXPECT_EQ(star->getIndex(), seen++);
  EXPECT_EQ(seen, 5);
  EXPECT_EQ(cursor, -1);
  EXPECT_EQ(nextStar(cursor, false), nullptr);
  // Gamma's name is empty once its trailing blanks are gone.
  cursor = 0;
  EXPECT_EQ(firstStar(cursor, true), starAt(0));
  EXPECT_EQ(nextStar(cursor, true), starAt(3));
  EXPECT_EQ(nextStar(cursor, true), nullptr);
  EXPECT_EQ(cursor, -1);
}

TEST_F(StarCatalogue, TheRegistryAnswersForStarsWhileTheyAreLoaded) {
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,Betelgeuse\n"));
  EXPECT_EQ(bodyByName(ObjectType::Star, "Betelgeuse"), starAt(0));
  EXPECT_EQ(bodyByIndex(ObjectType::Star, 3), starAt(3));
  int cursor = 0;
  int count = 0;
  while (nextBody(ObjectType::Star, cursor) != nullptr) ++count;
  EXPECT_EQ(count, 5);
  releaseStars();
  EXPECT_EQ(bodyByName(ObjectType::Star, "Betelgeuse"), nullptr);
  EXPECT_EQ(bodyByIndex(ObjectType::Star, 0), nullptr);
}

// --- the star as a body -----------------------------------------------------

BodyState computed(const Star& star, std::uint32_t flags, double latitude, CoordSystem system, BodyState out = {}) {
  Observer observer;
  observer.location.latitude = AstLatitude(latitude);
  star.compute(flags, observer, out, TimeKind::Lst, system);
  return out;
}

TEST(StarBody, PublishesFiveQuantitiesAndGivesItsFixedPositionUnconverted) {
  const Star star(0, 88.79, 7.41, 0.5f, GreekLetter(0), '0', orion);
  EXPECT_EQ(testing::quantityNames(star),
            (std::vector<std::string>{"Direction", "Rise", "Set", "Longitude", "Latitude"}));
  EXPECT_EQ(computed(star, quantity_bit::position, 50.0, CoordSystem::Equatorial).position,
            AstCoord(88.79, 7.41, CoordSystem::Equatorial));
}

TEST(StarBody, ADirectionAloneLeavesThePositionAsItWas) {
  BodyState before;
  before.position = AstCoord(1.0, 2.0, CoordSystem::Galactic);
  const BodyState after = computed(Star(0, 90.0, 20.0, 2.0f, GreekLetter(0), '0', orion), quantity_bit::direction,
                                   48.0, CoordSystem::Horizontal, before);
  EXPECT_EQ(after.position, before.position);
  EXPECT_GE(after.direction, 0.0);
  EXPECT_LT(after.direction, 360.0);
}

}  // namespace
}  // namespace noctavo
