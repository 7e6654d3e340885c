#include "ui/LocationDialog.h"

#include "ui/CitySelectDialog.h"
#include "ui/DialogUtils.h"

namespace noctavo {

namespace {

QString& dataFolderSetting() {
  static QString folder;
  return folder;
}

}  // namespace

void setLocationDataFolder(const QString& folder) { dataFolderSetting() = folder; }

QString locationDataFolder() {
  const QString& folder = dataFolderSetting();
  return folder.isEmpty() ? ProgramFolder() : folder;
}

bool LocationDialog(QWidget* owner, LocationRecord& current, LocationRecord& listLocation,
                    LocationRecord& userLocation, bool& useUserLocation) {
  CitySelectDialog dialog(owner, listLocation, userLocation, useUserLocation);
  if (dialog.exec() != QDialog::Accepted) return false;
  listLocation = dialog.listLocation();
  useUserLocation = dialog.useUserLocation();
  current = useUserLocation ? userLocation : listLocation;
  return true;
}

}  // namespace noctavo
