#include "bodies/AstBody.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyRegistry.h"
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
#define FIELD(bits, member) {bits, [](const BodyState& a, const BodyState& b) { return a.member == b.member; }}
const std::pair<std::uint32_t, SameField> fields[] = {
    FIELD(bit::angularSize, angularSize),       FIELD(bit::magnitude, magnitude),
    FIELD(bit::zodiacConstellation, constellationKey), FIELD(bit::zodiacSign, zodiacKey),
    FIELD(bit::direction, direction),           FIELD(bit::distanceFromEarth, distanceFromEarth),
    FIELD(bit::distanceFromSun, distanceFromSun), FIELD(bit::elongation, elongation),
    FIELD(bit::phase, phase),                   FIELD(bit::position, position),
    FIELD(bit::heliocentricLongitude | bit::heliocentricLatitude, heliocentric),
    FIELD(bit::ascendingNode, ascendingNode),   FIELD(bit::descendingNode, descendingNode),
    FIELD(bit::midnight, midnight),             FIELD(bit::ngcConstellation, ngcConstellation),
    FIELD(bit::rise, rise),                     FIELD(bit::set, set),
    FIELD(bit::twilightBegin, twilightBegin),   FIELD(bit::twilightEnd, twilightEnd)};
#undef FIELD

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

TEST(EveryBodyRequest, AnEmptyOrIncompleteRequestChangesNothingAndTheMoonIgnoresTwilightAndMidnight) {
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
  EXPECT_TRUE(sameFields(state, untouchedState()));
  // A position without a system or an event without a time kind is an
  // internal error and changes nothing.
  for (const AstBody* body : bodies) {
    for (std::uint32_t flag : {bit::longitude, bit::set}) {
      if (!body->hasQuantity(flag)) continue;
      InternalErrorRecorder recorder;
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

// One sweep over every body of the solar system: every quantity stays a
// number and every event a time of its own day, at the poles, at the edge
// of the polar day, in every time kind, every day of a year and at both
// ends of the calendar. (The Sun's interpolated events used to reach 24 h
// at 32 degrees south in early June, in sidereal time.)
TEST(EveryBody, EveryQuantityStaysANumberAndEveryEventATimeOfItsDay) {
  const CoordSystem systems[] = {CoordSystem::Equatorial, CoordSystem::Ecliptical, CoordSystem::Horizontal,
                                 CoordSystem::Galactic};
  std::vector<Observer> observers;
  for (double latitude : {-90.0, -89.99, -66.56, -32.0, 0.0, 51.5, 70.0, 89.99, 90.0}) {
    const bool daily = latitude == -32.0;
    forEachDay(observerAt(1, 1, 2024, 12.0, latitude), daily ? 1 : 5, daily ? 366 : 74,
               [&](const Observer& o) { observers.push_back(o); });
  }
  observers.push_back(observerAt(1, 1, 1, 0.0, 45.0, -170.0, 12.0f));
  observers.push_back(observerAt(1, 1, 1, 0.0, -45.0, 170.0, -11.5f));
  observers.push_back(observerAt(31, 12, 9999, 23.9, 45.0, 170.0, -11.5f, true));
  observers.push_back(observerAt(31, 12, 9999, 23.9, -45.0, 0.0, 12.0f));
  int sample = 0;
  for (const AstBody* body : solarSystemBodies()) {
    std::uint32_t everything = 0;
    for (const Quantity* q : body->quantities()) everything |= q->flag();
    if (body->hasQuantity(bit::longitude)) everything |= bit::position;
    for (const Observer& observer : observers)
      for (TimeKind kind : {TimeKind::Lst, TimeKind::Lct, TimeKind::Gmt}) {
        const BodyState s = computed(*body, everything, observer, kind, systems[sample++ % 4]);
        const std::string where = std::string(body->getName()) + " " + placeAndDate(observer);
        for (const Quantity* q : body->quantities()) {
          ASSERT_TRUE(std::isfinite(s.valueOf(q->flag()))) << where << " " << q->name();
        }
        for (const AstDateTime* event : {&s.rise, &s.set, &s.twilightBegin, &s.twilightEnd}) {
          expectInvalidOrTimeOfDay(*event, where);
        }
        ASSERT_TRUE(s.phase >= 0.0f && s.phase <= 100.0f) << where;
      }
  }
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

TEST(FinishStep, PositionInTheRequestedSystemDirectionZodiacKeysAndEventsInTheRequestedTimeKind) {
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
  // Event times come in the requested time kind.
  const BodyState sidereal = computed(body, bit::rise | bit::set, observer, TimeKind::Lst, CoordSystem::None);
  EXPECT_NEAR(sidereal.set.getHours(), 100.0 / 15.0 + 7.18551, 1e-4);
  AstDateTime expected = sidereal.set;
  convertTime(expected, TimeKind::Lct, observer.longitude(), observer.timeZone(), observer.daylightSaving);
  EXPECT_EQ(computed(body, bit::rise | bit::set, observer, TimeKind::Lct, CoordSystem::None).set, expected);
}

std::vector<std::string> namesOfAll(ObjectType type) {
  std::vector<std::string> names;
  int cursor = 0;
  while (const AstBody* body = nextBody(type, cursor)) names.push_back(body->getName());
  EXPECT_EQ(cursor, -1);
  return names;
}

TEST(BodyRegistry, WalksAndFindsTheBodiesOfTheSolarSystem) {
  int cursor = 0;
  EXPECT_EQ(namesOfAll(ObjectType::Sun), std::vector<std::string>{"Sun"});
  EXPECT_EQ(namesOfAll(ObjectType::Planet),
            (std::vector<std::string>{"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"}));
  // Single bodies whatever the name or index; planets by name in any case.
  EXPECT_EQ(bodyByName(ObjectType::Moon, ""), &theMoon());
  EXPECT_EQ(bodyByName(ObjectType::Planet, "MARS"), bodyByIndex(ObjectType::Planet, 2));
  InternalErrorRecorder recorder;
  EXPECT_EQ(bodyByName(ObjectType::Planet, "Vulcan"), nullptr);
  EXPECT_EQ(bodyByIndex(ObjectType::Planet, 8), nullptr);
  EXPECT_EQ(bodyByName(ObjectType::Unknown, "Sun"), nullptr);
  EXPECT_EQ(nextBody(ObjectType::Unknown, cursor), nullptr);
  EXPECT_EQ(recorder.count(), 4u);
  // Catalogue types find nothing, and report nothing, while none is loaded.
  for (ObjectType type : {ObjectType::Star, ObjectType::Constellation, ObjectType::NgcObject}) {
    EXPECT_EQ(bodyByName(type, "Sirius"), nullptr);
    EXPECT_TRUE(namesOfAll(type).empty());
  }
  EXPECT_EQ(recorder.count(), 4u);
}

}  // namespace
}  // namespace noctavo
