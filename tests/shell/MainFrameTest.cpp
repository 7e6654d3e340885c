// The main frame: its menu, the commands it carries to the windows, the
// messages it relays, the status line, the toolbar, the documents and help.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimerEvent>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "shell/FrameTestSupport.h"
#include "shell/MainFrame.h"
#include "shell/MainFrameAccess.h"
#include "shell/Options.h"
#include "shell/StatusLine.h"
#include "shell/Toolbar.h"
#include "shell/WindowMessages.h"
#include "support/ModalDialogs.h"
#include "support/TemporarySettings.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

using testing::MessageRecorder;
using testing::ReceivedMessage;
using Messages = std::vector<ReceivedMessage>;

const QString file = QStringLiteral("&File");
const QString sky = QStringLiteral("&Sky");
const QString help = QStringLiteral("&Help");

// Every command of the main menu, with the menus above it.
std::map<int, std::pair<QAction*, QStringList>> menuCommands(MainFrame& frame) {
  std::map<int, std::pair<QAction*, QStringList>> found;
  const std::function<void(QMenu*, QStringList)> collect = [&](QMenu* menu, QStringList path) {
    path << menu->title();
    for (QAction* action : menu->actions()) {
      if (action->menu()) {
        collect(action->menu(), path);
      } else if (!action->isSeparator()) {
        found[action->data().toInt()] = {action, path};
      }
    }
  };
  for (QAction* top : frame.mainMenu()->actions()) collect(top->menu(), {});
  return found;
}

// The commands the frame carries out itself, without any window, and those
// a window ungreys only once it has something to do.
const std::set<int> frameCommands = {106, 200, 201, 551, 550, 552, 220, 221, 40017, 222, 223};
const std::set<int> greyedAtStart = {161, 164};

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
  Messages& received(FrameWindow which) { return recorders.at(which)->messages; }
  void trigger(std::initializer_list<int> commands) {
    for (int id : commands) frame->commandAction(id)->trigger();
  }
  // The windows that show the observer's moment get a message as it came.
  void expectForwardedToTheTimeWindows(const Messages& expected) {
    EXPECT_EQ(received(FrameWindow::SkyControlPanel), expected);
    EXPECT_EQ(received(FrameWindow::SolarSystemControlPanel), expected);
    EXPECT_EQ(received(FrameWindow::ObjectInformation), expected);
    EXPECT_TRUE(received(FrameWindow::Sky).empty());
    EXPECT_TRUE(received(FrameWindow::Graph).empty());
  }
  QString statusPart(int part) { return frame->statusLine()->partText(part); }

  testing::TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
  std::map<FrameWindow, std::unique_ptr<MessageRecorder>> recorders;
  std::vector<std::pair<MainFrame::HelpPage, QString>> helpRequests;
};

// ------------------------------------------------------------- the menu

TEST_F(MainFrameTest, IsTitledNoctavoWithNineMenusOfThirtyEightCommands) {
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Noctavo"));
  EXPECT_EQ(frame->objectName(), QStringLiteral("NoctavoMdiFrame"));
  EXPECT_EQ(frame->centralWidget(), frame->documentArea());
  EXPECT_EQ(frame->mainMenu()->objectName(), QStringLiteral("Menu_Main"));
  EXPECT_FALSE(frame->windowIcon().isNull());
  QStringList titles;
  for (QAction* top : frame->mainMenu()->actions()) titles << top->text();
  EXPECT_EQ(titles, QStringList({file, sky, "Solar s&ystem", "&Graph", "&Picture", "&Utilities", "&Options",
                                 "&Window", help}));
  auto commands = menuCommands(*frame);
  EXPECT_EQ(commands.size(), 38u);
  struct Item {
    int id;
    QStringList path;
    QString text;
    bool checkable, checked;
  };
  const Item items[] = {
      {40015, {file}, "&New", false, false},
      {112, {sky, "&Map type"}, "&Realistic", true, true},
      {116, {sky, "&Grid"}, "E&cliptic", true, false},
      {141, {"Solar s&ystem"}, "&Names", true, true},
      {65535, {"&Picture"}, "&Fit to window", true, false},
      {182, {"&Utilities"}, "Table of &symbols and abbreviations...", true, false},
      {40016, {"&Options"}, "&Location...", false, false},
      {223, {help}, "&About Noctavo", false, false},
  };
  for (const Item& item : items) {
    SCOPED_TRACE(item.id);
    const auto& [action, path] = commands[item.id];
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action, frame->commandAction(item.id));
    EXPECT_EQ(action->text(), item.text);
    EXPECT_EQ(path, item.path);
    EXPECT_EQ(action->isCheckable(), item.checkable);
    EXPECT_EQ(action->isChecked(), item.checked);
  }
}

TEST_F(MainFrameTest, CommandsAreEnabledWhileTheirWindowIsThereExceptThoseGreyedAtStart) {
  const auto commands = menuCommands(*frame);
  for (const auto& [id, item] : commands) EXPECT_EQ(item.first->isEnabled(), frameCommands.count(id) > 0) << id;
  registerRecorders();
  frame->setLocationCommand([] {});
  for (const auto& [id, item] : commands) EXPECT_EQ(item.first->isEnabled(), !greyedAtStart.count(id)) << id;
  // The Graph window ungreys its own commands once it has something to calculate.
  frame->setCommandEnabled(161, true);
  frame->setCommandEnabled(164, true);
  EXPECT_TRUE(frame->commandAction(161)->isEnabled());
  EXPECT_TRUE(frame->commandAction(164)->isEnabled());
  // A window that goes takes its commands with it.
  recorders.erase(FrameWindow::Sky);
  EXPECT_FALSE(frame->commandAction(117)->isEnabled());
  EXPECT_EQ(frame->window(FrameWindow::Sky), nullptr);
  frame->registerWindow(FrameWindow::SolarSystem, nullptr);
  EXPECT_FALSE(frame->commandAction(143)->isEnabled());
}

TEST_F(MainFrameTest, ADisabledCommandDoesNothingWhoeverAsks) {
  frame->executeCommand(40015);  // no Graph window: nothing to send to
  MessageRecorder graphWindow;
  frame->registerWindow(FrameWindow::Graph, &graphWindow);
  frame->executeCommand(161);  // greyed at start
  EXPECT_TRUE(graphWindow.messages.empty());
  frame->executeCommand(40015);
  EXPECT_EQ(graphWindow.messages, (Messages{{UM_GRAPH_NEW, 0, 0}}));
  frame->registerWindow(FrameWindow::Graph, nullptr);
}

TEST_F(MainFrameTest, MenuItemsCarryTheirCommandsToTheWindows) {
  registerRecorders();
  frame->setCommandEnabled(161, true);
  trigger({110, 116, 118, 117});
  EXPECT_EQ(received(FrameWindow::Sky),
            (Messages{{UM_COMMAND, 110, 1}, {UM_COMMAND, 116, 1}, {UM_COMMAND, 118, 0}, {UM_COMMAND, 117, 0}}));
  // The map commands leave the check marks to the Sky window.
  EXPECT_FALSE(frame->isCommandChecked(110));
  EXPECT_TRUE(frame->isCommandChecked(112));
  trigger({40015, 100, 101, 102, 160, 161, 162});
  EXPECT_EQ(received(FrameWindow::Graph), (Messages{{UM_GRAPH_NEW, 0, 0},
                                                    {UM_COMMAND, 100, 0},
                                                    {UM_COMMAND, 101, 0},
                                                    {UM_COMMAND, 102, 0},
                                                    {UM_COMMAND, 160, 0},
                                                    {UM_COMMAND, 161, 0},
                                                    {UM_COMMAND, 162, 0}}));
  trigger({143});
  EXPECT_EQ(received(FrameWindow::SolarSystem), (Messages{{UM_COMMAND, 143, 0}}));
}

TEST_F(MainFrameTest, ToggleItemsFlipTheirCheckAndShowOrHideWhatTheyStandFor) {
  registerRecorders();
  trigger({141, 140, 142, 141});
  EXPECT_TRUE(frame->isCommandChecked(141));
  EXPECT_TRUE(frame->isCommandChecked(140));
  EXPECT_TRUE(frame->isCommandChecked(142));
  EXPECT_EQ(received(FrameWindow::SolarSystem),
            (Messages{{UM_SHOW, 0, 0}, {UM_HIDE, 0, 0}, {UM_TOGGLE_MOON, 0, 0}, {UM_SHOW, 0, 0}}));

  frame->setCommandEnabled(164, true);
  trigger({164});
  EXPECT_TRUE(frame->isCommandChecked(164));
  trigger({164});
  EXPECT_FALSE(frame->isCommandChecked(164));
  EXPECT_EQ(received(FrameWindow::GraphDrawingArea), (Messages{{UM_SHOW, 0, 0}, {UM_HIDE, 0, 0}}));

  trigger({40005, 181, 182});
  EXPECT_TRUE(frame->toolbar()->button(40005)->isChecked());
  EXPECT_TRUE(frame->toolbar()->button(181)->isChecked());
  trigger({40005, 181, 182});
  EXPECT_FALSE(frame->toolbar()->button(40005)->isChecked());
  EXPECT_FALSE(frame->toolbar()->button(181)->isChecked());
  const Messages showThenHide = {{UM_SHOW, 0, 0}, {UM_HIDE, 0, 0}};
  EXPECT_EQ(received(FrameWindow::ObjectInformation), showThenHide);
  EXPECT_EQ(received(FrameWindow::Calculator), showThenHide);
  EXPECT_EQ(received(FrameWindow::SymbolTable), showThenHide);
  EXPECT_TRUE(received(FrameWindow::Graph).empty());
}

TEST_F(MainFrameTest, PictureCommandsDoubleClickTheWindowAndLeaveFitsCheckMarkToIt) {
  registerRecorders();
  trigger({170});
  EXPECT_EQ(recorders.at(FrameWindow::Picture)->doubleClicks, 1);
  EXPECT_TRUE(frame->isCommandChecked(170));
  trigger({65535});
  EXPECT_EQ(received(FrameWindow::Picture), (Messages{{UM_FIT_TOGGLE, 0, 0}}));
  EXPECT_FALSE(frame->isCommandChecked(65535));
  sendMessage(frame.get(), UM_FIT_CHECK, 1);
  EXPECT_TRUE(frame->isCommandChecked(65535));
  sendMessage(frame.get(), UM_FIT_CHECK, 0);
  EXPECT_FALSE(frame->isCommandChecked(65535));
}

TEST_F(MainFrameTest, ToolbarButtonAndMenuItemKeepOneCheckState) {
  registerRecorders();
  showFrame();
  QWidget* button = frame->toolbar()->widgetForAction(frame->toolbar()->button(40005));
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(frame->isCommandChecked(40005));
  EXPECT_TRUE(frame->toolbar()->button(40005)->isChecked());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(frame->isCommandChecked(40005));
  EXPECT_FALSE(frame->toolbar()->button(40005)->isChecked());
  EXPECT_EQ(received(FrameWindow::ObjectInformation), (Messages{{UM_SHOW, 0, 0}, {UM_HIDE, 0, 0}}));
  // The calculator button only shows the state of its menu item.
  QTest::mouseClick(frame->toolbar()->widgetForAction(frame->toolbar()->button(181)), Qt::LeftButton);
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
  skyDoc.namesItselfActive = graphDoc.namesItselfActive = true;
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

TEST_F(MdiDocuments, WindowMenuListsTheDocumentsFromId1250Once) {
  addDocument(FrameWindow::Sky, QStringLiteral("Sky"));
  addDocument(FrameWindow::SolarSystem, QStringLiteral("Solar system"));
  QMenu* windows = topMenu(*frame, QStringLiteral("&Window"));
  for (int opening = 0; opening < 2; ++opening) {
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
  }
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

TEST_F(MainFrameTest, TimeMessagesMoveTheObserverAndReachTheTimeWindowsAsGiven) {
  registerRecorders();
  AstDateTime stepped = observer().dateTime;
  stepped.addMinutes(5);
  sendMessage(frame.get(), UM_TIME_STEP, 5, 0);
  EXPECT_EQ(observer().dateTime, stepped);
  expectForwardedToTheTimeWindows({{UM_TIME_STEP, 5, 0}});

  registerRecorders();
  const AstDateTime moment(1, 7, 2000, 1.5, TimeKind::Lct);
  sendMessage(frame.get(), UM_DST_SET, 1, pointerParam(&moment));
  EXPECT_TRUE(observer().daylightSaving);
  EXPECT_EQ(observer().dateTime, moment);
  expectForwardedToTheTimeWindows({{UM_DST_SET, 1, pointerParam(&moment)}});
  EXPECT_EQ(statusPart(0), QStringLiteral("   01.07.2000   01:30:00 LCT (DST On)"));
  sendMessage(frame.get(), UM_DST_SET, 0, pointerParam(&moment));
  EXPECT_FALSE(observer().daylightSaving);

  registerRecorders();
  Observer given;
  given.dateTime = AstDateTime(24, 12, 2010, 18.25, TimeKind::Lct);
  given.location = options().userLocation;
  given.location.timeZone = 2.0f;
  given.daylightSaving = true;
  sendMessage(frame.get(), UM_OBSERVER_SET, 0, pointerParam(&given));
  EXPECT_EQ(observer(), given);  // the whole observer
  expectForwardedToTheTimeWindows({{UM_OBSERVER_SET, 0, pointerParam(&given)}});
}

TEST_F(MainFrameTest, OptionsChangedAndLayoutReachTheirViews) {
  registerRecorders();
  sendMessage(frame.get(), UM_OPTIONS_CHANGED);
  sendMessage(frame.get(), UM_LAYOUT);
  const std::pair<FrameWindow, Messages> expected[] = {
      {FrameWindow::Sky, {{UM_OPTIONS_CHANGED, 0, 0}, {UM_LAYOUT, 0, 0}}},
      {FrameWindow::SolarSystem, {{UM_OPTIONS_CHANGED, 0, 0}, {UM_LAYOUT, 0, 0}}},
      {FrameWindow::Graph, {{UM_OPTIONS_CHANGED, 0, 0}, {UM_LAYOUT, 0, 0}}},
      {FrameWindow::ObjectInformation, {{UM_OPTIONS_CHANGED, 0, 0}}},
      {FrameWindow::SkyControlPanel, {}},
      {FrameWindow::Picture, {}},
  };
  for (const auto& [which, messages] : expected) EXPECT_EQ(received(which), messages) << static_cast<int>(which);
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
  EXPECT_EQ(statusPart(0), QStringLiteral("   15.06.2001   12:01:00 LCT (DST Off)"));
  EXPECT_EQ(received(FrameWindow::SkyControlPanel), (Messages{{UM_TIME_STEP, 1, 0}}));
  // Another timer of the frame is not the clock.
  QTimerEvent other(clock + 1000);
  QCoreApplication::sendEvent(frame.get(), &other);
  EXPECT_EQ(statusPart(0), QStringLiteral("   15.06.2001   12:01:00 LCT (DST Off)"));
  options().realTimeClock = false;
  ApplyTimeSource();
  EXPECT_EQ(realTimeClockTimerId(), 0);
}

// ---------------------------------------------------------- status line

TEST_F(MainFrameTest, StatusLineShowsMomentAndPlaceBeginningWithTownAndCountry) {
  frame->statusLine()->showObserver(observer());
  EXPECT_EQ(statusPart(0), QStringLiteral("   15.06.2001   12:00:00 LCT (DST Off)"));
  EXPECT_EQ(statusPart(1), QStringLiteral("London, UK   0\u00B010'12\"   51\u00B030'00\"   +0.0 hours   "));
  Observer user = observer();
  user.location = options().userLocation;
  sendMessage(frame.get(), UM_OBSERVER_SET, 0, pointerParam(&user));
  EXPECT_EQ(statusPart(1), QStringLiteral("(User), (User)   0\u00B000'00\"   0\u00B000'00\"   +0.0 hours   "));
  user.location.timeZone = 5.5f;
  EXPECT_TRUE(statusLinePlaceText(user).endsWith(QStringLiteral("   +5.5 hours   ")));
  user.location.timeZone = -3.0f;
  EXPECT_TRUE(statusLinePlaceText(user).endsWith(QStringLiteral("   -3.0 hours   ")));
}

TEST_F(MainFrameTest, StatusLineFirstPartEndsAt400Pixels) {
  showFrame();
  EXPECT_EQ(frame->statusLine()->partLabel(0)->geometry().right() + 1, StatusLine::part0Right);
  EXPECT_EQ(controlIdOf(frame->statusLine()), 500);
  EXPECT_EQ(controlIdOf(frame->toolbar()), 501);
}

TEST_F(MainFrameTest, MenuItemUnderTheMouseShowsItsHintAndClosingTheMenuTheObserverAgain) {
  showFrame();
  QMenu* fileMenu = topMenu(*frame, file);
  fileMenu->popup(frame->mapToGlobal(QPoint(10, 30)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return fileMenu->isVisible(); }));
  // The hints keep the string table's spelling.
  const std::pair<int, QString> hints[] = {{106, "Quits the application"},
                                           {113, "Deavtivates the grid"},
                                           {40016, ""},  // no hint
                                           {201, "Edits the program's general apparance"},
                                           {116, "Toggles display of the equator on and off"},
                                           {223, ""}};
  for (const auto& [id, hint] : hints) {
    frame->commandAction(id)->hover();
    EXPECT_EQ(statusPart(0), hint) << id;
    EXPECT_EQ(statusPart(1), QString()) << id;
  }
  frame->commandAction(201)->hover();
  topMenu(*frame, sky)->actions().first()->hover();  // the submenu "&Map type" has the empty hint
  EXPECT_EQ(statusPart(0), QString());
  fileMenu->hide();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !statusPart(1).isEmpty(); }));
  EXPECT_EQ(statusPart(0), QStringLiteral("   15.06.2001   12:00:00 LCT (DST Off)"));
  // A menu does not hover a greyed item; its hint shows under the mouse all the same.
  QMenu* graphMenu = topMenu(*frame, QStringLiteral("&Graph"));
  graphMenu->popup(frame->mapToGlobal(QPoint(200, 30)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return graphMenu->isVisible(); }));
  QTest::mouseMove(graphMenu, graphMenu->actionGeometry(frame->commandAction(161)).center());
  EXPECT_EQ(statusPart(0), QStringLiteral("Calculates the Graph"));
  graphMenu->hide();
}

TEST_F(MainFrameTest, DoubleClicksOnTheStatusLineOpenDateAndTimeOrRunTheLocationCommand) {
  showFrame();
  StatusLine* line = frame->statusLine();
  {
    testing::ModalWatch watch;
    QTest::mouseDClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(100, line->height() / 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.count() > 0; }));
    EXPECT_EQ(watch.shown[0].objectName, QStringLiteral("Dlg_OptDateTime"));
  }
  const QPoint rightPart(600, line->height() / 2);
  // Without a Location dialog the command is disabled and nothing happens.
  QTest::mouseDClick(line, Qt::LeftButton, Qt::NoModifier, rightPart);
  QTest::qWait(20);
  int locationRuns = 0;
  frame->setLocationCommand([&] { ++locationRuns; });
  QTest::mouseDClick(line, Qt::LeftButton, Qt::NoModifier, rightPart);
  ASSERT_TRUE(QTest::qWaitFor([&] { return locationRuns > 0; }));
  EXPECT_EQ(locationRuns, 1);
}

// --------------------------------------------------------------- toolbar

TEST_F(MainFrameTest, ToolbarHasItsButtonsInOrderWithTooltipsAndImages) {
  QStringList tooltips;
  QList<int> commands;
  for (QAction* action : frame->toolbar()->actions()) {
    tooltips << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    if (action->isSeparator()) continue;
    commands << action->data().toInt();
    EXPECT_EQ(action->icon().availableSizes().value(0), QSize(16, 16)) << action->toolTip().toStdString();
    // Buttons of missing windows are disabled.
    EXPECT_EQ(action->isEnabled(), commands.back() == 200 || commands.back() == 201 || commands.back() == 223)
        << commands.back();
  }
  EXPECT_EQ(tooltips, QStringList({"|", "New", "Open", "Save", "|", "Sky", "Solar System", "Graph", "Picture", "|",
                                   "Object Information", "Astronomical Calculator", "|", "Date and Time",
                                   "Location", "Appearance", "|", "About Noctavo"}));
  EXPECT_EQ(commands, QList<int>({40015, 100, 101, 206, 202, 205, 204, 40005, 181, 200, 40016, 201, 223}));
  EXPECT_TRUE(frame->toolbar()->button(40005)->isCheckable());
}

TEST_F(MainFrameTest, HidingToolbarAndStatusLineGivesTheDocumentAreaTheirRoom) {
  showFrame();
  const QRect withBoth = frame->documentArea()->geometry();
  const int toolbarHeight = ToolbarHeight();
  const int statusHeight = StatusLineHeight();
  ASSERT_GT(toolbarHeight, 0);
  ToolbarSetVisible(false);
  StatusLineShow(false);
  sendMessage(frame.get(), UM_LAYOUT);
  EXPECT_FALSE(frame->toolbar()->isVisible());
  EXPECT_EQ(frame->documentArea()->geometry().top(), withBoth.top() - toolbarHeight);
  EXPECT_EQ(frame->documentArea()->geometry().bottom(), withBoth.bottom() + statusHeight);
}

// ------------------------------------------------------------------ help

TEST_F(MainFrameTest, F1AndTheHelpMenuAskForTheirTopics) {
  showFrame();
  QMenu* helpMenu = topMenu(*frame, help);
  helpMenu->popup(frame->mapToGlobal(QPoint(400, 30)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return helpMenu->isVisible(); }));
  QTest::keyClick(helpMenu, Qt::Key_F1);  // over an open menu
  helpMenu->hide();
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  QTest::keyClick(frame->documentArea(), Qt::Key_F1);  // elsewhere
  trigger({220, 221, 40017, 222});
  using Page = MainFrame::HelpPage;
  EXPECT_EQ(helpRequests, (std::vector<std::pair<Page, QString>>{{Page::Topic, QStringLiteral("main menu.htm")},
                                                                 {Page::Topic, QStringLiteral("contents.htm")},
                                                                 {Page::Contents, QString()},
                                                                 {Page::Search, QString()},
                                                                 {Page::Topic, QStringLiteral("Quick Tour.htm")},
                                                                 {Page::Topic, QStringLiteral("glossary.htm")}}));
}

TEST_F(MainFrameTest, AboutDialogNamesProgramVersionLanguageDateAndTerms) {
  QStringList texts;
  QString terms;
  testing::ModalWatch watch([&](QWidget* dialog) {
    for (int id : {400, 135, 278, 101}) {
      auto* label = qobject_cast<QLabel*>(findControlOrNull(dialog, id));
      texts << (label ? label->text() : QStringLiteral("(missing)"));
    }
    for (QLabel* label : dialog->findChildren<QLabel*>()) terms += label->text() + QLatin1Char('\n');
    qobject_cast<QDialog*>(dialog)->accept();
  });
  trigger({223});
  ASSERT_EQ(watch.count(), 1);
  EXPECT_EQ(watch.shown[0].objectName, QStringLiteral("Dlg_About"));
  EXPECT_EQ(watch.shown[0].caption, QStringLiteral("About Noctavo"));
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
  trigger({106});
  EXPECT_TRUE(frame->isVisible());
  agree = true;
  bool closed = false;
  QObject::connect(frame.get(), &MainFrame::closed, [&] { closed = true; });
  trigger({106});
  EXPECT_FALSE(frame->isVisible());
  EXPECT_TRUE(closed);
  EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace noctavo
