#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogues/CoreServices.h"

namespace noctavo {

// Reading helpers shared by the catalogue readers. The data files are read
// whole (the largest is a few hundred kilobytes) and parsed from memory.

enum class FileReadResult {
  Complete,    // the whole file is in the buffer
  CannotOpen,  // no such file, or no permission
  ReadError,   // opened, but reading stopped before the end of the file
};

// The bytes of a file, read in binary mode.
FileReadResult readWholeFile(const std::string& path, std::string& bytes);

// One line of a text file, without its line end. A carriage return before
// the line feed is dropped as well, as text-mode reading does where the
// files come from.
struct TextLine {
  int number;  // from 1
  std::string_view text;
};

// The lines of a text file's contents. A last line without a line end
// counts; an empty file has no lines.
std::vector<TextLine> splitLines(std::string_view contents);

// White space as the C library's isspace sees it in the "C" locale.
constexpr bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view trimTrailingBlanks(std::string_view text);
std::string_view trimLeadingBlanks(std::string_view text);
bool isBlankLine(std::string_view text);

// Splits at white space; empty pieces are dropped.
std::vector<std::string_view> splitWords(std::string_view text);

// A decimal number written as the whole of the word, read independently of
// the C locale (a shell that sets a comma locale must not change how the
// data files read). False when the word is not such a number.
bool parseFloat(std::string_view word, float& value);

// A right ascension and declination, in degrees, that name a place on the
// sky: numbers, 0..360 and -90..90. A record with any other position is
// damaged; kept, it would reach the rise and set computation as a value no
// angle has.
bool isPlaceOnTheSky(float rightAscension, float declination);
// "right ascension 1e+09, declination 0": such a position in a message.
std::string positionText(float rightAscension, float declination);

// Whether a text holds a control character (below 0x20, or 0x7F): a name
// with one would show cut short or garbled and could not be found by what
// it shows.
bool hasControlCharacter(std::string_view text);

// The message about a whole data file that cannot be used (missing,
// empty): the program's words, then the file and the folder it was looked
// for in, so that the user knows what to put back where.
std::string dataFileMessage(const std::string& words, const std::string& folder, const char* extension);

// Equality of two ASCII texts regardless of letter case. Bytes above 0x7F
// are compared as they are, so the result does not depend on the C locale.
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b);

// Reads the fixed-size little-endian fields of the binary files.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t offset() const { return offset_; }
  std::size_t remaining() const { return bytes_.size() - offset_; }
  bool atEnd() const { return offset_ == bytes_.size(); }

  // Each returns false, and consumes nothing, when too few bytes remain.
  bool readInt8(std::int8_t& value);
  bool readUint8(std::uint8_t& value);
  bool readChar(char& value);
  bool readFloat(float& value);
  bool readText(std::size_t length, std::string& text);

 private:
  std::string_view bytes_;
  std::size_t offset_ = 0;
};

// Collects the problems found in one data file, so that a damaged file
// shows one message (the first problem and how many there were) instead of
// one message box per record.
class ProblemReport {
 public:
  void add(std::string text) {
    if (count_++ == 0) first_ = std::move(text);
  }
  int count() const { return count_; }
  const std::string& first() const { return first_; }
  // Shows the message, if there was any problem.
  void show() const;

 private:
  int count_ = 0;
  std::string first_;
};

}  // namespace noctavo
