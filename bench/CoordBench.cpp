#include <benchmark/benchmark.h>

#include "time/AstCoord.h"
#include "time/AstDateTime.h"
#include "time/Observer.h"

namespace noctavo {
namespace {

Observer benchObserver() {
  Observer observer;
  observer.dateTime = AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct);
  observer.location.latitude.set(51.5);
  observer.location.longitude.set(0.1);
  observer.location.timeZone = 0.0f;
  return observer;
}

// One star to the sky map's frame: includes turning the observer's civil
// time into local sidereal time, as every horizontal conversion does.
void BM_ConvertEquatorialToHorizontal(benchmark::State& state) {
  const Observer observer = benchObserver();
  const AstCoord star(101.2875, -16.7161, CoordSystem::Equatorial);  // Sirius
  for (auto _ : state) {
    AstCoord coord = star;
    convertCoord(coord, CoordSystem::Horizontal, observer);
    benchmark::DoNotOptimize(coord);
  }
}
BENCHMARK(BM_ConvertEquatorialToHorizontal);

void BM_ToJulianDay(benchmark::State& state) {
  const AstDateTime moment(4, 10, 1957, 19.44, TimeKind::Gmt);
  for (auto _ : state) {
    benchmark::DoNotOptimize(moment.toJulianDay());
  }
}
BENCHMARK(BM_ToJulianDay);

void BM_SetFromJulianDay(benchmark::State& state) {
  const AstJulianDay day(2436116.31);
  AstDateTime moment;
  for (auto _ : state) {
    moment.setFromJulianDay(day);
    benchmark::DoNotOptimize(moment);
  }
}
BENCHMARK(BM_SetFromJulianDay);

}  // namespace
}  // namespace noctavo
