#include "shell/StartupChecks.h"

#include <QDir>
#include <QLockFile>
#include <QThread>
#include <QtGlobal>

namespace noctavo {

namespace {

constexpr const char* productName = "Noctavo";
constexpr const char* runtimeName = "Qt";
constexpr const char* lockName = "%1_Mutex";
// Between making its lock file and locking it an instance spends a moment.
constexpr unsigned long lockSettleMilliseconds = 50;

}  // namespace

StartupCheck checkOperatingSystem() { return {}; }

StartupCheck checkDisplay(int width, int height) {
  StartupCheck check;
  const QString product = QString::fromLatin1(productName);
  if (width == 0 || height == 0) {
    check.messages << QStringLiteral(
                          "%1 encountered an error on startup. Unable to determine your display "
                          "resolution.")
                          .arg(product);
  }
  if (width < minimumScreenWidth || height < minimumScreenHeight) {
    check.messages << QStringLiteral("Your display resolution is %1x%2. %3 needs %4x%5 or more to operate.")
                          .arg(width)
                          .arg(height)
                          .arg(product)
                          .arg(minimumScreenWidth)
                          .arg(minimumScreenHeight);
    check.refused = true;
  }
  return check;
}

StartupCheck checkRuntimeVersion(const char* runtimeVersion, int requiredMajor, int requiredMinor) {
  const QStringList parts = QString::fromLatin1(runtimeVersion ? runtimeVersion : "").split(QLatin1Char('.'));
  bool majorRead = false;
  bool minorRead = false;
  const int major = parts.value(0).toInt(&majorRead);
  const int minor = parts.value(1).toInt(&minorRead);
  const bool recentEnough =
      majorRead && minorRead && (major > requiredMajor || (major == requiredMajor && minor >= requiredMinor));
  if (recentEnough) return {};

  StartupCheck check;
  check.messages << QStringLiteral(
                        "In order for %1 to run, version %2.%3 or higher of %4 needs to be installed on "
                        "your system.")
                        .arg(QString::fromLatin1(productName))
                        .arg(requiredMajor)
                        .arg(requiredMinor)
                        .arg(QString::fromLatin1(runtimeName));
  check.refused = true;
  return check;
}

StartupCheck checkRuntimeVersion(const char* runtimeVersion) {
  return checkRuntimeVersion(runtimeVersion, QT_VERSION_MAJOR, QT_VERSION_MINOR);
}

QString singleInstanceLockPath() {
  QString folder = qEnvironmentVariable("NOCTAVO_LOCK_DIR");
  if (folder.isEmpty()) folder = QDir::tempPath();
  return QDir(folder).filePath(QString::fromLatin1(lockName).arg(QString::fromLatin1(productName)));
}

std::unique_ptr<QLockFile> acquireSingleInstanceLock() {
  auto lock = std::make_unique<QLockFile>(singleInstanceLockPath());
  // Only a lock whose owner has ended counts as stale, however long the
  // running instance has held it.
  lock->setStaleLockTime(0);
  if (lock->tryLock(0)) return lock;
  if (lock->error() != QLockFile::LockFailedError) return nullptr;
  // Qt takes a lock over only when it can read the owner's process id from
  // it; an empty or garbled lock file (a crash while it was being written, a
  // full disk) would stop every later start for good. A running instance
  // holds its lock file locked by the system as well, and
  // removeStaleLockFile() removes the file only when nobody does; the short
  // wait lets an instance that is just starting lock the file it has made.
  QThread::msleep(lockSettleMilliseconds);
  if (lock->removeStaleLockFile() && lock->tryLock(0)) return lock;
  return nullptr;
}

}  // namespace noctavo
