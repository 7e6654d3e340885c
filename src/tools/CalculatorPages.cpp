#include "tools/CalculatorPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>

#include "shell/Options.h"
#include "time/AstCoord.h"
#include "time/InternalError.h"
#include "time/TimeSystems.h"
#include "ui/DatePickerBinding.h"
#include "ui/DialogControls.h"
#include "ui/InputErrors.h"
#include "ui/LocationDialog.h"
#include "ui/SymbolFont.h"

namespace noctavo {

namespace {

namespace id = calculator_control;

constexpr const char* moduleName = "astcalc";

constexpr TimeKind timeKinds[] = {TimeKind::Gmt, TimeKind::Gst, TimeKind::Lct, TimeKind::Lst};
constexpr CoordSystem coordSystems[] = {CoordSystem::Equatorial, CoordSystem::Ecliptical, CoordSystem::Horizontal,
                                        CoordSystem::Galactic};

// The first angle of a position may be a right ascension typed in hours or
// an azimuth up to a full turn; the second never leaves -90..90.
constexpr int firstAngleLimit = 360;
constexpr int secondAngleLimit = 90;

// The date pickers begin on 1 January 1753: a Julian Day before it could
// not be shown in them.
constexpr double firstPickerJulianDay = 2361330.5;

constexpr double secondsPerHour = 3600.0;
constexpr int secondsPerDay = 86400;

// ------------------------------------------------------------- the fields

template <class T>
T* pageControl(const QWidget* page, int controlId) {
  return findControl<T>(page, controlId, moduleName, __LINE__);
}

QString controlText(const QWidget* page, int controlId) {
  if (auto* edit = pageControl<QLineEdit>(page, controlId)) return edit->text();
  return QString();
}

void setLabel(const QWidget* page, int controlId, const std::string& bytes) {
  if (auto* label = pageControl<QLabel>(page, controlId)) label->setText(symbolText(bytes));
}

// Each reader lets the field say what is wrong with it, and then false.
bool readLongitude(QWidget* page, double& out) {
  AstLongitude longitude;
  if (!longitude.parse(symbolBytes(controlText(page, id::longitude)))) {
    ReportInvalidLongitude(page, id::longitude);
    return false;
  }
  out = longitude.get();
  return true;
}

bool readLatitude(QWidget* page, double& out) {
  AstLatitude latitude;
  if (!latitude.parse(symbolBytes(controlText(page, id::latitude)))) {
    ReportInvalidLatitude(page, id::latitude);
    return false;
  }
  out = latitude.get();
  return true;
}

bool readTimeZone(QWidget* page, float& out) {
  if (!parseTimeZone(symbolBytes(controlText(page, id::timeZone)), out)) {
    ReportInvalidTimeZone(page, id::timeZone);
    return false;
  }
  return true;
}

bool readAngle(QWidget* page, int controlId, int limit, double& out) {
  if (!parseAngle(symbolBytes(controlText(page, controlId)), limit, out)) {
    ReportInvalidAngle(page, controlId);
    return false;
  }
  return true;
}

QLineEdit* lineEdit(QWidget* parent, int controlId, const std::string& bytes) {
  return withId(new QLineEdit(symbolText(bytes), parent), controlId);
}

// An output looks like a field that cannot be typed into.
QLabel* output(QWidget* parent, int controlId) {
  auto* label = withId(new QLabel(parent), controlId);
  label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  label->setMargin(2);
  label->setMinimumWidth(120);
  label->setMinimumHeight(QLineEdit().sizeHint().height());
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QLabel* buddyLabel(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

QComboBox* kindList(QWidget* parent, int controlId) {
  auto* list = withId(new QComboBox(parent), controlId);
  for (TimeKind kind : timeKinds) list->addItem(QString::fromLatin1(timeKindLongName(kind)));
  list->setCurrentText(QString::fromLatin1(timeKindLongName(TimeKind::Lct)));
  return list;
}

TimeKind chosenKind(const QWidget* page, int controlId) {
  auto* list = pageControl<QComboBox>(page, controlId);
  const int index = list ? list->currentIndex() : -1;
  return index >= 0 && index < 4 ? timeKinds[index] : TimeKind::None;
}

QComboBox* systemList(QWidget* parent, int controlId) {
  auto* list = withId(new QComboBox(parent), controlId);
  for (CoordSystem system : coordSystems) list->addItem(QString::fromLatin1(coordSystemLongName(system)));
  list->setCurrentIndex(0);
  return list;
}

CoordSystem chosenSystem(const QWidget* page, int controlId) {
  auto* list = pageControl<QComboBox>(page, controlId);
  const int index = list ? list->currentIndex() : -1;
  return index >= 0 && index < 4 ? coordSystems[index] : CoordSystem::None;
}

// A moment to the nearest whole second, the carry into the next day
// included: the pickers show whole seconds, and 11:59:59.9999 is noon.
AstDateTime roundedToSecond(AstDateTime moment) {
  const long seconds = std::lround(moment.getHours() * secondsPerHour);
  if (seconds >= secondsPerDay) {
    moment.setHours(0.0);
    moment.addDays(1);
  } else {
    moment.setHours(static_cast<double>(seconds) / secondsPerHour);
  }
  return moment;
}

// The date and time pickers every page has.
class MomentPickers {
 public:
  void build(QWidget* page) {
    date_ = withId(new QDateEdit(page), id::date);
    date_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date_->setCalendarPopup(true);
    time_ = withId(new QTimeEdit(page), id::time);
    time_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    dateBinding_.Bind(page, id::date);
    timeBinding_.Bind(page, id::time);
  }
  void show(const AstDateTime& moment) {
    dateBinding_.SetFrom(moment);
    timeBinding_.SetFrom(moment);
  }
  AstDateTime read(TimeKind kind) {
    AstDateTime moment(kind);
    dateBinding_.GetDate(moment);
    timeBinding_.GetTime(moment);
    return moment;
  }
  QDateEdit* date() const { return date_; }
  QTimeEdit* time() const { return time_; }

 private:
  QDateEdit* date_ = nullptr;
  QTimeEdit* time_ = nullptr;
  DatePickerBinding dateBinding_;
  DatePickerBinding timeBinding_;
};

// "&Location": longitude, (latitude,) time zone and "Select...", filled from
// the observer; "Select..." takes a place from Select Location without
// changing the observer's own.
QGroupBox* locationGroup(QWidget* page, bool withLatitude) {
  const LocationRecord& place = observer().location;
  auto* box = new QGroupBox(QStringLiteral("&Location"), page);
  auto* grid = new QGridLayout(box);
  auto* longitude = lineEdit(box, id::longitude, place.longitude.format());
  grid->addWidget(buddyLabel(box, QStringLiteral("Longitude:"), longitude), 0, 0);
  grid->addWidget(longitude, 0, 1);
  int row = 1;
  if (withLatitude) {
    auto* latitude = lineEdit(box, id::latitude, place.latitude.format());
    grid->addWidget(buddyLabel(box, QStringLiteral("Latutude:"), latitude), row, 0);
    grid->addWidget(latitude, row++, 1);
  }
  auto* timeZone = lineEdit(box, id::timeZone, formatTimeZone(place.timeZone, false));
  grid->addWidget(buddyLabel(box, QStringLiteral("Time zone:"), timeZone), row, 0);
  grid->addWidget(timeZone, row++, 1);
  auto* select = withId(new QPushButton(QStringLiteral("Select..."), box), id::select);
  grid->addWidget(select, row, 1, Qt::AlignRight);
  QObject::connect(select, &QPushButton::clicked, page, [page, withLatitude] {
    Options copy = options();
    LocationRecord chosen = observer().location;
    if (!LocationDialog(page, chosen, copy.listLocation, copy.userLocation, copy.useUserLocation)) return;
    pageControl<QLineEdit>(page, id::longitude)->setText(symbolText(chosen.longitude.format()));
    if (withLatitude) pageControl<QLineEdit>(page, id::latitude)->setText(symbolText(chosen.latitude.format()));
    pageControl<QLineEdit>(page, id::timeZone)->setText(symbolText(formatTimeZone(chosen.timeZone, false)));
  });
  return box;
}

// ------------------------------------------------------------- Calendar

class CalendarPage : public CalculatorPage {
 public:
  explicit CalendarPage(QWidget* parent) : CalculatorPage(parent) {
    pickers_.build(this);
    julianDay_ = withId(new QLineEdit(this), id::julianDay);
    dayNumber_ = withId(new QLineEdit(this), id::dayNumber);
    auto* grid = new QGridLayout(this);
    grid->addWidget(buddyLabel(this, QStringLiteral("&Date:"), pickers_.date()), 0, 0);
    grid->addWidget(pickers_.date(), 0, 1);
    grid->addWidget(buddyLabel(this, QStringLiteral("&Time:"), pickers_.time()), 1, 0);
    grid->addWidget(pickers_.time(), 1, 1);
    grid->addWidget(buddyLabel(this, QStringLiteral("&Julian Day:"), julianDay_), 2, 0);
    grid->addWidget(julianDay_, 2, 1);
    grid->addWidget(buddyLabel(this, QStringLiteral("Day &number:"), dayNumber_), 3, 0);
    grid->addWidget(dayNumber_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Weekday:"), this), 4, 0);
    grid->addWidget(output(this, id::weekday), 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Leap year:"), this), 5, 0);
    grid->addWidget(output(this, id::leapYear), 5, 1);
    grid->addWidget(new QLabel(QStringLiteral("Easter:"), this), 6, 0);
    grid->addWidget(output(this, id::easter), 6, 1);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(2, 1);

    pickers_.show(observer().dateTime);
    connect(pickers_.date(), &QDateEdit::dateChanged, this, [this] { pickersChanged_ = true; });
    connect(pickers_.time(), &QTimeEdit::timeChanged, this, [this] { pickersChanged_ = true; });
    connect(julianDay_, &QLineEdit::textEdited, this, [this] { julianDayEdited_ = true; });
    connect(dayNumber_, &QLineEdit::textEdited, this, [this] { dayNumberEdited_ = true; });
    pickersChanged_ = true;
  }

  void calculate() override {
    AstDateTime moment = pickers_.read(TimeKind::Gmt);
    if (pickersChanged_) {
      showJulianDay(moment);
      showDayNumber(moment);
    } else if (julianDayEdited_) {
      AstJulianDay jd;
      // The Julian Day is taken from 1 January 1583; the pickers show no
      // day before 1 January 1753, so neither is taken here.
      if (!jd.parse(symbolBytes(julianDay_->text())) || jd.value() < firstPickerJulianDay) {
        ReportInvalidJulianDay(this, id::julianDay);
        return;
      }
      moment.setFromJulianDay(jd);
      moment = roundedToSecond(moment);
      showInPickers(moment);
      showDayNumber(moment);
    } else if (dayNumberEdited_) {
      int dayNumber = 0;
      if (!moment.parseDayOfYear(symbolBytes(dayNumber_->text()), dayNumber)) {
        ReportInvalidDayNumber(this, id::dayNumber);
        return;
      }
      moment.setFromDayOfYear(dayNumber);
      showInPickers(moment);
      showJulianDay(moment);
    } else {
      return;
    }
    pickersChanged_ = julianDayEdited_ = dayNumberEdited_ = false;
    setLabel(this, id::weekday, weekdayName(moment.weekday()));
    setLabel(this, id::leapYear, moment.isLeapYear() ? "Yes" : "No");
    AstDateTime easter = moment;
    easter.setEaster();
    setLabel(this, id::easter, easter.formatDate());
  }

 private:
  void showJulianDay(const AstDateTime& moment) { julianDay_->setText(symbolText(moment.toJulianDay().format())); }
  void showDayNumber(const AstDateTime& moment) { dayNumber_->setText(QString::number(moment.dayOfYear())); }
  void showInPickers(const AstDateTime& moment) {
    const QSignalBlocker quietDate(pickers_.date());
    const QSignalBlocker quietTime(pickers_.time());
    pickers_.show(moment);
  }

  MomentPickers pickers_;
  QLineEdit* julianDay_ = nullptr;
  QLineEdit* dayNumber_ = nullptr;
  bool pickersChanged_ = false;
  bool julianDayEdited_ = false;
  bool dayNumberEdited_ = false;
};

// ----------------------------------------------------------------- Time

// "&Source time" / the source moment of the Time and Coordinates pages:
// pickers, time kind and daylight saving time, from the observer.
QGroupBox* momentGroup(QWidget* page, const QString& title, MomentPickers& pickers) {
  auto* box = new QGroupBox(title, page);
  pickers.build(page);
  auto* kind = kindList(box, id::sourceKind);
  auto* daylightSaving = withId(new QCheckBox(QStringLiteral("Daylight saving time"), box), id::daylightSaving);
  daylightSaving->setChecked(observer().daylightSaving);
  auto* grid = new QGridLayout(box);
  grid->addWidget(buddyLabel(box, QStringLiteral("&Date:"), pickers.date()), 0, 0);
  grid->addWidget(pickers.date(), 0, 1);
  grid->addWidget(buddyLabel(box, QStringLiteral("&Time:"), pickers.time()), 1, 0);
  grid->addWidget(pickers.time(), 1, 1);
  grid->addWidget(kind, 2, 0, 1, 2);
  grid->addWidget(daylightSaving, 3, 0, 1, 2);
  pickers.show(observer().dateTime);
  return box;
}

class TimePage : public CalculatorPage {
 public:
  explicit TimePage(QWidget* parent) : CalculatorPage(parent) {
    auto* source = momentGroup(this, QStringLiteral("&Source time"), pickers_);
    auto* destination = new QGroupBox(QStringLiteral("&Destination time"), this);
    auto* destinationKind = kindList(destination, id::destinationKind);
    auto* destinationGrid = new QVBoxLayout(destination);
    destinationGrid->addWidget(output(destination, id::destinationTime));
    destinationGrid->addWidget(destinationKind);
    destinationGrid->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(source);
    top->addWidget(destination);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(locationGroup(this, false));
    column->addStretch();
    connect(destinationKind, &QComboBox::activated, this, [this] { calculate(); });
  }

  void calculate() override {
    double longitude = 0.0;
    float timeZone = 0.0f;
    if (!readLongitude(this, longitude) || !readTimeZone(this, timeZone)) return;
    AstDateTime moment = pickers_.read(chosenKind(this, id::sourceKind));
    const bool daylightSaving = pageControl<QCheckBox>(this, id::daylightSaving)->isChecked();
    convertTime(moment, chosenKind(this, id::destinationKind), longitude, timeZone, daylightSaving);
    // Only the time: a change of date is not shown.
    setLabel(this, id::destinationTime, moment.formatTime());
  }

 private:
  MomentPickers pickers_;
};

// ---------------------------------------------------------- Coordinates

class CoordinatesPage : public CalculatorPage {
 public:
  explicit CoordinatesPage(QWidget* parent) : CalculatorPage(parent) {
    auto* source = new QGroupBox(QStringLiteral("&Source coordinates"), this);
    auto* sourceSystemList = systemList(source, id::sourceSystem);
    auto* first = lineEdit(source, id::sourceAngle1, formatAngle(0.0, true));
    auto* second = lineEdit(source, id::sourceAngle2, formatAngle(0.0, false));
    auto* sourceGrid = new QGridLayout(source);
    sourceGrid->addWidget(sourceSystemList, 0, 0, 1, 2);
    sourceGrid->addWidget(withId(new QLabel(source), id::sourceLabel1), 1, 0);
    sourceGrid->addWidget(first, 1, 1);
    sourceGrid->addWidget(withId(new QLabel(source), id::sourceLabel2), 2, 0);
    sourceGrid->addWidget(second, 2, 1);

    auto* destination = new QGroupBox(QStringLiteral("&Destination coordinates"), this);
    auto* destinationSystemList = systemList(destination, id::destinationSystem);
    auto* destinationGrid = new QGridLayout(destination);
    destinationGrid->addWidget(destinationSystemList, 0, 0, 1, 2);
    destinationGrid->addWidget(withId(new QLabel(destination), id::destinationLabel1), 1, 0);
    destinationGrid->addWidget(output(destination, id::destinationAngle1), 1, 1);
    destinationGrid->addWidget(withId(new QLabel(destination), id::destinationLabel2), 2, 0);
    destinationGrid->addWidget(output(destination, id::destinationAngle2), 2, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(source);
    top->addWidget(destination);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(momentGroup(this, QStringLiteral("&Time"), pickers_));
    bottom->addWidget(locationGroup(this, true));
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addLayout(bottom);
    column->addStretch();

    relabel(id::sourceSystem, id::sourceLabel1, id::sourceLabel2);
    relabel(id::destinationSystem, id::destinationLabel1, id::destinationLabel2);
    connect(sourceSystemList, &QComboBox::currentIndexChanged, this,
            [this] { relabel(id::sourceSystem, id::sourceLabel1, id::sourceLabel2); });
    connect(destinationSystemList, &QComboBox::currentIndexChanged, this, [this] {
      relabel(id::destinationSystem, id::destinationLabel1, id::destinationLabel2);
      calculate();
    });
  }

  void calculate() override {
    double first = 0.0;
    double second = 0.0;
    double longitude = 0.0;
    double latitude = 0.0;
    float timeZone = 0.0f;
    if (!readAngle(this, id::sourceAngle1, firstAngleLimit, first) ||
        !readAngle(this, id::sourceAngle2, secondAngleLimit, second) || !readLongitude(this, longitude) ||
        !readLatitude(this, latitude) || !readTimeZone(this, timeZone)) {
      return;
    }
    Observer place;
    place.dateTime = pickers_.read(chosenKind(this, id::sourceKind));
    place.location.longitude.set(longitude);
    place.location.latitude.set(latitude);
    place.location.timeZone = timeZone;
    place.daylightSaving = pageControl<QCheckBox>(this, id::daylightSaving)->isChecked();

    const CoordSystem target = chosenSystem(this, id::destinationSystem);
    AstCoord position(normalizedFirst(first), second, chosenSystem(this, id::sourceSystem));
    convertCoord(position, target, place);
    setLabel(this, id::destinationAngle1, formatAngle(position.a(), target == CoordSystem::Equatorial));
    setLabel(this, id::destinationAngle2, formatAngle(position.b(), false));
  }

 private:
  // A first angle typed as -10 is 350: the conversions take angles of a
  // full turn.
  static double normalizedFirst(double degrees) {
    normalizeAngle(degrees);
    return degrees;
  }

  void relabel(int listId, int firstLabelId, int secondLabelId) {
    const CoordSystem system = chosenSystem(this, listId);
    setLabel(this, firstLabelId, std::string(coordSystemFirstAngleName(system)) + ":");
    setLabel(this, secondLabelId, std::string(coordSystemSecondAngleName(system)) + ":");
  }

  MomentPickers pickers_;
};

}  // namespace

CalculatorPage* makeCalculatorPage(int tab, QWidget* parent, bool calculate) {
  CalculatorPage* page = nullptr;
  switch (tab) {
    case AstroCalculator::Calendar:
      page = new CalendarPage(parent);
      break;
    case AstroCalculator::Time:
      page = new TimePage(parent);
      break;
    case AstroCalculator::Coordinates:
      page = new CoordinatesPage(parent);
      break;
    default:
      NOCTAVO_INTERNAL_ERROR(moduleName);
      return nullptr;
  }
  if (calculate) page->calculate();
  return page;
}

}  // namespace noctavo
