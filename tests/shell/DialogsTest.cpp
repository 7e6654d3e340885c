// The Date and Time and the Appearance dialogs, driven as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QTimer>

#include <functional>
#include <vector>

#include "catalogues/ConstellationTable.h"
#include "frame/WindowMessages.h"
#include "shell/FrameTestSupport.h"
#include "shell/MainFrameAccess.h"
#include "shell/OptionsDialogs.h"
#include "support/ModalDialogs.h"
#include "support/TemporarySettings.h"
#include "time/AstCoord.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/Options.h"

namespace noctavo {
namespace {

using testing::ReceivedMessage;
using testing::TemporarySettings;

constexpr int okId = dialog_button::ok;
constexpr int cancelId = dialog_button::cancel;

template <class T>
T* control(QWidget* dialog, int id) {
  auto* found = qobject_cast<T*>(findControlOrNull(dialog, id));
  EXPECT_NE(found, nullptr) << "control " << id;
  return found;
}
bool checked(QWidget* dialog, int id) { return control<QAbstractButton>(dialog, id)->isChecked(); }

// Check boxes and radio buttons answer a click on their box or their text
// only, so they are clicked at their box; push buttons in the middle.
void click(QWidget* dialog, std::initializer_list<int> ids) {
  for (int id : ids) {
    QWidget* button = findControlOrNull(dialog, id);
    ASSERT_NE(button, nullptr) << "control " << id;
    const bool hasBox = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                      hasBox ? QPoint(6, button->height() / 2) : button->rect().center());
  }
}

// Types into a picker from the given section on, as a user does after
// clicking into it.
void typeInto(QDateTimeEdit* picker, const QString& text, QDateTimeEdit::Section section = QDateTimeEdit::NoSection) {
  picker->setFocus();
  picker->setSelectedSection(section == QDateTimeEdit::NoSection ? picker->sectionAt(0) : section);
  QTest::keyClicks(picker, text);
}

// Every label of a dialog is shown whole.
void expectNoCutOffTexts(QWidget* dialog) {
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
    if (!button->isVisible()) continue;
    EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
  }
}

// A dialog of the options with a recorder for the frame that owns it.
class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setRealTimeClockHost(&frame);
    ToolbarSetVisible(true);
    StatusLineShow(true);
  }
  void TearDown() override {
    setRealTimeClockHost(nullptr);
    ToolbarSetVisible(true);
    StatusLineShow(true);
  }

  // Opens a dialog through `open`, runs `handler` on it once it is on
  // screen, and tells whether the dialog was left with OK.
  bool run(const std::function<bool(QWidget*)>& open, const std::function<void(QWidget*)>& handler) {
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
    const bool accepted = open(&frame);
    EXPECT_TRUE(handled);
    return accepted;
  }
  bool dateTime(const std::function<void(QWidget*)>& handler) { return run(DateTimeDialog, handler); }
  bool appearance(const std::function<void(QWidget*)>& handler) { return run(AppearanceDialog, handler); }

  TemporarySettings settings;
  testing::MessageRecorder frame;
};


TEST_F(OptionsDialogTest, DateAndTimeShowsTheUserMomentRefusesHalfTypedFieldsAndOkTakesTheMoment) {
  Options& o = options();
  o.useUserTime = true;
  o.userTime.setDateTime(24, 12, 2001, 18, 30, 15);
  o.userTime.setKind(TimeKind::Gst);
  o.userDaylightSaving = true;
  // The program's message boxes are answered, and what they said kept.
  QStringList messages;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || box->objectName() != QStringLiteral("Dlg_MessageBox")) return;
    messages << findControlOrNull(box, 135)->property("text").toString();
    qobject_cast<QDialog*>(box)->done(0);
  });
  answer.start(10);
  ASSERT_TRUE(dateTime([](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), QStringLiteral("Dlg_OptDateTime"));
    EXPECT_TRUE(checked(dialog, 1030) && checked(dialog, 120));
    EXPECT_FALSE(checked(dialog, 1029) || checked(dialog, 1035));
    auto* date = control<QDateEdit>(dialog, 101);
    auto* time = control<QTimeEdit>(dialog, 102);
    EXPECT_EQ(date->text(), QStringLiteral("24.12.2001"));
    EXPECT_EQ(time->text(), QStringLiteral("18:30:15"));
    auto* kinds = control<QComboBox>(dialog, 279);
    EXPECT_EQ(kinds->currentText(), QStringLiteral("GST"));
    expectNoCutOffTexts(dialog);
    // A year typed only in part ("200" is before the picker's first year)
    // or a time without its seconds keeps the dialog open, the field as the
    // user left it and the focus on it.
    typeInto(date, QStringLiteral("200"), QDateTimeEdit::YearSection);
    ASSERT_EQ(date->text(), QStringLiteral("24.12.200"));
    click(dialog, {okId});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(date->text(), QStringLiteral("24.12.200"));
    EXPECT_TRUE(date->hasFocus());
    typeInto(date, QStringLiteral("24122001"));
    typeInto(time, QString(), QDateTimeEdit::SecondSection);
    QTest::keyClick(time, Qt::Key_Backspace);
    ASSERT_EQ(time->text(), QStringLiteral("18:30:"));
    click(dialog, {okId});
    EXPECT_TRUE(time->hasFocus());
    typeInto(time, QStringLiteral("233000"));
    kinds->setFocus();
    QTest::keyClick(kinds, Qt::Key_Home);  // "GMT"
    click(dialog, {okId});
  }));
  EXPECT_EQ(messages, QStringList({"You entered an invalid date", "You entered an invalid time"}));
  EXPECT_TRUE(options().useUserTime);
  EXPECT_EQ(options().userTime, AstDateTime(24, 12, 2001, 23.5, TimeKind::Gmt));
  // London, time zone 0, daylight saving on: 23:30 GMT is 00:30 LCT.
  EXPECT_EQ(observer().dateTime, AstDateTime(25, 12, 2001, 0.5, TimeKind::Lct));
  EXPECT_TRUE(observer().daylightSaving);
  EXPECT_EQ(frame.messages, (std::vector<ReceivedMessage>{{UM_DST_SET, 1, 0, &observer().dateTime}}));
}


TEST_F(OptionsDialogTest, AppearanceShowsTheOptionsWithRealSamplesOkStoresEveryChoiceAndCancelNone) {
  options().angleRa = 1;
  options().angleOther = 1;
  options().alwaysMaximize = false;
  setConstellationLanguage(constellationLanguageEnglish);
  StatusLineShow(false);
  EXPECT_FALSE(appearance([](QWidget* dialog) { click(dialog, {1027, 370, 380, 245, 1035, cancelId}); }));
  EXPECT_TRUE(ToolbarVisible() && !StatusLineVisible() && options().saveOptions && !options().factoryDefaults);
  EXPECT_EQ(constellationLanguage(), constellationLanguageEnglish);
  EXPECT_EQ(options().angleRa, 1);
  EXPECT_TRUE(frame.messages.empty());
  ASSERT_TRUE(appearance([](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), QStringLiteral("Dlg_OptDisplay"));
    const std::pair<int, QString> texts[] = {
        {244, "  8h14m40s"}, {340, "123°40'00\""}, {245, "123.66667°"}, {341, "123.66667°"}, {342, "123°40'00\""}};
    for (const auto& [id, text] : texts) EXPECT_EQ(control<QAbstractButton>(dialog, id)->text(), text) << id;
    for (int id : {1027, 381, 340, 341, 373, 1033, 1040}) EXPECT_TRUE(checked(dialog, id)) << id;
    for (int id : {370, 380, 244, 245, 342, 372, 1034, 1035, 1041}) EXPECT_FALSE(checked(dialog, id)) << id;
    expectNoCutOffTexts(dialog);
    click(dialog, {1027, 370, 380, 245, 342, 372, 373, 1035, 1041, okId});
  }));
  EXPECT_FALSE(ToolbarVisible());
  EXPECT_TRUE(StatusLineVisible());
  EXPECT_EQ(constellationLanguage(), constellationLanguageLatin);
  EXPECT_EQ(std::pair(options().angleRa, options().angleOther), std::pair(2, 0));
  EXPECT_EQ(angleDisplayModes(), (AngleDisplayModes{RightAscensionDisplay::Decimal, AngleDisplay::DegMinSec}));
  EXPECT_TRUE(options().alwaysMaximize && !options().saveWindowState);
  EXPECT_TRUE(options().factoryDefaults && !options().saveOptions);
  EXPECT_EQ(positionMethod(), PositionMethod::Precise);
  EXPECT_EQ(frame.messages, (std::vector<ReceivedMessage>{{UM_LAYOUT, 0, 0}, {UM_OPTIONS_CHANGED, 0, 0}}));
  // The save mode is shown as it is kept.
  appearance([](QWidget* dialog) {
    EXPECT_TRUE(checked(dialog, 1035));
    click(dialog, {1034, okId});
  });
  EXPECT_FALSE(options().saveOptions || options().factoryDefaults);
}

}  // namespace
}  // namespace noctavo
