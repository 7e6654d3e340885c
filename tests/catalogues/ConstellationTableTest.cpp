#include "catalogues/ConstellationTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "support/InternalErrorRecorder.h"

namespace noctavo {
namespace {

TEST(ConstellationTable, KeepsTheFixedOrderAndEveryEntryFitsItsSlots) {
  EXPECT_STREQ(constellationAbbreviation(12), "CVn");
  EXPECT_STREQ(constellationLatinName(13), "Canis Maior");
  EXPECT_STREQ(constellationEnglishName(44), "Lizard");
  EXPECT_STREQ(constellationAbbreviation(87), "Vul");
  std::set<std::string> abbreviations;
  for (int i = 0; i < constellationCount; ++i) {
    EXPECT_EQ(std::strlen(constellationAbbreviation(i)), 3u) << i;
    EXPECT_LT(std::strlen(constellationLatinName(i)), 20u) << i;
    EXPECT_LT(std::strlen(constellationEnglishName(i)), 20u) << i;
    abbreviations.insert(constellationAbbreviation(i));
    EXPECT_EQ(constellationIndexByAbbreviation(constellationAbbreviation(i)), i);
  }
  EXPECT_EQ(abbreviations.size(), 88u);
}

TEST(ConstellationTable, AnIndexOutsideTheTableIsAnInternalError) {
  testing::InternalErrorRecorder recorder;
  EXPECT_STREQ(constellationAbbreviation(88), "");
  EXPECT_STREQ(constellationLatinName(-1), "");
  EXPECT_STREQ(constellationEnglishName(88), "");
  EXPECT_STREQ(constellationName(1000), "");
  ASSERT_EQ(recorder.count(), 4u);
  EXPECT_EQ(recorder.modules()[0], "astcnst");
}

TEST(ConstellationTable, AbbreviationsIgnoreCaseAndNoMatchGivesMinusOneWithoutAReport) {
  EXPECT_EQ(constellationIndexByAbbreviation("ori"), 59);
  EXPECT_EQ(constellationIndexByAbbreviation("ORI"), 59);
  EXPECT_EQ(constellationIndexByAbbreviation("cmi"), 14);
  EXPECT_EQ(constellationIndexByAbbreviation("CMA"), 13);
  for (const std::string& text : {std::string("Orion"), std::string("Or"), std::string(), std::string("Ori\0", 4)}) {
    EXPECT_EQ(constellationIndexByAbbreviation(text), -1) << text;
  }
}

TEST(ConstellationTable, NamesFollowTheLanguageAndAnUnknownLanguageChangesNothing) {
  setConstellationLanguage(constellationLanguageEnglish);
  EXPECT_STREQ(constellationName(82), "Big Dipper");
  {
    testing::InternalErrorRecorder recorder;
    setConstellationLanguage(2);
    EXPECT_EQ(recorder.count(), 1u);
  }
  EXPECT_EQ(constellationLanguage(), constellationLanguageEnglish);
  setConstellationLanguage(constellationLanguageLatin);
  EXPECT_STREQ(constellationName(82), "Ursa Maior");
}

}  // namespace
}  // namespace noctavo
