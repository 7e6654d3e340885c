// The main frame as a user handles it: the hint of a greyed menu item, and
// help asked for from a modal dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>

#include "shell/HelpViewer.h"
#include "shell/MainFrame.h"
#include "shell/Options.h"
#include "shell/StatusLine.h"
#include "shell/WindowMessages.h"
#include "support/ModalDialogs.h"
#include "support/TemporarySettings.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"

namespace noctavo {
namespace {

class WindowHandlingTest : public ::testing::Test {
 protected:
  WindowHandlingTest() {
    registerWindowMessages();
    frame = std::make_unique<MainFrame>();
    frame->createStatusLine();
    frame->show();
  }
  ~WindowHandlingTest() override { closeAllHelp(); }

  testing::TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
};

TEST_F(WindowHandlingTest, AGreyedMenuItemUnderTheMouseShowsItsHint) {
  auto* graph = qobject_cast<QMenu*>(frame->commandAction(command::graphCalculate)->associatedObjects().value(0));
  ASSERT_NE(graph, nullptr);
  graph->popup(frame->mapToGlobal(QPoint(200, 30)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return graph->isVisible(); }));
  for (int commandId : {command::graphEdit, command::graphCalculate}) {
    QTest::mouseMove(graph, graph->actionGeometry(frame->commandAction(commandId)).center());
  }
  EXPECT_FALSE(frame->isCommandEnabled(command::graphCalculate));
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("Calculates the Graph"));
  graph->hide();
}

TEST_F(WindowHandlingTest, HelpFromADialogStandsAboveItAndStaysOpenAfterIt) {
  if (qEnvironmentVariableIsEmpty("NOCTAVO_HELP_DIR")) {
    qputenv("NOCTAVO_HELP_DIR", QFileInfo(QStringLiteral(__FILE__ "/../../../help")).absoluteFilePath().toUtf8());
  }
  QWidget* asker = nullptr;
  testing::whenModalAppears([&](QWidget* dialog) {
    asker = dialog;
    QTest::mouseClick(findControlOrNull(dialog, dialog_button::help), Qt::LeftButton);
    HelpWindow* help = helpWindow();
    ASSERT_NE(help, nullptr);
    // A window of the dialog's: above it, and not blocked by it.
    EXPECT_EQ(help->parentWidget(), dialog);
    EXPECT_TRUE(help->isWindow());
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(QApplication::activeWindow(), help);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Noctavo Help - Date and Time"));
    qobject_cast<QDialog*>(dialog)->reject();
  });
  DateTimeDialog(frame.get());
  ASSERT_NE(asker, nullptr);
  HelpWindow* help = helpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->parentWidget(), nullptr);
  EXPECT_TRUE(help->isVisible());
  // The contents page is titled once.
  showHelpContents();
  EXPECT_EQ(help->windowTitle(), QStringLiteral("Noctavo Help"));
}

}  // namespace
}  // namespace noctavo
