#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "bodies/AstBody.h"
#include "bodies/ObjectType.h"
#include "bodies/QuantityBits.h"
#include "support/InternalErrorRecorder.h"
#include "time/TimeSystems.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;
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
    if (flags & (bit::position | bit::direction | bit::zodiacConstellation | bit::zodiacSign)) {
      out.position = position_;
    }
    if (flags & (bit::rise | bit::set)) riseAndSetOfFixedPosition(position_, observer, out.rise, out.set);
    finish(flags, observer, out, timeKind, system);
  }

  std::span<const Quantity* const> quantities() const override { return list_; }

 private:
  AstCoord position_;
  DirectionQuantity direction_{"Direction", 0, 360, bit::direction, 202, 203};
  TimeOfDayQuantity rise_{"Rise", 0, 24, bit::rise, 180, 158};
  TimeOfDayQuantity set_{"Set", 0, 24, bit::set, 181, 159};
  LongitudeQuantity longitude_{"Longitude", 0, 360, bit::longitude, 124, 111};
  LatitudeQuantity latitude_{"Latitude", -90, 90, bit::latitude, 125, 112};
  std::array<const Quantity*, 5> list_{&direction_, &rise_, &set_, &longitude_, &latitude_};
};

// A body whose list ends early with a null entry, as the program's own
// null-terminated lists do.
class NullTerminatedTestBody final : public AstBody {
 public:
  NullTerminatedTestBody() : AstBody("Terminated", 0, ObjectType::Star, noSymbol) {}
  void compute(std::uint32_t, const Observer&, BodyState&, TimeKind, CoordSystem) const override {}
  std::span<const Quantity* const> quantities() const override { return list_; }

 private:
  PhaseQuantity phase_{"Phase", 0, 100, bit::phase, 183, 161};
  MagnitudeQuantity magnitude_{"Magnitude", -10, 10, bit::magnitude, 184, 162};
  std::array<const Quantity*, 3> list_{&phase_, nullptr, &magnitude_};
};

Observer observerAt(double latitude, double longitude = 0.0) {
  Observer observer;
  observer.dateTime = AstDateTime(15, 6, 1995, 21.5, TimeKind::Lct);
  observer.location.latitude.set(latitude);
  observer.location.longitude.set(longitude);
  observer.location.timeZone = 1.0f;
  return observer;
}

// Every field set to a value no computation produces, to see what changed.
BodyState untouchedState() {
  BodyState state;
  state.angularSize = 11.0f;
  state.magnitude = 12.0f;
  state.constellationKey = 13.0;
  state.zodiacKey = 14.0;
  state.direction = 15.0;
  state.distanceFromEarth = 16.0;
  state.distanceFromSun = 17.0;
  state.elongation = 18.0;
  state.phase = 19.0f;
  state.position = AstCoord(20.0, 21.0, CoordSystem::Galactic);
  state.heliocentric = AstCoord(22.0, 23.0, CoordSystem::Ecliptical);
  state.ascendingNode = 24.0;
  state.descendingNode = 25.0;
  state.midnight = 26.0;
  state.ngcConstellation = 27.0;
  state.rise = AstDateTime(2, 3, 1999, 4.0, TimeKind::Gst);
  state.set = AstDateTime(3, 4, 1999, 5.0, TimeKind::Gst);
  state.twilightBegin = AstDateTime(4, 5, 1999, 6.0, TimeKind::Gst);
  state.twilightEnd = AstDateTime(5, 6, 1999, 7.0, TimeKind::Gst);
  return state;
}

void expectSameState(const BodyState& actual, const BodyState& expected) {
  EXPECT_EQ(actual.angularSize, expected.angularSize);
  EXPECT_EQ(actual.magnitude, expected.magnitude);
  EXPECT_EQ(actual.constellationKey, expected.constellationKey);
  EXPECT_EQ(actual.zodiacKey, expected.zodiacKey);
  EXPECT_EQ(actual.direction, expected.direction);
  EXPECT_EQ(actual.distanceFromEarth, expected.distanceFromEarth);
  EXPECT_EQ(actual.distanceFromSun, expected.distanceFromSun);
  EXPECT_EQ(actual.elongation, expected.elongation);
  EXPECT_EQ(actual.phase, expected.phase);
  EXPECT_EQ(actual.position, expected.position);
  EXPECT_EQ(actual.heliocentric, expected.heliocentric);
  EXPECT_EQ(actual.ascendingNode, expected.ascendingNode);
  EXPECT_EQ(actual.descendingNode, expected.descendingNode);
  EXPECT_EQ(actual.midnight, expected.midnight);
  EXPECT_EQ(actual.ngcConstellation, expected.ngcConstellation);
  EXPECT_EQ(actual.rise, expected.rise);
  EXPECT_EQ(actual.set, expected.set);
  EXPECT_EQ(actual.twilightBegin, expected.twilightBegin);
  EXPECT_EQ(actual.twilightEnd, expected.twilightEnd);
}

// Sidereal hours between rising and the following setting.
double hoursAboveHorizon(const AstDateTime& rise, const AstDateTime& set) {
  double hours = set.getHours() - rise.getHours();
  if (hours < 0.0) hours += 24.0;
  return hours;
}

// The program turns degrees into radians with pi rounded to eight digits,
// so a half circle of hour angle comes out about 0.6 ms of time short of
// exactly 12 hours.
constexpr double programPiToleranceHours = 1e-6;

// --- Object types --------------------------------------------------------

TEST(ObjectTypeByName, FindsEachOfTheSevenNames) {
  EXPECT_EQ(objectTypeByName("Sun"), ObjectType::Sun);
  EXPECT_EQ(objectTypeByName("Moon"), ObjectType::Moon);
  EXPECT_EQ(objectTypeByName("Planet"), ObjectType::Planet);
  EXPECT_EQ(objectTypeByName("Earth"), ObjectType::Earth);
  EXPECT_EQ(objectTypeByName("Star"), ObjectType::Star);
  EXPECT_EQ(objectTypeByName("Constellation"), ObjectType::Constellation);
  EXPECT_EQ(objectTypeByName("NGC object"), ObjectType::NgcObject);
}

TEST(ObjectTypeByName, GivesUnknownForAnyOtherTextOrLetterCase) {
  EXPECT_EQ(objectTypeByName("planet"), ObjectType::Unknown);
  EXPECT_EQ(objectTypeByName("NGC Object"), ObjectType::Unknown);
  EXPECT_EQ(objectTypeByName("Sun "), ObjectType::Unknown);
  EXPECT_EQ(objectTypeByName(""), ObjectType::Unknown);
  EXPECT_EQ(objectTypeByName("Unknown"), ObjectType::Unknown);
}

TEST(ObjectTypeName, NamesEveryTypeAndTheFailedLookup) {
  EXPECT_STREQ(objectTypeName(ObjectType::NgcObject), "NGC object");
  EXPECT_STREQ(objectTypeName(ObjectType::Earth), "Earth");
  EXPECT_STREQ(objectTypeName(ObjectType::Unknown), "Unknown");
}

TEST(ObjectTypeName, ReportsAValueOutsideTheEnumeration) {
  InternalErrorRecorder recorder;
  EXPECT_STREQ(objectTypeName(static_cast<ObjectType>(8)), "Unknown");
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "astobjt");
}

// --- Names and identity --------------------------------------------------

TEST(BodyName, KeepsAtMostTwentyCharacters) {
  FixedTestBody body("A name of twenty-five chars", 0.0, 0.0);
  EXPECT_STREQ(body.getName(), "A name of twenty-fiv");
}

TEST(SameBody, ComparesTheNamesByteForByte) {
  FixedTestBody vega("Vega", 279.23, 38.78);
  FixedTestBody otherVega("Vega", 0.0, 0.0);
  FixedTestBody lowerCase("vega", 279.23, 38.78);
  EXPECT_TRUE(sameBody(&vega, &otherVega));
  EXPECT_FALSE(sameBody(&vega, &lowerCase));
  EXPECT_FALSE(sameBody(&vega, nullptr));
}

// --- Quantity lists ------------------------------------------------------

TEST(FindQuantity, FindsByExactLabelAndByBit) {
  FixedTestBody body("Body", 0.0, 0.0);
  const Quantity* rise = body.findQuantity("Rise");
  ASSERT_NE(rise, nullptr);
  EXPECT_EQ(rise->flag(), bit::rise);
  EXPECT_EQ(body.findQuantity(bit::latitude), body.findQuantity("Latitude"));
}

TEST(FindQuantity, ReportsALabelInAnotherLetterCase) {
  FixedTestBody body("Body", 0.0, 0.0);
  InternalErrorRecorder recorder;
  EXPECT_EQ(body.findQuantity("rise"), nullptr);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "astbody");
}

TEST(FindQuantity, ReportsABitTheBodyDoesNotPublish) {
  FixedTestBody body("Body", 0.0, 0.0);
  InternalErrorRecorder recorder;
  EXPECT_EQ(body.findQuantity(bit::phase), nullptr);
  EXPECT_EQ(recorder.count(), 1u);
}

TEST(HasQuantity, AnswersWithoutAnyReport) {
  FixedTestBody body("Body", 0.0, 0.0);
  EXPECT_TRUE(body.hasQuantity(bit::direction));
  EXPECT_FALSE(body.hasQuantity(bit::phase));
  EXPECT_FALSE(body.hasQuantity(bit::position));  // two bits are no quantity
}

TEST(QuantityCursor, WalksTheListInOrderThenGivesNull) {
  FixedTestBody body("Body", 0.0, 0.0);
  std::vector<std::string> labels;
  for (const Quantity* q = body.firstQuantity(); q != nullptr; q = body.nextQuantity()) labels.push_back(q->name());
  EXPECT_EQ(labels, (std::vector<std::string>{"Direction", "Rise", "Set", "Longitude", "Latitude"}));
  EXPECT_EQ(body.nextQuantity(), nullptr);
}

TEST(QuantityCursor, FirstStartsOverAfterAPartialWalk) {
  FixedTestBody body("Body", 0.0, 0.0);
  body.firstQuantity();
  body.nextQuantity();
  body.nextQuantity();
  EXPECT_STREQ(body.firstQuantity()->name(), "Direction");
  EXPECT_STREQ(body.nextQuantity()->name(), "Rise");
}

TEST(QuantityCursor, StopsAtANullEntry) {
  NullTerminatedTestBody body;
  EXPECT_STREQ(body.firstQuantity()->name(), "Phase");
  EXPECT_EQ(body.nextQuantity(), nullptr);
  EXPECT_FALSE(body.hasQuantity(bit::magnitude));
}

// --- Rising and setting of a fixed position ------------------------------

TEST(FixedRiseAndSet, AStarNearThePoleNeverSetsFromLatitudeTwenty) {
  AstDateTime rise(TimeKind::Lst);
  AstDateTime set(TimeKind::Lst);
  EXPECT_FALSE(riseAndSetOfFixedPosition(AstCoord(45.0, 80.0, CoordSystem::Equatorial), observerAt(20.0), rise, set));
  EXPECT_FALSE(rise.isValid());
  EXPECT_FALSE(set.isValid());
}

TEST(FixedRiseAndSet, AStarFarSouthNeverRisesFromLatitudeTwenty) {
  AstDateTime rise(TimeKind::Lst);
  AstDateTime set(TimeKind::Lst);
  EXPECT_FALSE(
      riseAndSetOfFixedPosition(AstCoord(45.0, -80.0, CoordSystem::Equatorial), observerAt(20.0), rise, set));
  EXPECT_FALSE(rise.isValid());
  EXPECT_FALSE(set.isValid());
}

TEST(FixedRiseAndSet, AStarOnTheEquatorIsUpForTwelveSiderealHours) {
  for (double latitude : {-60.0, 0.0, 20.0, 51.5}) {
    AstDateTime rise;
    AstDateTime set;
    ASSERT_TRUE(riseAndSetOfFixedPosition(AstCoord(200.0, 0.0, CoordSystem::Equatorial), observerAt(latitude),
                                          rise, set));
    EXPECT_NEAR(hoursAboveHorizon(rise, set), 12.0, programPiToleranceHours) << "latitude " << latitude;
  }
}

TEST(FixedRiseAndSet, MatchesTheSemiDiurnalArcAtLatitudeForty) {
  // Declination 20 from latitude 40: cos H = -tan 40 tan 20, H = 107.7827
  // degrees = 7.18551 hours on either side of the transit at 100/15 hours.
  AstDateTime rise;
  AstDateTime set;
  ASSERT_TRUE(
      riseAndSetOfFixedPosition(AstCoord(100.0, 20.0, CoordSystem::Equatorial), observerAt(40.0), rise, set));
  EXPECT_NEAR(rise.getHours(), 100.0 / 15.0 - 7.18551 + 24.0, 1e-4);
  EXPECT_NEAR(set.getHours(), 100.0 / 15.0 + 7.18551, 1e-4);
}

TEST(FixedRiseAndSet, GivesLocalSiderealTimesOnTheObserversDate) {
  AstDateTime rise;
  AstDateTime set;
  ASSERT_TRUE(riseAndSetOfFixedPosition(AstCoord(100.0, 20.0, CoordSystem::Equatorial), observerAt(40.0), rise, set));
  EXPECT_EQ(rise.getKind(), TimeKind::Lst);
  EXPECT_EQ(set.getKind(), TimeKind::Lst);
  EXPECT_EQ(rise.getDay(), 15);
  EXPECT_EQ(set.getMonth(), 6);
  EXPECT_EQ(set.getYear(), 1995);
}

TEST(FixedRiseAndSet, BringsTimesPastMidnightBackIntoTheDay) {
  // Right ascension 300 degrees = 20 h: setting 6 h later is 2 h sidereal.
  AstDateTime rise;
  AstDateTime set;
  ASSERT_TRUE(riseAndSetOfFixedPosition(AstCoord(300.0, 0.0, CoordSystem::Equatorial), observerAt(0.0), rise, set));
  EXPECT_NEAR(set.getHours(), 2.0, programPiToleranceHours);
  EXPECT_NEAR(rise.getHours(), 14.0, programPiToleranceHours);
}

TEST(FixedRiseAndSet, ADeclinationThatIsNoNumberGivesNoEvents) {
  AstDateTime rise;
  AstDateTime set;
  EXPECT_FALSE(riseAndSetOfFixedPosition(AstCoord(100.0, std::nan(""), CoordSystem::Equatorial), observerAt(40.0),
                                         rise, set));
  EXPECT_FALSE(rise.isValid());
  EXPECT_FALSE(set.isValid());
}

// --- Request checks ------------------------------------------------------

TEST(ComputeRequest, APositionWithoutACoordinateSystemIsAnInternalErrorAndChangesNothing) {
  FixedTestBody body("Body", 100.0, 20.0);
  BodyState state = untouchedState();
  InternalErrorRecorder recorder;
  body.compute(bit::longitude | bit::direction, observerAt(40.0), state, TimeKind::Lct, CoordSystem::None);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "astbody");
  expectSameState(state, untouchedState());
}

TEST(ComputeRequest, AnEventTimeWithoutATimeKindIsAnInternalErrorAndChangesNothing) {
  FixedTestBody body("Body", 100.0, 20.0);
  BodyState state = untouchedState();
  InternalErrorRecorder recorder;
  body.compute(bit::set, observerAt(40.0), state, TimeKind::None, CoordSystem::Equatorial);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "astbody");
  expectSameState(state, untouchedState());
}

TEST(ComputeRequest, DirectionNeedsNeitherSystemNorTimeKind) {
  FixedTestBody body("Body", 100.0, 20.0);
  BodyState state = untouchedState();
  body.compute(bit::direction, observerAt(40.0), state, TimeKind::None, CoordSystem::None);
  EXPECT_NE(state.direction, untouchedState().direction);
}

TEST(ComputeRequest, NoFlagsChangeNothing) {
  FixedTestBody body("Body", 100.0, 20.0);
  BodyState state = untouchedState();
  body.compute(0, observerAt(40.0), state, TimeKind::None, CoordSystem::None);
  expectSameState(state, untouchedState());
}

// --- Finishing a computation ---------------------------------------------

TEST(FinishStep, DeliversThePositionInTheRequestedSystem) {
  // Equatorial (90, 0) is ecliptic longitude 90, latitude -23.441884 (the
  // program's fixed obliquity).
  FixedTestBody body("Body", 90.0, 0.0);
  BodyState state;
  body.compute(bit::position, observerAt(40.0), state, TimeKind::Lct, CoordSystem::Ecliptical);
  EXPECT_EQ(state.position.system(), CoordSystem::Ecliptical);
  EXPECT_NEAR(state.position.a(), 90.0, 1e-6);
  EXPECT_NEAR(state.position.b(), -23.441884, 1e-6);
}

TEST(FinishStep, TakesTheZodiacKeysFromTheEquatorialPositionWhateverTheSystem) {
  FixedTestBody body("Body", 100.0, 10.0);
  BodyState state;
  body.compute(bit::position | bit::zodiacConstellation | bit::zodiacSign, observerAt(40.0), state, TimeKind::Lct,
               CoordSystem::Galactic);
  EXPECT_EQ(state.position.system(), CoordSystem::Galactic);
  EXPECT_GT(std::fabs(state.position.a() - 100.0), 1.0);
  EXPECT_NEAR(state.constellationKey, 100.0, 1e-9);
  EXPECT_NEAR(state.zodiacKey, 100.0, 1e-9);
}

TEST(FinishStep, DirectionIsTheAzimuthWhilePositionStaysAsRequested) {
  FixedTestBody body("Body", 100.0, 20.0);
  const Observer observer = observerAt(40.0, -8.0);
  AstCoord horizontal(100.0, 20.0, CoordSystem::Equatorial);
  convertCoord(horizontal, CoordSystem::Horizontal, observer);

  BodyState state;
  body.compute(bit::position | bit::direction, observer, state, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_EQ(state.position, AstCoord(100.0, 20.0, CoordSystem::Equatorial));
  EXPECT_DOUBLE_EQ(state.direction, horizontal.a());
}

TEST(FinishStep, EventTimesComeInTheRequestedTimeKind) {
  FixedTestBody body("Body", 100.0, 20.0);
  const Observer observer = observerAt(40.0, -8.0);
  BodyState sidereal;
  body.compute(bit::rise | bit::set, observer, sidereal, TimeKind::Lst, CoordSystem::None);
  EXPECT_EQ(sidereal.rise.getKind(), TimeKind::Lst);
  EXPECT_NEAR(sidereal.set.getHours(), 100.0 / 15.0 + 7.18551, 1e-4);  // unchanged local sidereal time

  BodyState civil;
  body.compute(bit::rise | bit::set, observer, civil, TimeKind::Lct, CoordSystem::None);
  EXPECT_EQ(civil.rise.getKind(), TimeKind::Lct);
  EXPECT_EQ(civil.set.getKind(), TimeKind::Lct);
  // The same sidereal moment, taken down the time ladder with the
  // observer's place and zone.
  AstDateTime expected = sidereal.set;
  convertTime(expected, TimeKind::Lct, observer.longitude(), observer.timeZone(), observer.daylightSaving);
  EXPECT_EQ(civil.set, expected);
  EXPECT_NE(civil.set.getHours(), sidereal.set.getHours());
}

TEST(FinishStep, AnEventThatDoesNotHappenStaysInvalid) {
  FixedTestBody body("Body", 100.0, 80.0);
  BodyState state;
  body.compute(bit::rise | bit::set, observerAt(20.0), state, TimeKind::Gmt, CoordSystem::None);
  EXPECT_FALSE(state.rise.isValid());
  EXPECT_FALSE(state.set.isValid());
}

}  // namespace
}  // namespace noctavo
