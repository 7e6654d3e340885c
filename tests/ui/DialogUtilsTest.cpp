#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <string>

#include "frame/WindowMessages.h"
#include "support/InternalErrorRecorder.h"
#include "ui/DialogControls.h"
#include "ui/DialogUtils.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

TEST(ProgramFolder, IsTheProgramsFolderWithATrailingSlash) {
  EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
}

TEST(CheckedRadio, FindsTheCheckedIdWithinTheRangeOnly) {
  QWidget dialog;
  std::vector<QRadioButton*> buttons;
  for (int id = 1029; id <= 1032; ++id) {
    buttons.push_back(new QRadioButton(&dialog));
    setControlId(buttons.back(), id);
  }
  {
    InternalErrorRecorder recorder;
    EXPECT_EQ(CheckedRadio(&dialog, 1029, 1032), 0);  // none checked
    EXPECT_EQ(recorder.modules(), std::vector<std::string>{"AST_GEN"});
  }
  buttons[3]->setChecked(true);
  EXPECT_EQ(CheckedRadio(&dialog, 1029, 1032), 1032);
  buttons[0]->setChecked(true);
  EXPECT_EQ(CheckedRadio(&dialog, 1029, 1032), 1029);
  InternalErrorRecorder recorder;
  buttons[3]->setChecked(true);
  EXPECT_EQ(CheckedRadio(&dialog, 1029, 1031), 0);
  EXPECT_EQ(CheckedRadio(&dialog, 1032, 1029), 0);  // a reversed range
  EXPECT_GE(recorder.count(), 2u);
}

TEST(ListBoxFindExact, FindsOnlyTheItemEqualInEveryLetter) {
  const std::pair<QStringList, int> cases[] = {
      {{"Achernar", "Alphard", "Alpha", "Altair"}, 2},  // behind a longer item with the same beginning
      {{"ALPHA", "alphabet", "Alpha"}, 2},
      {{"Achernar", "ALPHA", "alpha", "Altair"}, -1},  // differing only in letter case is no match
      {{"Aldebaran", "Betelgeuse"}, -1},
      {{}, -1},
  };
  for (const auto& [items, expected] : cases) {
    QWidget dialog;
    auto* list = new QListWidget(&dialog);
    setControlId(list, 154);
    list->addItems(items);
    int index = -5;
    EXPECT_EQ(ListBoxFindExact(&dialog, 154, "Alpha", index), expected >= 0) << items.join(',').toStdString();
    EXPECT_EQ(index, expected) << items.join(',').toStdString();
  }
  QWidget empty;
  InternalErrorRecorder recorder;
  int index = 3;
  EXPECT_FALSE(ListBoxFindExact(&empty, 154, "Vega", index));
  EXPECT_EQ(index, -1);
  EXPECT_EQ(recorder.count(), 1u);
}

TEST(ChildWindows, RectanglesAreInTheParentsClientCoordinatesAndMovesTakeGrandchildrenAlong) {
  QWidget dialog;
  auto* group = new QGroupBox(&dialog);
  group->setGeometry(10, 20, 200, 100);
  auto* button = new QPushButton(group);
  button->setGeometry(5, 7, 60, 23);
  auto* first = new QPushButton(&dialog);
  first->setGeometry(300, 10, 50, 20);
  EXPECT_EQ(ChildRect(&dialog, button), QRect(15, 27, 60, 23));
  MoveChildren(&dialog, 7, -3, true);
  EXPECT_EQ(first->geometry(), QRect(307, 7, 50, 20));
  EXPECT_EQ(group->geometry(), QRect(17, 17, 200, 100));
  EXPECT_EQ(button->geometry(), QRect(5, 7, 60, 23));
}

class MessageCounter : public QWidget {
 public:
  using QWidget::QWidget;
  int received = 0;
  qintptr lastParam = 0;

 protected:
  bool event(QEvent* e) override {
    if (e->type() != static_cast<QEvent::Type>(UM_OPTIONS_CHANGED)) return QWidget::event(e);
    ++received;
    lastParam = static_cast<WindowMessage*>(e)->lParam();
    return true;
  }
};

TEST(ChildWindows, EveryChildReceivesAMessageSentToTheChildren) {
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

TEST(Interpolate, SpreadsNPointsEvenlyFromAToBAndOnePointIsA) {
  EXPECT_DOUBLE_EQ(Interpolate(10.0, 20.0, 0, 11), 10.0);
  EXPECT_DOUBLE_EQ(Interpolate(10.0, 20.0, 5, 11), 15.0);
  EXPECT_DOUBLE_EQ(Interpolate(0.0, 365.0, 365, 366), 365.0);
  EXPECT_DOUBLE_EQ(Interpolate(3.0, 8.0, 0, 1), 3.0);
}

TEST(TrimTrailingBlanks, RemovesOnlyTheBlanksAtTheEnd) {
  QString text = "  Sirius   ";
  TrimTrailingBlanks(text);
  EXPECT_EQ(text, QStringLiteral("  Sirius"));
  for (const auto& [given, trimmed] : {std::pair<std::string, std::string>{" Vega\t  ", " Vega\t"}, {"   ", ""}}) {
    std::string bytes = given;
    TrimTrailingBlanks(bytes);
    EXPECT_EQ(bytes, trimmed);
  }
}

}  // namespace
}  // namespace noctavo
