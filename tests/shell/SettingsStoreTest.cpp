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
#include "shell/SettingsStore.h"
#include "support/ChildProcess.h"
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

TEST(SettingsStore, LivesBelowCompanyProductAndVersionInTheFileTheEnvironmentNames) {
  EXPECT_EQ(RegistryRoot(), root);
  EXPECT_EQ(settingsKey("Sky\\Window"), root + "\\Sky\\Window");
  EXPECT_EQ(settingsKey("\\Main window"), root + "\\Main window");
  EXPECT_EQ(settingsKey(""), root);
  const QByteArray previous = qgetenv("NOCTAVO_SETTINGS");
  qputenv("NOCTAVO_SETTINGS", "/tmp/elsewhere/noctavo.ini");
  EXPECT_EQ(FileSettingsStore::defaultFilePath(), QStringLiteral("/tmp/elsewhere/noctavo.ini"));
  qunsetenv("NOCTAVO_SETTINGS");
  EXPECT_TRUE(FileSettingsStore::defaultFilePath().endsWith(QStringLiteral("/Noctavo/settings.ini")));
  if (!previous.isNull()) qputenv("NOCTAVO_SETTINGS", previous);
}

// ------------------------------------------------------------- round trips

TEST(SettingsRoundTrip, ValuesSurviveANewStoreOnTheSameFileWithoutAFlushOfTheirOwn) {
  TemporarySettings settings;
  SettingsWriteString(root + "\\Sky", "Direction of view (lambda)", "180.000000");
  SettingsWriteInt(root + "\\Main window", "Toolbar visible", 0);
  SettingsWriteInt(root, "Save options", 1);
  settings.restart();
  EXPECT_EQ(SettingsReadString(root + "\\Sky", "Direction of view (lambda)", "x"), "180.000000");
  EXPECT_FALSE(SettingsReadBool(root + "\\Main window", "Toolbar visible", true));
  EXPECT_EQ(SettingsReadInt(root, "Save options", 7), 1);
}

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

TEST(SettingsRoundTrip, TheCatalogueInterfaceReadsKeyPathsBelowTheRoot) {
  TemporarySettings settings;
  SettingsStore& core = settings.store();
  core.writeString("", "Language for constellation names", "Other");
  core.writeString("Sky\\Window", "Visible", "1");
  EXPECT_EQ(SettingsReadString(root, "Language for constellation names", ""), "Other");
  EXPECT_EQ(SettingsReadString(root + "\\Sky\\Window", "Visible", ""), "1");
  EXPECT_EQ(core.readString("Sky\\Window", "Visible", "0"), "1");
  EXPECT_EQ(core.readString("Sky", "Visible", "0"), "0");
}

TEST(SettingsRoundTrip, TheConstellationLanguageIsKeptThroughTheStoreWhenTheOptionsAreSaved) {
  TemporarySettings settings;
  setConstellationLanguage(constellationLanguageEnglish);
  saveConstellationLanguage(settings.store(), false);
  EXPECT_FALSE(settings.store().hasValue(root, "Language for constellation names"));
  saveConstellationLanguage(settings.store(), true);
  settings.restart();
  EXPECT_EQ(SettingsReadString(root, "Language for constellation names", ""), "Other");
  // The catalogues read it back when they load their figures.
  setConstellationLanguage(constellationLanguageLatin);
  const std::string folder = testing::shippedDataFolder();
  ASSERT_TRUE(loadStars(folder));
  loadConstellationFigures(folder, settings.store());
  releaseStars();
  releaseConstellations();
  EXPECT_EQ(constellationLanguage(), constellationLanguageEnglish);
}

// --------------------------------------------------------- reading values

TEST(SettingsReading, ANumberIsItsLeadingDecimalIntegerAndAnythingElseTheDefault) {
  TemporarySettings settings;
  const std::tuple<const char*, int, bool> cases[] = {
      // text, as a number with default 5, as a flag with default true
      {"12 minutes", 12, true}, {"  -7", -7, true},  {"2", 2, true},      {"0", 0, false},
      {"many", 5, true},        {"", 5, true},       {"99999999999999999999", 5, true},
  };
  for (const auto& [text, number, flag] : cases) {
    SettingsWriteString(root, "Value", text);
    EXPECT_EQ(SettingsReadInt(root, "Value", 5), number) << text;
    EXPECT_EQ(SettingsReadBool(root, "Value", true), flag) << text;
  }
  EXPECT_FALSE(SettingsReadBool(root, "Value", false));  // still no number
  EXPECT_EQ(SettingsReadString(root + "\\Nowhere", "Nothing", "fallback"), "fallback");
  EXPECT_EQ(SettingsReadInt(root + "\\Nowhere", "Nothing", 42), 42);
  EXPECT_TRUE(SettingsReadBool(root + "\\Nowhere", "Nothing", true));
}

TEST(SettingsReading, WithoutAStoreReadsGiveDefaultsAndWritesAreDropped) {
  TemporarySettings settings;
  setSettingsStore(nullptr);
  SettingsWriteString(root, "Lost", "1");
  SettingsWriteInt(root, "Lost too", 1);
  EXPECT_EQ(SettingsReadString(root, "Lost", "default"), "default");
  EXPECT_EQ(SettingsReadInt(root, "Lost too", 3), 3);
  EXPECT_FALSE(SettingsDeleteTree(root));
  setSettingsStore(&settings.store());
  EXPECT_FALSE(settings.store().hasValue(root, "Lost"));
}

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

TEST(SettingsFile, AKeyPathWithALineBreakIsRefused) {
  TemporarySettings settings;
  testing::InternalErrorRecorder recorder;
  SettingsWriteString(root + "\\Broken\nKey", "A", "1");
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_FALSE(settings.store().hasValue(root + "\\Broken\nKey", "A"));
}

}  // namespace
}  // namespace noctavo
