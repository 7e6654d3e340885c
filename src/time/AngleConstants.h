#pragma once

#include <cmath>

namespace noctavo {

// The program's own conversion factors. They are deliberately not derived
// from a full-precision pi: every published figure of the program (the
// positions, the graph files users keep) was computed with exactly these, so
// results stay reproducible to the last digit. 0.0174532927777... is
// 3.14159270/180, a pi rounded to eight digits.
constexpr double radiansPerDegree = 0.01745329277777778;
constexpr double degreesPerRadian = 57.29577866666166;

// Full turn used for azimuth and hour angle, radians.
constexpr double fullTurnRadians = 6.2831854;

// Trigonometry of angles in degrees, with the factor above.
inline double sinDegrees(double degrees) { return std::sin(degrees * radiansPerDegree); }
inline double cosDegrees(double degrees) { return std::cos(degrees * radiansPerDegree); }
inline double tanDegrees(double degrees) { return std::tan(degrees * radiansPerDegree); }

// x - 360 floor(x / 360): into [0, 360).
inline double reducedIntoTurn(double degrees) { return degrees - 360.0 * std::floor(degrees / 360.0); }

}  // namespace noctavo
