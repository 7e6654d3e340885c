// The time bar: its step fields, the arrows and Reset, and what it reports.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <vector>

#include "ui/DialogControls.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace {

class TimeBarTest : public ::testing::Test {
 protected:
  TimeBarTest() {
    bar_.setResetSource(&observer_);
    bar_.setMoment(AstDateTime(31, 3, 2001, 12.0, TimeKind::Lct));
    QObject::connect(&bar_, &TimeBar::momentChanged, [this](const AstDateTime& m) { reported_.push_back(m); });
    bar_.show();
  }

  void setStep(const char* count, StepUnit unit) {
    bar_.countEdit()->setText(QString::fromLatin1(count));
    bar_.unitBox()->setCurrentIndex(static_cast<int>(unit));
  }
  QString shown() const { return bar_.dateText()->text() + " " + bar_.timeText()->text(); }

  AstDateTime observer_{4, 7, 2003, 21.5, TimeKind::Lct};
  TimeBar bar_;
  std::vector<AstDateTime> reported_;
};

TEST_F(TimeBarTest, TheArrowsStepFromTheShownMomentWithinTheCalendarAndCountsFrom1To1000) {
  for (int id : {101, 102, 243, 235, 1005, 272}) EXPECT_NE(findControlOrNull(&bar_, id), nullptr) << id;
  EXPECT_EQ(bar_.step(), (TimeBarStep{0, 1}));  // one minute
  QTest::mouseClick(bar_.spin()->rightButton(), Qt::LeftButton);
  EXPECT_EQ(bar_.moment(), AstDateTime(31, 3, 2001, 12.0 + 1.0 / 60.0, TimeKind::Lct));
  setStep("2", StepUnit::Hours);
  QTest::mouseClick(bar_.spin()->leftButton(), Qt::LeftButton);
  EXPECT_EQ(shown(), QStringLiteral("31.03.2001 10:01:00"));
  EXPECT_EQ(reported_.size(), 2u);
  EXPECT_EQ(reported_.back(), bar_.moment());
  // 12:00:00.4 shows as 12:00:00; the step starts from what is shown.
  bar_.setMoment(AstDateTime(31, 3, 2001, 12.0 + 0.4 / 3600.0, TimeKind::Lct));
  for (const char* refused : {"1001", "0", "abc", "-5", ""}) {
    setStep(refused, StepUnit::Days);
    EXPECT_EQ(bar_.stepOnce(false), TimeStepResult::CountRefused) << refused;
  }
  setStep("1000", StepUnit::Days);
  EXPECT_EQ(bar_.stepOnce(false), TimeStepResult::Stepped);
  EXPECT_EQ(bar_.moment(), AstDateTime(26, 12, 2003, 12.0, TimeKind::Lct));
  const AstDateTime lastYear(15, 6, 9999, 8.0, TimeKind::Lct);
  bar_.setMoment(lastYear);
  bar_.setStep(static_cast<int>(StepUnit::Years), 1);
  EXPECT_EQ(bar_.step(), (TimeBarStep{4, 1}));
  EXPECT_EQ(bar_.stepOnce(false), TimeStepResult::CalendarRefused);
  EXPECT_EQ(bar_.moment(), lastYear);
  EXPECT_EQ(reported_.size(), 3u);
  // Reset reports the observer's moment even when nothing changed.
  QTest::mouseClick(bar_.resetButton(), Qt::LeftButton);
  EXPECT_EQ(shown(), QStringLiteral("04.07.2003 21:30:00"));
  bar_.reset();
  EXPECT_EQ(reported_, (std::vector<AstDateTime>{reported_[0], reported_[1], reported_[2], observer_, observer_}));
}

TEST_F(TimeBarTest, AMomentHalfASecondBeforeMidnightShowsAsMidnightOfTheNextDay) {
  bar_.setMoment(AstDateTime(31, 12, 2000, 24.0 - 0.5 / 3600.0, TimeKind::Lct));
  EXPECT_EQ(shown(), QStringLiteral("01.01.2001 00:00:00"));
  EXPECT_EQ(bar_.stepOnce(false), TimeStepResult::Stepped);
  EXPECT_EQ(shown(), QStringLiteral("01.01.2001 00:01:00"));
}

}  // namespace
}  // namespace noctavo
