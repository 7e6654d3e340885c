// The time bar: its step fields, the arrows and Reset, and what it reports.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <vector>

#include "support/InternalErrorRecorder.h"
#include "ui/DialogControls.h"
#include "ui/TimeBar.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

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

TEST_F(TimeBarTest, CarriesTheProgramsControlIdsAndStartsAtOneMinute) {
  for (int id : {101, 102, 243, 235, 1005, 272}) EXPECT_NE(findControlOrNull(&bar_, id), nullptr) << id;
  ASSERT_EQ(bar_.unitBox()->count(), 5);
  EXPECT_EQ(bar_.unitBox()->itemText(4), QStringLiteral("Years"));
  EXPECT_EQ(bar_.step(), (TimeBarStep{0, 1}));
  bar_.setStep(static_cast<int>(StepUnit::Months), 12);
  EXPECT_EQ(bar_.countEdit()->text(), QStringLiteral("12"));
  EXPECT_EQ(bar_.step(), (TimeBarStep{3, 12}));
  bar_.countEdit()->setText("many");  // reads as one
  EXPECT_EQ(bar_.step(), (TimeBarStep{3, 1}));
  InternalErrorRecorder recorder;
  bar_.setStep(5, 3);
  EXPECT_EQ(recorder.modules(), std::vector<std::string>{"asttmbr"});
}

TEST_F(TimeBarTest, TheArrowsStepBothWaysAndReportEachNewMoment) {
  QTest::mouseClick(bar_.spin()->rightButton(), Qt::LeftButton);
  EXPECT_EQ(shown(), QStringLiteral("31.03.2001 12:01:00"));
  setStep("2", StepUnit::Hours);
  QTest::mouseClick(bar_.spin()->leftButton(), Qt::LeftButton);
  EXPECT_EQ(shown(), QStringLiteral("31.03.2001 10:01:00"));
  const std::vector<AstDateTime> expected{AstDateTime(31, 3, 2001, 12.0 + 1.0 / 60.0, TimeKind::Lct),
                                          AstDateTime(31, 3, 2001, 10.0 + 1.0 / 60.0, TimeKind::Lct)};
  EXPECT_EQ(reported_, expected);
  EXPECT_EQ(bar_.moment(), expected.back());
}

TEST_F(TimeBarTest, RefusedStepsChangeAndReportNothing) {
  for (const char* count : {"1001", "0", "abc", "-5", ""}) {
    setStep(count, StepUnit::Days);
    EXPECT_EQ(bar_.stepOnce(false), TimeStepResult::CountRefused) << count;
    EXPECT_EQ(bar_.spinBy(1), TimeStepResult::CountRefused) << count;
  }
  bar_.setMoment(AstDateTime(15, 6, 9999, 8.0, TimeKind::Lct));
  setStep("1", StepUnit::Years);
  EXPECT_EQ(bar_.stepOnce(false), TimeStepResult::CalendarRefused);
  EXPECT_EQ(bar_.moment(), AstDateTime(15, 6, 9999, 8.0, TimeKind::Lct));
  EXPECT_TRUE(reported_.empty());
  setStep("1000", StepUnit::Days);
  bar_.setMoment(AstDateTime(31, 3, 2001, 12.0, TimeKind::Lct));
  EXPECT_EQ(bar_.stepOnce(false), TimeStepResult::Stepped);
  EXPECT_EQ(shown(), QStringLiteral("26.12.2003 12:00:00"));
}

TEST_F(TimeBarTest, StepsFromTheMomentItShows) {
  struct Case {
    AstDateTime from;
    StepUnit unit;
    bool backward;
    const char* shownBefore;
    const char* shownAfter;
  };
  const Case cases[] = {
      // A month back from 31 March is the last day of February.
      {{31, 3, 2001, 12.0, TimeKind::Lct}, StepUnit::Months, true, "31.03.2001 12:00:00", "28.02.2001 12:00:00"},
      {{31, 3, 2000, 12.0, TimeKind::Lct}, StepUnit::Months, true, "31.03.2000 12:00:00", "29.02.2000 12:00:00"},
      // 12:00:00.4 shows and steps as 12:00:00.
      {{31, 3, 2001, 12.0 + 0.4 / 3600.0, TimeKind::Lct}, StepUnit::Minutes, false, "31.03.2001 12:00:00",
       "31.03.2001 12:01:00"},
      // Half a second before midnight shows as the next day's 00:00:00.
      {{31, 12, 2001, 24.0 - 0.5 / 3600.0, TimeKind::Lct}, StepUnit::Minutes, false, "01.01.2002 00:00:00",
       "01.01.2002 00:01:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shownBefore);
    bar_.setMoment(c.from);
    EXPECT_EQ(shown(), QString::fromLatin1(c.shownBefore));
    setStep("1", c.unit);
    EXPECT_EQ(bar_.stepOnce(c.backward), TimeStepResult::Stepped);
    EXPECT_EQ(shown(), QString::fromLatin1(c.shownAfter));
  }
  EXPECT_EQ(bar_.moment(), AstDateTime(1, 1, 2002, 1.0 / 60.0, TimeKind::Lct));
}

TEST_F(TimeBarTest, ResetReportsTheObserversMomentEvenWhenNothingChanged) {
  QTest::mouseClick(bar_.resetButton(), Qt::LeftButton);
  EXPECT_EQ(shown(), QStringLiteral("04.07.2003 21:30:00"));
  bar_.reset();
  EXPECT_EQ(reported_, (std::vector<AstDateTime>{observer_, observer_}));
}

TEST_F(TimeBarTest, ASpinOfZeroOrResetWithoutASourceIsAnInternalError) {
  InternalErrorRecorder recorder;
  EXPECT_EQ(bar_.spinBy(0), TimeStepResult::Broken);
  TimeBar unbound;
  unbound.reset();
  EXPECT_EQ(recorder.modules(), (std::vector<std::string>{"asttmbr", "asttmbr"}));
  EXPECT_TRUE(reported_.empty());
}

}  // namespace
}  // namespace noctavo
