#include "catalogues/ConstellationTable.h"

#include <array>

#include "catalogues/DataFile.h"
#include "time/InternalError.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "astcnst";

struct ConstellationNames {
  const char* abbreviation;
  const char* latin;
  const char* english;
};

// The program's own spellings ("Canis Maior", "Scorpio", "Toucana") are part
// of its texts and are kept as they are.
constexpr std::array<ConstellationNames, constellationCount> constellationNames = {{
    {"And", "Andromeda", "Andromeda"},
    {"Ant", "Antlia", "Airpump"},
    {"Aps", "Apus", "Bee"},
    {"Aqr", "Aquarius", "Water Bearer"},
    {"Aql", "Aquila", "Eagle"},
    {"Ara", "Ara", "Altar"},
    {"Ari", "Aries", "Ram"},
    {"Aur", "Auriga", "Charioteer"},
    {"Boo", "Bootes", "Herdsman"},
    {"Cae", "Caelum", "Sculptor's Tool"},
    {"Cam", "Camelopardalis", "Giraffe"},
    {"Cnc", "Cancer", "Crab"},
    {"CVn", "Canes Venatici", "Hunting Dogs"},
    {"CMa", "Canis Maior", "Great Dog"},
    {"CMi", "Canis Minor", "Little Dog"},
    {"Cap", "Capricornus", "Sea Goat"},
    {"Car", "Carina", "Keel of Argo"},
    {"Cas", "Cassiopeia", "Cassiopeia"},
    {"Cen", "Centaurus", "Centaur"},
    {"Cep", "Cepheus", "Cepheus"},
    {"Cet", "Cetus", "Whale"},
    {"Cha", "Chamaeleon", "Chameleon"},
    {"Cir", "Circinus", "Compasses"},
    {"Col", "Columba", "Dove"},
    {"Com", "Coma Berenices", "Berenice's Hair"},
    {"CrA", "Corona Australis", "Southern Crown"},
    {"CrB", "Corona Borealis", "Northern Crown"},
    {"Crv", "Corvus", "Crow"},
    {"Crt", "Crater", "Cup"},
    {"Cru", "Crux", "Southern Cross"},
    {"Cyg", "Cygnus", "Swan"},
    {"Del", "Delphinus", "Dolphin"},
    {"Dor", "Dorado", "Swordfish"},
    {"Dra", "Draco", "Dragon"},
    {"Equ", "Equuleus", "Little Horse"},
    {"Eri", "Eridanus", "Eridanus"},
    {"For", "Fornax", "Furnace"},
    {"Gem", "Gemini", "Twins"},
    {"Gru", "Grus", "Crane"},
    {"Her", "Hercules", "Hercules"},
    {"Hor", "Horologium", "Clock"},
    {"Hya", "Hydra", "Sea Serpent"},
    {"Hyi", "Hydrus", "Little Snake"},
    {"Ind", "Indus", "Indian"},
    {"Lac", "Lacerta", "Lizard"},
    {"Leo", "Leo", "Lion"},
    {"LMi", "Leo Minor", "Little Lion"},
    {"Lep", "Lepus", "Hare"},
    {"Lib", "Libra", "Scales"},
    {"Lup", "Lupus", "Wolf"},
    {"Lyn", "Lynx", "Lynx"},
    {"Lyr", "Lyra", "Lyre"},
    {"Men", "Mensa", "Table Mountain"},
    {"Mic", "Microscopium", "Microscope"},
    {"Mon", "Monoceros", "Unicorn"},
    {"Mus", "Musca", "Southern Fly"},
    {"Nor", "Norma", "Rule"},
    {"Oct", "Octans", "Octant"},
    {"Oph", "Ophiuchus", "Serpent Bearer"},
    {"Ori", "Orion", "Orion"},
    {"Pav", "Pavo", "Peacock"},
    {"Peg", "Pegasus", "Flying Horse"},
    {"Per", "Perseus", "Perseus"},
    {"Phe", "Phoenix", "Phoenix"},
    {"Pic", "Pictor", "Painter"},
    {"Psc", "Pisces", "Fish"},
    {"PsA", "Pisces Austrinus", "Southern Fish"},
    {"Pup", "Puppis", "Poop of Argo"},
    {"Pyx", "Pyxis", "Mariner's Compass"},
    {"Ret", "Reticulum", "Net"},
    {"Sge", "Sagitta", "Arrow"},
    {"Sgr", "Sagittarius", "Archer"},
    {"Sco", "Scorpio", "Scorpion"},
    {"Scl", "Sculptor", "Sculptor"},
    {"Sct", "Scutum", "Shield"},
    {"Ser", "Serpens", "Serpent"},
    {"Sex", "Sextans", "Sextant"},
    {"Tau", "Taurus", "Bull"},
    {"Tel", "Telescopium", "Telescope"},
    {"Tri", "Triangulum", "Triangle"},
    {"TrA", "Triangulum Australe", "Southern Triangle"},
    {"Tuc", "Tucana", "Toucana"},
    {"UMa", "Ursa Maior", "Big Dipper"},
    {"UMi", "Ursa Minor", "Little Dipper"},
    {"Vel", "Vela", "Sail of Argos"},
    {"Vir", "Virgo", "Virgin"},
    {"Vol", "Volans", "Flying Fish"},
    {"Vul", "Vulpecula", "Fox"},
}};

// Set by the appearance options; read by every view when it draws names.
int currentLanguage = constellationLanguageLatin;

const ConstellationNames* namesAt(int index) {
  if (index < 0 || index >= constellationCount) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return nullptr;
  }
  return &constellationNames[static_cast<std::size_t>(index)];
}

}  // namespace

const char* constellationAbbreviation(int index) {
  const ConstellationNames* names = namesAt(index);
  return names ? names->abbreviation : "";
}

const char* constellationLatinName(int index) {
  const ConstellationNames* names = namesAt(index);
  return names ? names->latin : "";
}

const char* constellationEnglishName(int index) {
  const ConstellationNames* names = namesAt(index);
  return names ? names->english : "";
}

const char* constellationName(int index) {
  return currentLanguage == constellationLanguageEnglish ? constellationEnglishName(index)
                                                         : constellationLatinName(index);
}

int constellationLanguage() { return currentLanguage; }

void setConstellationLanguage(int language) {
  if (language != constellationLanguageLatin && language != constellationLanguageEnglish) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  currentLanguage = language;
}

int constellationIndexByAbbreviation(const std::string& text) {
  for (int index = 0; index < constellationCount; ++index) {
    // ASCII folding only, so that the result does not depend on the C locale.
    if (equalIgnoringAsciiCase(text, constellationNames[static_cast<std::size_t>(index)].abbreviation)) return index;
  }
  return -1;
}

}  // namespace noctavo
