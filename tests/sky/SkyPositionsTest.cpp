// The position tables of the sky map, the map position of every kind of
// object and the object under a click, over the catalogues that come with
// the program.
#include "sky/SkyPositions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <string>
#include <vector>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/QuantityBits.h"
#include "sky/SkyWindowState.h"
#include "support/InternalErrorRecorder.h"
#include "support/ShippedData.h"
#include "time/AngleConstants.h"

namespace noctavo {
namespace {

constexpr MapType everyMapType[] = {MapType::Horizontal, MapType::Equatorial, MapType::Realistic};

// An evening in London, browsed some hours on in the Sky window.
Observer londonEvening(int hoursOn = 0) {
  Observer observer;
  observer.dateTime = AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct);
  observer.dateTime.addStep(StepUnit::Hours, hoursOn);
  observer.location.latitude.set(51.5);
  observer.location.longitude.set(0.1);
  observer.location.timeZone = 0.0f;
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

const Star& namedStar(const char* name) {
  const Star* star = findStarByName(name);
  if (star == nullptr) throw std::runtime_error(std::string("no star named ") + name);
  return *star;
}

class ShippedSky : public testing::ShippedCatalogueTest {
 protected:
  void SetUp() override {
    ShippedCatalogueTest::SetUp();
    allocateSkyPositionTables(tables_);
  }

  AstCoord& starEntry(const Star& star) { return tables_.starHorizontal[static_cast<std::size_t>(star.getIndex())]; }

  // The object found by a click on `position`, with the view turned to it
  // as the Sky window turns when it shows an object.
  const AstBody* clickOn(const SkySettings& settings, const AstCoord& position) {
    const SkyView view = viewTowards(settings.mapType, position);
    const ProjectedPoint point = projectToScreen(view.lambda, view.phi, geometry_, position);
    EXPECT_TRUE(point.visible);
    return findNearestObject(tables_, settings, geometry_, view, point.x, point.y);
  }

  SkyPositionTables tables_;
  DisplayGeometry geometry_ = makeDisplayGeometry(768, 1.0);
};

TEST_F(ShippedSky, TurnsEveryStarAndNgcObjectAtTheWindowsMoment) {
  ASSERT_EQ(tables_.starHorizontal.size(), static_cast<std::size_t>(starCount()));
  ASSERT_EQ(tables_.ngcHorizontal.size(), static_cast<std::size_t>(ngcCount()));
  const Observer sky = londonEvening(3);
  computeSkyPositions(tables_, sky, londonEvening(), false);
  for (int i = 0; i < starCount(); i += 37) {
    ASSERT_EQ(tables_.starHorizontal[static_cast<std::size_t>(i)], horizontalAt(starAt(i)->equatorialPosition(), sky))
        << "star " << i;
  }
  for (int i = 0; i < ngcCount(); i += 53) {
    ASSERT_EQ(tables_.ngcHorizontal[static_cast<std::size_t>(i)], horizontalAt(ngcAt(i)->position(), sky))
        << "NGC object " << i;
  }
  EXPECT_EQ(tables_.conversionObserver, sky);
  EXPECT_LT(tables_.planetMagnitude[1], -3.0f);  // Venus
  EXPECT_GT(tables_.planetMagnitude[7], 10.0f);  // Pluto
}

TEST_F(ShippedSky, WithStarsFixedTheStarsStandWhereTheObserversMomentPutsThem) {
  Observer program = londonEvening();
  program.daylightSaving = true;  // the browsed moments below are on standard time
  const Star& sirius = namedStar("Sirius");
  computeSkyPositions(tables_, londonEvening(3), program, true);
  const std::vector<AstCoord> afterThreeHours = tables_.starHorizontal;
  EXPECT_EQ(starEntry(sirius), horizontalAt(sirius.equatorialPosition(), program));
  computeSkyPositions(tables_, londonEvening(-5), program, true);
  EXPECT_EQ(tables_.starHorizontal, afterThreeHours);
  // Without the option three hours turn the sky by about 45 degrees.
  computeSkyPositions(tables_, londonEvening(3), program, false);
  EXPECT_GT(angularDistance(starEntry(sirius), afterThreeHours[static_cast<std::size_t>(sirius.getIndex())]) *
                degreesPerRadian,
            10.0);
}

TEST_F(ShippedSky, WithStarsFixedTheSunMoonAndPlanetsStandWhereTheBrowsedMomentPutsThem) {
  const Observer sky = londonEvening(30 * 24);  // a month on: the Sun has moved by 30 degrees
  const Observer program = londonEvening();
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

TEST_F(ShippedSky, HorizontalAndRealisticMapsTakeThePositionsFromTheTables) {
  computeSkyPositions(tables_, londonEvening(), londonEvening(), false);
  const Star& rigel = namedStar("Rigel");
  for (MapType mapType : {MapType::Horizontal, MapType::Realistic}) {
    EXPECT_EQ(skyPosition(tables_, mapType, rigel), starEntry(rigel));
    EXPECT_EQ(skyPosition(tables_, mapType, theSun()), tables_.sunHorizontal);
    EXPECT_EQ(skyPosition(tables_, mapType, theMoon()), tables_.moonHorizontal);
    EXPECT_EQ(skyPosition(tables_, mapType, *planetByIndex(4)), tables_.planetHorizontal[4]);
    EXPECT_EQ(skyPosition(tables_, mapType, *ngcAt(100)), tables_.ngcHorizontal[100]);
  }
}

TEST_F(ShippedSky, TheEquatorialMapRunsRightAscensionBackwardsEastToTheLeft) {
  computeSkyPositions(tables_, londonEvening(), londonEvening(), false);
  const Star& rigel = namedStar("Rigel");
  EXPECT_EQ(skyPosition(tables_, MapType::Equatorial, rigel),
            AstCoord(360.0 - rigel.rightAscension(), rigel.declination(), CoordSystem::Equatorial));
  EXPECT_EQ(skyPosition(tables_, MapType::Equatorial, theSun()).a(), 360.0 - tables_.sunEquatorial.a());
  EXPECT_EQ(skyPosition(tables_, MapType::Equatorial, theMoon()).b(), tables_.moonEquatorial.b());
  EXPECT_EQ(skyPosition(tables_, MapType::Equatorial, *planetByIndex(2)).a(), 360.0 - tables_.planetEquatorial[2].a());
  EXPECT_EQ(skyPosition(tables_, MapType::Equatorial, *ngcAt(100)).a(), 360.0 - ngcAt(100)->position().a());

  // Right ascension 10 stands where azimuth 350 would; 20 (east of it) to its left.
  const Star star(0, 10.0, 20.0, 3.0f, GreekLetter(GreekLetter::none), Star::noSuffix, 0);
  const Star eastern(1, 20.0, 20.0, 3.0f, GreekLetter(GreekLetter::none), Star::noSuffix, 0);
  const AstCoord onMap = skyPosition(tables_, MapType::Equatorial, star);
  EXPECT_EQ(onMap, AstCoord(350.0, 20.0, CoordSystem::Equatorial));
  EXPECT_EQ(projectToScreen(0.0, 0.0, geometry_, onMap),
            projectToScreen(0.0, 0.0, geometry_, AstCoord(350.0, 20.0, CoordSystem::Horizontal)));
  EXPECT_LT(projectToScreen(0.0, 0.0, geometry_, skyPosition(tables_, MapType::Equatorial, eastern)).x,
            projectToScreen(0.0, 0.0, geometry_, onMap).x);
}

TEST_F(ShippedSky, AConstellationStandsAtItsAlphaStarOrTheStarStandingInForIt) {
  computeSkyPositions(tables_, londonEvening(), londonEvening(), false);
  const Constellation& orion = *findConstellationByAbbreviation("Ori");
  const Constellation& leoMinor = *findConstellationByAbbreviation("LMi");  // no alpha star
  ASSERT_EQ(orion.referenceStar(), &namedStar("Betelgeuse"));
  ASSERT_NE(leoMinor.referenceStar(), nullptr);
  for (MapType mapType : everyMapType) {
    EXPECT_EQ(skyPosition(tables_, mapType, orion), skyPosition(tables_, mapType, *orion.referenceStar()));
    EXPECT_EQ(skyPosition(tables_, mapType, leoMinor), skyPosition(tables_, mapType, *leoMinor.referenceStar()));
  }
}

TEST_F(ShippedSky, TheEarthAndAMapTypeOutsideTheEnumerationAreInternalErrors) {
  testing::InternalErrorRecorder errors;
  EXPECT_FALSE(skyPosition(tables_, MapType::Horizontal, theEarth()).isValid());
  EXPECT_FALSE(skyPosition(tables_, static_cast<MapType>(3), theSun()).isValid());
  SkySettings settings;
  settings.mapType = static_cast<MapType>(-1);
  EXPECT_EQ(findNearestObject(tables_, settings, geometry_, SkyView{}, 10, 10), nullptr);
  EXPECT_EQ(errors.modules(), (std::vector<std::string>{"AST_SKY", "AST_SKY", "AST_SKY"}));
}

TEST_F(ShippedSky, AClickOnABrightStarSelectsItInEveryMapType) {
  computeSkyPositions(tables_, londonEvening(), londonEvening(), false);
  for (MapType mapType : everyMapType) {
    SkySettings settings;  // Sun, Moon and the bright planets take part as well
    settings.mapType = mapType;
    for (const char* name : {"Sirius", "Betelgeuse", "Rigel", "Vega", "Arcturus", "Capella", "Procyon", "Deneb",
                             "Altair", "Polaris", "Canopus", "Antares", "Spica", "Fomalhaut"}) {
      SCOPED_TRACE(::testing::Message() << name << " in map " << static_cast<int>(mapType));
      const Star& star = namedStar(name);
      EXPECT_EQ(clickOn(settings, skyPosition(tables_, mapType, star)), &star);
    }
  }
}

TEST_F(ShippedSky, AClickInEmptySkyStillSelectsTheNearestStar) {
  const Observer observer = londonEvening();
  computeSkyPositions(tables_, observer, observer, false);
  const SkyView view{135.0, 30.0};
  // The emptiest spot of a coarse grid over the display, found by measuring
  // from every star, each turned into the horizon on its own.
  std::vector<AstCoord> stars;
  for (int i = 0; i < starCount(); ++i) stars.push_back(horizontalAt(starAt(i)->equatorialPosition(), observer));
  const auto nearestStar = [&](const AstCoord& clicked) {
    std::pair<double, const Star*> nearest{100.0, nullptr};
    for (int i = 0; i < starCount(); ++i) {
      nearest = std::min(nearest, {angularDistance(clicked, stars[static_cast<std::size_t>(i)]), starAt(i)});
    }
    return nearest;
  };
  std::tuple<double, int, int, const Star*> emptiest{-1.0, 0, 0, nullptr};
  for (int y = 40; y < geometry_.height; y += 80) {
    for (int x = 40; x < geometry_.width; x += 80) {
      const auto [distance, star] = nearestStar(screenToSky(view.lambda, view.phi, geometry_, x, y));
      emptiest = std::max(emptiest, {distance, x, y, star});
    }
  }
  const auto [distance, x, y, expected] = emptiest;
  ASSERT_GT(distance * degreesPerRadian, 0.5) << "no empty spot on the display";
  EXPECT_EQ(findNearestObject(tables_, starsOnly(MapType::Realistic), geometry_, view, x, y), expected);
}

TEST_F(ShippedSky, WithStarsFixedAClickFindsTheStarWhereTheObserversMomentPutsIt) {
  const Observer program = londonEvening();
  const Star& vega = namedStar("Vega");
  const SkySettings settings = starsOnly(MapType::Horizontal);
  computeSkyPositions(tables_, londonEvening(4), program, true);
  EXPECT_EQ(clickOn(settings, horizontalAt(vega.equatorialPosition(), program)), &vega);
  // Without fixed stars Vega has moved on with the browsed moment.
  computeSkyPositions(tables_, londonEvening(4), program, false);
  EXPECT_NE(clickOn(settings, horizontalAt(vega.equatorialPosition(), program)), &vega);
}

// The tables are set by hand here, to put several candidates at the same
// distance from a click.
TEST_F(ShippedSky, ALaterCandidateWinsOnlyWhenStrictlyNearer) {
  computeSkyPositions(tables_, londonEvening(), londonEvening(), false);
  const Star& vega = namedStar("Vega");
  const AstCoord vegaPosition = starEntry(vega);
  const SkyView view = viewTowards(MapType::Horizontal, vegaPosition);
  const ProjectedPoint point = projectToScreen(view.lambda, view.phi, geometry_, vegaPosition);
  const AstCoord clicked = screenToSky(view.lambda, view.phi, geometry_, point.x, point.y);
  ASSERT_GT(angularDistance(clicked, vegaPosition), 0.0);
  const auto found = [&](const SkySettings& settings) {
    return findNearestObject(tables_, settings, geometry_, view, point.x, point.y);
  };

  SkySettings settings = starsOnly(MapType::Horizontal);
  settings.sunOn = 1;
  settings.moonOn = 1;
  settings.planetDisplayMode = PlanetDisplayMode::All;
  settings.ngcObjectsOn = 1;
  // Sun, Moon, a planet and an NGC object exactly where Vega is: as near,
  // not nearer, so the star found first stays.
  tables_.sunHorizontal = tables_.moonHorizontal = tables_.planetHorizontal[3] = tables_.ngcHorizontal[0] =
      vegaPosition;
  EXPECT_EQ(found(settings), &vega);
  // The Moon exactly on the click is nearer; the NGC object there too comes
  // later and is only as near.
  tables_.moonHorizontal = tables_.ngcHorizontal[0] = clicked;
  EXPECT_EQ(found(settings), &theMoon());
  settings.moonOn = 0;
  EXPECT_EQ(found(settings), ngcAt(0));
  settings.ngcObjectsOn = 0;
  EXPECT_EQ(found(settings), &vega);
}

TEST_F(ShippedSky, APositionMarkedInvalidIsNeverFound) {
  // -1000 degrees is 80 degrees to the trigonometry: a click at azimuth and
  // altitude 80 would find an invalid entry first if it were looked at.
  computeSkyPositions(tables_, londonEvening(), londonEvening(), false);
  const AstCoord invalid(-1000.0, -1000.0, CoordSystem::Horizontal);
  tables_.sunHorizontal = tables_.starHorizontal[0] = invalid;
  SkySettings settings = starsOnly(MapType::Horizontal);
  settings.sunOn = 1;
  const AstBody* found = clickOn(settings, AstCoord(80.0, 80.0, CoordSystem::Horizontal));
  ASSERT_NE(found, nullptr);
  EXPECT_TRUE(skyPosition(tables_, MapType::Horizontal, *found).isValid()) << found->getName();
}

TEST_F(ShippedSky, OnlyTheObjectsShownTakePart) {
  computeSkyPositions(tables_, londonEvening(), londonEvening(), false);
  SkySettings settings = starsOnly(MapType::Realistic);
  const SkyView view{0.0, 30.0};
  tables_.planetHorizontal[6] = screenToSky(view.lambda, view.phi, geometry_, 300, 300);  // Neptune
  const auto found = [&] { return findNearestObject(tables_, settings, geometry_, view, 300, 300); };
  settings.planetDisplayMode = PlanetDisplayMode::Realistic;  // the five bright planets only
  EXPECT_NE(found(), planetByIndex(6));
  settings.planetDisplayMode = PlanetDisplayMode::All;
  EXPECT_EQ(found(), planetByIndex(6));
  settings.planetDisplayMode = PlanetDisplayMode::None;
  EXPECT_EQ(found()->getObjectType(), ObjectType::Star);

  settings.sunOn = 1;
  EXPECT_EQ(clickOn(settings, tables_.sunHorizontal), &theSun());
  settings.sunOn = 0;
  EXPECT_EQ(clickOn(settings, tables_.sunHorizontal)->getObjectType(), ObjectType::Star);
}

// Nothing loaded, as before the catalogues are read.
TEST(NearestObjectWithoutCatalogues, IsNoneWhenNothingIsShownAndTheSunWhenItIs) {
  releaseNgcCatalogue();
  releaseStars();
  ASSERT_EQ(starCount(), 0);
  SkyPositionTables tables;
  allocateSkyPositionTables(tables);
  computeSkyPositions(tables, londonEvening(), londonEvening(), false);
  const DisplayGeometry geometry = makeDisplayGeometry(400, 1.0);
  SkySettings settings = starsOnly(MapType::Horizontal);
  EXPECT_EQ(findNearestObject(tables, settings, geometry, SkyView{}, 20, 30), nullptr);
  settings.sunOn = 1;
  EXPECT_EQ(findNearestObject(tables, settings, geometry, SkyView{}, 20, 30), &theSun());
}

}  // namespace
}  // namespace noctavo
