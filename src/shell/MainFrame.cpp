#include "shell/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QShortcut>
#include <QTimer>

#include <algorithm>
#include <optional>

#include "catalogues/CoreServices.h"
#include "frame/WindowMessages.h"
#include "shell/AboutDialog.h"
#include "shell/MainFrameAccess.h"
#include "shell/OptionsDialogs.h"
#include "shell/StatusLine.h"
#include "shell/StringTable.h"
#include "shell/Toolbar.h"
#include "time/InternalError.h"
#include "time/Observer.h"
#include "ui/HelpViewer.h"
#include "ui/Options.h"

namespace noctavo {

namespace {

constexpr const char* moduleName = "AST";

// Help topics of the frame.
constexpr const char* mainMenuTopic = "main menu.htm";
constexpr const char* contentsTopic = "contents.htm";
constexpr const char* quickTourTopic = "Quick Tour.htm";
constexpr const char* glossaryTopic = "glossary.htm";

// The commands whose menu items start checked or greyed.
constexpr int checkedAtStart[] = {command::skyMapRealistic, command::skyGridOff, command::solarNames,
                                  command::pictureControlPanel};
constexpr int greyedAtStart[] = {command::graphCalculate, command::graphGuideLine, command::graphExportCsv,
                                 command::graphExportPicture};

// How the frame carries out a command of the menu or the toolbar.
enum class CommandRoute {
  Frame,           // the frame's own: `own` does it
  Command,         // UM_COMMAND to the window, lParam `fromMenu`
  Message,         // `send` to the window
  FlipAndMessage,  // the check mark flips, then `send` to the window
  FlipShowHide,    // the check mark flips: UM_SHOW when it is on now, else UM_HIDE
  DoubleClick,     // a left-button double click (the Picture window's control panel)
  BringForward,    // the window comes to the front (the toolbar's window buttons)
};

struct CommandEntry {
  int commandId;
  std::optional<FrameWindow> window;  // the one that carries it out; none for the frame's own
  CommandRoute route;
  bool (*send)(QObject* receiver) = nullptr;
  bool fromMenu = false;
  void (*own)(MainFrame& frame) = nullptr;
};

}  // namespace

// Every command of the menu and the toolbar once: which window carries it
// out and how. The frame greys a command while its window is missing, and
// routes it from here.
struct CommandTable {
  static const CommandEntry* find(int commandId);

  static CommandEntry frame(int id, void (*own)(MainFrame&)) {
    return {id, std::nullopt, CommandRoute::Frame, nullptr, false, own};
  }
  static CommandEntry toWindow(int id, FrameWindow window, bool fromMenu = false) {
    return {id, window, CommandRoute::Command, nullptr, fromMenu, nullptr};
  }
  static CommandEntry message(int id, FrameWindow window, bool (*send)(QObject*)) {
    return {id, window, CommandRoute::Message, send, false, nullptr};
  }
  static CommandEntry flip(int id, FrameWindow window, bool (*send)(QObject*)) {
    return {id, window, CommandRoute::FlipAndMessage, send, false, nullptr};
  }
  static CommandEntry showHide(int id, FrameWindow window) { return {id, window, CommandRoute::FlipShowHide}; }
  static CommandEntry route(int id, FrameWindow window, CommandRoute route) { return {id, window, route}; }
};

const CommandEntry* CommandTable::find(int commandId) {
  using namespace command;
  using W = FrameWindow;
  static const CommandEntry table[] = {
      message(fileNew, W::Graph, &sendGraphNew),
      toWindow(fileOpen, W::Graph),
      toWindow(fileSave, W::Graph),
      toWindow(fileSaveAs, W::Graph),
      frame(fileExit, [](MainFrame& f) { f.close(); }),
      // The Sky window repaints after a map or grid command from the menu.
      toWindow(skyMapHorizontal, W::Sky, true),
      toWindow(skyMapEquatorial, W::Sky, true),
      toWindow(skyMapRealistic, W::Sky, true),
      toWindow(skyGridOff, W::Sky, true),
      toWindow(skyGridHorizontal, W::Sky, true),
      toWindow(skyGridEquatorial, W::Sky, true),
      toWindow(skyGridEcliptic, W::Sky, true),
      toWindow(skyFindObject, W::Sky),
      toWindow(skyOptions, W::Sky),
      flip(solarNames, W::SolarSystem, &sendShow),
      flip(solarSymbols, W::SolarSystem, &sendHide),
      flip(solarMoon, W::SolarSystem, &sendToggleMoon),
      toWindow(solarOptions, W::SolarSystem),
      toWindow(graphEdit, W::Graph),
      toWindow(graphCalculate, W::Graph),
      toWindow(graphOptions, W::Graph),
      toWindow(graphExportCsv, W::Graph),
      toWindow(graphExportPicture, W::Graph),
      // The check mark says whether the guide line or the tool window shows.
      showHide(graphGuideLine, W::GraphDrawingArea),
      // The Picture window toggles its control panel on a double click with
      // the left button; the menu item does just that.
      route(pictureControlPanel, W::Picture, CommandRoute::DoubleClick),
      message(pictureFitToWindow, W::Picture, &sendFitToggle),
      showHide(objectInfo, W::ObjectInformation),
      showHide(calculator, W::Calculator),
      showHide(symbolTable, W::SymbolTable),
      frame(optionsDateTime, [](MainFrame& f) { DateTimeDialog(&f); }),
      frame(optionsLocation, [](MainFrame& f) { f.locationCommand_(); }),
      frame(optionsAppearance, [](MainFrame& f) { AppearanceDialog(&f); }),
      frame(windowCascade, [](MainFrame& f) { f.documentArea_->cascadeSubWindows(); }),
      frame(windowTile, [](MainFrame& f) { f.documentArea_->tileSubWindows(); }),
      frame(windowArrangeIcons, [](MainFrame& f) { f.arrangeIcons(); }),
      frame(helpContents, [](MainFrame& f) { f.showHelp(MainFrame::HelpPage::Contents, QString()); }),
      frame(helpSearch, [](MainFrame& f) { f.showHelp(MainFrame::HelpPage::Search, QString()); }),
      frame(helpQuickTour,
            [](MainFrame& f) { f.showHelp(MainFrame::HelpPage::Topic, QString::fromLatin1(quickTourTopic)); }),
      frame(helpGlossary,
            [](MainFrame& f) { f.showHelp(MainFrame::HelpPage::Topic, QString::fromLatin1(glossaryTopic)); }),
      frame(helpAbout,
            [](MainFrame& f) {
              AboutDialog about(&f);
              about.exec();
            }),
      route(showSky, W::Sky, CommandRoute::BringForward),
      route(showSolarSystem, W::SolarSystem, CommandRoute::BringForward),
      route(showGraph, W::Graph, CommandRoute::BringForward),
      route(showPicture, W::Picture, CommandRoute::BringForward),
  };
  for (const CommandEntry& entry : table) {
    if (entry.commandId == commandId) return &entry;
  }
  return nullptr;
}

namespace {

// The window that carries out a command; none for the frame's own or an id
// the table does not hold.
std::optional<FrameWindow> commandWindow(int commandId) {
  const CommandEntry* entry = CommandTable::find(commandId);
  return entry ? entry->window : std::nullopt;
}

QString product() { return QString::fromLatin1(productName); }

}  // namespace

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent), documentArea_(new QMdiArea(this)) {
  initShellResources();
  setObjectName(QStringLiteral("%1MdiFrame").arg(product()));
  setWindowTitle(product());
  setWindowIcon(QIcon(QStringLiteral(":/shell/icons/129.png")));

  documentArea_->setObjectName(QStringLiteral("MdiClient"));
  documentArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  documentArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(documentArea_);
  resize(1024, 768);

  createMenu();

  // F1 anywhere in the frame; over an open menu the menu's own filter
  // answers first (see eventFilter).
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  help->setContext(Qt::WindowShortcut);
  connect(help, &QShortcut::activated, this, [this] { requestHelp(false); });

  setCurrentMainFrame(this);
}

MainFrame::~MainFrame() {
  // The registered windows may be children of the frame and go with it;
  // their last signal must not reach a frame that is half gone.
  for (auto& [which, registered] : windows_) {
    if (registered) disconnect(registered, nullptr, this, nullptr);
  }
  windows_.clear();
  if (mainFrame() == this) setCurrentMainFrame(nullptr);
}

QMenuBar* MainFrame::mainMenu() const { return menuBar(); }

// ------------------------------------------------------------------ the menu

QMenu* MainFrame::addMenu(QMenu* parent, const QString& title) {
  QMenu* menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
  watchMenu(menu, parent == nullptr);
  return menu;
}

QAction* MainFrame::addCommand(QMenu* menu, int commandId, const QString& text, bool checkable, bool checked) {
  QAction* action = menu->addAction(text);
  action->setData(commandId);
  action->setCheckable(checkable);
  action->setChecked(checked);
  commands_.insert(commandId, action);
  connect(action, &QAction::triggered, this, [this, action, commandId] {
    // A check mark changes only when the command says so: undo the flip
    // Qt made on the click, then carry the command out.
    if (action->isCheckable()) {
      const QSignalBlocker quiet(action);
      action->setChecked(!action->isChecked());
    }
    executeCommand(commandId);
  });
  return action;
}

void MainFrame::createMenu() {
  using namespace command;
  menuBar()->setObjectName(QStringLiteral("Menu_Main"));
  menuBar()->setNativeMenuBar(false);

  QMenu* file = addMenu(nullptr, QStringLiteral("&File"));
  addCommand(file, fileNew, QStringLiteral("&New"));
  addCommand(file, fileOpen, QStringLiteral("&Open..."));
  addCommand(file, fileSave, QStringLiteral("&Save"));
  addCommand(file, fileSaveAs, QStringLiteral("Save &as..."));
  file->addSeparator();
  addCommand(file, fileExit, QStringLiteral("&Exit"));

  QMenu* sky = addMenu(nullptr, QStringLiteral("&Sky"));
  QMenu* mapType = addMenu(sky, QStringLiteral("&Map type"));
  addCommand(mapType, skyMapHorizontal, QStringLiteral("&Horizontal"), true);
  addCommand(mapType, skyMapEquatorial, QStringLiteral("&Equatorial"), true);
  addCommand(mapType, skyMapRealistic, QStringLiteral("&Realistic"), true);
  QMenu* grid = addMenu(sky, QStringLiteral("&Grid"));
  addCommand(grid, skyGridOff, QStringLiteral("&Off"), true);
  addCommand(grid, skyGridHorizontal, QStringLiteral("&Horizontal"), true);
  addCommand(grid, skyGridEquatorial, QStringLiteral("&Equatorial"), true);
  addCommand(grid, skyGridEcliptic, QStringLiteral("E&cliptic"), true);
  sky->addSeparator();
  addCommand(sky, skyFindObject, QStringLiteral("&Find object..."));
  addCommand(sky, skyOptions, QStringLiteral("&Options..."));

  QMenu* solar = addMenu(nullptr, QStringLiteral("Solar s&ystem"));
  addCommand(solar, solarNames, QStringLiteral("&Names"), true);
  addCommand(solar, solarSymbols, QStringLiteral("&Symbols"), true);
  addCommand(solar, solarMoon, QStringLiteral("&Moon"), true);
  solar->addSeparator();
  addCommand(solar, solarOptions, QStringLiteral("&Options..."));

  QMenu* graph = addMenu(nullptr, QStringLiteral("&Graph"));
  addCommand(graph, graphEdit, QStringLiteral("&Edit..."));
  addCommand(graph, graphCalculate, QStringLiteral("&Calculate..."));
  addCommand(graph, graphOptions, QStringLiteral("&Options..."));
  graph->addSeparator();
  addCommand(graph, graphGuideLine, QStringLiteral("&Guide line"), true);
  graph->addSeparator();
  addCommand(graph, graphExportCsv, QStringLiteral("Export as CSV..."));
  addCommand(graph, graphExportPicture, QStringLiteral("Export as picture..."));

  QMenu* picture = addMenu(nullptr, QStringLiteral("&Picture"));
  addCommand(picture, pictureControlPanel, QStringLiteral("&Control panel"), true);
  addCommand(picture, pictureFitToWindow, QStringLiteral("&Fit to window"), true);

  QMenu* utilities = addMenu(nullptr, QStringLiteral("&Utilities"));
  addCommand(utilities, objectInfo, QStringLiteral("&Object Info"), true);
  addCommand(utilities, calculator, QStringLiteral("&Calculator"), true);
  addCommand(utilities, symbolTable, QStringLiteral("Table of &symbols and abbreviations..."), true);

  QMenu* options = addMenu(nullptr, QStringLiteral("&Options"));
  addCommand(options, optionsDateTime, QStringLiteral("&Date and Time..."));
  addCommand(options, optionsLocation, QStringLiteral("&Location..."));
  addCommand(options, optionsAppearance, QStringLiteral("&Appearance..."));

  windowMenu_ = addMenu(nullptr, QStringLiteral("&Window"));
  addCommand(windowMenu_, windowCascade, QStringLiteral("&Cascade"));
  addCommand(windowMenu_, windowTile, QStringLiteral("&Tile"));
  addCommand(windowMenu_, windowArrangeIcons, QStringLiteral("&Arrange icons"));
  connect(windowMenu_, &QMenu::aboutToShow, this, [this] { fillWindowList(); });

  QMenu* help = addMenu(nullptr, QStringLiteral("&Help"));
  addCommand(help, helpContents, QStringLiteral("&Contents"));
  addCommand(help, helpSearch, QStringLiteral("&Search"));
  addCommand(help, helpQuickTour, QStringLiteral("&Quick Tour"));
  addCommand(help, helpGlossary, QStringLiteral("&Glossary"));
  help->addSeparator();
  // The About item carries the product name; the menu holds "&About %s".
  QAction* about = addCommand(help, helpAbout, QStringLiteral("&About %s"));
  if (!about->text().contains(QStringLiteral("%s"))) NOCTAVO_INTERNAL_ERROR(moduleName);
  about->setText(about->text().replace(QStringLiteral("%s"), product()));

  for (int commandId : checkedAtStart) commands_.value(commandId)->setChecked(true);
  for (int commandId : greyedAtStart) enabledByWindow_.insert(commandId, false);
  updateCommandStates();
}

void MainFrame::watchMenu(QMenu* menu, bool topLevel) {
  menu->installEventFilter(this);
  connect(menu, &QMenu::hovered, this, [this](QAction* action) { showMenuHint(action); });
  if (!topLevel) return;
  // A menu just opened shows the empty hint of its title until the mouse is
  // over an item.
  connect(menu, &QMenu::aboutToShow, this, [this] {
    if (statusLine_) statusLine_->setHint(QString());
  });
  // When the last menu has closed the status line shows the observer again;
  // moving from one menu of the bar to the next is not closing.
  connect(menu, &QMenu::aboutToHide, this, [this] {
    QTimer::singleShot(0, this, [this] {
      if (!qobject_cast<QMenu*>(QApplication::activePopupWidget()) && statusLine_)
        statusLine_->showObserver(observer());
    });
  });
}

void MainFrame::showMenuHint(QAction* action) {
  if (!statusLine_ || !action || action->isSeparator()) return;
  statusLine_->setHint(action->menu() ? QString() : loadString(action->data().toInt()));
}

void MainFrame::fillWindowList() {
  qDeleteAll(windowListActions_);
  windowListActions_.clear();
  const QList<QMdiSubWindow*> children = documentArea_->subWindowList(QMdiArea::CreationOrder);
  if (children.isEmpty()) return;
  windowListActions_ << windowMenu_->addSeparator();
  for (qsizetype i = 0; i < children.size(); ++i) {
    QMdiSubWindow* child = children[i];
    QAction* item = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(child->windowTitle()));
    item->setData(command::firstDocumentWindow + static_cast<int>(i));
    item->setCheckable(true);
    item->setChecked(child == documentArea_->activeSubWindow());
    connect(item, &QAction::triggered, this, [this, child = QPointer<QMdiSubWindow>(child)] {
      if (child) activateDocument(child, false);
    });
    windowListActions_ << item;
  }
}

// --------------------------------------------------------- registration

void MainFrame::createToolbar() {
  if (toolbar_) return;
  toolbar_ = new Toolbar(this);
  addToolBar(Qt::TopToolBarArea, toolbar_);
  connect(toolbar_, &Toolbar::commandTriggered, this, [this](int commandId) {
    executeCommand(commandId);
    // A check button flips itself on the click; the menu item decides.
    for (int checked : {command::objectInfo, command::calculator})
      toolbar_->setButtonChecked(checked, isCommandChecked(checked));
  });
  toolbar_->setVisible(ToolbarVisible());
  updateCommandStates();
}

void MainFrame::createStatusLine() {
  if (statusLine_) return;
  statusLine_ = new StatusLine(this);
  setStatusBar(statusLine_);
  connect(statusLine_, &StatusLine::partDoubleClicked, this, [this](int part) {
    if (part == 0) {
      postCommand(command::optionsDateTime);
    } else if (part == 1) {
      postCommand(command::optionsLocation);
    } else {
      NOCTAVO_INTERNAL_ERROR(moduleName);
    }
  });
  statusLine_->setVisible(StatusLineVisible());
  statusLine_->showObserver(observer());
}

void MainFrame::registerWindow(FrameWindow which, QObject* window) {
  if (window) {
    windows_[which] = window;
    connect(window, &QObject::destroyed, this, [this, which](QObject* gone) {
      auto found = windows_.find(which);
      if (found != windows_.end() && (found->second.isNull() || found->second == gone)) windows_.erase(found);
      updateCommandStates();
    });
  } else {
    windows_.erase(which);
  }
  updateCommandStates();
}

QObject* MainFrame::window(FrameWindow which) const {
  auto found = windows_.find(which);
  return found == windows_.end() ? nullptr : found->second.data();
}

void MainFrame::registerDocument(FrameWindow which, DocumentWindow* document) {
  if (document) {
    documents_[which] = document;
  } else {
    documents_.erase(which);
  }
}

DocumentWindow* MainFrame::document(FrameWindow which) const {
  auto found = documents_.find(which);
  return found == documents_.end() ? nullptr : found->second;
}

void MainFrame::setLocationCommand(std::function<void()> command) {
  locationCommand_ = std::move(command);
  updateCommandStates();
}

// ------------------------------------------------------------- commands

QAction* MainFrame::commandAction(int commandId) const { return commands_.value(commandId, nullptr); }

bool MainFrame::commandAvailable(int commandId) const {
  if (commandId == command::optionsLocation) return static_cast<bool>(locationCommand_);
  const std::optional<FrameWindow> target = commandWindow(commandId);
  return !target || window(*target) != nullptr;
}

bool MainFrame::isCommandEnabled(int commandId) const {
  return commandAvailable(commandId) && enabledByWindow_.value(commandId, true);
}

void MainFrame::setCommandEnabled(int commandId, bool enabled) {
  enabledByWindow_.insert(commandId, enabled);
  updateCommandStates();
}

void MainFrame::updateCommandStates() {
  for (auto it = commands_.cbegin(); it != commands_.cend(); ++it) it.value()->setEnabled(isCommandEnabled(it.key()));
  if (toolbar_) {
    for (const ToolbarButton& entry : toolbarButtons()) {
      if (entry.imageId != 0) toolbar_->setButtonEnabled(entry.commandId, isCommandEnabled(entry.commandId));
    }
  }
}

bool MainFrame::isCommandChecked(int commandId) const {
  const QAction* action = commandAction(commandId);
  return action && action->isChecked();
}

void MainFrame::setCommandChecked(int commandId, bool checked) {
  if (QAction* action = commandAction(commandId)) {
    const QSignalBlocker quiet(action);
    action->setChecked(checked);
  }
  if (toolbar_) toolbar_->setButtonChecked(commandId, checked);
}

void MainFrame::flipCheck(int commandId) { setCommandChecked(commandId, !isCommandChecked(commandId)); }

void MainFrame::postCommand(int commandId) {
  QTimer::singleShot(0, this, [this, commandId] { executeCommand(commandId); });
}

void MainFrame::executeCommand(int commandId) {
  // A command whose window is missing or greyed does nothing, whoever asks.
  const CommandEntry* entry = CommandTable::find(commandId);
  if (!entry || !isCommandEnabled(commandId)) return;
  QObject* target = entry->window ? window(*entry->window) : nullptr;
  switch (entry->route) {
    case CommandRoute::Frame:
      entry->own(*this);
      break;
    case CommandRoute::Command:
      sendCommand(target, commandId, entry->fromMenu);
      break;
    case CommandRoute::Message:
      entry->send(target);
      break;
    case CommandRoute::FlipAndMessage:
      flipCheck(commandId);
      entry->send(target);
      break;
    case CommandRoute::FlipShowHide:
      flipCheck(commandId);
      if (isCommandChecked(commandId)) {
        sendShow(target);
      } else {
        sendHide(target);
      }
      break;
    case CommandRoute::DoubleClick: {
      QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(0, 0), QPointF(0, 0), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
      if (target) QCoreApplication::sendEvent(target, &doubleClick);
      break;
    }
    case CommandRoute::BringForward:
      bringForward(*entry->window);
      break;
  }
}

QMdiSubWindow* MainFrame::subWindowOf(FrameWindow which) const {
  if (DocumentWindow* doc = document(which)) {
    if (QMdiSubWindow* child = doc->subWindow()) return child;
  }
  for (QObject* object = window(which); object; object = object->parent()) {
    if (auto* child = qobject_cast<QMdiSubWindow*>(object)) return child;
  }
  return nullptr;
}

void MainFrame::bringForward(FrameWindow which) {
  QMdiSubWindow* child = subWindowOf(which);
  if (!child) return;
  if (child->isMinimized()) {
    child->showNormal();
  }
  documentArea_->setActiveSubWindow(child);
}

// ------------------------------------------------------ documents at start

void MainFrame::initialiseDocuments(QMdiSubWindow*& activeChild, bool& maximize) {
  for (FrameWindow which : {FrameWindow::Sky, FrameWindow::SolarSystem, FrameWindow::ObjectInformation,
                            FrameWindow::Graph, FrameWindow::Picture}) {
    if (DocumentWindow* doc = document(which)) doc->initialise(activeChild, maximize);
  }
}

void MainFrame::activateDocument(QMdiSubWindow* child, bool maximize) {
  if (!child) return;
  documentArea_->setActiveSubWindow(child);
  if (maximize) child->showMaximized();
}

void MainFrame::arrangeIcons() {
  const QRect area = documentArea_->viewport()->rect();
  int x = 0;
  int rowBottom = area.bottom() + 1;
  int rowHeight = 0;
  for (QMdiSubWindow* child : documentArea_->subWindowList(QMdiArea::CreationOrder)) {
    if (!child->isMinimized()) continue;
    const QSize size = child->size();
    if (x > 0 && x + size.width() > area.width()) {
      x = 0;
      rowBottom -= rowHeight;
      rowHeight = 0;
    }
    child->move(x, rowBottom - size.height());
    x += size.width();
    rowHeight = std::max(rowHeight, size.height());
  }
}

// ------------------------------------------------------------------ help

void MainFrame::setHelpHandler(HelpHandler handler) { helpHandler_ = std::move(handler); }

void MainFrame::showHelp(HelpPage page, const QString& topic) {
  if (helpHandler_) {
    helpHandler_(page, topic);
    return;
  }
  switch (page) {
    case HelpPage::Topic:
      showHelpTopic(topic);
      break;
    case HelpPage::Contents:
      showHelpContents();
      break;
    case HelpPage::Search:
      showHelpSearch();
      break;
  }
}

void MainFrame::requestHelp(bool fromMenu) {
  showHelp(HelpPage::Topic, QString::fromLatin1(fromMenu ? mainMenuTopic : contentsTopic));
}

// ------------------------------------------------------------- messages

void MainFrame::relay(const WindowMessage& message, std::initializer_list<FrameWindow> targets) {
  for (FrameWindow target : targets) forwardMessage(window(target), message);
}

void MainFrame::handleWindowMessage(const WindowMessage& message) {
  Observer& current = observer();
  const auto timeAndPlaceWindows = {FrameWindow::SkyControlPanel, FrameWindow::SolarSystemControlPanel,
                                    FrameWindow::ObjectInformation};
  switch (message.message()) {
    case UM_TIME_STEP:
      current.dateTime.addMinutes(readTimeStepMinutes(message));
      if (statusLine_) statusLine_->showObserver(current);
      relay(message, timeAndPlaceWindows);
      break;
    case UM_DST_SET: {
      const DstSetMessage dst = readDstSet(message);
      current.daylightSaving = dst.daylightSaving;
      if (dst.moment) current.dateTime = *dst.moment;
      if (statusLine_) statusLine_->showObserver(current);
      relay(message, timeAndPlaceWindows);
      break;
    }
    case UM_OBSERVER_SET:
      if (const Observer* given = readObserverSet(message)) {
        current.dateTime = given->dateTime;
        current.location = given->location;
        current.daylightSaving = given->daylightSaving;
      }
      if (statusLine_) statusLine_->showObserver(current);
      relay(message, timeAndPlaceWindows);
      break;
    case UM_OPTIONS_CHANGED:
      relay(message, {FrameWindow::Sky, FrameWindow::SolarSystem, FrameWindow::ObjectInformation, FrameWindow::Graph});
      if (statusLine_) statusLine_->showObserver(current);
      break;
    case UM_LAYOUT:
      // The frame's layout puts the document area between the toolbar (when
      // shown) and the status line (when shown).
      if (layout()) layout()->activate();
      relay(message, {FrameWindow::Sky, FrameWindow::SolarSystem, FrameWindow::Graph});
      arrangeIcons();
      break;
    case UM_FIT_CHECK:
      setCommandChecked(command::pictureFitToWindow, readFitCheck(message));
      break;
    default:
      break;
  }
}

bool MainFrame::event(QEvent* event) {
  switch (static_cast<int>(event->type())) {
    case UM_TIME_STEP:
    case UM_DST_SET:
    case UM_OBSERVER_SET:
    case UM_OPTIONS_CHANGED:
    case UM_LAYOUT:
    case UM_FIT_CHECK:
      if (const WindowMessage* message = asWindowMessage(event)) {
        handleWindowMessage(*message);
        return true;
      }
      break;
    case QEvent::StatusTip:
      // The status line shows the program's own hints, not Qt's tips.
      return true;
    default:
      break;
  }
  return QMainWindow::event(event);
}

void MainFrame::timerEvent(QTimerEvent* event) {
  const int clock = realTimeClockTimerId();
  if (clock != 0 && event->timerId() == clock) {
    // One tick of the real-time clock: one minute.
    sendTimeStep(this, 1);
    return;
  }
  QMainWindow::timerEvent(event);
}

void MainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  sendLayout(this);
}

void MainFrame::closeEvent(QCloseEvent* event) {
  if (closeHandler_ && !closeHandler_()) {
    event->ignore();
    return;
  }
  closeAllHelp();
  event->accept();
  emit closed();
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && qobject_cast<QMenu*>(watched) &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    requestHelp(true);
    return true;
  }
  if (event->type() == QEvent::MouseMove) {
    // A menu does not hover a greyed item; the status line says what it
    // would do all the same.
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
      QAction* action = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      if (action && !action->isEnabled()) showMenuHint(action);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace noctavo
