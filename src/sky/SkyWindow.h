#pragma once

#include <QRect>

#include <map>

#include "frame/FrameInterfaces.h"
#include "sky/SkyWindowState.h"
#include "ui/DocumentSubWindow.h"

class QMdiArea;

namespace noctavo {

class SkyControlPanel;
class SkyDisplay;

// The Sky window "MdiChildSky" ("Sky"): the document window with the
// control panel on the left and the map display on the right. It is made
// once at start, lives for the whole run (closing it only minimises it),
// carries out the Sky menu's commands and keeps its settings under "\Sky"
// and "\Sky\Window".
class SkyWindow : public DocumentSubWindow, public DocumentWindow {
  Q_OBJECT

 public:
  // The start of the window: reads the settings, places the window in the
  // document area as they say, makes the panel and the display, brings the
  // Sky menu's check marks in line with the settings (the menu is the
  // frame's; without a frame the window keeps them itself), and computes
  // the map for the observer's moment with no object selected.
  SkyWindow(QMdiArea* area, Frame* frame);
  ~SkyWindow() override;

  SkyWindowState& state() { return state_; }
  const SkyWindowState& state() const { return state_; }
  SkyControlPanel* controlPanel() const { return panel_; }
  SkyDisplay* display() const { return display_; }

  // DocumentWindow.
  QMdiSubWindow* subWindow() const override { return const_cast<SkyWindow*>(this); }
  // Names this window as the active one when it was active at the last
  // exit, with its maximised state.
  void initialise(QMdiSubWindow*& activeChild, bool& maximize) override;
  // Takes the window state and the time bar's step into the settings,
  // writes them as the save mode says and lets go of the tables.
  void saveAndRelease() override;

  // A command of the Sky menu (110..118). fromFrame: the user chose it in
  // the menu, and the window is repainted.
  void command(int commandId, bool fromFrame);
  bool isCommandChecked(int commandId) const;

  void openSkyOptions();
  void openFindObject();

  // UM_DISPLAY_OBJECT: selects the object, turns the view towards it,
  // shows its data and highlights it; with activate the window comes to
  // the front as well.
  void displayObject(const AstBody& object, bool activate);

  // UM_LAYOUT: the panel and the display side by side, the display as high
  // as the room allows and as wide as the pixel aspect makes it. Maximized,
  // the room is the document area; otherwise the window's own client area.
  void layoutWindow() override;
  // The smallest client area that shows the whole panel and a display as
  // high as the panel: the window never gets smaller than this (Cascade,
  // Tile, the user's mouse) and never saves a smaller size.
  QSize minimumClientSize() const;

 protected:
  bool event(QEvent* event) override;

 private:
  void setCommandChecked(int commandId, bool checked);
  void mapTypeCommand(int commandId);
  void gridCommand(int commandId);
  void repaintWindow();
  void bringToFront();

  Frame* frame_;
  SkyWindowState state_;
  QWidget* client_ = nullptr;
  SkyControlPanel* panel_ = nullptr;
  SkyDisplay* display_ = nullptr;
  // The check marks of the Sky menu when there is no frame to keep them.
  std::map<int, bool> ownChecks_;
  // The window's frame around the smallest client area.
  QSize smallestNormalSize_;
};

// Makes the Sky window in the frame's document area and registers it, its
// control panel and its document with the frame.
SkyWindow* createSkyWindow(Frame& frame);

}  // namespace noctavo
