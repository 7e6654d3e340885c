#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "catalogues/CatalogueTestFiles.h"
#include "catalogues/Constellation.h"
#include "catalogues/CoreServices.h"
#include "catalogues/DataFile.h"
#include "catalogues/GreekLetter.h"
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
  // The registry answers for the stars while they are loaded.
  EXPECT_EQ(bodyByIndex(ObjectType::Star, 3), starAt(3));
  releaseStars();
  EXPECT_EQ(bodyByIndex(ObjectType::Star, 3), nullptr);
}

TEST_F(StarCatalogue, RightAscensionIsTurnedIntoHoursForTheBoundarySearch) {
  // 359.9 degrees is 23.9933 hours, inside a box from 23.993 h; 359.85 is not.
  ASSERT_TRUE(load(starRecord(noLetter, '0', 359.9f, 0.0f, 6.0f, findFromPosition) +
                       starRecord(noLetter, '0', 359.85f, 0.0f, 6.0f, findFromPosition),
                   "", "23.993 24.0 -90.0 Psc\n0.0 24.0 -90.0 And\n"));
  EXPECT_EQ(starAt(0)->constellationIndex(), 65);  // Pisces
  EXPECT_EQ(starAt(1)->constellationIndex(), andromeda);
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

// --- the star as a body -----------------------------------------------------

BodyState computed(const Star& star, std::uint32_t flags, double latitude, CoordSystem system, BodyState out = {}) {
  Observer observer;
  observer.location.latitude = AstLatitude(latitude);
  star.compute(flags, observer, out, TimeKind::Lst, system);
  return out;
}

TEST(StarBody, GivesItsFixedPositionUnconvertedAndADirectionAloneLeavesThePositionAsItWas) {
  const Star star(0, 90.0, 20.0, 2.0f, GreekLetter(0), '0', orion);
  EXPECT_EQ(computed(star, quantity_bit::position, 50.0, CoordSystem::Equatorial).position,
            AstCoord(90.0, 20.0, CoordSystem::Equatorial));
  BodyState before;
  before.position = AstCoord(1.0, 2.0, CoordSystem::Galactic);
  const BodyState after = computed(star, quantity_bit::direction, 48.0, CoordSystem::Horizontal, before);
  EXPECT_EQ(after.position, before.position);
  EXPECT_TRUE(after.direction >= 0.0 && after.direction < 360.0) << after.direction;
}

TEST(GreekLetters, EveryLetterIsFoundByItsOwnNameAndAbbreviationInBothCasesAndNothingElseIs) {
  for (int i = 0; i < GreekLetter::letterCount; ++i) {
    const GreekLetter letter(i);
    EXPECT_STREQ(GreekLetter(i + 24).name(), letter.name());  // capitals share the name
    EXPECT_EQ(GreekLetter::fromName(letter.name(), false).index(), i);
    EXPECT_EQ(GreekLetter::fromName(letter.name(), true).index(), i + 24);
    EXPECT_EQ(GreekLetter::fromAbbreviation(letter.abbreviation(), false).index(), i);
    EXPECT_EQ(GreekLetter::fromAbbreviation(letter.abbreviation(), true).index(), i + 24);
  }
  for (const char* text : {"alpha", "Alpha ", "", "P", "alp", "Xyz", "Digamma"}) {
    EXPECT_EQ(GreekLetter::fromName(text, true).index(), -1) << text;
    EXPECT_EQ(GreekLetter::fromAbbreviation(text, true).index(), -1) << text;
  }
  // Symbols run from 0x7F and skip 0xA7; no letter is question marks.
  EXPECT_EQ(GreekLetter(39).symbol(), 0xA6);
  EXPECT_EQ(GreekLetter(40).symbol(), 0xA8);
  for (int index : {-1, -128, 48, 127}) {
    EXPECT_STREQ(GreekLetter(index).name(), "???") << index;
    EXPECT_EQ(GreekLetter(index).symbol(), '?') << index;
  }
}

TEST(DataFiles, LinesEndWithOrWithoutCarriageReturnAndTheLastNeedsNoEnd) {
  const std::vector<TextLine> lines = splitLines("first\r\nsecond\n\nlast");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text, "first");
  EXPECT_EQ(lines[2].text, "");
  EXPECT_EQ(lines[3].text, "last");
  EXPECT_EQ(lines[3].number, 4);
  EXPECT_TRUE(splitLines("").empty());
}

TEST(DataFiles, NumbersAreWholeWordsReadTheSameInEveryLocaleAndAFailureChangesNothing) {
  float value = 0.0f;
  EXPECT_TRUE(parseFloat("+23.5", value));
  EXPECT_EQ(value, 23.5f);
  for (const char* text : {"23,5", "12abc", "", "+"}) EXPECT_FALSE(parseFloat(text, value)) << text;
  EXPECT_EQ(value, 23.5f);
}

}  // namespace
}  // namespace noctavo
