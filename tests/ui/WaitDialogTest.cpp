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

TEST_F(WaitDialogTest, OpensWithCaptionTextAndZeroPercent) {
  WaitBegin(QStringLiteral("Graph"), QStringLiteral("Calculating the graph"));
  ASSERT_NE(WaitWindow(), nullptr);
  EXPECT_TRUE(WaitWindow()->isVisible());
  EXPECT_EQ(WaitWindow()->objectName(), QStringLiteral("Dlg_Wait"));
  EXPECT_EQ(WaitWindow()->windowTitle(), QStringLiteral("Graph"));
  EXPECT_EQ(labelText(135), QStringLiteral("Calculating the graph"));
  EXPECT_EQ(labelText(204), QStringLiteral("Complete:"));
  EXPECT_EQ(labelText(205), QStringLiteral("  0%"));
}

TEST_F(WaitDialogTest, ShowsThePercentageInThreeColumnsThenAPercentSign) {
  WaitBegin(QStringLiteral("Graph"), QStringLiteral("Calculating"));
  WaitProgress(5);
  EXPECT_EQ(labelText(205), QStringLiteral("  5%"));
  WaitProgress(42);
  EXPECT_EQ(labelText(205), QStringLiteral(" 42%"));
  WaitProgress(100);
  EXPECT_EQ(labelText(205), QStringLiteral("100%"));
}

TEST_F(WaitDialogTest, KeepsAtMost63CharactersOfTheText) {
  const QString longText(80, QLatin1Char('x'));
  WaitBegin(QStringLiteral("Graph"), longText);
  EXPECT_EQ(labelText(135), longText.left(63));
}

TEST_F(WaitDialogTest, ShowsTheBusyCursorUntilItEndsAndThenRestoresTheFormerOne) {
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  WaitBegin(QStringLiteral("Graph"), QStringLiteral("Calculating"));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  WaitEnd();
  EXPECT_EQ(WaitWindow(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WaitDialogTest, ASecondBeginReplacesTheFirstDialogAndOneEndRestoresTheCursor) {
  WaitBegin(QStringLiteral("One"), QStringLiteral("first"));
  WaitBegin(QStringLiteral("Two"), QStringLiteral("second"));
  EXPECT_EQ(WaitWindow()->windowTitle(), QStringLiteral("Two"));
  WaitEnd();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WaitDialogTest, ProgressAndEndWithoutADialogDoNothing) {
  WaitProgress(50);
  WaitEnd();
  EXPECT_EQ(WaitWindow(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace noctavo
