// Names people type into a name box, looked up in the shipped catalogues.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogues/ObjectLookup.h"
#include "support/ShippedData.h"

namespace noctavo {
namespace {

using ObjectLookup = testing::ShippedCatalogueTest;

std::string foundName(const std::string& typed) {
  const AstBody* body = findObjectByUserName(typed);
  return body ? std::string(body->getName()) : std::string("(none)");
}

TEST_F(ObjectLookup, FindsObjectsByTheNamesPeopleUse) {
  const std::string alpha(1, static_cast<char>(GreekLetter(0).symbol()));
  const std::string capitalAlpha(1, static_cast<char>(GreekLetter(24).symbol()));
  const struct {
    std::string typed;
    std::string found;
  } cases[] = {
      {"M 31", "NGC 224"},           {"M31", "NGC 224"},          {"m31", "NGC 224"},
      {"  m   31 ", "NGC 224"},      {"M 45", "M 45"},            {"M1", "NGC 1952"},
      {"Andromeda Galaxy", "NGC 224"}, {"orion nebula", "NGC 1976"}, {"Great Orion Nebula", "NGC 1976"},
      {"ngc224", "NGC 224"},         {"ic 434", "IC 434"},        {"Flame Nebula", "IC 434"},
      {"alpha Ori", "Betelgeuse"},   {alpha + " Ori", "Betelgeuse"}, {capitalAlpha + " ori", "Betelgeuse"},
      {"Alp Ori", "Betelgeuse"},     {"ALPHA orion", "Betelgeuse"}, {"alpha Canis Major", "Sirius"},
      {"sirius", "Sirius"},          {"Mars", "Mars"},            {"moon", "Moon"},
      {"Orion", "Orion"},            {"Big Dipper", "Ursa Maior"}, {"ursa major", "Ursa Maior"}, {"cma", "Canis Maior"},
      // A star without a proper name is found by its letter too.
      {"omega Ori", ""},
      // Parts of names, near misses and what the data does not hold.
      {"M 3", "NGC 5272"},           {"M 311", "(none)"},         {"Andromeda Gal", "(none)"},
      {"Nebula", "(none)"},          {"alpha", "(none)"},         {"alpha Xyz", "(none)"},
      {"alpha0 Ori", "(none)"},    {"alpha12 Ori", "(none)"},
      {"58 Ori", "(none)"},          {"", "(none)"},              {"   ", "(none)"},
      {"NGC 224 x", "(none)"},       {"M", "(none)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("typed \"" + c.typed + "\"");
    EXPECT_EQ(foundName(c.typed), c.found);
  }
}

TEST_F(ObjectLookup, ALetterDigitNamesThatComponentAndNoOther) {
  // Every star with a digit after its letter is found by it, in words and
  // in symbols; the same letter without the digit gives the first star of
  // that letter in the constellation.
  int checked = 0;
  for (int i = 0; i < starCount(); ++i) {
    const Star* star = starAt(i);
    const char digit = star->letterSuffix();
    if (digit < '1' || digit > '3' || star->greekLetter() < 0 || star->greekLetter() >= 24) continue;
    const GreekLetter letter(star->greekLetter());
    const std::string constellation = star->constellation()->abbreviation();
    const char superscript = digit == '1' ? '\xB9' : digit == '2' ? '\xB2' : '\xB3';
    SCOPED_TRACE(std::string(letter.name()) + digit + " " + constellation);
    EXPECT_EQ(findObjectByUserName(std::string(letter.name()) + digit + " " + constellation), star);
    EXPECT_EQ(findObjectByUserName(std::string(1, static_cast<char>(letter.symbol())) + superscript + " " +
                                   constellation),
              star);
    EXPECT_EQ(findObjectByUserName(std::string(letter.abbreviation()) + " " + constellation),
              star->constellation()->starWithLetter(letter.index()));
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

TEST(CatalogueNameOrder, NumbersSortByValueAndLettersWithoutCase) {
  std::vector<std::string> names = {"NGC 10", "IC 1009", "ngc 9", "IC 101", "M 45", "IC 2", "NGC 224", "IC 0101a"};
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return catalogueNameLess(a, b);
  });
  const std::vector<std::string> expected = {"IC 2",  "IC 101",  "IC 0101a", "IC 1009",
                                             "M 45", "ngc 9", "NGC 10",   "NGC 224"};
  EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace noctavo
