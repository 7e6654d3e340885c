// The sky map's work per moment (the position tables), per repaint (the
// projection of every star) and per click (the nearest object), over the
// catalogues that come with the program.
#include <benchmark/benchmark.h>

#include "OffscreenApplication.h"
#include "PositionMethodArg.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "ShippedCatalogues.h"
#include "sky/SkyPainter.h"
#include "sky/SkyPositions.h"
#include "sky/SkyProjection.h"

static const bool skyBenchApplicationMade = noctavo::bench::makeOffscreenApplication("noctavo_sky_bench");

namespace noctavo {
namespace {

using bench::loadShippedCatalogues;

Observer londonEvening() {
  Observer observer;
  observer.dateTime = AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct);
  observer.location.latitude.set(51.5);
  observer.location.longitude.set(0.1);
  return observer;
}

// One moment of the Sky window: planets, Sun and Moon computed, every star
// and NGC object turned into the horizon, the ecliptic and the start's
// horizontal grid placed. Arg: the stars kept fixed (1) or not (0).
void BM_ComputeSkyPositions(benchmark::State& state) {
  if (!loadShippedCatalogues()) {
    state.SkipWithError("the catalogues did not load");
    return;
  }
  SkyPositionTables tables;
  allocateSkyPositionTables(tables);
  const Observer program = londonEvening();
  Observer sky = program;
  const bool starsFixed = state.range(0) != 0;
  const PositionMethodArg method(state.range(1));
  for (auto _ : state) {
    sky.dateTime.addStep(StepUnit::Minutes, 10);  // as the time bar browses
    computeSkyPositions(tables, sky, program, starsFixed);
    benchmark::DoNotOptimize(tables.starHorizontal.data());
  }
  state.counters["objects"] = static_cast<double>(starCount() + ngcCount());
}
BENCHMARK(BM_ComputeSkyPositions)->ArgNames({"starsFixed", "precise"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// What a moment adds for a grid of the other system: arg 0 the equatorial
// grid on the realistic map, arg 1 the horizontal grid on the equatorial map.
void BM_PlaceSkyLines(benchmark::State& state) {
  if (!loadShippedCatalogues()) {
    state.SkipWithError("the catalogues did not load");
    return;
  }
  SkyPositionTables tables;
  allocateSkyPositionTables(tables);
  const Observer observer = londonEvening();
  computeSkyPositions(tables, observer, observer, false);
  const bool equatorialMap = state.range(0) != 0;
  const MapType mapType = equatorialMap ? MapType::Equatorial : MapType::Realistic;
  const GridType gridType = equatorialMap ? GridType::Horizontal : GridType::Equatorial;
  for (auto _ : state) {
    placeSkyLines(tables, mapType, gridType);
    benchmark::DoNotOptimize(tables.lines.meridians.data());
  }
}
BENCHMARK(BM_PlaceSkyLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a repaint spends on projecting: every star of the tables.
void BM_ProjectEveryStar(benchmark::State& state) {
  if (!loadShippedCatalogues()) {
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
  if (!loadShippedCatalogues()) {
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

// Every layer switched on: panorama, ecliptic, an equatorial grid turned
// into the horizon, figures, NGC objects in two colours, stars with names
// and letters, constellation names, all planets with names and symbols,
// the Sun and the Moon.
SkySettings everyLayer() {
  SkySettings settings;
  settings.mapType = MapType::Realistic;
  settings.gridType = GridType::Equatorial;
  settings.eclipticOn = 1;
  settings.starNamesOn = 1;
  settings.starLettersOn = 1;
  settings.constellationNamesOn = 1;
  settings.constellationLinesOn = 1;
  settings.planetDisplayMode = PlanetDisplayMode::All;
  settings.planetNamesOn = 1;
  settings.planetSymbolsOn = 1;
  settings.sunOn = 1;
  settings.moonOn = 1;
  settings.horizonOn = 1;
  settings.ngcObjectsOn = 1;
  settings.ngcColourOn = 1;
  return settings;
}

// One repaint of a 1000 x 750 display into an offscreen image. Arg 0: the
// moment stays (a repaint after turning the view or an expose); arg 1: the
// moment moves on before each paint (browsing). Either way the paint only
// projects and draws: the positions, the ecliptic and the grid are turned
// with the tables, outside the timing.
void BM_PaintSky(benchmark::State& state) {
  if (!loadShippedCatalogues()) {
    state.SkipWithError("the catalogues did not load");
    return;
  }
  const bool newMoment = state.range(0) != 0;
  const PositionMethodArg method(state.range(1));
  SkyPositionTables tables;
  allocateSkyPositionTables(tables);
  Observer observer = londonEvening();
  const SkySettings settings = everyLayer();
  placeSkyLines(tables, settings.mapType, settings.gridType);
  computeSkyPositions(tables, observer, observer, false);
  QImage image(1000, 750, QImage::Format_RGB32);
  SkyPaintInput input;
  input.tables = &tables;
  input.settings = &settings;
  input.view = SkyView{180.0, 30.0};
  input.geometry = makeDisplayGeometry(750, 4.0 / 3.0);
  input.hasPicture = [](const NgcObject& object) { return object.magnitude() < 8.0f; };
  for (auto _ : state) {
    if (newMoment) {
      state.PauseTiming();
      observer.dateTime.addStep(StepUnit::Minutes, 10);
      computeSkyPositions(tables, observer, observer, false);
      state.ResumeTiming();
    }
    QPainter painter(&image);
    paintSky(painter, input);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PaintSky)->ArgNames({"newMoment", "precise"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace noctavo
