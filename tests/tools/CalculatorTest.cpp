// The Astronomical Calculator, driven as a user would.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>

#include <string>

#include "shell/Options.h"
#include "shell/SettingsStore.h"
#include "shell/WindowMessages.h"
#include "support/ModalDialogs.h"
#include "support/TemporarySettings.h"
#include "tools/AstroCalculator.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

namespace id = calculator_control;

class CalculatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The observer: 15.06.2001 12:00 at London.
    observer().dateTime = testing::TemporarySettings::fixedNow();
    calculator_ = std::make_unique<AstroCalculator>(nullptr);
  }

  template <class T>
  T* control(int controlId) {
    auto* found = qobject_cast<T*>(findControlOrNull(calculator_->currentPage(), controlId));
    EXPECT_NE(found, nullptr) << "control " << controlId;
    return found;
  }
  QString text(int controlId) {
    if (auto* label = qobject_cast<QLabel*>(findControlOrNull(calculator_->currentPage(), controlId))) {
      return label->text();
    }
    return control<QLineEdit>(controlId)->text();
  }
  void type(int controlId, const QString& typed) {
    auto* edit = control<QLineEdit>(controlId);
    edit->selectAll();
    QTest::keyClicks(edit, typed);
  }
  void calculate() {
    QTest::mouseClick(findControlOrNull(calculator_.get(), id::calculate), Qt::LeftButton);
  }
  void showTab(int tab) { calculator_->tabs()->setCurrentIndex(tab); }

  testing::TemporarySettings settings_;
  std::unique_ptr<AstroCalculator> calculator_;
};

TEST_F(CalculatorTest, CalendarTurnsJulianDaysAndDayNumbersIntoDates) {
  EXPECT_EQ(text(id::julianDay), QStringLiteral("2452076.000"));  // 15.06.2001 12:00 taken as GMT
  EXPECT_EQ(text(id::weekday), QStringLiteral("Friday"));

  type(id::julianDay, QStringLiteral("2451545"));
  calculate();
  EXPECT_EQ(control<QDateEdit>(id::date)->date(), QDate(2000, 1, 1));
  EXPECT_EQ(control<QTimeEdit>(id::time)->time(), QTime(12, 0, 0));
  EXPECT_EQ(text(id::dayNumber), QStringLiteral("1"));
  EXPECT_EQ(text(id::weekday), QStringLiteral("Saturday"));
  EXPECT_EQ(text(id::leapYear), QStringLiteral("Yes"));
  EXPECT_EQ(text(id::easter), QStringLiteral("23.04.2000"));

  control<QDateEdit>(id::date)->setDate(QDate(2001, 7, 4));
  calculate();  // the pickers changed: everything from them
  type(id::dayNumber, QStringLiteral("60"));
  calculate();
  EXPECT_EQ(control<QDateEdit>(id::date)->date(), QDate(2001, 3, 1));
  EXPECT_EQ(text(id::leapYear), QStringLiteral("No"));
  EXPECT_EQ(text(id::easter), QStringLiteral("15.04.2001"));

  struct Refused {
    int field;
    const char* typed;
    const char* message;
  };
  for (const Refused& r : {Refused{id::dayNumber, "366", "You entered an invalid day number"},
                           Refused{id::julianDay, "2299238.4", "You entered an invalid Julian Day number"},
                           Refused{id::julianDay, "2361330", "You entered an invalid Julian Day number"}}) {
    SCOPED_TRACE(r.typed);
    testing::ModalWatch watch;
    type(r.field, QString::fromLatin1(r.typed));
    calculate();
    ASSERT_EQ(watch.count(), 1);
    EXPECT_EQ(watch.shown[0].text, QString::fromLatin1(r.message));
    EXPECT_EQ(control<QDateEdit>(id::date)->date(), QDate(2001, 3, 1));
    control<QLineEdit>(id::julianDay)->clear();
    control<QLineEdit>(id::dayNumber)->clear();
  }
}

TEST_F(CalculatorTest, TimeConvertsBetweenTheFourSystems) {
  showTab(AstroCalculator::Time);
  control<QDateEdit>(id::date)->setDate(QDate(2000, 7, 1));
  control<QTimeEdit>(id::time)->setTime(QTime(0, 30, 0));
  type(id::timeZone, QStringLiteral("+1"));
  QTest::mouseClick(control<QWidget>(id::daylightSaving), Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
  control<QComboBox>(id::destinationKind)->setCurrentText(QStringLiteral("Greenwich mean time"));
  calculate();
  EXPECT_EQ(text(id::destinationTime), QStringLiteral("22:30:00"));  // the day before, not shown

  // 01.01.1980 0h GMT is 6h39m15s GST.
  control<QDateEdit>(id::date)->setDate(QDate(1980, 1, 1));
  control<QTimeEdit>(id::time)->setTime(QTime(0, 0, 0));
  control<QComboBox>(id::sourceKind)->setCurrentText(QStringLiteral("Greenwich mean time"));
  control<QComboBox>(id::destinationKind)->setCurrentText(QStringLiteral("Greenwich siderial time"));
  calculate();
  EXPECT_EQ(text(id::destinationTime).left(5), QStringLiteral("06:39"));

  testing::ModalWatch watch;
  type(id::longitude, QStringLiteral("180"));
  calculate();
  ASSERT_EQ(watch.count(), 1);
  EXPECT_EQ(watch.shown[0].text, QStringLiteral("You entered an invalid longitude"));
  EXPECT_EQ(text(id::destinationTime).left(5), QStringLiteral("06:39"));
}

TEST_F(CalculatorTest, CoordinatesConvertBothWaysAndRelabel) {
  showTab(AstroCalculator::Coordinates);
  // Only the page of the selected tab exists.
  EXPECT_EQ(findControlOrNull(calculator_.get(), id::julianDay), nullptr);
  EXPECT_EQ(text(id::sourceLabel1), QStringLiteral("Right ascension:"));
  auto* destination = control<QComboBox>(id::destinationSystem);
  destination->setCurrentText(QStringLiteral("Ecliptical"));  // relabels and recalculates
  EXPECT_EQ(text(id::destinationLabel1), QStringLiteral("Longitude:"));
  EXPECT_EQ(text(id::destinationAngle1), QString::fromUtf8("0°00'00\""));
  EXPECT_EQ(text(id::destinationAngle2), QString::fromUtf8("0°00'00\""));

  type(id::sourceAngle1, QStringLiteral("6h"));
  calculate();
  EXPECT_EQ(text(id::destinationAngle1), QString::fromUtf8("90°00'00\""));
  EXPECT_EQ(text(id::destinationAngle2), QString::fromUtf8("-23°26'30\""));

  // Horizontal: the place and the moment count.
  destination->setCurrentText(QStringLiteral("Horizontal"));
  EXPECT_EQ(text(id::destinationLabel2), QStringLiteral("Altitude:"));
  const QString fromLondon = text(id::destinationAngle2);
  type(id::latitude, QStringLiteral("-33.9"));
  calculate();
  EXPECT_NE(text(id::destinationAngle2), fromLondon);

  testing::ModalWatch watch;
  type(id::sourceAngle2, QStringLiteral("100"));  // no declination beyond the pole
  calculate();
  ASSERT_EQ(watch.count(), 1);
  EXPECT_EQ(watch.shown[0].text, QStringLiteral("You entered an invalid angle"));
}

TEST_F(CalculatorTest, ShowsOnTheFramesMessagesAndKeepsItsPlace) {
  sendMessage(calculator_.get(), UM_SHOW);
  EXPECT_TRUE(calculator_->isVisible());
  calculator_->move(321, 123);
  calculator_->saveAndRelease();
  const std::string key = settingsKey("Calculator");
  EXPECT_EQ(SettingsReadString(key, "Visible", ""), "1");
  EXPECT_EQ(SettingsReadString(key, "X", ""), "321");
  sendMessage(calculator_.get(), UM_HIDE);
  EXPECT_FALSE(calculator_->isVisible());

  AstroCalculator again(nullptr);
  EXPECT_TRUE(again.storedVisible());
  EXPECT_EQ(again.pos(), QPoint(321, 123));
}

}  // namespace
}  // namespace noctavo
