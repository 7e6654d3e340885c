// Opening Define User Location: the map list read, the world map decoded,
// fitted and drawn with the crosshair, as the user sees the dialog appear.
#include <benchmark/benchmark.h>

#include "OffscreenApplication.h"

#include <QApplication>
#include <QPixmap>

#include "time/Observer.h"
#include "ui/LocationDialog.h"
#include "ui/UserLocationDialog.h"

static const bool locationBenchApplicationMade = noctavo::bench::makeOffscreenApplication("noctavo_location_bench");

namespace noctavo {
namespace {

void BM_OpenDefineUserLocationWithTheWorldMap(benchmark::State& state) {
  setLocationDataFolder(QStringLiteral(NOCTAVO_BUILD_DIR "/"));
  LocationRecord userLocation;
  for (auto _ : state) {
    UserLocationDialog dialog(nullptr, userLocation);
    dialog.show();
    const QPixmap shown = dialog.grab();
    benchmark::DoNotOptimize(shown);
    dialog.hide();
  }
}
BENCHMARK(BM_OpenDefineUserLocationWithTheWorldMap)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace noctavo
