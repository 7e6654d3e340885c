#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "bodies/ObjectType.h"

namespace noctavo {

class AstBody;

// The pictures folder beside the program and the description file that
// names what each picture shows.
inline constexpr const char* picturesFolderName = "PICTURES";
inline constexpr const char* pictureDescriptionExtension = "pic";

// What one line of the description file says of a picture:
//   file name ":" description ":" type ":" object name
// The rest after the file name is split at its next two ':'; with fewer
// than two there, all three stay empty.
struct PictureDescription {
  std::string description;
  std::string typeText;  // an ObjectType name, or anything else for no object
  std::string objectName;
};

// A line of the description file (its line end already gone): the key, the
// file name before the first ':' in upper case, and the rest. None for a
// line without any ':'.
struct PictureDescriptionLine {
  QString key;
  std::string rest;
};
std::optional<PictureDescriptionLine> parsePictureDescriptionLine(std::string_view line);
PictureDescription splitPictureDescription(const std::string& rest);

// One picture of the collection and the object it shows.
struct PictureEntry {
  QString fileName;       // as found in the folder
  QString description;    // Windows-1252 text of the description file
  ObjectType objectType = ObjectType::Unknown;
  int objectIndex = -1;   // with objectType, the linked object; -1: none

  bool hasObject() const { return objectType != ObjectType::Unknown && objectIndex >= 0; }
  // The linked object, or null.
  const AstBody* object() const;
  // The control panel's three columns: the object's type and name
  // ("Unknown" without one) and the description (the file name when empty).
  QString typeColumn() const;
  QString nameColumn() const;
  QString descriptionColumn() const;
};

// The picture list and what went wrong while building it (one message per
// kind of fault, for the user).
struct PictureList {
  std::vector<PictureEntry> entries;
  QStringList messages;
};

// Texts of the messages about the description file.
inline constexpr const char* pictureDescriptionOpenError = "Error opening picture description file";
inline constexpr const char* pictureDescriptionReadError = "Error reading picture description file";

// Every bitmap (.bmp), then every JPEG (.jpg, .jpeg) file of the folder,
// each group in file-name order, any letter case; each linked to the object
// its description line names (looked up by type and name among the bodies
// and the loaded catalogues). A picture without a line is described by its
// file name and shows no object. A missing description file lists every
// picture so; a line without ':' is skipped; either gives one message.
PictureList buildPictureList(const QString& picturesFolder, const QString& descriptionFile);

// The collection of the run: built by the Picture window at start and
// dropped when it saves at the end. The sky map asks it for every NGC object
// it draws, so a lookup by object is kept beside the list.
class PictureCollection {
 public:
  void setEntries(std::vector<PictureEntry> entries);
  void clear() { setEntries({}); }
  const std::vector<PictureEntry>& entries() const { return entries_; }
  int count() const { return static_cast<int>(entries_.size()); }
  const PictureEntry* entry(int index) const;

  // The first entry (in list order) whose object has the object's type and
  // index; -1 when there is none.
  int findForObject(const AstBody& object) const;
  // The entry of a file name, letter case aside; -1 when there is none.
  int findByFileName(const QString& fileName) const;

 private:
  static long long objectKey(ObjectType type, int index);

  std::vector<PictureEntry> entries_;
  std::unordered_map<long long, int> firstByObject_;
};

PictureCollection& pictureCollection();

// Whether the collection holds a picture of the object, and the first entry
// that shows it (-1 when none).
bool PictureFindForObject(const AstBody& object, int& entry);
bool PictureFindForObject(const AstBody& object);

}  // namespace noctavo
