#pragma once

#include <cstdint>

#include "time/AstCoord.h"
#include "time/AstDateTime.h"

namespace noctavo {

// The result of one computation of a body. Only the fields named by the
// requested quantity bits are written; the others are left as they were.
// An event that does not happen on the day leaves its date-time invalid.
struct BodyState {
  float angularSize = 0.0f;      // degrees
  float magnitude = 0.0f;        // visual magnitude; 9999 = unknown
  double constellationKey = 0.0; // right ascension, degrees: finds the zodiacal constellation
  double zodiacKey = 0.0;        // right ascension, degrees: finds the sign of the zodiac
  double direction = 0.0;        // azimuth, degrees
  double distanceFromEarth = 0.0;// AU, or km for the Moon
  double distanceFromSun = 0.0;  // AU
  double elongation = 0.0;       // degrees
  float phase = 0.0f;            // percent
  AstCoord position;             // in the requested system
  AstCoord heliocentric;         // heliocentric ecliptic longitude and latitude
  double ascendingNode = 0.0;    // degrees
  double descendingNode = 0.0;   // degrees
  double midnight = 0.0;         // right ascension opposite the Sun, degrees
  double ngcConstellation = 0.0; // constellation index 0..87 of an NGC object
  AstDateTime rise;
  AstDateTime set;
  AstDateTime twilightBegin;
  AstDateTime twilightEnd;

  // The number one quantity bit stands for. An unknown bit is an internal
  // error and gives 0.0.
  double valueOf(std::uint32_t flag) const;
};

}  // namespace noctavo
