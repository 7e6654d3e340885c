#include "tools/PictureCollection.h"

#include <QDir>
#include <QFile>

#include <array>
#include <map>

#include "bodies/AstBody.h"
#include "bodies/BodyRegistry.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr char fieldSeparator = ':';
// A picture without a description line has this type text: no object.
constexpr const char* otherTypeText = "Other";

// The characters Windows-1252 puts at 0x80..0x9F; 0 where it has none.
constexpr std::array<char16_t, 32> windows1252High = {
    u'€', 0,    u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š', u'‹', u'Œ', 0,    u'Ž', 0,
    0,    u'‘', u'’', u'“', u'”', u'•', u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', 0,    u'ž', u'Ÿ',
};

// The description file is plain Windows-1252 text: unlike the core's texts
// it holds no symbol-font codes.
QString windows1252Text(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte <= 0x9F) {
      const char16_t mapped = windows1252High[byte - 0x80];
      text.append(mapped ? QChar(mapped) : QChar(QChar::ReplacementCharacter));
    } else {
      text.append(QChar(byte));
    }
  }
  return text;
}

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t\r\n") == std::string_view::npos; }

// The line without its line end. The file is read in binary, so a line
// may end in "\r\n"; the last line may have no end at all, and then keeps
// its last character.
std::string_view withoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

struct DescriptionTable {
  std::map<QString, std::string> restByKey;  // the first line of a key counts
  bool opened = false;
  bool faulty = false;  // a line without ':' or a read that stopped early
};

DescriptionTable readDescriptionTable(const QString& path) {
  DescriptionTable table;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return table;
  table.opened = true;
  while (!file.atEnd()) {
    const QByteArray raw = file.readLine();
    if (raw.isEmpty() && file.error() != QFileDevice::NoError) {
      table.faulty = true;
      break;
    }
    const std::string_view line = withoutLineEnd(std::string_view(raw.constData(), static_cast<size_t>(raw.size())));
    if (isBlank(line)) continue;
    const std::optional<PictureDescriptionLine> parsed = parsePictureDescriptionLine(line);
    if (!parsed) {
      table.faulty = true;
      continue;
    }
    table.restByKey.emplace(parsed->key, parsed->rest);
  }
  if (file.error() != QFileDevice::NoError) table.faulty = true;
  return table;
}

// Bitmaps first, then JPEG files, each group by name.
QStringList pictureFiles(const QString& folder) {
  const QDir dir(folder);
  const QDir::Filters filters = QDir::Files | QDir::Readable;  // no QDir::CaseSensitive: any letter case
  const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase;
  QStringList files = dir.entryList({QStringLiteral("*.bmp")}, filters, order);
  files += dir.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")}, filters, order);
  return files;
}

// The object of a type and name, or null. The registry takes a planet name
// that names no planet for a broken invariant; in a file the user may edit
// it is only a misspelling, so the planets are looked through here.
const AstBody* findObject(ObjectType type, const std::string& name) {
  if (type != ObjectType::Planet) return bodyByName(type, name);
  const QString wanted = QString::fromStdString(name);
  int cursor = 0;
  while (const AstBody* planet = nextBody(ObjectType::Planet, cursor)) {
    if (wanted.compare(QString::fromLatin1(planet->getName()), Qt::CaseInsensitive) == 0) return planet;
  }
  return nullptr;
}

void linkObject(PictureEntry& entry, const PictureDescription& description) {
  const ObjectType type = objectTypeByName(description.typeText);
  if (type == ObjectType::Unknown) return;
  // A name that names nothing (a catalogue not loaded, a misspelling)
  // links to nothing, rather than to a type without an object.
  if (const AstBody* body = findObject(type, description.objectName)) {
    entry.objectType = type;
    entry.objectIndex = body->getIndex();
  }
}

}  // namespace

std::optional<PictureDescriptionLine> parsePictureDescriptionLine(std::string_view line) {
  const std::size_t colon = line.find(fieldSeparator);
  if (colon == std::string_view::npos) return std::nullopt;
  return PictureDescriptionLine{windows1252Text(line.substr(0, colon)).toUpper(), std::string(line.substr(colon + 1))};
}

PictureDescription splitPictureDescription(const std::string& rest) {
  const std::size_t first = rest.find(fieldSeparator);
  const std::size_t second = first == std::string::npos ? std::string::npos : rest.find(fieldSeparator, first + 1);
  if (second == std::string::npos) return {};
  return {rest.substr(0, first), rest.substr(first + 1, second - first - 1), rest.substr(second + 1)};
}

const AstBody* PictureEntry::object() const { return hasObject() ? bodyByIndex(objectType, objectIndex) : nullptr; }

QString PictureEntry::typeColumn() const {
  return QString::fromLatin1(objectTypeName(hasObject() ? objectType : ObjectType::Unknown));
}

QString PictureEntry::nameColumn() const {
  if (const AstBody* body = object()) return symbolText(body->getName());
  return QString::fromLatin1(objectTypeName(ObjectType::Unknown));
}

QString PictureEntry::descriptionColumn() const { return description.isEmpty() ? fileName : description; }

PictureList buildPictureList(const QString& picturesFolder, const QString& descriptionFile) {
  PictureList list;
  const DescriptionTable table = readDescriptionTable(descriptionFile);
  if (!table.opened) list.messages << QString::fromLatin1(pictureDescriptionOpenError);
  if (table.faulty) list.messages << QString::fromLatin1(pictureDescriptionReadError);

  for (const QString& fileName : pictureFiles(picturesFolder)) {
    PictureEntry entry;
    entry.fileName = fileName;
    const auto found = table.restByKey.find(fileName.toUpper());
    if (found != table.restByKey.end()) {
      const PictureDescription description = splitPictureDescription(found->second);
      entry.description = windows1252Text(description.description);
      linkObject(entry, description);
    } else {
      entry.description = fileName;
      linkObject(entry, {{}, otherTypeText, {}});
    }
    list.entries.push_back(std::move(entry));
  }
  return list;
}

// ------------------------------------------------------------ the collection

long long PictureCollection::objectKey(ObjectType type, int index) {
  return (static_cast<long long>(type) << 32) | static_cast<unsigned int>(index);
}

void PictureCollection::setEntries(std::vector<PictureEntry> entries) {
  entries_ = std::move(entries);
  firstByObject_.clear();
  for (int i = 0; i < count(); ++i) {
    const PictureEntry& e = entries_[static_cast<std::size_t>(i)];
    if (e.hasObject()) firstByObject_.emplace(objectKey(e.objectType, e.objectIndex), i);
  }
}

const PictureEntry* PictureCollection::entry(int index) const {
  return index >= 0 && index < count() ? &entries_[static_cast<std::size_t>(index)] : nullptr;
}

int PictureCollection::findForObject(const AstBody& object) const {
  const auto found = firstByObject_.find(objectKey(object.getObjectType(), object.getIndex()));
  return found == firstByObject_.end() ? -1 : found->second;
}

int PictureCollection::findByFileName(const QString& fileName) const {
  for (int i = 0; i < count(); ++i) {
    if (entries_[static_cast<std::size_t>(i)].fileName.compare(fileName, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

PictureCollection& pictureCollection() {
  static PictureCollection collection;
  return collection;
}

bool PictureFindForObject(const AstBody& object, int& entry) {
  entry = pictureCollection().findForObject(object);
  return entry >= 0;
}

bool PictureFindForObject(const AstBody& object) {
  int entry = -1;
  return PictureFindForObject(object, entry);
}

}  // namespace noctavo
