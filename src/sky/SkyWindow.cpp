#include "sky/SkyWindow.h"

#include <QIcon>
#include <QMdiArea>

#include <algorithm>

#include "frame/CommandIds.h"
#include "frame/WindowMessages.h"
#include "sky/FindObjectDialog.h"
#include "sky/SkyControlPanel.h"
#include "sky/SkyDisplay.h"
#include "sky/SkyOptionsDialog.h"
#include "time/InternalError.h"
#include "ui/HelpViewer.h"
#include "ui/Options.h"
#include "ui/SymbolFont.h"
#include "ui/TimeBar.h"

// The window's icon lives in the program's static library; this names it
// to the linker.
static void initialiseSkyWindowResources() { Q_INIT_RESOURCE(skywindow); }

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_SKY";
constexpr const char* helpTopic = "sky window.htm";

// The margins of the window's layout, pixels: the panel and the display
// stand 5 pixels from the edges and from each other.
constexpr int margin = 5;
// The display's size until the first layout.
constexpr int initialDisplaySize = 100;

// The light grey of the window's background.
const QColor backgroundColour(192, 192, 192);

constexpr int firstMapCommand = command::skyMapHorizontal;   // 110..112 = MapType 0..2
constexpr int firstGridCommand = command::skyGridOff;         // 113..115 = GridType 0..2

bool isMapCommand(int commandId) {
  return commandId >= firstMapCommand && commandId <= command::skyMapRealistic;
}

bool isGridCommand(int commandId) {
  return commandId >= firstGridCommand && commandId <= command::skyGridEquatorial;
}

}  // namespace

SkyWindow::SkyWindow(QMdiArea* area, Frame* frame) : DocumentSubWindow(helpTopic), frame_(frame) {
  initialiseSkyWindowResources();
  // 1. The settings, the tables, and the window's moment: the observer's.
  state_.settings = readSkySettings();
  allocateSkyPositionTables(state_.tables);
  state_.observer = observer();
  state_.geometry = makeDisplayGeometry(initialDisplaySize, PixelAspect());

  // 2. The window, the panel and the display.
  setObjectName(QStringLiteral("MdiChildSky"));
  setWindowTitle(QStringLiteral("Sky"));
  setWindowIcon(QIcon(QStringLiteral(":/skywindow/icons/133.png")));
  setAttribute(Qt::WA_DeleteOnClose, false);
  client_ = new QWidget;
  client_->setObjectName(QStringLiteral("SkyClientArea"));
  client_->setCursor(Qt::ArrowCursor);
  QPalette grey = client_->palette();
  grey.setColor(QPalette::Window, backgroundColour);
  client_->setPalette(grey);
  client_->setAutoFillBackground(true);
  panel_ = new SkyControlPanel(state_, client_);
  display_ = new SkyDisplay(state_, this, frame, client_);
  panel_->setDisplay(display_);
  display_->setControlPanel(panel_);
  panel_->setGeometry(margin, margin, initialDisplaySize, initialDisplaySize);
  display_->setGeometry(margin + initialDisplaySize + margin, margin, initialDisplaySize, initialDisplaySize);
  setWidget(client_);

  const SkySettings& s = state_.settings;
  if (area) {
    area->addSubWindow(this);
    // The document area takes its size from the frame's layout, which runs
    // after the frame's own resize: the Sky window is laid out again
    // whenever the area's size has really changed.
    area->viewport()->installEventFilter(this);
  }
  // A window that is not maximized lays itself out in its own client area.
  client_->installEventFilter(this);
  client_->setMinimumSize(minimumClientSize());
  smallestNormalSize_ = minimumSizeHint();
  setMinimumSize(smallestNormalSize_);
  // A size stored smaller than that (an older run's) grows to it.
  normalRect_ =
      QRect(QPoint(s.left, s.top), QSize(s.right - s.left, s.bottom - s.top).expandedTo(smallestNormalSize_));
  setGeometry(normalRect_);

  // 3. The menu follows the settings. The map-type command would turn the
  // view to its start; the view of the last run is kept instead.
  const SkyView view = viewOf(s);
  const int mapType = static_cast<int>(s.mapType);
  const int gridType = static_cast<int>(s.gridType);
  if (mapType < 0 || mapType > 2 || gridType < 0 || gridType > 2) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
  } else {
    command(firstMapCommand + mapType, false);
    command(firstGridCommand + gridType, false);
  }
  state_.settings.viewLambda = view.lambda;
  state_.settings.viewPhi = view.phi;
  setCommandChecked(command::skyGridEcliptic, state_.settings.eclipticOn != 0);
  panel_->showStarsFixed();
  panel_->timeBar()->setStep(state_.settings.stepType, state_.settings.stepValue);
  panel_->updateArrows();

  // 4. Shown as it was left, the map computed, nothing selected.
  if (s.minimized) {
    showMinimized();
  } else if (s.maximized) {
    showMaximized();
  } else {
    show();
  }
  // The ecliptic and the grid for the map the settings name, whatever the
  // menu's check marks made of the commands above.
  display_->mapChanged();
  display_->recompute();
  state_.selected = nullptr;
  panel_->showSkyObjectInfo(nullptr, false);
  layoutWindow();

  // Activation gives the panel the keyboard focus.
  connect(this, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates now) {
    if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive)) panel_->takeFocus();
  });
}

SkyWindow::~SkyWindow() = default;

// ------------------------------------------------------------ the frame

void SkyWindow::initialise(QMdiSubWindow*& activeChild, bool& maximize) {
  if (!state_.settings.active) return;
  activeChild = this;
  maximize = state_.settings.maximized != 0;
}

void SkyWindow::saveAndRelease() {
  SkySettings& s = state_.settings;
  s.active = mdiArea() && mdiArea()->currentSubWindow() == this ? 1 : 0;
  s.minimized = isMinimized() ? 1 : 0;
  s.maximized = isMaximized() ? 1 : 0;
  rememberNormalRect();
  normalRect_.setSize(normalRect_.size().expandedTo(smallestNormalSize_));
  s.left = normalRect_.left();
  s.top = normalRect_.top();
  s.right = normalRect_.left() + normalRect_.width();
  s.bottom = normalRect_.top() + normalRect_.height();
  const TimeBarStep step = panel_->timeBar()->step();
  s.stepValue = step.count;
  s.stepType = step.unit;
  const Options& current = options();
  writeSkySettings(s, current.saveOptions, current.saveWindowState);

  // The catalogues go next: nothing refers to their objects any more.
  display_->stopHighlight();
  state_.released = true;
  state_.selected = nullptr;
  state_.popupObject = nullptr;
  state_.tables = SkyPositionTables();
  display_->update();
}

SkyWindow* createSkyWindow(Frame& frame) {
  auto* sky = new SkyWindow(frame.documentArea(), &frame);
  frame.registerWindow(FrameWindow::Sky, sky);
  frame.registerWindow(FrameWindow::SkyControlPanel, sky->controlPanel());
  frame.registerDocument(FrameWindow::Sky, sky);
  return sky;
}

// ------------------------------------------------------------ the Sky menu

bool SkyWindow::isCommandChecked(int commandId) const {
  if (frame_) return frame_->isCommandChecked(commandId);
  const auto found = ownChecks_.find(commandId);
  return found != ownChecks_.end() && found->second;
}

void SkyWindow::setCommandChecked(int commandId, bool checked) {
  if (frame_) {
    frame_->setCommandChecked(commandId, checked);
  } else {
    ownChecks_[commandId] = checked;
  }
}

void SkyWindow::mapTypeCommand(int commandId) {
  // A map type already chosen changes nothing, not even the view.
  if (isCommandChecked(commandId)) return;
  for (int id = firstMapCommand; id <= command::skyMapRealistic; ++id) setCommandChecked(id, id == commandId);
  state_.settings.mapType = static_cast<MapType>(commandId - firstMapCommand);
  state_.settings.viewLambda = 0.0;
  state_.settings.viewPhi = altitudeForStep(state_.settings.mapType, 0);
  panel_->updateArrows();
  display_->mapChanged();
}

void SkyWindow::gridCommand(int commandId) {
  if (isCommandChecked(commandId)) return;
  for (int id = firstGridCommand; id <= command::skyGridEquatorial; ++id) setCommandChecked(id, id == commandId);
  state_.settings.gridType = static_cast<GridType>(commandId - firstGridCommand);
  display_->mapChanged();
}

void SkyWindow::command(int commandId, bool fromFrame) {
  if (isMapCommand(commandId)) {
    mapTypeCommand(commandId);
  } else if (isGridCommand(commandId)) {
    gridCommand(commandId);
  } else if (commandId == command::skyGridEcliptic) {
    state_.settings.eclipticOn = state_.settings.eclipticOn ? 0 : 1;
    setCommandChecked(commandId, state_.settings.eclipticOn != 0);
  } else if (commandId == command::skyOptions) {
    openSkyOptions();
    return;
  } else if (commandId == command::skyFindObject) {
    openFindObject();
    return;
  } else {
    return;
  }
  if (fromFrame) repaintWindow();
}

void SkyWindow::repaintWindow() {
  panel_->observerControl()->update();
  display_->update();
}

void SkyWindow::openSkyOptions() {
  SkyOptionsDialog dialog(state_.settings, this);
  if (dialog.exec() == QDialog::Accepted) display_->update();
}

void SkyWindow::openFindObject() {
  FindObjectDialog dialog(this, this);
  dialog.exec();
}

// ------------------------------------------------------------ messages

void SkyWindow::displayObject(const AstBody& object, bool activate) {
  if (state_.released) return;
  // The Earth is not in the sky; asked to show it, the map stays as it is.
  const ObjectType type = object.getObjectType();
  if (type == ObjectType::Earth || type == ObjectType::Unknown) return;
  state_.selected = &object;

  // The view turns to where the map draws the object.
  const MapType mapType = state_.settings.mapType;
  const AstCoord position = skyPosition(state_.tables, mapType, object);
  if (position.isValid()) {
    const SkyView view = viewTowards(mapType, position);
    state_.settings.viewLambda = view.lambda;
    state_.settings.viewPhi = view.phi;
  }
  panel_->updateArrows();
  panel_->showSkyObjectInfo(&object, false);
  if (activate) bringToFront();
  repaintWindow();
  display_->startHighlight();
}

void SkyWindow::bringToFront() {
  if (isMinimized()) showNormal();
  if (mdiArea()) mdiArea()->setActiveSubWindow(this);
}

QSize SkyWindow::minimumClientSize() const {
  const QSize panel = panel_->minimumSizeHint();
  const int displayWidth = makeDisplayGeometry(panel.height(), PixelAspect()).width;
  return {panel.width() + displayWidth + 3 * margin, panel.height() + 2 * margin};
}

void SkyWindow::layoutWindow() {
  if (isMinimized()) return;
  const QSize client = isMaximized() && mdiArea() ? mdiArea()->viewport()->size() : client_->size();
  const int roomHeight = std::max(0, client.height() - 2 * margin);
  // The display never takes the width the panel needs: where the room is
  // too narrow for both (a tall window; a 5:4 screen without toolbar and
  // status line) it is less high than the room.
  const int widthForDisplay = std::max(0, client.width() - panel_->minimumSizeHint().width() - 3 * margin);
  const double aspect = PixelAspect();
  int height = roomHeight;
  if (aspect > 0.0 && makeDisplayGeometry(height, aspect).width > widthForDisplay) {
    height = static_cast<int>(widthForDisplay / aspect);
  }
  state_.geometry = makeDisplayGeometry(height, aspect);
  const int width = state_.geometry.width;
  panel_->setGeometry(margin, margin, std::max(0, client.width() - width - 3 * margin), roomHeight);
  display_->setGeometry(client.width() - width - margin, margin, width, height);
  panel_->update();
  display_->update();
}

bool SkyWindow::event(QEvent* event) {
  switch (static_cast<int>(event->type())) {
    case UM_COMMAND:
    case UM_OPTIONS_CHANGED:
    case UM_LAYOUT:
    case UM_DISPLAY_OBJECT:
      if (const WindowMessage* message = asWindowMessage(event)) {
        switch (message->message()) {
          case UM_COMMAND: {
            const CommandMessage given = readCommand(*message);
            command(given.commandId, given.fromMenu);
            break;
          }
          case UM_OPTIONS_CHANGED:
            // Angle formats, the constellations' language or the position
            // method may have changed.
            display_->recompute();
            panel_->showSkyObjectInfo(state_.selected, false);
            repaintWindow();
            break;
          case UM_LAYOUT:
            layoutWindow();
            break;
          case UM_DISPLAY_OBJECT: {
            const DisplayObjectMessage shown = readDisplayObject(*message);
            if (shown.object) displayObject(*shown.object, shown.activate);
            break;
          }
        }
        return true;
      }
      break;
    default:
      break;
  }
  return DocumentSubWindow::event(event);
}

}  // namespace noctavo
