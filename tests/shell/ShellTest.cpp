#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>

#include <memory>
#include <string>
#include <vector>

#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "shell/FrameTestSupport.h"
#include "shell/MainFrame.h"
#include "shell/MainFrameAccess.h"
#include "shell/Options.h"
#include "shell/SettingsStore.h"
#include "shell/Shell.h"
#include "shell/StatusLine.h"
#include "shell/Toolbar.h"
#include "support/TemporarySettings.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

using testing::FakeDocument;
using testing::FakeGraph;
using testing::MessageRecorder;
using testing::ReceivedMessage;

const std::string root = "Software\\Noctavo Software\\Noctavo\\1.00";
const std::string mainWindowKey = root + "\\Main window";

// The data files lie in the build folder (CTest says where); by hand the
// test program runs from its tests folder below it.
QString dataFolder() {
  const QString given = qEnvironmentVariable("NOCTAVO_DATA_DIR");
  return given.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/..") : given;
}

// Answers the message boxes that come while it lives and keeps what the
// last one showed: a QMessageBox with OK, the program's own message box
// with the button of the given control id.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(int buttonId = 0) : buttonId_(buttonId) {}

  int count() const { return watch_.count(); }
  QString objectName;
  QString caption;
  QString text;

 private:
  void answer(QWidget* dialog) {
    objectName = dialog->objectName();
    caption = dialog->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
      text = box->text();
      box->accept();
      return;
    }
    if (auto* label = qobject_cast<QLabel*>(findControlOrNull(dialog, 135))) text = label->text();
    if (auto* button = qobject_cast<QPushButton*>(findControlOrNull(dialog, buttonId_))) {
      button->click();
    } else {
      qobject_cast<QDialog*>(dialog)->reject();
    }
  }

  int buttonId_;
  testing::ModalWatch watch_{[this](QWidget* dialog) { answer(dialog); }};
};

// Buttons of the Yes/No/Cancel question.
constexpr int yesButton = 253;
constexpr int noButton = 254;
constexpr int cancelButton = 255;

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() {
    registerWindowMessages();
    ToolbarSetVisible(true);
    StatusLineShow(true);
  }
  ~ShellTest() override {
    frame.reset();
    ToolbarSetVisible(true);
    StatusLineShow(true);
  }

  void startProgram() {
    frame = std::make_unique<MainFrame>();
    ShellInit(*frame, dataFolder());
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

  QByteArray fileAfterFlush() {
    settings.store().flush();
    QFile file(settings.filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  testing::TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
};

// ---------------------------------------------------------------- start

TEST_F(ShellTest, EmptyStoreGivesToolbarStatusLineMaximizedAndTheHelpHint) {
  startProgram();
  EXPECT_TRUE(shellSettings().maximized);
  EXPECT_TRUE(shellSettings().toolbarVisible);
  EXPECT_TRUE(shellSettings().statusLineVisible);
  EXPECT_TRUE(shellSettings().showHelpHint);
  ASSERT_NE(frame->toolbar(), nullptr);
  ASSERT_NE(frame->statusLine(), nullptr);
  EXPECT_TRUE(ToolbarVisible());
  EXPECT_TRUE(StatusLineVisible());
}

TEST_F(ShellTest, StoredMainWindowValuesHideToolbarAndStatusLine) {
  settings.store().setValue(mainWindowKey, "Toolbar visible", "0");
  settings.store().setValue(mainWindowKey, "Status line visible", "0");
  settings.store().setValue(mainWindowKey, "Maximized", "0");
  startProgram();
  frame->show();
  EXPECT_FALSE(shellSettings().maximized);
  EXPECT_FALSE(ToolbarVisible());
  EXPECT_FALSE(frame->toolbar()->isVisible());
  EXPECT_FALSE(StatusLineVisible());
  EXPECT_FALSE(frame->statusLine()->isVisible());
}

TEST_F(ShellTest, StartLoadsTheCataloguesAndShowsTheObserver) {
  startProgram();
  EXPECT_GT(starCount(), 0);
  EXPECT_GT(ngcCount(), 0);
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("   15.06.2001   12:00:00 LCT (DST Off)"));
  EXPECT_TRUE(frame->statusLine()->partText(1).startsWith(QStringLiteral("London, UK   ")));
}

TEST_F(ShellTest, StartSendsTheObserverToTheWindowsThatAreThere) {
  frame = std::make_unique<MainFrame>();
  MessageRecorder panel;
  frame->registerWindow(FrameWindow::SkyControlPanel, &panel);
  ShellInit(*frame, dataFolder());
  EXPECT_EQ(panel.messages, (std::vector<ReceivedMessage>{{UM_OBSERVER_SET, 0, pointerParam(&observer())}}));
}

TEST_F(ShellTest, StartActivatesTheDocumentThatNamedItself) {
  frame = std::make_unique<MainFrame>();
  frame->show();
  auto addChild = [&](const QString& title) {
    QMdiSubWindow* child = frame->documentArea()->addSubWindow(new QWidget);
    child->setWindowTitle(title);
    child->show();
    return child;
  };
  QMdiSubWindow* skyChild = addChild(QStringLiteral("Sky"));
  QMdiSubWindow* solarChild = addChild(QStringLiteral("Solar system"));
  FakeDocument skyDoc(skyChild, "Sky", nullptr);
  FakeDocument solarDoc(solarChild, "Solar system", nullptr);
  skyDoc.namesItselfActive = true;
  frame->registerDocument(FrameWindow::Sky, &skyDoc);
  frame->registerDocument(FrameWindow::SolarSystem, &solarDoc);
  ShellInit(*frame, dataFolder());
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), skyChild);
  EXPECT_FALSE(skyChild->isMaximized());
}

TEST_F(ShellTest, StoredRealTimeClockTicksOnTheFrame) {
  settings.store().setValue(root + "\\Time", "Real time clock", "1");
  startProgram();
  const int clock = realTimeClockTimerId();
  ASSERT_NE(clock, 0);
  QTimerEvent tick(clock);
  QCoreApplication::sendEvent(frame.get(), &tick);
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("   15.06.2001   12:01:00 LCT (DST Off)"));
}

// -------------------------------------------------------------- welcome

TEST_F(ShellTest, FirstRunShowsTheWelcomeBoxAndLaterRunsDoNot) {
  startProgram();
  BoxAnswerer shown;
  EXPECT_TRUE(ShowWelcomeOnFirstRun(*frame));
  EXPECT_EQ(shown.count(), 1);
  EXPECT_EQ(shown.caption, QStringLiteral("Noctavo - Getting started"));
  EXPECT_EQ(shown.text, QStringLiteral("Welcome to Noctavo. This is the first time you are running the program.\n\n"
                                       "If you need help getting started, select Help | Quick Tour from the Main "
                                       "Menu.\n"));
  endProgram();

  startProgram();
  EXPECT_FALSE(shellSettings().showHelpHint);
  BoxAnswerer again;  // should a box come after all, it is answered
  EXPECT_FALSE(ShowWelcomeOnFirstRun(*frame));
  EXPECT_EQ(again.count(), 0);
}

TEST_F(ShellTest, WelcomeBoxComesBackWhenTheWindowStateWasNotSaved) {
  startProgram();
  options().saveWindowState = false;
  endProgram();
  startProgram();
  EXPECT_TRUE(shellSettings().showHelpHint);
}

// ------------------------------------------------------------- shutdown

TEST_F(ShellTest, ShutdownWritesTheMainWindowState) {
  startProgram();
  frame->showNormal();
  ToolbarSetVisible(false);
  endProgram();
  EXPECT_EQ(stored("Maximized"), "0");
  EXPECT_EQ(stored("Toolbar visible"), "0");
  EXPECT_EQ(stored("Status line visible"), "1");
  EXPECT_EQ(stored("ShowHelpHint"), "0");
  EXPECT_EQ(stored("Save options", root), "1");
}

TEST_F(ShellTest, WithSaveWindowStateOffTheMainWindowValuesStayAsTheyWere) {
  settings.store().setValue(mainWindowKey, "Maximized", "1");
  settings.store().setValue(mainWindowKey, "Toolbar visible", "1");
  startProgram();
  frame->showNormal();
  ToolbarSetVisible(false);
  options().saveWindowState = false;
  endProgram();
  EXPECT_EQ(stored("Maximized"), "1");
  EXPECT_EQ(stored("Toolbar visible"), "1");
  EXPECT_EQ(stored("Status line visible"), "(none)");
  EXPECT_EQ(stored("ShowHelpHint"), "(none)");
  // The options themselves are saved.
  EXPECT_EQ(stored("Save window state", root), "0");
}

TEST_F(ShellTest, KeepingTheStartValuesWritesNoMainWindowState) {
  startProgram();
  ToolbarSetVisible(false);
  options().saveOptions = false;
  endProgram();
  EXPECT_EQ(stored("Toolbar visible"), "(none)");
  EXPECT_EQ(stored("ShowHelpHint"), "(none)");
  EXPECT_EQ(stored("Save options", root), "0");
}

TEST_F(ShellTest, CancelOnTheUnsavedGraphKeepsTheProgramOpenAndWritesNothing) {
  startProgram();
  FakeGraph graph;
  frame->setGraphDocumentOwner(&graph);
  frame->show();
  ToolbarSetVisible(false);
  const QByteArray before = fileAfterFlush();

  auto shown = std::make_unique<BoxAnswerer>(cancelButton);
  frame->close();
  EXPECT_EQ(shown->count(), 1);
  EXPECT_EQ(shown->objectName, QStringLiteral("Dlg_MessageBox"));
  EXPECT_EQ(shown->caption, QStringLiteral("Noctavo warning"));
  EXPECT_EQ(shown->text, QStringLiteral("The graph has not been saved. Save?"));
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(graph.saves, 0);
  EXPECT_EQ(fileAfterFlush(), before);
  EXPECT_GT(starCount(), 0);  // nothing released either

  shown = std::make_unique<BoxAnswerer>(noButton);
  EXPECT_TRUE(ShellShutdown());
}

TEST_F(ShellTest, YesSavesTheGraphAndGoesOn) {
  startProgram();
  FakeGraph graph;
  frame->setGraphDocumentOwner(&graph);
  BoxAnswerer shown(yesButton);
  EXPECT_TRUE(ShellShutdown());
  EXPECT_EQ(graph.saves, 1);
  EXPECT_EQ(stored("ShowHelpHint"), "0");
}

TEST_F(ShellTest, NoLeavesTheGraphAndGoesOn) {
  startProgram();
  FakeGraph graph;
  frame->setGraphDocumentOwner(&graph);
  BoxAnswerer shown(noButton);
  EXPECT_TRUE(ShellShutdown());
  EXPECT_EQ(graph.saves, 0);
  EXPECT_EQ(shown.text, QStringLiteral("The graph has not been saved. Save?"));
}

TEST_F(ShellTest, SavedGraphAsksNothing) {
  startProgram();
  FakeGraph graph;
  graph.unsaved = false;
  frame->setGraphDocumentOwner(&graph);
  BoxAnswerer shown(noButton);  // should a question come after all, it is answered
  EXPECT_TRUE(ShellShutdown());
  EXPECT_EQ(shown.count(), 0);
}

TEST_F(ShellTest, WindowsSaveInTheShutdownOrderAroundTheOptions) {
  frame = std::make_unique<MainFrame>();
  std::vector<std::string> log;
  std::vector<std::unique_ptr<FakeDocument>> documents;
  const std::pair<FrameWindow, const char*> windows[] = {
      {FrameWindow::Sky, "Sky"},
      {FrameWindow::SolarSystem, "Solar system"},
      {FrameWindow::ObjectInformation, "Object Information"},
      {FrameWindow::Graph, "Graph"},
      {FrameWindow::Picture, "Picture"},
      {FrameWindow::Calculator, "Calculator"},
      {FrameWindow::SymbolTable, "Symbol table"}};
  for (const auto& [which, name] : windows) {
    documents.push_back(std::make_unique<FakeDocument>(nullptr, name, &log));
    // Each writes a value of its own key, as the windows do.
    documents.back()->onSave = [name = std::string(name)] { SettingsWriteInt(settingsKey(name), "Saved", 1); };
    frame->registerDocument(which, documents.back().get());
  }
  ShellInit(*frame, dataFolder());
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
  EXPECT_EQ(stored("Saved", root + "\\Sky"), "1");
  EXPECT_EQ(stored("Saved", root + "\\Symbol table"), "1");
  EXPECT_EQ(stored("ShowHelpHint"), "(none)");
}

TEST_F(ShellTest, ShutdownReleasesTheCatalogues) {
  startProgram();
  ASSERT_GT(starCount(), 0);
  ASSERT_TRUE(ShellShutdown());
  EXPECT_EQ(starCount(), 0);
  EXPECT_EQ(ngcCount(), 0);
}

}  // namespace
}  // namespace noctavo
