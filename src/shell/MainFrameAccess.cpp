#include "shell/MainFrameAccess.h"

#include <QPointer>

#include "shell/MainFrame.h"
#include "shell/StatusLine.h"
#include "shell/Toolbar.h"

namespace noctavo {

namespace {

QPointer<MainFrame> currentFrame;
// "Toolbar visible" and "Status line visible"; the start-up sequence sets
// them from the settings.
bool toolbarVisible = true;
bool statusLineVisible = true;

Toolbar* currentToolbar() { return currentFrame ? currentFrame->toolbar() : nullptr; }
StatusLine* currentStatusLine() { return currentFrame ? currentFrame->statusLine() : nullptr; }

}  // namespace

MainFrame* mainFrame() { return currentFrame.data(); }

void setCurrentMainFrame(MainFrame* frame) { currentFrame = frame; }

bool ToolbarVisible() { return toolbarVisible; }

void ToolbarSetVisible(bool visible) {
  toolbarVisible = visible;
  if (Toolbar* toolbar = currentToolbar()) toolbar->setVisible(visible);
}

int ToolbarHeight() {
  const Toolbar* toolbar = currentToolbar();
  return toolbar ? toolbar->height() : 0;
}

bool StatusLineVisible() { return statusLineVisible; }

void StatusLineShow(bool visible) {
  statusLineVisible = visible;
  if (StatusLine* statusLine = currentStatusLine()) statusLine->setVisible(visible);
}

int StatusLineHeight() {
  const StatusLine* statusLine = currentStatusLine();
  return statusLine ? statusLine->height() : 0;
}

void StatusLineSetHint(const QString& text) {
  if (StatusLine* statusLine = currentStatusLine()) statusLine->setHint(text);
}

void StatusLineUpdate(const Observer& observer) {
  if (StatusLine* statusLine = currentStatusLine()) statusLine->showObserver(observer);
}

}  // namespace noctavo
