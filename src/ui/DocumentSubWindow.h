#pragma once

#include <QMdiSubWindow>
#include <QRect>

namespace noctavo {

// What every document window does alike. It lives for the whole run, so
// closing it only minimises it; F1 opens its own help topic, not the
// frame's contents; it keeps its last normal rectangle for the settings;
// brought up from its icon it follows "Always maximize"; and it lays itself
// out again whenever the space it is laid out in changes: its own client
// (set with `setWidget`) when not maximized, the document area when
// maximized (the window installs itself as a filter on both), and after
// every change of state, which resizes neither when the window is shown
// maximized straight from its icon.
class DocumentSubWindow : public QMdiSubWindow {
 public:
  // The rectangle of the window the last time it was neither minimized nor
  // maximized, in the document area's coordinates.
  QRect normalRect() const { return normalRect_; }

 protected:
  DocumentSubWindow(const char* helpTopic, QWidget* parent = nullptr);

  // The window's own layout; a window without one leaves it empty.
  virtual void layoutWindow() {}
  // Called after every change of the window's state; lays the window out.
  virtual void stateChanged() { layoutWindow(); }

  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  // Takes the window's geometry as its normal rectangle when it is neither
  // minimized nor maximized (also before the settings are written).
  void rememberNormalRect();

  QRect normalRect_;

 private:
  const char* helpTopic_;
};

}  // namespace noctavo
