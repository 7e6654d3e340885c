#pragma once

#include <QToolBar>

#include <span>

namespace noctavo {

// One entry of the main toolbar; imageId 0 marks a separator.
struct ToolbarButton {
  int imageId;
  int commandId;
  const char* tooltip;  // "%s" stands for the product name
  bool check;           // stays down when clicked
};

// The buttons in their order on the toolbar.
std::span<const ToolbarButton> toolbarButtons();

// The main frame's toolbar (control id 501): 16 x 16 images, a tooltip per
// button. A click gives the button's command to the frame, which carries it
// out as it does for the menu; the frame also keeps the check state of the
// buttons of commands 40005 and 181 equal to their menu items.
class Toolbar : public QToolBar {
  Q_OBJECT

 public:
  static constexpr int controlId = 501;

  explicit Toolbar(QWidget* parent);

  // The button of a command, or null when the toolbar has none.
  QAction* button(int commandId) const;
  void setButtonChecked(int commandId, bool checked);
  void setButtonEnabled(int commandId, bool enabled);

 signals:
  void commandTriggered(int commandId);
};

}  // namespace noctavo
