#pragma once

// The catalogues that come with the program (data/), loaded once for a
// whole test suite: core and GUI tests that check against real stars share
// this instead of each finding the folder and loading in its own way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogues/Constellation.h"
#include "catalogues/CoreServices.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "support/InternalErrorRecorder.h"

namespace noctavo::testing {

// The folder the build copies the data into (NOCTAVO_DATA_DIR, set by
// CTest), or the source folder when the tests run on their own.
inline std::string shippedDataFolder() {
  if (const char* dir = std::getenv("NOCTAVO_DATA_DIR")) {
    if (std::filesystem::exists(std::filesystem::path(dir) / "Noctavo.sta")) return dir;
  }
  return (std::filesystem::path(NOCTAVO_SOURCE_DIR) / "data").string();
}

// What one load of the shipped catalogues reported.
struct ShippedLoad {
  bool stars = false;    // constellations, boundaries, stars and names
  bool figures = false;  // constellation figures and name language
  bool ngc = false;
  std::string messages;  // every message meant for the user, one a line
  std::size_t internalErrors = 0;

  bool complete() const { return stars && figures && ngc && messages.empty() && internalErrors == 0; }
};

// Loads (afresh) everything the program reads at start-up from the shipped
// data folder, collecting instead of showing any message or internal error.
inline ShippedLoad loadShippedCatalogues() {
  ShippedLoad load;
  InternalErrorRecorder errors;
  const UserMessageHandler previous = setUserMessageHandler(
      [&load](MessageSeverity, const std::string& text) { load.messages += text + "\n"; });
  MemorySettingsStore settings;  // the default language, whatever the user's settings say
  const std::string folder = shippedDataFolder();
  load.stars = loadStars(folder);
  load.figures = loadConstellationFigures(folder, settings);
  load.ngc = loadNgcCatalogue(folder);
  setUserMessageHandler(previous);
  load.internalErrors = errors.count();
  return load;
}

inline void releaseShippedCatalogues() {
  releaseNgcCatalogue();
  releaseStars();
  releaseConstellations();
}

// A suite over the shipped catalogues: loaded once before its first test,
// released after its last. Every test fails at once if the load was not
// complete. Fixtures that add their own SetUp call this one first.
class ShippedCatalogueTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { shippedLoad_ = loadShippedCatalogues(); }
  static void TearDownTestSuite() { releaseShippedCatalogues(); }
  void SetUp() override {
    ASSERT_TRUE(shippedLoad_.complete()) << "the shipped catalogues did not load cleanly from "
                                         << shippedDataFolder() << ":\n"
                                         << shippedLoad_.messages;
  }

  static const ShippedLoad& shippedLoad() { return shippedLoad_; }

 private:
  static inline ShippedLoad shippedLoad_;
};

}  // namespace noctavo::testing
