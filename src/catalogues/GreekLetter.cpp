#include "catalogues/GreekLetter.h"

#include <array>

namespace noctavo {
namespace {

constexpr std::array<const char*, GreekLetter::letterCount> letterNames = {
    "Alpha", "Beta", "Gamma", "Delta",   "Epsilon", "Zeta",    "Eta", "Theta",
    "Iota",  "Kappa", "Lambda", "Mu",    "Nu",      "Xi",      "Omicron", "Pi",
    "Rho",   "Sigma", "Tau",  "Upsilon", "Phi",     "Chi",     "Psi", "Omega",
};

constexpr std::array<const char*, GreekLetter::letterCount> letterAbbreviations = {
    "Alp", "Bet", "Gam", "Del", "Eps", "Zet", "Eta", "The", "Iot", "Kap", "Lam", "Mu",
    "Nu",  "Xi",  "Omi", "Pi",  "Rho", "Sig", "Tau", "Ups", "Phi", "Chi", "Psi", "Ome",
};

constexpr const char* noLetterText = "???";
constexpr unsigned char noLetterSymbol = '?';

// The symbol font holds alpha at 0x7F and runs on, but leaves 0xA7 out, so
// the last eight capitals sit one code higher.
constexpr unsigned char firstSymbol = 0x7F;
constexpr std::int32_t lettersBeforeGap = 40;

GreekLetter findIn(const std::array<const char*, GreekLetter::letterCount>& table, std::string_view text,
                   bool capital) {
  for (std::int32_t i = 0; i < GreekLetter::letterCount; ++i) {
    if (text == table[static_cast<std::size_t>(i)]) {
      return GreekLetter(capital ? i + GreekLetter::capitalOffset : i);
    }
  }
  return GreekLetter(GreekLetter::none);
}

}  // namespace

const char* GreekLetter::name() const {
  if (!isValid()) return noLetterText;
  return letterNames[static_cast<std::size_t>(index_ % letterCount)];
}

const char* GreekLetter::abbreviation() const {
  if (!isValid()) return noLetterText;
  return letterAbbreviations[static_cast<std::size_t>(index_ % letterCount)];
}

unsigned char GreekLetter::symbol() const {
  if (!isValid()) return noLetterSymbol;
  const std::int32_t code = firstSymbol + index_ + (index_ >= lettersBeforeGap ? 1 : 0);
  return static_cast<unsigned char>(code);
}

GreekLetter GreekLetter::fromAbbreviation(std::string_view text, bool capital) {
  return findIn(letterAbbreviations, text, capital);
}

GreekLetter GreekLetter::fromName(std::string_view text, bool capital) {
  return findIn(letterNames, text, capital);
}

}  // namespace noctavo
