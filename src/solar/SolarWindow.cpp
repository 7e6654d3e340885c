#include "solar/SolarWindow.h"

#include <QIcon>
#include <QMdiArea>

#include <algorithm>

#include "frame/CommandIds.h"
#include "frame/WindowMessages.h"
#include "solar/SolarControlPanel.h"
#include "solar/SolarDisplay.h"
#include "solar/SolarOptionsDialog.h"
#include "ui/HelpViewer.h"
#include "ui/Options.h"
#include "ui/SymbolFont.h"
#include "ui/TimeBar.h"

static void initialiseSolarWindowResources() { Q_INIT_RESOURCE(solarwindow); }

namespace noctavo {
namespace {

constexpr const char* helpTopic = "solar system window.htm";

// The panel and the view stand 5 pixels from the edges and from each other.
constexpr int margin = 5;
constexpr int initialViewSize = 100;

const QColor backgroundColour(192, 192, 192);

}  // namespace

SolarWindow::SolarWindow(QMdiArea* area, Frame* frame) : DocumentSubWindow(helpTopic), frame_(frame) {
  initialiseSolarWindowResources();
  state_.settings = readSolarSettings();
  state_.observer = observer();

  setObjectName(QStringLiteral("MdiChildSol"));
  setWindowTitle(QStringLiteral("Solar system"));
  setWindowIcon(QIcon(QStringLiteral(":/solarwindow/icons/131.png")));
  setAttribute(Qt::WA_DeleteOnClose, false);
  client_ = new QWidget;
  client_->setObjectName(QStringLiteral("SolarClientArea"));
  QPalette grey = client_->palette();
  grey.setColor(QPalette::Window, backgroundColour);
  client_->setPalette(grey);
  client_->setAutoFillBackground(true);
  panel_ = new SolarControlPanel(state_, client_);
  display_ = new SolarDisplay(state_, frame, client_);
  panel_->setDisplay(display_);
  display_->setControlPanel(panel_);
  panel_->setGeometry(margin, margin, initialViewSize, initialViewSize);
  display_->setGeometry(2 * margin + initialViewSize, margin, initialViewSize, initialViewSize);
  setWidget(client_);

  const SolarSettings& s = state_.settings;
  if (area) {
    area->addSubWindow(this);
    area->viewport()->installEventFilter(this);
  }
  client_->installEventFilter(this);
  client_->setMinimumSize(minimumClientSize());
  smallestNormalSize_ = minimumSizeHint();
  setMinimumSize(smallestNormalSize_);
  normalRect_ =
      QRect(QPoint(s.left, s.top), QSize(s.right - s.left, s.bottom - s.top).expandedTo(smallestNormalSize_));
  setGeometry(normalRect_);

  setCommandChecked(command::solarNames, s.namesOn != 0);
  setCommandChecked(command::solarSymbols, s.signsOn != 0);
  setCommandChecked(command::solarMoon, s.moonOn != 0);
  panel_->timeBar()->setStep(s.stepType, s.stepValue);
  panel_->updateZoomButtons();

  if (s.minimized) {
    showMinimized();
  } else if (s.maximized) {
    showMaximized();
  } else {
    show();
  }
  state_.orbits = sampleSolarOrbits();
  display_->momentChanged();
  layoutWindow();

  connect(this, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates now) {
    if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive)) panel_->takeFocus();
  });
}

SolarWindow::~SolarWindow() = default;

SolarWindow* createSolarWindow(Frame& frame) {
  auto* solar = new SolarWindow(frame.documentArea(), &frame);
  frame.registerWindow(FrameWindow::SolarSystem, solar);
  frame.registerWindow(FrameWindow::SolarSystemControlPanel, solar->controlPanel());
  frame.registerDocument(FrameWindow::SolarSystem, solar);
  return solar;
}

// ------------------------------------------------------------ the frame

void SolarWindow::initialise(QMdiSubWindow*& activeChild, bool& maximize) {
  if (!state_.settings.active) return;
  activeChild = this;
  maximize = state_.settings.maximized != 0;
}

void SolarWindow::saveAndRelease() {
  panel_->stopAnimation();
  SolarSettings& s = state_.settings;
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
  writeSolarSettings(s, current.saveOptions, current.saveWindowState);
  state_.popupBody = nullptr;
}

// ------------------------------------------------------------ the menu

bool SolarWindow::isCommandChecked(int commandId) const {
  if (frame_) return frame_->isCommandChecked(commandId);
  const auto found = ownChecks_.find(commandId);
  return found != ownChecks_.end() && found->second;
}

void SolarWindow::setCommandChecked(int commandId, bool checked) {
  if (frame_) {
    frame_->setCommandChecked(commandId, checked);
  } else {
    ownChecks_[commandId] = checked;
  }
}

void SolarWindow::toggleNames() {
  state_.settings.namesOn = state_.settings.namesOn ? 0 : 1;
  setCommandChecked(command::solarNames, state_.settings.namesOn != 0);
  display_->update();
}

void SolarWindow::toggleSymbols() {
  state_.settings.signsOn = state_.settings.signsOn ? 0 : 1;
  setCommandChecked(command::solarSymbols, state_.settings.signsOn != 0);
  display_->update();
}

void SolarWindow::toggleMoon() {
  state_.settings.moonOn = state_.settings.moonOn ? 0 : 1;
  setCommandChecked(command::solarMoon, state_.settings.moonOn != 0);
  display_->update();
}

void SolarWindow::openOptions() {
  SolarOptionsDialog dialog(state_.settings, this);
  if (dialog.exec() == QDialog::Accepted) panel_->fill();
}

void SolarWindow::optionsChanged() {
  // The angle formats may have changed, or the position method: the
  // positions are computed anew (the orbit lines stay).
  display_->momentChanged();
}

void SolarWindow::repaintWindow() {
  panel_->fill();
  display_->update();
}

// ------------------------------------------------------------ messages

void SolarWindow::displayObject(const AstBody& body, bool activate) {
  state_.settings.zoom = zoomForBody(body, state_.settings.zoom);
  panel_->updateZoomButtons();
  if (activate) bringToFront();
  repaintWindow();
}

void SolarWindow::bringToFront() {
  if (isMinimized()) showNormal();
  if (mdiArea()) mdiArea()->setActiveSubWindow(this);
}

QSize SolarWindow::minimumClientSize() const {
  const QSize panel = panel_->minimumSizeHint();
  const int viewWidth = static_cast<int>(panel.height() * PixelAspect());
  return {panel.width() + viewWidth + 3 * margin, panel.height() + 2 * margin};
}

void SolarWindow::layoutWindow() {
  if (isMinimized()) return;
  const QSize client = isMaximized() && mdiArea() ? mdiArea()->viewport()->size() : client_->size();
  const int roomHeight = std::max(0, client.height() - 2 * margin);
  const double aspect = PixelAspect();
  // The view is as high as the room and as wide as the pixel aspect makes
  // it, but never takes the width the panel's controls need.
  const int widthForView = std::max(0, client.width() - panel_->minimumSizeHint().width() - 3 * margin);
  int viewHeight = roomHeight;
  int viewWidth = static_cast<int>(viewHeight * aspect);
  if (viewWidth > widthForView && aspect > 0.0) {
    viewWidth = widthForView;
    viewHeight = std::min(roomHeight, static_cast<int>(viewWidth / aspect));
  }
  panel_->setGeometry(margin, margin, std::max(0, client.width() - viewWidth - 3 * margin), roomHeight);
  display_->setGeometry(client.width() - viewWidth - margin, margin, viewWidth, viewHeight);
  panel_->update();
  display_->update();
}

bool SolarWindow::event(QEvent* event) {
  switch (static_cast<int>(event->type())) {
    case UM_COMMAND:
    case UM_OPTIONS_CHANGED:
    case UM_LAYOUT:
    case UM_SHOW:
    case UM_HIDE:
    case UM_TOGGLE_MOON:
    case UM_DISPLAY_OBJECT:
      if (const WindowMessage* message = asWindowMessage(event)) {
        switch (message->message()) {
          case UM_COMMAND:
            if (readCommand(*message).commandId == command::solarOptions) openOptions();
            break;
          case UM_OPTIONS_CHANGED:
            optionsChanged();
            break;
          case UM_LAYOUT:
            layoutWindow();
            break;
          case UM_SHOW:
            toggleNames();
            break;
          case UM_HIDE:
            toggleSymbols();
            break;
          case UM_TOGGLE_MOON:
            toggleMoon();
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
