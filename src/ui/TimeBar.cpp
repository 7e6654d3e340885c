#include "ui/TimeBar.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

#include "shell/WindowMessages.h"
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

constexpr int dateControlId = 101;
constexpr int timeControlId = 102;
constexpr int countControlId = 243;
constexpr int unitControlId = 235;
constexpr int spinControlId = 1005;
constexpr int resetControlId = 272;

// The date and time fields may be labels or edits: both keep their text in
// the "text" property.
QString controlText(const QWidget* dialog, int id) {
  const QWidget* control = NOCTAVO_CONTROL(QWidget, dialog, id, moduleName);
  return control ? control->property("text").toString() : QString();
}

void setControlText(const QWidget* dialog, int id, const QString& text) {
  QWidget* control = NOCTAVO_CONTROL(QWidget, dialog, id, moduleName);
  if (control) control->setProperty("text", text);
}

bool parseCount(const QString& text, int& count) {
  bool ok = false;
  count = text.trimmed().toInt(&ok);
  return ok;
}

void notifyDialog(TimeBar& bar) { sendMessage(bar.dialog, bar.notifyMessage, 0, pointerParam(&bar)); }

// A step the user asked for and the bar refused says why and puts the focus
// on the count, where it is mended.
void reportRefusal(const TimeBar& bar, TimeStepResult result) {
  if (result == TimeStepResult::CountRefused) {
    ReportInvalidInput(QStringLiteral("You entered an invalid step count: the count is a whole number from %1 to %2")
                           .arg(smallestCount)
                           .arg(largestCount),
                       bar.dialog, bar.countId);
  } else if (result == TimeStepResult::CalendarRefused) {
    ReportInvalidInput(QStringLiteral("The step would take the date outside the calendar's years"), bar.dialog,
                       bar.countId);
  }
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

TimeBar::~TimeBar() {
  QObject::disconnect(spinConnection);
  QObject::disconnect(resetConnection);
  if (spin && spin->timeBar() == this) spin->setTimeBar(nullptr);
}

const char* stepUnitName(int unit) {
  if (unit < 0 || unit >= stepUnitCount) return nullptr;
  return unitNames[static_cast<std::size_t>(unit)];
}

bool TimeBarInit(TimeBar& bar, QWidget* dialog, int dateId, int timeId, int countId, int unitId, int spinId,
                 int resetId, int notifyMessage, AstDateTime* current, const AstDateTime* resetSource) {
  QWidget* date = NOCTAVO_CONTROL(QWidget, dialog, dateId, moduleName);
  QWidget* time = NOCTAVO_CONTROL(QWidget, dialog, timeId, moduleName);
  auto* count = NOCTAVO_CONTROL(QLineEdit, dialog, countId, moduleName);
  auto* unit = NOCTAVO_CONTROL(QComboBox, dialog, unitId, moduleName);
  auto* spin = NOCTAVO_CONTROL(HorizontalSpin, dialog, spinId, moduleName);
  auto* reset = NOCTAVO_CONTROL(QAbstractButton, dialog, resetId, moduleName);
  if (!date || !time || !count || !unit || !spin || !reset) return false;

  bar.dialog = dialog;
  bar.dateId = dateId;
  bar.timeId = timeId;
  bar.countId = countId;
  bar.unitId = unitId;
  bar.spinId = spinId;
  bar.resetId = resetId;
  bar.notifyMessage = notifyMessage;

  unit->clear();
  for (const char* name : unitNames) unit->addItem(QString::fromLatin1(name));
  unit->setCurrentIndex(0);
  count->setText(QStringLiteral("1"));
  bar.current = current;
  bar.resetSource = resetSource;

  if (spin->timeBar()) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return false;
  }
  spin->setTimeBar(&bar);
  bar.spin = spin;
  TimeBar* barPointer = &bar;
  bar.spinConnection = QObject::connect(spin, &HorizontalSpin::deltaPos, spin,
                                        [barPointer](int delta) {
                                          reportRefusal(*barPointer, TimeBarSpin(*barPointer, delta));
                                        });
  bar.resetConnection = QObject::connect(reset, &QAbstractButton::clicked, spin,
                                         [barPointer] { TimeBarReset(*barPointer); });
  return true;
}

TimeStepResult TimeBarSpin(TimeBar& bar, int delta) {
  if (delta == 0) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return TimeStepResult::Broken;
  }
  return TimeBarStep(bar, delta >= 1);
}

TimeStepResult TimeBarStep(TimeBar& bar, bool backward) {
  int count = 0;
  const auto* countEdit = NOCTAVO_CONTROL(QLineEdit, bar.dialog, bar.countId, moduleName);
  if (!countEdit || !bar.current) {
    if (countEdit) NOCTAVO_INTERNAL_ERROR(moduleName);
    return TimeStepResult::Broken;
  }
  if (!parseCount(countEdit->text(), count) || count < smallestCount || count > largestCount) {
    return TimeStepResult::CountRefused;
  }

  // Step from what the user sees: the texts are whole seconds.
  AstDateTime moment = *bar.current;
  if (!moment.parseDate(symbolBytes(controlText(bar.dialog, bar.dateId)))) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return TimeStepResult::Broken;
  }
  if (!moment.parseTime(symbolBytes(controlText(bar.dialog, bar.timeId)))) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return TimeStepResult::Broken;
  }
  const auto* unitBox = NOCTAVO_CONTROL(QComboBox, bar.dialog, bar.unitId, moduleName);
  const int unit = unitBox ? unitBox->currentIndex() : -1;
  if (unit < 0 || unit >= stepUnitCount) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return TimeStepResult::Broken;
  }
  if (!moment.addStep(static_cast<StepUnit>(unit), backward ? -count : count)) {
    return TimeStepResult::CalendarRefused;
  }
  *bar.current = moment;
  notifyDialog(bar);
  return TimeStepResult::Stepped;
}

void TimeBarShow(const TimeBar& bar) {
  if (!bar.current) return;
  // The date beside a time that rounds up to midnight is the next day's.
  setControlText(bar.dialog, bar.dateId, symbolText(bar.current->formatDateOfDateTime(TimeOverflow::CarryDay)));
  setControlText(bar.dialog, bar.timeId, symbolText(bar.current->formatTime(TimeOverflow::CarryDay)));
}

void TimeBarReset(TimeBar& bar) {
  if (!bar.current || !bar.resetSource) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  *bar.current = *bar.resetSource;
  TimeBarShow(bar);
  notifyDialog(bar);
}

void TimeBarGetStep(const TimeBar& bar, int& unit, int& count) {
  const auto* countEdit = NOCTAVO_CONTROL(QLineEdit, bar.dialog, bar.countId, moduleName);
  if (!countEdit || !parseCount(countEdit->text(), count)) count = 1;
  unit = stepUnitCount;
  const auto* unitBox = NOCTAVO_CONTROL(QComboBox, bar.dialog, bar.unitId, moduleName);
  if (!unitBox) return;
  const QString text = unitBox->currentText();
  for (int i = 0; i < stepUnitCount; ++i) {
    if (text == QLatin1String(unitNames[static_cast<std::size_t>(i)])) {
      unit = i;
      return;
    }
  }
}

void TimeBarSetStep(TimeBar& bar, int unit, int count) {
  auto* countEdit = NOCTAVO_CONTROL(QLineEdit, bar.dialog, bar.countId, moduleName);
  if (countEdit) countEdit->setText(QString::asprintf("%d", count));
  auto* unitBox = NOCTAVO_CONTROL(QComboBox, bar.dialog, bar.unitId, moduleName);
  if (!unitBox) return;
  const char* name = stepUnitName(unit);
  const int index = name ? unitBox->findText(QString::fromLatin1(name), Qt::MatchExactly | Qt::MatchCaseSensitive) : -1;
  if (index < 0) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  unitBox->setCurrentIndex(index);
}

TimeBar* TimeBarFromDialog(const QWidget* dialog) {
  const auto* spin = qobject_cast<const HorizontalSpin*>(findControlOrNull(dialog, spinControlId));
  return spin ? spin->timeBar() : nullptr;
}

// ------------------------------------------------------------ the controls

TimeBarControls::TimeBarControls(QWidget* parent)
    : QWidget(parent),
      date_(new QLabel(this)),
      time_(new QLabel(this)),
      count_(new QLineEdit(this)),
      unit_(new QComboBox(this)),
      spin_(new HorizontalSpin(this)),
      reset_(new QPushButton(QStringLiteral("Reset"), this)) {
  setControlId(date_, dateControlId);
  setControlId(time_, timeControlId);
  setControlId(count_, countControlId);
  setControlId(unit_, unitControlId);
  setControlId(spin_, spinControlId);
  setControlId(reset_, resetControlId);

  // Room for "00.00.0000", "00:00:00", four digits and "Minutes".
  const QFontMetrics metrics(font());
  date_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00.00.0000")) + 4);
  time_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00:00:00")) + 4);
  count_->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("00000")) + 12);
  count_->setAlignment(Qt::AlignRight);
  for (const char* name : unitNames) unit_->addItem(QString::fromLatin1(name));

  auto* moment = new QHBoxLayout;
  moment->addWidget(new QLabel(QStringLiteral("Date:"), this));
  moment->addWidget(date_);
  moment->addSpacing(8);
  moment->addWidget(new QLabel(QStringLiteral("Time:"), this));
  moment->addWidget(time_);
  moment->addStretch(1);

  auto* step = new QHBoxLayout;
  step->addWidget(spin_);
  step->addWidget(count_);
  step->addWidget(unit_);
  step->addStretch(1);
  step->addWidget(reset_);

  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->addLayout(moment);
  rows->addLayout(step);
}

}  // namespace noctavo
