#pragma once

#include <QDialog>
#include <QPointer>

#include "shell/FrameInterfaces.h"
#include "shell/MainFrame.h"

class QTabWidget;

namespace noctavo {

// Control ids of the table of symbols "Dlg_SymbolTable" and its two pages.
namespace symbol_table {
inline constexpr int close = 1;
inline constexpr int tabs = 1002;
// "Celestial objects": the symbol of each body.
inline constexpr int sun = 128;
inline constexpr int moon = 129;
inline constexpr int mercury = 260;
inline constexpr int venus = 261;
inline constexpr int earth = 134;
inline constexpr int mars = 263;
inline constexpr int jupiter = 264;
inline constexpr int saturn = 265;
inline constexpr int uranus = 266;
inline constexpr int neptune = 267;
inline constexpr int pluto = 268;
// "Greek alphabet": row r (0 = alpha .. 23 = omega) holds the letter's name,
// its capital and its small letter.
inline constexpr int firstGreekRow = 400;
inline constexpr int greekRowCount = 24;
constexpr int greekNameId(int row) { return firstGreekRow + 3 * row; }
constexpr int greekCapitalId(int row) { return firstGreekRow + 3 * row + 1; }
constexpr int greekSmallId(int row) { return firstGreekRow + 3 * row + 2; }
}  // namespace symbol_table

// The body, its control and its character in the symbol font.
struct BodySymbolCell {
  const char* name;
  int controlId;
  unsigned char symbol;
};
extern const BodySymbolCell bodySymbolCells[11];

// The settings under "\Symbol table".
struct SymbolTableSettings {
  bool visible = false;
  // The window's top left on the screen, as the Astronomical Calculator
  // keeps its own.
  int x = 200;
  int y = 100;
};
SymbolTableSettings readSymbolTableSettings();
void writeSymbolTableSettings(const SymbolTableSettings& settings);

// "Table of Symbols and Abbreviations": a small modeless window owned by the
// frame with the symbols of the Sun, the Moon and the planets and the Greek
// alphabet on two tabs. Command 182 of the frame shows and hides it
// (UM_SHOW / UM_HIDE); its close box, "Close" and Escape give the command
// back to the frame, so that the menu item's check mark follows.
class SymbolTable : public QDialog, public DocumentWindow {
  Q_OBJECT

 public:
  // Made hidden, at the saved place.
  explicit SymbolTable(MainFrame* frame);

  QTabWidget* tabs() const { return tabs_; }
  QWidget* control(int controlId) const;
  void SymbolTableShow(bool visible);

  // DocumentWindow: nothing to activate; at the end the place and the
  // visibility are written when both save modes say so.
  QMdiSubWindow* subWindow() const override { return nullptr; }
  void initialise(QMdiSubWindow*&, bool&) override {}
  void saveAndRelease() override;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QWidget* planetsPage();
  QWidget* greekPage();
  void giveCommandBack();

  QPointer<MainFrame> frame_;
  QTabWidget* tabs_ = nullptr;
  bool released_ = false;
};

// Makes the table, registers it with the frame and, when it was open at the
// end of the last run, opens it through command 182.
SymbolTable* createSymbolTable(MainFrame& frame);

}  // namespace noctavo
