#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "bodies/AstPlanet.h"
#include "bodies/QuantityBits.h"

namespace noctavo {
namespace {

namespace bit = quantity_bit;

Observer benchObserver() {
  Observer observer;
  observer.dateTime = AstDateTime(3, 11, 2023, 21.5, TimeKind::Lct);
  observer.location.latitude = AstLatitude(48.2);
  observer.location.longitude = AstLongitude(-16.4);
  observer.location.timeZone = 1.0f;
  return observer;
}

std::array<const AstPlanet*, 8> allPlanets() {
  std::array<const AstPlanet*, 8> planets{};
  int cursor = 0;
  for (const AstPlanet*& planet : planets) planet = nextPlanet(cursor);
  return planets;
}

// What the Solar system view recomputes on every moment change: heliocentric
// longitude and distance from the Sun of every planet.
void BM_SolarSystemViewEightPlanets(benchmark::State& state) {
  const Observer observer = benchObserver();
  const auto planets = allPlanets();
  BodyState out;
  for (auto _ : state) {
    for (const AstPlanet* planet : planets) {
      planet->compute(bit::heliocentricLongitude | bit::distanceFromSun, observer, out, TimeKind::None,
                      CoordSystem::None);
      benchmark::DoNotOptimize(out);
    }
  }
  state.SetItemsProcessed(state.iterations() * 8);
}
BENCHMARK(BM_SolarSystemViewEightPlanets);

// Every quantity of the panel for all eight planets at one moment, one
// request per planet: heliocentric position, distances, elongation, phase,
// magnitude, angular size, direction, zodiac, rising and setting.
void BM_SolarSystemPanelEveryQuantityEightPlanets(benchmark::State& state) {
  const Observer observer = benchObserver();
  const auto planets = allPlanets();
  std::uint32_t flags = 0;
  for (const Quantity* quantity : planets[0]->quantities()) flags |= quantity->flag();
  BodyState out;
  for (auto _ : state) {
    for (const AstPlanet* planet : planets) {
      planet->compute(flags, observer, out, TimeKind::Lct, CoordSystem::Equatorial);
      benchmark::DoNotOptimize(out);
    }
  }
  state.SetItemsProcessed(state.iterations() * 8);
}
BENCHMARK(BM_SolarSystemPanelEveryQuantityEightPlanets);

// The panel as it is filled: one chosen quantity per planet, here each of
// the fifteen in turn, so one iteration is 15 x 8 requests.
void BM_SolarSystemPanelEachQuantityInTurn(benchmark::State& state) {
  const Observer observer = benchObserver();
  const auto planets = allPlanets();
  BodyState out;
  for (auto _ : state) {
    for (const Quantity* quantity : planets[0]->quantities()) {
      for (const AstPlanet* planet : planets) {
        planet->compute(quantity->flag(), observer, out, TimeKind::Lct, CoordSystem::Equatorial);
        benchmark::DoNotOptimize(out);
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * 15 * 8);
}
BENCHMARK(BM_SolarSystemPanelEachQuantityInTurn);

// One planet's position, as the Sky window asks for it.
void BM_OnePlanetEquatorialPosition(benchmark::State& state) {
  const Observer observer = benchObserver();
  const AstPlanet* mars = planetByIndex(2);
  BodyState out;
  for (auto _ : state) {
    mars->compute(bit::position, observer, out, TimeKind::Lct, CoordSystem::Equatorial);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_OnePlanetEquatorialPosition);

void BM_OnePlanetHorizontalPosition(benchmark::State& state) {
  const Observer observer = benchObserver();
  const AstPlanet* mars = planetByIndex(2);
  BodyState out;
  for (auto _ : state) {
    mars->compute(bit::position, observer, out, TimeKind::Lct, CoordSystem::Horizontal);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_OnePlanetHorizontalPosition);

}  // namespace
}  // namespace noctavo
