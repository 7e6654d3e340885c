#pragma once

#include <QDialog>

#include <functional>

#include "graph/GraphDocument.h"

class QComboBox;
class QListWidget;

namespace noctavo {

// Control ids of the graph dialogs.
namespace graph_dialog {
// "Dlg_GraphEdit"
inline constexpr int graphName = 135;
inline constexpr int lines = 152;
inline constexpr int newLine = 139;
inline constexpr int editLine = 141;
inline constexpr int deleteLine = 140;
inline constexpr int ok = 1;
// "Dlg_LineNew" and "Dlg_LineEdit"
inline constexpr int lineName = 143;
inline constexpr int objectType = 1020;
inline constexpr int objectName = 154;
inline constexpr int function = 153;
inline constexpr int objectText = 225;
inline constexpr int functionText = 224;
inline constexpr int colour = 146;
inline constexpr int hide = 144;
inline constexpr int system = 1024;
// "Dlg_GraphOptions"
inline constexpr int horizontal = 148;
inline constexpr int vertical = 149;
inline constexpr int rightToLeft = 150;
inline constexpr int topToBottom = 151;
inline constexpr int markCount = 243;
inline constexpr int markUnit = 235;
inline constexpr int labelCount = 244;
inline constexpr int labelUnit = 236;
inline constexpr int timeSystem = 279;
}  // namespace graph_dialog

// Told after every change the dialog made to the document at once (a line
// added, edited or deleted): the window repaints its panel and plot and
// brings the menu in line.
using GraphChanged = std::function<void()>;

// Graph/Edit ("Dlg_GraphEdit", "Edit Graph"): the graph's name and its
// lines. New, Edit and Delete change the document at once; Ok takes the
// name (a new name modifies the graph, the same name does not).
class EditGraphDialog : public QDialog {
  Q_OBJECT

 public:
  EditGraphDialog(QWidget* owner, GraphDocument& document, GraphChanged changed);

  void newLine();
  void editLine();
  void deleteLine();

 private:
  void fillList(const QString& select);
  void enableButtons();
  void takeName();

  GraphDocument& document_;
  GraphChanged changed_;
  QListWidget* list_ = nullptr;
};

// "New Line": a quantity of a body in the first free slot; a name that a
// line has already is refused. True when the line was added.
class NewLineDialog : public QDialog {
  Q_OBJECT

 public:
  NewLineDialog(QWidget* owner, GraphDocument& document);
  int addedSlot() const { return added_; }

 private:
  void typeChosen();
  void bodyChosen();
  const AstBody* chosenBody() const;
  void acceptIfNew();

  GraphDocument& document_;
  int added_ = -1;
};

// "Edit Line": name, colour, hidden, and the time or coordinate system of
// the line in `slot`. A rename to another line's name is refused, as New
// Line refuses it.
class EditLineDialog : public QDialog {
  Q_OBJECT

 public:
  EditLineDialog(QWidget* owner, GraphDocument& document, int slot);

 private:
  void acceptIfValid();

  GraphDocument& document_;
  int slot_;
};

// Graph/Options ("Dlg_GraphOptions", "Graph Options"): mirrors, ruler marks
// and labels (every 1..100 units), the time system of the x axis.
class GraphOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  GraphOptionsDialog(QWidget* owner, GraphDocument& document);

 private:
  void acceptIfValid();

  GraphDocument& document_;
};

}  // namespace noctavo
