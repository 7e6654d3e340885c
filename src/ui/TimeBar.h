#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include "time/AstDateTime.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace noctavo {

struct TimeBar;

// A horizontal up-down control: two small arrows side by side. Like the
// platform's up-down control with its default range, the left arrow (and
// the Left key) reports a delta of +1, the right arrow (and the Right key)
// -1; the time bar reads a negative delta as a step forwards.
class HorizontalSpin : public QWidget {
  Q_OBJECT

 public:
  explicit HorizontalSpin(QWidget* parent = nullptr);

  QToolButton* leftButton() const { return left_; }
  QToolButton* rightButton() const { return right_; }

  // The time bar attached to this control (its "user data"), or null.
  TimeBar* timeBar() const { return timeBar_; }
  void setTimeBar(TimeBar* bar) { timeBar_ = bar; }

 signals:
  void deltaPos(int delta);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QToolButton* left_;
  QToolButton* right_;
  TimeBar* timeBar_ = nullptr;
};

// Steps a date-time by a count of units with the controls of a dialog: the
// date and time texts (101, 102), the count (243), the unit (235), the spin
// (1005) and "Reset" (272). After every change the dialog receives
// notifyMessage with lParam = the bar (sendMessage) and shows the new
// moment itself. A bar lives as long as its dialog; it is neither copied
// nor moved, as the spin and the notifications point to it.
struct TimeBar {
  TimeBar() = default;
  TimeBar(const TimeBar&) = delete;
  TimeBar& operator=(const TimeBar&) = delete;
  ~TimeBar();

  QWidget* dialog = nullptr;
  int dateId = 0;
  int timeId = 0;
  int countId = 0;
  int unitId = 0;
  int spinId = 0;
  int resetId = 0;
  int notifyMessage = 0;
  AstDateTime* current = nullptr;            // the moment the bar steps
  const AstDateTime* resetSource = nullptr;  // what "Reset" copies (the observer's)

  // Set up by TimeBarInit.
  QPointer<HorizontalSpin> spin;
  QMetaObject::Connection spinConnection;
  QMetaObject::Connection resetConnection;
};

// The outcome of a step. Refused steps change nothing and notify nobody.
enum class TimeStepResult {
  Stepped = 0,
  CountRefused = 1,     // the count is not an integer 1..1000
  CalendarRefused = 2,  // the result would leave the calendar
  Broken = 3,           // a broken invariant, reported as an internal error
};

// The step units in the order of the unit box.
constexpr int stepUnitCount = 5;
const char* stepUnitName(int unit);  // "Minutes" .. "Years"; null outside 0..4

// Finds the six controls (a missing one is an internal error and leaves the
// bar unbound), fills the unit box and selects "Minutes", sets the count
// "1", and connects the spin and "Reset". A spin that already carries a bar
// is an internal error. True when bound.
bool TimeBarInit(TimeBar& bar, QWidget* dialog, int dateId, int timeId, int countId, int unitId, int spinId,
                 int resetId, int notifyMessage, AstDateTime* current, const AstDateTime* resetSource);

// What the spin's notification does: delta >= 1 steps backwards, delta < 0
// forwards; delta 0 is an internal error.
TimeStepResult TimeBarSpin(TimeBar& bar, int delta);
// One step from the moment the date and time texts show.
TimeStepResult TimeBarStep(TimeBar& bar, bool backward);
// "Reset": current = *resetSource, the texts show it, the dialog is notified
// (also when nothing changed).
void TimeBarReset(TimeBar& bar);
// Writes current into the date and time texts.
void TimeBarShow(const TimeBar& bar);

// count: the count text as an integer (1 when it is not one); unit: the
// position of the unit text among the five names (5 when none).
void TimeBarGetStep(const TimeBar& bar, int& unit, int& count);
// Count text "%d"; selects the unit's name (no such unit: internal error).
void TimeBarSetStep(TimeBar& bar, int unit, int count);

// The bar attached to the dialog's spin control 1005, or null.
TimeBar* TimeBarFromDialog(const QWidget* dialog);

// The time bar's controls for a window that shows one: "Date:" 101 and
// "Time:" 102 on the first row, the spin 1005, the count 243, the unit
// box 235 and "Reset" 272 on the second. Bind them with TimeBarInit.
class TimeBarControls : public QWidget {
  Q_OBJECT

 public:
  explicit TimeBarControls(QWidget* parent = nullptr);

  QLabel* dateText() const { return date_; }
  QLabel* timeText() const { return time_; }
  QLineEdit* countEdit() const { return count_; }
  QComboBox* unitBox() const { return unit_; }
  HorizontalSpin* spin() const { return spin_; }
  QPushButton* resetButton() const { return reset_; }

 private:
  QLabel* date_;
  QLabel* time_;
  QLineEdit* count_;
  QComboBox* unit_;
  HorizontalSpin* spin_;
  QPushButton* reset_;
};

}  // namespace noctavo
