#pragma once

namespace noctavo {

// The command ids of the main menu and the toolbar. The frame routes each to
// the window that carries it out (its command table); a window names the
// ones it answers or keeps checked.
namespace command {
inline constexpr int fileNew = 40015;
inline constexpr int fileOpen = 100;
inline constexpr int fileSave = 101;
inline constexpr int fileSaveAs = 102;
inline constexpr int fileExit = 106;
inline constexpr int skyMapHorizontal = 110;
inline constexpr int skyMapEquatorial = 111;
inline constexpr int skyMapRealistic = 112;
inline constexpr int skyGridOff = 113;
inline constexpr int skyGridHorizontal = 114;
inline constexpr int skyGridEquatorial = 115;
inline constexpr int skyGridEcliptic = 116;
inline constexpr int skyFindObject = 118;
inline constexpr int skyOptions = 117;
inline constexpr int solarNames = 141;
inline constexpr int solarSymbols = 140;
inline constexpr int solarMoon = 142;
inline constexpr int solarOptions = 143;
inline constexpr int graphEdit = 160;
inline constexpr int graphCalculate = 161;
inline constexpr int graphOptions = 162;
inline constexpr int graphGuideLine = 164;
// The graph's values as a table, and its picture, for other programs.
inline constexpr int graphExportCsv = 165;
inline constexpr int graphExportPicture = 166;
inline constexpr int pictureControlPanel = 170;
inline constexpr int pictureFitToWindow = 65535;
inline constexpr int objectInfo = 40005;
inline constexpr int calculator = 181;
inline constexpr int symbolTable = 182;
inline constexpr int optionsDateTime = 200;
inline constexpr int optionsLocation = 40016;
inline constexpr int optionsAppearance = 201;
inline constexpr int windowCascade = 551;
inline constexpr int windowTile = 550;
inline constexpr int windowArrangeIcons = 552;
inline constexpr int helpContents = 220;
inline constexpr int helpSearch = 221;
inline constexpr int helpQuickTour = 40017;
inline constexpr int helpGlossary = 222;
inline constexpr int helpAbout = 223;
inline constexpr int showSky = 206;
inline constexpr int showSolarSystem = 202;
inline constexpr int showGraph = 205;
inline constexpr int showPicture = 204;
// The window list of the Window menu numbers the documents from here.
inline constexpr int firstDocumentWindow = 1250;
}  // namespace command

}  // namespace noctavo
