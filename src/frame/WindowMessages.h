#pragma once

#include <QEvent>
#include <QtGlobal>

class QObject;

namespace noctavo {

class AstBody;
class AstDateTime;
struct Observer;

// The program's own window messages: what crosses between the main frame
// and the windows. The numbers are fixed, and every window that receives
// one gives it the same meaning. They travel as QEvents whose type is the
// message number, with the two message parameters; the typed helpers below
// are the only place that packs a parameter into them or reads it back.
// Widgets of one window that hold typed pointers to each other call each
// other directly instead.
constexpr int UM_OPTIONS_CHANGED = 1026;  // appearance options changed; redraw
constexpr int UM_LAYOUT = 1031;           // lay out the children again
constexpr int UM_DISPLAY_OBJECT = 1032;   // wParam activate flag, lParam const AstBody*
constexpr int UM_TIME_STEP = 1036;        // wParam minutes (signed)
constexpr int UM_DST_SET = 1037;          // wParam new DST flag, lParam const AstDateTime*
constexpr int UM_OBSERVER_SET = 1038;     // lParam const Observer*
// A time bar's moment changed. The number stays reserved; the time bar
// itself reports to the panel that holds it with its momentChanged signal.
constexpr int UM_TIMEBAR_CHANGED = 1039;
// The Picture window's control panel: wParam the entry of the collection.
constexpr int UM_PICTURE_SELECT = 1044;           // select the entry in the list
constexpr int UM_PICTURE_DISPLAY_SELECTED = 1045;  // display the list's selected entry
constexpr int UM_PICTURE_DISPLAY = 1046;           // display the entry
constexpr int UM_FIT_TOGGLE = 1047;
constexpr int UM_FIT_CHECK = 1048;  // wParam 1 = check, 0 = uncheck
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
  WindowMessage(int message, qintptr wParam, qintptr lParam)
      : QEvent(static_cast<QEvent::Type>(message)), wParam_(wParam), lParam_(lParam) {}

  int message() const { return static_cast<int>(type()); }
  // The raw parameters, for a window that records or forwards a message as
  // it came; a receiver reads them with the typed readers below.
  qintptr wParam() const { return wParam_; }
  qintptr lParam() const { return lParam_; }

 private:
  qintptr wParam_;
  qintptr lParam_;
};

// The window message an event carries, or null for any other event.
const WindowMessage* asWindowMessage(const QEvent* event);

// Reserves the message numbers with Qt so that no other part of the process
// takes them for its own events. Called once at start.
void registerWindowMessages();

// ---- Sending --------------------------------------------------------------
// Every sender delivers at once (the receiver has handled the message on
// return) and says whether the receiver's event handler took it. A null
// receiver is a window that does not exist (yet): nothing happens, false.
// Nothing is posted for later: a pointer parameter must not outlive what it
// points to.

bool sendOptionsChanged(QObject* receiver);
bool sendLayout(QObject* receiver);
bool sendDisplayObject(QObject* receiver, const AstBody& object, bool activate);
bool sendTimeStep(QObject* receiver, int minutes);
bool sendDstSet(QObject* receiver, bool daylightSaving, const AstDateTime& moment);
bool sendObserverSet(QObject* receiver, const Observer& observer);
bool sendFitToggle(QObject* receiver);
bool sendFitCheck(QObject* receiver, bool checked);
bool sendShow(QObject* receiver);
bool sendHide(QObject* receiver);
bool sendToggleMoon(QObject* receiver);
bool sendGraphNew(QObject* receiver);
// UM_PICTURE_SELECT or UM_PICTURE_DISPLAY with the entry, or
// UM_PICTURE_DISPLAY_SELECTED (entry unused).
bool sendPictureMessage(QObject* receiver, int message, int entry = 0);
// fromMenu: the lParam the command table gives the command (see UM_COMMAND).
bool sendCommand(QObject* receiver, int commandId, bool fromMenu);

// The same message with the same parameters to another receiver (the
// frame relaying what it got).
bool forwardMessage(QObject* receiver, const WindowMessage& message);

// Any message number with plain numbers as its parameters, for helpers
// that pass on whatever message they are given (SendToChildren).
bool sendMessage(QObject* receiver, int message, qintptr wParam = 0, qintptr lParam = 0);

// ---- Reading --------------------------------------------------------------
// Each reader takes the message it is named after; the pointers it returns
// are the sender's and valid while the message is being handled.

struct DisplayObjectMessage {
  const AstBody* object;
  bool activate;
};
DisplayObjectMessage readDisplayObject(const WindowMessage& message);

int readTimeStepMinutes(const WindowMessage& message);

struct DstSetMessage {
  bool daylightSaving;
  const AstDateTime* moment;  // null: the flag alone
};
DstSetMessage readDstSet(const WindowMessage& message);

const Observer* readObserverSet(const WindowMessage& message);

// A window that keeps its own copy of the observer follows the frame's
// UM_TIME_STEP, UM_DST_SET and UM_OBSERVER_SET with this: true when the
// message was one of them and the copy now says what the frame's does.
bool followObserver(const WindowMessage& message, Observer& observer);

bool readFitCheck(const WindowMessage& message);

// The entry of UM_PICTURE_SELECT or UM_PICTURE_DISPLAY.
int readPictureEntry(const WindowMessage& message);

struct CommandMessage {
  int commandId;
  bool fromMenu;
};
CommandMessage readCommand(const WindowMessage& message);

}  // namespace noctavo
