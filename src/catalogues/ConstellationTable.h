#pragma once

#include <string>

namespace noctavo {

// The 88 constellations in their fixed order. The index is the constellation
// number stored in the star and NGC files, so the order never changes.
constexpr int constellationCount = 88;

// The language constellation names are shown in.
constexpr int constellationLanguageLatin = 0;
constexpr int constellationLanguageEnglish = 1;

// Three-letter abbreviation ("And" .. "Vul"), Latin and English name of
// constellation 0..87. Any other index is an internal error and gives "".
const char* constellationAbbreviation(int index);
const char* constellationLatinName(int index);
const char* constellationEnglishName(int index);
// The Latin or English name, by the current language.
const char* constellationName(int index);

// 0 = Latin (the start value), 1 = English. Any other value is an internal
// error and leaves the language as it was.
int constellationLanguage();
void setConstellationLanguage(int language);

// The first constellation whose abbreviation equals the text regardless of
// letter case ("ori", "ORI" and "Ori" give Orion); -1 when none does.
int constellationIndexByAbbreviation(const std::string& text);

}  // namespace noctavo
