#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "bodies/BodyState.h"
#include "bodies/Quantity.h"
#include "bodies/QuantityBits.h"
#include "bodies/Zodiac.h"
#include "catalogues/ConstellationTable.h"
#include "support/InternalErrorRecorder.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;
namespace bit = quantity_bit;

const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double infinity = std::numeric_limits<double>::infinity();

// Angle texts depend on the program-wide display modes; each test that
// formats an angle fixes them and puts the previous ones back.
class FixedAngleModes {
 public:
  explicit FixedAngleModes(AngleDisplayModes modes) : previous_(angleDisplayModes()) { setAngleDisplayModes(modes); }
  ~FixedAngleModes() { setAngleDisplayModes(previous_); }

 private:
  AngleDisplayModes previous_;
};

const AngleDisplayModes hoursAndDegrees{RightAscensionDisplay::HourMinSec, AngleDisplay::DegMinSec};

// --- The common descriptor -----------------------------------------------

TEST(QuantityDescriptor, KeepsTheConstructorValues) {
  const DistanceQuantity distance("Distance from Earth", 0, 820000, bit::distanceFromEarth, 186, 164, false);
  EXPECT_STREQ(distance.name(), "Distance from Earth");
  EXPECT_EQ(distance.minOf(), 0);
  EXPECT_EQ(distance.maxOf(), 820000);
  EXPECT_EQ(distance.flag(), bit::distanceFromEarth);
  EXPECT_EQ(distance.labelId(), 186);
  EXPECT_EQ(distance.valueId(), 164);
  EXPECT_FALSE(distance.inAstronomicalUnits());
}

TEST(QuantityDescriptor, KeepsAtMostThirtyOneCharactersOfTheName) {
  const PhaseQuantity phase("A label that is far longer than thirty-one characters", 0, 100, bit::phase, -1, -1);
  EXPECT_STREQ(phase.name(), "A label that is far longer than");
}

TEST(QuantityDescriptor, EachClassHasItsKind) {
  EXPECT_EQ(TimeOfDayQuantity("Rise", 0, 24, bit::rise, 180, 158).kindOf(), QuantityKind::TimeOfDay);
  EXPECT_EQ(LongitudeQuantity("Longitude", 0, 360, bit::longitude, 124, 111).kindOf(), QuantityKind::Angle);
  EXPECT_EQ(LatitudeQuantity("Latitude", -90, 90, bit::latitude, 125, 112).kindOf(), QuantityKind::Angle);
  EXPECT_EQ(MagnitudeQuantity("Magnitude", -10, 10, bit::magnitude, 184, 162).kindOf(), QuantityKind::Plain);
  EXPECT_EQ(ZodiacConstellationQuantity("Constellation", 0, 11, bit::zodiacConstellation, 185, 163).kindOf(),
            QuantityKind::Plain);
  EXPECT_EQ(ConstellationQuantity("Constellation", 0, 88, bit::ngcConstellation, 185, 163).kindOf(),
            QuantityKind::Plain);
  EXPECT_EQ(DirectionQuantity("Direction", 0, 360, bit::direction, 202, 203).kindOf(), QuantityKind::Plain);
  EXPECT_EQ(DistanceQuantity("Distance from Sun", 0, 50, bit::distanceFromSun, 187, 165, true).kindOf(),
            QuantityKind::Plain);
  EXPECT_EQ(ElongationQuantity("Elongation", 0, 180, bit::elongation, 188, 166).kindOf(), QuantityKind::Plain);
  EXPECT_EQ(PhaseQuantity("Phase", 0, 100, bit::phase, 183, 161).kindOf(), QuantityKind::Plain);
  EXPECT_EQ(ZodiacSignQuantity("Sign of zodiac", 0, 11, bit::zodiacSign, 191, 169).kindOf(), QuantityKind::Plain);
  EXPECT_EQ(AngularSizeQuantity("Angular size", 0, 1, bit::angularSize, 182, 160).kindOf(), QuantityKind::Plain);
}

// --- Magnitude -----------------------------------------------------------

TEST(MagnitudeQuantity, UnknownMagnitudeIsNotPlottedAndShowsUnknown) {
  const MagnitudeQuantity magnitude("Magnitude", -10, 10, bit::magnitude, 184, 162);
  EXPECT_FALSE(magnitude.isValid(9999.0));
  EXPECT_EQ(magnitude.format(9999.0), "Unknown");
}

TEST(MagnitudeQuantity, ShowsTwoDecimalsWithTheSignAlways) {
  const MagnitudeQuantity magnitude("Magnitude", -10, 10, bit::magnitude, 184, 162);
  EXPECT_TRUE(magnitude.isValid(-1.5));
  EXPECT_EQ(magnitude.format(-1.5), "-1.50");
  EXPECT_EQ(magnitude.format(2.0), "+2.00");
  EXPECT_EQ(magnitude.format(0.0), "+0.00");
}

TEST(MagnitudeQuantity, ANumberThatIsNoNumberIsUnknown) {
  const MagnitudeQuantity magnitude("Magnitude", -10, 10, bit::magnitude, 184, 162);
  EXPECT_FALSE(magnitude.isValid(notANumber));
  EXPECT_FALSE(magnitude.isValid(infinity));
  EXPECT_EQ(magnitude.format(notANumber), "Unknown");
}

// --- Distance ------------------------------------------------------------

TEST(DistanceQuantity, KilometresAreTruncatedNotRounded) {
  const DistanceQuantity moon("Distance from Earth", 0, 820000, bit::distanceFromEarth, 186, 164, false);
  EXPECT_TRUE(moon.isValid(405000.6));
  EXPECT_EQ(moon.format(405000.6), "405000 km");
}

TEST(DistanceQuantity, KilometresAboveTheLimitAreInvalid) {
  const DistanceQuantity moon("Distance from Earth", 0, 820000, bit::distanceFromEarth, 186, 164, false);
  EXPECT_TRUE(moon.isValid(410000.0));
  EXPECT_FALSE(moon.isValid(410000.1));
  EXPECT_FALSE(moon.isValid(-0.1));
  EXPECT_EQ(moon.format(500000.0), "Unknown");
}

TEST(DistanceQuantity, AstronomicalUnitsShowThreeDecimals) {
  const DistanceQuantity planet("Distance from Earth", 0, 50, bit::distanceFromEarth, 186, 164, true);
  EXPECT_EQ(planet.format(1.23456), "1.235 AU");
  EXPECT_TRUE(planet.isValid(0.0));
  EXPECT_TRUE(planet.isValid(50.0));
  EXPECT_FALSE(planet.isValid(50.01));
  EXPECT_FALSE(planet.isValid(notANumber));
  EXPECT_EQ(planet.format(notANumber), "Unknown");
}

// --- Phase ---------------------------------------------------------------

TEST(PhaseQuantity, RoundsToWholePercent) {
  const PhaseQuantity phase("Phase", 0, 100, bit::phase, 183, 161);
  EXPECT_EQ(phase.format(99.6), "100%");
  EXPECT_EQ(phase.format(0.0), "0%");
}

TEST(PhaseQuantity, IsValidFromZeroToOneHundredInclusive) {
  const PhaseQuantity phase("Phase", 0, 100, bit::phase, 183, 161);
  EXPECT_TRUE(phase.isValid(0.0));
  EXPECT_TRUE(phase.isValid(100.0));
  EXPECT_FALSE(phase.isValid(100.01));
  EXPECT_FALSE(phase.isValid(-0.01));
  EXPECT_FALSE(phase.isValid(notANumber));
  EXPECT_EQ(phase.format(notANumber), "Unknown");
}

// --- Zodiac --------------------------------------------------------------

TEST(ZodiacSignQuantity, ElevenPointNineIsStillPisces) {
  const ZodiacSignQuantity sign("Sign of zodiac", 0, 11, bit::zodiacSign, 191, 169);
  EXPECT_TRUE(sign.isValid(11.9));
  EXPECT_EQ(sign.format(11.9), "Pisces");
  EXPECT_EQ(sign.format(0.0), "Aries");
}

TEST(ZodiacSignQuantity, TwelveAndNegativeValuesAreInvalid) {
  const ZodiacSignQuantity sign("Sign of zodiac", 0, 11, bit::zodiacSign, 191, 169);
  EXPECT_FALSE(sign.isValid(12.0));
  EXPECT_FALSE(sign.isValid(-0.1));
  EXPECT_FALSE(sign.isValid(-1.0));
  EXPECT_FALSE(sign.isValid(notANumber));
  EXPECT_EQ(sign.format(12.0), "Unknown");
  EXPECT_EQ(sign.format(notANumber), "Unknown");
}

TEST(ZodiacConstellationQuantity, AcceptsTheSameRangeAsTheSigns) {
  const ZodiacConstellationQuantity constellation("Constellation", 0, 11, bit::zodiacConstellation, 185, 163);
  EXPECT_TRUE(constellation.isValid(11.9));
  EXPECT_EQ(constellation.format(11.9), "Pisces");
  EXPECT_EQ(constellation.format(7.0), "Scorpio");
  EXPECT_FALSE(constellation.isValid(12.0));
  EXPECT_EQ(constellation.format(12.0), "Unknown");
}

// --- Constellation of an NGC object --------------------------------------

TEST(ConstellationQuantity, EightySevenPointNineIsTheLastConstellation) {
  const ConstellationQuantity constellation("Constellation", 0, 88, bit::ngcConstellation, 185, 163);
  EXPECT_TRUE(constellation.isValid(87.9));
  EXPECT_FALSE(constellation.isValid(88.0));
  EXPECT_FALSE(constellation.isValid(-0.5));
  EXPECT_FALSE(constellation.isValid(notANumber));
  EXPECT_EQ(constellation.format(88.0), "Unknown");
}

TEST(ConstellationQuantity, NamesTheConstellationInTheCurrentLanguage) {
  const ConstellationQuantity constellation("Constellation", 0, 88, bit::ngcConstellation, 185, 163);
  const int previous = constellationLanguage();
  setConstellationLanguage(constellationLanguageLatin);
  EXPECT_EQ(constellation.format(87.9), "Vulpecula");
  setConstellationLanguage(constellationLanguageEnglish);
  EXPECT_EQ(constellation.format(59.0), "Orion");
  EXPECT_EQ(constellation.format(82.0), "Big Dipper");
  setConstellationLanguage(previous);
}

// --- Direction -----------------------------------------------------------

TEST(DirectionQuantity, ShowsTheCompassPoint) {
  const DirectionQuantity direction("Direction", 0, 360, bit::direction, 202, 203);
  EXPECT_EQ(direction.format(180.0), "S");
  EXPECT_EQ(direction.format(22.5), "NE");
  EXPECT_EQ(direction.format(359.9), "N");
}

TEST(DirectionQuantity, ABearingOutsideTheCircleNamesTheSamePoint) {
  const DirectionQuantity direction("Direction", 0, 360, bit::direction, 202, 203);
  EXPECT_TRUE(direction.isValid(-100.0));
  EXPECT_EQ(direction.format(-100.0), "W");  // 260 degrees
  EXPECT_EQ(direction.format(810.0), "E");   // 90 degrees
}

TEST(DirectionQuantity, TheInvalidAngleShowsUnknown) {
  const DirectionQuantity direction("Direction", 0, 360, bit::direction, 202, 203);
  EXPECT_FALSE(direction.isValid(invalidAngle));
  EXPECT_FALSE(direction.isValid(notANumber));
  EXPECT_EQ(direction.format(invalidAngle), "Unknown");
}

// --- Angles --------------------------------------------------------------

TEST(LongitudeQuantity, ShowsRightAscensionOnlyInTheEquatorialSystem) {
  FixedAngleModes modes(hoursAndDegrees);
  const LongitudeQuantity longitude("Longitude", 0, 360, bit::longitude, 124, 111);
  EXPECT_EQ(longitude.coordSystem(), CoordSystem::None);
  EXPECT_EQ(longitude.format(123.5), "123\xB0" "30'00\"");
  longitude.setCoordSystem(CoordSystem::Equatorial);
  EXPECT_EQ(longitude.format(123.5), "8h14m00s");
  longitude.setCoordSystem(CoordSystem::Horizontal);
  EXPECT_EQ(longitude.format(123.5), "123\xB0" "30'00\"");
}

TEST(LongitudeQuantity, TheInvalidAngleIsNotShownAsANumber) {
  const LongitudeQuantity longitude("Longitude", 0, 360, bit::longitude, 124, 111);
  EXPECT_TRUE(longitude.isValid(0.0));
  EXPECT_FALSE(longitude.isValid(invalidAngle));
  EXPECT_FALSE(longitude.isValid(notANumber));
  EXPECT_EQ(longitude.format(invalidAngle), "Unknown");
  EXPECT_EQ(longitude.format(notANumber), "Unknown");
}

TEST(LatitudeQuantity, KeepsTheSignOfASmallNegativeAngle) {
  FixedAngleModes modes(hoursAndDegrees);
  const LatitudeQuantity latitude("Latitude", -90, 90, bit::latitude, 125, 112);
  EXPECT_EQ(latitude.format(-0.5), "-0\xB0" "30'00\"");
}

TEST(LatitudeQuantity, RejectsTheInvalidMarkerOfAFailedPosition) {
  const LatitudeQuantity latitude("Latitude", -90, 90, bit::latitude, 125, 112);
  EXPECT_TRUE(latitude.isValid(-90.0));
  EXPECT_FALSE(latitude.isValid(invalidAngle));
  EXPECT_FALSE(latitude.isValid(notANumber));
  EXPECT_EQ(latitude.format(invalidAngle), "Unknown");
}

TEST(ElongationQuantity, ShowsAnAngleNeverAsRightAscension) {
  FixedAngleModes modes(hoursAndDegrees);
  const ElongationQuantity elongation("Elongation", 0, 180, bit::elongation, 188, 166);
  EXPECT_EQ(elongation.format(45.5), "45\xB0" "30'00\"");
  EXPECT_FALSE(elongation.isValid(invalidAngle));
  EXPECT_EQ(elongation.format(notANumber), "Unknown");
}

TEST(AngularSizeQuantity, ShowsAnAngle) {
  FixedAngleModes modes(hoursAndDegrees);
  const AngularSizeQuantity size("Angular size", 0, 1, bit::angularSize, 182, 160);
  EXPECT_EQ(size.format(0.5), "0\xB0" "30'00\"");
  EXPECT_TRUE(size.isValid(0.0));
  EXPECT_FALSE(size.isValid(invalidAngle));
  EXPECT_EQ(size.format(invalidAngle), "Unknown");
}

TEST(AngularSizeQuantity, FollowsTheDecimalDisplayMode) {
  FixedAngleModes modes({RightAscensionDisplay::Decimal, AngleDisplay::Decimal});
  const AngularSizeQuantity size("Angular size", 0, 1, bit::angularSize, 182, 160);
  EXPECT_EQ(size.format(0.5), "0.50000\xB0");
}

// --- Time of day ---------------------------------------------------------

TEST(TimeOfDayQuantity, MinusOneIsAnEventThatDoesNotHappen) {
  const TimeOfDayQuantity rise("Rise", 0, 24, bit::rise, 180, 158);
  EXPECT_FALSE(rise.isValid(-1.0));
  EXPECT_EQ(rise.format(-1.0), "**:**:**");
}

TEST(TimeOfDayQuantity, MidnightIsValid) {
  const TimeOfDayQuantity rise("Rise", 0, 24, bit::rise, 180, 158);
  EXPECT_TRUE(rise.isValid(0.0));
  EXPECT_EQ(rise.format(0.0), "00:00:00");
  EXPECT_EQ(rise.format(12.5), "12:30:00");
}

TEST(TimeOfDayQuantity, ATimeThatIsNoNumberShowsAsterisks) {
  const TimeOfDayQuantity set("Set", 0, 24, bit::set, 181, 159);
  EXPECT_FALSE(set.isValid(notANumber));
  EXPECT_FALSE(set.isValid(infinity));
  EXPECT_EQ(set.format(notANumber), "**:**:**");
}

// --- Values of a computed state ------------------------------------------

BodyState stateWithDistinctValues() {
  BodyState state;
  state.position = AstCoord(101.0, -12.0, CoordSystem::Equatorial);
  state.distanceFromEarth = 1.5;
  state.elongation = 46.0;
  state.phase = 75.0f;
  state.magnitude = -2.5f;
  state.angularSize = 0.25f;
  state.distanceFromSun = 5.2;
  state.constellationKey = 100.0;  // Gemini's stretch 89..119
  state.rise = AstDateTime(1, 1, 2000, 6.25, TimeKind::Lct);
  state.set = AstDateTime(1, 1, 2000, 18.5, TimeKind::Lct);
  state.twilightBegin = AstDateTime(1, 1, 2000, 5.0, TimeKind::Lct);
  state.twilightEnd = AstDateTime(1, 1, 2000, 19.75, TimeKind::Lct);
  state.direction = 212.0;
  state.ascendingNode = 33.0;
  state.descendingNode = 213.0;
  state.midnight = 280.0;
  state.zodiacKey = 95.0;
  state.heliocentric = AstCoord(250.0, 1.5, CoordSystem::Ecliptical);
  state.ngcConstellation = 59.0;
  return state;
}

TEST(ValueOf, GivesTheFieldOfEveryQuantityBit) {
  const BodyState state = stateWithDistinctValues();
  EXPECT_EQ(state.valueOf(bit::longitude), 101.0);
  EXPECT_EQ(state.valueOf(bit::latitude), -12.0);
  EXPECT_EQ(state.valueOf(bit::distanceFromEarth), 1.5);
  EXPECT_EQ(state.valueOf(bit::elongation), 46.0);
  EXPECT_EQ(state.valueOf(bit::phase), 75.0);
  EXPECT_EQ(state.valueOf(bit::magnitude), -2.5);
  EXPECT_EQ(state.valueOf(bit::angularSize), 0.25);
  EXPECT_EQ(state.valueOf(bit::distanceFromSun), 5.2);
  EXPECT_EQ(state.valueOf(bit::zodiacConstellation), 2.0);
  EXPECT_EQ(state.valueOf(bit::rise), 6.25);
  EXPECT_EQ(state.valueOf(bit::set), 18.5);
  EXPECT_EQ(state.valueOf(bit::twilightBegin), 5.0);
  EXPECT_EQ(state.valueOf(bit::twilightEnd), 19.75);
  EXPECT_EQ(state.valueOf(bit::direction), 212.0);
  EXPECT_EQ(state.valueOf(bit::ascendingNode), 33.0);
  EXPECT_EQ(state.valueOf(bit::descendingNode), 213.0);
  EXPECT_EQ(state.valueOf(bit::midnight), 280.0);
  EXPECT_EQ(state.valueOf(bit::zodiacSign), 3.0);
  EXPECT_EQ(state.valueOf(bit::heliocentricLongitude), 250.0);
  EXPECT_EQ(state.valueOf(bit::heliocentricLatitude), 1.5);
  EXPECT_EQ(state.valueOf(bit::ngcConstellation), 59.0);
}

TEST(ValueOf, WidensSinglePrecisionFieldsWithoutRounding) {
  BodyState state;
  state.magnitude = 0.1f;
  EXPECT_EQ(state.valueOf(bit::magnitude), static_cast<double>(0.1f));
}

TEST(ValueOf, AnEventThatDoesNotHappenGivesMinusOne) {
  BodyState state = stateWithDistinctValues();
  state.rise.invalidate();
  EXPECT_EQ(state.valueOf(bit::rise), -1.0);
  const TimeOfDayQuantity rise("Rise", 0, 24, bit::rise, 180, 158);
  EXPECT_FALSE(rise.isValid(state.valueOf(bit::rise)));
}

TEST(ValueOf, AnUnknownBitIsAnInternalErrorAndGivesZero) {
  const BodyState state = stateWithDistinctValues();
  for (std::uint32_t flag : {0u, 0x20000u, 0x200000u, 0x4000000u, bit::position}) {
    InternalErrorRecorder recorder;
    EXPECT_EQ(state.valueOf(flag), 0.0) << flag;
    ASSERT_EQ(recorder.count(), 1u) << flag;
    EXPECT_EQ(recorder.modules()[0], "AST_RES");
  }
}

TEST(ValueOf, ZodiacConstellationFollowsTheUnequalLimits) {
  BodyState state;
  const auto constellationAt = [&state](double key) {
    state.constellationKey = key;
    return state.valueOf(bit::zodiacConstellation);
  };
  EXPECT_EQ(constellationAt(10.0), 11.0);
  EXPECT_EQ(constellationAt(355.0), 11.0);
  EXPECT_EQ(constellationAt(26.0), 0.0);
  EXPECT_EQ(constellationAt(50.0), 0.0);
  EXPECT_EQ(constellationAt(50.5), 1.0);
}

TEST(ValueOf, SignOfTheZodiacIsWholeThirtyDegreeParts) {
  BodyState state;
  state.zodiacKey = 29.9;
  EXPECT_EQ(state.valueOf(bit::zodiacSign), 0.0);
  state.zodiacKey = 30.0;
  EXPECT_EQ(state.valueOf(bit::zodiacSign), 1.0);
  state.zodiacKey = 359.99;
  EXPECT_EQ(state.valueOf(bit::zodiacSign), 11.0);
}

TEST(ValueOf, AFailedPositionNamesNoZodiacSign) {
  BodyState state;
  state.constellationKey = invalidAngle;
  state.zodiacKey = invalidAngle;
  const ZodiacConstellationQuantity constellation("Constellation", 0, 11, bit::zodiacConstellation, 185, 163);
  const ZodiacSignQuantity sign("Sign of zodiac", 0, 11, bit::zodiacSign, 191, 169);
  EXPECT_FALSE(constellation.isValid(state.valueOf(bit::zodiacConstellation)));
  EXPECT_FALSE(sign.isValid(state.valueOf(bit::zodiacSign)));
}

// --- Zodiac mappings -----------------------------------------------------

TEST(ZodiacSignByConstellation, PiscesWrapsAroundTheFirstPointOfAries) {
  EXPECT_EQ(zodiacSignByConstellation(0.0), 11);
  EXPECT_EQ(zodiacSignByConstellation(10.0), 11);
  EXPECT_EQ(zodiacSignByConstellation(25.99), 11);
  EXPECT_EQ(zodiacSignByConstellation(351.0), 11);
  EXPECT_EQ(zodiacSignByConstellation(355.0), 11);
}

TEST(ZodiacSignByConstellation, ALimitBelongsToTheConstellationBelowIt) {
  EXPECT_EQ(zodiacSignByConstellation(26.0), 0);
  EXPECT_EQ(zodiacSignByConstellation(50.0), 0);
  EXPECT_EQ(zodiacSignByConstellation(50.5), 1);
  EXPECT_EQ(zodiacSignByConstellation(89.0), 1);
  EXPECT_EQ(zodiacSignByConstellation(329.0), 9);
  EXPECT_EQ(zodiacSignByConstellation(329.5), 10);
  EXPECT_EQ(zodiacSignByConstellation(350.9), 10);
}

TEST(ZodiacSignByConstellation, NoNumberGivesNoSign) { EXPECT_EQ(zodiacSignByConstellation(notANumber), -1); }

TEST(ZodiacSignEqual, SplitsTheCircleIntoThirtyDegreeSigns) {
  EXPECT_EQ(zodiacSignEqual(0.0), 0);
  EXPECT_EQ(zodiacSignEqual(29.9), 0);
  EXPECT_EQ(zodiacSignEqual(30.0), 1);
  EXPECT_EQ(zodiacSignEqual(359.9), 11);
}

TEST(ZodiacSignEqual, AValueThatIsNoAngleGivesNoSign) {
  EXPECT_EQ(zodiacSignEqual(notANumber), -1);
  EXPECT_EQ(zodiacSignEqual(infinity), -1);
  EXPECT_EQ(zodiacSignEqual(1e300), -1);
}

TEST(ZodiacSignName, NamesTheTwelveSignsInOrder) {
  EXPECT_STREQ(zodiacSignName(0), "Aries");
  EXPECT_STREQ(zodiacSignName(7), "Scorpio");
  EXPECT_STREQ(zodiacSignName(9), "Capricornus");
  EXPECT_STREQ(zodiacSignName(11), "Pisces");
}

TEST(ZodiacSignName, AnIndexOutsideTheSignsIsAnInternalError) {
  InternalErrorRecorder recorder;
  EXPECT_STREQ(zodiacSignName(12), "");
  EXPECT_STREQ(zodiacSignName(-1), "");
  ASSERT_EQ(recorder.count(), 2u);
  EXPECT_EQ(recorder.modules()[0], "astcnst");
}

}  // namespace
}  // namespace noctavo
