#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace noctavo {

// One map of Define User Location, a line of "Noctavo.map":
// "file:shown name:left:bottom:right:top". The picture lies in the folder
// "MAPS" beside the program; it is equirectangular, and its edges are at the
// four coordinates of the line (degrees, longitudes WEST positive).
struct MapRecord {
  std::string fileName;
  std::string displayName;
  double leftLongitude = 0.0;
  double bottomLatitude = 0.0;
  double rightLongitude = 0.0;
  double topLatitude = 0.0;
};

enum class MapFileStatus { Loaded, CannotOpen, ReadError };

struct MapDescription {
  MapFileStatus status = MapFileStatus::Loaded;
  std::vector<MapRecord> maps;  // every line that reads, in file order
};

// Reads "Noctavo.map" of the folder. A file that cannot be opened or read
// gives its message (naming the file and the folder) and no maps; a line with fewer than six fields, or
// with a number that does not read, is left out, with one message for the
// file. A last line without a line end keeps its last character.
MapDescription readMapDescription(const std::string& programFolder);
MapDescription parseMapDescription(std::string_view contents);

// The picture of a map, and the maps whose picture exists (those the
// dialog lists).
std::string mapPicturePath(const std::string& programFolder, const MapRecord& map);
std::vector<MapRecord> listedMaps(const std::string& programFolder, const MapDescription& description);

}  // namespace noctavo
