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

// The program's fold of an angle into [0, 360) degrees; use it wherever an
// angle of any size is brought into one turn. It is x - 360 floor(x / 360),
// made safe at the edges: a value a hair below a multiple of 360, which the
// plain formula takes to 360 itself or a little below 0, lands on 0, and far
// beyond a few million turns, where the quotient is rounded, the exact
// remainder settles it. (Two one-pass folds stay private where a published
// formula wants exactly its own result: firstAngleInTurn in AstCoord.cpp,
// for angles just out of a conversion, and foldedOnceIntoTurn in
// AstPlanet.cpp, which keeps 360 itself.)
inline double reducedIntoTurn(double degrees) {
  constexpr double fullTurnDegrees = 360.0;
  double turns = std::trunc(degrees / fullTurnDegrees);
  if (degrees < 0.0) turns -= 1.0;
  double reduced = degrees - fullTurnDegrees * turns;
  // An exact negative multiple of 360 (and a tiny negative value) lands on
  // 360 itself; one turn back puts it at 0.
  if (reduced >= fullTurnDegrees) reduced -= fullTurnDegrees;
  if (reduced >= 0.0 && reduced < fullTurnDegrees) return reduced;
  reduced = std::fmod(degrees, fullTurnDegrees);
  if (reduced < 0.0) reduced += fullTurnDegrees;
  return reduced >= fullTurnDegrees ? 0.0 : reduced;
}

}  // namespace noctavo
