#pragma once

#include "solar/SolarGeometry.h"
#include "solar/SolarPositions.h"

class QPainter;

namespace noctavo {

// What one picture of the solar system needs; the painter computes no
// position, it only projects and draws.
struct SolarPaintInput {
  const SolarOrbits* orbits = nullptr;
  const SolarPositions* positions = nullptr;
  SolarViewSize view;
  int zoom = 3;
  bool namesOn = true;
  bool signsOn = true;
  bool moonOn = true;
};

// Colours of the view.
struct SolarColours {
  static constexpr unsigned sun = 0xFFFF00;     // yellow
  static constexpr unsigned planet = 0xC0C0C0;  // light grey, also the texts
  static constexpr unsigned moon = 0x808080;    // grey
  static constexpr unsigned orbit = 0x404040;   // dark grey
};

// The picture on black in its order: the Sun, each planet's orbit and dot,
// the Earth's orbit and dot, the Moon; names below and symbols above the
// dots as the zoom step allows.
void paintSolar(QPainter& painter, const SolarPaintInput& input);

}  // namespace noctavo
