#include "ui/CitySelectDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "catalogues/CityDatabase.h"
#include "time/TimeSystems.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/LocationDialog.h"
#include "ui/SymbolFont.h"

namespace noctavo {

namespace {

constexpr const char* helpTopic = "dialog select location.htm";

// The search lists this many towns at most; a few letters more find the rest.
constexpr std::size_t searchMatchLimit = 50;
constexpr int searchRowsShown = 6;

// Item data of a search match: the country and town indices.
constexpr int countryRole = Qt::UserRole;
constexpr int townRole = Qt::UserRole + 1;

QString placeText(const std::string& bytes) { return symbolText(bytes); }

}  // namespace

CitySelectDialog::CitySelectDialog(QWidget* owner, const LocationRecord& listLocation, LocationRecord& userLocation,
                                   bool useUserLocation)
    : QDialog(owner), listLocation_(listLocation), userLocation_(userLocation), useUserLocation_(useUserLocation) {
  setObjectName(QStringLiteral("Dlg_CitySelect"));
  setWindowTitle(QStringLiteral("Select Location"));
  setFont(SymbolFont());
  build();
  // A missing city file has given its message; the lists stay empty and
  // the user's own place can still be chosen.
  CityDbLoad(locationDataFolder().toStdString());
  fillCountries();
  selectStoredPlace();
  userCountry_->setText(placeText(userLocation_.country));
  userTown_->setText(placeText(userLocation_.town));
  setChoice(useUserLocation_);
  search_->setFocus();
}

CitySelectDialog::~CitySelectDialog() { CityDbFree(); }

void CitySelectDialog::build() {
  using namespace location_control;
  search_ = withId(new QLineEdit(this), location_control::search);
  search_->setPlaceholderText(QStringLiteral("Type the first letters of a town"));
  search_->installEventFilter(this);
  auto* searchLabel = new QLabel(QStringLiteral("&Find a town:"), this);
  searchLabel->setBuddy(search_);
  matches_ = withId(new QListWidget(this), searchMatches);
  matches_->setFixedHeight(matches_->fontMetrics().height() * searchRowsShown + 2 * matches_->frameWidth() + 4);

  predefined_ = withId(new QRadioButton(QStringLiteral("&Predefined"), this), location_control::predefined);
  userDefined_ = withId(new QRadioButton(QStringLiteral("&User defined"), this), location_control::userDefined);
  countryBox_ = withId(new QComboBox(this), countryBox);
  townBox_ = withId(new QComboBox(this), townBox);
  countryBox_->setMaxVisibleItems(20);
  townBox_->setMaxVisibleItems(20);
  countryBox_->setMinimumContentsLength(19);
  townBox_->setMinimumContentsLength(19);
  userCountry_ = withId(new QLabel(this), location_control::country);
  userTown_ = withId(new QLabel(this), location_control::town);
  auto* edit = withId(new QPushButton(QStringLiteral("&Edit..."), this), location_control::edit);

  auto* listPlace = new QGridLayout;
  auto* countryLabel = new QLabel(QStringLiteral("&Country:"), this);
  countryLabel->setBuddy(countryBox_);
  auto* townLabel = new QLabel(QStringLiteral("&Town:"), this);
  townLabel->setBuddy(townBox_);
  listPlace->addWidget(predefined_, 0, 0, 1, 2);
  listPlace->addWidget(countryLabel, 1, 0);
  listPlace->addWidget(countryBox_, 1, 1);
  listPlace->addWidget(townLabel, 2, 0);
  listPlace->addWidget(townBox_, 2, 1);

  auto* ownPlace = new QGridLayout;
  ownPlace->addWidget(userDefined_, 0, 0, 1, 2);
  ownPlace->addWidget(new QLabel(QStringLiteral("Country:"), this), 1, 0);
  ownPlace->addWidget(userCountry_, 1, 1);
  ownPlace->addWidget(new QLabel(QStringLiteral("Town:"), this), 2, 0);
  ownPlace->addWidget(userTown_, 2, 1);
  ownPlace->addWidget(edit, 3, 1, Qt::AlignLeft);
  ownPlace->setColumnStretch(1, 1);
  ownPlace->setColumnMinimumWidth(1, 140);

  auto* choices = new QHBoxLayout;
  choices->addLayout(listPlace);
  choices->addSpacing(16);
  choices->addLayout(ownPlace);

  longitude_ = withId(new QLabel(this), location_control::longitude);
  latitude_ = withId(new QLabel(this), location_control::latitude);
  timeZone_ = withId(new QLabel(this), location_control::timeZone);
  auto* coordinates = new QGroupBox(QStringLiteral("Location"), this);
  auto* coordinateRow = new QGridLayout(coordinates);
  const auto addReadout = [this, coordinateRow](int column, const QString& caption, QLabel* value) {
    coordinateRow->addWidget(new QLabel(caption, this), 0, column);
    coordinateRow->addWidget(value, 1, column);
    coordinateRow->setColumnStretch(column, 1);
  };
  addReadout(0, QStringLiteral("Longitude (west positive):"), longitude_);
  addReadout(1, QStringLiteral("Latitude:"), latitude_);
  addReadout(2, QStringLiteral("Time zone:"), timeZone_);

  auto* layout = new QVBoxLayout(this);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(searchLabel);
  searchRow->addWidget(search_, 1);
  layout->addLayout(searchRow);
  layout->addWidget(matches_);
  layout->addSpacing(6);
  layout->addLayout(choices);
  layout->addWidget(coordinates);
  layout->addLayout(okCancelHelpRow(this, helpTopic, [this] { acceptChoice(); }));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(predefined_, &QRadioButton::clicked, this, [this] { setChoice(false); });
  connect(userDefined_, &QRadioButton::clicked, this, [this] { setChoice(true); });
  connect(countryBox_, &QComboBox::currentIndexChanged, this, [this] {
    fillTowns();
    showChoice();
  });
  connect(townBox_, &QComboBox::currentIndexChanged, this, [this] { showChoice(); });
  connect(edit, &QPushButton::clicked, this, [this] { editUserLocation(); });
  connect(search_, &QLineEdit::textEdited, this, [this](const QString& text) { searchTowns(text); });
  connect(matches_, &QListWidget::itemClicked, this, [this] { pickMatch(); });
  connect(matches_, &QListWidget::itemActivated, this, [this] { pickMatch(); });
}

void CitySelectDialog::fillCountries() {
  const QSignalBlocker quiet(countryBox_);
  countryBox_->clear();
  std::string name;
  for (bool more = CityDbFirstCountry(name); more; more = CityDbNextCountry(name)) {
    countryBox_->addItem(placeText(name));
  }
}

void CitySelectDialog::fillTowns() {
  const QSignalBlocker quiet(townBox_);
  townBox_->clear();
  const int country = countryBox_->currentIndex();
  std::string name;
  for (bool more = CityDbFirstTown(country, name); more; more = CityDbNextTown(country, name)) {
    townBox_->addItem(placeText(name));
  }
  townBox_->setCurrentIndex(townBox_->count() > 0 ? 0 : -1);
}

void CitySelectDialog::selectStoredPlace() {
  // A place the city file no longer holds (another file, a name cut short
  // in the settings) falls back to the first country and its first town.
  int country = CityDbCountryIndex(listLocation_.country);
  if (country < 0) country = countryBox_->count() > 0 ? 0 : -1;
  {
    const QSignalBlocker quiet(countryBox_);
    countryBox_->setCurrentIndex(country);
  }
  fillTowns();
  if (const CityTown* town = cityDatabase().lookup(country, listLocation_.town)) {
    const QSignalBlocker quiet(townBox_);
    townBox_->setCurrentIndex(townBox_->findText(placeText(town->name), Qt::MatchExactly | Qt::MatchCaseSensitive));
  }
}

void CitySelectDialog::setChoice(bool userDefined) {
  useUserLocation_ = userDefined;
  (userDefined ? userDefined_ : predefined_)->setChecked(true);
  showChoice();
}

void CitySelectDialog::showChoice() {
  if (useUserLocation_) {
    longitude_->setEnabled(true);
    latitude_->setEnabled(true);
    longitude_->setText(placeText(userLocation_.longitude.format()));
    latitude_->setText(placeText(userLocation_.latitude.format()));
    timeZone_->setText(placeText(formatTimeZone(userLocation_.timeZone, true)));
    userCountry_->setText(placeText(userLocation_.country));
    userTown_->setText(placeText(userLocation_.town));
    return;
  }
  double latitude = 0.0;
  double longitude = 0.0;
  float timeZone = 0.0f;
  const std::string town = symbolBytes(townBox_->currentText());
  const bool found = !town.empty() && CityDbLookup(countryBox_->currentIndex(), town, latitude, longitude, timeZone);
  longitude_->setEnabled(found);
  latitude_->setEnabled(found);
  if (!found) {
    longitude_->clear();
    latitude_->clear();
    timeZone_->clear();
    return;
  }
  longitude_->setText(placeText(AstLongitude(longitude).format()));
  latitude_->setText(placeText(AstLatitude(latitude).format()));
  timeZone_->setText(placeText(formatTimeZone(timeZone, true)));
}

void CitySelectDialog::editUserLocation() {
  DefineUserLocationDialog(this, userLocation_);
  if (useUserLocation_) {
    showChoice();
  } else {
    userCountry_->setText(placeText(userLocation_.country));
    userTown_->setText(placeText(userLocation_.town));
  }
}

void CitySelectDialog::searchTowns(const QString& text) {
  matches_->clear();
  const CityDatabase& db = cityDatabase();
  for (const CityMatch& match : db.search(symbolBytes(text), searchMatchLimit)) {
    const CityCountry& country = db.countries()[static_cast<std::size_t>(match.country)];
    const CityTown& town = country.towns[static_cast<std::size_t>(match.town)];
    auto* item = new QListWidgetItem(placeText(town.name + ", " + country.name), matches_);
    item->setData(countryRole, match.country);
    item->setData(townRole, match.town);
  }
  if (matches_->count() > 0) matches_->setCurrentRow(0);
}

void CitySelectDialog::pickMatch() {
  const QListWidgetItem* item = matches_->currentItem();
  if (!item) return;
  countryBox_->setCurrentIndex(item->data(countryRole).toInt());
  townBox_->setCurrentIndex(item->data(townRole).toInt());
  setChoice(false);
}

bool CitySelectDialog::eventFilter(QObject* watched, QEvent* event) {
  // The search field steers its list: up and down move through the
  // matches, Enter takes one (and does not close the dialog).
  if (watched == search_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int row = matches_->currentRow();
    switch (key) {
      case Qt::Key_Down:
        if (row + 1 < matches_->count()) matches_->setCurrentRow(row + 1);
        return true;
      case Qt::Key_Up:
        if (row > 0) matches_->setCurrentRow(row - 1);
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (matches_->count() == 0) break;
        pickMatch();
        return true;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CitySelectDialog::acceptChoice() {
  double latitude = 0.0;
  double longitude = 0.0;
  float timeZone = 0.0f;
  const std::string country = symbolBytes(countryBox_->currentText());
  const std::string town = symbolBytes(townBox_->currentText());
  // With no town to choose from (no city file) the list keeps its place.
  if (!town.empty() && CityDbLookup(countryBox_->currentIndex(), town, latitude, longitude, timeZone)) {
    listLocation_.setCountry(country.c_str());
    listLocation_.setTown(town.c_str());
    listLocation_.latitude.set(latitude);
    listLocation_.longitude.set(longitude);
    listLocation_.timeZone = timeZone;
  }
  accept();
}

}  // namespace noctavo
