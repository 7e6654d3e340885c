#pragma once

#include <QPoint>
#include <QWidget>

#include "frame/FrameInterfaces.h"
#include "sky/SkyWindowState.h"

class QAction;
class QMenu;

namespace noctavo {

class SkyControlPanel;
class SkyWindow;

// Command ids of the popup menu "Menu_Sky".
namespace sky_popup {
inline constexpr int solarSystem = 202;
inline constexpr int objectInfo = 203;
inline constexpr int picture = 204;
inline constexpr int findObject = 118;
}  // namespace sky_popup

// How long the highlight circle stays around the selected object.
inline constexpr int highlightMilliseconds = 500;

// The map display "SkyDisp" on the right of the Sky window. It paints the
// position tables through paintSky, selects the object nearest to a left
// click and shows its data in the control panel, offers the popup menu
// "Menu_Sky" on a right click, and draws the highlight circle for half a
// second. The panel and the window call it directly: momentChanged when the
// window's moment changed, startHighlight for the highlight.
class SkyDisplay : public QWidget {
  Q_OBJECT

 public:
  // skyWindow opens Find Object for the popup menu; frame (may be null)
  // knows the windows the other popup commands go to.
  SkyDisplay(SkyWindowState& state, SkyWindow* skyWindow, Frame* frame, QWidget* parent = nullptr);

  void setControlPanel(SkyControlPanel* panel) { panel_ = panel; }

  // Refills the position tables for the window's moment (the observer's
  // own when the stars are kept fixed).
  void recompute();
  // The window's moment (or the stars-fixed choice) changed: the tables are
  // refilled, the selected object's data shown anew, the map repainted.
  void momentChanged();
  // The map or grid type changed: the ecliptic and the grid are turned into
  // the new map's system.
  void mapChanged();

  // A left click: the nearest object becomes the selected one and its data
  // is shown, the mouse pointer moved onto it.
  void selectAt(QPoint position);
  // A right click: the nearest object becomes the popup object; the menu is
  // prepared for it and opens at globalPosition.
  void popupAt(QPoint position, QPoint globalPosition);
  // The popup menu for an object: the title names it, and the targets the
  // object cannot be shown in are greyed.
  void preparePopup(const AstBody& object);
  QMenu* popupMenu() const { return popup_; }
  QMenu* displayInWindowMenu() const { return displayIn_; }
  QAction* popupAction(int commandId) const;
  // Carries out a command of the popup menu for the popup object.
  void popupCommand(int commandId);

  // Sets the mouse pointer onto the object's point when it is on the map.
  void moveCursorTo(const AstBody& object);
  // The object's point on the display for the current view, and whether it
  // is on the map.
  bool projectedPoint(const AstBody& object, QPoint& point) const;

  // The highlight: on from here until its timer fires.
  void startHighlight();
  // Ends a highlight at once (the end of the run).
  void stopHighlight();
  bool highlightOn() const { return highlightOn_; }
  int highlightTimerId() const { return highlightTimer_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void buildPopup();
  void setHighlightButtonEnabled(bool enabled);

  SkyWindowState& state_;
  SkyWindow* skyWindow_;
  Frame* frame_;
  SkyControlPanel* panel_ = nullptr;
  QMenu* popup_ = nullptr;
  QMenu* displayIn_ = nullptr;
  bool highlightOn_ = false;
  int highlightTimer_ = 0;
};

}  // namespace noctavo
