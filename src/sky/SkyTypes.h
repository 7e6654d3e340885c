#pragma once

#include <cstdint>

#include "time/AstDateTime.h"

namespace noctavo {

// The projection of the sky map. The numbers are the menu order and the
// values the Sky window keeps.
enum class MapType : std::int32_t {
  Horizontal = 0,  // azimuth and altitude
  Equatorial = 1,  // right ascension (mirrored: east to the left) and declination
  Realistic = 2,   // azimuth and altitude, horizon at the lower edge, with a panorama
};

// False for a number outside the enumeration (a hand-edited setting).
constexpr bool isKnownMapType(MapType mapType) {
  return mapType == MapType::Horizontal || mapType == MapType::Equatorial || mapType == MapType::Realistic;
}

enum class GridType : std::int32_t { Off = 0, Horizontal = 1, Equatorial = 2 };

enum class PlanetDisplayMode : std::int32_t {
  None = 0,
  All = 1,        // the eight planets Mercury..Pluto, index 0..7
  Realistic = 2,  // Mercury..Saturn, index 0..4, drawn by their magnitude
};

// Planets drawn in each mode: indices 0..count-1.
constexpr int allPlanetCount = 8;
constexpr int nakedEyePlanetCount = 5;

// What the sky map shows and how the Sky window stands. One record for the
// run, read and written by the Sky window; the defaults are those of a
// first start. The on/off flags are 0 or 1, as they are stored.
struct SkySettings {
  MapType mapType = MapType::Realistic;
  GridType gridType = GridType::Horizontal;
  std::int32_t eclipticOn = 1;
  std::int32_t starNamesOn = 0;
  std::int32_t starLettersOn = 0;
  std::int32_t constellationNamesOn = 1;
  std::int32_t constellationLinesOn = 1;
  PlanetDisplayMode planetDisplayMode = PlanetDisplayMode::Realistic;
  std::int32_t planetNamesOn = 1;
  std::int32_t planetSymbolsOn = 1;
  std::int32_t sunOn = 1;
  std::int32_t moonOn = 1;
  std::int32_t horizonOn = 1;  // panorama in the Realistic map
  std::int32_t ngcObjectsOn = 0;
  std::int32_t ngcColourOn = 1;  // objects with a picture in their own colour
  std::int32_t active = 1;
  std::int32_t minimized = 0;
  std::int32_t maximized = 1;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 500;
  std::int32_t bottom = 400;
  // Direction of view: azimuth (or mirrored right ascension) of the
  // display's centre, a multiple of 45 in [0, 360), and its altitude (or
  // declination), degrees.
  double viewLambda = 0.0;
  double viewPhi = 30.0;
  std::int32_t starsFixed = 0;  // keep the stars where the observer's moment puts them
  std::int32_t stepValue = 10;
  std::int32_t stepType = static_cast<std::int32_t>(StepUnit::Minutes);

  friend bool operator==(const SkySettings&, const SkySettings&) = default;
};

// The direction of view on its own, for the pure functions of the map.
struct SkyView {
  double lambda = 0.0;  // degrees
  double phi = 30.0;    // degrees
  friend bool operator==(SkyView, SkyView) = default;
};

inline SkyView viewOf(const SkySettings& settings) { return {settings.viewLambda, settings.viewPhi}; }

// The display shows +-30 degrees around its centre in both directions; the
// arrows turn the view by 45 degrees in azimuth and in altitude.
constexpr double halfField = 30.0;       // F, degrees
constexpr double azimuthStep = 45.0;     // degrees
constexpr double altitudeStep = 45.0;    // degrees

}  // namespace noctavo
