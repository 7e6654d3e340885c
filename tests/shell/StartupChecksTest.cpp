// The checks the program makes before its first window: the platform, the
// screen, the Qt runtime and the single running instance.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <memory>
#include <tuple>

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

TEST(StartupChecks, OnlyOneInstanceRunsAndALockLeftByAnEndedProgramIsTakenOver) {
  // The lock lies in a folder of the test's own while it runs.
  struct LockFolder {
    QByteArray previous = qgetenv("NOCTAVO_LOCK_DIR");
    QTemporaryDir folder;
    LockFolder() { qputenv("NOCTAVO_LOCK_DIR", folder.path().toUtf8()); }
    ~LockFolder() { previous.isNull() ? void(qunsetenv("NOCTAVO_LOCK_DIR")) : void(qputenv("NOCTAVO_LOCK_DIR", previous)); }
  } lockFolder;
  const QTemporaryDir& folder = lockFolder.folder;
  EXPECT_EQ(singleInstanceLockPath(), QDir(folder.path()).filePath(QStringLiteral("Noctavo_Mutex")));
  std::unique_ptr<QLockFile> first = acquireSingleInstanceLock();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(QFile::exists(singleInstanceLockPath()));
  EXPECT_EQ(acquireSingleInstanceLock(), nullptr);
  first.reset();
  EXPECT_NE(acquireSingleInstanceLock(), nullptr);

  QFile leftOver(singleInstanceLockPath());
  ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
  // A process id that no running process has, on this machine.
  leftOver.write("2147483646\nnoctavo\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  leftOver.close();
  EXPECT_NE(acquireSingleInstanceLock(), nullptr);
}

}  // namespace
}  // namespace noctavo
