// The Solar system window's work: the orbits sampled once when the window
// is made, and one animation frame (the positions of the planets, the Earth
// and the Moon, the panel's values and a repaint), which has to fit many
// times into the animation's tenth of a second.
#include <benchmark/benchmark.h>

#include "OffscreenApplication.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "PositionMethodArg.h"
#include "bodies/QuantityBits.h"
#include "solar/SolarPainter.h"
#include "solar/SolarPositions.h"

static const bool solarBenchApplicationMade = noctavo::bench::makeOffscreenApplication("noctavo_solar_bench");

namespace noctavo {
namespace {

// The orbit lines are sampled by the classical method whichever is in force.
void BM_SampleSolarOrbits(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(sampleSolarOrbits());
}
BENCHMARK(BM_SampleSolarOrbits)->Unit(benchmark::kMillisecond);

// Args: the panel's quantity (heliocentric longitude; rise, the dearest) and
// the position method.
void BM_SolarAnimationFrame(benchmark::State& state) {
  const PositionMethodArg method(state.range(1));
  const SolarOrbits orbits = sampleSolarOrbits();
  Observer observer;
  observer.dateTime = AstDateTime(1, 3, 2024, 22.0, TimeKind::Lct);
  const SolarViewSize view{1000, 750};
  QImage image(view.width, view.height, QImage::Format_RGB32);
  const auto function = static_cast<std::uint32_t>(state.range(0));
  for (auto _ : state) {
    observer.dateTime.addDays(1);
    const SolarPositions positions = computeSolarPositions(observer);
    benchmark::DoNotOptimize(solarFunctionRows(function, observer));
    QPainter painter(&image);
    paintSolar(painter, {&orbits, &positions, view, 3, true, true, true});
  }
}
BENCHMARK(BM_SolarAnimationFrame)
    ->ArgsProduct({{quantity_bit::heliocentricLongitude, quantity_bit::rise}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace noctavo
