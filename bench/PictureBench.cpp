// The picture collection: building the list at start (the folder, the
// description file and the object links, no picture decoded) and showing a
// one-megapixel JPEG fitted to the window (decoding, scaling, painting).
#include <benchmark/benchmark.h>

#include "OffscreenApplication.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include "frame/WindowMessages.h"
#include "ShippedCatalogues.h"
#include "tools/PictureCollection.h"
#include "tools/PictureWindow.h"
#include "ui/SettingsStore.h"

static const bool pictureBenchApplicationMade = noctavo::bench::makeOffscreenApplication("noctavo_picture_bench");

namespace noctavo {
namespace {

const QDir buildFolder(QStringLiteral(NOCTAVO_BUILD_DIR));

void BM_BuildPictureList(benchmark::State& state) {
  if (!bench::loadShippedCatalogues()) {
    state.SkipWithError("the catalogues did not load");
    return;
  }
  for (auto _ : state) {
    PictureList list = buildPictureList(buildFolder.filePath(QStringLiteral("PICTURES")),
                                        buildFolder.filePath(QStringLiteral("Noctavo.pic")));
    pictureCollection().setEntries(std::move(list.entries));
    benchmark::DoNotOptimize(pictureCollection().count());
  }
  state.counters["pictures"] = pictureCollection().count();
}
BENCHMARK(BM_BuildPictureList)->Unit(benchmark::kMillisecond);

// M 42 and M 31 in turn, 1024 x 1024 each, in a window of 800 x 600: the
// picture is read, decoded, scaled to 600 x 600 and painted.
void BM_ShowOneMegapixelJpegFitted(benchmark::State& state) {
  if (!bench::loadShippedCatalogues()) {
    state.SkipWithError("the catalogues did not load");
    return;
  }
  registerWindowMessages();
  QTemporaryDir settingsFolder;
  FileSettingsStore store(settingsFolder.filePath(QStringLiteral("settings.ini")));
  setSettingsStore(&store);
  store.setValue(settingsKey("Picture"), "Fit to window", "1");
  {
    PictureWindow window(nullptr, nullptr, buildFolder.path());
    window.resize(800, 600);
    window.showNormal();
    const int pictures[] = {pictureCollection().findByFileName(QStringLiteral("m42.jpg")),
                            pictureCollection().findByFileName(QStringLiteral("m31.jpg"))};
    if (pictures[0] < 0 || pictures[1] < 0 || window.holder().image().isNull()) {
      state.SkipWithError("M 42 or M 31 is missing");
    } else {
      int turn = 0;
      for (auto _ : state) {
        window.showEntry(pictures[turn++ % 2]);
        const QPixmap shown = window.view()->viewport()->grab();
        benchmark::DoNotOptimize(shown);
      }
      state.counters["megapixels"] = window.holder().image().width() * window.holder().image().height() / 1e6;
    }
    window.saveAndRelease();
  }
  setSettingsStore(nullptr);
}
BENCHMARK(BM_ShowOneMegapixelJpegFitted)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace noctavo
