#include "ui/DialogControls.h"

#include <QVariant>

#include "time/InternalError.h"

namespace noctavo {

void setControlId(QWidget* control, int controlId) {
  control->setProperty(controlIdProperty, controlId);
}

int controlIdOf(const QWidget* control) {
  const QVariant id = control->property(controlIdProperty);
  return id.isValid() ? id.toInt() : -1;
}

QWidget* findControlOrNull(const QWidget* dialog, int controlId) {
  if (!dialog) return nullptr;
  const QList<QWidget*> children = dialog->findChildren<QWidget*>();
  for (QWidget* child : children) {
    if (controlIdOf(child) == controlId) return child;
  }
  return nullptr;
}

QWidget* findControlChecked(const QWidget* dialog, int controlId, const char* module, int line) {
  QWidget* control = findControlOrNull(dialog, controlId);
  if (!control) internalError(module, line);
  return control;
}

void reportWrongControlType(const char* module, int line) {
  internalError(module, line);
}

}  // namespace noctavo
