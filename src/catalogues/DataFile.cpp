#include "catalogues/DataFile.h"

#include <charconv>
#include <cstdio>
#include <memory>

namespace noctavo {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

FileReadResult readWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return FileReadResult::CannotOpen;
  char chunk[65536];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    bytes.append(chunk, got);
    if (got < sizeof chunk) break;
  }
  return std::ferror(file.get()) ? FileReadResult::ReadError : FileReadResult::Complete;
}

std::vector<TextLine> splitLines(std::string_view contents) {
  std::vector<TextLine> lines;
  int number = 0;
  std::size_t start = 0;
  while (start < contents.size()) {
    std::size_t end = contents.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? contents.size() : end + 1;
    if (end == std::string_view::npos) end = contents.size();
    std::string_view text = contents.substr(start, end - start);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    lines.push_back({++number, text});
    start = next;
  }
  return lines;
}

std::string_view trimTrailingBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view trimLeadingBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  return text;
}

bool isBlankLine(std::string_view text) { return trimLeadingBlanks(text).empty(); }

std::vector<std::string_view> splitWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isBlank(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !isBlank(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

bool parseFloat(std::string_view word, float& value) {
  // from_chars does not take the leading '+' that the C reader accepts.
  if (!word.empty() && word.front() == '+') word.remove_prefix(1);
  if (word.empty()) return false;
  float parsed = 0.0f;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
  if (error != std::errc() || end != word.data() + word.size()) return false;
  value = parsed;
  return true;
}

bool isPlaceOnTheSky(float rightAscension, float declination) {
  // Written so that a NaN fails every comparison and lands outside.
  return rightAscension >= 0.0f && rightAscension <= 360.0f && declination >= -90.0f && declination <= 90.0f;
}

std::string positionText(float rightAscension, float declination) {
  char text[96];
  std::snprintf(text, sizeof text, "right ascension %g, declination %g", static_cast<double>(rightAscension),
                static_cast<double>(declination));
  return text;
}

bool hasControlCharacter(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

std::string dataFileMessage(const std::string& words, const std::string& folder, const char* extension) {
  const std::string path = dataFilePath(folder, extension);
  const std::size_t separator = path.find_last_of("/\\");
  const std::string fileName = separator == std::string::npos ? path : path.substr(separator + 1);
  std::string shownFolder = separator == std::string::npos ? "." : path.substr(0, separator);
  if (shownFolder.empty()) shownFolder = path.substr(0, 1);  // the root folder itself
  return words + "\nFile: " + fileName + "\nFolder: " + shownFolder;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

bool ByteReader::readInt8(std::int8_t& value) {
  std::uint8_t byte = 0;
  if (!readUint8(byte)) return false;
  value = static_cast<std::int8_t>(byte);
  return true;
}

bool ByteReader::readUint8(std::uint8_t& value) {
  if (remaining() < 1) return false;
  value = static_cast<std::uint8_t>(bytes_[offset_++]);
  return true;
}

bool ByteReader::readChar(char& value) {
  if (remaining() < 1) return false;
  value = bytes_[offset_++];
  return true;
}

bool ByteReader::readFloat(float& value) {
  if (remaining() < 4) return false;
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) {
    bits = (bits << 8) | static_cast<std::uint8_t>(bytes_[offset_ + static_cast<std::size_t>(i)]);
  }
  offset_ += 4;
  value = std::bit_cast<float>(bits);
  return true;
}

bool ByteReader::readText(std::size_t length, std::string& text) {
  if (remaining() < length) return false;
  text.assign(bytes_.substr(offset_, length));
  offset_ += length;
  return true;
}

void ProblemReport::show() const {
  if (count_ == 0) return;
  std::string text = first_;
  if (count_ > 1) text += " (" + std::to_string(count_) + " problems in this file)";
  showUserMessage(MessageSeverity::Warning, text);
}

}  // namespace noctavo
