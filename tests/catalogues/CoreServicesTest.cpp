#include "catalogues/CoreServices.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogues/DataFile.h"

namespace noctavo {
namespace {

TEST(DataFiles, NamesAreFolderProductAndExtension) {
  EXPECT_EQ(dataFilePath("/opt/noctavo", "sta"), "/opt/noctavo/Noctavo.sta");
  EXPECT_EQ(dataFilePath("/opt/noctavo/", "stn"), "/opt/noctavo/Noctavo.stn");
  EXPECT_EQ(dataFilePath("", "ngc"), "Noctavo.ngc");
}

TEST(DataFiles, LinesEndWithOrWithoutCarriageReturnAndTheLastNeedsNoEnd) {
  const std::vector<TextLine> lines = splitLines("first\r\nsecond\n\nlast");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text, "first");
  EXPECT_EQ(lines[2].text, "");
  EXPECT_EQ(lines[3].text, "last");
  EXPECT_EQ(lines[3].number, 4);
  EXPECT_TRUE(splitLines("").empty());
}

TEST(DataFiles, NumbersAreWholeWordsReadTheSameInEveryLocaleAndAFailureChangesNothing) {
  float value = 0.0f;
  EXPECT_TRUE(parseFloat("+23.5", value));
  EXPECT_EQ(value, 23.5f);
  for (const char* text : {"23,5", "12abc", "", "+"}) EXPECT_FALSE(parseFloat(text, value)) << text;
  EXPECT_EQ(value, 23.5f);
}

}  // namespace
}  // namespace noctavo
