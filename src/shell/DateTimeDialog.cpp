// The Date and Time dialog: where the observer's moment comes from (the
// computer's clock or a moment of the user's own) and the real-time clock.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "shell/Options.h"
#include "shell/WindowMessages.h"
#include "time/TimeSystems.h"
#include "ui/DatePickerBinding.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/InputErrors.h"
#include "ui/SymbolFont.h"

namespace noctavo {

namespace {

constexpr const char* moduleName = "AST_OPT";

// Control ids of "Dlg_OptDateTime" above the OK, Cancel and Help row.
constexpr int dateId = 101;
constexpr int timeId = 102;
constexpr int daylightSavingId = 120;
constexpr int timeKindId = 279;
constexpr int systemTimeId = 1029;
constexpr int userTimeId = 1030;
constexpr int realTimeClockId = 1035;

constexpr const char* helpTopic = "dialog date and time.htm";

// The years the date picker offers.
constexpr int firstPickerYear = 1753;
constexpr int lastPickerYear = 3000;

constexpr TimeKind comboKinds[] = {TimeKind::Gmt, TimeKind::Gst, TimeKind::Lct, TimeKind::Lst};

// A date or time field that keeps a half-typed text when the focus leaves
// it and when it comes back. A plain picker would quietly make a date of
// its own out of it (the 31st of February becomes the 28th); this way OK
// sees what the user sees, refuses it, and the user mends what they typed.
template <class Picker>
class PickerField : public Picker {
 public:
  using Picker::Picker;

 protected:
  void focusOutEvent(QFocusEvent* event) override {
    if (this->hasAcceptableInput()) {
      Picker::focusOutEvent(event);
      return;
    }
    // The text field hears of the lost focus (its cursor stops) without
    // its validator, which would complete the text as the picker does.
    sendToFieldAlone(event);
    QWidget::focusOutEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    if (this->hasAcceptableInput()) {
      Picker::focusInEvent(event);
      return;
    }
    sendToFieldAlone(event);
    QWidget::focusInEvent(event);
  }

 private:
  void sendToFieldAlone(QFocusEvent* event) {
    QLineEdit* field = this->lineEdit();
    const QValidator* validator = field->validator();
    field->setValidator(nullptr);
    QCoreApplication::sendEvent(field, event);
    field->setValidator(validator);
  }
};

class DateTimeOptionsDialog : public QDialog {
 public:
  explicit DateTimeOptionsDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("Dlg_OptDateTime"));
    setWindowTitle(QStringLiteral("Date and Time"));
    setFont(SymbolFont());
    build();
    dateBinding_.Bind(this, dateId);
    timeBinding_.Bind(this, timeId);
    showOptions();
  }

 private:
  void build() {
    auto* systemTime = withId(new QRadioButton(QStringLiteral("System time"), this), systemTimeId);
    auto* userTime = withId(new QRadioButton(QStringLiteral("User defined time"), this), userTimeId);

    auto* date = withId(new PickerField<QDateEdit>(this), dateId);
    date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date->setCalendarPopup(true);
    auto* time = withId(new PickerField<QTimeEdit>(this), timeId);
    time->setDisplayFormat(QStringLiteral("HH:mm:ss"));

    auto* kind = withId(new QComboBox(this), timeKindId);
    for (TimeKind k : comboKinds) kind->addItem(QString::fromLatin1(timeKindShortName(k)));

    auto* daylightSaving = withId(new QCheckBox(QStringLiteral("Daylight saving time"), this), daylightSavingId);

    auto* userMoment = new QGridLayout;
    auto* dateLabel = new QLabel(QStringLiteral("&Date:"), this);
    dateLabel->setBuddy(date);
    auto* timeLabel = new QLabel(QStringLiteral("T&ime:"), this);
    timeLabel->setBuddy(time);
    auto* kindLabel = new QLabel(QStringLiteral("Time s&ystem:"), this);
    kindLabel->setBuddy(kind);
    userMoment->addWidget(dateLabel, 0, 0);
    userMoment->addWidget(date, 0, 1);
    userMoment->addWidget(timeLabel, 1, 0);
    userMoment->addWidget(time, 1, 1);
    userMoment->addWidget(kindLabel, 2, 0);
    userMoment->addWidget(kind, 2, 1);
    userMoment->addWidget(daylightSaving, 3, 1);
    userMoment->setContentsMargins(20, 0, 0, 0);

    auto* momentBox = new QGroupBox(QStringLiteral("Observer's time"), this);
    auto* momentLayout = new QVBoxLayout(momentBox);
    momentLayout->addWidget(systemTime);
    momentLayout->addWidget(userTime);
    momentLayout->addLayout(userMoment);

    auto* clockBox = new QGroupBox(QStringLiteral("&Real time clock"), this);
    auto* clockLayout = new QVBoxLayout(clockBox);
    clockLayout->addWidget(withId(new QCheckBox(QStringLiteral("Active"), this), realTimeClockId));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(momentBox);
    layout->addWidget(clockBox);
    layout->addLayout(okCancelHelpRow(this, helpTopic, [this] { acceptIfValid(); }));
    layout->setSizeConstraint(QLayout::SetFixedSize);
  }

  void showOptions() {
    const Options& o = options();
    NOCTAVO_CONTROL(QRadioButton, this, o.useUserTime ? userTimeId : systemTimeId, moduleName)->setChecked(true);
    dateBinding_.SetFrom(o.userTime);
    timeBinding_.SetFrom(o.userTime);
    NOCTAVO_CONTROL(QComboBox, this, timeKindId, moduleName)
        ->setCurrentText(QString::fromLatin1(timeKindShortName(o.userTime.getKind())));
    NOCTAVO_CONTROL(QCheckBox, this, daylightSavingId, moduleName)->setChecked(o.userDaylightSaving);
    NOCTAVO_CONTROL(QCheckBox, this, realTimeClockId, moduleName)->setChecked(o.realTimeClock);
  }

  // The fields' texts are read as the user left them: a date or time field
  // left half-typed does not parse, and then nothing is taken.
  void acceptIfValid() {
    AstDateTime moment = options().userTime;
    auto* date = NOCTAVO_CONTROL(QDateEdit, this, dateId, moduleName);
    auto* time = NOCTAVO_CONTROL(QTimeEdit, this, timeId, moduleName);
    if (!date || !time) return;
    // A year typed only in part ("200") may still read as a date; the
    // picker's years are the dialog's years.
    if (!moment.parseDate(symbolBytes(date->text())) || moment.getYear() < firstPickerYear ||
        moment.getYear() > lastPickerYear) {
      ReportInvalidInput(QStringLiteral("You entered an invalid date"), this, dateId);
      return;
    }
    if (!moment.parseTime(symbolBytes(time->text()))) {
      ReportInvalidInput(QStringLiteral("You entered an invalid time"), this, timeId);
      return;
    }

    const QString kindText = NOCTAVO_CONTROL(QComboBox, this, timeKindId, moduleName)->currentText();
    TimeKind kind = TimeKind::None;
    for (TimeKind k : comboKinds) {
      if (kindText == QString::fromLatin1(timeKindShortName(k))) kind = k;
    }
    moment.setKind(kind);

    Options& o = options();
    o.useUserTime = NOCTAVO_CONTROL(QRadioButton, this, userTimeId, moduleName)->isChecked();
    o.userTime = moment;
    o.userDaylightSaving = NOCTAVO_CONTROL(QCheckBox, this, daylightSavingId, moduleName)->isChecked();
    o.realTimeClock = NOCTAVO_CONTROL(QCheckBox, this, realTimeClockId, moduleName)->isChecked();
    ApplyTimeSource();
    accept();
  }

  DatePickerBinding dateBinding_;
  DatePickerBinding timeBinding_;
};

}  // namespace

bool DateTimeDialog(QWidget* frame) {
  DateTimeOptionsDialog dialog(frame);
  if (dialog.exec() != QDialog::Accepted) return false;
  Observer& obs = observer();
  sendMessage(frame, UM_DST_SET, obs.daylightSaving ? 1 : 0, pointerParam(&obs.dateTime));
  return true;
}

}  // namespace noctavo
