#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <optional>
#include <vector>

#include "catalogues/CoreServices.h"
#include "support/InternalErrorRecorder.h"
#include "support/ModalDialogs.h"
#include "ui/AppMessageBox.h"

namespace noctavo {
namespace {

QPushButton* messageButton(QWidget* dialog, int slot) {
  return qobject_cast<QPushButton*>(findControlOrNull(dialog, 253 + slot));
}

// Each button set shows its buttons evenly spaced, each answering its own
// result, with an always disabled Help; Escape answers OK or Cancel but
// cannot dismiss a Yes/No question.
TEST(MessageBox, EachSetShowsItsButtonsEvenlyAndEscapeAnswersOnlyWhereThereIsOkOrCancel) {
  using R = MsgResult;
  const struct {
    MsgButtons buttons;
    MsgSeverity severity;
    const char* caption;
    std::vector<QString> texts;
    std::vector<R> results;
    std::optional<R> escape;
  } cases[] = {
      {MsgButtons::Ok, MsgSeverity::Information, "Noctavo information", {"OK", "Help"}, {R::Ok}, R::Ok},
      {MsgButtons::OkCancel, MsgSeverity::Warning, "Noctavo warning", {"OK", "Cancel", "Help"}, {R::Ok, R::Cancel},
       R::Cancel},
      {MsgButtons::YesNo, MsgSeverity::Error, "Noctavo error", {"&Yes", "&No", "Help"}, {R::Yes, R::No}, {}},
      {MsgButtons::YesNoCancel, MsgSeverity::Information, "Noctavo information", {"&Yes", "&No", "Cancel", "Help"},
       {R::Yes, R::No, R::Cancel}, R::Cancel},
  };
  for (const auto& c : cases) {
    for (int slot = -1; slot < static_cast<int>(c.results.size()); ++slot) {  // -1: Escape
      SCOPED_TRACE(::testing::Message() << "set " << static_cast<int>(c.buttons) << " slot " << slot);
      std::vector<QString> texts;
      std::vector<int> lefts;
      int width = 0, clientWidth = 0, disabled = -1;
      bool stillOpen = false;
      testing::ModalWatch watch([&](QWidget* dialog) {
        clientWidth = dialog->width();
        for (int i = 0; i < 4; ++i) {
          QPushButton* button = messageButton(dialog, i);
          if (!button || !button->isVisible()) continue;
          texts.push_back(button->text());
          lefts.push_back(button->x());
          width = button->width();
          if (!button->isEnabled()) disabled = int(texts.size()) - 1;
        }
        if (slot < 0) {
          QTest::keyClick(dialog, Qt::Key_Escape);
          stillOpen = dialog->isVisible();
          if (stillOpen) QTest::mouseClick(messageButton(dialog, 1), Qt::LeftButton);
        } else {
          QTest::mouseClick(messageButton(dialog, slot), Qt::LeftButton);
        }
      });
      const MsgResult result = AppMessageBox(QStringLiteral("Save the graph?"), nullptr, c.severity, c.buttons);
      EXPECT_EQ(result, slot < 0 ? c.escape.value_or(R::No) : c.results[std::size_t(slot)]);
      EXPECT_EQ(stillOpen, slot < 0 && !c.escape);
      ASSERT_EQ(watch.count(), 1);
      EXPECT_EQ(watch.shown[0].objectName + " " + watch.shown[0].caption, "Dlg_MessageBox " + QString(c.caption));
      EXPECT_EQ(watch.shown[0].text, QStringLiteral("Save the graph?"));
      EXPECT_EQ(texts, c.texts);
      EXPECT_EQ(disabled, int(c.texts.size()) - 1);  // Help only
      // The same gap before every button, what is left of the division by
      // n + 1 after the last.
      for (std::size_t i = 1; i < lefts.size(); ++i) EXPECT_EQ(lefts[i] - (lefts[i - 1] + width), lefts[0]) << i;
      const int rightMargin = clientWidth - (lefts.back() + width);
      EXPECT_TRUE(rightMargin >= lefts[0] && rightMargin - lefts[0] <= 4) << rightMargin << " " << lefts[0];
    }
  }
  testing::InternalErrorRecorder recorder;
  AppMessageBox(QStringLiteral("x"), nullptr, MsgSeverity::Information, static_cast<MsgButtons>(4));
  EXPECT_EQ(recorder.modules(), (std::vector<std::string>{"AST_GEN"}));
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
  testing::ModalWatch watch;
  showUserMessage(MessageSeverity::Warning, "Angle 45\xB0 is out of range");
  ASSERT_EQ(watch.count(), 1);
  EXPECT_EQ(watch.shown[0].caption, QStringLiteral("Noctavo warning"));
  EXPECT_EQ(watch.shown[0].text, QStringLiteral("Angle 45° is out of range"));
  EXPECT_EQ(watch.shown[0].owner, &frame);
}

TEST_F(CoreHandlers, AnInternalErrorIsShownAndEndsTheProgramWithExitCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        installCoreMessageHandlers(nullptr);
        testing::whenModalAppears([](QWidget* dialog) {
          std::fprintf(stderr, "%s | %s\n", qPrintable(dialog->windowTitle()),
                       qPrintable(qobject_cast<QLabel*>(findControlOrNull(dialog, 135))->text()));
          QTest::mouseClick(messageButton(dialog, 0), Qt::LeftButton);
        });
        internalError("AST_OPT", 12);
        std::fprintf(stderr, "still running\n");
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "Noctavo information \\| An internal error occurred in module AST_OPT, line 12");
}

}  // namespace
}  // namespace noctavo
