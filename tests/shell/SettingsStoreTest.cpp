// The settings store: a tree of text values below the program's root, kept
// in one file that a failed write never damages.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <string>
#include <sys/resource.h>

#include "catalogues/Constellation.h"
#include "catalogues/ConstellationTable.h"
#include "catalogues/Star.h"
#include "shell/SettingsStore.h"
#include "support/InternalErrorRecorder.h"
#include "support/ShippedData.h"
#include "support/TemporarySettings.h"

namespace noctavo {
namespace {

using testing::TemporarySettings;

const std::string root = "Software\\Noctavo Software\\Noctavo\\1.00";

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFileBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// ------------------------------------------------------------- round trips

TEST(SettingsRoundTrip, TextsWithEscapesLineBreaksAndBytesAboveAsciiComeBackUnchanged) {
  TemporarySettings settings;
  const std::string key = root + "\\Graph";
  const std::pair<std::string, std::string> values[] = {
      {"Path", "C:\\Noctavo\\GRAPHS\\n.gph\nsecond line\r\n=end\\"},
      {"a=b", "name with an equals sign"},
      {"[not a section]", "1"},
      {"; not a comment", "2"},
      {"Empty", ""},
      {"City", "Z\xFCrich"},               // u umlaut in Windows-1252
      {"Centre", "12\xB0" "30'"},          // degree sign
      {"Symbols", "\x80\x85\x9F\xA7\xFF"},  // euro, ellipsis, Y diaeresis, section, y diaeresis
  };
  for (const auto& [name, text] : values) SettingsWriteString(key, name, text);
  settings.restart();
  for (const auto& [name, text] : values) EXPECT_EQ(SettingsReadString(key, name, "(none)"), text) << name;
  EXPECT_TRUE(fileBytes(settings.filePath()).contains(QByteArray("Z\xFCrich")));
}

// --------------------------------------------------------- reading values

TEST(SettingsReading, DamagedLinesOfTheFileAreSkipped) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("settings.ini"));
  writeFileBytes(path, QByteArray("Orphan=1\r\n"
                                  "[Software\\Noctavo Software\\Noctavo\\1.00\r\n"
                                  "Lost=1\r\n"
                                  "[Software\\Noctavo Software\\Noctavo\\1.00]\r\n"
                                  "no equals sign here\r\n"
                                  "\r\n"
                                  "; a comment\r\n"
                                  "Save options=0\r\n"));
  FileSettingsStore store(path);
  EXPECT_EQ(store.value(root, "Save options", "x"), "0");
  EXPECT_FALSE(store.hasValue(root, "Lost"));
  EXPECT_FALSE(store.hasValue(root, "Orphan"));
  EXPECT_FALSE(store.hasValue(root, "no equals sign here"));
}

// --------------------------------------------------------- deleting trees

TEST(SettingsDeletion, DeletingAKeyTakesEveryKeyBelowItAndNothingElse) {
  TemporarySettings settings;
  SettingsWriteString(root + "\\Sky", "A", "1");
  SettingsWriteString(root + "\\Sky\\Window", "B", "2");
  SettingsWriteString(root + "\\Sky map", "C", "3");  // shares the beginning of the name only
  SettingsWriteString(root + "\\Picture\\Window\\Control panel", "Visible", "1");
  SettingsWriteString(root, "D", "4");
  // A key that does not exist cannot be deleted.
  EXPECT_FALSE(SettingsDeleteTree(root + "\\Solar system"));
  EXPECT_FALSE(SettingsDeleteTree(root + "\\Sk"));
  EXPECT_TRUE(SettingsDeleteTree(root + "\\Sky\\"));  // one trailing backslash is allowed
  EXPECT_TRUE(SettingsDeleteTree(root + "\\Picture"));  // its values are below it
  settings.restart();
  EXPECT_FALSE(settings.store().hasValue(root + "\\Sky", "A"));
  EXPECT_FALSE(settings.store().hasValue(root + "\\Sky\\Window", "B"));
  EXPECT_FALSE(settings.store().hasValue(root + "\\Picture\\Window\\Control panel", "Visible"));
  EXPECT_EQ(SettingsReadString(root + "\\Sky map", "C", ""), "3");
  EXPECT_EQ(SettingsReadString(root, "D", ""), "4");
  EXPECT_TRUE(SettingsDeleteTree(root));
  settings.restart();
  EXPECT_FALSE(settings.store().hasValue(root, "D"));
  EXPECT_FALSE(settings.store().hasValue(root + "\\Sky map", "C"));
}

// ------------------------------------------------------- writing the file

TEST(SettingsFile, AFileThatCannotBeCreatedIsReportedAndNothingBreaks) {
  QTemporaryDir folder;
  const QString blocker = folder.filePath(QStringLiteral("not a folder"));
  writeFileBytes(blocker, "plain file");
  FileSettingsStore store(blocker + QStringLiteral("/settings.ini"));
  store.setValue(root, "Save options", "1");
  EXPECT_FALSE(store.flush());
  EXPECT_EQ(store.value(root, "Save options", ""), "1");  // kept for a later try
  EXPECT_EQ(fileBytes(blocker), QByteArray("plain file"));
  // A folder that does not exist yet is made.
  const QString path = folder.filePath(QStringLiteral("config/Noctavo/settings.ini"));
  FileSettingsStore fresh(path);
  fresh.setValue(root, "Save options", "1");
  EXPECT_TRUE(fresh.flush());
  EXPECT_TRUE(QFile::exists(path));
}

TEST(SettingsFile, TheOldFileStaysWholeWhenTheNewOneCannotBeWrittenToTheEnd) {
  TemporarySettings settings;
  SettingsWriteString(root, "Save options", "1");
  ASSERT_TRUE(settings.store().flush());
  const QByteArray before = fileBytes(settings.filePath());
  ASSERT_FALSE(before.isEmpty());

  // A file size limit stands in for a full disk: even root cannot write
  // past it. The new text is far larger than the limit.
  SettingsWriteString(root, "Big", std::string(64 * 1024, 'x'));
  struct rlimit previousLimit {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
  struct rlimit smallLimit = previousLimit;
  smallLimit.rlim_cur = 4096;
  void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &smallLimit), 0);
  const bool written = settings.store().flush();
  setrlimit(RLIMIT_FSIZE, &previousLimit);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(fileBytes(settings.filePath()), before);
  const QStringList leftovers = QDir(QFileInfo(settings.filePath()).absolutePath()).entryList(QDir::Files);
  EXPECT_EQ(leftovers, QStringList{QStringLiteral("settings.ini")});
  // Once there is room again, the changes go out.
  EXPECT_TRUE(settings.store().flush());
  settings.restart();
  EXPECT_EQ(SettingsReadString(root, "Big", "").size(), 64u * 1024u);
}

}  // namespace
}  // namespace noctavo
