#pragma once

// The catalogues that come with the program, for the benchmarks: the same
// folder the tests read (NOCTAVO_DATA_DIR, else data/ of the source tree),
// without the tests' framework.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogues/Constellation.h"
#include "catalogues/CoreServices.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"

namespace noctavo::bench {

inline std::string shippedDataFolder() {
  if (const char* dir = std::getenv("NOCTAVO_DATA_DIR")) {
    if (std::filesystem::exists(std::filesystem::path(dir) / "Noctavo.sta")) return dir;
  }
  return (std::filesystem::path(NOCTAVO_SOURCE_DIR) / "data").string();
}

// Loads everything the program reads at start-up, once per process.
inline bool loadShippedCatalogues() {
  static const bool loaded = [] {
    MemorySettingsStore settings;
    const std::string folder = shippedDataFolder();
    return loadStars(folder) && loadConstellationFigures(folder, settings) && loadNgcCatalogue(folder);
  }();
  return loaded;
}

}  // namespace noctavo::bench
