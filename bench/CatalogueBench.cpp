// Start-up load of the catalogues from the shipped data files: boundaries,
// stars, star names, constellation figures and the NGC objects. The program
// does this once before its first window shows; target below 30 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogues/Constellation.h"
#include "catalogues/CoreServices.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/ObjectLookup.h"
#include "catalogues/Star.h"

namespace {

std::string dataFolder() {
  if (const char* dir = std::getenv("NOCTAVO_DATA_DIR")) {
    if (std::filesystem::exists(std::filesystem::path(dir) / "Noctavo.sta")) return dir;
  }
  return (std::filesystem::path(NOCTAVO_SOURCE_DIR) / "data").string();
}

void BM_LoadAllCatalogues(benchmark::State& state) {
  const std::string folder = dataFolder();
  noctavo::MemorySettingsStore settings;
  for (auto _ : state) {
    bool loaded = noctavo::loadStars(folder);
    loaded &= noctavo::loadConstellationFigures(folder, settings);
    loaded &= noctavo::loadNgcCatalogue(folder);
    if (!loaded) state.SkipWithError("the data files did not load");
    benchmark::DoNotOptimize(noctavo::starCount() + noctavo::ngcCount());
  }
  state.counters["stars"] = noctavo::starCount();
  state.counters["ngcObjects"] = noctavo::ngcCount();
}
BENCHMARK(BM_LoadAllCatalogues)->Unit(benchmark::kMillisecond);

void BM_LoadStarsWithBoundariesAndNames(benchmark::State& state) {
  const std::string folder = dataFolder();
  for (auto _ : state) benchmark::DoNotOptimize(noctavo::loadStars(folder));
}
BENCHMARK(BM_LoadStarsWithBoundariesAndNames)->Unit(benchmark::kMillisecond);

void BM_LoadNgcCatalogue(benchmark::State& state) {
  const std::string folder = dataFolder();
  for (auto _ : state) benchmark::DoNotOptimize(noctavo::loadNgcCatalogue(folder));
}
BENCHMARK(BM_LoadNgcCatalogue)->Unit(benchmark::kMillisecond);

void BM_BoundarySearchOverAllStars(benchmark::State& state) {
  noctavo::loadStars(dataFolder());
  for (auto _ : state) {
    int sum = 0;
    for (int i = 0; i < noctavo::starCount(); ++i) {
      const noctavo::Star* star = noctavo::starAt(i);
      sum += noctavo::constellationIndexAt(star->rightAscension() / 15.0, star->declination());
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_BoundarySearchOverAllStars)->Unit(benchmark::kMillisecond);

// A name typed into Find Object: the worst case is a name that matches
// nothing, which walks every name and every NGC description. It answers
// an OK button, so anything below about 50 ms feels instant.
void BM_FindObjectByUserName(benchmark::State& state) {
  const std::string folder = dataFolder();
  noctavo::MemorySettingsStore settings;
  noctavo::loadStars(folder);
  noctavo::loadConstellationFigures(folder, settings);
  noctavo::loadNgcCatalogue(folder);
  const char* typed[] = {"M31", "alpha Ori", "Orion Nebula", "no such object"};
  for (auto _ : state) benchmark::DoNotOptimize(noctavo::findObjectByUserName(typed[state.range(0)]));
  state.SetLabel(typed[state.range(0)]);
}
BENCHMARK(BM_FindObjectByUserName)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
