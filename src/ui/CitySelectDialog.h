#pragma once

#include <QDialog>

#include "time/Observer.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace noctavo {

// Select Location ("Dlg_CitySelect"): a town of the city file, chosen from
// the country and town lists or found by typing its name, or the user's own
// place. The city database exists while the dialog is open.
class CitySelectDialog : public QDialog {
  Q_OBJECT

 public:
  // userLocation is the caller's own record: "Edit..." changes it at once.
  CitySelectDialog(QWidget* owner, const LocationRecord& listLocation, LocationRecord& userLocation,
                   bool useUserLocation);
  ~CitySelectDialog() override;

  // After OK: the town chosen from the list (the one given when the list
  // had none) and whether the user's own place is the one to use.
  const LocationRecord& listLocation() const { return listLocation_; }
  bool useUserLocation() const { return useUserLocation_; }

 private:
  void build();
  void fillCountries();
  void fillTowns();
  void selectStoredPlace();
  void showChoice();
  void setChoice(bool userDefined);
  void editUserLocation();
  void searchTowns(const QString& text);
  void pickMatch();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void acceptChoice();

  LocationRecord listLocation_;
  LocationRecord& userLocation_;
  bool useUserLocation_;

  QLineEdit* search_ = nullptr;
  QListWidget* matches_ = nullptr;
  QRadioButton* predefined_ = nullptr;
  QRadioButton* userDefined_ = nullptr;
  QComboBox* countryBox_ = nullptr;
  QComboBox* townBox_ = nullptr;
  QLabel* userCountry_ = nullptr;
  QLabel* userTown_ = nullptr;
  QLabel* longitude_ = nullptr;
  QLabel* latitude_ = nullptr;
  QLabel* timeZone_ = nullptr;
};

}  // namespace noctavo
