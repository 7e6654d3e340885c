#include "bodies/AstBody.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyTestSupport.h"
#include "bodies/ObjectType.h"
#include "support/InternalErrorRecorder.h"

namespace noctavo {
namespace {

using namespace testing;
namespace bit = quantity_bit;

// A fixed equatorial position that computes the way a catalogue star does:
// the stored position, rising and setting of a fixed position, then the
// shared finishing step.
class FixedTestBody final : public AstBody {
 public:
  FixedTestBody(const char* name, double rightAscension, double declination)
      : AstBody(name, 0, ObjectType::Star, noSymbol), position_(rightAscension, declination, CoordSystem::Equatorial) {}

  void compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
               CoordSystem system) const override {
    if (!checkRequest(flags, timeKind, system)) return;
    if (flags & (bit::position | bit::direction | bit::zodiacConstellation | bit::zodiacSign)) out.position = position_;
    if (flags & (bit::rise | bit::set)) riseAndSetOfFixedPosition(position_, observer, out.rise, out.set);
    finish(flags, observer, out, timeKind, system);
  }
  std::span<const Quantity* const> quantities() const override { return list_; }

 private:
  AstCoord position_;
  DirectionQuantity direction_{"Direction", 0, 360, bit::direction, 202, 203};
  TimeOfDayQuantity rise_{"Rise", 0, 24, bit::rise, 180, 158};
  PhaseQuantity phase_{"Phase", 0, 100, bit::phase, 183, 161};
  // Ends early with a null entry, as null-terminated lists do.
  std::array<const Quantity*, 4> list_{&direction_, &rise_, nullptr, &phase_};
};

std::vector<const AstBody*> solarSystemBodies() {
  std::vector<const AstBody*> bodies = {&theSun(), &theMoon(), &theEarth()};
  for (int index = 0; index < 8; ++index) bodies.push_back(planetByIndex(index));
  return bodies;
}

Observer evening() { return observerAt(15, 6, 1995, 21.5, 40.0, 0.0, 1.0f); }

// Every field set to a value no computation produces, to see what changed.
BodyState untouchedState() {
  BodyState s;
  s.angularSize = 11.0f, s.magnitude = 12.0f, s.constellationKey = 13.0, s.zodiacKey = 14.0, s.direction = 15.0;
  s.distanceFromEarth = 16.0, s.distanceFromSun = 17.0, s.elongation = 18.0, s.phase = 19.0f;
  s.position = AstCoord(20.0, 21.0, CoordSystem::Galactic);
  s.heliocentric = AstCoord(22.0, 23.0, CoordSystem::Ecliptical);
  s.ascendingNode = 24.0, s.descendingNode = 25.0, s.midnight = 26.0, s.ngcConstellation = 27.0;
  s.rise = AstDateTime(2, 3, 1999, 4.0, TimeKind::Gst);
  s.set = AstDateTime(3, 4, 1999, 5.0, TimeKind::Gst);
  s.twilightBegin = AstDateTime(4, 5, 1999, 6.0, TimeKind::Gst);
  s.twilightEnd = AstDateTime(5, 6, 1999, 7.0, TimeKind::Gst);
  return s;
}

// Every field of the record with the quantity bits that write it (longitude
// and latitude share the position).
using SameField = bool (*)(const BodyState&, const BodyState&);
const std::pair<std::uint32_t, SameField> fields[] = {
    {bit::angularSize, [](const BodyState& a, const BodyState& b) { return a.angularSize == b.angularSize; }},
    {bit::magnitude, [](const BodyState& a, const BodyState& b) { return a.magnitude == b.magnitude; }},
    {bit::zodiacConstellation,
     [](const BodyState& a, const BodyState& b) { return a.constellationKey == b.constellationKey; }},
    {bit::zodiacSign, [](const BodyState& a, const BodyState& b) { return a.zodiacKey == b.zodiacKey; }},
    {bit::direction, [](const BodyState& a, const BodyState& b) { return a.direction == b.direction; }},
    {bit::distanceFromEarth,
     [](const BodyState& a, const BodyState& b) { return a.distanceFromEarth == b.distanceFromEarth; }},
    {bit::distanceFromSun,
     [](const BodyState& a, const BodyState& b) { return a.distanceFromSun == b.distanceFromSun; }},
    {bit::elongation, [](const BodyState& a, const BodyState& b) { return a.elongation == b.elongation; }},
    {bit::phase, [](const BodyState& a, const BodyState& b) { return a.phase == b.phase; }},
    {bit::position, [](const BodyState& a, const BodyState& b) { return a.position == b.position; }},
    {bit::heliocentricLongitude | bit::heliocentricLatitude,
     [](const BodyState& a, const BodyState& b) { return a.heliocentric == b.heliocentric; }},
    {bit::ascendingNode, [](const BodyState& a, const BodyState& b) { return a.ascendingNode == b.ascendingNode; }},
    {bit::descendingNode, [](const BodyState& a, const BodyState& b) { return a.descendingNode == b.descendingNode; }},
    {bit::midnight, [](const BodyState& a, const BodyState& b) { return a.midnight == b.midnight; }},
    {bit::ngcConstellation,
     [](const BodyState& a, const BodyState& b) { return a.ngcConstellation == b.ngcConstellation; }},
    {bit::rise, [](const BodyState& a, const BodyState& b) { return a.rise == b.rise; }},
    {bit::set, [](const BodyState& a, const BodyState& b) { return a.set == b.set; }},
    {bit::twilightBegin, [](const BodyState& a, const BodyState& b) { return a.twilightBegin == b.twilightBegin; }},
    {bit::twilightEnd, [](const BodyState& a, const BodyState& b) { return a.twilightEnd == b.twilightEnd; }}};

// True when every field not written by `written` is the same in both.
bool sameFields(const BodyState& a, const BodyState& b, std::uint32_t written = 0) {
  for (const auto& [bits, same] : fields)
    if ((bits & written) == 0 && !same(a, b)) return false;
  return true;
}

TEST(EveryBodyRequest, EachQuantityAskedAloneChangesItsOwnFieldAndNothingElse) {
  for (const AstBody* body : solarSystemBodies()) {
    for (const Quantity* quantity : body->quantities()) {
      SCOPED_TRACE(std::string(body->getName()) + ", " + quantity->name());
      BodyState state = untouchedState();
      const std::uint32_t flag = quantity->flag();
      body->compute(flag, evening(), state, TimeKind::Lct, CoordSystem::Equatorial);
      EXPECT_FALSE(sameFields(state, untouchedState()));
      // A planet's steps keep the distance they needed for its size or
      // brightness, and the phase they needed for the brightness.
      std::uint32_t written = flag;
      if (body->getObjectType() == ObjectType::Planet && (flag & (bit::angularSize | bit::magnitude))) {
        written |= bit::distanceFromEarth | (flag == bit::magnitude ? bit::phase : 0);
      }
      EXPECT_TRUE(sameFields(state, untouchedState(), written));
    }
  }
}

TEST(EveryBodyRequest, AnEmptyRequestChangesNothingAndTheMoonIgnoresTwilightAndMidnight) {
  FixedTestBody star("Star", 100.0, 20.0);
  std::vector<const AstBody*> bodies = solarSystemBodies();
  bodies.push_back(&star);
  for (const AstBody* body : bodies) {
    BodyState state = untouchedState();
    body->compute(0, evening(), state, TimeKind::None, CoordSystem::None);
    EXPECT_TRUE(sameFields(state, untouchedState())) << body->getName();
  }
  // Twilight and midnight once reached an internal error in the Moon.
  BodyState state = untouchedState();
  theMoon().compute(bit::twilightBegin | bit::twilightEnd | bit::midnight, evening(), state, TimeKind::Gmt,
                    CoordSystem::Equatorial);
  EXPECT_EQ(state.twilightBegin, untouchedState().twilightBegin);
  EXPECT_EQ(state.midnight, untouchedState().midnight);
}

TEST(EveryBodyRequest, APositionWithoutASystemOrAnEventWithoutATimeKindIsAnInternalErrorAndChangesNothing) {
  FixedTestBody star("Star", 100.0, 20.0);
  std::vector<const AstBody*> bodies = solarSystemBodies();
  bodies.push_back(&star);
  for (const AstBody* body : bodies) {
    for (std::uint32_t flag : {bit::longitude, bit::set}) {
      if (!body->hasQuantity(flag)) continue;
      InternalErrorRecorder recorder;
      BodyState state = untouchedState();
      body->compute(flag | bit::direction, evening(), state, flag == bit::set ? TimeKind::None : TimeKind::Lct,
                    flag == bit::set ? CoordSystem::Equatorial : CoordSystem::None);
      EXPECT_EQ(recorder.modules(), std::vector<std::string>{"astbody"}) << body->getName() << " " << flag;
      EXPECT_TRUE(sameFields(state, untouchedState())) << body->getName() << " " << flag;
    }
  }
}

TEST(EveryBodyRequest, TheDirectionIsThatOfTheObserversMomentWhenRiseAndSetAreAskedToo) {
  // The Object Information window asks for everything at once; the rise and
  // set must not move the direction to another time of day.
  for (const AstBody* body : solarSystemBodies()) {
    if (!body->hasQuantity(bit::rise)) continue;
    const BodyState combined = computed(*body, bit::direction | bit::rise | bit::set, evening());
    EXPECT_DOUBLE_EQ(combined.direction, computed(*body, bit::direction, evening()).direction) << body->getName();
    EXPECT_EQ(combined.rise, computed(*body, bit::rise, evening()).rise) << body->getName();
  }
}

TEST(BodyIdentity, SpotCheckOfSymbolsAndNamesKeptToTwentyCharactersComparedByteForByte) {
  EXPECT_EQ(theSun().symbol(), 177);
  EXPECT_EQ(theEarth().symbol(), 182);
  EXPECT_EQ(planetByIndex(7)->symbol(), 188);
  EXPECT_STREQ(FixedTestBody("A name of twenty-five chars", 0.0, 0.0).getName(), "A name of twenty-fiv");
  FixedTestBody vega("Vega", 279.23, 38.78), otherVega("Vega", 0.0, 0.0), lowerCase("vega", 279.23, 38.78);
  EXPECT_TRUE(sameBody(&vega, &otherVega));
  EXPECT_FALSE(sameBody(&vega, &lowerCase));
  EXPECT_FALSE(sameBody(&vega, nullptr));
}

std::string namesOf(const AstBody& body) {
  std::string names;
  for (const Quantity* q = body.firstQuantity(); q != nullptr; q = body.nextQuantity()) {
    names += q->name() + std::string(",");
  }
  return names;
}

TEST(BodyQuantities, EachBodyListsItsQuantitiesInItsOrderAndEqualNamesAgreeEverywhere) {
  EXPECT_EQ(namesOf(theSun()),
            "Angular size,Constellation,Sign of zodiac,Direction,Distance from Earth,Rise,Set,Twilight - begin,"
            "Twilight - end,Longitude,Latitude,Midnight,");
  EXPECT_EQ(namesOf(theMoon()),
            "Angular size,Constellation,Sign of zodiac,Direction,Distance from Earth,Phase,Rise,Set,Longitude,"
            "Latitude,Ascending node,Descending node,");
  EXPECT_EQ(namesOf(theEarth()), "Distance from Sun,Heliocentric longitude,Heliocentric latitude,");
  for (int index = 0; index < 8; ++index) {
    EXPECT_EQ(namesOf(*planetByIndex(index)),
              "Angular size,Magnitude,Constellation,Sign of zodiac,Direction,Distance from Earth,Distance from Sun,"
              "Elongation,Phase,Rise,Set,Longitude,Latitude,Heliocentric longitude,Heliocentric latitude,");
  }
  // The same quantity carries the same bit, range and controls in every
  // body; only distances have ranges and units of their own.
  std::map<std::string, const Quantity*> first;
  for (const AstBody* body : solarSystemBodies())
    for (const Quantity* q : body->quantities()) {
      const Quantity* seen = first.emplace(q->name(), q).first->second;
      const bool distance = dynamic_cast<const DistanceQuantity*>(q) != nullptr;
      EXPECT_TRUE(q->flag() == seen->flag() && q->labelId() == seen->labelId() && q->valueId() == seen->valueId() &&
                  q->minOf() == seen->minOf() && (distance || q->maxOf() == seen->maxOf()))
          << body->getName() << " " << q->name();
    }
  const auto inAu = [](const AstBody& body, std::uint32_t flag) {
    return dynamic_cast<const DistanceQuantity&>(*body.findQuantity(flag)).inAstronomicalUnits();
  };
  EXPECT_FALSE(inAu(theMoon(), bit::distanceFromEarth));
  EXPECT_EQ(theMoon().findQuantity(bit::distanceFromEarth)->maxOf(), 820000);  // km
  EXPECT_TRUE(inAu(theSun(), bit::distanceFromEarth) && inAu(theEarth(), bit::distanceFromSun) &&
              inAu(*planetByIndex(1), bit::distanceFromEarth));
  const Quantity& rise = *theSun().findQuantity("Rise");
  EXPECT_EQ(rise.flag(), bit::rise);
  EXPECT_EQ(rise.kindOf(), QuantityKind::TimeOfDay);
  EXPECT_EQ(rise.labelId(), 180);
}

TEST(BodyQuantities, LookupIsExactByLabelOrBitAndTheCursorStopsAtANullEntry) {
  FixedTestBody body("Body", 0.0, 0.0);
  ASSERT_NE(body.findQuantity("Rise"), nullptr);
  EXPECT_EQ(body.findQuantity("Rise")->flag(), bit::rise);
  EXPECT_EQ(body.findQuantity(bit::direction), body.findQuantity("Direction"));
  EXPECT_TRUE(body.hasQuantity(bit::direction));
  EXPECT_FALSE(body.hasQuantity(bit::position));  // two bits are no quantity
  EXPECT_EQ(namesOf(body), "Direction,Rise,");
  EXPECT_FALSE(body.hasQuantity(bit::phase));      // behind the null entry
  body.firstQuantity();
  body.nextQuantity();
  EXPECT_STREQ(body.firstQuantity()->name(), "Direction");  // starts over
  InternalErrorRecorder recorder;
  EXPECT_EQ(body.findQuantity("rise"), nullptr);
  EXPECT_EQ(body.findQuantity(bit::magnitude), nullptr);
  EXPECT_EQ(recorder.modules(), (std::vector<std::string>{"astbody", "astbody"}));
}

TEST(ObjectTypes, SevenNamesAreFoundExactlyAndEveryOtherTextIsUnknown) {
  const std::pair<const char*, ObjectType> names[] = {
      {"Sun", ObjectType::Sun},   {"Moon", ObjectType::Moon}, {"Planet", ObjectType::Planet},
      {"Earth", ObjectType::Earth}, {"Star", ObjectType::Star}, {"Constellation", ObjectType::Constellation},
      {"NGC object", ObjectType::NgcObject}};
  for (const auto& [name, type] : names) {
    EXPECT_EQ(objectTypeByName(name), type) << name;
    EXPECT_STREQ(objectTypeName(type), name);
  }
  for (const char* text : {"planet", "NGC Object", "Sun ", "", "Unknown"})
    EXPECT_EQ(objectTypeByName(text), ObjectType::Unknown) << text;
  EXPECT_STREQ(objectTypeName(ObjectType::Unknown), "Unknown");
  InternalErrorRecorder recorder;
  EXPECT_STREQ(objectTypeName(static_cast<ObjectType>(8)), "Unknown");
  EXPECT_EQ(recorder.modules(), std::vector<std::string>{"astobjt"});
}

TEST(FixedRiseAndSet, FollowTheSemiDiurnalArcInLocalSiderealTimeOnTheObserversDate) {
  // Declination 20 from latitude 40: cos H = -tan 40 tan 20, H = 7.18551 h
  // on either side of the transit at 100/15 h. The pi of eight digits makes
  // half a circle of hour angle about 0.6 ms short of 12 h.
  const double none = -1.0, exact = 1e-6, fiveDigits = 1e-4;
  const struct { double rightAscension, declination, latitude, rise, set, tolerance; } cases[] = {
      {45.0, 80.0, 20.0, none, none, 0.0},  // never sets
      {45.0, -80.0, 20.0, none, none, 0.0}, // never rises
      {100.0, std::nan(""), 40.0, none, none, 0.0},
      {100.0, 20.0, 40.0, 100.0 / 15.0 - 7.18551 + 24.0, 100.0 / 15.0 + 7.18551, fiveDigits},
      {300.0, 0.0, 0.0, 14.0, 2.0, exact},  // the set past sidereal midnight comes back into the day
      {200.0, 0.0, 51.5, 200.0 / 15.0 - 6.0, 200.0 / 15.0 + 6.0, exact},
      // Right ascensions outside one turn still give hours of the day.
      {-150.0, 0.0, 0.0, 8.0, 20.0, exact},
      {300.0 + 360.0e6, 0.0, 0.0, 14.0, 2.0, exact}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.declination) + " from latitude " + std::to_string(c.latitude));
    AstDateTime rise(TimeKind::Lst), set(TimeKind::Lst);
    const bool found = riseAndSetOfFixedPosition(AstCoord(c.rightAscension, c.declination, CoordSystem::Equatorial),
                                                 observerAt(15, 6, 1995, 21.5, c.latitude, 0.0, 1.0f), rise, set);
    EXPECT_EQ(found, c.rise != none);
    if (!found) {
      EXPECT_FALSE(rise.isValid() || set.isValid());
      continue;
    }
    EXPECT_NEAR(rise.getHours(), c.rise, c.tolerance);
    EXPECT_NEAR(set.getHours(), c.set, c.tolerance);
    EXPECT_EQ(rise.getKind(), TimeKind::Lst);
    EXPECT_EQ(set.formatDate(), "15.06.1995");
  }
}

TEST(FinishStep, PositionInTheRequestedSystemDirectionAndZodiacKeysFromCopies) {
  FixedTestBody body("Body", 100.0, 20.0);
  const Observer observer = observerAt(15, 6, 1995, 21.5, 40.0, -8.0, 1.0f);
  AstCoord horizontal(100.0, 20.0, CoordSystem::Equatorial);
  convertCoord(horizontal, CoordSystem::Horizontal, observer);

  const BodyState galactic = computed(body, bit::position | bit::direction | bit::zodiacConstellation |
                                                bit::zodiacSign, observer, TimeKind::Lct, CoordSystem::Galactic);
  EXPECT_EQ(galactic.position.system(), CoordSystem::Galactic);
  EXPECT_GT(std::fabs(galactic.position.a() - 100.0), 1.0);
  EXPECT_NEAR(galactic.constellationKey, 100.0, 1e-9);
  EXPECT_NEAR(galactic.zodiacKey, 100.0, 1e-9);
  EXPECT_DOUBLE_EQ(galactic.direction, horizontal.a());
  const BodyState equatorial = computed(body, bit::position, observer, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_EQ(equatorial.position, AstCoord(100.0, 20.0, CoordSystem::Equatorial));
  const BodyState ecliptical = computed(FixedTestBody("Solstice", 90.0, 0.0), bit::position, observer);
  EXPECT_NEAR(ecliptical.position.a(), 90.0, 1e-6);
  EXPECT_NEAR(ecliptical.position.b(), -23.441884, 1e-6);  // the fixed obliquity
  // Direction needs neither a system nor a time kind.
  EXPECT_DOUBLE_EQ(computed(body, bit::direction, observer, TimeKind::None, CoordSystem::None).direction,
                   horizontal.a());
}

TEST(FinishStep, EventTimesComeInTheRequestedTimeKind) {
  FixedTestBody body("Body", 100.0, 20.0);
  const Observer observer = observerAt(15, 6, 1995, 21.5, 40.0, -8.0, 1.0f);
  const BodyState sidereal = computed(body, bit::rise | bit::set, observer, TimeKind::Lst, CoordSystem::None);
  EXPECT_NEAR(sidereal.set.getHours(), 100.0 / 15.0 + 7.18551, 1e-4);
  const BodyState civil = computed(body, bit::rise | bit::set, observer, TimeKind::Lct, CoordSystem::None);
  EXPECT_EQ(civil.rise.getKind(), TimeKind::Lct);
  AstDateTime expected = sidereal.set;
  convertTime(expected, TimeKind::Lct, observer.longitude(), observer.timeZone(), observer.daylightSaving);
  EXPECT_EQ(civil.set, expected);
  EXPECT_NE(civil.set.getHours(), sidereal.set.getHours());
}

}  // namespace
}  // namespace noctavo
