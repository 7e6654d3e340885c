// Select Location and Define User Location, driven as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <string>
#include <vector>

#include "catalogues/CoreServices.h"
#include "support/ModalDialogs.h"
#include "ui/CitySelectDialog.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/LocationDialog.h"
#include "ui/MapWindow.h"
#include "ui/UserLocationDialog.h"

namespace noctavo {
namespace {

namespace id = location_control;

template <class T>
T* control(QWidget* dialog, int controlId) {
  auto* found = qobject_cast<T*>(findControlOrNull(dialog, controlId));
  EXPECT_NE(found, nullptr) << "control " << controlId;
  return found;
}

// Radio buttons answer a click on their box or text only: at the box.
void click(QWidget* dialog, int controlId) {
  QWidget* button = control<QWidget>(dialog, controlId);
  const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                    radio ? QPoint(6, button->height() / 2) : button->rect().center());
}

// The messages meant for the user while it lives.
class UserMessages {
 public:
  UserMessages() {
    previous_ = setUserMessageHandler([this](MessageSeverity, const std::string& text) { texts.push_back(text); });
  }
  ~UserMessages() { setUserMessageHandler(previous_); }
  std::vector<std::string> texts;

 private:
  UserMessageHandler previous_;
};

class LocationDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { setLocationDataFolder(qEnvironmentVariable("NOCTAVO_DATA_DIR")); }
  void TearDown() override { setLocationDataFolder(QString()); }

  LocationRecord userLocation_ = [] {
    LocationRecord place;
    place.setCountry("(User)");
    place.setTown("(User)");
    return place;
  }();
};

// The pixel of the map window where the picture shows a place, from the
// picture's edges and where it is drawn (centred, at its fitted size), not
// from the window-edge arithmetic under test.
QPoint pixelOf(const UserLocationDialog& dialog, const MapRecord& map, double longitude, double latitude) {
  const MapWindow* window = dialog.mapWindow();
  const QSize drawn = window->drawnSize();
  const double left = (window->width() - drawn.width()) / 2.0;
  const double top = (window->height() - drawn.height()) / 2.0;
  const double x = left + (map.leftLongitude - longitude) / (map.leftLongitude - map.rightLongitude) * drawn.width();
  const double y = top + (map.topLatitude - latitude) / (map.topLatitude - map.bottomLatitude) * drawn.height();
  return QPoint(static_cast<int>(x), static_cast<int>(y));
}

TEST_F(LocationDialogTest, AClickOnATownReadsBackItsCoordinatesWithinOnePixel) {
  UserLocationDialog dialog(nullptr, userLocation_);
  dialog.show();
  struct Case {
    const char* map;
    const char* town;
    double longitude;  // west positive
    double latitude;
  };
  for (const Case& c : {Case{"World", "Sydney", -151.21, -33.87}, Case{"World", "New York", 74.01, 40.71},
                        Case{"British Isles", "London", 0.13, 51.51}, Case{"USA", "Denver", 104.99, 39.74}}) {
    SCOPED_TRACE(std::string(c.map) + " " + c.town);
    auto* maps = control<QComboBox>(&dialog, id::mapBox);
    maps->setCurrentText(QString::fromLatin1(c.map));
    ASSERT_EQ(maps->currentText(), QString::fromLatin1(c.map));
    const MapRecord& map = dialog.maps()[static_cast<std::size_t>(maps->currentIndex())];
    MapWindow* window = dialog.mapWindow();
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, pixelOf(dialog, map, c.longitude, c.latitude));
    const MapWindowEdges& edges = dialog.windowEdges();
    const double stepX = std::abs(edges.rightLongitude - edges.leftLongitude) / (window->width() - 1);
    const double stepY = std::abs(edges.bottomLatitude - edges.topLatitude) / (window->height() - 1);
    EXPECT_NEAR(dialog.crosshairPoint().longitude, c.longitude, stepX);
    EXPECT_NEAR(dialog.crosshairPoint().latitude, c.latitude, stepY);
    // "Use" takes the readouts into the fields, and they are what OK reads.
    window->repaint();
    click(&dialog, id::use);
    EXPECT_EQ(control<QLineEdit>(&dialog, id::longitude)->text(), control<QLabel>(&dialog, id::crosshairLongitude)->text());
  }
  click(&dialog, dialog_button::ok);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_NEAR(userLocation_.latitude.get(), 39.74, 0.1);
  EXPECT_NEAR(userLocation_.longitude.get(), 104.99, 0.1);
}

TEST_F(LocationDialogTest, ArrowsStopAtTheMapsBorder) {
  UserLocationDialog dialog(nullptr, userLocation_);
  dialog.show();
  MapWindow* window = dialog.mapWindow();
  EXPECT_EQ(window->crosshair(), QPoint(window->width() / 2, window->height() / 2));
  struct Case {
    int arrow;
    int opposite;
    QPoint border;
    QPoint afterStepBack;
  };
  const int right = window->width() - 1;
  const int bottom = window->height() - 1;
  for (const Case& c : {Case{id::arrowLeft, id::arrowRight, {0, 50}, {1, 50}},
                        Case{id::arrowRight, id::arrowLeft, {right, 50}, {right - 1, 50}},
                        Case{id::arrowUp, id::arrowDown, {50, 0}, {50, 1}},
                        Case{id::arrowDown, id::arrowUp, {50, bottom}, {50, bottom - 1}}}) {
    SCOPED_TRACE(c.arrow);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, c.border);
    EXPECT_FALSE(control<QPushButton>(&dialog, c.arrow)->isEnabled());
    click(&dialog, c.opposite);
    EXPECT_EQ(window->crosshair(), c.afterStepBack);
    EXPECT_TRUE(control<QPushButton>(&dialog, c.arrow)->isEnabled());
  }
}

TEST_F(LocationDialogTest, TypingSydFindsSydneyAndOkMakesItThePlace) {
  LocationRecord current;
  LocationRecord list;
  list.setCountry("Atlantis");  // no longer in the city file: the first country and town
  list.setTown("Poseidonia");
  bool useUser = true;
  testing::whenModalAppears([](QWidget* dialog) {
    EXPECT_EQ(control<QComboBox>(dialog, id::countryBox)->currentIndex(), 0);
    EXPECT_EQ(control<QComboBox>(dialog, id::townBox)->currentIndex(), 0);
    auto* search = control<QLineEdit>(dialog, id::search);
    QTest::keyClicks(search, QStringLiteral("Syd"));
    EXPECT_EQ(control<QListWidget>(dialog, id::searchMatches)->item(0)->text(), QStringLiteral("Sydney, Australia"));
    QTest::keyClick(search, Qt::Key_Return);  // takes the match, leaves the dialog open
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(control<QComboBox>(dialog, id::townBox)->currentText(), QStringLiteral("Sydney"));
    EXPECT_EQ(control<QLabel>(dialog, id::timeZone)->text(), QStringLiteral("+10.0 hours"));
    click(dialog, dialog_button::ok);
  });
  ASSERT_TRUE(LocationDialog(nullptr, current, list, userLocation_, useUser));
  EXPECT_FALSE(useUser);
  EXPECT_STREQ(list.country, "Australia");
  EXPECT_STREQ(list.town, "Sydney");
  EXPECT_NEAR(list.longitude.get(), -151.21, 0.1);
  EXPECT_EQ(current, list);
}

TEST_F(LocationDialogTest, CancelKeepsTheNewUserPlaceButNotTheChoice) {
  LocationRecord current = userLocation_;
  LocationRecord list;
  list.setCountry("UK");
  list.setTown("London");
  const LocationRecord listBefore = list;
  bool useUser = false;
  testing::whenModalAppears([](QWidget* select) {
    click(select, id::userDefined);
    testing::whenModalAppears([](QWidget* define) {
      control<QLineEdit>(define, id::town)->setText(QStringLiteral("Home"));
      control<QLineEdit>(define, id::longitude)->setText(QStringLiteral("-12.5"));
      control<QLineEdit>(define, id::latitude)->setText(QStringLiteral("45\xB0" "30'"));
      control<QLineEdit>(define, id::timeZone)->setText(QStringLiteral("+1"));
      click(define, dialog_button::ok);
    });
    click(select, id::edit);
    EXPECT_EQ(control<QLabel>(select, id::town)->text(), QStringLiteral("Home"));
    click(select, dialog_button::cancel);
  });
  EXPECT_FALSE(LocationDialog(nullptr, current, list, userLocation_, useUser));
  EXPECT_STREQ(userLocation_.town, "Home");
  EXPECT_EQ(userLocation_.longitude.get(), -12.5);
  EXPECT_EQ(userLocation_.latitude.get(), 45.5);
  EXPECT_EQ(userLocation_.timeZone, 1.0f);
  EXPECT_FALSE(useUser);
  EXPECT_EQ(list, listBefore);
}

TEST_F(LocationDialogTest, DamagedFilesGiveAMessageAndTheDialogsStillWork) {
  QTemporaryDir folder;
  QFile city(folder.filePath(QStringLiteral("Noctavo.loc")));
  ASSERT_TRUE(city.open(QIODevice::WriteOnly));
  city.write("Norway                Oslo                    59.9100  -10.7500   1.00\n"
             "Norway                Bergen                  sixty\n");
  city.close();
  QFile maps(folder.filePath(QStringLiteral("Noctavo.map")));
  ASSERT_TRUE(maps.open(QIODevice::WriteOnly));
  maps.write("world.jpg:World:180:-90\nmissing.jpg:Missing:180:-90:-180:90\n");
  maps.close();
  setLocationDataFolder(folder.path() + QLatin1Char('/'));

  UserMessages messages;
  {
    CitySelectDialog select(nullptr, LocationRecord{}, userLocation_, false);
    EXPECT_EQ(control<QComboBox>(&select, id::townBox)->currentText(), QStringLiteral("Oslo"));
  }
  UserLocationDialog define(nullptr, userLocation_);
  define.show();
  ASSERT_EQ(messages.texts.size(), 2u);
  EXPECT_NE(messages.texts[0].find("city file, line 2"), std::string::npos);
  EXPECT_NE(messages.texts[1].find("map description file, line 1"), std::string::npos);
  // No picture: nothing to point at, but a place can still be typed.
  EXPECT_EQ(control<QComboBox>(&define, id::mapBox)->count(), 0);
  EXPECT_FALSE(control<QPushButton>(&define, id::use)->isEnabled());
  EXPECT_FALSE(control<QPushButton>(&define, id::arrowLeft)->isEnabled());
  control<QLineEdit>(&define, id::longitude)->setText(QStringLiteral("-10.75"));
  click(&define, dialog_button::ok);
  EXPECT_EQ(define.result(), QDialog::Accepted);
  EXPECT_EQ(userLocation_.longitude.get(), -10.75);
}

}  // namespace
}  // namespace noctavo
