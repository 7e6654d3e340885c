#include <gtest/gtest.h>

#include <QComboBox>
#include <QWidget>

#include "support/InternalErrorRecorder.h"
#include "ui/ColourTable.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

TEST(ColourTable, HoldsTheSixteenNamedColoursInOrder) {
  const QStringList names = {"Black",    "White",      "Red",        "Green",        "Yellow",    "Blue",
                             "Magenta",  "Cyan",       "Dark red",   "Dark green",   "Brown",     "Dark blue",
                             "Dark magenta", "Dark cyan", "Grey",   "Light grey"};
  for (int i = 0; i < colourCount; ++i) EXPECT_EQ(QString::fromLatin1(colourEntry(i).name), names[i]) << i;
  EXPECT_EQ(ColourOfIndex(10), QColor(128, 128, 0));  // "Brown"
  EXPECT_EQ(ColourOfIndex(15), QColor(192, 192, 192));
  EXPECT_EQ(ColourOfIndex(7), QColor(0, 255, 255));
}

TEST(ColourTable, FindsAColourByItsExactName) {
  EXPECT_EQ(ColourIndexByName("Black"), 0);
  EXPECT_EQ(ColourIndexByName("Dark cyan"), 13);
  EXPECT_EQ(ColourIndexByName("Light grey"), 15);
}

TEST(ColourTable, AnUnknownNameIsAnInternalErrorAndGivesBlack) {
  InternalErrorRecorder recorder;
  EXPECT_EQ(ColourIndexByName("Orange"), 0);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "AST_WIN");
}

TEST(ColourTable, NamesAreComparedWithTheirLetterCase) {
  InternalErrorRecorder recorder;
  EXPECT_EQ(ColourIndexByName("dark cyan"), 0);
  EXPECT_EQ(recorder.count(), 1u);
}

TEST(ColourTable, AnIndexOutsideTheTableIsAnInternalErrorAndGivesBlack) {
  InternalErrorRecorder recorder;
  EXPECT_EQ(ColourOfIndex(16), QColor(0, 0, 0));
  EXPECT_EQ(recorder.count(), 1u);
}

TEST(ColourTable, FillsAComboWithTheNamesInTableOrder) {
  QWidget dialog;
  auto* combo = new QComboBox(&dialog);
  setControlId(combo, 300);
  FillColourCombo(&dialog, 300);
  ASSERT_EQ(combo->count(), colourCount);
  EXPECT_EQ(combo->itemText(0), QStringLiteral("Black"));
  EXPECT_EQ(combo->itemText(8), QStringLiteral("Dark red"));
  EXPECT_EQ(combo->itemText(15), QStringLiteral("Light grey"));
}

}  // namespace
}  // namespace noctavo
