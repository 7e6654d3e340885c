#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <memory>

#include "shell/StartupChecks.h"

namespace noctavo {
namespace {

TEST(OperatingSystemCheck, AlwaysPassesOnThisPlatform) {
  const StartupCheck check = checkOperatingSystem();
  EXPECT_FALSE(check.refused);
  EXPECT_TRUE(check.messages.isEmpty());
}

TEST(DisplayCheck, AcceptsExactly1024By768WithoutAWord) {
  const StartupCheck check = checkDisplay(1024, 768);
  EXPECT_FALSE(check.refused);
  EXPECT_TRUE(check.messages.isEmpty());
  EXPECT_FALSE(checkDisplay(1280, 1024).refused);
}

TEST(DisplayCheck, RefusesOnePixelLessInEitherDirectionShowingTheRealSize) {
  const StartupCheck narrow = checkDisplay(1023, 768);
  EXPECT_TRUE(narrow.refused);
  EXPECT_EQ(narrow.messages,
            QStringList({"Your display resolution is 1023x768. Noctavo needs 1024x768 or more to operate."}));
  const StartupCheck low = checkDisplay(1024, 767);
  EXPECT_TRUE(low.refused);
  EXPECT_EQ(low.messages,
            QStringList({"Your display resolution is 1024x767. Noctavo needs 1024x768 or more to operate."}));
}

TEST(DisplayCheck, ZeroSizeGivesTheUndeterminableMessageThenTheResolutionMessage) {
  const StartupCheck check = checkDisplay(0, 0);
  EXPECT_TRUE(check.refused);
  EXPECT_EQ(check.messages,
            QStringList({"Noctavo encountered an error on startup. Unable to determine your display resolution.",
                         "Your display resolution is 0x0. Noctavo needs 1024x768 or more to operate."}));
}

TEST(DisplayCheck, ZeroInOneDirectionAlsoGivesBothMessages) {
  const StartupCheck check = checkDisplay(1280, 0);
  EXPECT_TRUE(check.refused);
  ASSERT_EQ(check.messages.size(), 2);
  EXPECT_EQ(check.messages[1],
            QStringLiteral("Your display resolution is 1280x0. Noctavo needs 1024x768 or more to operate."));
}

TEST(RuntimeVersionCheck, AcceptsTheRequiredVersionExactlyAndLater) {
  EXPECT_FALSE(checkRuntimeVersion("6.4.0", 6, 4).refused);
  EXPECT_FALSE(checkRuntimeVersion("6.4.2", 6, 4).refused);
  EXPECT_FALSE(checkRuntimeVersion("6.10.1", 6, 4).refused);  // minor read as a number
  EXPECT_FALSE(checkRuntimeVersion("7.0.0", 6, 4).refused);
  EXPECT_TRUE(checkRuntimeVersion("6.4.2", 6, 4).messages.isEmpty());
}

TEST(RuntimeVersionCheck, RefusesAnOlderRuntimeNamingTheVersionNeeded) {
  const StartupCheck check = checkRuntimeVersion("6.3.9", 6, 4);
  EXPECT_TRUE(check.refused);
  EXPECT_EQ(check.messages, QStringList({"In order for Noctavo to run, version 6.4 or higher of Qt needs to be "
                                         "installed on your system."}));
  EXPECT_TRUE(checkRuntimeVersion("5.15.2", 6, 4).refused);
}

TEST(RuntimeVersionCheck, RefusesAVersionThatCannotBeRead) {
  EXPECT_TRUE(checkRuntimeVersion("", 6, 4).refused);
  EXPECT_TRUE(checkRuntimeVersion("six", 6, 4).refused);
  EXPECT_TRUE(checkRuntimeVersion(nullptr, 6, 4).refused);
}

TEST(RuntimeVersionCheck, TheRuntimeTheTestsRunOnPassesAgainstTheBuildVersion) {
  EXPECT_FALSE(checkRuntimeVersion(qVersion()).refused);
  EXPECT_TRUE(checkRuntimeVersion("5.0.0").refused);
}

// Points the lock at a folder of the test's own while it lives.
class LockFolder {
 public:
  LockFolder() : previous_(qgetenv("NOCTAVO_LOCK_DIR")) { qputenv("NOCTAVO_LOCK_DIR", folder_.path().toUtf8()); }
  ~LockFolder() {
    if (previous_.isEmpty()) {
      qunsetenv("NOCTAVO_LOCK_DIR");
    } else {
      qputenv("NOCTAVO_LOCK_DIR", previous_);
    }
  }
  QString path() const { return folder_.path(); }

 private:
  QByteArray previous_;
  QTemporaryDir folder_;
};

TEST(SingleInstance, LockIsNamedNoctavoMutexInTheLockFolder) {
  LockFolder folder;
  EXPECT_EQ(singleInstanceLockPath(), QDir(folder.path()).filePath(QStringLiteral("Noctavo_Mutex")));
}

TEST(SingleInstance, SecondStartIsRefusedWhileTheFirstHoldsTheLock) {
  LockFolder folder;
  std::unique_ptr<QLockFile> first = acquireSingleInstanceLock();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(QFile::exists(singleInstanceLockPath()));
  EXPECT_EQ(acquireSingleInstanceLock(), nullptr);
  first.reset();
  EXPECT_NE(acquireSingleInstanceLock(), nullptr);
}

TEST(SingleInstance, LockLeftByAnEndedProgramIsTakenOver) {
  LockFolder folder;
  QFile leftOver(singleInstanceLockPath());
  ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
  // A process id that no running process has, on this machine.
  leftOver.write("2147483646\nnoctavo\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  leftOver.close();
  EXPECT_NE(acquireSingleInstanceLock(), nullptr);
}

}  // namespace
}  // namespace noctavo
