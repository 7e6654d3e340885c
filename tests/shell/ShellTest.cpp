// The program's start and end around the main frame: the settings it reads
// and writes, the catalogues, the welcome box and the unsaved graph.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "shell/FrameTestSupport.h"
#include "shell/MainFrame.h"
#include "shell/MainFrameAccess.h"
#include "shell/Shell.h"
#include "shell/StatusLine.h"
#include "shell/Toolbar.h"
#include "support/ModalDialogs.h"
#include "support/TemporarySettings.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/Options.h"
#include "ui/SettingsStore.h"

namespace noctavo {
namespace {

using testing::FakeDocument;
using testing::FakeGraph;
using testing::MessageRecorder;
using testing::ModalWatch;
using testing::ReceivedMessage;

const std::string root = "Software\\Noctavo Software\\Noctavo\\1.00";
const std::string mainWindowKey = root + "\\Main window";
const QString unsavedGraphQuestion = QStringLiteral("The graph has not been saved. Save?");

// Buttons of the Yes/No/Cancel question.
constexpr int yesButton = 253;
constexpr int noButton = 254;
constexpr int cancelButton = 255;

// Answers a QMessageBox with OK and the program's own message box with the
// button of the given control id.
std::function<void(QWidget*)> pressing(int buttonId) {
  return [buttonId](QWidget* dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
      box->accept();
    } else if (auto* button = qobject_cast<QPushButton*>(findControlOrNull(dialog, buttonId))) {
      button->click();
    } else {
      qobject_cast<QDialog*>(dialog)->reject();
    }
  };
}

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() {
    registerWindowMessages();
    ToolbarSetVisible(true);
    StatusLineShow(true);
    frame = std::make_unique<MainFrame>();
  }
  ~ShellTest() override {
    frame.reset();
    ToolbarSetVisible(true);
    StatusLineShow(true);
  }

  void startProgram() {
    if (!frame) frame = std::make_unique<MainFrame>();
    ShellInit(*frame, qEnvironmentVariable("NOCTAVO_DATA_DIR"));
  }

  // The end of a run: the shutdown sequence and a new store on the file.
  void endProgram() {
    ASSERT_TRUE(ShellShutdown());
    frame.reset();
    settings.restart();
  }

  std::string stored(const std::string& name, const std::string& key = mainWindowKey) {
    return settings.store().value(key, name, "(none)");
  }
  void store(const std::string& name, const char* text) { settings.store().setValue(mainWindowKey, name, text); }

  testing::TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
};


// A first start, the user's changes, the end, and the next start.
TEST_F(ShellTest, AFirstStartWelcomesTheUserAndTheNextStartShowsWhatWasLeft) {
  MessageRecorder panel;
  frame->registerWindow(FrameWindow::SkyControlPanel, &panel);
  startProgram();
  EXPECT_TRUE(shellSettings().maximized);
  EXPECT_TRUE(ToolbarVisible() && StatusLineVisible());
  EXPECT_GT(starCount(), 0);
  EXPECT_GT(ngcCount(), 0);
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("   15.06.2001   12:00:00 LCT (DST Off)"));
  EXPECT_TRUE(frame->statusLine()->partText(1).startsWith(QStringLiteral("London, UK   ")));
  EXPECT_EQ(panel.messages, (std::vector<ReceivedMessage>{{UM_OBSERVER_SET, 0, 0, &observer()}}));
  frame->registerWindow(FrameWindow::SkyControlPanel, nullptr);
  {
    ModalWatch shown(pressing(0));
    EXPECT_TRUE(ShowWelcomeOnFirstRun(*frame));
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.shown[0].caption, QStringLiteral("Noctavo - Getting started"));
    EXPECT_EQ(shown.shown[0].text,
              QStringLiteral("Welcome to Noctavo. This is the first time you are running the program.\n\n"
                             "If you need help getting started, select Help | Quick Tour from the Main Menu.\n"));
  }
  frame->show();
  frame->showNormal();
  ToolbarSetVisible(false);
  StatusLineShow(false);
  options().realTimeClock = true;
  frame->executeCommand(command::calculator);
  ASSERT_TRUE(frame->window(FrameWindow::Calculator));
  endProgram();
  EXPECT_EQ(starCount(), 0);  // the end releases the catalogues
  EXPECT_EQ(ngcCount(), 0);

  startProgram();
  frame->show();
  EXPECT_FALSE(shellSettings().maximized);
  EXPECT_FALSE(frame->toolbar()->isVisible() || frame->statusLine()->isVisible());
  {
    ModalWatch again(pressing(0));  // should a box come after all, it is answered
    EXPECT_FALSE(ShowWelcomeOnFirstRun(*frame));
    EXPECT_EQ(again.count(), 0);
  }
  ASSERT_NE(realTimeClockTimerId(), 0);
  QTimerEvent tick(realTimeClockTimerId());
  QCoreApplication::sendEvent(frame.get(), &tick);
  EXPECT_EQ(observer().dateTime, AstDateTime(15, 6, 2001, 12.0 + 1.0 / 60.0, TimeKind::Lct));
  // The calculator open at the end opens with its check mark; its close
  // box takes the mark away.
  EXPECT_TRUE(frame->isCommandChecked(command::calculator));
  auto* calculator = qobject_cast<QDialog*>(frame->window(FrameWindow::Calculator));
  EXPECT_TRUE(calculator->isVisible());
  calculator->reject();
  EXPECT_FALSE(frame->isCommandChecked(command::calculator));
  // The Location command moves the observer to the same moment elsewhere,
  // and the windows follow.
  MessageRecorder follower;
  QObject* const skyPanel = frame->window(FrameWindow::SkyControlPanel);
  frame->registerWindow(FrameWindow::SkyControlPanel, &follower);
  testing::whenModalAppears([](QWidget* dialog) {
    QTest::keyClicks(qobject_cast<QLineEdit*>(findControlOrNull(dialog, 352)), QStringLiteral("Tokyo"));
    QTest::keyClick(findControlOrNull(dialog, 352), Qt::Key_Return);
    qobject_cast<QPushButton*>(findControlOrNull(dialog, dialog_button::ok))->click();
  });
  frame->executeCommand(command::optionsLocation);
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("   15.06.2001   21:01:00 LCT (DST Off)"));
  EXPECT_TRUE(frame->statusLine()->partText(1).startsWith(QStringLiteral("Tokyo, Japan   ")));
  EXPECT_STREQ(options().listLocation.town, "Tokyo");
  ASSERT_EQ(follower.messages.size(), 1u);
  EXPECT_EQ(follower.messages.back().message, UM_OBSERVER_SET);
  frame->registerWindow(FrameWindow::SkyControlPanel, skyPanel);
}


// The question about an unsaved graph: Yes saves it, No leaves it, a saved
// graph asks nothing, and Cancel, or a save that failed, keeps the program
// open and writes nothing.
TEST_F(ShellTest, TheUnsavedGraphIsAskedAboutAndCancelKeepsTheProgramOpenWritingNothing) {
  const auto fileBytes = [this] {
    settings.store().flush();
    QFile file(settings.filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  const struct { int answer; bool unsaved; int questions, saves; bool saveWorks = true; } cases[] = {
      {yesButton, true, 1, 1},  {noButton, true, 1, 0},         {noButton, false, 0, 0},
      {cancelButton, true, 1, 0}, {yesButton, true, 1, 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.answer << " " << c.unsaved << " " << c.saveWorks);
    startProgram();
    FakeGraph graph;
    graph.unsaved = c.unsaved;
    graph.saveWorks = c.saveWorks;
    frame->setGraphDocumentOwner(&graph);
    frame->show();
    ToolbarSetVisible(false);
    const QByteArray before = fileBytes();
    {
      ModalWatch shown(pressing(c.answer));
      frame->close();
      ASSERT_EQ(shown.count(), c.questions);
      for (const testing::ShownDialog& question : shown.shown) {
        EXPECT_EQ(question.caption + ": " + question.text, "Noctavo warning: " + unsavedGraphQuestion);
      }
    }
    EXPECT_EQ(graph.saves, c.saves);
    const bool staysOpen = c.answer == cancelButton || !c.saveWorks;
    EXPECT_EQ(frame->isVisible(), staysOpen);
    if (staysOpen) {
      EXPECT_EQ(fileBytes(), before);
      EXPECT_GT(starCount(), 0);  // nothing released either
      ModalWatch no(pressing(noButton));
      ASSERT_TRUE(ShellShutdown());
    } else {
      EXPECT_EQ(stored("ShowHelpHint"), "0");  // the program went on to its end
    }
    frame.reset();
  }
}

// Once dropped without a word; the causes are the settings store's tests.
TEST_F(ShellTest, SettingsThatCannotBeSavedAreNamedInOneMessageAtTheEnd) {
  startProgram();
  SettingsWriteInt(root, "Save options", 1);
  ASSERT_TRUE(QDir().mkpath(settings.filePath()));  // where the file should go, a folder stands
  ModalWatch shown;
  EXPECT_TRUE(ShellShutdown());
  ASSERT_EQ(shown.count(), 1);
  EXPECT_EQ(shown.shown[0].caption, QStringLiteral("Noctavo error"));
  EXPECT_TRUE(shown.shown[0].text.contains(settings.filePath())) << shown.shown[0].text.toStdString();
  EXPECT_TRUE(shown.shown[0].text.contains(QStringLiteral("directory"))) << shown.shown[0].text.toStdString();
}

TEST_F(ShellTest, WindowsSaveInTheShutdownOrderAroundTheOptions) {
  std::vector<std::string> log;
  std::vector<std::unique_ptr<FakeDocument>> documents;
  const std::pair<FrameWindow, const char*> windows[] = {
      {FrameWindow::Sky, "Sky"},         {FrameWindow::SolarSystem, "Solar system"},
      {FrameWindow::ObjectInformation, "Object Information"}, {FrameWindow::Graph, "Graph"},
      {FrameWindow::Picture, "Picture"}, {FrameWindow::Calculator, "Calculator"},
      {FrameWindow::SymbolTable, "Symbol table"}};
  for (const auto& [which, name] : windows) {
    documents.push_back(std::make_unique<FakeDocument>(nullptr, name, &log));
    // Each writes a value of its own key, as the windows do.
    documents.back()->onSave = [name = std::string(name)] { SettingsWriteInt(settingsKey(name), "Saved", 1); };
    frame->registerDocument(which, documents.back().get());
  }
  startProgram();
  log.clear();
  // Factory defaults: the options delete the whole tree; the windows that
  // save after them write their keys again.
  options().saveOptions = false;
  options().factoryDefaults = true;
  endProgram();
  EXPECT_EQ(log, (std::vector<std::string>{"save Calculator", "save Graph", "save Object Information",
                                           "save Picture", "save Sky", "save Solar system", "save Symbol table"}));
  EXPECT_EQ(stored("Saved", root + "\\Graph"), "(none)");
  EXPECT_EQ(stored("Saved", root + "\\Calculator"), "(none)");
  EXPECT_EQ(stored("Saved", root + "\\Object Information"), "(none)");
  EXPECT_EQ(stored("Saved", root + "\\Sky"), "1");
  EXPECT_EQ(stored("Saved", root + "\\Symbol table"), "1");
  EXPECT_EQ(stored("ShowHelpHint"), "(none)");
}

}  // namespace
}  // namespace noctavo
