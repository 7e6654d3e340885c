#pragma once

#include <QApplication>
#include <QDialog>
#include <QMdiSubWindow>
#include <QObject>
#include <QString>
#include <QTest>
#include <QTimer>

#include <functional>
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

// Stands in for a window the frame talks to: keeps every window message it
// gets, and the other events the frame may send (a double click).
class MessageRecorder : public QObject {
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
    return QObject::event(event);
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
    unsaved = false;
    return true;
  }
  bool unsaved = true;
  int saves = 0;
};

// Answers every modal dialog that shows while it lives, from a timer (a
// modal dialog runs its own event loop). Bound to the test's scope, so that
// an answer never reaches a later test.
class ModalWatch {
 public:
  explicit ModalWatch(std::function<void(QWidget* dialog)> answer) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || !modal->isVisible()) return;
      ++count_;
      answer_(modal);
    });
    timer_.start(10);
  }
  ModalWatch(const ModalWatch&) = delete;
  ModalWatch& operator=(const ModalWatch&) = delete;

  int count() const { return count_; }

 private:
  std::function<void(QWidget*)> answer_;
  QTimer timer_;
  int count_ = 0;
};

// Waits (processing events) until the condition holds or the time is up.
inline bool waitFor(const std::function<bool()>& condition, int timeoutMs = 3000) {
  return QTest::qWaitFor(condition, timeoutMs);
}

}  // namespace noctavo::testing
