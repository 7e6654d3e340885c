#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <string>

#include "shell/WindowMessages.h"
#include "support/InternalErrorRecorder.h"
#include "ui/DialogControls.h"
#include "ui/DialogUtils.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

TEST(ProgramFolder, IsTheProgramsFolderWithATrailingSlash) {
  const QString folder = ProgramFolder();
  EXPECT_TRUE(folder.endsWith(QLatin1Char('/')));
  EXPECT_EQ(folder, QCoreApplication::applicationDirPath() + "/");
}

// Radio buttons 1029..1032, like a dialog's group.
class RadioGroup : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 4; ++i) {
      auto* button = new QRadioButton(&dialog_);
      setControlId(button, firstId + i);
      buttons_.push_back(button);
    }
  }
  static constexpr int firstId = 1029;
  static constexpr int lastId = 1032;
  QWidget dialog_;
  std::vector<QRadioButton*> buttons_;
};

TEST_F(RadioGroup, CheckedRadioFindsTheLastButtonOfTheGroup) {
  buttons_[3]->setChecked(true);
  EXPECT_EQ(CheckedRadio(&dialog_, firstId, lastId), lastId);
}

TEST_F(RadioGroup, CheckedRadioFindsTheFirstButtonOfTheGroup) {
  buttons_[0]->setChecked(true);
  EXPECT_EQ(CheckedRadio(&dialog_, firstId, lastId), firstId);
}

TEST_F(RadioGroup, CheckedRadioLooksOnlyAtTheGivenRange) {
  buttons_[3]->setChecked(true);
  InternalErrorRecorder recorder;
  EXPECT_EQ(CheckedRadio(&dialog_, firstId, lastId - 1), 0);
  EXPECT_EQ(recorder.count(), 1u);
}

TEST_F(RadioGroup, NoCheckedButtonIsAnInternalErrorWithResultZero) {
  InternalErrorRecorder recorder;
  EXPECT_EQ(CheckedRadio(&dialog_, firstId, lastId), 0);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "AST_GEN");
}

TEST_F(RadioGroup, AReversedRangeIsAnInternalErrorWithResultZero) {
  buttons_[1]->setChecked(true);
  InternalErrorRecorder recorder;
  EXPECT_EQ(CheckedRadio(&dialog_, lastId, firstId), 0);
  ASSERT_GE(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "AST_GEN");
}

class NameList : public ::testing::Test {
 protected:
  void fill(const QStringList& items) {
    list_ = new QListWidget(&dialog_);
    setControlId(list_, listId);
    list_->addItems(items);
  }
  bool find(const QString& text, int& index) { return ListBoxFindExact(&dialog_, listId, text, index); }

  static constexpr int listId = 154;
  QWidget dialog_;
  QListWidget* list_ = nullptr;
};

TEST_F(NameList, FindsTheExactItemBehindALongerItemWithTheSameBeginning) {
  fill({"Achernar", "Alphard", "Alpha", "Altair"});
  int index = -5;
  EXPECT_TRUE(find("Alpha", index));
  EXPECT_EQ(index, 2);
}

TEST_F(NameList, AnItemThatDiffersOnlyInLetterCaseIsNoMatch) {
  fill({"Achernar", "ALPHA", "alpha", "Altair"});
  int index = 7;
  EXPECT_FALSE(find("Alpha", index));
  EXPECT_EQ(index, -1);
}

TEST_F(NameList, FindsTheExactItemAfterItemsDifferingInCase) {
  fill({"ALPHA", "alphabet", "Alpha"});
  int index = -1;
  EXPECT_TRUE(find("Alpha", index));
  EXPECT_EQ(index, 2);
}

TEST_F(NameList, ANameNotInTheListIsNotFound) {
  fill({"Aldebaran", "Betelgeuse"});
  int index = 0;
  EXPECT_FALSE(find("Capella", index));
  EXPECT_EQ(index, -1);
}

TEST_F(NameList, AnEmptyListFindsNothing) {
  fill({});
  int index = 0;
  EXPECT_FALSE(find("Vega", index));
  EXPECT_EQ(index, -1);
}

TEST_F(NameList, AMissingListIsAnInternalError) {
  InternalErrorRecorder recorder;
  int index = 3;
  EXPECT_FALSE(ListBoxFindExact(&dialog_, listId, "Vega", index));
  EXPECT_EQ(index, -1);
  EXPECT_EQ(recorder.count(), 1u);
}

TEST(ChildRect, GivesADeeperChildsRectangleInTheParentsClientCoordinates) {
  QWidget dialog;
  auto* group = new QGroupBox(&dialog);
  group->setGeometry(10, 20, 200, 100);
  auto* button = new QPushButton(group);
  button->setGeometry(5, 7, 60, 23);
  EXPECT_EQ(ChildRect(&dialog, button), QRect(15, 27, 60, 23));
  EXPECT_EQ(ChildRect(&dialog, group), QRect(10, 20, 200, 100));
}

TEST(MoveChildren, MovesEveryChildKeepingItsSizeAndGrandchildrenWithIt) {
  QWidget panel;
  auto* first = new QPushButton(&panel);
  first->setGeometry(10, 10, 50, 20);
  auto* group = new QGroupBox(&panel);
  group->setGeometry(100, 40, 80, 60);
  auto* inner = new QPushButton(group);
  inner->setGeometry(4, 5, 30, 20);
  MoveChildren(&panel, 7, -3, true);
  EXPECT_EQ(first->geometry(), QRect(17, 7, 50, 20));
  EXPECT_EQ(group->geometry(), QRect(107, 37, 80, 60));
  EXPECT_EQ(inner->geometry(), QRect(4, 5, 30, 20));
}

class MessageCounter : public QWidget {
 public:
  using QWidget::QWidget;
  int received = 0;
  qintptr lastParam = 0;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == static_cast<QEvent::Type>(UM_OPTIONS_CHANGED)) {
      ++received;
      lastParam = static_cast<WindowMessage*>(e)->lParam();
      return true;
    }
    return QWidget::event(e);
  }
};

TEST(SendToChildren, EveryChildReceivesTheMessage) {
  QWidget parent;
  auto* a = new MessageCounter(&parent);
  auto* b = new MessageCounter(&parent);
  SendToChildren(&parent, UM_OPTIONS_CHANGED, 0, 42);
  EXPECT_EQ(a->received, 1);
  EXPECT_EQ(b->received, 1);
  EXPECT_EQ(b->lastParam, 42);
}

TEST(CentreOver, PutsTheWindowsCentreOverTheOthersWithoutResizing) {
  QWidget frame;
  frame.setGeometry(100, 100, 600, 400);
  frame.show();
  QWidget dialog;
  dialog.resize(201, 101);
  dialog.show();
  CentreOver(&dialog, &frame);
  EXPECT_EQ(dialog.size(), QSize(201, 101));
  const QRect f = frame.frameGeometry();
  const QRect d = dialog.frameGeometry();
  EXPECT_EQ(d.left(), f.left() + (f.width() - d.width()) / 2);
  EXPECT_EQ(d.top(), f.top() + (f.height() - d.height()) / 2);
}

TEST(Interpolate, SpreadsNPointsEvenlyFromAToB) {
  EXPECT_DOUBLE_EQ(Interpolate(10.0, 20.0, 0, 11), 10.0);
  EXPECT_DOUBLE_EQ(Interpolate(10.0, 20.0, 5, 11), 15.0);
  EXPECT_DOUBLE_EQ(Interpolate(10.0, 20.0, 10, 11), 20.0);
  EXPECT_DOUBLE_EQ(Interpolate(0.0, 365.0, 365, 366), 365.0);
}

TEST(Interpolate, OnePointHasNoSpacingAndGivesA) {
  EXPECT_DOUBLE_EQ(Interpolate(3.0, 8.0, 0, 1), 3.0);
}

TEST(TrimTrailingBlanks, RemovesOnlyTheBlanksAtTheEnd) {
  QString text = "  Sirius   ";
  TrimTrailingBlanks(text);
  EXPECT_EQ(text, QStringLiteral("  Sirius"));
  std::string bytes = " Vega\t  ";
  TrimTrailingBlanks(bytes);
  EXPECT_EQ(bytes, " Vega\t");
  std::string blanks = "   ";
  TrimTrailingBlanks(blanks);
  EXPECT_EQ(blanks, "");
}

}  // namespace
}  // namespace noctavo
