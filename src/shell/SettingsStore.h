#pragma once

#include <QString>

#include <map>
#include <string>

#include "catalogues/CoreServices.h"
#include "ui/SafeFileWriter.h"

namespace noctavo {

// The root of every setting of the program.
// "Software\Noctavo Software\Noctavo\1.00"
const std::string& RegistryRoot();

// The program's settings: a tree of keys holding named text values, like a
// registry hive, kept in one file. Every value is text; numbers and flags
// are decimal text, reals "%f". The file is replaced as a whole through the
// program's safe writer, so a crash or a full disk never leaves it
// half-written.
class FileSettingsStore final : public SettingsStore {
 public:
  // The file NOCTAVO_SETTINGS names, else "settings.ini" in the user's
  // configuration folder for Noctavo.
  static QString defaultFilePath();

  explicit FileSettingsStore(QString filePath);
  ~FileSettingsStore() override;  // writes pending changes

  // SettingsStore, with key paths relative to RegistryRoot().
  std::string readString(const std::string& keyPath, const std::string& name,
                         const std::string& defaultText) override;
  void writeString(const std::string& keyPath, const std::string& name, const std::string& text) override;

  // Full key paths (beginning with RegistryRoot()).
  bool hasValue(const std::string& fullKeyPath, const std::string& name) const;
  std::string value(const std::string& fullKeyPath, const std::string& name,
                    const std::string& defaultText) const;
  void setValue(const std::string& fullKeyPath, const std::string& name, const std::string& text);
  // Deletes the key and every key below it; false when the key does not
  // exist.
  bool deleteTree(const std::string& fullKeyPath);

  // Writes the file if anything changed since it was read or last written.
  // When it cannot be written the file stays as it was, the changes are kept
  // for a later try, and the result says why.
  SafeWriteResult flush();
  const QString& filePath() const { return filePath_; }

 private:
  void load();

  QString filePath_;
  // key path -> (value name -> text)
  std::map<std::string, std::map<std::string, std::string>> keys_;
  bool dirty_ = false;
  // The file exists but could not be read (why, when so): it is never
  // replaced.
  QString unreadableReason_;
};

// The store the Settings* operations use; the program owns it for the whole
// run (tests install one on a temporary file).
void setSettingsStore(FileSettingsStore* store);
FileSettingsStore* settingsStore();

// Full key paths, as the program builds them from RegistryRoot().
std::string SettingsReadString(const std::string& keyPath, const std::string& name,
                               const std::string& defaultText);
// A value that is missing or does not begin with a decimal integer reads as
// the default.
bool SettingsReadBool(const std::string& keyPath, const std::string& name, bool defaultValue);
int SettingsReadInt(const std::string& keyPath, const std::string& name, int defaultValue);
void SettingsWriteString(const std::string& keyPath, const std::string& name, const std::string& text);
void SettingsWriteInt(const std::string& keyPath, const std::string& name, int value);
bool SettingsDeleteTree(const std::string& keyPath);

// RegistryRoot() + "\" + subkey, e.g. settingsKey("Sky\\Window").
std::string settingsKey(const std::string& subkey);

}  // namespace noctavo
