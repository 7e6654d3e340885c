#include "solar/SolarControlPanel.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

#include "bodies/AstBody.h"
#include "frame/WindowMessages.h"
#include "solar/SolarDisplay.h"
#include "time/InternalError.h"
#include "ui/DialogControls.h"
#include "ui/Options.h"
#include "ui/SymbolFont.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_SOL";

constexpr int valueControls[solarEntryCount] = {
    solar_control::mercury, solar_control::venus,  solar_control::mars,
    solar_control::jupiter, solar_control::saturn, solar_control::uranus,
    solar_control::neptune, solar_control::pluto,  solar_control::earth};

// The rows from the Sun outwards: the Earth between Venus and Mars.
constexpr int rowOrder[solarEntryCount] = {0, 1, earthEntry, 2, 3, 4, 5, 6, 7};

QFrame* separator(QWidget* parent, int id) {
  auto* line = withId(new QFrame(parent), id);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

int solarValueControl(int entry) {
  if (entry < 0 || entry >= solarEntryCount) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return valueControls[0];
  }
  return valueControls[entry];
}

SolarControlPanel::SolarControlPanel(SolarWindowState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("Dlg_SolarCtrl"));
  setFont(SymbolFont());
  QPalette face = palette();
  face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
  setPalette(face);
  setAutoFillBackground(true);
  build();
  updateZoomButtons();
}

SolarControlPanel::~SolarControlPanel() {
  if (animationTimer_ != 0) killTimer(animationTimer_);
}

void SolarControlPanel::build() {
  // The chosen quantity for every planet.
  auto* valuesBox = new QGroupBox(this);
  auto* values = new QGridLayout(valuesBox);
  caption_ = withId(new QLabel(valuesBox), solar_control::caption);
  caption_->setAlignment(Qt::AlignCenter);
  values->addWidget(caption_, 0, 0, 1, 2);
  int row = 1;
  for (int entry : rowOrder) {
    auto* name = new QLabel(symbolText(solarBody(entry).getName()) + QLatin1Char(':'), valuesBox);
    values_[entry] = withId(new QLabel(valuesBox), valueControls[entry]);
    values_[entry]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    values_[entry]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    values->addWidget(name, row, 0);
    values->addWidget(values_[entry], row, 1);
    ++row;
  }
  values->setColumnStretch(1, 1);

  // Browsing the window's own moment.
  auto* browseBox = new QGroupBox(QStringLiteral("Browse"), this);
  timeBar_ = new TimeBar(browseBox);
  timeBar_->setResetSource(&observer().dateTime);
  timeBar_->setMoment(state_.observer.dateTime);
  connect(timeBar_, &TimeBar::momentChanged, this, [this](const AstDateTime& moment) {
    state_.observer.dateTime = moment;
    momentChanged();
  });
  auto* browse = new QVBoxLayout(browseBox);
  browse->addWidget(timeBar_);

  // The view: zoom and animation.
  auto* viewBox = new QGroupBox(QStringLiteral("View"), this);
  zoomIn_ = withId(new QPushButton(QStringLiteral("Zoom in"), viewBox), solar_control::zoomIn);
  zoomOut_ = withId(new QPushButton(QStringLiteral("Zoom out"), viewBox), solar_control::zoomOut);
  animate_ = withId(new QPushButton(QStringLiteral("Animate"), viewBox), solar_control::animate);
  auto* view = new QHBoxLayout(viewBox);
  view->addWidget(zoomIn_);
  view->addWidget(zoomOut_);
  view->addWidget(animate_);
  connect(zoomIn_, &QPushButton::clicked, this, [this] { zoomIn(); });
  connect(zoomOut_, &QPushButton::clicked, this, [this] { zoomOut(); });
  connect(animate_, &QPushButton::clicked, this, [this] {
    if (state_.animating) {
      stopAnimation();
    } else {
      startAnimation();
    }
  });

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->addWidget(valuesBox);
  column->addWidget(separator(this, solar_control::valuesSeparator));
  column->addWidget(browseBox);
  column->addWidget(separator(this, solar_control::browseSeparator));
  column->addWidget(viewBox);
  column->addStretch(1);
}

QWidget* SolarControlPanel::control(int controlId) const {
  return NOCTAVO_CONTROL(QWidget, this, controlId, moduleName);
}

void SolarControlPanel::takeFocus() {
  for (QPushButton* button : {zoomIn_, zoomOut_, animate_}) {
    if (button->isEnabled()) {
      button->setFocus();
      return;
    }
  }
}

void SolarControlPanel::fill() {
  timeBar_->setMoment(state_.observer.dateTime);
  if (state_.animating && !state_.settings.refreshDuringAnimation) return;
  const SolarFunctionRows rows = solarFunctionRows(state_.settings.function, state_.observer);
  caption_->setText(symbolText(rows.caption));
  for (int entry = 0; entry < solarEntryCount; ++entry) values_[entry]->setText(symbolText(rows.values[entry]));
  values_[earthEntry]->setEnabled(rows.earthHasIt);
}

void SolarControlPanel::momentChanged() {
  timeBar_->setMoment(state_.observer.dateTime);
  if (display_) {
    display_->momentChanged();
  } else {
    fill();
  }
}

// ---- Zoom -----------------------------------------------------------------

void SolarControlPanel::updateZoomButtons() {
  zoomIn_->setEnabled(state_.settings.zoom > smallestZoom);
  zoomOut_->setEnabled(state_.settings.zoom < largestZoom);
}

void SolarControlPanel::setZoom(int zoom, QPushButton* pressed) {
  state_.settings.zoom = clampedZoom(zoom);
  updateZoomButtons();
  // The button at its end gives the focus to the other.
  if (!pressed->isEnabled()) (pressed == zoomIn_ ? zoomOut_ : zoomIn_)->setFocus();
  if (display_) display_->update();
}

void SolarControlPanel::zoomIn() { setZoom(state_.settings.zoom - 1, zoomIn_); }

void SolarControlPanel::zoomOut() { setZoom(state_.settings.zoom + 1, zoomOut_); }

// ---- Animation --------------------------------------------------------------

void SolarControlPanel::startAnimation() {
  if (state_.animating) return;
  animationTimer_ = startTimer(animationTickMilliseconds);
  if (animationTimer_ == 0) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  state_.animating = true;
  animate_->setText(QStringLiteral("Stop"));
}

void SolarControlPanel::stopAnimation() {
  if (!state_.animating) return;
  killTimer(animationTimer_);
  animationTimer_ = 0;
  state_.animating = false;
  animate_->setText(QStringLiteral("Animate"));
  // The values the animation did not refresh are brought up to date.
  if (!state_.settings.refreshDuringAnimation) fill();
}

void SolarControlPanel::animationTick() {
  if (!state_.animating || stepping_) return;
  stepping_ = true;
  const TimeStepResult result = timeBar_->stepOnce(false);
  stepping_ = false;
  if (result != TimeStepResult::Stepped) stopAnimation();
}

// The timer delivers at most one tick per pass of the event loop: a step
// that takes longer than the period delays the next tick instead of
// queueing more, and stopping kills the timer with nothing left to come.
void SolarControlPanel::timerEvent(QTimerEvent* event) {
  if (event->timerId() != animationTimer_ || animationTimer_ == 0) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  animationTick();
}

// ---- The frame's messages ------------------------------------------------------

bool SolarControlPanel::event(QEvent* event) {
  const WindowMessage* message = asWindowMessage(event);
  if (!message || !followObserver(*message, state_.observer)) return QWidget::event(event);
  momentChanged();
  return true;
}

}  // namespace noctavo
