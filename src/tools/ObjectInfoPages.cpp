#include "tools/ObjectInfoPages.h"

#include <cstdio>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/Quantity.h"
#include "bodies/QuantityBits.h"
#include "catalogues/Constellation.h"
#include "catalogues/GreekLetter.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "time/AstCoord.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_OBI";

// Periods are kept in tropical years; the pages also give them in days.
constexpr double daysPerTropicalYear = 365.242199;

// The fixed data's angles are always shown in degrees, minutes and seconds,
// whatever the options say for the computed positions.
std::string fixedAngle(double degrees) { return formatAngle(degrees, false, AngleDisplayModes{}); }

std::string printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string printedInt(int value) { return std::to_string(value); }

// A star's magnitude in the program's one form ("%+.2f", "Unknown" for the
// catalogue's 9999).
std::string magnitudeText(double magnitude) {
  static const MagnitudeQuantity format("Magnitude", 0, 0, quantity_bit::magnitude, 0, 0);
  return format.format(magnitude);
}

std::vector<InfoValueRow> sunPhysical(const AstSun& sun) {
  return {{300, "Radius:", printed("%.3f", sun.radius() * 1e-8), "× 10⁸ m"},
          {303, "Mass:", printed("%.3f", sun.mass() * 1e-30), "× 10³⁰ kg"},
          {304, "Mean density:", printed("%.3f", sun.meanDensity()), "g/cm³"},
          {305, "Escape velocity:", printed("%.1f", sun.escapeVelocity()), "km/s"}};
}

std::vector<InfoValueRow> earthPhysical(const AstEarth& earth) {
  // The escape velocity is held in km/s (11.2) and is shown in that unit.
  return {{300, "Mean radius:", printed("%f", earth.meanRadius()), "km"},
          {301, "Flattening:", printed("%f", earth.flattening()), ""},
          {302, "Volume:", printed("%.4f", earth.volume() * 1e-12), "× 10¹² km³"},
          {303, "Mass:", printed("%.4f", earth.mass() * 1e-24), "× 10²⁴ kg"},
          {304, "Mean density:", printed("%.3f", earth.meanDensity()), "g/cm³"},
          {305, "Escape velocity:", printed("%.3f", earth.escapeVelocity()), "km/s"},
          {319, "Mean orbital velocity:", printed("%.3f", earth.meanVelocity()), "km/s"}};
}

std::vector<InfoValueRow> moonPhysical(const AstMoon& moon) {
  return {{300, "Radius:", printed("%.0f", moon.radius()), "km"},
          {303, "Mass:", printed("%.3f", moon.mass() * 1e-22), "× 10²² kg"},
          {304, "Mean density:", printed("%.3f", moon.meanDensity()), "g/cm³"},
          {305, "Escape velocity:", printed("%.3f", moon.escapeVelocity()), "km/s"},
          {309, "Mean albedo:", printed("%.3f", moon.albedo()), ""}};
}

std::vector<InfoValueRow> planetPhysical(const AstPlanet& planet) {
  return {{300, "Mean radius:", printed("%.0f", planet.equatorialRadius()), "km"},
          {301, "Flattening:", printed("%.3f", planet.flattening()), ""},
          {303, "Mass:", printed("%.3f", planet.mass() * 1e-22), "× 10²² kg"},
          {302, "Volume:", printed("%.3f", planet.volume()), "× volume of Earth"},
          {304, "Mean density:", printed("%.3f", planet.meanDensity()), "g/cm³"},
          {305, "Escape velocity:", printed("%.3f", planet.escapeVelocity()), "km/s"},
          {310, "Moons:", printedInt(planetMoonCount(planet.getIndex())), ""}};
}

std::vector<InfoValueRow> starPhysical(const Star& star) {
  const Constellation* constellation = star.constellation();
  const GreekLetter letter(star.greekLetter());
  std::string letterText;
  if (letter.isValid()) {
    letterText = std::string(letter.name()) + " (" + static_cast<char>(letter.symbol()) + ")";
  }
  return {{329, "Constellation:", constellation ? constellation->getName() : "Unknown", ""},
          {328, "Letter:", letterText, ""},
          {172, "Right ascension:", formatAngle(star.rightAscension(), true, AngleDisplayModes{}), ""},
          {173, "Declination:", fixedAngle(star.declination()), ""},
          {162, "Magnitude:", magnitudeText(star.magnitude()), ""}};
}

std::vector<InfoValueRow> ngcPhysical(const NgcObject& object) {
  return {{200, "Type:", object.typeText(), ""}, {222, "Description:", object.description(), ""}};
}

std::vector<InfoValueRow> sunOrbital(const AstSun& sun) {
  return {{311, "Ecliptic longitude at epoch:", fixedAngle(sun.eclipticLongitudeAtEpoch()), ""},
          {312, "Ecliptic longitude of perigee:", fixedAngle(sun.longitudeOfPerigee()), ""},
          {313, "Eccentricity:", printed("%.6f", sun.eccentricity()), ""},
          {314, "Semi-major axis:", printed("%.6f", sun.semiMajorAxis() * 1e-8), "× 10⁸ km"},
          {315, "Angular diameter:", fixedAngle(sun.angularDiameterAtSemiMajorAxis()), ""}};
}

std::vector<InfoValueRow> earthOrbital(const AstEarth& earth) {
  return {{325, "Tropical period:", printed("%.3f", earth.tropicalPeriod() * daysPerTropicalYear), "ephemeris days"},
          {326, "", printed("%.5f", earth.tropicalPeriod()), "tropical years"},
          {327, "Sidereal period:", printed("%.3f", earth.siderealPeriod()), "days"},
          {311, "Longitude at epoch:", fixedAngle(earth.longitudeAtEpoch()), ""},
          {312, "Longitude of perihelion:", fixedAngle(earth.longitudeOfPerihelion()), ""},
          {313, "Eccentricity:", printed("%.6f", earth.eccentricity()), ""},
          {319, "Mean orbital velocity:", printed("%.1f", earth.meanVelocity()), "km/s"},
          {306, "Minimum distance from Sun:", printed("%.1f", earth.minimumDistanceFromSun() * 1e-6), "× 10⁶ km"},
          {307, "Mean distance from Sun:", printed("%.1f", earth.meanDistanceFromSun() * 1e-6), "× 10⁶ km"},
          {308, "Maximum distance from Sun:", printed("%.1f", earth.maximumDistanceFromSun() * 1e-6), "× 10⁶ km"},
          {320, "Circumference of orbit:", printed("%.0f", earth.circumferenceOfOrbit()), "× 10⁶ km"}};
}

std::vector<InfoValueRow> moonOrbital(const AstMoon& moon) {
  return {{311, "Mean longitude at epoch:", fixedAngle(moon.meanLongitudeAtEpoch()), ""},
          {312, "Mean longitude of perigee at epoch:", fixedAngle(moon.meanLongitudeOfPerigeeAtEpoch()), ""},
          {317, "Mean longitude of node at epoch:", fixedAngle(moon.meanLongitudeOfNodeAtEpoch()), ""},
          {313, "Eccentricity:", printed("%.6f", moon.eccentricity()), ""},
          {314, "Semi-major axis:", printed("%.0f", moon.semiMajorAxis()), "km"},
          {316, "Inclination:", printed("%.6f", moon.inclination()), "°"},
          {315, "Angular size at distance a:", fixedAngle(moon.angularSizeAtSemiMajorAxis()), ""},
          {324, "Parallax at distance a:", printed("%.4f", moon.parallaxAtSemiMajorAxis()), "°"},
          {321, "Minimum distance from Earth:", printed("%.0f", moon.minimumDistance()), "km"},
          {322, "Mean distance from Earth:", printed("%.0f", moon.meanDistance()), "km"},
          {323, "Maximum distance from Earth:", printed("%.0f", moon.maximumDistance()), "km"},
          {325, "Sidereal period:", printed("%.5f", moon.siderealPeriod()), "mean days"}};
}

std::vector<InfoValueRow> planetOrbital(const AstPlanet& planet) {
  return {
      {325, "Tropical period:", printed("%.3f", planet.tropicalPeriod() * daysPerTropicalYear), "ephemeris days"},
      {326, "", printed("%.3f", planet.tropicalPeriod()), "tropical years"},
      {311, "Longitude at epoch:", fixedAngle(planet.longitudeAtEpoch()), ""},
      {312, "Longitude of perihelion:", fixedAngle(planet.longitudeOfPerihelion()), ""},
      {317, "Longitude of ascending node:", fixedAngle(planet.longitudeOfAscendingNode()), ""},
      {313, "Eccentricity:", printed("%.6f", planet.eccentricity()), ""},
      {314, "Semi-major axis:", printed("%.7f", planet.semiMajorAxis()), "AU"},
      {316, "Inclination:", printed("%.6f", planet.inclination()), "°"},
      {315, "Angular size at 1 AU:", printed("%.2f", planet.angularSizeAtOneAu()), "arcseconds"},
      {318, "Brightness factor:", printed("%.3f", planet.brightnessFactor() * 1e6), "× 10⁻⁶"},
      {319, "Mean orbital velocity:", printed("%.1f", planet.meanOrbitalVelocity()), "km/s"},
      {306, "Minimum distance from Sun:", printed("%.3f", planet.minimumDistanceFromSun()), "AU"},
      {307, "Mean distance from Sun:", printed("%.3f", planet.meanDistanceFromSun()), "AU"},
      {308, "Maximum distance from Sun:", printed("%.3f", planet.maximumDistanceFromSun()), "AU"},
      {320, "Circumference of orbit:", printed("%.0f", planet.circumferenceOfOrbit()), "× 10⁶ km"},
      {321, "Minimum distance from Earth:", printed("%.3f", planet.minimumDistanceFromEarth()), "AU"},
      {323, "Maximum distance from Earth:", printed("%.3f", planet.maximumDistanceFromEarth()), "AU"}};
}

}  // namespace

const char* infoTabTitle(InfoTab tab) {
  switch (tab) {
    case InfoTab::Current:
      return "Current Information";
    case InfoTab::Physical:
      return "Physical data";
    case InfoTab::Orbital:
      return "Orbital data";
  }
  return "";
}

const char* infoPageName(ObjectType type, InfoTab tab) {
  switch (tab) {
    case InfoTab::Current:
      if (type >= ObjectType::Sun && type <= ObjectType::NgcObject) return "DLG_INFOCURR";
      break;
    case InfoTab::Physical:
      switch (type) {
        case ObjectType::Sun: return "DLG_INFOPHYSSUN";
        case ObjectType::Moon: return "DLG_INFOPHYSMOON";
        case ObjectType::Planet: return "DLG_INFOPHYSPLANET";
        case ObjectType::Earth: return "DLG_INFOPHYSEARTH";
        case ObjectType::Star: return "DLG_INFOPHYSSTAR";
        case ObjectType::Constellation: return "DLG_INFOPHYSCONSTELL";
        case ObjectType::NgcObject: return "DLG_INFOPHYSNGC";
        default: break;
      }
      internalError(moduleName, 2076);
      return nullptr;
    case InfoTab::Orbital:
      switch (type) {
        case ObjectType::Sun: return "DLG_INFOORBSUN";
        case ObjectType::Moon: return "DLG_INFOORBMOON";
        case ObjectType::Planet: return "DLG_INFOORBPLANET";
        case ObjectType::Earth: return "DLG_INFOORBEARTH";
        case ObjectType::Star:
        case ObjectType::Constellation:
        case ObjectType::NgcObject: return "DLG_INFODUMMY";
        default: break;
      }
      internalError(moduleName, 2121);
      return nullptr;
  }
  internalError(moduleName, 2130);
  return nullptr;
}

std::vector<InfoValueRow> physicalInfoRows(const AstBody& object) {
  switch (object.getObjectType()) {
    case ObjectType::Sun: return sunPhysical(static_cast<const AstSun&>(object));
    case ObjectType::Moon: return moonPhysical(static_cast<const AstMoon&>(object));
    case ObjectType::Planet: return planetPhysical(static_cast<const AstPlanet&>(object));
    case ObjectType::Earth: return earthPhysical(static_cast<const AstEarth&>(object));
    case ObjectType::Star: return starPhysical(static_cast<const Star&>(object));
    case ObjectType::NgcObject: return ngcPhysical(static_cast<const NgcObject&>(object));
    default: return {};
  }
}

std::vector<InfoValueRow> orbitalInfoRows(const AstBody& object) {
  switch (object.getObjectType()) {
    case ObjectType::Sun: return sunOrbital(static_cast<const AstSun&>(object));
    case ObjectType::Moon: return moonOrbital(static_cast<const AstMoon&>(object));
    case ObjectType::Planet: return planetOrbital(static_cast<const AstPlanet&>(object));
    case ObjectType::Earth: return earthOrbital(static_cast<const AstEarth&>(object));
    default: return {};
  }
}

int planetMoonCount(int planetIndex) {
  // Confirmed moons as counted by the IAU's Minor Planet Center in 2024.
  constexpr int counts[8] = {0, 0, 2, 95, 146, 28, 16, 5};
  if (planetIndex < 0 || planetIndex >= 8) return -1;
  return counts[planetIndex];
}

std::string starLetterText(const Star& star) {
  const GreekLetter letter(star.greekLetter());
  if (!letter.isValid()) return {};
  std::string text(1, static_cast<char>(letter.symbol()));
  if (star.letterSuffix() != Star::noSuffix) text += star.letterSuffix();
  return text + " (" + letter.name() + ")";
}

std::vector<std::string> constellationStarLines(const Constellation& constellation) {
  std::vector<std::string> lines;
  for (const std::int32_t index : constellation.stars()) {
    const Star* star = starAt(index);
    if (!star) continue;
    const AstCoord position = star->equatorialPosition();
    std::string line = starLetterText(*star);
    line += '\t';
    line += position.formatFirst(true);
    line += '\t';
    line += position.formatSecond(false);
    line += '\t';
    line += printed("%.2f", star->magnitude());
    line += '\t';
    line += star->getName();
    lines.push_back(std::move(line));
  }
  return lines;
}

DisplayTargets displayTargetsFor(ObjectType type) {
  switch (type) {
    case ObjectType::Sun:
    case ObjectType::Moon:
    case ObjectType::Planet:
      return {true, true, true};
    case ObjectType::Earth:
      return {false, true, true};
    case ObjectType::Star:
    case ObjectType::Constellation:
      return {true, false, false};
    case ObjectType::NgcObject:
      return {true, false, true};
    default:
      return {};
  }
}

const CurrentInfoRow currentInfoRows[17] = {
    {124, 111, "Right ascension:"},   {125, 112, "Declination:"},      {202, 203, "Direction:"},
    {185, 163, "Constellation:"},     {191, 169, "Sign of Zodiac:"},   {180, 158, "Rise:"},
    {181, 159, "Set:"},               {189, 167, "Twilight begins:"},  {190, 168, "Twilight ends:"},
    {183, 161, "Phase:"},             {182, 160, "Angular size:"},     {184, 162, "Magnitude:"},
    {186, 164, "Distance from Earth:"}, {187, 165, "Distance from Sun:"}, {192, 170, "Heliocentric lon.:"},
    {193, 171, "Heliocentric lat.:"}, {188, 166, "Elongation:"},
};

}  // namespace noctavo
