#pragma once

#include <QDialog>
#include <QPointer>

#include "shell/FrameInterfaces.h"

class QTabWidget;

namespace noctavo {

// Control ids of the Astronomical Calculator ("Dlg_AstroCalc1") and its
// three pages.
namespace calculator_control {
inline constexpr int tabs = 1002;
inline constexpr int calculate = 117;
inline constexpr int date = 101;
inline constexpr int time = 102;
inline constexpr int julianDay = 103;
inline constexpr int dayNumber = 104;
inline constexpr int easter = 105;
inline constexpr int weekday = 106;
inline constexpr int sourceAngle1 = 111;
inline constexpr int sourceAngle2 = 112;
inline constexpr int leapYear = 119;
inline constexpr int daylightSaving = 120;
inline constexpr int timeZone = 121;
inline constexpr int longitude = 122;
inline constexpr int latitude = 123;
inline constexpr int sourceLabel1 = 124;
inline constexpr int sourceLabel2 = 125;
inline constexpr int destinationLabel1 = 126;
inline constexpr int destinationLabel2 = 127;
inline constexpr int destinationTime = 227;
inline constexpr int sourceKind = 279;
inline constexpr int destinationKind = 280;
inline constexpr int select = 346;
inline constexpr int sourceSystem = 1040;
inline constexpr int destinationSystem = 1041;
inline constexpr int destinationAngle1 = 1042;
inline constexpr int destinationAngle2 = 1043;
}  // namespace calculator_control

// One tab of the calculator. Only the page of the selected tab exists.
class CalculatorPage : public QWidget {
 public:
  using QWidget::QWidget;
  // "Calculate": reads the page's fields and shows the results; a field that
  // does not read says so and the outputs keep their texts.
  virtual void calculate() = 0;
};

// The Astronomical Calculator: a modeless window with the tabs "Calendar",
// "Time" and "Coordinates" over the conversions of dates, time systems and
// coordinates. Each page starts from the observer's moment and place;
// nothing typed here changes the observer. It keeps "Visible", "X" and "Y"
// under "\Calculator".
class AstroCalculator : public QDialog, public DocumentWindow {
  Q_OBJECT

 public:
  enum Tab { Calendar = 0, Time = 1, Coordinates = 2 };

  explicit AstroCalculator(QWidget* frame);

  // Whether the calculator was open when the program last ended.
  bool storedVisible() const { return storedVisible_; }
  void showCalculator(bool show);
  CalculatorPage* currentPage() const { return page_; }
  QTabWidget* tabs() const { return tabs_; }

  // DocumentWindow: the calculator is no document, but it saves its
  // settings in the shutdown order with them.
  QMdiSubWindow* subWindow() const override { return nullptr; }
  void initialise(QMdiSubWindow*&, bool&) override {}
  void saveAndRelease() override;

 signals:
  // The user closed the window itself (close box or Escape): the menu
  // item's check mark follows.
  void closedByUser();

 protected:
  bool event(QEvent* event) override;
  // The close box and Escape come here.
  void reject() override;

 private:
  void showTab(int tab);

  QTabWidget* tabs_ = nullptr;
  QPointer<CalculatorPage> page_;
  bool storedVisible_ = false;
};

}  // namespace noctavo
