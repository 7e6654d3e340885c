#pragma once

#include <QAbstractScrollArea>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QString>

#include "frame/FrameInterfaces.h"
#include "ui/DocumentSubWindow.h"
#include "ui/PictureHolder.h"

class QAction;
class QMdiArea;
class QMenu;

namespace noctavo {

class AstBody;
class PictureControlPanel;
class PictureWindow;

// The Picture window's settings, kept under "\Picture", "\Picture\Window"
// and "\Picture\Window\Control panel".
struct PictureSettings {
  QString currentPicture = QStringLiteral("aat008a.jpg");  // file name, at most 259 characters
  bool fitToWindow = false;
  bool active = false;
  bool minimized = true;
  bool maximized = true;
  int left = 0;
  int top = 0;
  int right = 500;
  int bottom = 400;
  bool controlPanelVisible = true;
  // The control panel's place, from the top left of the document area.
  int panelLeft = 20;
  int panelTop = 20;
};

PictureSettings readPictureSettings();
// With saveOptions the picture and the fit flag; with saveWindowState as
// well the window's and the panel's state and place.
void writePictureSettings(const PictureSettings& settings, bool saveOptions, bool saveWindowState);

// Command ids of the pop-up menu "Menu_Picture".
namespace picture_popup {
inline constexpr int sky = 206;
inline constexpr int solarSystem = 202;
inline constexpr int objectInfo = 203;
}  // namespace picture_popup

// The client of the Picture window: the current picture, fitted to the area
// or at its natural size with scroll bars when it is larger, centred where
// it is smaller. A double click toggles the control panel, the right button
// offers the pop-up menu. It is the window the frame and the other views
// talk to: UM_FIT_TOGGLE, the double click of command 170, and
// UM_DISPLAY_OBJECT (wParam 1 = bring the window forward, lParam the
// AstBody), which any view sends to show the picture of an object.
class PictureView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit PictureView(PictureWindow& window);

  // The picture's rectangle in the viewport as it is drawn now; empty when
  // no picture is shown.
  QRect pictureRect() const;
  // Scroll ranges and the repaint after a change of picture or fit.
  void pictureChanged();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QSize drawnSize() const;
  void updateScrollRanges();

  PictureWindow& window_;
  QPixmap scaled_;  // the picture at its drawn size when that is not its own
  qint64 scaledFrom_ = 0;
};

// The Picture window "MdiChildPic": one picture of the collection beside
// the program ("PICTURES") at a time, with the modeless control panel
// "Dlg_PictCtrl" that lists them all. Made once at start, it lives for the
// whole run (closing it only minimises it).
class PictureWindow : public DocumentSubWindow, public DocumentWindow {
  Q_OBJECT

 public:
  // Reads the settings, builds the picture list of programFolder (messages
  // about the description file go to the user), makes the view and the
  // control panel and shows the saved picture, or the first one when the
  // saved one is not in the collection.
  PictureWindow(QMdiArea* area, Frame* frame, const QString& programFolder);
  ~PictureWindow() override;

  // DocumentWindow.
  QMdiSubWindow* subWindow() const override { return const_cast<PictureWindow*>(this); }
  void initialise(QMdiSubWindow*& activeChild, bool& maximize) override;
  void saveAndRelease() override;

  PictureView* view() const { return view_; }
  PictureControlPanel* controlPanel() const { return panel_; }
  const PictureSettings& settings() const { return settings_; }
  PictureHolder& holder() { return holder_; }

  // Makes an entry current: loads its file and repaints; a window that is
  // an icon loads it when it is opened. A file that cannot be read leaves
  // the window empty, with a message that names it. True when the picture
  // is shown.
  bool showEntry(int entry);
  int currentEntry() const { return current_; }
  bool pictureShown() const { return shown_; }
  // The object the current picture shows, or null.
  const AstBody* currentObject() const;

  // UM_FIT_TOGGLE: flips the flag, tells the frame (UM_FIT_CHECK) and
  // repaints.
  void toggleFit();
  bool fitToWindow() const { return settings_.fitToWindow; }
  // The double click: flips the control panel's flag and shows or hides it.
  void toggleControlPanel();
  bool controlPanelVisible() const { return settings_.controlPanelVisible; }

  // The pop-up menu for the current picture's object: its name in the
  // title, the windows it cannot be shown in greyed.
  void preparePopup(const AstBody& object);
  QMenu* popupMenu() const { return popup_; }
  QMenu* displayInWindowMenu() const { return displayIn_; }
  QAction* popupAction(int commandId) const;
  void popupAt(QPoint globalPosition);
  // Sends the current object to the Sky, Solar system or Object
  // Information window.
  void popupCommand(int commandId);

  void bringToFront();

 protected:
  void stateChanged() override;
  void showEvent(QShowEvent* event) override;

 private:
  void buildPopup();
  void loadCurrentPicture();
  void updateCaption();
  void updatePanelVisibility();
  QPoint documentOrigin() const;

  Frame* frame_;
  PictureSettings settings_;
  QString picturesFolder_;
  PictureHolder holder_;
  PictureView* view_ = nullptr;
  PictureControlPanel* panel_ = nullptr;
  QMenu* popup_ = nullptr;
  QMenu* displayIn_ = nullptr;
  int current_ = -1;
  bool shown_ = false;
  bool loadPending_ = false;
  bool released_ = false;
  bool panelPlaced_ = false;
};

// Makes the Picture window in the frame's document area and registers its
// view (the window the frame and the views send to), its control panel and
// its document with the frame.
PictureWindow* createPictureWindow(Frame& frame, const QString& programFolder);

}  // namespace noctavo
