#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimerEvent>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "shell/MainFrame.h"
#include "shell/MainFrameAccess.h"
#include "shell/Options.h"
#include "shell/StatusLine.h"
#include "shell/StringTable.h"
#include "shell/Toolbar.h"
#include "shell/WindowMessages.h"
#include "support/TemporarySettings.h"
#include "shell/FrameTestSupport.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

using testing::MessageRecorder;
using testing::ReceivedMessage;

// Every command of the main menu: where it lies, its text, and how it
// starts.
struct MenuItem {
  int id;
  QStringList path;  // titles of the menus above it
  QString text;
  bool checkable;
  bool checkedAtStart;
  bool greyedAtStart;
};

const QString file = QStringLiteral("&File");
const QString sky = QStringLiteral("&Sky");
const QString solar = QStringLiteral("Solar s&ystem");
const QString graph = QStringLiteral("&Graph");
const QString picture = QStringLiteral("&Picture");
const QString utilities = QStringLiteral("&Utilities");
const QString optionsMenu = QStringLiteral("&Options");
const QString windowMenu = QStringLiteral("&Window");
const QString help = QStringLiteral("&Help");

const std::vector<MenuItem>& commandTable() {
  static const std::vector<MenuItem> table = {
      {40015, {file}, "&New", false, false, false},
      {100, {file}, "&Open...", false, false, false},
      {101, {file}, "&Save", false, false, false},
      {102, {file}, "Save &as...", false, false, false},
      {106, {file}, "&Exit", false, false, false},
      {110, {sky, "&Map type"}, "&Horizontal", true, false, false},
      {111, {sky, "&Map type"}, "&Equatorial", true, false, false},
      {112, {sky, "&Map type"}, "&Realistic", true, true, false},
      {113, {sky, "&Grid"}, "&Off", true, true, false},
      {114, {sky, "&Grid"}, "&Horizontal", true, false, false},
      {115, {sky, "&Grid"}, "&Equatorial", true, false, false},
      {116, {sky, "&Grid"}, "E&cliptic", true, false, false},
      {118, {sky}, "&Find object...", false, false, false},
      {117, {sky}, "&Options...", false, false, false},
      {141, {solar}, "&Names", true, true, false},
      {140, {solar}, "&Symbols", true, false, false},
      {142, {solar}, "&Moon", true, false, false},
      {143, {solar}, "&Options...", false, false, false},
      {160, {graph}, "&Edit...", false, false, false},
      {161, {graph}, "&Calculate...", false, false, true},
      {162, {graph}, "&Options...", false, false, false},
      {164, {graph}, "&Guide line", true, false, true},
      {170, {picture}, "&Control panel", true, true, false},
      {65535, {picture}, "&Fit to window", true, false, false},
      {40005, {utilities}, "&Object Info", true, false, false},
      {181, {utilities}, "&Calculator", true, false, false},
      {182, {utilities}, "Table of &symbols and abbreviations...", true, false, false},
      {200, {optionsMenu}, "&Date and Time...", false, false, false},
      {40016, {optionsMenu}, "&Location...", false, false, false},
      {201, {optionsMenu}, "&Appearance...", false, false, false},
      {551, {windowMenu}, "&Cascade", false, false, false},
      {550, {windowMenu}, "&Tile", false, false, false},
      {552, {windowMenu}, "&Arrange icons", false, false, false},
      {220, {help}, "&Contents", false, false, false},
      {221, {help}, "&Search", false, false, false},
      {40017, {help}, "&Quick Tour", false, false, false},
      {222, {help}, "&Glossary", false, false, false},
      {223, {help}, "&About Noctavo", false, false, false},
  };
  return table;
}

// The commands the frame carries out itself, without any window.
const std::vector<int> frameCommands = {106, 200, 201, 551, 550, 552, 220, 221, 40017, 222, 223};

struct FoundItem {
  QAction* action;
  QStringList path;
};

void collectItems(QMenu* menu, QStringList path, std::map<int, FoundItem>& found) {
  path << menu->title();
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    if (action->menu()) {
      collectItems(action->menu(), path, found);
    } else {
      found[action->data().toInt()] = {action, path};
    }
  }
}

std::map<int, FoundItem> menuItems(MainFrame& frame) {
  std::map<int, FoundItem> found;
  for (QAction* top : frame.mainMenu()->actions()) {
    if (top->menu()) collectItems(top->menu(), {}, found);
  }
  return found;
}

QMenu* topMenu(MainFrame& frame, const QString& title) {
  for (QAction* top : frame.mainMenu()->actions()) {
    if (top->menu() && top->menu()->title() == title) return top->menu();
  }
  return nullptr;
}

class MainFrameTest : public ::testing::Test {
 protected:
  MainFrameTest() {
    registerWindowMessages();
    ToolbarSetVisible(true);
    StatusLineShow(true);
    ApplyTimeSource();  // the observer at the test clock's moment
    frame = std::make_unique<MainFrame>();
    frame->createToolbar();
    frame->createStatusLine();
    frame->setHelpHandler([this](MainFrame::HelpPage page, const QString& topic) {
      helpRequests.push_back({page, topic});
    });
  }

  ~MainFrameTest() override {
    frame.reset();
    ToolbarSetVisible(true);
    StatusLineShow(true);
  }

  void showFrame() {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  }

  // A recorder registered for every window of the frame.
  void registerRecorders() {
    for (FrameWindow which :
         {FrameWindow::Sky, FrameWindow::SkyControlPanel, FrameWindow::SolarSystem,
          FrameWindow::SolarSystemControlPanel, FrameWindow::Graph, FrameWindow::GraphControlPanel,
          FrameWindow::GraphDrawingArea, FrameWindow::Picture, FrameWindow::PictureControlPanel,
          FrameWindow::ObjectInformation, FrameWindow::Calculator, FrameWindow::SymbolTable}) {
      recorders[which] = std::make_unique<MessageRecorder>();
      frame->registerWindow(which, recorders[which].get());
    }
  }

  std::vector<ReceivedMessage>& received(FrameWindow which) { return recorders.at(which)->messages; }

  testing::TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
  std::map<FrameWindow, std::unique_ptr<MessageRecorder>> recorders;
  std::vector<std::pair<MainFrame::HelpPage, QString>> helpRequests;
};

// ------------------------------------------------------------- the menu

TEST(OffscreenScreen, IsLargeEnoughForTheProgram) {
  // The program refuses screens below 1024 x 768; the GUI tests must run on
  // a screen it accepts.
  const QSize size = QGuiApplication::primaryScreen()->size();
  EXPECT_GE(size.width(), 1024);
  EXPECT_GE(size.height(), 768);
}

TEST_F(MainFrameTest, IsTitledNoctavoAndHoldsTheDocumentArea) {
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Noctavo"));
  EXPECT_EQ(frame->objectName(), QStringLiteral("NoctavoMdiFrame"));
  ASSERT_NE(frame->documentArea(), nullptr);
  EXPECT_EQ(frame->centralWidget(), frame->documentArea());
  EXPECT_EQ(frame->mainMenu()->objectName(), QStringLiteral("Menu_Main"));
  EXPECT_FALSE(frame->windowIcon().isNull());
}

TEST_F(MainFrameTest, MenuBarHasNineMenusWithTheWindowMenuEighth) {
  QStringList titles;
  for (QAction* top : frame->mainMenu()->actions()) titles << top->text();
  EXPECT_EQ(titles, QStringList({file, sky, solar, graph, picture, utilities, optionsMenu, windowMenu, help}));
}

TEST_F(MainFrameTest, MenuHoldsEveryCommandOfTheTableWithItsTextAndPlace) {
  const std::map<int, FoundItem> found = menuItems(*frame);
  EXPECT_EQ(found.size(), commandTable().size());
  for (const MenuItem& item : commandTable()) {
    SCOPED_TRACE(item.id);
    auto it = found.find(item.id);
    ASSERT_NE(it, found.end());
    EXPECT_EQ(it->second.action->text(), item.text);
    EXPECT_EQ(it->second.path, item.path);
    EXPECT_EQ(it->second.action, frame->commandAction(item.id));
  }
}

TEST_F(MainFrameTest, MenuStartsWithTheCheckMarksOfTheTable) {
  for (const MenuItem& item : commandTable()) {
    SCOPED_TRACE(item.id);
    QAction* action = frame->commandAction(item.id);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->isCheckable(), item.checkable);
    EXPECT_EQ(action->isChecked(), item.checkedAtStart);
  }
}

TEST_F(MainFrameTest, WithoutWindowsOnlyTheFramesOwnCommandsAreEnabled) {
  for (const MenuItem& item : commandTable()) {
    SCOPED_TRACE(item.id);
    const bool frameCommand = std::find(frameCommands.begin(), frameCommands.end(), item.id) != frameCommands.end();
    EXPECT_EQ(frame->commandAction(item.id)->isEnabled(), frameCommand);
  }
}

TEST_F(MainFrameTest, RegisteringWindowsEnablesTheirCommandsExceptThoseGreyedAtStart) {
  registerRecorders();
  frame->setLocationCommand([] {});
  for (const MenuItem& item : commandTable()) {
    SCOPED_TRACE(item.id);
    EXPECT_EQ(frame->commandAction(item.id)->isEnabled(), !item.greyedAtStart);
  }
  // The Graph window ungreys its own commands once it has something to
  // calculate.
  frame->setCommandEnabled(161, true);
  frame->setCommandEnabled(164, true);
  EXPECT_TRUE(frame->commandAction(161)->isEnabled());
  EXPECT_TRUE(frame->commandAction(164)->isEnabled());
}

TEST_F(MainFrameTest, CommandsAreDisabledAgainWhenTheirWindowGoes) {
  auto sky = std::make_unique<MessageRecorder>();
  frame->registerWindow(FrameWindow::Sky, sky.get());
  EXPECT_TRUE(frame->commandAction(117)->isEnabled());
  sky.reset();
  EXPECT_FALSE(frame->commandAction(117)->isEnabled());
  EXPECT_EQ(frame->window(FrameWindow::Sky), nullptr);

  auto solar = std::make_unique<MessageRecorder>();
  frame->registerWindow(FrameWindow::SolarSystem, solar.get());
  frame->registerWindow(FrameWindow::SolarSystem, nullptr);
  EXPECT_FALSE(frame->commandAction(143)->isEnabled());
}

TEST_F(MainFrameTest, ADisabledCommandDoesNothingWhoeverAsks) {
  frame->executeCommand(40015);  // no Graph window: nothing to send to
  auto graph = std::make_unique<MessageRecorder>();
  frame->registerWindow(FrameWindow::Graph, graph.get());
  frame->executeCommand(161);  // greyed at start
  EXPECT_TRUE(graph->messages.empty());
  frame->executeCommand(40015);
  EXPECT_EQ(graph->messages, (std::vector<ReceivedMessage>{{UM_GRAPH_NEW, 0, 0}}));
}

TEST_F(MainFrameTest, MenuItemsCarryTheirCommandsToTheWindows) {
  registerRecorders();
  frame->setCommandEnabled(161, true);
  frame->commandAction(110)->trigger();
  frame->commandAction(116)->trigger();
  frame->commandAction(118)->trigger();
  frame->commandAction(117)->trigger();
  EXPECT_EQ(received(FrameWindow::Sky), (std::vector<ReceivedMessage>{
                                            {UM_COMMAND, 110, 1}, {UM_COMMAND, 116, 1}, {UM_COMMAND, 118, 0},
                                            {UM_COMMAND, 117, 0}}));
  // The map commands leave the check marks to the Sky window.
  EXPECT_FALSE(frame->isCommandChecked(110));
  EXPECT_TRUE(frame->isCommandChecked(112));

  for (int id : {40015, 100, 101, 102, 160, 161, 162}) frame->commandAction(id)->trigger();
  EXPECT_EQ(received(FrameWindow::Graph),
            (std::vector<ReceivedMessage>{{UM_GRAPH_NEW, 0, 0},
                                          {UM_COMMAND, 100, 0},
                                          {UM_COMMAND, 101, 0},
                                          {UM_COMMAND, 102, 0},
                                          {UM_COMMAND, 160, 0},
                                          {UM_COMMAND, 161, 0},
                                          {UM_COMMAND, 162, 0}}));

  frame->commandAction(143)->trigger();
  EXPECT_EQ(received(FrameWindow::SolarSystem), (std::vector<ReceivedMessage>{{UM_COMMAND, 143, 0}}));
}

TEST_F(MainFrameTest, SolarSystemTogglesFlipTheirCheckAndSendTheirMessages) {
  registerRecorders();
  frame->commandAction(141)->trigger();
  EXPECT_FALSE(frame->isCommandChecked(141));
  frame->commandAction(140)->trigger();
  EXPECT_TRUE(frame->isCommandChecked(140));
  frame->commandAction(142)->trigger();
  EXPECT_TRUE(frame->isCommandChecked(142));
  frame->commandAction(141)->trigger();
  EXPECT_TRUE(frame->isCommandChecked(141));
  EXPECT_EQ(received(FrameWindow::SolarSystem),
            (std::vector<ReceivedMessage>{
                {UM_SHOW, 0, 0}, {UM_HIDE, 0, 0}, {UM_TOGGLE_MOON, 0, 0}, {UM_SHOW, 0, 0}}));
}

TEST_F(MainFrameTest, GuideLineShowsWhenCheckedAndHidesWhenNot) {
  registerRecorders();
  frame->setCommandEnabled(164, true);
  frame->commandAction(164)->trigger();
  EXPECT_TRUE(frame->isCommandChecked(164));
  frame->commandAction(164)->trigger();
  EXPECT_FALSE(frame->isCommandChecked(164));
  EXPECT_EQ(received(FrameWindow::GraphDrawingArea),
            (std::vector<ReceivedMessage>{{UM_SHOW, 0, 0}, {UM_HIDE, 0, 0}}));
  EXPECT_TRUE(received(FrameWindow::Graph).empty());
}

TEST_F(MainFrameTest, PictureCommandsDoubleClickTheWindowAndToggleFit) {
  registerRecorders();
  frame->commandAction(170)->trigger();
  EXPECT_EQ(recorders.at(FrameWindow::Picture)->doubleClicks, 1);
  // The Picture window sets the check mark itself, through UM_FIT_CHECK.
  EXPECT_TRUE(frame->isCommandChecked(170));
  frame->commandAction(65535)->trigger();
  EXPECT_EQ(received(FrameWindow::Picture), (std::vector<ReceivedMessage>{{UM_FIT_TOGGLE, 0, 0}}));
  EXPECT_FALSE(frame->isCommandChecked(65535));
  sendMessage(frame.get(), UM_FIT_CHECK, 1);
  EXPECT_TRUE(frame->isCommandChecked(65535));
  sendMessage(frame.get(), UM_FIT_CHECK, 0);
  EXPECT_FALSE(frame->isCommandChecked(65535));
}

TEST_F(MainFrameTest, UtilitiesShowAndHideTheirWindowsAndTheToolbarFollows) {
  registerRecorders();
  frame->commandAction(40005)->trigger();
  frame->commandAction(181)->trigger();
  frame->commandAction(182)->trigger();
  EXPECT_TRUE(frame->toolbar()->button(40005)->isChecked());
  EXPECT_TRUE(frame->toolbar()->button(181)->isChecked());
  frame->commandAction(40005)->trigger();
  frame->commandAction(181)->trigger();
  frame->commandAction(182)->trigger();
  EXPECT_FALSE(frame->toolbar()->button(40005)->isChecked());
  EXPECT_FALSE(frame->toolbar()->button(181)->isChecked());
  const std::vector<ReceivedMessage> showThenHide = {{UM_SHOW, 0, 0}, {UM_HIDE, 0, 0}};
  EXPECT_EQ(received(FrameWindow::ObjectInformation), showThenHide);
  EXPECT_EQ(received(FrameWindow::Calculator), showThenHide);
  EXPECT_EQ(received(FrameWindow::SymbolTable), showThenHide);
}

TEST_F(MainFrameTest, ObjectInfoButtonAndMenuItemKeepOneCheckState) {
  registerRecorders();
  showFrame();
  QWidget* button = frame->toolbar()->widgetForAction(frame->toolbar()->button(40005));
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(frame->isCommandChecked(40005));
  EXPECT_TRUE(frame->toolbar()->button(40005)->isChecked());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(frame->isCommandChecked(40005));
  EXPECT_FALSE(frame->toolbar()->button(40005)->isChecked());
  EXPECT_EQ(received(FrameWindow::ObjectInformation),
            (std::vector<ReceivedMessage>{{UM_SHOW, 0, 0}, {UM_HIDE, 0, 0}}));

  // The calculator button only shows the state of its menu item.
  QWidget* calculator = frame->toolbar()->widgetForAction(frame->toolbar()->button(181));
  QTest::mouseClick(calculator, Qt::LeftButton);
  EXPECT_TRUE(frame->isCommandChecked(181));
  EXPECT_TRUE(frame->toolbar()->button(181)->isChecked());
}

// ------------------------------------------------------------ documents

class MdiDocuments : public MainFrameTest {
 protected:
  QMdiSubWindow* addDocument(FrameWindow which, const QString& title) {
    auto* content = new QWidget;
    QMdiSubWindow* child = frame->documentArea()->addSubWindow(content);
    child->setWindowTitle(title);
    child->resize(300, 200);
    child->show();
    frame->registerWindow(which, content);
    return child;
  }
};

TEST_F(MdiDocuments, ToolbarCommandsBringAMinimizedWindowBackAndActivateIt) {
  showFrame();
  QMdiSubWindow* skyChild = addDocument(FrameWindow::Sky, QStringLiteral("Sky"));
  QMdiSubWindow* graphChild = addDocument(FrameWindow::Graph, QStringLiteral("Graph"));
  frame->documentArea()->setActiveSubWindow(graphChild);
  skyChild->showMinimized();
  ASSERT_TRUE(skyChild->isMinimized());
  frame->executeCommand(206);
  EXPECT_FALSE(skyChild->isMinimized());
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), skyChild);
  frame->executeCommand(205);
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), graphChild);
}

TEST_F(MdiDocuments, TheLastDocumentThatNamesItselfIsActivated) {
  std::vector<std::string> log;
  QMdiSubWindow* skyChild = addDocument(FrameWindow::Sky, QStringLiteral("Sky"));
  QMdiSubWindow* graphChild = addDocument(FrameWindow::Graph, QStringLiteral("Graph"));
  testing::FakeDocument skyDoc(skyChild, "Sky", &log);
  testing::FakeDocument graphDoc(graphChild, "Graph", &log);
  skyDoc.namesItselfActive = true;
  graphDoc.namesItselfActive = true;
  graphDoc.asksForMaximize = true;
  // Registered in another order than the one they are asked in.
  frame->registerDocument(FrameWindow::Graph, &graphDoc);
  frame->registerDocument(FrameWindow::Sky, &skyDoc);

  QMdiSubWindow* active = nullptr;
  bool maximize = false;
  frame->initialiseDocuments(active, maximize);
  EXPECT_EQ(log, (std::vector<std::string>{"initialise Sky", "initialise Graph"}));
  EXPECT_EQ(active, graphChild);
  EXPECT_TRUE(maximize);

  showFrame();
  frame->activateDocument(active, maximize);
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), graphChild);
  EXPECT_TRUE(graphChild->isMaximized());
}

TEST_F(MdiDocuments, WindowMenuListsTheDocumentsFromId1250) {
  addDocument(FrameWindow::Sky, QStringLiteral("Sky"));
  addDocument(FrameWindow::SolarSystem, QStringLiteral("Solar system"));
  QMenu* windows = topMenu(*frame, windowMenu);
  ASSERT_NE(windows, nullptr);
  emit windows->aboutToShow();
  QStringList texts;
  QList<int> ids;
  for (QAction* action : windows->actions()) {
    if (action->isSeparator() || action->data().toInt() < 1250) continue;
    texts << action->text();
    ids << action->data().toInt();
  }
  EXPECT_EQ(texts, QStringList({"&1 Sky", "&2 Solar system"}));
  EXPECT_EQ(ids, QList<int>({1250, 1251}));
  // Opening it again does not list them twice.
  emit windows->aboutToShow();
  int listed = 0;
  for (QAction* action : windows->actions()) listed += action->data().toInt() >= 1250 ? 1 : 0;
  EXPECT_EQ(listed, 2);
}

TEST_F(MdiDocuments, ArrangeIconsLinesTheMinimizedWindowsUpAlongTheBottom) {
  showFrame();
  QMdiSubWindow* first = addDocument(FrameWindow::Sky, QStringLiteral("Sky"));
  QMdiSubWindow* second = addDocument(FrameWindow::Graph, QStringLiteral("Graph"));
  first->showMinimized();
  second->showMinimized();
  first->move(200, 10);
  second->move(10, 50);
  frame->executeCommand(552);
  const int bottom = frame->documentArea()->viewport()->rect().bottom();
  EXPECT_EQ(first->geometry().left(), 0);
  EXPECT_EQ(first->geometry().bottom(), bottom);
  EXPECT_EQ(second->geometry().left(), first->geometry().right() + 1);
  EXPECT_EQ(second->geometry().bottom(), bottom);
}

// --------------------------------------------------------------- relays

TEST_F(MainFrameTest, TimeStepAdvancesTheObserverAndReachesTheTimeWindows) {
  registerRecorders();
  const AstDateTime before = observer().dateTime;
  sendMessage(frame.get(), UM_TIME_STEP, 5, 0);
  AstDateTime expected = before;
  expected.addMinutes(5);
  EXPECT_EQ(observer().dateTime, expected);
  const std::vector<ReceivedMessage> step = {{UM_TIME_STEP, 5, 0}};
  EXPECT_EQ(received(FrameWindow::SkyControlPanel), step);
  EXPECT_EQ(received(FrameWindow::SolarSystemControlPanel), step);
  EXPECT_EQ(received(FrameWindow::ObjectInformation), step);
  EXPECT_TRUE(received(FrameWindow::Sky).empty());
  EXPECT_TRUE(received(FrameWindow::Graph).empty());
  EXPECT_TRUE(received(FrameWindow::PictureControlPanel).empty());
}

TEST_F(MainFrameTest, DaylightSavingSetTakesFlagAndMomentAndIsForwardedAsGiven) {
  registerRecorders();
  const AstDateTime moment(1, 7, 2000, 1.5, TimeKind::Lct);
  const qintptr pointer = pointerParam(&moment);
  sendMessage(frame.get(), UM_DST_SET, 1, pointer);
  EXPECT_TRUE(observer().daylightSaving);
  EXPECT_EQ(observer().dateTime, moment);
  const std::vector<ReceivedMessage> forwarded = {{UM_DST_SET, 1, pointer}};
  EXPECT_EQ(received(FrameWindow::SkyControlPanel), forwarded);
  EXPECT_EQ(received(FrameWindow::SolarSystemControlPanel), forwarded);
  EXPECT_EQ(received(FrameWindow::ObjectInformation), forwarded);
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("   01.07.2000   01:30:00 LCT (DST On)"));

  sendMessage(frame.get(), UM_DST_SET, 0, pointer);
  EXPECT_FALSE(observer().daylightSaving);
}

TEST_F(MainFrameTest, ObserverSetReplacesTheWholeObserverAndIsForwarded) {
  registerRecorders();
  Observer given;
  given.dateTime = AstDateTime(24, 12, 2010, 18.25, TimeKind::Lct);
  given.location = options().userLocation;
  given.location.timeZone = 2.0f;
  given.daylightSaving = true;
  sendMessage(frame.get(), UM_OBSERVER_SET, 0, pointerParam(&given));
  EXPECT_EQ(observer(), given);
  const std::vector<ReceivedMessage> forwarded = {{UM_OBSERVER_SET, 0, pointerParam(&given)}};
  EXPECT_EQ(received(FrameWindow::SkyControlPanel), forwarded);
  EXPECT_EQ(received(FrameWindow::SolarSystemControlPanel), forwarded);
  EXPECT_EQ(received(FrameWindow::ObjectInformation), forwarded);
  EXPECT_TRUE(received(FrameWindow::Sky).empty());
}

TEST_F(MainFrameTest, OptionsChangedReachesTheFourViews) {
  registerRecorders();
  sendMessage(frame.get(), UM_OPTIONS_CHANGED);
  const std::vector<ReceivedMessage> changed = {{UM_OPTIONS_CHANGED, 0, 0}};
  for (FrameWindow view :
       {FrameWindow::Sky, FrameWindow::SolarSystem, FrameWindow::ObjectInformation, FrameWindow::Graph}) {
    EXPECT_EQ(received(view), changed);
  }
  EXPECT_TRUE(received(FrameWindow::SkyControlPanel).empty());
  EXPECT_TRUE(received(FrameWindow::Picture).empty());
}

TEST_F(MainFrameTest, LayoutReachesSkySolarSystemAndGraph) {
  registerRecorders();
  sendMessage(frame.get(), UM_LAYOUT);
  const std::vector<ReceivedMessage> layout = {{UM_LAYOUT, 0, 0}};
  EXPECT_EQ(received(FrameWindow::Sky), layout);
  EXPECT_EQ(received(FrameWindow::SolarSystem), layout);
  EXPECT_EQ(received(FrameWindow::Graph), layout);
  EXPECT_TRUE(received(FrameWindow::ObjectInformation).empty());
  EXPECT_TRUE(received(FrameWindow::Picture).empty());
}

TEST_F(MainFrameTest, RealTimeClockTickAdvancesTheObserverByOneMinute) {
  registerRecorders();
  options().realTimeClock = true;
  setRealTimeClockHost(frame.get());
  ApplyTimeSource();
  const int clock = realTimeClockTimerId();
  ASSERT_NE(clock, 0);
  ASSERT_EQ(observer().dateTime, testing::TemporarySettings::fixedNow());

  QTimerEvent tick(clock);
  QCoreApplication::sendEvent(frame.get(), &tick);
  EXPECT_EQ(observer().dateTime, AstDateTime(15, 6, 2001, 12.0 + 1.0 / 60.0, TimeKind::Lct));
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("   15.06.2001   12:01:00 LCT (DST Off)"));
  EXPECT_EQ(received(FrameWindow::SkyControlPanel), (std::vector<ReceivedMessage>{{UM_TIME_STEP, 1, 0}}));

  // Another timer of the frame is not the clock.
  QTimerEvent other(clock + 1000);
  QCoreApplication::sendEvent(frame.get(), &other);
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("   15.06.2001   12:01:00 LCT (DST Off)"));

  options().realTimeClock = false;
  ApplyTimeSource();
  EXPECT_EQ(realTimeClockTimerId(), 0);
}

// ---------------------------------------------------------- status line

TEST_F(MainFrameTest, StatusLineShowsMomentAndListPlace) {
  frame->statusLine()->showObserver(observer());
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("   15.06.2001   12:00:00 LCT (DST Off)"));
  EXPECT_EQ(frame->statusLine()->partText(1),
            QStringLiteral("London, UK   0\u00B010'12\"   51\u00B030'00\"   +0.0 hours   "));
}

TEST_F(MainFrameTest, StatusLineBeginsWithTownAndCountryAlsoForTheUserPlace) {
  Observer user = observer();
  user.location = options().userLocation;
  sendMessage(frame.get(), UM_OBSERVER_SET, 0, pointerParam(&user));
  EXPECT_EQ(frame->statusLine()->partText(1),
            QStringLiteral("(User), (User)   0\u00B000'00\"   0\u00B000'00\"   +0.0 hours   "));
}

TEST_F(MainFrameTest, StatusLineShowsTheTimeZoneWithItsSignAndUnit) {
  Observer east = observer();
  east.location.timeZone = 5.5f;
  EXPECT_TRUE(statusLinePlaceText(east).endsWith(QStringLiteral("   +5.5 hours   ")));
  east.location.timeZone = -3.0f;
  EXPECT_TRUE(statusLinePlaceText(east).endsWith(QStringLiteral("   -3.0 hours   ")));
}

TEST_F(MainFrameTest, StatusLineFirstPartEndsAt400Pixels) {
  showFrame();
  EXPECT_EQ(frame->statusLine()->partLabel(0)->geometry().right() + 1, StatusLine::part0Right);
  EXPECT_EQ(controlIdOf(frame->statusLine()), 500);
  EXPECT_EQ(controlIdOf(frame->toolbar()), 501);
}

TEST_F(MainFrameTest, MenuItemUnderTheMouseShowsItsHintAndEmptiesThePlace) {
  frame->commandAction(113)->hover();
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("Deavtivates the grid"));
  EXPECT_EQ(frame->statusLine()->partText(1), QString());
  frame->commandAction(40016)->hover();  // no string
  EXPECT_EQ(frame->statusLine()->partText(0), QString());
  frame->commandAction(201)->hover();
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("Edits the program's general apparance"));
}

TEST_F(MainFrameTest, SubmenuItemShowsTheEmptyHint) {
  frame->commandAction(201)->hover();
  QMenu* skyMenu = topMenu(*frame, sky);
  ASSERT_NE(skyMenu, nullptr);
  skyMenu->actions().first()->hover();  // "&Map type"
  EXPECT_EQ(frame->statusLine()->partText(0), QString());
}

TEST_F(MainFrameTest, ClosingTheMenuShowsTheObserverAgain) {
  showFrame();
  QMenu* fileMenu = topMenu(*frame, file);
  fileMenu->popup(frame->mapToGlobal(QPoint(10, 30)));
  ASSERT_TRUE(testing::waitFor([&] { return fileMenu->isVisible(); }));
  frame->commandAction(106)->hover();
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("Quits the application"));
  fileMenu->hide();
  ASSERT_TRUE(testing::waitFor([&] { return !frame->statusLine()->partText(1).isEmpty(); }));
  EXPECT_EQ(frame->statusLine()->partText(0), QStringLiteral("   15.06.2001   12:00:00 LCT (DST Off)"));
}

TEST_F(MainFrameTest, DoubleClickOnTheLeftPartOpensDateAndTime) {
  showFrame();
  QString opened;
  testing::ModalWatch watch([&](QWidget* dialog) {
    opened = dialog->objectName();
    if (auto* modal = qobject_cast<QDialog*>(dialog)) modal->reject();
  });
  StatusLine* line = frame->statusLine();
  QTest::mouseDClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(100, line->height() / 2));
  ASSERT_TRUE(testing::waitFor([&] { return !opened.isEmpty(); }));
  EXPECT_EQ(opened, QStringLiteral("Dlg_OptDateTime"));
}

TEST_F(MainFrameTest, DoubleClickOnTheRightPartRunsTheLocationCommand) {
  showFrame();
  StatusLine* line = frame->statusLine();
  const QPoint rightPart(600, line->height() / 2);
  // Without a Location dialog the command is disabled and nothing happens.
  QTest::mouseDClick(line, Qt::LeftButton, Qt::NoModifier, rightPart);
  QTest::qWait(20);
  int locationRuns = 0;
  frame->setLocationCommand([&] { ++locationRuns; });
  QTest::mouseDClick(line, Qt::LeftButton, Qt::NoModifier, rightPart);
  ASSERT_TRUE(testing::waitFor([&] { return locationRuns > 0; }));
  EXPECT_EQ(locationRuns, 1);
}

// --------------------------------------------------------- string table

TEST(StringTable, HoldsTheHintOfEveryCommandExactly) {
  const std::vector<std::pair<int, QString>> hints = {
      {40015, "Creates a new Graph"},
      {100, "Opens a Graph and displays it in the Graph window"},
      {101, "Saves the Graph"},
      {102, "Saves the Graph with a new name"},
      {106, "Quits the application"},
      {110, "Displays a horizon-based view of the sky"},
      {111, "Displays an equator-based view of the sky"},
      {112, "Displays a realistic earth-based view of the sky"},
      {113, "Deavtivates the grid"},
      {114, "Displays a horizon-based grid"},
      {115, "Displays an equator-based grid"},
      {116, "Toggles display of the equator on and off"},
      {118, "Activates the Find Object window"},
      {117, "Edits Sky window settings"},
      {141, "Toggles display of objects' names on and off"},
      {140, "Toggles display of objects' symbols on and off"},
      {142, "Toggles display of the Moon on and off"},
      {143, "Edits Solar System window settings"},
      {160, "Edits the Graph"},
      {161, "Calculates the Graph"},
      {162, "Edits Graph window settings"},
      {164, "Toggles display of the guide line on and off"},
      {170, "Toggles display of the control panel on and off"},
      {65535, "Toggles the Fit To Window feature on and off"},
      {40005, "Toggles the Object Info window on and off"},
      {181, "Displays the Astronomical Calculator"},
      {182, "Displays the Table of Symbols and Abbreviations"},
      {200, "Edits the observer's time and location"},
      {201, "Edits the program's general apparance"},
  };
  for (const auto& [id, text] : hints) EXPECT_EQ(loadString(id), text) << id;
}

TEST(StringTable, CommandsWithoutAHintGiveTheEmptyText) {
  for (int id : {40016, 551, 550, 552, 220, 221, 40017, 222, 223, 206, 202, 205, 204, 1250, 0})
    EXPECT_EQ(loadString(id), QString()) << id;
}

// --------------------------------------------------------------- toolbar

TEST_F(MainFrameTest, ToolbarHasItsButtonsInOrderWithTooltipsAndImages) {
  QStringList tooltips;
  QList<int> commands;
  for (QAction* action : frame->toolbar()->actions()) {
    if (action->isSeparator()) {
      tooltips << QStringLiteral("|");
      continue;
    }
    tooltips << action->toolTip();
    commands << action->data().toInt();
    EXPECT_EQ(action->icon().availableSizes().value(0), QSize(16, 16)) << action->toolTip().toStdString();
  }
  EXPECT_EQ(tooltips, QStringList({"|", "New", "Open", "Save", "|", "Sky", "Solar System", "Graph", "Picture", "|",
                                   "Object Information", "Astronomical Calculator", "|", "Date and Time",
                                   "Location", "Appearance", "|", "About Noctavo"}));
  EXPECT_EQ(commands, QList<int>({40015, 100, 101, 206, 202, 205, 204, 40005, 181, 200, 40016, 201, 223}));
  EXPECT_TRUE(frame->toolbar()->button(40005)->isCheckable());
}

TEST_F(MainFrameTest, ToolbarButtonsOfMissingWindowsAreDisabled) {
  for (int id : {40015, 100, 101, 206, 202, 205, 204, 40005, 181, 40016})
    EXPECT_FALSE(frame->toolbar()->button(id)->isEnabled()) << id;
  for (int id : {200, 201, 223}) EXPECT_TRUE(frame->toolbar()->button(id)->isEnabled()) << id;
}

TEST_F(MainFrameTest, HidingTheToolbarMovesTheDocumentAreaUpByItsHeight) {
  showFrame();
  const int topWithToolbar = frame->documentArea()->geometry().top();
  const int toolbarHeight = ToolbarHeight();
  ASSERT_GT(toolbarHeight, 0);
  ToolbarSetVisible(false);
  sendMessage(frame.get(), UM_LAYOUT);
  EXPECT_FALSE(frame->toolbar()->isVisible());
  EXPECT_EQ(frame->documentArea()->geometry().top(), topWithToolbar - toolbarHeight);

  const int bottomWithStatusLine = frame->documentArea()->geometry().bottom();
  const int statusHeight = StatusLineHeight();
  StatusLineShow(false);
  sendMessage(frame.get(), UM_LAYOUT);
  EXPECT_EQ(frame->documentArea()->geometry().bottom(), bottomWithStatusLine + statusHeight);
}

// ------------------------------------------------------------------ help

TEST_F(MainFrameTest, F1OverAnOpenMenuAsksForTheMainMenuTopic) {
  showFrame();
  QMenu* helpMenu = topMenu(*frame, help);
  helpMenu->popup(frame->mapToGlobal(QPoint(400, 30)));
  ASSERT_TRUE(testing::waitFor([&] { return helpMenu->isVisible(); }));
  QTest::keyClick(helpMenu, Qt::Key_F1);
  helpMenu->hide();
  ASSERT_EQ(helpRequests.size(), 1u);
  EXPECT_EQ(helpRequests[0].first, MainFrame::HelpPage::Topic);
  EXPECT_EQ(helpRequests[0].second, QStringLiteral("main menu.htm"));
}

TEST_F(MainFrameTest, F1ElsewhereAsksForTheContents) {
  showFrame();
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  QTest::keyClick(frame->documentArea(), Qt::Key_F1);
  ASSERT_EQ(helpRequests.size(), 1u);
  EXPECT_EQ(helpRequests[0].second, QStringLiteral("contents.htm"));
}

TEST_F(MainFrameTest, HelpMenuOpensContentsSearchQuickTourAndGlossary) {
  for (int id : {220, 221, 40017, 222}) frame->commandAction(id)->trigger();
  using Page = MainFrame::HelpPage;
  const std::vector<std::pair<Page, QString>> expected = {{Page::Contents, QString()},
                                                          {Page::Search, QString()},
                                                          {Page::Topic, QStringLiteral("Quick Tour.htm")},
                                                          {Page::Topic, QStringLiteral("glossary.htm")}};
  EXPECT_EQ(helpRequests, expected);
}

TEST_F(MainFrameTest, AboutDialogNamesProgramVersionLanguageDateAndTerms) {
  QString caption;
  QStringList texts;
  QString terms;
  testing::ModalWatch watch([&](QWidget* dialog) {
    caption = dialog->windowTitle();
    for (int id : {400, 135, 278, 101}) {
      auto* label = qobject_cast<QLabel*>(findControlOrNull(dialog, id));
      texts << (label ? label->text() : QStringLiteral("(missing)"));
    }
    for (QLabel* label : dialog->findChildren<QLabel*>()) terms += label->text() + QLatin1Char('\n');
    EXPECT_EQ(dialog->objectName(), QStringLiteral("Dlg_About"));
    qobject_cast<QDialog*>(dialog)->accept();
  });
  frame->commandAction(223)->trigger();
  EXPECT_EQ(watch.count(), 1);
  EXPECT_EQ(caption, QStringLiteral("About Noctavo"));
  EXPECT_EQ(texts, QStringList({"Noctavo is a program for astronomical calculations and information.", "1.00",
                                "English", "Jun 30 2002"}));
  EXPECT_TRUE(terms.contains(QStringLiteral("GNU General Public License, version 3")));
  EXPECT_TRUE(terms.contains(QStringLiteral("WITHOUT ANY WARRANTY")));
}

TEST_F(MainFrameTest, ExitClosesTheFrameWhenTheShutdownAgrees) {
  showFrame();
  bool agree = false;
  int asked = 0;
  frame->setCloseHandler([&] {
    ++asked;
    return agree;
  });
  frame->commandAction(106)->trigger();
  EXPECT_TRUE(frame->isVisible());
  agree = true;
  bool closed = false;
  QObject::connect(frame.get(), &MainFrame::closed, [&] { closed = true; });
  frame->commandAction(106)->trigger();
  EXPECT_FALSE(frame->isVisible());
  EXPECT_TRUE(closed);
  EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace noctavo
