// The position tables of the sky map, the map position of every kind of
// object and the object under a click, over the catalogues that come with
// the program.
#include "sky/SkyPositions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/QuantityBits.h"
#include "catalogues/Constellation.h"
#include "catalogues/CoreServices.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "support/InternalErrorRecorder.h"
#include "time/AngleConstants.h"

namespace noctavo {
namespace {

constexpr MapType everyMapType[] = {MapType::Horizontal, MapType::Equatorial, MapType::Realistic};

// The folder the build copies the data into (set by CTest), or the source
// folder when the tests run on their own.
std::string shippedDataFolder() {
  if (const char* dir = std::getenv("NOCTAVO_DATA_DIR")) {
    if (std::filesystem::exists(std::filesystem::path(dir) / "Noctavo.sta")) return dir;
  }
  return (std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "data").lexically_normal().string();
}

// An evening in London.
Observer programObserver() {
  Observer observer;
  observer.dateTime = AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct);
  observer.location.latitude.set(51.5);
  observer.location.longitude.set(0.1);
  observer.location.timeZone = 0.0f;
  return observer;
}

// The Sky window's moment, browsed some hours on from the observer's.
Observer browsedObserver(int hours) {
  Observer observer = programObserver();
  observer.dateTime.addStep(StepUnit::Hours, hours);
  return observer;
}

AstCoord horizontalAt(const AstCoord& equatorial, const Observer& observer) {
  AstCoord coord = equatorial;
  convertCoord(coord, CoordSystem::Horizontal, observer);
  return coord;
}

AstCoord equatorialOf(const AstBody& body, const Observer& observer) {
  BodyState state;
  body.compute(quantity_bit::position, observer, state, TimeKind::Lct, CoordSystem::Equatorial);
  return state.position;
}

// Nothing but the stars takes part in a click.
SkySettings starsOnly(MapType mapType) {
  SkySettings settings;
  settings.mapType = mapType;
  settings.sunOn = 0;
  settings.moonOn = 0;
  settings.planetDisplayMode = PlanetDisplayMode::None;
  settings.ngcObjectsOn = 0;
  return settings;
}

// The direction the Sky window turns to when it is asked to show a
// position: the nearest azimuth step and the altitude step of the map.
SkyView viewTowards(MapType mapType, const AstCoord& position) {
  double lambda = std::trunc(position.a() / azimuthStep + 0.5) * azimuthStep;
  if (lambda >= 360.0) lambda -= 360.0;
  return {lambda, altitudeForStep(mapType, altitudeStepIndex(mapType, position.b()))};
}

class ShippedSky : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing::InternalErrorRecorder errors;
    MemorySettingsStore settings;
    const std::string folder = shippedDataFolder();
    loaded_ = loadStars(folder) && loadConstellationFigures(folder, settings) && loadNgcCatalogue(folder) &&
              errors.count() == 0;
  }
  static void TearDownTestSuite() {
    releaseNgcCatalogue();
    releaseStars();
    releaseConstellations();
  }
  void SetUp() override {
    ASSERT_TRUE(loaded_) << "the shipped catalogues did not load from " << shippedDataFolder();
    allocateSkyPositionTables(tables_);
  }

  static const Star& namedStar(const char* name) {
    const Star* star = findStarByName(name);
    if (star == nullptr) throw std::runtime_error(std::string("no star named ") + name);
    return *star;
  }

  static inline bool loaded_ = false;
  SkyPositionTables tables_;
  DisplayGeometry geometry_ = makeDisplayGeometry(768, 1.0);
};

TEST_F(ShippedSky, TablesHoldOneEntryPerStarAndNgcObject) {
  EXPECT_EQ(tables_.starHorizontal.size(), static_cast<std::size_t>(starCount()));
  EXPECT_EQ(tables_.ngcHorizontal.size(), static_cast<std::size_t>(ngcCount()));
  EXPECT_GT(starCount(), 5000);
  EXPECT_GT(ngcCount(), 5000);
}

TEST_F(ShippedSky, TurnsEveryStarAndNgcObjectAtTheWindowsMomentWhenStarsAreNotFixed) {
  const Observer sky = browsedObserver(3);
  computeSkyPositions(tables_, sky, programObserver(), false);
  for (int i = 0; i < starCount(); i += 37) {
    ASSERT_EQ(tables_.starHorizontal[static_cast<std::size_t>(i)], horizontalAt(starAt(i)->equatorialPosition(), sky))
        << "star " << i;
  }
  for (int i = 0; i < ngcCount(); i += 53) {
    ASSERT_EQ(tables_.ngcHorizontal[static_cast<std::size_t>(i)], horizontalAt(ngcAt(i)->position(), sky))
        << "NGC object " << i;
  }
  EXPECT_EQ(tables_.conversionObserver, sky);
}

TEST_F(ShippedSky, WithStarsFixedKeepsTheStarsWhereTheObserversMomentPutsThem) {
  const Observer program = programObserver();
  computeSkyPositions(tables_, browsedObserver(3), program, true);
  const std::vector<AstCoord> afterThreeHours = tables_.starHorizontal;
  computeSkyPositions(tables_, browsedObserver(-5), program, true);
  EXPECT_EQ(tables_.starHorizontal, afterThreeHours);
  const Star& sirius = namedStar("Sirius");
  EXPECT_EQ(tables_.starHorizontal[static_cast<std::size_t>(sirius.getIndex())],
            horizontalAt(sirius.equatorialPosition(), program));
}

TEST_F(ShippedSky, WithoutFixedStarsTheStarsTurnWithTheBrowsedMoment) {
  computeSkyPositions(tables_, browsedObserver(3), programObserver(), false);
  const AstCoord later = tables_.starHorizontal[static_cast<std::size_t>(namedStar("Vega").getIndex())];
  computeSkyPositions(tables_, browsedObserver(0), programObserver(), false);
  const AstCoord now = tables_.starHorizontal[static_cast<std::size_t>(namedStar("Vega").getIndex())];
  // Three hours turn the sky by about 45 degrees.
  EXPECT_GT(angularDistance(later, now) * degreesPerRadian, 10.0);
}

TEST_F(ShippedSky, WithStarsFixedTheSunMoonAndPlanetsStandWhereTheBrowsedMomentPutsThem) {
  const Observer sky = browsedObserver(30 * 24);  // a month on: the Sun has moved by 30 degrees
  const Observer program = programObserver();
  computeSkyPositions(tables_, sky, program, true);
  EXPECT_EQ(tables_.sunEquatorial, equatorialOf(theSun(), sky));
  EXPECT_EQ(tables_.moonEquatorial, equatorialOf(theMoon(), sky));
  EXPECT_GT(angularDistance(tables_.sunEquatorial, equatorialOf(theSun(), program)) * degreesPerRadian, 25.0);
  // ... and are turned into the horizon of the observer's moment, with the stars.
  EXPECT_EQ(tables_.sunHorizontal, horizontalAt(tables_.sunEquatorial, program));
  EXPECT_EQ(tables_.moonHorizontal, horizontalAt(tables_.moonEquatorial, program));
  for (int index = 0; index < allPlanetCount; ++index) {
    const auto slot = static_cast<std::size_t>(index);
    EXPECT_EQ(tables_.planetEquatorial[slot], equatorialOf(*planetByIndex(index), sky)) << index;
    EXPECT_EQ(tables_.planetHorizontal[slot], horizontalAt(tables_.planetEquatorial[slot], program)) << index;
  }
  EXPECT_EQ(tables_.conversionObserver.dateTime, program.dateTime);
}

TEST_F(ShippedSky, KeepsThePlanetsMagnitudesForTheirDots) {
  computeSkyPositions(tables_, programObserver(), programObserver(), false);
  EXPECT_LT(tables_.planetMagnitude[1], -3.0f);  // Venus
  EXPECT_GT(tables_.planetMagnitude[7], 10.0f);  // Pluto
}

TEST_F(ShippedSky, HorizontalAndRealisticMapsTakeThePositionsFromTheTables) {
  computeSkyPositions(tables_, programObserver(), programObserver(), false);
  const Star& rigel = namedStar("Rigel");
  for (MapType mapType : {MapType::Horizontal, MapType::Realistic}) {
    EXPECT_EQ(skyPosition(tables_, mapType, rigel), tables_.starHorizontal[static_cast<std::size_t>(rigel.getIndex())]);
    EXPECT_EQ(skyPosition(tables_, mapType, theSun()), tables_.sunHorizontal);
    EXPECT_EQ(skyPosition(tables_, mapType, theMoon()), tables_.moonHorizontal);
    EXPECT_EQ(skyPosition(tables_, mapType, *planetByIndex(4)), tables_.planetHorizontal[4]);
    EXPECT_EQ(skyPosition(tables_, mapType, *ngcAt(100)), tables_.ngcHorizontal[100]);
  }
}

TEST_F(ShippedSky, TheEquatorialMapRunsRightAscensionBackwards) {
  computeSkyPositions(tables_, programObserver(), programObserver(), false);
  const Star& rigel = namedStar("Rigel");
  EXPECT_EQ(skyPosition(tables_, MapType::Equatorial, rigel),
            AstCoord(360.0 - rigel.rightAscension(), rigel.declination(), CoordSystem::Equatorial));
  EXPECT_EQ(skyPosition(tables_, MapType::Equatorial, theSun()).a(), 360.0 - tables_.sunEquatorial.a());
  EXPECT_EQ(skyPosition(tables_, MapType::Equatorial, theMoon()).b(), tables_.moonEquatorial.b());
  EXPECT_EQ(skyPosition(tables_, MapType::Equatorial, *planetByIndex(2)).a(), 360.0 - tables_.planetEquatorial[2].a());
  const NgcObject& ngc = *ngcAt(100);
  EXPECT_EQ(skyPosition(tables_, MapType::Equatorial, ngc).a(), 360.0 - ngc.position().a());
}

TEST_F(ShippedSky, InTheEquatorialMapAStarAtRightAscension10StandsWhereAzimuth350Would) {
  const Star star(0, 10.0, 20.0, 3.0f, GreekLetter(GreekLetter::none), Star::noSuffix, 0);
  const AstCoord onMap = skyPosition(tables_, MapType::Equatorial, star);
  EXPECT_EQ(onMap.a(), 350.0);
  EXPECT_EQ(onMap.b(), 20.0);
  EXPECT_EQ(projectToScreen(0.0, 0.0, geometry_, onMap),
            projectToScreen(0.0, 0.0, geometry_, AstCoord(350.0, 20.0, CoordSystem::Horizontal)));
  // East is to the left: right ascension 20 (east of 10) stands left of it.
  const Star eastern(1, 20.0, 20.0, 3.0f, GreekLetter(GreekLetter::none), Star::noSuffix, 0);
  EXPECT_LT(projectToScreen(0.0, 0.0, geometry_, skyPosition(tables_, MapType::Equatorial, eastern)).x,
            projectToScreen(0.0, 0.0, geometry_, onMap).x);
}

TEST_F(ShippedSky, AConstellationStandsAtItsAlphaStar) {
  computeSkyPositions(tables_, programObserver(), programObserver(), false);
  const Constellation& orion = *findConstellationByAbbreviation("Ori");
  const Star& betelgeuse = namedStar("Betelgeuse");
  for (MapType mapType : everyMapType) {
    EXPECT_EQ(skyPosition(tables_, mapType, orion), skyPosition(tables_, mapType, betelgeuse));
  }
}

TEST_F(ShippedSky, AConstellationWithoutAlphaStarStandsAtTheStarThatStandsInForIt) {
  computeSkyPositions(tables_, programObserver(), programObserver(), false);
  const Constellation& leoMinor = *findConstellationByAbbreviation("LMi");
  ASSERT_NE(leoMinor.referenceStar(), nullptr);
  for (MapType mapType : everyMapType) {
    EXPECT_EQ(skyPosition(tables_, mapType, leoMinor), skyPosition(tables_, mapType, *leoMinor.referenceStar()));
  }
}

TEST_F(ShippedSky, TheEarthHasNoSkyPosition) {
  testing::InternalErrorRecorder errors;
  const AstCoord position = skyPosition(tables_, MapType::Horizontal, theEarth());
  EXPECT_FALSE(position.isValid());
  EXPECT_EQ(errors.modules(), std::vector<std::string>{"AST_SKY"});
}

TEST_F(ShippedSky, AMapTypeOutsideTheEnumerationIsAnInternalError) {
  testing::InternalErrorRecorder errors;
  EXPECT_FALSE(skyPosition(tables_, static_cast<MapType>(3), theSun()).isValid());
  SkySettings settings;
  settings.mapType = static_cast<MapType>(-1);
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, SkyView{}, 10, 10), nullptr);
  EXPECT_EQ(errors.modules(), (std::vector<std::string>{"AST_SKY", "AST_SKY"}));
}

TEST_F(ShippedSky, AClickOnABrightStarSelectsItInEveryMapType) {
  computeSkyPositions(tables_, programObserver(), programObserver(), false);
  const char* names[] = {"Sirius", "Betelgeuse", "Rigel", "Vega", "Arcturus", "Capella", "Procyon",
                         "Deneb", "Altair", "Polaris", "Canopus", "Antares", "Spica", "Fomalhaut"};
  for (MapType mapType : everyMapType) {
    SkySettings settings;  // Sun, Moon and the bright planets take part as well
    settings.mapType = mapType;
    for (const char* name : names) {
      const Star& star = namedStar(name);
      const AstCoord position = skyPosition(tables_, mapType, star);
      const SkyView view = viewTowards(mapType, position);
      const ProjectedPoint point = projectToScreen(view.lambda, view.phi, geometry_, position);
      ASSERT_TRUE(point.visible) << name << " in map " << static_cast<int>(mapType);
      EXPECT_EQ(findNearestObject(tables_, settings, geometry_, view, point.x, point.y), &star)
          << name << " in map " << static_cast<int>(mapType);
    }
  }
}

TEST_F(ShippedSky, AClickInEmptySkyStillSelectsTheNearestStar) {
  const Observer observer = programObserver();
  computeSkyPositions(tables_, observer, observer, false);
  const SkySettings settings = starsOnly(MapType::Realistic);
  const SkyView view{135.0, 30.0};
  // The emptiest spot of a coarse grid over the display, found by measuring
  // from every star, each turned into the horizon on its own.
  std::vector<AstCoord> stars;
  for (int i = 0; i < starCount(); ++i) stars.push_back(horizontalAt(starAt(i)->equatorialPosition(), observer));
  int bestX = 0;
  int bestY = 0;
  double emptiest = -1.0;
  const Star* expected = nullptr;
  for (int y = 40; y < geometry_.height; y += 80) {
    for (int x = 40; x < geometry_.width; x += 80) {
      const AstCoord clicked = screenToSky(view.lambda, view.phi, geometry_, x, y);
      double nearest = 100.0;
      int nearestIndex = -1;
      for (int i = 0; i < starCount(); ++i) {
        const double distance = angularDistance(clicked, stars[static_cast<std::size_t>(i)]);
        if (distance < nearest) {
          nearest = distance;
          nearestIndex = i;
        }
      }
      if (nearest > emptiest) {
        emptiest = nearest;
        bestX = x;
        bestY = y;
        expected = starAt(nearestIndex);
      }
    }
  }
  ASSERT_GT(emptiest * degreesPerRadian, 0.5) << "no empty spot on the display";
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, view, bestX, bestY), expected);
}

TEST_F(ShippedSky, WithStarsFixedAClickFindsTheStarWhereTheObserversMomentPutsIt) {
  const Observer program = programObserver();
  computeSkyPositions(tables_, browsedObserver(4), program, true);
  const Star& vega = namedStar("Vega");
  const AstCoord position = horizontalAt(vega.equatorialPosition(), program);
  const SkyView view = viewTowards(MapType::Horizontal, position);
  const ProjectedPoint point = projectToScreen(view.lambda, view.phi, geometry_, position);
  ASSERT_TRUE(point.visible);
  EXPECT_EQ(findNearestObject(tables_, starsOnly(MapType::Horizontal), geometry_, view, point.x, point.y), &vega);
  // Without fixed stars Vega has moved on with the browsed moment.
  computeSkyPositions(tables_, browsedObserver(4), program, false);
  EXPECT_NE(findNearestObject(tables_, starsOnly(MapType::Horizontal), geometry_, view, point.x, point.y), &vega);
}

// The tables are set by hand here, to put several candidates at the same
// distance from a click.
TEST_F(ShippedSky, ALaterCandidateWinsOnlyWhenStrictlyNearer) {
  computeSkyPositions(tables_, programObserver(), programObserver(), false);
  const Star& vega = namedStar("Vega");
  const AstCoord vegaPosition = tables_.starHorizontal[static_cast<std::size_t>(vega.getIndex())];
  const SkyView view = viewTowards(MapType::Horizontal, vegaPosition);
  const ProjectedPoint point = projectToScreen(view.lambda, view.phi, geometry_, vegaPosition);
  const AstCoord clicked = screenToSky(view.lambda, view.phi, geometry_, point.x, point.y);
  ASSERT_GT(angularDistance(clicked, vegaPosition), 0.0);

  SkySettings settings = starsOnly(MapType::Horizontal);
  settings.sunOn = 1;
  settings.moonOn = 1;
  settings.planetDisplayMode = PlanetDisplayMode::All;
  settings.ngcObjectsOn = 1;
  // Sun, Moon, a planet and an NGC object exactly where Vega is: as near,
  // not nearer, so the star found first stays.
  tables_.sunHorizontal = tables_.moonHorizontal = tables_.planetHorizontal[3] = tables_.ngcHorizontal[0] =
      vegaPosition;
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, view, point.x, point.y), &vega);

  // The Moon exactly on the click is nearer; the NGC object there too comes
  // later and is only as near.
  tables_.moonHorizontal = tables_.ngcHorizontal[0] = clicked;
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, view, point.x, point.y), &theMoon());
  settings.moonOn = 0;
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, view, point.x, point.y), ngcAt(0));
  settings.ngcObjectsOn = 0;
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, view, point.x, point.y), &vega);
}

TEST_F(ShippedSky, OnlyThePlanetsOfTheDisplayModeTakePart) {
  computeSkyPositions(tables_, programObserver(), programObserver(), false);
  const SkyView view{0.0, 30.0};
  const AstCoord clicked = screenToSky(view.lambda, view.phi, geometry_, 300, 300);
  tables_.planetHorizontal[6] = clicked;  // Neptune, not among the five bright planets
  SkySettings settings = starsOnly(MapType::Realistic);
  settings.planetDisplayMode = PlanetDisplayMode::Realistic;
  EXPECT_NE(findNearestObject(tables_, settings, geometry_, view, 300, 300), planetByIndex(6));
  settings.planetDisplayMode = PlanetDisplayMode::All;
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, view, 300, 300), planetByIndex(6));
  settings.planetDisplayMode = PlanetDisplayMode::None;
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, view, 300, 300)->getObjectType(), ObjectType::Star);
}

TEST_F(ShippedSky, ANearerSunIsFoundOnlyWhileItIsShown) {
  computeSkyPositions(tables_, programObserver(), programObserver(), false);
  const SkyView view = viewTowards(MapType::Realistic, tables_.sunHorizontal);
  const ProjectedPoint sun = projectToScreen(view.lambda, view.phi, geometry_, tables_.sunHorizontal);
  ASSERT_TRUE(sun.visible);
  SkySettings settings = starsOnly(MapType::Realistic);
  settings.sunOn = 1;
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, view, sun.x, sun.y), &theSun());
  settings.sunOn = 0;
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, view, sun.x, sun.y)->getObjectType(), ObjectType::Star);
}

// Nothing loaded, as before the catalogues are read.
TEST(NearestObjectWithoutCatalogues, IsNoneWhenNothingIsShownAndTheSunWhenItIs) {
  releaseNgcCatalogue();
  releaseStars();
  ASSERT_EQ(starCount(), 0);
  SkyPositionTables tables;
  allocateSkyPositionTables(tables);
  computeSkyPositions(tables, programObserver(), programObserver(), false);
  const DisplayGeometry geometry = makeDisplayGeometry(400, 1.0);
  SkySettings settings = starsOnly(MapType::Horizontal);
  EXPECT_EQ(findNearestObject(tables, settings, geometry, SkyView{}, 20, 30), nullptr);
  settings.sunOn = 1;
  EXPECT_EQ(findNearestObject(tables, settings, geometry, SkyView{}, 20, 30), &theSun());
}

}  // namespace
}  // namespace noctavo
