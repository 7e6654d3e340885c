#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>

namespace noctavo {

// The program's name and version, as the settings root, the data files,
// the captions and the About box carry them.
inline constexpr const char* productName = "Noctavo";
inline constexpr const char* productVersion = "1.00";

// The few services the core asks of the program around it. The Qt shell
// implements them (the settings store over its own settings, the message
// hook with its message box); tests use the in-memory forms here.

// Text values under the program's settings root. keyPath is relative to the
// root ("" = the root itself, "Sky\\Window" = a subkey); every value is text.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or defaultText when the value does not exist.
  virtual std::string readString(const std::string& keyPath, const std::string& name,
                                 const std::string& defaultText) = 0;
  virtual void writeString(const std::string& keyPath, const std::string& name, const std::string& text) = 0;
};

// A settings store that lives in memory only.
class MemorySettingsStore final : public SettingsStore {
 public:
  std::string readString(const std::string& keyPath, const std::string& name,
                         const std::string& defaultText) override;
  void writeString(const std::string& keyPath, const std::string& name, const std::string& text) override;

  bool contains(const std::string& keyPath, const std::string& name) const;
  void remove(const std::string& keyPath, const std::string& name);

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

// The severities of the program's message box: the icon and the caption word
// ("information", "warning", "error").
enum class MessageSeverity { Information, Warning, Error };

const char* messageSeverityWord(MessageSeverity severity);

// Shows a message to the user, who has to acknowledge it. The default
// handler writes "Noctavo <severity word>: <text>" to the standard error
// stream; the Qt program installs its message box.
using UserMessageHandler = std::function<void(MessageSeverity severity, const std::string& text)>;

void showUserMessage(MessageSeverity severity, const std::string& text);

// Installs a handler and returns the one it replaces. An empty handler
// restores the default.
UserMessageHandler setUserMessageHandler(UserMessageHandler handler);

// Name of a data file beside the program: folder + "/Noctavo." + extension.
// The folder is given without a trailing separator (one is tolerated).
std::string dataFilePath(const std::string& folder, const char* extension);

}  // namespace noctavo
