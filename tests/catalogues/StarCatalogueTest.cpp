#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "catalogues/CatalogueTestFiles.h"
#include "catalogues/Constellation.h"
#include "catalogues/Star.h"

namespace noctavo {
namespace {

using testing::CatalogueTest;
using testing::InternalErrorRecorder;
using testing::starRecord;
using testing::UserMessageRecorder;
using testing::andromeda;
using testing::orion;
using testing::ursaMinor;

constexpr int alpha = 0;
constexpr int beta = 1;
constexpr int gamma = 2;
constexpr int noLetter = -1;
constexpr int findFromPosition = 0xFF;

// Betelgeuse, Rigel, Bellatrix, Polaris (constellation to be found) and an
// unlettered star of Andromeda.
std::string fiveStars() {
  return starRecord(alpha, '0', 88.7929f, 7.4071f, 0.50f, orion) +
         starRecord(beta, '0', 78.6345f, -8.2016f, 0.13f, orion) +
         starRecord(gamma, '0', 81.2828f, 6.3497f, 1.64f, orion) +
         starRecord(alpha, '0', 37.9529f, 89.2641f, 1.98f, findFromPosition) +
         starRecord(noLetter, '0', 10.0f, 20.0f, 5.5f, andromeda);
}

class StarCatalogue : public CatalogueTest {
 protected:
  // Writes the three files and loads them.
  bool load(const std::string& stars, const std::string& names,
            const std::string& boundaries = testing::smallBoundaryFile()) {
    folder_.write("cb1", boundaries);
    folder_.write("sta", stars);
    folder_.write("stn", names);
    return loadStars(folder_.path());
  }
};

// --- the star file ------------------------------------------------------

TEST_F(StarCatalogue, StarsKeepTheirRecordNumberAndFieldsInFileOrder) {
  ASSERT_TRUE(load(fiveStars(), ""));
  ASSERT_EQ(starCount(), 5);
  const Star* rigel = starAt(1);
  ASSERT_NE(rigel, nullptr);
  EXPECT_EQ(rigel->getIndex(), 1);
  EXPECT_EQ(rigel->getObjectType(), ObjectType::Star);
  EXPECT_EQ(rigel->rightAscension(), static_cast<double>(78.6345f));  // widened, not rounded
  EXPECT_EQ(rigel->declination(), static_cast<double>(-8.2016f));
  EXPECT_FLOAT_EQ(rigel->magnitude(), 0.13f);
  EXPECT_EQ(rigel->greekLetter(), beta);
  EXPECT_EQ(rigel->letterSuffix(), '0');
  EXPECT_EQ(rigel->constellationIndex(), orion);
  EXPECT_EQ(rigel->constellation(), constellationAt(orion));
}

TEST_F(StarCatalogue, ANewStarHasNoPositionLetterOrConstellation) {
  const Star star(7);
  EXPECT_EQ(star.rightAscension(), 0.0);
  EXPECT_EQ(star.declination(), 0.0);
  EXPECT_EQ(star.magnitude(), 0.0f);
  EXPECT_EQ(star.greekLetter(), -1);
  EXPECT_EQ(star.letterSuffix(), '0');
  EXPECT_EQ(star.constellationIndex(), 0xFF);
  EXPECT_STREQ(star.getName(), "");
}

TEST_F(StarCatalogue, ConstellationByte0xFFIsFoundFromThePosition) {
  ASSERT_TRUE(load(fiveStars(), ""));
  EXPECT_EQ(starAt(3)->constellationIndex(), ursaMinor);
}

TEST_F(StarCatalogue, RightAscensionIsTurnedIntoHoursForTheBoundarySearch) {
  // 359.9 degrees is 23.9933 hours: inside a box that starts at 23.993 h.
  // 359.85 degrees (23.99 h) is not.
  const std::string boundaries = "23.993 24.0 -90.0 Psc\n0.0 24.0 -90.0 And\n";
  ASSERT_TRUE(load(starRecord(noLetter, '0', 359.9f, 0.0f, 6.0f, findFromPosition) +
                       starRecord(noLetter, '0', 359.85f, 0.0f, 6.0f, findFromPosition),
                   "", boundaries));
  EXPECT_EQ(starAt(0)->constellationIndex(), 65);  // Pisces
  EXPECT_EQ(starAt(1)->constellationIndex(), andromeda);
}

TEST_F(StarCatalogue, AValidConstellationByteIsTakenAsItIsWhateverThePosition) {
  ASSERT_TRUE(load(starRecord(noLetter, '0', 200.0f, -50.0f, 3.0f, orion), ""));
  EXPECT_EQ(starAt(0)->constellationIndex(), orion);
}

TEST_F(StarCatalogue, EachConstellationListsItsStarsInFileOrder) {
  ASSERT_TRUE(load(fiveStars(), ""));
  const Constellation* orionFigure = constellationAt(orion);
  ASSERT_EQ(orionFigure->starCount(), 3);
  EXPECT_EQ(orionFigure->stars()[0], 0);
  EXPECT_EQ(orionFigure->stars()[1], 1);
  EXPECT_EQ(orionFigure->stars()[2], 2);
  EXPECT_EQ(constellationAt(ursaMinor)->starCount(), 1);
  EXPECT_EQ(constellationAt(andromeda)->starCount(), 1);
}

TEST_F(StarCatalogue, LoadingAgainReplacesTheEarlierCatalogue) {
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,Betelgeuse\n"));
  ASSERT_TRUE(load(starRecord(alpha, '0', 88.0f, 7.0f, 0.5f, orion), ""));
  EXPECT_EQ(starCount(), 1);
  EXPECT_EQ(constellationAt(orion)->starCount(), 1);
  EXPECT_EQ(findStarByName("Betelgeuse"), nullptr);
}

TEST_F(StarCatalogue, AnEmptyStarFileGivesNoStarsAndEveryNameLineIsAnInternalError) {
  InternalErrorRecorder errors;
  EXPECT_TRUE(load("", "Alp,Ori,Betelgeuse\nBet,Ori,Rigel\n"));
  EXPECT_EQ(starCount(), 0);
  EXPECT_EQ(errors.count(), 2u);
  for (const std::string& module : errors.modules()) EXPECT_EQ(module, "aststar");
}

TEST_F(StarCatalogue, AMissingStarFileShowsItsMessageAndIsAnInternalError) {
  folder_.write("cb1", testing::smallBoundaryFile());
  UserMessageRecorder messages;
  InternalErrorRecorder errors;
  EXPECT_FALSE(loadStars(folder_.path()));
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_EQ(messages.text(), "Error opening star file");
  EXPECT_EQ(messages.messages()[0].severity, MessageSeverity::Warning);
  ASSERT_EQ(errors.count(), 1u);
  EXPECT_EQ(errors.modules()[0], "aststar");
  EXPECT_EQ(starCount(), 0);
}

TEST_F(StarCatalogue, AMissingNameFileShowsItsMessageAndIsAnInternalError) {
  folder_.write("cb1", testing::smallBoundaryFile());
  folder_.write("sta", fiveStars());
  UserMessageRecorder messages;
  InternalErrorRecorder errors;
  loadStars(folder_.path());
  EXPECT_EQ(messages.text(), "Error opening star name file");
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_EQ(starCount(), 5);
}

TEST_F(StarCatalogue, APartialLastRecordIsReportedAndIgnoredAndTheNamesAreStillRead) {
  UserMessageRecorder messages;
  const std::string partial = starRecord(beta, '0', 1.0f, 2.0f, 3.0f, orion).substr(0, 9);
  EXPECT_TRUE(load(fiveStars() + partial, "Alp,Ori,Betelgeuse\n"));
  EXPECT_EQ(starCount(), 5);
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("Error in star file"), std::string::npos) << messages.text();
  EXPECT_NE(messages.text().find("9 bytes"), std::string::npos) << messages.text();
  EXPECT_EQ(findStarByName("Betelgeuse"), starAt(0));
}

TEST_F(StarCatalogue, AConstellationByteAbove87IsReportedAndFoundFromThePosition) {
  UserMessageRecorder messages;
  ASSERT_TRUE(load(starRecord(alpha, '0', 82.5f, 0.0f, 2.0f, 88) + starRecord(beta, '0', 82.5f, 0.0f, 2.0f, 200),
                   ""));
  EXPECT_EQ(starAt(0)->constellationIndex(), orion);
  EXPECT_EQ(starAt(1)->constellationIndex(), orion);
  // A damaged file gives one message, not one per record.
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("record 0"), std::string::npos) << messages.text();
  EXPECT_NE(messages.text().find("88"), std::string::npos) << messages.text();
  EXPECT_NE(messages.text().find("2 problems"), std::string::npos) << messages.text();
}

TEST_F(StarCatalogue, ALetterNumberOutsideTheTableIsReportedAndTheStarHasNoLetter) {
  UserMessageRecorder messages;
  ASSERT_TRUE(load(starRecord(48, '0', 82.5f, 0.0f, 2.0f, orion), ""));
  EXPECT_EQ(starAt(0)->greekLetter(), -1);
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("48"), std::string::npos) << messages.text();
}

TEST_F(StarCatalogue, ASuffixThatIsNoDigitIsReportedAndDropped) {
  UserMessageRecorder messages;
  ASSERT_TRUE(load(starRecord(alpha, 'x', 82.5f, 0.0f, 2.0f, orion) + starRecord(alpha, '2', 82.6f, 0.0f, 2.0f, orion),
                   ""));
  EXPECT_EQ(starAt(0)->letterSuffix(), '0');
  EXPECT_EQ(starAt(1)->letterSuffix(), '2');
  EXPECT_EQ(messages.count(), 1u);
}

TEST_F(StarCatalogue, WithoutBoundariesAStarToBeFoundFromItsPositionEndsTheReading) {
  // The boundary file is missing: its message, then the internal error of
  // the failed search; the stars before stay and the names are not read.
  folder_.write("sta", starRecord(alpha, '0', 88.79f, 7.41f, 0.5f, orion) +
                           starRecord(alpha, '0', 37.95f, 89.26f, 2.0f, findFromPosition) +
                           starRecord(beta, '0', 78.63f, -8.2f, 0.1f, orion));
  folder_.write("stn", "Alp,Ori,Betelgeuse\n");
  UserMessageRecorder messages;
  InternalErrorRecorder errors;
  EXPECT_FALSE(loadStars(folder_.path()));
  EXPECT_EQ(messages.text(), "Error opening constellation file");
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_EQ(starCount(), 1);
  EXPECT_STREQ(starAt(0)->getName(), "");
}

TEST_F(StarCatalogue, RandomBytesNeverGiveAStarOutsideTheRules) {
  // Whatever the file holds, every star that comes out has a letter -1..47,
  // a digit suffix and a constellation 0..87, and is filed under it.
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
      const std::span<const std::int32_t> filed = star->constellation()->stars();
      ASSERT_NE(std::find(filed.begin(), filed.end(), i), filed.end());
    }
  }
}

// --- the star name file ---------------------------------------------------

TEST_F(StarCatalogue, ANameGoesToTheLetteredStarOfItsConstellation) {
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,Betelgeuse\nBet,Ori,Rigel\nAlp,UMi,Polaris\n"));
  EXPECT_STREQ(starAt(0)->getName(), "Betelgeuse");
  EXPECT_STREQ(starAt(1)->getName(), "Rigel");
  EXPECT_STREQ(starAt(3)->getName(), "Polaris");
  EXPECT_STREQ(starAt(2)->getName(), "");
}

TEST_F(StarCatalogue, ConstellationIsComparedWithoutCaseAndTrailingBlanksAreRemoved) {
  ASSERT_TRUE(load(fiveStars(), "Alp,ori,Betelgeuse \t\r\n"));
  EXPECT_STREQ(starAt(0)->getName(), "Betelgeuse");
}

TEST_F(StarCatalogue, LeadingBlanksOfTheNameStay) {
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,  Betelgeuse\n"));
  EXPECT_STREQ(starAt(0)->getName(), "  Betelgeuse");
}

TEST_F(StarCatalogue, EverythingAfterTheSecondCommaIsTheName) {
  ASSERT_TRUE(load(fiveStars(), "Bet,Ori,Rigel, Beta Orionis"));
  EXPECT_STREQ(starAt(1)->getName(), "Rigel, Beta Orionis");
}

TEST_F(StarCatalogue, TheLetterAbbreviationIsCaseSensitive) {
  InternalErrorRecorder errors;
  ASSERT_TRUE(load(fiveStars(), "alp,Ori,Betelgeuse\n"));
  EXPECT_EQ(errors.count(), 1u);
  EXPECT_STREQ(starAt(0)->getName(), "");
}

TEST_F(StarCatalogue, AnUnknownConstellationOrAMissingStarIsAnInternalError) {
  InternalErrorRecorder errors;
  ASSERT_TRUE(load(fiveStars(), "Alp,Xyz,Nowhere\nGam,UMi,Nobody\nBet,Ori,Rigel\n"));
  EXPECT_EQ(errors.count(), 2u);
  EXPECT_STREQ(starAt(1)->getName(), "Rigel");  // the reading goes on after a reported line
}

TEST_F(StarCatalogue, ANameGoesToTheFirstStarOfTheLetterWhateverItsSuffix) {
  ASSERT_TRUE(load(starRecord(alpha, '2', 30.0f, 20.0f, 4.0f, andromeda) +
                       starRecord(alpha, '1', 29.9f, 20.0f, 4.0f, andromeda),
                   "Alp,And,Alpha Two First\n"));
  EXPECT_STREQ(starAt(0)->getName(), "Alpha Two First");
  EXPECT_STREQ(starAt(1)->getName(), "");
}

TEST_F(StarCatalogue, ALaterLineForTheSameStarReplacesTheName) {
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,Betelgeuze\nAlp,Ori,Betelgeuse\n"));
  EXPECT_STREQ(starAt(0)->getName(), "Betelgeuse");
  EXPECT_EQ(findStarByName("Betelgeuze"), nullptr);
}

TEST_F(StarCatalogue, ALineWithFewerThanTwoCommasIsReportedWithItsNumberAndSkipped) {
  UserMessageRecorder messages;
  InternalErrorRecorder errors;
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,Betelgeuse\nBet Ori Rigel\nAlp,UMi\nAlp,UMi,Polaris\n"));
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_EQ(messages.text(), "Error parsing star name file, line 2 (2 problems in this file)");
  EXPECT_EQ(errors.count(), 0u);
  EXPECT_STREQ(starAt(0)->getName(), "Betelgeuse");
  EXPECT_STREQ(starAt(1)->getName(), "");
  EXPECT_STREQ(starAt(3)->getName(), "Polaris");
}

TEST_F(StarCatalogue, BlankLinesOfTheNameFileAreSkippedQuietly) {
  UserMessageRecorder messages;
  ASSERT_TRUE(load(fiveStars(), "\nAlp,Ori,Betelgeuse\n   \n\nBet,Ori,Rigel\n"));
  EXPECT_EQ(messages.count(), 0u);
  EXPECT_STREQ(starAt(1)->getName(), "Rigel");
}

// --- finding and enumerating ------------------------------------------------

TEST_F(StarCatalogue, FindByNameIsExactAndCaseSensitive) {
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,Betelgeuse\nBet,Ori,Rigel\n"));
  EXPECT_EQ(findStarByName("Rigel"), starAt(1));
  EXPECT_EQ(findStarByName("rigel"), nullptr);
  EXPECT_EQ(findStarByName("Rigel "), nullptr);
  EXPECT_EQ(findStarByName(""), nullptr);
}

TEST_F(StarCatalogue, FindByNameTakesTheLowestStarIndexOfTwoEqualNames) {
  ASSERT_TRUE(load(fiveStars(), "Bet,Ori,Twin\nAlp,Ori,Twin\n"));
  EXPECT_EQ(findStarByName("Twin"), starAt(0));
}

TEST_F(StarCatalogue, StarAtIsNullOutsideTheCatalogue) {
  ASSERT_TRUE(load(fiveStars(), ""));
  EXPECT_EQ(starAt(-1), nullptr);
  EXPECT_EQ(starAt(5), nullptr);
  EXPECT_NE(starAt(4), nullptr);
}

TEST_F(StarCatalogue, NextStarWalksAllStarsThenEndsWithMinusOne) {
  ASSERT_TRUE(load(fiveStars(), ""));
  int cursor = 0;
  int seen = 0;
  while (const Star* star = nextStar(cursor, false)) EXPECT_EQ(star->getIndex(), seen++);
  EXPECT_EQ(seen, 5);
  EXPECT_EQ(cursor, -1);
  EXPECT_EQ(nextStar(cursor, false), nullptr);
}

TEST_F(StarCatalogue, NamedOnlyEnumerationSkipsStarsWithoutANonEmptyName) {
  ASSERT_TRUE(load(fiveStars(), "Alp,Ori,Betelgeuse\nGam,Ori,   \nAlp,UMi,Polaris\n"));
  // Gamma's name is empty once its trailing blanks are gone.
  int cursor = 0;
  const Star* first = firstStar(cursor, true);
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first->getName(), "Betelgeuse");
  const Star* second = nextStar(cursor, true);
  ASSERT_NE(second, nullptr);
  EXPECT_STREQ(second->getName(), "Polaris");
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

Observer observerAtLatitude(double latitude) {
  Observer observer;
  observer.location.latitude = AstLatitude(latitude);
  return observer;
}

TEST(StarBody, PublishesItsFiveQuantitiesInOrder) {
  const Star star(0);
  const char* expected[] = {"Direction", "Rise", "Set", "Longitude", "Latitude"};
  int i = 0;
  for (const Quantity* quantity = star.firstQuantity(); quantity != nullptr; quantity = star.nextQuantity()) {
    ASSERT_LT(i, 5);
    EXPECT_STREQ(quantity->name(), expected[i++]);
  }
  EXPECT_EQ(i, 5);
  EXPECT_TRUE(star.hasQuantity(quantity_bit::direction));
  EXPECT_FALSE(star.hasQuantity(quantity_bit::magnitude));
  EXPECT_EQ(star.findQuantity("Rise")->labelId(), 180);
  EXPECT_EQ(star.findQuantity(quantity_bit::set)->valueId(), 159);
}

TEST(StarBody, EquatorialPositionIsTheFixedOneUnconverted) {
  const Star star(0, 88.79, 7.41, 0.5f, GreekLetter(0), '0', orion);
  BodyState out;
  star.compute(quantity_bit::position, observerAtLatitude(50.0), out, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_EQ(out.position, AstCoord(88.79, 7.41, CoordSystem::Equatorial));
  EXPECT_EQ(star.equatorialPosition(), AstCoord(88.79, 7.41, CoordSystem::Equatorial));
}

TEST(StarBody, AStarAtDeclination80SeenFromLatitude20NeverSets) {
  const Star star(0, 30.0, 80.0, 2.0f, GreekLetter(0), '0', ursaMinor);
  BodyState out;
  star.compute(quantity_bit::rise | quantity_bit::set, observerAtLatitude(20.0), out, TimeKind::Lst,
               CoordSystem::Equatorial);
  EXPECT_FALSE(out.rise.isValid());
  EXPECT_FALSE(out.set.isValid());
}

TEST(StarBody, AStarOnTheEquatorIsUpForTwelveSiderealHours) {
  const Star star(0, 90.0, 0.0, 2.0f, GreekLetter(0), '0', orion);
  BodyState out;
  star.compute(quantity_bit::rise | quantity_bit::set, observerAtLatitude(48.0), out, TimeKind::Lst,
               CoordSystem::Equatorial);
  ASSERT_TRUE(out.rise.isValid());
  ASSERT_TRUE(out.set.isValid());
  EXPECT_NEAR(out.rise.getHours(), 0.0, 1e-6);   // 24 - 6 + 6, reduced once
  EXPECT_NEAR(out.set.getHours(), 12.0, 1e-6);   // 6 + 6
}

TEST(StarBody, ADirectionAloneLeavesThePositionAsItWas) {
  const Star star(0, 90.0, 0.0, 2.0f, GreekLetter(0), '0', orion);
  BodyState out;
  out.position = AstCoord(1.0, 2.0, CoordSystem::Galactic);
  star.compute(quantity_bit::direction, observerAtLatitude(48.0), out, TimeKind::Lct, CoordSystem::Horizontal);
  EXPECT_EQ(out.position, AstCoord(1.0, 2.0, CoordSystem::Galactic));
  EXPECT_GE(out.direction, 0.0);
  EXPECT_LT(out.direction, 360.0);
}

TEST(StarBody, FlagsZeroChangeNothing) {
  const Star star(0, 90.0, 20.0, 2.0f, GreekLetter(0), '0', orion);
  BodyState out;
  out.position = AstCoord(5.0, 6.0, CoordSystem::Ecliptical);
  out.direction = 123.0;
  const BodyState before = out;
  star.compute(0, observerAtLatitude(48.0), out, TimeKind::None, CoordSystem::None);
  EXPECT_EQ(out.position, before.position);
  EXPECT_EQ(out.direction, before.direction);
  EXPECT_EQ(out.rise, before.rise);
}

}  // namespace
}  // namespace noctavo
