#pragma once

#include <QString>

#include "time/Observer.h"

class QWidget;

namespace noctavo {

// Control ids of Select Location ("Dlg_CitySelect") and Define User
// Location ("Dlg_CityDefine").
namespace location_control {
inline constexpr int timeZone = 121;
inline constexpr int longitude = 122;
inline constexpr int latitude = 123;
inline constexpr int arrowLeft = 155;
inline constexpr int arrowRight = 156;
inline constexpr int mapFrame = 221;
inline constexpr int predefined = 244;
inline constexpr int userDefined = 245;
inline constexpr int arrowUp = 276;
inline constexpr int arrowDown = 277;
inline constexpr int country = 344;
inline constexpr int town = 345;
inline constexpr int edit = 346;
inline constexpr int countryBox = 347;  // Select Location: the countries
inline constexpr int mapBox = 347;      // Define User Location: the maps
inline constexpr int townBox = 348;
inline constexpr int use = 349;
inline constexpr int crosshairLongitude = 350;
inline constexpr int crosshairLatitude = 351;
// Select Location's search: the text typed and the towns it finds.
inline constexpr int search = 352;
inline constexpr int searchMatches = 353;
}  // namespace location_control

// The folder that holds the city file "Noctavo.loc", the map description
// "Noctavo.map" and the map pictures in "MAPS": the program folder unless
// the start-up names the folder it reads its data from.
void setLocationDataFolder(const QString& folder);
QString locationDataFolder();

// Select Location, modal over `owner`: a town from the city file, found in
// the country and town lists or by typing its name, or the user's own place
// ("User defined"), which "Edit..." defines. On OK the three places and the
// choice between them are updated and `current` becomes the chosen place;
// false on Cancel, when only a place confirmed in Define User Location has
// changed (userLocation).
bool LocationDialog(QWidget* owner, LocationRecord& current, LocationRecord& listLocation,
                    LocationRecord& userLocation, bool& useUserLocation);

// Define User Location, modal over `owner`: names, longitude, latitude and
// time zone typed or taken from a map. On OK userLocation holds them.
bool DefineUserLocationDialog(QWidget* owner, LocationRecord& userLocation);

}  // namespace noctavo
