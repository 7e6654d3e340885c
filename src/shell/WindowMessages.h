#pragma once

#include <QEvent>
#include <QtGlobal>

class QObject;

namespace noctavo {

// The program's own window messages. The numbers are fixed: every window
// that receives one gives it the same meaning. They travel as QEvents whose
// type is the message number, with the two message parameters.
constexpr int UM_OPTIONS_CHANGED = 1026;  // appearance options changed; redraw
constexpr int UM_LAYOUT = 1031;           // lay out the children again
constexpr int UM_DISPLAY_OBJECT = 1032;   // wParam activate flag, lParam const AstBody*
constexpr int UM_TIME_STEP = 1036;        // wParam minutes (signed)
constexpr int UM_DST_SET = 1037;          // wParam new DST flag, lParam const AstDateTime*
constexpr int UM_OBSERVER_SET = 1038;     // lParam const Observer*
constexpr int UM_TIMEBAR_CHANGED = 1039;  // lParam the TimeBar
constexpr int UM_FIT_TOGGLE = 1047;
constexpr int UM_FIT_CHECK = 1048;        // wParam 1 = check, 0 = uncheck
constexpr int UM_SHOW = 1124;
constexpr int UM_HIDE = 1125;
constexpr int UM_TOGGLE_MOON = 1126;
constexpr int UM_GRAPH_NEW = 1127;
// A main-menu command the frame hands to the window that carries it out:
// wParam the command id, lParam as the command table gives it (1 for the
// Sky window's map and grid commands, else 0). The number is the platform's
// command message (0x0111) above the program's base of 1024.
constexpr int UM_COMMAND = 1024 + 0x0111;

class WindowMessage : public QEvent {
 public:
  WindowMessage(int message, qintptr wParam = 0, qintptr lParam = 0)
      : QEvent(static_cast<QEvent::Type>(message)), wParam_(wParam), lParam_(lParam) {}

  int message() const { return static_cast<int>(type()); }
  qintptr wParam() const { return wParam_; }
  qintptr lParam() const { return lParam_; }
  // lParam as the pointer the sender passed.
  template <class T>
  T* pointer() const {
    return reinterpret_cast<T*>(lParam_);
  }

 private:
  qintptr wParam_;
  qintptr lParam_;
};

// Reserves the message numbers with Qt so that no other part of the process
// takes them for its own events. Called once at start.
void registerWindowMessages();

// Delivers at once (the receiver has handled it on return) and returns
// whether the receiver's event handler took it (returned true).
bool sendMessage(QObject* receiver, int message, qintptr wParam = 0, qintptr lParam = 0);
// Queues for the event loop. Never post a pointer whose target may be gone
// by the time the message arrives.
void postMessage(QObject* receiver, int message, qintptr wParam = 0, qintptr lParam = 0);

// Pointer parameters.
template <class T>
qintptr pointerParam(T* pointer) {
  return reinterpret_cast<qintptr>(pointer);
}

}  // namespace noctavo
