// Loading the city file as Select Location does each time it opens.
#include <benchmark/benchmark.h>

#include "ShippedCatalogues.h"
#include "catalogues/CityDatabase.h"

namespace noctavo {
namespace {

void BM_LoadCityFile(benchmark::State& state) {
  const std::string folder = bench::shippedDataFolder();
  CityDatabase db;
  for (auto _ : state) {
    db.read(folder);
    benchmark::DoNotOptimize(db.countries().data());
  }
  state.counters["countries"] = static_cast<double>(db.countries().size());
}
BENCHMARK(BM_LoadCityFile)->Unit(benchmark::kMillisecond);

void BM_SearchTownsAsTyped(benchmark::State& state) {
  CityDatabase db;
  db.read(bench::shippedDataFolder());
  for (auto _ : state) benchmark::DoNotOptimize(db.search("syd", 50));
}
BENCHMARK(BM_SearchTownsAsTyped)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace noctavo
