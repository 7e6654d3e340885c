#include "shell/StatusLine.h"

#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QResizeEvent>

#include <string>

#include "time/Observer.h"
#include "time/TimeSystems.h"
#include "ui/DialogControls.h"
#include "ui/SymbolFont.h"

namespace noctavo {

namespace {

constexpr const char* threeBlanks = "   ";

}  // namespace

QString statusLineMomentText(const Observer& observer) {
  const AstDateTime local = observer.momentIn(TimeKind::Lct);
  std::string text = threeBlanks;
  text += observer.dateTime.formatDate();
  text += threeBlanks;
  text += local.formatTime();
  text += ' ';
  text += timeKindShortName(TimeKind::Lct);
  text += " (DST ";
  text += formatDaylightSaving(observer.daylightSaving);
  text += ")";
  return symbolText(text);
}

QString statusLinePlaceText(const Observer& observer) {
  const LocationRecord& place = observer.location;
  std::string text = place.town;
  text += ", ";
  text += place.country;
  text += threeBlanks;
  text += place.longitude.format();
  text += threeBlanks;
  text += place.latitude.format();
  text += threeBlanks;
  text += formatTimeZone(place.timeZone, true);
  text += threeBlanks;
  return symbolText(text);
}

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("StatusLine"));
  setControlId(this, controlId);
  for (int part = 0; part < 2; ++part) {
    parts_[part] = new QLabel(this);
    parts_[part]->setObjectName(QStringLiteral("StatusLinePart%1").arg(part));
    parts_[part]->setTextFormat(Qt::PlainText);
    // Clicks go on to the status line, which tells the parts apart.
    parts_[part]->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  addWidget(parts_[0]);
  addWidget(parts_[1], 1);
  parts_[0]->setFixedWidth(part0Right);
  parts_[1]->setMinimumWidth(0);
}

void StatusLine::placePartBoundary() {
  // The bar's margins and item frames come before the first part; its label
  // is that much narrower, so that part 0 ends at x = 400.
  if (layout()) layout()->activate();
  const int left = parts_[0]->geometry().left();
  if (left >= 0 && parts_[0]->width() != part0Right - left) {
    parts_[0]->setFixedWidth(part0Right - left);
    if (layout()) layout()->activate();
  }
}

void StatusLine::resizeEvent(QResizeEvent* event) {
  QStatusBar::resizeEvent(event);
  placePartBoundary();
}

void StatusLine::setParts(const QString& part0, const QString& part1) {
  parts_[0]->setText(part0);
  parts_[1]->setText(part1);
}

void StatusLine::setHint(const QString& text) { setParts(text, QString()); }

void StatusLine::showObserver(const Observer& observer) {
  setParts(statusLineMomentText(observer), statusLinePlaceText(observer));
}

QString StatusLine::partText(int part) const { return part == 0 || part == 1 ? parts_[part]->text() : QString(); }

QLabel* StatusLine::partLabel(int part) const { return part == 0 || part == 1 ? parts_[part] : nullptr; }

void StatusLine::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QStatusBar::mouseDoubleClickEvent(event);
    return;
  }
  const int x = event->position().toPoint().x();
  emit partDoubleClicked(x < parts_[1]->geometry().left() ? 0 : 1);
  event->accept();
}

}  // namespace noctavo
