#pragma once

#include <QWidget>

namespace noctavo {

// Every control of a dialog carries the numeric id that the program's
// commands, help topics and settings use for it, as the property
// "controlId". One lookup finds it; a missing control is a broken invariant.
constexpr const char* controlIdProperty = "controlId";

void setControlId(QWidget* control, int controlId);
int controlIdOf(const QWidget* control);  // -1 when it has none

// The control, given its id: a control is made and numbered in one expression.
template <class Control>
Control* withId(Control* control, int controlId) {
  setControlId(control, controlId);
  return control;
}

// The first descendant of `dialog` with this id, or null.
QWidget* findControlOrNull(const QWidget* dialog, int controlId);

// The control with this id, of type T. A missing control, or one of another
// type, is an internal error reported with the caller's module and line,
// and gives null.
QWidget* findControlChecked(const QWidget* dialog, int controlId, const char* module, int line);

void reportWrongControlType(const char* module, int line);

template <class T>
T* findControl(const QWidget* dialog, int controlId, const char* module, int line) {
  QWidget* found = findControlChecked(dialog, controlId, module, line);
  if (!found) return nullptr;
  T* control = qobject_cast<T*>(found);
  if (!control) reportWrongControlType(module, line);
  return control;
}

}  // namespace noctavo

// The usual form: the module name of the calling source and its line.
#define NOCTAVO_CONTROL(Type, dialog, id, module) \
  ::noctavo::findControl<Type>((dialog), (id), (module), __LINE__)
