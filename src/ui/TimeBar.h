#pragma once

#include <QWidget>

#include "time/AstDateTime.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace noctavo {

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

 signals:
  void deltaPos(int delta);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QToolButton* left_;
  QToolButton* right_;
};

// The outcome of a step. Refused steps change nothing and report no moment;
// one the user asked for with the spin shows why (ReportInvalidInput) and
// puts the focus on the count.
enum class TimeStepResult {
  Stepped = 0,
  CountRefused = 1,     // the count is not an integer 1..1000
  CalendarRefused = 2,  // the result would leave the calendar
  Broken = 3,           // a broken invariant, reported as an internal error
};

// The step units in the order of the unit box.
constexpr int stepUnitCount = 5;
const char* stepUnitName(int unit);  // "Minutes" .. "Years"; null outside 0..4

// The step the count and unit fields hold.
struct TimeBarStep {
  int unit = 0;   // StepUnit 0..4; stepUnitCount when the box shows none
  int count = 1;  // the count text as an integer; 1 when it is not one
  friend bool operator==(TimeBarStep, TimeBarStep) = default;
};

// The browse controls of a window that has a moment of its own (the Sky,
// Solar system, Object Information and Graph windows): "Date:" (101) and
// "Time:" (102) on the first row; the spin (1005), the step count (243),
// the unit box (235) and "Reset" (272) on the second. The bar keeps the
// moment it shows, steps it by count units with the spin, puts it back to
// the reset source with "Reset", and reports every new moment with
// momentChanged; the window takes it from there. A moment the window sets
// itself is only shown.
class TimeBar : public QWidget {
  Q_OBJECT

 public:
  explicit TimeBar(QWidget* parent = nullptr);

  // Shows the moment and steps from it from now on; reports nothing.
  void setMoment(const AstDateTime& moment);
  const AstDateTime& moment() const { return moment_; }
  // What "Reset" copies: the program observer's moment, which outlives
  // the bar. Without one, Reset is an internal error.
  void setResetSource(const AstDateTime* source) { resetSource_ = source; }

  TimeBarStep step() const;
  // Count text "%d", the unit's name selected (a unit outside 0..4 is an
  // internal error and leaves the box as it was).
  void setStep(int unit, int count);

  // One step of count units from the moment as shown (whole seconds),
  // backwards or forwards, as the spin's arrows take it.
  TimeStepResult stepOnce(bool backward);
  // What the spin's notification does: delta >= 1 steps backwards, delta < 0
  // forwards; delta 0 is an internal error. The spin's own clicks and keys
  // also report a refusal to the user; a call from code does not.
  TimeStepResult spinBy(int delta);
  // The reset source's moment, shown and reported (also when it is the
  // moment shown already).
  void reset();

  // Puts a widget at the end of the date and time row (the Sky panel's
  // time system "LCT").
  void addToMomentRow(QWidget* widget);

  QLabel* dateText() const { return date_; }
  QLabel* timeText() const { return time_; }
  HorizontalSpin* spin() const { return spin_; }
  QLineEdit* countEdit() const { return count_; }
  QComboBox* unitBox() const { return unit_; }
  QPushButton* resetButton() const { return reset_; }

 signals:
  // After a step or Reset, with the new moment.
  void momentChanged(const AstDateTime& moment);

 private:
  void showMoment();
  void reportRefusal(TimeStepResult result);

  AstDateTime moment_;
  const AstDateTime* resetSource_ = nullptr;
  QLabel* date_;
  QLabel* time_;
  HorizontalSpin* spin_;
  QLineEdit* count_;
  QComboBox* unit_;
  QPushButton* reset_;
  QHBoxLayout* momentRow_;
};

}  // namespace noctavo
