#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <string>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "catalogues/CatalogueTestFiles.h"
#include "catalogues/Constellation.h"
#include "catalogues/ConstellationTable.h"
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

constexpr int noLetter = -1;
using Lines = std::vector<FigureLine>;

// Orion's alpha to delta, an unlettered Orion star first, and Polaris.
std::string orionStars() {
  return starRecord(noLetter, '0', 84.0f, 1.0f, 5.0f, orion) +   // 0
         starRecord(0, '0', 88.7929f, 7.4071f, 0.50f, orion) +    // 1 alpha
         starRecord(1, '0', 78.6345f, -8.2016f, 0.13f, orion) +   // 2 beta
         starRecord(2, '0', 81.2828f, 6.3497f, 1.64f, orion) +    // 3 gamma
         starRecord(3, '0', 83.0017f, -0.2991f, 2.23f, orion) +   // 4 delta
         starRecord(0, '0', 37.9529f, 89.2641f, 1.98f, ursaMinor);  // 5 Polaris
}

class Constellations : public CatalogueTest {
 protected:
  bool loadBoundaries(const std::string& boundaries) {
    folder_.write("cb1", boundaries);
    return loadConstellations(folder_.path());
  }

  // Boundaries, stars and figures, with the settings of the test.
  bool loadFigures(const std::string& figures, const std::string& stars = orionStars()) {
    folder_.write("cb1", testing::smallBoundaryFile());
    folder_.write("sta", stars);
    folder_.write("stn", "");
    folder_.write("con", figures);
    loadStars(folder_.path());
    return loadConstellationFigures(folder_.path(), settings_);
  }

  static Lines linesOf(int index) {
    const std::span<const FigureLine> lines = constellationAt(index)->lines();
    return {lines.begin(), lines.end()};
  }

  MemorySettingsStore settings_;
};

// --- the fixed table ----------------------------------------------------------

TEST_F(Constellations, The88AreFoundByAbbreviationAndByNameInTheCurrentLanguageWithoutRegardToCase) {
  for (int i = 0; i < constellationCount; ++i) {
    EXPECT_EQ(constellationIndexByAbbreviation(constellationAbbreviation(i)), i);
    EXPECT_EQ(constellationAt(i)->getIndex(), i);
  }
  for (const char* text : {"ori", "ORI", "Ori"}) EXPECT_EQ(findConstellationByAbbreviation(text), constellationAt(orion));
  for (const std::string& text : {std::string("Orion"), std::string("Or"), std::string(), std::string("Ori\0", 4)}) {
    EXPECT_EQ(constellationIndexByAbbreviation(text), -1) << text;  // no report
  }
  EXPECT_EQ(findConstellationByName("URSA MAIOR"), constellationAt(82));
  setConstellationLanguage(constellationLanguageEnglish);
  EXPECT_STREQ(constellationAt(82)->getName(), "Big Dipper");
  EXPECT_EQ(findConstellationByName("big dipper"), constellationAt(82));
  InternalErrorRecorder errors;
  EXPECT_EQ(findConstellationByName("Ursa Maior"), nullptr);
  EXPECT_EQ(errors.count(), 1u);
}

TEST_F(Constellations, TheRegistryFindsAConstellationByItsNameInEitherLanguage) {
  ASSERT_TRUE(loadBoundaries(testing::smallBoundaryFile()));
  EXPECT_EQ(bodyByName(ObjectType::Constellation, "Ursa Maior"), constellationAt(82));
  EXPECT_EQ(bodyByName(ObjectType::Constellation, "Big Dipper"), constellationAt(82));
  EXPECT_EQ(bodyByName(ObjectType::Constellation, "No Such Figure"), nullptr);  // no internal error
  EXPECT_EQ(bodyByIndex(ObjectType::Constellation, orion), constellationAt(orion));
  releaseConstellations();
  EXPECT_EQ(bodyByIndex(ObjectType::Constellation, orion), nullptr);
}

// --- the boundary file and search ---------------------------------------------

TEST_F(Constellations, AMissingOrUnreadableBoundaryFileStopsWithItsMessage) {
  struct Case {
    const char* file;  // null: no file
    const char* message;
    std::size_t linesKept;
  };
  const Case cases[] = {
      {nullptr, "Error opening constellation file", 0},
      {"0 24 60 UMi\n5 6 x Ori\n0 24 -90 And\n", "Error parsing constellation file, line 2", 1},
      {"0 24 60 UMi\n0 24 -90 Xyz\n", "Error parsing constellation file, line 2", 1},  // no internal error
      {"0 24 60\n", "Error parsing constellation file, line 1", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    UserMessageRecorder messages;
    InternalErrorRecorder errors;
    EXPECT_FALSE(c.file ? loadBoundaries(c.file) : loadConstellations(folder_.path()));
    ASSERT_EQ(messages.count(), 1u);
    EXPECT_EQ(messages.text(), c.file ? c.message : testing::wholeFileMessage(c.message, folder_, "cb1"));
    EXPECT_EQ(errors.count(), 0u);
    EXPECT_EQ(constellationBoundaries().size(), c.linesKept);
  }
}

TEST_F(Constellations, TheSearchTakesTheFirstLineThatFitsLowerLimitsIncluded) {
  ASSERT_TRUE(loadBoundaries(testing::smallBoundaryFile()));
  EXPECT_EQ(constellationIndexAt(5.5, 0.0), orion);
  EXPECT_EQ(constellationIndexAt(5.5, 70.0), ursaMinor);  // Orion's box fits too, but comes later
  EXPECT_EQ(constellationIndexAt(5.0, -10.0), orion);
  EXPECT_EQ(constellationIndexAt(6.0, 0.0), andromeda);  // the upper limit belongs to the next line that fits
  EXPECT_EQ(constellationIndexAt(5.5, 60.0), ursaMinor);
  EXPECT_EQ(constellationIndexAt(5.5, -10.001), andromeda);
  EXPECT_EQ(constellationIndexAt(std::nan(""), 0.0), -1);
}

// --- the figure file --------------------------------------------------------------

TEST_F(Constellations, ChainsOfLetterNamesBecomeSegments) {
  const std::pair<const char*, Lines> cases[] = {
      {"Ori: Alpha Beta Gamma\n", {{1, 2}, {2, 3}}},
      {"Ori:Alpha Beta;Gamma Delta\n", {{1, 2}, {3, 4}}},
      {"Ori: Alpha; Beta ;;\n", {}},
      {"Ori: Alpha Beta\nORI: Gamma Delta\r\numi: Alpha\n", {{1, 2}, {3, 4}}},
  };
  for (const auto& [file, lines] : cases) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(loadFigures(file));
    EXPECT_EQ(linesOf(orion), lines);
  }
  EXPECT_EQ(constellationAt(orion)->lineAt(1), (FigureLine{3, 4}));
  InternalErrorRecorder errors;
  EXPECT_EQ(constellationAt(orion)->lineAt(2), FigureLine{});
  EXPECT_EQ(constellationAt(orion)->lineAt(-1), FigureLine{});
  EXPECT_EQ(errors.count(), 2u);
}

// A bad word breaks the chain there: looked up, "alpha" would be letter -1
// and name Orion's unlettered star.
TEST_F(Constellations, DamagedFigureLinesAreReportedAndBreakTheChain) {
  struct Case {
    const char* file;
    Lines lines;
    std::vector<std::string> messageParts;  // empty: no message
    std::size_t internalErrors;
  };
  const Case cases[] = {
      {"Ori Alpha Beta\nOri: Gamma Delta\n", {{3, 4}}, {"line 1"}, 0},
      {"Ori: Alpha alpha Beta Gamma\n", {{2, 3}}, {"\"alpha\"", "line 1"}, 0},
      {"Ori: Alpha Epsilon Beta Gamma\n", {{2, 3}}, {}, 1},  // a letter without a star
      {"Orx: Alpha Beta\nOri: Alpha Beta\n", {{1, 2}}, {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    UserMessageRecorder messages;
    InternalErrorRecorder errors;
    ASSERT_TRUE(loadFigures(c.file));
    EXPECT_EQ(linesOf(orion), c.lines);
    ASSERT_EQ(messages.count(), c.messageParts.empty() ? 0u : 1u);
    for (const std::string& part : c.messageParts) EXPECT_NE(messages.text().find(part), std::string::npos) << messages.text();
    EXPECT_EQ(errors.count(), c.internalErrors);
  }
}

TEST_F(Constellations, MoreThanTwentySegmentsAreReportedOnceAndTheRestIgnored) {
  std::string stars;
  std::string chain = "And:";
  for (int letter = 0; letter < 23; ++letter) {
    stars += starRecord(letter, '0', 10.0f + letter, 20.0f, 4.0f, andromeda);
    chain += std::string(" ") + GreekLetter(letter).name();
  }
  UserMessageRecorder messages;
  ASSERT_TRUE(loadFigures(chain + "\nAnd: Alpha Gamma\n", stars));
  ASSERT_EQ(constellationAt(andromeda)->lineCount(), 20);
  EXPECT_EQ(constellationAt(andromeda)->lineAt(19), (FigureLine{19, 20}));
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("Andromeda has more than 20"), std::string::npos) << messages.text();
}

TEST_F(Constellations, AMissingFigureFileShowsItsMessageAndIsAnInternalError) {
  folder_.write("cb1", testing::smallBoundaryFile());
  UserMessageRecorder messages;
  InternalErrorRecorder errors;
  EXPECT_FALSE(loadConstellationFigures(folder_.path(), settings_));
  EXPECT_EQ(messages.text(), testing::wholeFileMessage("Error opening constellation file", folder_, "con"));
  EXPECT_EQ(errors.count(), 1u);
}

// --- stars of a constellation -----------------------------------------------------

TEST_F(Constellations, WithoutAlphaTheFirstLetterElseTheBrightestStandsForTheConstellation) {
  constexpr int vela = 84;  // Vela has no alpha star: its gamma stands in
  ASSERT_TRUE(loadFigures("", starRecord(noLetter, '0', 130.0f, -45.0f, 1.0f, vela) +  // 0, brightest
                                  starRecord(3, '0', 131.0f, -54.7f, 1.96f, vela) +    // 1 delta
                                  starRecord(2, '0', 122.4f, -47.3f, 1.83f, vela) +    // 2 gamma
                                  starRecord(noLetter, '0', 10.0f, 20.0f, 4.0f, andromeda) +
                                  starRecord(noLetter, '0', 11.0f, 21.0f, 2.5f, andromeda)));  // 4
  EXPECT_EQ(constellationAt(vela)->referenceStar(), starAt(2));
  EXPECT_EQ(constellationAt(andromeda)->referenceStar(), starAt(4));
  BodyState out;
  constellationAt(vela)->compute(quantity_bit::position, Observer{}, out, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_EQ(out.position, starAt(2)->equatorialPosition());
  InternalErrorRecorder errors;  // no stars at all
  constellationAt(orion)->compute(quantity_bit::position, Observer{}, out, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_EQ(out.position, starAt(2)->equatorialPosition());
}

// --- the language setting -------------------------------------------------------------

TEST_F(Constellations, TheLanguageComesFromTheSettingsLatinUnlessOther) {
  const std::tuple<const char*, int, int, const char*> cases[] = {
      // stored text (null: none), language before, language after, message
      {nullptr, constellationLanguageEnglish, constellationLanguageLatin, ""},
      {"Other", constellationLanguageLatin, constellationLanguageEnglish, ""},
      {"other", constellationLanguageLatin, constellationLanguageLatin, "Error in INI file"},
  };
  for (const auto& [stored, before, after, message] : cases) {
    SCOPED_TRACE(stored ? stored : "missing");
    if (stored) settings_.writeString("", "Language for constellation names", stored);
    setConstellationLanguage(before);
    UserMessageRecorder messages;
    ASSERT_TRUE(loadFigures(""));
    EXPECT_EQ(messages.text(), message);
    EXPECT_EQ(constellationLanguage(), after);
  }
}

}  // namespace
}  // namespace noctavo
