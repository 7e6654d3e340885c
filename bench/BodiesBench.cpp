#include <benchmark/benchmark.h>

#include <cstdint>

#include "bodies/AstMoon.h"
#include "bodies/AstSun.h"
#include "bodies/QuantityBits.h"
#include "PositionMethodArg.h"

namespace noctavo {
namespace {

namespace bit = quantity_bit;

// London with summer time: the observer the Sky window and the graphs
// typically compute for.
Observer londonObserver() {
  Observer observer;
  observer.dateTime = AstDateTime(21, 6, 2024, 22.5, TimeKind::Lct);
  observer.location.latitude = AstLatitude(51.5);
  observer.location.longitude = AstLongitude(0.13);
  observer.location.timeZone = 0.0f;
  observer.daylightSaving = true;
  return observer;
}

// What the Sky window asks of the Sun and the Moon on every moment change.
void BM_SunPosition(benchmark::State& state) {
  const PositionMethodArg method(state.range(0));
  const Observer observer = londonObserver();
  BodyState out;
  for (auto _ : state) {
    theSun().compute(bit::position, observer, out, TimeKind::Lct, CoordSystem::Equatorial);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_SunPosition)->ArgName("precise")->Arg(0)->Arg(1);

void BM_MoonPosition(benchmark::State& state) {
  const PositionMethodArg method(state.range(0));
  const Observer observer = londonObserver();
  BodyState out;
  for (auto _ : state) {
    theMoon().compute(bit::position, observer, out, TimeKind::Lct, CoordSystem::Equatorial);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_MoonPosition)->ArgName("precise")->Arg(0)->Arg(1);

// Sunrise, sunset and both ends of astronomical twilight of one day.
void BM_SunRiseSetTwilight(benchmark::State& state) {
  const PositionMethodArg method(state.range(0));
  Observer observer = londonObserver();
  observer.dateTime.setMonth(12);  // a day with astronomical twilight
  BodyState out;
  for (auto _ : state) {
    theSun().compute(bit::events, observer, out, TimeKind::Lct, CoordSystem::Equatorial);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_SunRiseSetTwilight)->ArgName("precise")->Arg(0)->Arg(1);

// Moonrise and moonset of one day: two bisections of the day to 10 s.
void BM_MoonRiseSetOneDay(benchmark::State& state) {
  const PositionMethodArg method(state.range(0));
  const Observer observer = londonObserver();
  BodyState out;
  for (auto _ : state) {
    theMoon().compute(bit::rise | bit::set, observer, out, TimeKind::Lct, CoordSystem::Equatorial);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_MoonRiseSetOneDay)->ArgName("precise")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A graph line of moonrise and moonset over a year: 366 daily moments.
void BM_MoonRiseSetYearOfDays(benchmark::State& state) {
  const Observer first = londonObserver();
  BodyState out;
  for (auto _ : state) {
    Observer observer = first;
    for (int day = 0; day < 366; ++day) {
      theMoon().compute(bit::rise | bit::set, observer, out, TimeKind::Lct, CoordSystem::Equatorial);
      benchmark::DoNotOptimize(out);
      observer.dateTime.addDays(1);
    }
  }
}
BENCHMARK(BM_MoonRiseSetYearOfDays)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace noctavo
