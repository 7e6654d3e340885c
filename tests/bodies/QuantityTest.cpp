#include "bodies/Quantity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "bodies/BodyState.h"
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

// Angle texts follow the program-wide display modes; a test that formats
// angles fixes them and puts the previous ones back.
class FixedAngleModes {
 public:
  explicit FixedAngleModes(AngleDisplayModes modes) : previous_(angleDisplayModes()) { setAngleDisplayModes(modes); }
  ~FixedAngleModes() { setAngleDisplayModes(previous_); }

 private:
  AngleDisplayModes previous_;
};

TEST(QuantityText, EveryClassValidatesAndFormatsItsValues) {
  FixedAngleModes modes({RightAscensionDisplay::HourMinSec, AngleDisplay::DegMinSec});
  const MagnitudeQuantity magnitude("Magnitude", -10, 10, bit::magnitude, 184, 162);
  const DistanceQuantity km("Distance from Earth", 0, 820000, bit::distanceFromEarth, 186, 164, false);
  const DistanceQuantity au("Distance from Earth", 0, 50, bit::distanceFromEarth, 186, 164, true);
  const PhaseQuantity phase("Phase", 0, 100, bit::phase, 183, 161);
  const ZodiacSignQuantity sign("Sign of zodiac", 0, 11, bit::zodiacSign, 191, 169);
  const ZodiacConstellationQuantity zodiac("Constellation", 0, 11, bit::zodiacConstellation, 185, 163);
  const ConstellationQuantity constellation("Constellation", 0, 88, bit::ngcConstellation, 185, 163);
  const DirectionQuantity direction("Direction", 0, 360, bit::direction, 202, 203);
  const LongitudeQuantity longitude("Longitude", 0, 360, bit::longitude, 124, 111);
  const LatitudeQuantity latitude("Latitude", -90, 90, bit::latitude, 125, 112);
  const ElongationQuantity elongation("Elongation", 0, 180, bit::elongation, 188, 166);
  const AngularSizeQuantity size("Angular size", 0, 1, bit::angularSize, 182, 160);
  const TimeOfDayQuantity rise("Rise", 0, 24, bit::rise, 180, 158);
  const struct {
    const Quantity& quantity;
    double value;
    bool valid;
    const char* text;  // null: not formatted
  } cases[] = {
      {magnitude, 9999.0, false, "Unknown"},      {magnitude, -1.5, true, "-1.50"},
      {magnitude, 2.0, true, "+2.00"},            {magnitude, 0.0, true, "+0.00"},
      {magnitude, notANumber, false, "Unknown"},  {magnitude, infinity, false, nullptr},
      {km, 405000.6, true, "405000 km"},          {km, 410000.0, true, nullptr},
      {km, 410000.1, false, nullptr},             {km, -0.1, false, nullptr},
      {km, 500000.0, false, "Unknown"},           {au, 1.23456, true, "1.235 AU"},
      {au, 0.0, true, nullptr},                   {au, 50.0, true, nullptr},
      {au, 50.5, true, "50.500 AU"},              {au, 100.01, false, "Unknown"},
      {au, notANumber, false, "Unknown"},
      {phase, 99.6, true, "100%"},                {phase, 0.0, true, "0%"},
      {phase, 100.0, true, nullptr},              {phase, 100.01, false, nullptr},
      {phase, -0.01, false, nullptr},             {phase, notANumber, false, "Unknown"},
      {sign, 0.0, true, "Aries"},                 {sign, 11.9, true, "Pisces"},
      {sign, 12.0, false, "Unknown"},             {sign, -0.1, false, nullptr},
      {sign, notANumber, false, "Unknown"},       {zodiac, 7.0, true, "Scorpio"},
      {zodiac, 11.9, true, "Pisces"},             {zodiac, 12.0, false, "Unknown"},
      {constellation, 87.9, true, nullptr},       {constellation, 88.0, false, "Unknown"},
      {constellation, -0.5, false, nullptr},      {constellation, notANumber, false, nullptr},
      {direction, 180.0, true, "S"},              {direction, 22.5, true, "NE"},
      {direction, 359.9, true, "N"},              {direction, -100.0, true, "W"},
      {direction, 810.0, true, "E"},              {direction, invalidAngle, false, "Unknown"},
      {direction, notANumber, false, nullptr},    {longitude, 0.0, true, nullptr},
      {longitude, invalidAngle, false, "Unknown"}, {longitude, notANumber, false, "Unknown"},
      {latitude, -90.0, true, nullptr},           {latitude, -0.5, true, "-0\xB0" "30'00\""},
      {latitude, invalidAngle, false, "Unknown"}, {latitude, notANumber, false, nullptr},
      {elongation, 45.5, true, "45\xB0" "30'00\""}, {elongation, invalidAngle, false, nullptr},
      {elongation, notANumber, false, "Unknown"}, {size, 0.5, true, "0\xB0" "30'00\""},
      {size, 0.0, true, nullptr},                 {size, invalidAngle, false, "Unknown"},
      {rise, -1.0, false, "**:**:**"},            {rise, 0.0, true, "00:00:00"},
      {rise, 12.5, true, "12:30:00"},             {rise, notANumber, false, "**:**:**"},
      {rise, infinity, false, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.quantity.name()) + " " + std::to_string(c.value));
    EXPECT_EQ(c.quantity.isValid(c.value), c.valid);
    if (c.text != nullptr) {
      EXPECT_EQ(c.quantity.format(c.value), c.text);
    }
  }
}

TEST(Zodiac, ConstellationsHaveUnequalLimitsSignsThirtyDegreesAndNoAngleNoSign) {
  // A limit belongs to the constellation below it; Pisces wraps around the
  // first point of Aries.
  const std::pair<double, int> byConstellation[] = {
      {0.0, 11},  {25.99, 11}, {351.0, 11}, {355.0, 11}, {26.0, 0},   {50.0, 0},
      {50.5, 1},  {89.0, 1},   {329.0, 9},  {329.5, 10}, {350.9, 10}, {notANumber, -1}};
  for (auto [key, sign] : byConstellation) EXPECT_EQ(zodiacSignByConstellation(key), sign) << key;
  const std::pair<double, int> equal[] = {{0.0, 0},         {29.9, 0},       {30.0, 1}, {359.9, 11},
                                          {notANumber, -1}, {infinity, -1}, {1e300, -1}};
  for (auto [key, sign] : equal) EXPECT_EQ(zodiacSignEqual(key), sign) << key;
  // A failed position names no sign.
  BodyState failed;
  failed.constellationKey = failed.zodiacKey = invalidAngle;
  EXPECT_EQ(failed.valueOf(bit::zodiacConstellation), -1.0);
  EXPECT_EQ(failed.valueOf(bit::zodiacSign), -1.0);
  EXPECT_STREQ(zodiacSignName(0), "Aries");
  EXPECT_STREQ(zodiacSignName(9), "Capricornus");
  EXPECT_STREQ(zodiacSignName(11), "Pisces");
  InternalErrorRecorder recorder;
  EXPECT_STREQ(zodiacSignName(12), "");
  EXPECT_STREQ(zodiacSignName(-1), "");
  EXPECT_EQ(recorder.modules(), (std::vector<std::string>{"astcnst", "astcnst"}));
}

}  // namespace
}  // namespace noctavo
