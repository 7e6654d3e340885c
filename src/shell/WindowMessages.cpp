#include "shell/WindowMessages.h"

#include <QCoreApplication>

#include "time/InternalError.h"

namespace noctavo {

void registerWindowMessages() {
  static const int messages[] = {UM_OPTIONS_CHANGED, UM_LAYOUT,    UM_DISPLAY_OBJECT, UM_TIME_STEP,
                                 UM_DST_SET,         UM_OBSERVER_SET, UM_TIMEBAR_CHANGED, UM_FIT_TOGGLE,
                                 UM_FIT_CHECK,       UM_SHOW,      UM_HIDE,           UM_TOGGLE_MOON,
                                 UM_GRAPH_NEW,       UM_COMMAND};
  static bool registered = false;
  if (registered) return;
  registered = true;
  for (int message : messages) {
    // Qt hands out the hint itself when it is free; anything else means a
    // number is taken twice in this process.
    if (QEvent::registerEventType(message) != message) NOCTAVO_INTERNAL_ERROR("AST");
  }
}

bool sendMessage(QObject* receiver, int message, qintptr wParam, qintptr lParam) {
  if (!receiver) return false;
  WindowMessage event(message, wParam, lParam);
  return QCoreApplication::sendEvent(receiver, &event);
}

void postMessage(QObject* receiver, int message, qintptr wParam, qintptr lParam) {
  if (!receiver) return;
  QCoreApplication::postEvent(receiver, new WindowMessage(message, wParam, lParam));
}

}  // namespace noctavo
