// The sky map's work per moment (the position tables), per repaint (the
// projection of every star) and per click (the nearest object), over the
// catalogues that come with the program.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogues/Constellation.h"
#include "catalogues/CoreServices.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "sky/SkyPositions.h"
#include "sky/SkyProjection.h"

namespace noctavo {
namespace {

// The folder the build copies the data into, or the source folder.
std::string dataFolder() {
  if (const char* dir = std::getenv("NOCTAVO_DATA_DIR")) {
    if (std::filesystem::exists(std::filesystem::path(dir) / "Noctavo.sta")) return dir;
  }
  return (std::filesystem::path(__FILE__).parent_path() / ".." / "data").lexically_normal().string();
}

bool loadCatalogues() {
  static const bool loaded = [] {
    MemorySettingsStore settings;
    const std::string folder = dataFolder();
    return loadStars(folder) && loadConstellationFigures(folder, settings) && loadNgcCatalogue(folder);
  }();
  return loaded;
}

Observer londonEvening() {
  Observer observer;
  observer.dateTime = AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct);
  observer.location.latitude.set(51.5);
  observer.location.longitude.set(0.1);
  return observer;
}

// One moment of the Sky window: planets, Sun and Moon computed, every star
// and NGC object turned into the horizon.
void BM_ComputeSkyPositions(benchmark::State& state) {
  if (!loadCatalogues()) {
    state.SkipWithError("the catalogues did not load");
    return;
  }
  SkyPositionTables tables;
  allocateSkyPositionTables(tables);
  const Observer program = londonEvening();
  Observer sky = program;
  const bool starsFixed = state.range(0) != 0;
  for (auto _ : state) {
    sky.dateTime.addStep(StepUnit::Minutes, 10);  // as the time bar browses
    computeSkyPositions(tables, sky, program, starsFixed);
    benchmark::DoNotOptimize(tables.starHorizontal.data());
  }
  state.counters["objects"] = static_cast<double>(starCount() + ngcCount());
}
BENCHMARK(BM_ComputeSkyPositions)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a repaint spends on projecting: every star of the tables.
void BM_ProjectEveryStar(benchmark::State& state) {
  if (!loadCatalogues()) {
    state.SkipWithError("the catalogues did not load");
    return;
  }
  SkyPositionTables tables;
  allocateSkyPositionTables(tables);
  const Observer observer = londonEvening();
  computeSkyPositions(tables, observer, observer, false);
  const DisplayGeometry geometry = makeDisplayGeometry(768, 1.0);
  for (auto _ : state) {
    int visible = 0;
    for (const AstCoord& position : tables.starHorizontal) {
      visible += projectToScreen(135.0, 30.0, geometry, position).visible ? 1 : 0;
    }
    benchmark::DoNotOptimize(visible);
  }
}
BENCHMARK(BM_ProjectEveryStar)->Unit(benchmark::kMillisecond);

// One click with NGC objects shown: every candidate is measured.
void BM_FindNearestObject(benchmark::State& state) {
  if (!loadCatalogues()) {
    state.SkipWithError("the catalogues did not load");
    return;
  }
  SkyPositionTables tables;
  allocateSkyPositionTables(tables);
  const Observer observer = londonEvening();
  computeSkyPositions(tables, observer, observer, false);
  const DisplayGeometry geometry = makeDisplayGeometry(768, 1.0);
  SkySettings settings;
  settings.ngcObjectsOn = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(findNearestObject(tables, settings, geometry, SkyView{135.0, 30.0}, 200, 300));
  }
}
BENCHMARK(BM_FindNearestObject)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace noctavo
