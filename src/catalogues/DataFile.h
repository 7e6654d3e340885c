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

// Without the white space (isBlank) at the end or the start: for the lines
// of the data files. (Typed fields lose only their trailing spaces, with
// TrimTrailingBlanks of ui/DialogUtils.h.)
std::string_view trimTrailingBlanks(std::string_view text);
std::string_view trimLeadingBlanks(std::string_view text);
bool isBlankLine(std::string_view text);

// Splits at white space; empty pieces are dropped.
std::vector<std::string_view> splitWords(std::string_view text);

// A decimal number written as the whole of the word, read independently of
// the C locale (a shell that sets a comma locale must not change how the
// data files read). False when the word is not such a number.
bool parseFloat(std::string_view word, float& value);

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
