#pragma once

#include <QDialog>

#include "frame/FrameInterfaces.h"
#include "time/AstCoord.h"
#include "time/Observer.h"
#include "tools/ObjectInfoPages.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QVBoxLayout;

namespace noctavo {

class AstBody;
class TimeBar;
class WindowMessage;

// The settings under "\Object Info".
struct ObjectInfoSettings {
  bool visible = false;
  int x = 200;  // the window's top left on the screen
  int y = 100;
};
ObjectInfoSettings readObjectInfoSettings();
void writeObjectInfoSettings(const ObjectInfoSettings& settings);

// "Object Information": a modeless window owned by the frame that shows one
// object's current circumstances, physical data and orbital data on three
// tabs, at a moment of its own that its time bar steps and that follows the
// observer. Command 40005 shows and hides it (UM_SHOW / UM_HIDE); its close
// box gives the command back so that the check marks follow. Other windows
// send it an object with UM_DISPLAY_OBJECT, and it sends its object on to
// the Sky, Solar system and Picture windows.
class ObjectInfoWindow : public QDialog, public DocumentWindow {
  Q_OBJECT

 public:
  // Made hidden, at the saved place, showing the Sun.
  explicit ObjectInfoWindow(Frame* frame);

  QWidget* control(int controlId) const;
  // A control of the page shown now.
  QWidget* pageControl(int controlId) const;
  QWidget* page() const { return page_; }
  TimeBar* timeBar() const { return timeBar_; }
  QTabBar* tabs() const { return tabs_; }

  const AstBody* object() const { return object_; }
  const Observer& windowObserver() const { return observer_; }
  CoordSystem coordSystem() const { return system_; }
  TimeKind timeKind() const { return timeKind_; }

  // Selects the object in the type and name boxes and shows it.
  void showObject(const AstBody& object);
  void ObjectInfoShow(bool visible);

  // DocumentWindow: nothing to activate; at the end the place and the
  // visibility are written when both save modes say so.
  QMdiSubWindow* subWindow() const override { return nullptr; }
  void initialise(QMdiSubWindow*&, bool&) override {}
  void saveAndRelease() override;

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  bool windowMessage(int message, const WindowMessage& data);
  void typeChosen(int index);
  void nameChosen(int index);
  void nameTyped();
  void fillNames(ObjectType type);
  void setObject(const AstBody* object);
  void updateDisplayButtons();
  void displayIn(FrameWindow target);
  void momentChanged();

  // Destroys the page shown and makes the page of the tab for the object.
  void openPage();
  QWidget* makeCurrentPage();
  QWidget* makeValuePage(const char* name, const std::vector<InfoValueRow>& rows);
  QWidget* makeConstellationPage(const AstBody& object);
  QWidget* makeNoDataPage();
  // The current page's values for the window's moment, system and time kind.
  void fillCurrentPage();
  void giveCommandBack();

  Frame* frame_;
  QComboBox* typeBox_ = nullptr;
  QComboBox* nameBox_ = nullptr;
  bool nameTypedPending_ = false;
  QTabBar* tabs_ = nullptr;
  QWidget* pageHolder_ = nullptr;
  QVBoxLayout* pageLayout_ = nullptr;
  QWidget* page_ = nullptr;
  TimeBar* timeBar_ = nullptr;
  QPushButton* skyButton_ = nullptr;
  QPushButton* solarButton_ = nullptr;
  QPushButton* pictureButton_ = nullptr;

  Observer observer_;
  const AstBody* object_ = nullptr;
  CoordSystem system_ = CoordSystem::Equatorial;
  TimeKind timeKind_ = TimeKind::Lct;
  bool released_ = false;
};

// Makes the window, registers it with the frame and, when it was open at
// the end of the last run, opens it through command 40005.
ObjectInfoWindow* createObjectInfoWindow(Frame& frame);

}  // namespace noctavo
