#pragma once

#include <QString>

class QWidget;

namespace noctavo {

// A mistyped field: a beep, the message (severity Error, button OK, owned by
// the dialog), then the keyboard focus goes back to the field so that the
// user can correct it. The field is named by its control id; a dialog
// without that control is an internal error (the message is still shown).
void ReportInvalidAngle(QWidget* dialog, int controlId);       // "You entered an invalid angle"
void ReportInvalidDayNumber(QWidget* dialog, int controlId);   // "... invalid day number"
void ReportInvalidJulianDay(QWidget* dialog, int controlId);   // "... invalid Julian Day number"
void ReportInvalidLatitude(QWidget* dialog, int controlId);    // "... invalid latitude"
void ReportInvalidLongitude(QWidget* dialog, int controlId);   // "... invalid longitude"
void ReportInvalidTimeZone(QWidget* dialog, int controlId);    // "... invalid time zone"
void ReportInvalidInput(const QString& text, QWidget* dialog, int controlId);

}  // namespace noctavo
