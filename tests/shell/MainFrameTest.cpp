// The main frame: the commands it carries to the windows, the messages it
// relays, the status line, the toolbar, the documents and help.
#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimerEvent>
#include <QToolBar>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "frame/WindowMessages.h"
#include "shell/FrameTestSupport.h"
#include "shell/MainFrame.h"
#include "shell/MainFrameAccess.h"
#include "shell/StatusLine.h"
#include "shell/Toolbar.h"
#include "support/ModalDialogs.h"
#include "support/TemporarySettings.h"
#include "ui/DialogControls.h"
#include "ui/Options.h"

namespace noctavo {
namespace {

using testing::MessageRecorder;
using Messages = std::vector<testing::ReceivedMessage>;

const QString observerAtNoon = QStringLiteral("   15.06.2001   12:00:00 LCT (DST Off)");

// Every command of the main menu.
std::vector<QAction*> menuCommands(MainFrame& frame) {
  std::vector<QAction*> found;
  const std::function<void(QMenu*)> collect = [&](QMenu* menu) {
    for (QAction* action : menu->actions()) {
      if (action->menu()) {
        collect(action->menu());
      } else if (!action->isSeparator()) {
        found.push_back(action);
      }
    }
  };
  for (QAction* top : frame.mainMenu()->actions()) collect(top->menu());
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
    for (int which = 0; which <= static_cast<int>(FrameWindow::SymbolTable); ++which) {
      recorders[FrameWindow(which)] = std::make_unique<MessageRecorder>();
      frame->registerWindow(FrameWindow(which), recorders[FrameWindow(which)].get());
    }
  }
  Messages& received(FrameWindow which) { return recorders.at(which)->messages; }
  void trigger(std::initializer_list<int> commands) {
    for (int id : commands) frame->commandAction(id)->trigger();
  }
  QString statusPart(int part) { return frame->statusLine()->partText(part); }

  // A document window of the given kind in the frame's document area.
  QMdiSubWindow* addDocument(FrameWindow which, const QString& title) {
    auto* content = new QWidget;
    QMdiSubWindow* child = frame->documentArea()->addSubWindow(content);
    child->setWindowTitle(title);
    child->resize(300, 200);
    child->show();
    frame->registerWindow(which, content);
    return child;
  }

  testing::TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
  std::map<FrameWindow, std::unique_ptr<MessageRecorder>> recorders;
};

// Commands are enabled while their window is there and carried to it; a
// disabled command does nothing; toolbar button and menu item share one
// check mark.
TEST_F(MainFrameTest, CommandsAreEnabledWhileTheirWindowIsThereAndCarriedToIt) {
  const int frameCommands[] = {106, 200, 201, 551, 550, 552, 220, 221, 40017, 222, 223};
  for (QAction* action : menuCommands(*frame)) {
    const int id = action->data().toInt();
    EXPECT_EQ(action->isEnabled(), std::count(std::begin(frameCommands), std::end(frameCommands), id) == 1) << id;
  }
  frame->executeCommand(40015);  // no Graph window: nothing to send to
  showFrame();
  registerRecorders();
  frame->setLocationCommand([] {});
  // The Graph window ungreys "Calculate", the guide line and the exports itself.
  const int graphGreyed[] = {161, 164, 165, 166};
  for (QAction* action : menuCommands(*frame)) {
    const int id = action->data().toInt();
    EXPECT_EQ(action->isEnabled(), std::count(std::begin(graphGreyed), std::end(graphGreyed), id) == 0) << id;
  }
  frame->executeCommand(161);
  trigger({110, 117, 40015, 141, 140});
  EXPECT_EQ(received(FrameWindow::Sky), (Messages{{UM_COMMAND, 110, 1}, {UM_COMMAND, 117, 0}}));
  EXPECT_FALSE(frame->isCommandChecked(110));  // the map commands leave the check marks to the Sky window
  EXPECT_EQ(received(FrameWindow::Graph), (Messages{{UM_GRAPH_NEW, 0, 0}}));
  EXPECT_TRUE(frame->isCommandChecked(140) && !frame->isCommandChecked(141));
  EXPECT_EQ(received(FrameWindow::SolarSystem), (Messages{{UM_SHOW, 0, 0}, {UM_HIDE, 0, 0}}));
  QTest::mouseClick(frame->toolbar()->widgetForAction(frame->toolbar()->button(40005)), Qt::LeftButton);
  EXPECT_TRUE(frame->isCommandChecked(40005) && frame->toolbar()->button(40005)->isChecked());
  trigger({181, 40005, 181});
  EXPECT_FALSE(frame->toolbar()->button(40005)->isChecked() || frame->toolbar()->button(181)->isChecked());
  const Messages showThenHide = {{UM_SHOW, 0, 0}, {UM_HIDE, 0, 0}};
  EXPECT_EQ(received(FrameWindow::ObjectInformation), showThenHide);
  EXPECT_EQ(received(FrameWindow::Calculator), showThenHide);
  frame->registerWindow(FrameWindow::Sky, nullptr);  // a window that goes takes its commands with it
  EXPECT_FALSE(frame->commandAction(117)->isEnabled());
}

TEST_F(MainFrameTest, DocumentsAreActivatedAsTheyAskAndByTheirCommandsAndTheirIconsArranged) {
  showFrame();
  std::vector<std::string> log;
  QMdiSubWindow* skyChild = addDocument(FrameWindow::Sky, QStringLiteral("Sky"));
  QMdiSubWindow* graphChild = addDocument(FrameWindow::Graph, QStringLiteral("Graph"));
  testing::FakeDocument skyDoc(skyChild, "Sky", &log), graphDoc(graphChild, "Graph", &log);
  skyDoc.namesItselfActive = graphDoc.namesItselfActive = true;
  graphDoc.asksForMaximize = true;
  // Registered in another order than the one they are asked in; the last
  // that names itself is activated.
  frame->registerDocument(FrameWindow::Graph, &graphDoc);
  frame->registerDocument(FrameWindow::Sky, &skyDoc);
  QMdiSubWindow* active = nullptr;
  bool maximize = false;
  frame->initialiseDocuments(active, maximize);
  EXPECT_EQ(log, (std::vector<std::string>{"initialise Sky", "initialise Graph"}));
  frame->activateDocument(active, maximize);
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), graphChild);
  EXPECT_TRUE(graphChild->isMaximized());
  graphChild->showNormal();
  // The toolbar's window commands bring a minimized window back.
  skyChild->showMinimized();
  frame->executeCommand(206);
  EXPECT_FALSE(skyChild->isMinimized());
  EXPECT_EQ(frame->documentArea()->activeSubWindow(), skyChild);
  // Arrange icons lines the minimized windows up along the bottom.
  skyChild->showMinimized();
  graphChild->showMinimized();
  skyChild->move(200, 10);
  graphChild->move(10, 50);
  frame->executeCommand(552);
  const int bottom = frame->documentArea()->viewport()->rect().bottom();
  EXPECT_EQ(skyChild->geometry().left(), 0);
  EXPECT_EQ(skyChild->geometry().bottom(), bottom);
  EXPECT_EQ(graphChild->geometry().left(), skyChild->geometry().right() + 1);
  EXPECT_EQ(graphChild->geometry().bottom(), bottom);
}

TEST_F(MainFrameTest, TimeMessagesAndTheClockMoveTheObserverAndReachTheWindowsAsGiven) {
  const auto expectForwarded = [this](const Messages& expected) {
    for (FrameWindow which : {FrameWindow::SkyControlPanel, FrameWindow::SolarSystemControlPanel,
                              FrameWindow::ObjectInformation}) {
      EXPECT_EQ(received(which), expected) << static_cast<int>(which);
    }
    EXPECT_TRUE(received(FrameWindow::Sky).empty());
  };
  registerRecorders();
  const AstDateTime moment(1, 7, 2000, 1.5, TimeKind::Lct);
  sendDstSet(frame.get(), true, moment);
  EXPECT_TRUE(observer().daylightSaving);
  EXPECT_EQ(observer().dateTime, moment);
  expectForwarded({{UM_DST_SET, 1, 0, &moment}});
  EXPECT_EQ(statusPart(0), QStringLiteral("   01.07.2000   01:30:00 LCT (DST On)"));

  registerRecorders();
  Observer given;
  given.dateTime = AstDateTime(24, 12, 2010, 18.25, TimeKind::Lct);
  given.location = options().userLocation;
  given.location.timeZone = -3.0f;
  sendObserverSet(frame.get(), given);
  EXPECT_EQ(observer(), given);  // the whole observer
  expectForwarded({{UM_OBSERVER_SET, 0, 0, &given}});
  EXPECT_EQ(statusPart(1), QStringLiteral("(User), (User)   0\u00B000'00\"   0\u00B000'00\"   -3.0 hours   "));

  registerRecorders();
  sendOptionsChanged(frame.get());
  sendLayout(frame.get());
  const Messages both = {{UM_OPTIONS_CHANGED, 0, 0}, {UM_LAYOUT, 0, 0}};
  for (FrameWindow view : {FrameWindow::Sky, FrameWindow::SolarSystem, FrameWindow::Graph}) {
    EXPECT_EQ(received(view), both) << static_cast<int>(view);
  }
  EXPECT_EQ(received(FrameWindow::ObjectInformation), (Messages{{UM_OPTIONS_CHANGED, 0, 0}}));
  EXPECT_TRUE(received(FrameWindow::SkyControlPanel).empty() && received(FrameWindow::Picture).empty());

  // The real-time clock's tick moves the observer on by one minute; another
  // timer of the frame is not the clock.
  observer().dateTime = AstDateTime(15, 6, 2001, 12.0, TimeKind::Lct);
  options().realTimeClock = true;
  setRealTimeClockHost(frame.get());
  ApplyTimeSource();
  const int clock = realTimeClockTimerId();
  ASSERT_NE(clock, 0);
  QTimerEvent tick(clock), other(clock + 1000);
  QCoreApplication::sendEvent(frame.get(), &tick);
  QCoreApplication::sendEvent(frame.get(), &other);
  EXPECT_EQ(observer().dateTime, AstDateTime(15, 6, 2001, 12.0 + 1.0 / 60.0, TimeKind::Lct));
  EXPECT_EQ(statusPart(0), QStringLiteral("   15.06.2001   12:01:00 LCT (DST Off)"));
  EXPECT_EQ(received(FrameWindow::SkyControlPanel), (Messages{{UM_TIME_STEP, 1, 0}}));
}

TEST_F(MainFrameTest, TheStatusLineShowsTheObserverOrTheHintOfTheMenuItemAndGivesWayWhenHidden) {
  showFrame();
  frame->statusLine()->showObserver(observer());
  EXPECT_EQ(statusPart(0), observerAtNoon);
  EXPECT_EQ(statusPart(1), QStringLiteral("London, UK   0\u00B010'12\"   51\u00B030'00\"   +0.0 hours   "));
  EXPECT_EQ(frame->statusLine()->partLabel(0)->geometry().right() + 1, StatusLine::part0Right);
  QMenu* fileMenu = topMenu(*frame, QStringLiteral("&File"));
  fileMenu->popup(frame->mapToGlobal(QPoint(10, 30)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return fileMenu->isVisible(); }));
  // The hints keep the string table's spelling.
  const std::pair<int, QString> hints[] = {{106, "Quits the application"}, {113, "Deavtivates the grid"},
                                           {40016, ""}, {201, "Edits the program's general apparance"}};
  for (const auto& [id, hint] : hints) {
    frame->commandAction(id)->hover();
    EXPECT_EQ(statusPart(0), hint) << id;
    EXPECT_EQ(statusPart(1), QString()) << id;
  }
  topMenu(*frame, QStringLiteral("&Sky"))->actions().first()->hover();  // a submenu has the empty hint
  EXPECT_EQ(statusPart(0), QString());
  fileMenu->hide();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !statusPart(1).isEmpty(); }));
  EXPECT_EQ(statusPart(0), observerAtNoon);
  // A menu does not hover a greyed item; its hint shows under the mouse all the same.
  QMenu* graphMenu = topMenu(*frame, QStringLiteral("&Graph"));
  graphMenu->popup(frame->mapToGlobal(QPoint(200, 30)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return graphMenu->isVisible(); }));
  QTest::mouseMove(graphMenu, graphMenu->actionGeometry(frame->commandAction(161)).center());
  EXPECT_EQ(statusPart(0), QStringLiteral("Calculates the Graph"));
  graphMenu->hide();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !statusPart(1).isEmpty(); }));
  // Hidden toolbar and status line give the document area their room.
  const QRect withBoth = frame->documentArea()->geometry();
  ASSERT_GT(ToolbarHeight(), 0);
  const QRect expected = withBoth.adjusted(0, -ToolbarHeight(), 0, StatusLineHeight());
  ToolbarSetVisible(false);
  StatusLineShow(false);
  sendLayout(frame.get());
  EXPECT_FALSE(frame->toolbar()->isVisible());
  EXPECT_EQ(frame->documentArea()->geometry(), expected);
}

}  // namespace
}  // namespace noctavo
