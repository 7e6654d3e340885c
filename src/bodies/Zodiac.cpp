#include "bodies/Zodiac.h"

#include <array>
#include <cmath>

#include "time/InternalError.h"

namespace noctavo {
namespace {

// The zodiac functions belong to the constellation module.
constexpr const char* moduleName = "astcnst";

constexpr std::array<const char*, zodiacSignCount> zodiacSignNames = {
    "Aries", "Taurus",      "Gemini",      "Cancer",   "Leo",      "Virgo",
    "Libra", "Scorpio",     "Sagittarius", "Capricornus", "Aquarius", "Pisces",
};

// Limits of the zodiacal constellations along the ecliptic, degrees. Entry 0
// is where Aries begins, entry 11 where Pisces begins again.
constexpr std::array<int, zodiacSignCount> zodiacConstellationLimits = {
    26, 50, 89, 119, 139, 174, 214, 239, 265, 301, 329, 351,
};

constexpr int degreesPerSign = 30;
constexpr int pisces = 11;

// Keeps the conversion to int defined; any real angle is far inside.
constexpr double largestConvertibleAngle = 2.0e9;

}  // namespace

int zodiacSignEqual(double angle) {
  if (!(std::fabs(angle) < largestConvertibleAngle)) return -1;  // also NaN and infinities
  const int wholeDegrees = static_cast<int>(std::trunc(angle));
  return wholeDegrees / degreesPerSign;
}

int zodiacSignByConstellation(double angle) {
  if (std::isnan(angle)) return -1;
  if (angle < zodiacConstellationLimits.front() || angle >= zodiacConstellationLimits.back()) return pisces;
  for (int k = 1; k < zodiacSignCount; ++k) {
    if (zodiacConstellationLimits[static_cast<std::size_t>(k)] >= angle) return k - 1;
  }
  return pisces;  // not reached: the last limit is above every angle that gets here
}

const char* zodiacSignName(int sign) {
  if (sign < 0 || sign >= zodiacSignCount) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return "";
  }
  return zodiacSignNames[static_cast<std::size_t>(sign)];
}

}  // namespace noctavo
