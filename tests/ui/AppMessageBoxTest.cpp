#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <vector>

#include "catalogues/CoreServices.h"
#include "support/InternalErrorRecorder.h"
#include "support/ModalDialogs.h"
#include "ui/AppMessageBox.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;
using testing::whenModalAppears;

constexpr int firstButtonId = 253;

QPushButton* messageButton(QWidget* dialog, int slot) {
  return qobject_cast<QPushButton*>(findControlOrNull(dialog, firstButtonId + slot));
}

// What a test saw of the box before it answered it.
struct SeenBox {
  QString objectName;
  QString caption;
  QString text;
  QWidget* owner = nullptr;
  std::vector<QString> buttonTexts;  // the visible buttons, left to right
  std::vector<bool> buttonEnabled;
  std::vector<int> buttonLefts;
  int buttonWidth = 0;
  int clientWidth = 0;
  bool stillOpenAfterEscape = false;
};

void recordBox(QWidget* dialog, SeenBox& seen) {
  seen.objectName = dialog->objectName();
  seen.caption = dialog->windowTitle();
  if (auto* text = qobject_cast<QLabel*>(findControlOrNull(dialog, 135))) seen.text = text->text();
  seen.owner = dialog->parentWidget();
  seen.clientWidth = dialog->width();
  for (int slot = 0; slot < 4; ++slot) {
    QPushButton* button = messageButton(dialog, slot);
    if (!button || !button->isVisible()) continue;
    seen.buttonTexts.push_back(button->text());
    seen.buttonEnabled.push_back(button->isEnabled());
    seen.buttonLefts.push_back(button->x());
    seen.buttonWidth = button->width();
  }
}

// Shows a box, records it, then answers with `answer`.
MsgResult showAndAnswer(MsgButtons buttons, SeenBox& seen, std::function<void(QWidget*)> answer,
                        MsgSeverity severity = MsgSeverity::Information, QWidget* owner = nullptr) {
  whenModalAppears([&seen, answer](QWidget* dialog) {
    recordBox(dialog, seen);
    answer(dialog);
  });
  return AppMessageBox(QStringLiteral("Save the graph?"), owner, severity, buttons);
}

void pressEscape(QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }

void clickSlot(QWidget* dialog, int slot) { QTest::mouseClick(messageButton(dialog, slot), Qt::LeftButton); }

TEST(MessageBoxEscape, AnOkMessageClosedWithEscapeAnswersOk) {
  SeenBox seen;
  EXPECT_EQ(showAndAnswer(MsgButtons::Ok, seen, pressEscape), MsgResult::Ok);
}

TEST(MessageBoxEscape, AnOkCancelQuestionClosedWithEscapeAnswersCancel) {
  SeenBox seen;
  EXPECT_EQ(showAndAnswer(MsgButtons::OkCancel, seen, pressEscape), MsgResult::Cancel);
}

TEST(MessageBoxEscape, AYesNoCancelQuestionClosedWithEscapeAnswersCancel) {
  SeenBox seen;
  EXPECT_EQ(showAndAnswer(MsgButtons::YesNoCancel, seen, pressEscape), MsgResult::Cancel);
}

TEST(MessageBoxEscape, AYesNoQuestionCannotBeDismissedWithEscapeOrTheCloseBox) {
  SeenBox seen;
  const MsgResult result = showAndAnswer(MsgButtons::YesNo, seen, [&seen](QWidget* dialog) {
    pressEscape(dialog);
    dialog->close();
    seen.stillOpenAfterEscape = dialog->isVisible();
    clickSlot(dialog, 1);  // "No"
  });
  EXPECT_TRUE(seen.stillOpenAfterEscape);
  EXPECT_EQ(result, MsgResult::No);
}

TEST(MessageBoxButtons, EachSetShowsItsButtonsWithAHelpButtonThatIsAlwaysDisabled) {
  struct Case {
    MsgButtons buttons;
    std::vector<QString> texts;
  };
  const std::vector<Case> cases = {
      {MsgButtons::Ok, {"OK", "Help"}},
      {MsgButtons::OkCancel, {"OK", "Cancel", "Help"}},
      {MsgButtons::YesNo, {"&Yes", "&No", "Help"}},
      {MsgButtons::YesNoCancel, {"&Yes", "&No", "Cancel", "Help"}},
  };
  for (const Case& c : cases) {
    SeenBox seen;
    showAndAnswer(c.buttons, seen, [](QWidget* dialog) { clickSlot(dialog, 0); });
    EXPECT_EQ(seen.buttonTexts, c.texts);
    ASSERT_EQ(seen.buttonEnabled.size(), c.texts.size());
    for (std::size_t i = 0; i + 1 < c.texts.size(); ++i) EXPECT_TRUE(seen.buttonEnabled[i]) << i;
    EXPECT_FALSE(seen.buttonEnabled.back());
  }
}

TEST(MessageBoxButtons, EveryButtonAnswersWithItsOwnResult) {
  struct Case {
    MsgButtons buttons;
    int slot;
    MsgResult expected;
  };
  const std::vector<Case> cases = {
      {MsgButtons::Ok, 0, MsgResult::Ok},          {MsgButtons::OkCancel, 0, MsgResult::Ok},
      {MsgButtons::OkCancel, 1, MsgResult::Cancel}, {MsgButtons::YesNo, 0, MsgResult::Yes},
      {MsgButtons::YesNo, 1, MsgResult::No},        {MsgButtons::YesNoCancel, 0, MsgResult::Yes},
      {MsgButtons::YesNoCancel, 1, MsgResult::No},  {MsgButtons::YesNoCancel, 2, MsgResult::Cancel},
  };
  for (const Case& c : cases) {
    SeenBox seen;
    const int slot = c.slot;
    EXPECT_EQ(showAndAnswer(c.buttons, seen, [slot](QWidget* dialog) { clickSlot(dialog, slot); }), c.expected)
        << "set " << static_cast<int>(c.buttons) << " slot " << slot;
  }
}

TEST(MessageBoxLayout, ThreeButtonsOf37In200AreSpacedEvenlyAndCentred) {
  const std::vector<int> lefts = evenButtonRow(200, 37, 3);
  ASSERT_EQ(lefts.size(), 3u);
  const int leftMargin = lefts[0];
  const int gap1 = lefts[1] - (lefts[0] + 37);
  const int gap2 = lefts[2] - (lefts[1] + 37);
  const int rightMargin = 200 - (lefts[2] + 37);
  EXPECT_EQ(gap1, gap2);
  EXPECT_EQ(gap1, leftMargin);
  EXPECT_LE(std::abs(rightMargin - leftMargin), 1);
}

TEST(MessageBoxLayout, TheDialogsButtonRowIsEvenAndCentred) {
  SeenBox seen;
  showAndAnswer(MsgButtons::YesNoCancel, seen, [](QWidget* dialog) { clickSlot(dialog, 2); });
  ASSERT_EQ(seen.buttonLefts.size(), 4u);
  const int w = seen.buttonWidth;
  const int leftMargin = seen.buttonLefts[0];
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(seen.buttonLefts[i] - (seen.buttonLefts[i - 1] + w), leftMargin) << i;
  }
  const int rightMargin = seen.clientWidth - (seen.buttonLefts[3] + w);
  EXPECT_GE(rightMargin, leftMargin);
  EXPECT_LE(rightMargin - leftMargin, 4);  // the rest of the division by n + 1
}

TEST(MessageBoxLook, CaptionNamesTheProductAndTheSeverity) {
  const std::vector<std::pair<MsgSeverity, QString>> cases = {
      {MsgSeverity::Information, "Noctavo information"},
      {MsgSeverity::Warning, "Noctavo warning"},
      {MsgSeverity::Error, "Noctavo error"},
  };
  for (const auto& [severity, caption] : cases) {
    SeenBox seen;
    showAndAnswer(MsgButtons::Ok, seen, pressEscape, severity);
    EXPECT_EQ(seen.caption, caption);
    EXPECT_EQ(seen.objectName, QStringLiteral("Dlg_MessageBox"));
    EXPECT_EQ(seen.text, QStringLiteral("Save the graph?"));
  }
}

TEST(MessageBoxRequest, AButtonSetOutsideTheFourIsAnInternalErrorOfTheGeneralModule) {
  InternalErrorRecorder recorder;
  AppMessageBox(QStringLiteral("x"), nullptr, MsgSeverity::Information, static_cast<MsgButtons>(4));
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "AST_GEN");
}

TEST(MessageBoxRequest, ASeverityOutsideTheThreeIsAnInternalErrorOfTheGeneralModule) {
  InternalErrorRecorder recorder;
  AppMessageBox(QStringLiteral("x"), nullptr, static_cast<MsgSeverity>(3), MsgButtons::Ok);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "AST_GEN");
}

// Puts the program's handlers in place for one test and the test run's
// handlers back afterwards.
class CoreHandlers : public ::testing::Test {
 protected:
  void SetUp() override {
    previousMessage_ = setUserMessageHandler(nullptr);
    previousError_ = setInternalErrorHandler(nullptr);
  }
  void TearDown() override {
    setUserMessageHandler(previousMessage_);
    setInternalErrorHandler(previousError_);
  }

 private:
  UserMessageHandler previousMessage_;
  InternalErrorHandler previousError_;
};

TEST_F(CoreHandlers, ACoreMessageAppearsInTheMessageBoxWithItsSeverity) {
  QWidget frame;
  frame.show();
  installCoreMessageHandlers(&frame);
  SeenBox seen;
  whenModalAppears([&seen](QWidget* dialog) {
    recordBox(dialog, seen);
    clickSlot(dialog, 0);
  });
  showUserMessage(MessageSeverity::Warning, "Angle 45\xB0 is out of range");
  EXPECT_EQ(seen.caption, QStringLiteral("Noctavo warning"));
  EXPECT_EQ(seen.text, QStringLiteral("Angle 45° is out of range"));
  EXPECT_EQ(seen.owner, &frame);
  EXPECT_EQ(seen.buttonTexts, (std::vector<QString>{"OK", "Help"}));
}

TEST_F(CoreHandlers, AnInternalErrorIsShownAndEndsTheProgramWithExitCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        installCoreMessageHandlers(nullptr);
        whenModalAppears([](QWidget* dialog) {
          SeenBox seen;
          recordBox(dialog, seen);
          std::fprintf(stderr, "%s | %s\n", qPrintable(seen.caption), qPrintable(seen.text));
          clickSlot(dialog, 0);
        });
        internalError("AST_OPT", 12);
        std::fprintf(stderr, "still running\n");
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "Noctavo information \\| An internal error occurred in module AST_OPT, line 12");
}

}  // namespace
}  // namespace noctavo
