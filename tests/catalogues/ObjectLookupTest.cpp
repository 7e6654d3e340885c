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
      {"alpha2 Lib", "Zubenelgenubi II"}, {"Alp-2 Lib", "Zubenelgenubi II"}, {"alpha1 Lib", ""},
      {"Alp Ori", "Betelgeuse"},     {"ALPHA orion", "Betelgeuse"}, {"alpha Canis Major", "Sirius"},
      {"Alpha Centauri", "Rigil Kentaurus"}, {"beta Canis Majoris", "Mirzam"}, {"Orionis", "(none)"},
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
