#pragma once

#include <QEvent>
#include <QMdiSubWindow>
#include <QWidget>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "shell/FrameInterfaces.h"
#include "shell/WindowMessages.h"

namespace noctavo::testing {

// One message as a window received it.
struct ReceivedMessage {
  int message;
  qintptr wParam;
  qintptr lParam;
  friend bool operator==(const ReceivedMessage&, const ReceivedMessage&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const ReceivedMessage& m) {
  return out << "{" << m.message << ", " << m.wParam << ", " << m.lParam << "}";
}

// Stands in for a window the frame talks to (or a dialog's owner): keeps
// every window message it gets, and the other events the frame may send (a
// double click).
class MessageRecorder : public QWidget {
 public:
  bool event(QEvent* event) override {
    if (const auto* message = dynamic_cast<const WindowMessage*>(event)) {
      messages.push_back({message->message(), message->wParam(), message->lParam()});
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
