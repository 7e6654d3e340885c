#pragma once

#include <optional>
#include <string>

namespace noctavo {

// How the positions of the Sun, the Moon, the planets and the catalogue
// objects are computed. Classical is the low-precision method of the epoch
// 1980 January 0.0 the program has always used, kept bit for bit; Precise
// takes the Earth, the Moon and the planets from the IAU SOFA routines (as
// ERFA ships them), with precession, nutation, aberration, light time and
// the Moon's parallax. The numbers are stored in the settings as names.
enum class PositionMethod : int { Classical = 0, Precise = 1 };

// The method in force for the whole program. The options own it and set it
// when they are loaded or changed, as they do the angle display modes;
// every body reads it when it computes.
PositionMethod positionMethod();
void setPositionMethod(PositionMethod method);

// "Classical", "Precise": the values of the "Position method" setting.
const char* positionMethodName(PositionMethod method);
// Exact match of a name; nothing for any other text.
std::optional<PositionMethod> positionMethodByName(const std::string& name);

}  // namespace noctavo
