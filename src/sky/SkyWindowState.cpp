#include "sky/SkyWindowState.h"

#include <cmath>

#include "time/AngleConstants.h"
#include "ui/SettingsStore.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace {

constexpr double fullTurnDegrees = 360.0;
constexpr double zenithDegrees = 90.0;

// The step count of the time bar is 1..1000; the unit one of its five.
constexpr int smallestStepCount = 1;
constexpr int largestStepCount = 1000;

// Names of the values, as the settings store keeps them.
constexpr const char* mapTypeName = "Map type";
constexpr const char* sunOnName = "Sun on";
constexpr const char* moonOnName = "Moon on";
constexpr const char* constellationNamesOnName = "Constellation names on";
constexpr const char* constellationLinesOnName = "Constellation lines on";
constexpr const char* starNamesOnName = "Star names on";
constexpr const char* starLettersOnName = "Star letters on";
constexpr const char* planetNamesOnName = "Planet names on";
constexpr const char* planetSymbolsOnName = "Planet symbols on";
constexpr const char* planetDisplayModeName = "Planet display mode";
constexpr const char* ngcObjectsOnName = "NGC objects on";
constexpr const char* ngcColourName = "NGC colour";
constexpr const char* gridTypeName = "Grid type";
constexpr const char* eclipticOnName = "Ecliptic on";
constexpr const char* horizonOnName = "Horizon on";
constexpr const char* viewLambdaName = "Direction of view (lambda)";
constexpr const char* viewPhiName = "Direction of view (phi)";
constexpr const char* starsFixedName = "Stars fixed";
constexpr const char* stepValueName = "Step value";
constexpr const char* stepTypeName = "Step type";
constexpr const char* activeName = "Active";
constexpr const char* minimizedName = "Minimized";
constexpr const char* maximizedName = "Maximized";
constexpr const char* topName = "Top";
constexpr const char* leftName = "Left";
constexpr const char* bottomName = "Bottom";
constexpr const char* rightName = "Right";

constexpr const char* horizontalText = "Hor";
constexpr const char* equatorialText = "Equ";
constexpr const char* realisticText = "Realistic";
constexpr const char* noneText = "None";
constexpr const char* allText = "All";

std::int32_t readFlag(const std::string& key, const char* name, bool defaultValue) {
  return SettingsReadBool(key, name, defaultValue) ? 1 : 0;
}

}  // namespace

const char* const skySettingsKey = "Sky";
const char* const skyWindowSettingsKey = "Sky\\Window";

// ---- The direction of view ------------------------------------------------

double turnedLeft(double viewLambda) {
  double lambda = viewLambda - azimuthStep;
  if (lambda < 0.0) lambda += fullTurnDegrees;
  return lambda;
}

double turnedRight(double viewLambda) {
  double lambda = viewLambda + azimuthStep;
  if (lambda >= fullTurnDegrees) lambda -= fullTurnDegrees;
  return lambda;
}

double steppedAltitude(MapType mapType, double viewPhi, int steps) {
  return altitudeForStep(mapType, altitudeStepIndex(mapType, viewPhi) + steps);
}

bool upArrowEnabled(double viewPhi) { return !(viewPhi + altitudeStep > zenithDegrees); }

bool downArrowEnabled(double viewPhi) { return !(viewPhi - altitudeStep < -zenithDegrees); }

SkyView viewTowards(MapType mapType, const AstCoord& mapPosition) {
  SkyView view;
  view.lambda = std::trunc(mapPosition.a() / azimuthStep + 0.5) * azimuthStep;
  if (view.lambda >= fullTurnDegrees) view.lambda -= fullTurnDegrees;
  view.phi = altitudeForStep(mapType, altitudeStepIndex(mapType, mapPosition.b()));
  return view;
}

SkyView viewOnSteps(MapType mapType, SkyView view) {
  double lambda = view.lambda;
  lambda = reducedIntoTurn(lambda);
  SkyView onSteps = viewTowards(mapType, AstCoord(lambda, view.phi, mapCoordSystem(mapType)));
  // The highest and lowest steps of every map lie within +-90 degrees.
  while (onSteps.phi > zenithDegrees) onSteps.phi = steppedAltitude(mapType, onSteps.phi, -1);
  while (onSteps.phi < -zenithDegrees) onSteps.phi = steppedAltitude(mapType, onSteps.phi, 1);
  return onSteps;
}

// ---- Stored texts -----------------------------------------------------------

const char* mapTypeText(MapType mapType) {
  switch (mapType) {
    case MapType::Horizontal:
      return horizontalText;
    case MapType::Equatorial:
      return equatorialText;
    case MapType::Realistic:
      break;
  }
  return realisticText;
}

MapType mapTypeFromText(const std::string& text) {
  if (text == horizontalText) return MapType::Horizontal;
  if (text == equatorialText) return MapType::Equatorial;
  return MapType::Realistic;
}

const char* gridTypeText(GridType gridType) {
  switch (gridType) {
    case GridType::Horizontal:
      return horizontalText;
    case GridType::Equatorial:
      return equatorialText;
    case GridType::Off:
      break;
  }
  return noneText;
}

GridType gridTypeFromText(const std::string& text) {
  if (text == horizontalText) return GridType::Horizontal;
  if (text == equatorialText) return GridType::Equatorial;
  return GridType::Off;
}

const char* planetDisplayModeText(PlanetDisplayMode mode) {
  switch (mode) {
    case PlanetDisplayMode::None:
      return noneText;
    case PlanetDisplayMode::All:
      return allText;
    case PlanetDisplayMode::Realistic:
      break;
  }
  return realisticText;
}

PlanetDisplayMode planetDisplayModeFromText(const std::string& text) {
  if (text == noneText) return PlanetDisplayMode::None;
  if (text == allText) return PlanetDisplayMode::All;
  return PlanetDisplayMode::Realistic;
}

// ---- Settings -----------------------------------------------------------------

SkySettings readSkySettings() {
  const SkySettings defaults;
  SkySettings s;
  const std::string key = settingsKey(skySettingsKey);
  s.mapType = mapTypeFromText(SettingsReadString(key, mapTypeName, mapTypeText(defaults.mapType)));
  s.sunOn = readFlag(key, sunOnName, defaults.sunOn);
  s.moonOn = readFlag(key, moonOnName, defaults.moonOn);
  s.constellationNamesOn = readFlag(key, constellationNamesOnName, defaults.constellationNamesOn);
  s.constellationLinesOn = readFlag(key, constellationLinesOnName, defaults.constellationLinesOn);
  s.starNamesOn = readFlag(key, starNamesOnName, defaults.starNamesOn);
  s.starLettersOn = readFlag(key, starLettersOnName, defaults.starLettersOn);
  s.planetNamesOn = readFlag(key, planetNamesOnName, defaults.planetNamesOn);
  s.planetSymbolsOn = readFlag(key, planetSymbolsOnName, defaults.planetSymbolsOn);
  s.planetDisplayMode = planetDisplayModeFromText(
      SettingsReadString(key, planetDisplayModeName, planetDisplayModeText(defaults.planetDisplayMode)));
  s.ngcObjectsOn = readFlag(key, ngcObjectsOnName, defaults.ngcObjectsOn);
  s.ngcColourOn = readFlag(key, ngcColourName, defaults.ngcColourOn);
  s.gridType = gridTypeFromText(SettingsReadString(key, gridTypeName, gridTypeText(defaults.gridType)));
  s.eclipticOn = readFlag(key, eclipticOnName, defaults.eclipticOn);
  s.horizonOn = readFlag(key, horizonOnName, defaults.horizonOn);
  // A direction written by hand, off the arrows' steps, is brought onto
  // them, so that the arrows and the panorama work as they always do.
  const SkyView view = viewOnSteps(
      s.mapType, {static_cast<double>(SettingsReadInt(key, viewLambdaName, static_cast<int>(defaults.viewLambda))),
                  static_cast<double>(SettingsReadInt(key, viewPhiName, static_cast<int>(defaults.viewPhi)))});
  s.viewLambda = view.lambda;
  s.viewPhi = view.phi;
  s.starsFixed = readFlag(key, starsFixedName, defaults.starsFixed);
  // A step the time bar cannot take would make it refuse every step or
  // fail on its unit box: such a value reads as the default.
  s.stepValue = SettingsReadInt(key, stepValueName, defaults.stepValue);
  if (s.stepValue < smallestStepCount || s.stepValue > largestStepCount) s.stepValue = defaults.stepValue;
  s.stepType = SettingsReadInt(key, stepTypeName, defaults.stepType);
  if (s.stepType < 0 || s.stepType >= stepUnitCount) s.stepType = defaults.stepType;

  const std::string windowKey = settingsKey(skyWindowSettingsKey);
  s.active = readFlag(windowKey, activeName, defaults.active);
  s.minimized = readFlag(windowKey, minimizedName, defaults.minimized);
  s.maximized = readFlag(windowKey, maximizedName, defaults.maximized);
  s.top = SettingsReadInt(windowKey, topName, defaults.top);
  s.left = SettingsReadInt(windowKey, leftName, defaults.left);
  s.bottom = SettingsReadInt(windowKey, bottomName, defaults.bottom);
  s.right = SettingsReadInt(windowKey, rightName, defaults.right);
  return s;
}

void writeSkySettings(const SkySettings& s, bool saveOptions, bool saveWindowState) {
  if (!saveOptions) return;
  const std::string key = settingsKey(skySettingsKey);
  SettingsWriteString(key, mapTypeName, mapTypeText(s.mapType));
  SettingsWriteInt(key, sunOnName, s.sunOn);
  SettingsWriteInt(key, moonOnName, s.moonOn);
  SettingsWriteInt(key, constellationNamesOnName, s.constellationNamesOn);
  SettingsWriteInt(key, constellationLinesOnName, s.constellationLinesOn);
  SettingsWriteInt(key, starNamesOnName, s.starNamesOn);
  SettingsWriteInt(key, starLettersOnName, s.starLettersOn);
  SettingsWriteInt(key, planetNamesOnName, s.planetNamesOn);
  SettingsWriteInt(key, planetSymbolsOnName, s.planetSymbolsOn);
  SettingsWriteString(key, planetDisplayModeName, planetDisplayModeText(s.planetDisplayMode));
  SettingsWriteInt(key, ngcObjectsOnName, s.ngcObjectsOn);
  SettingsWriteInt(key, ngcColourName, s.ngcColourOn);
  SettingsWriteString(key, gridTypeName, gridTypeText(s.gridType));
  SettingsWriteInt(key, eclipticOnName, s.eclipticOn);
  SettingsWriteInt(key, horizonOnName, s.horizonOn);
  SettingsWriteInt(key, viewLambdaName, static_cast<int>(s.viewLambda));
  SettingsWriteInt(key, viewPhiName, static_cast<int>(s.viewPhi));
  SettingsWriteInt(key, starsFixedName, s.starsFixed);
  SettingsWriteInt(key, stepValueName, s.stepValue);
  SettingsWriteInt(key, stepTypeName, s.stepType);
  if (!saveWindowState) return;
  const std::string windowKey = settingsKey(skyWindowSettingsKey);
  SettingsWriteInt(windowKey, activeName, s.active);
  SettingsWriteInt(windowKey, minimizedName, s.minimized);
  SettingsWriteInt(windowKey, maximizedName, s.maximized);
  SettingsWriteInt(windowKey, topName, s.top);
  SettingsWriteInt(windowKey, leftName, s.left);
  SettingsWriteInt(windowKey, bottomName, s.bottom);
  SettingsWriteInt(windowKey, rightName, s.right);
}

}  // namespace noctavo
