#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "catalogues/ConstellationTable.h"
#include "time/AstCoord.h"
#include "ui/Options.h"
#include "ui/SettingsStore.h"

namespace noctavo::testing {

// A settings store of the test's own: a file in a temporary folder,
// installed for the Settings* operations while the object lives. The
// options, the observer and the angle display modes start from their
// defaults, and the clock is a fixed one (15.06.2001 12:00:00 LCT, standard
// time), so that no test ever reads or writes the user's settings or
// depends on the day it runs.
class TemporarySettings {
 public:
  TemporarySettings() : previous_(settingsStore()), filePath_(folder_.filePath(QStringLiteral("settings.ini"))) {
    resetProgramState();
    start();
  }
  ~TemporarySettings() {
    setSettingsStore(previous_);
    store_.reset();
    resetProgramState();
    setPlatformClock({});
  }
  TemporarySettings(const TemporarySettings&) = delete;
  TemporarySettings& operator=(const TemporarySettings&) = delete;

  FileSettingsStore& store() { return *store_; }
  const QString& filePath() const { return filePath_; }

  // The end of one run and the start of the next on the same file: the
  // store is written and dropped, a new one reads the file again.
  void restart() {
    store_.reset();
    start();
  }

  // The fixed moment the test clock gives.
  static AstDateTime fixedNow() { return AstDateTime(15, 6, 2001, 12.0, TimeKind::Lct); }

  // Options, observer, angle display modes, position method and the
  // constellation language as
  // an empty store gives them; the real-time clock stops.
  static void resetProgramState() {
    setRealTimeClockHost(nullptr);
    options() = Options{};
    observer() = Observer{};
    observer().location = options().listLocation;
    setAngleDisplayModes(AngleDisplayModes{});
    applyPositionMethodOption();
    setConstellationLanguage(constellationLanguageLatin);
    PlatformClock clock;
    clock.localNow = [] { return fixedNow(); };
    clock.zone = [](int& biasMinutes) {
      biasMinutes = 0;
      return PlatformClock::ZoneState::Standard;
    };
    setPlatformClock(clock);
  }

 private:
  void start() {
    store_ = std::make_unique<FileSettingsStore>(filePath_);
    setSettingsStore(store_.get());
  }

  FileSettingsStore* previous_;
  QTemporaryDir folder_;
  QString filePath_;
  std::unique_ptr<FileSettingsStore> store_;
};

}  // namespace noctavo::testing
