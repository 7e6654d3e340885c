#pragma once

#include <QString>
#include <QWidget>

#include "sky/SkyWindowState.h"
#include "ui/TimeBar.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace noctavo {

class ArrowButton;
class SkyDisplay;
class Star;

// Control ids of the Sky window's control panel "Dlg_SkyCtrl".
namespace sky_control {
inline constexpr int arrowUp = 276;
inline constexpr int arrowLeft = 155;
inline constexpr int arrowRight = 156;
inline constexpr int arrowDown = 277;
inline constexpr int observerControl = 221;
inline constexpr int name = 135;
inline constexpr int azimuth = 176;
inline constexpr int altitude = 177;
inline constexpr int rightAscension = 172;
inline constexpr int declination = 173;
inline constexpr int magnitudeLabel = 184;
inline constexpr int magnitude = 162;
inline constexpr int rise = 158;
inline constexpr int set = 159;
inline constexpr int constellation = 329;
inline constexpr int phaseLabel = 183;
inline constexpr int phase = 161;
inline constexpr int highlight = 1036;
inline constexpr int date = 101;
inline constexpr int time = 102;
inline constexpr int timeSystem = 279;
inline constexpr int starsFixed = 275;
inline constexpr int stepSpin = 1005;
inline constexpr int stepCount = 243;
inline constexpr int stepUnit = 235;
inline constexpr int reset = 272;
}  // namespace sky_control

// The texts the object group shows for an object, in the program's formats.
struct SkyObjectInfo {
  QString name;
  QString azimuth;
  QString altitude;
  QString rightAscension;
  QString declination;
  bool magnitudeShown = true;  // false: label disabled, value empty (Sun, Moon)
  QString magnitude;
  QString rise;
  QString set;
  QString constellation;
  bool phaseShown = false;  // only the Moon and the planets have a phase
  QString phase;
};

// The name line of a star: "<letter> (<name>)", the name, the letter, or
// "(none)".
QString skyStarNameText(const Star& star);

// What the object group shows for an object at the Sky window's moment: its
// name, its horizontal position from the tables, its equatorial position,
// magnitude, rise and set in local civil time, constellation and phase. A
// constellation shows its alpha star. The Earth has no sky data (internal
// error, empty texts).
SkyObjectInfo skyObjectInfo(const AstBody& object, const SkyWindowState& state);

// The drawing of the direction of view ("ObserverControl", control 221): the
// horizon seen obliquely with the compass points (or hours of right
// ascension in the equatorial map), an arrow towards the direction of
// view, and the altitude scale with a marker at the view's altitude.
class ObserverControl : public QWidget {
  Q_OBJECT

 public:
  ObserverControl(const SkyWindowState& state, QWidget* parent = nullptr);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const SkyWindowState& state_;
};

// The control panel "Dlg_SkyCtrl" on the left of the Sky window: the
// direction arrows around the direction drawing, the selected object's
// data, and the browsing of the window's own moment with its time bar. It
// receives the moment messages of the frame (UM_TIME_STEP, UM_DST_SET,
// UM_OBSERVER_SET) and of its time bar (UM_TIMEBAR_CHANGED), keeps the
// window's observer and passes every change on to the display.
class SkyControlPanel : public QWidget {
  Q_OBJECT

 public:
  explicit SkyControlPanel(SkyWindowState& state, QWidget* parent = nullptr);

  void setDisplay(SkyDisplay* display) { display_ = display; }

  // Enables the up and down arrows as the view's altitude allows; the focus
  // moves off an arrow that becomes disabled.
  void updateArrows();
  // The arrows; each turns the view, updates the arrows and repaints the
  // drawing and the display.
  void turnLeft();
  void turnRight();
  void lookUp();
  void lookDown();

  // Fills the object group (see skyObjectInfo) and the date and time; with
  // no object only the Highlight button is disabled. With moveCursor the
  // mouse pointer goes onto the object when the display shows it.
  void showSkyObjectInfo(const AstBody* object, bool moveCursor);

  // The check box "Keep stars fixed while browsing" as the settings say.
  void showStarsFixed();

  TimeBar& timeBar() { return timeBar_; }
  ObserverControl* observerControl() const { return observerControl_; }
  // The control with this id; a missing one is an internal error.
  QWidget* control(int controlId) const;

  // Gives the keyboard focus to the panel's first arrow that takes it.
  void takeFocus();

 protected:
  bool event(QEvent* event) override;

 private:
  void build();
  void momentChanged();
  void setText(int controlId, const QString& text);
  void setEnabledControl(int controlId, bool enabled);

  SkyWindowState& state_;
  SkyDisplay* display_ = nullptr;
  ObserverControl* observerControl_ = nullptr;
  ArrowButton* up_ = nullptr;
  ArrowButton* down_ = nullptr;
  ArrowButton* left_ = nullptr;
  ArrowButton* right_ = nullptr;
  QCheckBox* starsFixed_ = nullptr;
  TimeBar timeBar_;
};

}  // namespace noctavo
