#pragma once

#include <QDialog>

#include <vector>

#include "catalogues/MapDescription.h"
#include "time/Observer.h"
#include "ui/MapGeometry.h"
#include "ui/PictureHolder.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace noctavo {

class ArrowButton;
class MapWindow;

// Define User Location ("Dlg_CityDefine"): the user's own place, typed or
// pointed at on a map. OK stores it into the record given, at once, so that
// it stays defined whatever the dialog that opened this one does next.
class UserLocationDialog : public QDialog {
  Q_OBJECT

 public:
  UserLocationDialog(QWidget* owner, LocationRecord& userLocation);

  MapWindow* mapWindow() const { return map_; }
  // The maps the list shows: those whose picture exists.
  const std::vector<MapRecord>& maps() const { return maps_; }
  const MapWindowEdges& windowEdges() const { return edges_; }
  // The coordinates under the crosshair (meaningless without a map).
  MapPoint crosshairPoint() const;

 private:
  void build();
  void loadMaps();
  void selectMap(int index);
  void showCrosshairCoordinates();
  void enableArrows();
  void useCrosshair();
  void acceptIfValid();

  LocationRecord& userLocation_;
  std::vector<MapRecord> maps_;
  PictureHolder picture_;
  MapWindowEdges edges_;

  QLineEdit* country_ = nullptr;
  QLineEdit* town_ = nullptr;
  QLineEdit* longitude_ = nullptr;
  QLineEdit* latitude_ = nullptr;
  QLineEdit* timeZone_ = nullptr;
  QComboBox* mapBox_ = nullptr;
  MapWindow* map_ = nullptr;
  QLabel* crosshairLongitude_ = nullptr;
  QLabel* crosshairLatitude_ = nullptr;
  QPushButton* use_ = nullptr;
  ArrowButton* arrows_[4] = {};
};

}  // namespace noctavo
