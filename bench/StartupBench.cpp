// Start-up to the first painted frame: the settings, the options and the
// observer, the bodies, the catalogues, the frame with its toolbar and status
// line, the Sky window, and one full paint of the frame.
#include <benchmark/benchmark.h>

#include "OffscreenApplication.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>

#include "frame/WindowMessages.h"
#include "shell/MainFrame.h"
#include "shell/Shell.h"
#include "ui/AppMessageBox.h"
#include "ui/SettingsStore.h"

static const bool startupBenchApplicationMade = noctavo::bench::makeOffscreenApplication("noctavo_startup_bench");

namespace noctavo {
namespace {

void BM_StartUpToFirstPaintedFrame(benchmark::State& state) {
  registerWindowMessages();
  QTemporaryDir settingsFolder;
  for (auto _ : state) {
    // A settings file of a run that has been here before (no welcome box).
    FileSettingsStore store(settingsFolder.filePath("settings.ini"));
    setSettingsStore(&store);
    {
      MainFrame frame;
      installCoreMessageHandlers(&frame);
      ShellInit(frame, QStringLiteral(NOCTAVO_BUILD_DIR));
      sendLayout(&frame);
      frame.resize(1280, 1024);
      frame.show();
      // grab() paints the frame and every child at once, as the first
      // expose does.
      const QPixmap firstFrame = frame.grab();
      benchmark::DoNotOptimize(firstFrame);

      state.PauseTiming();
      // NOCTAVO_STARTUP_SNAPSHOT=file.png keeps the painted frame to look at.
      if (const QString snapshot = qEnvironmentVariable("NOCTAVO_STARTUP_SNAPSHOT"); !snapshot.isEmpty()) {
        firstFrame.save(snapshot);
      }
      ShellShutdown();
      frame.hide();
    }
    QCoreApplication::processEvents();
    setSettingsStore(nullptr);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstPaintedFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace noctavo
