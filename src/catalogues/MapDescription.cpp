#include "catalogues/MapDescription.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "catalogues/CoreServices.h"
#include "catalogues/DataFile.h"

namespace noctavo {

namespace {

constexpr const char* mapFileExtension = "map";
constexpr char fieldSeparator = ':';
constexpr int numberFields = 4;
constexpr const char* mapFolder = "MAPS";

// A decimal number written as the whole field (blanks around it allowed),
// read the same in every C locale.
bool readNumber(std::string_view field, double& value) {
  field = trimLeadingBlanks(trimTrailingBlanks(field));
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  const char* end = field.data() + field.size();
  const auto [stop, error] = std::from_chars(field.data(), end, value);
  return error == std::errc() && stop == end && !field.empty();
}

// The fields of a line: the file name up to the first separator, the four
// numbers after the last four, and the shown name, which may hold a
// separator of its own, in between.
bool readRecord(std::string_view line, MapRecord& map) {
  const std::size_t first = line.find(fieldSeparator);
  if (first == std::string_view::npos) return false;
  std::size_t numbersStart = line.size();
  for (int i = 0; i < numberFields; ++i) {
    numbersStart = line.rfind(fieldSeparator, numbersStart - 1);
    if (numbersStart == std::string_view::npos || numbersStart <= first) return false;
  }
  double numbers[numberFields];
  std::size_t fieldStart = numbersStart + 1;
  for (double& number : numbers) {
    const std::size_t fieldEnd = std::min(line.find(fieldSeparator, fieldStart), line.size());
    if (!readNumber(line.substr(fieldStart, fieldEnd - fieldStart), number)) return false;
    fieldStart = fieldEnd + 1;
  }
  map.fileName = std::string(trimLeadingBlanks(trimTrailingBlanks(line.substr(0, first))));
  map.displayName = std::string(line.substr(first + 1, numbersStart - first - 1));
  map.leftLongitude = numbers[0];
  map.bottomLatitude = numbers[1];
  map.rightLongitude = numbers[2];
  map.topLatitude = numbers[3];
  // Edges that coincide leave no picture to point into.
  return !map.fileName.empty() && map.leftLongitude != map.rightLongitude && map.topLatitude != map.bottomLatitude;
}

}  // namespace

MapDescription parseMapDescription(std::string_view contents) {
  MapDescription description;
  ProblemReport problems;
  // splitLines takes the line end off each line, and no more: the last
  // line of a file that does not end with one keeps all its characters.
  for (const TextLine& line : splitLines(contents)) {
    if (isBlankLine(line.text)) continue;
    MapRecord map;
    if (readRecord(line.text, map)) {
      description.maps.push_back(std::move(map));
    } else {
      problems.add("Error parsing map description file, line " + std::to_string(line.number));
    }
  }
  problems.show();
  return description;
}

MapDescription readMapDescription(const std::string& programFolder) {
  std::string contents;
  switch (readWholeFile(dataFilePath(programFolder, mapFileExtension), contents)) {
    case FileReadResult::CannotOpen: {
      showUserMessage(MessageSeverity::Information,
                      dataFileMessage("The map description file cannot be opened: no map can be shown",
                                      programFolder, mapFileExtension));
      MapDescription none;
      none.status = MapFileStatus::CannotOpen;
      return none;
    }
    case FileReadResult::ReadError: {
      showUserMessage(MessageSeverity::Information,
                      dataFileMessage("Error reading map description file", programFolder, mapFileExtension));
      MapDescription none;
      none.status = MapFileStatus::ReadError;
      return none;
    }
    case FileReadResult::Complete:
      break;
  }
  return parseMapDescription(contents);
}

std::string mapPicturePath(const std::string& programFolder, const MapRecord& map) {
  return (std::filesystem::path(programFolder) / mapFolder / map.fileName).string();
}

std::vector<MapRecord> listedMaps(const std::string& programFolder, const MapDescription& description) {
  std::vector<MapRecord> listed;
  for (const MapRecord& map : description.maps) {
    std::error_code error;
    if (std::filesystem::is_regular_file(mapPicturePath(programFolder, map), error)) listed.push_back(map);
  }
  return listed;
}

}  // namespace noctavo
