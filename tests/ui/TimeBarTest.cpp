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

  std::vector<TimeBar*> notifications;
  TimeBar* shownBar = nullptr;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == static_cast<QEvent::Type>(UM_TIMEBAR_CHANGED)) {
      auto* bar = static_cast<WindowMessage*>(e)->pointer<TimeBar>();
      notifications.push_back(bar);
      if (shownBar) TimeBarShow(*shownBar);
      return true;
    }
    return QDialog::event(e);
  }

 public:
  TimeBarControls* controls;
};

class TimeBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(TimeBarInit(bar_, &panel_, 101, 102, 243, 235, 1005, 272, UM_TIMEBAR_CHANGED, &moment_, &observer_));
    panel_.shownBar = &bar_;
    TimeBarShow(bar_);
    panel_.show();
  }

  void setCount(const QString& text) { panel_.controls->countEdit()->setText(text); }
  void setUnit(int unit) { panel_.controls->unitBox()->setCurrentIndex(unit); }
  QString dateText() const { return panel_.controls->dateText()->text(); }
  QString timeText() const { return panel_.controls->timeText()->text(); }
  void setMoment(const AstDateTime& moment) {
    moment_ = moment;
    TimeBarShow(bar_);
  }

  AstDateTime moment_{31, 3, 2001, 12.0, TimeKind::Lct};
  AstDateTime observer_{4, 7, 2003, 21.5, TimeKind::Lct};
  PanelWithTimeBar panel_;
  TimeBar bar_;
};

TEST_F(TimeBarTest, StartsWithCountOneInMinutesAndTheFiveUnitsInOrder) {
  QComboBox* units = panel_.controls->unitBox();
  ASSERT_EQ(units->count(), 5);
  const QStringList names = {"Minutes", "Hours", "Days", "Months", "Years"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(units->itemText(i), names[i]);
  EXPECT_EQ(units->currentIndex(), 0);
  EXPECT_EQ(panel_.controls->countEdit()->text(), QStringLiteral("1"));
}

TEST_F(TimeBarTest, TheRightArrowStepsForwardsAndNotifiesTheDialogWithTheBar) {
  QTest::mouseClick(panel_.controls->spin()->rightButton(), Qt::LeftButton);
  EXPECT_EQ(moment_, AstDateTime(31, 3, 2001, 12.0 + 1.0 / 60.0, TimeKind::Lct));
  ASSERT_EQ(panel_.notifications.size(), 1u);
  EXPECT_EQ(panel_.notifications[0], &bar_);
  EXPECT_EQ(timeText(), QStringLiteral("12:01:00"));
}

TEST_F(TimeBarTest, TheLeftArrowStepsBackwards) {
  setCount("2");
  setUnit(static_cast<int>(StepUnit::Hours));
  QTest::mouseClick(panel_.controls->spin()->leftButton(), Qt::LeftButton);
  EXPECT_EQ(timeText(), QStringLiteral("10:00:00"));
  EXPECT_EQ(dateText(), QStringLiteral("31.03.2001"));
}

TEST_F(TimeBarTest, AThousandUnitsAreAccepted) {
  setCount("1000");
  setUnit(static_cast<int>(StepUnit::Days));
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::Stepped);
  EXPECT_EQ(dateText(), QStringLiteral("26.12.2003"));
}

TEST_F(TimeBarTest, CountsOutsideOneToAThousandOrNotANumberAreRefusedAndChangeNothing) {
  for (const QString& count : {QStringLiteral("1001"), QStringLiteral("0"), QStringLiteral("abc"),
                               QStringLiteral("-5"), QStringLiteral("")}) {
    setCount(count);
    EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::CountRefused) << qPrintable(count);
    EXPECT_EQ(TimeBarSpin(bar_, 1), TimeStepResult::CountRefused) << qPrintable(count);
  }
  EXPECT_EQ(moment_, AstDateTime(31, 3, 2001, 12.0, TimeKind::Lct));
  EXPECT_TRUE(panel_.notifications.empty());
}

TEST_F(TimeBarTest, OneMonthBackFrom31MarchGivesTheLastDayOfFebruary) {
  setUnit(static_cast<int>(StepUnit::Months));
  EXPECT_EQ(TimeBarStep(bar_, true), TimeStepResult::Stepped);
  EXPECT_EQ(dateText(), QStringLiteral("28.02.2001"));

  setMoment(AstDateTime(31, 3, 2000, 12.0, TimeKind::Lct));
  EXPECT_EQ(TimeBarStep(bar_, true), TimeStepResult::Stepped);
  EXPECT_EQ(dateText(), QStringLiteral("29.02.2000"));
}

TEST_F(TimeBarTest, AStepBeyondTheCalendarIsRefusedAndChangesNothing) {
  const AstDateTime lastYear(15, 6, 9999, 8.0, TimeKind::Lct);
  setMoment(lastYear);
  setUnit(static_cast<int>(StepUnit::Years));
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::CalendarRefused);
  EXPECT_EQ(moment_, lastYear);
  EXPECT_TRUE(panel_.notifications.empty());
}

TEST_F(TimeBarTest, StepsFromTheMomentTheTextsShow) {
  // 12:00:00.4 shows as 12:00:00; the step starts from what is shown.
  setMoment(AstDateTime(31, 3, 2001, 12.0 + 0.4 / 3600.0, TimeKind::Lct));
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::Stepped);
  EXPECT_EQ(moment_, AstDateTime(31, 3, 2001, 12.0 + 1.0 / 60.0, TimeKind::Lct));
}

TEST_F(TimeBarTest, ResetCopiesTheObserversMomentAndShowsIt) {
  QTest::mouseClick(panel_.controls->resetButton(), Qt::LeftButton);
  EXPECT_EQ(moment_, observer_);
  EXPECT_EQ(dateText(), QStringLiteral("04.07.2003"));
  EXPECT_EQ(timeText(), QStringLiteral("21:30:00"));
  EXPECT_EQ(panel_.notifications.size(), 1u);
}

TEST_F(TimeBarTest, ResetNotifiesEvenWhenNothingChanged) {
  moment_ = observer_;
  TimeBarReset(bar_);
  TimeBarReset(bar_);
  EXPECT_EQ(panel_.notifications.size(), 2u);
}

TEST_F(TimeBarTest, TheStepCanBeReadAndSet) {
  TimeBarSetStep(bar_, static_cast<int>(StepUnit::Months), 12);
  EXPECT_EQ(panel_.controls->countEdit()->text(), QStringLiteral("12"));
  EXPECT_EQ(panel_.controls->unitBox()->currentText(), QStringLiteral("Months"));
  int unit = -1;
  int count = -1;
  TimeBarGetStep(bar_, unit, count);
  EXPECT_EQ(unit, 3);
  EXPECT_EQ(count, 12);
}

TEST_F(TimeBarTest, ACountTextThatIsNoNumberReadsAsOne) {
  setCount("many");
  int unit = -1;
  int count = -1;
  TimeBarGetStep(bar_, unit, count);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(unit, 0);
}

TEST_F(TimeBarTest, SettingAnUnknownUnitIsAnInternalError) {
  InternalErrorRecorder recorder;
  TimeBarSetStep(bar_, 5, 3);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "asttmbr");
}

TEST_F(TimeBarTest, ASpinDeltaOfZeroIsAnInternalError) {
  InternalErrorRecorder recorder;
  EXPECT_EQ(TimeBarSpin(bar_, 0), TimeStepResult::Broken);
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_TRUE(panel_.notifications.empty());
}

TEST_F(TimeBarTest, ADateTextThatDoesNotParseIsAnInternalError) {
  panel_.controls->dateText()->setText("31.02.2001");
  InternalErrorRecorder recorder;
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::Broken);
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_EQ(moment_, AstDateTime(31, 3, 2001, 12.0, TimeKind::Lct));
}

TEST_F(TimeBarTest, TheDialogFindsItsBarThroughTheSpin) {
  EXPECT_EQ(TimeBarFromDialog(&panel_), &bar_);
}

TEST_F(TimeBarTest, ASecondBarOnTheSameSpinIsAnInternalError) {
  InternalErrorRecorder recorder;
  TimeBar second;
  EXPECT_FALSE(TimeBarInit(second, &panel_, 101, 102, 243, 235, 1005, 272, UM_TIMEBAR_CHANGED, &moment_, &observer_));
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "asttmbr");
  EXPECT_EQ(TimeBarFromDialog(&panel_), &bar_);
}

TEST(TimeBarBinding, AMissingControlIsAnInternalErrorAndLeavesTheBarUnbound) {
  QDialog dialog;
  auto* date = new QLabel(&dialog);
  setControlId(date, 101);
  AstDateTime moment;
  TimeBar bar;
  InternalErrorRecorder recorder;
  EXPECT_FALSE(TimeBarInit(bar, &dialog, 101, 102, 243, 235, 1005, 272, UM_TIMEBAR_CHANGED, &moment, &moment));
  EXPECT_GE(recorder.count(), 1u);
  EXPECT_EQ(recorder.modules()[0], "asttmbr");
  EXPECT_EQ(TimeBarFromDialog(&dialog), nullptr);
}

TEST(TimeBarBinding, ABarThatEndsBeforeItsDialogLeavesTheSpinFree) {
  PanelWithTimeBar panel;
  panel.show();
  AstDateTime moment(1, 1, 2000, 0.0, TimeKind::Lct);
  {
    TimeBar bar;
    ASSERT_TRUE(TimeBarInit(bar, &panel, 101, 102, 243, 235, 1005, 272, UM_TIMEBAR_CHANGED, &moment, &moment));
  }
  EXPECT_EQ(TimeBarFromDialog(&panel), nullptr);
  // The spin no longer reaches the ended bar.
  QTest::mouseClick(panel.controls->spin()->rightButton(), Qt::LeftButton);
  EXPECT_TRUE(panel.notifications.empty());
}

}  // namespace
}  // namespace noctavo
