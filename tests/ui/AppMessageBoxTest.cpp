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

QPushButton* messageButton(QWidget* dialog, int slot) {
  return qobject_cast<QPushButton*>(findControlOrNull(dialog, 253 + slot));
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
};

SeenBox recordBox(QWidget* dialog) {
  SeenBox seen;
  seen.objectName = dialog->objectName();
  seen.caption = dialog->windowTitle();
  seen.owner = dialog->parentWidget();
  if (auto* text = qobject_cast<QLabel*>(findControlOrNull(dialog, 135))) seen.text = text->text();
  seen.clientWidth = dialog->width();
  for (int slot = 0; slot < 4; ++slot) {
    QPushButton* button = messageButton(dialog, slot);
    if (!button || !button->isVisible()) continue;
    seen.buttonTexts.push_back(button->text());
    seen.buttonEnabled.push_back(button->isEnabled());
    seen.buttonLefts.push_back(button->x());
    seen.buttonWidth = button->width();
  }
  return seen;
}

void pressEscape(QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }
void clickSlot(QWidget* dialog, int slot) { QTest::mouseClick(messageButton(dialog, slot), Qt::LeftButton); }

// Shows a box, records it, then answers with `answer`.
MsgResult showAndAnswer(MsgButtons buttons, SeenBox& seen, std::function<void(QWidget*)> answer,
                        MsgSeverity severity = MsgSeverity::Information) {
  testing::whenModalAppears([&seen, answer](QWidget* dialog) {
    seen = recordBox(dialog);
    answer(dialog);
  });
  return AppMessageBox(QStringLiteral("Save the graph?"), nullptr, severity, buttons);
}

TEST(MessageBox, EscapeAnswersOkOrCancelButCannotDismissAYesNoQuestion) {
  for (const auto& [buttons, result] : {std::pair{MsgButtons::Ok, MsgResult::Ok},
                                        std::pair{MsgButtons::OkCancel, MsgResult::Cancel},
                                        std::pair{MsgButtons::YesNoCancel, MsgResult::Cancel}}) {
    SeenBox seen;
    EXPECT_EQ(showAndAnswer(buttons, seen, pressEscape), result) << static_cast<int>(buttons);
  }
  SeenBox seen;
  bool stillOpen = false;
  const MsgResult result = showAndAnswer(MsgButtons::YesNo, seen, [&stillOpen](QWidget* dialog) {
    pressEscape(dialog);
    dialog->close();
    stillOpen = dialog->isVisible();
    clickSlot(dialog, 1);  // "No"
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(result, MsgResult::No);
}

TEST(MessageBox, EachSetShowsItsButtonsAnsweringTheirOwnResultAndAnAlwaysDisabledHelp) {
  struct Case {
    MsgButtons buttons;
    std::vector<QString> texts;
    std::vector<MsgResult> results;
  };
  const Case cases[] = {
      {MsgButtons::Ok, {"OK", "Help"}, {MsgResult::Ok}},
      {MsgButtons::OkCancel, {"OK", "Cancel", "Help"}, {MsgResult::Ok, MsgResult::Cancel}},
      {MsgButtons::YesNo, {"&Yes", "&No", "Help"}, {MsgResult::Yes, MsgResult::No}},
      {MsgButtons::YesNoCancel, {"&Yes", "&No", "Cancel", "Help"}, {MsgResult::Yes, MsgResult::No, MsgResult::Cancel}},
  };
  for (const Case& c : cases) {
    for (int slot = 0; slot < static_cast<int>(c.results.size()); ++slot) {
      SCOPED_TRACE(::testing::Message() << "set " << static_cast<int>(c.buttons) << " slot " << slot);
      SeenBox seen;
      EXPECT_EQ(showAndAnswer(c.buttons, seen, [slot](QWidget* dialog) { clickSlot(dialog, slot); }), c.results[slot]);
      EXPECT_EQ(seen.buttonTexts, c.texts);
      std::vector<bool> enabled(c.texts.size(), true);
      enabled.back() = false;
      EXPECT_EQ(seen.buttonEnabled, enabled);
    }
  }
}

TEST(MessageBox, ButtonRowsAreSpacedEvenlyAndCentred) {
  const std::vector<int> lefts = evenButtonRow(200, 37, 3);
  ASSERT_EQ(lefts.size(), 3u);
  EXPECT_EQ(lefts[1] - (lefts[0] + 37), lefts[0]);
  EXPECT_EQ(lefts[2] - (lefts[1] + 37), lefts[0]);
  EXPECT_LE(std::abs(200 - (lefts[2] + 37) - lefts[0]), 1);

  SeenBox seen;
  showAndAnswer(MsgButtons::YesNoCancel, seen, [](QWidget* dialog) { clickSlot(dialog, 2); });
  ASSERT_EQ(seen.buttonLefts.size(), 4u);
  const int w = seen.buttonWidth;
  const int margin = seen.buttonLefts[0];
  for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(seen.buttonLefts[i] - (seen.buttonLefts[i - 1] + w), margin) << i;
  const int rightMargin = seen.clientWidth - (seen.buttonLefts[3] + w);
  EXPECT_GE(rightMargin, margin);
  EXPECT_LE(rightMargin - margin, 4);  // the rest of the division by n + 1
}

TEST(MessageBox, TheCaptionNamesTheProductAndTheSeverity) {
  for (const auto& [severity, caption] : {std::pair{MsgSeverity::Information, "Noctavo information"},
                                          std::pair{MsgSeverity::Warning, "Noctavo warning"},
                                          std::pair{MsgSeverity::Error, "Noctavo error"}}) {
    SeenBox seen;
    showAndAnswer(MsgButtons::Ok, seen, pressEscape, severity);
    EXPECT_EQ(seen.caption, QString::fromLatin1(caption));
    EXPECT_EQ(seen.objectName, QStringLiteral("Dlg_MessageBox"));
    EXPECT_EQ(seen.text, QStringLiteral("Save the graph?"));
  }
}

TEST(MessageBox, AButtonSetOrSeverityOutsideTheTableIsAnInternalErrorOfTheGeneralModule) {
  InternalErrorRecorder recorder;
  AppMessageBox(QStringLiteral("x"), nullptr, MsgSeverity::Information, static_cast<MsgButtons>(4));
  AppMessageBox(QStringLiteral("x"), nullptr, static_cast<MsgSeverity>(3), MsgButtons::Ok);
  EXPECT_EQ(recorder.modules(), (std::vector<std::string>{"AST_GEN", "AST_GEN"}));
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
  testing::whenModalAppears([&seen](QWidget* dialog) {
    seen = recordBox(dialog);
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
        testing::whenModalAppears([](QWidget* dialog) {
          const SeenBox seen = recordBox(dialog);
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
