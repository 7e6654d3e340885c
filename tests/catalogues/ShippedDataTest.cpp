// Checks over the data files that come with the program (data/): they must
// load without a single message and agree with the rules the readers and
// the views rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <filesystem>
#include <set>
#include <string>

#include "catalogues/CatalogueTestFiles.h"
#include "catalogues/Constellation.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"

namespace noctavo {
namespace {

using testing::andromeda;
using testing::orion;
using testing::ursaMinor;

// The folder the build copies the data into (set by CTest), or the source
// folder when the tests run on their own.
std::string shippedDataFolder() {
  if (const char* dir = std::getenv("NOCTAVO_DATA_DIR")) {
    if (std::filesystem::exists(std::filesystem::path(dir) / "Noctavo.sta")) return dir;
  }
  return (std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "data").lexically_normal().string();
}

class ShippedData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing::UserMessageRecorder messages;
    testing::InternalErrorRecorder errors;
    MemorySettingsStore settings;
    const std::string folder = shippedDataFolder();
    starsLoaded_ = loadStars(folder);
    figuresLoaded_ = loadConstellationFigures(folder, settings);
    ngcLoaded_ = loadNgcCatalogue(folder);
    messages_ = messages.all();
    internalErrors_ = errors.count();
  }
  static void TearDownTestSuite() {
    releaseNgcCatalogue();
    releaseStars();
    releaseConstellations();
  }

  static inline bool starsLoaded_ = false;
  static inline bool figuresLoaded_ = false;
  static inline bool ngcLoaded_ = false;
  static inline std::string messages_;
  static inline std::size_t internalErrors_ = 0;
};

TEST_F(ShippedData, LoadsCompletelyWithoutAnyMessageOrInternalError) {
  EXPECT_TRUE(starsLoaded_);
  EXPECT_TRUE(figuresLoaded_);
  EXPECT_TRUE(ngcLoaded_);
  EXPECT_EQ(messages_, "");
  EXPECT_EQ(internalErrors_, 0u);
}

TEST_F(ShippedData, HoldsTheNakedEyeStarsFromSiriusToMagnitudeSixAndAHalf) {
  EXPECT_GT(starCount(), 5000);
  EXPECT_LT(starCount(), 20000);
  float brightest = 99.0f;
  float faintest = -99.0f;
  for (int i = 0; i < starCount(); ++i) {
    brightest = std::min(brightest, starAt(i)->magnitude());
    faintest = std::max(faintest, starAt(i)->magnitude());
  }
  EXPECT_NEAR(brightest, -1.46f, 0.1f);  // Sirius
  EXPECT_LE(faintest, 6.5f);
  EXPECT_GT(faintest, 6.0f);
}

TEST_F(ShippedData, EveryStarLiesInTheSkyAndHasAConstellation) {
  for (int i = 0; i < starCount(); ++i) {
    const Star* star = starAt(i);
    ASSERT_GE(star->rightAscension(), 0.0) << i;
    ASSERT_LT(star->rightAscension(), 360.0) << i;
    ASSERT_LE(std::abs(star->declination()), 90.0) << i;
    ASSERT_LT(star->constellationIndex(), constellationCount) << i;
    ASSERT_GE(star->greekLetter(), -1) << i;
    ASSERT_LE(star->greekLetter(), 23) << i;  // the file names lower-case letters only
  }
}

TEST_F(ShippedData, BetelgeuseIsAlphaOrionis) {
  const Star* betelgeuse = findStarByName("Betelgeuse");
  ASSERT_NE(betelgeuse, nullptr);
  EXPECT_EQ(betelgeuse->greekLetter(), 0);
  EXPECT_EQ(betelgeuse->constellationIndex(), orion);
  EXPECT_EQ(constellationAt(orion)->findStarByLetter(0), betelgeuse);
  EXPECT_NEAR(betelgeuse->rightAscension(), 88.79, 0.5);
  EXPECT_NEAR(betelgeuse->declination(), 7.41, 0.2);
}

TEST_F(ShippedData, PolarisIsAlphaUrsaeMinoris) {
  const Star* polaris = findStarByName("Polaris");
  ASSERT_NE(polaris, nullptr);
  EXPECT_EQ(polaris->greekLetter(), 0);
  EXPECT_EQ(polaris->constellationIndex(), ursaMinor);
  EXPECT_GT(polaris->declination(), 89.0);
}

TEST_F(ShippedData, BoundarySearchAtTheStoredPositionFindsTheStoredConstellation) {
  // The boundary table is drawn in the catalogues' own frame (J2025.0), so
  // searching at a star's stored position must give the constellation the
  // file stores for it (found at generation from the official boundaries),
  // but for a few stars lying within arcseconds of a boundary.
  int mismatches = 0;
  for (int i = 0; i < starCount(); ++i) {
    const Star* star = starAt(i);
    const int found = constellationIndexAt(star->rightAscension() / 15.0, star->declination());
    ASSERT_GE(found, 0) << "no boundary line fits star " << i;
    if (found != star->constellationIndex()) ++mismatches;
  }
  RecordProperty("mismatches", mismatches);
  EXPECT_LE(mismatches, 5) << "of " << starCount();

  int ngcMismatches = 0;
  for (int i = 0; i < ngcCount(); ++i) {
    const NgcObject* object = ngcAt(i);
    const AstCoord at = object->position();
    if (constellationIndexAt(at.a() / 15.0, at.b()) != object->constellationIndex()) ++ngcMismatches;
  }
  RecordProperty("ngcMismatches", ngcMismatches);
  EXPECT_LE(ngcMismatches, 5) << "of " << ngcCount();
}

TEST_F(ShippedData, TheBoundaryTableCoversTheWholeSky) {
  for (double declination = -90.0; declination <= 90.0; declination += 0.5) {
    for (double hours = 0.0; hours < 24.0; hours += 0.05) {
      ASSERT_GE(constellationIndexAt(hours, declination), 0) << hours << "h " << declination;
    }
  }
}

TEST_F(ShippedData, NamedStarsHaveNonEmptyDistinctNames) {
  std::set<std::string> names;
  int cursor = 0;
  int named = 0;
  while (const Star* star = nextStar(cursor, true)) {
    ++named;
    const std::string name = star->getName();
    EXPECT_FALSE(name.empty());
    EXPECT_NE(name.front(), ' ') << name;
    EXPECT_TRUE(names.insert(name).second) << "duplicate star name " << name;
    EXPECT_EQ(findStarByName(name), star) << name;
  }
  EXPECT_GT(named, 100);
}

TEST_F(ShippedData, AlmostEveryConstellationHasAFigureOfItsOwnStars) {
  int withFigure = 0;
  for (int index = 0; index < constellationCount; ++index) {
    const Constellation* constellation = constellationAt(index);
    if (constellation->lineCount() > 0) ++withFigure;
    for (const FigureLine& line : constellation->lines()) {
      ASSERT_NE(starAt(line.fromStar), nullptr);
      ASSERT_NE(starAt(line.toStar), nullptr);
      EXPECT_EQ(starAt(line.fromStar)->constellationIndex(), index) << constellation->abbreviation();
      EXPECT_EQ(starAt(line.toStar)->constellationIndex(), index) << constellation->abbreviation();
      EXPECT_NE(line.fromStar, line.toStar) << constellation->abbreviation();
    }
  }
  // Leo Minor, Lynx and Vulpecula have one lettered star each, too few for
  // a figure drawn between lettered stars.
  EXPECT_GE(withFigure, 85);
}

TEST_F(ShippedData, EveryConstellationCanBeComputed) {
  // A constellation is computed through its alpha star; Leo Minor, Norma,
  // Puppis and Vela have none and go through their first letter instead.
  int withoutAlpha = 0;
  for (int index = 0; index < constellationCount; ++index) {
    const Constellation* constellation = constellationAt(index);
    ASSERT_NE(constellation->referenceStar(), nullptr) << constellation->abbreviation();
    if (constellation->starWithLetter(0) == nullptr) ++withoutAlpha;
  }
  RecordProperty("constellationsWithoutAlpha", withoutAlpha);
  EXPECT_EQ(withoutAlpha, 4);
}

TEST_F(ShippedData, TheAndromedaGalaxyIsNgc224InAndromeda) {
  const NgcObject* m31 = findNgcByName("NGC 224");
  ASSERT_NE(m31, nullptr);
  EXPECT_EQ(m31->constellationIndex(), andromeda);
  EXPECT_EQ(m31->typeClass(), 0);
  EXPECT_NE(m31->description().find("M 31"), std::string::npos) << m31->description();
  EXPECT_LT(m31->magnitude(), 5.0f);
}

TEST_F(ShippedData, NgcObjectsHaveDistinctNamesTypesAndConstellations) {
  EXPECT_GT(ngcCount(), 13000);
  std::set<std::string> names;
  for (int i = 0; i < ngcCount(); ++i) {
    const NgcObject* object = ngcAt(i);
    const std::string name = object->getName();
    EXPECT_FALSE(name.empty()) << i;
    EXPECT_TRUE(names.insert(name).second) << "duplicate NGC name " << name;
    EXPECT_GE(object->typeClass(), 0) << name;
    EXPECT_LT(object->typeClass(), ngcTypeCount) << name;
    EXPECT_NE(object->constellation(), nullptr) << name;
    // 9999 marks an unknown magnitude; the faintest known are about 21.
    const float magnitude = object->magnitude();
    EXPECT_TRUE(magnitude == 9999.0f || (magnitude > -2.0f && magnitude < 25.0f)) << name << " " << magnitude;
  }
}

}  // namespace
}  // namespace noctavo
