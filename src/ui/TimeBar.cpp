#include "ui/TimeBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

#include "time/InternalError.h"
#include "ui/DialogControls.h"
#include "ui/InputErrors.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "asttmbr";

constexpr std::array<const char*, stepUnitCount> unitNames = {"Minutes", "Hours", "Days", "Months", "Years"};

constexpr int smallestCount = 1;
constexpr int largestCount = 1000;

// The ids every window gives its browse controls.
constexpr int dateControlId = 101;
constexpr int timeControlId = 102;
constexpr int countControlId = 243;
constexpr int unitControlId = 235;
constexpr int spinControlId = 1005;
constexpr int resetControlId = 272;

bool parseCount(const QString& text, int& count) {
  bool ok = false;
  count = text.trimmed().toInt(&ok);
  return ok;
}

}  // namespace

// ------------------------------------------------------------ the spin

HorizontalSpin::HorizontalSpin(QWidget* parent)
    : QWidget(parent), left_(new QToolButton(this)), right_(new QToolButton(this)) {
  setFocusPolicy(Qt::StrongFocus);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (QToolButton* button : {left_, right_}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);  // held down, the arrow keeps stepping
    button->setFixedSize(17, 21);
    layout->addWidget(button);
  }
  left_->setArrowType(Qt::LeftArrow);
  right_->setArrowType(Qt::RightArrow);
  connect(left_, &QToolButton::clicked, this, [this] { emit deltaPos(1); });
  connect(right_, &QToolButton::clicked, this, [this] { emit deltaPos(-1); });
}

void HorizontalSpin::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Left) {
    emit deltaPos(1);
  } else if (event->key() == Qt::Key_Right) {
    emit deltaPos(-1);
  } else {
    QWidget::keyPressEvent(event);
  }
}

// ------------------------------------------------------------ the bar

const char* stepUnitName(int unit) {
  if (unit < 0 || unit >= stepUnitCount) return nullptr;
  return unitNames[static_cast<std::size_t>(unit)];
}

TimeBar::TimeBar(QWidget* parent)
    : QWidget(parent),
      date_(withId(new QLabel(this), dateControlId)),
      time_(withId(new QLabel(this), timeControlId)),
      // The spin comes first in the tab order, then the count, the unit
      // and Reset.
      spin_(withId(new HorizontalSpin(this), spinControlId)),
      count_(withId(new QLineEdit(this), countControlId)),
      unit_(withId(new QComboBox(this), unitControlId)),
      reset_(withId(new QPushButton(QStringLiteral("Reset"), this), resetControlId)),
      momentRow_(new QHBoxLayout) {
  // Room for "00.00.0000", "00:00:00" and four digits.
  const QFontMetrics metrics(font());
  date_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00.00.0000")) + 4);
  time_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00:00:00")) + 4);
  count_->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("00000")) + 12);
  count_->setAlignment(Qt::AlignRight);
  for (const char* name : unitNames) unit_->addItem(QString::fromLatin1(name));
  unit_->setCurrentIndex(0);
  count_->setText(QStringLiteral("1"));

  momentRow_->addWidget(new QLabel(QStringLiteral("Date:"), this));
  momentRow_->addWidget(date_);
  momentRow_->addSpacing(8);
  momentRow_->addWidget(new QLabel(QStringLiteral("Time:"), this));
  momentRow_->addWidget(time_);
  momentRow_->addStretch(1);

  auto* stepRow = new QHBoxLayout;
  stepRow->addWidget(spin_);
  stepRow->addWidget(count_);
  stepRow->addWidget(unit_);
  stepRow->addStretch(1);
  stepRow->addWidget(reset_);

  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->addLayout(momentRow_);
  rows->addLayout(stepRow);

  connect(spin_, &HorizontalSpin::deltaPos, this, [this](int delta) { reportRefusal(spinBy(delta)); });
  connect(reset_, &QPushButton::clicked, this, [this] { reset(); });
  showMoment();
}

void TimeBar::reportRefusal(TimeStepResult result) {
  // A step the user asked for and the bar refused says why and puts the
  // focus on the count, where it is mended.
  if (result == TimeStepResult::CountRefused) {
    ReportInvalidInput(QStringLiteral("You entered an invalid step count: the count is a whole number from %1 to %2")
                           .arg(smallestCount)
                           .arg(largestCount),
                       this, countControlId);
  } else if (result == TimeStepResult::CalendarRefused) {
    ReportInvalidInput(QStringLiteral("The step would take the date outside the calendar's years"), this,
                       countControlId);
  }
}

void TimeBar::addToMomentRow(QWidget* widget) {
  widget->setParent(this);
  // Before the stretch that closes the row.
  momentRow_->insertWidget(momentRow_->count() - 1, widget);
}

void TimeBar::setMoment(const AstDateTime& moment) {
  moment_ = moment;
  showMoment();
}

void TimeBar::showMoment() {
  // The date beside a time that rounds up to midnight is the next day's.
  date_->setText(symbolText(moment_.formatDateOfDateTime(TimeOverflow::CarryDay)));
  time_->setText(symbolText(moment_.formatTime(TimeOverflow::CarryDay)));
}

TimeStepResult TimeBar::spinBy(int delta) {
  if (delta == 0) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return TimeStepResult::Broken;
  }
  return stepOnce(delta >= 1);
}

TimeStepResult TimeBar::stepOnce(bool backward) {
  int count = 0;
  if (!parseCount(count_->text(), count) || count < smallestCount || count > largestCount) {
    return TimeStepResult::CountRefused;
  }
  const int unit = unit_->currentIndex();
  if (unit < 0 || unit >= stepUnitCount) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return TimeStepResult::Broken;
  }
  // Step from what the user sees: the texts are whole seconds.
  AstDateTime stepped = moment_.asShown();
  if (!stepped.addStep(static_cast<StepUnit>(unit), backward ? -count : count)) {
    return TimeStepResult::CalendarRefused;
  }
  setMoment(stepped);
  emit momentChanged(moment_);
  return TimeStepResult::Stepped;
}

void TimeBar::reset() {
  if (!resetSource_) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  setMoment(*resetSource_);
  emit momentChanged(moment_);
}

TimeBarStep TimeBar::step() const {
  TimeBarStep step;
  if (!parseCount(count_->text(), step.count)) step.count = 1;
  step.unit = stepUnitCount;
  const QString text = unit_->currentText();
  for (int i = 0; i < stepUnitCount; ++i) {
    if (text == QLatin1String(unitNames[static_cast<std::size_t>(i)])) step.unit = i;
  }
  return step;
}

void TimeBar::setStep(int unit, int count) {
  count_->setText(QString::asprintf("%d", count));
  const char* name = stepUnitName(unit);
  const int index = name ? unit_->findText(QString::fromLatin1(name), Qt::MatchExactly | Qt::MatchCaseSensitive) : -1;
  if (index < 0) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  unit_->setCurrentIndex(index);
}

}  // namespace noctavo
