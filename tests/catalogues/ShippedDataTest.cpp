// The data files that come with the program must load without a single
// message and agree with the rules the readers and the views rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "catalogues/CatalogueTestFiles.h"
#include "support/ShippedData.h"

namespace noctavo {
namespace {

using testing::andromeda;
using testing::orion;
using testing::ursaMinor;

using ShippedData = testing::ShippedCatalogueTest;

TEST_F(ShippedData, HoldsTheNakedEyeStarsFromSiriusToMagnitudeSixAndAHalf) {
  EXPECT_GT(starCount(), 5000);
  EXPECT_LT(starCount(), 20000);
  float brightest = 99.0f;
  float faintest = -99.0f;
  for (int i = 0; i < starCount(); ++i) {
    const Star* star = starAt(i);
    brightest = std::min(brightest, star->magnitude());
    faintest = std::max(faintest, star->magnitude());
    ASSERT_GE(star->rightAscension(), 0.0) << i;
    ASSERT_LT(star->rightAscension(), 360.0) << i;
    ASSERT_LE(std::abs(star->declination()), 90.0) << i;
    ASSERT_LT(star->constellationIndex(), constellationCount) << i;
    ASSERT_GE(star->greekLetter(), -1) << i;
    ASSERT_LE(star->greekLetter(), 23) << i;  // the file names lower-case letters only
  }
  EXPECT_NEAR(brightest, -1.46f, 0.1f);  // Sirius
  EXPECT_LE(faintest, 6.5f);
  EXPECT_GT(faintest, 6.0f);
}

TEST_F(ShippedData, BetelgeuseAndPolarisAreTheAlphasOfOrionAndUrsaMinor) {
  const Star* betelgeuse = findStarByName("Betelgeuse");
  ASSERT_NE(betelgeuse, nullptr);
  EXPECT_EQ(constellationAt(orion)->findStarByLetter(0), betelgeuse);
  EXPECT_NEAR(betelgeuse->rightAscension(), 88.79, 0.5);
  EXPECT_NEAR(betelgeuse->declination(), 7.41, 0.2);
  const Star* polaris = findStarByName("Polaris");
  ASSERT_NE(polaris, nullptr);
  EXPECT_EQ(constellationAt(ursaMinor)->findStarByLetter(0), polaris);
  EXPECT_GT(polaris->declination(), 89.0);
}

// The boundary table is in the catalogues' own frame (J2025.0), so a search
// at a stored position must give the stored constellation, but for a few
// objects within arcseconds of a boundary.
TEST_F(ShippedData, BoundarySearchAtTheStoredPositionFindsTheStoredConstellation) {
  int mismatches = 0;
  for (int i = 0; i < starCount(); ++i) {
    const Star* star = starAt(i);
    const int found = constellationIndexAt(star->rightAscension() / 15.0, star->declination());
    ASSERT_GE(found, 0) << "no boundary line fits star " << i;
    if (found != star->constellationIndex()) ++mismatches;
  }
  EXPECT_LE(mismatches, 5) << "of " << starCount();

  int ngcMismatches = 0;
  for (int i = 0; i < ngcCount(); ++i) {
    const AstCoord at = ngcAt(i)->position();
    if (constellationIndexAt(at.a() / 15.0, at.b()) != ngcAt(i)->constellationIndex()) ++ngcMismatches;
  }
  EXPECT_LE(ngcMismatches, 5) << "of " << ngcCount();

  for (double declination = -90.0; declination <= 90.0; declination += 0.5) {
    for (double hours = 0.0; hours < 24.0; hours += 0.05) {
      ASSERT_GE(constellationIndexAt(hours, declination), 0) << "a hole at " << hours << "h " << declination;
    }
  }
}

TEST_F(ShippedData, NamedStarsHaveNonEmptyDistinctNames) {
  std::set<std::string> names;
  int cursor = 0;
  while (const Star* star = nextStar(cursor, true)) {
    const std::string name = star->getName();
    ASSERT_FALSE(name.empty());
    EXPECT_NE(name.front(), ' ') << name;
    EXPECT_TRUE(names.insert(name).second) << "duplicate star name " << name;
    EXPECT_EQ(findStarByName(name), star) << name;
  }
  EXPECT_GT(names.size(), 100u);
}

TEST_F(ShippedData, FiguresJoinStarsOfTheirOwnConstellationAndEveryConstellationCanBeComputed) {
  int withFigure = 0;
  int withoutAlpha = 0;
  for (int index = 0; index < constellationCount; ++index) {
    const Constellation* constellation = constellationAt(index);
    SCOPED_TRACE(constellation->abbreviation());
    if (constellation->lineCount() > 0) ++withFigure;
    for (const FigureLine& line : constellation->lines()) {
      ASSERT_NE(starAt(line.fromStar), nullptr);
      ASSERT_NE(starAt(line.toStar), nullptr);
      EXPECT_EQ(starAt(line.fromStar)->constellationIndex(), index);
      EXPECT_EQ(starAt(line.toStar)->constellationIndex(), index);
      EXPECT_NE(line.fromStar, line.toStar);
    }
    // Computed through the alpha star, or the first letter where none is.
    ASSERT_NE(constellation->referenceStar(), nullptr);
    if (constellation->starWithLetter(0) == nullptr) ++withoutAlpha;
  }
  // Leo Minor, Lynx and Vulpecula have one lettered star each, too few for a figure.
  EXPECT_GE(withFigure, 85);
  EXPECT_EQ(withoutAlpha, 4);  // Leo Minor, Norma, Puppis, Vela
}

TEST_F(ShippedData, NgcObjectsHaveDistinctNamesTypesAndConstellations) {
  EXPECT_GT(ngcCount(), 13000);
  std::set<std::string> names;
  for (int i = 0; i < ngcCount(); ++i) {
    const NgcObject* object = ngcAt(i);
    const std::string name = object->getName();
    ASSERT_FALSE(name.empty()) << i;
    EXPECT_TRUE(names.insert(name).second) << "duplicate NGC name " << name;
    EXPECT_GE(object->typeClass(), 0) << name;
    EXPECT_LT(object->typeClass(), ngcTypeCount) << name;
    EXPECT_NE(object->constellation(), nullptr) << name;
    // 9999 marks an unknown magnitude; the faintest known are about 21.
    const float magnitude = object->magnitude();
    EXPECT_TRUE(magnitude == 9999.0f || (magnitude > -2.0f && magnitude < 25.0f)) << name << " " << magnitude;
  }
  const NgcObject* m31 = findNgcByName("NGC 224");
  ASSERT_NE(m31, nullptr);
  EXPECT_EQ(m31->constellationIndex(), andromeda);
  EXPECT_EQ(m31->typeClass(), 0);
  EXPECT_NE(m31->description().find("M 31"), std::string::npos) << m31->description();
}

}  // namespace
}  // namespace noctavo
