// The Object Information window, offscreen: one step of its moment with the
// Moon on the current page (every row computed on its own, moonrise and
// moonset by bisection included), and opening Orion's star list.
#include <benchmark/benchmark.h>

#include "OffscreenApplication.h"

#include <QApplication>
#include <QTabBar>
#include <QTemporaryDir>

#include "ShippedCatalogues.h"
#include "bodies/AstMoon.h"
#include "bodies/BodyRegistry.h"
#include "frame/WindowMessages.h"
#include "tools/ObjectInfoWindow.h"
#include "ui/SettingsStore.h"

static const bool objectInfoBenchApplicationMade = noctavo::bench::makeOffscreenApplication("noctavo_object_info_bench");

namespace noctavo {
namespace {

void BM_StepTheMoonsCurrentPage(benchmark::State& state) {
  registerWindowMessages();
  QTemporaryDir settingsFolder;
  FileSettingsStore store(settingsFolder.filePath(QStringLiteral("settings.ini")));
  setSettingsStore(&store);
  {
    ObjectInfoWindow window(nullptr);
    window.showObject(theMoon());
    for (auto _ : state) sendTimeStep(&window, 60);
  }
  setSettingsStore(nullptr);
}
BENCHMARK(BM_StepTheMoonsCurrentPage)->Unit(benchmark::kMillisecond);

void BM_OpenOrionsStarList(benchmark::State& state) {
  if (!bench::loadShippedCatalogues()) {
    state.SkipWithError("the catalogues did not load");
    return;
  }
  registerWindowMessages();
  QTemporaryDir settingsFolder;
  FileSettingsStore store(settingsFolder.filePath(QStringLiteral("settings.ini")));
  setSettingsStore(&store);
  {
    ObjectInfoWindow window(nullptr);
    window.showObject(*bodyByName(ObjectType::Constellation, "Orion"));
    for (auto _ : state) {
      window.tabs()->setCurrentIndex(1);
      window.tabs()->setCurrentIndex(2);
    }
  }
  setSettingsStore(nullptr);
}
BENCHMARK(BM_OpenOrionsStarList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace noctavo
