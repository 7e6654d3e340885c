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

// Rigorous precession (IAU 1976, Lieske et al. 1977) of a position from the
// equinox J2025.0 of the star file to B1875.0, the equinox of the boundary
// table; full precision, as it only checks the data.
AstCoord precessJ2025ToB1875(double rightAscension, double declination) {
  constexpr double radians = std::numbers::pi / 180.0;
  constexpr double arcsecondsToRadians = radians / 3600.0;
  constexpr double julianDayJ2000 = 2451545.0;
  constexpr double julianDayJ2025 = 2451545.0 + 25.0 * 365.25;
  constexpr double julianDayB1875 = 2405889.258550475;
  const double startT = (julianDayJ2025 - julianDayJ2000) / 36525.0;
  const double t = (julianDayB1875 - julianDayJ2025) / 36525.0;
  const double rate = 2306.2181 + 1.39656 * startT - 0.000139 * startT * startT;
  const double zeta = (rate * t + (0.30188 - 0.000344 * startT) * t * t + 0.017998 * t * t * t) * arcsecondsToRadians;
  const double z = (rate * t + (1.09468 + 0.000066 * startT) * t * t + 0.018203 * t * t * t) * arcsecondsToRadians;
  const double theta = ((2004.3109 - 0.85330 * startT - 0.000217 * startT * startT) * t -
                        (0.42665 + 0.000217 * startT) * t * t - 0.041833 * t * t * t) *
                       arcsecondsToRadians;
  const double alpha = rightAscension * radians;
  const double delta = declination * radians;
  const double a = std::cos(delta) * std::sin(alpha + zeta);
  const double b = std::cos(theta) * std::cos(delta) * std::cos(alpha + zeta) - std::sin(theta) * std::sin(delta);
  const double c = std::sin(theta) * std::cos(delta) * std::cos(alpha + zeta) + std::cos(theta) * std::sin(delta);
  double precessedAlpha = (std::atan2(a, b) + z) / radians;
  if (precessedAlpha < 0.0) precessedAlpha += 360.0;
  if (precessedAlpha >= 360.0) precessedAlpha -= 360.0;
  return AstCoord(precessedAlpha, std::asin(c) / radians, CoordSystem::Equatorial);
}

TEST_F(ShippedData, StoredConstellationsAreThoseOfTheBoundaryTableAtItsEquinox) {
  // The boundaries are drawn for B1875.0, the star positions are of
  // J2025.0; the program applies no precession, so a search at the stored
  // position misses near every boundary (about a tenth of the stars; that
  // is why the file stores each star's constellation). Brought back to the
  // boundaries' equinox, every star must lie in its stored constellation,
  // but for rounding at a boundary line.
  int mismatchesAtB1875 = 0;
  int mismatchesAsStored = 0;
  for (int i = 0; i < starCount(); ++i) {
    const Star* star = starAt(i);
    const AstCoord old = precessJ2025ToB1875(star->rightAscension(), star->declination());
    const int found = constellationIndexAt(old.a() / 15.0, old.b());
    ASSERT_GE(found, 0) << "no boundary line fits star " << i;
    if (found != star->constellationIndex()) ++mismatchesAtB1875;
    if (constellationIndexAt(star->rightAscension() / 15.0, star->declination()) != star->constellationIndex()) {
      ++mismatchesAsStored;
    }
  }
  RecordProperty("mismatchesAtB1875", mismatchesAtB1875);
  RecordProperty("mismatchesAsStored", mismatchesAsStored);
  EXPECT_LE(mismatchesAtB1875, 5) << "of " << starCount();
  EXPECT_LT(mismatchesAsStored, starCount() / 5) << "of " << starCount();
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
