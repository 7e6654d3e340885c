#include "shell/SettingsStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "time/InternalError.h"

namespace noctavo {

namespace {

constexpr const char* moduleName = "AST_OPT";

constexpr const char* companyName = "Noctavo Software";
constexpr const char* productName = "Noctavo";
constexpr const char* productVersion = "1.00";

// The first line of the file; lines that begin with ';' are comments.
constexpr const char* fileHeader = "; Noctavo settings: [key path], then name=value; text in Windows-1252\n";

FileSettingsStore* installedStore = nullptr;

// A key path is the section header of its values, written as it is; it may
// not hold a line break, which would split the header.
bool isStorableKeyPath(const std::string& path) {
  return path.find_first_of("\r\n") == std::string::npos;
}

// Names and values escape the backslash and line breaks; names also the
// '=' that ends them, and a first character that would make the line a
// section header or a comment.
std::string escape(const std::string& text, bool isName) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '=':
        out += isName ? "\\=" : "=";
        break;
      case '[':
      case ';':
        if (isName && i == 0) out += '\\';
        out += c;
        break;
      default: out += c;
    }
  }
  return out;
}

// Undoes escape(); stops at the first unescaped '=' when `stopAtEquals`,
// and tells where it stopped.
std::string unescape(const std::string& text, std::size_t begin, bool stopAtEquals, std::size_t& end) {
  std::string out;
  std::size_t i = begin;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '=' && stopAtEquals) break;
    if (c == '\\' && i + 1 < text.size()) {
      const char next = text[++i];
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    } else {
      out += c;
    }
  }
  end = i;
  return out;
}

std::string withoutTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

bool isSameOrBelow(const std::string& path, const std::string& key) {
  return path == key || (path.size() > key.size() && path.compare(0, key.size(), key) == 0 && path[key.size()] == '\\');
}

}  // namespace

const std::string& RegistryRoot() {
  static const std::string root =
      std::string("Software\\") + companyName + "\\" + productName + "\\" + productVersion;
  return root;
}

std::string settingsKey(const std::string& subkey) {
  if (subkey.empty()) return RegistryRoot();
  if (subkey.front() == '\\') return RegistryRoot() + subkey;
  return RegistryRoot() + "\\" + subkey;
}

// ------------------------------------------------------------------ the file

QString FileSettingsStore::defaultFilePath() {
  const QString fromEnvironment = qEnvironmentVariable("NOCTAVO_SETTINGS");
  if (!fromEnvironment.isEmpty()) return fromEnvironment;
  const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return configFolder + QStringLiteral("/Noctavo/settings.ini");
}

FileSettingsStore::FileSettingsStore(QString filePath) : filePath_(std::move(filePath)) { load(); }

FileSettingsStore::~FileSettingsStore() {
  flush();
  if (installedStore == this) installedStore = nullptr;
}

void FileSettingsStore::load() {
  keys_.clear();
  dirty_ = false;
  unreadableReason_.clear();
  QFile file(filePath_);
  if (!file.exists()) return;
  if (!file.open(QIODevice::ReadOnly)) {
    // Settings that are there but cannot be read are not ours to replace
    // with defaults: this run reads defaults and leaves the file alone.
    unreadableReason_ = QStringLiteral("it could not be read when the program started (%1), so it is left as it was")
                            .arg(file.errorString());
    return;
  }
  const QByteArray bytes = file.readAll();
  const std::string text(bytes.constData(), static_cast<std::size_t>(bytes.size()));

  std::map<std::string, std::string>* section = nullptr;
  std::size_t lineBegin = 0;
  while (lineBegin < text.size()) {
    std::size_t lineEnd = text.find('\n', lineBegin);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    std::string line = text.substr(lineBegin, lineEnd - lineBegin);
    lineBegin = lineEnd + 1;
    // A file edited elsewhere may have CR LF line ends; a CR of the text
    // itself is always escaped.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close == std::string::npos || close == 0) {
        section = nullptr;  // a damaged header: its values are skipped
        continue;
      }
      section = &keys_[line.substr(1, close - 1)];
      continue;
    }
    if (!section) continue;
    std::size_t equals = 0;
    std::string name = unescape(line, 0, true, equals);
    if (equals >= line.size()) continue;  // no '=': not a value line
    std::size_t end = 0;
    (*section)[std::move(name)] = unescape(line, equals + 1, false, end);
  }
}

SafeWriteResult FileSettingsStore::flush() {
  if (!dirty_) return {true, {}};
  if (!unreadableReason_.isEmpty()) return {false, unreadableReason_};

  std::string text = fileHeader;
  for (const auto& [path, values] : keys_) {
    text += '[';
    text += path;
    text += "]\n";
    for (const auto& [name, value] : values) {
      text += escape(name, true);
      text += '=';
      text += escape(value, false);
      text += '\n';
    }
  }

  const QString folder = QFileInfo(filePath_).absolutePath();
  if (!QDir().mkpath(folder)) {
    return {false, QStringLiteral("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder))};
  }
  SafeWriteResult written =
      writeFileSafely(filePath_, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  if (written.ok) dirty_ = false;
  return written;
}

// ------------------------------------------------------------ values and keys

bool FileSettingsStore::hasValue(const std::string& fullKeyPath, const std::string& name) const {
  const auto key = keys_.find(withoutTrailingBackslash(fullKeyPath));
  return key != keys_.end() && key->second.count(name) != 0;
}

std::string FileSettingsStore::value(const std::string& fullKeyPath, const std::string& name,
                                     const std::string& defaultText) const {
  const auto key = keys_.find(withoutTrailingBackslash(fullKeyPath));
  if (key == keys_.end()) return defaultText;
  const auto found = key->second.find(name);
  return found == key->second.end() ? defaultText : found->second;
}

void FileSettingsStore::setValue(const std::string& fullKeyPath, const std::string& name, const std::string& text) {
  const std::string path = withoutTrailingBackslash(fullKeyPath);
  if (!isStorableKeyPath(path)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  auto& values = keys_[path];
  const auto found = values.find(name);
  if (found != values.end() && found->second == text) return;
  values[name] = text;
  dirty_ = true;
}

bool FileSettingsStore::deleteTree(const std::string& fullKeyPath) {
  const std::string path = withoutTrailingBackslash(fullKeyPath);
  bool found = false;
  for (auto key = keys_.begin(); key != keys_.end();) {
    if (isSameOrBelow(key->first, path)) {
      key = keys_.erase(key);
      found = true;
    } else {
      ++key;
    }
  }
  if (found) dirty_ = true;
  return found;
}

std::string FileSettingsStore::readString(const std::string& keyPath, const std::string& name,
                                          const std::string& defaultText) {
  return value(settingsKey(keyPath), name, defaultText);
}

void FileSettingsStore::writeString(const std::string& keyPath, const std::string& name, const std::string& text) {
  setValue(settingsKey(keyPath), name, text);
}

// ------------------------------------------------------- the program's store

void setSettingsStore(FileSettingsStore* store) { installedStore = store; }

FileSettingsStore* settingsStore() { return installedStore; }

std::string SettingsReadString(const std::string& keyPath, const std::string& name,
                               const std::string& defaultText) {
  if (!installedStore) return defaultText;
  return installedStore->value(keyPath, name, defaultText);
}

namespace {

// The leading decimal integer of a text (blanks and a sign allowed before
// it, anything after it); false when there is none or it does not fit.
bool leadingInteger(const std::string& text, int& out) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(begin, &end, 10);
  if (end == begin || errno == ERANGE || value < INT_MIN || value > INT_MAX) return false;
  out = static_cast<int>(value);
  return true;
}

}  // namespace

int SettingsReadInt(const std::string& keyPath, const std::string& name, int defaultValue) {
  if (!installedStore || !installedStore->hasValue(keyPath, name)) return defaultValue;
  int value = 0;
  return leadingInteger(installedStore->value(keyPath, name, ""), value) ? value : defaultValue;
}

bool SettingsReadBool(const std::string& keyPath, const std::string& name, bool defaultValue) {
  return SettingsReadInt(keyPath, name, defaultValue ? 1 : 0) != 0;
}

void SettingsWriteString(const std::string& keyPath, const std::string& name, const std::string& text) {
  if (installedStore) installedStore->setValue(keyPath, name, text);
}

void SettingsWriteInt(const std::string& keyPath, const std::string& name, int value) {
  SettingsWriteString(keyPath, name, std::to_string(value));
}

bool SettingsDeleteTree(const std::string& keyPath) {
  return installedStore && installedStore->deleteTree(keyPath);
}

}  // namespace noctavo
