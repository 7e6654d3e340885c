// Opening Define User Location: the map list read, the world map decoded,
// fitted and drawn with the crosshair, as the user sees the dialog appear.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>

#include "time/Observer.h"
#include "ui/LocationDialog.h"
#include "ui/UserLocationDialog.h"

static const bool locationBenchApplicationMade = [] {
  if (QCoreApplication::instance() != nullptr) return true;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "noctavo_location_bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // deliberately never deleted: it outlives every benchmark
  return true;
}();

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
