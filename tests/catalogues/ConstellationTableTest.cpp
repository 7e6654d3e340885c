#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "catalogues/ConstellationTable.h"
#include "support/InternalErrorRecorder.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

// The language is program-wide; each test that changes it puts it back.
class ConstellationLanguageTest : public ::testing::Test {
 protected:
  void TearDown() override { setConstellationLanguage(previous_); }

 private:
  int previous_ = constellationLanguage();
};

TEST(ConstellationTable, KeepsTheFixedOrderOfTheFileFormats) {
  EXPECT_STREQ(constellationAbbreviation(0), "And");
  EXPECT_STREQ(constellationAbbreviation(12), "CVn");
  EXPECT_STREQ(constellationLatinName(13), "Canis Maior");
  EXPECT_STREQ(constellationEnglishName(44), "Lizard");
  EXPECT_STREQ(constellationAbbreviation(59), "Ori");
  EXPECT_STREQ(constellationLatinName(72), "Scorpio");
  EXPECT_STREQ(constellationEnglishName(81), "Toucana");
  EXPECT_STREQ(constellationAbbreviation(87), "Vul");
  EXPECT_STREQ(constellationLatinName(87), "Vulpecula");
  EXPECT_STREQ(constellationEnglishName(87), "Fox");
}

TEST(ConstellationTable, EveryEntryFitsItsSlots) {
  std::set<std::string> abbreviations;
  for (int i = 0; i < constellationCount; ++i) {
    EXPECT_EQ(std::strlen(constellationAbbreviation(i)), 3u) << i;
    EXPECT_LT(std::strlen(constellationLatinName(i)), 20u) << i;
    EXPECT_LT(std::strlen(constellationEnglishName(i)), 20u) << i;
    abbreviations.insert(constellationAbbreviation(i));
  }
  EXPECT_EQ(abbreviations.size(), 88u);
}

TEST(ConstellationTable, AnIndexOutsideTheTableIsAnInternalError) {
  InternalErrorRecorder recorder;
  EXPECT_STREQ(constellationAbbreviation(88), "");
  EXPECT_STREQ(constellationLatinName(-1), "");
  EXPECT_STREQ(constellationEnglishName(88), "");
  EXPECT_STREQ(constellationName(1000), "");
  ASSERT_EQ(recorder.count(), 4u);
  EXPECT_EQ(recorder.modules()[0], "astcnst");
}

TEST(ConstellationAbbreviationLookup, IgnoresLetterCase) {
  EXPECT_EQ(constellationIndexByAbbreviation("ori"), 59);
  EXPECT_EQ(constellationIndexByAbbreviation("ORI"), 59);
  EXPECT_EQ(constellationIndexByAbbreviation("Ori"), 59);
  EXPECT_EQ(constellationIndexByAbbreviation("cmi"), 14);
  EXPECT_EQ(constellationIndexByAbbreviation("CMA"), 13);
}

TEST(ConstellationAbbreviationLookup, GivesMinusOneWithoutAReportWhenNothingMatches) {
  EXPECT_EQ(constellationIndexByAbbreviation("Orion"), -1);
  EXPECT_EQ(constellationIndexByAbbreviation("Or"), -1);
  EXPECT_EQ(constellationIndexByAbbreviation(""), -1);
  EXPECT_EQ(constellationIndexByAbbreviation(std::string("Ori\0", 4)), -1);
}

TEST_F(ConstellationLanguageTest, NamesFollowTheLanguage) {
  setConstellationLanguage(constellationLanguageLatin);
  EXPECT_EQ(constellationLanguage(), 0);
  EXPECT_STREQ(constellationName(82), "Ursa Maior");
  setConstellationLanguage(constellationLanguageEnglish);
  EXPECT_EQ(constellationLanguage(), 1);
  EXPECT_STREQ(constellationName(82), "Big Dipper");
}

TEST_F(ConstellationLanguageTest, AnUnknownLanguageIsAnInternalErrorAndChangesNothing) {
  setConstellationLanguage(constellationLanguageEnglish);
  InternalErrorRecorder recorder;
  setConstellationLanguage(2);
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_EQ(constellationLanguage(), constellationLanguageEnglish);
}

}  // namespace
}  // namespace noctavo
