#pragma once

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "ui/DialogControls.h"

namespace noctavo::testing {

// Modal dialogs run their own event loop, so a test answers them from a
// timer: the handler gets the dialog as soon as it is the active modal
// widget. Give up after `timeoutMs`, so that a dialog that never comes
// fails the test's later checks instead of hanging the run.
inline void whenModalAppears(std::function<void(QWidget* dialog)> handler, int timeoutMs = 5000) {
  auto timer = new QTimer;
  auto elapsed = std::make_shared<int>(0);
  const int periodMs = 10;
  QObject::connect(timer, &QTimer::timeout, [timer, elapsed, handler, timeoutMs] {
    QWidget* modal = QApplication::activeModalWidget();
    *elapsed += periodMs;
    if (modal && modal->isVisible()) {
      timer->stop();
      timer->deleteLater();
      handler(modal);
    } else if (*elapsed > timeoutMs) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start(periodMs);
}

// What a modal dialog showed: its name, caption and text (a QMessageBox's
// text, or control 135 of the program's own message box).
struct ShownDialog {
  QString objectName;
  QString caption;
  QString text;
  QWidget* owner;
};

// Answers every modal dialog that shows while it lives (by default: closed
// with result 0) and keeps what each showed. Bound to the test's scope, so
// that an answer never reaches a later test.
class ModalWatch {
 public:
  explicit ModalWatch(std::function<void(QWidget* dialog)> answer = {}) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || !modal->isVisible()) return;
      auto* box = qobject_cast<QMessageBox*>(modal);
      auto* label = qobject_cast<QLabel*>(findControlOrNull(modal, 135));
      shown.push_back({modal->objectName(), modal->windowTitle(), box ? box->text() : label ? label->text() : QString(),
                       modal->parentWidget()});
      if (answer_) {
        answer_(modal);
      } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->done(0);
      }
    });
    timer_.start(10);
  }
  ModalWatch(const ModalWatch&) = delete;
  ModalWatch& operator=(const ModalWatch&) = delete;

  int count() const { return static_cast<int>(shown.size()); }

  std::vector<ShownDialog> shown;

 private:
  std::function<void(QWidget*)> answer_;
  QTimer timer_;
};

}  // namespace noctavo::testing
