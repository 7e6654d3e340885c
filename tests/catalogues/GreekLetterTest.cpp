#include "catalogues/GreekLetter.h"

#include <gtest/gtest.h>

namespace noctavo {
namespace {

TEST(GreekLetters, CapitalsShareTheNameOfTheirLowerCaseLetterAndNoLetterIsQuestionMarks) {
  EXPECT_STREQ(GreekLetter(30).name(), "Eta");
  EXPECT_STREQ(GreekLetter(6).name(), "Eta");
  EXPECT_STREQ(GreekLetter(47).name(), "Omega");
  EXPECT_STREQ(GreekLetter().name(), "???");
  for (int index : {-1, -128, 48, 127}) {
    SCOPED_TRACE(index);
    EXPECT_STREQ(GreekLetter(index).name(), "???");
    EXPECT_STREQ(GreekLetter(index).abbreviation(), "???");
    EXPECT_EQ(GreekLetter(index).symbol(), '?');
  }
}

TEST(GreekLetters, EveryLetterIsFoundByItsOwnNameAndAbbreviationInBothCases) {
  for (int i = 0; i < GreekLetter::letterCount; ++i) {
    const GreekLetter letter(i);
    EXPECT_EQ(GreekLetter::fromName(letter.name(), false).index(), i);
    EXPECT_EQ(GreekLetter::fromName(letter.name(), true).index(), i + 24);
    EXPECT_EQ(GreekLetter::fromAbbreviation(letter.abbreviation(), false).index(), i);
    EXPECT_EQ(GreekLetter::fromAbbreviation(letter.abbreviation(), true).index(), i + 24);
  }
  EXPECT_EQ(GreekLetter::fromName("Omega", true).index(), 47);
  EXPECT_EQ(GreekLetter::fromAbbreviation("Pi", false).index(), 15);  // two-letter words stay whole
}

TEST(GreekLetters, LookupIsExactAndNoMatchStaysNoneWithTheCapitalFlag) {
  for (const char* text : {"alpha", "Alpha ", "", "P", "alp", "Xyz", "Digamma"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(GreekLetter::fromName(text, true).index(), -1);
    EXPECT_EQ(GreekLetter::fromAbbreviation(text, true).index(), -1);
  }
}

TEST(GreekLetters, SymbolsRunFrom0x7FAndSkip0xA7) {
  EXPECT_EQ(GreekLetter(0).symbol(), 0x7F);
  EXPECT_EQ(GreekLetter(39).symbol(), 0xA6);
  EXPECT_EQ(GreekLetter(40).symbol(), 0xA8);
  EXPECT_EQ(GreekLetter(47).symbol(), 0xAF);
}

}  // namespace
}  // namespace noctavo
