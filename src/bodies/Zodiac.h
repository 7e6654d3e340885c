#pragma once

namespace noctavo {

// Number of signs of the zodiac and of zodiacal constellations.
constexpr int zodiacSignCount = 12;

// The sign of equal 30-degree parts of the ecliptic: trunc(angle) / 30 in
// integers, so 0..11 for 0 <= angle < 360 ("Sign of zodiac" quantity, from
// the zodiacKey of a computation). A value that is not a finite angle gives
// -1 (no sign).
int zodiacSignEqual(double angle);

// The zodiacal constellation a longitude lies in, by the program's fixed
// limits (26, 50, 89, ..., 351 degrees): 11 below 26 or from 351 on,
// otherwise k - 1 for the first limit k (1..11) at or above the angle
// ("Constellation" quantity of the Sun, the Moon and the planets, from the
// constellationKey). NaN gives -1 (no constellation).
int zodiacSignByConstellation(double angle);

// "Aries" .. "Pisces" for 0..11; any other index is an internal error and
// gives "".
const char* zodiacSignName(int sign);

}  // namespace noctavo
