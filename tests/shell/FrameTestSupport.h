#pragma once

#include <QEvent>
#include <QMdiSubWindow>
#include <QWidget>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "frame/FrameInterfaces.h"
#include "frame/WindowMessages.h"

namespace noctavo::testing {

// One message as a window received it: a pointer parameter as the typed
// reader gives it, the other parameters as numbers.
struct ReceivedMessage {
  int message;
  qintptr wParam;
  qintptr lParam;
  const void* pointer = nullptr;
  friend bool operator==(const ReceivedMessage&, const ReceivedMessage&) = default;

  static ReceivedMessage of(const WindowMessage& m) {
    switch (m.message()) {
      case UM_DISPLAY_OBJECT:
        return {m.message(), m.wParam(), 0, readDisplayObject(m).object};
      case UM_DST_SET:
        return {m.message(), m.wParam(), 0, readDstSet(m).moment};
      case UM_OBSERVER_SET:
        return {m.message(), m.wParam(), 0, readObserverSet(m)};
      default:
        return {m.message(), m.wParam(), m.lParam()};
    }
  }
};

inline std::ostream& operator<<(std::ostream& out, const ReceivedMessage& m) {
  return out << "{" << m.message << ", " << m.wParam << ", " << m.lParam << ", " << m.pointer << "}";
}

// Stands in for a window the frame talks to (or a dialog's owner): keeps
// every window message it gets, and the other events the frame may send (a
// double click).
class MessageRecorder : public QWidget {
 public:
  bool event(QEvent* event) override {
    if (const WindowMessage* message = asWindowMessage(event)) {
      messages.push_back(ReceivedMessage::of(*message));
      return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
      ++doubleClicks;
      return true;
    }
    return QWidget::event(event);
  }

  std::vector<ReceivedMessage> messages;
  int doubleClicks = 0;
};

// A document window with nothing in it but what the frame asks of one.
class FakeDocument : public DocumentWindow {
 public:
  FakeDocument(QMdiSubWindow* child, std::string name, std::vector<std::string>* log)
      : child_(child), name_(std::move(name)), log_(log) {}

  QMdiSubWindow* subWindow() const override { return child_; }
  void initialise(QMdiSubWindow*& activeChild, bool& maximize) override {
    if (log_) log_->push_back("initialise " + name_);
    if (namesItselfActive) {
      activeChild = child_;
      maximize = asksForMaximize;
    }
  }
  void saveAndRelease() override {
    if (log_) log_->push_back("save " + name_);
    if (onSave) onSave();
  }

  bool namesItselfActive = false;
  bool asksForMaximize = false;
  std::function<void()> onSave;

 private:
  QMdiSubWindow* child_;
  std::string name_;
  std::vector<std::string>* log_;
};

// The graph as far as closing is concerned.
class FakeGraph : public GraphDocumentOwner {
 public:
  bool graphHasUnsavedChanges() const override { return unsaved; }
  bool saveGraph() override {
    ++saves;
    unsaved = !saveWorks;
    return saveWorks;
  }
  bool unsaved = true;
  bool saveWorks = true;
  int saves = 0;
};

}  // namespace noctavo::testing
