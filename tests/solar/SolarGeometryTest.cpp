// The Solar system view's arithmetic without a window: the orbits sampled
// at the start, the projection with its two scales, the body a click means,
// the zoom for a body, and the picture the painter makes of it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "solar/SolarGeometry.h"
#include "solar/SolarPainter.h"
#include "solar/SolarPositions.h"

namespace noctavo {
namespace {

constexpr int mars = 2, jupiter = 3, pluto = 7;

TEST(SolarOrbits, OneRevolutionIsSampledDailyInsideJupiterAndAboutADegreeAStepBeyond) {
  const SolarOrbits orbits = sampleSolarOrbits();
  // Inner bodies: one sample a day for a sidereal period; outer: about 360
  // steps, a few more where the whole-day step falls short of a degree.
  const struct { int entry; double samples, tolerance; } cases[] = {
      {0, 88, 2}, {1, 225, 2}, {earthEntry, 365, 2}, {mars, 687, 3},
      {jupiter, 365, 10}, {4, 365, 10}, {5, 365, 10}, {6, 365, 10}, {pluto, 365, 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(solarBody(c.entry).getName());
    const OrbitSamples& orbit = orbits[c.entry];
    EXPECT_NEAR(static_cast<double>(orbit.longitude.size()), c.samples, c.tolerance);
    EXPECT_EQ(orbit.longitude.size(), orbit.distanceAu.size());
  }
  EXPECT_EQ(orbitStepDays(planetByIndex(jupiter)->tropicalPeriod()), 12);
  EXPECT_EQ(orbitStepDays(planetByIndex(pluto)->tropicalPeriod()), 254);
  EXPECT_EQ(orbitStepDays(theEarth().tropicalPeriod()), 1);
}

// A body that stands still at longitude 0: its longitude never passes the
// first one again.
class StandingBody final : public AstBody {
 public:
  StandingBody() : AstBody("Standing", 0, ObjectType::Planet, noSymbol) {}
  void compute(std::uint32_t, const Observer&, BodyState& out, TimeKind, CoordSystem) const override {
    out.heliocentric = AstCoord(0.0, 0.0, CoordSystem::Ecliptical);
    out.distanceFromSun = 1.0;
  }
  std::span<const Quantity* const> quantities() const override { return {}; }
};

TEST(SolarOrbits, ABodyThatNeverComesRoundEndsItsSamplingAllTheSame) {
  const OrbitSamples orbit = sampleOrbit(StandingBody(), 1.0);
  EXPECT_GT(orbit.longitude.size(), 1000u);
  EXPECT_LT(orbit.longitude.size(), 10000u);
}

TEST(SolarProjection, EachAxisHasItsOwnWholePixelScaleSoAWideViewDrawsEllipses) {
  const SolarViewSize wide{1000, 500};  // zoom 8: 50 AU = 500 px across, 250 px up
  const struct { double longitude, distance; SolarPoint expected; } cases[] = {
      {0.0, 0.0, {500, 250, true}},     // the Sun at the centre
      {0.0, 10.0, {600, 250, true}},    // 10 px per AU across
      {90.0, 10.0, {500, 200, true}},   // 5 px per AU up
      {180.0, 50.0, {0, 250, true}},    // the left edge still counts as on the view
      {270.0, 51.0, {500, 505, false}}, // below the view: placed, not visible
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.longitude);
    EXPECT_EQ(projectSolar(c.longitude, c.distance, wide, largestZoom), c.expected);
  }
  // The Moon stands 10 pixels from the Earth in its own direction.
  const SolarViewSize square{600, 600};
  const SolarPoint earth = projectSolar(100.0, 1.0, square, 2);
  EXPECT_EQ(projectMoon(100.0, 1.0, 0.0, square, 2), (SolarPoint{earth.x + 10, earth.y, true}));
  EXPECT_EQ(projectMoon(100.0, 1.0, 90.0, square, 2), (SolarPoint{earth.x, earth.y - 10, true}));
  // Zoom steps outside the table read as its ends.
  EXPECT_EQ(zoomStep(-1).radiusAu, 0.5);
  EXPECT_EQ(zoomStep(12).radiusAu, 50.0);
}

TEST(SolarZoom, ABodyGetsTheStepThatShowsItMarsAndBeyondSkippingTheEarths) {
  const struct { const AstBody* body; int zoom; } cases[] = {
      {planetByIndex(jupiter), 4}, {planetByIndex(1), 1}, {&theMoon(), 2}, {&theEarth(), 2},
      {planetByIndex(mars), 3},    {planetByIndex(pluto), 8}, {&theSun(), 6}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body->getName());
    EXPECT_EQ(zoomForBody(*c.body, 6), c.zoom);
  }
}

// Places chosen by hand: Mars off a 400-pixel view at zoom 0, the others on it.
SolarPositions handPlaced() {
  SolarPositions at;
  for (int i = 0; i < solarEntryCount; ++i) {
    at.longitude[i] = 45.0 * i;
    at.distanceAu[i] = 0.3;
  }
  at.distanceAu[mars] = 1.5;
  at.longitude[earthEntry] = 0.0;
  at.distanceAu[earthEntry] = 0.45;
  at.moonLongitude = 90.0;
  return at;
}

TEST(SolarPicking, TheNearestCandidateWinsOffViewPlanetsAreNoneAndTheMoonOnlyWhenShown) {
  const SolarPositions at = handPlaced();
  const SolarViewSize view{400, 400};  // zoom 0: 400 px per AU
  const SolarPoint venus = projectSolar(at.longitude[1], at.distanceAu[1], view, 0);
  const SolarPoint earth = projectSolar(0.0, 0.45, view, 0);
  const SolarPoint marsAt = projectSolar(at.longitude[2], at.distanceAu[2], view, 0);
  const struct { int x, y; bool moonOn; const AstBody* expected; } cases[] = {
      {venus.x + 1, venus.y, true, planetByIndex(1)},
      {200, 200, true, &theSun()},
      {earth.x, earth.y - 9, true, &theMoon()},    // the Moon 10 px above the Earth
      {earth.x, earth.y - 9, false, &theEarth()},  // without it, the Earth
      {1000, 200, true, &theEarth()},              // far right of the view, the Earth is nearest
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected->getName());
    EXPECT_EQ(nearestSolarBody(at, view, 0, c.moonOn, c.x, c.y), c.expected);
  }
  // From step 5 on the Moon is not drawn, and a click beside the Earth means the Earth.
  SolarPositions far = at;
  far.distanceAu[earthEntry] = 15.0;
  const SolarPoint earthFar = projectSolar(0.0, 15.0, view, 6);
  EXPECT_EQ(nearestSolarBody(far, view, 6, true, earthFar.x, earthFar.y - 9), &theEarth());
  const SolarPoint earthNear = projectSolar(0.0, 15.0, view, 4);  // off the view: still a candidate
  EXPECT_EQ(nearestSolarBody(far, view, 4, true, earthNear.x, earthNear.y - 9), &theMoon());
  // Mars is off the view: a click on its place means another body.
  ASSERT_FALSE(marsAt.visible);
  EXPECT_NE(nearestSolarBody(at, view, 0, true, marsAt.x, marsAt.y), planetByIndex(mars));
}

QImage paint(const SolarOrbits& orbits, const SolarPositions& at, SolarViewSize view, int zoom) {
  QImage image(view.width, view.height, QImage::Format_RGB32);
  QPainter painter(&image);
  SolarPaintInput input{&orbits, &at, view, zoom, true, true, true};
  paintSolar(painter, input);
  return image;
}

TEST(SolarPainter, TheSunIsAYellowPlusAtTheCentreJupiterADotWhereProjectedAndTheMoonOnlyNearTheEarth) {
  const SolarOrbits orbits = sampleSolarOrbits();
  Observer moment;
  moment.dateTime = AstDateTime(1, 1, 2000, 0.0, TimeKind::Lct);
  const SolarPositions at = computeSolarPositions(moment);
  const SolarViewSize view{600, 600};
  const QImage outer = paint(orbits, at, view, 4);
  const QColor yellow(255, 255, 0), grey(192, 192, 192), moonGrey(128, 128, 128);
  for (const QPoint& p : {QPoint(300, 300), QPoint(299, 300), QPoint(301, 300), QPoint(300, 299), QPoint(300, 301)}) {
    EXPECT_EQ(outer.pixelColor(p), yellow) << p.x() << "," << p.y();
  }
  EXPECT_NE(outer.pixelColor(299, 299), yellow);  // a plus, not a square
  const SolarPoint jupiterAt = projectSolar(at.longitude[jupiter], at.distanceAu[jupiter], view, 4);
  ASSERT_TRUE(jupiterAt.visible);
  EXPECT_EQ(outer.pixelColor(jupiterAt.x, jupiterAt.y), grey);
  EXPECT_EQ(outer.pixelColor(jupiterAt.x + 1, jupiterAt.y), grey);

  const SolarPoint moonAt = projectMoon(at.longitude[earthEntry], at.distanceAu[earthEntry], at.moonLongitude, view, 2);
  ASSERT_TRUE(moonAt.visible);
  EXPECT_EQ(paint(orbits, at, view, 2).pixelColor(moonAt.x, moonAt.y), moonGrey);
  // From step 4 on the Moon is left out (the zoom's labels begin beyond the Earth).
  const SolarPoint moonOuter =
      projectMoon(at.longitude[earthEntry], at.distanceAu[earthEntry], at.moonLongitude, view, 6);
  EXPECT_NE(paint(orbits, at, view, 6).pixelColor(moonOuter.x, moonOuter.y), moonGrey);
}

}  // namespace
}  // namespace noctavo
