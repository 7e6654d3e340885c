#include "ui/UserLocationDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "time/AstCoord.h"
#include "time/TimeSystems.h"
#include "ui/ArrowButton.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/InputErrors.h"
#include "ui/LocationDialog.h"
#include "ui/MapWindow.h"
#include "ui/SymbolFont.h"

namespace noctavo {

namespace {

constexpr const char* helpTopic = "dialog define user location.htm";

// The frame around the map, pixels; the map window fills it less a line
// of one pixel on every side.
constexpr int mapFrameWidth = 482;
constexpr int mapFrameHeight = 302;
constexpr int mapFrameLine = 1;

// A place's names are kept in the settings store shorter than 20
// characters; a longer name typed here would come back cut.
constexpr int storedNameLength = 19;

struct ArrowControl {
  ArrowDirection direction;
  int controlId;
};
constexpr ArrowControl arrowControls[4] = {
    {ArrowDirection::Left, location_control::arrowLeft},
    {ArrowDirection::Right, location_control::arrowRight},
    {ArrowDirection::Up, location_control::arrowUp},
    {ArrowDirection::Down, location_control::arrowDown},
};

QString angleText(double degrees) { return symbolText(formatAngle(degrees, false)); }

QLineEdit* field(QWidget* parent, int controlId, const QString& text) {
  return withId(new QLineEdit(text, parent), controlId);
}

}  // namespace

UserLocationDialog::UserLocationDialog(QWidget* owner, LocationRecord& userLocation)
    : QDialog(owner), userLocation_(userLocation) {
  setObjectName(QStringLiteral("Dlg_CityDefine"));
  setWindowTitle(QStringLiteral("Define User Location"));
  setFont(SymbolFont());
  build();
  loadMaps();
  // The crosshair starts in the middle of the map.
  map_->setCrosshair(QPoint(map_->width() / 2, map_->height() / 2));
  enableArrows();
}

void UserLocationDialog::build() {
  using namespace location_control;
  country_ = field(this, location_control::country, symbolText(userLocation_.country));
  town_ = field(this, location_control::town, symbolText(userLocation_.town));
  country_->setMaxLength(storedNameLength);
  town_->setMaxLength(storedNameLength);
  longitude_ = field(this, location_control::longitude, symbolText(userLocation_.longitude.format()));
  latitude_ = field(this, location_control::latitude, symbolText(userLocation_.latitude.format()));
  timeZone_ = field(this, location_control::timeZone, symbolText(formatTimeZone(userLocation_.timeZone, false)));

  auto* place = new QGridLayout;
  const auto addField = [this, place](int row, int column, const QString& label, QLineEdit* edit) {
    auto* caption = new QLabel(label, this);
    caption->setBuddy(edit);
    place->addWidget(caption, row, column);
    place->addWidget(edit, row, column + 1);
  };
  addField(0, 0, QStringLiteral("&Country:"), country_);
  addField(0, 2, QStringLiteral("T&own:"), town_);
  addField(1, 0, QStringLiteral("Lo&ngitude:"), longitude_);
  addField(1, 2, QStringLiteral("L&atitude:"), latitude_);
  addField(2, 0, QStringLiteral("Time &zone:"), timeZone_);
  auto* hint = new QLabel(QStringLiteral("Longitudes count positive to the west, time zones in hours east."), this);
  place->addWidget(hint, 3, 0, 1, 4);

  mapBox_ = withId(new QComboBox(this), mapBox);
  auto* mapLabel = new QLabel(QStringLiteral("&Map:"), this);
  mapLabel->setBuddy(mapBox_);

  auto* frame = withId(new QFrame(this), mapFrame);
  frame->setFrameStyle(QFrame::Box | QFrame::Plain);
  frame->setLineWidth(mapFrameLine);
  frame->setFixedSize(mapFrameWidth, mapFrameHeight);
  map_ = new MapWindow(frame);
  map_->setGeometry(mapFrameLine, mapFrameLine, mapFrameWidth - 2 * mapFrameLine, mapFrameHeight - 2 * mapFrameLine);

  auto* arrows = new QGridLayout;
  const QPoint arrowCells[4] = {{0, 1}, {2, 1}, {1, 0}, {1, 2}};  // left, right, up, down: (column, row)
  for (int i = 0; i < 4; ++i) {
    arrows_[i] = withId(new ArrowButton(arrowControls[i].direction, this), arrowControls[i].controlId);
    arrows->addWidget(arrows_[i], arrowCells[i].y(), arrowCells[i].x());
    connect(arrows_[i], &QPushButton::clicked, this, [this, i] { map_->stepCrosshair(arrowControls[i].direction); });
  }
  auto* arrowColumn = new QVBoxLayout;
  arrowColumn->addLayout(arrows);
  arrowColumn->addStretch();

  crosshairLongitude_ = withId(new QLabel(this), crosshairLongitude);
  crosshairLatitude_ = withId(new QLabel(this), crosshairLatitude);
  crosshairLongitude_->setMinimumWidth(90);
  crosshairLatitude_->setMinimumWidth(90);
  use_ = withId(new QPushButton(QStringLiteral("&Use"), this), location_control::use);
  auto* readout = new QHBoxLayout;
  readout->addWidget(new QLabel(QStringLiteral("Crosshair longitude:"), this));
  readout->addWidget(crosshairLongitude_);
  readout->addWidget(new QLabel(QStringLiteral("latitude:"), this));
  readout->addWidget(crosshairLatitude_);
  readout->addStretch();
  readout->addWidget(use_);

  auto* mapRow = new QHBoxLayout;
  mapRow->addWidget(mapLabel);
  mapRow->addWidget(mapBox_, 1);
  auto* mapArea = new QHBoxLayout;
  mapArea->addWidget(frame);
  mapArea->addLayout(arrowColumn);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(place);
  layout->addSpacing(6);
  layout->addLayout(mapRow);
  layout->addLayout(mapArea);
  layout->addLayout(readout);
  layout->addLayout(okCancelHelpRow(this, helpTopic, [this] { acceptIfValid(); }));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(map_, &MapWindow::painted, this, [this] { showCrosshairCoordinates(); });
  connect(map_, &MapWindow::crosshairMoved, this, [this] { enableArrows(); });
  connect(use_, &QPushButton::clicked, this, [this] { useCrosshair(); });
  connect(mapBox_, &QComboBox::currentIndexChanged, this, [this](int index) { selectMap(index); });
}

void UserLocationDialog::loadMaps() {
  const std::string folder = locationDataFolder().toStdString();
  maps_ = listedMaps(folder, readMapDescription(folder));
  {
    const QSignalBlocker quiet(mapBox_);
    for (const MapRecord& map : maps_) mapBox_->addItem(symbolText(map.displayName));
  }
  // Without any map the place can still be typed.
  mapBox_->setEnabled(!maps_.empty());
  selectMap(maps_.empty() ? -1 : 0);
}

void UserLocationDialog::selectMap(int index) {
  if (index >= 0 && index < static_cast<int>(maps_.size())) {
    const MapRecord& map = maps_[static_cast<std::size_t>(index)];
    picture_.SetFile(QString::fromStdString(mapPicturePath(locationDataFolder().toStdString(), map)));
    picture_.Load();
  } else {
    picture_.Release();
  }
  map_->setPicture(picture_.isLoaded() ? &picture_ : nullptr);
  const QSize drawn = map_->drawnSize();
  if (picture_.isLoaded()) {
    edges_ = mapWindowEdges(maps_[static_cast<std::size_t>(index)], drawn.width(), drawn.height(), map_->width(),
                            map_->height());
  }
  use_->setEnabled(picture_.isLoaded());
  enableArrows();
  showCrosshairCoordinates();
}

MapPoint UserLocationDialog::crosshairPoint() const {
  const QPoint at = map_->crosshair();
  return mapPointAt(edges_, at.x(), at.y(), map_->width(), map_->height());
}

void UserLocationDialog::showCrosshairCoordinates() {
  if (!picture_.isLoaded()) {
    crosshairLongitude_->clear();
    crosshairLatitude_->clear();
    return;
  }
  const MapPoint point = crosshairPoint();
  crosshairLongitude_->setText(angleText(point.longitude));
  crosshairLatitude_->setText(angleText(point.latitude));
}

void UserLocationDialog::enableArrows() {
  for (int i = 0; i < 4; ++i) arrows_[i]->setEnabled(picture_.isLoaded() && map_->canStep(arrowControls[i].direction));
}

void UserLocationDialog::useCrosshair() {
  if (!picture_.isLoaded()) return;
  longitude_->setText(crosshairLongitude_->text());
  latitude_->setText(crosshairLatitude_->text());
}

void UserLocationDialog::acceptIfValid() {
  // All three are read before any is stored: a dialog left open on a
  // mistyped field, and then cancelled, must not leave half a place behind.
  AstLongitude longitude = userLocation_.longitude;
  AstLatitude latitude = userLocation_.latitude;
  float timeZone = userLocation_.timeZone;
  if (!longitude.parse(symbolBytes(longitude_->text()))) {
    ReportInvalidLongitude(this, location_control::longitude);
    return;
  }
  if (!latitude.parse(symbolBytes(latitude_->text()))) {
    ReportInvalidLatitude(this, location_control::latitude);
    return;
  }
  if (!parseTimeZone(symbolBytes(timeZone_->text()), timeZone)) {
    ReportInvalidTimeZone(this, location_control::timeZone);
    return;
  }
  userLocation_.longitude = longitude;
  userLocation_.latitude = latitude;
  userLocation_.timeZone = timeZone;
  userLocation_.setCountry(symbolBytes(country_->text()).c_str());
  userLocation_.setTown(symbolBytes(town_->text()).c_str());
  accept();
}

bool DefineUserLocationDialog(QWidget* owner, LocationRecord& userLocation) {
  UserLocationDialog dialog(owner, userLocation);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace noctavo
