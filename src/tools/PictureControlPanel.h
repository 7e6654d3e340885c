#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace noctavo {

class AstBody;
class PictureWindow;

// Control ids of the control panel "Dlg_PictCtrl".
namespace picture_control {
inline constexpr int list = 1009;
inline constexpr int display = 158;
inline constexpr int upDown = 1005;
inline constexpr int note = 400;
}  // namespace picture_control

// The panel's own messages: wParam the entry.
inline constexpr int UM_PICTURE_SELECT = 1044;           // select the entry in the list
inline constexpr int UM_PICTURE_DISPLAY_SELECTED = 1045;  // display the list's selected entry
inline constexpr int UM_PICTURE_DISPLAY = 1046;           // display the entry

// The note (text 400) is for the basic collection; a collection that holds
// this object's picture is taken for a larger one that needs no note.
inline constexpr const char* largerCollectionMarker = "NGC 7635";

// A vertical up-down control: the up arrow (and the Up key) reports a delta
// of -1, the down arrow (and the Down key) +1, as the platform's up-down
// control does with its default range.
class VerticalSpin : public QWidget {
  Q_OBJECT

 public:
  explicit VerticalSpin(QWidget* parent = nullptr);
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 signals:
  void deltaPos(int delta);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

// The Picture window's control panel "Dlg_PictCtrl": a modeless tool window
// owned by the frame that lists every picture of the collection with its
// object's type and name and its description. A click on a column heading
// sorts by that column; a double click or "Display" shows the selected
// picture, the up-down the one above or below it in the list.
class PictureControlPanel : public QDialog {
  Q_OBJECT

 public:
  PictureControlPanel(PictureWindow& window, QWidget* owner);

  QTreeWidget* list() const { return list_; }
  // The control with this id; a missing one is an internal error.
  QWidget* control(int controlId) const;

  // Makes the entry current in the window, then selects it in the list.
  void displayEntry(int entry);
  void displaySelected();
  // Selected and focused, scrolled into view.
  void selectEntry(int entry);
  // The entry of the list's selected row; -1 when none.
  int selectedEntry() const;
  // The up-down: delta < 0 the entry above the selected one, delta >= 1
  // the one below; nothing past either end. Delta 0 is an internal error.
  void step(int delta);
  // UM_DISPLAY_OBJECT: the first picture of the object, or a message that
  // there is none; with activate the Picture window comes forward.
  void displayObject(const AstBody& object, bool activate);

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Escape hides the panel as its close box does.
  void reject() override;

 private:
  void build();
  void fill();
  QTreeWidgetItem* itemOfEntry(int entry) const;

  PictureWindow& window_;
  QTreeWidget* list_ = nullptr;
  QPushButton* display_ = nullptr;
  VerticalSpin* upDown_ = nullptr;
  QLabel* note_ = nullptr;
};

}  // namespace noctavo
