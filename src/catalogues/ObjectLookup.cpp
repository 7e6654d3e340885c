#include "catalogues/ObjectLookup.h"

#include <cstdint>
#include <optional>

#include "bodies/BodyRegistry.h"
#include "catalogues/Constellation.h"
#include "catalogues/ConstellationTable.h"
#include "catalogues/GreekLetter.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"

namespace noctavo {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view typedKey, std::string_view name) { return !name.empty() && typedKey == lookupKey(name); }

// The Latin genitive of each constellation, as a Bayer designation names
// it ("alpha Orionis"), by the constellation's abbreviation.
struct Genitive {
  const char* abbreviation;
  const char* genitive;
};
constexpr Genitive genitives[] = {
    {"And", "Andromedae"},     {"Ant", "Antliae"},          {"Aps", "Apodis"},
    {"Aqr", "Aquarii"},        {"Aql", "Aquilae"},          {"Ara", "Arae"},
    {"Ari", "Arietis"},        {"Aur", "Aurigae"},          {"Boo", "Bootis"},
    {"Cae", "Caeli"},          {"Cam", "Camelopardalis"},   {"Cnc", "Cancri"},
    {"CVn", "Canum Venaticorum"}, {"CMa", "Canis Majoris"}, {"CMi", "Canis Minoris"},
    {"Cap", "Capricorni"},     {"Car", "Carinae"},          {"Cas", "Cassiopeiae"},
    {"Cen", "Centauri"},       {"Cep", "Cephei"},           {"Cet", "Ceti"},
    {"Cha", "Chamaeleontis"},  {"Cir", "Circini"},          {"Col", "Columbae"},
    {"Com", "Comae Berenices"}, {"CrA", "Coronae Australis"}, {"CrB", "Coronae Borealis"},
    {"Crv", "Corvi"},          {"Crt", "Crateris"},         {"Cru", "Crucis"},
    {"Cyg", "Cygni"},          {"Del", "Delphini"},         {"Dor", "Doradus"},
    {"Dra", "Draconis"},       {"Equ", "Equulei"},          {"Eri", "Eridani"},
    {"For", "Fornacis"},       {"Gem", "Geminorum"},        {"Gru", "Gruis"},
    {"Her", "Herculis"},       {"Hor", "Horologii"},        {"Hya", "Hydrae"},
    {"Hyi", "Hydri"},          {"Ind", "Indi"},             {"Lac", "Lacertae"},
    {"Leo", "Leonis"},         {"LMi", "Leonis Minoris"},   {"Lep", "Leporis"},
    {"Lib", "Librae"},         {"Lup", "Lupi"},             {"Lyn", "Lyncis"},
    {"Lyr", "Lyrae"},          {"Men", "Mensae"},           {"Mic", "Microscopii"},
    {"Mon", "Monocerotis"},    {"Mus", "Muscae"},           {"Nor", "Normae"},
    {"Oct", "Octantis"},       {"Oph", "Ophiuchi"},         {"Ori", "Orionis"},
    {"Pav", "Pavonis"},        {"Peg", "Pegasi"},           {"Per", "Persei"},
    {"Phe", "Phoenicis"},      {"Pic", "Pictoris"},         {"Psc", "Piscium"},
    {"PsA", "Piscis Austrini"}, {"Pup", "Puppis"},          {"Pyx", "Pyxidis"},
    {"Ret", "Reticuli"},       {"Sge", "Sagittae"},         {"Sgr", "Sagittarii"},
    {"Sco", "Scorpii"},        {"Scl", "Sculptoris"},       {"Sct", "Scuti"},
    {"Ser", "Serpentis"},      {"Sex", "Sextantis"},        {"Tau", "Tauri"},
    {"Tel", "Telescopii"},     {"Tri", "Trianguli"},        {"TrA", "Trianguli Australis"},
    {"Tuc", "Tucanae"},        {"UMa", "Ursae Majoris"},    {"UMi", "Ursae Minoris"},
    {"Vel", "Velorum"},        {"Vir", "Virginis"},         {"Vol", "Volantis"},
    {"Vul", "Vulpeculae"},
};

// The constellation of an abbreviation or a name in either language; the
// table's Latin "Maior" is also found as people mostly spell it, "Major".
int constellationNamed(std::string_view key) {
  for (int i = 0; i < constellationCount; ++i) {
    std::string latin = constellationLatinName(i);
    if (const std::size_t at = latin.find("Maior"); at != std::string::npos) latin[at + 2] = 'j';
    if (sameName(key, constellationAbbreviation(i)) || sameName(key, constellationLatinName(i)) ||
        sameName(key, latin) || sameName(key, constellationEnglishName(i))) {
      return i;
    }
  }
  return -1;
}

// The constellation a Bayer designation names: as above, or by its genitive.
int constellationOfDesignation(std::string_view key) {
  if (const int named = constellationNamed(key); named >= 0) return named;
  for (const Genitive& entry : genitives) {
    if (sameName(key, entry.genitive)) return constellationIndexByAbbreviation(entry.abbreviation);
  }
  return -1;
}

// The body whose own name is the typed one, over the types in the order a
// name box lists them.
const AstBody* bodyNamed(const std::string& key) {
  for (ObjectType type : {ObjectType::Sun, ObjectType::Moon, ObjectType::Earth, ObjectType::Planet}) {
    int cursor = 0;
    while (const AstBody* body = nextBody(type, cursor)) {
      if (sameName(key, body->getName())) return body;
    }
  }
  if (const int constellation = constellationNamed(key); constellation >= 0) return constellationAt(constellation);
  int cursor = 0;
  while (const Star* star = nextStar(cursor, true)) {
    if (sameName(key, star->getName())) return star;
  }
  for (int i = 0; i < ngcCount(); ++i) {
    if (sameName(key, ngcAt(i)->getName())) return ngcAt(i);
  }
  return nullptr;
}

// A Greek letter at the start of a word of the key, with the digit that
// may follow it ('0' when none does).
struct BayerLetter {
  std::int32_t letter = GreekLetter::none;
  char suffix = Star::noSuffix;
};

// The symbol-font code of a letter back to the lower-case letter (a typed
// capital means the same star).
std::int32_t letterOfSymbol(unsigned char code) {
  for (std::int32_t i = 0; i <= GreekLetter::lastIndex; ++i) {
    if (GreekLetter(i).symbol() == code) return i % GreekLetter::letterCount;
  }
  return GreekLetter::none;
}

// "1".."9", "-1".."-9" or the superscripts ¹ ² ³ (Windows-1252) after the
// letter; nothing else may follow it.
std::optional<char> letterSuffix(std::string_view rest) {
  if (rest.empty()) return Star::noSuffix;
  if (rest.size() == 2 && rest[0] == '-') rest.remove_prefix(1);
  if (rest.size() != 1) return std::nullopt;
  switch (static_cast<unsigned char>(rest[0])) {
    case 0xB9: return '1';
    case 0xB2: return '2';
    case 0xB3: return '3';
    default: break;
  }
  if (isDigit(rest[0]) && rest[0] != '0') return rest[0];
  return std::nullopt;
}

std::optional<BayerLetter> bayerLetter(std::string_view word) {
  std::int32_t letter = GreekLetter::none;
  std::size_t length = 0;
  if (!word.empty() && !isAsciiLetter(word[0])) {
    letter = letterOfSymbol(static_cast<unsigned char>(word[0]));
    length = 1;
  } else {
    while (length < word.size() && isAsciiLetter(word[length])) ++length;
    const std::string letters(word.substr(0, length));
    for (std::int32_t i = 0; i < GreekLetter::letterCount && letter == GreekLetter::none; ++i) {
      if (letters == lookupKey(GreekLetter(i).name()) || letters == lookupKey(GreekLetter(i).abbreviation())) {
        letter = i;
      }
    }
  }
  if (letter == GreekLetter::none) return std::nullopt;
  const std::optional<char> suffix = letterSuffix(word.substr(length));
  if (!suffix) return std::nullopt;
  return BayerLetter{letter, *suffix};
}


// "alpha Ori": the letter word, then the constellation (a name may have two
// words: "alpha Canis Major", "alpha Canis Majoris").
const Star* starByBayer(std::string_view key) {
  const std::size_t blank = key.find(' ');
  if (blank == std::string_view::npos) return nullptr;
  const std::optional<BayerLetter> letter = bayerLetter(key.substr(0, blank));
  if (!letter) return nullptr;
  const Constellation* constellation = constellationAt(constellationOfDesignation(key.substr(blank + 1)));
  if (!constellation) return nullptr;
  for (std::int32_t index : constellation->stars()) {
    const Star* star = starAt(index);
    if (star && star->greekLetter() == letter->letter &&
        (letter->suffix == Star::noSuffix || star->letterSuffix() == letter->suffix)) {
      return star;
    }
  }
  return nullptr;
}

// The NGC object one of whose description items ("M 31, Andromeda Galaxy,
// PGC 2557") is the typed name.
const NgcObject* ngcByDescription(std::string_view key) {
  for (int i = 0; i < ngcCount(); ++i) {
    const NgcObject* object = ngcAt(i);
    std::string_view rest = object->description();
    while (!rest.empty()) {
      const std::size_t comma = rest.find(',');
      if (sameName(key, rest.substr(0, comma))) return object;
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  return nullptr;
}

}  // namespace

std::string lookupKey(std::string_view text) {
  std::string key;
  key.reserve(text.size());
  bool pendingBlank = false;
  for (char c : text) {
    if (isBlank(c)) {
      pendingBlank = !key.empty();
      continue;
    }
    // A blank between a letter and a number is only spelling: "M 31".
    if (pendingBlank && !(isDigit(c) && isAsciiLetter(key.back()))) key += ' ';
    pendingBlank = false;
    key += lowerAscii(c);
  }
  return key;
}

const AstBody* findObjectByUserName(std::string_view text) {
  const std::string key = lookupKey(text);
  if (key.empty()) return nullptr;
  if (const AstBody* body = bodyNamed(key)) return body;
  if (const Star* star = starByBayer(key)) return star;
  return ngcByDescription(key);
}

bool catalogueNameLess(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (isDigit(a[i]) && isDigit(b[j])) {
      // Compare the two numbers by value: leading zeros aside, the longer
      // run is the larger, and runs of one length compare digit by digit.
      while (i < a.size() && a[i] == '0') ++i;
      while (j < b.size() && b[j] == '0') ++j;
      std::size_t endA = i;
      std::size_t endB = j;
      while (endA < a.size() && isDigit(a[endA])) ++endA;
      while (endB < b.size() && isDigit(b[endB])) ++endB;
      if (endA - i != endB - j) return endA - i < endB - j;
      const int order = a.substr(i, endA - i).compare(b.substr(j, endB - j));
      if (order != 0) return order < 0;
      i = endA;
      j = endB;
      continue;
    }
    const auto ca = static_cast<unsigned char>(lowerAscii(a[i]));
    const auto cb = static_cast<unsigned char>(lowerAscii(b[j]));
    if (ca != cb) return ca < cb;
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

}  // namespace noctavo
