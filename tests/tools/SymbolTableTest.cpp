// The table of symbols: its cells, and its menu item that follows every way
// of closing it.
#include "tools/SymbolTable.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include <memory>

#include "shell/WindowMessages.h"
#include "support/TemporarySettings.h"

namespace noctavo {
namespace {

class SymbolTableTest : public ::testing::Test {
 protected:
  SymbolTableTest() { registerWindowMessages(); }
  ~SymbolTableTest() override {
    frame.reset();
    QApplication::processEvents();
  }
  void start() {
    frame = std::make_unique<MainFrame>();
    frame->show();
    table = createSymbolTable(*frame);
  }
  QString cell(int controlId) { return static_cast<QLabel*>(table->control(controlId))->text(); }

  testing::TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
  SymbolTable* table = nullptr;
};

TEST_F(SymbolTableTest, TheTabsShowTheBodySymbolsAndTheGreekAlphabet) {
  start();
  ASSERT_EQ(table->tabs()->count(), 2);
  EXPECT_EQ(table->tabs()->tabText(0), QStringLiteral("Celestial objects"));
  EXPECT_EQ(table->tabs()->tabText(1), QStringLiteral("Greek alphabet"));
  const std::pair<int, const char16_t*> cells[] = {
      {symbol_table::sun, u"☉"},        {symbol_table::moon, u"☽"},     {symbol_table::earth, u"♁"},
      {symbol_table::pluto, u"♇"},      {symbol_table::greekNameId(0), u"Alpha"},
      {symbol_table::greekCapitalId(0), u"Α"}, {symbol_table::greekSmallId(0), u"α"},
      {symbol_table::greekNameId(16), u"Rho"}, {symbol_table::greekSmallId(16), u"ρ"},
      {symbol_table::greekNameId(23), u"Omega"}, {symbol_table::greekCapitalId(23), u"Ω"},
  };
  for (const auto& [id, text] : cells) {
    SCOPED_TRACE(id);
    EXPECT_EQ(cell(id), QString::fromUtf16(text));
  }
}

TEST_F(SymbolTableTest, EveryWayOfClosingUnchecksTheMenuItemAndTheItemShowsItAgainInPlace) {
  start();
  EXPECT_FALSE(table->isVisible());
  EXPECT_FALSE(frame->isCommandChecked(command::symbolTable));
  const auto closeBy = {+[](SymbolTable& t) { QTest::mouseClick(t.control(symbol_table::close), Qt::LeftButton); },
                        +[](SymbolTable& t) { t.close(); },
                        +[](SymbolTable& t) { QTest::keyClick(&t, Qt::Key_Escape); }};
  int way = 0;
  for (auto close : closeBy) {
    SCOPED_TRACE(way++);
    frame->executeCommand(command::symbolTable);
    ASSERT_TRUE(table->isVisible());
    EXPECT_TRUE(frame->isCommandChecked(command::symbolTable));
    const QPoint place = table->pos();
    close(*table);
    EXPECT_FALSE(table->isVisible());
    EXPECT_FALSE(frame->isCommandChecked(command::symbolTable));
    frame->executeCommand(command::symbolTable);
    EXPECT_EQ(table->pos(), place);
    frame->executeCommand(command::symbolTable);
  }
}

TEST_F(SymbolTableTest, AnOpenTableIsOpenAgainAtTheStartOfTheNextRun) {
  start();
  frame->executeCommand(command::symbolTable);
  table->saveAndRelease();
  frame.reset();
  settings.restart();
  start();
  EXPECT_TRUE(table->isVisible());
  EXPECT_TRUE(frame->isCommandChecked(command::symbolTable));
}

}  // namespace
}  // namespace noctavo
