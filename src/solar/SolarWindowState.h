#pragma once

#include <cstdint>

#include "bodies/QuantityBits.h"
#include "solar/SolarPositions.h"
#include "time/Observer.h"

namespace noctavo {

class AstBody;

// The Solar system window's settings, "\Solar system" and
// "\Solar system\Window".
struct SolarSettings {
  std::int32_t namesOn = 1;
  std::int32_t signsOn = 1;
  std::int32_t moonOn = 1;
  std::int32_t refreshDuringAnimation = 1;
  std::uint32_t function = quantity_bit::heliocentricLongitude;  // the panel's quantity
  std::int32_t zoom = 3;
  std::int32_t stepValue = 1;
  std::int32_t stepType = static_cast<std::int32_t>(StepUnit::Days);
  std::int32_t active = 0;
  std::int32_t minimized = 1;
  std::int32_t maximized = 0;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 500;
  std::int32_t bottom = 400;
};

// The keys below the settings root.
extern const char* const solarSettingsKey;        // "Solar system"
extern const char* const solarWindowSettingsKey;  // "Solar system\Window"

// Every value; a missing one takes its default. A zoom outside 0..8 reads as
// the nearest step, a function the planets do not have as the default, a
// step outside the time bar's as its default.
SolarSettings readSolarSettings();
// "\Solar system" when saveOptions is set, "\Solar system\Window" only when
// saveWindowState is set as well.
void writeSolarSettings(const SolarSettings& settings, bool saveOptions, bool saveWindowState);

// What the window, its panel and its view share: the settings, the window's
// own observer (its moment), the orbits sampled at the start and the
// positions for the moment, the animation state and the body of the last
// right click.
struct SolarWindowState {
  SolarSettings settings;
  Observer observer;
  SolarOrbits orbits;
  SolarPositions positions;
  bool animating = false;
  const AstBody* popupBody = nullptr;
};

}  // namespace noctavo
