#include "catalogues/CoreServices.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogues/CatalogueTestFiles.h"
#include "catalogues/DataFile.h"

namespace noctavo {
namespace {

TEST(MemorySettings, AMissingValueReadsAsTheDefault) {
  MemorySettingsStore settings;
  EXPECT_EQ(settings.readString("", "Language for constellation names", "Latin"), "Latin");
  EXPECT_FALSE(settings.contains("", "Language for constellation names"));
}

TEST(MemorySettings, ValuesAreKeptPerKeyAndName) {
  MemorySettingsStore settings;
  settings.writeString("Sky", "Zoom", "3");
  settings.writeString("Sky\\Window", "Zoom", "5");
  EXPECT_EQ(settings.readString("Sky", "Zoom", ""), "3");
  EXPECT_EQ(settings.readString("Sky\\Window", "Zoom", ""), "5");
  EXPECT_EQ(settings.readString("", "Zoom", "none"), "none");
  settings.remove("Sky", "Zoom");
  EXPECT_EQ(settings.readString("Sky", "Zoom", "gone"), "gone");
}

TEST(UserMessages, AnInstalledHandlerSeesSeverityAndTextAndIsReplacedAgain) {
  {
    testing::UserMessageRecorder messages;
    showUserMessage(MessageSeverity::Error, "Error opening star file");
    ASSERT_EQ(messages.count(), 1u);
    EXPECT_EQ(messages.messages()[0].severity, MessageSeverity::Error);
    EXPECT_EQ(messages.text(), "Error opening star file");
    {
      testing::UserMessageRecorder inner;
      showUserMessage(MessageSeverity::Information, "inner");
      EXPECT_EQ(inner.count(), 1u);
    }
    showUserMessage(MessageSeverity::Warning, "outer again");
    EXPECT_EQ(messages.count(), 2u);
  }
}

TEST(DataFileNames, AreFolderProductAndExtension) {
  EXPECT_EQ(dataFilePath("/opt/noctavo", "sta"), "/opt/noctavo/Noctavo.sta");
  EXPECT_EQ(dataFilePath("/opt/noctavo/", "stn"), "/opt/noctavo/Noctavo.stn");
  EXPECT_EQ(dataFilePath("", "ngc"), "Noctavo.ngc");
}

TEST(TextLines, CarriageReturnsAndAMissingLastLineEndAreHandled) {
  const std::vector<TextLine> lines = splitLines("first\r\nsecond\n\nlast");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text, "first");
  EXPECT_EQ(lines[1].text, "second");
  EXPECT_EQ(lines[2].text, "");
  EXPECT_EQ(lines[3].text, "last");
  EXPECT_EQ(lines[3].number, 4);
  EXPECT_TRUE(splitLines("").empty());
}

TEST(DataNumbers, AreWholeWordsReadTheSameInEveryLocale) {
  float value = 0.0f;
  EXPECT_TRUE(parseFloat("+23.5", value));
  EXPECT_EQ(value, 23.5f);
  EXPECT_TRUE(parseFloat("-90", value));
  EXPECT_EQ(value, -90.0f);
  value = 7.0f;
  EXPECT_FALSE(parseFloat("23,5", value));
  EXPECT_FALSE(parseFloat("12abc", value));
  EXPECT_FALSE(parseFloat("", value));
  EXPECT_FALSE(parseFloat("+", value));
  EXPECT_EQ(value, 7.0f);  // unchanged on failure
}

TEST(BinaryFields, AreLittleEndianAndNeverReadPastTheEnd) {
  std::string bytes;
  testing::appendFloat(bytes, 88.75f);
  bytes += '\xFF';
  ByteReader reader(bytes);
  float value = 0.0f;
  ASSERT_TRUE(reader.readFloat(value));
  EXPECT_EQ(value, 88.75f);
  std::int8_t signedByte = 0;
  ASSERT_TRUE(reader.readInt8(signedByte));
  EXPECT_EQ(signedByte, -1);
  EXPECT_TRUE(reader.atEnd());
  EXPECT_FALSE(reader.readFloat(value));
  std::string text;
  EXPECT_FALSE(reader.readText(1, text));
}

TEST(Problems, OfOneFileMakeOneMessageNamingTheFirst) {
  testing::UserMessageRecorder messages;
  ProblemReport none;
  none.show();
  EXPECT_EQ(messages.count(), 0u);
  ProblemReport three;
  three.add("Error parsing star name file, line 4");
  three.add("Error parsing star name file, line 9");
  three.add("Error parsing star name file, line 12");
  three.show();
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_EQ(messages.text(), "Error parsing star name file, line 4 (3 problems in this file)");
}

}  // namespace
}  // namespace noctavo
