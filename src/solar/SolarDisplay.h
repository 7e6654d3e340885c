#pragma once

#include <QWidget>

#include "frame/FrameInterfaces.h"
#include "solar/SolarWindowState.h"

class QAction;
class QMenu;

namespace noctavo {

class SolarControlPanel;

// Command ids of the popup menu "Menu_Solar".
namespace solar_popup {
inline constexpr int sky = 206;
inline constexpr int objectInfo = 203;
inline constexpr int picture = 204;
}  // namespace solar_popup

// The view "SolarDisp" on the right of the Solar system window: the orbits
// and bodies on black for the window's moment, and on a right click the
// popup menu "Menu_Solar" that shows the nearest body in another window.
class SolarDisplay : public QWidget {
  Q_OBJECT

 public:
  // frame (may be null) knows the windows the popup commands go to.
  SolarDisplay(SolarWindowState& state, Frame* frame, QWidget* parent = nullptr);

  void setControlPanel(SolarControlPanel* panel) { panel_ = panel; }

  SolarViewSize viewSize() const { return {width(), height()}; }

  // The window's moment changed: the positions are computed anew, the panel
  // refilled and the view repainted.
  void momentChanged();

  // A right click at a point of the view: the nearest body becomes the
  // popup body, the menu is prepared for it and opens at globalPosition.
  void popupAt(QPoint position, QPoint globalPosition);
  // The menu for a body: its name in the title; the Earth is not in the
  // sky, and a window that does not exist yet cannot be asked.
  void preparePopup(const AstBody& body);
  QMenu* popupMenu() const { return popup_; }
  QMenu* displayInWindowMenu() const { return displayIn_; }
  QAction* popupAction(int commandId) const;
  // Sends the popup body to the command's window, to be brought forward.
  void popupCommand(int commandId);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void buildPopup();

  SolarWindowState& state_;
  Frame* frame_;
  SolarControlPanel* panel_ = nullptr;
  QMenu* popup_ = nullptr;
  QMenu* displayIn_ = nullptr;
};

}  // namespace noctavo
