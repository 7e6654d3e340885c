#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

#include "shell/WindowMessages.h"
#include "support/InternalErrorRecorder.h"
#include "ui/DialogControls.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

// A control panel with a time bar that records what the bar tells it and,
// like the program's panels, shows the new moment.
class PanelWithTimeBar : public QDialog {
 public:
  PanelWithTimeBar() {
    auto* layout = new QVBoxLayout(this);
    controls = new TimeBarControls(this);
    layout->addWidget(controls);
  }

  TimeBarControls* controls;
  std::vector<TimeBar*> notifications;
  TimeBar* shownBar = nullptr;

 protected:
  bool event(QEvent* e) override {
    if (e->type() != static_cast<QEvent::Type>(UM_TIMEBAR_CHANGED)) return QDialog::event(e);
    notifications.push_back(static_cast<WindowMessage*>(e)->pointer<TimeBar>());
    if (shownBar) TimeBarShow(*shownBar);
    return true;
  }
};

bool initBar(TimeBar& bar, QDialog* dialog, AstDateTime* moment, AstDateTime* observer) {
  return TimeBarInit(bar, dialog, 101, 102, 243, 235, 1005, 272, UM_TIMEBAR_CHANGED, moment, observer);
}

class TimeBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(initBar(bar_, &panel_, &moment_, &observer_));
    panel_.shownBar = &bar_;
    TimeBarShow(bar_);
    panel_.show();
  }

  void setStep(const QString& count, StepUnit unit) {
    panel_.controls->countEdit()->setText(count);
    panel_.controls->unitBox()->setCurrentIndex(static_cast<int>(unit));
  }
  QString shown() const { return panel_.controls->dateText()->text() + " " + panel_.controls->timeText()->text(); }
  void setMoment(const AstDateTime& moment) {
    moment_ = moment;
    TimeBarShow(bar_);
  }

  AstDateTime moment_{31, 3, 2001, 12.0, TimeKind::Lct};
  AstDateTime observer_{4, 7, 2003, 21.5, TimeKind::Lct};
  PanelWithTimeBar panel_;
  TimeBar bar_;
};

TEST_F(TimeBarTest, TheStepStartsAtOneMinuteOfFiveUnitsAndCanBeSetAndRead) {
  QComboBox* units = panel_.controls->unitBox();
  ASSERT_EQ(units->count(), 5);
  const QStringList names = {"Minutes", "Hours", "Days", "Months", "Years"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(units->itemText(i), names[i]);
  int unit = -1;
  int count = -1;
  TimeBarGetStep(bar_, unit, count);
  EXPECT_EQ(std::pair(unit, count), std::pair(0, 1));
  TimeBarSetStep(bar_, static_cast<int>(StepUnit::Months), 12);
  EXPECT_EQ(panel_.controls->countEdit()->text(), QStringLiteral("12"));
  EXPECT_EQ(units->currentText(), QStringLiteral("Months"));
  panel_.controls->countEdit()->setText("many");  // reads as one
  TimeBarGetStep(bar_, unit, count);
  EXPECT_EQ(std::pair(unit, count), std::pair(3, 1));
  InternalErrorRecorder recorder;
  TimeBarSetStep(bar_, 5, 3);
  EXPECT_EQ(recorder.modules(), std::vector<std::string>{"asttmbr"});
}

TEST_F(TimeBarTest, TheArrowsStepBothWaysAndNotifyTheDialogWithTheBar) {
  QTest::mouseClick(panel_.controls->spin()->rightButton(), Qt::LeftButton);
  EXPECT_EQ(moment_, AstDateTime(31, 3, 2001, 12.0 + 1.0 / 60.0, TimeKind::Lct));
  EXPECT_EQ(shown(), QStringLiteral("31.03.2001 12:01:00"));
  setStep("2", StepUnit::Hours);
  QTest::mouseClick(panel_.controls->spin()->leftButton(), Qt::LeftButton);
  EXPECT_EQ(shown(), QStringLiteral("31.03.2001 10:01:00"));
  EXPECT_EQ(panel_.notifications, (std::vector<TimeBar*>{&bar_, &bar_}));
}

TEST_F(TimeBarTest, CountsFromOneToAThousandAreAcceptedAnyOtherTextIsRefusedAndChangesNothing) {
  for (const char* count : {"1001", "0", "abc", "-5", ""}) {
    setStep(count, StepUnit::Days);
    EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::CountRefused) << count;
    EXPECT_EQ(TimeBarSpin(bar_, 1), TimeStepResult::CountRefused) << count;
  }
  EXPECT_EQ(moment_, AstDateTime(31, 3, 2001, 12.0, TimeKind::Lct));
  EXPECT_TRUE(panel_.notifications.empty());
  setStep("1000", StepUnit::Days);
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::Stepped);
  EXPECT_EQ(shown(), QStringLiteral("26.12.2003 12:00:00"));
}

TEST_F(TimeBarTest, AMomentHalfASecondBeforeMidnightShowsAsMidnightOfTheNextDay) {
  setMoment(AstDateTime(31, 12, 2000, 24.0 - 0.5 / 3600.0, TimeKind::Lct));
  EXPECT_EQ(shown(), QStringLiteral("01.01.2001 00:00:00"));
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::Stepped);
  EXPECT_EQ(shown(), QStringLiteral("01.01.2001 00:01:00"));
}

TEST_F(TimeBarTest, OneMonthBackFrom31MarchGivesTheLastDayOfFebruary) {
  setStep("1", StepUnit::Months);
  EXPECT_EQ(TimeBarStep(bar_, true), TimeStepResult::Stepped);
  EXPECT_EQ(shown(), QStringLiteral("28.02.2001 12:00:00"));
  setMoment(AstDateTime(31, 3, 2000, 12.0, TimeKind::Lct));
  EXPECT_EQ(TimeBarStep(bar_, true), TimeStepResult::Stepped);
  EXPECT_EQ(shown(), QStringLiteral("29.02.2000 12:00:00"));
}

TEST_F(TimeBarTest, StepsFromTheMomentTheTextsShowAndNeverBeyondTheCalendar) {
  // 12:00:00.4 shows as 12:00:00; the step starts from what is shown.
  setMoment(AstDateTime(31, 3, 2001, 12.0 + 0.4 / 3600.0, TimeKind::Lct));
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::Stepped);
  EXPECT_EQ(moment_, AstDateTime(31, 3, 2001, 12.0 + 1.0 / 60.0, TimeKind::Lct));
  const AstDateTime lastYear(15, 6, 9999, 8.0, TimeKind::Lct);
  setMoment(lastYear);
  setStep("1", StepUnit::Years);
  panel_.notifications.clear();
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::CalendarRefused);
  EXPECT_EQ(moment_, lastYear);
  EXPECT_TRUE(panel_.notifications.empty());
}

TEST_F(TimeBarTest, ResetCopiesTheObserversMomentAndNotifiesEvenWhenNothingChanged) {
  QTest::mouseClick(panel_.controls->resetButton(), Qt::LeftButton);
  EXPECT_EQ(moment_, observer_);
  EXPECT_EQ(shown(), QStringLiteral("04.07.2003 21:30:00"));
  TimeBarReset(bar_);
  EXPECT_EQ(panel_.notifications.size(), 2u);
}

TEST_F(TimeBarTest, ASpinOfZeroOrADateTextThatDoesNotParseIsAnInternalError) {
  InternalErrorRecorder recorder;
  EXPECT_EQ(TimeBarSpin(bar_, 0), TimeStepResult::Broken);
  panel_.controls->dateText()->setText("31.02.2001");
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::Broken);
  EXPECT_EQ(recorder.count(), 2u);
  EXPECT_EQ(moment_, AstDateTime(31, 3, 2001, 12.0, TimeKind::Lct));
  EXPECT_TRUE(panel_.notifications.empty());
}

TEST_F(TimeBarTest, TheDialogFindsItsBarAndASecondBarOnTheSameSpinIsAnInternalError) {
  EXPECT_EQ(TimeBarFromDialog(&panel_), &bar_);
  InternalErrorRecorder recorder;
  TimeBar second;
  EXPECT_FALSE(initBar(second, &panel_, &moment_, &observer_));
  EXPECT_EQ(recorder.modules(), std::vector<std::string>{"asttmbr"});
  EXPECT_EQ(TimeBarFromDialog(&panel_), &bar_);
}

TEST(TimeBarBinding, AMissingControlIsAnInternalErrorAndLeavesTheBarUnbound) {
  QDialog dialog;
  setControlId(new QLabel(&dialog), 101);
  AstDateTime moment;
  TimeBar bar;
  InternalErrorRecorder recorder;
  EXPECT_FALSE(initBar(bar, &dialog, &moment, &moment));
  ASSERT_GE(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "asttmbr");
  EXPECT_EQ(TimeBarFromDialog(&dialog), nullptr);
}

TEST(TimeBarBinding, ABarThatEndsBeforeItsDialogLeavesTheSpinFree) {
  PanelWithTimeBar panel;
  panel.show();
  AstDateTime moment(1, 1, 2000, 0.0, TimeKind::Lct);
  {
    TimeBar bar;
    ASSERT_TRUE(initBar(bar, &panel, &moment, &moment));
  }
  EXPECT_EQ(TimeBarFromDialog(&panel), nullptr);
  QTest::mouseClick(panel.controls->spin()->rightButton(), Qt::LeftButton);
  EXPECT_TRUE(panel.notifications.empty());
}

}  // namespace
}  // namespace noctavo
