#include "ui/InputErrors.h"

#include <QApplication>
#include <QWidget>

#include "ui/AppMessageBox.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "astdted";

}  // namespace

void ReportInvalidInput(const QString& text, QWidget* dialog, int controlId) {
  QWidget* control = NOCTAVO_CONTROL(QWidget, dialog, controlId, moduleName);
  QApplication::beep();
  AppMessageBox(text, dialog, MsgSeverity::Error, MsgButtons::Ok);
  if (!control) return;
  // Back in the field's window, whether or not the desktop gave it back the
  // activation when the message closed.
  control->activateWindow();
  control->setFocus(Qt::OtherFocusReason);
}

void ReportInvalidAngle(QWidget* dialog, int controlId) {
  ReportInvalidInput(QStringLiteral("You entered an invalid angle"), dialog, controlId);
}

void ReportInvalidDayNumber(QWidget* dialog, int controlId) {
  ReportInvalidInput(QStringLiteral("You entered an invalid day number"), dialog, controlId);
}

void ReportInvalidJulianDay(QWidget* dialog, int controlId) {
  ReportInvalidInput(QStringLiteral("You entered an invalid Julian Day number"), dialog, controlId);
}

void ReportInvalidLatitude(QWidget* dialog, int controlId) {
  ReportInvalidInput(QStringLiteral("You entered an invalid latitude"), dialog, controlId);
}

void ReportInvalidLongitude(QWidget* dialog, int controlId) {
  ReportInvalidInput(QStringLiteral("You entered an invalid longitude"), dialog, controlId);
}

void ReportInvalidTimeZone(QWidget* dialog, int controlId) {
  ReportInvalidInput(QStringLiteral("You entered an invalid time zone"), dialog, controlId);
}

}  // namespace noctavo
