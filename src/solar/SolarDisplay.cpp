#include "solar/SolarDisplay.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <optional>

#include "bodies/AstBody.h"
#include "frame/WindowMessages.h"
#include "solar/SolarControlPanel.h"
#include "solar/SolarPainter.h"
#include "time/InternalError.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_SOL";
constexpr const char* displayInWindowTitle = "Display %s in &window";

std::optional<FrameWindow> popupTarget(int commandId) {
  switch (commandId) {
    case solar_popup::sky:
      return FrameWindow::Sky;
    case solar_popup::objectInfo:
      return FrameWindow::ObjectInformation;
    case solar_popup::picture:
      return FrameWindow::Picture;
    default:
      return std::nullopt;
  }
}

constexpr int popupCommands[] = {solar_popup::sky, solar_popup::objectInfo, solar_popup::picture};

}  // namespace

SolarDisplay::SolarDisplay(SolarWindowState& state, Frame* frame, QWidget* parent)
    : QWidget(parent), state_(state), frame_(frame) {
  setObjectName(QStringLiteral("SolarDisp"));
  setCursor(Qt::ArrowCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  buildPopup();
}

void SolarDisplay::buildPopup() {
  popup_ = new QMenu(this);
  popup_->setObjectName(QStringLiteral("Menu_Solar"));
  displayIn_ = popup_->addMenu(QString::fromLatin1(displayInWindowTitle));
  const std::pair<int, const char*> targets[] = {
      {solar_popup::sky, "&Sky"}, {solar_popup::objectInfo, "&Object info"}, {solar_popup::picture, "&Picture"}};
  for (const auto& [commandId, itemText] : targets) {
    displayIn_->addAction(QString::fromLatin1(itemText))->setData(commandId);
  }
  connect(displayIn_, &QMenu::triggered, this, [this](QAction* item) { popupCommand(item->data().toInt()); });
}

QAction* SolarDisplay::popupAction(int commandId) const {
  for (QAction* item : displayIn_->actions()) {
    if (item->data().toInt() == commandId) return item;
  }
  return nullptr;
}

void SolarDisplay::momentChanged() {
  state_.positions = computeSolarPositions(state_.observer);
  if (panel_) panel_->fill();
  update();
}

void SolarDisplay::preparePopup(const AstBody& body) {
  QString name = symbolText(body.getName());
  name.replace(QLatin1Char('&'), QStringLiteral("&&"));
  displayIn_->setTitle(QString::fromLatin1(displayInWindowTitle).replace(QStringLiteral("%s"), name));
  for (int commandId : popupCommands) {
    // A window that is not there yet is greyed, never offered in vain.
    popupAction(commandId)->setEnabled(frame_ && frame_->window(*popupTarget(commandId)));
  }
  if (body.getObjectType() == ObjectType::Earth) popupAction(solar_popup::sky)->setEnabled(false);
}

void SolarDisplay::popupAt(QPoint position, QPoint globalPosition) {
  state_.popupBody =
      nearestSolarBody(state_.positions, viewSize(), state_.settings.zoom, state_.settings.moonOn != 0,
                       position.x(), position.y());
  if (!state_.popupBody) return;
  preparePopup(*state_.popupBody);
  popup_->exec(globalPosition);
}

void SolarDisplay::popupCommand(int commandId) {
  const std::optional<FrameWindow> target = popupTarget(commandId);
  if (!target) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  if (!state_.popupBody || !frame_) return;
  sendDisplayObject(frame_->window(*target), *state_.popupBody, true);
}

void SolarDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  SolarPaintInput input;
  input.orbits = &state_.orbits;
  input.positions = &state_.positions;
  input.view = viewSize();
  input.zoom = state_.settings.zoom;
  input.namesOn = state_.settings.namesOn != 0;
  input.signsOn = state_.settings.signsOn != 0;
  input.moonOn = state_.settings.moonOn != 0;
  paintSolar(painter, input);
}

void SolarDisplay::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    popupAt(event->position().toPoint(), event->globalPosition().toPoint());
    return;
  }
  QWidget::mousePressEvent(event);
}

}  // namespace noctavo
