#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <QDialog>

#include "support/InternalErrorRecorder.h"
#include "ui/DatePickerBinding.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

class DatePicker : public ::testing::Test {
 protected:
  void SetUp() override {
    edit_ = new QDateTimeEdit(&dialog_);
    setControlId(edit_, 101);
    ASSERT_TRUE(binding_.Bind(&dialog_, 101));
  }
  QDialog dialog_;
  QDateTimeEdit* edit_ = nullptr;
  DatePickerBinding binding_;
};

TEST_F(DatePicker, ShowsAMomentAndGivesItsDateAndTimeBackSeparately) {
  EXPECT_EQ(edit_->minimumDateTime(), QDateTime(QDate(1753, 1, 1), QTime(0, 0)));
  EXPECT_EQ(edit_->maximumDateTime(), QDateTime(QDate(3000, 12, 31), QTime(23, 59, 59, 999)));
  binding_.SetFrom(AstDateTime(15, 6, 2001, 13.0 + 45.0 / 60.0 + 30.0 / 3600.0, TimeKind::Gmt));
  EXPECT_EQ(edit_->date(), QDate(2001, 6, 15));
  AstDateTime read(1, 1, 1980, 7.25, TimeKind::Lct);
  binding_.GetDate(read);
  EXPECT_EQ(read, AstDateTime(15, 6, 2001, 7.25, TimeKind::Lct));  // the date alone
  binding_.GetTime(read);
  EXPECT_EQ(read.getHour(), 13);
  EXPECT_EQ(read.getMinute(), 45);
  EXPECT_EQ(read.getSecond(), 30);
  EXPECT_EQ(read.getYear(), 2001);
  EXPECT_EQ(read.getKind(), TimeKind::Lct);  // the kind is the caller's
}

TEST_F(DatePicker, KeepsTheClockTimeOfADaylightSavingChangeOfTheComputer) {
  // 02:30 does not exist in many zones on the last Sunday of March; the
  // program's times are not the computer's.
  binding_.SetFrom(AstDateTime(25, 3, 2001, 2.5, TimeKind::Lct));
  AstDateTime read(1, 1, 1980, 0.0, TimeKind::Lct);
  binding_.GetTime(read);
  EXPECT_EQ(read.getHour(), 2);
  EXPECT_EQ(read.getMinute(), 30);
}

TEST_F(DatePicker, AMomentOutsideTheRangeShowsTheNearestEndAndAnInvalidOneChangesNothing) {
  binding_.SetFrom(AstDateTime(1, 1, 1600, 6.0, TimeKind::Lct));
  EXPECT_EQ(edit_->date(), QDate(1753, 1, 1));
  binding_.SetFrom(AstDateTime(1, 1, 5000, 6.0, TimeKind::Lct));
  EXPECT_EQ(edit_->date(), QDate(3000, 12, 31));
  AstDateTime invalid;
  invalid.invalidate();
  binding_.SetFrom(invalid);
  EXPECT_EQ(edit_->date(), QDate(3000, 12, 31));
}

TEST_F(DatePicker, ASecondBindingOrAMissingControlIsAnInternalError) {
  InternalErrorRecorder recorder;
  DatePickerBinding second;
  EXPECT_FALSE(second.Bind(&dialog_, 101));
  EXPECT_FALSE(second.Bind(&dialog_, 226));
  EXPECT_EQ(recorder.modules(), (std::vector<std::string>{"astdted", "astdted"}));
  EXPECT_EQ(DatePickerBinding::of(edit_), &binding_);
}

TEST(DatePickerBinding, AnEndedBindingFreesItsControl) {
  QDialog dialog;
  auto* edit = new QDateTimeEdit(&dialog);
  setControlId(edit, 251);
  {
    DatePickerBinding binding;
    ASSERT_TRUE(binding.Bind(&dialog, 251));
  }
  EXPECT_EQ(DatePickerBinding::of(edit), nullptr);
  DatePickerBinding again;
  EXPECT_TRUE(again.Bind(&dialog, 251));
}

}  // namespace
}  // namespace noctavo
