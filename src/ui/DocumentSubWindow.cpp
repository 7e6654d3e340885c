#include "ui/DocumentSubWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QTimer>
#include <QWindowStateChangeEvent>

#include "ui/HelpViewer.h"
#include "ui/Options.h"

namespace noctavo {

DocumentSubWindow::DocumentSubWindow(const char* helpTopic, QWidget* parent)
    : QMdiSubWindow(parent), helpTopic_(helpTopic) {}

bool DocumentSubWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        event->accept();
        return true;
      }
      break;
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        showHelpTopic(QString::fromLatin1(helpTopic_));
        return true;
      }
      break;
    default:
      break;
  }
  return QMdiSubWindow::event(event);
}

bool DocumentSubWindow::eventFilter(QObject* watched, QEvent* event) {
  // The document area takes its size from the frame's layout, which runs
  // after the frame's own resize: the window is laid out again whenever the
  // space it is laid out in has really changed.
  if (event->type() == QEvent::Resize &&
      ((isMaximized() && mdiArea() && watched == mdiArea()->viewport()) || (!isMaximized() && watched == widget()))) {
    layoutWindow();
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

void DocumentSubWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  showMinimized();
}

void DocumentSubWindow::changeEvent(QEvent* event) {
  QMdiSubWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  const bool restoredFromIcon = change->oldState().testFlag(Qt::WindowMinimized) && !isMinimized() && !isMaximized();
  if (restoredFromIcon && options().alwaysMaximize) {
    QTimer::singleShot(0, this, [this] {
      if (!isMinimized()) showMaximized();
    });
  }
  stateChanged();
}

void DocumentSubWindow::rememberNormalRect() {
  if (!isMinimized() && !isMaximized() && isVisible()) normalRect_ = geometry();
}

void DocumentSubWindow::moveEvent(QMoveEvent* event) {
  QMdiSubWindow::moveEvent(event);
  rememberNormalRect();
}

void DocumentSubWindow::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
  rememberNormalRect();
}

}  // namespace noctavo
