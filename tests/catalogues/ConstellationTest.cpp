#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "catalogues/CatalogueTestFiles.h"
#include "catalogues/Constellation.h"
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

  std::vector<FigureLine> linesOf(int index) const {
    const std::span<const FigureLine> lines = constellationAt(index)->lines();
    return {lines.begin(), lines.end()};
  }

  MemorySettingsStore settings_;
};

// --- the fixed table ----------------------------------------------------------

TEST_F(Constellations, ThereAreExactly88InIndexOrder) {
  int cursor = 0;
  int count = 0;
  while (const Constellation* constellation = nextConstellation(cursor)) {
    EXPECT_EQ(constellation->getIndex(), count++);
    EXPECT_EQ(constellation->getObjectType(), ObjectType::Constellation);
  }
  EXPECT_EQ(count, 88);
  EXPECT_EQ(cursor, -1);
}

TEST_F(Constellations, AnIndexOutside0To87GivesNoConstellation) {
  EXPECT_EQ(constellationAt(-1), nullptr);
  EXPECT_EQ(constellationAt(88), nullptr);
  EXPECT_STREQ(constellationAt(87)->abbreviation(), "Vul");
}

TEST_F(Constellations, AbbreviationsAreFoundWithoutRegardToCase) {
  for (const char* text : {"ori", "ORI", "Ori"}) {
    const Constellation* found = findConstellationByAbbreviation(text);
    ASSERT_NE(found, nullptr) << text;
    EXPECT_EQ(found->getIndex(), orion) << text;
  }
}

TEST_F(Constellations, AnUnknownAbbreviationIsAnInternalError) {
  InternalErrorRecorder errors;
  EXPECT_EQ(findConstellationByAbbreviation("Orx"), nullptr);
  ASSERT_EQ(errors.count(), 1u);
  EXPECT_EQ(errors.modules()[0], "astcnst");
}

TEST_F(Constellations, TheNameFollowsTheLanguage) {
  const Constellation* bigDipper = constellationAt(82);
  EXPECT_STREQ(bigDipper->getName(), "Ursa Maior");
  setConstellationLanguage(constellationLanguageEnglish);
  EXPECT_STREQ(bigDipper->getName(), "Big Dipper");
}

TEST_F(Constellations, FindByNameUsesTheCurrentLanguageWithoutRegardToCase) {
  EXPECT_EQ(findConstellationByName("URSA MAIOR"), constellationAt(82));
  setConstellationLanguage(constellationLanguageEnglish);
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
  int cursor = 0;
  int count = 0;
  while (nextBody(ObjectType::Constellation, cursor) != nullptr) ++count;
  EXPECT_EQ(count, 88);

  releaseConstellations();
  EXPECT_EQ(bodyByIndex(ObjectType::Constellation, orion), nullptr);
}

TEST_F(Constellations, PublishTheFiveQuantitiesOfAStar) {
  const Constellation* constellation = constellationAt(0);
  const char* expected[] = {"Direction", "Rise", "Set", "Longitude", "Latitude"};
  int i = 0;
  for (const Quantity* q = constellation->firstQuantity(); q != nullptr; q = constellation->nextQuantity()) {
    ASSERT_LT(i, 5);
    EXPECT_STREQ(q->name(), expected[i++]);
  }
  EXPECT_EQ(i, 5);
}

// --- the boundary file and search ---------------------------------------------

TEST_F(Constellations, TheBoundaryFileIsReadInOrder) {
  ASSERT_TRUE(loadBoundaries(testing::smallBoundaryFile()));
  const std::span<const ConstellationBoundary> table = constellationBoundaries();
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[1].lowerRightAscension, 5.0f);
  EXPECT_EQ(table[1].upperRightAscension, 6.0f);
  EXPECT_EQ(table[1].lowerDeclination, -10.0f);
  EXPECT_EQ(table[1].constellation, orion);
}

TEST_F(Constellations, BoundaryLinesTakeAnyWhiteSpaceAndIgnoreWhatFollowsTheAbbreviation) {
  ASSERT_TRUE(loadBoundaries("  0.0\t24.0   60.0 umi  trailing words\r\n\n0 24 -90 AND\n"));
  ASSERT_EQ(constellationBoundaries().size(), 2u);
  EXPECT_EQ(constellationBoundaries()[0].constellation, ursaMinor);
  EXPECT_EQ(constellationBoundaries()[1].constellation, andromeda);
}

TEST_F(Constellations, AMissingBoundaryFileShowsItsMessageAndReportsFalse) {
  UserMessageRecorder messages;
  EXPECT_FALSE(loadConstellations(folder_.path()));
  EXPECT_EQ(messages.text(), "Error opening constellation file");
  EXPECT_TRUE(constellationBoundaries().empty());
}

TEST_F(Constellations, ABoundaryLineThatDoesNotParseStopsTheReadingWithItsLineNumber) {
  UserMessageRecorder messages;
  EXPECT_FALSE(loadBoundaries("0 24 60 UMi\n5 6 x Ori\n0 24 -90 And\n"));
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_EQ(messages.text(), "Error parsing constellation file, line 2");
  EXPECT_EQ(constellationBoundaries().size(), 1u);
}

TEST_F(Constellations, ABoundaryLineWithAnUnknownAbbreviationIsAParseError) {
  UserMessageRecorder messages;
  InternalErrorRecorder errors;
  EXPECT_FALSE(loadBoundaries("0 24 60 UMi\n0 24 -90 Xyz\n"));
  EXPECT_EQ(messages.text(), "Error parsing constellation file, line 2");
  EXPECT_EQ(errors.count(), 0u);
}

TEST_F(Constellations, ABoundaryLineWithTooFewFieldsIsAParseError) {
  UserMessageRecorder messages;
  EXPECT_FALSE(loadBoundaries("0 24 60\n"));
  EXPECT_EQ(messages.text(), "Error parsing constellation file, line 1");
}

TEST_F(Constellations, TheFirstFittingLineWins) {
  ASSERT_TRUE(loadBoundaries(testing::smallBoundaryFile()));
  EXPECT_EQ(constellationIndexAt(5.5, 0.0), orion);
  EXPECT_EQ(constellationIndexAt(5.5, 70.0), ursaMinor);  // Orion's box fits too, but comes later
  EXPECT_EQ(constellationIndexAt(12.0, 0.0), andromeda);
}

TEST_F(Constellations, ThePositionOnALowerLimitIsInsideAndOnTheUpperRightAscensionOutside) {
  ASSERT_TRUE(loadBoundaries(testing::smallBoundaryFile()));
  EXPECT_EQ(constellationIndexAt(5.0, -10.0), orion);      // both lower limits included
  EXPECT_EQ(constellationIndexAt(6.0, 0.0), andromeda);    // upper limit belongs to the next line that fits
  EXPECT_EQ(constellationIndexAt(5.5, 60.0), ursaMinor);
  EXPECT_EQ(constellationIndexAt(5.5, -10.001), andromeda);
}

TEST_F(Constellations, NoFittingLineIsAnInternalErrorOfTheSearch) {
  ASSERT_TRUE(loadBoundaries("0 24 0 And\n"));
  EXPECT_EQ(constellationIndexAt(3.0, -5.0), -1);
  InternalErrorRecorder errors;
  EXPECT_EQ(findConstellationAt(AstCoord(3.0, -5.0, CoordSystem::Equatorial)), nullptr);
  ASSERT_EQ(errors.count(), 1u);
  EXPECT_EQ(errors.modules()[0], "astcnst");
  EXPECT_EQ(findConstellationAt(AstCoord(3.0, 5.0, CoordSystem::Equatorial)), constellationAt(andromeda));
}

TEST_F(Constellations, ANotANumberPositionFitsNoLine) {
  ASSERT_TRUE(loadBoundaries(testing::smallBoundaryFile()));
  EXPECT_EQ(constellationIndexAt(std::nan(""), 0.0), -1);
}

// --- the figure file --------------------------------------------------------------

TEST_F(Constellations, AChainOfThreeLettersGivesTwoSegments) {
  ASSERT_TRUE(loadFigures("Ori: Alpha Beta Gamma\n"));
  EXPECT_EQ(linesOf(orion), (std::vector<FigureLine>{{1, 2}, {2, 3}}));
}

TEST_F(Constellations, ChainsSeparatedBySemicolonsAreNotJoined) {
  ASSERT_TRUE(loadFigures("Ori:Alpha Beta;Gamma Delta\n"));
  EXPECT_EQ(linesOf(orion), (std::vector<FigureLine>{{1, 2}, {3, 4}}));
}

TEST_F(Constellations, AChainOfOneNameDrawsNothing) {
  ASSERT_TRUE(loadFigures("Ori: Alpha; Beta ;;\n"));
  EXPECT_EQ(constellationAt(orion)->lineCount(), 0);
}

TEST_F(Constellations, LinesOfOneConstellationAccumulateAndAbbreviationsIgnoreCase) {
  ASSERT_TRUE(loadFigures("Ori: Alpha Beta\nORI: Gamma Delta\r\numi: Alpha\n"));
  EXPECT_EQ(linesOf(orion), (std::vector<FigureLine>{{1, 2}, {3, 4}}));
  EXPECT_EQ(constellationAt(orion)->lineAt(1), (FigureLine{3, 4}));
}

TEST_F(Constellations, ALineWithoutColonIsReportedAndSkipped) {
  UserMessageRecorder messages;
  ASSERT_TRUE(loadFigures("Ori Alpha Beta\nOri: Gamma Delta\n"));
  EXPECT_EQ(linesOf(orion), (std::vector<FigureLine>{{3, 4}}));
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("line 1"), std::string::npos) << messages.text();
}

TEST_F(Constellations, AWordThatIsNoGreekLetterNameIsReportedAndBreaksTheChain) {
  // Looked up, "alpha" would be the letter -1 and name Orion's unlettered
  // star; no segment may end at it.
  UserMessageRecorder messages;
  InternalErrorRecorder errors;
  ASSERT_TRUE(loadFigures("Ori: Alpha alpha Beta Gamma\n"));
  EXPECT_EQ(linesOf(orion), (std::vector<FigureLine>{{2, 3}}));
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("\"alpha\""), std::string::npos) << messages.text();
  EXPECT_NE(messages.text().find("line 1"), std::string::npos) << messages.text();
  EXPECT_EQ(errors.count(), 0u);
}

TEST_F(Constellations, ALetterWithoutAStarIsAnInternalErrorAndBreaksTheChain) {
  InternalErrorRecorder errors;
  ASSERT_TRUE(loadFigures("Ori: Alpha Epsilon Beta Gamma\n"));
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_EQ(linesOf(orion), (std::vector<FigureLine>{{2, 3}}));
}

TEST_F(Constellations, AnUnknownAbbreviationInTheFigureFileIsAnInternalError) {
  InternalErrorRecorder errors;
  ASSERT_TRUE(loadFigures("Orx: Alpha Beta\nOri: Alpha Beta\n"));
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_EQ(constellationAt(orion)->lineCount(), 1);
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
  const Constellation* figure = constellationAt(andromeda);
  ASSERT_EQ(figure->lineCount(), 20);
  EXPECT_EQ(figure->lineAt(19), (FigureLine{19, 20}));
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("Andromeda has more than 20"), std::string::npos) << messages.text();
}

TEST_F(Constellations, ALineOutsideTheFigureIsAnInternalError) {
  ASSERT_TRUE(loadFigures("Ori: Alpha Beta\n"));
  InternalErrorRecorder errors;
  EXPECT_EQ(constellationAt(orion)->lineAt(1), FigureLine{});
  EXPECT_EQ(constellationAt(orion)->lineAt(-1), FigureLine{});
  EXPECT_EQ(errors.count(), 2u);
}

TEST_F(Constellations, AMissingFigureFileShowsItsMessageAndIsAnInternalError) {
  folder_.write("cb1", testing::smallBoundaryFile());
  UserMessageRecorder messages;
  InternalErrorRecorder errors;
  EXPECT_FALSE(loadConstellationFigures(folder_.path(), settings_));
  EXPECT_EQ(messages.text(), "Error opening constellation file");
  EXPECT_EQ(errors.count(), 1u);
}

// --- stars of a constellation -----------------------------------------------------

TEST_F(Constellations, FindStarByLetterTakesTheFirstStarOfThatLetter) {
  ASSERT_TRUE(loadFigures(""));
  EXPECT_EQ(constellationAt(orion)->findStarByLetter(1), starAt(2));
  EXPECT_EQ(constellationAt(orion)->findStarByLetter(-1), starAt(0));
  InternalErrorRecorder errors;
  EXPECT_EQ(constellationAt(orion)->findStarByLetter(5), nullptr);
  EXPECT_EQ(errors.count(), 1u);
}

TEST_F(Constellations, TheStarListIsWalkedInFileOrder) {
  ASSERT_TRUE(loadFigures(""));
  int cursor = 0;
  std::vector<int> seen;
  for (const Star* star = constellationAt(orion)->firstStar(cursor); star != nullptr;
       star = constellationAt(orion)->nextStar(cursor)) {
    seen.push_back(star->getIndex());
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(cursor, -1);
}

TEST_F(Constellations, APositionIsThatOfTheAlphaStar) {
  ASSERT_TRUE(loadFigures(""));
  Observer observer;
  observer.location.latitude = AstLatitude(40.0);
  BodyState ofConstellation;
  BodyState ofStar;
  const std::uint32_t flags = quantity_bit::position | quantity_bit::rise | quantity_bit::set | quantity_bit::direction;
  constellationAt(orion)->compute(flags, observer, ofConstellation, TimeKind::Lct, CoordSystem::Horizontal);
  starAt(1)->compute(flags, observer, ofStar, TimeKind::Lct, CoordSystem::Horizontal);
  EXPECT_EQ(ofConstellation.position, ofStar.position);
  EXPECT_EQ(ofConstellation.rise, ofStar.rise);
  EXPECT_EQ(ofConstellation.set, ofStar.set);
  EXPECT_EQ(ofConstellation.direction, ofStar.direction);
}

TEST_F(Constellations, WithoutAnAlphaStarTheFirstLetterStandsForTheConstellation) {
  // Vela has no alpha star; its gamma stands in for it.
  constexpr int vela = 84;
  const std::string stars = starRecord(noLetter, '0', 130.0f, -45.0f, 1.0f, vela) +  // 0, brightest
                            starRecord(3, '0', 131.0f, -54.7f, 1.96f, vela) +        // 1 delta
                            starRecord(2, '0', 122.4f, -47.3f, 1.83f, vela);         // 2 gamma
  ASSERT_TRUE(loadFigures("", stars));
  EXPECT_EQ(constellationAt(vela)->referenceStar(), starAt(2));
  BodyState out;
  constellationAt(vela)->compute(quantity_bit::position, Observer{}, out, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_EQ(out.position, starAt(2)->equatorialPosition());
}

TEST_F(Constellations, WithoutAnyLetteredStarTheBrightestStandsForTheConstellation) {
  const std::string stars = starRecord(noLetter, '0', 10.0f, 20.0f, 4.0f, andromeda) +
                            starRecord(noLetter, '0', 11.0f, 21.0f, 2.5f, andromeda) +
                            starRecord(noLetter, '0', 12.0f, 22.0f, 3.0f, andromeda);
  ASSERT_TRUE(loadFigures("", stars));
  EXPECT_EQ(constellationAt(andromeda)->referenceStar(), starAt(1));
}

TEST_F(Constellations, AConstellationWithoutStarsCannotBeComputed) {
  ASSERT_TRUE(loadFigures(""));
  BodyState out;
  InternalErrorRecorder errors;
  constellationAt(andromeda)->compute(quantity_bit::position, Observer{}, out, TimeKind::Lct,
                                      CoordSystem::Equatorial);
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_EQ(out.position, AstCoord());
}

// --- the language setting -------------------------------------------------------------

TEST_F(Constellations, AMissingLanguageValueMeansLatin) {
  setConstellationLanguage(constellationLanguageEnglish);
  ASSERT_TRUE(loadFigures(""));
  EXPECT_EQ(constellationLanguage(), constellationLanguageLatin);
}

TEST_F(Constellations, OtherMeansEnglish) {
  settings_.writeString("", "Language for constellation names", "Other");
  ASSERT_TRUE(loadFigures(""));
  EXPECT_EQ(constellationLanguage(), constellationLanguageEnglish);
}

TEST_F(Constellations, AnyOtherLanguageTextIsAnErrorInTheIniFileAndChangesNothing) {
  settings_.writeString("", "Language for constellation names", "other");
  UserMessageRecorder messages;
  ASSERT_TRUE(loadFigures(""));
  EXPECT_EQ(messages.text(), "Error in INI file");
  EXPECT_EQ(constellationLanguage(), constellationLanguageLatin);
}

TEST_F(Constellations, TheLanguageIsSavedOnlyWhenOptionsAreSaved) {
  setConstellationLanguage(constellationLanguageEnglish);
  saveConstellationLanguage(settings_, false);
  EXPECT_FALSE(settings_.contains("", "Language for constellation names"));
  saveConstellationLanguage(settings_, true);
  EXPECT_EQ(settings_.readString("", "Language for constellation names", ""), "Other");
  setConstellationLanguage(constellationLanguageLatin);
  saveConstellationLanguage(settings_, true);
  EXPECT_EQ(settings_.readString("", "Language for constellation names", ""), "Latin");
}

}  // namespace
}  // namespace noctavo
