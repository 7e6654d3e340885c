#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

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

// The common case: close the next modal dialog with a result.
inline void answerNextModal(int result) {
  whenModalAppears([result](QWidget* w) {
    if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->done(result);
  });
}

}  // namespace noctavo::testing
