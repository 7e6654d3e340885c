// The checks the program makes before its first window: the platform, the
// screen, the Qt runtime and the single running instance.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <memory>
#include <csignal>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

#include "shell/StartupChecks.h"

namespace noctavo {
namespace {

QString resolutionMessage(const char* size) {
  return QStringLiteral("Your display resolution is %1. Noctavo needs 1024x768 or more to operate.").arg(size);
}

TEST(StartupChecks, TheDisplayNeedsAtLeast1024By768AndSaysWhatItFound) {
  const QString undeterminable =
      QStringLiteral("Noctavo encountered an error on startup. Unable to determine your display resolution.");
  const std::tuple<int, int, QStringList> cases[] = {
      {1024, 768, {}},
      {1280, 1024, {}},
      {1023, 768, {resolutionMessage("1023x768")}},
      {1024, 767, {resolutionMessage("1024x767")}},
      {0, 0, {undeterminable, resolutionMessage("0x0")}},
      {1280, 0, {undeterminable, resolutionMessage("1280x0")}},
  };
  for (const auto& [width, height, messages] : cases) {
    const StartupCheck check = checkDisplay(width, height);
    EXPECT_EQ(check.refused, !messages.isEmpty()) << width << "x" << height;
    EXPECT_EQ(check.messages, messages) << width << "x" << height;
  }
}

TEST(StartupChecks, TheRuntimeMustBeTheRequiredVersionOrLater) {
  for (const char* accepted : {"6.4.0", "6.4.2", "6.10.1" /* minor read as a number */, "7.0.0"}) {
    EXPECT_FALSE(checkRuntimeVersion(accepted, 6, 4).refused) << accepted;
    EXPECT_TRUE(checkRuntimeVersion(accepted, 6, 4).messages.isEmpty()) << accepted;
  }
  for (const char* refused : {"6.3.9", "5.15.2", "", "six", static_cast<const char*>(nullptr)}) {
    const StartupCheck check = checkRuntimeVersion(refused, 6, 4);
    EXPECT_TRUE(check.refused) << (refused ? refused : "(null)");
    EXPECT_EQ(check.messages, QStringList({"In order for Noctavo to run, version 6.4 or higher of Qt needs to be "
                                           "installed on your system."}));
  }
  // The runtime the tests run on passes against the version built with.
  EXPECT_FALSE(checkRuntimeVersion(qVersion()).refused);
  EXPECT_TRUE(checkRuntimeVersion("5.0.0").refused);
}

// The lock lies in a folder of the test's own while it runs.
struct LockFolder {
  QByteArray previous = qgetenv("NOCTAVO_LOCK_DIR");
  QTemporaryDir folder;
  LockFolder() { qputenv("NOCTAVO_LOCK_DIR", folder.path().toUtf8()); }
  ~LockFolder() { previous.isNull() ? void(qunsetenv("NOCTAVO_LOCK_DIR")) : void(qputenv("NOCTAVO_LOCK_DIR", previous)); }
};

void leaveLockFile(const QByteArray& contents) {
  QFile file(singleInstanceLockPath());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(contents);
}

TEST(StartupChecks, OnlyOneInstanceRunsAndALockLeftByAnEndedProgramIsTakenOver) {
  LockFolder lockFolder;
  const QTemporaryDir& folder = lockFolder.folder;
  EXPECT_EQ(singleInstanceLockPath(), QDir(folder.path()).filePath(QStringLiteral("Noctavo_Mutex")));
  std::unique_ptr<QLockFile> first = acquireSingleInstanceLock();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(QFile::exists(singleInstanceLockPath()));
  EXPECT_EQ(acquireSingleInstanceLock(), nullptr);
  first.reset();
  EXPECT_NE(acquireSingleInstanceLock(), nullptr);

  // A process id that no running process has, on this machine.
  leaveLockFile("2147483646\nnoctavo\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  EXPECT_NE(acquireSingleInstanceLock(), nullptr);
}

// An empty or garbled lock file (a crash while it was written, a full disk)
// once stopped every later start; only a running instance keeps the lock.
TEST(StartupChecks, ALockNoRunningInstanceHoldsIsTakenOverWhateverItsFileHolds) {
  LockFolder lockFolder;
  for (const QByteArray& left : {QByteArray(), QByteArray("\x00\xff\x13 \x80\x7f\n\n\n", 10), QByteArray("abc\n")}) {
    leaveLockFile(left);
    EXPECT_NE(acquireSingleInstanceLock(), nullptr) << left.toHex().toStdString();
  }
  // A first instance in a process of its own, its file garbled while it runs.
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t first = fork();
  if (first == 0) {
    const char locked = acquireSingleInstanceLock().release() != nullptr ? '1' : '0';  // held to the end
    _exit(write(ready[1], &locked, 1) == 1 ? pause() : 1);
  }
  char locked = 0;
  EXPECT_EQ(read(ready[0], &locked, 1) == 1 ? locked : '0', '1');
  leaveLockFile("\xff\xfe");
  EXPECT_EQ(acquireSingleInstanceLock(), nullptr);  // the second start ends
  kill(first, SIGKILL);                             // the first one crashes
  waitpid(first, nullptr, 0);
  EXPECT_NE(acquireSingleInstanceLock(), nullptr);
  close(ready[0]);
  close(ready[1]);
}

}  // namespace
}  // namespace noctavo
