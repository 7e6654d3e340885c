#pragma once

#include <QRect>

#include <map>

#include "frame/FrameInterfaces.h"
#include "solar/SolarWindowState.h"
#include "ui/DocumentSubWindow.h"

class QMdiArea;

namespace noctavo {

class SolarControlPanel;
class SolarDisplay;

// The Solar system window "MdiChildSol" ("Solar system"): the control panel
// on the left, the view of the orbits on the right, for a moment of its
// own. Made once at start, it lives for the whole run (closing it only
// minimises it), carries out the Solar system menu and keeps its settings
// under "\Solar system" and "\Solar system\Window".
class SolarWindow : public DocumentSubWindow, public DocumentWindow {
  Q_OBJECT

 public:
  // Reads the settings, places the window as they say, takes the program
  // observer's moment, makes the panel and the view, sets the menu's check
  // marks, samples the orbits and computes the positions.
  SolarWindow(QMdiArea* area, Frame* frame);
  ~SolarWindow() override;

  SolarWindowState& state() { return state_; }
  const SolarWindowState& state() const { return state_; }
  SolarControlPanel* controlPanel() const { return panel_; }
  SolarDisplay* display() const { return display_; }

  // DocumentWindow.
  QMdiSubWindow* subWindow() const override { return const_cast<SolarWindow*>(this); }
  void initialise(QMdiSubWindow*& activeChild, bool& maximize) override;
  void saveAndRelease() override;

  // The Solar system menu: Names, Symbols and Moon flip what the view
  // shows (the frame has flipped the check mark already); Options opens
  // the dialog.
  void toggleNames();
  void toggleSymbols();
  void toggleMoon();
  void openOptions();
  // UM_OPTIONS_CHANGED: the positions by the method in force and the panel
  // in the new formats.
  void optionsChanged();

  // UM_DISPLAY_OBJECT: the zoom that shows the body; with activate the
  // window comes to the front.
  void displayObject(const AstBody& body, bool activate);

  // UM_LAYOUT: the panel and a view as high as the room allows and as wide
  // as the pixel aspect makes it. Maximized, the room is the document area;
  // otherwise the window's own client area, the panel never narrower than
  // its controls.
  void layoutWindow() override;
  QSize minimumClientSize() const;

  bool isCommandChecked(int commandId) const;

 protected:
  bool event(QEvent* event) override;

 private:
  void setCommandChecked(int commandId, bool checked);
  void repaintWindow();
  void bringToFront();

  Frame* frame_;
  SolarWindowState state_;
  QWidget* client_ = nullptr;
  SolarControlPanel* panel_ = nullptr;
  SolarDisplay* display_ = nullptr;
  std::map<int, bool> ownChecks_;
  QSize smallestNormalSize_;
};

// Makes the Solar system window in the frame's document area and registers
// it, its control panel and its document with the frame.
SolarWindow* createSolarWindow(Frame& frame);

}  // namespace noctavo
