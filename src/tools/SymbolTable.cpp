#include "tools/SymbolTable.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <string>

#include "catalogues/GreekLetter.h"
#include "shell/HelpViewer.h"
#include "shell/Options.h"
#include "shell/SettingsStore.h"
#include "shell/WindowMessages.h"
#include "ui/DialogControls.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "astsymtb";
constexpr const char* helpTopic = "utilitiessymboltable.htm";

constexpr const char* settingsSubkey = "Symbol table";
constexpr const char* visibleName = "Visible";
constexpr const char* xName = "X";
constexpr const char* yName = "Y";

// The symbols are drawn larger than the 8-point texts beside them, so that
// their shapes can be told apart.
constexpr int symbolPointSize = 14;
// The Greek page: three columns of eight letters.
constexpr int greekRowsPerColumn = 8;

QFont symbolCellFont() {
  QFont font = SymbolFont();
  font.setPointSize(symbolPointSize);
  return font;
}

QLabel* symbolLabel(QWidget* page, int controlId, unsigned char code) {
  auto* label = withId(new QLabel(symbolText(std::string(1, static_cast<char>(code))), page), controlId);
  label->setFont(symbolCellFont());
  label->setAlignment(Qt::AlignCenter);
  label->setMinimumWidth(24);
  return label;
}

}  // namespace

const BodySymbolCell bodySymbolCells[11] = {
    {"Sun", symbol_table::sun, 177},         {"Moon", symbol_table::moon, 178},
    {"Mercury", symbol_table::mercury, 179}, {"Venus", symbol_table::venus, 181},
    {"Earth", symbol_table::earth, 182},     {"Mars", symbol_table::mars, 183},
    {"Jupiter", symbol_table::jupiter, 184}, {"Saturn", symbol_table::saturn, 185},
    {"Uranus", symbol_table::uranus, 186},   {"Neptune", symbol_table::neptune, 187},
    {"Pluto", symbol_table::pluto, 188},
};

SymbolTableSettings readSymbolTableSettings() {
  SymbolTableSettings s;
  const std::string key = settingsKey(settingsSubkey);
  s.visible = SettingsReadBool(key, visibleName, s.visible);
  s.x = SettingsReadInt(key, xName, s.x);
  s.y = SettingsReadInt(key, yName, s.y);
  return s;
}

void writeSymbolTableSettings(const SymbolTableSettings& s) {
  const std::string key = settingsKey(settingsSubkey);
  SettingsWriteInt(key, visibleName, s.visible ? 1 : 0);
  SettingsWriteInt(key, xName, s.x);
  SettingsWriteInt(key, yName, s.y);
}

SymbolTable::SymbolTable(MainFrame* frame) : QDialog(frame, Qt::Tool), frame_(frame) {
  setObjectName(QStringLiteral("Dlg_SymbolTable"));
  setWindowTitle(QStringLiteral("Table of Symbols and Abbreviations"));
  setFont(SymbolFont());
  setModal(false);

  tabs_ = withId(new QTabWidget(this), symbol_table::tabs);
  tabs_->addTab(planetsPage(), QStringLiteral("Celestial objects"));
  tabs_->addTab(greekPage(), QStringLiteral("Greek alphabet"));
  auto* close = withId(new QPushButton(QStringLiteral("Close"), this), symbol_table::close);
  connect(close, &QPushButton::clicked, this, [this] { giveCommandBack(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  const SymbolTableSettings s = readSymbolTableSettings();
  move(s.x, s.y);
}

QWidget* SymbolTable::planetsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("DLG_SYMBOLTABLEPLANETS"));
  auto* grid = new QGridLayout(page);
  constexpr int rowsPerColumn = 6;
  int i = 0;
  for (const BodySymbolCell& cell : bodySymbolCells) {
    const int row = i % rowsPerColumn;
    const int column = 2 * (i / rowsPerColumn);
    grid->addWidget(new QLabel(QString::fromLatin1(cell.name), page), row, column);
    grid->addWidget(symbolLabel(page, cell.controlId, cell.symbol), row, column + 1);
    ++i;
  }
  grid->setHorizontalSpacing(12);
  grid->setColumnMinimumWidth(2, 40);
  grid->setColumnStretch(4, 1);
  return page;
}

QWidget* SymbolTable::greekPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("DLG_SYMBOLTABLEGREEK"));
  auto* grid = new QGridLayout(page);
  for (int r = 0; r < symbol_table::greekRowCount; ++r) {
    const GreekLetter small(r);
    const GreekLetter capital(r + GreekLetter::capitalOffset);
    const int row = r % greekRowsPerColumn;
    const int column = 3 * (r / greekRowsPerColumn);
    grid->addWidget(withId(new QLabel(QString::fromLatin1(small.name()), page), symbol_table::greekNameId(r)), row,
                    column);
    grid->addWidget(symbolLabel(page, symbol_table::greekCapitalId(r), capital.symbol()), row, column + 1);
    grid->addWidget(symbolLabel(page, symbol_table::greekSmallId(r), small.symbol()), row, column + 2);
  }
  grid->setHorizontalSpacing(8);
  for (int column = 3; column < 9; column += 3) grid->setColumnMinimumWidth(column - 1, 40);
  return page;
}

QWidget* SymbolTable::control(int controlId) const {
  return findControlChecked(this, controlId, moduleName, __LINE__);
}

void SymbolTable::SymbolTableShow(bool visible) {
  if (released_) return;
  setVisible(visible);
  if (visible) raise();
}

void SymbolTable::giveCommandBack() {
  // The frame unchecks the menu item and sends UM_HIDE back.
  if (frame_ && frame_->isCommandChecked(command::symbolTable)) {
    frame_->executeCommand(command::symbolTable);
  } else {
    SymbolTableShow(false);
  }
}

void SymbolTable::saveAndRelease() {
  if (released_) return;
  const Options& current = options();
  if (current.saveOptions && current.saveWindowState) {
    writeSymbolTableSettings({isVisible(), pos().x(), pos().y()});
  }
  released_ = true;
  hide();
}

bool SymbolTable::event(QEvent* event) {
  if (const auto* message = dynamic_cast<const WindowMessage*>(event)) {
    if (message->message() == UM_SHOW || message->message() == UM_HIDE) {
      SymbolTableShow(message->message() == UM_SHOW);
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    showHelpTopic(QString::fromLatin1(helpTopic));
    return true;
  }
  return QDialog::event(event);
}

void SymbolTable::closeEvent(QCloseEvent* event) {
  event->ignore();
  giveCommandBack();
}

void SymbolTable::reject() { giveCommandBack(); }

SymbolTable* createSymbolTable(MainFrame& frame) {
  auto* table = new SymbolTable(&frame);
  frame.registerWindow(FrameWindow::SymbolTable, table);
  frame.registerDocument(FrameWindow::SymbolTable, table);
  if (readSymbolTableSettings().visible) frame.executeCommand(command::symbolTable);
  return table;
}

}  // namespace noctavo
