#pragma once

#include <string>
#include <vector>

#include "bodies/ObjectType.h"

namespace noctavo {

class AstBody;
class Constellation;
class Star;

// Control ids of the Object Information window "Dlg_ObjectInfoCtrl" and its
// pages.
namespace object_info {
inline constexpr int objectType = 1020;
inline constexpr int objectName = 154;
inline constexpr int tabs = 1018;
inline constexpr int timeKindLabel = 279;
inline constexpr int displaySky = 375;
inline constexpr int displaySolarSystem = 376;
inline constexpr int displayPicture = 378;
// The current page's boxes.
inline constexpr int coordSystemBox = 1011;
inline constexpr int timeKindBox = 1012;
// The constellation page: the number of its stars and their list (the list
// has the id of the name box, on its page).
inline constexpr int constellationStarCount = 327;
inline constexpr int constellationStars = 154;
// The text of the page of the types without that kind of data.
inline constexpr int noDataText = 1000;
}  // namespace object_info

// The tabs in their order.
enum class InfoTab { Current = 0, Physical = 1, Orbital = 2 };
constexpr int infoTabCount = 3;
const char* infoTabTitle(InfoTab tab);  // "Current Information", ...

// The page each tab shows for an object type ("DLG_INFOCURR",
// "DLG_INFOPHYSSUN", ... "DLG_INFODUMMY"); an object type or tab outside
// its enumeration is an internal error and gives null.
const char* infoPageName(ObjectType type, InfoTab tab);

inline constexpr const char* noSuchDataText = "The selected object has no such data";

// One line of a physical or orbital page: the value (in the program's byte
// encoding, angles with the symbol font's degree sign) between its label
// and its unit (both UTF-8).
struct InfoValueRow {
  int controlId;
  const char* label;
  std::string value;
  const char* unit;
};

// The fixed data of the object on the physical and orbital pages, in the
// order the page lists them. A type without such data gives no row; the
// constellation's star list is not a row (see constellationStarLines).
std::vector<InfoValueRow> physicalInfoRows(const AstBody& object);
std::vector<InfoValueRow> orbitalInfoRows(const AstBody& object);

// The number of known moons of planet 0..7; -1 for any other index.
int planetMoonCount(int planetIndex);

// A star's Bayer letter as the constellation list shows it: the letter's
// symbol, its suffix digit unless that is '0', then " (" name ")"; "" for a
// star without a letter.
std::string starLetterText(const Star& star);

// One line per star of the constellation, in its star order: letter text,
// right ascension, declination, magnitude ("%.2f") and name, separated by
// tab characters.
std::vector<std::string> constellationStarLines(const Constellation& constellation);

// Tab stops of the star list, in dialog units.
inline constexpr int constellationListTabStops[] = {45, 85, 125, 145};

// Which "Display in window" buttons the object's type allows.
struct DisplayTargets {
  bool sky = false;
  bool solarSystem = false;
  bool picture = false;
  friend bool operator==(DisplayTargets, DisplayTargets) = default;
};
DisplayTargets displayTargetsFor(ObjectType type);

// The label of a current-page row (each a quantity's label control), with
// its colon; the two position rows are named by the coordinate system.
struct CurrentInfoRow {
  int labelId;
  int valueId;
  const char* label;
};
extern const CurrentInfoRow currentInfoRows[17];

}  // namespace noctavo
