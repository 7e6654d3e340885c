#include "frame/WindowMessages.h"

#include <QCoreApplication>

#include "time/InternalError.h"
#include "time/Observer.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST";

// The only place a pointer becomes a message parameter and back.
qintptr pointerParameter(const void* pointer) { return static_cast<qintptr>(reinterpret_cast<quintptr>(pointer)); }

template <class T>
const T* pointerOf(qintptr parameter) {
  return reinterpret_cast<const T*>(static_cast<quintptr>(parameter));
}

// A reader given another message than its own has been called in the wrong
// place: its parameters mean something else.
bool isMessage(const WindowMessage& message, int expected) {
  if (message.message() == expected) return true;
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return false;
}

}  // namespace

const WindowMessage* asWindowMessage(const QEvent* event) { return dynamic_cast<const WindowMessage*>(event); }

void registerWindowMessages() {
  static const int messages[] = {
      UM_OPTIONS_CHANGED, UM_LAYOUT,          UM_DISPLAY_OBJECT,           UM_TIME_STEP,       UM_DST_SET,
      UM_OBSERVER_SET,    UM_TIMEBAR_CHANGED, UM_PICTURE_SELECT,           UM_PICTURE_DISPLAY_SELECTED,
      UM_PICTURE_DISPLAY, UM_FIT_TOGGLE,      UM_FIT_CHECK,                UM_SHOW,            UM_HIDE,
      UM_TOGGLE_MOON,     UM_GRAPH_NEW,       UM_COMMAND};
  static bool registered = false;
  if (registered) return;
  registered = true;
  for (int message : messages) {
    // Qt hands out the hint itself when it is free; anything else means a
    // number is taken twice in this process.
    if (QEvent::registerEventType(message) != message) NOCTAVO_INTERNAL_ERROR(moduleName);
  }
}

// ---- Sending ----------------------------------------------------------------

bool sendMessage(QObject* receiver, int message, qintptr wParam, qintptr lParam) {
  if (!receiver) return false;
  WindowMessage event(message, wParam, lParam);
  return QCoreApplication::sendEvent(receiver, &event);
}

bool sendOptionsChanged(QObject* receiver) { return sendMessage(receiver, UM_OPTIONS_CHANGED); }
bool sendLayout(QObject* receiver) { return sendMessage(receiver, UM_LAYOUT); }

bool sendDisplayObject(QObject* receiver, const AstBody& object, bool activate) {
  return sendMessage(receiver, UM_DISPLAY_OBJECT, activate ? 1 : 0, pointerParameter(&object));
}

bool sendTimeStep(QObject* receiver, int minutes) { return sendMessage(receiver, UM_TIME_STEP, minutes); }

bool sendDstSet(QObject* receiver, bool daylightSaving, const AstDateTime& moment) {
  return sendMessage(receiver, UM_DST_SET, daylightSaving ? 1 : 0, pointerParameter(&moment));
}

bool sendObserverSet(QObject* receiver, const Observer& observer) {
  return sendMessage(receiver, UM_OBSERVER_SET, 0, pointerParameter(&observer));
}

bool sendFitToggle(QObject* receiver) { return sendMessage(receiver, UM_FIT_TOGGLE); }
bool sendFitCheck(QObject* receiver, bool checked) { return sendMessage(receiver, UM_FIT_CHECK, checked ? 1 : 0); }
bool sendShow(QObject* receiver) { return sendMessage(receiver, UM_SHOW); }
bool sendHide(QObject* receiver) { return sendMessage(receiver, UM_HIDE); }
bool sendToggleMoon(QObject* receiver) { return sendMessage(receiver, UM_TOGGLE_MOON); }
bool sendGraphNew(QObject* receiver) { return sendMessage(receiver, UM_GRAPH_NEW); }

bool sendPictureMessage(QObject* receiver, int message, int entry) {
  if (message != UM_PICTURE_SELECT && message != UM_PICTURE_DISPLAY_SELECTED && message != UM_PICTURE_DISPLAY) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return false;
  }
  return sendMessage(receiver, message, entry);
}

bool sendCommand(QObject* receiver, int commandId, bool fromMenu) {
  return sendMessage(receiver, UM_COMMAND, commandId, fromMenu ? 1 : 0);
}

bool forwardMessage(QObject* receiver, const WindowMessage& message) {
  return sendMessage(receiver, message.message(), message.wParam(), message.lParam());
}

// ---- Reading ----------------------------------------------------------------

DisplayObjectMessage readDisplayObject(const WindowMessage& message) {
  if (!isMessage(message, UM_DISPLAY_OBJECT)) return {nullptr, false};
  return {pointerOf<AstBody>(message.lParam()), message.wParam() != 0};
}

int readTimeStepMinutes(const WindowMessage& message) {
  return isMessage(message, UM_TIME_STEP) ? static_cast<int>(message.wParam()) : 0;
}

DstSetMessage readDstSet(const WindowMessage& message) {
  if (!isMessage(message, UM_DST_SET)) return {false, nullptr};
  return {message.wParam() != 0, pointerOf<AstDateTime>(message.lParam())};
}

const Observer* readObserverSet(const WindowMessage& message) {
  return isMessage(message, UM_OBSERVER_SET) ? pointerOf<Observer>(message.lParam()) : nullptr;
}

bool followObserver(const WindowMessage& message, Observer& observer) {
  switch (message.message()) {
    case UM_TIME_STEP:
      observer.dateTime.addMinutes(readTimeStepMinutes(message));
      return true;
    case UM_DST_SET: {
      const DstSetMessage dst = readDstSet(message);
      observer.daylightSaving = dst.daylightSaving;
      if (dst.moment) observer.dateTime = *dst.moment;
      return true;
    }
    case UM_OBSERVER_SET:
      if (const Observer* given = readObserverSet(message)) observer = *given;
      return true;
    default:
      return false;
  }
}

bool readFitCheck(const WindowMessage& message) { return isMessage(message, UM_FIT_CHECK) && message.wParam() != 0; }

int readPictureEntry(const WindowMessage& message) {
  if (message.message() == UM_PICTURE_SELECT || message.message() == UM_PICTURE_DISPLAY) {
    return static_cast<int>(message.wParam());
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return -1;
}

CommandMessage readCommand(const WindowMessage& message) {
  if (!isMessage(message, UM_COMMAND)) return {0, false};
  return {static_cast<int>(message.wParam()), message.lParam() != 0};
}

}  // namespace noctavo
