#include "catalogues/GreekLetter.h"

#include <gtest/gtest.h>

#include <string>

namespace noctavo {
namespace {

TEST(GreekLetterNames, CapitalHasTheNameOfItsLowerCaseLetter) {
  EXPECT_STREQ(GreekLetter(30).name(), "Eta");
  EXPECT_STREQ(GreekLetter(6).name(), "Eta");
  EXPECT_STREQ(GreekLetter(47).name(), "Omega");
}

TEST(GreekLetterNames, NoLetterIsThreeQuestionMarks) {
  EXPECT_STREQ(GreekLetter(-1).name(), "???");
  EXPECT_STREQ(GreekLetter().name(), "???");
}

TEST(GreekLetterNames, IndicesOutsideTheTableAreNoLetter) {
  for (int index : {-128, -2, 48, 127}) {
    EXPECT_STREQ(GreekLetter(index).name(), "???") << index;
    EXPECT_STREQ(GreekLetter(index).abbreviation(), "???") << index;
    EXPECT_EQ(GreekLetter(index).symbol(), '?') << index;
  }
}

TEST(GreekLetterLookup, FromNameWithCapitalFlagOfOmegaIs47) {
  EXPECT_EQ(GreekLetter::fromName("Omega", true).index(), 47);
  EXPECT_EQ(GreekLetter::fromName("Omega", false).index(), 23);
}

TEST(GreekLetterLookup, NamesAndAbbreviationsAreComparedExactly) {
  EXPECT_EQ(GreekLetter::fromName("alpha", false).index(), -1);
  EXPECT_EQ(GreekLetter::fromName("Alpha ", false).index(), -1);
  EXPECT_EQ(GreekLetter::fromName("", false).index(), -1);
  EXPECT_EQ(GreekLetter::fromAbbreviation("alp", false).index(), -1);
  EXPECT_EQ(GreekLetter::fromAbbreviation("Alp", false).index(), 0);
}

TEST(GreekLetterLookup, NoMatchStaysNoneEvenWithCapitalFlag) {
  EXPECT_EQ(GreekLetter::fromAbbreviation("Xyz", true).index(), -1);
  EXPECT_EQ(GreekLetter::fromName("Digamma", true).index(), -1);
}

TEST(GreekLetterLookup, EveryLetterIsFoundByItsOwnNameAndAbbreviation) {
  for (int i = 0; i < GreekLetter::letterCount; ++i) {
    const GreekLetter letter(i);
    EXPECT_EQ(GreekLetter::fromName(letter.name(), false).index(), i);
    EXPECT_EQ(GreekLetter::fromAbbreviation(letter.abbreviation(), false).index(), i);
    EXPECT_EQ(GreekLetter::fromAbbreviation(letter.abbreviation(), true).index(), i + 24);
  }
}

TEST(GreekLetterLookup, TwoLetterAbbreviationsAreWholeWords) {
  EXPECT_EQ(GreekLetter::fromAbbreviation("Mu", false).index(), 11);
  EXPECT_EQ(GreekLetter::fromAbbreviation("Nu", false).index(), 12);
  EXPECT_EQ(GreekLetter::fromAbbreviation("Xi", false).index(), 13);
  EXPECT_EQ(GreekLetter::fromAbbreviation("Pi", false).index(), 15);
  EXPECT_EQ(GreekLetter::fromAbbreviation("P", false).index(), -1);
}

TEST(GreekLetterSymbols, RunFrom0x7FAndSkip0xA7) {
  EXPECT_EQ(GreekLetter(0).symbol(), 0x7F);
  EXPECT_EQ(GreekLetter(39).symbol(), 0xA6);
  EXPECT_EQ(GreekLetter(40).symbol(), 0xA8);
  EXPECT_EQ(GreekLetter(47).symbol(), 0xAF);
  for (int i = 0; i <= GreekLetter::lastIndex; ++i) EXPECT_NE(GreekLetter(i).symbol(), 0xA7) << i;
}

TEST(GreekLetterSymbols, NoLetterIsAQuestionMark) { EXPECT_EQ(GreekLetter(-1).symbol(), '?'); }

}  // namespace
}  // namespace noctavo
