// The settings store: a tree of text values below the program's root, kept
// in one file that a failed write never damages.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>
#include <sys/stat.h>
#include <tuple>

#include "catalogues/Constellation.h"
#include "catalogues/ConstellationTable.h"
#include "catalogues/Star.h"
#include "support/ChildProcess.h"
#include "support/InternalErrorRecorder.h"
#include "support/ShippedData.h"
#include "support/TemporarySettings.h"
#include "ui/SettingsStore.h"

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

// Every way the file can refuse a save: the store says why, an old file
// stays byte for byte, and the changes wait for a later try.
TEST(SettingsFile, ASaveThatCannotBeWrittenKeepsTheOldFileAndTheChangesAndSaysWhy) {
  enum Obstacle { FullDisk, ReadOnlyFolder, PathIsAFolder, ParentIsAFile };
  const std::tuple<Obstacle, testing::WriteConditions, const char*> cases[] = {
      {FullDisk, {.fileSizeLimitBytes = 1024}, "File too large"},
      {ReadOnlyFolder, {.asOrdinaryUser = true}, "Permission denied"},
      {PathIsAFolder, {}, "directory"},
      {ParentIsAFile, {}, "cannot be made"},
  };
  const QByteArray old = "[Software\\Noctavo Software\\Noctavo\\1.00]\nSave options=1\n";
  for (const auto& [obstacle, conditions, reason] : cases) {
    SCOPED_TRACE(reason);
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("settings.ini"));
    QString path = existing;
    if (obstacle == PathIsAFolder) {
      ASSERT_TRUE(QDir().mkpath(path));
    } else {
      writeFileBytes(existing, old);
      if (obstacle == ParentIsAFile) path += QStringLiteral("/settings.ini");
    }
    FileSettingsStore store(path);
    // Small enough for Qt's write buffer: a full disk shows only at the end.
    store.setValue(root, "Text", std::string(3000, 'x'));
    if (obstacle == ReadOnlyFolder) {  // the file may be written, its folder takes no new one
      chmod(QFile::encodeName(existing).constData(), 0666);
      chmod(QFile::encodeName(folder.path()).constData(), 0555);
    }
    EXPECT_TRUE(testing::failsInChildProcess(conditions, [&] { return store.flush(); }, reason));
    chmod(QFile::encodeName(folder.path()).constData(), 0755);
    if (obstacle != PathIsAFolder) {
      EXPECT_EQ(fileBytes(existing), old);
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("settings.ini")});
    if (obstacle <= ReadOnlyFolder) {
      ASSERT_TRUE(store.flush().ok);  // room again: the kept changes go out
      EXPECT_EQ(FileSettingsStore(path).value(root, "Text", "").size(), 3000u);
    }
  }
  // A folder that does not exist yet is made.
  QTemporaryDir folder;
  FileSettingsStore fresh(folder.filePath(QStringLiteral("config/Noctavo/settings.ini")));
  fresh.setValue(root, "Save options", "1");
  EXPECT_TRUE(fresh.flush().ok);
}

}  // namespace
}  // namespace noctavo
