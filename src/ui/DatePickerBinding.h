#pragma once

#include <QPointer>

#include "time/AstDateTime.h"

class QDateTimeEdit;
class QWidget;

namespace noctavo {

// Ties a date or time picker of a dialog (a QDateTimeEdit, QDateEdit or
// QTimeEdit) to the program's AstDateTime. The picker offers 1 January 1753
// 00:00:00.000 to 31 December 3000 23:59:59.999. A binding lives as long as
// its dialog and is attached to its control; it is not copied.
class DatePickerBinding {
 public:
  DatePickerBinding() = default;
  DatePickerBinding(const DatePickerBinding&) = delete;
  DatePickerBinding& operator=(const DatePickerBinding&) = delete;
  ~DatePickerBinding();

  // Finds the control, limits its range and attaches to it. A missing
  // control or one that already has a binding is an internal error; false
  // then.
  bool Bind(QWidget* dialog, int controlId);

  // Shows year, month, day, hour, minute and second of the moment. A moment
  // outside the picker's range shows the nearest end of the range; an
  // invalid moment leaves the picker as it is.
  void SetFrom(const AstDateTime& dateTime);
  // Day, month and year of the picker into `out`; its time stays.
  void GetDate(AstDateTime& out);
  // Hour, minute and second of the picker into `out`; its date stays.
  void GetTime(AstDateTime& out);

  // The binding's own moment: 1.1.1753 00:00 local civil time until the
  // picker has been set or read.
  const AstDateTime& dateTime() const { return dateTime_; }
  QDateTimeEdit* control() const { return control_; }

  // The binding attached to a picker, or null.
  static DatePickerBinding* of(const QWidget* control);

 private:
  QPointer<QDateTimeEdit> control_;
  AstDateTime dateTime_{1, 1, 1753, 0.0, TimeKind::Lct};
};

}  // namespace noctavo
