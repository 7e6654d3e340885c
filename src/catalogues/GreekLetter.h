#pragma once

#include <cstdint>
#include <string_view>

namespace noctavo {

// A Greek letter of a Bayer designation: 0..23 are the lower-case letters
// alpha..omega, 24..47 the capitals in the same order (i + 24 is the capital
// of i), -1 is no letter. Star file, figure file, Object Information window
// and the symbol table share it. Copied by value.
class GreekLetter {
 public:
  static constexpr std::int32_t none = -1;
  static constexpr std::int32_t letterCount = 24;      // alpha..omega
  static constexpr std::int32_t capitalOffset = 24;    // capital of i is i + 24
  static constexpr std::int32_t lastIndex = 47;        // capital omega

  constexpr GreekLetter() = default;
  constexpr explicit GreekLetter(std::int32_t index) : index_(index) {}

  std::int32_t index() const { return index_; }
  // -1..47; anything else is no letter to every operation below.
  bool isValid() const { return index_ >= 0 && index_ <= lastIndex; }

  // "Alpha".."Omega"; a capital has the name of its lower-case letter; no
  // letter (and any index outside -1..47) gives "???".
  const char* name() const;
  // "Alp".."Ome" of a lower-case letter; a capital gives that of its
  // lower-case letter; no letter gives "???".
  const char* abbreviation() const;
  // Character code of the letter in the program's symbol font: 0x7F + i for
  // 0..39, 0x80 + i for 40..47 (0xA7 is not a letter there); '?' for none.
  unsigned char symbol() const;

  // The first lower-case letter whose abbreviation (or name) equals the
  // text exactly, plus 24 with the capital flag; -1 when none matches.
  static GreekLetter fromAbbreviation(std::string_view text, bool capital);
  static GreekLetter fromName(std::string_view text, bool capital);

  friend bool operator==(GreekLetter, GreekLetter) = default;

 private:
  std::int32_t index_ = none;
};

}  // namespace noctavo
