#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <QWidget>

#include <functional>
#include <vector>

#include "catalogues/ConstellationTable.h"
#include "shell/MainFrameAccess.h"
#include "shell/Options.h"
#include "shell/WindowMessages.h"
#include "support/ModalDialogs.h"
#include "support/TemporarySettings.h"
#include "time/AstCoord.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

using testing::TemporarySettings;

// Stands in for the main frame: remembers every window message it gets,
// and the date-time a UM_DST_SET points at when it arrives.
class RecordingFrame : public QWidget {
 public:
  struct Received {
    int message;
    qintptr wParam;
    qintptr lParam;
  };
  std::vector<Received> messages;
  AstDateTime dstMoment;

  std::vector<int> messageNumbers() const {
    std::vector<int> numbers;
    for (const Received& r : messages) numbers.push_back(r.message);
    return numbers;
  }

 protected:
  bool event(QEvent* e) override {
    if (e->type() >= QEvent::User) {
      auto* message = static_cast<WindowMessage*>(e);
      messages.push_back({message->message(), message->wParam(), message->lParam()});
      if (message->message() == UM_DST_SET) dstMoment = *message->pointer<const AstDateTime>();
      return true;
    }
    return QWidget::event(e);
  }
};

template <class T>
T* control(QWidget* dialog, int id) {
  auto* found = qobject_cast<T*>(findControlOrNull(dialog, id));
  EXPECT_NE(found, nullptr) << "control " << id;
  return found;
}

// Check boxes and radio buttons answer a click on their box or their text
// only, so they are clicked at their box; push buttons in the middle.
void click(QWidget* dialog, int id) {
  QWidget* button = findControlOrNull(dialog, id);
  ASSERT_NE(button, nullptr) << "control " << id;
  const bool hasBox = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
  const QPoint where = hasBox ? QPoint(6, button->height() / 2) : button->rect().center();
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, where);
}

// Types into a picker from its first section on, as a user does after
// clicking into the day or the hour.
void retype(QDateTimeEdit* picker, const QString& text) {
  picker->setFocus();
  picker->setSelectedSection(picker->sectionAt(0));
  QTest::keyClicks(picker, text);
}

// Opens a dialog through `open`, runs `handler` on it once it is on screen,
// and tells whether the dialog was left with OK.
bool runDialog(const std::function<bool()>& open, const std::function<void(QWidget*)>& handler) {
  bool handled = false;
  testing::whenModalAppears([&](QWidget* dialog) {
    handled = true;
    // Typing needs the keyboard focus, which only the active window has.
    QApplication::setActiveWindow(dialog);
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    handler(dialog);
    // A dialog a test left open must not keep the run waiting.
    if (dialog->isVisible()) qobject_cast<QDialog*>(dialog)->reject();
  });
  const bool accepted = open();
  EXPECT_TRUE(handled);
  return accepted;
}

// ------------------------------------------------------- Date and Time

constexpr int okId = 1;
constexpr int cancelId = 2;

class DateTimeDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { setRealTimeClockHost(&frame); }
  void TearDown() override { setRealTimeClockHost(nullptr); }

  bool open(const std::function<void(QWidget*)>& handler) {
    return runDialog([this] { return DateTimeDialog(&frame); }, handler);
  }

  TemporarySettings settings;
  RecordingFrame frame;
};

TEST_F(DateTimeDialogTest, ShowsTheUserMomentAndTheClockOptions) {
  Options& o = options();
  o.useUserTime = true;
  o.userTime.setDateTime(24, 12, 2001, 18, 30, 15);
  o.userTime.setKind(TimeKind::Gst);
  o.userDaylightSaving = true;
  o.realTimeClock = false;
  open([](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), QStringLiteral("Dlg_OptDateTime"));
    EXPECT_FALSE(control<QRadioButton>(dialog, 1029)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, 1030)->isChecked());
    EXPECT_EQ(control<QDateEdit>(dialog, 101)->text(), QStringLiteral("24.12.2001"));
    EXPECT_EQ(control<QTimeEdit>(dialog, 102)->text(), QStringLiteral("18:30:15"));
    auto* kinds = control<QComboBox>(dialog, 279);
    ASSERT_EQ(kinds->count(), 4);
    EXPECT_EQ(kinds->itemText(0), QStringLiteral("GMT"));
    EXPECT_EQ(kinds->itemText(1), QStringLiteral("GST"));
    EXPECT_EQ(kinds->itemText(2), QStringLiteral("LCT"));
    EXPECT_EQ(kinds->itemText(3), QStringLiteral("LST"));
    EXPECT_EQ(kinds->currentText(), QStringLiteral("GST"));
    EXPECT_TRUE(control<QCheckBox>(dialog, 120)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(dialog, 1035)->isChecked());
    EXPECT_EQ(control<QCheckBox>(dialog, 1035)->text(), QStringLiteral("Active"));
    click(dialog, cancelId);
  });
}

TEST_F(DateTimeDialogTest, TheDateFieldKeepsToThePickersRange) {
  open([](QWidget* dialog) {
    auto* date = control<QDateEdit>(dialog, 101);
    EXPECT_EQ(date->minimumDate(), QDate(1753, 1, 1));
    EXPECT_EQ(date->maximumDate(), QDate(3000, 12, 31));
    click(dialog, cancelId);
  });
}

TEST_F(DateTimeDialogTest, OkTakesTheUserMomentAndSendsItToTheFrame) {
  const bool accepted = open([](QWidget* dialog) {
    click(dialog, 1030);
    retype(control<QDateEdit>(dialog, 101), QStringLiteral("24122001"));
    retype(control<QTimeEdit>(dialog, 102), QStringLiteral("233000"));
    auto* kinds = control<QComboBox>(dialog, 279);
    kinds->setFocus();
    QTest::keyClick(kinds, Qt::Key_Home);  // "GMT"
    click(dialog, 120);
    click(dialog, okId);
  });
  ASSERT_TRUE(accepted);

  const Options& o = options();
  EXPECT_TRUE(o.useUserTime);
  EXPECT_EQ(o.userTime, AstDateTime(24, 12, 2001, 23.5, TimeKind::Gmt));
  EXPECT_TRUE(o.userDaylightSaving);
  // London, time zone 0, daylight saving on: 23:30 GMT is 00:30 LCT.
  EXPECT_EQ(observer().dateTime, AstDateTime(25, 12, 2001, 0.5, TimeKind::Lct));
  EXPECT_TRUE(observer().daylightSaving);

  ASSERT_EQ(frame.messages.size(), 1u);
  EXPECT_EQ(frame.messages[0].message, UM_DST_SET);
  EXPECT_EQ(frame.messages[0].wParam, 1);
  EXPECT_EQ(frame.messages[0].lParam, pointerParam(&observer().dateTime));
  EXPECT_EQ(frame.dstMoment, observer().dateTime);
}

TEST_F(DateTimeDialogTest, SystemTimeWithTheClockActiveStartsTheRealTimeClock) {
  options().useUserTime = true;
  const bool accepted = open([](QWidget* dialog) {
    click(dialog, 1029);
    click(dialog, 1035);
    click(dialog, okId);
  });
  ASSERT_TRUE(accepted);
  EXPECT_FALSE(options().useUserTime);
  EXPECT_TRUE(options().realTimeClock);
  EXPECT_EQ(observer().dateTime, TemporarySettings::fixedNow());
  EXPECT_NE(realTimeClockTimerId(), 0);
  EXPECT_EQ(QAbstractEventDispatcher::instance()->registeredTimers(&frame).size(), 1);
  ASSERT_EQ(frame.messages.size(), 1u);
  EXPECT_EQ(frame.messages[0].wParam, 0);
}

TEST_F(DateTimeDialogTest, ClearingTheClockOptionStopsTheRealTimeClock) {
  options().realTimeClock = true;
  ApplyTimeSource();
  ASSERT_NE(realTimeClockTimerId(), 0);
  open([](QWidget* dialog) {
    click(dialog, 1035);
    click(dialog, okId);
  });
  EXPECT_FALSE(options().realTimeClock);
  EXPECT_EQ(realTimeClockTimerId(), 0);
  EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(&frame).isEmpty());
}

TEST_F(DateTimeDialogTest, ADateThatDoesNotParseKeepsTheDialogOpenAndChangesNothing) {
  const AstDateTime userTimeBefore = options().userTime;
  const bool accepted = open([](QWidget* dialog) {
    click(dialog, 1030);
    // A year typed only in part: "200" is before the picker's first year.
    auto* date = control<QDateEdit>(dialog, 101);
    date->setFocus();
    date->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(date, QStringLiteral("200"));
    ASSERT_EQ(date->text(), QStringLiteral("01.01.200"));
    click(dialog, okId);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(date->text(), QStringLiteral("01.01.200"));  // as the user left it
    click(dialog, cancelId);
  });
  EXPECT_FALSE(accepted);
  EXPECT_FALSE(options().useUserTime);
  EXPECT_EQ(options().userTime, userTimeBefore);
  EXPECT_TRUE(frame.messages.empty());
}

TEST_F(DateTimeDialogTest, AHalfTypedTimeKeepsTheDialogOpen) {
  const bool accepted = open([](QWidget* dialog) {
    auto* time = control<QTimeEdit>(dialog, 102);
    time->setFocus();
    time->setSelectedSection(QDateTimeEdit::SecondSection);
    QTest::keyClick(time, Qt::Key_Backspace);
    ASSERT_EQ(time->text(), QStringLiteral("00:00:"));
    click(dialog, okId);
    EXPECT_TRUE(dialog->isVisible());
    click(dialog, cancelId);
  });
  EXPECT_FALSE(accepted);
  EXPECT_TRUE(frame.messages.empty());
}

TEST_F(DateTimeDialogTest, CancelChangesNothing) {
  const Options before = options();
  const Observer observerBefore = observer();
  const bool accepted = open([](QWidget* dialog) {
    click(dialog, 1030);
    click(dialog, 120);
    click(dialog, 1035);
    retype(control<QDateEdit>(dialog, 101), QStringLiteral("01012002"));
    click(dialog, cancelId);
  });
  EXPECT_FALSE(accepted);
  EXPECT_EQ(options().useUserTime, before.useUserTime);
  EXPECT_EQ(options().userTime, before.userTime);
  EXPECT_EQ(options().userDaylightSaving, before.userDaylightSaving);
  EXPECT_EQ(options().realTimeClock, before.realTimeClock);
  EXPECT_EQ(observer(), observerBefore);
  EXPECT_EQ(realTimeClockTimerId(), 0);
  EXPECT_TRUE(frame.messages.empty());
}

// ----------------------------------------------------------- Appearance

class AppearanceDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ToolbarSetVisible(true);
    StatusLineShow(true);
  }
  void TearDown() override {
    ToolbarSetVisible(true);
    StatusLineShow(true);
  }

  bool open(const std::function<void(QWidget*)>& handler) {
    return runDialog([this] { return AppearanceDialog(&frame); }, handler);
  }

  TemporarySettings settings;
  RecordingFrame frame;
};

TEST_F(AppearanceDialogTest, ShowsTheAngleFormatsWithRealSamples) {
  open([](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), QStringLiteral("Dlg_OptDisplay"));
    EXPECT_EQ(control<QRadioButton>(dialog, 244)->text(), QStringLiteral("  8h14m40s"));
    EXPECT_EQ(control<QRadioButton>(dialog, 340)->text(), QStringLiteral("123°40'00\""));
    EXPECT_EQ(control<QRadioButton>(dialog, 245)->text(), QStringLiteral("123.66667°"));
    EXPECT_EQ(control<QRadioButton>(dialog, 341)->text(), QStringLiteral("123.66667°"));
    EXPECT_EQ(control<QRadioButton>(dialog, 342)->text(), QStringLiteral("123°40'00\""));
    EXPECT_EQ(control<QCheckBox>(dialog, 1027)->text(), QStringLiteral("Toolbar"));
    EXPECT_EQ(control<QCheckBox>(dialog, 370)->text(), QStringLiteral("Status line"));
    EXPECT_EQ(control<QRadioButton>(dialog, 381)->text(), QStringLiteral("English"));
    EXPECT_EQ(control<QRadioButton>(dialog, 380)->text(), QStringLiteral("Latin"));
    EXPECT_EQ(control<QCheckBox>(dialog, 372)->text(), QStringLiteral("Keep child windows maximized"));
    EXPECT_EQ(control<QCheckBox>(dialog, 373)->text(), QStringLiteral("Save window positions and sizes"));
    click(dialog, cancelId);
  });
}

TEST_F(AppearanceDialogTest, ShowsTheCurrentOptions) {
  options().angleRa = 1;
  options().angleOther = 1;
  options().alwaysMaximize = false;
  setConstellationLanguage(constellationLanguageEnglish);
  StatusLineShow(false);
  open([](QWidget* dialog) {
    EXPECT_TRUE(control<QCheckBox>(dialog, 1027)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(dialog, 370)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, 381)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, 340)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, 341)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(dialog, 372)->isChecked());
    EXPECT_TRUE(control<QCheckBox>(dialog, 373)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, 1033)->isChecked());
    click(dialog, cancelId);
  });
}

struct SaveModeCase {
  bool saveOptions;
  bool factoryDefaults;
  int shownId;
};

class AppearanceSaveMode : public AppearanceDialogTest, public ::testing::WithParamInterface<SaveModeCase> {};

TEST_P(AppearanceSaveMode, IsShownAndTakenAsItsChoice) {
  // Shown: the mode the options hold.
  options().saveOptions = GetParam().saveOptions;
  options().factoryDefaults = GetParam().factoryDefaults;
  const int shownId = GetParam().shownId;
  open([shownId](QWidget* dialog) {
    EXPECT_TRUE(control<QRadioButton>(dialog, shownId)->isChecked());
    click(dialog, cancelId);
  });
  // Taken: the options follow the choice.
  options().saveOptions = true;
  options().factoryDefaults = false;
  open([shownId](QWidget* dialog) {
    click(dialog, shownId);
    click(dialog, okId);
  });
  EXPECT_EQ(options().saveOptions, GetParam().saveOptions);
  EXPECT_EQ(options().factoryDefaults, GetParam().factoryDefaults);
}

INSTANTIATE_TEST_SUITE_P(ThreeChoices, AppearanceSaveMode,
                         ::testing::Values(SaveModeCase{true, false, 1033}, SaveModeCase{false, false, 1034},
                                           SaveModeCase{false, true, 1035}));

TEST_F(AppearanceDialogTest, OkStoresEveryChoiceAndAsksTheFrameToLayOutAndRedraw) {
  const bool accepted = open([](QWidget* dialog) {
    click(dialog, 1027);
    click(dialog, 370);
    click(dialog, 381);
    click(dialog, 245);
    click(dialog, 341);
    click(dialog, 372);
    click(dialog, 373);
    click(dialog, okId);
  });
  ASSERT_TRUE(accepted);
  EXPECT_FALSE(ToolbarVisible());
  EXPECT_FALSE(StatusLineVisible());
  EXPECT_EQ(constellationLanguage(), constellationLanguageEnglish);
  EXPECT_EQ(options().angleRa, 2);
  EXPECT_EQ(options().angleOther, 1);
  EXPECT_EQ(angleDisplayModes().rightAscension, RightAscensionDisplay::Decimal);
  EXPECT_EQ(angleDisplayModes().other, AngleDisplay::Decimal);
  EXPECT_FALSE(options().alwaysMaximize);
  EXPECT_FALSE(options().saveWindowState);
  EXPECT_EQ(frame.messageNumbers(), (std::vector<int>{UM_LAYOUT, UM_OPTIONS_CHANGED}));
}

TEST_F(AppearanceDialogTest, CancelChangesNothing) {
  const bool accepted = open([](QWidget* dialog) {
    click(dialog, 1027);
    click(dialog, 381);
    click(dialog, 245);
    click(dialog, 1035);
    click(dialog, cancelId);
  });
  EXPECT_FALSE(accepted);
  EXPECT_TRUE(ToolbarVisible());
  EXPECT_EQ(constellationLanguage(), constellationLanguageLatin);
  EXPECT_EQ(options().angleRa, 0);
  EXPECT_EQ(angleDisplayModes(), AngleDisplayModes{});
  EXPECT_TRUE(options().saveOptions);
  EXPECT_FALSE(options().factoryDefaults);
  EXPECT_TRUE(frame.messages.empty());
}

// --------------------------------------------------------------- layout

// Every label of both dialogs is shown whole.
void expectNoCutOffTexts(QWidget* dialog) {
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
    if (!button->isVisible()) continue;
    EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
  }
}

TEST_F(AppearanceDialogTest, ShowsEveryTextWhole) {
  open([](QWidget* dialog) {
    expectNoCutOffTexts(dialog);
    click(dialog, cancelId);
  });
}

TEST_F(DateTimeDialogTest, ShowsEveryTextWhole) {
  open([](QWidget* dialog) {
    expectNoCutOffTexts(dialog);
    click(dialog, cancelId);
  });
}

}  // namespace
}  // namespace noctavo
