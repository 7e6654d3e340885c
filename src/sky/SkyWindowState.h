#pragma once

#include <string>

#include "bodies/AstBody.h"
#include "sky/SkyPositions.h"
#include "sky/SkyProjection.h"
#include "sky/SkyTypes.h"
#include "time/AstCoord.h"
#include "time/Observer.h"

namespace noctavo {

// What the Sky window, its control panel and its display share: the map
// settings, the window's own observer (its moment browses independently
// of the program's), the position tables for that moment, the display's
// geometry and the objects the user picked. The Sky window owns it; the
// panel and the display work on it.
struct SkyWindowState {
  SkySettings settings;
  Observer observer;  // the Sky window's moment, place and daylight-saving flag
  SkyPositionTables tables;
  DisplayGeometry geometry;
  const AstBody* selected = nullptr;     // shown in the panel, highlighted
  const AstBody* popupObject = nullptr;  // the last right click, for the popup menu
  // After the end of the run the catalogues are gone: nothing is drawn or
  // looked up any more.
  bool released = false;
};

// ---- The direction of view ------------------------------------------------

// The left and right arrows turn the azimuth by 45 degrees, staying in
// [0, 360).
double turnedLeft(double viewLambda);
double turnedRight(double viewLambda);
// The up (+1) and down (-1) arrows move to the next altitude step of the map.
double steppedAltitude(MapType mapType, double viewPhi, int steps);
// An arrow that would look beyond the zenith or the nadir is disabled.
bool upArrowEnabled(double viewPhi);
bool downArrowEnabled(double viewPhi);

// The direction of view that shows a map position (degrees, in the map's
// system): the nearest multiple of 45 degrees in azimuth, the altitude step
// the position belongs to.
SkyView viewTowards(MapType mapType, const AstCoord& mapPosition);

// A stored direction brought onto the steps the arrows use: a multiple of
// 45 in [0, 360) and an altitude of the map's steps within +-90 degrees.
SkyView viewOnSteps(MapType mapType, SkyView view);

// ---- Stored texts -----------------------------------------------------------

// "Hor", "Equ", "Realistic"; any other text reads as Realistic.
const char* mapTypeText(MapType mapType);
MapType mapTypeFromText(const std::string& text);
// "None", "Hor", "Equ"; any other text reads as Off.
const char* gridTypeText(GridType gridType);
GridType gridTypeFromText(const std::string& text);
// "None", "All", "Realistic"; any other text reads as Realistic.
const char* planetDisplayModeText(PlanetDisplayMode mode);
PlanetDisplayMode planetDisplayModeFromText(const std::string& text);

// ---- Settings -----------------------------------------------------------------

// The keys below the settings root: "Sky" and "Sky\Window".
extern const char* const skySettingsKey;
extern const char* const skyWindowSettingsKey;

// Every value of "\Sky" and "\Sky\Window"; a missing value takes its
// default, an unknown text its fallback.
SkySettings readSkySettings();
// "\Sky" when saveOptions is set, "\Sky\Window" only when saveWindowState is
// set as well. The direction of view is written in whole degrees.
void writeSkySettings(const SkySettings& settings, bool saveOptions, bool saveWindowState);

}  // namespace noctavo
