#include <gtest/gtest.h>

#include <QComboBox>
#include <QWidget>

#include "support/InternalErrorRecorder.h"
#include "ui/ColourTable.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

TEST(ColourTable, FindsColoursByTheirExactNameAndFillsAComboInTableOrder) {
  EXPECT_EQ(ColourIndexByName("Dark cyan"), 13);
  EXPECT_EQ(ColourOfIndex(10), QColor(128, 128, 0));  // "Brown"
  EXPECT_EQ(ColourOfIndex(15), QColor(192, 192, 192));
  QWidget dialog;
  auto* combo = new QComboBox(&dialog);
  setControlId(combo, 300);
  FillColourCombo(&dialog, 300);
  ASSERT_EQ(combo->count(), colourCount);
  for (int i = 0; i < colourCount; ++i) {
    EXPECT_EQ(combo->itemText(i), QString::fromLatin1(colourEntry(i).name));
    EXPECT_EQ(ColourIndexByName(colourEntry(i).name), i);
  }
  EXPECT_EQ(combo->itemText(8), QStringLiteral("Dark red"));
}

TEST(ColourTable, AnUnknownNameOrIndexIsAnInternalErrorAndGivesBlack) {
  testing::InternalErrorRecorder recorder;
  EXPECT_EQ(ColourIndexByName("Orange"), 0);
  EXPECT_EQ(ColourIndexByName("dark cyan"), 0);  // names keep their letter case
  EXPECT_EQ(ColourOfIndex(16), QColor(0, 0, 0));
  EXPECT_EQ(recorder.modules(), (std::vector<std::string>{"AST_WIN", "AST_WIN", "AST_WIN"}));
}

}  // namespace
}  // namespace noctavo
