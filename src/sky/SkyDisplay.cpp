#include "sky/SkyDisplay.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include "catalogues/Constellation.h"
#include "catalogues/NgcCatalogue.h"
#include "catalogues/Star.h"
#include "frame/WindowMessages.h"
#include "sky/SkyControlPanel.h"
#include "sky/SkyPainter.h"
#include "sky/SkyWindow.h"
#include "time/InternalError.h"
#include "tools/PictureCollection.h"
#include "ui/Options.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_SKY";

constexpr const char* displayInWindowTitle = "Display %s in &window";

// The name the popup menu's title gives an object. A star without a name
// is called as a chart calls it, by its letter and constellation ("θ1 Ori"),
// or, without a letter either, as a star of its constellation.
QString popupName(const AstBody& object) {
  if (object.getObjectType() != ObjectType::Star || *object.getName() != '\0') return symbolText(object.getName());
  const auto& star = static_cast<const Star&>(object);
  const Constellation* constellation = star.constellation();
  const std::string where = constellation ? constellation->abbreviation() : "";
  const GreekLetter letter(star.greekLetter());
  if (!letter.isValid()) return symbolText("a star in " + where).trimmed();
  std::string designation(1, static_cast<char>(letter.symbol()));
  if (star.letterSuffix() != Star::noSuffix) designation.push_back(star.letterSuffix());
  return symbolText(designation + " " + where).trimmed();
}

}  // namespace

SkyDisplay::SkyDisplay(SkyWindowState& state, SkyWindow* skyWindow, Frame* frame, QWidget* parent)
    : QWidget(parent), state_(state), skyWindow_(skyWindow), frame_(frame) {
  setObjectName(QStringLiteral("SkyDisp"));
  setCursor(Qt::ArrowCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  buildPopup();
}

void SkyDisplay::buildPopup() {
  popup_ = new QMenu(this);
  popup_->setObjectName(QStringLiteral("Menu_Sky"));
  displayIn_ = popup_->addMenu(QString::fromLatin1(displayInWindowTitle));
  const std::pair<int, const char*> targets[] = {{sky_popup::solarSystem, "Solar s&ystem"},
                                                 {sky_popup::objectInfo, "&Object info"},
                                                 {sky_popup::picture, "&Picture"}};
  for (const auto& [commandId, itemText] : targets) {
    QAction* item = displayIn_->addAction(QString::fromLatin1(itemText));
    item->setData(commandId);
  }
  QAction* find = popup_->addAction(QStringLiteral("Find object..."));
  find->setData(sky_popup::findObject);
  connect(popup_, &QMenu::triggered, this, [this](QAction* item) { popupCommand(item->data().toInt()); });
}

QAction* SkyDisplay::popupAction(int commandId) const {
  for (QMenu* menu : {displayIn_, popup_}) {
    for (QAction* item : menu->actions()) {
      if (!item->menu() && item->data().toInt() == commandId) return item;
    }
  }
  return nullptr;
}

void SkyDisplay::recompute() {
  if (state_.released) return;
  computeSkyPositions(state_.tables, state_.observer, observer(), state_.settings.starsFixed != 0);
}

bool SkyDisplay::projectedPoint(const AstBody& object, QPoint& point) const {
  if (state_.released || object.getObjectType() == ObjectType::Earth) return false;
  const ProjectedPoint projected =
      projectToScreen(state_.settings.viewLambda, state_.settings.viewPhi, state_.geometry,
                      skyPosition(state_.tables, state_.settings.mapType, object));
  point = QPoint(projected.x, projected.y);
  return projected.visible;
}

void SkyDisplay::moveCursorTo(const AstBody& object) {
  QPoint point;
  if (projectedPoint(object, point)) QCursor::setPos(mapToGlobal(point));
}

void SkyDisplay::selectAt(QPoint position) {
  if (state_.released) return;
  state_.selected = findNearestObject(state_.tables, state_.settings, state_.geometry, viewOf(state_.settings),
                                      position.x(), position.y());
  if (panel_) panel_->showSkyObjectInfo(state_.selected, true);
  update();
}

void SkyDisplay::preparePopup(const AstBody& object) {
  QString name = popupName(object);
  name.replace(QLatin1Char('&'), QStringLiteral("&&"));
  displayIn_->setTitle(QString::fromLatin1(displayInWindowTitle).replace(QStringLiteral("%s"), name));
  // A window that is not there (yet) is greyed, never offered in vain.
  const std::pair<int, FrameWindow> targets[] = {{sky_popup::solarSystem, FrameWindow::SolarSystem},
                                                 {sky_popup::objectInfo, FrameWindow::ObjectInformation},
                                                 {sky_popup::picture, FrameWindow::Picture}};
  for (const auto& [commandId, target] : targets) {
    popupAction(commandId)->setEnabled(frame_ && frame_->window(target));
  }
  switch (object.getObjectType()) {
    case ObjectType::Star:
      popupAction(sky_popup::solarSystem)->setEnabled(false);
      popupAction(sky_popup::picture)->setEnabled(false);
      if (*object.getName() == '\0') popupAction(sky_popup::objectInfo)->setEnabled(false);
      break;
    case ObjectType::NgcObject:
      popupAction(sky_popup::solarSystem)->setEnabled(false);
      break;
    default:
      break;
  }
}

void SkyDisplay::popupAt(QPoint position, QPoint globalPosition) {
  if (state_.released) return;
  state_.popupObject = findNearestObject(state_.tables, state_.settings, state_.geometry, viewOf(state_.settings),
                                         position.x(), position.y());
  if (!state_.popupObject) return;
  preparePopup(*state_.popupObject);
  popup_->exec(globalPosition);
}

void SkyDisplay::popupCommand(int commandId) {
  FrameWindow target;
  switch (commandId) {
    case sky_popup::solarSystem:
      target = FrameWindow::SolarSystem;
      break;
    case sky_popup::objectInfo:
      target = FrameWindow::ObjectInformation;
      break;
    case sky_popup::picture:
      target = FrameWindow::Picture;
      break;
    case sky_popup::findObject:
      if (skyWindow_) skyWindow_->openFindObject();
      return;
    default:
      NOCTAVO_INTERNAL_ERROR(moduleName);
      return;
  }
  // A window that does not exist yet is not asked.
  if (!state_.popupObject || !frame_) return;
  sendDisplayObject(frame_->window(target), *state_.popupObject, true);
}

void SkyDisplay::setHighlightButtonEnabled(bool enabled) {
  if (panel_) {
    if (QWidget* button = panel_->control(sky_control::highlight)) button->setEnabled(enabled);
  }
}

void SkyDisplay::startHighlight() {
  setHighlightButtonEnabled(false);
  // A new highlight while one is on starts its half second afresh.
  if (highlightTimer_ != 0) killTimer(highlightTimer_);
  highlightOn_ = true;
  highlightTimer_ = startTimer(highlightMilliseconds);
  update();
}

void SkyDisplay::stopHighlight() {
  if (highlightTimer_ != 0) killTimer(highlightTimer_);
  highlightTimer_ = 0;
  highlightOn_ = false;
  update();
}

void SkyDisplay::timerEvent(QTimerEvent* event) {
  if (event->timerId() != highlightTimer_ || highlightTimer_ == 0) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  killTimer(highlightTimer_);
  highlightTimer_ = 0;
  highlightOn_ = false;
  update();
  setHighlightButtonEnabled(state_.selected != nullptr);
}

void SkyDisplay::momentChanged() {
  recompute();
  if (panel_) panel_->showSkyObjectInfo(state_.selected, false);
  update();
}

void SkyDisplay::mapChanged() {
  if (state_.released) return;
  placeSkyLines(state_.tables, state_.settings.mapType, state_.settings.gridType);
}

void SkyDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (state_.released || state_.geometry.height <= 0) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  SkyPaintInput input;
  input.tables = &state_.tables;
  input.settings = &state_.settings;
  input.view = viewOf(state_.settings);
  input.geometry = state_.geometry;
  input.hasPicture = [](const NgcObject& object) { return PictureFindForObject(object); };
  QPoint centre;
  if (highlightOn_ && state_.selected && projectedPoint(*state_.selected, centre)) {
    input.highlightDrawn = true;
    input.highlightCentre = centre;
  }
  paintSky(painter, input);
}

void SkyDisplay::mousePressEvent(QMouseEvent* event) {
  switch (event->button()) {
    case Qt::LeftButton:
      selectAt(event->position().toPoint());
      break;
    case Qt::RightButton:
      popupAt(event->position().toPoint(), event->globalPosition().toPoint());
      break;
    default:
      QWidget::mousePressEvent(event);
      break;
  }
}

}  // namespace noctavo
