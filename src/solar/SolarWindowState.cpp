#include "solar/SolarWindowState.h"

#include <string>

#include "ui/SettingsStore.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace {

constexpr const char* namesOnName = "Names on";
constexpr const char* signsOnName = "Signs on";
constexpr const char* moonOnName = "Moon on";
constexpr const char* refreshName = "Refresh during animation";
constexpr const char* functionName = "Function";
constexpr const char* zoomName = "Zoom";
constexpr const char* stepValueName = "Step value";
constexpr const char* stepTypeName = "Step type";
constexpr const char* activeName = "Active";
constexpr const char* minimizedName = "Minimized";
constexpr const char* maximizedName = "Maximized";
constexpr const char* leftName = "Left";
constexpr const char* topName = "Top";
constexpr const char* rightName = "Right";
constexpr const char* bottomName = "Bottom";

// The time bar's count is 1..1000.
constexpr int smallestStepCount = 1;
constexpr int largestStepCount = 1000;

std::int32_t readFlag(const std::string& key, const char* name, std::int32_t defaultValue) {
  return SettingsReadBool(key, name, defaultValue != 0) ? 1 : 0;
}

}  // namespace

const char* const solarSettingsKey = "Solar system";
const char* const solarWindowSettingsKey = "Solar system\\Window";

SolarSettings readSolarSettings() {
  SolarSettings s;
  const SolarSettings defaults;
  const std::string key = settingsKey(solarSettingsKey);
  const std::string window = settingsKey(solarWindowSettingsKey);
  s.namesOn = readFlag(key, namesOnName, defaults.namesOn);
  s.signsOn = readFlag(key, signsOnName, defaults.signsOn);
  s.moonOn = readFlag(key, moonOnName, defaults.moonOn);
  s.refreshDuringAnimation = readFlag(key, refreshName, defaults.refreshDuringAnimation);
  const long long function = SettingsReadInt(key, functionName, static_cast<int>(defaults.function));
  s.function = function > 0 ? validSolarFunction(static_cast<std::uint32_t>(function)) : defaults.function;
  s.zoom = clampedZoom(SettingsReadInt(key, zoomName, defaults.zoom));
  s.stepValue = SettingsReadInt(key, stepValueName, defaults.stepValue);
  if (s.stepValue < smallestStepCount || s.stepValue > largestStepCount) s.stepValue = defaults.stepValue;
  s.stepType = SettingsReadInt(key, stepTypeName, defaults.stepType);
  if (s.stepType < 0 || s.stepType >= stepUnitCount) s.stepType = defaults.stepType;
  s.active = readFlag(window, activeName, defaults.active);
  s.minimized = readFlag(window, minimizedName, defaults.minimized);
  s.maximized = readFlag(window, maximizedName, defaults.maximized);
  s.left = SettingsReadInt(window, leftName, defaults.left);
  s.top = SettingsReadInt(window, topName, defaults.top);
  s.right = SettingsReadInt(window, rightName, defaults.right);
  s.bottom = SettingsReadInt(window, bottomName, defaults.bottom);
  return s;
}

void writeSolarSettings(const SolarSettings& s, bool saveOptions, bool saveWindowState) {
  if (!saveOptions) return;
  const std::string key = settingsKey(solarSettingsKey);
  SettingsWriteInt(key, namesOnName, s.namesOn);
  SettingsWriteInt(key, signsOnName, s.signsOn);
  SettingsWriteInt(key, moonOnName, s.moonOn);
  SettingsWriteInt(key, refreshName, s.refreshDuringAnimation);
  SettingsWriteString(key, functionName, std::to_string(s.function));
  SettingsWriteInt(key, zoomName, s.zoom);
  SettingsWriteInt(key, stepValueName, s.stepValue);
  SettingsWriteInt(key, stepTypeName, s.stepType);
  if (!saveWindowState) return;
  const std::string window = settingsKey(solarWindowSettingsKey);
  SettingsWriteInt(window, activeName, s.active);
  SettingsWriteInt(window, minimizedName, s.minimized);
  SettingsWriteInt(window, maximizedName, s.maximized);
  SettingsWriteInt(window, leftName, s.left);
  SettingsWriteInt(window, topName, s.top);
  SettingsWriteInt(window, rightName, s.right);
  SettingsWriteInt(window, bottomName, s.bottom);
}

}  // namespace noctavo
