#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLabel>

#include "ui/DialogControls.h"
#include "ui/WaitDialog.h"

namespace noctavo {
namespace {

QString labelText(int id) {
  auto* label = qobject_cast<QLabel*>(findControlOrNull(WaitWindow(), id));
  return label ? label->text() : QStringLiteral("<missing>");
}

class WaitDialogTest : public ::testing::Test {
 protected:
  void TearDown() override { WaitEnd(); }
};

TEST_F(WaitDialogTest, ShowsCaptionTextAndThePercentageInThreeColumns) {
  WaitBegin(QStringLiteral("Graph"), QString(80, QLatin1Char('x')));
  ASSERT_NE(WaitWindow(), nullptr);
  EXPECT_TRUE(WaitWindow()->isVisible());
  EXPECT_EQ(WaitWindow()->objectName(), QStringLiteral("Dlg_Wait"));
  EXPECT_EQ(WaitWindow()->windowTitle(), QStringLiteral("Graph"));
  EXPECT_EQ(labelText(135), QString(63, QLatin1Char('x')));  // at most 63 characters
  EXPECT_EQ(labelText(204), QStringLiteral("Complete:"));
  EXPECT_EQ(labelText(205), QStringLiteral("  0%"));
  for (const auto& [percent, text] : {std::pair{5, "  5%"}, std::pair{42, " 42%"}, std::pair{100, "100%"}}) {
    WaitProgress(percent);
    EXPECT_EQ(labelText(205), QString::fromLatin1(text));
  }
}

TEST_F(WaitDialogTest, ShowsTheBusyCursorUntilTheEndOfTheLastBegin) {
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  WaitBegin(QStringLiteral("One"), QStringLiteral("first"));
  WaitBegin(QStringLiteral("Two"), QStringLiteral("second"));
  EXPECT_EQ(WaitWindow()->windowTitle(), QStringLiteral("Two"));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  WaitEnd();
  EXPECT_EQ(WaitWindow(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  WaitProgress(50);  // without a dialog: nothing
  WaitEnd();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace noctavo
