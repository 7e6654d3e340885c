#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "catalogues/Constellation.h"
#include "catalogues/ConstellationTable.h"
#include "catalogues/CoreServices.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "support/InternalErrorRecorder.h"

namespace noctavo::testing {

// A fresh folder for the data files of one test, removed afterwards.
class TempDataFolder {
 public:
  TempDataFolder() {
    static std::atomic<int> serial{0};
    path_ = std::filesystem::temp_directory_path() /
            ("noctavo-catalogues-" + std::to_string(std::random_device{}()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(path_);
  }
  ~TempDataFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDataFolder(const TempDataFolder&) = delete;
  TempDataFolder& operator=(const TempDataFolder&) = delete;

  std::string path() const { return path_.string(); }

  // Writes Noctavo.<extension> with exactly these bytes.
  void write(const std::string& extension, const std::string& bytes) const {
    std::ofstream(path_ / ("Noctavo." + extension), std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path path_;
};

inline void appendFloat(std::string& bytes, float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((bits >> shift) & 0xFF);
}

// One 15-byte record of the star file.
inline std::string starRecord(int letter, char suffix, float rightAscension, float declination, float magnitude,
                              int constellation) {
  std::string bytes(1, static_cast<char>(letter));
  bytes += suffix;
  appendFloat(bytes, rightAscension);
  appendFloat(bytes, declination);
  appendFloat(bytes, magnitude);
  return bytes + static_cast<char>(constellation);
}

// One record of the NGC file; the length bytes are those of the texts
// unless given.
struct NgcRecordFields {
  std::string name = "NGC 1976";
  int typeClass = 3;
  float rightAscension = 83.82f;
  float declination = -5.39f;
  int constellation = 59;  // Orion
  float size = 85.0f;
  float magnitude = 4.0f;
  std::string description = "Orion Nebula";
  int nameLength = -1000;         // -1000: the length of name
  int descriptionLength = -1000;  // -1000: the length of description
};

inline std::string ngcRecord(const NgcRecordFields& fields) {
  const auto length = [](int given, const std::string& text) {
    return static_cast<char>(given == -1000 ? static_cast<int>(text.size()) : given);
  };
  std::string bytes(1, length(fields.nameLength, fields.name));
  bytes += fields.name;
  bytes += static_cast<char>(fields.typeClass);
  appendFloat(bytes, fields.rightAscension);
  appendFloat(bytes, fields.declination);
  bytes += static_cast<char>(fields.constellation);
  appendFloat(bytes, fields.size);
  appendFloat(bytes, fields.magnitude);
  bytes += length(fields.descriptionLength, fields.description);
  return bytes + fields.description;
}

// The message of a data file that is missing or holds nothing: the
// program's words, then the file and the folder it was looked for in.
inline std::string wholeFileMessage(const std::string& words, const TempDataFolder& folder, const char* extension) {
  return words + "\nFile: Noctavo." + extension + "\nFolder: " + folder.path();
}

// Collects the messages shown to the user while it lives.
class UserMessageRecorder {
 public:
  struct Message {
    MessageSeverity severity;
    std::string text;
  };
  UserMessageRecorder() {
    previous_ = setUserMessageHandler(
        [this](MessageSeverity severity, const std::string& text) { messages_.push_back({severity, text}); });
  }
  ~UserMessageRecorder() { setUserMessageHandler(previous_); }
  UserMessageRecorder(const UserMessageRecorder&) = delete;
  UserMessageRecorder& operator=(const UserMessageRecorder&) = delete;

  std::size_t count() const { return messages_.size(); }
  const std::vector<Message>& messages() const { return messages_; }
  std::string text(std::size_t i = 0) const { return i < messages_.size() ? messages_[i].text : ""; }

 private:
  UserMessageHandler previous_;
  std::vector<Message> messages_;
};

// A boundary table small enough to follow by eye: everything from +60 up is
// Ursa Minor, a box 5h..6h from -10 up is Orion, the rest Andromeda.
inline const char* smallBoundaryFile() { return "0.0 24.0 60.0 UMi\n5.0 6.0 -10.0 Ori\n0.0 24.0 -90.0 And\n"; }

constexpr int andromeda = 0;
constexpr int orion = 59;
constexpr int ursaMinor = 83;

// Releases every catalogue after each test, so that tests do not see each
// other's stars, and restores the name language.
class CatalogueTest : public ::testing::Test {
 protected:
  void TearDown() override {
    releaseNgcCatalogue();
    releaseStars();
    releaseConstellations();
    setConstellationLanguage(constellationLanguageLatin);
  }

  TempDataFolder folder_;
};

}  // namespace noctavo::testing
