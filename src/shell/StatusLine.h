#pragma once

#include <QStatusBar>
#include <QString>

class QLabel;

namespace noctavo {

struct Observer;

// The texts of the two parts for an observer.
// Part 0: "   dd.mm.yyyy   hh:mm:ss LCT (DST On)", the time in local civil
// time at the observer's place.
QString statusLineMomentText(const Observer& observer);
// Part 1: "town, country   longitude   latitude   +0.0 hours   ".
QString statusLinePlaceText(const Observer& observer);

// The frame's two-part status line (control id 500). Part 0 ends at
// x = 400, part 1 takes the rest. It shows the observer, or while a menu is
// open the hint of the item under the mouse. A double click on a part asks
// for its options dialog.
class StatusLine : public QStatusBar {
  Q_OBJECT

 public:
  static constexpr int controlId = 500;
  static constexpr int part0Right = 400;  // pixels from the left

  explicit StatusLine(QWidget* parent);

  void setHint(const QString& text);  // part 0 = text, part 1 empty
  void showObserver(const Observer& observer);
  QString partText(int part) const;
  QLabel* partLabel(int part) const;

 signals:
  void partDoubleClicked(int part);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void setParts(const QString& part0, const QString& part1);
  void placePartBoundary();

  QLabel* parts_[2];
};

}  // namespace noctavo
