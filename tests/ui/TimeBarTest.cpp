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

TEST_F(TimeBarTest, TheArrowsStepFromTheShownMomentWithinTheCalendarAndCountsFrom1To1000) {
  int unit = -1, count = -1;
  TimeBarGetStep(bar_, unit, count);
  EXPECT_EQ(std::pair(unit, count), std::pair(0, 1));  // one minute
  QTest::mouseClick(panel_.controls->spin()->rightButton(), Qt::LeftButton);
  EXPECT_EQ(moment_, AstDateTime(31, 3, 2001, 12.0 + 1.0 / 60.0, TimeKind::Lct));
  EXPECT_EQ(shown(), QStringLiteral("31.03.2001 12:01:00"));
  setStep("2", StepUnit::Hours);
  QTest::mouseClick(panel_.controls->spin()->leftButton(), Qt::LeftButton);
  EXPECT_EQ(shown(), QStringLiteral("31.03.2001 10:01:00"));
  EXPECT_EQ(panel_.notifications, (std::vector<TimeBar*>{&bar_, &bar_}));
  // 12:00:00.4 shows as 12:00:00; the step starts from what is shown.
  setMoment(AstDateTime(31, 3, 2001, 12.0 + 0.4 / 3600.0, TimeKind::Lct));
  for (const char* refused : {"1001", "0", "abc", "-5", ""}) {
    setStep(refused, StepUnit::Days);
    EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::CountRefused) << refused;
    EXPECT_EQ(TimeBarSpin(bar_, 1), TimeStepResult::CountRefused) << refused;
  }
  EXPECT_EQ(panel_.notifications.size(), 2u);
  setStep("1000", StepUnit::Days);
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::Stepped);
  EXPECT_EQ(moment_, AstDateTime(26, 12, 2003, 12.0, TimeKind::Lct));
  const AstDateTime lastYear(15, 6, 9999, 8.0, TimeKind::Lct);
  setMoment(lastYear);
  TimeBarSetStep(bar_, static_cast<int>(StepUnit::Years), 1);
  EXPECT_EQ(panel_.controls->unitBox()->currentText(), QStringLiteral("Years"));
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::CalendarRefused);
  EXPECT_EQ(moment_, lastYear);
  EXPECT_EQ(panel_.notifications.size(), 3u);
  // Reset copies the observer's moment and notifies even when nothing changed.
  QTest::mouseClick(panel_.controls->resetButton(), Qt::LeftButton);
  EXPECT_EQ(shown(), QStringLiteral("04.07.2003 21:30:00"));
  TimeBarReset(bar_);
  EXPECT_EQ(panel_.notifications.size(), 5u);
}

TEST_F(TimeBarTest, AMomentHalfASecondBeforeMidnightShowsAsMidnightOfTheNextDay) {
  setMoment(AstDateTime(31, 12, 2000, 24.0 - 0.5 / 3600.0, TimeKind::Lct));
  EXPECT_EQ(shown(), QStringLiteral("01.01.2001 00:00:00"));
  EXPECT_EQ(TimeBarStep(bar_, false), TimeStepResult::Stepped);
  EXPECT_EQ(shown(), QStringLiteral("01.01.2001 00:01:00"));
}

}  // namespace
}  // namespace noctavo
