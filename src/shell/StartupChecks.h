#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

namespace noctavo {

// The checks the program runs before it opens its frame. Each gives the
// messages to show (system message boxes captioned with the product name)
// and whether the start is refused; a refused start ends with exit code 0
// and writes nothing.

inline constexpr int minimumScreenWidth = 1024;   // pixels
inline constexpr int minimumScreenHeight = 768;   // pixels

struct StartupCheck {
  QStringList messages;  // in the order they are shown
  bool refused = false;
};

// The operating-system family. There are no legacy families to turn away
// on this platform: it always passes.
StartupCheck checkOperatingSystem();

// A screen that reads as 0 in either direction first gets the message that
// the resolution cannot be determined; then any screen below 1024 x 768 gets
// the resolution message with the size read, and the start is refused.
StartupCheck checkDisplay(int width, int height);

// The Qt runtime the program runs on must be at least the version it was
// built with (major and minor). runtimeVersion is qVersion()'s text; one
// that does not read as "major.minor..." is refused as too old.
StartupCheck checkRuntimeVersion(const char* runtimeVersion, int requiredMajor, int requiredMinor);
StartupCheck checkRuntimeVersion(const char* runtimeVersion);  // against the version built with

// One instance at a time: a lock file named "Noctavo_Mutex" in the
// temporary folder (NOCTAVO_LOCK_DIR names another folder). It is held as
// long as the returned object lives; null when another instance holds it.
// A lock that no running instance holds is taken over, whatever the file
// left behind holds (also nothing, or bytes that are no lock record).
QString singleInstanceLockPath();
std::unique_ptr<QLockFile> acquireSingleInstanceLock();

}  // namespace noctavo
