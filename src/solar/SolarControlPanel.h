#pragma once

#include <QWidget>

#include "solar/SolarWindowState.h"

class QLabel;
class QPushButton;

namespace noctavo {

class SolarDisplay;
class TimeBar;

// Control ids of the control panel "Dlg_SolarCtrl".
namespace solar_control {
inline constexpr int caption = 224;
inline constexpr int mercury = 260;
inline constexpr int venus = 261;
inline constexpr int earth = 134;
inline constexpr int mars = 263;
inline constexpr int jupiter = 264;
inline constexpr int saturn = 265;
inline constexpr int uranus = 266;
inline constexpr int neptune = 267;
inline constexpr int pluto = 268;
inline constexpr int zoomIn = 273;
inline constexpr int zoomOut = 274;
inline constexpr int animate = 275;
inline constexpr int valuesSeparator = 365;
inline constexpr int browseSeparator = 366;
}  // namespace solar_control

// The value control of an entry: planets 0..7 in their order, the Earth 8.
int solarValueControl(int entry);

// How often the animation steps the moment.
inline constexpr int animationTickMilliseconds = 100;

// The control panel "Dlg_SolarCtrl" on the left of the Solar system window:
// the chosen quantity for every planet and the Earth, the window's moment
// with its time bar, the zoom buttons and Animate/Stop. It receives the
// frame's moment messages (UM_TIME_STEP, UM_DST_SET, UM_OBSERVER_SET) and
// its time bar's steps, keeps the window's observer, and has the view
// recompute.
class SolarControlPanel : public QWidget {
  Q_OBJECT

 public:
  explicit SolarControlPanel(SolarWindowState& state, QWidget* parent = nullptr);
  ~SolarControlPanel() override;

  void setDisplay(SolarDisplay* display) { display_ = display; }

  // The date and time always; the value rows unless an animation runs that
  // is not to refresh them.
  void fill();

  // One step in or out; the button at its end is greyed and gives the focus
  // to the other.
  void zoomIn();
  void zoomOut();
  // Both buttons as the zoom allows (after a zoom set from outside).
  void updateZoomButtons();

  void startAnimation();
  void stopAnimation();
  bool animating() const { return state_.animating; }
  // One tick of the animation: the time bar steps forwards once. A step it
  // refuses (the end of the calendar, a count that is no count) ends the
  // animation.
  void animationTick();

  TimeBar* timeBar() const { return timeBar_; }
  QWidget* control(int controlId) const;
  // The keyboard focus to the panel's first button that takes it.
  void takeFocus();

 protected:
  bool event(QEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void build();
  void momentChanged();
  void setZoom(int zoom, QPushButton* pressed);

  SolarWindowState& state_;
  SolarDisplay* display_ = nullptr;
  QLabel* caption_ = nullptr;
  QLabel* values_[solarEntryCount] = {};
  QPushButton* zoomIn_ = nullptr;
  QPushButton* zoomOut_ = nullptr;
  QPushButton* animate_ = nullptr;
  TimeBar* timeBar_ = nullptr;
  int animationTimer_ = 0;
  // True while a tick is being carried out: a tick that arrives meanwhile
  // (a dialog's event loop during the step) is dropped, never stacked.
  bool stepping_ = false;
};

}  // namespace noctavo
