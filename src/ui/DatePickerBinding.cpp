#include "ui/DatePickerBinding.h"

#include <QDateTimeEdit>
#include <QTimeZone>
#include <QVariant>

#include <algorithm>

#include "time/InternalError.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "astdted";
constexpr const char* bindingProperty = "datePickerBinding";

// The picker's range. The times are wall-clock values of the program's own
// time systems, so the control counts in UTC: local daylight-saving gaps of
// the computer must not move them.
QDateTime firstMoment() { return QDateTime(QDate(1753, 1, 1), QTime(0, 0, 0, 0), QTimeZone::utc()); }
QDateTime lastMoment() { return QDateTime(QDate(3000, 12, 31), QTime(23, 59, 59, 999), QTimeZone::utc()); }

}  // namespace

DatePickerBinding::~DatePickerBinding() {
  if (control_ && of(control_) == this) control_->setProperty(bindingProperty, QVariant());
}

DatePickerBinding* DatePickerBinding::of(const QWidget* control) {
  if (!control) return nullptr;
  const QVariant value = control->property(bindingProperty);
  return value.isValid() ? reinterpret_cast<DatePickerBinding*>(value.value<quintptr>()) : nullptr;
}

bool DatePickerBinding::Bind(QWidget* dialog, int controlId) {
  auto* control = NOCTAVO_CONTROL(QDateTimeEdit, dialog, controlId, moduleName);
  if (!control) return false;
  control->setTimeSpec(Qt::UTC);
  control->setDateTimeRange(firstMoment(), lastMoment());
  if (control->minimumDateTime() != firstMoment() || control->maximumDateTime() != lastMoment()) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return false;
  }
  if (of(control)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return false;
  }
  control->setProperty(bindingProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
  control_ = control;
  return true;
}

void DatePickerBinding::SetFrom(const AstDateTime& dateTime) {
  if (!control_) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  if (!dateTime.isValid()) return;
  const QDate date(dateTime.getYear(), dateTime.getMonth(), dateTime.getDay());
  const QTime time(dateTime.getHour(), dateTime.getMinute(), dateTime.getSecond());
  if (!date.isValid() || !time.isValid()) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  // A moment beyond the picker's years (the program's calendar reaches
  // further) shows the nearest end instead of ending the program.
  const QDateTime moment = std::clamp(QDateTime(date, time, QTimeZone::utc()), firstMoment(), lastMoment());
  control_->setDateTime(moment);
  dateTime_ = dateTime;
}

void DatePickerBinding::GetDate(AstDateTime& out) {
  if (!control_) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  const QDate date = control_->date();
  out.setDay(date.day());
  out.setMonth(date.month());
  out.setYear(date.year());
  dateTime_.setDay(date.day());
  dateTime_.setMonth(date.month());
  dateTime_.setYear(date.year());
}

void DatePickerBinding::GetTime(AstDateTime& out) {
  if (!control_) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  const QTime time = control_->time();
  AstDateTime read(1, 1, 1753, 0.0, TimeKind::Lct);
  read.setDateTime(1, 1, 1753, time.hour(), time.minute(), time.second());
  out.setHours(read.getHours());
  dateTime_.setHours(read.getHours());
}

}  // namespace noctavo
