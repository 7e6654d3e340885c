#include "graph/CalculateGraphDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <array>
#include <cstring>

#include "graph/GraphCalculation.h"
#include "time/TimeSystems.h"
#include "ui/DatePickerBinding.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/InputErrors.h"
#include "ui/SymbolFont.h"
#include "ui/WaitDialog.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_GPH";
constexpr const char* helpTopic = "dialog calculate graph.htm";

// Control ids of "Dlg_GraphCalc".
constexpr int beginDateId = 101;
constexpr int beginTimeId = 102;
constexpr int daylightSavingId = 120;
constexpr int timeZoneId = 121;
constexpr int longitudeId = 122;
constexpr int latitudeId = 123;
constexpr int nameId = 135;
constexpr int endDateId = 226;
constexpr int endTimeId = 227;
constexpr int stepUnitId = 235;
constexpr int stepId = 243;
constexpr int stepModeId = 244;
constexpr int endModeId = 245;
constexpr int timeKindId = 279;
constexpr int selectId = 346;

constexpr std::array<TimeKind, 4> comboKinds = {TimeKind::Gmt, TimeKind::Gst, TimeKind::Lct, TimeKind::Lst};
constexpr std::array<const char*, 5> unitNames = {"Minutes", "Hours", "Days", "Months", "Years"};

QString latin1(const char* text) { return QString::fromLatin1(text); }

class CalculateGraphDialog : public QDialog {
 public:
  CalculateGraphDialog(QWidget* owner, const GraphHeader& header, const Observer& programObserver,
                       LocationChooser selectLocation)
      : QDialog(owner), working_(header), selectLocation_(std::move(selectLocation)) {
    setObjectName(QStringLiteral("Dlg_GraphCalc"));
    setWindowTitle(QStringLiteral("Calculate Graph"));
    setFont(SymbolFont());
    build();
    beginDate_.Bind(this, beginDateId);
    beginTime_.Bind(this, beginTimeId);
    endDate_.Bind(this, endDateId);
    endTime_.Bind(this, endTimeId);
    prepareCalculationHeader(working_, programObserver);
    showHeader(working_);
  }

  const GraphHeader& working() const { return working_; }

 private:
  template <class T>
  T* control(int id) const {
    return findControl<T>(this, id, moduleName, __LINE__);
  }

  void build() {
    auto* name = withId(new QLabel(this), nameId);
    name->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QLatin1Char('M')) * 20);

    auto* beginDate = withId(new QDateEdit(this), beginDateId);
    auto* beginTime = withId(new QTimeEdit(this), beginTimeId);
    auto* endDate = withId(new QDateEdit(this), endDateId);
    auto* endTime = withId(new QTimeEdit(this), endTimeId);
    for (QDateEdit* date : {beginDate, endDate}) {
      date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
      date->setCalendarPopup(true);
    }
    for (QTimeEdit* time : {beginTime, endTime}) time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    auto* kind = withId(new QComboBox(this), timeKindId);
    auto* step = withId(new QLineEdit(this), stepId);
    auto* unit = withId(new QComboBox(this), stepUnitId);

    auto* span = new QGridLayout;
    const auto label = [this](const char* text, QWidget* buddy) {
      auto* made = new QLabel(latin1(text), this);
      made->setBuddy(buddy);
      return made;
    };
    span->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, 0);
    span->addWidget(name, 0, 1, 1, 3);
    span->addWidget(label("&Begin:", beginDate), 1, 0);
    span->addWidget(beginDate, 1, 1);
    span->addWidget(beginTime, 1, 2);
    span->addWidget(kind, 1, 3);
    span->addWidget(label("&End:", endDate), 2, 0);
    span->addWidget(endDate, 2, 1);
    span->addWidget(endTime, 2, 2);
    span->addWidget(label("&Step:", step), 3, 0);
    span->addWidget(step, 3, 1);
    span->addWidget(unit, 3, 2);

    auto* stepMode = withId(new QRadioButton(QStringLiteral("Step"), this), stepModeId);
    auto* endMode = withId(new QRadioButton(QStringLiteral("End"), this), endModeId);
    connect(stepMode, &QRadioButton::clicked, this, [this] { enableMode(false); });
    connect(endMode, &QRadioButton::clicked, this, [this] { enableMode(true); });
    auto* modeBox = new QGroupBox(QStringLiteral("User defines"), this);
    auto* modeLayout = new QVBoxLayout(modeBox);
    modeLayout->addWidget(stepMode);
    modeLayout->addWidget(endMode);
    modeLayout->addStretch();

    auto* longitude = withId(new QLineEdit(this), longitudeId);
    auto* latitude = withId(new QLineEdit(this), latitudeId);
    auto* timeZone = withId(new QLineEdit(this), timeZoneId);
    auto* daylightSaving = withId(new QCheckBox(QStringLiteral("Daylight saving time"), this), daylightSavingId);
    auto* select = withId(new QPushButton(QStringLiteral("&Select..."), this), selectId);
    select->setAutoDefault(false);
    select->setEnabled(static_cast<bool>(selectLocation_));
    connect(select, &QPushButton::clicked, this, [this] { selectPlace(); });
    auto* observerBox = new QGroupBox(QStringLiteral("&Observer"), this);
    auto* place = new QGridLayout(observerBox);
    place->addWidget(new QLabel(QStringLiteral("Longitude:"), this), 0, 0);
    place->addWidget(longitude, 0, 1);
    place->addWidget(new QLabel(QStringLiteral("Latitude:"), this), 1, 0);
    place->addWidget(latitude, 1, 1);
    place->addWidget(new QLabel(QStringLiteral("Time zone:"), this), 2, 0);
    place->addWidget(timeZone, 2, 1);
    place->addWidget(daylightSaving, 3, 0, 1, 2);
    place->addWidget(select, 4, 1, Qt::AlignRight);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(modeBox);
    boxes->addWidget(observerBox, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(span);
    layout->addLayout(boxes);
    layout->addLayout(okCancelHelpRow(this, helpTopic, [this] { acceptIfValid(); }));
    layout->setSizeConstraint(QLayout::SetFixedSize);
  }

  void showHeader(const GraphHeader& h) {
    auto* kind = control<QComboBox>(timeKindId);
    for (TimeKind k : comboKinds) kind->addItem(latin1(timeKindShortName(k)));
    kind->setCurrentText(latin1(timeKindShortName(h.begin.getKind())));
    control<QLabel>(nameId)->setText(symbolText(std::string_view(h.name, strnlen(h.name, graphNameLength))));
    beginDate_.SetFrom(h.begin);
    beginTime_.SetFrom(h.begin);
    endDate_.SetFrom(h.end);
    endTime_.SetFrom(h.end);
    showPlace(h.observer.location);
    control<QCheckBox>(daylightSavingId)->setChecked(h.observer.daylightSaving);

    control<QRadioButton>(h.endDefined ? endModeId : stepModeId)->setChecked(true);
    enableMode(h.endDefined);

    control<QLineEdit>(stepId)->setText(QString::number(static_cast<int>(h.stepValue)));
    auto* unit = control<QComboBox>(stepUnitId);
    for (const char* name : unitNames) unit->addItem(latin1(name));
    unit->setCurrentIndex(static_cast<int>(h.stepUnit));
  }

  void showPlace(const LocationRecord& place) {
    control<QLineEdit>(longitudeId)->setText(symbolText(place.longitude.format()));
    control<QLineEdit>(latitudeId)->setText(symbolText(place.latitude.format()));
    control<QLineEdit>(timeZoneId)->setText(symbolText(formatTimeZone(place.timeZone, false)));
  }

  // "Step": the step and its unit; "End": the end moment.
  void enableMode(bool endDefined) {
    control<QLineEdit>(stepId)->setEnabled(!endDefined);
    control<QComboBox>(stepUnitId)->setEnabled(!endDefined);
    control<QDateEdit>(endDateId)->setEnabled(endDefined);
    control<QTimeEdit>(endTimeId)->setEnabled(endDefined);
  }

  // Only the three observer fields take the chosen place.
  void selectPlace() {
    LocationRecord place = working_.observer.location;
    if (selectLocation_(this, place)) showPlace(place);
  }

  CalculationInput input() {
    CalculationInput in;
    in.begin = working_.begin;
    beginDate_.GetDate(in.begin);
    beginTime_.GetTime(in.begin);
    in.end = working_.end;
    endDate_.GetDate(in.end);
    endTime_.GetTime(in.end);
    in.endDefined = control<QRadioButton>(endModeId)->isChecked();
    const QString kindText = control<QComboBox>(timeKindId)->currentText();
    for (TimeKind k : comboKinds) {
      if (kindText == latin1(timeKindShortName(k))) in.kind = k;
    }
    in.stepUnit = static_cast<StepUnit>(control<QComboBox>(stepUnitId)->currentIndex());
    in.stepText = symbolBytes(control<QLineEdit>(stepId)->text());
    in.longitudeText = symbolBytes(control<QLineEdit>(longitudeId)->text());
    in.latitudeText = symbolBytes(control<QLineEdit>(latitudeId)->text());
    in.timeZoneText = symbolBytes(control<QLineEdit>(timeZoneId)->text());
    in.daylightSaving = control<QCheckBox>(daylightSavingId)->isChecked();
    return in;
  }

  void acceptIfValid() {
    switch (applyCalculationInput(working_, input())) {
      case CalculationFault::None:
        accept();
        break;
      case CalculationFault::BeginNotBeforeEnd:
        ReportInvalidInput(QStringLiteral("The start date must be earlier than the end date"), this, beginDateId);
        break;
      case CalculationFault::IllegalStep:
        ReportInvalidInput(QStringLiteral("You entered an illegel step value"), this, stepId);
        break;
      case CalculationFault::DateTooLarge:
        ReportInvalidInput(QStringLiteral("The step value would cause the date to become too large"), this,
                           beginDateId);
        break;
      case CalculationFault::Longitude:
        ReportInvalidLongitude(this, longitudeId);
        break;
      case CalculationFault::Latitude:
        ReportInvalidLatitude(this, latitudeId);
        break;
      case CalculationFault::TimeZone:
        ReportInvalidTimeZone(this, timeZoneId);
        break;
    }
  }

  GraphHeader working_;
  LocationChooser selectLocation_;
  DatePickerBinding beginDate_;
  DatePickerBinding beginTime_;
  DatePickerBinding endDate_;
  DatePickerBinding endTime_;
};

}  // namespace

bool runCalculateDialog(QWidget* owner, GraphDocument& document, const Observer& programObserver,
                        const LocationChooser& selectLocation) {
  CalculateGraphDialog dialog(owner, document.header, programObserver, selectLocation);
  if (dialog.exec() != QDialog::Accepted) return false;
  document.header = dialog.working();
  WaitBegin(QStringLiteral("Calculate Graph"), QStringLiteral("Calculating graph..."));
  finishCalculation(document, [](int percent) { WaitProgress(percent); });
  WaitEnd();
  return true;
}

}  // namespace noctavo
